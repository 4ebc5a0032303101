// The stock posting on a site's database: receptions numbered from their range, with their
// accounting entry and automatic lot, saved in batch mode (one transaction) and in per-line mode
// (row by row); a number another voucher holds refuses the whole batch.

#include "AccesoDatos.h"
#include "Asientos.h"
#include "Ayudas.h"
#include "BasePosteo.h"
#include "BaseTsql.h"
#include "Numeracion.h"
#include "TraductorSql.h"

#include <QSet>

namespace {

class PosteoTsql : public ConPosteo {
protected:
    void SetUp() override {
        ConPosteo::SetUp();
        if (HasFatalFailure())
            return;
        AjustaConfiguracion(QStringLiteral("ASIGNACIONAUTOMATICADELOTEING"), QStringLiteral("SI"));
    }

    struct Recepcion {
        QString id;
        QString lote;
        QStringList asientos;
        bool posteada = false;
        bool guardada = false;
        QString mensajes;
    };

    // A reception of two lines, numbered, posted and saved with its range update.
    Recepcion Recibe(bool tanda, bool guardar = true) {
        Recepcion r;
        QString suc, nro, letra;
        bool modifica = false;
        Obtener_Nro_Comprobante(QStringLiteral("IR"), suc, nro, letra, modifica, true, QString(),
                                gUnidadNegocio, false);
        r.id = suc + nro + letra;
        auto g = GrillaArticulos({Linea("1001", "2"), Linea("1002", "3")});
        Llamada ll;
        ll.SucNroLetra = r.id;
        ll.GeneraSentenciaSQL = tanda;
        guion.Limpia();
        Postea(*g, ll);
        r.posteada = !ll.HayError;
        r.mensajes = guion.Mensajes().join(u'|');
        r.lote = ll.LoteFijo;
        QString rango;
        ActualizaNumeracion(QStringLiteral("IR"), QStringLiteral("STOCK"), suc,
                            QString::number(nro.toLongLong() + 1), letra, true, rango, false, false);
        if (guardar && r.posteada) {
            bool hayError = false;
            qint32 numero = 0;
            QString texto;
            GActualizarDatoScript(DivideTanda((tanda ? ll.SqlTemp : QString()) + QLatin1Char('\r') + rango),
                                  hayError, numero, false, false, texto, r.mensajes, false);
            r.guardada = !hayError;
        } else {
            pendiente = DivideTanda(ll.SqlTemp + QLatin1Char('\r') + rango);
        }
        r.asientos = Asientos(r.id);
        return r;
    }
    // The numbers of the reception's entry, read where the test reads the entries.
    QStringList Asientos(const QString& id) const {
        QStringList numeros;
        Registros rs;
        (lector ? *lector : AD())
            .ObtieneRecordset("SELECT DISTINCT [Numero Asiento] FROM " + tablaAsientos +
                                  " WHERE TC = '  IR' AND SUCURSAL = '" + id.left(4) + "' AND NUMERO = '" +
                                  id.mid(4, 8) + "'",
                              rs);
        for (; !rs.Eof(); rs.MoveNext())
            numeros << rs.Fields(0).toString();
        return numeros;
    }

    QStringList pendiente;                                 // a batch posted and not saved yet
    QString tablaAsientos = QStringLiteral("MV_ASIENTOS"); // where the test reads the entries
    AccesoDatos* lector = nullptr;                         // the connection that reads them (AD())
};

TEST_F(PosteoTsql, ReceptionsInBothModesTakeNumbersEntriesAndLotsOfTheirOwn) {
    QSet<QString> ids, lotes, asientos;
    for (const bool tanda : {true, false}) {
        for (int i = 0; i < 3; ++i) {
            const Recepcion r = Recibe(tanda);
            ASSERT_TRUE(r.posteada) << r.mensajes.toStdString();
            ASSERT_TRUE(r.guardada) << r.mensajes.toStdString();
            ids.insert(r.id);
            lotes.insert(r.lote);
            ASSERT_EQ(r.asientos.size(), 1) << r.id.toStdString();
            asientos.insert(r.asientos.first());
            VerificaInvariantes(QStringLiteral("IR"), r.id, {{{"1001", "1"}, 2}, {{"1002", "1"}, 3}});
            for (const auto& fila : Filas(QStringLiteral("IR"), r.id))
                EXPECT_EQ(fila["NROLOTE"].toString().trimmed(), r.lote) << r.id.toStdString();
        }
    }
    EXPECT_EQ(ids.size(), 6);
    EXPECT_EQ(lotes.size(), 6);
    EXPECT_EQ(asientos.size(), 6);
}

TEST_F(PosteoTsql, ALotAnotherVoucherStoredRefusesTheWholeBatch) {
    const Recepcion r = Recibe(true, false);
    ASSERT_FALSE(r.lote.isEmpty());
    // Another station stores a voucher with that lot between the posting and its save.
    Ejecuta(
        "INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia, IdArticulo, NroLote, Cantidad) "
        "VALUES ('  IR', '000999999999X', 0, 1, '                     1001', '" +
        UT().RellenaCodigo(r.lote, 25) + "', 1)");
    bool hayError = false;
    qint32 numero = 0;
    QString texto, mensajes;
    GActualizarDatoScript(pendiente, hayError, numero, false, false, texto, mensajes, false);
    EXPECT_TRUE(hayError);
    EXPECT_EQ(numero, 50000);
    EXPECT_TRUE(Filas(QStringLiteral("IR"), r.id).empty());
    EXPECT_TRUE(Columna("SELECT ID FROM MV_ASIENTOS WHERE TC = '  IR' AND SUCURSAL = '" + r.id.left(4) +
                        "' AND NUMERO = '" + r.id.mid(4, 8) + "'")
                    .isEmpty());
    EXPECT_EQ(Valor("SELECT @@TRANCOUNT"), QStringLiteral("0"));
}

// A site whose administration database is another: named as the connection data may write it,
// between brackets (its name holds a blank), with the entry tables given.
class PosteoConAdministracion : public PosteoTsql {
protected:
    void TearDown() override {
        dueno.LeeConexion().Close();
        PosteoTsql::TearDown();
        BorraBaseTsql(admin);
        if (!login.isEmpty())
            BorraLoginSitio(login);
    }
    void Administracion(const QStringList& tablas) {
        admin = BaseTsql() + QStringLiteral(" adm");
        BorraBaseTsql(admin);
        CreaBaseAdministracion(admin, QStringLiteral("('   1', 'Central', '   1', NULL)"), tablas);
        AD().AsignaDatoConexion(QStringLiteral("ADMIN=[%1]").arg(admin));
        Reconecta();
    }
    // A new connection, as the site's login once it has one.
    void Reconecta() {
        AD().LeeConexion().Close();
        ConectaTsql(AD(), BaseTsql(), login);
    }
    // The site's login, with the rights the README lists on the administration's `tablas`,
    // connected in place of the server's; the server's reads the entries.
    void ComoSitio(const QStringList& tablas) {
        login = BaseTsql() + QStringLiteral("_sitio");
        CreaLoginSitio(login, BaseTsql());
        DaDerechosSitio(admin, login, tablas);
        Reconecta();
        ConectaTsql(dueno, BaseTsql());
        lector = &dueno;
    }
    // The words of a right the login lacks on a table of the administration database.
    QString SinDerecho(const QString& derecho, const QString& tabla) const {
        return SinDerechoAdministracion(login, derecho, tabla, admin);
    }
    // A reception posted and saved inside a transaction that the caller began with a row of its
    // own, which the caller then commits: its row stored, whatever the posting did.
    Recepcion RecibeDentro(bool tanda) {
        const QString propia = QStringLiteral("P%1").arg(++filasPropias, 3, 10, QLatin1Char('0'));
        Ejecuta("BEGIN TRANSACTION\rINSERT INTO V_TA_Unidad (IdUnidad, Descripcion) VALUES ('" + propia +
                "', 'propia')");
        Recepcion r = Recibe(tanda);
        EXPECT_EQ(Valor("SELECT @@TRANCOUNT"), QStringLiteral("1")) << r.mensajes.toStdString();
        EXPECT_EQ(NumeroDeError([] { Ejecuta("COMMIT TRANSACTION"); }), 0);
        EXPECT_EQ(Valor("SELECT COUNT(*) FROM V_TA_Unidad WHERE IdUnidad = '" + propia + "'"),
                  QStringLiteral("1"));
        return r;
    }
    // Four receptions, in both modes, each stored with an entry of its own: their numbers.
    QStringList Guardadas() {
        QStringList numeros;
        for (const bool tanda : {true, false, true, false}) {
            const Recepcion r = Recibe(tanda);
            EXPECT_TRUE(r.posteada && r.guardada && r.asientos.size() == 1) << r.mensajes.toStdString();
            numeros << r.asientos.value(0);
        }
        return numeros;
    }
    // Nothing of the voucher stored, and the user told why in words that name both databases;
    // never the server's words nor a saving again that would mend it.
    void NadaGuardado(bool tanda, const char* tabla) {
        const Recepcion r = Recibe(tanda);
        EXPECT_FALSE(r.posteada && r.guardada);
        const QString dos =
            QStringLiteral("de la base de administración \"%1\" y se graban con los de %2 de la "
                           "base \"%3\"")
                .arg(admin, QLatin1String(tabla), BaseTsql());
        EXPECT_TRUE(r.mensajes.contains(dos) && r.mensajes.contains(QStringLiteral("No se grabó nada.")))
            << r.mensajes.toStdString();
        // The databases' names are random: none of their letters may pass for the server's words.
        const QString resto = QString(r.mensajes).remove(admin).remove(BaseTsql());
        for (const char* ajeno : {"Vuelva a grabar", "ya fue tomado", "208", "relation", "50000"})
            EXPECT_FALSE(resto.contains(QLatin1String(ajeno))) << r.mensajes.toStdString();
        EXPECT_TRUE(Filas(QStringLiteral("IR"), r.id).empty() && r.asientos.isEmpty());
    }
    QString admin;
    QString login; // the site's, once ComoSitio made it
    AccesoDatos dueno;
    int filasPropias = 0;
};

// Without entry tables there, the session's are the entries' own; with MV_ASIENTOS in both, every
// posting with an entry stores nothing, again and again (one the session holds under the number
// to be drawn refuses it as taken too); so does a cost-centre table in each that are not one rows.
TEST_F(PosteoConAdministracion, EntriesAreStoredInTheTableTheirNumberComesFromOrNotAtAll) {
    Administracion({});
    const QStringList propias = Guardadas();
    EXPECT_EQ(QSet<QString>(propias.cbegin(), propias.cend()).size(), 4);

    Administracion({QStringLiteral("MV_ASIENTOS"), QStringLiteral("MV_ASIENTOSCCOSTO")});
    const QString tipo = ObtieneTipoRegCont(QStringLiteral("IR")).trimmed();
    Ejecuta(QStringLiteral("INSERT INTO MV_ASIENTOS (Mes_Operativo, [Numero Asiento], TC, PERIODO, Tipo_Reg) "
                           "VALUES (3, 1, '  AJ', 2025, '%1')")
                .arg(tipo));
    for (const bool tanda : {true, true, true, false, false, false})
        NadaGuardado(tanda, "MV_ASIENTOS");

    Administracion({QStringLiteral("MV_ASIENTOSCCOSTO")});
    Ejecuta(
        QStringLiteral("INSERT INTO MV_ASIENTOSCCOSTO (MES_OPERATIVO, TIPO_REG, PERIODO, [NUMERO ASIENTO]) "
                       "VALUES (3, '%1', 2025, %2)")
            .arg(tipo)
            .arg(ObtieneNroAsiento(3, QStringLiteral("2025"), tipo)));
    for (const bool tanda : {true, false})
        NadaGuardado(tanda, "MV_ASIENTOSCCOSTO");
}

// The administration database holds the entries and the session's none: refused in words until
// the session's MV_ASIENTOS is a view of the administration's (Babelfish has no synonyms) and the
// connection is new, then posted as usual, numbered from where they are stored.
TEST_F(PosteoConAdministracion, AdministrationEntriesPostThroughAViewOfTheSessionNotWithout) {
    Administracion({QStringLiteral("MV_ASIENTOS"), QStringLiteral("MV_ASIENTOSCCOSTO")});
    EjecutaTsql(BaseTsql(), {QStringLiteral("DROP TABLE MV_ASIENTOS")});
    tablaAsientos = CitaNombre(admin) + QStringLiteral(".dbo.MV_ASIENTOS");
    for (const bool tanda : {true, false})
        NadaGuardado(tanda, "MV_ASIENTOS");
    // Nor is a voucher numbered against the entries: no number, and the same words.
    QString sucursal, numero, serie;
    bool modifica = false;
    guion.Limpia();
    Obtener_Nro_Comprobante(QStringLiteral("CBFP"), sucursal, numero, serie, modifica, true, QString(),
                            gUnidadNegocio, false);
    const QString numerado = guion.Mensajes().join(u'|');
    EXPECT_TRUE(numero.isEmpty()) << numero.toStdString();
    EXPECT_TRUE(numerado.contains(QStringLiteral("de la base de administración \"%1\"").arg(admin)) &&
                !numerado.contains(QStringLiteral("relation")))
        << numerado.toStdString();
    // An invoice's cost of goods numbers its own voucher from the entries first; a voucher form,
    // which catches the program's errors, stops its refusal, in the same words.
    auto g = GrillaArticulos({Linea("1001", "2")});
    QString motivo = QStringLiteral("1"), tc = QStringLiteral("FC"), suc = QStringLiteral("0001"),
            nro = QStringLiteral("00000345"), letra = QStringLiteral("A");
    bool debito = false;
    qint16 secuencia = 1;
    guion.Limpia();
    try {
        cls->GeneraAsientoStock(*g, motivo, tc, suc, nro, letra, QStringLiteral("20/03/2025"), debito, 99, 0,
                                secuencia);
        ADD_FAILURE() << "the cost of goods was not refused: " << guion.Mensajes().join(u'|').toStdString();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Descripcion(), AsientosSinTabla(UsoAsientos::Tanda).value_or(QString()))
            << e.Descripcion().toStdString();
        EXPECT_TRUE(e.Descripcion().contains(admin)) << e.Descripcion().toStdString();
        EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();
    }
    EjecutaTsql(BaseTsql(), {QStringLiteral("CREATE VIEW MV_ASIENTOS AS SELECT * FROM ") + tablaAsientos});
    // The posting looks the session's tables up once per connection, as the administration's are:
    // the view counts from the next one.
    for (const bool tanda : {true, false})
        NadaGuardado(tanda, "MV_ASIENTOS");
    Reconecta();
    EXPECT_EQ(Guardadas(), (QStringList{"1", "2", "3", "4"}));
}

// A site's login that is not the server's superuser. The administration's MV_ASIENTOS that it may
// not use refuses every posting with an entry in words that name the database, the table and the
// rights, whether or not the session has a table of that name, which never takes its place; with
// the rights, on the table and the session's view of it, it posts as usual.
TEST_F(PosteoConAdministracion, AnAdministrationTableTheLoginMayNotUseIsRefusedInWords) {
    Administracion({QStringLiteral("MV_ASIENTOS"), QStringLiteral("MV_ASIENTOSCCOSTO")});
    login = BaseTsql() + QStringLiteral("_sitio");
    CreaLoginSitio(login, BaseTsql());
    EjecutaTsql(admin, {QStringLiteral("CREATE USER [%1] FOR LOGIN [%1]").arg(login),
                        QStringLiteral("REVOKE SELECT, INSERT, UPDATE, DELETE ON MV_ASIENTOS FROM PUBLIC"),
                        QStringLiteral("GRANT SELECT ON V_TA_Deposito TO [%1]").arg(login)});
    Reconecta();
    const QString sinPermiso = SinDerecho(QStringLiteral("SELECT"), QStringLiteral("MV_ASIENTOS"));
    const auto rechazadas = [&] {
        for (const bool tanda : {true, false}) {
            const Recepcion r = Recibe(tanda);
            EXPECT_FALSE(r.posteada && r.guardada);
            EXPECT_TRUE(r.mensajes.contains(sinPermiso) &&
                        r.mensajes.contains(QStringLiteral("No se grabó nada.")))
                << r.mensajes.toStdString();
            EXPECT_FALSE(r.mensajes.contains(QStringLiteral("permission")) ||
                         r.mensajes.contains(QStringLiteral("229")))
                << r.mensajes.toStdString();
            EXPECT_TRUE(Filas(QStringLiteral("IR"), r.id).empty() && r.asientos.isEmpty());
        }
    };
    rechazadas();
    EjecutaTsql(BaseTsql(), {QStringLiteral("SELECT * INTO MV_ASIENTOS_PROPIO FROM MV_ASIENTOS"),
                             QStringLiteral("DROP TABLE MV_ASIENTOS")});
    tablaAsientos = QStringLiteral("MV_ASIENTOS_PROPIO");
    rechazadas();
    ConectaTsql(dueno, admin);
    EXPECT_EQ(dueno.MaximoValor(QStringLiteral("MV_ASIENTOS"), QStringLiteral("ID")).toInt(), 0);

    const QString tabla = CitaNombre(admin) + QStringLiteral(".dbo.MV_ASIENTOS");
    // Babelfish reads a view's tables with the rights of the view's owner (the session database's),
    // which only PUBLIC reaches in another database.
    EjecutaTsql(admin, {QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON MV_ASIENTOS TO PUBLIC")});
    EjecutaTsql(BaseTsql(),
                {QStringLiteral("CREATE VIEW MV_ASIENTOS AS SELECT * FROM ") + tabla,
                 QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON MV_ASIENTOS TO [%1]").arg(login)});
    tablaAsientos = QStringLiteral("MV_ASIENTOS");
    Reconecta();
    EXPECT_EQ(Guardadas(), (QStringList{"1", "2", "3", "4"}));
}

// A site's login with exactly the rights the README lists posts in both modes, inside a
// transaction of its caller's too, the entries going through the session's view into the
// administration's table. Without each right in turn, a posting that would use it is refused
// before its first row, in the same words in both modes, which name the right, the table and the
// base: nothing of the voucher is stored, and the caller's own row stays for its COMMIT. Only
// a posting line by line adds to the lines stored (UPDATE).
TEST_F(PosteoConAdministracion, TheRightsTheReadmeListsAreCheckedBeforeTheFirstRow) {
    Administracion({QStringLiteral("MV_ASIENTOS"), QStringLiteral("MV_ASIENTOSCCOSTO")});
    tablaAsientos = CitaNombre(admin) + QStringLiteral(".dbo.MV_ASIENTOS");
    EjecutaTsql(BaseTsql(), {QStringLiteral("DROP TABLE MV_ASIENTOS"),
                             QStringLiteral("CREATE VIEW MV_ASIENTOS AS SELECT * FROM ") + tablaAsientos});
    ComoSitio({QStringLiteral("V_TA_Deposito"), QStringLiteral("MV_ASIENTOS"),
               QStringLiteral("MV_ASIENTOSCCOSTO")});
    const auto guardada = [&](bool tanda) {
        const Recepcion r = RecibeDentro(tanda);
        EXPECT_TRUE(r.posteada && r.guardada) << r.mensajes.toStdString();
        EXPECT_EQ(Filas(QStringLiteral("IR"), r.id).size(), 2u);
        EXPECT_EQ(Asientos(r.id).size(), 1);
    };
    for (const bool tanda : {true, false})
        guardada(tanda);
    for (const auto& [derecho, tabla] : {std::pair{"SELECT", "MV_ASIENTOS"},
                                         {"INSERT", "MV_ASIENTOS"},
                                         {"UPDATE", "MV_ASIENTOS"},
                                         {"SELECT", "MV_ASIENTOSCCOSTO"}}) {
        SCOPED_TRACE(std::string(derecho) + " " + tabla);
        EjecutaTsql(admin, {QStringLiteral("REVOKE %1 ON %2 FROM PUBLIC").arg(derecho, tabla)});
        Reconecta();
        for (const bool tanda : {true, false}) {
            if (tanda && derecho == std::string("UPDATE")) {
                guardada(tanda);
                continue;
            }
            const Recepcion r = RecibeDentro(tanda);
            EXPECT_FALSE(r.posteada);
            EXPECT_EQ(r.mensajes, SinDerecho(derecho, tabla) + QStringLiteral(" No se grabó nada."));
            EXPECT_TRUE(Filas(QStringLiteral("IR"), r.id).empty());
            EXPECT_TRUE(Asientos(r.id).isEmpty());
        }
        EjecutaTsql(admin, {QStringLiteral("GRANT %1 ON %2 TO PUBLIC").arg(derecho, tabla)});
    }
}

} // namespace

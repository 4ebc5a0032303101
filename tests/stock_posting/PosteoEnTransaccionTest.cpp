// A per-line posting inside a transaction its caller holds, and the numbers a per-line posting
// draws, on every engine (the T-SQL tests run this file too).

#include "BasePosteo.h"

#include "Asientos.h"
#include "Ayudas.h"
#include "BaseTsql.h"
#include "Comun.h"
#include "InfoMaquina.h"
#include "Numeracion.h"

#include <QCoreApplication>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>

namespace {

const QString kPropia =
    QStringLiteral("INSERT INTO V_TA_Unidad (IdUnidad, Descripcion) VALUES ('  ZZ', 'propia')");
const QString kQuedaron = QStringLiteral(
    "\r\nQuedaron grabadas las líneas anteriores a la línea 3; desde la línea 3 no se grabó nada.");
const QString kNadaQuedo =
    QStringLiteral("\r\nLa base de datos deshizo toda la transacción en curso: no quedó "
                   "grabado nada de este comprobante ni de lo demás grabado en ella.");

class PosteoEnTransaccion : public ConPosteo {
protected:
    void SetUp() override {
        ConPosteo::SetUp();
        // The error log file goes into the test's own folder.
        temp.Quita();
        tmp.Quita();
        carpetaAntes = Maquina().CarpetaAlternativa();
        Maquina().setCarpetaAlternativa(registro.path());
    }
    // The lines of the error log file.
    QStringList Registro() const {
        QFile f(registro.filePath("CVERR.LOG"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(f.readAll()).split("\r\n", Qt::SkipEmptyParts);
    }
    static int Propias() { return Valor("SELECT COUNT(*) FROM V_TA_Unidad WHERE IdUnidad = '  ZZ'").toInt(); }
    static int Profundidad() { return Valor("SELECT @@TRANCOUNT").toInt(); }
    static double Asentado(const QString& id) {
        return Valor("SELECT SUM(Importe) FROM MV_ASIENTOS WHERE TC = '  IR' AND SUCURSAL + NUMERO + LETRA = "
                     "'" +
                     id + "' AND [DEBE-HABER] = 'D'")
            .toDouble();
    }
    // Posts line by line: the one message shown. `llamador`: inside a transaction that the caller
    // began and stored a row of its own in.
    QString PosteaPorLinea(const std::vector<LineaGrilla>& lineas, Llamada& ll, bool llamador = false) {
        if (llamador)
            Ejecuta("BEGIN TRANSACTION\r" + kPropia);
        guion.Limpia();
        auto g = GrillaArticulos(lineas);
        ll.GeneraSentenciaSQL = false;
        Postea(*g, ll);
        EXPECT_TRUE(ll.HayError);
        return guion.Mensajes().join(u'|');
    }
    void TearDown() override {
        QCoreApplication::removePostedEvents(&turno);
        Maquina().setCarpetaAlternativa(carpetaAntes);
        ConPosteo::TearDown();
        if (!admin.isEmpty()) {
            BorraBaseTsql(admin);
            BorraLoginSitio(login);
        }
    }
    // A new connection, the first to meet the entry tables; on the server a site's, whose login is
    // not the superuser and whose administration database holds deposits and cash desks only (the
    // entries are the session's).
    void ConexionNueva() {
        AD().LeeConexion().Close();
        if (!PruebasEnServidorTsql()) {
            AD().Conecta();
            return;
        }
        admin = BaseTsql() + QStringLiteral("_adm");
        login = BaseTsql() + QStringLiteral("_sitio");
        CreaBaseAdministracion(admin, QStringLiteral("('   1', 'Central', '   1', NULL)"));
        CreaLoginSitio(login, BaseTsql());
        DaDerechosSitio(admin, login, {QStringLiteral("V_TA_Deposito"), QStringLiteral("V_TA_Cajas")});
        AD().AsignaDatoConexion(QStringLiteral("ADMIN=") + admin);
        ConectaTsql(AD(), BaseTsql(), login);
    }
    QString admin;
    QString login;
    void ConectaOtra() {
        if (PruebasEnServidorTsql()) {
            ConectaTsql(otra, BaseTsql());
            return;
        }
        otra.AsignaServidor(QStringLiteral("sqlite"));
        otra.AsignaBaseDatos(RutaBase());
        otra.Conecta();
    }
    // Runs `accion` once, at the first yield of the posting at which `listo` holds.
    void AlCeder(const std::function<bool()>& listo, const std::function<void()>& accion) {
        QMetaObject::invokeMethod(
            &turno,
            [=, this] {
                if (listo())
                    accion();
                else
                    AlCeder(listo, accion);
            },
            Qt::QueuedConnection);
    }
    // Another station, on a connection of its own (ConectaOtra), runs what `sql` gives then.
    void OtraAlCeder(const std::function<bool()>& listo, const std::function<QString()>& sql) {
        AlCeder(listo, [=, this] { otra.EjecutaSQL(sql()); });
    }
    AccesoDatos otra;
    QObject turno;
    VariableEntorno temp{"temp"};
    VariableEntorno tmp{"tmp"};
    QTemporaryDir registro;
    QString carpetaAntes;
};

// The caller stores a row of its own in its transaction and posts four lines, the third refused
// (a position longer than its column): only that line is undone; the caller's row and lines 1-2
// with their entry stay in its transaction, which its COMMIT stores and its ROLLBACK removes.
TEST_F(PosteoEnTransaccion, UnaLineaRechazadaSeDeshaceSolaYLaTransaccionDelLlamadorSigue) {
    for (const bool confirma : {false, true}) {
        SCOPED_TRACE(confirma ? "COMMIT" : "ROLLBACK");
        Llamada ll;
        ll.SucNroLetra = confirma ? "000100000061X" : "000100000060X";
        const QString mensaje =
            PosteaPorLinea({Linea("1001", "2"), Linea("1002", "1"),
                            Linea("1003", "1", {{4, QString(20, 'X')}}), Linea("1004", "1")},
                           ll, true);
        EXPECT_TRUE(mensaje.endsWith(kQuedaron)) << mensaje.toStdString();
        EXPECT_EQ(Profundidad(), 1);
        EXPECT_EQ(NumeroDeError([&] { Ejecuta(confirma ? "COMMIT TRANSACTION" : "ROLLBACK TRANSACTION"); }),
                  0);
        EXPECT_EQ(Profundidad(), 0);
        EXPECT_EQ(Propias(), confirma ? 1 : 0);
        EXPECT_EQ(Filas("IR", ll.SucNroLetra).size(), confirma ? 2u : 0u);
        EXPECT_EQ(Asentado(ll.SucNroLetra), confirma ? 30 : 0); // 2 + 1 units at 10
        // The refusal stays in the error log file whatever the caller did with its transaction, in
        // words that its end cannot make untrue.
        const QStringList lineas = Registro();
        ASSERT_EQ(lineas.size(), confirma ? 2 : 1);
        EXPECT_TRUE(
            lineas.back().contains("Rutina: - ActualizaStock Mensaje Ha ocurrido el Siguiente Error (8152)"))
            << lineas.back().toStdString();
        EXPECT_TRUE(lineas.back().contains("Comprobante IR " + ll.SucNroLetra + ":"))
            << lineas.back().toStdString();
        EXPECT_TRUE(lineas.back().contains(
            " Las líneas anteriores a la línea 3 quedaron dentro de la transacción en curso, cuyo "
            "final decide si se graban; desde la línea 3 no se grabó nada. Respondió"))
            << lineas.back().toStdString();
    }
}

// Every data path the shared voucher code offers its callers, inside a transaction of the
// caller's on a connection that meets the entry tables there first: the numbering checked against
// the entries, a discharge's identity, the entry's look-ups, a posting in each mode and its range
// update. Nothing they send of their own accord ends or changes that transaction: its COMMIT
// stores the caller's row with both vouchers and their entries.
TEST_F(PosteoEnTransaccion, CadaCaminoDeDatosConservaLaTransaccionDelLlamador) {
    ConexionNueva();
    AbreRangoDescarga();
    Ejecuta("BEGIN TRANSACTION\r" + kPropia);
    const auto sigue = [](const char* paso) {
        EXPECT_EQ(Profundidad(), 1) << paso;
        EXPECT_EQ(Propias(), 1) << paso;
    };
    QString suc = "0001", nro, letra = "B";
    bool modifica = false;
    Obtener_Nro_Comprobante("OT", suc, nro, letra, modifica, true, QString(), gUnidadNegocio, false);
    EXPECT_FALSE(nro.isEmpty());
    sigue("numeración");
    EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "000100000005X");
    sigue("identidad de una descarga");
    const QString tipo = ObtieneTipoRegCont("IR");
    EXPECT_GT(ObtieneNroAsiento(3, "2025", tipo), 0);
    QString referencia;
    EXPECT_FALSE(ExisteAsiento("IR", "0001", "00000070", "X", referencia, QString(), true));
    sigue("consultas del asiento");
    const QStringList ids = {"000100000070X", "000100000071X"};
    for (const bool tanda : {true, false}) {
        Llamada ll;
        ll.SucNroLetra = ids[tanda ? 0 : 1];
        ll.GeneraSentenciaSQL = tanda;
        auto g = GrillaArticulos({Linea("1001", "2"), Linea("1002", "3")});
        Postea(*g, ll);
        EXPECT_FALSE(ll.HayError) << guion.Mensajes().join(u'|').toStdString();
        QString rango;
        QString l = "X";
        ActualizaNumeracion("IR", "STOCK", "0001", tanda ? "71" : "72", l, true, rango, false, false);
        bool hayError = false;
        qint32 numero = 0;
        QString texto, mensajes;
        GActualizarDatoScript(DivideTanda(ll.SqlTemp + '\r' + rango), hayError, numero, false, false, texto,
                              mensajes, false);
        EXPECT_FALSE(hayError) << mensajes.toStdString();
        sigue(tanda ? "posteo en tanda" : "posteo por línea");
    }
    EXPECT_EQ(NumeroDeError([] { Ejecuta("COMMIT TRANSACTION"); }), 0);
    EXPECT_EQ(Profundidad(), 0);
    EXPECT_EQ(Propias(), 1);
    for (const QString& id : ids) {
        EXPECT_EQ(Filas("IR", id).size(), 2u) << id.toStdString();
        EXPECT_EQ(Asentado(id), 50) << id.toStdString();
    }
    EXPECT_EQ(Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  IR'"), "72");
}

// The caller's transaction ends while the posting yields after line 1, by its ROLLBACK, by the
// connection lost (the depth can no longer be read: the database undid the transaction) or by its
// COMMIT: the next line is not posted, and the words say what stayed: nothing, nothing, or line 1
// and nothing from line 2 on.
TEST_F(PosteoEnTransaccion, SiLaTransaccionDelLlamadorTerminaDuranteElPosteoSeDiceQueQuedo) {
    const QString nada =
        QStringLiteral("no quedó grabado nada de este comprobante ni de lo demás grabado en ella.");
    const struct {
        const char* fin;
        QString palabras;
    } casos[] = {
        {"ROLLBACK", "\r\nLa transacción en curso se deshizo mientras se grababa el comprobante: " + nada},
        {"conexión", "\r\nLa base de datos deshizo toda la transacción en curso: " + nada},
        {"COMMIT", "\r\nLa transacción en curso se confirmó mientras se grababa el comprobante: su COMMIT "
                   "guardó lo grabado hasta entonces. Quedaron grabadas las líneas anteriores a la línea 2; "
                   "desde la línea 2 no se grabó nada."},
    };
    int numero = 62;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.fin);
        const bool confirma = c.fin == std::string("COMMIT");
        const bool perdida = c.fin == std::string("conexión");
        Llamada ll;
        ll.SucNroLetra = QStringLiteral("0001000000%1X").arg(numero++);
        // Lost, the connection is next used by line 2's own statements: nothing looked up before.
        AjustaConfiguracion(QStringLiteral("ASIENTOSXSTOCK"), QLatin1String(perdida ? "NO" : "SI"));
        cls = std::make_unique<ClsCmnCptesPosteo>();
        if (perdida)
            ll.Cuenta = QStringLiteral("1.1.1.01");
        AlCeder(
            [&] {
                return Valor("SELECT COUNT(*) FROM V_MV_STOCK WHERE TC = '  IR' AND IdComprobante = '" +
                             ll.SucNroLetra + "'")
                           .toInt() > 0;
            },
            [&] {
                if (perdida)
                    AD().LeeConexion().Close();
                else
                    AD().EjecutaSQL(QLatin1String(c.fin) + QStringLiteral(" TRANSACTION"));
            });
        const QString mensaje =
            PosteaPorLinea({Linea("1001", "2"), Linea("1002", "1"), Linea("1003", "1")}, ll, true);
        if (perdida)
            AD().Conecta();
        EXPECT_TRUE(mensaje.endsWith(c.palabras)) << mensaje.toStdString();
        EXPECT_EQ(Profundidad(), 0);
        EXPECT_EQ(Propias(), confirma ? 1 : 0);
        const auto filas = Filas("IR", ll.SucNroLetra);
        ASSERT_EQ(filas.size(), confirma ? 1u : 0u);
        if (confirma) {
            EXPECT_EQ(filas[0]["IDARTICULO"].toString().trimmed(), "1001");
        }
        EXPECT_EQ(Asentado(ll.SucNroLetra), confirma ? 20 : 0);
    }
}

// The embedded engine's only (its authorizer makes the refusal): not in the T-SQL server's tests.
#ifndef MODELOS_PRUEBAS_TSQL

// An SQLite connection's refusal of the savepoint's name (the data layer saves it again over
// itself): the next refused SAVE TRANSACTION.
struct GuardadoNegado {
    static inline int guardados = 0;
    static inline int niega = 0; // the savepoint refused, by its number; 0: none
    static int Autoriza(void*, int accion, const char* operacion, const char* nombre, const char*,
                        const char*) {
        if (accion != SQLITE_SAVEPOINT || qstrcmp(operacion, "BEGIN") != 0 ||
            qstricmp(nombre, "FilaPosteo") != 0)
            return SQLITE_OK;
        return ++guardados == niega ? SQLITE_DENY : SQLITE_OK;
    }
};

// The refusal is the test's: its authorizer takes the place of the data layer's on every
// connection the layer opened.
class GuardadoRechazado : public PosteoEnTransaccion {
protected:
    void SetUp() override {
        PosteoEnTransaccion::SetUp();
        const std::vector<sqlite3*> conexiones = ConexionesSqliteDeLaCapa();
        ASSERT_FALSE(conexiones.empty());
        for (sqlite3* db : conexiones)
            sqlite3_set_authorizer(db, &GuardadoNegado::Autoriza, nullptr);
    }
};

// A refused savepoint is never rolled back to: the name would undo the line before. Line 2's is
// refused: line 1 and the caller's row stay in its transaction, and the words say so.
TEST_F(GuardadoRechazado, UnGuardadoRechazadoNoDeshaceLaLineaAnterior) {
    GuardadoNegado::guardados = 0;
    GuardadoNegado::niega = 2;
    Llamada ll;
    const QString mensaje =
        PosteaPorLinea({Linea("1001", "2"), Linea("1002", "1"), Linea("1003", "1")}, ll, true);
    GuardadoNegado::niega = 0;
    EXPECT_TRUE(mensaje.endsWith(
        "\r\nQuedaron grabadas las líneas anteriores a la línea 2; desde la línea 2 no se grabó nada."))
        << mensaje.toStdString();
    EXPECT_EQ(Profundidad(), 1);
    Ejecuta("COMMIT TRANSACTION");
    EXPECT_EQ(Propias(), 1);
    EXPECT_EQ(Filas("IR", ll.SucNroLetra).size(), 1u);
}
#endif

// Where the database ends the caller's transaction itself (XACT_ABORT on the server, a trigger's
// rollback on the embedded file), the words say that nothing of it stayed, and nothing did.
TEST_F(PosteoEnTransaccion, SiLaBaseTerminaLaTransaccionDelLlamadorSeDiceQueNadaQuedo) {
    const bool servidor = PruebasEnServidorTsql();
    Ejecuta(servidor
                ? QStringLiteral("SET XACT_ABORT ON")
                : QStringLiteral("CREATE TRIGGER SIN_1003 BEFORE INSERT ON V_MV_STOCK WHEN NEW.IdArticulo "
                                 "LIKE '%1003' BEGIN SELECT RAISE(ROLLBACK, 'sin 1003'); END"));
    Llamada ll;
    const QString mensaje = PosteaPorLinea(
        {Linea("1001", "2"), Linea("1002", "1"), Linea("1003", "1", {{4, servidor ? QString(20, 'X') : ""}})},
        ll, true);
    EXPECT_TRUE(mensaje.endsWith(kNadaQuedo)) << mensaje.toStdString();
    EXPECT_EQ(Profundidad(), 0);
    EXPECT_EQ(Propias(), 0);
    EXPECT_TRUE(Filas("IR", ll.SucNroLetra).empty());
    EXPECT_EQ(NumeroDeError([] { Ejecuta("COMMIT TRANSACTION"); }), 3902);
    if (servidor)
        Ejecuta("SET XACT_ABORT OFF");
}

// Another station stores the automatic lot, then the entry number, that the posting drew, before
// the line that stores it (the entry's after the first lot of a line of two): the line is refused
// in words, nothing of the voucher is stored, and no two vouchers share the number.
TEST_F(PosteoEnTransaccion, UnNumeroQueOtroGuardoTrasSortearloNoSeRepite) {
    ConectaOtra();
    AjustaConfiguracion(QStringLiteral("ASIGNACIONAUTOMATICADELOTEING"), QStringLiteral("SI"));
    Llamada lote;
    OtraAlCeder([&] { return !lote.LoteFijo.isEmpty(); },
                [&] {
                    return "INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia, IdArticulo, "
                           "NroLote, "
                           "Cantidad) VALUES ('  IR', '000999999999X', 0, 1, '" +
                           UT().RellenaCodigo("1001", 25) + "', '" + UT().RellenaCodigo(lote.LoteFijo, 25) +
                           "', 1)";
                });
    const QString tomado = "\r\nNo se grabó nada. Vuelva a grabar y se tomará el siguiente número.";
    EXPECT_EQ(PosteaPorLinea({Linea("1001", "2")}, lote),
              "El lote automático 42 ya fue tomado por otro comprobante." + tomado);
    EXPECT_TRUE(Filas("IR", lote.SucNroLetra).empty());
    EXPECT_EQ(Columna("SELECT IdComprobante FROM V_MV_STOCK WHERE NroLote = '" +
                      UT().RellenaCodigo("42", 25) + "'"),
              QStringList{"000999999999X"});

    AjustaConfiguracion(QStringLiteral("ASIGNACIONAUTOMATICADELOTEING"), QStringLiteral("NO"));
    cls->NroAsientoActual = 0;
    QString numero;
    OtraAlCeder([&] { return cls->NroAsientoActual != 0; },
                [&] {
                    numero = QString::number(static_cast<qint64>(cls->NroAsientoActual));
                    return "INSERT INTO MV_ASIENTOS (Mes_Operativo, [Numero Asiento], TC, SUCURSAL, NUMERO, "
                           "LETRA, PERIODO, "
                           "Tipo_Reg, Importe) VALUES (3, " +
                           numero + ", '  AJ', '0009', '99999999', 'X', 2025, '" +
                           ObtieneTipoRegCont("IR").trimmed() + "', 1)";
                });
    Llamada ll;
    const QString mensaje =
        PosteaPorLinea({Linea("1015", "3", {{20, "1"}, {21, "|L1015A|L1015B|L1015B|"}})}, ll);
    EXPECT_EQ(mensaje, "El número de asiento " + numero + " ya fue tomado por otro comprobante." + tomado);
    EXPECT_TRUE(Filas("IR", ll.SucNroLetra).empty());
    EXPECT_EQ(Columna("SELECT TC + NUMERO FROM MV_ASIENTOS WHERE Mes_Operativo = 3 AND PERIODO = 2025 AND "
                      "[Numero Asiento] = " +
                      numero),
              QStringList{"  AJ99999999"});
    // Without a transaction of the caller's the error row is stored: the log file gets nothing.
    EXPECT_TRUE(Registro().isEmpty()) << Registro().join('\n').toStdString();
}

} // namespace

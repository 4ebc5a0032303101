// A per-line posting inside a transaction its caller holds, and the numbers a per-line posting
// draws, on every engine (the T-SQL tests run this file too).

#include "BasePosteo.h"

#include "Asientos.h"
#include "Ayudas.h"
#include "BaseTsql.h"
#include "Comun.h"
#include "InfoMaquina.h"

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
    }
    // Another station, on a connection of its own, runs what `sql` gives once, at the first yield
    // of the posting at which `listo` holds.
    void ConectaOtra() {
        if (PruebasEnServidorTsql()) {
            ConectaTsql(otra, BaseTsql());
            return;
        }
        otra.AsignaServidor(QStringLiteral("sqlite"));
        otra.AsignaBaseDatos(RutaBase());
        otra.Conecta();
    }
    // `en`: the connection that runs it, when not the other station's (the caller's own).
    void AlCeder(const std::function<bool()>& listo, const std::function<QString()>& sql,
                 AccesoDatos* en = nullptr) {
        QMetaObject::invokeMethod(
            &turno,
            [=, this] {
                if (listo())
                    (en ? *en : otra).EjecutaSQL(sql());
                else
                    AlCeder(listo, sql, en);
            },
            Qt::QueuedConnection);
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
        // The refusal stays in the error log file whatever the caller did with its transaction.
        const QStringList lineas = Registro();
        ASSERT_EQ(lineas.size(), confirma ? 2 : 1);
        EXPECT_TRUE(
            lineas.back().contains("Rutina: ActualizaStock Mensaje Ha ocurrido el Siguiente Error (8152)"))
            << lineas.back().toStdString();
        EXPECT_TRUE(lineas.back().contains("Comprobante IR " + ll.SucNroLetra + ":"))
            << lineas.back().toStdString();
        EXPECT_TRUE(lineas.back().contains("desde la línea 3 no se grabó nada."))
            << lineas.back().toStdString();
    }
}

// The caller commits its transaction while the posting yields after line 1: the next line is not
// posted, and the words say that the COMMIT kept line 1 and nothing from line 2 on.
TEST_F(PosteoEnTransaccion, SiElLlamadorConfirmaDuranteElPosteoSeDiceQueLineasGuardo) {
    Llamada ll;
    ll.SucNroLetra = "000100000062X";
    const auto guardada = [&] {
        return Valor("SELECT COUNT(*) FROM V_MV_STOCK WHERE TC = '  IR' AND IdComprobante = '" +
                     ll.SucNroLetra + "'")
                   .toInt() > 0;
    };
    AlCeder(
        guardada, [] { return QStringLiteral("COMMIT TRANSACTION"); }, &AD());
    const QString mensaje =
        PosteaPorLinea({Linea("1001", "2"), Linea("1002", "1"), Linea("1003", "1")}, ll, true);
    EXPECT_TRUE(
        mensaje.endsWith("\r\nLa transacción en curso se confirmó mientras se grababa el comprobante: su "
                         "COMMIT guardó lo grabado hasta entonces. Quedaron grabadas las líneas anteriores "
                         "a la línea 2; desde la línea 2 no se grabó nada."))
        << mensaje.toStdString();
    EXPECT_EQ(Profundidad(), 0);
    EXPECT_EQ(Propias(), 1);
    const auto filas = Filas("IR", ll.SucNroLetra);
    ASSERT_EQ(filas.size(), 1u);
    EXPECT_EQ(filas[0]["IDARTICULO"].toString().trimmed(), "1001");
    EXPECT_EQ(Asentado(ll.SucNroLetra), 20);
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
    AlCeder([&] { return !lote.LoteFijo.isEmpty(); },
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
    AlCeder([&] { return cls->NroAsientoActual != 0; },
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

// A per-line posting inside a transaction its caller holds, and the numbers a per-line posting
// draws, on every engine (the T-SQL tests run this file too).

#include "BasePosteo.h"

#include "Asientos.h"
#include "Ayudas.h"
#include "BaseTsql.h"

#include <QCoreApplication>
#include <QObject>
#include <functional>

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
    void AlCeder(const std::function<bool()>& listo, const std::function<QString()>& sql) {
        QMetaObject::invokeMethod(
            &turno,
            [=, this] {
                if (listo())
                    otra.EjecutaSQL(sql());
                else
                    AlCeder(listo, sql);
            },
            Qt::QueuedConnection);
    }
    AccesoDatos otra;
    QObject turno;
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
    }
}

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
}

} // namespace

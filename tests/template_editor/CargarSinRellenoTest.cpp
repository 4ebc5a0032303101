// Cargar takes a balance whose article code another program stored without the master's fill:
// the balance names its article all the same, on the embedded database and on a site's server.

#include "Teclas.h"
#include "VentanaDemo.h"

namespace {

class CargarSinRelleno : public ConVentanaDemo {};

TEST_F(CargarSinRelleno, UnSaldoConElCodigoSinRellenoEsUnaLineaComoLosDemas) {
    // Article 1013 (digits: stored right-aligned) and TORN-6X40 (left-aligned) keep their
    // balances of deposit 1 under the bare code; 1001's stays as the master stores it.
    Ejecuta("UPDATE STK_SALDOS_UNIDADES SET IDARTICULO = '1013', STOCK = 9 WHERE IDDEPOSITO = '   1' AND "
            "IDARTICULO = '" +
            UT().RellenaCodigo("1013", 25) + "'");
    Ejecuta(
        "UPDATE STK_SALDOS_UNIDADES SET IDARTICULO = 'TORN-6X40', STOCK = 4 WHERE IDDEPOSITO = '   1' AND "
        "IDARTICULO = '" +
        UT().RellenaCodigo("TORN-6X40", 25) + "'");
    ASSERT_EQ(Filas("SELECT COUNT(*) FROM STK_SALDOS_UNIDADES WHERE IDARTICULO IN ('1013', 'TORN-6X40') AND "
                    "IDDEPOSITO = '   1'"),
              QStringList{"2"});
    NuevaPlantilla();
    Campo("DepositoOrigen").setText("1");
    guion.AgregaRespuesta(Respuesta::Si);
    F().CmdCargar_Click();
    QStringList tomadas;
    for (int f = 1; f < G().Rows(); ++f)
        if (QStringList{"1013", "TORN-6X40", "1001"}.contains(Celda(f, col::CodigoArticulo)))
            tomadas << Celda(f, col::CodigoArticulo) + "|" + Celda(f, col::Unidad) + "|" +
                           Celda(f, col::Cantidad) + "|" + Celda(f, col::Descripcion);
    tomadas.sort();
    // Each in the article's base unit, with its description and the balance's quantity.
    const auto linea = [](const char* codigo, const QString& cantidad) {
        const QStringList a = Filas("SELECT IDUNIDAD, DESCRIPCION FROM V_MA_ARTICULOS WHERE IDARTICULO = '" +
                                    UT().RellenaCodigo(codigo, 25) + "'")
                                  .value(0)
                                  .split('|');
        return QString(codigo) + "|" + a.value(0).trimmed() + "|" + cantidad + "|" + a.value(1).trimmed();
    };
    const QString stock1001 = Filas("SELECT STOCK FROM STK_SALDOS_UNIDADES WHERE IDDEPOSITO = '   1' AND "
                                    "IDARTICULO = '" +
                                    UT().RellenaCodigo("1001", 25) + "'")
                                  .value(0);
    EXPECT_EQ(tomadas.join('\n').toStdString(),
              QStringList({linea("1001", stock1001), linea("1013", "9"), linea("TORN-6X40", "4")})
                  .join('\n')
                  .toStdString());
    // Nothing was left out without a word: the only message after the completion names the
    // suspended articles.
    ASSERT_EQ(guion.Mensajes().size(), 3) << guion.Mensajes().join('\n').toStdString();
    EXPECT_TRUE(guion.Mensajes()[2].startsWith("Estos artículos del depósito no se cargaron:"));
}

} // namespace

// Translation of a stock posting's statements: 10,000 INSERTs of 26 columns (dates among them, and
// texts shaped like dates) and the date conditions of the voucher queries. The baseline is one plain
// pass over the same texts (upper-casing each one), measured in turns with the translation; the best
// of several rounds counts.

#include "TraductorSql.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>

namespace {

QStringList Sentencias() {
    QStringList s;
    s.reserve(10000);
    for (int i = 0; i < 10000; ++i) {
        const QString fecha = QStringLiteral("%1/%2/24 %3:%4")
                                  .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                  .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                  .arg(i % 24, 2, 10, QLatin1Char('0'))
                                  .arg(i % 60, 2, 10, QLatin1Char('0'));
        s << QStringLiteral(
                 "INSERT INTO V_MV_STOCK(TC,IdComprobante,IdComplemento,Secuencia,Fecha,IdDeposito,"
                 "IdArticulo,Descripcion,NroLote,IdUnidad,CantidadUd,IdUnidadBase,equiv_udbase,"
                 "Cantidad,IdCaja,CuentaProveedor,IdMotivoStock,PrecioVenta,Importe_S_iva,Costo,"
                 "Tc_Origen,IdComprobante_Origen,ControladoPor,Unegocio,ARTMONEDA,ARTCOTIZACION) "
                 "VALUES ('  TR','0001%1X',0,%2,'%3','   1','%4','Artículo %4','%5','  UN',1.5,"
                 "'  UN',1,1.5,'   1','','   3',10.25,10.25,8.5,'','','','   1','1',1)")
                 .arg(i, 8, 10, QLatin1Char('0'))
                 .arg(i % 50 + 1)
                 .arg(fecha)
                 .arg(1001 + i % 300, 25)
                 .arg(i % 7 == 0 ? fecha.left(8) : QStringLiteral("L%1").arg(i));
        if (i % 10 == 0)
            s << QStringLiteral("SELECT * FROM V_MV_CPTE  with(nolock)  WHERE TC = '  NP' and fecha >= '%1' "
                                "AND NOMBRE LIKE '%%%2%%' ORDER BY FECHA DESC")
                     .arg(fecha.left(8))
                     .arg(i);
    }
    return s;
}

} // namespace

int main() {
    const QStringList sentencias = Sentencias();
    double mejorTraduce = 1e9;
    double mejorBase = 1e9;
    qsizetype control = 0;
    for (int ronda = 0; ronda < 7; ++ronda) {
        QElapsedTimer reloj;
        reloj.start();
        for (const QString& s : sentencias)
            control += s.toUpper().size();
        mejorBase = std::min(mejorBase, double(reloj.nsecsElapsed()) / 1e9);
        reloj.restart();
        for (const QString& s : sentencias)
            control += TraduceSqlServerASqlite(s).size();
        mejorTraduce = std::min(mejorTraduce, double(reloj.nsecsElapsed()) / 1e9);
    }
    std::printf("time traduce_10000_inserts_y_consultas %.6f\n", mejorTraduce);
    std::printf("time base_mayusculas_mismos_textos %.6f\n", mejorBase);
    std::printf("ratio traduce_vs_base %.2f\n", mejorTraduce / mejorBase);
    return control > 0 ? 0 : 1;
}

// What a voucher's grid cells may hold and what the posting makes of it: a line's deposit that is
// always a text, column 22 read with the meaning its line gives it (transfers take in what left,
// a lot named twice posts every entry), codes never cut and never read as NULL, and quantities
// refused where they do not fit instead of looping or overflowing.

#include "BasePosteo.h"

#include "ListaPipe.h"
#include "TandasSql.h"

#include <QRandomGenerator>
#include <algorithm>

namespace {

QString Texto(const QMap<QString, QVariant>& f, const char* col) {
    return f[QString::fromLatin1(col).toUpper()].toString();
}

// A voucher's rows, one text each: deposit, article, lot, serial, quantity.
QStringList Resumen(const QString& tc, const QString& id) {
    QStringList r;
    for (const auto& f : ConPosteo::Filas(tc, id))
        r << QString("%1 %2 %3 %4 %5")
                 .arg(Texto(f, "IdDeposito").trimmed(), Texto(f, "IdArticulo").trimmed(),
                      f["NROLOTE"].isNull() ? "-" : Texto(f, "NroLote").trimmed(),
                      f["NROSERIE"].isNull() ? "-" : Texto(f, "NroSerie").trimmed())
                 .arg(f["CANTIDAD"].toDouble());
    return r;
}

class CeldasGrilla : public ConPosteo {
protected:
    // Posts in batch mode and runs the batch as a voucher form saves; true when it was stored.
    bool PosteaYIntentaGuardar(Grilla& g, Llamada& ll) const {
        Postea(g, ll);
        if (ll.HayError)
            return false;
        bool hayError = false;
        qint32 numero = 0;
        QString tanda, mensajes;
        GActualizarDatoScript(DivideTanda(ll.SqlTemp), hayError, numero, false, false, tanda, mensajes, true);
        return !hayError;
    }
    static Llamada Transferencia() {
        Llamada ll;
        ll.TC = "TR";
        ll.EsTransferencia = true;
        ll.IdDepositoDestino = "2";
        return ll;
    }
    static QString Viajes() { return Valor("SELECT COUNT(*) FROM MV_VIAJES"); }
};

TEST_F(CeldasGrilla, LaCeldaDeDepositoEsSiempreUnTexto) {
    AbreRangoDescarga();
    const QString viajes = Viajes();
    ASSERT_NE(viajes, "0");
    // A statement after a line break once ran on its own in per-line mode; a cell ending with an
    // apostrophe was taken as already quoted and spliced as it stood.
    const QString borra = "'   1'\rDELETE FROM MV_VIAJES\rSELECT '";
    const QString subconsulta = "(SELECT '   9')||''";
    for (const bool tanda : {true, false}) {
        int n = 0;
        for (const QString& celda : {borra, subconsulta, QString("3'"), QString(" 3 ")}) {
            auto g =
                GrillaArticulos({Linea("1001", "1", {{6, celda}}), Linea("HAMBURGUESA", "1", {{6, celda}})});
            Llamada ll;
            ll.TC = "VS";
            ll.SucNroLetra = QString("0001%1X").arg(70 + n++ + (tanda ? 0 : 10), 8, 10, QChar('0'));
            ll.GeneraSentenciaSQL = tanda;
            const bool guardado = tanda ? PosteaYIntentaGuardar(*g, ll) : (Postea(*g, ll), !ll.HayError);
            EXPECT_EQ(Viajes(), viajes) << celda.toStdString();
            const auto filas = Filas("VS", ll.SucNroLetra);
            if (celda.trimmed().size() > 4) { // longer than the column: refused, never run
                EXPECT_FALSE(guardado);
                EXPECT_TRUE(filas.empty());
                EXPECT_TRUE(guion.Mensajes().join('\n').contains("String or binary data would be truncated"));
            } else { // stored as typed, in the voucher's rows and in its discharge
                ASSERT_TRUE(guardado) << guion.Mensajes().join('\n').toStdString();
                ASSERT_EQ(filas.size(), 2u);
                const QString esperado = UT().RellenaCodigo(celda.trimmed(), 4);
                EXPECT_EQ(Texto(filas[0], "IdDeposito"), esperado);
                EXPECT_EQ(Valor("SELECT group_concat(DISTINCT IdDeposito) FROM V_MV_STOCK WHERE TC = '  PE' "
                                "AND IdComprobante_Origen = '" +
                                ll.SucNroLetra + "'"),
                          esperado);
            }
            guion.Limpia();
        }
    }
}

TEST_F(CeldasGrilla, LaTransferenciaEntraLoQueSalio) {
    const QChar fin = ListaPipe::MarcaFin;
    auto g = GrillaArticulos({
        // Equal quantities: two lots, never one lot with a quantity for serial number.
        Linea("1015", "6", {{20, "1"}, {21, "|L1015A|L1015B|"}, {22, "|3|3|"}}),
        // Lot and serial entries of a serial-numbered line.
        Linea("1021", "2", {{19, "1"}, {21, QString("|LS%1S-1|LS%1S-2|").arg(fin)}, {22, "|1|1|"}}),
        // A size line: each size with its own quantity.
        Linea("REMERA-ALG", "3",
              {{61, "1"}, {21, QString("|M-AZUL-H%1|L-ROJO-M%1|").arg(fin)}, {22, "|2|1|"}}),
    });
    Llamada ll = Transferencia();
    PosteaYGuarda(*g, ll);
    EXPECT_EQ(Resumen("TR", ll.SucNroLetra),
              (QStringList{"1 1015 L1015A - -3", "1 1015 L1015B - -3", "1 1021 LS S-1 -1", "1 1021 LS S-2 -1",
                           "1 REMERA-ALG M-AZUL-H - -2", "1 REMERA-ALG L-ROJO-M - -1", "2 1015 L1015A - 3",
                           "2 1015 L1015B - 3", "2 1021 LS S-1 1", "2 1021 LS S-2 1",
                           "2 REMERA-ALG M-AZUL-H - 2", "2 REMERA-ALG L-ROJO-M - 1"}));
    VerificaInvariantes("TR", ll.SucNroLetra,
                        {{{"1015", "1"}, -6},
                         {{"1015", "2"}, 6},
                         {{"1021", "1"}, -2},
                         {{"1021", "2"}, 2},
                         {{"REMERA-ALG", "1"}, -3},
                         {{"REMERA-ALG", "2"}, 3}});
}

TEST_F(CeldasGrilla, CadaEntradaDeUnaLineaSePostea) {
    // Out: a lot named twice posts each of its entries; a blank entry takes its own quantity.
    auto salida =
        GrillaArticulos({Linea("1015", "3", {{20, "1"}, {21, "|L1015A|L1015A|L1015B|"}, {22, "|1|1|1|"}}),
                         Linea("1060", "5", {{20, "1"}, {21, "|L1060A||L1060B|"}, {22, "|1|2|2|"}})});
    Llamada vs;
    vs.TC = "VS";
    PosteaYGuarda(*salida, vs);
    EXPECT_EQ(Resumen("VS", vs.SucNroLetra),
              (QStringList{"1 1015 L1015A - -1", "1 1015 L1015A - -1", "1 1015 L1015B - -1",
                           "1 1060 L1060A - -1", "1 1060 - - -2", "1 1060 L1060B - -2"}));
    // In: lots with their quantities, equal or not, and never a quantity for a serial number.
    auto entrada = GrillaArticulos({Linea("1015", "6", {{20, "1"}, {21, "|L1|L2|"}, {22, "|3|3|"}}),
                                    Linea("1060", "4", {{20, "1"}, {21, "|L3|"}, {22, "|4|"}})});
    Llamada ir;
    PosteaYGuarda(*entrada, ir);
    EXPECT_EQ(Resumen("IR", ir.SucNroLetra),
              (QStringList{"1 1015 L1 - 3", "1 1015 L2 - 3", "1 1060 L3 - 4"}));
}

// Generated transfers of lot, size and serial lines, lots and quantities drawn from small sets so
// that names and quantities repeat: the destination takes in exactly what the origin gave, and
// every entry of the lists is posted.
TEST_F(CeldasGrilla, TransferenciasGeneradasEspejanElOrigen) {
    QRandomGenerator azar(41);
    const QChar fin = ListaPipe::MarcaFin;
    for (int n = 0; n < 30; ++n) {
        std::vector<LineaGrilla> lineas;
        std::map<QString, double> porLote; // article and lot: what its entries take
        for (int i = azar.bounded(1, 5); i > 0; --i) {
            const int clase = azar.bounded(3);
            const QString art = clase == 1 ? "REMERA-ALG" : QString::number(1001 + azar.bounded(30));
            QStringList valores, cantidades;
            double total = 0;
            for (int k = azar.bounded(1, 6); k > 0; --k) {
                const int c = 1 + azar.bounded(2);
                QString v = QString("V%1").arg(azar.bounded(3));
                if (clase == 2)
                    v += fin + QString("S%1").arg(azar.bounded(4));
                else if (clase == 1)
                    v += fin;
                valores << v;
                cantidades << QString::number(c);
                porLote[art + ' ' + v.section(fin, 0, 0)] += c;
                total += c;
            }
            const int bandera = clase == 0 ? 20 : clase == 1 ? 61 : 19;
            lineas.push_back(Linea(
                art, QString::number(total),
                {{bandera, "1"}, {21, ListaPipe::Escribe(valores)}, {22, ListaPipe::Escribe(cantidades)}}));
        }
        auto g = GrillaArticulos(lineas);
        Llamada ll = Transferencia();
        ll.SucNroLetra = QString("0001%1X").arg(200 + n, 8, 10, QChar('0'));
        PosteaYGuarda(*g, ll);
        QStringList salen, entran;
        std::map<QString, double> tomado;
        for (const auto& f : Filas("TR", ll.SucNroLetra)) {
            const double q = f["CANTIDAD"].toDouble();
            const QString clave = QString("%1 %2 %3")
                                      .arg(Texto(f, "IdArticulo").trimmed(), Texto(f, "NroLote").trimmed(),
                                           Texto(f, "NroSerie").trimmed());
            (q < 0 ? salen : entran) << clave + ' ' + QString::number(std::abs(q));
            if (q < 0)
                tomado[Texto(f, "IdArticulo").trimmed() + ' ' + Texto(f, "NroLote").trimmed()] -= q;
        }
        EXPECT_EQ(salen, entran) << n;
        EXPECT_EQ(tomado, porLote) << n;
        if (HasFailure())
            return;
    }
}

TEST_F(CeldasGrilla, LotesYSeriesLargosSeRechazanYNullEsUnCodigo) {
    const QString largo = QString("L") + QString(25, 'X');
    int numero = 60;
    for (const bool tanda : {true, false}) {
        const auto rechaza = [&](const LineaGrilla& l, const QString& mensaje) {
            auto g = GrillaArticulos({Linea("1001", "1"), l});
            Llamada ll;
            // Per-line mode keeps the first line stored: each voucher needs a number of its own.
            ll.SucNroLetra = QString("0001%1X").arg(numero++, 8, 10, QChar('0'));
            ll.GeneraSentenciaSQL = tanda;
            ll.MuestraCartel = true;
            Postea(*g, ll);
            EXPECT_TRUE(ll.HayError);
            EXPECT_EQ(guion.Mensajes(), QStringList{mensaje});
            EXPECT_EQ(guion.Registros().back().titulo, "Atencion!");
            EXPECT_EQ(DllDisplay().Formulario(), nullptr);
            EXPECT_FALSE(ll.SqlTemp.contains(largo.left(25)));
            guion.Limpia();
        };
        rechaza(Linea("1015", "2", {{20, "1"}, {21, "|L1015A|" + largo + "|"}}),
                "El lote \"" + largo + "\" de la línea 2 tiene más de 25 caracteres");
        rechaza(Linea("1021", "1", {{19, "1"}, {22, "|" + largo + "|"}}),
                "El número de serie \"" + largo + "\" de la línea 2 tiene más de 25 caracteres");
        Llamada vs;
        vs.TC = "VS";
        vs.GeneraSentenciaSQL = tanda;
        auto g = GrillaArticulos(
            {Linea("1060", "1", {{21, QString("|%1%2S|").arg(largo, ListaPipe::MarcaFin)}, {22, "|1|"}})});
        Postea(*g, vs);
        EXPECT_TRUE(vs.HayError);
        guion.Limpia();
    }
    // The word NULL is a lot, a serial number or an article code like any other.
    auto g = GrillaArticulos({Linea("1015", "2", {{20, "1"}, {21, "|NULL|null|"}}),
                              Linea("1021", "1", {{19, "1"}, {22, "|Null|"}}), Linea("null", "3")});
    Llamada ll;
    ll.SucNroLetra = "000100000051X";
    PosteaYGuarda(*g, ll);
    EXPECT_EQ(Resumen("IR", ll.SucNroLetra),
              (QStringList{"1 1015 NULL - 2", "1 1021 - Null 1", "1 null - - 3"}));
}

TEST_F(CeldasGrilla, CantidadesQueNoCabenSeRechazanYLasUnidadesNoSonFilas) {
    Regional::Fijo regional('.', ',');
    for (const QString& cantidad : {QString("3000000000"), QString("-2147483648"), QString("1e20")}) {
        for (const bool tanda : {true, false}) {
            auto g = GrillaArticulos({Linea("1015", cantidad, {{20, "1"}, {21, "|A|B|"}})});
            Llamada ll;
            ll.GeneraSentenciaSQL = tanda;
            Postea(*g, ll);
            EXPECT_TRUE(ll.HayError);
            EXPECT_EQ(guion.Mensajes(),
                      QStringList{"La cantidad \"" + cantidad +
                                  "\" de la línea 1 excede el máximo admitido (2147483647)"});
            EXPECT_TRUE(Filas("IR", ll.SucNroLetra).empty());
            guion.Limpia();
        }
    }
    // A line of many units with a fixed lot: its lots' entries, then the rest under the fixed lot
    // in one row, never one row per unit.
    auto g = GrillaArticulos({Linea("1015", "22222", {{20, "1"}, {21, "|A|B|"}}),
                              Linea("1060", "22222", {{20, "1"}, {21, "|C|D|"}, {22, "|2|3|"}}),
                              Linea("1001", "7.5", {{46, "1"}, {21, "PER-1"}, {22, "|S1|S2|"}})});
    Llamada ll;
    ll.LoteFijo = "LF";
    PosteaYGuarda(*g, ll);
    EXPECT_EQ(
        Resumen("IR", ll.SucNroLetra),
        (QStringList{"1 1015 A - 1", "1 1015 B - 1", "1 1015 LF - 22220", "1 1060 C - 2", "1 1060 D - 3",
                     "1 1060 LF - 22217", "1 1001 PER-1 S1 1", "1 1001 PER-1 S2 1", "1 1001 PER-1 - 5.5"}));
    // Without a fixed lot, the units past the entries name nothing and bring nothing: none posts
    // the line's quantity again.
    auto sinLote = GrillaArticulos({Linea("1001", "5", {{22, "|SN-A|SN-B|"}})});
    Llamada otra;
    otra.SucNroLetra = "000100000051X";
    PosteaYGuarda(*sinLote, otra);
    EXPECT_EQ(Resumen("IR", otra.SucNroLetra), (QStringList{"1 1001 - SN-A 5", "1 1001 - SN-B 0"}));
}

} // namespace

// Per-line mode under a number another voucher already stored: its first row is refused in words
// alone, and nothing of it is stored.
TEST_F(CeldasGrilla, UnNumeroTomadoEnModoPorLineaSeDiceEnPalabras) {
    Llamada primero;
    primero.SucNroLetra = "000100000090X";
    auto g = GrillaArticulos({Linea("1001", "1")});
    PosteaYGuarda(*g, primero);
    Llamada segundo;
    segundo.SucNroLetra = primero.SucNroLetra;
    segundo.GeneraSentenciaSQL = false;
    auto otra = GrillaArticulos({Linea("1002", "2"), Linea("1003", "3")});
    Postea(*otra, segundo);
    EXPECT_TRUE(segundo.HayError);
    EXPECT_EQ(guion.Mensajes(),
              QStringList{"El número del comprobante ya fue tomado por otro puesto.\r\nNo se "
                          "grabó nada. Vuelva a grabar y se tomará el siguiente número."});
    EXPECT_EQ(Resumen("IR", primero.SucNroLetra), QStringList{"1 1001 - - 1"});
}

// The stock posting of real grids on the demo database, in batch and per-line mode.

#include "BasePosteo.h"

#include "Ayudas.h"
#include "ListaPipe.h"
#include "Regional.h"

#include <QRandomGenerator>

namespace {

using Esperado = StockEsperado;

QString Texto(const QMap<QString, QVariant>& f, const char* col) {
    return f[QString::fromLatin1(col).toUpper()].toString();
}
double Num(const QMap<QString, QVariant>& f, const char* col) {
    return f[QString::fromLatin1(col).toUpper()].toDouble();
}

TEST_F(ConPosteo, EntradaConLotesSeriesYTallesUnaFilaPorElemento) {
    const QChar fin(0x00FF);
    auto g = GrillaArticulos({
        // Three entries of two lots (the dialog's end markers on them): each lot with its count.
        Linea("1015", "3", {{20, "1"}, {21, QString("|L1015Cy|L1015Cy|L1015Dy|").replace('y', fin)}}),
        Linea("1021", "2", {{19, "1"}, {22, "|SN-A|SN-B|"}}),
        Linea("REMERA-ALG", "5", {{61, "1"}, {21, "|M-AZUL-H|L-ROJO-M|XL-NEGRO-H|"}, {22, "|2|0|3|"}}),
        Linea("1001", "4", {{4, "A1E01N1P01"}}),
    });
    Llamada ll;
    PosteaYGuarda(*g, ll);
    const auto filas = Filas("IR", ll.SucNroLetra);
    ASSERT_EQ(filas.size(), 7u);
    QStringList resumen;
    for (const auto& f : filas)
        resumen << QString("%1 %2 %3 %4 %5")
                       .arg(Num(f, "Secuencia"))
                       .arg(Texto(f, "IdArticulo").trimmed(), Texto(f, "NroLote").trimmed(),
                            Texto(f, "NroSerie").trimmed())
                       .arg(Num(f, "Cantidad"));
    EXPECT_EQ(resumen.join(" | "), "1 1015 L1015C  2 | 2 1015 L1015D  1 | 3 1021  SN-A 1 | 4 1021  SN-B 1 | "
                                   "5 REMERA-ALG M-AZUL-H  2 | 6 REMERA-ALG XL-NEGRO-H  3 | 7 1001   4");
    // Stored filled to their widths; a line without lot or serial gives nulls.
    EXPECT_EQ(Texto(filas[0], "NroLote"), QString("L1015C").leftJustified(25));
    EXPECT_TRUE(filas[6]["NROLOTE"].isNull());
    EXPECT_TRUE(filas[6]["NROSERIE"].isNull());
    EXPECT_EQ(Texto(filas[6], "IdPosicion"), "A1E01N1P01");
    EXPECT_EQ(Texto(filas[0], "TC"), "  IR");
    EXPECT_EQ(Texto(filas[0], "IdDeposito"), "   1");
    EXPECT_EQ(Texto(filas[0], "IdMotivoStock"), "   1");
    EXPECT_EQ(Texto(filas[0], "CuentaProveedor"), "P001"); // the article's supplier (PorDefault)
    EXPECT_EQ(Texto(filas[0], "UNEGOCIO"), "   1");
    EXPECT_EQ(Num(filas[0], "IVARI"), 21); // no rate on the line: the configured one
    VerificaInvariantes(
        "IR", ll.SucNroLetra,
        {{{"1015", "1"}, 3}, {{"1021", "1"}, 2}, {{"REMERA-ALG", "1"}, 5}, {{"1001", "1"}, 4}});
}

TEST_F(ConPosteo, SalidaConLoteYSerieSinDespachoQueSeFilte) {
    auto g = GrillaArticulos({
        Linea("1060", "5",
              {{61, ""}, {21, QString("|L1060AÿSN-9|L1060B|").replace('y', QChar(0x00FF))}, {22, "|3|2|"}}),
        Linea("1001", "4"),
        // Boxes of 100 screws: a line in another unit keeps its quantity; the base unit's comes from 74.
        Linea("TORN-6X40", "2", {{5, "CJ"}, {8, "100"}, {74, "200"}}),
    });
    Llamada ll;
    ll.TC = "VS";
    PosteaYGuarda(*g, ll);
    const auto filas = Filas("VS", ll.SucNroLetra);
    ASSERT_EQ(filas.size(), 4u);
    EXPECT_EQ(Texto(filas[0], "NroLote").trimmed(), "L1060A");
    EXPECT_EQ(Texto(filas[0], "NroSerie").trimmed(), "SN-9");
    EXPECT_EQ(Num(filas[0], "Cantidad"), -3);
    EXPECT_EQ(Num(filas[1], "Cantidad"), -2);
    EXPECT_EQ(Texto(filas[1], "ControladoPor"), "Aduana de Buenos Aires");
    EXPECT_EQ(Texto(filas[1], "IdOrigen"), " CHN");
    // The next line has no lot: nothing of the earlier lot's dispatch.
    EXPECT_EQ(Texto(filas[2], "ControladoPor"), "");
    EXPECT_TRUE(filas[2]["IDORIGEN"].isNull());
    EXPECT_EQ(Num(filas[3], "Cantidad"), -2);
    EXPECT_EQ(Num(filas[3], "CantidadUD"), -200);
    EXPECT_EQ(g->TextMatrix(1, 61), "0");
    EXPECT_EQ(g->TextMatrix(1, 74), "2"); // the last element's quantity, in the base unit
    VerificaInvariantes("VS", ll.SucNroLetra,
                        {{{"1060", "1"}, -5}, {{"1001", "1"}, -4}, {{"TORN-6X40", "1"}, -200}});
}

TEST_F(ConPosteo, TransferenciaSacaDelOrigenYEntraEnElDestino) {
    auto g = GrillaArticulos({Linea("1001", "4"), Linea("1015", "2", {{21, "|L1015A|"}, {22, "|2|"}})});
    Llamada ll;
    ll.TC = "TR";
    ll.EsTransferencia = true;
    ll.IdDepositoDestino = "2";
    PosteaYGuarda(*g, ll);
    const auto filas = Filas("TR", ll.SucNroLetra);
    ASSERT_EQ(filas.size(), 4u);
    for (int i : {0, 1}) {
        EXPECT_EQ(Texto(filas[i], "IdDeposito"), "   1");
        EXPECT_EQ(Texto(filas[i], "IDDEPOSITO_DESTINO"), "   2");
        EXPECT_LT(Num(filas[i], "Cantidad"), 0);
        EXPECT_EQ(Texto(filas[i + 2], "IdDeposito"), "   2");
        EXPECT_EQ(Texto(filas[i + 2], "IDDEPOSITO_DESTINO"), "   1");
        EXPECT_EQ(Num(filas[i + 2], "Cantidad"), -Num(filas[i], "Cantidad"));
    }
    EXPECT_EQ(Texto(filas[3], "NroLote").trimmed(), "L1015A");
    EXPECT_EQ(ll.IdDepositoDestino, "'   2'");
    VerificaInvariantes("TR", ll.SucNroLetra,
                        {{{"1001", "1"}, -4}, {{"1001", "2"}, 4}, {{"1015", "1"}, -2}, {{"1015", "2"}, 2}});
}

// A purchase invoice that receives purchase order 0100-7.
Llamada FacturaDeCompra() {
    Llamada ll;
    ll.TC = "FCC";
    ll.TcOrigen = "OC";
    ll.ComprobanteOrigen = "010000000007X";
    ll.SucNroLetra = "000100000091A";
    return ll;
}

TEST_F(ConPosteo, RecepcionDeOrdenDeCompraDentroDeLaTandaYRevertidaNoDejaNada) {
    auto g = GrillaArticulos({Linea("1001", "4", {{17, "10"}})});
    Llamada ll = FacturaDeCompra();
    Postea(*g, ll);
    ASSERT_FALSE(ll.HayError);
    const QStringList tanda = DivideTanda(ll.SqlTemp);
    ASSERT_FALSE(tanda.isEmpty());
    EXPECT_TRUE(ll.SqlTemp.startsWith('\r'));
    EXPECT_EQ(tanda[0], "if exists(select * from c_mv_cpte  with(nolock)  where TC='  OC' and "
                        "IDCOMPROBANTE='010000000007X' and fecharecepcion is null)  UPDATE c_mv_cpte set "
                        "FechaRecepcion='20/03/2025' where TC='  OC' and IDCOMPROBANTE='010000000007X'");
    const QString recepcion = "SELECT FechaRecepcion FROM C_MV_CPTE WHERE IDCOMPROBANTE = '010000000007X'";
    EXPECT_EQ(Valor(recepcion), ""); // nothing ran yet
    // The caller rolls its transaction back: neither the rows nor the reception date stay.
    AD().EjecutaSQL("BEGIN TRANSACTION" + ll.SqlTemp);
    AD().EjecutaSQL("ROLLBACK TRANSACTION");
    EXPECT_TRUE(Filas("FCC", ll.SucNroLetra).empty());
    EXPECT_EQ(Valor(recepcion), "");
    // Saved: the date is set, the purchases type has no complement column.
    Llamada otra = FacturaDeCompra();
    PosteaYGuarda(*g, otra);
    EXPECT_EQ(Valor(recepcion), "2025-03-20 00:00:00");
    EXPECT_FALSE(ColumnasPrimeraFila(otra.SqlTemp).contains("IdComplemento"));
    const auto filas = Filas("FCC", otra.SucNroLetra);
    ASSERT_EQ(filas.size(), 1u);
    EXPECT_EQ(Texto(filas[0], "Tc_Origen"), "  OC");
    EXPECT_EQ(Texto(filas[0], "IdComprobante_Origen"), "010000000007X");
    // A received order keeps its date; obligatory reception reports leave it alone.
    AjustaConfiguracion("IR_OBLIG", "SI");
    Llamada tercera;
    tercera.TC = "RMC";
    tercera.TcOrigen = "OC";
    tercera.ComprobanteOrigen = "010000000008X";
    Postea(*g, tercera);
    EXPECT_FALSE(tercera.SqlTemp.contains("c_mv_cpte"));
}

TEST_F(ConPosteo, PorRenglonUnRechazoDejaLoEjecutadoYAvisa) {
    auto g = GrillaArticulos({
        Linea("1015", "3", {{20, "1"}, {21, "|L1015A|L1015B|L1015B|"}}),
        Linea("1001", "2"),
        Linea("1002", "1"),
        Linea("1003", "1", {{4, QString(20, 'X')}}), // a position longer than its column
        Linea("1004", "1"),
    });
    Llamada ll;
    ll.GeneraSentenciaSQL = false;
    Postea(*g, ll);
    EXPECT_TRUE(ll.HayError);
    // The database's words, then what stays stored and from which line nothing was.
    EXPECT_EQ(guion.Mensajes(), QStringList{"String or binary data would be truncated.\r\nQuedaron grabadas "
                                            "las líneas anteriores a la línea 4; desde la línea 4 no se "
                                            "grabó nada."});
    EXPECT_EQ(guion.Registros().back().titulo, "Aviso al operador");
    const auto errores = FilasAuxErr(AD());
    ASSERT_FALSE(errores.empty());
    EXPECT_TRUE(errores.back().value(3).toString().startsWith("8152 : String or binary data"));
    EXPECT_TRUE(ll.SqlTemp.isEmpty());
    const auto filas = Filas("IR", ll.SucNroLetra);
    ASSERT_EQ(filas.size(), 4u); // two lots of the first line, then the second and third lines
    EXPECT_EQ(Texto(filas[3], "IdArticulo").trimmed(), "1002");
    // Each executed line's amount is booked once (3 + 2 + 1 units at 10), however many lots it has.
    EXPECT_EQ(Valor("SELECT SUM(Importe) FROM MV_ASIENTOS WHERE TC = '  IR' AND NUMERO = '00000050' "
                    "AND [DEBE-HABER] = 'D'")
                  .toDouble(),
              60);
    VerificaInvariantes("IR", ll.SucNroLetra, {{{"1015", "1"}, 3}, {{"1001", "1"}, 2}, {{"1002", "1"}, 1}});
    EXPECT_EQ(DllDisplay().Formulario(), nullptr);
}

TEST_F(ConPosteo, LoteAutomaticoSecuenciasYOrdenesDeProduccion) {
    AjustaConfiguracion("ASIGNACIONAUTOMATICADELOTEING", "SI");
    auto g = GrillaArticulos({Linea("1001", "2"), Linea("1002", "3")});
    Llamada ll;
    ll.SecuenciaFija = 10;
    PosteaYGuarda(*g, ll);
    EXPECT_EQ(ll.LoteFijo, "42");
    auto filas = Filas("IR", ll.SucNroLetra);
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(Num(filas[0], "Secuencia"), 11);
    EXPECT_EQ(Num(filas[1], "Secuencia"), 12);
    EXPECT_EQ(Texto(filas[1], "NroLote"), QString("42").rightJustified(25));
    // Outgoing vouchers ask for no lot.
    Llamada salida;
    salida.TC = "VS";
    auto g2 = GrillaArticulos({Linea("1001", "1")});
    Postea(*g2, salida);
    EXPECT_EQ(salida.LoteFijo, "");
    AjustaConfiguracion("ASIGNACIONAUTOMATICADELOTEING", "NO");

    // A production order: the rows marked -1 come in, the others go out.
    auto op = GrillaArticulos({Linea("1010", "1", {{28, "-1"}}), Linea("1001", "2"), Linea("1002", "3")});
    Llamada orden;
    orden.TC = "OP";
    orden.SucNroLetra = "000100000004X";
    PosteaYGuarda(*op, orden);
    filas = Filas("OP", orden.SucNroLetra);
    ASSERT_EQ(filas.size(), 3u);
    EXPECT_EQ(Texto(filas[0], "IdArticulo").trimmed(), "1010");
    EXPECT_EQ(Num(filas[0], "Cantidad"), 1);
    EXPECT_EQ(Num(filas[1], "Cantidad"), -2);
    EXPECT_EQ(Num(filas[2], "Secuencia"), 3);
    // Order 3 has an SPNL movement: only its incoming rows, numbered after its seven.
    Llamada derivada;
    derivada.TC = "OP";
    derivada.SucNroLetra = "000100000003X";
    PosteaYGuarda(*op, derivada);
    filas = Filas("OP", derivada.SucNroLetra);
    ASSERT_EQ(filas.size(), 8u);
    EXPECT_EQ(Num(filas[7], "Secuencia"), 9);
    EXPECT_EQ(Texto(filas[7], "IdArticulo").trimmed(), "1010");
}

// Two stations drew the same automatic lot: the later save is refused in words and stores
// nothing; posting again takes the next lot.
TEST_F(ConPosteo, UnLoteAutomaticoTomadoPorOtroComprobanteNoSeGuarda) {
    AjustaConfiguracion("ASIGNACIONAUTOMATICADELOTEING", "SI");
    auto g = GrillaArticulos({Linea("1001", "2")});
    Llamada a;
    Postea(*g, a);
    Llamada b;
    b.SucNroLetra = "000100000051X";
    PosteaYGuarda(*g, b);
    EXPECT_EQ(a.LoteFijo, "42");
    EXPECT_EQ(b.LoteFijo, "42");
    bool hayError = false;
    qint32 numero = 0;
    QString tanda, mensajes;
    GActualizarDatoScript(DivideTanda(a.SqlTemp), hayError, numero, false, false, tanda, mensajes, true);
    EXPECT_TRUE(hayError);
    EXPECT_TRUE(Filas("IR", a.SucNroLetra).empty());
    EXPECT_EQ(guion.Mensajes(),
              QStringList{"El lote automático 42 ya fue tomado por otro comprobante: no se "
                          "grabó nada. Vuelva a grabar y se tomará el siguiente lote.\r\n"});
    Llamada otraVez;
    PosteaYGuarda(*g, otraVez);
    EXPECT_EQ(otraVez.LoteFijo, "43");
    EXPECT_EQ(Texto(Filas("IR", otraVez.SucNroLetra)[0], "NroLote"), QString("43").rightJustified(25));

    AjustaConfiguracion("ASIGNACIONAUTOMATICADELOTEING", "NO");
}

TEST_F(ConPosteo, LasColumnasDeLaFilaPorClaseDeComprobante) {
    const QStringList todas = {"TC",
                               "IdComprobante",
                               "IdComplemento",
                               "Secuencia",
                               "Fecha",
                               "IdCaja",
                               "IdDeposito",
                               "IDDEPOSITO_DESTINO",
                               "IdPosicion",
                               "IdArticulo",
                               "Descripcion",
                               "NroLote",
                               "ControladoPor",
                               "IdOrigen",
                               "NroSerie",
                               "IdUnidad",
                               "Cantidad",
                               "CantidadUD",
                               "IdUnidadBase",
                               "CuentaProveedor",
                               "IdMotivoStock",
                               "PrecioVenta",
                               "Importe_S_Iva",
                               "Costo",
                               "Impuestos",
                               "DtoItem",
                               "Tc_Origen",
                               "IdComprobante_Origen",
                               "Id_Origen",
                               "IVARI",
                               "IVARNI",
                               "IdTecnico",
                               "EQUIV_UDBASE",
                               "IDINSERT",
                               "IDCOMPULSA",
                               "Oferta",
                               "IdVendedor",
                               "Importe_Ud",
                               "Ud_Pr",
                               "UNEGOCIO",
                               "ARTMONEDA",
                               "ARTCOTIZACION",
                               "EnComodato",
                               "CANT_BL",
                               "CANT_KG",
                               "CANT_M3"};
    ASSERT_EQ(todas.size(), 46);
    const auto columnas = [&](Llamada ll, const std::vector<LineaGrilla>& lineas) {
        auto g = GrillaArticulos(lineas);
        Postea(*g, ll);
        EXPECT_FALSE(ll.HayError);
        return ColumnasPrimeraFila(ll.SqlTemp);
    };
    Llamada transferencia;
    transferencia.TC = "TR";
    transferencia.EsTransferencia = true;
    transferencia.IdDepositoDestino = "2";
    transferencia.IdTecnico = "T1";
    EXPECT_EQ(columnas(transferencia, {Linea("1001", "1")}), todas);

    QStringList sinOpcionales = todas;
    for (const char* c : {"IdComplemento", "IdCaja", "IDDEPOSITO_DESTINO", "CuentaProveedor", "IdTecnico"})
        sinOpcionales.removeAll(c);
    Llamada compra;
    compra.TC = "FCC";
    compra.Cuenta = "null";
    const QString caja = gCaja;
    gCaja = "  ";
    EXPECT_EQ(columnas(compra, {Linea("1001", "1")}), sinOpcionales);
    gCaja = caja;
    // A line that carries its base-unit quantity but no base unit writes neither column.
    QStringList sinUnidadBase = sinOpcionales;
    sinUnidadBase.removeAll("CantidadUD");
    sinUnidadBase.removeAll("IdUnidadBase");
    gCaja = "";
    EXPECT_EQ(columnas(compra, {Linea("1001", "1", {{76, "1"}, {41, ""}})}), sinUnidadBase);
    gCaja = caja;
    // The article without a supplier account and PorDefault: no CuentaProveedor either.
    Llamada ajuste;
    ajuste.TC = "AJP";
    EXPECT_FALSE(columnas(ajuste, {Linea("KIT-ASADO", "1")}).contains("CuentaProveedor"));
}

TEST_F(ConPosteo, ValoresDeLaFilaDesdeLaGrillaYLosArgumentos) {
    Regional::Fijo regional(',', '.');
    auto g = GrillaArticulos({Linea("1060", "2",
                                    {{1, "Caño de 1' pulgada"},
                                     {6, "3"},
                                     {11, "1,5"},
                                     {14, "100"},
                                     {16, "-1"},
                                     {17, "82,64"},
                                     {20, "1"},
                                     {21, "|L1060B|"},
                                     {22, "|2|"},
                                     {33, "0"},
                                     {34, "  RM000200000033R"},
                                     {38, "0"},
                                     {40, "1"},
                                     {63, "2,5"},
                                     {64, "3,5"},
                                     {86, "REM"},
                                     {87, "Despachante propio"},
                                     {88, "1"}}),
                              Linea("1001", "1", {{38, "7"}, {86, "REM"}, {34, "  RM000200000033R"}})});
    Llamada ll;
    ll.TC = "RM";
    ll.IdMotivoStock = "ELDELGRID";
    ll.TcOrigen = " eldelgrid ";
    ll.ComprobanteOrigen = "ELDELGRID";
    ll.LoteOrigen = "BRA";
    ll.Cuenta = "NULL";
    PosteaYGuarda(*g, ll);
    const auto filas = Filas("RM", ll.SucNroLetra);
    ASSERT_EQ(filas.size(), 2u);
    const auto& f = filas[0];
    EXPECT_EQ(Texto(f, "Descripcion"), "Caño de 1 pulgada");
    EXPECT_EQ(Texto(f, "IdDeposito"), "   3");
    EXPECT_EQ(Texto(f, "IdMotivoStock"), " REM");
    EXPECT_EQ(Texto(f, "Tc_Origen"), "RM"); // the line's type as it stands
    EXPECT_EQ(Texto(f, "IdComprobante_Origen"), "000200000033R");
    EXPECT_EQ(Texto(f, "ControladoPor"), "Despachante propio");
    EXPECT_EQ(Texto(f, "IdOrigen"), " BRA");
    EXPECT_EQ(Num(f, "Costo"), 230); // none on the line: the article's
    EXPECT_EQ(Num(f, "IVARI"), 0);   // exempt
    EXPECT_EQ(Num(f, "Impuestos"), 1);
    EXPECT_EQ(Num(f, "DtoItem"), 1.5);
    EXPECT_EQ(Num(f, "Cantidad"), -2);
    EXPECT_EQ(Num(f, "CANT_BL"), -2);
    EXPECT_EQ(Num(f, "CANT_KG"), -4);
    EXPECT_EQ(Num(f, "EnComodato"), 1);
    EXPECT_TRUE(f["CUENTAPROVEEDOR"].isNull());
    EXPECT_EQ(ll.IdMotivoStock, " REM");
    EXPECT_EQ(ll.TcOrigen, "RM");
    EXPECT_EQ(ll.ComprobanteOrigen, "'000200000033R'");
    // A delivery note with a line on loan books the loan's entry (its motive COM on 1.1.5.02).
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC = '  RM' AND Cuenta = '1.1.5.02'"), "1");
}

TEST_F(ConPosteo, SinUnidadDeNegocioNadaSeHace) {
    gUnidadNegocio = " ";
    auto g = GrillaArticulos({Linea("1001", "1")});
    Llamada ll;
    ll.SqlTemp = "previo";
    ll.MuestraCartel = true;
    Postea(*g, ll);
    EXPECT_TRUE(ll.HayError);
    EXPECT_EQ(ll.SqlTemp, "previo");
    EXPECT_EQ(guion.Mensajes(), QStringList{"ERROR EN ASIGNACION DE UNIDAD DE NEGOCIO\r\n"
                                            "Verifique si el usuario tiene asignado una unidad de negocio"});
    EXPECT_EQ(guion.Registros().back().titulo, "Atencion!");
    EXPECT_FALSE(ExisteDllDisplay() && DllDisplay().Formulario());
}

TEST_F(ConPosteo, UnErrorVaAlManejadorReintentaSigueOAbandona) {
    // A package count that is no number fails its element.
    auto g = GrillaArticulos({Linea("1001", "1"), Linea("1002", "1", {{80, "abc"}}), Linea("1003", "1")});
    Llamada sigue;
    sigue.MuestraCartel = true;
    guion.AgregaRespuesta(Respuesta::Ignorar);
    Postea(*g, sigue);
    EXPECT_FALSE(sigue.HayError);
    EXPECT_EQ(ColumnasPrimeraFila(sigue.SqlTemp).size(), 44);
    EXPECT_EQ(DivideTanda(sigue.SqlTemp).filter("INSERT INTO V_MV_STOCK").size(), 2);
    EXPECT_EQ(DllDisplay().Formulario(), nullptr);

    Llamada deja;
    guion.AgregaRespuesta(Respuesta::Reintentar);
    guion.AgregaRespuesta(Respuesta::Abortar);
    Postea(*g, deja);
    EXPECT_TRUE(deja.HayError);
    EXPECT_EQ(DivideTanda(deja.SqlTemp).filter("INSERT INTO V_MV_STOCK").size(), 1);
    EXPECT_EQ(guion.RespuestasPendientes(), 0);
    EXPECT_EQ(guion.Registros().back().titulo.isEmpty(), false);
}

// The entry number of a voucher's entry lines, one text per distinct number.
QStringList NumerosDeAsiento(const QString& tc, const QString& id) {
    QStringList numeros;
    Registros rs;
    AD().ObtieneRecordset("SELECT DISTINCT [Numero Asiento] FROM MV_ASIENTOS WHERE TC = '" +
                              UT().RellenaCodigo(tc, 4) + "' AND SUCURSAL = '" + id.left(4) +
                              "' AND NUMERO = '" + id.mid(4, 8) + "'",
                          rs);
    for (; !rs.Eof(); rs.MoveNext())
        numeros << rs.Fields(0).toString();
    AD().CierraRecordset(rs);
    return numeros;
}

TEST_F(ConPosteo, PorRenglonCadaComprobanteTieneSuNumeroDeAsiento) {
    const auto porRenglon = [&](const QString& tc, const QString& id,
                                const std::vector<LineaGrilla>& lineas) {
        auto g = GrillaArticulos(lineas);
        Llamada ll;
        ll.TC = tc;
        ll.SucNroLetra = id;
        ll.EsTransferencia = tc == "TR";
        ll.IdDepositoDestino = ll.EsTransferencia ? "2" : "";
        ll.GeneraSentenciaSQL = false;
        Postea(*g, ll);
        EXPECT_FALSE(ll.HayError);
        return NumerosDeAsiento(tc, id);
    };
    const QStringList primero = porRenglon("IR", "000100000060X", {Linea("1001", "2"), Linea("1002", "1")});
    ASSERT_EQ(primero.size(), 1);
    // Its first grid row is not posted: the next voucher still draws a number of its own.
    const QStringList segundo =
        porRenglon("IR", "000100000061X", {Linea("1003", "0"), Linea("1004", "1"), Linea("1005", "3")});
    ASSERT_EQ(segundo.size(), 1);
    EXPECT_NE(segundo, primero);
    // A transfer books each line once, as its batch does, however many passes post it.
    porRenglon("TR", "000100000062X", {Linea("1001", "2"), Linea("1002", "1")});
    EXPECT_EQ(Valor("SELECT SUM(Importe) FROM MV_ASIENTOS WHERE TC = '  TR' AND NUMERO = '00000062' "
                    "AND [DEBE-HABER] = 'D'")
                  .toDouble(),
              30);
    VerificaInvariantes("TR", "000100000062X",
                        {{{"1001", "1"}, -2}, {{"1001", "2"}, 2}, {{"1002", "1"}, -1}, {{"1002", "2"}, 1}});
}

TEST_F(ConPosteo, ElComplementoEsUnNumero) {
    AbreRangoDescarga();
    auto g = GrillaArticulos({Linea("1001", "1"), Linea("HAMBURGUESA", "1")});
    for (const bool tanda : {true, false}) {
        Llamada ll;
        ll.TC = "VS";
        ll.IdComplemento = "0) , (1";
        ll.GeneraSentenciaSQL = tanda;
        ll.MuestraCartel = true;
        Postea(*g, ll);
        EXPECT_TRUE(ll.HayError);
        EXPECT_TRUE(ll.SqlTemp.isEmpty());
        EXPECT_EQ(guion.Mensajes(),
                  QStringList{"El complemento del comprobante no es un número: \"0) , (1\""});
        EXPECT_EQ(guion.Registros().back().titulo, "Atencion!");
        EXPECT_EQ(DllDisplay().Formulario(), nullptr);
        EXPECT_EQ(Valor("SELECT COUNT(*) FROM V_MV_STOCK WHERE IdComprobante_Origen = '000100000050X' OR "
                        "IdComprobante = '000100000050X'"),
                  "0");
        guion.Limpia();
    }
    // A number with blanks around it is that number, in the voucher's rows and in its discharge.
    Llamada ll;
    ll.TC = "VS";
    ll.IdComplemento = " 7 ";
    PosteaYGuarda(*g, ll);
    const auto propias = Filas("VS", ll.SucNroLetra);
    const auto descarga = Filas("PE", "000100000005X");
    ASSERT_EQ(propias.size(), 2u);
    ASSERT_FALSE(descarga.empty());
    EXPECT_EQ(propias[0]["IDCOMPLEMENTO"].toInt(), 7);
    EXPECT_EQ(descarga[0]["IDCOMPLEMENTO"].toInt(), 7);
}

TEST_F(ConPosteo, LaUnidadDeLaLineaSeComparaSinMayusculas) {
    // The line in "un", the base unit "UN": the same unit, so each lot takes its own quantity
    // whatever the coefficient says.
    auto g = GrillaArticulos(
        {Linea("1060", "5", {{5, "un"}, {8, "100"}, {21, "|L1060A|L1060B|"}, {22, "|3|2|"}})});
    Llamada ll;
    ll.TC = "VS";
    PosteaYGuarda(*g, ll);
    const auto filas = Filas("VS", ll.SucNroLetra);
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(Num(filas[0], "Cantidad"), -3);
    EXPECT_EQ(Num(filas[1], "Cantidad"), -2);
    EXPECT_EQ(g->TextMatrix(1, 74), "2");
    VerificaInvariantes("VS", ll.SucNroLetra, {{{"1060", "1"}, -5}});
}

// Many generated vouchers of every kind, each posted and saved: the invariants hold for all.
TEST_F(ConPosteo, InvariantesSobreComprobantesGenerados) {
    QRandomGenerator azar(31);
    const QStringList tipos = {"IR", "VS", "TR", "AJP", "AJN"};
    for (int n = 0; n < 40; ++n) {
        Llamada ll;
        ll.TC = tipos[n % tipos.size()];
        ll.EsTransferencia = ll.TC == "TR";
        ll.IdDepositoDestino = ll.EsTransferencia ? "2" : "";
        ll.SucNroLetra = QString("0001%1X").arg(100 + n, 8, 10, QChar('0'));
        const int signo = (ll.TC == "IR" || ll.TC == "AJP") ? 1 : -1;
        std::vector<LineaGrilla> lineas;
        Esperado esperado;
        const int cuantas = 1 + azar.bounded(6);
        for (int i = 0; i < cuantas; ++i) {
            const QString art = QString::number(1001 + azar.bounded(200));
            const int clase = azar.bounded(3);
            int total = 0;
            LineaGrilla l;
            if (clase == 0) { // lots: entries (incoming) or quantities per lot (outgoing)
                QStringList lotes, cantidades;
                for (int k = azar.bounded(1, 5); k > 0; --k) {
                    const int c = 1 + azar.bounded(4);
                    const QString lote = QString("LT%1").arg(azar.bounded(3));
                    if (signo == 1 && !ll.EsTransferencia) {
                        for (int u = 0; u < c; ++u)
                            lotes << lote;
                    } else {
                        lotes << QString("%1-%2").arg(lote).arg(k);
                        cantidades << QString::number(c);
                    }
                    total += c;
                }
                l = Linea(art, QString::number(total),
                          {{20, "1"}, {21, ListaPipe::Escribe(lotes)}, {22, ListaPipe::Escribe(cantidades)}});
            } else if (clase == 1 && signo == 1 && !ll.EsTransferencia) { // serial numbers
                QStringList series;
                total = 1 + azar.bounded(5);
                for (int k = 0; k < total; ++k)
                    series << QString("S%1-%2-%3").arg(n).arg(i).arg(k);
                l = Linea(art, QString::number(total), {{19, "1"}, {22, ListaPipe::Escribe(series)}});
            } else {
                total = 1 + azar.bounded(20);
                l = Linea(art, QString::number(total));
            }
            lineas.push_back(l);
            SumaEsperada(esperado, art, total, signo, ll.EsTransferencia);
        }
        auto g = GrillaArticulos(lineas);
        PosteaYGuarda(*g, ll);
        VerificaInvariantes(ll.TC, ll.SucNroLetra, esperado);
        if (HasFailure())
            return;
    }
}

} // namespace

// The accounting entry of a stock voucher, built and stored on the demo database.
//
// Demo: every article's stock account is 1.1.5.01 (1001 costs 10.25 in the database, the grid's
// cost is what counts). Motives: 1 5.1.3.01, REM (delivery notes) 5.1.1.01, COM (loans) 1.1.5.02,
// 3 (transfers) 1.1.5.01, ROC (purchase-order receptions) 2.1.1.02, SIN none. Sales motive 1 books
// the cost of goods on 5.1.1.01, sales motive 2 has no account. IR, AJP, AJN, TR, VS are in the
// subdiary STK (March 2025 entries up to 17, cost-centre 18 and 25: next 26); CMV in VTA.

#include "BaseNumeracion.h"

#include "Asientos.h"
#include "Ayudas.h"
#include "ClsCmnCptesPosteo.h"
#include "Grilla.h"
#include "Moneda.h"
#include "Reloj.h"
#include "TandasSql.h"
#include "TraductorSql.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QHash>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

struct Linea {
    QString articulo;
    QString cantidad;
    QString costo;
};

// One call's arguments, as a voucher form holds them.
struct Llamada {
    QString motivo = QStringLiteral("1");
    QString TC = QStringLiteral("RM");
    QString suc = QStringLiteral("0001");
    QString Nro = QStringLiteral("00000012");
    QString letra = QStringLiteral("X");
    QString fecha = QStringLiteral("20/03/2025");
    bool esDebito = false;
    qint16 tipoMov = 1;
    qint32 soloRegistro = 0;
    qint16 secuencia = 1;
};

class GeneraAsiento : public ConNumeracion {
protected:
    void SetUp() override {
        ConNumeracion::SetUp();
        Ejecuta("UPDATE TA_CONFIGURACION SET Valor = 'si' WHERE Clave = 'ASIENTOSXSTOCK'");
        gPeriodo = 2025;
        EstableceReloj([] { return QDateTime(QDate(2025, 3, 20), QTime(10, 0)); });
        cls = std::make_unique<ClsCmnCptesPosteo>();
    }
    void TearDown() override {
        cls.reset();
        EstableceReloj({});
        ConNumeracion::TearDown();
    }

    static std::unique_ptr<Grilla> GrillaCon(const std::vector<Linea>& lineas, int columnaCosto = 38) {
        auto g = std::make_unique<Grilla>(static_cast<int>(lineas.size()) + 1, 101, 1, 1);
        g->setName(QStringLiteral("MSFlexGrid2"));
        for (int i = 0; i < static_cast<int>(lineas.size()); ++i) {
            const Linea& l = lineas[static_cast<size_t>(i)];
            g->setTextMatrix(i + 1, 0, l.articulo);
            g->setTextMatrix(i + 1, 7, l.cantidad);
            g->setTextMatrix(i + 1, columnaCosto, l.costo);
        }
        return g;
    }
    QString Genera(Grilla& g, Llamada& ll) {
        return cls->GeneraAsientoStock(g, ll.motivo, ll.TC, ll.suc, ll.Nro, ll.letra, ll.fecha, ll.esDebito,
                                       ll.tipoMov, ll.soloRegistro, ll.secuencia);
    }
    // Sum of the debit and credit lines of the voucher, in currency.
    static std::pair<Moneda, Moneda> DebeHaber(const QString& tc, const QString& nro) {
        Registros rs;
        AD().ObtieneRecordset("SELECT [DEBE-HABER], Importe FROM MV_ASIENTOS WHERE TC = '" + tc +
                                  "' AND SUCURSAL = '0001' AND NUMERO = '" + nro + "' AND LETRA = 'X'",
                              rs);
        Moneda d, h;
        for (; !rs.Eof(); rs.MoveNext())
            (rs.Fields(0).toString() == "D" ? d : h) += Moneda::DeDoble(rs.Fields(1).toDouble());
        AD().CierraRecordset(rs);
        return {d, h};
    }
    static QString Lineas(const QString& tc, const QString& nro) {
        Registros rs;
        AD().ObtieneRecordset(
            "SELECT Secuencia, Cuenta, [DEBE-HABER], Importe FROM MV_ASIENTOS WHERE TC = '" + tc +
                "' AND NUMERO = '" + nro + "' ORDER BY Secuencia",
            rs);
        QStringList r;
        for (; !rs.Eof(); rs.MoveNext())
            r << rs.Fields(0).toString() + " " + rs.Fields(1).toString() + " " + rs.Fields(2).toString() +
                     " " + rs.Fields(3).toString();
        AD().CierraRecordset(rs);
        return r.join(" | ");
    }

    std::unique_ptr<ClsCmnCptesPosteo> cls;
};

const std::vector<Linea> kEjemplo = {{"1001", "2", "10"}, {"1002", "1", "5"}, {"1001", "3", "10"}};

TEST_F(GeneraAsiento, RemitoDosArticulosEnUnaCuentaTextoYBase) {
    auto g = GrillaCon(kEjemplo);
    Llamada ll;
    const QString texto = Genera(*g, ll);
    const QString cabecera =
        "INSERT INTO MV_ASIENTOS (Cuenta,Secuencia,Mes_Operativo,[Numero Asiento],Fecha,"
        "FechaSubDiario,Detalle,TC,SUCURSAL,NUMERO,LETRA,PERIODO,Tipo_Reg,[DEBE-HABER],"
        "FechaHora_Grabacion,USUARIO_LOGEADO,Importe,Moneda,Cotizacion,CABImporte,CABCuenta,"
        "CABNombre,Unegocio,IdCajas) VALUES (";
    const QString comun =
        "'3','1','20/03/2025','20/03/2025','Remito de venta','  RM','0001','00000012','X','2025',"
        "'    ',";
    const QString cola =
        ",'2025-03-20 10:00:00','" + gUsuarioLogeado + "',55,'   1',1,55,'5.1.1.01','REM','   1','   1')";
    // First the check that no other voucher holds the entry's number, then the lines.
    const QString control =
        "IF EXISTS(SELECT * FROM MV_ASIENTOS WITH (UPDLOCK, HOLDLOCK) WHERE MES_OPERATIVO = 3 AND (TIPO_REG "
        "= "
        "'" +
        QString(QChar(0xFF)) +
        "RS' OR TIPO_REG = '') AND PERIODO = 2025 AND [NUMERO ASIENTO] = 1) RAISERROR('El número de asiento "
        "1 "
        "ya fue tomado por otro comprobante: no se grabó nada. Vuelva a grabar y se tomará el siguiente "
        "número.', 16, 1)";
    EXPECT_EQ(texto, "\r\n" + control + "\r\n" + cabecera + "'5.1.1.01','1'," + comun + "'D'" + cola +
                         "\r\n" + cabecera + "'1.1.5.01','2'," + comun + "'H'" + cola);
    EXPECT_EQ(ll.secuencia, 3);
    EXPECT_TRUE(ll.esDebito);
    EXPECT_EQ(ll.motivo, "REM"); // the delivery notes' motive, written back
    EXPECT_EQ(cls->NroAsientoActual, 1);
    AD().EjecutaSQL(texto);
    EXPECT_EQ(Lineas("  RM", "00000012"), "1 5.1.1.01 D 55 | 2 1.1.5.01 H 55");
    // Entered again, the voucher is told to have its entry.
    Llamada otra;
    EXPECT_EQ(Genera(*g, otra), "");
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_EQ(guion.Mensajes().front(), "El comprobante ya ha Sido Cargado. Asiento 03 - 000001");
    // A blank cash desk writes no desk; a business unit "null" is the word unquoted.
    gCaja = "  ";
    gUnidadNegocio = "nUll";
    Llamada tercera;
    tercera.Nro = "00000013";
    AD().EjecutaSQL(Genera(*g, tercera));
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO = '00000013' AND IdCajas IS NULL AND "
                    "Unegocio IS NULL AND [Numero Asiento] = 2"),
              "2");
}

// Two stations drew the same entry number: the second save is refused in words and stores
// nothing; saving again takes a number past every one stored, also by other stations.
TEST_F(GeneraAsiento, UnNumeroTomadoPorOtroComprobanteNoSeGuarda) {
    auto g = GrillaCon(kEjemplo);
    Llamada ll;
    const QString texto = Genera(*g, ll);
    EXPECT_EQ(cls->NroAsientoActual, 1);
    const QString otro =
        "INSERT INTO MV_ASIENTOS (Cuenta, Secuencia, Mes_Operativo, [Numero Asiento], TC, "
        "SUCURSAL, NUMERO, LETRA, PERIODO, Tipo_Reg, [DEBE-HABER], Importe) VALUES ('5.1.1.01', "
        "1, 3, %1, '  RM', '0001', '%2', 'X', 2025, '', 'D', 5)";
    Ejecuta(otro.arg(1).arg("00000099"));
    bool hayError = false;
    qint32 numero = 0;
    QString tanda, mensajes;
    GActualizarDatoScript(DivideTanda(texto), hayError, numero, false, false, tanda, mensajes, true);
    EXPECT_TRUE(hayError);
    EXPECT_EQ(numero, 50000);
    EXPECT_EQ(Lineas("  RM", "00000012"), "");
    // The words alone: the database's line is in the error row.
    EXPECT_EQ(guion.Mensajes(),
              QStringList{"El número de asiento 1 ya fue tomado por otro comprobante: no se "
                          "grabó nada. Vuelva a grabar y se tomará el siguiente número.\r\n"});
    const auto errores = FilasAuxErr(AD());
    ASSERT_FALSE(errores.empty());
    EXPECT_TRUE(errores.back().value(3).toString().startsWith("50000 : El número de asiento 1"));
    // Saving again: the next number, which goes in.
    Llamada otra;
    AD().EjecutaSQL("BEGIN TRANSACTION\r" + Genera(*g, otra) + "\rCOMMIT TRANSACTION");
    EXPECT_EQ(cls->NroAsientoActual, 2);
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM MV_ASIENTOS WHERE NUMERO = '00000012' AND [Numero Asiento] = 2"),
              "2");
    // Another station stored up to 30 meanwhile: this one's next batch entry is 31, not 3.
    Ejecuta(otro.arg(30).arg("00000098"));
    Llamada tercera;
    tercera.Nro = "00000013";
    Genera(*g, tercera);
    EXPECT_EQ(cls->NroAsientoActual, 31);
    // Past the last 32-bit number: an error for the caller, nothing returned.
    cls->NroAsientoActual = 2147483647;
    Llamada cuarta;
    cuarta.Nro = "00000014";
    EXPECT_THROW(Genera(*g, cuarta), ErrorSistema);
}

struct Caso {
    qint16 tipoMov;
    const char* tc;
    const char* grilla;
    const char* motivoFinal;
    bool esDebito;
    int columnaCosto;
};

class TiposDeMovimiento : public GeneraAsiento {
protected:
    // One voucher of the case, positive or negative, stored and checked.
    void Comprueba(const Caso& c, bool negativo, int nro) {
        SCOPED_TRACE(QString("%1 %2 %3 %4").arg(c.tipoMov).arg(c.tc, c.grilla).arg(negativo).toStdString());
        auto g =
            GrillaCon({{"1001", negativo ? "-2" : "2", Moneda::DeCrudo(105000).Texto()}, {"1002", "1", "4"}},
                      c.columnaCosto);
        g->setName(c.grilla);
        Llamada ll;
        ll.TC = c.tc;
        ll.tipoMov = c.tipoMov;
        ll.Nro = QString("%1").arg(nro, 8, 10, QChar('0'));
        const QString texto = Genera(*g, ll);
        EXPECT_EQ(ll.motivo, c.motivoFinal);
        EXPECT_EQ(ll.esDebito, c.esDebito);
        AD().EjecutaSQL(texto);
        const auto [d, h] = DebeHaber(UT().RellenaCodigo(c.tc, 4), ll.Nro);
        EXPECT_EQ(d, h);
        // 2 x 10.5 + 4 = 25, or -21 + 4 = -17, whose lines swap sides.
        EXPECT_EQ(d.ADoble(), negativo ? 17 : 25);
        EXPECT_EQ(ll.secuencia, 3);
    }
};

TEST_F(TiposDeMovimiento, CadaTipoConSusLadosYSuCosto) {
    const std::vector<Caso> casos = {
        {1, "RM", "MSFlexGrid2", "REM", true, 38},   {1, "RM", "msflexgriddif", "1", false, 38},
        {2, "RM", "MSFlexGrid2", "COM", true, 38},   {3, "TR", "MSFlexGrid2", "3", true, 38},
        {4, "TR", "MSFlexGrid2", "3", false, 38},    {4, "TR", "MSFlexGridDif", "1", true, 38},
        {5, "RM", "MSFlexGrid2", "ROC", false, 17},  {5, "RM", "MSFlexGridDif", "1", true, 17},
        {0, "rmc", "MSFlexGrid2", "ROC", false, 17}, {0, "IR", "MSFlexGridDif", "1", false, 38},
        {0, "AJN", "MSFlexGrid2", "1", true, 38},    {0, "TKFC", "MSFlexGrid2", "1", false, 38},
        {0, "CBFP", "MSFlexGrid2", "1", false, 38},
    };
    int nro = 100;
    for (const Caso& c : casos) {
        Comprueba(c, false, ++nro);
        Comprueba(c, true, ++nro);
    }
    EXPECT_EQ(guion.Mensajes().join("|"), "");
}

TEST_F(GeneraAsiento, TotalesNegativoYCeroSiguenBalanceados) {
    // All negative: the motive line, positive, goes to the articles' usual side.
    auto g = GrillaCon({{"1001", "-2", "10"}, {"1002", "-1", "5"}});
    Llamada ll;
    AD().EjecutaSQL(Genera(*g, ll));
    EXPECT_EQ(Lineas("  RM", "00000012"), "1 5.1.1.01 H 25 | 2 1.1.5.01 D 25");
    // Zero total: no line at all, yet the sequence numbers are used up.
    auto cero = GrillaCon({{"1001", "2", "10"}, {"1002", "-4", "5"}});
    Llamada otra;
    otra.Nro = "00000013";
    EXPECT_EQ(Genera(*cero, otra), "");
    EXPECT_EQ(otra.secuencia, 3);
    // Two accounts that cancel: both lines, no motive line, balanced.
    Ejecuta("UPDATE V_MA_ARTICULOS SET cuentacontableC = '1.1.5.09' WHERE TRIM(IDARTICULO) = '1002'");
    Llamada tercera;
    tercera.Nro = "00000014";
    AD().EjecutaSQL(Genera(*cero, tercera));
    EXPECT_EQ(Lineas("  RM", "00000014"), "2 1.1.5.01 H 20 | 3 1.1.5.09 D 20");
}

TEST_F(GeneraAsiento, CostoDeMercaderiaConSuPropioComprobante) {
    auto g = GrillaCon({{"1001", "2", "10"}, {"1003", "1", "5"}});
    Llamada ll;
    ll.TC = "FC";
    ll.tipoMov = 99;
    ll.Nro = "00000345";
    ll.letra = "A";
    const QString texto = Genera(*g, ll);
    EXPECT_EQ(ll.TC, "CMV");
    EXPECT_EQ(ll.suc + ll.Nro + ll.letra, "000100000001X");
    EXPECT_TRUE(ll.esDebito);
    EXPECT_EQ(ll.motivo, "1");
    EXPECT_EQ(cls->NroAsientoActual, 1); // first of the subdiary VTA in March
    EXPECT_TRUE(texto.startsWith("\r\nIF EXISTS(SELECT * FROM MV_ASIENTOS WITH (UPDLOCK, HOLDLOCK) WHERE "
                                 "MES_OPERATIVO = 3 AND TIPO_REG = 'VTA' AND PERIODO = 2025 AND [NUMERO "
                                 "ASIENTO] = 1) RAISERROR("))
        << texto.toStdString();
    EXPECT_TRUE(texto.contains("\r\nINSERT INTO MV_ASIENTOS (Cuenta,"));
    EXPECT_TRUE(texto.contains("IdCajas,TC_ORIGEN,CPTE_ORIGEN) VALUES "
                               "('5.1.1.01','1','3','1','20/03/2025','20/03/2025','Venta mostrador',"
                               "' CMV','0001','00000001','X','2025','VTA','D','2025-03-20 10:00:00','" +
                               gUsuarioLogeado +
                               "',25,'   1',1,25,'5.1.1.01','1','   1','   1','  FC','000100000345A')"));
    AD().EjecutaSQL(texto);
    EXPECT_EQ(Lineas(" CMV", "00000001"), "1 5.1.1.01 D 25 | 2 1.1.5.01 H 25");
    EXPECT_EQ(
        Valor("SELECT COUNT(*) FROM MV_ASIENTOS WHERE TC_ORIGEN = '  FC' AND CPTE_ORIGEN = '000100000345A'"),
        "2");
    // The next invoice's cost of goods takes the next CMV number and entry; a credit note is
    // booked the other way round.
    Llamada nc;
    nc.TC = "NC";
    nc.tipoMov = 99;
    const QString texto2 = Genera(*g, nc);
    EXPECT_EQ(nc.Nro, "00000002");
    EXPECT_FALSE(nc.esDebito);
    EXPECT_EQ(cls->NroAsientoActual, 2);
    AD().EjecutaSQL(texto2);
    EXPECT_EQ(Lineas(" CMV", "00000002"), "1 5.1.1.01 H 25 | 2 1.1.5.01 D 25");
    // A type that books no cost of goods stops, with "CMV" not taken; a sales motive without
    // its account is told to the operator.
    Llamada fkfc;
    fkfc.TC = "FKFC";
    fkfc.tipoMov = 99;
    EXPECT_EQ(Genera(*g, fkfc), "");
    EXPECT_EQ(fkfc.TC, "FKFC");
    Llamada sinCuenta;
    sinCuenta.TC = "TKFC";
    sinCuenta.tipoMov = 99;
    sinCuenta.motivo = "2";
    EXPECT_EQ(Genera(*g, sinCuenta), "");
    EXPECT_EQ(sinCuenta.TC, "CMV");
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_EQ(guion.Mensajes().front(),
              "No se puede generar el asiento de Costo de mercaderia!.. no esta configurada la cuenta");
    EXPECT_EQ(guion.Registros().back().titulo, "Aviso al Operador");
    // CMV's ranges used up: the user is told, and no entry goes under a voucher without number.
    guion.Limpia();
    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = X_NRO_HASTA WHERE CODIGO = ' CMV'");
    Llamada agotado;
    agotado.TC = "FC";
    agotado.tipoMov = 99;
    EXPECT_EQ(Genera(*g, agotado), "");
    EXPECT_EQ(agotado.Nro, "");
    EXPECT_EQ(guion.Mensajes().size(), 1);
}

TEST_F(GeneraAsiento, TiposExcluidosNoDanNada) {
    auto g = GrillaCon(kEjemplo);
    for (const auto& [tc, tipoMov] : std::vector<std::pair<QString, qint16>>{
             {"FC", 1}, {" nc ", 3}, {"FKFC", 0}, {"ND", 5}, {"FCC", 99}, {"lndc", 99}, {"NCCP", 1}}) {
        Llamada ll;
        ll.TC = tc;
        ll.tipoMov = tipoMov;
        ll.motivo = "1'";
        EXPECT_EQ(Genera(*g, ll), "") << tc.toStdString();
        EXPECT_EQ(ll.motivo, "1"); // only the apostrophe went
        EXPECT_EQ(ll.secuencia, 1);
        EXPECT_EQ(ll.TC, tc);
    }
    EXPECT_EQ(cls->NroAsientoActual, 0);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(GeneraAsiento, DatosFaltantesNoDanNada) {
    auto g = GrillaCon(kEjemplo);
    // A motive without account, and articles without account: nothing written.
    Llamada sinMotivo;
    sinMotivo.tipoMov = 0;
    sinMotivo.TC = "AJN";
    sinMotivo.motivo = "SIN";
    EXPECT_EQ(Genera(*g, sinMotivo), "");
    Ejecuta("UPDATE V_MA_ARTICULOS SET cuentacontableC = NULL WHERE TRIM(IDARTICULO) IN ('1001', '1002')");
    Llamada sinCuentas;
    EXPECT_EQ(Genera(*g, sinCuentas), "");
    EXPECT_EQ(sinCuentas.secuencia, 2);
    EXPECT_EQ(cls->NroAsientoActual, 1);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    // Entries off: nothing is touched.
    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = 'NO' WHERE Clave = 'ASIENTOSXSTOCK'");
    ClsCmnCptesPosteo apagado;
    Llamada ll;
    ll.motivo = "1'";
    EXPECT_EQ(apagado.GeneraAsientoStock(*g, ll.motivo, ll.TC, ll.suc, ll.Nro, ll.letra, ll.fecha,
                                         ll.esDebito, ll.tipoMov, ll.soloRegistro, ll.secuencia),
              "");
    EXPECT_EQ(ll.motivo, "1'");
}

TEST_F(GeneraAsiento, SinTipoDeRegistroOSinSecuenciasNoHayAsiento) {
    auto g = GrillaCon(kEjemplo);
    // The registration type's look-up fails and the user leaves it: no entry, and nothing more
    // to tell (the type may well be set; it could not be read).
    Ejecuta("INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, Subdiario) VALUES ('  ZN', NULL)");
    guion.AgregaRespuesta(Respuesta::Abortar);
    Llamada ll;
    ll.TC = "ZN";
    EXPECT_EQ(Genera(*g, ll), "");
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Registros().back().titulo.startsWith("ObtieneTipoRegCont$"));
    EXPECT_EQ(ll.secuencia, 1);
    // Sequence numbers past 32767 are an error for the caller, with nothing returned.
    Llamada ultima;
    ultima.secuencia = 32766;
    EXPECT_THROW(Genera(*g, ultima), ErrorSistema);
    EXPECT_EQ(ultima.secuencia, 32766);
}

TEST_F(GeneraAsiento, PorRenglonSumaALaLineaExistente) {
    auto g = GrillaCon(kEjemplo);
    Llamada ll;
    ll.TC = "AJN";
    ll.tipoMov = 0;
    // The first posted row is row 2: it still draws a number.
    ll.soloRegistro = 2;
    QString texto = Genera(*g, ll);
    EXPECT_EQ(cls->NroAsientoActual, 26);
    AD().EjecutaSQL(texto);
    ll.soloRegistro = 1;
    ll.secuencia = 1;
    texto = Genera(*g, ll);
    EXPECT_EQ(cls->NroAsientoActual, 27); // row 1 draws anew, as a posting starts on it
    const QString donde =
        " WHERE TC = ' AJN' AND SUCURSAL = '0001' AND NUMERO = '00000012' AND LETRA = 'X' AND ";
    EXPECT_EQ(
        texto,
        "\r\nUPDATE MV_ASIENTOS SET IMPORTE = IMPORTE + 20" + donde +
            "CUENTA = '5.1.3.01' AND [DEBE-HABER] = 'D'\r\nUPDATE MV_ASIENTOS SET IMPORTE = IMPORTE + 20" +
            donde + "CUENTA = '1.1.5.01' AND [DEBE-HABER] = 'H'");
    AD().EjecutaSQL(texto);
    ll.soloRegistro = 3;
    texto = Genera(*g, ll);
    EXPECT_EQ(cls->NroAsientoActual, 27);
    AD().EjecutaSQL(texto);
    EXPECT_EQ(Lineas(" AJN", "00000012"), "1 5.1.3.01 D 55 | 2 1.1.5.01 H 55");
    // A negative row adds to the lines of the other side, which it creates.
    g->setTextMatrix(2, 7, "-2");
    ll.soloRegistro = 2;
    texto = Genera(*g, ll);
    EXPECT_EQ(texto.count("INSERT"), 2);
    AD().EjecutaSQL(texto);
    const auto [d, h] = DebeHaber(" AJN", "00000012");
    EXPECT_EQ(d, h);
    EXPECT_EQ(d.ADoble(), 65);
}

TEST_F(GeneraAsiento, CuentasConApostrofoYOrdenDeLaBase) {
    Ejecuta("UPDATE V_MA_ARTICULOS SET cuentacontableC = 'b''2' WHERE TRIM(IDARTICULO) = '1001'");
    Ejecuta("UPDATE V_MA_ARTICULOS SET cuentacontableC = 'A1' WHERE TRIM(IDARTICULO) = '1003'");
    Ejecuta("UPDATE V_TA_MotivoStock SET Descripcion = 'Ajuste d''inventario' WHERE IdMotivoStock = '   1'");
    auto g = GrillaCon({{"1001", "1", "1"}, {"1002", "1", "2"}, {"1003", "1", "4"}, {"NO-EXISTE", "1", "8"}});
    Llamada ll;
    ll.TC = "IR";
    ll.tipoMov = 0;
    AD().EjecutaSQL(Genera(*g, ll));
    EXPECT_EQ(Lineas("  IR", "00000012"), "1 5.1.3.01 H 7 | 2 1.1.5.01 D 2 | 3 A1 D 4 | 4 b'2 D 1");
    EXPECT_EQ(ll.secuencia, 5);
    EXPECT_EQ(Valor("SELECT DISTINCT Detalle FROM MV_ASIENTOS WHERE TC = '  IR'"), "Ajuste d'inventario");
}

// The entry reads only the articles the voucher holds, whatever else shares their accounts: here
// reading article 1003's account fails, and the entry of 1001 and 1002 is made all the same, its
// accounts in the database's order.
TEST_F(GeneraAsiento, SoloLeeLosArticulosDelComprobante) {
    Ejecuta("UPDATE V_MA_ARTICULOS SET cuentacontableC = 'A1' WHERE TRIM(IDARTICULO) = '1002'");
    Ejecuta("ALTER TABLE V_MA_ARTICULOS RENAME TO ARTICULOS_TABLA");
    Ejecuta("CREATE VIEW V_MA_ARTICULOS AS SELECT IDARTICULO, CASE WHEN TRIM(IDARTICULO) = '1003' THEN "
            "abs(-9223372036854775808) ELSE cuentacontableC END AS cuentacontableC FROM ARTICULOS_TABLA");
    auto g = GrillaCon(kEjemplo);
    Llamada ll;
    ll.TC = "IR";
    ll.tipoMov = 0;
    AD().EjecutaSQL(Genera(*g, ll));
    EXPECT_EQ(Lineas("  IR", "00000012"), "1 5.1.3.01 H 55 | 2 1.1.5.01 D 50 | 3 A1 D 5");
}

// Random vouchers of 1 to 500 lines over articles spread on a dozen accounts (some without
// one, some unknown codes): the stored entry balances and nets, per account, the stock value.
TEST_F(GeneraAsiento, PropiedadVouchersAlAzarBalanceanYCuadranPorCuenta) {
    Ejecuta(
        "UPDATE V_MA_ARTICULOS SET cuentacontableC = CASE WHEN CAST(TRIM(IDARTICULO) AS INTEGER) % 13 = 0 "
        "THEN NULL ELSE '1.1.5.' || (CAST(TRIM(IDARTICULO) AS INTEGER) % 12) END "
        "WHERE CAST(TRIM(IDARTICULO) AS INTEGER) BETWEEN 1001 AND 1300");
    QHash<QString, QString> cuentaDe;
    for (int a = 1001; a <= 1300; ++a)
        if (a % 13 != 0)
            cuentaDe.insert(QString::number(a), "1.1.5." + QString::number(a % 12));
    QRandomGenerator azar(20251209);
    for (int v = 0; v < 25; ++v) {
        const int n = v == 0 ? 1 : (v == 1 ? 500 : azar.bounded(1, 501));
        std::vector<Linea> lineas;
        std::map<QString, Moneda> esperado;
        for (int i = 0; i < n; ++i) {
            const QString art =
                azar.bounded(20) == 0 ? "X" + QString::number(i) : QString::number(azar.bounded(1001, 1301));
            const Moneda cant = Moneda::DeCrudo(azar.bounded(-20000, 100000));
            const Moneda costo = Moneda::DeCrudo(azar.bounded(0, 5000000));
            lineas.push_back({art, cant.Texto(), costo.Texto()});
            if (cuentaDe.contains(art))
                esperado[cuentaDe[art]] += cant * costo;
        }
        auto g = GrillaCon(lineas);
        Llamada ll;
        ll.TC = v % 2 ? "AJP" : "VS";
        ll.tipoMov = 0;
        ll.Nro = QString("%1").arg(v + 1, 8, 10, QChar('0'));
        const QString texto = Genera(*g, ll);
        AD().EjecutaSQL(texto);
        SCOPED_TRACE(ll.Nro.toStdString());
        const auto [d, h] = DebeHaber(UT().RellenaCodigo(ll.TC, 4), ll.Nro);
        EXPECT_EQ(d, h);
        // Account lines net (articles' side minus motive's side) to the stock value.
        const QString ladoCuentas = ll.esDebito ? "H" : "D";
        Registros rs;
        AD().ObtieneRecordset("SELECT Cuenta, [DEBE-HABER], Importe FROM MV_ASIENTOS WHERE NUMERO = '" +
                                  ll.Nro + "' AND TC = '" + UT().RellenaCodigo(ll.TC, 4) +
                                  "' AND Secuencia > 1",
                              rs);
        std::map<QString, Moneda> guardado;
        for (; !rs.Eof(); rs.MoveNext()) {
            const Moneda imp = Moneda::DeDoble(rs.Fields(2).toDouble());
            guardado[rs.Fields(0).toString()] += rs.Fields(1).toString() == ladoCuentas ? imp : -imp;
        }
        AD().CierraRecordset(rs);
        std::erase_if(esperado, [](const auto& p) { return p.second.EsCero(); });
        EXPECT_EQ(guardado, esperado);
    }
}

} // namespace

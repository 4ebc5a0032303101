// The voucher lookup's queries and rows on the demo database: the pseudo types, the search and
// validity conditions, every statement's text and its run, and the seven row layouts.
//
// Demo vouchers (branch 0099, letter R): RM 1 pending and approved with notes and a stamp, 2
// closed, 3 annulled, 4 blocked; NP 1 prepared, 2 not, 3 closed; OT 1 pending, 2 closed; PR 1
// approved, 2 not, 3 annulled; FC 1 with notes and complement 2, 2 annulled; FP 1 open, 2 closed;
// OP 1. Purchases: FCC 1, 2 annulled; NCC 1; RMC 1 open, 2 closed; OC 1 with guarantee and a
// reception, 2, 3 not approved. T3 ids 7 and 8; NCPE 0099-00000001R; transport RM 5 invoiced.

#include "ConsultaCptes.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "Configuracion.h"
#include "Formatos.h"
#include "Globales.h"
#include "Regional.h"
#include "Registros.h"

#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Texts compared as std::string, so that a failure prints them.
#define EXPECT_TEXTO(a, b) EXPECT_EQ(QString(a).toStdString(), QString(b).toStdString())
#define EXPECT_FILAS(a, b)                                                                                   \
    EXPECT_EQ(QStringList(a).join(u'\n').toStdString(), QStringList(b).join(u'\n').toStdString())

namespace {

const QString kL = QStringLiteral("AND NOMBRE LIKE '%Pepe%' ");
const QString kF = QStringLiteral("CUENTA = 'C0001'");

class ConsultaCptes : public ConBaseDemo {
protected:
    static QString Sql(const QString& pedido, QString filtro, const QString& l,
                       const AjustesConsultaCptes& a = {}) {
        return SentenciaConsultaCptes(MapeaTipoConsulta(pedido), filtro, l, a);
    }
    // The rows of a lookup as "text|sub1|sub2|...#image".
    static QStringList Filas(const QString& pedido, QString filtro = {}, const QString& l = {},
                             const AjustesConsultaCptes& a = {}) {
        const TipoConsulta tipo = MapeaTipoConsulta(pedido);
        QStringList r;
        for (const FilaConsulta& f : FilasConsulta(SentenciaConsultaCptes(tipo, filtro, l, a), tipo))
            r << f.texto + u'|' + f.subItems.join(u'|') + u'#' + QString::number(f.imagen);
        return r;
    }
    static QString N(double v) { return Regional::TextoNumero(v); }
};

TEST_F(ConsultaCptes, TiposSeudoYCondiciones) {
    const auto m = [](const QString& p) {
        const TipoConsulta t = MapeaTipoConsulta(p);
        return t.tc + (t.pendiente ? "+P" : "") + (t.transporte ? "+T" : "") + "=" + t.Consultado();
    };
    EXPECT_EQ(m("RM/PENDIENTES"), "RM+P=RM");
    EXPECT_EQ(m("np/pendientes"), "NP+P=NP");
    EXPECT_EQ(m("OT/PENDIENTES"), "OT+P=OT");
    EXPECT_EQ(m("RM/PENDIENTES_COMPRAS"), "RMC+P=RMC");
    EXPECT_EQ(m("PR/PENDIENTES"), "PR+P=PR");
    EXPECT_EQ(m("FC/ANTICIPOS"), "FC=FC");
    EXPECT_EQ(m("RM/TRANSPORTE"), "RM-T+T=RM");
    EXPECT_EQ(m("FP/PENDIENTES"), "FP=FP");
    EXPECT_EQ(m("fcc"), "fcc=fcc");

    EXPECT_EQ(CondicionBusqueda(kGuiaNombre, kGuiaNumero), "");
    EXPECT_EQ(CondicionBusqueda("BUSCAR POR NOMBRE...", ""), "");
    EXPECT_EQ(CondicionBusqueda("  Don  Pepe ", kGuiaNumero), "AND NOMBRE LIKE '%Don  Pepe%' ");
    EXPECT_EQ(CondicionBusqueda("Pepe", " 0001 "), "AND IDCOMPROBANTE LIKE '%0001%' ");
    EXPECT_EQ(CondicionBusqueda("O'Hara' OR 1=1 --", ""), "AND NOMBRE LIKE '%O''Hara'' OR 1=1 --%' ");

    const QDate hoy(2025, 5, 10);
    EXPECT_EQ(CondicionVigencia("30", hoy), " and fecha >= '10/04/2025' ");
    for (const char* nada : {"0", "", " ", "-3", "abc", "99999"})
        EXPECT_EQ(CondicionVigencia(nada, hoy), "") << nada;

    EXPECT_EQ(QuitaWhere(" WHERE cuenta = 'x' "), "  cuenta = 'x' ");
    EXPECT_EQ(QuitaWhere("Where a=1 and nowhere=2"), " a=1 and no=2");
    EXPECT_EQ(QuitaWhere("a = 1"), "a = 1");
}

TEST_F(ConsultaCptes, TextoDeCadaSentencia) {
    AjustesConsultaCptes contado{"SI", " ", " ", ""};
    AjustesConsultaCptes parcial{"si", "SI", "NO", " and fecha >= '01/01/2025' "};
    const QString rm = "'  RM'";
    EXPECT_EQ(
        Sql("RM/PENDIENTES_COMPRAS", kF, kL),
        " SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes "
        "with(nolock) WHERE TC = ' RMC' " +
            kL + " AND " + kF + " ORDER BY IDCOMPROBANTE DESC");
    EXPECT_TEXTO(Sql("RM/PENDIENTES", kF, kL, contado),
                 " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, '' AS "
                 "OBSERVACIONES "
                 "FROM V_RemitosPendientes with(nolock) WHERE TC = " +
                     rm + " " + kL + " AND " + kF + " ORDER BY IDCOMPROBANTE DESC");
    EXPECT_EQ(
        Sql("RM/PENDIENTES", kF, kL),
        " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, "
        "OBSERVACIONES,FechaHora_Grabacion  FROM V_MV_CPTE with(nolock) WHERE COMPLEMENTARIO = 0 AND TC = " +
            rm + kL + " AND " + kF + "  AND FINALIZADA = 0 AND BLOQUEADA = 0 ORDER BY IDCOMPROBANTE DESC");
    EXPECT_TEXTO(Sql("RM/PENDIENTES", " ", kL, contado),
                 " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM "
                 "V_RemitosPendientes with(nolock) WHERE TC = " +
                     rm + kL + " ORDER BY IDCOMPROBANTE DESC");
    EXPECT_TEXTO(Sql("RM/PENDIENTES", "", kL, parcial),
                 " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, "
                 "Importe,Fechahora_grabacion,fechahora_modificacion FROM V_MV_CPTE with(nolock) WHERE "
                 "COMPLEMENTARIO = 0 "
                 "AND TC = " +
                     rm + kL + " AND FINALIZADA = 0 AND BLOQUEADA = 0 ORDER BY IDCOMPROBANTE DESC");
    EXPECT_TEXTO(Sql("t3", kF, kL),
                 "SELECT * FROM V_MV_CPTETERCEROS  with(nolock)  ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO");
    EXPECT_TEXTO(Sql("NCPE", kF, kL), "SELECT * FROM MV_ASIENTOS  with(nolock)  WHERE TC = 'NCPE' AND " + kF +
                                          " ORDER BY SUCURSAL, NUMERO, LETRA DESC ");
    EXPECT_TEXTO(Sql("NDPR", "", kL),
                 "SELECT * FROM MV_ASIENTOS  with(nolock)  WHERE TC = 'NDPR' AND SECUENCIA = 1 "
                 "ORDER BY SUCURSAL, NUMERO, LETRA DESC");
    EXPECT_TEXTO(Sql("FCC", kF, kL), "SELECT * FROM C_MV_CPTE  with(nolock)  WHERE TC = ' FCC'" + kL +
                                         " AND " + kF + " ORDER BY IDCOMPROBANTE DESC ");
    EXPECT_TEXTO(Sql("RMC", "", kL), "SELECT * FROM C_MV_CPTE  with(nolock)  WHERE TC = ' RMC'" + kL +
                                         " ORDER BY IDCOMPROBANTE DESC");
    const QString ot = " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento";
    EXPECT_EQ(
        Sql("OT/PENDIENTES", kF, kL),
        ot +
            ",ID,FECHA, Importe,FechaHora_Grabacion,FechaHOra_Modificacion FROM V_OT_Pendientes with(nolock) "
            "WHERE TC = '  OT'" +
            kL + " AND " + kF + " ORDER BY IDCOMPROBANTE DESC");
    EXPECT_TEXTO(Sql("OT", kF, kL),
                 ot +
                     " , ID,FECHA, Importe,FechaHora_Grabacion,FechaHOra_Modificacion FROM V_OT_Pendientes "
                     "with(nolock) WHERE TC = '  OT'" +
                     kL + " AND " + kF + " ORDER BY IDCOMPROBANTE DESC");
    EXPECT_TEXTO(Sql("OT", "", kL),
                 ot + " , ID,FECHA, Importe FROM V_OT_Pendientes with(nolock) WHERE TC = '  OT'" + kL +
                     "  ORDER BY IDCOMPROBANTE DESC");
    EXPECT_EQ(
        Sql("NP/PENDIENTES", kF, kL),
        " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE,IDCOMPLEMENTO, ID,FECHA, Importe, "
        "FechaPreparacion, "
        "fechahora_grabacion,IdPalm,Observaciones,Fechahora_grabacion,fechahora_modificacion "
        "FROM V_MV_CPTE  with(nolock)  WHERE TC = '  NP'" +
            kL + " AND " + kF + " AND FINALIZADA = 0 and anulada = 0 ORDER BY IDCOMPROBANTE DESC");
    EXPECT_TEXTO(Sql("NP/PENDIENTES", "", kL),
                 " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE,IDCOMPLEMENTO, ID,FECHA, "
                 "Importe,FechaPreparacion,fechahora_grabacion,IdPalm,Observaciones,Fechahora_grabacion,"
                 "fechahora_modificacion FROM V_MV_CPTE with(nolock) WHERE TC = '  NP'" +
                     kL + " AND FINALIZADA = 0 and anulada = 0 ORDER BY IDCOMPROBANTE DESC");
    const QString pr =
        " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios";
    EXPECT_EQ(
        Sql("PR/PENDIENTES", kF, kL, contado),
        pr + ",Fechahora_grabacion,fechahora_modificacion FROM V_MV_CPTE with(nolock) WHERE TC = '  PR'" +
            kL + " AND   " + kF + " AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
    EXPECT_EQ(
        Sql("PR/PENDIENTES", kF, kL, parcial),
        pr + ",Fechahora_grabacion,fechahora_modificacion FROM V_MV_CPTE with(nolock) WHERE TC = '  PR'" +
            kL + " AND APROBADO = 1 AND " + kF + parcial.condicionVigencia +
            " AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
    EXPECT_TEXTO(Sql("PR/PENDIENTES", "", kL, contado),
                 pr + " FROM V_PR_PENDIENTES with(nolock)  WHERE TC = '  PR'" + kL +
                     " ORDER BY IDCOMPROBANTE DESC");
    EXPECT_TEXTO(Sql("PR/PENDIENTES", "", kL, parcial),
                 pr + " FROM V_PR_PENDIENTES with(nolock)  WHERE TC = '  PR'" + kL +
                     parcial.condicionVigencia + " AND APROBADO = 1 ORDER BY IDCOMPROBANTE DESC");
    QString filtro = "WHERE CUENTA = 'P001'";
    EXPECT_TEXTO(
        Sql("OC", filtro, kL),
        " SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, comentarios, "
        "Garantia "
        "FROM C_MV_CPTE  with(nolock) WHERE TC = '  OC'" +
            kL +
            " AND (APROBADO = 1) AND (FINALIZADO = 0) AND (ANULADA = 0) AND  CUENTA = 'P001' ORDER BY "
            "IDCOMPROBANTE DESC");
    EXPECT_EQ(
        Sql("FP/PENDIENTES", "", kL),
        " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, "
        "Importe,Fechahora_grabacion,fechahora_modificacion FROM V_MV_CPTE with(nolock) WHERE TC = '  FP'  " +
            kL + "  AND FINALIZADA = 0 ORDER BY IDCOMPROBANTE DESC");
    EXPECT_TEXTO(Sql("RM", kF, kL),
                 "SELECT * FROM V_MV_CPTE  with(nolock)  WHERE COMPLEMENTARIO = 0 AND TC = " + rm + kL +
                     " AND " + kF + " ORDER BY  IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC  ");
    EXPECT_TEXTO(Sql("FC/ANTICIPOS", kF, kL), "SELECT * FROM V_MV_CPTE  with(nolock)  WHERE TC = '  FC'" +
                                                  kL + " AND " + kF +
                                                  " ORDER BY  IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC  ");
    EXPECT_TEXTO(Sql("RM", "", kL),
                 "SELECT * FROM V_MV_CPTE  with(nolock)  WHERE COMPLEMENTARIO = 0 AND BLOQUEADA = 0 "
                 "AND TC = " +
                     rm + kL + " ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC");
    EXPECT_TEXTO(Sql("NP", "", kL), "SELECT * FROM V_MV_CPTE  with(nolock)  WHERE   TC = '  NP'" + kL +
                                        " ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC");
}

TEST_F(ConsultaCptes, SentenciaDeTransporte) {
    QString filtro = " where dbo.V_MV_Stock.CUENTAPROVEEDOR = 'P002'";
    EXPECT_EQ(
        SentenciaConsultaCptes(MapeaTipoConsulta("RM/TRANSPORTE"), filtro, kL, {}),
        "SELECT dbo.V_MV_Stock.TC, dbo.V_MV_Stock.IDCOMPROBANTE, dbo.V_MV_Stock.IDCOMPLEMENTO, "
        "dbo.V_MV_Stock.FECHA,dbo.V_MV_Stock.CUENTAPROVEEDOR  FROM         dbo.V_MV_Stock LEFT OUTER JOIN "
        "dbo.MV_APLICACION ON dbo.V_MV_Stock.IDCOMPROBANTE = dbo.MV_APLICACION.IDComprobante_Origen AND "
        "(dbo.MV_APLICACION.Tco_Origen = N'RM' OR dbo.MV_APLICACION.Tco_Origen = N'  RM') WHERE     "
        "(dbo.V_MV_Stock.TC = N'RM' OR dbo.V_MV_Stock.TC = N'  RM') AND "
        "(dbo.V_MV_Stock.IDVIAJE = N'TTE') AND (dbo.V_MV_Stock.Revisado = 0) AND (dbo.MV_APLICACION.TC = "
        "N'FC' OR dbo.MV_APLICACION.TC = N'  FC' OR dbo.MV_APLICACION.TC = N'TKFC' OR dbo.MV_APLICACION.TC = "
        "N'TK' OR dbo.MV_APLICACION.TC = N'  TK')  AND   "
        "dbo.V_MV_Stock.CUENTAPROVEEDOR = 'P002' GROUP BY "
        "dbo.V_MV_Stock.TC,dbo.V_MV_Stock.IDCOMPROBANTE,dbo.V_MV_Stock.IDCOMPLEMENTO,dbo.V_MV_Stock.FECHA,"
        "dbo.V_MV_Stock.CUENTAPROVEEDOR ORDER BY "
        "dbo.V_MV_Stock.FECHA DESC,dbo.V_MV_Stock.IDCOMPROBANTE,dbo.V_MV_Stock.IDCOMPLEMENTO");
    EXPECT_TEXTO(filtro, "  dbo.V_MV_Stock.CUENTAPROVEEDOR = 'P002'"); // the window keeps the cleaned text
    EXPECT_FILAS(Filas("RM/TRANSPORTE", filtro), QStringList{"|009900000005R|0|19/04/25|P002#0"});
    EXPECT_FILAS(Filas("RM/TRANSPORTE"), QStringList{"|009900000005R|0|19/04/25|P002#0"});
    EXPECT_FILAS(Filas("RM/TRANSPORTE", "CUENTAPROVEEDOR = 'P001'"), QStringList{});
}

// The demo's delivery is stored bare, as another program may store it; one this program posted
// is stored filled, and its invoice or ticket may name either form: each shows once.
TEST_F(ConsultaCptes, TransporteConTiposRellenosYSinRellenar) {
    AD().EjecutaSQL(
        QStringLiteral("INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Fecha, CuentaProveedor, "
                       "IDVIAJE, Revisado, "
                       "Cantidad) VALUES ('  RM', '009900000008R', 0, '22/04/2025', 'P002', 'TTE', 0, 0), "
                       "('  RM', '009900000009R', 0, '23/04/2025', 'P001', 'TTE', 0, 0), "
                       "('  RM', '009900000010R', 0, '24/04/2025', 'P001', 'TTE', 0, 0), "
                       "('  RM', '009900000011R', 0, '25/04/2025', 'P001', 'TTE', 1, 0), "
                       "('  RM', '009900000012R', 0, '26/04/2025', 'P002', 'TTE', 0, 0)"));
    AD().EjecutaSQL(QStringLiteral(
        "INSERT INTO MV_APLICACION (TC, IDCOMPROBANTE, TCO_ORIGEN, IDComprobante_Origen) VALUES "
        "('  FC', '009900000003R', '  RM', '009900000008R'), ('TK', '009900000004R', 'RM', '009900000009R'), "
        "('  NC', '009900000005R', '  RM', '009900000010R'), ('  FC', '009900000006R', '  RM', "
        "'009900000011R'), ('  TK', '009900000007R', '  RM', '009900000012R')"));
    EXPECT_FILAS(Filas("RM/TRANSPORTE"),
                 (QStringList{"|009900000012R|0|26/04/25|P002#0", "|009900000009R|0|23/04/25|P001#0",
                              "|009900000008R|0|22/04/25|P002#0", "|009900000005R|0|19/04/25|P002#0"}));
}

// Without a caller's condition no statement ends in a dangling " AND ", and every one runs.
TEST_F(ConsultaCptes, SinCondicionNingunaSentenciaQuedaColgada) {
    const QStringList pedidos{"RM/PENDIENTES",
                              "NP/PENDIENTES",
                              "OT/PENDIENTES",
                              "RM/PENDIENTES_COMPRAS",
                              "PR/PENDIENTES",
                              "FC/ANTICIPOS",
                              "RM/TRANSPORTE",
                              "FP/PENDIENTES",
                              "T3",
                              "NCPE",
                              "NDPR",
                              "FCC",
                              "NCC",
                              "LNCC",
                              "NCCP",
                              "NDC",
                              "LNDC",
                              "RMC",
                              "OT",
                              "NP",
                              "PR",
                              "OC",
                              "FP",
                              "RM",
                              "FC",
                              "ND",
                              "NC",
                              "OP",
                              "GF",
                              "NCFP",
                              "XX"};
    const QList<AjustesConsultaCptes> ajustes{{}, {"SI", "", "NO", ""}, {"SI", "SI", "", ""}};
    int corridas = 0;
    for (const QString& p : pedidos)
        for (const QString& filtro : {QString(), QString("  "), QString("1 = 1")})
            for (const QString& l : {QString(), kL, CondicionBusqueda("", "0099")})
                for (const AjustesConsultaCptes& a : ajustes) {
                    const QString sql = Sql(p, filtro, l, a);
                    const QString plano = sql.simplified().toUpper();
                    EXPECT_FALSE(plano.contains("AND ORDER") || plano.contains("AND AND") ||
                                 plano.contains("AND GROUP") || plano.endsWith(" AND"))
                        << sql.toStdString();
                    Registros rs;
                    EXPECT_NO_THROW(AD().ObtieneRecordset(sql, rs)) << sql.toStdString();
                    ++corridas;
                }
    EXPECT_EQ(corridas, 31 * 3 * 3 * 3);
}

TEST_F(ConsultaCptes, FilasGeneralesConSuImagenYSusColumnas) {
    const QString fc1 = "08/04/2025 11:00:00|009900000001R|2|Almacén Don Pepe|Factura de contado|" + N(2500);
    EXPECT_FILAS(Filas("FC"), (QStringList{"09/04/25|009900000002R|0|Ferretería El Tornillo||" + N(40) + "#2",
                                           fc1 + "#3"}));
    // "RM": no complement, notes, a stamp to the second; annulled wins over approved; blocked
    // ones do not show; an empty stamp shows the date.
    EXPECT_EQ(
        Filas("RM"),
        (QStringList{"03/04/25|009900000003R||Almacén Don Pepe|Anulado por error de carga|" + N(75) + "#2",
                     "02/04/25|009900000002R||Ferretería El Tornillo||" + N(320) + "#8",
                     "01/04/2025 10:15:42|009900000001R||Almacén Don Pepe|Entregar por la "
                     "mañana|" +
                         N(1500.5) + "#3"}));
    // A type with no image of its own gets "Generico"; Importe is its fourth sub-item.
    EXPECT_FILAS(Filas("OP"), QStringList{"12/04/25|009900000001R||Almacén Don Pepe|" + N(15) + "#8"});
    // The number box wins over the name.
    EXPECT_FILAS(Filas("FC", {}, CondicionBusqueda("Tornillo", "00001")), QStringList{fc1 + "#3"});
    EXPECT_EQ(Filas("FC", {}, CondicionBusqueda("Tornillo", "")).size(), 1);
    EXPECT_FILAS(Filas("FC", "Importe > 100"), QStringList{fc1 + "#3"});
}

TEST_F(ConsultaCptes, PendientesYColumnasQueFaltan) {
    // Pending orders: the one not prepared is skipped, the prepared one shows "Aprobado".
    EXPECT_FILAS(Filas("NP/PENDIENTES"),
                 QStringList{"03/04/25|009900000001R|0|Almacén Don Pepe|Preparado|" + N(210) + "#3"});
    // Statement 4 lacks the stamp and the notes: they read as empty on every row.
    GrabaDfg("UsaRemitoContado", "SI", "", false, "", true);
    const AjustesConsultaCptes contado = AjustesConsultaCptes::Lee(MapeaTipoConsulta("RM/PENDIENTES"));
    EXPECT_FILAS(Filas("RM/PENDIENTES", {}, {}, contado),
                 (QStringList{"04/04/25|009900000004R||Ferretería El Tornillo||" + N(90) + "#8",
                              "01/04/25|009900000001R||Almacén Don Pepe||" + N(1500.5) + "#3"}));
    // Statement 5: open, not blocked, annulled ones too.
    EXPECT_EQ(Filas("RM/PENDIENTES").size(), 2);
    EXPECT_FILAS(Filas("RM/PENDIENTES", "CUENTA = 'C0002'"), QStringList{});
    EXPECT_FILAS(Filas("OT/PENDIENTES", "APROBADO = 1"),
                 QStringList{"06/04/2025 16:20:05|009900000001R|1|Ferretería El Tornillo|" + N(480) + "#3"});
    EXPECT_EQ(Filas("OT").size(), 1);
    EXPECT_EQ(Filas("FP/PENDIENTES").size(), 1);
    EXPECT_EQ(Filas("FP").size(), 1);
}

TEST_F(ConsultaCptes, PresupuestosConVigenciaYAprobacion) {
    const QString pr1 = "05/04/25|009900000001R|Almacén Don Pepe||Validez 30 días|" + N(1234.5) + "#1";
    const QString pr2 = "06/04/25|009900000002R|Ferretería El Tornillo||A confirmar|" + N(88) + "#1";
    EXPECT_FILAS(Filas("PR/PENDIENTES"), (QStringList{pr2, pr1}));
    EXPECT_FILAS(Filas("PR/PENDIENTES", {}, {}, {"", "", "NO", ""}), QStringList{pr1});
    // With a condition the annulled one is not left out.
    EXPECT_FILAS(Filas("PR/PENDIENTES", "Importe < 100", {}, {}),
                 (QStringList{"07/04/25|009900000003R|Ferretería El Tornillo|||" + N(5) + "#2", pr2}));
    EXPECT_EQ(Filas("PR").size(), 3); // the annulled one too, with its image
    EXPECT_TRUE(Filas("PR").front().endsWith("#2"));
    // The validity window counts back from the server's date: one day leaves none of them.
    GrabaDfg("VigenciaPresupuestos", "1", "", false, "", true);
    const TipoConsulta pendientes = MapeaTipoConsulta("PR/PENDIENTES");
    EXPECT_FILAS(Filas("PR/PENDIENTES", {}, {}, AjustesConsultaCptes::Lee(pendientes)), QStringList{});
    GrabaDfg("VigenciaPresupuestos", "30000", "", false, "", true);
    EXPECT_EQ(Filas("PR/PENDIENTES", {}, {}, AjustesConsultaCptes::Lee(pendientes)).size(), 2);
    EXPECT_EQ(AjustesConsultaCptes::Lee(MapeaTipoConsulta("PR")).condicionVigencia, "");
}

TEST_F(ConsultaCptes, ComprasAsientosTercerosYOrdenes) {
    EXPECT_FILAS(
        Filas("FCC"),
        (QStringList{"08/04/25|009900000002R|P002|Bulonera Industrial S.A.|" + N(55) + "#2",
                     "07/04/25|009900000001R|P001|Distribuidora del Plata S.R.L.|" + N(1000) + "#8"}));
    EXPECT_FILAS(Filas("NCC"),
                 QStringList{"09/04/25|009900000001R|P001|Distribuidora del Plata S.R.L.|" + N(30) + "#8"});
    EXPECT_FILAS(Filas("RM/PENDIENTES_COMPRAS", "1=1"),
                 QStringList{"10/04/25|009900000001R|P002|Bulonera Industrial S.A.|" + N(640) + "#8"});
    EXPECT_EQ(Filas("RMC").size(), 2);
    EXPECT_FILAS(Filas("NCPE"),
                 QStringList{"18/04/25|009900000001R|P001|Distribuidora del Plata S.R.L.|Diferencia de "
                             "precio|" +
                             N(250) + "#8"});
    EXPECT_EQ(Filas("NCPE", "Secuencia = 2").front(),
              "18/04/25|009900000001R|1.1.5.01||Diferencia de precio|" + N(250) + "#8");
    EXPECT_FILAS(Filas("T3"),
                 (QStringList{"7|15/04/25|009900000001R|0|15/04/2025 09:30:00|#0",
                              "8|16/04/25|009900000002R|1|16/04/2025 10:00:00|17/04/2025 12:00:00#0"}));
    // Purchase orders: approved and open only; the guarantee image; the reception voucher, found by
    // its types as the posting stores them (filled to 4).
    EXPECT_FILAS(Filas("OC"), (QStringList{"13/04/25|P002 Bulonera Industrial S.A.|009900000002R|" + N(800) +
                                               "|Entrega parcial|#10",
                                           "12/04/25|P001 Distribuidora del Plata S.R.L.|009900000001R|" +
                                               N(5000) + "|Con garantía|009900000007R#11"}));
}

TEST_F(ConsultaCptes, MarcasDeAnuladaGarantiaYNulos) {
    AD().EjecutaSQL("UPDATE C_MV_CPTE SET ANULADA = 1 WHERE TC = '  OC' AND IDCOMPROBANTE = '009900000001R'");
    AD().EjecutaSQL(
        "UPDATE C_MV_CPTE SET ANULADA = NULL WHERE TC = ' FCC' AND IDCOMPROBANTE = '009900000002R'");
    const TipoConsulta oc = MapeaTipoConsulta("OC");
    QString nada;
    EXPECT_EQ(
        FilasConsulta("SELECT * FROM C_MV_CPTE WHERE TC = '  OC' ORDER BY IDCOMPROBANTE", oc).front().imagen,
        2);
    EXPECT_EQ(FilasConsulta("SELECT * FROM C_MV_CPTE WHERE TC = ' FCC' ORDER BY IDCOMPROBANTE DESC",
                            MapeaTipoConsulta("FCC"))
                  .front()
                  .imagen,
              8); // a null mark is no mark; "FCC" has no image of its own
    EXPECT_EQ(ObtieneIndiceImagen("Anulado"), 2);
    EXPECT_EQ(ObtieneIndiceImagen(" aprobado "), 3);
    EXPECT_EQ(ObtieneIndiceImagen("fc"), 4);
    EXPECT_EQ(ObtieneIndiceImagen("T3"), 9);
    EXPECT_EQ(ObtieneIndiceImagen("OCG"), 11);
    EXPECT_EQ(ObtieneIndiceImagen("OC"), 10);
    EXPECT_EQ(ObtieneIndiceImagen("XYZ"), 8);
    EXPECT_EQ(ObtieneIndiceImagen(""), 8);
    EXPECT_EQ(ObtieneIndiceImagen("X", {"A", "B"}), 0);
    EXPECT_EQ(ObtieneIndiceImagen("X", {"A", " generico "}), 2);
}

} // namespace

namespace {

// The embedded engine's only (the texts are generated in its own SQL): not in the T-SQL server's
// tests.
#ifndef MODELOS_PRUEBAS_TSQL

// The row's date text over generated date texts, valid and not (months 13, days 32, hours 24,
// minutes 60, without and with a time, some not in the database's form): always what the
// general date reader and the date mask make of it, or the text itself when it is no date.
TEST_F(ConsultaCptes, FechasDeLasFilasComoLasLeeElLectorGeneral) {
    const QString sql = QStringLiteral(
        "WITH RECURSIVE s(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM s WHERE n < 999) "
        "SELECT CASE n % 5 WHEN 4 THEN printf('%d/%d/%04d', 1 + n % 31, 1 + n % 12, 1990 + n % 50) "
        "ELSE printf('%04d-%02d-%02d', 1990 + n % 50, 1 + n % 13, 1 + n % 32) || "
        "CASE n % 3 WHEN 0 THEN '' WHEN 1 THEN printf(' %02d:%02d:%02d', n % 25, n % 61, n % 60) "
        "ELSE ' 12:30' END END AS Fecha, 'X' AS IdComprobante FROM s");
    Registros rs;
    AD().ObtieneRecordset(sql, rs);
    QStringList textos;
    for (; !rs.Eof(); rs.MoveNext())
        textos << rs.Fields(0).toString();
    AD().CierraRecordset(rs);
    const std::vector<FilaConsulta> filas = FilasConsulta(sql, MapeaTipoConsulta("FCC"));
    ASSERT_EQ(filas.size(), size_t(textos.size()));
    int fechas = 0;
    for (size_t i = 0; i < filas.size(); ++i) {
        const QString& t = textos.at(qsizetype(i));
        const auto leida = LeeFechaTexto(t);
        fechas += leida ? 1 : 0;
        EXPECT_TEXTO(filas[i].texto, leida ? AplicaMascaraFecha(*leida, "dd/mm/yy") : t) << t.toStdString();
    }
    EXPECT_GT(fechas, 500);
    EXPECT_LT(fechas, 1000);
}
#endif

} // namespace

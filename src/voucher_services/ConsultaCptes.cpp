#include "ConsultaCptes.h"

#include "AccesoDatos.h"
#include "Configuracion.h"
#include "ConsultaLike.h"
#include "Formatos.h"
#include "Globales.h"
#include "Regional.h"
#include "Registros.h"
#include "Transacciones.h"
#include "Utilidades.h"

#include <QRegularExpression>
#include <array>
#include <cmath>

namespace {

bool Es(const QString& a, const char* b) {
    return a.compare(QLatin1StringView(b), Qt::CaseInsensitive) == 0;
}

bool EsUno(const QString& tc, std::initializer_list<const char*> tipos) {
    for (const char* t : tipos)
        if (Es(tc, t))
            return true;
    return false;
}

bool EsSi(const QString& valor) {
    return Es(valor, "SI");
}

bool EsNo(const QString& valor) {
    return Es(valor, "NO");
}

const std::initializer_list<const char*> kCompras{"FCC", "NCC", "LNCC", "NCCP", "NDC", "LNDC", "RMC"};

QString Duplica(const QString& texto) {
    QString r = texto;
    return r.replace(u'\'', QStringLiteral("''"));
}

// The pieces every statement is built from.
struct Piezas {
    QString codigo; // the type filled to 4
    QString f;      // the caller's condition
    QString l;      // the search condition
    bool dado;      // F trimmed is not empty
    QString yF;     // " AND " + F, or "" when no F (never a dangling AND)
    QString j() const { return dado ? QStringLiteral(" AND ") : QString(); }
};

const QString kOrdenDesc = QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");

QString RemitosPendientes(const Piezas& p, const AjustesConsultaCptes& a) {
    const QString cols =
        QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe");
    const bool contado = EsSi(a.usaRemitoContado);
    if (p.dado && contado)
        return cols +
               QStringLiteral(", '' AS OBSERVACIONES FROM V_RemitosPendientes with(nolock) WHERE TC = '") +
               p.codigo + QStringLiteral("' ") + p.l + p.yF + kOrdenDesc;
    if (p.dado)
        return cols +
               QStringLiteral(", OBSERVACIONES,FechaHora_Grabacion  FROM V_MV_CPTE with(nolock) WHERE "
                              "COMPLEMENTARIO = 0 "
                              "AND TC = '") +
               p.codigo + u'\'' + p.l + p.yF + QStringLiteral("  AND FINALIZADA = 0 AND BLOQUEADA = 0") +
               kOrdenDesc;
    if (contado && !EsSi(a.entregaParcialRemito))
        return cols + QStringLiteral(" FROM V_RemitosPendientes with(nolock) WHERE TC = '") + p.codigo +
               u'\'' + p.l + kOrdenDesc;
    return cols +
           QStringLiteral(",Fechahora_grabacion,fechahora_modificacion FROM V_MV_CPTE with(nolock) WHERE "
                          "COMPLEMENTARIO = 0 AND TC = '") +
           p.codigo + u'\'' + p.l + QStringLiteral(" AND FINALIZADA = 0 AND BLOQUEADA = 0") + kOrdenDesc;
}

QString OrdenesDeTrabajo(const Piezas& p, bool pendiente) {
    const QString inicio =
        QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento");
    const QString desde =
        QStringLiteral(" FROM V_OT_Pendientes with(nolock) WHERE TC = '") + p.codigo + u'\'' + p.l;
    if (pendiente)
        return inicio + QStringLiteral(",ID,FECHA, Importe,FechaHora_Grabacion,FechaHOra_Modificacion") +
               desde + p.yF + kOrdenDesc;
    if (p.dado)
        return inicio + QStringLiteral(" , ID,FECHA, Importe,FechaHora_Grabacion,FechaHOra_Modificacion") +
               desde + p.yF + kOrdenDesc;
    return inicio + QStringLiteral(" , ID,FECHA, Importe") + desde + QStringLiteral(" ") + kOrdenDesc;
}

QString PedidosPendientes(const Piezas& p) {
    const QString cola = QStringLiteral(" AND FINALIZADA = 0 and anulada = 0") + kOrdenDesc;
    if (p.dado)
        return QStringLiteral(
                   " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE,IDCOMPLEMENTO, ID,FECHA, "
                   "Importe, FechaPreparacion, fechahora_grabacion,IdPalm,Observaciones,Fechahora_grabacion,"
                   "fechahora_modificacion FROM V_MV_CPTE  with(nolock)  WHERE TC = '") +
               p.codigo + u'\'' + p.l + p.yF + cola;
    return QStringLiteral(
               " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE,IDCOMPLEMENTO, ID,FECHA, "
               "Importe,FechaPreparacion,fechahora_grabacion,IdPalm,Observaciones,Fechahora_grabacion,"
               "fechahora_modificacion FROM V_MV_CPTE with(nolock) WHERE TC = '") +
           p.codigo + u'\'' + p.l + cola;
}

QString PresupuestosPendientes(const Piezas& p, const AjustesConsultaCptes& a) {
    const bool sinAprobar = !EsNo(a.npSinAprobar);
    const QString cols = QStringLiteral(
        " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios");
    if (p.dado)
        return cols +
               QStringLiteral(
                   ",Fechahora_grabacion,fechahora_modificacion FROM V_MV_CPTE with(nolock) WHERE TC = '") +
               p.codigo + u'\'' + p.l +
               (sinAprobar ? QStringLiteral(" AND   ") : QStringLiteral(" AND APROBADO = 1 AND ")) + p.f +
               a.condicionVigencia + QStringLiteral(" AND FINALIZADA = 0") + kOrdenDesc;
    return cols + QStringLiteral(" FROM V_PR_PENDIENTES with(nolock)  WHERE TC = '") + p.codigo + u'\'' +
           p.l + a.condicionVigencia +
           (sinAprobar ? kOrdenDesc : QStringLiteral(" AND APROBADO = 1") + kOrdenDesc);
}

// The stock posting stores the types filled ("  RM"); the programs that mark deliveries for
// transport and invoice them may store them bare: every type is matched in both forms, each
// spelt out so that the look-up by origin keeps its index.
QString Transporte(const Piezas& p) {
    return QStringLiteral(
               "SELECT dbo.V_MV_Stock.TC, dbo.V_MV_Stock.IDCOMPROBANTE, dbo.V_MV_Stock.IDCOMPLEMENTO, "
               "dbo.V_MV_Stock.FECHA,dbo.V_MV_Stock.CUENTAPROVEEDOR "
               " FROM         dbo.V_MV_Stock LEFT OUTER JOIN"
               " dbo.MV_APLICACION ON dbo.V_MV_Stock.IDCOMPROBANTE = dbo.MV_APLICACION.IDComprobante_Origen "
               "AND"
               " (dbo.MV_APLICACION.Tco_Origen = N'RM' OR dbo.MV_APLICACION.Tco_Origen = N'  RM')"
               " WHERE     (dbo.V_MV_Stock.TC = N'RM' OR dbo.V_MV_Stock.TC = N'  RM') AND "
               "(dbo.V_MV_Stock.IDVIAJE = N'TTE') AND "
               "(dbo.V_MV_Stock.Revisado = 0) AND (dbo.MV_APLICACION.TC = N'FC' OR dbo.MV_APLICACION.TC = "
               "N'  FC' OR dbo.MV_APLICACION.TC = N'TKFC' OR "
               "dbo.MV_APLICACION.TC = N'TK' OR dbo.MV_APLICACION.TC = N'  TK') ") +
           p.j() + p.f +
           QStringLiteral(
               " GROUP BY dbo.V_MV_Stock.TC,dbo.V_MV_Stock.IDCOMPROBANTE,dbo.V_MV_Stock.IDCOMPLEMENTO,"
               "dbo.V_MV_Stock.FECHA,dbo.V_MV_Stock.CUENTAPROVEEDOR ORDER BY dbo.V_MV_Stock.FECHA "
               "DESC,dbo.V_MV_Stock.IDCOMPROBANTE,dbo.V_MV_Stock.IDCOMPLEMENTO");
}

QString Asientos(const Piezas& p) {
    const QString inicio = QStringLiteral("SELECT * FROM MV_ASIENTOS  with(nolock)  WHERE TC = '") + p.codigo;
    if (p.dado)
        return inicio + QStringLiteral("' AND ") + p.f +
               QStringLiteral(" ORDER BY SUCURSAL, NUMERO, LETRA DESC ");
    return inicio + QStringLiteral("' AND SECUENCIA = 1 ORDER BY SUCURSAL, NUMERO, LETRA DESC");
}

QString Compras(const Piezas& p) {
    const QString inicio =
        QStringLiteral("SELECT * FROM C_MV_CPTE  with(nolock)  WHERE TC = '") + p.codigo + u'\'' + p.l;
    if (p.dado)
        return inicio + p.yF + kOrdenDesc + u' ';
    return inicio + kOrdenDesc;
}

QString OrdenesDeCompra(const Piezas& p) {
    return QStringLiteral(" SELECT FECHA, CUENTA , NOMBRE, ANULADA, APROBADO, TC,IDCOMPROBANTE, ID,Importe, "
                          "comentarios, "
                          "Garantia FROM C_MV_CPTE  with(nolock) WHERE TC = '") +
           p.codigo + u'\'' + p.l +
           QStringLiteral(" AND (APROBADO = 1) AND (FINALIZADO = 0) AND (ANULADA = 0)") + p.j() + p.f +
           kOrdenDesc;
}

QString FacturasProforma(const Piezas& p) {
    return QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, "
                          "Importe,Fechahora_grabacion,fechahora_modificacion FROM V_MV_CPTE with(nolock) "
                          "WHERE TC = '") +
           p.codigo + QStringLiteral("' ") + p.j() + p.f + u' ' + p.l +
           QStringLiteral("  AND FINALIZADA = 0") + kOrdenDesc;
}

QString General(const Piezas& p, bool remito) {
    if (p.dado)
        return QStringLiteral("SELECT * FROM V_MV_CPTE  with(nolock)  WHERE ") +
               (remito ? QStringLiteral("COMPLEMENTARIO = 0 AND ") : QString()) + QStringLiteral("TC = '") +
               p.codigo + u'\'' + p.l + p.yF +
               QStringLiteral(" ORDER BY  IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC  ");
    return QStringLiteral("SELECT * FROM V_MV_CPTE  with(nolock)  WHERE ") +
           (remito ? QStringLiteral("COMPLEMENTARIO = 0 AND BLOQUEADA = 0 AND TC = '")
                   : QStringLiteral("  TC = '")) +
           p.codigo + u'\'' + p.l + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC");
}

} // namespace

TipoConsulta MapeaTipoConsulta(const QString& pedido) {
    struct Pseudo {
        const char* pedido;
        const char* tipo;
        bool pendiente;
        bool transporte;
    };
    static constexpr std::array<Pseudo, 8> kPseudo{{{"RM/PENDIENTES", "RM", true, false},
                                                    {"NP/PENDIENTES", "NP", true, false},
                                                    {"OT/PENDIENTES", "OT", true, false},
                                                    {"RM/PENDIENTES_COMPRAS", "RMC", true, false},
                                                    {"PR/PENDIENTES", "PR", true, false},
                                                    {"FC/ANTICIPOS", "FC", false, false},
                                                    {"RM/TRANSPORTE", "RM-T", false, true},
                                                    {"FP/PENDIENTES", "FP", false, false}}};
    for (const Pseudo& p : kPseudo)
        if (Es(pedido, p.pedido))
            return {QString::fromLatin1(p.tipo), p.pendiente, p.transporte};
    return {pedido, false, false};
}

QString CondicionBusqueda(const QString& nombre, const QString& numero) {
    const auto cuenta = [](const QString& caja, const QString& guia) {
        return !caja.isEmpty() && caja.compare(guia, Qt::CaseInsensitive) != 0;
    };
    if (cuenta(numero, kGuiaNumero))
        return QStringLiteral("AND IDCOMPROBANTE LIKE '%") + TextoLike(numero.trimmed()) +
               QStringLiteral("%'") + EscapeLike(numero) + QStringLiteral(" ");
    if (cuenta(nombre, kGuiaNombre))
        return QStringLiteral("AND NOMBRE LIKE '%") + TextoLike(nombre.trimmed()) + QStringLiteral("%'") +
               EscapeLike(nombre) + QStringLiteral(" ");
    return {};
}

QString CondicionVigencia(const QString& vigencia, const QDate& fechaServidor) {
    const std::optional<double> dias = Regional::LeeDoble(vigencia.trimmed());
    if (!dias || *dias > 32767.0 || *dias < -32768.0)
        return {};
    const auto n = static_cast<qint64>(RedondeoBanquero(*dias));
    if (n <= 0)
        return {};
    return QStringLiteral(" and fecha >= '") +
           fechaServidor.addDays(-n).toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral("' ");
}

QString QuitaWhere(const QString& filtro) {
    if (!filtro.trimmed().contains(QLatin1StringView("where"), Qt::CaseInsensitive))
        return filtro;
    return QString(filtro).remove(QStringLiteral("where"), Qt::CaseInsensitive);
}

AjustesConsultaCptes AjustesConsultaCptes::Lee(const TipoConsulta& tipo) {
    AjustesConsultaCptes a;
    a.usaRemitoContado = Cfg(QStringLiteral("UsaRemitoContado"));
    a.entregaParcialRemito = Cfg(QStringLiteral("EntregaParcialRemito"));
    a.npSinAprobar = Cfg(QStringLiteral("NPSinAprobar"));
    if (tipo.pendiente && Es(tipo.Consultado(), "PR"))
        a.condicionVigencia =
            CondicionVigencia(Cfg(QStringLiteral("VigenciaPresupuestos")), FechaServidor().date());
    return a;
}

QString SentenciaConsultaCptes(const TipoConsulta& tipo, QString& filtro, const QString& busqueda,
                               const AjustesConsultaCptes& ajustes) {
    const QString tc = tipo.Consultado();
    if (EsUno(tc, {"OC", "FP"}) || (Es(tc, "RM") && tipo.transporte))
        filtro = QuitaWhere(filtro);
    Piezas p{UT().RellenaCodigo(tc.trimmed(), 4), filtro, busqueda, !filtro.trimmed().isEmpty(), {}};
    p.yF = p.dado ? QStringLiteral(" AND ") + filtro : QString();
    if (Es(tc, "RMC") && tipo.pendiente)
        return QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM "
                              "C_RemitosPendientes with(nolock) WHERE TC = '") +
               p.codigo + QStringLiteral("' ") + p.l + p.yF + kOrdenDesc;
    if (Es(tc, "RM") && tipo.pendiente)
        return RemitosPendientes(p, ajustes);
    if (Es(tc, "T3"))
        return QStringLiteral(
            "SELECT * FROM V_MV_CPTETERCEROS  with(nolock)  ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO");
    if (EsUno(tc, {"NCPE", "NDPR"}))
        return Asientos(p);
    if (EsUno(tc, kCompras))
        return Compras(p);
    if (Es(tc, "OT"))
        return OrdenesDeTrabajo(p, tipo.pendiente);
    if (Es(tc, "NP") && tipo.pendiente)
        return PedidosPendientes(p);
    if (Es(tc, "PR") && tipo.pendiente)
        return PresupuestosPendientes(p, ajustes);
    if (Es(tc, "OC"))
        return OrdenesDeCompra(p);
    if (Es(tc, "FP"))
        return FacturasProforma(p);
    if (Es(tc, "RM") && tipo.transporte)
        return Transporte(p);
    return General(p, Es(tc, "RM"));
}

const QStringList& EtiquetasImagenesConsulta() {
    static const QStringList etiquetas{"PR", "Anulado",  "Aprobado", "FC", "NC", "ND",
                                       "OT", "Generico", "T3",       "OC", "OCG"};
    return etiquetas;
}

qint16 ObtieneIndiceImagen(const QString& tag, const QStringList& etiquetas) {
    const auto busca = [&etiquetas](const QString& t) -> qint16 {
        const QString buscado = t.trimmed();
        for (qsizetype i = 0; i < etiquetas.size(); ++i)
            if (etiquetas.at(i).trimmed().compare(buscado, Qt::CaseInsensitive) == 0)
                return static_cast<qint16>(i + 1);
        return 0;
    };
    const qint16 indice = busca(tag);
    return indice != 0 ? indice : busca(QStringLiteral("Generico"));
}

namespace {

// The fields the row layouts read, and their column names.
enum Campo : std::uint8_t {
    CFecha,
    CIdComprobante,
    CIdComplemento,
    CCuenta,
    CNombre,
    CImporte,
    CAnulada,
    CAprobado,
    CGarantia,
    CComentarios,
    CObservaciones,
    CFechaHoraGrabacion,
    CFechaPreparacion,
    CTC,
    CId,
    CFechaEnviado,
    CFechaRecibido,
    CCuentaProveedor,
    CSucursal,
    CNumero,
    CLetra,
    CDetalle,
    CCantidadCampos
};

constexpr std::array<const char*, CCantidadCampos> kNombresCampos{"Fecha",
                                                                  "IdComprobante",
                                                                  "IdComplemento",
                                                                  "Cuenta",
                                                                  "Nombre",
                                                                  "Importe",
                                                                  "Anulada",
                                                                  "APROBADO",
                                                                  "Garantia",
                                                                  "comentarios",
                                                                  "Observaciones",
                                                                  "FechaHora_Grabacion",
                                                                  "FechaPreparacion",
                                                                  "TC",
                                                                  "id",
                                                                  "FECHAENVIADO",
                                                                  "FECHARECIBIDO",
                                                                  "CuentaProveedor",
                                                                  "Sucursal",
                                                                  "Numero",
                                                                  "letra",
                                                                  "Detalle"};

// The embedded database's own date text, "yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss", read at once:
// the general reader tries several formats in the workstation's time zone, which would cost
// the list of a large lookup most of its time. A moment in UTC has no zone to look up.
std::optional<QDateTime> LeeFechaIso(const QString& texto) {
    const qsizetype largo = texto.size();
    if (largo != 10 && largo != 19)
        return std::nullopt;
    const auto numero = [&texto](qsizetype desde, qsizetype cifras) {
        int n = 0;
        for (qsizetype i = desde; i < desde + cifras; ++i) {
            const char16_t c = texto.at(i).unicode();
            if (c < u'0' || c > u'9')
                return -1;
            n = n * 10 + (c - u'0');
        }
        return n;
    };
    if (texto.at(4) != u'-' || texto.at(7) != u'-')
        return std::nullopt;
    const QDate fecha(numero(0, 4), numero(5, 2), numero(8, 2));
    QTime hora(0, 0);
    if (largo == 19) {
        if (texto.at(10) != u' ' || texto.at(13) != u':' || texto.at(16) != u':')
            return std::nullopt;
        hora = QTime(numero(11, 2), numero(14, 2), numero(17, 2));
    }
    if (!fecha.isValid() || !hora.isValid())
        return std::nullopt;
    return QDateTime(fecha, hora, Qt::UTC);
}

// A date field as "dd/mm/yy" (or the mask given); a value that is no date as its text.
QString TextoFecha(const QVariant& valor, const QString& mascara) {
    if (valor.typeId() == QMetaType::QDateTime)
        return AplicaMascaraFecha(valor.toDateTime(), mascara);
    QString texto = UT().ValorATexto(valor);
    if (const auto iso = LeeFechaIso(texto))
        return AplicaMascaraFecha(*iso, mascara);
    if (const auto fecha = LeeFechaTexto(texto))
        return AplicaMascaraFecha(*fecha, mascara);
    return texto;
}

// A date field shown as the value it holds (a date-time as the system writes one).
QString TextoFechaLibre(const QVariant& valor) {
    QString texto = UT().ValorATexto(valor);
    if (valor.typeId() != QMetaType::QDateTime)
        if (const auto fecha = LeeFechaTexto(texto))
            return UT().ValorATexto(*fecha);
    return texto;
}

enum Disposicion : std::uint8_t {
    DTransporte,
    DTerceros,
    DCompras,
    DAsientos,
    DPresupuestos,
    DOrdenesCompra,
    DGeneral
};

Disposicion DisposicionDe(const TipoConsulta& tipo) {
    const QString tc = tipo.Consultado();
    if (Es(tc, "RM") && tipo.transporte)
        return DTransporte;
    if (Es(tc, "T3"))
        return DTerceros;
    if (EsUno(tc, kCompras))
        return DCompras;
    if (EsUno(tc, {"NCPE", "NDPR"}))
        return DAsientos;
    if (Es(tc, "PR"))
        return DPresupuestos;
    if (Es(tc, "OC"))
        return DOrdenesCompra;
    return DGeneral;
}

} // namespace

ArmadorFilasConsulta::ArmadorFilasConsulta(const TipoConsulta& tipo, const Registros& rs)
    : tc_(tipo.Consultado().trimmed()), indices_(CCantidadCampos, -1), disposicion_(DisposicionDe(tipo)),
      conComplemento_(EsUno(tc_, {"OT", "FC", "NP"})), conObservaciones_(EsUno(tc_, {"NP", "FC", "RM"})),
      pedidosPendientes_(Es(tc_, "NP") && tipo.pendiente), propia_(ObtieneIndiceImagen(tc_)),
      anulado_(ObtieneIndiceImagen(QStringLiteral("Anulado"))),
      aprobado_(ObtieneIndiceImagen(QStringLiteral("Aprobado"))),
      garantia_(ObtieneIndiceImagen(QStringLiteral("OCG"))) {
    for (size_t i = 0; i < kNombresCampos.size(); ++i)
        indices_[i] = rs.IndiceCampo(QString::fromLatin1(kNombresCampos[i]));
}

QVariant ArmadorFilasConsulta::Campo(const Registros& rs, int campo) const {
    const int indice = indices_[static_cast<size_t>(campo)];
    return indice < 0 ? QVariant() : rs.Fields(indice);
}

QString ArmadorFilasConsulta::Texto(const Registros& rs, int campo) const {
    return UT().ValorATexto(UT().ValorCampo(Campo(rs, campo)));
}

bool ArmadorFilasConsulta::Marca(const Registros& rs, int campo) const {
    const QVariant v = Campo(rs, campo);
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed();
        return Es(t, "true") || (Regional::EsNumero(t) && Regional::LeeDoble(t).value_or(0) != 0.0);
    }
    return v.toDouble() != 0.0;
}

FilaConsulta ArmadorFilasConsulta::FilaPorTipo(const Registros& rs) const {
    FilaConsulta f;
    const QString fecha = TextoFecha(Campo(rs, CFecha), QStringLiteral("dd/mm/yy"));
    const auto anulada = [&](qint16 otra) { return Marca(rs, CAnulada) ? anulado_ : otra; };
    switch (disposicion_) {
    case DTransporte:
        f.soloIconoChico = true;
        f.subItems = {Texto(rs, CIdComprobante), Texto(rs, CIdComplemento), fecha,
                      Texto(rs, CCuentaProveedor)};
        break;
    case DTerceros:
        f.soloIconoChico = true;
        f.texto = Texto(rs, CId);
        f.subItems = {fecha, Texto(rs, CIdComprobante), Texto(rs, CIdComplemento),
                      TextoFechaLibre(UT().ValorCampo(Campo(rs, CFechaEnviado))),
                      TextoFechaLibre(UT().ValorCampo(Campo(rs, CFechaRecibido)))};
        break;
    case DCompras:
        f.imagen = anulada(propia_);
        f.texto = fecha;
        f.subItems = {Texto(rs, CIdComprobante), Texto(rs, CCuenta), Texto(rs, CNombre), Texto(rs, CImporte)};
        break;
    case DAsientos:
        f.imagen = propia_;
        f.texto = fecha;
        f.subItems = {Texto(rs, CSucursal) + Texto(rs, CNumero) + Texto(rs, CLetra), Texto(rs, CCuenta),
                      AD().ObtieneValorTabla(QStringLiteral("VT_PROVEEDORES"), Texto(rs, CCuenta),
                                             QStringLiteral("RAZON_SOCIAL"), QStringLiteral("Codigo"), 8, {})
                          .toString(),
                      Texto(rs, CDetalle), Texto(rs, CImporte)};
        break;
    case DPresupuestos:
        f.imagen = anulada(propia_);
        f.texto = fecha;
        f.subItems = {Texto(rs, CIdComprobante), Texto(rs, CNombre), QString(), Texto(rs, CComentarios),
                      Texto(rs, CImporte)};
        break;
    default: {
        f.imagen = anulada(Marca(rs, CGarantia) ? garantia_ : propia_);
        f.texto = fecha;
        const QString id = Texto(rs, CIdComprobante);
        // The reception's types as the posting stores them, filled to 4.
        const QString recepcion =
            AD().ObtieneValorTabla(
                    QStringLiteral("v_mv_stock"), QStringLiteral("  OC"), QStringLiteral("idcomprobante"),
                    QStringLiteral("TC_origen"), 8,
                    QStringLiteral(" TC = '  IR' AND TC_ORIGEN = '  OC' AND IDCOMPROBANTE_ORIGEN ='") +
                        Duplica(id) + u'\'')
                .toString();
        f.subItems = {Texto(rs, CCuenta) + u' ' + Texto(rs, CNombre), id, Texto(rs, CImporte),
                      Texto(rs, CComentarios), recepcion};
        break;
    }
    }
    return f;
}

FilaConsulta ArmadorFilasConsulta::FilaGeneral(const Registros& rs) const {
    FilaConsulta f;
    f.imagen = Marca(rs, CAnulada) ? anulado_ : Marca(rs, CAprobado) ? aprobado_ : propia_;
    const QString grabacion = UT().ValorATexto(UT().ValorCampo(Campo(rs, CFechaHoraGrabacion))).trimmed();
    f.texto = grabacion.isEmpty()
                  ? TextoFecha(Campo(rs, CFecha), QStringLiteral("dd/mm/yy"))
                  : TextoFecha(Campo(rs, CFechaHoraGrabacion), QStringLiteral("dd/mm/yyyy hh:mm:ss"));
    f.subItems.reserve(5);
    f.subItems << Texto(rs, CIdComprobante) << (conComplemento_ ? Texto(rs, CIdComplemento) : QString())
               << Texto(rs, CNombre);
    if (conObservaciones_)
        f.subItems << Texto(rs, CObservaciones);
    f.subItems << Texto(rs, CImporte);
    return f;
}

std::optional<FilaConsulta> ArmadorFilasConsulta::Fila(const Registros& rs) const {
    if (disposicion_ != DGeneral)
        return FilaPorTipo(rs);
    if (pedidosPendientes_ &&
        Campo(rs, CTC).toString().trimmed().compare(QLatin1StringView("NP"), Qt::CaseInsensitive) == 0) {
        if (Campo(rs, CFechaPreparacion).isNull())
            return std::nullopt;
        FilaConsulta f = FilaGeneral(rs);
        f.imagen = aprobado_;
        return f;
    }
    return FilaGeneral(rs);
}

std::vector<FilaConsulta> FilasConsulta(const QString& sql, const TipoConsulta& tipo) {
    std::vector<FilaConsulta> filas;
    Registros rs;
    AD().ObtieneRecordset(sql, rs);
    const ArmadorFilasConsulta armador(tipo, rs);
    for (; !rs.Eof(); rs.MoveNext())
        if (auto fila = armador.Fila(rs))
            filas.push_back(std::move(*fila));
    AD().CierraRecordset(rs);
    return filas;
}

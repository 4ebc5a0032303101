#include "AccesoDatos.h"
#include "ClsCmnCptes.h"
#include "Configuracion.h"
#include "ConversionInterno.h"
#include "CptesAsociados.h"
#include "ErrorSistema.h"
#include "Formatos.h"
#include "Globales.h"
#include "Grilla.h"
#include "Interaccion.h"
#include "ProgramasConversion.h"
#include "Regional.h"
#include "Stock.h"
#include "StockInterno.h"
#include "Utilidades.h"

#include <cmath>
#include <limits>

namespace {

// A number as a 16-bit integer: to the nearest whole number, halves to the even one; beyond the
// range, the overflow error.
qint16 Entero16(double valor) {
    const double entero = RedondeoBanquero(valor);
    if (!(entero >= std::numeric_limits<qint16>::min() && entero <= std::numeric_limits<qint16>::max()))
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"), RutinaConversion);
    return static_cast<qint16>(entero);
}

// A yes/no setting, read once in the call.
bool EsSi(Conversion& c, const QString& clave) {
    return Igual(c.Config(clave), QStringLiteral("SI"));
}

// Lines per printed sheet of the destination type and letter; 9999 when none is configured.
void LeeLineasPorHoja(Conversion& c, const QString& letra) {
    Registros rs;
    AD().ObtieneRecordset(stock_interno::SqlLineasComprobante(UT().RellenaCodigo(c.CpteDestino), letra), rs);
    if (rs.Eof())
        c.cantLineas = 9999;
    else
        c.cantLineas = static_cast<qint32>(
            UT().TextoAMoneda(UT().ValorCampo(rs.Fields(QStringLiteral("CantLineas")))).AEntero());
    AD().CierraRecordset(rs);
}

// The article lines' statement: by the settings' order, and the second choice when the
// destination is an invoice.
QString SentenciaLineas(Conversion& c, bool segunda) {
    const QString base =
        QStringLiteral("SELECT * FROM ") + c.prefijo + QStringLiteral("MV_CPTEINSUMOS  ") + c.condicion;
    const bool esPedido = Igual(c.TC, QStringLiteral("NP"));
    if (EsSi(c, QStringLiteral("FacturaNPPreparadas"))) {
        if (!segunda)
            return base +
                   (esPedido ? QStringLiteral(" ORDER BY  PALLETS ") : QStringLiteral(" ORDER BY ID "));
        return base + (esPedido ? QStringLiteral(
                                      " AND ((Cantidad >= Cantidadpreparada AND CANTIDADAFACTURAR  > 0 )) "
                                      "ORDER BY PALLETS ")
                                : QStringLiteral(" ORDER BY ID "));
    }
    if (EsSi(c, QStringLiteral("OrdenaPorCodigo")))
        return base +
               (segunda ? QStringLiteral(" ORDER BY IDARTICULO") : QStringLiteral(" ORDER BY IDARTICULO "));
    return base + ((segunda && esPedido) ? QStringLiteral(" ORDER BY ID") : QStringLiteral(" ORDER BY ID "));
}

// Opens the origin's header, tasks, lines and other concepts, in that order.
void AbreConsultas(Conversion& c, QString* LetraDestino) {
    const QString orden = QStringLiteral(" ORDER BY ID ");
    PasoConversion([&] {
        AD().ObtieneRecordset(QStringLiteral("SELECT * FROM ") + c.prefijo + QStringLiteral("MV_CPTE  ") +
                                  c.condicion + orden,
                              c.cabecera);
    });
    c.encabezado.Reinicia();
    PasoConversion([&] {
        AD().ObtieneRecordset(QStringLiteral("SELECT * FROM ") + c.prefijo +
                                  QStringLiteral("MV_CPTETAREAS  ") + c.condicion + c.WhrTareas + orden,
                              c.rsTareas);
    });
    PasoConversion([&] { AD().ObtieneRecordset(SentenciaLineas(c, false), c.rsLineas); });
    c.linea.Reinicia();
    const bool factura = Igual(c.CpteDestino, QStringLiteral("FC")) ||
                         (Igual(c.CpteDestino, QStringLiteral("FP")) && Igual(c.TC, QStringLiteral("NP")));
    if (factura) {
        if (LetraDestino && LetraDestino->isEmpty())
            *LetraDestino = QStringLiteral("A");
        PasoConversion([&] { AD().ObtieneRecordset(SentenciaLineas(c, true), c.rsLineas); });
        c.linea.Reinicia();
    }
    PasoConversion([&] {
        AD().ObtieneRecordset(QStringLiteral("SELECT * FROM ") + c.prefijo +
                                  QStringLiteral("MV_CPTE_Observ  ") + c.condicion +
                                  QStringLiteral(" AND TIPO_OBS ='OC' ") + orden,
                              c.rsOtros);
    });
}

// The settings, the sheet limit and the origin's condition; false when the complement is no number.
bool PreparaConsultas(Conversion& c, const QString& IdComplemento, qint16 repartoEntrada,
                      QString* LetraDestino) {
    PasoConversion([&] {
        c.preciosFinales = EsSi(c, QStringLiteral("PreciosFinales"));
        c.descargaStockRemitos = EsSi(c, QStringLiteral("DescargaStockRemitos"));
        c.devolucion = repartoEntrada == -98;
    });
    // A delivery note that becomes a credit note gives back what it delivered.
    if (Igual(c.TC, QStringLiteral("RM")) &&
        (Igual(c.CpteDestino, QStringLiteral("NC")) || Igual(c.CpteDestino, QStringLiteral("NCFP"))))
        c.devolucion = true;
    PasoConversion([&] { LeeLineasPorHoja(c, LetraDestino ? *LetraDestino : QString()); });
    PasoConversion(
        [&] { c.entregaParcialRemito = TextoABooleano(Cfg(QStringLiteral("EntregaParcialRemito")), true); });
    c.prefijo = c.Compras ? QStringLiteral("C_") : QStringLiteral("V_");
    const QString tipo = UT().RellenaCodigo(c.TC.trimmed(), 4);
    if (c.Compras) {
        c.condicion = QStringLiteral(" WHERE TC = '") + Cita(tipo) +
                      QStringLiteral("' AND IDCOMPROBANTE = '") + Cita(c.SucNroLetra.trimmed()) +
                      QStringLiteral("' AND CUENTA = '") + Cita(c.Proveedor) + QStringLiteral("'");
    } else {
        // The complement goes unquoted into the statement: only a number may.
        try {
            c.complemento = ComplementoNumerico(IdComplemento);
        } catch (const ErrorSistema&) {
            interaccion().MsgBox(QStringLiteral("El complemento del comprobante no es un número: ") +
                                     IdComplemento,
                                 Estilo::SoloAceptar | Estilo::Critico, RutinaConversion);
            return false;
        }
        c.condicion = QStringLiteral(" WHERE TC = '") + Cita(tipo) +
                      QStringLiteral("' AND IDCOMPROBANTE = '") + Cita(c.SucNroLetra.trimmed()) +
                      QStringLiteral("' AND IdComplemento = ") + c.complemento;
    }
    return true;
}

} // namespace

int ReportaPasoConversion(const ErrorSistema& e) {
    return UT().RegistraErrorFormulario(e, RutinaConversion);
}

IndiceCampos::IndiceCampos(const Registros& rs) {
    for (int i = 0; i < rs.FieldCount(); ++i) {
        nombres_ << rs.FieldName(i);
        porNombre_.insert(nombres_.back().toCaseFolded(), i); // of two of one name, the later
    }
}

bool IndiceCampos::De(const Registros& rs) const {
    if (rs.FieldCount() != nombres_.size())
        return false;
    for (int i = 0; i < rs.FieldCount(); ++i) {
        // Names of one statement's rows share their text: equal without comparing it.
        const QString nombre = rs.FieldName(i);
        const QString& propio = nombres_.at(i);
        if ((nombre.constData() != propio.constData() || nombre.size() != propio.size()) && nombre != propio)
            return false;
    }
    return true;
}

bool IndiceCampos::Tiene(const QString& nombre) const {
    return pedidos_.contains(nombre) || porNombre_.contains(nombre.toCaseFolded());
}

int IndiceCampos::Indice(const QString& nombre) const {
    if (const auto pedido = pedidos_.constFind(nombre); pedido != pedidos_.constEnd())
        return pedido.value();
    const auto i = porNombre_.constFind(nombre.toCaseFolded());
    if (i == porNombre_.constEnd())
        throw ErrorSistema(3265, QStringLiteral("No se encontró el elemento en la colección: ") + nombre,
                           RutinaConversion);
    pedidos_.insert(nombre, i.value());
    return i.value();
}

int IndiceCampos::Indice(const char* literal) const {
    auto& reciente = recientes_[(reinterpret_cast<std::uintptr_t>(literal) >> 3) % recientes_.size()];
    if (reciente.first == literal)
        return reciente.second;
    auto i = literales_.find(literal);
    if (i == literales_.end())
        i = literales_.emplace(literal, Indice(QString::fromLatin1(literal))).first;
    reciente = *i;
    return i->second;
}

FilaLeida::FilaLeida(const Registros& rs, std::shared_ptr<const IndiceCampos>& indice) {
    if (!indice || !indice->De(rs))
        indice = std::make_shared<const IndiceCampos>(rs);
    indice_ = indice;
    for (int i = 0; i < rs.FieldCount(); ++i)
        valores_ << rs.Fields(i);
}

FilaLeida::FilaLeida(const Registros& rs) {
    std::shared_ptr<const IndiceCampos> propio;
    *this = FilaLeida(rs, propio);
}

QVariant FilaLeida::Fields(const QString& nombre) const {
    if (!indice_)
        throw ErrorSistema(3265, QStringLiteral("No se encontró el elemento en la colección: ") + nombre,
                           RutinaConversion);
    return valores_.at(indice_->Indice(nombre));
}

QVariant FilaLeida::Fields(const char* literal) const {
    if (!indice_)
        return Fields(QString::fromLatin1(literal));
    return valores_.at(indice_->Indice(literal));
}

QVariant CamposDe::Fields(const QString& nombre) const {
    if (!indice_)
        indice_ = std::make_unique<const IndiceCampos>(rs_);
    return rs_.Fields(indice_->Indice(nombre));
}

QVariant CamposDe::Fields(const char* literal) const {
    if (!indice_)
        indice_ = std::make_unique<const IndiceCampos>(rs_);
    return rs_.Fields(indice_->Indice(literal));
}

namespace CampoConv {

QString TextoDe(const QVariant& valor) {
    // The types a record set gives, straight; the others as the utilities write them.
    if (!valor.isNull()) {
        switch (valor.typeId()) {
        case QMetaType::QString:
            return valor.toString();
        case QMetaType::Double:
            return Regional::TextoNumero(valor.toDouble());
        case QMetaType::LongLong:
            return QString::number(valor.toLongLong());
        default:
            break;
        }
    }
    return UT().ValorATexto(UT().ValorCampo(valor));
}

double NumeroDe(const QVariant& v) {
    if (v.isNull())
        throw ErrorSistema(94, QStringLiteral("Uso no válido de Null"), RutinaConversion);
    if (v.typeId() == QMetaType::QString) {
        const auto d = Regional::LeeDoble(v.toString());
        if (!d)
            throw ErrorSistema(13, QStringLiteral("No coinciden los tipos"), RutinaConversion);
        return *d;
    }
    return v.toDouble();
}

double NumeroSinNuloDe(const QVariant& v) {
    if (v.isNull())
        return 0;
    return UT().TextoADoble(v);
}

bool Verdadero(const QVariant& valor) {
    if (valor.isNull())
        return false;
    if (valor.typeId() == QMetaType::QString)
        return TextoABooleano(valor.toString().trimmed()) || UT().TextoADoble(valor) != 0;
    return valor.toDouble() != 0;
}

} // namespace CampoConv

void LlenaBloque(Conversion& c, Registros& rs, Grilla& grilla, const std::function<void()>& escribe) {
    bool vacio = true;
    PasoConversion([&] { vacio = rs.Bof(); });
    if (vacio)
        return;
    c.primeraFila = true;
    bool fin = false;
    PasoConversion([&] { fin = rs.Eof(); });
    while (!fin) {
        if (c.primeraFila)
            c.primeraFila = false;
        else
            grilla.setRows(grilla.Rows() + 1);
        escribe();
        PasoConversion([&] { rs.MoveNext(); });
        PasoConversion([&] { fin = rs.Eof(); });
    }
    grilla.setRows(grilla.Rows() + 1);
}

bool Conversion::EsPrograma(const QString& nombre) const {
    return programa.compare(nombre, Qt::CaseInsensitive) == 0;
}

QString Conversion::Config(const QString& clave) {
    const auto i = configuracion.constFind(clave);
    if (i != configuracion.constEnd())
        return i.value();
    QString valor = Cfg(clave);
    configuracion.insert(clave, valor);
    return valor;
}

double Conversion::Cotizacion() const {
    return CampoConv::NumeroSinNulo(encabezado, "Cotizacion");
}

QString ImporteConvertido(const Conversion& c, const Registros& rs, const QString& campo) {
    if (c.ConvertirMoneda)
        return FmtMoneda(
            Regional::TextoNumero(CampoConv::NumeroSinNulo(rs, campo) * c.Cotizacion()).trimmed(), -1, false);
    return FmtMoneda(CampoConv::Recortado(rs, campo), -1, false);
}

int Conversion::FilaArticulo() const {
    return articulos->Rows() - 1;
}

void ClsCmnCptes::AsignarDatosComprobante(const QString& TC, const QString& SucNroLetra,
                                          const QString& IdComplemento, Grilla& MSFlexGrid1,
                                          Grilla& MSFlexGrid2, Grilla& MSFlexGrid3, bool /*Inicializar*/,
                                          Registros* LrcsCpte, bool Compras, const QString& Proveedor,
                                          qint16* IdRepartoRM, bool ConvertirMoneda, const QString& WhrTareas,
                                          const QString& CpteDestino, QString* LetraDestino) {
    Conversion c;
    c.TC = TC;
    c.SucNroLetra = SucNroLetra;
    c.Proveedor = Proveedor;
    c.WhrTareas = WhrTareas;
    c.CpteDestino = CpteDestino;
    c.Compras = Compras;
    c.ConvertirMoneda = ConvertirMoneda;
    c.tareas = &MSFlexGrid1;
    c.articulos = &MSFlexGrid2;
    c.otros = &MSFlexGrid3;
    c.clase = this;
    c.pivaDefecto = PIVA;
    c.programa = ProgramaConversion();
    // Units and equivalences do not change while the voucher loads.
    const MemoriaEquivalencias memoria;
    try {
        if (!PreparaConsultas(c, IdComplemento, IdRepartoRM ? *IdRepartoRM : qint16{0}, LetraDestino))
            return;
        if (Igual(TC, QStringLiteral("NP")) && SucNroLetra.left(4) == QLatin1String("9999"))
            PasoConversion([&] { RecalculaPedido(c); });
        PasoConversion([&] {
            const QString sistema = UT().ValorATexto(AD().ObtieneValorTabla(
                QStringLiteral("V_TA_CPTE"), UT().RellenaCodigo(TC.trimmed(), 4), QStringLiteral("SISTEMA"),
                QStringLiteral("Codigo"), 8, {}, true, false));
            c.esCompra = Igual(sistema.trimmed(), QStringLiteral("COMPRAS"));
        });
        AbreConsultas(c, LetraDestino);
        if (!c.esCompra)
            PasoConversion([&] {
                const qint16 reparto =
                    Entero16(ValNumero(CampoConv::Texto(c.cabecera, QStringLiteral("IdReparto"))));
                if (IdRepartoRM)
                    *IdRepartoRM = reparto;
            });
        LlenaTareas(c);
        LlenaArticulos(c);
        LlenaOtrosConceptos(c);
        if (LrcsCpte)
            *LrcsCpte = std::move(c.cabecera);
        PasoConversion([&] {
            AD().CierraRecordset(c.rsTareas);
            AD().CierraRecordset(c.rsLineas);
            AD().CierraRecordset(c.rsOtros);
        });
    } catch (const AbandonaConversion&) {
        // Left at the user's answer: what was loaded stays in the grids.
    }
}

QString CondicionReparto(const QString& TC, const QString& SucNroLetra) {
    return QStringLiteral("(TC = '") + Cita(UT().RellenaCodigo(TC.trimmed(), 4)) +
           QStringLiteral("') AND IDCOMPROBANTE = '") + Cita(SucNroLetra.trimmed()) + QStringLiteral("'");
}

double ClsCmnCptes::CantRepartoPend(const QString& TC, const QString& SucNroLetra, const QString& IdArticulo,
                                    double& Aplicado) {
    double pedido = 0;
    double entregado = 0;
    const QString condicion = CondicionReparto(TC, SucNroLetra) + QStringLiteral(" AND IDARTICULO = '") +
                              Cita(UT().RellenaCodigo(IdArticulo.trimmed(), 25)) + QStringLiteral("'");
    Registros rs;
    AD().ObtieneRecordset(
        QStringLiteral("SELECT * FROM VT_V_MV_CPTEINSUMOS_CONS2  with(nolock)  WHERE ") + condicion, rs);
    if (!rs.Bof() && !rs.Fields(QStringLiteral("Cantidad")).isNull())
        pedido = UT().TextoADoble(rs.Fields(QStringLiteral("Cantidad")));
    AD().ObtieneRecordset(
        QStringLiteral("SELECT SUM(CANTIDAD) AS CANTIDAD FROM VT_V_MV_Stock_Cons WHERE ") + condicion, rs);
    if (!rs.Bof() && !rs.Fields(QStringLiteral("Cantidad")).isNull())
        entregado = UT().TextoADoble(rs.Fields(QStringLiteral("Cantidad")));
    if (pedido < entregado)
        pedido = entregado;
    Aplicado = entregado;
    return pedido - entregado;
}

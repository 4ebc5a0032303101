#include "CargaConfiguracion.h"

#include "AccesoDatos.h"
#include "Configuracion.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Recorte.h"
#include "Regional.h"
#include "Registros.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTime>
#include <cstdlib>
#include <limits>

namespace {

constexpr qint32 kColorCian = 0xFFFF00; // blue, green, red from the high byte down

bool Igual(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// "SI" without regard to case, blanks count.
bool PruebaSi(const QString& valor) {
    return Igual(valor, "SI");
}

// On unless blank or "NO".
bool ReglaNo(const QString& valor) {
    const QString v = RecortaBlancos(valor);
    return !v.isEmpty() && !Igual(v, "NO");
}

qint16 Entero16(double valor) {
    const double r = RedondeoBanquero(valor);
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"), QStringLiteral("CargaConfiguracion"));
    return static_cast<qint16>(r);
}

qint32 Entero32(const Moneda& valor) {
    const std::int64_t r = valor.AEntero();
    if (r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max())
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"), QStringLiteral("CargaConfiguracion"));
    return static_cast<qint32>(r);
}

// A field taken as a Boolean: numbers are on when not 0; "True"/"False" (and their Spanish
// words) as they say; null or any other text is an error.
bool CampoBooleano(const QVariant& campo) {
    if (campo.isNull())
        throw ErrorSistema(94, QStringLiteral("Uso no válido de Null"), QStringLiteral("CargaConfiguracion"));
    if (campo.typeId() == QMetaType::Bool)
        return campo.toBool();
    if (campo.typeId() != QMetaType::QString)
        return UT().TextoADoble(campo) != 0;
    const QString texto = RecortaBlancos(campo.toString());
    if (Igual(texto, "TRUE") || Igual(texto, "VERDADERO"))
        return true;
    if (Igual(texto, "FALSE") || Igual(texto, "FALSO"))
        return false;
    if (const auto numero = Regional::LeeDoble(texto))
        return *numero != 0;
    throw ErrorSistema(13, QStringLiteral("No coinciden los tipos"), QStringLiteral("CargaConfiguracion"));
}

} // namespace

const QStringList& ProgramasDeVentas() {
    static const QStringList lista = {
        QStringLiteral("Ventas"),
        QStringLiteral("VentasMostrador"),
        QStringLiteral("PuntoDeVenta"),
        QStringLiteral("Facturacion"),
        QStringLiteral("Remitos"),
        QStringLiteral("Presupuestos"),
        QStringLiteral("Pedidos"),
        QStringLiteral("PedidosDiferidos"),
        QStringLiteral("InformesDiferidos"),
    };
    return lista;
}

bool EsProgramaDeVentas(const QString& ejecutable) {
    const QString nombre = QFileInfo(RecortaBlancos(ejecutable)).completeBaseName();
    return ProgramasDeVentas().contains(nombre, Qt::CaseInsensitive);
}

void CargaConfiguracion(const QString& carpeta) {
    CargaConfiguracion(carpeta, QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

// NOLINTNEXTLINE(readability-function-size): the system's list of settings, read in its order.
void CargaConfiguracion(const QString& carpeta, const QString& ejecutable) {
    Registros rs;
    EjecutaPasos(
        {
            [] { std::srand(static_cast<unsigned>(QTime::currentTime().msecsSinceStartOfDay() / 1000)); },
            [] { gTablaConfiguracion = QStringLiteral("ta_configuracion"); },
            [] { gMostrarStockenConsultas = PruebaSi(Cfg(QStringLiteral("MostrarStockenConsultas"))); },
            [] { gTituloClientes = RecortaBlancos(Cfg(QStringLiteral("TituloClientes"))); },
            [] { gTituloProveedores = RecortaBlancos(Cfg(QStringLiteral("TituloProveedores"))); },
            [&] { gArchivoTareas = carpeta + QStringLiteral("CVDOCTareas.cvn"); },
            [] {
                gExigeClaveConsultaLikeArticulos =
                    PruebaSi(Cfg(QStringLiteral("EXIGECLAVECONSULTALIKEARTICULOS")));
            },
            [] { gUsaConsultaLike = PruebaSi(Cfg(QStringLiteral("UsaConsultaLike"))); },
            [] { gCantidadDecimales = Cfg(QStringLiteral("CantidadDecimales")); },
            [] { gConfidencialidad = PruebaSi(Cfg(QStringLiteral("SS_CONFIDENCIALIDAD"))); },
            [&] {
                if (!EsProgramaDeVentas(ejecutable))
                    return;
                const QString ventas = Cfg(QStringLiteral("CantidadDecimalesVentas"));
                if (ValNumero(ventas) > 0)
                    gCantidadDecimales = ventas;
            },
            [] { gUsaMultilesMonedas = PruebaSi(Cfg(QStringLiteral("UsaMultilesMonedas"))); },
            [] { gUsaFacturaProforma = PruebaSi(Cfg(QStringLiteral("UsaFacturaProforma"))); },
            [] { gUsaCCosto = PruebaSi(Cfg(QStringLiteral("USACCOSTO"))); },
            [] { gUsaStockUdKg = PruebaSi(Cfg(QStringLiteral("USA_STK_STOCK_UDKG"))); },
            // The user's row. The name is quoted by the data-access object, so that a name with
            // an apostrophe cannot end the literal.
            [&] {
                AD().ObtieneRecordset(
                    QStringLiteral("Select * from ta_usuarios  with(nolock)  where Nombre = ") +
                        AD().FormateaValorSQL(gUsuarioLogeado, QStringLiteral("'")),
                    rs);
            },
            [&] {
                if (!rs.Eof())
                    gUnidadNegocio = UT().ValorCampo(rs.Fields(QStringLiteral("UNegocio"))).toString();
            },
            [&] {
                if (!rs.Eof() && gUsaFacturaProforma)
                    gUsaFacturaProforma = CampoBooleano(rs.Fields(QStringLiteral("verproforma")));
            },
            [&] { AD().CierraRecordset(rs); },
            [] {
                if (gUnidadNegocio.isEmpty())
                    gUnidadNegocio = QStringLiteral("   1");
            },
            [] { gUnidadMedidaM3 = RecortaBlancos(Cfg(QStringLiteral("UNIDADDEMEDIDA_M3"))); },
            [] { gUnidadMedidaBL = RecortaBlancos(Cfg(QStringLiteral("UNIDADDEMEDIDA_BL"))); },
            [] { gUnidadMedidaKG = RecortaBlancos(Cfg(QStringLiteral("UNIDADDEMEDIDA_KG"))); },
            [] { gPeriodo = Entero16(ValNumero(Cfg(QStringLiteral("PERIODO")))); },
            [] { gRazonSocialPorUneg = PruebaSi(RecortaBlancos(Cfg(QStringLiteral("RazonSocialPorUneg")))); },
            [] { gValidaCodigoBarra = PruebaSi(RecortaBlancos(Cfg(QStringLiteral("VALIDACODIGOBARRA")))); },
            [] { gColorFondo = Entero32(UT().TextoAMoneda(Cfg(QStringLiteral("CFondo")))); },
            [] {
                if (gColorFondo == 0)
                    gColorFondo = kColorCian;
            },
            [] { gColorLetra = Entero32(UT().TextoAMoneda(Cfg(QStringLiteral("CLetra")))); },
            [] {
                gModuloOrdenDeTrabajo =
                    !Igual(RecortaBlancos(Cfg(QStringLiteral("ModuloOrdenDeTrabajo"))), "NO");
            },
            [] { gVModificaCPrecio = ReglaNo(Cfg(QStringLiteral("V_ModificaCPrecio"))); },
            [] { gCModificaCPrecio = ReglaNo(Cfg(QStringLiteral("C_ModificaCPrecio"))); },
            [] { gMaderera = ReglaNo(Cfg(QStringLiteral("MADERERA"))); },
            [] { gMadTiras = RecortaBlancos(Cfg(QStringLiteral("MAD_TIRAS"))); },
            [] { gMadP2 = RecortaBlancos(Cfg(QStringLiteral("MAD_P2"))); },
            [] { gMadML = RecortaBlancos(Cfg(QStringLiteral("MAD_ML"))); },
            [] { gMadM2 = RecortaBlancos(Cfg(QStringLiteral("MAD_M2"))); },
            [] { gMadHojas = RecortaBlancos(Cfg(QStringLiteral("MAD_HOJAS"))); },
            [] { gMadMLP2 = RecortaBlancos(Cfg(QStringLiteral("MAD_ML_P2"))); },
            [] { gMadM2P2 = RecortaBlancos(Cfg(QStringLiteral("MAD_M2_P2"))); },
            [] { gMadMLM2 = RecortaBlancos(Cfg(QStringLiteral("MAD_ML_M2"))); },
            [] { gCuentaCtroDist = RecortaBlancos(Cfg(QStringLiteral("CuentaCtroDist"))); },
            [] { gMaxDto = UT().TextoAMoneda(RecortaBlancos(Cfg(QStringLiteral("MaxDto")))); },
            [] {
                gMaxDtoProforma = UT().TextoAMoneda(RecortaBlancos(Cfg(QStringLiteral("MaxDtoProforma"))));
            },
            [] { gPideClaveStockNeg = ReglaNo(Cfg(QStringLiteral("PideClave_StockNeg"))); },
            [] { gPideClaveMarkUpBase = ReglaNo(Cfg(QStringLiteral("PideClave_MarkUpBase"))); },
            [] { gPideClaveLimiteCredito = ReglaNo(Cfg(QStringLiteral("PideClave_LimiteCredito"))); },
            [] { gBloqueoActivo = PruebaSi(Cfg(QStringLiteral("SS_BloqueoActivo"))); },
            [] { gUtilizarFechaDia = PruebaSi(Cfg(QStringLiteral("UTILIZARFECHADIA"))); },
            [] {
                gAsignacionAutomaticaDeLoteING =
                    PruebaSi(Cfg(QStringLiteral("AsignacionAutomaticaDeLoteING")));
            },
            [] {
                gAsignacionAutomaticaDeLoteINGOP =
                    PruebaSi(Cfg(QStringLiteral("AsignacionAutomaticaDeLoteINGOP")));
            },
            [] { gCondIvaEmpresa = Entero16(ValNumero(Cfg(QStringLiteral("CONDIVAEMPRESA")))); },
            [] {
                if (gCondIvaEmpresa == 0)
                    gCondIvaEmpresa = Entero16(ValNumero(Cfg(QStringLiteral("CONDIVA"))));
            },
            [] {
                if (gCondIvaEmpresa == 0)
                    gCondIvaEmpresa = 1;
            },
            [] { gTopDefault = Cfg(QStringLiteral("Top_Default")); },
            [] {
                if (!TieneTexto(gTopDefault))
                    gTopDefault = QStringLiteral("1000");
            },
        },
        SiempreSiguiente);
}

void LeeValoresEAN() {
    gTipoEAN = RecortaBlancos(Cfg(QStringLiteral("TIPOEAN")));
    gDecimalesEAN = RecortaBlancos(Cfg(QStringLiteral("DECIMALESEAN")));
}

#include "ValoresConfiguracion.h"

#include "Globales.h"

namespace {
const QString kUnidadNegocioDefecto = QStringLiteral("   1");
}

bool gMostrarStockenConsultas = false;
QString gTituloClientes;
QString gTituloProveedores;
bool gExigeClaveConsultaLikeArticulos = false;
bool gUsaConsultaLike = false;
QString gCantidadDecimales;
bool gConfidencialidad = false;
bool gUsaMultilesMonedas = false;
bool gUsaFacturaProforma = false;
bool gUsaCCosto = false;
bool gUsaStockUdKg = false;
QString gUnidadMedidaM3;
QString gUnidadMedidaBL;
QString gUnidadMedidaKG;
qint16 gPeriodo = 0;
bool gRazonSocialPorUneg = false;
bool gValidaCodigoBarra = false;
bool gModuloOrdenDeTrabajo = false;
bool gVModificaCPrecio = false;
bool gCModificaCPrecio = false;
bool gMaderera = false;
QString gMadTiras;
QString gMadP2;
QString gMadML;
QString gMadM2;
QString gMadHojas;
QString gMadMLP2;
QString gMadM2P2;
QString gMadMLM2;
QString gCuentaCtroDist;
Moneda gMaxDto;
Moneda gMaxDtoProforma;
bool gPideClaveStockNeg = false;
bool gPideClaveMarkUpBase = false;
bool gPideClaveLimiteCredito = false;
bool gBloqueoActivo = false;
bool gUtilizarFechaDia = false;
bool gAsignacionAutomaticaDeLoteING = false;
bool gAsignacionAutomaticaDeLoteINGOP = false;
qint16 gCondIvaEmpresa = 0;
QString gTopDefault;

QString gArchivoTareas;
QString gUnidadNegocio = kUnidadNegocioDefecto;

void ReiniciaValoresConfiguracion() {
    gMostrarStockenConsultas = false;
    gTituloClientes.clear();
    gTituloProveedores.clear();
    gExigeClaveConsultaLikeArticulos = false;
    gUsaConsultaLike = false;
    gCantidadDecimales.clear();
    gConfidencialidad = false;
    gUsaMultilesMonedas = false;
    gUsaFacturaProforma = false;
    gUsaCCosto = false;
    gUsaStockUdKg = false;
    gUnidadMedidaM3.clear();
    gUnidadMedidaBL.clear();
    gUnidadMedidaKG.clear();
    gPeriodo = 0;
    gRazonSocialPorUneg = false;
    gValidaCodigoBarra = false;
    gModuloOrdenDeTrabajo = false;
    gVModificaCPrecio = false;
    gCModificaCPrecio = false;
    gMaderera = false;
    gMadTiras.clear();
    gMadP2.clear();
    gMadML.clear();
    gMadM2.clear();
    gMadHojas.clear();
    gMadMLP2.clear();
    gMadM2P2.clear();
    gMadMLM2.clear();
    gCuentaCtroDist.clear();
    gMaxDto = Moneda();
    gMaxDtoProforma = Moneda();
    gPideClaveStockNeg = false;
    gPideClaveMarkUpBase = false;
    gPideClaveLimiteCredito = false;
    gBloqueoActivo = false;
    gUtilizarFechaDia = false;
    gAsignacionAutomaticaDeLoteING = false;
    gAsignacionAutomaticaDeLoteINGOP = false;
    gCondIvaEmpresa = 0;
    gTopDefault.clear();
    gArchivoTareas.clear();
    gUnidadNegocio = kUnidadNegocioDefecto;
}

namespace {
[[maybe_unused]] const bool registrado = RegistraReinicioSesion(ReiniciaValoresConfiguracion);
}

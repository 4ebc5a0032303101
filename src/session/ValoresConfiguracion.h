#pragma once

#include "Moneda.h"

#include <QString>
#include <QtGlobal>

// Session values of the configuration load (CargaConfiguracion.h): the settings of
// TA_CONFIGURACION and the user's TA_USUARIOS row that the shared code reads as variables.
// Written once at start-up; the start values below are the ones ReiniciaSesion() restores.
// gColorFondo and gColorLetra (Globales.h) and gTablaConfiguracion (Configuracion.h) are
// written by the load as well; gTipoEAN and gDecimalesEAN (Globales.h) by LeeValoresEAN.

extern bool gMostrarStockenConsultas;         // MostrarStockenConsultas
extern QString gTituloClientes;               // TituloClientes
extern QString gTituloProveedores;            // TituloProveedores
extern bool gExigeClaveConsultaLikeArticulos; // EXIGECLAVECONSULTALIKEARTICULOS
extern bool gUsaConsultaLike;                 // UsaConsultaLike
extern QString gCantidadDecimales;            // CantidadDecimales (CantidadDecimalesVentas)
extern bool gConfidencialidad;                // SS_CONFIDENCIALIDAD
extern bool gUsaMultilesMonedas;              // UsaMultilesMonedas
extern bool gUsaFacturaProforma;              // UsaFacturaProforma, then the user's verproforma
extern bool gUsaCCosto;                       // USACCOSTO
extern bool gUsaStockUdKg;                    // USA_STK_STOCK_UDKG
extern QString gUnidadMedidaM3;               // UNIDADDEMEDIDA_M3
extern QString gUnidadMedidaBL;               // UNIDADDEMEDIDA_BL
extern QString gUnidadMedidaKG;               // UNIDADDEMEDIDA_KG
extern qint16 gPeriodo;                       // PERIODO
extern bool gRazonSocialPorUneg;              // RazonSocialPorUneg
extern bool gValidaCodigoBarra;               // VALIDACODIGOBARRA
extern bool gModuloOrdenDeTrabajo;            // ModuloOrdenDeTrabajo
extern bool gVModificaCPrecio;                // V_ModificaCPrecio
extern bool gCModificaCPrecio;                // C_ModificaCPrecio
extern bool gMaderera;                        // MADERERA
extern QString gMadTiras;                     // MAD_TIRAS
extern QString gMadP2;                        // MAD_P2
extern QString gMadML;                        // MAD_ML
extern QString gMadM2;                        // MAD_M2
extern QString gMadHojas;                     // MAD_HOJAS
extern QString gMadMLP2;                      // MAD_ML_P2
extern QString gMadM2P2;                      // MAD_M2_P2
extern QString gMadMLM2;                      // MAD_ML_M2
extern QString gCuentaCtroDist;               // CuentaCtroDist
extern Moneda gMaxDto;                        // MaxDto
extern Moneda gMaxDtoProforma;                // MaxDtoProforma
extern bool gPideClaveStockNeg;               // PideClave_StockNeg
extern bool gPideClaveMarkUpBase;             // PideClave_MarkUpBase
extern bool gPideClaveLimiteCredito;          // PideClave_LimiteCredito
extern bool gBloqueoActivo;                   // SS_BloqueoActivo
extern bool gUtilizarFechaDia;                // UTILIZARFECHADIA
extern bool gAsignacionAutomaticaDeLoteING;   // AsignacionAutomaticaDeLoteING
extern bool gAsignacionAutomaticaDeLoteINGOP; // AsignacionAutomaticaDeLoteINGOP
extern qint16 gCondIvaEmpresa;                // CONDIVAEMPRESA, else CONDIVA, else 1
extern QString gTopDefault;                   // Top_Default, "1000" when blank

extern QString gArchivoTareas; // the program folder & "CVDOCTareas.cvn"
// The user's business unit (TA_USUARIOS.UNegocio), "   1" when empty or the user has no row.
extern QString gUnidadNegocio;

// Every value above back to its start value (false, "", 0; gUnidadNegocio "   1").
// ReiniciaSesion() runs it.
void ReiniciaValoresConfiguracion();

#include "ConversionInterno.h"

void CompletaFila(Conversion& /*c*/, bool /*desdeLotes*/) {}

#include "ConversionInterno.h"

void RecalculaPedido(Conversion& /*c*/) {}

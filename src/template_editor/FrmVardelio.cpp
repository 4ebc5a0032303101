#include "FrmVardelio.h"

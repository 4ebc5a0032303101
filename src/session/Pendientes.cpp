#include "Pendientes.h"

// Not written yet: the default search definitions file is left as it is.
void CreaConsultasDefault() {}

// Not written yet: no access-log row; gIdControlAcceso stays 0.
void RegistraIngreso(const QString&) {}

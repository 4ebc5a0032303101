#pragma once

#include <QString>

// Start-up steps whose work belongs to parts not built yet. Each is called where start-up
// calls it; its owner replaces the body (and moves it out of this file).
void CreaConsultasDefault();
void RegistraIngreso(const QString& programa);

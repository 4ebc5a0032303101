#pragma once

#include <QDateTime>
#include <functional>

// The workstation's current date and time, as the session services stamp their rows and logs.
// Tests pin it.
QDateTime Ahora();

// Replaces the clock (tests); an empty function goes back to the workstation's.
void EstableceReloj(std::function<QDateTime()> reloj);

#pragma once

#include <QString>
#include <functional>

// A form's TextWidth on screen: the twips of a text in the application font at the primary
// screen's resolution (96 dpi without a screen), the font and resolution taken when called.
std::function<int(const QString&)> MedidaFuenteAplicacion();

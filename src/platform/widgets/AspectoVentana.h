#pragma once

#include "VentanaSuite.h"

class QWidget;

// Shows a window's icon and, once applied, its skin on its view, now and after every change.
// Dialogs opened over the view inherit the skin's style sheet. The window must outlive the
// view or be shown by another view afterwards.
void AplicaAspecto(VentanaSuite& ventana, QWidget& vista);

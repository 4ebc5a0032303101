#pragma once

#include "FrmVardelio.h"

#include <QMainWindow>

// The editor's main window: shows the models of FrmVardelio and forwards events to it.
class VistaVardelio : public QMainWindow {
    Q_OBJECT
public:
    explicit VistaVardelio(FrmVardelio& form, QWidget* padre = nullptr);

private:
    FrmVardelio& form_;
};

#pragma once

// The editor's real window offscreen over a form loaded from the demo database, as the program
// opens it.

#include "FrmVardelio.h"
#include "VistaVardelio.h"

#include <QApplication>
#include <memory>

template <class Base> class ConVistaDemo : public Base {
protected:
    void SetUp() override {
        Base::SetUp();
        if (this->HasFatalFailure())
            return;
        form = std::make_unique<FrmVardelio>();
        form->TextWidth = VistaVardelio::MedidaTexto();
        form->Form_Load(this->LineaSesion());
        vista = std::make_unique<VistaVardelio>(*form);
        vista->show();
        vista->activateWindow();
        QApplication::processEvents();
        this->guion.Limpia();
    }
    void TearDown() override {
        vista.reset();
        form.reset();
        Base::TearDown();
    }

    std::unique_ptr<FrmVardelio> form;
    std::unique_ptr<VistaVardelio> vista;
};

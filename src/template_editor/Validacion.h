#pragma once

#include "CajaTexto.h"
#include "ErrorSistema.h"

#include <QString>
#include <vector>

// One run of the editor's single validator (CampoValida) on a control: its trimmed text, the
// refusal's message, and `decidido` once refused (the remaining checks are skipped). A refusal
// sets the window's ErrorValidacion at once, as the branches that follow read it.
struct Validacion {
    CajaTexto& texto;
    bool& error;
    QString valor;
    QString mensaje;
    bool decidido = false;

    void Rechaza(const QString& motivo) {
        error = true;
        mensaje = motivo;
        decidido = true;
    }
};

// A step that runs while nothing was refused.
Paso Si(const Validacion& v, Paso paso);
// A branch's steps under the error routine "CAMPO_VALIDA"; false when the user left it.
bool PasosValidacion(const std::vector<Paso>& pasos);

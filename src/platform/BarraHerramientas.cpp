#include "BarraHerramientas.h"
#include "Teclas.h"

BarraHerramientas::BarraHerramientas() {
    auto boton = [](const char* palabra, const char* caption, const char* ayuda, const char* icono,
                    qint16 codigo) {
        BotonBarra b;
        b.palabra = QString::fromUtf8(palabra);
        b.caption = QString::fromUtf8(caption);
        b.ayuda = QString::fromUtf8(ayuda);
        b.icono = QString::fromUtf8(icono);
        b.tecla = codigo;
        return b;
    };
    botones_ = {
        boton("NUEVO", "Nuevo", "Nuevo modelo (F3)", "document-new", tecla::F3),
        boton("BORRAR", "Borrar", "Borrar el modelo (F8)", "edit-delete", tecla::F8),
        boton("GRABAR", "Grabar", "Grabar el modelo (F2)", "document-save", tecla::F2),
        boton("PLANILLA", "Planilla", "Listado en planilla (F6)", "x-office-spreadsheet", tecla::F6),
        boton("CONSULTAR", "Consultar", "Consultar el campo (F5)", "edit-find", tecla::F5),
        boton("REPORTE", "Reporte", "Reporte de stock (F7)", "document-print", tecla::F7),
        boton("CERRAR", "Cerrar", "Cerrar el programa (F12)", "application-exit", tecla::F12),
        boton("CANCELAR", "Cancelar", "Cancelar la carga (Esc)", "process-stop", tecla::Escape),
    };
    Actualiza();
}

const BarraHerramientas::BotonBarra* BarraHerramientas::Boton(const QString& palabra) const {
    for (const BotonBarra& b : botones_)
        if (b.palabra.compare(palabra, Qt::CaseInsensitive) == 0)
            return &b;
    return nullptr;
}

bool BarraHerramientas::BotonHabilitado(const QString& palabra) const {
    const BotonBarra* b = Boton(palabra);
    return b && b->habilitado && b->visible && habilitada_;
}

bool BarraHerramientas::Presiona(const QString& palabra) {
    if (!BotonHabilitado(palabra))
        return false;
    const QString p = Boton(palabra)->palabra; // the handler may change the bar
    if (Click)
        Click(p);
    return true;
}

void BarraHerramientas::ProcesaTecla(qint16& KeyCode) {
    if (KeyCode == 0)
        return;
    for (const BotonBarra& b : botones_) {
        if (b.tecla != KeyCode)
            continue;
        if (Presiona(b.palabra))
            KeyCode = 0;
        return;
    }
}

void BarraHerramientas::Actualiza() {
    auto pon = [this](const char* palabra, bool h) {
        for (BotonBarra& b : botones_)
            if (b.palabra == QLatin1String(palabra))
                b.habilitado = h;
    };
    pon("NUEVO", fueraEdicion1_);
    pon("PLANILLA", fueraEdicion2_);
    pon("GRABAR", enEdicion1_);
    pon("CANCELAR", enEdicion2_);
    pon("BORRAR", sinEgreso_);
    pon("CONSULTAR", consultar_);
    pon("REPORTE", siempre_);
    pon("CERRAR", siempre_);
    if (alCambiar)
        alCambiar();
}

#define INTERRUPTOR(Nombre, miembro)                                                                         \
    void BarraHerramientas::set##Nombre(bool h) {                                                            \
        if ((miembro) == h)                                                                                  \
            return;                                                                                          \
        (miembro) = h;                                                                                       \
        Actualiza();                                                                                         \
    }
INTERRUPTOR(HabilitaFueraEdicion1, fueraEdicion1_)
INTERRUPTOR(HabilitaFueraEdicion2, fueraEdicion2_)
INTERRUPTOR(HabilitaEnEdicion1, enEdicion1_)
INTERRUPTOR(HabilitaEnEdicion2, enEdicion2_)
INTERRUPTOR(HabilitaEnEdicionSinEgreso, sinEgreso_)
INTERRUPTOR(HabilitaSiempre, siempre_)
INTERRUPTOR(HabilitaConsultar, consultar_)
INTERRUPTOR(Enabled, habilitada_)
#undef INTERRUPTOR

void BarraHerramientas::setStyleBar(double s) {
    if (estilo_ == s)
        return;
    estilo_ = s;
    if (alCambiar)
        alCambiar();
}

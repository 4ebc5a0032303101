// The toolbar's commands: every command of the window that is not a field or grid action
// arrives here as the word of a button (or of the key that pressed it).

#include "Acceso.h"
#include "AccesoDatos.h"
#include "ExportadorPlanilla.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Interaccion.h"
#include "MenuExes.h"
#include "Moneda.h"

#include <memory>
#include <vector>

namespace {

// The session's spreadsheet exporter, created on first use and released by TerminaSistema.
std::unique_ptr<ExportadorPlanilla>& InstanciaExportador() {
    static std::unique_ptr<ExportadorPlanilla> exportador;
    return exportador;
}

ExportadorPlanilla& Exportador() {
    auto& exportador = InstanciaExportador();
    if (!exportador) {
        exportador = std::make_unique<ExportadorPlanilla>([]() -> AccesoDatos& { return AD(); });
        RegistraLiberacion(ObjetoGlobal::ExportadorPlanilla, [] { InstanciaExportador().reset(); });
    }
    return *exportador;
}

// A statement of a command that runs only while `sigue` holds (the user may end the command
// half-way by answering No).
Paso Mientras(const bool& sigue, Paso paso) {
    return [&sigue, paso = std::move(paso)] {
        if (sigue)
            paso();
    };
}

} // namespace

QString FrmVardelio::ProgramaReporteStock() {
    return QStringLiteral("REPORTESTOCK");
}

void FrmVardelio::UtilVox1_click(const QString& palabra) {
    const QString orden = palabra.toUpper();
    bool vaciaMensaje = true; // LblMensaje is emptied after the command
    bool sigue = true;        // the user has not ended the command
    bool procede = true;      // the fields are valid: write or delete
    bool validando = false;   // this command raised ValidandoGrabacion
    const auto foco = [this] { Foco_.SetFocus(QStringLiteral("TxtFields(0)")); };
    const auto pregunta = [&sigue](const QString& texto, int estilo, const QString& titulo) {
        sigue = interaccion().MsgBox(texto, estilo, titulo) == Respuesta::Si;
    };
    const auto levantaValidacion = [&] {
        ValidandoGrabacion = true;
        validando = true;
    };

    Moneda items;
    Moneda cantidades;
    QString proveedor;
    QString titulo;
    std::vector<Paso> pasos;

    if (orden == QLatin1StringView("NUEVO")) {
        pasos = {
            [&] { Inicializa(); },
            [&] { modo_ = Modo::Nuevo; },
            foco,
        };
    } else if (orden == QLatin1StringView("BORRAR")) {
        pasos = {
            [&] {
                pregunta(QStringLiteral("Confirma la baja de este registro?"),
                         Estilo::SiNo | Estilo::Exclamacion | Estilo::BotonDefecto2,
                         QStringLiteral("Atención!"));
            },
            Mientras(sigue, levantaValidacion),
            Mientras(sigue, [&] { procede = Datosvalidos(); }),
            Mientras(sigue,
                     [&] {
                         if (!procede)
                             return;
                         modo_ = Modo::Baja;
                     }),
            Mientras(sigue,
                     [&] {
                         if (procede)
                             ActualizarDatos();
                     }),
            Mientras(sigue,
                     [&] {
                         if (procede && !ErrorValidacion)
                             Inicializa();
                     }),
            Mientras(sigue, [&] { ValidandoGrabacion = false; }),
            Mientras(sigue, foco),
        };
    } else if (orden == QLatin1StringView("GRABAR")) {
        pasos = {
            // What is being typed into a cell is part of what is saved.
            [&] {
                sigue = TerminaEdicion();
                if (!sigue)
                    vaciaMensaje = false;
            },
            Mientras(sigue, [&] { ObtieneTotales(items, cantidades); }),
            Mientras(sigue,
                     [&] {
                         // The question comes last, after the totals.
                         pregunta(QStringLiteral("Total de Items:") + items.Texto() + QStringLiteral("\r\n") +
                                      QStringLiteral("Total Cantidades: ") + cantidades.Texto() +
                                      QStringLiteral("\r\n\r\n") + QStringLiteral("Confirma la Grabación? "),
                                  Estilo::SiNo | Estilo::Pregunta, QStringLiteral("Atención"));
                         if (!sigue)
                             vaciaMensaje = false;
                     }),
            Mientras(sigue, levantaValidacion),
            Mientras(sigue,
                     [&] {
                         procede = Datosvalidos();
                         if (!procede)
                             ValidandoGrabacion = false;
                     }),
            Mientras(sigue,
                     [&] {
                         if (procede)
                             ActualizarDatos();
                     }),
            Mientras(sigue,
                     [&] {
                         if (procede)
                             LblMensaje.setCaption(QString());
                     }),
            Mientras(sigue,
                     [&] {
                         if (!procede)
                             return;
                         if (!ErrorValidacion)
                             Inicializa(); // the voucher type stays selected
                         ValidandoGrabacion = false;
                     }),
            Mientras(sigue, foco),
        };
    } else if (orden == QLatin1StringView("PLANILLA")) {
        pasos = {
            [&] { proveedor = AD().TextoProveedor(); },
            [&] { titulo = QStringLiteral("Reporte ") + Caption(); },
            [&] {
                Exportador().ExportaPlanilla(QStringLiteral(" SELECT * FROM ") + TablaModelo, proveedor,
                                             titulo, QStringLiteral("id"));
            },
        };
    } else if (orden == QLatin1StringView("CONSULTAR")) {
        pasos = {[&] { CmdConsultar(); }};
    } else if (orden == QLatin1StringView("REPORTE")) {
        pasos = {[&] {
            QString parametro;
            qint32 tarea = 0;
            MenuExes(QStringLiteral("shell:") + ProgramaReporteStock(), parametro, tarea);
        }};
    } else if (orden == QLatin1StringView("CERRAR")) {
        // Nothing is saved and nothing is asked; the program ends.
        vaciaMensaje = false;
        pasos = {[&] { Form_Unload(); }};
    } else if (orden == QLatin1StringView("CANCELAR")) {
        pasos = {
            [&] {
                pregunta(QStringLiteral("¿Realmente desea abandonar la carga de datos?"),
                         Estilo::SiNo | Estilo::Pregunta | Estilo::BotonDefecto2,
                         QStringLiteral("Aviso al Operador"));
            },
            Mientras(sigue, [&] { Inicializa(); }),
            Mientras(sigue, [&] { AbrirRecordset(TablaModelo); }),
            Mientras(sigue, foco),
        };
    }

    EjecutaPasos(pasos,
                 [](const ErrorSistema& e) { return ErrorFormulario(e, QStringLiteral("UtilVox1_click")); });
    // Whichever way the command ended, a save or delete is no longer validating.
    if (validando)
        ValidandoGrabacion = false;
    if (vaciaMensaje)
        LblMensaje.setCaption(QString());
}

// Stand-in until the look-ups are written: whoever writes them deletes it here.
void FrmVardelio::CmdConsultar() {}

// The toolbar's commands: every command of the window that is not a field or grid action
// arrives here as the word of a button (or of the key that pressed it).

#include "Acceso.h"
#include "AccesoDatos.h"
#include "ExportadorPlanilla.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Interaccion.h"
#include "LineasMarcadas.h"
#include "MenuExes.h"
#include "Moneda.h"
#include "RutinaFormulario.h"

#include <QHash>
#include <memory>

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

// The process name of the suite's stock report program that REPORTE starts.
const QString kReporteStock = QStringLiteral("REPORTESTOCK");

} // namespace

void FrmVardelio::UtilVox1_click(const QString& palabra) {
    using Comando = bool (FrmVardelio::*)();
    static const QHash<QString, Comando> comandos = {
        {QStringLiteral("NUEVO"), &FrmVardelio::CmdNuevo},
        {QStringLiteral("BORRAR"), &FrmVardelio::CmdBorrar},
        {QStringLiteral("GRABAR"), &FrmVardelio::CmdGrabar},
        {QStringLiteral("PLANILLA"), &FrmVardelio::CmdPlanilla},
        {QStringLiteral("CONSULTAR"), &FrmVardelio::CmdConsultar},
        {QStringLiteral("REPORTE"), &FrmVardelio::CmdReporte},
        {QStringLiteral("CERRAR"), &FrmVardelio::CmdCerrar},
        {QStringLiteral("CANCELAR"), &FrmVardelio::CmdCancelar},
    };
    const Comando comando = comandos.value(palabra.toUpper(), nullptr);
    // Any other word only empties the message.
    if (!comando || (this->*comando)())
        LblMensaje.setCaption(QString());
}

bool FrmVardelio::PasosComando(std::initializer_list<Paso> pasos) {
    return EjecutaPasos(
        pasos, [](const ErrorSistema& e) { return ErrorFormulario(e, QStringLiteral("UtilVox1_click")); });
}

void FrmVardelio::FocoEnNombre() {
    Foco_.SetFocus(QStringLiteral("TxtFields(0)"));
}

bool FrmVardelio::Pregunta(const QString& texto, int estilo, const QString& titulo) {
    return interaccion().MsgBox(texto, estilo, titulo) == Respuesta::Si;
}

bool FrmVardelio::CmdNuevo() {
    PasosComando({
        [&] { Inicializa(); },
        [&] { modo_ = Modo::Nuevo; },
        [&] { FocoEnNombre(); },
    });
    return true;
}

bool FrmVardelio::CmdBorrar() {
    bool sigue = true;
    PasosComando({
        // The delete acts on the template the window shows: a name typed over it is checked
        // first, which reads and shows another stored template (or stays, on the user's No).
        [&] {
            const QString nombre = AlmacenModelos::NombreModelo(TxtFields[0].Text());
            if (nombre.isEmpty() || leido_.EsElNombre(nombre))
                return;
            CampoValida(TxtFields[0]);
            sigue = !ErrorValidacion;
        },
        Mientras(sigue,
                 [&] {
                     sigue = Pregunta(QStringLiteral("Confirma la baja de este registro?"),
                                      Estilo::SiNo | Estilo::Exclamacion | Estilo::BotonDefecto2,
                                      QStringLiteral("Atención!"));
                 }),
        Mientras(sigue, [&] { ValidaYAlmacena(true); }),
    });
    return true;
}

bool FrmVardelio::CmdGrabar() {
    bool sigue = true;
    bool vaciaMensaje = true;
    Moneda items;
    Moneda cantidades;
    PasosComando({
        // What is being typed into a cell is part of what is saved.
        [&] {
            sigue = TerminaEdicion();
            if (!sigue)
                vaciaMensaje = false;
        },
        // A line an import left marked is never sent: the save stops on it.
        Mientras(sigue,
                 [&] {
                     sigue = LineasGrabables();
                     if (!sigue)
                         vaciaMensaje = false;
                 }),
        Mientras(sigue, [&] { ObtieneTotales(items, cantidades); }),
        Mientras(sigue,
                 [&] {
                     // The question comes last, after the totals.
                     sigue =
                         Pregunta(QStringLiteral("Total de Items:") + items.Texto() + QStringLiteral("\r\n") +
                                      QStringLiteral("Total Cantidades: ") + cantidades.Texto() +
                                      QStringLiteral("\r\n\r\n") + QStringLiteral("Confirma la Grabación? "),
                                  Estilo::SiNo | Estilo::Pregunta, QStringLiteral("Atención"));
                     if (!sigue)
                         vaciaMensaje = false;
                 }),
        Mientras(sigue, [&] { ValidaYAlmacena(false); }),
    });
    return vaciaMensaje;
}

bool FrmVardelio::LineasGrabables() {
    const std::optional<LineasMarcadas::LineaPendiente> pendiente =
        LineasMarcadas::PrimeraPendiente(MSFlexGrid2);
    if (!pendiente)
        return true;
    interaccion().MsgBox(pendiente->mensaje, Estilo::SoloAceptar | Estilo::Exclamacion,
                         QStringLiteral("Aviso al operador..."));
    Foco_.SetFocus(QStringLiteral("MSFlexGrid2"));
    MueveCelda(pendiente->fila, pendiente->columna);
    return false;
}

void FrmVardelio::ValidaYAlmacena(bool baja) {
    // The header is validated as for a save (ValidandoGrabacion: a valid name loads nothing),
    // then the template is stored or deleted, and the window reset when it was. A save stores
    // it as the name's check has just found it, whatever field the command came from: the name
    // may have been typed over without leaving its box.
    bool procede = true;
    ValidandoGrabacion = true;
    PasosComando({
        [&] {
            procede = Datosvalidos();
            if (!procede)
                ValidandoGrabacion = false;
        },
        [&] {
            if (procede && baja)
                modo_ = Modo::Baja;
        },
        [&] {
            if (procede)
                ActualizarDatos();
        },
        [&] {
            if (procede)
                LblMensaje.setCaption(QString());
        },
        [&] {
            if (procede && !ErrorValidacion)
                Inicializa(); // the voucher type stays selected
        },
        [&] { ValidandoGrabacion = false; },
        [&] { FocoEnNombre(); },
    });
    // Whichever way the steps ended, the save or delete is no longer validating.
    ValidandoGrabacion = false;
}

bool FrmVardelio::CmdPlanilla() {
    QString proveedor;
    QString titulo;
    PasosComando({
        [&] { proveedor = AD().TextoProveedor(); },
        [&] { titulo = QStringLiteral("Reporte ") + Caption(); },
        [&] {
            Exportador().ExportaPlanilla(AlmacenModelos::SentenciaPlanilla(TablaModelo), proveedor, titulo,
                                         QStringLiteral("id"));
        },
    });
    return true;
}

bool FrmVardelio::CmdReporte() {
    PasosComando({[&] {
        QString parametro;
        qint32 tarea = 0;
        MenuExes(QStringLiteral("shell:") + kReporteStock, parametro, tarea);
    }});
    return true;
}

bool FrmVardelio::CmdCerrar() {
    // Nothing is saved and nothing is asked; the program ends.
    PasosComando({[&] { Form_Unload(); }});
    return false;
}

bool FrmVardelio::CmdCancelar() {
    bool sigue = true;
    PasosComando({
        [&] {
            sigue = Pregunta(QStringLiteral("¿Realmente desea abandonar la carga de datos?"),
                             Estilo::SiNo | Estilo::Pregunta | Estilo::BotonDefecto2,
                             QStringLiteral("Aviso al Operador"));
        },
        Mientras(sigue, [&] { Inicializa(); }),
        Mientras(sigue, [&] { AbrirRecordset(TablaModelo); }),
        Mientras(sigue, [&] { FocoEnNombre(); }),
    });
    return true;
}

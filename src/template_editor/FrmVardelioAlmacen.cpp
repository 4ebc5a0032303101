// The window's side of template storage: what a save or delete stores (AlmacenModelos writes
// it), the menu entry (AnclajeMenu writes it), the load of a stored template into the window,
// and the validation pass before a save.

#include "AccesoDatos.h"
#include "AlmacenModelos.h"
#include "AnclajeMenu.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Registros.h"
#include "RutinaFormulario.h"
#include "TextoCampo.h"
#include "Transacciones.h"
#include "Utilidades.h"

#include <QScopeGuard>
#include <optional>

bool FrmVardelio::Datosvalidos() {
    ErrorValidacion = false;
    for (CajaTexto& campo : TxtFields) {
        CampoValida(campo);
        if (ErrorValidacion)
            break;
    }
    return !ErrorValidacion;
}

int FrmVardelio::ReportaActualizar(const ErrorSistema& error, bool ignorarSale) {
    LblMensaje.setCaption(QString());
    int respuesta = ErrorFormulario(error, QStringLiteral("ACTUALIZAR DATOS"));
    if (ignorarSale && respuesta == Respuesta::Ignorar)
        respuesta = Respuesta::Abortar;
    // Retried, the step decides again: one that then runs leaves the save as if it had not failed.
    if (respuesta != Respuesta::Reintentar)
        ErrorValidacion = true;
    return respuesta;
}

AlmacenModelos::Cabecera FrmVardelio::CabeceraModelo() {
    AlmacenModelos::Cabecera c;
    c.nombre = AlmacenModelos::NombreModelo(TxtFields[IndiceCampo(QStringLiteral("Nombre"))].Text());
    c.detalle = TxtFields[IndiceCampo(QStringLiteral("detalle"))].Text();
    c.tipo = FNTC();
    c.depositoOrigen = TxtFields[IndiceCampo(QStringLiteral("DepositoOrigen"))].Text();
    c.depositoDestino = TxtFields[IndiceCampo(QStringLiteral("DepositoDestino"))].Text();
    c.motivo = TxtFields[IndiceCampo(QStringLiteral("IDMOTIVOSTOCK"))].Text();
    c.anclar = ChkAnclar.Value();
    return c;
}

bool FrmVardelio::PreparaGrabacion(AlmacenModelos& tanda, qint16 idAnterior) {
    // Header and lines are written anew under the identifier; the old ones are deleted first.
    // A name a template holds keeps that template's identifier; any other takes a new one, also
    // when the template open here was deleted meanwhile: none is ever written under 0.
    qint16 id = 0;
    bool idElegido = false;
    bool completo = EjecutaPasos({
                                     [&] { tanda.Borra(idAnterior); },
                                     [&] {
                                         id = idAnterior != 0 ? idAnterior : AlmacenModelos::NuevoId();
                                         idElegido = true;
                                     },
                                     [&] { tanda.AgregaCabecera(id, CabeceraModelo()); },
                                 },
                                 [&](const ErrorSistema& e) {
                                     // Without an identifier there is nothing to write: ignoring leaves.
                                     return ReportaActualizar(e, !idElegido);
                                 });
    const auto reporta = [this](const ErrorSistema& e) { return ReportaActualizar(e); };
    for (int fila = 1; completo && fila < MSFlexGrid2.Rows(); ++fila)
        completo = EjecutaPasos({[&] {
                                    tanda.AgregaLinea(MSFlexGrid2.TextMatrix(fila, col::CodigoArticulo),
                                                      MSFlexGrid2.TextMatrix(fila, col::Cantidad),
                                                      MSFlexGrid2.TextMatrix(fila, col::Unidad));
                                }},
                                reporta);
    return completo;
}

bool FrmVardelio::PreparaBaja(AlmacenModelos& tanda, qint16 idAnterior) {
    bool borra = true;
    const bool completo = EjecutaPasos(
        {
            [&] {
                if (interaccion().MsgBox(QStringLiteral("¿Realmente desea anular este comprobante?"),
                                         Estilo::SiNo | Estilo::Pregunta,
                                         QStringLiteral("Aviso al operador")) != Respuesta::Si) {
                    interaccion().MsgBox(QStringLiteral("El Comprobante no fue anulado"),
                                         Estilo::SoloAceptar | Estilo::Informacion,
                                         QStringLiteral("Aviso al operador"));
                    borra = false;
                }
            },
            [&] {
                if (borra)
                    tanda.Borra(idAnterior);
            },
        },
        [this](const ErrorSistema& e) { return ReportaActualizar(e); });
    return borra && completo;
}

void FrmVardelio::ActualizarDatos() {
    qint16 idAnterior = 0; // the template stored under the name, 0 when none
    bool graba = false;
    bool borra = false;
    AlmacenModelos tanda;
    UltimaTanda.clear();
    const auto reporta = [this](const ErrorSistema& e) { return ReportaActualizar(e); };

    bool completo =
        EjecutaPasos({
                         [&] {
                             idAnterior = AlmacenModelos::IdDeNombre(
                                 AlmacenModelos::NombreModelo(TxtFields[0].Text()), RegistroModelo);
                         },
                         [&] {
                             graba = modo_ == Modo::Nuevo || modo_ == Modo::Modificacion;
                             borra = !graba && modo_ == Modo::Baja;
                         },
                     },
                     // Without the stored identifier a save would write a second template of the
                     // name and a delete would remove none: ignoring the look-up leaves.
                     [this](const ErrorSistema& e) { return ReportaActualizar(e, true); });
    if (!completo || (!graba && !borra))
        return;
    completo = graba ? PreparaGrabacion(tanda, idAnterior) : PreparaBaja(tanda, idAnterior);
    if (!completo)
        return;

    EjecutaPasos(
        {
            [&] {
                LblMensaje.setCaption(QStringLiteral("ACTUALIZANDO DATOS... ESPERE POR FAVOR..."));
                LblMensaje.Refresh();
                LblMensaje.setCaption(QString());
            },
        },
        reporta);

    // A template this window saw stored under the name is replaced only as it was seen.
    const QString nombre = AlmacenModelos::NombreModelo(TxtFields[0].Text());
    const AlmacenModelos::Huella* visto = graba ? leido_.Visto(nombre) : nullptr;
    if (!visto) {
        if (!tanda.Ejecuta(UltimaTanda)) {
            ErrorValidacion = true;
            return;
        }
    } else {
        const AlmacenModelos::Huella vista = *visto;
        AlmacenModelos::Huella guardada;
        switch (GrabaSiNadieCambio(tanda, nombre, vista, idAnterior, guardada)) {
        case Escritura::Hecha:
            break;
        case Escritura::Fallida:
            ErrorValidacion = true;
            return;
        case Escritura::Cambiada:
            if (!PreguntaSiReemplaza(nombre, vista, guardada)) {
                ErrorValidacion = true; // the window stays as it is: it may be saved under another name
                return;
            }
            leido_.AnotaVisto(nombre, guardada);
            [[fallthrough]];
        case Escritura::OtroId:
            // The batch is built again for the template stored now.
            ActualizarDatos();
            return;
        }
    }
    AnclaAlMenu();
    ConfirmaTransacciones();
}

FrmVardelio::Escritura FrmVardelio::GrabaSiNadieCambio(AlmacenModelos& tanda, const QString& nombre,
                                                       const AlmacenModelos::Huella& vista, qint16 idAnterior,
                                                       AlmacenModelos::Huella& guardada) {
    // A check that did not run is no check passed: ignoring a failure here stores nothing.
    const auto reporta = [this](const ErrorSistema& e) { return ReportaActualizar(e, true); };
    bool abierta = false;
    const bool leida = EjecutaPasos(
        {
            [&] {
                AlmacenModelos::IniciaTransaccion();
                abierta = true;
            },
            [&] { guardada = AlmacenModelos::LeeCabeceraGuardada(nombre, idAnterior, vista.conFilas); },
            [&] { AlmacenModelos::LeeLineasGuardadas(guardada); },
        },
        reporta);
    const bool mismoId = (guardada.existe ? guardada.id : 0) == idAnterior;
    if (!leida || !mismoId || !AlmacenModelos::MismaHuella(vista, guardada)) {
        // Nothing is held while the user is asked.
        if (abierta)
            AlmacenModelos::RevierteTransaccion();
        if (!leida)
            return Escritura::Fallida;
        return AlmacenModelos::MismaHuella(vista, guardada) ? Escritura::OtroId : Escritura::Cambiada;
    }
    if (!tanda.Ejecuta(UltimaTanda))
        return Escritura::Fallida; // refused and rolled back whole, with its message and its error row
    std::optional<ErrorSistema> rechazo;
    if (!EjecutaPasos({[] { AlmacenModelos::ConfirmaTransaccion(); }}, [&](const ErrorSistema& e) {
            rechazo = e;
            return reporta(e);
        })) {
        AlmacenModelos::RevierteTransaccion();
        AlmacenModelos::RegistraRechazo(UltimaTanda, *rechazo);
        return Escritura::Fallida;
    }
    return Escritura::Hecha;
}

bool FrmVardelio::PreguntaSiReemplaza(const QString& nombre, const AlmacenModelos::Huella& vista,
                                      const AlmacenModelos::Huella& guardada) {
    const QString cuando = vista.conFilas
                               ? QStringLiteral(" después de que esta ventana lo leyó.")
                               : QStringLiteral(" después de que esta ventana verificó su nombre.");
    QString texto;
    if (!vista.leidaEntera)
        texto = QStringLiteral("Esta ventana no terminó de leer el modelo ") + nombre +
                QStringLiteral(": lo que muestra no es todo lo que tiene grabado.");
    else if (!vista.existe)
        texto = QStringLiteral("Mientras esta ventana preparaba el modelo nuevo ") + nombre +
                QStringLiteral(", otro puesto grabó un modelo con ese nombre.");
    else if (!guardada.existe)
        texto =
            QStringLiteral("El modelo ") + nombre + QStringLiteral(" fue borrado en otro puesto") + cuando;
    else
        texto =
            QStringLiteral("El modelo ") + nombre + QStringLiteral(" fue modificado en otro puesto") + cuando;
    texto += guardada.existe
                 ? QStringLiteral("\r\n\r\n¿Desea reemplazarlo con lo que muestra la ventana?")
                 : QStringLiteral("\r\n\r\n¿Desea grabarlo de nuevo con lo que muestra la ventana?");
    return interaccion().MsgBox(texto, Estilo::SiNo | Estilo::Exclamacion | Estilo::BotonDefecto2,
                                QStringLiteral("Atención")) == Respuesta::Si;
}

void FrmVardelio::AnclaAlMenu() {
    // The name exactly as the save stored it, so that the entry opens that template.
    const QString nombre = AlmacenModelos::NombreModelo(TextoDelCampo(QStringLiteral("NOMBRE")));
    // A deleted template never keeps its entry, whatever the box shows.
    if (ChkAnclar.Value() == 1 && modo_ != Modo::Baja)
        AnclajeMenu::Ancla(nombre);
    else
        AnclajeMenu::Quita(nombre);
}

void FrmVardelio::SeleccionaTipoGuardado(const QVariant& codigoGuardado) {
    Registros tipo;
    AlmacenModelos::AbreTipo(UT().RellenaCodigo(UT().ValorATexto(UT().ValorCampo(codigoGuardado)), 4), tipo);
    if (tipo.Eof())
        return;
    // The type is selected by its item; a type the list does not offer leaves it as it is.
    const QString item =
        AlmacenModelos::ItemTipo(TextoCampo(tipo, "Codigo"), TextoCampo(tipo, "Descripcion"));
    for (int i = 0; i < CmbLista.ListCount(); ++i)
        if (CmbLista.List(i).compare(item, Qt::CaseInsensitive) == 0) {
            CmbLista.setListIndex(i);
            break;
        }
    AD().CierraRecordset(tipo);
}

void FrmVardelio::AsignarDatos() {
    qint16 id = 0;
    // What is read is what the window holds from now on, also when the read is left half-way.
    leido_.EmpiezaLectura(RegistroModelo);
    const auto lee = qScopeGuard([this] {
        leido_.TerminaLectura(AlmacenModelos::NombreModelo(TextoDelCampo(QStringLiteral("NOMBRE"))));
    });
    const bool sigue = EjecutaPasos(
        {
            [&] { AF().CargaCampos(TxtFields, RegistroModelo); },
            [&] {
                ChkAnclar.setValue(
                    AlmacenModelos::Anclado(RegistroModelo.Fields(QStringLiteral("Anclaralmenu"))));
            },
            [&] { SeleccionaTipoGuardado(RegistroModelo.Fields(QStringLiteral("tcdefault"))); },
            [&] { id = AlmacenModelos::Entero16(RegistroModelo.Fields(QStringLiteral("IdVardelio"))); },
            [&] { InicializaGrids(); },
            [&] { AlmacenModelos::AbreLineas(id, RegistroModelo); },
        },
        [](const ErrorSistema& e) { return ErrorFormulario(e, QStringLiteral("Asignar Datos")); });
    // Lines whose opening was skipped were not read: the window holds part of the template.
    if (!sigue || RegistroModelo.State() != 1)
        return;
    if ((RegistroModelo.Bof() && RegistroModelo.Eof()) || LeeLineas(id))
        leido_.LecturaEntera();
}

bool FrmVardelio::LeeLineas(qint16 id) {
    bool sigue = true;
    const auto reporta = [](const ErrorSistema& e) {
        return ErrorFormulario(e, QStringLiteral("Asignar Datos"));
    };
    // The lines' state in one place: each step captures only it, so that a step costs no
    // allocation of its own on a template of many lines.
    struct Lectura {
        FrmVardelio& f;
        Registros& rs;
        qint16 id;
        int articulo, unidad, cantidad; // field positions, looked up once
        bool primera = true;
        bool avanza = true;
        int actual = 1; // the row's place in the read
    } c{*this,
        RegistroModelo,
        id,
        RegistroModelo.IndiceCampo(QStringLiteral("IdArticulo")),
        RegistroModelo.IndiceCampo(QStringLiteral("IdUnidad")),
        RegistroModelo.IndiceCampo(QStringLiteral("Cantidad"))};
    const SinRedibujo sinRedibujo(MSFlexGrid2);
    // What the lines look up once for all of them, held only while they are read: typing asks
    // the database.
    const auto olvida = qScopeGuard([this] {
        lineas_.RecuerdaTipos(false);
        stock_.OlvidaModelo();
    });
    lineas_.RecuerdaTipos(true);
    stock_.LeeDelModelo(id);
    while (sigue && c.avanza && !RegistroModelo.Eof()) {
        c.avanza = false; // a row that cannot be passed ends the load rather than repeat itself
        sigue = EjecutaPasos(
            {
                [&c] {
                    Grilla& g = c.f.MSFlexGrid2;
                    if (!c.primera)
                        g.setRows(g.Rows() + 1);
                    c.primera = false;
                    g.setRow(g.Rows() - 1);
                },
                [&c] {
                    const QString articulo = TextoCampoRecortado(c.rs, c.articulo);
                    c.f.MSFlexGrid2.setTextMatrix(c.f.MSFlexGrid2.Row(), col::CodigoArticulo, articulo);
                    c.f.txtEdit2.setText(articulo);
                },
                [&c] {
                    c.f.ControlActivo = &c.f.txtEdit2;
                    c.f.ObjCmnCptes().TextPropiedades(c.f.txtEdit2, col::CodigoArticulo);
                    c.f.CampoValida(c.f.txtEdit2);
                },
                [&c] {
                    c.f.MSFlexGrid2.setTextMatrix(c.f.MSFlexGrid2.Row(), col::Unidad,
                                                  TextoCampoRecortado(c.rs, c.unidad));
                },
                [&c] {
                    c.f.MSFlexGrid2.setTextMatrix(c.f.MSFlexGrid2.Row(), col::Cantidad,
                                                  AlmacenModelos::CantidadCargada(c.rs.Fields(c.cantidad)));
                },
                [&c] {
                    // A fetch that failed ended the read: Retry reads again to the row taken.
                    if (c.rs.Eof()) {
                        AlmacenModelos::AbreLineas(c.id, c.rs);
                        for (int n = 1; n < c.actual && !c.rs.Eof(); ++n)
                            c.rs.MoveNext();
                    }
                    const quint64 huella = AlmacenModelos::HuellaLinea(
                        c.rs.Fields(c.articulo), c.rs.Fields(c.cantidad), c.rs.Fields(c.unidad));
                    c.rs.MoveNext();
                    c.f.leido_.SumaLinea(huella);
                    ++c.actual;
                    c.avanza = true;
                },
            },
            reporta);
    }
    return sigue && c.avanza && RegistroModelo.Eof();
}

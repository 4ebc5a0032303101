// The window's single validator: its common frame and the header fields' branches (the line
// fields' are ValidacionLineas').

#include "AccesoDatos.h"
#include "ColumnasArticulos.h"
#include "Configuracion.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Registros.h"
#include "TextoCampo.h"
#include "Utilidades.h"

#include <QHash>

namespace {

const QString kCamposRequeridos = QStringLiteral("NOMBRE,DepositoOrigen");

} // namespace

bool FrmVardelio::ValidaNombre(Validacion& v) {
    // Never refused: an existing name opens its template, any other starts a new one. The name
    // of the template the window holds opens nothing (what the user did to it stays); another
    // stored one replaces the window's changes only when the user says so.
    bool existe = false;
    bool lee = false;
    bool sigue = true;
    return PasosValidacion({
        [&] {
            v.valor = AlmacenModelos::NombreModelo(v.valor);
            v.texto.setText(v.valor);
        },
        [&] {
            existe = AD().ExisteRegistro(TablaModelo, v.valor, QStringLiteral("NOMBRE"), &RegistroModelo, 8,
                                         QString(), true);
        },
        [&] {
            // A read left half-way is read again: the window holds only part of that template.
            if (ValidandoGrabacion || (leido_.EsElNombre(v.valor) && !leido_.LecturaIncompleta()))
                return;
            lee = existe;
            if (!existe) {
                // A new template begins under this name: a save asks if another station stores it first.
                leido_.AnotaVisto(v.valor, AlmacenModelos::Huella{});
                leido_.setNombre(v.valor);
            } else if (!PreguntaSiLee(v.valor)) {
                // The typed name stays in its box, the window as it was.
                AlmacenModelos::Huella visto;
                visto.existe = true;
                visto.id = AlmacenModelos::Entero16(RegistroModelo.Fields(QStringLiteral("IdVardelio")));
                leido_.AnotaVisto(v.valor, visto);
                lee = false;
                sigue = false;
                v.Rechaza(QString());
                // The name is not taken yet: leaving its box asks again.
                MarcaValidacion[0] = true;
                Foco_.SetFocus(QStringLiteral("TxtFields(0)"));
            }
        },
        [&] {
            if (sigue)
                modo_ = existe ? Modo::Modificacion : Modo::Nuevo;
        },
        [&] {
            if (lee) {
                AsignarDatos();
                // The loaded lines were validated one by one; the name itself was accepted.
                ErrorValidacion = false;
            }
        },
        [&] {
            if (sigue)
                DetalleOn(true);
        },
    });
}

bool FrmVardelio::PreguntaSiLee(const QString& nombre) {
    if (!leido_.HayCambios())
        return true;
    return interaccion().MsgBox(
               QStringLiteral("Los cambios de la ventana no se grabaron y se perderán.\r\n\r\n"
                              "¿Desea abrir el modelo ") +
                   nombre + u'?',
               Estilo::SiNo | Estilo::Pregunta | Estilo::BotonDefecto2,
               QStringLiteral("Aviso al Operador")) == Respuesta::Si;
}

bool FrmVardelio::ValidaMotivo(Validacion& v) {
    Registros rs;
    bool existe = false;
    return PasosValidacion({
        [&] {
            if (v.valor.isEmpty())
                v.Rechaza(QStringLiteral("Debe Informar el Motivo de Stock"));
        },
        [&] {
            if (!v.decidido)
                existe =
                    AD().ExisteRegistro(QStringLiteral("V_TA_MotivoStock"), UT().RellenaCodigo(v.valor, 4),
                                        QStringLiteral("IdMotivoStock"), &rs, 8, QString(), true);
        },
        [&] {
            if (v.decidido)
                return;
            if (!existe) {
                lblDescMotivo.setCaption(QStringLiteral("..."));
                v.Rechaza(QStringLiteral("El motivo de Stock Informado es Inexistente"));
            } else {
                lblDescMotivo.setCaption(TextoCampoRecortado(rs, "Descripcion"));
            }
        },
    });
}

bool FrmVardelio::ValidaDepositoOrigen(Validacion& v) {
    Registros rs;
    bool existe = false;
    return PasosValidacion({
        [&] {
            existe =
                AD().ExisteRegistro(QStringLiteral("@ADMIN_V_TA_Deposito"), UT().RellenaCodigo(v.valor, 4),
                                    QStringLiteral("IdDeposito"), &rs, 8, QString(), true);
        },
        [&] {
            if (!existe) {
                LblDescDeposito.setCaption(QStringLiteral("..."));
                v.Rechaza(QStringLiteral("El Deposito Informado es Inexistente"));
                return;
            }
            LblDescDeposito.setCaption(TextoCampoRecortado(rs, "Descripcion"));
            if (!TextoCampoRecortado(rs, "Empresa").isEmpty())
                v.Rechaza(
                    QStringLiteral("No puede utilizar como Origen de la Transferencia una Empresa Remota!"));
        },
        [&] {
            if (!v.decidido)
                CopiaDepositoALineas(v.valor);
        },
        [&] {
            if (!v.decidido)
                DepositoOrigenAnterior = v.valor;
        },
        [&] {
            if (!v.decidido && !pEsTransferencia)
                DetalleOn(true);
        },
    });
}

void FrmVardelio::CopiaDepositoALineas(const QString& deposito) {
    if (DepositoOrigenAnterior.isEmpty() ||
        DepositoOrigenAnterior.compare(deposito, Qt::CaseInsensitive) == 0)
        return;
    // With PideDepositoEnCptes the user gives each line its own deposit.
    if (Cfg(QStringLiteral("PideDepositoEnCptes"))
            .trimmed()
            .compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0)
        return;
    for (int fila = 1; fila < MSFlexGrid2.Rows(); ++fila)
        if (!MSFlexGrid2.TextMatrix(fila, col::CodigoArticulo).trimmed().isEmpty())
            MSFlexGrid2.setTextMatrix(fila, col::Deposito, deposito);
}

ValidacionLineas::Ventana FrmVardelio::VentanaLinea() {
    return {ValidandoGrabacion, pEsTransferencia, TextoDelCampo(QStringLiteral("DepositoOrigen"))};
}

void FrmVardelio::CampoValida(CajaTexto& Texto) {
    // The branch of each kind of field, by its DataField (upper case).
    static const QHash<QString, RamaValidacion> ramas = {
        {QStringLiteral("NOMBRE"), [](FrmVardelio& f, Validacion& v) { return f.ValidaNombre(v); }},
        {QStringLiteral("IDMOTIVOSTOCK"), [](FrmVardelio& f, Validacion& v) { return f.ValidaMotivo(v); }},
        {QStringLiteral("DEPOSITOORIGEN"),
         [](FrmVardelio& f, Validacion& v) { return f.ValidaDepositoOrigen(v); }},
        {QStringLiteral("IDARTICULO"),
         [](FrmVardelio& f, Validacion& v) { return f.lineas_.ValidaArticulo(v, f.VentanaLinea()); }},
        {QStringLiteral("IDDEPOSITOART"),
         [](FrmVardelio& f, Validacion& v) { return f.lineas_.ValidaDepositoLinea(v); }},
        {QStringLiteral("IDUNIDAD"), [](FrmVardelio& f, Validacion& v) { return f.lineas_.ValidaUnidad(v); }},
        {QStringLiteral("CANTIDAD"),
         [](FrmVardelio& f, Validacion& v) { return f.lineas_.ValidaCantidad(v); }},
    };
    // A header field validated now (by any caller) is not validated again when it is left,
    // unless its text changes first.
    for (size_t i = 0; i < TxtFields.size(); ++i)
        if (&TxtFields[i] == &Texto)
            MarcaValidacion[i] = false;
    Validacion v{Texto, ErrorValidacion, QString(), QString()};
    QString campo;
    bool abandonada = false; // left after a run-time error: nothing more is done

    PasosValidacion({
        [&] {
            ErrorValidacion = false;
            v.mensaje.clear();
        },
        [&] {
            v.valor = Texto.Text().trimmed();
            campo = Texto.DataField().trimmed();
            Tag = Texto.Tag().trimmed();
        },
        [&] {
            if (!campo.isEmpty() && v.valor.isEmpty() &&
                kCamposRequeridos.contains(campo, Qt::CaseInsensitive))
                v.Rechaza(QStringLiteral("Se debe informar el Campo: ") + campo);
        },
        [&] {
            const RamaValidacion rama = ramas.value(campo.toUpper(), nullptr);
            if (!v.decidido && rama)
                abandonada = !rama(*this, v);
        },
        [&] {
            // A refusal without words (the user's own No) shows nothing.
            if (!abandonada && ErrorValidacion && !v.mensaje.isEmpty()) {
                interaccion().MsgBox(v.mensaje, Estilo::SoloAceptar | Estilo::Critico,
                                     QStringLiteral("Aviso al operador..."));
                v.mensaje.clear();
            }
        },
    });
}

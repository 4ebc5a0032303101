// The window's single validator: its common frame and the header fields' branches.

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

QString FrmVardelio::NombreModelo(const QString& texto) {
    // The save drops apostrophes from every value: a name looked up with one would never be
    // found again and would give a second template of the same name. ";" separates the items of
    // the session line that the menu entry passes with the name.
    return QString(texto).remove(QLatin1Char('\'')).remove(QLatin1Char(';')).trimmed();
}

void FrmVardelio::Rechaza(Validacion& v, const QString& mensaje) {
    ErrorValidacion = true;
    v.mensaje = mensaje;
    v.decidido = true;
}

bool FrmVardelio::ValidaNombre(Validacion& v) {
    // Never refused: an existing name opens its template, any other starts a new one.
    bool existe = false;
    return PasosValidacion({
        [&] {
            v.valor = NombreModelo(v.valor);
            v.texto.setText(v.valor);
        },
        [&] {
            existe = AD().ExisteRegistro(TablaModelo, v.valor, QStringLiteral("NOMBRE"), &RegistroModelo, 8,
                                         QString(), true);
        },
        [&] { modo_ = existe ? Modo::Modificacion : Modo::Nuevo; },
        [&] {
            if (existe && !ValidandoGrabacion) {
                AsignarDatos();
                // The loaded lines were validated one by one; the name itself was accepted.
                ErrorValidacion = false;
            }
        },
        [&] { DetalleOn(true); },
    });
}

bool FrmVardelio::ValidaMotivo(Validacion& v) {
    Registros rs;
    bool existe = false;
    return PasosValidacion({
        [&] {
            if (v.valor.isEmpty())
                Rechaza(v, QStringLiteral("Debe Informar el Motivo de Stock"));
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
                Rechaza(v, QStringLiteral("El motivo de Stock Informado es Inexistente"));
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
                Rechaza(v, QStringLiteral("El Deposito Informado es Inexistente"));
                return;
            }
            LblDescDeposito.setCaption(TextoCampoRecortado(rs, "Descripcion"));
            if (!TextoCampoRecortado(rs, "Empresa").isEmpty())
                Rechaza(v, QStringLiteral(
                               "No puede utilizar como Origen de la Transferencia una Empresa Remota!"));
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

void FrmVardelio::CampoValida(CajaTexto& Texto) {
    // The branch of each kind of field, by its DataField (upper case).
    static const QHash<QString, RamaValidacion> ramas = {
        {QStringLiteral("NOMBRE"), &FrmVardelio::ValidaNombre},
        {QStringLiteral("IDMOTIVOSTOCK"), &FrmVardelio::ValidaMotivo},
        {QStringLiteral("DEPOSITOORIGEN"), &FrmVardelio::ValidaDepositoOrigen},
        {QStringLiteral("IDARTICULO"), &FrmVardelio::ValidaArticulo},
        {QStringLiteral("IDDEPOSITOART"), &FrmVardelio::ValidaDepositoLinea},
        {QStringLiteral("IDUNIDAD"), &FrmVardelio::ValidaUnidad},
        {QStringLiteral("CANTIDAD"), &FrmVardelio::ValidaCantidad},
    };
    // A header field validated now (by any caller) is not validated again when it is left,
    // unless its text changes first.
    for (size_t i = 0; i < TxtFields.size(); ++i)
        if (&TxtFields[i] == &Texto)
            MarcaValidacion[i] = false;
    Validacion v{Texto, QString(), QString()};
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
                Rechaza(v, QStringLiteral("Se debe informar el Campo: ") + campo);
        },
        [&] {
            const RamaValidacion rama = ramas.value(campo.toUpper(), nullptr);
            if (!v.decidido && rama)
                abandonada = !(this->*rama)(v);
        },
        [&] {
            if (!abandonada && ErrorValidacion) {
                interaccion().MsgBox(v.mensaje, Estilo::SoloAceptar | Estilo::Critico,
                                     QStringLiteral("Aviso al operador..."));
                v.mensaje.clear();
            }
        },
    });
}

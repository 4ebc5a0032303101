// The window's single validator: its common frame and the header fields' branches.

#include "AccesoDatos.h"
#include "ColumnasArticulos.h"
#include "Configuracion.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Registros.h"
#include "Utilidades.h"

namespace {

const QString kCamposRequeridos = QStringLiteral("NOMBRE,DepositoOrigen");

bool Es(const QString& campo, const char* nombre) {
    return campo.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
}

QString LeeTexto(const Registros& rs, const char* campo) {
    return UT().ValorATexto(UT().ValorCampo(rs.Fields(QLatin1String(campo)))).trimmed();
}

} // namespace

QString FrmVardelio::NombreModelo(const QString& texto) {
    // The save drops apostrophes from every value: a name looked up with one would never be
    // found again and would give a second template of the same name. ";" separates the items of
    // the session line that the menu entry passes with the name.
    return QString(texto).remove(QLatin1Char('\'')).remove(QLatin1Char(';')).trimmed();
}

void FrmVardelio::CampoValida(CajaTexto& Texto) {
    // A header field validated now (by any caller) is not validated again when it is left,
    // unless its text changes first.
    for (size_t i = 0; i < TxtFields.size(); ++i)
        if (&TxtFields[i] == &Texto)
            MarcaValidacion[i] = false;
    QString valor;
    QString campo;
    QString mensaje;
    bool decidido = false;   // refused: the remaining checks are skipped
    bool abandonada = false; // left after a run-time error: nothing more is done

    const auto falla = [&](const QString& texto) {
        ErrorValidacion = true;
        mensaje = texto;
        decidido = true;
    };
    const auto pasos = [](std::initializer_list<Paso> lista) {
        return EjecutaFormulario(QStringLiteral("CAMPO_VALIDA"), lista);
    };

    // NOMBRE: never refused; an existing name opens its template, any other starts a new one.
    const auto nombre = [&] {
        bool existe = false;
        return pasos({
            [&] {
                valor = NombreModelo(valor);
                Texto.setText(valor);
            },
            [&] {
                existe = AD().ExisteRegistro(TablaModelo, valor, QStringLiteral("NOMBRE"), &RegistroModelo, 8,
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
    };

    const auto motivo = [&] {
        Registros rs;
        bool existe = false;
        return pasos({
            [&] {
                if (valor.isEmpty())
                    falla(QStringLiteral("Debe Informar el Motivo de Stock"));
            },
            [&] {
                if (!decidido)
                    existe =
                        AD().ExisteRegistro(QStringLiteral("V_TA_MotivoStock"), UT().RellenaCodigo(valor, 4),
                                            QStringLiteral("IdMotivoStock"), &rs, 8, QString(), true);
            },
            [&] {
                if (decidido)
                    return;
                if (!existe) {
                    lblDescMotivo.setCaption(QStringLiteral("..."));
                    falla(QStringLiteral("El motivo de Stock Informado es Inexistente"));
                } else {
                    lblDescMotivo.setCaption(LeeTexto(rs, "Descripcion"));
                }
            },
        });
    };

    const auto depositoOrigen = [&] {
        Registros rs;
        bool existe = false;
        return pasos({
            [&] {
                existe =
                    AD().ExisteRegistro(QStringLiteral("@ADMIN_V_TA_Deposito"), UT().RellenaCodigo(valor, 4),
                                        QStringLiteral("IdDeposito"), &rs, 8, QString(), true);
            },
            [&] {
                if (!existe) {
                    LblDescDeposito.setCaption(QStringLiteral("..."));
                    falla(QStringLiteral("El Deposito Informado es Inexistente"));
                    return;
                }
                LblDescDeposito.setCaption(LeeTexto(rs, "Descripcion"));
                if (!LeeTexto(rs, "Empresa").isEmpty())
                    falla(QStringLiteral(
                        "No puede utilizar como Origen de la Transferencia una Empresa Remota!"));
            },
            [&] {
                if (decidido || DepositoOrigenAnterior.isEmpty() ||
                    DepositoOrigenAnterior.compare(valor, Qt::CaseInsensitive) == 0)
                    return;
                // With PideDepositoEnCptes the user gives each line its own deposit.
                if (Cfg(QStringLiteral("PideDepositoEnCptes"))
                        .trimmed()
                        .compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0)
                    return;
                for (int fila = 1; fila < MSFlexGrid2.Rows(); ++fila)
                    if (!MSFlexGrid2.TextMatrix(fila, col::CodigoArticulo).trimmed().isEmpty())
                        MSFlexGrid2.setTextMatrix(fila, col::Deposito, valor);
            },
            [&] {
                if (!decidido)
                    DepositoOrigenAnterior = valor;
            },
            [&] {
                if (!decidido && !pEsTransferencia)
                    DetalleOn(true);
            },
        });
    };

    pasos({
        [&] {
            ErrorValidacion = false;
            mensaje.clear();
        },
        [&] {
            valor = Texto.Text().trimmed();
            campo = Texto.DataField().trimmed();
            Tag = Texto.Tag().trimmed();
        },
        [&] {
            if (!campo.isEmpty() && valor.isEmpty() && kCamposRequeridos.contains(campo, Qt::CaseInsensitive))
                falla(QStringLiteral("Se debe informar el Campo: ") + campo);
        },
        [&] {
            if (decidido)
                return;
            bool sigue = true;
            if (Es(campo, "NOMBRE"))
                sigue = nombre();
            else if (Es(campo, "IdMotivoStock"))
                sigue = motivo();
            else if (Es(campo, "DepositoOrigen"))
                sigue = depositoOrigen();
            else if (Es(campo, "IDARTICULO") || Es(campo, "IdDepositoArt") || Es(campo, "IDUNIDAD") ||
                     Es(campo, "CANTIDAD"))
                sigue = CampoValidaLinea(Texto, campo, valor, mensaje);
            abandonada = !sigue;
        },
        [&] {
            if (!abandonada && ErrorValidacion) {
                interaccion().MsgBox(mensaje, Estilo::SoloAceptar | Estilo::Critico,
                                     QStringLiteral("Aviso al operador..."));
                mensaje.clear();
            }
        },
    });
}

// Storage of templates: the save or delete batch, the load of a stored template into the
// window and the validation pass that precedes a save.

#include "AccesoDatos.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Registros.h"
#include "Sentencias.h"
#include "TandasSql.h"
#include "Transacciones.h"
#include "Utilidades.h"

#include <cmath>
#include <limits>

namespace {

const QString kCabecera = QStringLiteral("V_CPTES_MODELO_CAB");
const QString kLineas = QStringLiteral("V_CPTES_MODELO_DET");

// The identifier is a 16-bit integer in the stored data and in the suite's other programs.
qint16 Entero16(const QVariant& valor) {
    bool ok = false;
    double d = valor.toDouble(&ok);
    if (!ok)
        d = UT().TextoADoble(valor);
    d = std::nearbyint(d);
    if (d > std::numeric_limits<qint16>::max() || d < std::numeric_limits<qint16>::min())
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"), QStringLiteral("ActualizarDatos"));
    return static_cast<qint16>(d);
}

QStringList Borrados(qint16 id) {
    const QString n = QString::number(id);
    return {QStringLiteral("DELETE V_CPTES_MODELO_CAB WHERE IdVardelio = ") + n,
            QStringLiteral("DELETE V_CPTES_MODELO_DET WHERE IdVardelio = ") + n};
}

void Agrega(const QString& campo, QString valor, const QString& marcador, bool primero = false) {
    AgregaCampo(campo, valor, marcador, primero);
}

// A stored quantity as the grid shows it: its absolute value in the regional format.
QString CantidadCargada(const QVariant& campo) {
    const QVariant v = UT().ValorCampo(campo);
    if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
        return QString();
    bool ok = false;
    double d = v.toDouble(&ok);
    if (!ok)
        d = UT().TextoADoble(v);
    d = std::fabs(d);
    // Whole quantities, the usual ones, read the same in every regional format.
    if (d < 1e15 && d == std::trunc(d))
        return QString::number(static_cast<qint64>(d));
    return UT().ValorATexto(QVariant(d)).trimmed();
}

// The grid does not tell its views about every cell while a template loads.
class SinRedibujo {
public:
    explicit SinRedibujo(Grilla& g) : g_(g), antes_(g.Redraw()) { g_.setRedraw(false); }
    ~SinRedibujo() { g_.setRedraw(antes_); }
    SinRedibujo(const SinRedibujo&) = delete;
    SinRedibujo& operator=(const SinRedibujo&) = delete;

private:
    Grilla& g_;
    bool antes_;
};

} // namespace

bool FrmVardelio::Datosvalidos() {
    ErrorValidacion = false;
    for (CajaTexto& campo : TxtFields) {
        CampoValida(campo);
        if (ErrorValidacion)
            break;
    }
    return !ErrorValidacion;
}

void FrmVardelio::ActualizarDatos() {
    qint16 idAnterior = 0; // the template stored under the name, 0 when none
    qint16 id = 0;
    bool idElegido = false;
    bool graba = false;
    bool borra = false;
    QStringList sentencias;
    UltimoLote.clear();

    const auto reporta = [this](const ErrorSistema& e) {
        ErrorValidacion = true;
        LblMensaje.setCaption(QString());
        return ErrorFormulario(e, QStringLiteral("ACTUALIZAR DATOS"));
    };

    // Header and lines are written anew under `id`; the old ones are deleted first.
    QString idTexto;
    const auto cabecera = [&] {
        idTexto = QString::number(id);
        Agrega(QStringLiteral("IdVardelio"), idTexto, QStringLiteral("@"), true);
        Agrega(QStringLiteral("nombre"),
               NombreModelo(TxtFields[IndiceCampo(QStringLiteral("Nombre"))].Text()), QStringLiteral("'"));
        Agrega(QStringLiteral("DETALLE"), TxtFields[IndiceCampo(QStringLiteral("detalle"))].Text().trimmed(),
               QStringLiteral("'"));
        Agrega(QStringLiteral("TCDefault"), UT().RellenaCodigo(FNTC().trimmed(), 4), QStringLiteral("'"));
        for (const char* campo : {"DepositoOrigen", "DepositoDestino"})
            Agrega(QLatin1String(campo),
                   UT().RellenaCodigo(TxtFields[IndiceCampo(QLatin1String(campo))].Text().trimmed(), 4),
                   QStringLiteral("'"));
        Agrega(
            QStringLiteral("IdMotivoStock"),
            UT().RellenaCodigo(TxtFields[IndiceCampo(QStringLiteral("IDMOTIVOSTOCK"))].Text().trimmed(), 4),
            QStringLiteral("'"));
        Agrega(QStringLiteral("AnclarAlMenu"), QString::number(ChkAnclar.Value()), QStringLiteral("'"));
        QString sinCondicion;
        ArmaSentencia(ListaCampos(), sentencias, kCabecera, false, sinCondicion, false);
    };
    const auto linea = [&](int fila) {
        // A code of blanks only is no article: such a row is not stored.
        const QString articulo = MSFlexGrid2.TextMatrix(fila, col::CodigoArticulo).trimmed();
        if (articulo.isEmpty())
            return;
        Agrega(QStringLiteral("IdVardelio"), idTexto, QStringLiteral("@"), true);
        Agrega(QStringLiteral("IdArticulo"), UT().RellenaCodigo(articulo, 25), QStringLiteral("'"));
        Agrega(QStringLiteral("Cantidad"), MSFlexGrid2.TextMatrix(fila, col::Cantidad).trimmed(),
               QStringLiteral("@"));
        Agrega(QStringLiteral("IdUnidad"),
               UT().RellenaCodigo(MSFlexGrid2.TextMatrix(fila, col::Unidad).trimmed(), 4),
               QStringLiteral("'"));
        QString sinCondicion;
        ArmaSentencia(ListaCampos(), sentencias, kLineas, false, sinCondicion, false);
    };

    bool completo = EjecutaPasos(
        {
            [&] {
                const QString nombre = NombreModelo(TxtFields[0].Text());
                if (AD().ExisteRegistro(QStringLiteral("v_cpteS_modelo_cab"), nombre,
                                        QStringLiteral("Nombre"), &RegistroModelo, 8, QString(), true))
                    idAnterior = Entero16(RegistroModelo.Fields(QStringLiteral("IdVardelio")));
            },
            [&] {
                graba = EsNuevo || EsModificacion;
                borra = !graba && EsBaja;
            },
        },
        reporta);
    if (!completo || (!graba && !borra))
        return;

    if (graba) {
        completo = EjecutaPasos(
            {
                [&] { sentencias = Borrados(idAnterior); },
                [&] {
                    if (EsNuevo)
                        id = Entero16(Entero16(AD().MaximoValor(kCabecera, QStringLiteral("IDVARDELIO"),
                                                                QStringLiteral("@"))) +
                                      1);
                    else
                        id = idAnterior;
                    idElegido = true;
                },
                [&] { cabecera(); },
            },
            [&](const ErrorSistema& e) {
                // Without an identifier there is nothing to write: ignoring leaves.
                const int r = reporta(e);
                return !idElegido && r == Respuesta::Ignorar ? Respuesta::Abortar : r;
            });
        for (int fila = 1; completo && fila < MSFlexGrid2.Rows(); ++fila)
            completo = EjecutaPasos({[&] { linea(fila); }}, reporta);
    } else {
        completo = EjecutaPasos(
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
                        sentencias = Borrados(idAnterior);
                },
            },
            reporta);
        if (!borra)
            return;
    }
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

    // The batch runner frames the statements with "BEGIN TRANSACTION " and two CRs; this
    // window's batch carries one more line break (CR LF) before the first statement.
    sentencias.prepend(QStringLiteral("\n"));
    bool hayError = false;
    qint32 numeroError = 0;
    QString mensajes;
    GActualizarDatoScript(sentencias, hayError, numeroError, false, false, UltimoLote, mensajes, true);
    if (hayError) {
        ErrorValidacion = true;
        return;
    }
    AnclaAlMenu();
    ConfirmaTransacciones();
}

void FrmVardelio::AsignarDatos() {
    qint16 id = 0;
    Registros tipo;
    bool sigue = true;
    const auto reporta = [](const ErrorSistema& e) {
        return ErrorFormulario(e, QStringLiteral("Asignar Datos"));
    };

    sigue = EjecutaPasos(
        {
            [&] { AF().CargaCampos(TxtFields, RegistroModelo); },
            [&] {
                const QString ancla =
                    UT().ValorATexto(UT().ValorCampo(RegistroModelo.Fields(QStringLiteral("Anclaralmenu"))))
                        .trimmed();
                bool numero = false;
                const double valor = ancla.toDouble(&numero);
                const bool verdadero = numero
                                           ? valor != 0
                                           : ancla.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                                                 UT().TextoADoble(ancla) != 0;
                ChkAnclar.setValue(!ancla.isEmpty() && verdadero ? 1 : 0);
            },
            [&] {
                const QString codigo = UT().RellenaCodigo(
                    UT().ValorATexto(UT().ValorCampo(RegistroModelo.Fields(QStringLiteral("tcdefault")))), 4);
                AD().ObtieneRecordset(
                    QStringLiteral("SELECT * FROM VT_TA_CPTE  with(nolock) WHERE codigo = ") +
                        AD().FormateaValorSQL(codigo, QStringLiteral("'")),
                    tipo, &AD().LeeConexion(), TipoCursor::SoloAvance, TipoBloqueo::SoloLectura, -1);
                if (tipo.Eof())
                    return;
                // The type is selected by its item; a type the list does not offer leaves it as it is.
                const QString item = ItemTipoComprobante(
                    UT().ValorATexto(UT().ValorCampo(tipo.Fields(QStringLiteral("Codigo")))),
                    UT().ValorATexto(UT().ValorCampo(tipo.Fields(QStringLiteral("Descripcion")))));
                for (int i = 0; i < CmbLista.ListCount(); ++i)
                    if (CmbLista.List(i).compare(item, Qt::CaseInsensitive) == 0) {
                        CmbLista.setListIndex(i);
                        break;
                    }
            },
            [&] { AD().CierraRecordset(tipo); },
            [&] { id = Entero16(RegistroModelo.Fields(QStringLiteral("IdVardelio"))); },
            [&] { InicializaGrids(); },
            [&] {
                AD().ObtieneRecordset(QStringLiteral("select * from v_cptes_modelo_det where idvardelio = ") +
                                          QString::number(id),
                                      RegistroModelo, &AD().LeeConexion(), TipoCursor::SoloAvance,
                                      TipoBloqueo::SoloLectura, -1);
            },
        },
        reporta);
    if (!sigue || RegistroModelo.State() != 1 || RegistroModelo.Bof() || RegistroModelo.Eof())
        return;

    // The lines' state in one place: each step captures only it, so that a step costs no
    // allocation of its own on a template of many lines.
    struct Carga {
        FrmVardelio& f;
        Registros& rs;
        int articulo, unidad, cantidad; // field positions, looked up once
        bool primera = true;
        bool avanza = true;
    } c{*this, RegistroModelo, RegistroModelo.IndiceCampo(QStringLiteral("IdArticulo")),
        RegistroModelo.IndiceCampo(QStringLiteral("IdUnidad")),
        RegistroModelo.IndiceCampo(QStringLiteral("Cantidad"))};
    SinRedibujo sinRedibujo(MSFlexGrid2);
    while (sigue && c.avanza && !RegistroModelo.Eof()) {
        c.avanza = false; // a row that cannot be passed ends the load rather than repeat itself
        sigue = EjecutaPasos({
                                 [&c] {
                                     Grilla& g = c.f.MSFlexGrid2;
                                     if (!c.primera)
                                         g.setRows(g.Rows() + 1);
                                     c.primera = false;
                                     g.setRow(g.Rows() - 1);
                                 },
                                 [&c] {
                                     const QString articulo =
                                         UT().ValorATexto(UT().ValorCampo(c.rs.Fields(c.articulo))).trimmed();
                                     c.f.MSFlexGrid2.setTextMatrix(c.f.MSFlexGrid2.Row(), col::CodigoArticulo,
                                                                   articulo);
                                     c.f.txtEdit2.setText(articulo);
                                 },
                                 [&c] {
                                     c.f.ControlActivo = &c.f.txtEdit2;
                                     c.f.ObjCmnCptes().TextPropiedades(c.f.txtEdit2, col::CodigoArticulo);
                                     c.f.CampoValida(c.f.txtEdit2);
                                 },
                                 [&c] {
                                     c.f.MSFlexGrid2.setTextMatrix(
                                         c.f.MSFlexGrid2.Row(), col::Unidad,
                                         UT().ValorATexto(UT().ValorCampo(c.rs.Fields(c.unidad))).trimmed());
                                 },
                                 [&c] {
                                     c.f.MSFlexGrid2.setTextMatrix(c.f.MSFlexGrid2.Row(), col::Cantidad,
                                                                   CantidadCargada(c.rs.Fields(c.cantidad)));
                                 },
                                 [&c] {
                                     c.rs.MoveNext();
                                     c.avanza = true;
                                 },
                             },
                             reporta);
    }
}

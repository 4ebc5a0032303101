#include "AlmacenModelos.h"

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "ReportaError.h"
#include "Sentencias.h"
#include "TandasSql.h"
#include "Utilidades.h"

#include <QSet>
#include <bit>
#include <cmath>
#include <limits>

namespace {

void Agrega(const QString& campo, QString valor, const QString& marcador, bool primero = false) {
    AgregaCampo(campo, valor, marcador, primero);
}

// A 64-bit mix whose every output bit depends on every input bit (splitmix64's finaliser): the
// lines' digests are added up, and sums of poorly mixed values collide.
quint64 Mezcla(quint64 x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// A stored value as read: the same value read twice gives the same type, so numbers are taken
// as they come, without writing them as text (a null is no value).
quint64 HuellaValor(const QVariant& valor) {
    if (valor.isNull())
        return 0x6e756c6cULL;
    switch (valor.typeId()) {
    case QMetaType::Double:
        return Mezcla(std::bit_cast<quint64>(valor.toDouble()));
    case QMetaType::Int:
    case QMetaType::LongLong:
        return Mezcla(quint64(valor.toLongLong()) ^ 0x1234567ULL);
    default:
        return quint64(qHash(valor.toString(), size_t{0x5bd1e995}));
    }
}

// The header's stored columns, the ones the save writes.
const char* const kColumnasCabecera[] = {"IdVardelio",    "nombre",         "DETALLE",
                                         "TCDefault",     "DepositoOrigen", "DepositoDestino",
                                         "IdMotivoStock", "AnclarAlMenu"};

} // namespace

const QString& AlmacenModelos::TablaCabecera() {
    static const QString tabla = QStringLiteral("V_CPTES_MODELO_CAB");
    return tabla;
}

const QString& AlmacenModelos::TablaLineas() {
    static const QString tabla = QStringLiteral("V_CPTES_MODELO_DET");
    return tabla;
}

QString AlmacenModelos::NombreModelo(const QString& texto) {
    // The save drops apostrophes from every value: a name looked up with one would never be
    // found again and would give a second template of the same name. ";" separates the items of
    // the session line that the menu entry passes with the name.
    return QString(texto).remove(QLatin1Char('\'')).remove(QLatin1Char(';')).trimmed();
}

qint16 AlmacenModelos::Entero16(const QVariant& valor) {
    bool ok = false;
    double d = valor.toDouble(&ok);
    if (!ok)
        d = UT().TextoADoble(valor);
    d = std::nearbyint(d);
    if (d > std::numeric_limits<qint16>::max() || d < std::numeric_limits<qint16>::min())
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"), QStringLiteral("ActualizarDatos"));
    return static_cast<qint16>(d);
}

qint16 AlmacenModelos::IdDeNombre(const QString& nombre, Registros& rs) {
    if (!AD().ExisteRegistro(QStringLiteral("v_cpteS_modelo_cab"), nombre, QStringLiteral("Nombre"), &rs, 8,
                             QString(), true))
        return 0;
    return Entero16(rs.Fields(QStringLiteral("IdVardelio")));
}

qint16 AlmacenModelos::NuevoId() {
    return Entero16(
        Entero16(AD().MaximoValor(TablaCabecera(), QStringLiteral("IDVARDELIO"), QStringLiteral("@"))) + 1);
}

void AlmacenModelos::Borra(qint16 id) {
    const QString n = QString::number(id);
    sentencias_ = QStringList{QStringLiteral("DELETE V_CPTES_MODELO_CAB WHERE IdVardelio = ") + n,
                              QStringLiteral("DELETE V_CPTES_MODELO_DET WHERE IdVardelio = ") + n};
}

void AlmacenModelos::AgregaCabecera(qint16 id, const Cabecera& c) {
    QString idTexto = QString::number(id);
    Agrega(QStringLiteral("IdVardelio"), idTexto, QStringLiteral("@"), true);
    idLiteral_ = ListaCampos().back().valor;
    // The name is stored as typed, also "Null": the word rule of the other columns would store
    // no name, and the template could never be found again.
    ListaCampos().push_back({QStringLiteral("nombre"), AD().FormateaValorSQL(c.nombre, QStringLiteral("'"))});
    // The observations too are text as typed: only their apostrophes go, as every column's do.
    const QString detalle = c.detalle.trimmed().remove(QLatin1Char('\''));
    ListaCampos().push_back({QStringLiteral("DETALLE"), AD().FormateaValorSQL(detalle, QStringLiteral("'"))});
    Agrega(QStringLiteral("TCDefault"), UT().RellenaCodigo(c.tipo.trimmed(), 4), QStringLiteral("'"));
    Agrega(QStringLiteral("DepositoOrigen"), UT().RellenaCodigo(c.depositoOrigen.trimmed(), 4),
           QStringLiteral("'"));
    Agrega(QStringLiteral("DepositoDestino"), UT().RellenaCodigo(c.depositoDestino.trimmed(), 4),
           QStringLiteral("'"));
    Agrega(QStringLiteral("IdMotivoStock"), UT().RellenaCodigo(c.motivo.trimmed(), 4), QStringLiteral("'"));
    Agrega(QStringLiteral("AnclarAlMenu"), QString::number(c.anclar), QStringLiteral("'"));
    QString sinCondicion;
    ArmaSentencia(ListaCampos(), sentencias_, TablaCabecera(), false, sinCondicion, false);
}

void AlmacenModelos::AgregaLinea(const QString& articulo, const QString& cantidad, const QString& unidad) {
    const QString codigo = articulo.trimmed();
    if (codigo.isEmpty())
        return;
    // A template may hold thousands of lines: each INSERT is written straight into one buffer,
    // with the literals the column pairs would give.
    QString relleno = UT().RellenaCodigo(codigo, 25);
    QString numero = cantidad.trimmed();
    QString ud = UT().RellenaCodigo(unidad.trimmed(), 4);
    static const QString kInsert = QStringLiteral("INSERT INTO ") + TablaLineas() +
                                   QStringLiteral(" (IdVardelio,IdArticulo,Cantidad,IdUnidad) VALUES (");
    QString sentencia;
    sentencia.reserve(kInsert.size() + idLiteral_.size() + relleno.size() + numero.size() + ud.size() + 10);
    sentencia += kInsert;
    sentencia += idLiteral_;
    sentencia += QLatin1Char(',');
    sentencia += LiteralCampo(relleno, QStringLiteral("'"));
    sentencia += QLatin1Char(',');
    sentencia += LiteralCampo(numero, QStringLiteral("@"));
    sentencia += QLatin1Char(',');
    sentencia += LiteralCampo(ud, QStringLiteral("'"));
    sentencia += QLatin1Char(')');
    sentencias_ << sentencia << QString();
}

bool AlmacenModelos::Ejecuta(QString& tanda) {
    // The batch runner frames the statements with "BEGIN TRANSACTION " and two CRs; a
    // template's batch carries one more line break before the first statement.
    sentencias_.prepend(QStringLiteral("\n"));
    bool hayError = false;
    qint32 numeroError = 0;
    QString mensajes;
    GActualizarDatoScript(sentencias_, hayError, numeroError, false, false, tanda, mensajes, true);
    return !hayError;
}

void AlmacenModelos::AbrePrimeraFila(const QString& tabla, Registros& rs) {
    AD().ObtieneRecordset(QStringLiteral("SELECT TOP 1 * FROM ") + tabla + QStringLiteral(" with(nolock) "),
                          rs, &AD().LeeConexion(), TipoCursor::Dinamico, TipoBloqueo::Optimista, -1);
}

QString AlmacenModelos::SentenciaConsulta() {
    return QStringLiteral("SELECT NOMBRE, DETALLE FROM V_CPTES_MODELO_CAB ORDER BY NOMBRE");
}

QString AlmacenModelos::SentenciaPlanilla(const QString& tabla) {
    return QStringLiteral(" SELECT * FROM ") + tabla;
}

QString AlmacenModelos::SentenciaTipos() {
    return QStringLiteral(
        "SELECT * FROM VT_TA_CPTE  with(nolock) WHERE SISTEMA = 'STOCK' ORDER BY DESCRIPCION");
}

QString AlmacenModelos::ItemTipo(const QString& codigo, const QString& descripcion) {
    // Format "@@@@": right-aligned in four characters; a longer code stays whole.
    return codigo.trimmed().rightJustified(4, QLatin1Char(' ')) + QStringLiteral(" - ") +
           descripcion.trimmed();
}

QStringList AlmacenModelos::ArticulosDe(qint16 id) {
    Registros rs;
    AD().ObtieneRecordset(
        QStringLiteral("SELECT IdArticulo FROM V_CPTES_MODELO_DET with(nolock) WHERE IdVardelio = %1")
            .arg(id),
        rs, nullptr, TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
    QSet<QString> vistos;
    QStringList codigos;
    for (; !rs.Eof(); rs.MoveNext()) {
        const QString codigo = UT().ValorATexto(UT().ValorCampo(rs.Fields(0)));
        if (!vistos.contains(codigo)) {
            vistos.insert(codigo);
            codigos << codigo;
        }
    }
    AD().CierraRecordset(rs);
    return codigos;
}

void AlmacenModelos::AbreLineas(qint16 id, Registros& rs) {
    AD().ObtieneRecordset(QStringLiteral("select * from v_cptes_modelo_det where idvardelio = ") +
                              QString::number(id),
                          rs, &AD().LeeConexion(), TipoCursor::SoloAvance, TipoBloqueo::SoloLectura, -1);
}

void AlmacenModelos::AbreTipo(const QString& codigo, Registros& rs) {
    AD().ObtieneRecordset(QStringLiteral("SELECT * FROM VT_TA_CPTE  with(nolock) WHERE codigo = ") +
                              AD().FormateaValorSQL(codigo, QStringLiteral("'")),
                          rs, &AD().LeeConexion(), TipoCursor::SoloAvance, TipoBloqueo::SoloLectura, -1);
}

QString AlmacenModelos::CantidadCargada(const QVariant& campo) {
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

bool AlmacenModelos::MismaHuella(const Huella& vista, const Huella& guardada) {
    if (vista.existe != guardada.existe)
        return false;
    if (!vista.existe)
        return true;
    if (!vista.conFilas)
        return vista.id == guardada.id;
    return vista.cabecera == guardada.cabecera && vista.lineas == guardada.lineas &&
           vista.cuenta == guardada.cuenta;
}

quint64 AlmacenModelos::SigueHuella(quint64 huella, const QVariant& valor) {
    return Mezcla(huella ^ HuellaValor(valor));
}

quint64 AlmacenModelos::HuellaCabecera(const Registros& rs) {
    quint64 h = 0;
    for (const char* columna : kColumnasCabecera) {
        const int i = rs.IndiceCampo(QLatin1String(columna));
        h = i < 0 ? Mezcla(h) : SigueHuella(h, rs.Fields(i));
    }
    return h;
}

quint64 AlmacenModelos::HuellaLinea(const QVariant& articulo, const QVariant& cantidad,
                                    const QVariant& unidad) {
    return SigueHuella(SigueHuella(SigueHuella(0, articulo), cantidad), unidad);
}

QString AlmacenModelos::SentenciaCabeceraGuardada(const QString& nombre) {
    return QStringLiteral("SELECT * FROM V_CPTES_MODELO_CAB WITH (UPDLOCK, HOLDLOCK) WHERE nombre = ") +
           AD().FormateaValorSQL(nombre, QStringLiteral("'")) + QStringLiteral(" ORDER BY IdVardelio");
}

QString AlmacenModelos::SentenciaLineasGuardadas(qint16 id) {
    return QStringLiteral("SELECT IdArticulo, Cantidad, IdUnidad FROM V_CPTES_MODELO_DET WITH (UPDLOCK, "
                          "HOLDLOCK) WHERE IdVardelio = ") +
           QString::number(id);
}

AlmacenModelos::Huella AlmacenModelos::LeeCabeceraGuardada(const QString& nombre, qint16 preferido,
                                                           bool conFilas) {
    Huella h;
    Registros rs;
    AD().ObtieneRecordset(SentenciaCabeceraGuardada(nombre), rs);
    for (; !rs.Eof(); rs.MoveNext()) {
        const qint16 id = Entero16(rs.Fields(QStringLiteral("IdVardelio")));
        if (!h.existe || id == preferido) {
            h.existe = true;
            h.id = id;
            h.cabecera = HuellaCabecera(rs);
        }
        if (id == preferido)
            break;
    }
    AD().CierraRecordset(rs);
    h.conFilas = conFilas;
    return h;
}

void AlmacenModelos::LeeLineasGuardadas(Huella& h) {
    h.lineas = 0;
    h.cuenta = 0;
    if (!h.existe || !h.conFilas)
        return;
    Registros rs;
    AD().ObtieneRecordset(SentenciaLineasGuardadas(h.id), rs);
    for (; !rs.Eof(); rs.MoveNext()) {
        h.lineas += HuellaLinea(rs.Fields(0), rs.Fields(1), rs.Fields(2));
        ++h.cuenta;
    }
    AD().CierraRecordset(rs);
}

void AlmacenModelos::IniciaTransaccion() {
    AD().EjecutaSQL(QStringLiteral("BEGIN TRANSACTION"));
}

void AlmacenModelos::ConfirmaTransaccion() {
    AD().EjecutaSQL(QStringLiteral("COMMIT TRANSACTION"));
}

void AlmacenModelos::RevierteTransaccion() {
    try {
        AD().EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    } catch (const ErrorSistema&) {
        // Nothing was open any more (the server ended it): nothing of it stays either way.
    }
    AD().LeeConexion().Errors().Clear();
}

void AlmacenModelos::RegistraRechazo(const QString& tanda, const ErrorSistema& error) {
    QString proceso = NombreEjecutable();
    RegistraErrorBD(tanda, proceso, static_cast<qint32>(error.Numero()),
                    LineaErrorBD(error.Numero(), error.Descripcion()));
}

int AlmacenModelos::Anclado(const QVariant& campo) {
    const QString ancla = UT().ValorATexto(UT().ValorCampo(campo)).trimmed();
    bool numero = false;
    const double valor = ancla.toDouble(&numero);
    const bool verdadero = numero ? valor != 0
                                  : ancla.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                                        UT().TextoADoble(ancla) != 0;
    return !ancla.isEmpty() && verdadero ? 1 : 0;
}

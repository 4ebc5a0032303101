#include "Registros.h"

#include "AccesoDatosInterno.h"
#include "Moneda.h"

using namespace ad;

namespace {

const QString kOrigen = QStringLiteral("AccesoDatos");

[[noreturn]] void Error(long numero, const QString& texto) {
    throw ErrorSistema(numero, texto, kOrigen);
}

[[noreturn]] void SinFila() {
    Error(kSinFilaActual, QStringLiteral("BOF o EOF es True, o el registro actual se eliminó. La operación "
                                         "solicitada requiere un registro actual."));
}

[[noreturn]] void NoActualizable() {
    Error(kNoActualizable,
          QStringLiteral("El conjunto de registros no admite actualizaciones: se abrió de solo "
                         "lectura."));
}

// The marker that writes a value as the literal of its type.
QString Marcador(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return QStringLiteral("@");
    default:
        return v.metaType() == QMetaType::fromType<Moneda>() ? QStringLiteral("@") : QStringLiteral("'");
    }
}

QString SinDelimitar(QString nombre) {
    nombre.remove(u'[').remove(u']').remove(u'"');
    return nombre;
}

} // namespace

// ---------------------------------------------------------------------------------------
// Inner state

void Registros::Impl::TomaFilas(std::unique_ptr<FuenteFilas> f) {
    encabezado = f->Cabecera();
    filas.clear();
    pos = previas = leidas = 0;
    edicion = Edicion::Ninguna;
    clave.reset();
    if (tipoCursor == TipoCursor::SoloAvance && !Editable()) {
        // Forward-only and read-only: the rows stream, one at a time.
        enMemoria = false;
        fuente = std::move(f);
        if (fuente->Siguiente()) {
            leidas = 1;
            bof = eof = false;
        } else {
            fuente.reset();
            bof = eof = true;
        }
        return;
    }
    enMemoria = true;
    const size_t n = Nombres().size();
    while (f->Siguiente()) {
        std::vector<QVariant> fila(n);
        for (size_t i = 0; i < n; ++i)
            fila[i] = f->Valor(static_cast<int>(i));
        filas.push_back(std::move(fila));
    }
    bof = eof = filas.empty();
}

void Registros::Impl::CierraInterno() {
    fuente.reset();
    filas.clear();
    encabezado = ad::SinColumnas();
    pos = previas = leidas = 0;
    bof = eof = true;
    enMemoria = false;
    edicion = Edicion::Ninguna;
    valores.clear();
    asignado.clear();
    clave.reset();
    if (ad) {
        ad->abiertos.erase(this);
        ad = nullptr;
    }
}

void Registros::Impl::Verifica() const {
    if (!ad)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
}

QVariant Registros::Impl::Valor(int i) const {
    Verifica();
    if (i < 0 || i >= static_cast<int>(Nombres().size()))
        Error(kCampoInexistente, QStringLiteral("No se encuentra el campo número %1.").arg(i));
    if (edicion != Edicion::Ninguna)
        return valores[static_cast<size_t>(i)];
    if (eof)
        SinFila();
    return enMemoria ? filas[static_cast<size_t>(pos)][static_cast<size_t>(i)] : fuente->Valor(i);
}

// A database error while moving: into the connection's list, then raised.
[[noreturn]] static void LanzaFallas(Registros::Impl& d, const Fallas& f) {
    if (!d.ad)
        throw ErrorSistema(f.lista.front().NativeError, f.lista.front().Description, kOrigen);
    d.ad->yo.LeeConexion().Errors().Clear();
    d.ad->Lanza(f, QStringLiteral("Registros"));
}

// ---------------------------------------------------------------------------------------
// Registros

Registros::Registros() : d_(std::make_unique<Impl>()) {}

Registros::~Registros() {
    if (d_)
        d_->CierraInterno();
}

Registros::Registros(Registros&& otro) noexcept : d_(std::move(otro.d_)) {}

Registros& Registros::operator=(Registros&& otro) noexcept {
    if (this != &otro) {
        if (d_)
            d_->CierraInterno();
        d_ = std::move(otro.d_);
    }
    return *this;
}

void Registros::Open(const QString& sql, Conexion& conexion, int tipoCursor, int tipoBloqueo) {
    if (!d_)
        d_ = std::make_unique<Impl>();
    d_->CierraInterno();
    if (tipoCursor >= 0)
        d_->tipoCursor = tipoCursor;
    if (tipoBloqueo >= 0)
        d_->tipoBloqueo = tipoBloqueo;
    conexion.Dueno().d_->Abre(*d_, sql, sql, false);
}

void Registros::Close() {
    if (d_)
        d_->CierraInterno();
}

int Registros::State() const {
    return d_ && d_->Abierto() ? 1 : 0;
}

int Registros::CursorType() const {
    return d_ ? d_->tipoCursor : TipoCursor::SoloAvance;
}

int Registros::LockType() const {
    return d_ ? d_->tipoBloqueo : TipoBloqueo::SoloLectura;
}

void Registros::setCursorType(int tipo) {
    if (!d_)
        d_ = std::make_unique<Impl>();
    if (!d_->Abierto())
        d_->tipoCursor = tipo;
}

void Registros::setLockType(int tipo) {
    if (!d_)
        d_ = std::make_unique<Impl>();
    if (!d_->Abierto())
        d_->tipoBloqueo = tipo;
}

bool Registros::Bof() const {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    d_->Verifica();
    return d_->bof && d_->edicion != Impl::Edicion::Nueva;
}

bool Registros::Eof() const {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    d_->Verifica();
    return d_->eof && d_->edicion != Impl::Edicion::Nueva;
}

void Registros::MoveFirst() {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    Impl& d = *d_;
    d.Verifica();
    if (d.edicion != Impl::Edicion::Ninguna)
        Update();
    const bool enPrimera = d.enMemoria ? d.previas == 0 : (d.leidas == 0 || (d.leidas == 1 && !d.eof));
    if (enPrimera) {
        if (d.enMemoria) {
            d.pos = 0;
            d.eof = d.filas.empty();
        }
        return;
    }
    // The rows have streamed past: the query runs again.
    AccesoDatos::Impl* a = d.ad;
    const QString sql = d.sql;
    a->Abre(d, sql, sql, d.traducir);
}

void Registros::MoveNext() {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    Impl& d = *d_;
    d.Verifica();
    if (d.edicion != Impl::Edicion::Ninguna)
        Update();
    if (d.eof)
        SinFila();
    if (d.enMemoria) {
        ++d.pos;
        d.eof = d.pos >= static_cast<qint64>(d.filas.size());
        return;
    }
    try {
        if (d.fuente->Siguiente()) {
            ++d.leidas;
        } else {
            d.eof = true;
            d.fuente.reset();
        }
    } catch (const Fallas& f) {
        d.eof = true;
        d.fuente.reset();
        LanzaFallas(d, f);
    }
}

qint32 Registros::RecordCount() {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    Impl& d = *d_;
    d.Verifica();
    if (!d.enMemoria) {
        // The count needs every row: the rest is read into memory.
        const size_t n = d.Nombres().size();
        try {
            if (!d.eof) {
                std::vector<QVariant> fila(n);
                for (size_t i = 0; i < n; ++i)
                    fila[i] = d.fuente->Valor(static_cast<int>(i));
                d.filas.push_back(std::move(fila));
                while (d.fuente->Siguiente()) {
                    std::vector<QVariant> otra(n);
                    for (size_t i = 0; i < n; ++i)
                        otra[i] = d.fuente->Valor(static_cast<int>(i));
                    d.filas.push_back(std::move(otra));
                }
            }
        } catch (const Fallas& f) {
            d.fuente.reset();
            d.filas.clear();
            d.eof = true;
            LanzaFallas(d, f);
        }
        d.fuente.reset();
        d.previas = d.eof ? d.leidas : d.leidas - 1;
        d.pos = 0;
        d.enMemoria = true;
    }
    return static_cast<qint32>(d.previas + static_cast<qint64>(d.filas.size()));
}

int Registros::FieldCount() const {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    d_->Verifica();
    return static_cast<int>(d_->Nombres().size());
}

QString Registros::FieldName(int indice) const {
    if (indice < 0 || indice >= FieldCount())
        Error(kCampoInexistente, QStringLiteral("No se encuentra el campo número %1.").arg(indice));
    return d_->Nombres()[static_cast<size_t>(indice)];
}

int Registros::IndiceCampo(const QString& nombre) const {
    if (!d_)
        return -1;
    return d_->encabezado->indice.Busca(nombre);
}

QVariant Registros::Fields(const QString& nombre) const {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    d_->Verifica();
    const int i = d_->encabezado->indice.Busca(nombre);
    if (i < 0)
        Error(kCampoInexistente, QStringLiteral("No se encuentra el campo \"%1\".").arg(nombre));
    // The common case of a streaming read, without the checks of Valor.
    if (d_->fuente && !d_->eof && d_->edicion == Impl::Edicion::Ninguna)
        return d_->fuente->Valor(i);
    return d_->Valor(i);
}

QVariant Registros::Fields(int indice) const {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    return d_->Valor(indice);
}

void Registros::AddNew() {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    Impl& d = *d_;
    d.Verifica();
    if (!d.Editable())
        NoActualizable();
    if (d.edicion != Impl::Edicion::Ninguna)
        Update();
    d.edicion = Impl::Edicion::Nueva;
    d.valores.assign(d.Nombres().size(), QVariant());
    d.asignado.assign(d.Nombres().size(), false);
}

void Registros::AsignaCampo(const QString& nombre, const QVariant& valor) {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    Impl& d = *d_;
    d.Verifica();
    if (!d.Editable())
        NoActualizable();
    const int i = d.encabezado->indice.Busca(nombre);
    if (i < 0)
        Error(kCampoInexistente, QStringLiteral("No se encuentra el campo \"%1\".").arg(nombre));
    if (d.edicion == Impl::Edicion::Ninguna) {
        if (d.eof)
            SinFila();
        d.edicion = Impl::Edicion::Actual;
        d.valores = d.filas[static_cast<size_t>(d.pos)];
        d.asignado.assign(d.Nombres().size(), false);
    }
    d.valores[static_cast<size_t>(i)] = valor;
    d.asignado[static_cast<size_t>(i)] = true;
}

// Long on purpose: ADO's Update, the INSERT or the keyed UPDATE and the row not found as one step.
// NOLINTNEXTLINE(readability-function-size,readability-function-cognitive-complexity)
void Registros::Update() {
    if (!d_)
        Error(kConjuntoCerrado, QStringLiteral("La operación no está permitida si el objeto está cerrado."));
    Impl& d = *d_;
    d.Verifica();
    if (!d.Editable())
        NoActualizable();
    if (d.edicion == Impl::Edicion::Ninguna)
        return;
    AccesoDatos::Impl& a = *d.ad;
    AccesoDatos& ad = a.yo;
    ad.LeeConexion().Errors().Clear();
    const QString tabla = TablaDeConsulta(d.sql);
    if (tabla.isEmpty())
        Error(kNoActualizable,
              QStringLiteral("No se reconoce la tabla de la consulta: no se puede actualizar."));
    auto literal = [&ad](const QVariant& v) {
        return !v.isValid() || v.isNull() ? QStringLiteral("NULL") : ad.FormateaValorSQL(v, Marcador(v));
    };
    const size_t n = d.Nombres().size();
    QString sql;
    if (d.edicion == Impl::Edicion::Nueva) {
        QStringList columnas;
        QStringList valores;
        for (size_t i = 0; i < n; ++i) {
            if (!d.asignado[i])
                continue;
            columnas << Identificador(d.Nombres()[i]);
            valores << literal(d.valores[i]);
        }
        sql = columnas.isEmpty()
                  ? QStringLiteral("INSERT INTO ") + tabla + QStringLiteral(" DEFAULT VALUES")
                  : QStringLiteral("INSERT INTO ") + tabla + QStringLiteral(" (") + columnas.join(u',') +
                        QStringLiteral(") VALUES (") + valores.join(u',') + u')';
    } else {
        QStringList cambios;
        for (size_t i = 0; i < n; ++i)
            if (d.asignado[i])
                cambios << Identificador(d.Nombres()[i]) + QStringLiteral(" = ") + literal(d.valores[i]);
        if (cambios.isEmpty()) {
            d.edicion = Impl::Edicion::Ninguna;
            return;
        }
        if (!d.clave) {
            // The row is found by its primary key; without one, by every value it was read with.
            QString nombre = tabla;
            if (a.sqlite && d.traducir)
                nombre = TablaDeConsulta(a.Traduce(QStringLiteral("SELECT * FROM ") + tabla));
            else if (d.traducir)
                nombre = a.ParaMotor(tabla);
            try {
                d.clave = a.motor->ClavePrimaria(SinDelimitar(nombre));
            } catch (const Fallas&) {
                d.clave = std::vector<QString>{};
            }
        }
        std::vector<int> claves;
        for (const QString& c : *d.clave) {
            const int i = d.encabezado->indice.Busca(c);
            if (i < 0) {
                claves.clear();
                break;
            }
            claves.push_back(i);
        }
        if (claves.empty())
            for (size_t i = 0; i < n; ++i)
                claves.push_back(static_cast<int>(i));
        QStringList condicion;
        const std::vector<QVariant>& original = d.filas[static_cast<size_t>(d.pos)];
        for (int i : claves) {
            const QVariant& v = original[static_cast<size_t>(i)];
            const QString columna = Identificador(d.Nombres()[static_cast<size_t>(i)]);
            condicion << (!v.isValid() || v.isNull() ? columna + QStringLiteral(" IS NULL")
                                                     : columna + QStringLiteral(" = ") + literal(v));
        }
        sql = QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ") +
              cambios.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") +
              condicion.join(QStringLiteral(" AND "));
    }
    qint64 afectados = 0;
    try {
        afectados = a.EjecutaSentencia(sql, nullptr, true);
    } catch (const Fallas& f) {
        a.Lanza(f, QStringLiteral("Update"));
    }
    if (d.edicion == Impl::Edicion::Actual) {
        if (afectados != 1)
            a.Lanza(Fallas{{{kFilaNoUbicada,
                             QStringLiteral("No se encuentra la fila para actualizarla: sus valores "
                                            "cambiaron desde que se leyó.")}}},
                    QStringLiteral("Update"));
        d.filas[static_cast<size_t>(d.pos)] = std::move(d.valores);
    } else {
        d.filas.push_back(std::move(d.valores));
        d.pos = static_cast<qint64>(d.filas.size()) - 1;
        d.bof = d.eof = false;
    }
    d.valores.clear();
    d.asignado.clear();
    d.edicion = Impl::Edicion::Ninguna;
}

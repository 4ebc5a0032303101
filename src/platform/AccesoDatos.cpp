#include "AccesoDatos.h"

// Placeholder bodies; the implementation follows.
struct AccesoDatos::Impl {};
struct Registros::Impl {};

const ErrorBD& Errores::Item(int indice) const {
    if (indice < 0 || indice >= Count())
        throw ErrorSistema(3265, QStringLiteral("Item cannot be found in the collection."));
    return lista_[static_cast<size_t>(indice)];
}
int Conexion::State() const {
    return 0;
}
void Conexion::Close() {}
void Conexion::AsignaCommandTimeout(int s) {
    tiempoEspera_ = s;
}
void Conexion::AsignaIsolationLevel(int n) {
    aislamiento_ = n;
}
void Conexion::AsignaDefaultDatabase(const QString& b) {
    baseDefecto_ = b;
}

AccesoDatos::AccesoDatos() : conexion_(*this) {}
AccesoDatos::~AccesoDatos() = default;
bool AccesoDatos::EstaConectado() const {
    return false;
}
Conexion& AccesoDatos::LeeConexion() {
    return conexion_;
}
QString AccesoDatos::LeeDatoConexion() const {
    return dato_;
}
void AccesoDatos::Conecta(bool, qint32, const QString&, bool, bool) {
    throw ErrorSistema(3709, QStringLiteral("Sin implementar"));
}
void AccesoDatos::ObtieneRecordset(const QString&, Registros&, Conexion*, int, int, int, bool) {
    throw ErrorSistema(3709, QStringLiteral("Sin implementar"));
}
void AccesoDatos::CierraRecordset(Registros& rs) {
    rs.Close();
}
qint32 AccesoDatos::EjecutaSQL(const QString&, Registros*) {
    throw ErrorSistema(3709, QStringLiteral("Sin implementar"));
}
QVariant AccesoDatos::ObtieneValorTabla(const QString&, const QString&, const QString&, const QString&, int,
                                        const QString&, bool, bool) {
    throw ErrorSistema(3709, QStringLiteral("Sin implementar"));
}
bool AccesoDatos::ExisteRegistro(const QString&, const QString&, const QString&, Registros*, int,
                                 const QString&, bool) {
    throw ErrorSistema(3709, QStringLiteral("Sin implementar"));
}
QVariant AccesoDatos::MaximoValor(const QString&, const QString&, const QString&, const QString&) {
    throw ErrorSistema(3709, QStringLiteral("Sin implementar"));
}
QString AccesoDatos::FormateaValorSQL(const QVariant& v, const QString&) const {
    return v.toString();
}
QString AccesoDatos::TraduceSQL(const QString& sql) const {
    return sql;
}
QString AccesoDatos::TextoProveedor() const {
    return {};
}
int AccesoDatos::GestionaError(const ErrorSistema&, const QString&, int) const {
    return 0;
}

Registros::Registros() = default;
Registros::~Registros() = default;
Registros::Registros(Registros&&) noexcept = default;
Registros& Registros::operator=(Registros&&) noexcept = default;
void Registros::Open(const QString&, Conexion&, int, int) {}
void Registros::Close() {}
int Registros::State() const {
    return 0;
}
int Registros::CursorType() const {
    return 0;
}
int Registros::LockType() const {
    return 1;
}
void Registros::AsignaCursorType(int) {}
void Registros::AsignaLockType(int) {}
bool Registros::Bof() const {
    return true;
}
bool Registros::Eof() const {
    return true;
}
void Registros::MoveFirst() {}
void Registros::MoveNext() {}
qint32 Registros::RecordCount() {
    return 0;
}
int Registros::FieldCount() const {
    return 0;
}
QString Registros::FieldName(int) const {
    return {};
}
int Registros::IndiceCampo(const QString&) const {
    return -1;
}
QVariant Registros::Fields(const QString&) const {
    return {};
}
QVariant Registros::Fields(int) const {
    return {};
}
void Registros::AddNew() {}
void Registros::AsignaCampo(const QString&, const QVariant&) {}
void Registros::Update() {}

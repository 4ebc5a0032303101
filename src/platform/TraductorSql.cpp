#include "TraductorSql.h"

QString TraduceSqlServerASqlite(const QString& sql) {
    return sql;
}
QStringList DivideLote(const QString& lote) {
    return {lote};
}
std::optional<SiExiste> SeparaSiExiste(const QString&) {
    return std::nullopt;
}
Transaccion EsSentenciaTransaccion(const QString&) {
    return Transaccion::Ninguna;
}
bool EsConsultaTrancount(const QString&) {
    return false;
}

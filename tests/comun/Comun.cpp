#include "Comun.h"

#include "AccesoDatosInterno.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QtGlobal>

QString CarpetaFuentes() {
    return qEnvironmentVariable("MODELOS_FUENTES", QStringLiteral("."));
}

QString CarpetaCompilacion() {
    return QStringLiteral(MODELOS_COMPILACION_DIR);
}

std::vector<sqlite3*> ConexionesSqliteDeLaCapa() {
    std::vector<sqlite3*> r;
    for (const QString& nombre : QSqlDatabase::connectionNames())
        if (nombre.startsWith(QStringLiteral("AccesoDatos-")))
            if (sqlite3* db = ad::HandleSqlite(QSqlDatabase::database(nombre, false).driver()->handle()))
                r.push_back(db);
    return r;
}

#include "BaseEmbebida.h"

#include "AccesoDatosInterno.h"
#include "FuncionesSqlite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QUuid>
#include <sqlite3.h>

namespace BaseEmbebida {

namespace {

const QString kOrigen = QStringLiteral("BaseEmbebida");

// Runs every statement of a script; the error tells the script and the failing statement.
void EjecutaScript(sqlite3* db, const QString& texto, const QString& nombre) {
    const QByteArray utf8 = texto.toUtf8();
    const char* p = utf8.constData();
    const char* fin = p + utf8.size();
    while (p < fin) {
        sqlite3_stmt* st = nullptr;
        const char* cola = nullptr;
        const int preparada = sqlite3_prepare_v2(db, p, static_cast<int>(fin - p), &st, &cola);
        int rc = preparada;
        if (rc == SQLITE_OK && st) {
            while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            }
            if (rc == SQLITE_DONE)
                rc = SQLITE_OK;
        }
        if (rc != SQLITE_OK) {
            const QString mensaje = QString::fromUtf8(sqlite3_errmsg(db));
            const long numero =
                ad::FallasSqlite(sqlite3_extended_errcode(db), mensaje).lista.front().NativeError;
            // A statement that does not parse has no reliable end: its start is shown.
            const char* hasta = preparada == SQLITE_OK && cola > p ? cola : fin;
            const QString sentencia =
                QString::fromUtf8(p, static_cast<qsizetype>(hasta - p)).simplified().left(120);
            sqlite3_finalize(st);
            throw ErrorSistema(numero, QStringLiteral("%1: %2 (en \"%3\")").arg(nombre, mensaje, sentencia),
                               kOrigen);
        }
        sqlite3_finalize(st);
        p = cola;
    }
}

void CreaCon(const QString& ruta, const QList<QPair<QString, QString>>& scripts) {
    const QFileInfo destino(ruta);
    if (destino.exists())
        throw ErrorSistema(
            58, QStringLiteral("El archivo \"%1\" ya existe.").arg(QDir::toNativeSeparators(ruta)), kOrigen);
    if (!destino.absoluteDir().exists())
        throw ErrorSistema(76,
                           QStringLiteral("No existe la carpeta \"%1\".")
                               .arg(QDir::toNativeSeparators(destino.absolutePath())),
                           kOrigen);
    // Built under another name and renamed when complete: a failure leaves nothing behind.
    const QString temporal = destino.absoluteFilePath() + QStringLiteral(".creando");
    QFile::remove(temporal);
    const QString conexion =
        QStringLiteral("BaseEmbebida-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString error;
    long numero = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conexion);
        db.setDatabaseName(temporal);
        if (!db.open()) {
            error = db.lastError().text();
            numero = ad::kBaseNoDisponible;
        } else if (sqlite3* h = ad::HandleSqlite(db.driver()->handle())) {
            RegistraFuncionesSqlite(h);
            try {
                EjecutaScript(h, QStringLiteral("PRAGMA foreign_keys = ON; BEGIN;"),
                              QStringLiteral("inicio"));
                // The demo data is held to the columns' widths as the program's writes are.
                for (const auto& [nombre, texto] : scripts) {
                    EjecutaScript(h, texto, nombre);
                    RegistraControlAnchos(h, true);
                }
                EjecutaScript(h, QStringLiteral("COMMIT;"), QStringLiteral("fin"));
            } catch (const ErrorSistema& e) {
                sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
                error = e.Descripcion();
                numero = e.Numero();
            }
        } else {
            error = QStringLiteral("El controlador de SQLite no da su conexión.");
            numero = ad::kBaseNoDisponible;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(conexion);
    if (numero == 0 && !QFile::rename(temporal, destino.absoluteFilePath())) {
        numero = 75;
        error = QStringLiteral("No se puede crear el archivo \"%1\".").arg(QDir::toNativeSeparators(ruta));
    }
    if (numero != 0) {
        QFile::remove(temporal);
        QFile::remove(temporal + QStringLiteral("-journal"));
        throw ErrorSistema(numero, error, kOrigen);
    }
}

QString LeeScript(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly))
        throw ErrorSistema(53,
                           QStringLiteral("No se puede leer \"%1\": %2")
                               .arg(QDir::toNativeSeparators(archivo), f.errorString()),
                           kOrigen);
    return QString::fromUtf8(f.readAll());
}

} // namespace

void Crea(const QString& ruta, const QStringList& textosSql) {
    QList<QPair<QString, QString>> scripts;
    for (qsizetype i = 0; i < textosSql.size(); ++i)
        scripts.append({QStringLiteral("script %1").arg(i + 1), textosSql[i]});
    CreaCon(ruta, scripts);
}

void CreaDesdeArchivos(const QString& ruta, const QStringList& archivos) {
    QList<QPair<QString, QString>> scripts;
    for (const QString& a : archivos)
        scripts.append({QFileInfo(a).fileName(), LeeScript(a)});
    CreaCon(ruta, scripts);
}

QString CarpetaScripts(const QString& porDefecto) {
    QStringList candidatas;
    if (const QString env = qEnvironmentVariable("MODELOS_DB_DIR"); !env.isEmpty())
        candidatas << env;
    if (QCoreApplication::instance()) {
        const QDir programa(QCoreApplication::applicationDirPath());
        candidatas << programa.filePath(QStringLiteral("db")) << programa.filePath(QStringLiteral("../db"))
                   << programa.filePath(QStringLiteral("../../db"));
    }
    if (!porDefecto.isEmpty())
        candidatas << porDefecto;
    for (const QString& c : candidatas)
        if (QFileInfo(QDir(c).filePath(QStringLiteral("esquema.sql"))).isFile())
            return QDir(c).absolutePath();
    return {};
}

void CreaDemo(const QString& ruta, const QString& carpetaScripts) {
    const QDir scripts(carpetaScripts);
    CreaDesdeArchivos(ruta, {scripts.filePath(QStringLiteral("esquema.sql")),
                             scripts.filePath(QStringLiteral("demo.sql"))});
    const QString estadisticas = QFileInfo(ruta).absoluteDir().filePath(QStringLiteral("CV_ESTADISTICAS.db"));
    if (!QFileInfo::exists(estadisticas))
        CreaDesdeArchivos(estadisticas, {scripts.filePath(QStringLiteral("estadisticas.sql"))});
}

} // namespace BaseEmbebida

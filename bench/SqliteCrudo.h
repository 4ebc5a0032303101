#pragma once

// Raw SQLite helpers of the benchmarks' baselines: any failure ends the program with SQLite's
// message.

#include "BaseEmbebida.h"
#include "FuncionesSqlite.h"
#include "Medidas.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

[[noreturn]] inline void Falla(const char* que, sqlite3* db) {
    std::fprintf(stderr, "%s: %s\n", que, db ? sqlite3_errmsg(db) : "");
    std::exit(1);
}

inline void Ejecuta(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        Falla(sql, db);
}

inline sqlite3_stmt* Prepara(sqlite3* db, const char* sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        Falla(sql, db);
    return st;
}

inline void Texto(sqlite3_stmt* st, int i, const QByteArray& v) {
    sqlite3_bind_text(st, i, v.constData(), int(v.size()), SQLITE_TRANSIENT);
}

// Column `c` of the statement's current row as its UTF-8 text, and as a QString.
inline QByteArray BytesColumna(sqlite3_stmt* st, int c) {
    return {reinterpret_cast<const char*>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c)};
}
inline QString TextoColumna(sqlite3_stmt* st, int c) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                             sqlite3_column_bytes(st, c));
}

// Runs an INSERT (or any statement without rows) and resets it for the next values.
inline void InsertaFila(sqlite3* db, sqlite3_stmt* st) {
    if (sqlite3_step(st) != SQLITE_DONE)
        Falla("insert", db);
    sqlite3_reset(st);
}

// The folder of the database scripts; ends the program when it or the temporary folder is missing.
inline QString ScriptsBench(const QTemporaryDir& dir) {
    QString scripts = BaseEmbebida::CarpetaScripts();
    if (!dir.isValid() || scripts.isEmpty()) {
        std::fprintf(stderr, "sin carpeta temporal o sin db/esquema.sql (MODELOS_DB_DIR)\n");
        std::exit(1);
    }
    return scripts;
}

// The file opened for the raw side as Qt's driver opens its connections (read-write, no mutex),
// with the embedded database's functions and collation; ends the program when it cannot.
inline sqlite3* AbreCrudo(const QString& ruta) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        Falla("open", db);
    RegistraFuncionesSqlite(db);
    return db;
}

// A fresh copy of the demo database at `ruta`, and a raw connection to it with the functions a
// real connection registers.
inline sqlite3* DemoCruda(const QString& ruta, const QString& scripts) {
    BaseEmbebida::CreaDemo(ruta, scripts);
    return AbreCrudo(ruta);
}

// A copy of the demo database in `dir` under `nombre`, opened raw with the embedded database's
// functions and collation; its path goes to `ruta`. Ends the program when it cannot be made.
inline sqlite3* CreaBaseBench(const QTemporaryDir& dir, const char* nombre, QString& ruta) {
    const QString scripts = ScriptsBench(dir);
    ruta = dir.filePath(QString::fromLatin1(nombre));
    sqlite3* db = nullptr;
    try {
        db = DemoCruda(ruta, scripts);
    } catch (const ErrorSistema& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Descripcion()));
        std::exit(1);
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

// The session text that opens the editor on that database as the demo user.
inline QString SesionDemo(const QString& ruta) {
    return QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=DEMO;@Password=;@UsuarioLogeado=DEMO;@Caja=1;")
        .arg(ruta);
}

#pragma once

#include "FuncionesSqlite.h"

#include <QString>
#include <QStringList>
#include <sqlite3.h>

// An in-memory SQLite database with the suite's functions and collation, driven through the C API.
class SqliteMemoria {
public:
    SqliteMemoria() {
        sqlite3_open(":memory:", &db_);
        RegistraFuncionesSqlite(db_);
    }
    ~SqliteMemoria() { sqlite3_close(db_); }
    SqliteMemoria(const SqliteMemoria&) = delete;
    SqliteMemoria& operator=(const SqliteMemoria&) = delete;

    sqlite3* Db() const { return db_; }

    // Runs every statement of the text; the error message, or empty when all ran.
    QString Ejecuta(const QString& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error) == SQLITE_OK)
            return {};
        QString texto = QString::fromUtf8(error ? error : "error");
        sqlite3_free(error);
        return texto;
    }

    // The rows of a query, each as its columns joined by "|" (a null reads "NULL"); on failure one
    // entry "ERROR: <message>".
    QStringList Filas(const QString& sql) {
        sqlite3_stmt* st = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK)
            return {"ERROR: " + QString::fromUtf8(sqlite3_errmsg(db_))};
        QStringList filas;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            QStringList columnas;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                if (sqlite3_column_type(st, c) == SQLITE_NULL)
                    columnas << "NULL";
                else
                    columnas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            }
            filas << columnas.join('|');
        }
        if (rc != SQLITE_DONE)
            filas = QStringList{"ERROR: " + QString::fromUtf8(sqlite3_errmsg(db_))};
        sqlite3_finalize(st);
        return filas;
    }

    // First column of the first row.
    QString Valor(const QString& sql) {
        const QStringList f = Filas(sql);
        return f.isEmpty() ? QString("(sin filas)") : f.first();
    }

private:
    sqlite3* db_ = nullptr;
};

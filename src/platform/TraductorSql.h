#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Rewrites one statement of the suite's SQL Server dialect into SQLite's.
QString TraduceSqlServerASqlite(const QString& sql);

// Splits a batch into its statements: separated by line breaks (CR, LF or CRLF), never inside a quoted
// literal ('...' with '' as an escaped quote); blank statements dropped.
QStringList DivideLote(const QString& lote);

// "if [not] exists(<consulta>) <sentencia>" (any case and spacing) split into its parts; nullopt otherwise.
struct SiExiste {
    bool negado;
    QString consulta;
    QString sentencia;
};
std::optional<SiExiste> SeparaSiExiste(const QString& sql);

// Transaction statements the data-access layer handles itself.
enum class Transaccion { Ninguna, Inicia, Confirma, Revierte };

// BEGIN TRAN[SACTION], COMMIT [TRAN[SACTION]], ROLLBACK [TRAN[SACTION]], any case.
Transaccion EsSentenciaTransaccion(const QString& sql);

// SELECT @@TRANCOUNT (any case and spacing, optional alias).
bool EsConsultaTrancount(const QString& sql);

#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

// Rewrites one statement of the suite's SQL Server dialect into SQLite's. Quoted literals and bracketed or
// double-quoted identifiers are never changed inside; the statement must not hold an "if exists" prefix
// (see SeparaSiExiste) nor be a transaction statement (see EsSentenciaTransaccion).
// A literal that is wholly one of the system's dates (see FechaLiteralAIso) becomes ISO text only where
// it is the value of a date column (see EsColumnaFecha): by position in INSERT's VALUES rows or SELECT
// list, in "col op 'x'" and "'x' op col" (SET, WHERE, ON, HAVING; MAX or MIN of a column too), in
// "col [NOT] BETWEEN 'x' AND 'y'" and "col [NOT] IN ('x', ...)". Anywhere else it is kept as written.
// A "?" marker in such a place becomes FECHA_ISO(?), which converts the bound text the same way.
QString TraduceSqlServerASqlite(const QString& sql);

// The administration database that an "ADMIN=" value names: blanks around it and one outer
// [...] pair removed ("[Admin]" is Admin); empty for none.
QString NombreBaseAdministracion(const QString& valor);

// A name as SQL Server reads one delimited identifier, whatever it holds: "[" name "]", each "]"
// doubled.
QString CitaNombre(const QString& nombre);

// The statement as SQL Server runs it: each table name "@ADMIN_<name>" (any case) becomes
// "[<base>].dbo.<name>" when `baseAdmin` names the administration database (as
// NombreBaseAdministracion gives it, always quoted as one name) and `enAdministracion` (when
// given) says that database holds <name>; else "<name>" of the session's own database. Literals, comments and
// delimited identifiers are kept as written.
QString ResuelveAdminSqlServer(const QString& sql, const QString& baseAdmin,
                               const std::function<bool(const QString&)>& enAdministracion = {});

// Whether a column holds date-times: its name contains "FECHA", begins with "FH" (FHEMISION), is
// "INGRESO" or "EGRESO" (the access log), "VENCE" and a letter (a numbering range's expiry) or begins
// with "VENCIMIENTO", any case; or it was registered by RegistraColumnasFecha.
bool EsColumnaFecha(QStringView nombre);

// Adds date columns that the name rule does not know (any case), for every later translation.
void RegistraColumnasFecha(const QSet<QString>& columnas);

// Splits a batch into its statements: separated by line breaks (CR, LF or CRLF), never inside a quoted
// literal ('...' with '' as an escaped quote), a delimited name or a comment ("/* */" nested as the server
// nests them); statements of blanks and comments only dropped.
QStringList DivideTanda(const QString& tanda);

// How SQLite reads the block comments of a statement that the server reads nested: `Igual`, where the
// server does; `Anidado`, one holds another "/*" (SQLite ends it at the first "*/", and reads the rest as
// SQL); `Abierto`, one is never closed (the server refuses the text, SQLite reads the rest as comment).
enum class Comentarios { Igual, Anidado, Abierto };
Comentarios ComentariosEnSqlite(const QString& sql);

// "if [not] exists(<consulta>) <sentencia>" (any case and spacing) split into its parts; nullopt otherwise.
struct SiExiste {
    bool negado;
    QString consulta;
    QString sentencia;
};
std::optional<SiExiste> SeparaSiExiste(const QString& sql);

// The message of "RAISERROR('message', severity, state)" (any case and spacing, N'...' too), as
// the server reports it ('' one quote, %% one %); nullopt for any other statement.
std::optional<QString> MensajeRaiserror(const QString& sql);

// Transaction statements the data-access layer handles itself; `Ilegible`: one that begins as a
// transaction statement but cannot be read as one whole.
enum class Transaccion { Ninguna, Inicia, Confirma, Revierte, Guarda, RevierteAGuardado, Ilegible };

// The transaction statements as SQL Server reads them, keywords in any case, blanks and comments
// ("--" to the end of the line, "/* */" nested) between any tokens, an optional ";" at the end:
// BEGIN TRAN[SACTION] [name [WITH MARK ['text']]], COMMIT [TRAN[SACTION] [name] | WORK],
// ROLLBACK [TRAN[SACTION] | WORK], SAVE TRAN[SACTION] name and ROLLBACK TRAN[SACTION] name. A
// name is a plain word that is neither a variable nor a reserved word, or a delimited one ([...]
// with "]]" one "]", "..." with two quotes one), trailing blanks dropped; it goes into `nombre`
// when given, with its case and whatever its length. Anything else that begins with BEGIN TRAN,
// BEGIN DISTRIBUTED, COMMIT, ROLLBACK or SAVE (a variable's name, a second statement, a
// comment left open) is `Ilegible`, with the token where the reading stopped in `cerca`.
Transaccion EsSentenciaTransaccion(const QString& sql, QString* nombre = nullptr, QString* cerca = nullptr);

// SELECT @@TRANCOUNT (any case and spacing, optional alias).
bool EsConsultaTrancount(const QString& sql);

// The system's date literal text ("dd/mm/yy", "dd/mm/yyyy", either followed by "hh:mm" or "hh:mm:ss";
// one-digit day, month and hour allowed) as the embedded database stores it: "yyyy-mm-dd hh:mm:ss".
// Two-digit years 00-49 are 20xx, 50-99 are 19xx. nullopt when the whole text is not such a valid date.
std::optional<QString> FechaLiteralAIso(QStringView texto);

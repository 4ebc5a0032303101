#include "FuncionesSqlite.h"

#include "TraductorSql.h"

#include <QByteArray>
#include <QChar>
#include <QCollator>
#include <QLocale>
#include <QStringView>
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <sqlite3.h>

namespace {

// ---------------------------------------------------------------------------------------------------------
// Collation: Spanish, case-insensitive and accent-sensitive (ICU secondary strength, as the server's CI_AS
// collations), with the trailing blanks that the server pads with left out.

QCollator CreaColador() {
    QCollator c(QLocale(QLocale::Spanish, QLocale::Spain));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    c.setNumericMode(false);
    c.setIgnorePunctuation(false);
    return c;
}

QStringView SinBlancosFinales(const void* datos, int bytes) {
    const auto* p = static_cast<const char16_t*>(datos);
    qsizetype n = bytes / 2;
    while (n > 0 && p[n - 1] == u' ')
        --n;
    return QStringView(p, n);
}

// A character with its case folded, as the collation and LIKE ignore case.
char32_t Pliega(char32_t c) {
    if (c < 128)
        return (c >= U'A' && c <= U'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

// An ASCII letter, digit or blank: texts made only of these (keys, codes, most of what an index
// compares) are ordered by the collator as their case-folded characters are (blank, then digits,
// then letters, a shorter text first), so they need not go through it.
bool DeClave(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u' ';
}

int ComparaClaves(QStringView x, QStringView y) {
    const qsizetype n = std::min(x.size(), y.size());
    for (qsizetype i = 0; i < n; ++i)
        if (const char32_t cx = Pliega(x[i].unicode()), cy = Pliega(y[i].unicode()); cx != cy)
            return cx < cy ? -1 : 1;
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

int ComparaTexto(void*, int bytesA, const void* a, int bytesB, const void* b) {
    const QStringView x = SinBlancosFinales(a, bytesA);
    const QStringView y = SinBlancosFinales(b, bytesB);
    if (x.size() == y.size() && (x.isEmpty() || std::memcmp(x.data(), y.data(), size_t(x.size()) * 2) == 0))
        return 0;
    if (std::all_of(x.begin(), x.end(), DeClave) && std::all_of(y.begin(), y.end(), DeClave))
        return ComparaClaves(x, y);
    thread_local const QCollator colador = CreaColador();
    const int r = colador.compare(x, y);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

// UTF-8 text as SQLite itself turns it into UTF-16 (its own lenient decoding, invalid bytes
// included), so that both forms of the collation see the same characters.
std::u16string Utf16ComoSqlite(const unsigned char* p, int bytes) {
    std::u16string out;
    out.reserve(size_t(bytes));
    const unsigned char* fin = p + bytes;
    while (p < fin) {
        char32_t c = *p++;
        if (c >= 0xC0) {
            c = c < 0xE0   ? c - 0xC0
                : c < 0xF0 ? c - 0xE0
                : c < 0xF8 ? c - 0xF0
                : c < 0xFC ? c - 0xF8
                : c < 0xFE ? c - 0xFC
                           : 0;
            while (p < fin && (*p & 0xC0) == 0x80)
                c = (c << 6) + (0x3F & *p++);
            if (c < 0x80 || (c & 0xFFFFF800) == 0xD800 || (c & 0xFFFFFFFE) == 0xFFFE)
                c = 0xFFFD;
        }
        if (c <= 0xFFFF) {
            out.push_back(char16_t(c));
        } else {
            out.push_back(char16_t(0xD800 + (((c - 0x10000) >> 10) & 0x3FF)));
            out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
        }
    }
    return out;
}

// The same collation on the file's own UTF-8 text, so that an index does not convert every text
// it compares: texts of keys are compared as they are, any other goes through the one above.
int ComparaTextoUtf8(void*, int bytesA, const void* a, int bytesB, const void* b) {
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    while (bytesA > 0 && x[bytesA - 1] == ' ')
        --bytesA;
    while (bytesB > 0 && y[bytesB - 1] == ' ')
        --bytesB;
    if (bytesA == bytesB && (bytesA == 0 || std::memcmp(x, y, size_t(bytesA)) == 0))
        return 0;
    const auto deClave = [](unsigned char c) { return c < 128 && DeClave(QChar(char16_t(c))); };
    if (std::all_of(x, x + bytesA, deClave) && std::all_of(y, y + bytesB, deClave)) {
        const int n = std::min(bytesA, bytesB);
        for (int i = 0; i < n; ++i)
            if (const char32_t cx = Pliega(x[i]), cy = Pliega(y[i]); cx != cy)
                return cx < cy ? -1 : 1;
        return bytesA == bytesB ? 0 : (bytesA < bytesB ? -1 : 1);
    }
    const std::u16string u = Utf16ComoSqlite(x, bytesA);
    const std::u16string v = Utf16ComoSqlite(y, bytesB);
    return ComparaTexto(nullptr, int(u.size() * 2), u.data(), int(v.size() * 2), v.data());
}

// ---------------------------------------------------------------------------------------------------------
// LIKE with '%' and '_', folding case as the collation does (ñ matches Ñ, á matches Á but not a).

void Decodifica(const char16_t* p, int unidades, std::u32string& out) {
    out.clear();
    for (int i = 0; i < unidades; ++i) {
        char32_t c = p[i];
        if (QChar::isHighSurrogate(c) && i + 1 < unidades && QChar::isLowSurrogate(p[i + 1])) {
            c = QChar::surrogateToUcs4(p[i], p[i + 1]);
            ++i;
        }
        out.push_back(Pliega(c));
    }
}

enum class Pieza : char32_t { Literal, Uno, Varios };
struct Elemento {
    Pieza pieza;
    char32_t c;
};

bool Coincide(const std::vector<Elemento>& patron, const std::u32string& valor) {
    size_t p = 0;
    size_t v = 0;
    size_t comodin = std::u32string::npos;
    size_t marca = 0;
    while (v < valor.size()) {
        if (p < patron.size() && (patron[p].pieza == Pieza::Uno ||
                                  (patron[p].pieza == Pieza::Literal && patron[p].c == valor[v]))) {
            ++p;
            ++v;
        } else if (p < patron.size() && patron[p].pieza == Pieza::Varios) {
            comodin = p++;
            marca = v;
        } else if (comodin != std::u32string::npos) {
            p = comodin + 1;
            v = ++marca;
        } else {
            return false;
        }
    }
    while (p < patron.size() && patron[p].pieza == Pieza::Varios)
        ++p;
    return p == patron.size();
}

// like(pattern, value[, escape]), as SQLite calls it for "value LIKE pattern [ESCAPE e]".
void Like(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return;
    thread_local std::u32string patronTexto, valor, escape;
    thread_local std::vector<Elemento> patron;
    char32_t esc = 0;
    bool hayEscape = false;
    if (argc == 3) {
        if (sqlite3_value_type(argv[2]) == SQLITE_NULL)
            return;
        const auto* e = static_cast<const char16_t*>(sqlite3_value_text16(argv[2]));
        Decodifica(e, sqlite3_value_bytes16(argv[2]) / 2, escape);
        if (escape.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        esc = escape[0];
        hayEscape = true;
    }
    const auto* p = static_cast<const char16_t*>(sqlite3_value_text16(argv[0]));
    Decodifica(p, sqlite3_value_bytes16(argv[0]) / 2, patronTexto);
    // The server ignores the trailing blanks of the matched text (not of the pattern).
    const auto* v = static_cast<const char16_t*>(sqlite3_value_text16(argv[1]));
    Decodifica(v, int(SinBlancosFinales(v, sqlite3_value_bytes16(argv[1])).size()), valor);
    patron.clear();
    for (size_t i = 0; i < patronTexto.size(); ++i) {
        const char32_t c = patronTexto[i];
        if (hayEscape && c == esc && i + 1 < patronTexto.size())
            patron.push_back({Pieza::Literal, patronTexto[++i]});
        else if (c == U'%')
            patron.push_back({Pieza::Varios, 0});
        else if (c == U'_')
            patron.push_back({Pieza::Uno, 0});
        else
            patron.push_back({Pieza::Literal, c});
    }
    sqlite3_result_int(ctx, Coincide(patron, valor) ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------------------
// The server's text functions that SQLite lacks, counted in characters as the server counts them.

// Bytes taken by the first `caracteres` characters of a UTF-8 text (all of it when shorter).
int BytesDe(const unsigned char* s, int bytes, sqlite3_int64 caracteres) {
    int i = 0;
    while (i < bytes && caracteres > 0) {
        ++i;
        while (i < bytes && (s[i] & 0xC0) == 0x80)
            ++i;
        --caracteres;
    }
    return i;
}

sqlite3_int64 Caracteres(const unsigned char* s, int bytes) {
    sqlite3_int64 n = 0;
    for (int i = 0; i < bytes; ++i)
        if ((s[i] & 0xC0) != 0x80)
            ++n;
    return n;
}

// LEN(x): characters without the trailing blanks.
void Len(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return;
    const unsigned char* s = sqlite3_value_text(argv[0]);
    int bytes = sqlite3_value_bytes(argv[0]);
    while (bytes > 0 && s[bytes - 1] == ' ')
        --bytes;
    sqlite3_result_int64(ctx, Caracteres(s, bytes));
}

// IZQUIERDA(x, n) and DERECHA(x, n): the server's LEFT and RIGHT.
void Extremo(sqlite3_context* ctx, sqlite3_value** argv, bool izquierda) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return;
    const sqlite3_int64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        sqlite3_result_error(ctx,
                             izquierda ? "Invalid length parameter passed to the left function."
                                       : "Invalid length parameter passed to the right function.",
                             -1);
        return;
    }
    const unsigned char* s = sqlite3_value_text(argv[0]);
    const int bytes = sqlite3_value_bytes(argv[0]);
    const char* texto = reinterpret_cast<const char*>(s);
    if (izquierda) {
        sqlite3_result_text(ctx, texto, BytesDe(s, bytes, n), SQLITE_TRANSIENT);
    } else {
        const sqlite3_int64 total = Caracteres(s, bytes);
        const int desde = total > n ? BytesDe(s, bytes, total - n) : 0;
        sqlite3_result_text(ctx, texto + desde, bytes - desde, SQLITE_TRANSIENT);
    }
}
void Izquierda(sqlite3_context* ctx, int, sqlite3_value** argv) {
    Extremo(ctx, argv, true);
}
void Derecha(sqlite3_context* ctx, int, sqlite3_value** argv) {
    Extremo(ctx, argv, false);
}

// CONCATENA_O_SUMA(a, b, ...): the server's "+" folded from the left. Two texts are joined; when either side
// is a number the text side is read as a number and they are added; a null gives null.
struct Operando {
    enum { Texto, Entero, Real } tipo = Texto;
    sqlite3_int64 entero = 0;
    double real = 0;
    std::string texto;
};

bool ANumero(Operando& o) {
    if (o.tipo != Operando::Texto)
        return true;
    const QByteArray t = QByteArray::fromRawData(o.texto.data(), qsizetype(o.texto.size())).trimmed();
    bool ok = false;
    const qlonglong e = t.toLongLong(&ok);
    if (ok) {
        o.tipo = Operando::Entero;
        o.entero = e;
        return true;
    }
    const double r = t.toDouble(&ok);
    if (ok) {
        o.tipo = Operando::Real;
        o.real = r;
    }
    return ok;
}

Operando LeeOperando(sqlite3_value* v) {
    Operando o;
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        o.tipo = Operando::Entero;
        o.entero = sqlite3_value_int64(v);
        break;
    case SQLITE_FLOAT:
        o.tipo = Operando::Real;
        o.real = sqlite3_value_double(v);
        break;
    default:
        o.texto.assign(reinterpret_cast<const char*>(sqlite3_value_text(v)), size_t(sqlite3_value_bytes(v)));
        break;
    }
    return o;
}

void ConcatenaOSuma(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int k = 0; k < argc; ++k)
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL)
            return;
    if (argc == 0)
        return;
    Operando acumulado = LeeOperando(argv[0]);
    for (int k = 1; k < argc; ++k) {
        Operando otro = LeeOperando(argv[k]);
        if (acumulado.tipo == Operando::Texto && otro.tipo == Operando::Texto) {
            acumulado.texto += otro.texto;
            continue;
        }
        if (!ANumero(acumulado) || !ANumero(otro)) {
            const std::string mensaje = "Conversion failed when converting the value '" +
                                        (acumulado.tipo == Operando::Texto ? acumulado.texto : otro.texto) +
                                        "' to a number.";
            sqlite3_result_error(ctx, mensaje.c_str(), -1);
            return;
        }
        sqlite3_int64 suma = 0;
        if (acumulado.tipo == Operando::Entero && otro.tipo == Operando::Entero &&
            !__builtin_add_overflow(acumulado.entero, otro.entero, &suma)) {
            acumulado.entero = suma;
            continue;
        }
        const double a = acumulado.tipo == Operando::Entero ? double(acumulado.entero) : acumulado.real;
        const double b = otro.tipo == Operando::Entero ? double(otro.entero) : otro.real;
        acumulado.tipo = Operando::Real;
        acumulado.real = a + b;
    }
    switch (acumulado.tipo) {
    case Operando::Entero:
        sqlite3_result_int64(ctx, acumulado.entero);
        break;
    case Operando::Real:
        sqlite3_result_double(ctx, acumulado.real);
        break;
    case Operando::Texto:
        sqlite3_result_text(ctx, acumulado.texto.data(), int(acumulado.texto.size()), SQLITE_TRANSIENT);
        break;
    }
}

// ---------------------------------------------------------------------------------------------------------
// A bound value of a date column: the system's date text as ISO, any other value unchanged.

void FechaIso(sqlite3_context* ctx, int, sqlite3_value** v) {
    if (sqlite3_value_type(v[0]) == SQLITE_TEXT) {
        const int bytes = sqlite3_value_bytes(v[0]);
        if (bytes >= 6 && bytes <= 24) {
            const auto* p = sqlite3_value_text(v[0]);
            char16_t texto[24];
            bool ascii = true;
            for (int i = 0; i < bytes; ++i) {
                ascii = ascii && p[i] < 128;
                texto[i] = char16_t(p[i]);
            }
            if (ascii) {
                if (const auto iso = FechaLiteralAIso(QStringView(texto, bytes))) {
                    const QByteArray utf8 = iso->toLatin1();
                    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
                    return;
                }
            }
        }
    }
    sqlite3_result_value(ctx, v[0]);
}

// ---------------------------------------------------------------------------------------------------------
// What the schema declares.

QByteArray Texto(sqlite3_stmt* st, int columna) {
    return QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, columna)));
}

// Runs a query of the schema and hands each row to `fila`; a query that fails gives no rows.
void CadaFila(sqlite3* db, const char* consulta, const std::function<void(sqlite3_stmt*)>& fila) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, consulta, -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            fila(st);
    sqlite3_finalize(st);
}

} // namespace

void RegistraColumnasFechaDeLaBase(sqlite3* db) {
    if (!db)
        return;
    QSet<QString> columnas;
    CadaFila(
        db,
        "SELECT DISTINCT c.name FROM sqlite_schema AS t, pragma_table_info(t.name) AS c "
        "WHERE t.type IN ('table', 'view') AND (instr(upper(c.type), 'DATE') > 0 OR instr(upper(c.type), "
        "'TIME') > 0)",
        [&](sqlite3_stmt* st) { columnas.insert(QString::fromUtf8(Texto(st, 0))); });
    RegistraColumnasFecha(columnas);
}

namespace {

// The width of a declared text type ("VARCHAR(25)", "nchar (1)"); 0 when it declares none.
int AnchoDeclarado(const QByteArray& tipo) {
    const QByteArray t = tipo.trimmed().toUpper();
    const qsizetype abre = t.indexOf('(');
    if (abre < 0 || !t.endsWith(')') || !t.left(abre).trimmed().endsWith("CHAR"))
        return 0;
    bool ok = false;
    const int ancho = t.mid(abre + 1, t.size() - abre - 2).trimmed().toInt(&ok);
    return ok && ancho > 0 ? ancho : 0;
}

QByteArray Identificador(const QByteArray& nombre) {
    return '"' + QByteArray(nombre).replace('"', "\"\"") + '"';
}

constexpr const char* kPrefijoAlta = "ANCHO_ALTA_";

struct ColumnaConAncho {
    QByteArray nombre;
    int ancho;
};

// The triggers of one table: a text past its column's width is refused before the row is written.
// Built-in functions only, so that any program can still write to the file. SQLite's length()
// stops at a NUL; the byte count (at most 4 a character) still refuses such a text when long.
QByteArray TriggersDeAncho(const QByteArray& tabla, const std::vector<ColumnaConAncho>& columnas,
                           bool temporales) {
    QByteArray cuando;
    QByteArray lista;
    for (const ColumnaConAncho& c : columnas) {
        if (!cuando.isEmpty()) {
            cuando += " OR ";
            lista += ',';
        }
        const QByteArray valor = "rtrim(NEW." + Identificador(c.nombre) + ", ' ')";
        cuando += "length(" + valor + ") > " + QByteArray::number(c.ancho) + " OR length(CAST(" + valor +
                  " AS BLOB)) > " + QByteArray::number(4 * qint64(c.ancho));
        lista += Identificador(c.nombre);
    }
    const QByteArray crea = temporales ? "CREATE TEMP TRIGGER " : "CREATE TRIGGER ";
    const QByteArray cuerpo =
        " WHEN " + cuando + " BEGIN SELECT RAISE(ABORT, '" + kTextoTruncado + "'); END;\n";
    return crea + Identificador(kPrefijoAlta + tabla) + " BEFORE INSERT ON " + Identificador(tabla) + cuerpo +
           crea + Identificador("ANCHO_CAMBIO_" + tabla) + " BEFORE UPDATE OF " + lista + " ON " +
           Identificador(tabla) + cuerpo;
}

} // namespace

void RegistraControlAnchos(sqlite3* db, bool enElArchivo) {
    if (!db)
        return;
    // Tables that have their checks already, in the file or on this connection.
    QSet<QByteArray> controladas;
    CadaFila(
        db,
        "SELECT tbl_name FROM sqlite_schema WHERE type = 'trigger' AND substr(name, 1, 11) = 'ANCHO_ALTA_' "
        "UNION ALL SELECT tbl_name FROM sqlite_temp_schema WHERE type = 'trigger'",
        [&](sqlite3_stmt* st) { controladas.insert(Texto(st, 0)); });
    QByteArray script;
    QByteArray tabla;
    std::vector<ColumnaConAncho> columnas;
    auto cierraTabla = [&] {
        if (!columnas.empty() && !controladas.contains(tabla))
            script += TriggersDeAncho(tabla, columnas, !enElArchivo);
        columnas.clear();
    };
    CadaFila(db,
             "SELECT t.name, c.name, c.type FROM sqlite_schema AS t, pragma_table_info(t.name) AS c "
             "WHERE t.type = 'table' AND substr(t.name, 1, 7) <> 'sqlite_' ORDER BY t.name, c.cid",
             [&](sqlite3_stmt* st) {
                 if (const QByteArray nombre = Texto(st, 0); nombre != tabla) {
                     cierraTabla();
                     tabla = nombre;
                 }
                 if (const int ancho = AnchoDeclarado(Texto(st, 2)); ancho > 0)
                     columnas.push_back({Texto(st, 1), ancho});
             });
    cierraTabla();
    // A table whose triggers cannot be made (a schema the connection cannot change) is left unchecked
    // rather than refused.
    sqlite3_exec(db, script.constData(), nullptr, nullptr, nullptr);
}

QString ClaveTexto(const QString& codigo) {
    qsizetype fin = codigo.size();
    while (fin > 0 && codigo.at(fin - 1) == u' ')
        --fin;
    return codigo.left(fin).toCaseFolded();
}

void RegistraFuncionesSqlite(sqlite3* db) {
    if (!db)
        return;
    constexpr int kPura = SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_collation(db, kColacionTexto, SQLITE_UTF16_ALIGNED, nullptr, ComparaTexto);
    sqlite3_create_collation(db, kColacionTexto, SQLITE_UTF8, nullptr, ComparaTextoUtf8);
    sqlite3_create_function(db, "like", 2, SQLITE_UTF16 | kPura, nullptr, Like, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, SQLITE_UTF16 | kPura, nullptr, Like, nullptr, nullptr);
    sqlite3_create_function(db, "LEN", 1, SQLITE_UTF8 | kPura, nullptr, Len, nullptr, nullptr);
    sqlite3_create_function(db, "IZQUIERDA", 2, SQLITE_UTF8 | kPura, nullptr, Izquierda, nullptr, nullptr);
    sqlite3_create_function(db, "DERECHA", 2, SQLITE_UTF8 | kPura, nullptr, Derecha, nullptr, nullptr);
    sqlite3_create_function(db, "CONCATENA_O_SUMA", -1, SQLITE_UTF8 | kPura, nullptr, ConcatenaOSuma, nullptr,
                            nullptr);
    sqlite3_create_function(db, kFuncionFechaIso, 1, SQLITE_UTF8 | kPura, nullptr, FechaIso, nullptr,
                            nullptr);
}

IdentidadesRepetidas AseguraClaveComprobantes(sqlite3* db, int cuantas) {
    IdentidadesRepetidas r;
    if (!db)
        return r;
    bool tabla = false;
    bool clave = false;
    CadaFila(db,
             "SELECT type, name FROM sqlite_schema WHERE (type = 'table' AND name = 'V_MV_STOCK') OR (type = "
             "'index' AND name = 'IX_MV_STOCK_CPTE')",
             [&](sqlite3_stmt* st) { (Texto(st, 0) == "table" ? tabla : clave) = true; });
    if (!tabla || clave)
        return r;
    const int rc = sqlite3_exec(db,
                                "CREATE UNIQUE INDEX IX_MV_STOCK_CPTE ON V_MV_STOCK (TC, IdComprobante, "
                                "IdComplemento, Secuencia)",
                                nullptr, nullptr, nullptr);
    if ((rc & 0xFF) != SQLITE_CONSTRAINT)
        return r;
    // The key's own comparison: the columns' collation; rows with a null take no part in it.
    CadaFila(
        db,
        "SELECT DISTINCT TC, IdComprobante, IdComplemento FROM V_MV_STOCK WHERE IdComplemento IS NOT NULL "
        "AND Secuencia IS NOT NULL GROUP BY TC, IdComprobante, IdComplemento, Secuencia HAVING COUNT(*) > 1 "
        "ORDER BY 1, 2, 3",
        [&](sqlite3_stmt* st) {
            if (r.total++ < cuantas)
                r.primeras << QString::fromUtf8(Texto(st, 0)).trimmed() + u' ' +
                                  QString::fromUtf8(Texto(st, 1)) + u' ' + QString::fromUtf8(Texto(st, 2));
        });
    return r;
}

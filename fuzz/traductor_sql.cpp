// The SQL translation, the batch splitter and the statement templates of the data-access layer, checked
// against SQLite itself: an in-memory database with the project's schema and the functions and collation
// every connection registers. The splitter keeps every character but the line breaks between statements and
// gives no blank statement. A statement that SQLite prepares as it stands, and that is written in what both
// dialects share (no named parameters, no backquotes), must still prepare, as one statement, after the
// translation: the translation never breaks, empties or splits what it need not touch; and so must the same
// statement written with the server's own forms (a table hint, the dbo schema, TOP, ISNULL), which the
// translation takes back out. Anything else is only translated, which must not fail.
// The server nests block comments and SQLite does not: the batch is first read here as the server reads it
// (a reading of this target's own), and every check against SQLite runs on the batch with each comment's
// inner "/*" and "*/" blanked, which both read alike. The splitter, the tokenizer under the translation and
// the "@ADMIN_" names, the transaction reader and the layer's test of what SQLite would read otherwise must
// each read the nested comments where this reading does, and that test tells a statement and its
// translation alike.
#include "AccesoDatosInterno.h"
#include "Comun.h"
#include "FuncionesSqlite.h"
#include "TraductorSql.h"

#include <QFile>
#include <QRegularExpression>
#include <sqlite3.h>

namespace {

sqlite3* Base() {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        if (sqlite3_open(":memory:", &d) != SQLITE_OK)
            Falla("no se abre la base en memoria");
        RegistraFuncionesSqlite(d);
        QFile esquema(QStringLiteral(MODELOS_FUENTES_DIR "/db/esquema.sql"));
        if (!esquema.open(QIODevice::ReadOnly))
            Falla("no se lee db/esquema.sql");
        char* error = nullptr;
        if (sqlite3_exec(d, esquema.readAll().constData(), nullptr, nullptr, &error) != SQLITE_OK)
            Falla("el esquema no se crea", QString::fromUtf8(error));
        RegistraColumnasFechaDeLaBase(d);
        // Rows enough for a TOP to have something to cut.
        if (sqlite3_exec(
                d,
                "INSERT INTO TA_MENU (MENU, TITULO, CLAVE, NOMBRE) VALUES ('M', 'D8021', 'D1', 'Uno'), "
                "('M', 'D8021', 'D2', 'Dos'), ('M', 'D8021', 'D3', 'Tres'), ('M', 'D8021', 'D4', "
                "'Cuatro'), ('M', 'D8021', 'D5', 'Cinco')",
                nullptr, nullptr, &error) != SQLITE_OK)
            Falla("no se cargan las filas de prueba", QString::fromUtf8(error));
        return d;
    }();
    return db;
}

enum class Preparada { No, Vacia, Una, Varias };

struct Resultado {
    Preparada estado = Preparada::No;
    bool parametrosConNombre = false;
    QString error;
};

// Prepares `sql` (never runs it): whether it is one statement, only blanks and comments, more
// than one, or refused.
Resultado Prepara(const QString& sql) {
    Resultado r;
    sqlite3_stmt* st = nullptr;
    const void* resto = nullptr;
    const auto bytes = static_cast<int>(sql.size() * 2);
    if (sqlite3_prepare16_v2(Base(), sql.utf16(), bytes, &st, &resto) != SQLITE_OK) {
        r.error = QString::fromUtf8(sqlite3_errmsg(Base()));
        sqlite3_finalize(st);
        return r;
    }
    if (!st) {
        r.estado = Preparada::Vacia;
        return r;
    }
    for (int i = 1; i <= sqlite3_bind_parameter_count(st); ++i)
        if (sqlite3_bind_parameter_name(st, i))
            r.parametrosConNombre = true;
    sqlite3_finalize(st);
    const auto usados = static_cast<const char16_t*>(resto) - reinterpret_cast<const char16_t*>(sql.utf16());
    r.estado = Prepara(sql.mid(usados)).estado == Preparada::Vacia ? Preparada::Una : Preparada::Varias;
    return r;
}

constexpr const char* kTop = "TOP 3 ";
constexpr int kFilasTop = 3;

// Rows a query gives, counted up to `hasta` (the query only read, never written).
int CuentaFilas(const QString& sql, int hasta) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare16_v2(Base(), sql.utf16(), static_cast<int>(sql.size() * 2), &st, nullptr) !=
            SQLITE_OK ||
        !st || !sqlite3_stmt_readonly(st)) {
        sqlite3_finalize(st);
        return 0;
    }
    int filas = 0;
    while (filas <= hasta && sqlite3_step(st) == SQLITE_ROW)
        ++filas;
    sqlite3_finalize(st);
    return filas;
}

// The statement as the suite would write it for the server: a hint after the table of its FROM
// (reading without locks, or locking what a check reads), the table in the dbo schema, TOP on a
// plain query, ISNULL for IFNULL. Only the forms that apply.
QStringList FormasDelServidor(const QString& s) {
    static const QRegularExpression tabla(
        QStringLiteral("\\bFROM\\s+([A-Za-z_][A-Za-z0-9_]*)(?=\\s+(WHERE|ORDER|GROUP)\\b|\\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression consulta(QStringLiteral("^\\s*SELECT\\s+(?!DISTINCT\\b|ALL\\b|TOP\\b)"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression compuesta(QStringLiteral("\\b(UNION|INTERSECT|EXCEPT|LIMIT)\\b|;"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression ifnull(QStringLiteral("\\bIFNULL\\s*\\("),
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList formas;
    if (const auto m = tabla.match(s); m.hasMatch()) {
        formas << QString(s).insert(m.capturedEnd(1), QStringLiteral(" WITH (NOLOCK)"));
        formas << QString(s).insert(m.capturedEnd(1), QStringLiteral(" WITH (UPDLOCK, HOLDLOCK)"));
        formas << QString(s).insert(m.capturedStart(1), QStringLiteral("dbo."));
    }
    if (const auto m = consulta.match(s); m.hasMatch() && !compuesta.match(s).hasMatch())
        formas << QString(s).insert(m.capturedEnd(), QString::fromLatin1(kTop));
    if (ifnull.match(s).hasMatch())
        formas << QString(s).replace(ifnull, QStringLiteral("ISNULL("));
    return formas;
}

// A name as the layer reads it is the name the server reads: written back bracketed, the
// statement is the same statement with the same name. Comments before and after a statement
// change nothing, and an unreadable one tells where its reading stopped.
void CompruebaTransaccion(const QString& s, Transaccion t, const QString& nombre, const QString& cerca) {
    if (t == Transaccion::Ilegible) {
        if (cerca.isEmpty() || !nombre.isEmpty())
            Falla("una sentencia de transacción ilegible sin dónde", s);
        return;
    }
    const bool conNombre = t == Transaccion::Guarda || t == Transaccion::RevierteAGuardado;
    if (conNombre && nombre.isEmpty())
        Falla("un punto de guardado sin nombre", s);
    if (!nombre.isEmpty() && t == Transaccion::Revierte)
        Falla("un nombre en un ROLLBACK de toda la transacción", s);
    if (t == Transaccion::Ninguna)
        return;
    QString leido;
    const QString comentada = QStringLiteral("/* a /* b */ */ -- c\n") + s + QStringLiteral("\n-- d");
    if (EsSentenciaTransaccion(comentada, &leido) != t || leido != nombre)
        Falla("un comentario cambia la sentencia de transacción", s);
    if (nombre.isEmpty())
        return;
    const QString orden = t == Transaccion::Guarda     ? QStringLiteral("SAVE")
                          : t == Transaccion::Inicia   ? QStringLiteral("BEGIN")
                          : t == Transaccion::Confirma ? QStringLiteral("COMMIT")
                                                       : QStringLiteral("ROLLBACK");
    const QString escrita =
        orden + QStringLiteral(" TRANSACTION [") + QString(nombre).replace(u']', QStringLiteral("]]")) + u']';
    if (EsSentenciaTransaccion(escrita, &leido) != t || leido != nombre)
        Falla("el nombre de la sentencia de transacción no se lee como se escribió",
              s + QStringLiteral("\n  ->  ") + escrita);
}

void CompruebaSentencia(const QString& s) {
    QString nombre;
    QString cerca;
    const Transaccion tipo = EsSentenciaTransaccion(s, &nombre, &cerca);
    CompruebaTransaccion(s, tipo, nombre, cerca);
    if (tipo != Transaccion::Ninguna || EsConsultaTrancount(s))
        return;
    if (const auto si = SeparaSiExiste(s)) {
        CompruebaSentencia(si->consulta);
        CompruebaSentencia(si->sentencia);
        return;
    }
    const QString traducida = TraduceSqlServerASqlite(s);
    // The layer's own readers of the same text: INSERT templates and queries with bound values.
    if (const auto plantilla = ad::Parametriza(s))
        ad::CuentaMarcadores(TraduceSqlServerASqlite(plantilla->texto));
    ad::ParametrizaConsulta(traducida);
    // SQLite reads a text only up to a NUL (the data layer never sends one), and backquotes are
    // its own.
    if (s.contains(u'`') || s.contains(QChar(0)))
        return;
    const Resultado original = Prepara(s);
    if (original.estado != Preparada::Una || original.parametrosConNombre)
        return;
    const Resultado despues = Prepara(traducida);
    if (despues.estado != Preparada::Una)
        Falla("una sentencia válida deja de prepararse al traducirla",
              s + QStringLiteral("\n  ->  ") + traducida + QStringLiteral("\n  ") + despues.error);
    for (const QString& variante : FormasDelServidor(s)) {
        const QString t = TraduceSqlServerASqlite(variante);
        const Resultado r = Prepara(t);
        if (r.estado != Preparada::Una)
            Falla("la forma del servidor de una sentencia válida no se prepara al traducirla",
                  variante + QStringLiteral("\n  ->  ") + t + QStringLiteral("\n  ") + r.error);
        if (variante.contains(QLatin1String(kTop)) && CuentaFilas(t, kFilasTop) > kFilasTop)
            Falla("TOP no limita las filas de la consulta traducida",
                  variante + QStringLiteral("\n  ->  ") + t);
    }
}

// The server's reading of a text's comments, apart from the layer's tokenizer: literals ('' inside),
// delimited names ([...] with "]]", "..." with two quotes), "--" to the end of its line, and block
// comments nested. `texto`: the same text with the "/*" and "*/" read inside a comment (all but its
// outermost pair) blanked, which SQLite reads as the server does.
struct Lectura {
    QString texto;
    bool anidado = false; // a comment held another
    bool abierto = false; // the text ends inside a comment
};

Lectura LeeComoElServidor(const QString& s) {
    Lectura r{s};
    const qsizetype n = s.size();
    const auto en = [&](qsizetype k, char16_t c) { return k < n && s[k] == c; };
    const auto borra = [&](qsizetype k) { r.texto[k] = r.texto[k + 1] = u' '; };
    for (qsizetype i = 0; i < n;) {
        const char16_t c = s[i].unicode();
        if (c == u'\'' || c == u'[' || c == u'"') {
            const char16_t cierre = c == u'[' ? u']' : c;
            for (++i; i < n; ++i)
                if (s[i] == cierre) {
                    if (!en(i + 1, cierre)) {
                        ++i;
                        break;
                    }
                    ++i;
                }
        } else if (c == u'-' && en(i + 1, u'-')) {
            while (i < n && s[i] != u'\r' && s[i] != u'\n')
                ++i;
        } else if (c == u'/' && en(i + 1, u'*')) {
            int profundidad = 1;
            for (i += 2; i < n && profundidad > 0;) {
                if (s[i] == u'/' && en(i + 1, u'*')) {
                    ++profundidad;
                    r.anidado = true;
                    borra(i);
                    i += 2;
                } else if (s[i] == u'*' && en(i + 1, u'/')) {
                    if (--profundidad > 0)
                        borra(i);
                    i += 2;
                } else {
                    ++i;
                }
            }
            r.abierto = r.abierto || profundidad > 0;
        } else {
            ++i;
        }
    }
    return r;
}

// A statement of the batch as the server reads it: the layer's readers of its nested comments find
// them where the server does, and change nothing inside them.
void CompruebaAnidados(const QString& s) {
    const Lectura l = LeeComoElServidor(s);
    const Comentarios esperada = l.abierto   ? Comentarios::Abierto
                                 : l.anidado ? Comentarios::Anidado
                                             : Comentarios::Igual;
    if (ComentariosEnSqlite(s) != esperada)
        Falla("no se sabe si SQLite leería los comentarios como el servidor", s);
    // A batch is refused on what its statements say before any runs; what SQLite gets is checked
    // again, and must be told alike.
    if (EsSentenciaTransaccion(s) == Transaccion::Ninguna && !SeparaSiExiste(s) &&
        ComentariosEnSqlite(TraduceSqlServerASqlite(s)) != esperada)
        Falla("la traducción cambia cómo leería SQLite los comentarios", s);
    if (!l.anidado)
        return;
    if (LeeComoElServidor(TraduceSqlServerASqlite(s)).texto != TraduceSqlServerASqlite(l.texto))
        Falla("la traducción cambia un comentario anidado o lee parte de él como SQL", s);
    for (const QString& base : {QString(), QStringLiteral("ADM")})
        if (LeeComoElServidor(ResuelveAdminSqlServer(s, base)).texto != ResuelveAdminSqlServer(l.texto, base))
            Falla("un nombre @ADMIN_ se resuelve dentro de un comentario anidado", s);
    QString nombre;
    QString nombreComoSqlite;
    if (EsSentenciaTransaccion(s, &nombre) != EsSentenciaTransaccion(l.texto, &nombreComoSqlite) ||
        nombre != nombreComoSqlite)
        Falla("un comentario anidado cambia la sentencia de transacción", s);
}

QString SinEspacios(QString s) {
    s.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\f' || u == u'\v';
    });
    return s;
}

} // namespace

// The "@ADMIN_" names resolved for SQL Server: a text without the prefix comes back as it
// stands; with the administration database named (however hostile its name), only the one
// delimited name of that database and ".dbo." are added, and only before the names that the
// database is said to hold, where without one only the prefix is dropped.
void CompruebaAdmin(const QString& s) {
    const QString propia = ResuelveAdminSqlServer(s, QString());
    if (!s.contains(QLatin1StringView("@admin_"), Qt::CaseInsensitive) &&
        (propia != s || ResuelveAdminSqlServer(s, QStringLiteral("ADM")) != s))
        Falla("sin @ADMIN_ el texto cambia", s);
    const qsizetype quitados = s.size() - propia.size();
    if (quitados < 0 || quitados % 7 != 0 ||
        s.count(QLatin1StringView("@admin_"), Qt::CaseInsensitive) < quitados / 7)
        Falla("se quita otra cosa que el prefijo @ADMIN_", s);
    for (const QString& base : {QStringLiteral("ADM"), QStringLiteral("[x].dbo.T; DROP TABLE Y --"),
                                QStringLiteral("[a]]b]"), QStringLiteral("[Admin")}) {
        const QString admin = NombreBaseAdministracion(base);
        const QString nombre = CitaNombre(admin);
        // One delimited name: between brackets, every "]" inside doubled.
        if (!nombre.startsWith(u'[') || !nombre.endsWith(u']') ||
            nombre.mid(1, nombre.size() - 2).remove(QStringLiteral("]]")).contains(u']'))
            Falla("la base de administración no queda como un solo nombre", base);
        const QString prefijo = nombre + QStringLiteral(".dbo.");
        if (propia.contains(prefijo))
            continue; // the text holds it already: nothing to tell apart
        int tenidas = 0;
        const QString otra = ResuelveAdminSqlServer(s, admin, [&](const QString& tabla) {
            const bool tiene = tabla.size() % 2 == 1;
            tenidas += tiene ? 1 : 0;
            return tiene;
        });
        if (otra.count(prefijo) != tenidas || QString(otra).remove(prefijo) != propia)
            Falla("la base de administración no se antepone sólo a los nombres que tiene", s);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString escrito = TextoUtf8(datos, largo);
    // The batch split where the server reads its comments to end: the same statements as the batch
    // that SQLite reads alike.
    const QString lote = LeeComoElServidor(escrito).texto;
    const QStringList sentencias = DivideTanda(lote);
    const QStringList escritas = DivideTanda(escrito);
    if (escritas.size() != sentencias.size())
        Falla("el lote no se divide donde el servidor termina sus comentarios", escrito);
    for (qsizetype i = 0; i < escritas.size(); ++i) {
        if (LeeComoElServidor(escritas[i]).texto != sentencias[i])
            Falla("el lote no se divide donde el servidor termina sus comentarios", escrito);
        CompruebaAnidados(escritas[i]);
    }
    for (const QString& s : sentencias)
        if (SinEspacios(s).isEmpty())
            Falla("el lote da una sentencia en blanco");
    // The statements stand in the batch in order, as they were written; what lies between them
    // is blanks and comments only (SQLite's own reading finds no statement there). A statement's
    // text may also stand inside a comment before it: its place is the first one of whole lines
    // outside any, where a word after the gap is read as a word, not as more comment.
    qsizetype desde = 0;
    // Read by SQLite as the batch reads it: a NUL, which ends SQLite's text, stands for a
    // character that is no blank, and a CR ends a "--" comment as a line feed does.
    const auto hueco = [&](qsizetype hasta) {
        return lote.mid(desde, hasta - desde)
            .replace(QChar(u'\v'), QChar(u' '))
            .replace(QChar(u'\0'), QChar(1))
            .replace(QChar(u'\r'), QChar(u'\n'));
    };
    // SQLite reads a "/*" that ends its text as an operator; the batch, as an open comment.
    const auto soloComentarios = [&](qsizetype hasta) {
        return Prepara(hueco(hasta) + u'\n').estado == Preparada::Vacia;
    };
    const auto fueraDeComentario = [&](qsizetype en) {
        return Prepara(hueco(en) + QStringLiteral("x")).estado != Preparada::Vacia;
    };
    // Each statement is whole lines of the batch.
    const auto entreLineas = [&](qsizetype en, qsizetype fin) {
        const auto salto = [&](qsizetype k) { return lote[k] == u'\r' || lote[k] == u'\n'; };
        return (en == 0 || salto(en - 1)) && (fin == lote.size() || salto(fin));
    };
    for (const QString& s : sentencias) {
        qsizetype en = lote.indexOf(s, desde);
        while (en >= 0 && !(entreLineas(en, en + s.size()) && soloComentarios(en) && fueraDeComentario(en)))
            en = lote.indexOf(s, en + 1);
        if (en < 0)
            Falla("el lote pierde o cambia texto al dividirse", s);
        desde = en + s.size();
    }
    if (!soloComentarios(lote.size()))
        Falla("el lote pierde o cambia texto al dividirse", hueco(lote.size()));
    for (const QString& s : sentencias) {
        CompruebaSentencia(s);
        CompruebaAdmin(s);
    }
    // A query opened as a record set is not split: its line breaks, and the comments they end, stay.
    if (sentencias.size() > 1)
        CompruebaSentencia(lote);
    return 0;
}

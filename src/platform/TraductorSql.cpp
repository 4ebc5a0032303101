#include "TraductorSql.h"

#include "FuncionesSqlite.h"

#include <QDate>
#include <QReadWriteLock>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------------------
// Tokens of one statement. The rewrite works on these in a single pass; literals and delimited identifiers
// are copied as they stand.

enum class Tk : std::uint8_t { Espacio, Comentario, Cadena, CadenaN, Palabra, Delimitado, Numero, Simbolo };

struct Token {
    Tk tipo;
    int ini;
    int len;
};

bool EsEspacio(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v';
}
bool EsDigito(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool EsInicioPalabra(char16_t c) {
    if (c < 128)
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'@' || c == u'#';
    return QChar(c).isLetter();
}
bool EsParteDePalabra(char16_t c) {
    return EsInicioPalabra(c) || EsDigito(c) || c == u'$';
}

// Index just past a literal whose opening quote was before `k` ('' is an escaped quote).
int FinCadena(const QChar* p, int n, int k) {
    while (k < n) {
        if (p[k] == u'\'') {
            if (k + 1 < n && p[k + 1] == u'\'')
                k += 2;
            else
                return k + 1;
        } else {
            ++k;
        }
    }
    return n;
}

// Index just past a comment that begins at `k` ("--" to the end of its line, its line break not
// included; "/* ... */" with the comments inside it, nested as the server nests them), or -1 when
// none begins there. `abierto`: a block comment that the text ends inside.
qsizetype FinComentario(const QChar* p, qsizetype n, qsizetype k, bool* abierto = nullptr) {
    if (abierto)
        *abierto = false;
    if (k + 1 >= n)
        return -1;
    if (p[k] == u'-' && p[k + 1] == u'-') {
        k += 2;
        while (k < n && p[k] != u'\r' && p[k] != u'\n')
            ++k;
        return k;
    }
    if (p[k] != u'/' || p[k + 1] != u'*')
        return -1;
    int profundidad = 1;
    k += 2;
    while (k < n) {
        if (p[k] == u'/' && k + 1 < n && p[k + 1] == u'*') {
            ++profundidad;
            k += 2;
        } else if (p[k] == u'*' && k + 1 < n && p[k + 1] == u'/') {
            k += 2;
            if (--profundidad == 0)
                return k;
        } else {
            ++k;
        }
    }
    if (abierto)
        *abierto = true;
    return n;
}

int FinDelimitado(const QChar* p, int n, int k, char16_t cierre) {
    while (k < n) {
        if (p[k] == cierre) {
            if (k + 1 < n && p[k + 1] == cierre)
                k += 2;
            else
                return k + 1;
        } else {
            ++k;
        }
    }
    return n;
}

// Long on purpose: the SQL tokenizer: one branch per token kind of the suite's dialect.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
void Tokeniza(QStringView s, std::vector<Token>& out) {
    const QChar* p = s.data();
    const int n = int(s.size());
    int i = 0;
    while (i < n) {
        const char16_t c = p[i].unicode();
        const char16_t sig = i + 1 < n ? p[i + 1].unicode() : u'\0';
        int j = i + 1;
        Tk t = Tk::Simbolo;
        if (EsEspacio(c)) {
            while (j < n && EsEspacio(p[j].unicode()))
                ++j;
            t = Tk::Espacio;
        } else if (c == u'\'') {
            j = FinCadena(p, n, i + 1);
            t = Tk::Cadena;
        } else if ((c == u'N' || c == u'n') && sig == u'\'') {
            j = FinCadena(p, n, i + 2);
            t = Tk::CadenaN;
        } else if (c == u'[') {
            j = FinDelimitado(p, n, i + 1, u']');
            t = Tk::Delimitado;
        } else if (c == u'"') {
            j = FinDelimitado(p, n, i + 1, u'"');
            t = Tk::Delimitado;
        } else if (const qsizetype fin = FinComentario(p, n, i); fin >= 0) {
            j = int(fin);
            t = Tk::Comentario;
        } else if (EsDigito(c) || (c == u'.' && EsDigito(sig))) {
            while (j < n && (EsDigito(p[j].unicode()) || p[j] == u'.'))
                ++j;
            if (j + 1 < n && (p[j] == u'e' || p[j] == u'E') &&
                (EsDigito(p[j + 1].unicode()) ||
                 ((p[j + 1] == u'+' || p[j + 1] == u'-') && j + 2 < n && EsDigito(p[j + 2].unicode())))) {
                j += 2;
                while (j < n && EsDigito(p[j].unicode()))
                    ++j;
            }
            t = Tk::Numero;
        } else if (EsInicioPalabra(c)) {
            while (j < n && EsParteDePalabra(p[j].unicode()))
                ++j;
            t = Tk::Palabra;
        } else if ((c == u'<' && (sig == u'>' || sig == u'=')) || (c == u'>' && sig == u'=') ||
                   (c == u'!' && (sig == u'=' || sig == u'<' || sig == u'>')) || (c == u'|' && sig == u'|')) {
            j = i + 2;
        }
        out.push_back({t, i, j - i});
        i = j;
    }
}

// Case-insensitive comparison with an ASCII keyword written in lower case.
bool Igual(QStringView a, const char* kw) {
    qsizetype i = 0;
    for (; kw[i] != '\0'; ++i) {
        if (i >= a.size())
            return false;
        char16_t c = a[i].unicode();
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + 32);
        if (c != char16_t(kw[i]))
            return false;
    }
    return i == a.size();
}

bool EmpiezaCon(QStringView a, const char* kw) {
    qsizetype i = 0;
    for (; kw[i] != '\0'; ++i)
        if (i >= a.size())
            return false;
    return Igual(a.first(i), kw);
}

// Words that end or start an expression, never a column of a "+" chain.
bool EsPalabraReservada(QStringView w) {
    static const char* const kReservadas[] = {
        "all",      "and",    "any",    "as",     "between", "by",     "case",  "collate", "delete",
        "distinct", "else",   "end",    "escape", "exists",  "from",   "group", "having",  "in",
        "inner",    "insert", "into",   "is",     "join",    "left",   "like",  "not",     "null",
        "on",       "or",     "order",  "outer",  "right",   "select", "set",   "some",    "then",
        "top",      "union",  "update", "values", "when",    "where",  "with"};
    for (const char* r : kReservadas)
        if (Igual(w, r))
            return true;
    return false;
}

// ---------------------------------------------------------------------------------------------------------

class Traductor {
public:
    Traductor(QStringView s, const std::vector<Token>& t, std::vector<int>& columnas)
        : s_(s), t_(t), n_(int(t.size())), columnas_(columnas) {
        out_.reserve(s.size() + 32);
        niveles_.reserve(8);
        niveles_.emplace_back();
        columnas_.clear();
    }

    QString Ejecuta() {
        for (int i = 0; i < n_;) {
            const int desde = i;
            i = Paso(i, true);
            AnotaFin(desde, i);
        }
        if (!limites_.empty())
            CierraLimitesAlFinal();
        return std::move(out_);
    }

private:
    struct Limite {
        int profundidad;
        QStringView filas;
    };
    // Lists whose items are values of known columns.
    enum class Lista : std::uint8_t { Otra, Columnas, Fila, Seleccion, En };
    struct Nivel {
        Lista lista = Lista::Otra;
        int elemento = 0; // Fila, Seleccion: position of the current item
        int columna = -1; // En: the column's token
    };
    enum class Insercion : std::uint8_t { Ninguna, Tabla, Columnas, Valores };

    QStringView Tx(int i) const { return s_.sliced(t_[i].ini, t_[i].len); }

    // Where the output of the tokens [desde, hasta) ended: text added later at the end of the
    // statement must go before any comment that follows its last word.
    void AnotaFin(int desde, int hasta) {
        for (int k = hasta - 1; k >= desde; --k) {
            if (t_[k].tipo == Tk::Espacio)
                continue;
            trasComentario_ = t_[k].tipo == Tk::Comentario;
            if (trasComentario_)
                return;
            const bool puntoYComa = Sim(k, u';');
            if (puntoYComa)
                finAntesDePuntoYComa_ = finUtil_;
            finUtil_ = out_.size();
            puntoYComaAlFinal_ = puntoYComa;
            return;
        }
    }
    bool Significativo(int i) const { return t_[i].tipo != Tk::Espacio && t_[i].tipo != Tk::Comentario; }
    // First significant token at or after i (n_ when none).
    int SigDesde(int i) const {
        while (i < n_ && !Significativo(i))
            ++i;
        return i;
    }
    int Sig(int i) const { return SigDesde(i + 1); }
    int Ant(int i) const {
        --i;
        while (i >= 0 && !Significativo(i))
            --i;
        return i;
    }
    bool Es(int i, const char* kw) const {
        return i >= 0 && i < n_ && t_[i].tipo == Tk::Palabra && Igual(Tx(i), kw);
    }
    bool Sim(int i, char16_t c) const {
        return i >= 0 && i < n_ && t_[i].tipo == Tk::Simbolo && t_[i].len == 1 && s_[t_[i].ini] == c;
    }
    bool SimDoble(int i, const char16_t* op) const {
        return i >= 0 && i < n_ && t_[i].tipo == Tk::Simbolo && t_[i].len == 2 && s_[t_[i].ini] == op[0] &&
               s_[t_[i].ini + 1] == op[1];
    }
    bool EsComparacion(int i) const {
        return Sim(i, u'=') || Sim(i, u'<') || Sim(i, u'>') || SimDoble(i, u"<>") || SimDoble(i, u"!=") ||
               SimDoble(i, u"<=") || SimDoble(i, u">=");
    }
    bool EsNombre(int i) const {
        return i >= 0 && i < n_ &&
               ((t_[i].tipo == Tk::Palabra && !EsPalabraReservada(Tx(i))) || t_[i].tipo == Tk::Delimitado);
    }

    int Paso(int i, bool conCadenas) {
        const Token& k = t_[i];
        if (conCadenas && (k.tipo == Tk::Palabra || k.tipo == Tk::Delimitado || k.tipo == Tk::Cadena ||
                           k.tipo == Tk::CadenaN)) {
            if (int fin = CadenaDeSumas(i); fin >= 0)
                return fin;
        }
        switch (k.tipo) {
        case Tk::Palabra:
            Sigue(i);
            return Palabra(i);
        case Tk::Cadena:
        case Tk::CadenaN:
            Literal(i);
            return i + 1;
        case Tk::Simbolo:
            return Simbolo(i);
        default:
            out_ += Tx(i);
            return i + 1;
        }
    }

    int Palabra(int i) {
        const QStringView w = Tx(i);
        const int siguiente = Sig(i);
        if (Igual(w, "with") && Sim(siguiente, u'(')) {
            if (int cierre = SugerenciaDeTabla(siguiente); cierre >= 0)
                return QuitaSugerencia(cierre);
        }
        if (Igual(w, "top") && (Es(Ant(i), "select") || Es(Ant(i), "distinct") || Es(Ant(i), "all"))) {
            if (int fin = QuitaTop(siguiente); fin >= 0)
                return fin;
        }
        if (Igual(w, "dbo") && Sim(i + 1, u'.'))
            return i + 2;
        if (EmpiezaCon(w, "@admin_") && w.size() > 7) {
            out_ += w.sliced(7);
            return i + 1;
        }
        if (Sim(siguiente, u'(')) {
            if (Igual(w, "isnull")) {
                out_ += u"IFNULL";
                return i + 1;
            }
            if (Igual(w, "substring")) {
                out_ += u"SUBSTR";
                return i + 1;
            }
            // LEFT and RIGHT are part of SQLite's join grammar and cannot name a function.
            if (Igual(w, "left")) {
                out_ += u"IZQUIERDA";
                return i + 1;
            }
            if (Igual(w, "right")) {
                out_ += u"DERECHA";
                return i + 1;
            }
            if (Igual(w, "getdate") && Sim(Sig(siguiente), u')')) {
                out_ += u"DATETIME('now','localtime')";
                return Sig(siguiente) + 1;
            }
        }
        if (Igual(w, "delete")) {
            const int ant = Ant(i);
            const bool alInicio = ant < 0 || Sim(ant, u')') || Sim(ant, u';');
            const bool tabla =
                siguiente < n_ &&
                (t_[siguiente].tipo == Tk::Delimitado ||
                 (t_[siguiente].tipo == Tk::Palabra && !Es(siguiente, "from") && !Es(siguiente, "top")));
            if (alInicio && tabla) {
                out_ += w;
                out_ += u" FROM";
                return i + 1;
            }
        }
        out_ += w;
        return i + 1;
    }

    void Literal(int i) {
        const Token& k = t_[i];
        const int desde = k.ini + (k.tipo == Tk::CadenaN ? 1 : 0);
        const QStringView lit = s_.sliced(desde, k.ini + k.len - desde);
        std::optional<QString> fecha;
        if (lit.size() >= 2 && lit.back() == u'\'')
            fecha = FechaLiteralAIso(lit.sliced(1, lit.size() - 2));
        // Date-shaped text is a date only where it is the value of a date column; a name or a
        // setting that looks like a date is kept as written.
        if (fecha && EsColumnaDeFecha(ColumnaDe(i))) {
            out_ += u'\'';
            out_ += *fecha;
            out_ += u'\'';
        } else {
            out_ += lit;
        }
        // A function's result carries no collation: compare it as the columns compare.
        const int op = Ant(i);
        if (EsComparacion(op) && (Sim(Ant(op), u')') || (Ant(op) >= 0 && Ant(op) == finDeSumas_))) {
            out_ += u" COLLATE ";
            out_ += QLatin1StringView(kColacionTexto);
            // 'x'AND is valid on the server: the collation's name must not swallow the next word.
            if (i + 1 < n_ && (t_[i + 1].tipo == Tk::Palabra || t_[i + 1].tipo == Tk::Numero ||
                               t_[i + 1].tipo == Tk::CadenaN))
                out_ += u' ';
        }
    }

    int Simbolo(int i) {
        if (Sim(i, u'(')) {
            if (int cierre = SugerenciaDeTabla(i); cierre >= 0 && EsNombre(Ant(i)))
                return QuitaSugerencia(cierre);
            AbreNivel(i);
            ++profundidad_;
            out_ += u'(';
            return i + 1;
        }
        if (Sim(i, u')')) {
            if (!limites_.empty() && limites_.back().profundidad == profundidad_) {
                out_ += u" LIMIT ";
                out_ += limites_.back().filas;
                limites_.pop_back();
            }
            CierraNivel(i);
            --profundidad_;
            out_ += u')';
            return i + 1;
        }
        if (Sim(i, u',')) {
            Nivel& nv = niveles_.back();
            if (nv.lista == Lista::Columnas)
                AgregaColumna(Ant(i));
            else if (nv.lista == Lista::Fila || nv.lista == Lista::Seleccion)
                ++nv.elemento;
        } else if (Sim(i, u';')) {
            insercion_ = Insercion::Ninguna;
            enValores_ = false;
            niveles_.back() = Nivel{};
        } else if (Sim(i, u'?') && EsColumnaDeFecha(ColumnaDe(i))) {
            // A value bound later for a date column: converted as a literal would be.
            out_ += QLatin1StringView(kFuncionFechaIso);
            out_ += u"(?)";
            return i + 1;
        }
        out_ += Tx(i);
        return i + 1;
    }

    // -----------------------------------------------------------------------------------------------------
    // Which column a value stands for. Kept along the single pass: the INSERT's column list, the position
    // in its VALUES rows or SELECT list, and the column of an IN list; comparisons and BETWEEN are read
    // from the tokens next to the value.

    void Sigue(int i) {
        const QStringView w = Tx(i);
        Nivel& nv = niveles_.back();
        if (nv.lista != Lista::Seleccion) {
            // Most words are none of the three: look no further than their first letter.
            const char16_t c = w[0].unicode() | 0x20;
            if (c != u'i' && c != u'v' && c != u's')
                return;
        }
        if (Igual(w, "insert")) {
            insercion_ = Insercion::Tabla;
            nivelInsercion_ = profundidad_;
            enValores_ = false;
            columnas_.clear();
        } else if (Igual(w, "values")) {
            if (insercion_ == Insercion::Tabla)
                insercion_ = Insercion::Ninguna; // no column list: positions name nothing
            enValores_ = insercion_ == Insercion::Valores && profundidad_ == nivelInsercion_;
        } else if (Igual(w, "select")) {
            if (nv.lista == Lista::En)
                nv.lista = Lista::Otra; // a subquery, not a list of values
            if (insercion_ == Insercion::Tabla)
                insercion_ = Insercion::Ninguna;
            if (insercion_ == Insercion::Valores && profundidad_ == nivelInsercion_) {
                enValores_ = false;
                nv = Nivel{Lista::Seleccion, 0, -1};
            }
        } else if (nv.lista == Lista::Seleccion && EsFinDeSeleccion(i)) {
            nv.lista = Lista::Otra;
        }
    }

    bool EsFinDeSeleccion(int i) const {
        return Es(i, "from") || Es(i, "where") || Es(i, "group") || Es(i, "order") || Es(i, "having") ||
               Es(i, "union") || Es(i, "except") || Es(i, "intersect") || Es(i, "limit");
    }

    void AbreNivel(int i) {
        Nivel nuevo;
        const int ant = Ant(i);
        if (profundidad_ == nivelInsercion_ && insercion_ == Insercion::Tabla) {
            nuevo.lista = Lista::Columnas;
            insercion_ = Insercion::Columnas;
        } else if (profundidad_ == nivelInsercion_ && insercion_ == Insercion::Valores && enValores_ &&
                   (Es(ant, "values") || Sim(ant, u','))) {
            nuevo.lista = Lista::Fila;
        } else if (Es(ant, "in")) {
            nuevo.lista = Lista::En;
            nuevo.columna = ColumnaAntesDe(ant);
        }
        niveles_.push_back(nuevo);
    }

    void CierraNivel(int i) {
        if (niveles_.back().lista == Lista::Columnas) {
            AgregaColumna(Ant(i));
            insercion_ = Insercion::Valores;
        }
        if (niveles_.size() > 1)
            niveles_.pop_back();
    }

    void AgregaColumna(int k) {
        if (Sim(k, u'('))
            return;
        const bool nombre = k >= 0 && (t_[k].tipo == Tk::Palabra || t_[k].tipo == Tk::Delimitado);
        columnas_.push_back(nombre ? k : -1);
    }

    bool EsAritmetico(int i) const {
        return Sim(i, u'+') || Sim(i, u'-') || Sim(i, u'*') || Sim(i, u'/') || Sim(i, u'%') ||
               SimDoble(i, u"||");
    }
    bool EsValor(int i) const {
        return i >= 0 && i < n_ && (t_[i].tipo == Tk::Cadena || t_[i].tipo == Tk::CadenaN || Sim(i, u'?'));
    }

    // The column compared on the left of an operator at `op`: a (qualified) name, or one inside MAX or MIN.
    int ColumnaIzquierda(int op) const {
        const int c = Ant(op);
        if (EsNombre(c))
            return c;
        if (!Sim(c, u')'))
            return -1;
        const int nombre = Ant(c);
        if (!EsNombre(nombre))
            return -1;
        int q = nombre;
        while (Sim(q - 1, u'.') && EsNombre(q - 2))
            q -= 2;
        const int abre = Ant(q);
        return Sim(abre, u'(') && (Es(Ant(abre), "max") || Es(Ant(abre), "min")) ? nombre : -1;
    }

    // The column compared on the right of an operator at `op`: a (qualified) name that is not a function.
    int ColumnaDerecha(int op) const {
        int c = Sig(op);
        if (!EsNombre(c))
            return -1;
        while (Sim(c + 1, u'.') && EsNombre(c + 2))
            c += 2;
        return Sim(Sig(c), u'(') ? -1 : c;
    }

    // The column before IN or BETWEEN (a NOT in between allowed).
    int ColumnaAntesDe(int palabra) const {
        int c = Ant(palabra);
        if (Es(c, "not"))
            c = Ant(c);
        return EsNombre(c) ? c : -1;
    }

    // The token of the column whose value the literal or marker at `i` is, or -1.
    int ColumnaDe(int i) const {
        const Nivel& nv = niveles_.back();
        const int ant = Ant(i);
        const int sig = Sig(i);
        switch (nv.lista) {
        case Lista::Fila:
        case Lista::En:
            if ((Sim(ant, u'(') || Sim(ant, u',')) && (Sim(sig, u',') || Sim(sig, u')'))) {
                if (nv.lista == Lista::En)
                    return nv.columna;
                return nv.elemento < int(columnas_.size()) ? columnas_[size_t(nv.elemento)] : -1;
            }
            break;
        case Lista::Seleccion:
            if ((Sim(ant, u',') || Es(ant, "select") || Es(ant, "distinct") || Es(ant, "all")) &&
                (sig >= n_ || Sim(sig, u',') || Sim(sig, u';') || Sim(sig, u')') || Es(sig, "as") ||
                 EsNombre(sig) || EsFinDeSeleccion(sig)))
                return nv.elemento < int(columnas_.size()) ? columnas_[size_t(nv.elemento)] : -1;
            break;
        default:
            break;
        }
        if (EsComparacion(ant) && !EsAritmetico(sig))
            return ColumnaIzquierda(ant);
        if (EsComparacion(sig) && !EsAritmetico(ant))
            return ColumnaDerecha(sig);
        if (Es(ant, "between"))
            return ColumnaAntesDe(ant);
        if (Es(ant, "and") && EsValor(Ant(ant)) && Es(Ant(Ant(ant)), "between"))
            return ColumnaAntesDe(Ant(Ant(ant)));
        return -1;
    }

    bool EsColumnaDeFecha(int c) const {
        if (c < 0)
            return false;
        QStringView nombre = Tx(c);
        if (t_[c].tipo == Tk::Delimitado && nombre.size() >= 2)
            nombre = nombre.sliced(1, nombre.size() - 2);
        return EsColumnaFecha(nombre);
    }

    // "(nolock)", "(updlock, holdlock)", ... from the opening parenthesis: the index of its ")" or -1.
    // The locking hints serialize a check inside a transaction on the server; SQLite's write lock,
    // taken at BEGIN, already does.
    int SugerenciaDeTabla(int abre) const {
        int k = Sig(abre);
        for (;;) {
            if (!Es(k, "nolock") && !Es(k, "updlock") && !Es(k, "holdlock") && !Es(k, "rowlock"))
                return -1;
            k = Sig(k);
            if (Sim(k, u')'))
                return k;
            if (!Sim(k, u','))
                return -1;
            k = Sig(k);
        }
    }

    // Drops a table hint together with the blanks before it; a blank is kept where words would touch.
    // The line break that ends a "--" comment stays, or the rest of the statement would join it.
    int QuitaSugerencia(int cierre) {
        while (!trasComentario_ && !out_.isEmpty() && EsEspacio(out_.back().unicode()))
            out_.chop(1);
        const int sig = cierre + 1;
        if (sig < n_ && Significativo(sig) && !Sim(sig, u')') && !Sim(sig, u',') && !Sim(sig, u';') &&
            !out_.isEmpty() && !EsEspacio(out_.back().unicode()))
            out_ += u' ';
        return sig;
    }

    // "TOP n" or "TOP (n)": removed with the blanks after it; the LIMIT goes where its query ends.
    int QuitaTop(int k) {
        QStringView filas;
        int fin = -1;
        if (k < n_ && t_[k].tipo == Tk::Numero) {
            filas = Tx(k);
            fin = k + 1;
        } else if (Sim(k, u'(') && Sig(k) < n_ && t_[Sig(k)].tipo == Tk::Numero && Sim(Sig(Sig(k)), u')')) {
            filas = Tx(Sig(k));
            fin = Sig(Sig(k)) + 1;
        }
        if (fin < 0)
            return -1;
        limites_.push_back({profundidad_, filas});
        while (fin < n_ && t_[fin].tipo == Tk::Espacio)
            ++fin;
        return fin;
    }

    // The LIMITs go after the statement's last word, before a final ";" and any comment after it;
    // blanks alone after them are dropped.
    void CierraLimitesAlFinal() {
        const qsizetype e = puntoYComaAlFinal_ ? finAntesDePuntoYComa_ : finUtil_;
        QString cola = out_.sliced(e);
        out_.truncate(e);
        while (!limites_.empty()) {
            out_ += u" LIMIT ";
            out_ += limites_.back().filas;
            limites_.pop_back();
        }
        if (std::all_of(cola.cbegin(), cola.cend(),
                        [](QChar c) { return c == u';' || EsEspacio(c.unicode()); }))
            cola = puntoYComaAlFinal_ ? QStringLiteral(";") : QString();
        out_ += cola;
    }

    // One operand of a "+" chain: a literal or a (qualified) column name. Index past it, or -1.
    int FinOperando(int q) const {
        if (q >= n_)
            return -1;
        if (t_[q].tipo == Tk::Cadena || t_[q].tipo == Tk::CadenaN)
            return q + 1;
        if (!EsNombre(q))
            return -1;
        int k = q;
        while (Sim(k + 1, u'.') && k + 2 < n_ &&
               (t_[k + 2].tipo == Tk::Palabra || t_[k + 2].tipo == Tk::Delimitado))
            k += 2;
        if (Sim(Sig(k), u'('))
            return -1;
        return k + 1;
    }

    // SQL Server's "+" joins texts and adds numbers, as the operands' types say. A chain of column names and
    // literals becomes one call of a function that does the same; numeric literals keep SQLite's "+".
    int CadenaDeSumas(int i) {
        int k = i;
        while (Sim(k + 1, u'.') && k + 2 < n_)
            k += 2;
        if (!Sim(Sig(k), u'+'))
            return -1;
        const int fin = FinOperando(i);
        if (fin < 0 || !Sim(SigDesde(fin), u'+'))
            return -1;
        const int ant = Ant(i);
        if (Sim(ant, u'-') || Sim(ant, u'+') || Sim(ant, u'*') || Sim(ant, u'/') || Sim(ant, u'%') ||
            Sim(ant, u'~') || Sim(ant, u'.') || SimDoble(ant, u"||"))
            return -1;
        operandos_.clear();
        operandos_.push_back({i, fin});
        int mas = SigDesde(fin);
        while (Sim(mas, u'+')) {
            const int q = Sig(mas);
            const int f = FinOperando(q);
            if (f < 0)
                break;
            operandos_.push_back({q, f});
            mas = SigDesde(f);
        }
        if (operandos_.size() < 2)
            return -1;
        if (Sim(mas, u'*') || Sim(mas, u'/') || Sim(mas, u'%') || SimDoble(mas, u"||") || Es(mas, "collate"))
            return -1;
        out_ += u"CONCATENA_O_SUMA(";
        // Copied so that a nested Paso cannot disturb the list.
        const auto ops = operandos_;
        for (size_t o = 0; o < ops.size(); ++o) {
            if (o > 0)
                out_ += u',';
            for (int j = ops[o].first; j < ops[o].second;)
                j = Paso(j, false);
        }
        out_ += u')';
        finDeSumas_ = ops.back().second - 1;
        return ops.back().second;
    }

    QStringView s_;
    const std::vector<Token>& t_;
    const int n_;
    QString out_;
    int profundidad_ = 0;
    int finDeSumas_ = -1;                // last token of the latest "+" chain
    qsizetype finUtil_ = 0;              // end of the output of the last significant token
    qsizetype finAntesDePuntoYComa_ = 0; // the same before a final ";"
    bool puntoYComaAlFinal_ = false;
    bool trasComentario_ = false; // the last token that is not blank is a comment
    std::vector<Limite> limites_;
    std::vector<std::pair<int, int>> operandos_;
    std::vector<Nivel> niveles_; // the statement, then one per open parenthesis
    Insercion insercion_ = Insercion::Ninguna;
    int nivelInsercion_ = -1;
    bool enValores_ = false;
    std::vector<int>& columnas_; // the INSERT's columns (their tokens; -1 for what is not a name)
};

// ---------------------------------------------------------------------------------------------------------
// Small readers for the statements the data-access layer recognises itself.

struct Lector {
    QStringView s;
    qsizetype i = 0;

    void Espacios() {
        while (i < s.size() && EsEspacio(s[i].unicode()))
            ++i;
    }
    QStringView Palabra() {
        const qsizetype ini = i;
        while (i < s.size() && EsParteDePalabra(s[i].unicode()))
            ++i;
        return s.sliced(ini, i - ini);
    }
    // Optional ";" and blanks up to the end.
    bool AlFinal() {
        Espacios();
        if (i < s.size() && s[i] == u';') {
            ++i;
            Espacios();
        }
        return i == s.size();
    }
};

// Columns a connected database declares as dates, whatever their names (upper case). Registered at
// connection time and read by every translation; the set only grows.
QReadWriteLock& CerrojoRegistradas() {
    static QReadWriteLock cerrojo;
    return cerrojo;
}
QSet<QString>& Registradas() {
    static QSet<QString> nombres;
    return nombres;
}
std::atomic<bool> hayRegistradas{false};

} // namespace

bool EsColumnaFecha(QStringView nombre) {
    // FH is the short form of "fecha y hora" (FHEMISION, FhEntrega).
    if (nombre.contains(u"FECHA", Qt::CaseInsensitive) || EmpiezaCon(nombre, "fh") ||
        Igual(nombre, "ingreso") || Igual(nombre, "egreso") || EmpiezaCon(nombre, "vencimiento"))
        return true;
    // A numbering range's expiry: Vence followed by the letter.
    if (nombre.size() == 6 && EmpiezaCon(nombre, "vence") && nombre[5].isLetter())
        return true;
    if (!hayRegistradas.load(std::memory_order_acquire))
        return false;
    const QString clave = nombre.toString().toUpper();
    QReadLocker bloqueo(&CerrojoRegistradas());
    return Registradas().contains(clave);
}

void RegistraColumnasFecha(const QSet<QString>& columnas) {
    if (columnas.isEmpty())
        return;
    QWriteLocker bloqueo(&CerrojoRegistradas());
    for (const QString& c : columnas)
        Registradas().insert(c.toUpper());
    hayRegistradas.store(true, std::memory_order_release);
}

QString TraduceSqlServerASqlite(const QString& sql) {
    thread_local std::vector<Token> tokens;
    thread_local std::vector<int> columnas;
    tokens.clear();
    Tokeniza(sql, tokens);
    return Traductor(sql, tokens, columnas).Ejecuta();
}

QString NombreBaseAdministracion(const QString& valor) {
    QString base = valor.trimmed();
    if (base.size() >= 2 && base.startsWith(u'[') && base.endsWith(u']'))
        base = base.mid(1, base.size() - 2);
    return base;
}

QString CitaNombre(const QString& nombre) {
    return u'[' + QString(nombre).replace(u']', QStringLiteral("]]")) + u']';
}

QString ResuelveAdminSqlServer(const QString& sql, const QString& baseAdmin,
                               const std::function<bool(const QString&)>& enAdministracion) {
    if (!sql.contains(QLatin1StringView("@admin_"), Qt::CaseInsensitive))
        return sql;
    thread_local std::vector<Token> tokens;
    tokens.clear();
    Tokeniza(sql, tokens);
    const QString base = baseAdmin.isEmpty() ? QString() : CitaNombre(baseAdmin) + QStringLiteral(".dbo.");
    QString r;
    r.reserve(sql.size() + 16);
    for (const Token& t : tokens) {
        const QStringView w = QStringView(sql).sliced(t.ini, t.len);
        if (t.tipo == Tk::Palabra && w.size() > 7 && EmpiezaCon(w, "@admin_")) {
            const QStringView tabla = w.sliced(7);
            if (!base.isEmpty() && (!enAdministracion || enAdministracion(tabla.toString())))
                r += base;
            r += tabla;
        } else {
            r += w;
        }
    }
    return r;
}

QStringList DivideTanda(const QString& tanda) {
    // Read as the statements are: a line break inside a literal, a delimited name or a comment
    // separates nothing.
    thread_local std::vector<Token> tokens;
    tokens.clear();
    Tokeniza(tanda, tokens);
    QStringList sentencias;
    int ini = 0;
    bool hay = false; // a token since `ini` that is neither blank nor comment
    for (const Token& t : tokens) {
        if (t.tipo == Tk::Comentario)
            continue;
        if (t.tipo != Tk::Espacio) {
            hay = true;
            continue;
        }
        for (int k = t.ini; k < t.ini + t.len; ++k) {
            if (tanda[k] != u'\r' && tanda[k] != u'\n')
                continue;
            if (hay)
                sentencias.append(tanda.sliced(ini, k - ini));
            hay = false;
            ini = k + 1;
        }
    }
    if (hay)
        sentencias.append(tanda.sliced(ini));
    return sentencias;
}

Comentarios ComentariosEnSqlite(const QString& sql) {
    if (!sql.contains(QLatin1StringView("/*")))
        return Comentarios::Igual;
    thread_local std::vector<Token> tokens;
    tokens.clear();
    Tokeniza(sql, tokens);
    // The server refuses a comment left open (always the last token) whatever comes before it.
    Comentarios r = Comentarios::Igual;
    for (const Token& t : tokens) {
        if (t.tipo != Tk::Comentario || sql[t.ini] != u'/')
            continue;
        bool abierto = false;
        FinComentario(sql.constData(), sql.size(), t.ini, &abierto);
        if (abierto)
            return Comentarios::Abierto;
        // SQLite ends it at the first "*/", which lies before its end only after another "/*".
        if (QStringView(sql).sliced(t.ini + 2, t.len - 2).contains(u"/*"))
            r = Comentarios::Anidado;
    }
    return r;
}

std::optional<SiExiste> SeparaSiExiste(const QString& sql) {
    Lector l{sql};
    l.Espacios();
    if (!Igual(l.Palabra(), "if"))
        return std::nullopt;
    l.Espacios();
    QStringView w = l.Palabra();
    const bool negado = Igual(w, "not");
    if (negado) {
        l.Espacios();
        w = l.Palabra();
    }
    if (!Igual(w, "exists"))
        return std::nullopt;
    l.Espacios();
    if (l.i >= sql.size() || sql[l.i] != u'(')
        return std::nullopt;
    const qsizetype abre = l.i;
    const QChar* p = sql.constData();
    const int n = int(sql.size());
    int profundidad = 0;
    for (int k = int(abre); k < n;) {
        const char16_t c = p[k].unicode();
        if (c == u'\'') {
            k = FinCadena(p, n, k + 1);
            continue;
        }
        if (c == u'[') {
            k = FinDelimitado(p, n, k + 1, u']');
            continue;
        }
        if (c == u'"') {
            k = FinDelimitado(p, n, k + 1, u'"');
            continue;
        }
        if (const qsizetype fin = FinComentario(p, n, k); fin >= 0) {
            k = int(fin);
            continue;
        }
        if (c == u'(') {
            ++profundidad;
        } else if (c == u')' && --profundidad == 0) {
            return SiExiste{negado, QStringView(sql).sliced(abre + 1, k - abre - 1).trimmed().toString(),
                            QStringView(sql).sliced(k + 1).trimmed().toString()};
        }
        ++k;
    }
    return std::nullopt;
}

std::optional<QString> MensajeRaiserror(const QString& sql) {
    Lector l{sql};
    l.Espacios();
    if (!Igual(l.Palabra(), "raiserror"))
        return std::nullopt;
    l.Espacios();
    if (l.i >= sql.size() || sql[l.i] != u'(')
        return std::nullopt;
    ++l.i;
    l.Espacios();
    if (l.i < sql.size() && (sql[l.i] == u'N' || sql[l.i] == u'n'))
        ++l.i;
    if (l.i >= sql.size() || sql[l.i] != u'\'')
        return std::nullopt;
    const int abre = int(l.i);
    const int fin = FinCadena(sql.constData(), int(sql.size()), abre + 1);
    if (fin >= int(sql.size())) // unterminated, or nothing after it
        return std::nullopt;
    QString mensaje = sql.mid(abre + 1, fin - abre - 2);
    mensaje.replace(QStringLiteral("''"), QStringLiteral("'"));
    // The server reads the message as a format: "%%" is one "%".
    mensaje.replace(QStringLiteral("%%"), QStringLiteral("%"));
    // Severity and state: numbers and commas up to the closing parenthesis.
    l.i = fin;
    while (l.i < sql.size() && sql[l.i] != u')') {
        if (!EsDigito(sql[l.i].unicode()) && sql[l.i] != u',' && !EsEspacio(sql[l.i].unicode()))
            return std::nullopt;
        ++l.i;
    }
    if (l.i >= sql.size())
        return std::nullopt;
    ++l.i;
    if (!l.AlFinal())
        return std::nullopt;
    return mensaje;
}

namespace {

// Words the server never takes for a name: after one, a new statement would begin.
bool EsReservada(QStringView w) {
    static const QSet<QString> reservadas = [] {
        QSet<QString> r;
        for (const QString& p :
             QStringLiteral(
                 "ADD ALL ALTER AND ANY AS ASC AUTHORIZATION BACKUP BEGIN BETWEEN BREAK BROWSE BULK BY "
                 "CASCADE "
                 "CASE CHECK CHECKPOINT CLOSE CLUSTERED COALESCE COLLATE COLUMN COMMIT COMPUTE CONSTRAINT "
                 "CONTAINS CONTAINSTABLE CONTINUE CONVERT CREATE CROSS CURRENT CURRENT_DATE CURRENT_TIME "
                 "CURRENT_TIMESTAMP CURRENT_USER CURSOR DATABASE DBCC DEALLOCATE DECLARE DEFAULT DELETE DENY "
                 "DESC DISK DISTINCT DISTRIBUTED DOUBLE DROP DUMP ELSE END ERRLVL ESCAPE EXCEPT EXEC EXECUTE "
                 "EXISTS EXIT EXTERNAL FETCH FILE FILLFACTOR FOR FOREIGN FREETEXT FREETEXTTABLE FROM FULL "
                 "FUNCTION GOTO GRANT GROUP HAVING HOLDLOCK IDENTITY IDENTITY_INSERT IDENTITYCOL IF IN INDEX "
                 "INNER INSERT INTERSECT INTO IS JOIN KEY KILL LEFT LIKE LINENO LOAD MERGE NATIONAL NOCHECK "
                 "NONCLUSTERED NOT NULL NULLIF OF OFF OFFSETS ON OPEN OPENDATASOURCE OPENQUERY OPENROWSET "
                 "OPENXML OPTION OR ORDER OUTER OVER PERCENT PIVOT PLAN PRECISION PRIMARY PRINT PROC "
                 "PROCEDURE PUBLIC RAISERROR READ READTEXT RECONFIGURE REFERENCES REPLICATION RESTORE "
                 "RESTRICT RETURN REVERT REVOKE RIGHT ROLLBACK ROWCOUNT ROWGUIDCOL RULE SAVE SCHEMA "
                 "SECURITYAUDIT SELECT SEMANTICKEYPHRASETABLE SEMANTICSIMILARITYDETAILSTABLE "
                 "SEMANTICSIMILARITYTABLE SESSION_USER SET SETUSER SHUTDOWN SOME STATISTICS SYSTEM_USER "
                 "TABLE TABLESAMPLE TEXTSIZE THEN TO TOP TRAN TRANSACTION TRIGGER TRUNCATE TRY_CONVERT "
                 "TSEQUAL UNION UNIQUE UNPIVOT UPDATE UPDATETEXT USE USER VALUES VARYING VIEW WAITFOR WHEN "
                 "WHERE WHILE WITH WITHIN WRITETEXT")
                 .split(u' '))
            r.insert(p);
        return r;
    }();
    return reservadas.contains(w.toString().toUpper());
}

// The transaction statements read token by token as the server reads them: blanks and comments
// ("--" to the end of the line; "/* */", nested) between any two tokens.
struct LectorTransaccion {
    QStringView s;
    qsizetype i = 0;
    qsizetype ultimo = 0; // where the last token read begins
    bool comentarioAbierto = false;

    void Salta() {
        while (i < s.size()) {
            if (EsEspacio(s[i].unicode())) {
                ++i;
            } else if (const qsizetype fin = FinComentario(s.data(), s.size(), i, &comentarioAbierto);
                       fin >= 0) {
                i = fin;
            } else {
                return;
            }
        }
    }
    QStringView Palabra() {
        Salta();
        qsizetype k = i;
        while (k < s.size() && EsParteDePalabra(s[k].unicode()))
            ++k;
        const QStringView w = s.sliced(i, k - i);
        if (!w.isEmpty())
            ultimo = i;
        i = k;
        return w;
    }
    // The token where the reading stopped (the last one read at the end), for the words of a
    // refusal.
    QString Cerca() {
        Salta();
        return Token(i < s.size() ? i : ultimo);
    }
    QString Token(qsizetype desde) const {
        if (desde >= s.size())
            return {};
        qsizetype k = desde;
        while (k < s.size() && EsParteDePalabra(s[k].unicode()))
            ++k;
        return s.sliced(desde, std::max<qsizetype>(k - desde, 1)).toString();
    }
    // Optional ";", then only blanks and comments.
    bool AlFinal() {
        Salta();
        if (i < s.size() && s[i] == u';') {
            ++i;
            Salta();
        }
        return i == s.size() && !comentarioAbierto;
    }
    // A transaction's or savepoint's name: a plain word that is no reserved word, or a delimited
    // one ([...] with "]]", "..." with ""), its trailing blanks dropped as the server drops them.
    // Empty when none stands there (`variable` tells a "@name" apart).
    QString Nombre(bool* variable = nullptr) {
        Salta();
        if (i < s.size() && (s[i] == u'[' || s[i] == u'"')) {
            const char16_t cierre = s[i] == u'[' ? u']' : u'"';
            QString nombre;
            for (qsizetype k = i + 1; k < s.size(); ++k) {
                if (s[k] != cierre) {
                    nombre += s[k];
                } else if (k + 1 < s.size() && s[k + 1] == cierre) {
                    nombre += cierre;
                    ++k;
                } else {
                    ultimo = i;
                    i = k + 1;
                    while (!nombre.isEmpty() && nombre.back() == u' ')
                        nombre.chop(1);
                    return nombre;
                }
            }
            return {};
        }
        const qsizetype antes = i;
        const QStringView w = Palabra();
        if (!w.isEmpty() && w[0] == u'@' && variable)
            *variable = true;
        if (w.isEmpty() || w[0] == u'@' || EsDigito(w[0].unicode()) || EsReservada(w)) {
            i = antes;
            return {};
        }
        return w.toString();
    }
};

} // namespace

// Long on purpose: the grammar of the four statements, one branch each.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
Transaccion EsSentenciaTransaccion(const QString& sql, QString* nombre, QString* cerca) {
    LectorTransaccion l{sql};
    const QStringView orden = l.Palabra();
    const bool inicia = Igual(orden, "begin");
    const bool guarda = Igual(orden, "save");
    const bool revierte = Igual(orden, "rollback");
    if (!inicia && !guarda && !revierte && !Igual(orden, "commit"))
        return Transaccion::Ninguna;
    const auto ilegible = [&] {
        if (cerca)
            *cerca = l.Cerca();
        return Transaccion::Ilegible;
    };
    const qsizetype trasOrden = l.i;
    const QStringView objeto = l.Palabra();
    const bool tran = Igual(objeto, "tran") || Igual(objeto, "transaction");
    if (inicia && !tran)
        // BEGIN ... END and BEGIN TRY are no transaction statements; a distributed one is
        // beyond the embedded database.
        return Igual(objeto, "distributed") ? ilegible() : Transaccion::Ninguna;
    QString punto;
    if (tran) {
        bool variable = false;
        punto = l.Nombre(&variable);
        // COMMIT ignores its name, whatever it is; a variable's value elsewhere is unknown here.
        if (variable && !Igual(orden, "commit"))
            return ilegible();
        if (variable)
            l.Palabra();
    } else if (guarda || !Igual(objeto, "work")) {
        l.i = trasOrden;
    }
    if (guarda && punto.isEmpty())
        return ilegible();
    // A log mark means nothing to the data.
    if (inicia && !punto.isEmpty()) {
        const qsizetype antes = l.i;
        if (Igual(l.Palabra(), "with")) {
            if (!Igual(l.Palabra(), "mark"))
                return ilegible();
            l.Salta();
            qsizetype k = l.i;
            if (k + 1 < sql.size() && (sql[k] == u'N' || sql[k] == u'n') && sql[k + 1] == u'\'')
                ++k;
            if (k < sql.size() && sql[k] == u'\'') {
                for (++k; k < sql.size(); ++k) {
                    if (sql[k] == u'\'' && (k + 1 == sql.size() || sql[k + 1] != u'\''))
                        break;
                    if (sql[k] == u'\'')
                        ++k;
                }
                if (k >= sql.size())
                    return ilegible();
                l.i = k + 1;
            }
        } else {
            l.i = antes;
        }
    }
    if (!l.AlFinal())
        return ilegible();
    if (nombre)
        *nombre = punto;
    if (inicia)
        return Transaccion::Inicia;
    if (guarda)
        return Transaccion::Guarda;
    if (revierte)
        return punto.isEmpty() ? Transaccion::Revierte : Transaccion::RevierteAGuardado;
    return Transaccion::Confirma;
}

bool EsConsultaTrancount(const QString& sql) {
    Lector l{sql};
    l.Espacios();
    if (!Igual(l.Palabra(), "select"))
        return false;
    l.Espacios();
    if (!Igual(l.Palabra(), "@@trancount"))
        return false;
    l.Espacios();
    if (l.i < sql.size() && (sql[l.i] == u'[' || sql[l.i] == u'"' || sql[l.i] == u'\'')) {
        const char16_t cierre = sql[l.i] == u'[' ? u']' : sql[l.i].unicode();
        l.i = FinDelimitado(sql.constData(), int(sql.size()), int(l.i) + 1, cierre);
        return l.AlFinal();
    }
    const QStringView alias = l.Palabra();
    if (Igual(alias, "as")) {
        l.Espacios();
        if (l.i < sql.size() && (sql[l.i] == u'[' || sql[l.i] == u'"' || sql[l.i] == u'\'')) {
            const char16_t cierre = sql[l.i] == u'[' ? u']' : sql[l.i].unicode();
            l.i = FinDelimitado(sql.constData(), int(sql.size()), int(l.i) + 1, cierre);
        } else if (l.Palabra().isEmpty()) {
            return false;
        }
    }
    return l.AlFinal();
}

// Long on purpose: the system's date literal forms, each checked in place.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
std::optional<QString> FechaLiteralAIso(QStringView texto) {
    const qsizetype n = texto.size();
    if (n < 6 || n > 24)
        return std::nullopt;
    qsizetype i = 0;
    // Reads between `min` and `max` digits; -1 when fewer.
    auto numero = [&](int min, int max, int* digitos = nullptr) {
        int v = 0;
        int d = 0;
        while (d < max && i < n && EsDigito(texto[i].unicode())) {
            v = v * 10 + (texto[i].unicode() - u'0');
            ++i;
            ++d;
        }
        if (digitos)
            *digitos = d;
        return d >= min ? v : -1;
    };
    auto separador = [&](char16_t c) {
        if (i < n && texto[i] == c) {
            ++i;
            return true;
        }
        return false;
    };
    const int dia = numero(1, 2);
    if (dia < 0 || !separador(u'/'))
        return std::nullopt;
    const int mes = numero(1, 2);
    if (mes < 0 || !separador(u'/'))
        return std::nullopt;
    int digitosAnio = 0;
    int anio = numero(2, 4, &digitosAnio);
    if (anio < 0 || digitosAnio == 3)
        return std::nullopt;
    if (digitosAnio == 2)
        anio += anio < 50 ? 2000 : 1900;
    int hora = 0;
    int minuto = 0;
    int segundo = 0;
    if (i < n) {
        if (texto[i] != u' ')
            return std::nullopt;
        while (i < n && texto[i] == u' ')
            ++i;
        hora = numero(1, 2);
        if (hora < 0 || !separador(u':'))
            return std::nullopt;
        minuto = numero(2, 2);
        if (minuto < 0)
            return std::nullopt;
        if (separador(u':')) {
            segundo = numero(2, 2);
            if (segundo < 0)
                return std::nullopt;
        }
        if (i != n)
            return std::nullopt;
    }
    if (!QDate::isValid(anio, mes, dia) || hora > 23 || minuto > 59 || segundo > 59)
        return std::nullopt;
    char16_t iso[19];
    auto pon = [&iso](int pos, int valor, int ancho) {
        for (int k = ancho - 1; k >= 0; --k) {
            iso[pos + k] = char16_t(u'0' + valor % 10);
            valor /= 10;
        }
    };
    pon(0, anio, 4);
    iso[4] = u'-';
    pon(5, mes, 2);
    iso[7] = u'-';
    pon(8, dia, 2);
    iso[10] = u' ';
    pon(11, hora, 2);
    iso[13] = u':';
    pon(14, minuto, 2);
    iso[16] = u':';
    pon(17, segundo, 2);
    return QString(reinterpret_cast<const QChar*>(iso), 19);
}

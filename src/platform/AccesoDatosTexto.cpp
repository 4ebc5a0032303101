// Text helpers of the data-access layer: statement words, table names, literals, and the
// INSERT templates that let a long batch reuse one prepared statement.

#include "AccesoDatosInterno.h"
#include "TraductorSql.h"

#include <charconv>
#include <cmath>

namespace ad {

namespace {

bool EsLetra(QChar c) {
    return c.isLetter() || c == u'_';
}
bool EsBlanco(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
bool EsDigito(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Position after a quoted literal or delimited name that opens at `i`.
qsizetype SaltaDelimitado(const QString& s, qsizetype i) {
    const QChar apertura = s[i];
    const QChar cierre = apertura == u'[' ? QChar(u']') : apertura;
    for (++i; i < s.size(); ++i) {
        if (s[i] == cierre) {
            if (i + 1 < s.size() && s[i + 1] == cierre && cierre != u']') {
                ++i;
                continue;
            }
            return i + 1;
        }
    }
    return s.size();
}

// A text literal as SaltaDelimitado found it: closed, every inner apostrophe doubled.
bool LiteralCerrado(QStringView l) {
    if (l.size() < 2 || l.back() != u'\'')
        return false;
    for (qsizetype k = 1; k < l.size() - 1; ++k)
        if (l[k] == u'\'') {
            if (k + 1 >= l.size() - 1 || l[k + 1] != u'\'')
                return false;
            ++k;
        }
    return true;
}

} // namespace

QStringView PrimeraPalabra(const QString& sql) {
    qsizetype i = 0;
    while (i < sql.size() && (EsBlanco(sql[i]) || sql[i] == u'('))
        ++i;
    const qsizetype desde = i;
    while (i < sql.size() && EsLetra(sql[i]))
        ++i;
    return QStringView(sql).sliced(desde, i - desde);
}

bool EsPalabra(QStringView palabra, const char16_t* mayusculas) {
    qsizetype i = 0;
    for (; mayusculas[i]; ++i)
        if (i >= palabra.size() || palabra[i].toUpper() != QChar(mayusculas[i]))
            return false;
    return i == palabra.size();
}

QString TablaDeConsulta(const QString& sql) {
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"' || c == u'[') {
            i = SaltaDelimitado(sql, i);
            continue;
        }
        if (!EsLetra(c)) {
            ++i;
            continue;
        }
        const qsizetype desde = i;
        while (i < n && (EsLetra(sql[i]) || EsDigito(sql[i]) || sql[i] == u'@' || sql[i] == u'#'))
            ++i;
        if (!EsPalabra(QStringView(sql).sliced(desde, i - desde), u"FROM"))
            continue;
        while (i < n && EsBlanco(sql[i]))
            ++i;
        const qsizetype inicio = i;
        while (i < n) {
            if (sql[i] == u'[' || sql[i] == u'"')
                i = SaltaDelimitado(sql, i);
            else if (EsLetra(sql[i]) || EsDigito(sql[i]) || sql[i] == u'@' || sql[i] == u'#' ||
                     sql[i] == u'$')
                ++i;
            else
                break;
            if (i < n && sql[i] == u'.')
                ++i;
        }
        return sql.sliced(inicio, i - inicio);
    }
    return {};
}

QString Identificador(const QString& nombre) {
    bool simple = !nombre.isEmpty() && EsLetra(nombre[0]);
    for (QChar c : nombre)
        simple = simple && (EsLetra(c) || EsDigito(c)) && c.unicode() < 128;
    if (simple)
        return nombre;
    QString r = nombre;
    r.replace(u']', QStringLiteral("]]"));
    return u'[' + r + u']';
}

QString LiteralNumero(double valor) {
    if (!std::isfinite(valor))
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"));
    if (valor == 0)
        return QStringLiteral("0");
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor);
    return QString::fromLatin1(buf, r.ptr - buf);
}

QString LiteralTexto(const QString& texto) {
    QString r;
    r.reserve(texto.size() + 2);
    r += u'\'';
    for (QChar c : texto) {
        // A NUL would end the statement where the database reads it.
        if (c.isNull())
            continue;
        if (c == u'\'')
            r += u'\'';
        r += c;
    }
    r += u'\'';
    return r;
}

QString SinNulos(const QString& sql) {
    if (!sql.contains(QChar(u'\0')))
        return sql;
    return QString(sql).remove(QChar(u'\0'));
}

int CuentaMarcadores(const QString& sql) {
    int cuenta = 0;
    for (qsizetype i = 0; i < sql.size();) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"' || c == u'[') {
            i = SaltaDelimitado(sql, i);
            continue;
        }
        if (c == u'?')
            ++cuenta;
        ++i;
    }
    return cuenta;
}

// Long on purpose: a one-pass scanner of the INSERT text; its states read best together.
// NOLINTNEXTLINE(readability-function-size,readability-function-cognitive-complexity)
std::optional<Plantilla> Parametriza(const QString& s) {
    const qsizetype n = s.size();
    qsizetype i = 0;
    auto blancos = [&] {
        while (i < n && EsBlanco(s[i]))
            ++i;
    };
    auto palabra = [&](const char16_t* mayusculas) {
        blancos();
        const qsizetype desde = i;
        while (i < n && EsLetra(s[i]))
            ++i;
        return EsPalabra(QStringView(s).sliced(desde, i - desde), mayusculas);
    };
    if (!palabra(u"INSERT") || !palabra(u"INTO"))
        return std::nullopt;
    blancos();
    // Table and column list: names only, no literal.
    bool columnas = false;
    while (i < n && !columnas) {
        const QChar c = s[i];
        if (c == u'\'' || c == u';')
            return std::nullopt;
        if (c == u'[' || c == u'"') {
            i = SaltaDelimitado(s, i);
            continue;
        }
        if (c == u')')
            columnas = true;
        ++i;
    }
    if (!columnas || !palabra(u"VALUES"))
        return std::nullopt;
    blancos();
    if (i >= n || s[i] != u'(')
        return std::nullopt;
    ++i;
    Plantilla p;
    p.texto.reserve(i + 32);
    p.texto.append(QStringView(s).first(i));
    for (;;) {
        blancos();
        if (i >= n)
            return std::nullopt;
        const QChar c = s[i];
        if (c == u'\'' || ((c == u'N' || c == u'n') && i + 1 < n && s[i + 1] == u'\'')) {
            if (c != u'\'')
                ++i;
            // The literal's text: a slice of the statement unless it holds doubled apostrophes.
            const qsizetype desde = ++i;
            bool doble = false;
            for (;;) {
                if (i >= n)
                    return std::nullopt;
                if (s[i] == u'\'') {
                    if (i + 1 < n && s[i + 1] == u'\'') {
                        doble = true;
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            QString texto = s.sliced(desde, i - desde);
            ++i;
            if (doble)
                texto.replace(QStringLiteral("''"), QStringLiteral("'"));
            p.valores.emplace_back(texto);
        } else if (EsDigito(c) || c == u'-' || c == u'+' || c == u'.') {
            const qsizetype desde = i;
            if (c == u'-' || c == u'+')
                ++i;
            bool decimal = false;
            qsizetype digitos = 0;
            while (i < n && EsDigito(s[i]))
                ++i, ++digitos;
            if (i < n && s[i] == u'.') {
                decimal = true;
                ++i;
                while (i < n && EsDigito(s[i]))
                    ++i, ++digitos;
            }
            if (digitos == 0)
                return std::nullopt;
            if (i < n && (s[i] == u'e' || s[i] == u'E')) {
                decimal = true;
                ++i;
                if (i < n && (s[i] == u'-' || s[i] == u'+'))
                    ++i;
                if (i >= n || !EsDigito(s[i]))
                    return std::nullopt;
                while (i < n && EsDigito(s[i]))
                    ++i;
            }
            // Plain ASCII digits: read as SQLite reads the literal (a whole number that fits
            // in 64 bits stays whole).
            char numero[64];
            const qsizetype largo = i - desde;
            if (largo >= qsizetype(sizeof numero))
                return std::nullopt;
            qsizetype k = 0;
            for (qsizetype j = desde; j < i; ++j)
                if (s[j] != u'+')
                    numero[k++] = char(s[j].unicode());
            bool ok = false;
            if (!decimal) {
                long long entero = 0;
                const auto r = std::from_chars(numero, numero + k, entero);
                ok = r.ec == std::errc() && r.ptr == numero + k;
                if (ok)
                    p.valores.emplace_back(static_cast<qlonglong>(entero));
            }
            if (!ok) {
                double d = 0;
                const auto r = std::from_chars(numero, numero + k, d);
                if (r.ec != std::errc() || r.ptr != numero + k)
                    return std::nullopt;
                p.valores.emplace_back(d);
            }
        } else if (EsLetra(c)) {
            if (!palabra(u"NULL"))
                return std::nullopt;
            p.valores.emplace_back();
        } else {
            return std::nullopt;
        }
        blancos();
        if (i >= n)
            return std::nullopt;
        if (s[i] == u',') {
            ++i;
            p.texto += u"?,";
            continue;
        }
        if (s[i] != u')')
            return std::nullopt;
        ++i;
        p.texto += u"?)";
        break;
    }
    blancos();
    if (i < n && s[i] == u';')
        ++i;
    blancos();
    if (i != n)
        return std::nullopt;
    return p;
}

std::shared_ptr<const Encabezado> FuenteFilas::Cabecera() const {
    std::vector<QString> nombres;
    nombres.reserve(static_cast<size_t>(Columnas()));
    for (int i = 0; i < Columnas(); ++i)
        nombres.push_back(Nombre(i));
    return std::make_shared<const Encabezado>(std::move(nombres));
}

const std::shared_ptr<const Encabezado>& SinColumnas() {
    static const std::shared_ptr<const Encabezado> vacio =
        std::make_shared<const Encabezado>(std::vector<QString>());
    return vacio;
}

void IndiceNombres::Arma(const std::vector<QString>& nombres) {
    nombres_ = &nombres;
    pedidos_.clear();
    ultimo_ = 0;
    porHash_.clear();
    porHash_.reserve(nombres.size() * 2);
    for (size_t i = 0; i < nombres.size(); ++i) {
        size_t h = 1469598103934665603ull;
        for (QChar c : nombres[i])
            h = (h ^ c.toCaseFolded().unicode()) * 1099511628211ull;
        porHash_[h] = static_cast<int>(i); // the later of two equal names wins
    }
}

int IndiceNombres::BuscaPedido(const QString& nombre) const {
    const size_t n = pedidos_.size();
    size_t i = ultimo_;
    for (size_t k = 0; k < n; ++k) {
        if (++i >= n)
            i = 0;
        // The kept copy shares the text of a literal or of the caller's string: the same
        // characters, without comparing them.
        const QString& pedido = pedidos_[i].nombre;
        if ((pedido.constData() == nombre.constData() && pedido.size() == nombre.size()) ||
            pedido == nombre) {
            ultimo_ = i;
            return pedidos_[i].indice;
        }
    }
    const int indice = BuscaPorHash(nombre);
    if (indice >= 0 && n < 64) {
        pedidos_.push_back({nombre, indice});
        ultimo_ = n;
    }
    return indice;
}

int IndiceNombres::BuscaPorHash(QStringView nombre) const {
    if (!nombres_)
        return -1;
    size_t h = 1469598103934665603ull;
    for (QChar c : nombre)
        h = (h ^ c.toCaseFolded().unicode()) * 1099511628211ull;
    const auto it = porHash_.find(h);
    if (it != porHash_.end() &&
        nombre.compare((*nombres_)[static_cast<size_t>(it->second)], Qt::CaseInsensitive) == 0)
        return it->second;
    // A hash shared by two different names: search from the end, the later one wins.
    for (size_t i = nombres_->size(); i-- > 0;)
        if (nombre.compare((*nombres_)[i], Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

// Long on purpose: a one-pass scanner of the query text; its states read best together.
// NOLINTNEXTLINE(readability-function-size,readability-function-cognitive-complexity)
std::optional<Plantilla> ParametrizaConsulta(const QString& s) {
    if (!EsPalabra(PrimeraPalabra(s), u"SELECT"))
        return std::nullopt;
    const qsizetype n = s.size();
    Plantilla p;
    qsizetype copiado = 0;     // s up to here is in p.texto
    bool trasFrom = false;     // past the query's own FROM: no literal names a result column
    int nivel = 0;             // parentheses
    bool trasComparar = false; // the last token was a comparison operator
    for (qsizetype i = 0; i < n;) {
        const QChar c = s[i];
        if (EsBlanco(c)) {
            ++i;
            continue;
        }
        const bool comparar = trasComparar;
        trasComparar = false;
        if (c == u'\'') {
            const qsizetype fin = SaltaDelimitado(s, i);
            if (!LiteralCerrado(QStringView(s).sliced(i, fin - i)))
                return std::nullopt; // malformed: SQLite is to refuse it as written
            if (comparar && trasFrom) {
                QString texto = s.sliced(i + 1, fin - i - 2);
                texto.replace(QStringLiteral("''"), QStringLiteral("'"));
                p.texto.append(QStringView(s).sliced(copiado, i - copiado));
                p.texto.append(u'?');
                p.valores.emplace_back(std::move(texto));
                copiado = fin;
            }
            i = fin;
            continue;
        }
        if (c == u'"' || c == u'[' || c == u'`') {
            if (c == u'`')
                return std::nullopt;
            i = SaltaDelimitado(s, i);
            continue;
        }
        if ((c == u'-' && i + 1 < n && s[i + 1] == u'-') || (c == u'/' && i + 1 < n && s[i + 1] == u'*') ||
            c == u';' || c == u'?' || c == u':' || c == u'@' || c == u'$')
            return std::nullopt; // comments, a second statement or parameters of its own
        if (EsDigito(c) || (c == u'.' && i + 1 < n && EsDigito(s[i + 1]))) {
            const qsizetype desde = i;
            bool decimal = false;
            while (i < n && EsDigito(s[i]))
                ++i;
            if (i < n && s[i] == u'.') {
                decimal = true;
                ++i;
                while (i < n && EsDigito(s[i]))
                    ++i;
            }
            if (i < n && (EsLetra(s[i]) || s[i] == u'.'))
                return std::nullopt; // exponents, hexadecimals: left to SQLite
            if (comparar && trasFrom) {
                const QStringView numero = QStringView(s).sliced(desde, i - desde);
                bool ok = false;
                QVariant valor;
                if (decimal)
                    valor = numero.toDouble(&ok);
                else
                    valor = numero.toLongLong(&ok);
                if (!ok)
                    return std::nullopt;
                p.texto.append(QStringView(s).sliced(copiado, desde - copiado));
                p.texto.append(u'?');
                p.valores.push_back(std::move(valor));
                copiado = i;
            }
            continue;
        }
        if (EsLetra(c)) {
            const qsizetype desde = i;
            while (i < n && (EsLetra(s[i]) || EsDigito(s[i])))
                ++i;
            if (!trasFrom && nivel == 0 && EsPalabra(QStringView(s).sliced(desde, i - desde), u"FROM"))
                trasFrom = true;
            continue;
        }
        if (c == u'=' || c == u'<' || c == u'>' || (c == u'!' && i + 1 < n && s[i + 1] == u'=')) {
            ++i;
            if (i < n && (s[i] == u'=' || s[i] == u'>'))
                ++i;
            trasComparar = true;
            continue;
        }
        if (c == u'(')
            ++nivel;
        else if (c == u')')
            --nivel;
        ++i;
    }
    if (p.valores.empty())
        return std::nullopt;
    p.texto.append(QStringView(s).sliced(copiado));
    return p;
}

} // namespace ad

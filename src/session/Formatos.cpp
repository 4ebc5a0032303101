#include "Formatos.h"

#include "Configuracion.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Grilla.h"
#include "Moneda.h"
#include "Recorte.h"
#include "Regional.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QStringList>

#include <QTime>
#include <cmath>
#include <limits>
#include <optional>

std::vector<ElementoTotal> gTablaTotales;

namespace {

[[maybe_unused]] const bool registrado = RegistraReinicioSesion([] { gTablaTotales.clear(); });

const QChar kChr0(0);
const QChar kChr10(10);
const QChar kChr255(0xFF);

// Decimals beyond this are refused, as the platform's rounding refuses them.
constexpr int kMaximoDecimales = 22;

bool EnLista(const QString& texto, std::initializer_list<const char*> lista) {
    for (const char* p : lista)
        if (texto == QLatin1String(p))
            return true;
    return false;
}

QString DosCifras(qint64 n) {
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

// The number of a value of any type, as the platform's conversion to a number reads it.
double Numero(const QVariant& valor, const char* rutina) {
    if (valor.isNull())
        throw ErrorSistema(94, QStringLiteral("Uso no válido de Null"), QLatin1String(rutina));
    if (valor.typeId() == QMetaType::QString) {
        const auto n = Regional::LeeDoble(valor.toString());
        if (!n)
            throw ErrorSistema(13, QStringLiteral("No coinciden los tipos"), QLatin1String(rutina));
        return *n;
    }
    return UT().TextoADoble(valor);
}

// "h:m": the leading numbers before and after the first ":".
double LeeHorasMinutos(const QString& texto) {
    const qsizetype dosPuntos = texto.indexOf(QLatin1Char(':'));
    if (dosPuntos < 0)
        return ValNumero(texto) * 60;
    return ValNumero(texto.left(dosPuntos)) * 60 + ValNumero(texto.mid(dosPuntos + 1));
}

// The time of a text that reads as a time, a date or a date and time (day first); nothing
// otherwise. A date alone is midnight.
std::optional<QTime> LeeHoraDeFecha(const QString& texto) {
    const QString t = texto.trimmed().simplified();
    static const QStringList horas = {QStringLiteral("H:m"), QStringLiteral("H:m:s")};
    for (const QString& f : horas) {
        const QTime h = QTime::fromString(t, f);
        if (h.isValid())
            return h;
    }
    static const QStringList fechas = {QStringLiteral("d/M/yyyy"), QStringLiteral("d/M/yy"),
                                       QStringLiteral("d-M-yyyy"), QStringLiteral("d-M-yy"),
                                       QStringLiteral("yyyy-M-d")};
    for (const QString& f : fechas) {
        if (QDate::fromString(t, f).isValid())
            return QTime(0, 0);
        for (const QString& h : horas) {
            const QDateTime dt = QDateTime::fromString(t, f + QLatin1Char(' ') + h);
            if (dt.isValid())
                return dt.time();
        }
    }
    return std::nullopt;
}

} // namespace

bool TextoABooleano(const QString& texto, bool modo) {
    const QString t = texto.toUpper();
    if (modo)
        return !EnLista(t, {"FALSE", "FALSO", "0", "NO", "N"});
    return EnLista(t, {"TRUE", "VERDADERO", "1", "SI", "S"});
}

QString FormatoFechaHora() {
    return QStringLiteral("dd/mm/yy hh:mm");
}

QString FormatoFecha() {
    return QStringLiteral("dd/mm/yy");
}

QString FormatoHora() {
    return QStringLiteral("hh:mm");
}

QString AplicaMascaraFecha(const QDateTime& momento, const QString& mascara) {
    struct Pieza {
        QChar letra; // lower case; 0 for a literal
        qsizetype largo;
        QString literal;
    };
    std::vector<Pieza> piezas;
    for (qsizetype i = 0; i < mascara.size();) {
        const QChar c = mascara.at(i).toLower();
        if (QStringView(u"dmyhns").contains(c)) {
            qsizetype j = i;
            while (j < mascara.size() && mascara.at(j).toLower() == c)
                ++j;
            piezas.push_back({c, j - i, {}});
            i = j;
        } else {
            piezas.push_back({QChar(), 1, QString(mascara.at(i))});
            ++i;
        }
    }
    const QDate fecha = momento.date();
    const QTime hora = momento.time();
    QString r;
    QChar anterior; // the last date or time piece written
    for (size_t k = 0; k < piezas.size(); ++k) {
        const Pieza& p = piezas[k];
        auto conCeros = [&](int n) { return p.largo >= 2 ? DosCifras(n) : QString::number(n); };
        if (p.letra.isNull()) {
            r += p.literal;
            continue;
        }
        switch (p.letra.unicode()) {
        case 'd':
            r += conCeros(fecha.day());
            break;
        case 'm': {
            QChar siguiente;
            for (size_t s = k + 1; s < piezas.size() && siguiente.isNull(); ++s)
                siguiente = piezas[s].letra;
            const bool minutos = anterior == QLatin1Char('h') || siguiente == QLatin1Char('s');
            r += conCeros(minutos ? hora.minute() : fecha.month());
            break;
        }
        case 'y':
            r += p.largo >= 3 ? QString::number(fecha.year()) : DosCifras(fecha.year() % 100);
            break;
        case 'h':
            r += conCeros(hora.hour());
            break;
        case 'n':
            r += conCeros(hora.minute());
            break;
        case 's':
            r += conCeros(hora.second());
            break;
        }
        anterior = p.letra;
    }
    return r;
}

QString FmtMoneda(const QVariant& valor, int decimales, bool miles) {
    if (decimales == -3)
        return UT().ValorATexto(valor);
    double d = decimales == -1 ? RedondeoBanquero(ValNumero(gCantidadDecimales)) : decimales;
    if (d == 0)
        d = Regional::DecimalesMoneda();
    if (d == -2)
        d = 0;
    if (d > kMaximoDecimales)
        throw ErrorSistema(5, QStringLiteral("Llamada a procedimiento o argumento no válidos"),
                           QStringLiteral("FmtMoneda"));
    // Other negative counts read as none.
    const int n = d < 0 ? 0 : static_cast<int>(d);
    // Rounded before formatting, so that an amount that rounds to 0 carries no sign.
    const Moneda redondeado = UT().TextoAMoneda(valor).Redondea(n);
    return redondeado.Formato(n, miles);
}

double HorasAMinutos(const QString& hora, const QString& horas, const QString& minutos, bool estricto) {
    if (estricto)
        return LeeHorasMinutos(hora);
    if (const auto h = LeeHoraDeFecha(hora))
        return h->hour() * 60 + h->minute();
    if (!TieneTexto(hora)) {
        const double nHoras = ValNumero(horas);
        const double nMinutos = ValNumero(minutos);
        if (nHoras <= 0 && nMinutos <= 0)
            return 0;
        return nHoras * 60 + nMinutos;
    }
    return LeeHorasMinutos(hora);
}

QString FormateaHoras(const QVariant& minutos, qint32& horas, qint32& restantes, bool dosPuntos) {
    QString separador = Cfg(QStringLiteral("SeparadorHora"));
    if (dosPuntos || !TieneTexto(separador))
        separador = QStringLiteral(":");
    const double valor = Numero(minutos, "FormateaHoras");
    if (separador != QLatin1String(".")) {
        const double entero = RedondeoBanquero(valor);
        if (entero < std::numeric_limits<qint32>::min() || entero > std::numeric_limits<qint32>::max())
            throw ErrorSistema(6, QStringLiteral("Desbordamiento"), QStringLiteral("FormateaHoras"));
        const qint32 total = static_cast<qint32>(entero);
        horas = total / 60;
        restantes = total % 60;
        // One sign in front, never a "-" after the separator.
        const QString signo = total < 0 ? QStringLiteral("-") : QString();
        return signo + DosCifras(std::abs(horas)) + separador + DosCifras(std::abs(restantes));
    }
    // "#####.00": two decimals, no leading zero, "." whatever the regional separator.
    const double centesimos = std::round(valor / 60 * 100);
    if (centesimos == 0)
        return QStringLiteral(".00");
    const double absoluto = std::abs(centesimos);
    const double enteros = std::floor(absoluto / 100);
    const int fraccion = static_cast<int>(absoluto - enteros * 100);
    QString r = centesimos < 0 ? QStringLiteral("-") : QString();
    if (enteros > 0)
        r += QString::number(enteros, 'f', 0);
    return r + QLatin1Char('.') + DosCifras(fraccion);
}

void LimpiaFilaGrilla(Grilla& grilla, qint32 fila, qint32 primeraColumna) {
    for (qint32 col = primeraColumna; col < grilla.Cols(); ++col)
        grilla.setTextMatrix(fila, col, QString());
}

qint32 BuscaEnTabla(const QString& texto) {
    const QString buscado = RecortaBlancos(texto);
    for (size_t i = 0; i < gTablaTotales.size(); ++i) {
        const QString clave =
            RecortaBlancos(UT().QuitaCaracter(gTablaTotales[i].Clave, QString(kChr255), QString(kChr0)));
        if (clave.compare(buscado, Qt::CaseInsensitive) == 0)
            return static_cast<qint32>(i);
    }
    return -1;
}

QString LimpiaCampo(const QVariant& valor) {
    return RecortaBlancos(
        UT().QuitaCaracter(UT().ValorATexto(valor), QString(kChr0), QString(kChr255), QString(kChr10)));
}

std::optional<QDateTime> LeeFechaTexto(const QString& texto) {
    const QString t = texto.trimmed();
    static const QStringList fechas{QStringLiteral("yyyy-MM-dd"), QStringLiteral("d/M/yyyy"),
                                    QStringLiteral("d/M/yy")};
    static const QStringList horas{QString(), QStringLiteral(" H:mm:ss"), QStringLiteral(" H:mm")};
    for (const QString& f : fechas)
        for (const QString& h : horas) {
            QDateTime dt = QDateTime::fromString(t, f + h);
            if (!dt.isValid())
                continue;
            if (f.endsWith(QLatin1StringView("/yy")))
                dt = dt.addYears(dt.date().year() < 1930 ? 100 : 0);
            return dt;
        }
    return std::nullopt;
}

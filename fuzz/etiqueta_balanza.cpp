// Scale labels: the label, the mask setting TIPOEAN and the setting DECIMALESEAN, one per line.
// A text reads as a label exactly when it has a label's shape; a decoded label carries its
// code and finite values; the only error is the documented refusal of a Q or T mask whose
// DECIMALESEAN has no divisor; the divisor of any setting is a divisor or nothing.
#include "Comun.h"
#include "ErrorSistema.h"
#include "EtiquetaBalanza.h"

#include <algorithm>
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::vector<QString> p = Partes(datos, largo, 3);
    const QString& texto = p[0];
    const QString& tipo = p[1];
    const QString& decimales = p[2];

    const std::optional<int> divisor = DivisorEAN(decimales);
    if (divisor && *divisor != 1 && *divisor != 10 && *divisor != 100 && *divisor != 1000 &&
        *divisor != 10000)
        Falla("divisor fuera de 1..10000", QString::number(*divisor));

    std::optional<EtiquetaBalanza> e;
    try {
        e = LeeEtiquetaBalanza(texto, tipo, decimales);
    } catch (const ErrorSistema& error) {
        const bool porDivisor = !divisor && (tipo.contains(u'Q', Qt::CaseInsensitive) ||
                                             tipo.contains(u'T', Qt::CaseInsensitive));
        if (error.Numero() != 5 || !porDivisor)
            Falla("error inesperado al leer la etiqueta",
                  QString::number(error.Numero()) + QStringLiteral(" ") + error.Descripcion());
        return 0;
    }
    // A label of digits always reads; one written with an exponent may be past every amount
    // ("210123005e218") and then reads as nothing.
    const bool soloDigitos = std::all_of(texto.cbegin(), texto.cend(),
                                         [](QChar c) { return c.isDigit() || c == u'-' || c == u' '; });
    if (e.has_value() ? !EsEtiquetaBalanza(texto) : EsEtiquetaBalanza(texto) && soloDigitos)
        Falla("la etiqueta se lee sin tener su forma, o no se lee teniéndola", texto);
    if (!e)
        return 0;
    if (e->signo != 1 && e->signo != -1)
        Falla("signo distinto de 1 y -1");
    if (e->decodificada != MascarasEAN().contains(tipo, Qt::CaseInsensitive))
        Falla("decodificada no sigue a la máscara", tipo);
    // A label padded with blanks ("-2" and twelve blanks) reads as one whose code is blank.
    if (e->decodificada && e->codigo.isEmpty() && texto.trimmed() == texto &&
        !tipo.startsWith(QLatin1String("CCCCCCQ"), Qt::CaseInsensitive))
        Falla("etiqueta decodificada sin código", texto + u' ' + tipo);
    if (e->cantidad && !std::isfinite(*e->cantidad))
        Falla("cantidad no finita", texto);
    return 0;
}

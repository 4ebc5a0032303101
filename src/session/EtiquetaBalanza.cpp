#include "EtiquetaBalanza.h"

#include "ErrorSistema.h"
#include "Recorte.h"
#include "Regional.h"

#include <QStringList>
#include <array>

namespace {

enum class Valor { Importe, Peso, Cantidad };

// Positions are 1-based within the 11-character window.
struct Mascara {
    const char* texto;
    int codigoDesde;
    int codigoLargo;
    int valorDesde; // 0: from 6 on a 12-character label, from 7 on a 13-character one
    Valor valor;
    bool importeConSigno; // the T masks with a "0" in front sign their amount
    bool codigoComoNumero;
};

// In the order they are compared with the setting.
constexpr std::array<Mascara, 15> kMascaras{{
    {"0CCCCCTTTTT", 2, 5, 7, Valor::Importe, true, false},
    {"CCCCCTTTTTT", 1, 5, 0, Valor::Importe, true, false},
    {"CCCC0TTTTTT", 1, 4, 6, Valor::Importe, true, false},
    {"CCCCCCTTTTT", 1, 6, 7, Valor::Importe, false, false},
    {"CCCCC0PPPPP", 1, 5, 7, Valor::Peso, true, false},
    {"CCCCC0QQQQQ", 1, 5, 7, Valor::Cantidad, true, false},
    {"CCCCCCPPPPP", 1, 6, 7, Valor::Peso, true, false},
    {"CCCCCTTTTT", 2, 5, 7, Valor::Importe, false, false},
    {"CCCCTTTTT", 3, 4, 7, Valor::Importe, false, false},
    {"CCCCCCQQQQQ", 1, 6, 7, Valor::Cantidad, true, true},
    {"00CCCCPPPPP", 3, 4, 7, Valor::Peso, true, false},
    {"00CCCCQQQQQ", 3, 4, 7, Valor::Cantidad, true, false},
    {"0CCCCCPPPPP", 2, 5, 7, Valor::Peso, true, false},
    {"0CCCCCQQQQQ", 2, 5, 7, Valor::Cantidad, true, false},
    {"CCCCCPPPPPP", 2, 5, 7, Valor::Peso, true, false},
}};

// Digits read as the currency conversion reads a text: anything else gives 0; nothing when the
// number is beyond the currency's range ("9E99" is numeric text).
std::optional<Moneda> LeeDigitos(const QString& texto) {
    try {
        return Regional::LeeMoneda(texto).value_or(Moneda());
    } catch (const ErrorSistema&) {
        return std::nullopt;
    }
}

} // namespace

const QStringList& MascarasEAN() {
    static const QStringList lista = [] {
        QStringList l;
        for (const Mascara& m : kMascaras)
            l << QString::fromLatin1(m.texto);
        return l;
    }();
    return lista;
}

bool EsEtiquetaBalanza(const QString& texto) {
    const qsizetype largo = texto.size();
    const qsizetype recortado = RecortaBlancos(texto).size();
    const bool forma = (largo == 13 && texto.startsWith(QLatin1Char('2'))) ||
                       (largo == 14 && texto.startsWith(QLatin1String("-2"))) ||
                       (recortado == 12 && texto.startsWith(QLatin1Char('0'))) ||
                       (recortado == 13 && texto.startsWith(QLatin1String("-0"))) ||
                       (recortado == 13 && texto.startsWith(QLatin1Char('0')));
    return forma && Regional::EsNumero(texto);
}

std::optional<int> DivisorEAN(const QString& decimalesEAN) {
    const std::optional<Moneda> decimales = LeeDigitos(RecortaBlancos(decimalesEAN));
    if (!decimales)
        return std::nullopt;
    static constexpr int kDivisores[] = {1, 10, 100, 1000, 10000};
    for (int n = 0; n < 5; ++n) {
        if (*decimales == Moneda::DeEntero(n))
            return kDivisores[n];
    }
    return std::nullopt;
}

std::optional<EtiquetaBalanza> LeeEtiquetaBalanza(const QString& texto, const QString& tipoEAN,
                                                  const QString& decimalesEAN) {
    if (!EsEtiquetaBalanza(texto))
        return std::nullopt;

    // A label typed with blanks after it is read as the label it is.
    QString e = RecortaBlancos(texto);
    EtiquetaBalanza r;
    int d = 2;
    if (e.size() == 13 && e.startsWith(QLatin1Char('-'))) {
        e.remove(0, 1);
        d = 1;
        r.signo = -1;
    }
    if (e.size() == 13 && e.startsWith(QLatin1Char('0'))) {
        d = 2;
        r.signo = 1;
    }
    if (e.size() == 14 && e.startsWith(QLatin1Char('-'))) {
        e.remove(0, 1);
        d = 2;
        r.signo = -1;
    }
    if (e.size() == 12)
        d = 1;
    const QString ventana = e.mid(d - 1, 11);

    if (tipoEAN.isEmpty())
        return r;
    const Mascara* mascara = nullptr;
    for (const Mascara& m : kMascaras) {
        if (tipoEAN.compare(QLatin1String(m.texto), Qt::CaseInsensitive) == 0) {
            mascara = &m;
            break;
        }
    }
    if (!mascara)
        return r;

    r.decodificada = true;
    r.codigo = ventana.mid(mascara->codigoDesde - 1, mascara->codigoLargo);
    if (mascara->codigoComoNumero) {
        const std::optional<Moneda> codigo = LeeDigitos(r.codigo);
        if (!codigo)
            return std::nullopt;
        r.codigo = codigo->Texto();
    }

    const int desde = mascara->valorDesde != 0 ? mascara->valorDesde : (e.size() == 12 ? 6 : 7);
    const std::optional<Moneda> leidos = LeeDigitos(ventana.mid(desde - 1));
    if (!leidos)
        return std::nullopt;
    const Moneda digitos = *leidos;
    const int signo = r.signo;

    if (mascara->valor == Valor::Peso) {
        r.cantidad = digitos.ADoble() / 1000 * signo;
        return r;
    }
    const std::optional<int> divisor = DivisorEAN(decimalesEAN);
    if (!divisor) {
        throw ErrorSistema(5,
                           QStringLiteral("DECIMALESEAN no válido para leer la etiqueta de balanza: \"%1\"")
                               .arg(decimalesEAN),
                           QStringLiteral("BuscaArticulo"));
    }
    if (mascara->valor == Valor::Cantidad) {
        r.cantidad = digitos.ADoble() / *divisor * signo;
        return r;
    }
    Moneda importe = digitos / Moneda::DeEntero(*divisor);
    if (mascara->importeConSigno && signo < 0)
        importe = -importe;
    r.importe = importe;
    r.cantidad = signo;
    return r;
}

#include "Importacion.h"

#include "ErrorSistema.h"
#include "Regional.h"
#include "Utilidades.h"

#include <QStringDecoder>

namespace {

const QString kTab = QStringLiteral("\t");

// The cleaning and number services need no session: a local instance serves the fuzzing too.
const Utilidades& Servicios() {
    static const Utilidades u;
    return u;
}

bool FinDeLinea(QChar c) {
    return c == u'\r' || c == u'\n';
}

// The line that starts at `inicio`: where its text ends and where the next line starts. Lines
// end at CR, CR LF or LF; the last one may lack its end.
struct TramoLinea {
    qsizetype fin;
    qsizetype siguiente;
};

TramoLinea LineaDesde(const QString& texto, qsizetype inicio) {
    qsizetype fin = inicio;
    while (fin < texto.size() && !FinDeLinea(texto[fin]))
        ++fin;
    const bool crLf = fin + 1 < texto.size() && texto[fin] == u'\r' && texto[fin + 1] == u'\n';
    return {fin, fin + (crLf ? 2 : 1)};
}

} // namespace

const QStringList& TextosFormatoImportacion() {
    static const QStringList textos = {
        QStringLiteral("Codigo,Descripcion,Cantidad (Sep: TAB)"),
        QStringLiteral("Codigo,Descripcion,Cantidad (Sep: ,) coma"),
        QStringLiteral("Codigo,Cantidad             (Sep: TAB)"),
        QStringLiteral("Codigo,Cantidad             (Sep: ,) coma"),
        QStringLiteral("Codigo,Cantidad             (Sep: +) Simbolo mas"),
        QStringLiteral("Codigo (Solo para productos Pesables)"),
    };
    return textos;
}

FormatoImportacion FormatoImportacionDe(const QString& configurado) {
    static const char* const campos[6] = {"CDC", "CDC", "CC", "CC", "CC", "C"};
    static const char* const separadores[6] = {"\t", ",", "\t", ",", "+", ""};
    const QString texto = configurado.trimmed();
    const QStringList& textos = TextosFormatoImportacion();
    for (qsizetype i = 0; i < textos.size(); ++i)
        if (texto.compare(textos[i], Qt::CaseInsensitive) == 0)
            return {texto, QString::fromLatin1(campos[i]), QString::fromLatin1(separadores[i])};
    return {textos[0], QStringLiteral("CDC"), kTab};
}

LectorImportacion::LectorImportacion(const QByteArray& contenido, FormatoImportacion formato)
    : formato_(std::move(formato)) {
    QStringDecoder decodificador("Windows-1252");
    texto_ = decodificador.decode(contenido);
    for (qsizetype i = 0; i < texto_.size(); i = LineaDesde(texto_, i).siguiente)
        ++total_;
}

bool LectorImportacion::Siguiente() {
    if (posicion_ >= texto_.size())
        return false;
    const TramoLinea tramo = LineaDesde(texto_, posicion_);
    linea_ = texto_.mid(posicion_, tramo.fin - posicion_);
    posicion_ = tramo.siguiente;
    ++numero_;
    return true;
}

std::optional<LineaImportada> LectorImportacion::Linea() const {
    return Divide(linea_, formato_);
}

std::optional<LineaImportada> LectorImportacion::Divide(const QString& linea,
                                                        const FormatoImportacion& formato) {
    const Utilidades& ut = Servicios();
    LineaImportada l;
    if (formato.separador.isEmpty()) {
        // One field: a code or a scale label.
        l.codigo = ut.LimpiaCampoImportado(linea);
        l.etiqueta = true;
        if (l.codigo.isEmpty())
            return std::nullopt;
        return l;
    }
    const QStringList campos = linea.split(formato.separador);
    if (campos.size() < 2)
        return std::nullopt;
    l.codigo = ut.LimpiaCampoImportado(campos[0]);
    // A line of separators alone (a spreadsheet's empty row) names no article.
    if (l.codigo.isEmpty())
        return std::nullopt;
    QString cantidad;
    if (formato.campos == QLatin1String("CDC")) {
        if (campos.size() < 3)
            throw ErrorSistema(9, QStringLiteral("Subíndice fuera del intervalo"),
                               QStringLiteral("Especial"));
        l.descripcion = ut.LimpiaCampoImportado(campos[1]);
        cantidad = ut.LimpiaCampoImportado(campos[2]);
    } else {
        cantidad = ut.LimpiaCampoImportado(campos[1]);
    }
    l.cantidadArchivo = cantidad;
    l.cantidadNumero = cantidad.trimmed().isEmpty() || Regional::LeeMoneda(cantidad).has_value();
    // Currency precision first, then single precision, as the grid shows a typed quantity.
    const auto simple = static_cast<float>(ut.TextoAMoneda(cantidad).ADoble());
    l.cantidad = Regional::TextoNumero(static_cast<double>(simple), 7);
    return l;
}

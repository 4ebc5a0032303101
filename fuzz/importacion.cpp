// Import files: the first line names the layout (as the setting ImportaMov holds it), the rest is
// the file's bytes. Every line of the file is visited once and none keeps a line end; a line
// gives a cleaned, non-empty code and a quantity that reads back as a number (0, and told so, when
// the file's field is no number), a label only in the code-only layout; the only errors are a "CDC" line
// without its quantity (9) and a quantity beyond an amount (6).
#include "Importacion.h"
#include "Comun.h"
#include "ErrorSistema.h"
#include "Regional.h"

namespace {

// The quantity reads back as a number; a file field that is no number is told as such, and
// only then: it never stands for a quantity.
void CompruebaCantidad(const LineaImportada& l) {
    if (!Regional::LeeDoble(l.cantidad))
        Falla("cantidad que no se lee como número", l.cantidad);
    const bool leida = l.cantidadArchivo.trimmed().isEmpty() || Regional::LeeDoble(l.cantidadArchivo);
    if (l.cantidadNumero != leida)
        Falla("cantidad del archivo mal calificada", l.cantidadArchivo);
    if (!l.cantidadNumero && Regional::LeeDoble(l.cantidad).value_or(1) != 0)
        Falla("cantidad que no es número tomada como otra", l.cantidad);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QByteArray todo = Bytes(datos, largo);
    const qsizetype salto = todo.indexOf('\n');
    const QString configurado = QString::fromUtf8(salto < 0 ? todo : todo.left(salto));
    const QByteArray archivo = salto < 0 ? QByteArray() : todo.mid(salto + 1);
    const FormatoImportacion formato = FormatoImportacionDe(configurado);
    if (!TextosFormatoImportacion().contains(formato.texto, Qt::CaseInsensitive))
        Falla("formato sin texto conocido", formato.texto);

    LectorImportacion lector(archivo, formato);
    int vistas = 0;
    while (lector.Siguiente()) {
        ++vistas;
        if (lector.NumeroLinea() != vistas)
            Falla("número de línea salteado");
        if (lector.Texto().contains(u'\r') || lector.Texto().contains(u'\n'))
            Falla("línea con su fin adentro", lector.Texto());
        std::optional<LineaImportada> l;
        try {
            l = lector.Linea();
        } catch (const ErrorSistema& e) {
            const bool faltaCantidad = e.Numero() == 9 && formato.campos == QLatin1String("CDC") &&
                                       lector.Texto().count(formato.separador) == 1;
            if (!faltaCantidad && e.Numero() != 6)
                Falla("error inesperado", QString::number(e.Numero()) + u' ' + e.Descripcion());
            continue;
        }
        if (!l)
            continue;
        if (l->codigo.isEmpty() || l->codigo != l->codigo.trimmed())
            Falla("código vacío o con blancos", l->codigo);
        for (const QChar c : l->codigo + l->descripcion)
            if (c.unicode() < 32 || c.unicode() == 127)
                Falla("carácter de control en un campo", l->codigo);
        if (l->etiqueta != formato.separador.isEmpty())
            Falla("etiqueta fuera del formato de solo código");
        if (!l->etiqueta)
            CompruebaCantidad(*l);
        if (!l->descripcion.isEmpty() && formato.campos != QLatin1String("CDC"))
            Falla("descripción fuera del formato CDC");
    }
    if (vistas != lector.TotalLineas())
        Falla("líneas visitadas y contadas difieren",
              QString::number(vistas) + u'/' + QString::number(lector.TotalLineas()));
    return 0;
}

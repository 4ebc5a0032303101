// The search window's definitions file (consultas.cvn) over any bytes: every record reads, a
// whole record writes back as the bytes it was read from, and every table it defines is found by
// the definition lookup.
#include "ArchivosConsulta.h"
#include "Comun.h"
#include "DefinicionesConsulta.h"
#include "VentanaConsulta.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

namespace {

// Bytes that Windows-1252 reads and writes back as themselves (not the few it leaves undefined).
const std::array<bool, 256>& Reversibles() {
    static const std::array<bool, 256> tabla = [] {
        std::array<bool, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const QByteArray uno(1, static_cast<char>(b));
            QStringDecoder de("Windows-1252");
            QStringEncoder a("Windows-1252");
            t[static_cast<size_t>(b)] = a.encode(de.decode(uno)) == uno;
        }
        return t;
    }();
    return tabla;
}

bool TodoReversible(const QByteArray& b) {
    for (char c : b)
        if (!Reversibles()[static_cast<unsigned char>(c)])
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    static const QString ruta = CarpetaTrabajo() + QStringLiteral("consultas.cvn");
    const QByteArray bytes = Bytes(datos, largo);
    EscribeArchivo(ruta, bytes);

    constexpr qsizetype n = RegistroConsulta::Longitud;
    std::vector<RegistroConsulta> registros;
    {
        LectorConsultas lector(ruta);
        RegistroConsulta r;
        while (lector.Siguiente(r))
            registros.push_back(r);
    }
    if (static_cast<qsizetype>(registros.size()) != (bytes.size() + n - 1) / n)
        Falla("no se leen todos los registros");

    for (size_t i = 0; i < registros.size(); ++i) {
        const QByteArray crudo = bytes.mid(static_cast<qsizetype>(i) * n, n);
        if (crudo.size() == n && TodoReversible(crudo)) {
            const QByteArray escrito = registros[i].Bytes();
            if (escrito != crudo.left(n - 2) + "\r\n")
                Falla("un registro entero no se escribe como se leyó", QString::number(i));
        }
    }

    VC().setArchivoConsultas(ruta);
    for (size_t i = 0; i < registros.size() && i < 3; ++i) {
        const QString tabla = TextoComparable(registros[i].Tabla);
        if (tabla.isEmpty())
            continue;
        RegistroConsulta hallado;
        if (!BuscaDefinicionConsulta(tabla, hallado))
            Falla("una tabla definida en el archivo no se encuentra", tabla);
        if (hallado.Tabla.trimmed().compare(tabla, Qt::CaseInsensitive) != 0)
            Falla("la búsqueda da la definición de otra tabla",
                  tabla + QStringLiteral(" -> ") + hallado.Tabla);
    }
    return 0;
}

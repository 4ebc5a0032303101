#include "ClsCmnCptesServicios.h"

#include "AccesoDatos.h"
#include "Configuracion.h"
#include "Globales.h"
#include "Regional.h"
#include "Utilidades.h"

#include <limits>

namespace {

// The leading number of the text taken to the nearest 16-bit integer (halves to even). A value
// beyond the 16-bit range is held at its limit instead of failing the instance's creation.
qint16 EnteroCorto(const QString& texto) {
    double v = 0;
    try {
        v = RedondeoBanquero(ValNumero(texto));
    } catch (const ErrorSistema&) {
        v = texto.trimmed().startsWith('-') ? std::numeric_limits<qint16>::min()
                                            : std::numeric_limits<qint16>::max();
    }
    if (v > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (v < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return static_cast<qint16>(v);
}

} // namespace

ClsCmnCptesServicios::ClsCmnCptesServicios() {
    PIVA = UT().TextoAMoneda(Cfg(QStringLiteral("PIVA"))).ADoble();
    PIVARec = UT().TextoAMoneda(Cfg(QStringLiteral("PIVARec"))).ADoble();
    AsientosXStock =
        Cfg(QStringLiteral("AsientosXStock")).compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
    gLenDesc = EnteroCorto(Cfg(QStringLiteral("LenDescripcion")));
    if (gLenDesc <= 0)
        gLenDesc = 100;
}

bool ClsCmnCptesServicios::EjecutaProtegido(const QString& rutina, std::initializer_list<Paso> pasos) {
    return EjecutaPasos(pasos, [&rutina](const ErrorSistema& e) { return AD().GestionaError(e, rutina); });
}

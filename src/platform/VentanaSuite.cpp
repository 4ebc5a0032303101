#include "VentanaSuite.h"

#include "ErrorSistema.h"

#include <QFile>

void MarcoSkin::LoadSkin(const QString& ruta, const QString& esquema) {
    const QString archivo = esquema.isEmpty() ? ruta : ruta + u'/' + esquema;
    QFile f(archivo);
    if (ruta.isEmpty() || !f.open(QIODevice::ReadOnly))
        throw ErrorSistema(53, QStringLiteral("No se ha encontrado el archivo ") + archivo,
                           QStringLiteral("LoadSkin"));
    hoja_ = QString::fromUtf8(f.readAll());
    ruta_ = ruta;
    esquema_ = esquema;
    Avisa();
}

void MarcoSkin::ApplyWindow(VentanaSuite&) {
    aplicado_ = true;
    Avisa();
}

void MarcoSkin::setApplyOptions(int opciones) {
    opciones_ = opciones;
    Avisa();
}

void MarcoSkin::Avisa() const {
    if (alCambiar)
        alCambiar();
}

void VentanaSuite::setIcon(const QString& ruta) {
    icono_ = ruta;
    if (alCambiarIcono)
        alCambiarIcono();
}

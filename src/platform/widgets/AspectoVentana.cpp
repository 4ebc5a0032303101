#include "AspectoVentana.h"

#include <QIcon>
#include <QPointer>
#include <QWidget>

void AplicaAspecto(VentanaSuite& ventana, QWidget& vista) {
    QPointer<QWidget> destino(&vista);
    auto icono = [&ventana, destino] {
        if (destino)
            destino->setWindowIcon(ventana.Icon().isEmpty() ? QIcon() : QIcon(ventana.Icon()));
    };
    icono();
    ventana.alCambiarIcono = icono;
    if (MarcoSkin* skin = ventana.SkinFramework1()) {
        auto hoja = [skin, destino] {
            if (destino && skin->Aplicado())
                destino->setStyleSheet(skin->HojaEstilo());
        };
        hoja();
        skin->alCambiar = hoja;
    }
}

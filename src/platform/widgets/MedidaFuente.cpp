#include "MedidaFuente.h"

#include "Grilla.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>

std::function<int(const QString&)> MedidaFuenteAplicacion() {
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    const double dpi = pantalla ? pantalla->logicalDotsPerInchX() : 96.0;
    return [metricas = QFontMetrics(QApplication::font()), dpi](const QString& texto) {
        return PixelesATwips(metricas.horizontalAdvance(texto), dpi);
    };
}

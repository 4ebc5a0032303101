#include "IconosConsulta.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <map>

namespace {

constexpr int Lado = 16;

// The sheet every picture starts from: white paper, a folded corner, grey lines of text.
void Hoja(QPainter& p, const QColor& lineas = QColor(150, 150, 150)) {
    QPainterPath hoja;
    hoja.moveTo(2.5, 0.5);
    hoja.lineTo(10.5, 0.5);
    hoja.lineTo(13.5, 3.5);
    hoja.lineTo(13.5, 15.5);
    hoja.lineTo(2.5, 15.5);
    hoja.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawPath(hoja);
    p.drawLine(QPointF(10.5, 0.5), QPointF(10.5, 3.5));
    p.drawLine(QPointF(10.5, 3.5), QPointF(13.5, 3.5));
    p.setPen(QPen(lineas, 1));
    for (int y = 6; y <= 12; y += 2)
        p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
}

void Banda(QPainter& p, const QColor& color) {
    p.fillRect(QRectF(3, 1, 7.5, 3), color);
}

void Circulo(QPainter& p, const QColor& color, const QPointF& centro, double radio) {
    p.setPen(QPen(color.darker(140), 1));
    p.setBrush(color);
    p.drawEllipse(centro, radio, radio);
}

void Cruz(QPainter& p, const QColor& color) {
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 5), QPointF(12, 13));
    p.drawLine(QPointF(12, 5), QPointF(4, 13));
}

void Tilde(QPainter& p, const QColor& color) {
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(4, 9.5), QPointF(7, 12.5), QPointF(12.5, 5)}));
}

void Signo(QPainter& p, const QColor& color, bool mas) {
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(5, 10), QPointF(12, 10));
    if (mas)
        p.drawLine(QPointF(8.5, 6.5), QPointF(8.5, 13.5));
}

void Engranaje(QPainter& p) {
    const QColor color(110, 110, 130);
    p.setPen(QPen(color, 2));
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(8.5, 10);
        p.rotate(45.0 * i);
        p.drawLine(QPointF(-4.5, 0), QPointF(4.5, 0));
        p.restore();
    }
    Circulo(p, color, QPointF(8.5, 10), 3);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8.5, 10), 1.2, 1.2);
}

void Escudo(QPainter& p) {
    QPainterPath escudo;
    escudo.moveTo(8.5, 5);
    escudo.lineTo(13, 6.5);
    escudo.cubicTo(13, 11, 11, 13.5, 8.5, 15);
    escudo.cubicTo(6, 13.5, 4, 11, 4, 6.5);
    escudo.closeSubpath();
    p.setPen(QPen(QColor(150, 110, 0), 1));
    p.setBrush(QColor(235, 185, 30));
    p.drawPath(escudo);
}

void Caja(QPainter& p) {
    p.setPen(QPen(QColor(120, 80, 30), 1));
    p.setBrush(QColor(200, 150, 80));
    p.drawRect(QRectF(4.5, 7.5, 8, 6));
    p.drawLine(QPointF(4.5, 9.5), QPointF(12.5, 9.5));
}

using Dibujo = std::function<void(QPainter&)>;

const std::map<QString, Dibujo>& Dibujos() {
    static const std::map<QString, Dibujo> dibujos{
        {QStringLiteral("PR"),
         [](QPainter& p) {
             Hoja(p);
             Banda(p, QColor(130, 70, 170));
         }},
        {QStringLiteral("ANULADO"),
         [](QPainter& p) {
             Hoja(p);
             Cruz(p, QColor(200, 30, 30));
         }},
        {QStringLiteral("APROBADO"),
         [](QPainter& p) {
             Hoja(p);
             Tilde(p, QColor(20, 150, 40));
         }},
        {QStringLiteral("FC"),
         [](QPainter& p) {
             Hoja(p);
             Banda(p, QColor(30, 140, 60));
         }},
        {QStringLiteral("NC"),
         [](QPainter& p) {
             Hoja(p, QColor(210, 210, 210));
             Signo(p, QColor(30, 90, 200), false);
         }},
        {QStringLiteral("ND"),
         [](QPainter& p) {
             Hoja(p, QColor(210, 210, 210));
             Signo(p, QColor(220, 120, 0), true);
         }},
        {QStringLiteral("OT"),
         [](QPainter& p) {
             Hoja(p, QColor(210, 210, 210));
             Engranaje(p);
         }},
        {QStringLiteral("GENERICO"), [](QPainter& p) { Hoja(p); }},
        {QStringLiteral("T3"),
         [](QPainter& p) {
             Hoja(p, QColor(210, 210, 210));
             for (int i = 0; i < 3; ++i)
                 Circulo(p, QColor(0, 150, 170), QPointF(5.5 + 3 * i, 10), 1.4);
         }},
        {QStringLiteral("OC"),
         [](QPainter& p) {
             Hoja(p, QColor(210, 210, 210));
             Caja(p);
         }},
        {QStringLiteral("OCG"),
         [](QPainter& p) {
             Hoja(p, QColor(210, 210, 210));
             Escudo(p);
         }},
    };
    return dibujos;
}

QIcon Dibuja(const Dibujo& dibujo) {
    QPixmap imagen(Lado, Lado);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    dibujo(p);
    p.end();
    return QIcon(imagen);
}

} // namespace

QIcon IconoConsulta(const QString& tag) {
    auto it = Dibujos().find(tag.trimmed().toUpper());
    if (it == Dibujos().end())
        it = Dibujos().find(QStringLiteral("GENERICO"));
    return Dibuja(it->second);
}

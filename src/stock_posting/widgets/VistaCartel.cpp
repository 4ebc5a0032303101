#include "VistaCartel.h"

#include "Cartel.h"
#include "Enlaces.h"
#include "Grilla.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace {

int Px(int twips) {
    return TwipsAPixeles(twips);
}

// The animation: twelve spokes around a centre, the frame's spoke dark and the ones behind it
// fading, so that the frames 1 to 12 turn once.
class Animacion : public QWidget {
public:
    Animacion(const Lbf_CtrlDisplay& form, QWidget* padre) : QWidget(padre), form_(form) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double lado = std::min(width(), height());
        p.translate(width() / 2.0, height() / 2.0);
        const int cuadros = Lbf_CtrlDisplay::Cuadros;
        for (int i = 0; i < cuadros; ++i) {
            const int atras = (form_.Image1() - 1 - i + cuadros) % cuadros;
            QColor color = palette().color(QPalette::WindowText);
            color.setAlphaF(static_cast<float>(1.0 - 0.8 * atras / (cuadros - 1)));
            p.setPen(QPen(color, lado / 12, Qt::SolidLine, Qt::RoundCap));
            const double angulo = 2 * M_PI * i / cuadros;
            p.drawLine(QPointF(std::sin(angulo), -std::cos(angulo)) * lado * 0.2,
                       QPointF(std::sin(angulo), -std::cos(angulo)) * lado * 0.42);
        }
    }

private:
    const Lbf_CtrlDisplay& form_;
};

} // namespace

VistaCartel::VistaCartel(Lbf_CtrlDisplay& form) : QWidget(nullptr, Qt::Tool), form_(form) {
    setFixedSize(Px(7845), Px(2970));
    setWindowOpacity(Lbf_CtrlDisplay::Opacidad / 255.0);
    QFont negrita = font();
    negrita.setPointSize(12);
    negrita.setBold(true);
    const int tops[] = {240, 600, 960};
    for (size_t i = 0; i < form.LblCtrol.size(); ++i) {
        auto* l = new QLabel(this);
        l->setFont(negrita);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        l->setGeometry(0, Px(tops[i]), Px(7815), Px(255) + 6);
        EnlazaEtiqueta(form.LblCtrol[i], l);
    }
    animacion_ = new Animacion(form, this);
    animacion_->setGeometry(Px(3480), Px(1320), Px(1095), Px(975));
    auto* cancelar = new QPushButton(this);
    cancelar->setGeometry(Px(3120), Px(2400), Px(1695), Px(375));
    EnlazaBoton(form.CmdDisplayCancelar, cancelar);
    connect(cancelar, &QPushButton::clicked, this, [this] { form_.CmdDisplayCancelar_Click(); });
    if (const QScreen* pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - rect().center());
    form_.alCambiar = [this] {
        const bool apilado = form_.SiempreVisible() != bool(windowFlags() & Qt::WindowStaysOnTopHint);
        if (form_.Visible() != isVisible() || apilado)
            Sigue();
        else
            SigueModelo(this, pendiente_, [this] { Sigue(); });
    };
    // A tick of the timer redraws the animation alone, when the event loop gets to it.
    form_.alCambiarCuadro = [this] { animacion_->update(); };
    Sigue();
}

VistaCartel::~VistaCartel() {
    form_.alCambiar = nullptr;
    form_.alCambiarCuadro = nullptr;
}

void VistaCartel::Sigue() {
    setWindowTitle(form_.Caption());
    // Only the stacking changes: the window keeps its place and size.
    if (form_.SiempreVisible() != bool(windowFlags() & Qt::WindowStaysOnTopHint)) {
        const QRect lugar = geometry();
        setWindowFlag(Qt::WindowStaysOnTopHint, form_.SiempreVisible());
        setGeometry(lugar);
    }
    if (form_.Visible() != isVisible())
        setVisible(form_.Visible());
    difiere_.Pon(isVisible());
    animacion_->update();
    if (isVisible())
        repaint();
}

void RegistraVistaCartel() {
    Lbf_CtrlDisplay::RegistraVista(
        [](Lbf_CtrlDisplay& f) -> std::unique_ptr<QObject> { return std::make_unique<VistaCartel>(f); });
}

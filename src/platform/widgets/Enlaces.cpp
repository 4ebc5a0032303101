#include "Enlaces.h"

#include "ErrorSistema.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace {

// The updates waiting for the next turn of the event loop while views are deferred.
struct Espera {
    QPointer<QObject> vista;
    bool* pendiente;
    std::function<void()> actualiza;
};

struct Diferidas {
    int nivel = 0;
    bool turnoPedido = false;
    QElapsedTimer ultimo; // since the waiting updates last ran
    std::vector<Espera> esperas;
};

Diferidas& Estado() {
    static Diferidas d;
    return d;
}

void CorreEsperas() {
    Diferidas& d = Estado();
    d.turnoPedido = false;
    d.ultimo.start();
    // An update may ask for another: it waits for the next turn.
    std::vector<Espera> esperas;
    esperas.swap(d.esperas);
    for (Espera& e : esperas)
        if (e.vista) {
            *e.pendiente = false;
            e.actualiza();
        }
}

// The binding's life: a child of the widget holding the model's observation.
class Enlace : public QObject {
public:
    Enlace(QWidget* w, ModeloControl& modelo, std::function<void()> muestra)
        : QObject(w), muestra_(std::move(muestra)) {
        suscripcion_ = modelo.Observa([this] { SigueModelo(this, pendiente_, [this] { muestra_(); }); });
        muestra_();
    }
    // The model is still there: the widget's changes may go to it.
    bool Vigente() const { return suscripcion_.Vigente(); }

private:
    std::function<void()> muestra_;
    bool pendiente_ = false;
    ModeloControl::Suscripcion suscripcion_;
};

void PintaColores(QWidget* w, int letra, int fondo) {
    QPalette p = w->parentWidget() ? w->parentWidget()->palette() : QApplication::palette();
    const QColor cl = ColorBgr(letra);
    const QColor cf = ColorBgr(fondo);
    if (cl.isValid()) {
        p.setColor(QPalette::Text, cl);
        p.setColor(QPalette::WindowText, cl);
    }
    if (cf.isValid()) {
        p.setColor(QPalette::Base, cf);
        p.setColor(QPalette::Window, cf);
    }
    w->setPalette(p);
    w->setAutoFillBackground(cf.isValid() && qobject_cast<QLabel*>(w));
}

} // namespace

void DifiereVistas(bool difiere) {
    Diferidas& d = Estado();
    d.nivel = std::max(0, d.nivel + (difiere ? 1 : -1));
    if (d.nivel == 0)
        CorreEsperas();
}

void VistasAlDia() {
    if (!Estado().esperas.empty())
        CorreEsperas();
}

void DescartaEsperas(const QObject* ventana) {
    const auto suya = [ventana](const Espera& e) {
        for (const QObject* o = e.vista; o; o = o->parent())
            if (o == ventana)
                return true;
        return !e.vista;
    };
    std::erase_if(Estado().esperas, suya);
}

void SigueModelo(QObject* vista, bool& pendiente, std::function<void()> actualiza) {
    Diferidas& d = Estado();
    if (d.nivel == 0) {
        actualiza();
        return;
    }
    if (pendiente)
        return;
    pendiente = true;
    d.esperas.push_back({vista, &pendiente, std::move(actualiza)});
    if (!d.turnoPedido) {
        d.turnoPedido = true;
        // A loop that yields on every line paints at this pace, not at every yield.
        const qint64 falta = d.ultimo.isValid() ? RitmoVistasMs - d.ultimo.elapsed() : 0;
        QTimer::singleShot(int(std::clamp<qint64>(falta, 0, RitmoVistasMs)), qApp, &CorreEsperas);
    }
}

QColor ColorBgr(int bgr) {
    if (bgr < 0)
        return {};
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void EnlazaEtiqueta(ControlSimple& e, QLabel* l, std::function<void()> extra) {
    new Enlace(l, e, [&e, l, extra = std::move(extra)] {
        l->setText(e.Caption());
        l->setVisible(e.Visible());
        l->setEnabled(e.Enabled());
        l->setToolTip(e.ToolTipText());
        PintaColores(l, e.ForeColor(), e.BackColor());
        if (extra)
            extra();
    });
}

void EnlazaMarco(ControlSimple& m, QWidget* w) {
    new Enlace(w, m, [&m, w] {
        w->setEnabled(m.Enabled());
        w->setVisible(m.Visible());
    });
}

void EnlazaBoton(Boton& b, QPushButton* w) {
    new Enlace(w, b, [&b, w] {
        w->setText(b.Caption());
        w->setEnabled(b.Enabled());
        w->setVisible(b.Visible());
        w->setToolTip(b.ToolTipText());
    });
}

void EnlazaCasilla(CasillaVerificacion& c, QCheckBox* w) {
    auto* enlace = new Enlace(w, c, [&c, w] {
        w->setText(c.Caption());
        w->setEnabled(c.Enabled());
        w->setVisible(c.Visible());
        const Qt::CheckState estado = c.Value() == 1   ? Qt::Checked
                                      : c.Value() == 2 ? Qt::PartiallyChecked
                                                       : Qt::Unchecked;
        if (w->checkState() != estado)
            w->setCheckState(estado);
    });
    QObject::connect(w, &QCheckBox::stateChanged, enlace, [&c, enlace](int estado) {
        if (enlace->Vigente())
            c.setValue(estado == Qt::Checked ? 1 : estado == Qt::PartiallyChecked ? 2 : 0);
    });
}

void EnlazaCaja(CajaTexto& c, QLineEdit* w, std::function<void()> alEditar) {
    auto* enlace = new Enlace(w, c, [&c, w] {
        if (w->text() != c.Text())
            w->setText(c.Text());
        w->setMaxLength(c.MaxLength() > 0 ? c.MaxLength() : 32767);
        w->setEnabled(c.Enabled());
        w->setVisible(c.Visible());
        PintaColores(w, c.ForeColor(), c.BackColor());
    });
    QObject::connect(w, &QLineEdit::textEdited, enlace,
                     [&c, w, enlace, alEditar = std::move(alEditar)](const QString& texto) {
                         if (!enlace->Vigente())
                             return;
                         c.setText(texto);
                         c.setSelStart(w->cursorPosition());
                         c.setSelLength(0);
                         if (alEditar)
                             alEditar();
                     });
}

void EnlazaLista(ListaCombo& l, QComboBox* w) {
    const auto muestra = [&l, w] {
        const QSignalBlocker bloqueo(w);
        QStringList actuales;
        for (int i = 0; i < w->count(); ++i)
            actuales << w->itemText(i);
        if (actuales != l.Items()) {
            w->clear();
            w->addItems(l.Items());
        }
        w->setCurrentIndex(l.ListIndex());
        w->setEnabled(l.Enabled());
        w->setVisible(l.Visible());
        w->setToolTip(l.ToolTipText());
    };
    auto* enlace = new Enlace(w, l, muestra);
    QObject::connect(w, &QComboBox::currentIndexChanged, enlace, [&l, enlace, muestra](int indice) {
        if (!enlace->Vigente() || indice == l.ListIndex())
            return;
        try {
            l.setListIndex(indice);
        } catch (const ErrorSistema&) {
            muestra();
        }
    });
}

void DaFocoDelFormulario(QWidget* w, bool& sincronizando) {
    if (!w || w->hasFocus())
        return;
    sincronizando = true;
    w->setFocus(Qt::OtherFocusReason);
    sincronizando = false;
}

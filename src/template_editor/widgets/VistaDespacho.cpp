#include "VistaDespacho.h"

#include "AspectoVentana.h"
#include "Enlaces.h"
#include "InteraccionQt.h"
#include "Teclas.h"
#include "VistaBarraHerramientas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

VistaDespacho::VistaDespacho(FrmDespacho& form, QWidget* padre)
    : QDialog(padre), form_(form), desc_(new QLabel(this)), aceptar_(new QPushButton(this)),
      cancelar_(new QPushButton(this)), consultar_(new QPushButton(this)) {
    setObjectName(QStringLiteral("FrmDespacho"));
    setWindowTitle(form_.Caption());
    setModal(true);
    auto* grilla = new QGridLayout;
    // Rows: dispatch number, origin with its description, customs office.
    const int filas[3] = {1, 0, 2};
    const int etiqueta[3] = {0, 4, 1};
    for (int i = 0; i < 3; ++i) {
        campos_[static_cast<size_t>(i)] = new QLineEdit(this);
        campos_[static_cast<size_t>(i)]->setObjectName(QStringLiteral("TxtFields(%1)").arg(i));
        campos_[static_cast<size_t>(i)]->installEventFilter(this);
        auto* l = new QLabel(this);
        etiquetas_[static_cast<size_t>(etiqueta[i])] = l;
        grilla->addWidget(l, filas[i], 0);
        grilla->addWidget(campos_[static_cast<size_t>(i)], filas[i], 1, 1, i == 0 ? 1 : 2);
        EnlazaEtiqueta(form_.Label5[static_cast<size_t>(etiqueta[i])], l);
        EnlazaCaja(form_.TxtFields[static_cast<size_t>(i)], campos_[static_cast<size_t>(i)]);
    }
    campos_[0]->setMaximumWidth(60);
    grilla->addWidget(desc_, 1, 2);
    EnlazaEtiqueta(form_.LblDesc, desc_);
    auto* botones = new QHBoxLayout;
    for (auto [b, m] : {std::pair{aceptar_, &form_.CmdAceptar}, std::pair{cancelar_, &form_.CmdCancelar},
                        std::pair{consultar_, &form_.CmdConsultar}}) {
        b->setAutoDefault(false);
        botones->addWidget(b);
        EnlazaBoton(*m, b);
    }
    aceptar_->setObjectName(QStringLiteral("CmdAceptar"));
    cancelar_->setObjectName(QStringLiteral("CmdCancelar"));
    consultar_->setObjectName(QStringLiteral("CmdConsultar"));
    connect(aceptar_, &QPushButton::clicked, this, [this] { form_.CmdAceptar_Click(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { form_.CmdCancelar_Click(); });
    connect(consultar_, &QPushButton::clicked, this, [this] { form_.CmdConsultar_Click(); });
    auto* capa = new QVBoxLayout(this);
    capa->addLayout(grilla);
    capa->addLayout(botones);
    form_.alOcultar = [this] { QDialog::done(QDialog::Accepted); };
    AplicaAspecto(form_, *this);
    QWidget::setTabOrder(campos_[1], campos_[0]);
    QWidget::setTabOrder(campos_[0], campos_[2]);
    campos_[1]->setFocus();
    form_.Foco().FocoMovido(QStringLiteral("TxtFields(1)"));
}

VistaDespacho::~VistaDespacho() {
    form_.alOcultar = nullptr;
}

void VistaDespacho::SigueFoco() {
    for (QLineEdit* c : campos_)
        if (c->objectName() == form_.Foco().Actual() && !c->hasFocus())
            c->setFocus();
}

bool VistaDespacho::eventFilter(QObject* objeto, QEvent* evento) {
    for (int i = 0; i < 3; ++i) {
        if (objeto != campos_[static_cast<size_t>(i)])
            continue;
        if (evento->type() == QEvent::FocusIn)
            form_.Foco().FocoMovido(QStringLiteral("TxtFields(%1)").arg(i));
        if (evento->type() != QEvent::KeyPress)
            break;
        auto* tecla = static_cast<QKeyEvent*>(evento);
        qint16 codigo = CodigoTecla(tecla->key());
        if (codigo == tecla::F2 || codigo == tecla::F5) {
            form_.Form_KeyDown(codigo);
            SigueFoco();
            return true;
        }
        if (codigo == tecla::Enter) {
            form_.TxtFields_KeyDown(i, codigo);
            SigueFoco();
            return true;
        }
        if (!tecla->text().isEmpty() && tecla->text().at(0).isPrint()) {
            qint16 caracter = static_cast<qint16>(tecla->text().at(0).unicode());
            form_.TxtFields_KeyPress(i, caracter);
            if (caracter == 0)
                return true;
        }
        break;
    }
    return QDialog::eventFilter(objeto, evento);
}

void RegistraVistaDespacho() {
    InteraccionQt::RegistraVista(QStringLiteral("FrmDespacho"), [](Formulario& f, QWidget* padre) {
        VistaDespacho vista(dynamic_cast<FrmDespacho&>(f), padre);
        vista.exec();
    });
}

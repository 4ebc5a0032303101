#include "VistaVentanaConsulta.h"

#include "InteraccionQt.h"
#include "ModeloGrilla.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

VistaVentanaConsulta::VistaVentanaConsulta(VentanaConsulta& ventana, QWidget* padre)
    : QDialog(padre), ventana_(ventana), modelo_(new ModeloGrilla(ventana.Resultado(), this)),
      tabla_(new QTableView(this)) {
    setWindowTitle(ventana_.Caption());
    setModal(true);

    tabla_->setModel(modelo_);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->setAlternatingRowColors(true);
    tabla_->verticalHeader()->hide();
    tabla_->horizontalHeader()->setHighlightSections(false);
    tabla_->setWordWrap(false);
    // Row 0 holds the column names, shown by the header.
    tabla_->setRowHidden(0, true);
    AplicaAnchos();

    auto* botones = new QDialogButtonBox(this);
    QPushButton* aceptar = botones->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    aceptar->setDefault(true);
    connect(botones, &QDialogButtonBox::accepted, this, &VistaVentanaConsulta::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &VistaVentanaConsulta::reject);

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(tabla_);
    capa->addWidget(botones);

    connect(tabla_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) {
                if (actual.isValid() && actual.row() != ventana_.Resultado().Row())
                    ventana_.Resultado().setRow(actual.row());
            });
    connect(tabla_, &QTableView::doubleClicked, this, [this](const QModelIndex& indice) {
        if (indice.isValid() && indice.row() > 0) {
            ventana_.Resultado().setRow(indice.row());
            ventana_.Grilla_DblClick();
        }
    });
    ventana_.alCerrar = [this] {
        cerrando_ = true;
        QDialog::done(QDialog::Accepted);
    };
    SigueFilaActual();

    int ancho = 0;
    for (int c = 0; c < modelo_->columnCount(); ++c)
        ancho += tabla_->columnWidth(c);
    resize(std::clamp(ancho + 40, 360, 1000), 420);
}

VistaVentanaConsulta::~VistaVentanaConsulta() {
    ventana_.alCerrar = nullptr;
}

void VistaVentanaConsulta::AplicaAnchos() {
    for (int c = 0; c < modelo_->columnCount(); ++c)
        tabla_->setColumnWidth(c, TwipsAPixeles(ventana_.Resultado().ColWidth(c), logicalDpiX()));
}

void VistaVentanaConsulta::SigueFilaActual() {
    const int fila = ventana_.Resultado().Row();
    if (fila > 0 && fila < modelo_->rowCount())
        tabla_->setCurrentIndex(modelo_->index(fila, 0));
}

void VistaVentanaConsulta::accept() {
    if (!cerrando_)
        ventana_.Aceptar();
}

void VistaVentanaConsulta::reject() {
    if (!cerrando_)
        ventana_.Cancelar();
}

void RegistraVistaVentanaConsulta() {
    InteraccionQt::RegistraVista(QStringLiteral("VentanaConsulta"), [](Formulario& f, QWidget* padre) {
        auto& ventana = dynamic_cast<VentanaConsulta&>(f);
        VistaVentanaConsulta vista(ventana, padre);
        vista.exec();
    });
}

#include "VistaVentanaConsulta.h"

#include "Enlaces.h"
#include "InteraccionQt.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

// The visible rows of the window as a table: row 0 the column names (hidden, the header shows
// them), then one row per visible row. Texts are asked of the window for the cells on screen.
// Rows that come in are told to the table at the views' pace, all the rows come since at once:
// told block by block, the table would repaint at every turn of the event loop that reads one.
class ModeloConsulta : public QAbstractTableModel {
public:
    ModeloConsulta(VentanaConsulta& ventana, QObject* padre)
        : QAbstractTableModel(padre), ventana_(ventana), filas_(ventana.FilasVisibles()) {
        aviso_.setSingleShot(true);
        QObject::connect(&aviso_, &QTimer::timeout, this, [this] { Muestra(); });
        ventana_.alAgregar = [this] {
            if (aviso_.isActive())
                return;
            const qint64 falta = mostradas_.isValid() ? RitmoVistasMs - mostradas_.elapsed() : 0;
            if (falta <= 0)
                Muestra();
            else
                aviso_.start(int(falta));
        };
        ventana_.alAntesDeReiniciar = [this] { beginResetModel(); };
        ventana_.alReiniciar = [this] {
            aviso_.stop();
            filas_ = ventana_.FilasVisibles();
            endResetModel();
        };
    }
    ~ModeloConsulta() override {
        ventana_.alAgregar = nullptr;
        ventana_.alAntesDeReiniciar = nullptr;
        ventana_.alReiniciar = nullptr;
    }
    ModeloConsulta(const ModeloConsulta&) = delete;
    ModeloConsulta& operator=(const ModeloConsulta&) = delete;

    int rowCount(const QModelIndex& padre = {}) const override { return padre.isValid() ? 0 : 1 + filas_; }
    int columnCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : ventana_.Resultado().Cols();
    }
    QVariant data(const QModelIndex& indice, int rol) const override {
        if (!indice.isValid() || (rol != Qt::DisplayRole && rol != Qt::ToolTipRole))
            return {};
        return ventana_.Resultado().TextMatrix(Fila(indice.row()), indice.column());
    }
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override {
        if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole)
            return ventana_.Resultado().TextMatrix(0, seccion);
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    }

    // The window's row of a model row, and back (0: the title row, or none).
    int Fila(int filaModelo) const { return filaModelo <= 0 ? 0 : ventana_.FilaVisible(filaModelo - 1); }
    int FilaModelo(int fila) const {
        const int i = ventana_.IndiceVisible(fila);
        return i < 0 ? 0 : i + 1;
    }

    // The rows come in since they were last told, to the table now.
    void Muestra() {
        aviso_.stop();
        mostradas_.start();
        const int visibles = ventana_.FilasVisibles();
        if (visibles <= filas_)
            return;
        beginInsertRows({}, filas_ + 1, visibles);
        filas_ = visibles;
        endInsertRows();
    }

private:
    VentanaConsulta& ventana_;
    int filas_; // the visible rows told to the table
    QTimer aviso_;
    QElapsedTimer mostradas_;
};

VistaVentanaConsulta::VistaVentanaConsulta(VentanaConsulta& ventana, QWidget* padre)
    : QDialog(padre), ventana_(ventana), modelo_(new ModeloConsulta(ventana, this)),
      buscador_(new QLineEdit(this)), tabla_(new QTableView(this)), lector_(new QTimer(this)) {
    setWindowTitle(ventana_.Caption());
    setModal(true);

    buscador_->setObjectName(QStringLiteral("Buscador"));
    buscador_->setPlaceholderText(QStringLiteral("Buscar..."));
    buscador_->setClearButtonEnabled(true);
    buscador_->installEventFilter(this);
    // The text the rows were searched for: they are already those of it.
    buscador_->setText(ventana_.TextoBuscado());
    connect(buscador_, &QLineEdit::textChanged, this, [this](const QString& texto) {
        ventana_.Filtra(texto);
        tabla_->setRowHidden(0, true);
        SigueFilaActual();
        // Searched again: the rest of its rows come in as the first search's did.
        if (!ventana_.Completa())
            lector_->start(0);
    });

    tabla_->setModel(modelo_);
    tabla_->installEventFilter(this);
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
    capa->addWidget(buscador_);
    capa->addWidget(tabla_);
    capa->addWidget(botones);

    connect(tabla_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actual) {
                if (actual.isValid() && actual.row() > 0)
                    ventana_.Resultado().setRow(modelo_->Fila(actual.row()));
            });
    connect(tabla_, &QTableView::doubleClicked, this, [this](const QModelIndex& indice) {
        if (indice.isValid() && indice.row() > 0) {
            ventana_.Resultado().setRow(modelo_->Fila(indice.row()));
            ventana_.Grilla_DblClick();
        }
    });
    ventana_.alCerrar = [this] {
        cerrando_ = true;
        lector_->stop();
        QDialog::done(QDialog::Accepted);
    };
    SigueFilaActual();

    // The rest of the rows come in while the window answers; the first to come when none was
    // there is the current one.
    connect(lector_, &QTimer::timeout, this, &VistaVentanaConsulta::LeeBloque);
    connect(modelo_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!tabla_->currentIndex().isValid())
            SigueFilaActual();
    });
    if (!ventana_.Completa())
        lector_->start(0);

    int ancho = 0;
    for (int c = 0; c < modelo_->columnCount(); ++c)
        ancho += tabla_->columnWidth(c);
    resize(std::clamp(ancho + 40, 360, 1000), 420);
    tabla_->setFocus();
}

VistaVentanaConsulta::~VistaVentanaConsulta() {
    ventana_.alCerrar = nullptr;
}

void VistaVentanaConsulta::LeeBloque() {
    ventana_.LeeFilas(FilasPorTurno);
    if (ventana_.Completa()) {
        modelo_->Muestra();
        lector_->stop();
    }
}

void VistaVentanaConsulta::AplicaAnchos() {
    // Texts in twips in the cells' and the titles' fonts, whichever is wider.
    const QFontMetrics celdas = tabla_->fontMetrics();
    const QFontMetrics titulos = tabla_->horizontalHeader()->fontMetrics();
    const int dpi = logicalDpiX();
    const auto medida = [&](const QString& texto) {
        return std::max(celdas.horizontalAdvance(texto), titulos.horizontalAdvance(texto)) * 1440 / dpi;
    };
    for (int c = 0; c < modelo_->columnCount(); ++c)
        tabla_->setColumnWidth(c, TwipsAPixeles(ventana_.AnchoColumna(c, medida), dpi));
}

void VistaVentanaConsulta::SigueFilaActual() {
    const int fila = modelo_->FilaModelo(ventana_.Resultado().Row());
    if (fila > 0)
        tabla_->setCurrentIndex(modelo_->index(fila, std::max(0, tabla_->currentIndex().column())));
}

bool VistaVentanaConsulta::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == buscador_ && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        // The list's moving keys reach the list while the person types.
        if (tecla == Qt::Key_Up || tecla == Qt::Key_Down || tecla == Qt::Key_PageUp ||
            tecla == Qt::Key_PageDown) {
            QKeyEvent copia(QEvent::KeyPress, tecla, static_cast<QKeyEvent*>(evento)->modifiers());
            QCoreApplication::sendEvent(tabla_, &copia);
            return true;
        }
    }
    if (objeto == tabla_ && evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        // A printable key typed on the list goes to the search box.
        if (!tecla->text().isEmpty() && tecla->text().at(0).isPrint() &&
            !(tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            buscador_->setFocus();
            buscador_->insert(tecla->text());
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
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

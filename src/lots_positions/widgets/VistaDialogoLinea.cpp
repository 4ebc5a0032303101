#include "VistaDialogoLinea.h"

#include "AspectoVentana.h"
#include "EditorFlotante.h"
#include "Enlaces.h"
#include "MedidaFuente.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The table's own key filter, apart from the dialog's: a dialog may preview every key of the
// application without seeing the table's twice.
class FiltroTabla : public QObject {
public:
    FiltroTabla(QObject* padre, std::function<bool(QEvent*)> filtro)
        : QObject(padre), filtro_(std::move(filtro)) {}

protected:
    bool eventFilter(QObject*, QEvent* evento) override { return filtro_(evento); }

private:
    std::function<bool(QEvent*)> filtro_;
};

} // namespace

VistaDialogoLinea::VistaDialogoLinea(DialogoLinea& form, QWidget* padre)
    : QDialog(padre), form_(form), capa_(new QVBoxLayout(this)), tabla_(new QTableView(this)),
      aceptar_(new QPushButton(this)), cancelar_(new QPushButton(this)) {
    setObjectName(form_.NombreFormulario());
    setWindowTitle(form_.Caption);
    setModal(true);
    auto* etiqueta = new QLabel(this);
    etiqueta->setObjectName(QStringLiteral("lblArticulo"));
    EnlazaEtiqueta(form_.lblArticulo, etiqueta);
    capa_->addWidget(etiqueta);

    tabla_->setObjectName(form_.MSFlexGrid1.Name());
    PreparaTablaGrilla(tabla_);
    new EnlaceTablaGrilla(form_.MSFlexGrid1, tabla_,
                          [this](int fila, int col) { form_.MueveCelda(fila, col); });
    editorFlotante_ = new EditorFlotante(tabla_, form_.MSFlexGrid1, form_.TxtEdit, form_.Edicion());
    // After the floating editor's: Escape in the grid is the dialog's, not a key for the cell.
    tabla_->installEventFilter(new FiltroTabla(this, [this](QEvent* evento) {
        if (evento->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(evento)->key() != Qt::Key_Escape)
            return false;
        reject();
        return true;
    }));
    capa_->addWidget(tabla_, 1);
    ArmaBotones();

    form_.alOcultar = [this] {
        cerrando_ = true;
        done(QDialog::Accepted);
    };
    // The form moves the focus (the editor opened, Enter on the last row): the widget follows,
    // to wherever the form's handler of the move left it; the user moves it: the form is told.
    focoPrevio_ = form_.Foco().alMoverFoco;
    form_.Foco().alMoverFoco = [this](const QString& anterior, const QString& nuevo) {
        if (focoPrevio_)
            focoPrevio_(anterior, nuevo);
        SigueFoco(form_.Foco().Actual());
    };
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* nuevo) {
        if (sincronizando_ || !nuevo)
            return;
        for (const QString& nombre :
             {form_.MSFlexGrid1.Name(), QStringLiteral("CmdAceptar"), QStringLiteral("CmdCancelar")})
            if (Control(nombre) == nuevo)
                form_.Foco().FocoMovido(nombre);
    });
    AplicaAspecto(form_, *this);

    int ancho = 0;
    for (int c = 0; c < form_.MSFlexGrid1.Cols(); ++c)
        if (!tabla_->isColumnHidden(c))
            ancho += tabla_->columnWidth(c);
    resize(qBound(320, ancho + 60, 900), 420);
}

void VistaDialogoLinea::ArmaBotones() {
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    aceptar_->setObjectName(QStringLiteral("CmdAceptar"));
    cancelar_->setObjectName(QStringLiteral("CmdCancelar"));
    // Enter belongs to the grid's editing, never to a default button.
    aceptar_->setAutoDefault(false);
    cancelar_->setAutoDefault(false);
    EnlazaBoton(form_.CmdAceptar, aceptar_);
    EnlazaBoton(form_.CmdCancelar, cancelar_);
    connect(aceptar_, &QPushButton::clicked, this, [this] { form_.CmdAceptar_Click(); });
    connect(cancelar_, &QPushButton::clicked, this, [this] { form_.CmdCancelar_Click(); });
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar_);
    capa_->addLayout(botones);
    setTabOrder(tabla_, aceptar_);
    setTabOrder(aceptar_, cancelar_);
}

VistaDialogoLinea::~VistaDialogoLinea() {
    disconnect(qApp, nullptr, this, nullptr);
    form_.alOcultar = nullptr;
    form_.Foco().alMoverFoco = focoPrevio_;
}

QLineEdit* VistaDialogoLinea::Editor() const {
    return editorFlotante_->Editor();
}

void VistaDialogoLinea::PoneBarra(std::span<const ::Boton> botones, const std::function<void(int)>& clic) {
    barra_ = new QToolBar(this);
    barra_->setObjectName(QStringLiteral("Toolbar1"));
    // Copy down, clear below, propose again.
    const std::pair<const char*, QStyle::StandardPixmap> iconos[] = {
        {"go-down", QStyle::SP_ArrowDown},
        {"edit-clear", QStyle::SP_DialogResetButton},
        {"view-refresh", QStyle::SP_BrowserReload}};
    for (size_t i = 0; i < botones.size() && i < std::size(iconos); ++i) {
        const QIcon icono =
            QIcon::fromTheme(QLatin1String(iconos[i].first), style()->standardIcon(iconos[i].second));
        QAction* a = barra_->addAction(icono, botones[i].ToolTipText());
        a->setToolTip(botones[i].ToolTipText());
        connect(a, &QAction::triggered, this, [clic, i] { clic(int(i) + 1); });
        botones_.push_back(a);
    }
    capa_->insertWidget(0, barra_);
}

QWidget* VistaDialogoLinea::Control(const QString& nombre) const {
    if (nombre == form_.MSFlexGrid1.Name())
        return tabla_;
    if (nombre == form_.TxtEdit.Name())
        return Editor();
    if (nombre == QLatin1String("CmdAceptar"))
        return aceptar_;
    if (nombre == QLatin1String("CmdCancelar"))
        return cancelar_;
    return nullptr;
}

void VistaDialogoLinea::SigueFoco(const QString& nombre) {
    DaFocoDelFormulario(Control(nombre), sincronizando_);
}

void VistaDialogoLinea::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // The grid has the focus when the dialog opens, also where no window manager activates it.
    activateWindow();
    tabla_->setFocus(Qt::OtherFocusReason);
}

void VistaDialogoLinea::reject() {
    // Escape outside an edit, or the window closed: the dialog's Cancelar.
    if (!cerrando_)
        form_.CmdCancelar_Click();
    if (!cerrando_) {
        cerrando_ = true;
        QDialog::reject();
    }
}

void MideDialogosLinea() {
    DialogoLinea::MedidaPorDefecto() = MedidaFuenteAplicacion();
}

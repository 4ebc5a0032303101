#include "InteraccionQt.h"

#include "Enlaces.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTranslator>
#include <algorithm>
#include <climits>

namespace {

// When a modal window closes, the window under it takes the keyboard again: without a window
// manager nobody else gives it back, and its keys and focus would be lost until a click.
class DevuelveActivacion {
public:
    // The window under the dialog shows what the work did so far, not what the views' pace
    // last painted.
    explicit DevuelveActivacion(QWidget* padre) : padre_(padre) { VistasAlDia(); }
    ~DevuelveActivacion() {
        if (padre_ && padre_->isVisible())
            padre_->window()->activateWindow();
    }

private:
    QPointer<QWidget> padre_;
};

QMap<QString, InteraccionQt::Vista>& Vistas() {
    static QMap<QString, InteraccionQt::Vista> v;
    return v;
}

QMessageBox::StandardButton BotonQt(int respuesta) {
    switch (respuesta) {
    case Respuesta::Aceptar:
        return QMessageBox::Ok;
    case Respuesta::Cancelar:
        return QMessageBox::Cancel;
    case Respuesta::Abortar:
        return QMessageBox::Abort;
    case Respuesta::Reintentar:
        return QMessageBox::Retry;
    case Respuesta::Ignorar:
        return QMessageBox::Ignore;
    case Respuesta::Si:
        return QMessageBox::Yes;
    default:
        return QMessageBox::No;
    }
}

QMessageBox::Icon IconoQt(int estilo) {
    switch (Estilo::Icono(estilo)) {
    case Estilo::Critico:
        return QMessageBox::Critical;
    case Estilo::Pregunta:
        return QMessageBox::Question;
    case Estilo::Exclamacion:
        return QMessageBox::Warning;
    case Estilo::Informacion:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void AcomodaTextoLargo(QMessageBox& caja, const QRect& disponible) {
    auto* etiqueta = caja.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    auto* rejilla = qobject_cast<QGridLayout*>(caja.layout());
    const int indice = rejilla && etiqueta ? rejilla->indexOf(etiqueta) : -1;
    if (indice < 0)
        return;
    const QFontMetrics fm(etiqueta->font());
    const int ancho = std::clamp(fm.averageCharWidth() * 80, 200, std::max(200, disponible.width() * 3 / 5));
    const int altoMaximo = disponible.height() / 2;
    const QRect necesario = fm.boundingRect(QRect(0, 0, ancho, INT_MAX / 2), Qt::TextWordWrap, caja.text());
    if (necesario.height() <= altoMaximo)
        return;
    int fila = 0;
    int columna = 0;
    int filas = 0;
    int columnas = 0;
    rejilla->getItemPosition(indice, &fila, &columna, &filas, &columnas);
    auto* area = new QPlainTextEdit(&caja);
    area->setObjectName(QStringLiteral("textoLargo"));
    area->setReadOnly(true);
    area->setPlainText(caja.text());
    area->setMinimumSize(ancho + area->verticalScrollBar()->sizeHint().width() + 2 * area->frameWidth(),
                         altoMaximo);
    etiqueta->hide();
    rejilla->addWidget(area, fila, columna, filas, columnas);
}

void InteraccionQt::RegistraVista(const QString& nombreFormulario, Vista vista) {
    Vistas()[nombreFormulario.toUpper()] = std::move(vista);
}

int InteraccionQt::MsgBox(const QString& texto, int estilo, const QString& titulo) {
    // The suite breaks message lines with a lone carriage return too; Qt only with a line feed.
    QString mostrado = texto;
    mostrado.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QMessageBox caja(IconoQt(estilo), titulo, mostrado, QMessageBox::NoButton, padre_);
    const auto respuestas = Estilo::Respuestas(estilo);
    QMap<QAbstractButton*, int> porBoton;
    for (int r : respuestas) {
        QAbstractButton* b = caja.addButton(BotonQt(r));
        if (r == Respuesta::Abortar)
            b->setText(QStringLiteral("Abortar"));
        porBoton.insert(b, r);
    }
    const auto d = static_cast<size_t>(Estilo::BotonDefecto(estilo));
    caja.setDefaultButton(BotonQt(respuestas[d < respuestas.size() ? d : 0]));
    if (const QScreen* pantalla = padre_ ? padre_->screen() : QGuiApplication::primaryScreen())
        AcomodaTextoLargo(caja, pantalla->availableGeometry());
    {
        const DevuelveActivacion devuelve(padre_);
        caja.exec();
    }
    // Closing the box with Escape or the window's close button answers like Cancel
    // where the set has it, otherwise like its last button.
    if (auto* pulsado = caja.clickedButton(); pulsado && porBoton.contains(pulsado))
        return porBoton.value(pulsado);
    for (int r : respuestas)
        if (r == Respuesta::Cancelar)
            return r;
    return respuestas.back();
}

std::optional<QString> InteraccionQt::InputBox(const QString& texto, const QString& titulo,
                                               const QString& valorInicial) {
    bool aceptado = false;
    const DevuelveActivacion devuelve(padre_);
    const QString r =
        QInputDialog::getText(padre_, titulo, texto, QLineEdit::Normal, valorInicial, &aceptado);
    if (!aceptado)
        return std::nullopt;
    return r;
}

QString InteraccionQt::AbreArchivo(const QString& titulo, const QString& filtro, const QString& carpeta) {
    const DevuelveActivacion devuelve(padre_);
    // Qt's own dialog on every desktop, matching the filter's patterns without regard to case, as
    // the suite's files are named on Windows ("LINEAS.TXT" for "*.Txt").
    QFileDialog dialogo(padre_, titulo, carpeta, filtro);
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setFilter(dialogo.filter() & ~QDir::CaseSensitive);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    return dialogo.selectedFiles().constFirst();
}

void InteraccionQt::MuestraModal(Formulario& formulario) {
    const auto it = Vistas().constFind(formulario.NombreFormulario().toUpper());
    if (it == Vistas().constEnd())
        throw ErrorSistema(
            -1, QStringLiteral("No hay vista para el formulario %1").arg(formulario.NombreFormulario()),
            QStringLiteral("MuestraModal"));
    const DevuelveActivacion devuelve(padre_);
    it.value()(formulario, padre_);
}

namespace {

// The entries of a menu as actions of `qmenu`; each chosen action leads back to its entry.
void LlenaMenu(QMenu& qmenu, const OpcionMenu& menu, QMap<QAction*, const OpcionMenu*>& porAccion) {
    for (const OpcionMenu& o : menu.SubMenus) {
        if (o.EsSeparador()) {
            qmenu.addSeparator()->setVisible(o.Visible);
            continue;
        }
        if (o.EsSubmenu()) {
            QMenu* sub = qmenu.addMenu(o.Caption);
            sub->menuAction()->setVisible(o.Visible);
            sub->setEnabled(o.Enabled);
            LlenaMenu(*sub, o, porAccion);
            continue;
        }
        QAction* a = qmenu.addAction(o.Caption);
        a->setCheckable(o.Checked);
        a->setChecked(o.Checked);
        a->setEnabled(o.Enabled);
        a->setVisible(o.Visible);
        porAccion.insert(a, &o);
    }
}

} // namespace

const OpcionMenu* InteraccionQt::PopupMenu(const OpcionMenu& menu) {
    // Over the window the user works in (a modal dialog over the main window, as a rule).
    QWidget* sobre = QApplication::activeModalWidget();
    if (!sobre)
        sobre = padre_;
    QMenu qmenu(sobre);
    qmenu.setObjectName(menu.Name);
    QMap<QAction*, const OpcionMenu*> porAccion;
    LlenaMenu(qmenu, menu, porAccion);
    QAction* elegida = qmenu.exec(QCursor::pos());
    return elegida ? porAccion.value(elegida, nullptr) : nullptr;
}

void InstalaTraduccionesEs(QApplication& app) {
    const QString carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* base : {"qtbase_es", "qt_es"}) {
        auto* t = new QTranslator(&app);
        if (t->load(QString::fromLatin1(base), carpeta))
            QCoreApplication::installTranslator(t);
        else
            delete t;
    }
}

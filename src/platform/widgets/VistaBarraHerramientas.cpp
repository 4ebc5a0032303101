#include "VistaBarraHerramientas.h"

#include "Enlaces.h"
#include "Teclas.h"

#include <QAction>
#include <QIcon>
#include <QStyle>

qint16 CodigoTecla(int teclaQt) {
    switch (teclaQt) {
    case Qt::Key_Backspace:
        return tecla::Retroceso;
    case Qt::Key_Clear:
        return tecla::Borrar;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return tecla::Enter;
    case Qt::Key_Escape:
        return tecla::Escape;
    case Qt::Key_Space:
        return tecla::Espacio;
    case Qt::Key_PageUp:
        return tecla::RePag;
    case Qt::Key_PageDown:
        return tecla::AvPag;
    case Qt::Key_End:
        return tecla::Fin;
    case Qt::Key_Home:
        return tecla::Inicio;
    case Qt::Key_Left:
        return tecla::Izquierda;
    case Qt::Key_Up:
        return tecla::Arriba;
    case Qt::Key_Right:
        return tecla::Derecha;
    case Qt::Key_Down:
        return tecla::Abajo;
    case Qt::Key_Insert:
        return tecla::Insertar;
    case Qt::Key_Delete:
        return tecla::Suprimir;
    default:
        break;
    }
    if (teclaQt >= Qt::Key_F1 && teclaQt <= Qt::Key_F24)
        return qint16(tecla::F1 + (teclaQt - Qt::Key_F1));
    if ((teclaQt >= Qt::Key_0 && teclaQt <= Qt::Key_9) || (teclaQt >= Qt::Key_A && teclaQt <= Qt::Key_Z))
        return qint16(teclaQt);
    return 0;
}

namespace {
QStyle::StandardPixmap IconoEstilo(const QString& palabra) {
    static const QHash<QString, QStyle::StandardPixmap> iconos = {
        {QStringLiteral("NUEVO"), QStyle::SP_FileIcon},
        {QStringLiteral("BORRAR"), QStyle::SP_TrashIcon},
        {QStringLiteral("GRABAR"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("PLANILLA"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("CONSULTAR"), QStyle::SP_FileDialogContentsView},
        {QStringLiteral("REPORTE"), QStyle::SP_FileDialogInfoView},
        {QStringLiteral("CERRAR"), QStyle::SP_DialogCloseButton},
        {QStringLiteral("CANCELAR"), QStyle::SP_DialogCancelButton},
    };
    return iconos.value(palabra, QStyle::SP_CommandLink);
}
} // namespace

VistaBarraHerramientas::VistaBarraHerramientas(BarraHerramientas& barra, QWidget* padre)
    : QToolBar(padre), barra_(barra) {
    setObjectName(QStringLiteral("UtilVox1"));
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    CaptionsGrises();
    for (const BarraHerramientas::BotonBarra& b : barra_.Botones()) {
        const QIcon icono = QIcon::fromTheme(b.icono, style()->standardIcon(IconoEstilo(b.palabra)));
        QAction* accion = addAction(icono, b.caption);
        accion->setObjectName(b.palabra);
        accion->setToolTip(b.ayuda);
        const QString palabra = b.palabra;
        connect(accion, &QAction::triggered, this, [this, palabra] { barra_.Presiona(palabra); });
        acciones_.insert(palabra, accion);
    }
    barra_.alCambiar = [this] { SigueModelo(this, pendiente_, [this] { Actualiza(); }); };
    Actualiza();
}

void VistaBarraHerramientas::CaptionsGrises() {
    // The style's disabled text barely shows on the bar's light background (every skin's is
    // light): a disabled button keeps a readable caption, only greyed. A rule of the bar's own,
    // so that it holds under the skin's style sheet too.
    setStyleSheet(QStringLiteral("QToolButton:disabled { color: #555555; }"));
}

VistaBarraHerramientas::~VistaBarraHerramientas() {
    barra_.alCambiar = nullptr;
}

void VistaBarraHerramientas::Actualiza() {
    setEnabled(barra_.Enabled());
    for (const BarraHerramientas::BotonBarra& b : barra_.Botones()) {
        if (QAction* a = acciones_.value(b.palabra)) {
            a->setEnabled(b.habilitado);
            a->setVisible(b.visible);
        }
    }
}

#include "VistaBarraHerramientas.h"

#include <QAction>
#include <QIcon>
#include <QStyle>

qint16 CodigoTecla(int teclaQt) {
    switch (teclaQt) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        break;
    }
    if (teclaQt >= Qt::Key_F1 && teclaQt <= Qt::Key_F24)
        return qint16(112 + (teclaQt - Qt::Key_F1));
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
    for (const BarraHerramientas::BotonBarra& b : barra_.Botones()) {
        const QIcon icono = QIcon::fromTheme(b.icono, style()->standardIcon(IconoEstilo(b.palabra)));
        QAction* accion = addAction(icono, b.caption);
        accion->setObjectName(b.palabra);
        accion->setToolTip(b.ayuda);
        const QString palabra = b.palabra;
        connect(accion, &QAction::triggered, this, [this, palabra] { barra_.Presiona(palabra); });
        acciones_.insert(palabra, accion);
    }
    barra_.alCambiar = [this] { Actualiza(); };
    Actualiza();
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

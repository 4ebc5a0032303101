#include "EdicionGrilla.h"

namespace EdicionGrilla {

void Desplaza(Grilla& g) {
    if (g.Height() > 0 && g.Height() < g.CellTop() + g.CellHeight())
        g.setTopRow(g.TopRow() + 1);
}

void AbreEditor(Grilla& g, CajaTexto& editor, qint16 KeyAscii) {
    if (KeyAscii >= 0 && KeyAscii <= 32) {
        editor.setText(g.Text());
        editor.setSelStart(int(qMin<qsizetype>(1000, editor.Text().size())));
    } else {
        editor.setText(QString(QChar(char16_t(quint16(KeyAscii)))));
        editor.setSelStart(1);
    }
    editor.setSelLength(0);
    editor.setVisible(true);
}

bool Compromete(Grilla& g, CajaTexto& editor) {
    return Compromete(g, editor, editor.Text());
}

bool Compromete(Grilla& g, CajaTexto& editor, const QString& texto) {
    if (!editor.Visible())
        return false;
    g.setText(texto);
    editor.setVisible(false);
    return true;
}

} // namespace EdicionGrilla

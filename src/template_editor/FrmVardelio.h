#pragma once

#include <QString>

// The editor of stock-voucher templates: the program's main window, headless. Its Qt view
// shows these models and forwards the user's events.
class FrmVardelio {
public:
    QString Caption() const { return caption_; }

    // Runs before the window is shown. Start-up comes first: without a connection it ends the
    // program (FinPrograma reaches main()).
    void Form_Load();

private:
    QString caption_ = QStringLiteral("Modelos de Comprobantes de Stock");
};

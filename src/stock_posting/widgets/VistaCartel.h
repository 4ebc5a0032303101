#pragma once

#include <QWidget>

class Lbf_CtrlDisplay;
class QLabel;
class QPushButton;

// The progress banner's window: translucent, without owner, its three bold lines, the animation
// and the cancel button bound to the headless form. It follows the form and holds no logic.
class VistaCartel : public QWidget {
public:
    explicit VistaCartel(Lbf_CtrlDisplay& form);
    ~VistaCartel() override;
    VistaCartel(const VistaCartel&) = delete;
    VistaCartel& operator=(const VistaCartel&) = delete;

private:
    void Sigue();

    Lbf_CtrlDisplay& form_;
    QWidget* animacion_ = nullptr;
};

// Makes every banner shown from now on appear in a window of its own. The program calls it once
// at start; without it the banner shows nothing.
void RegistraVistaCartel();

#pragma once

#include "Enlaces.h"

#include <QWidget>

class Lbf_CtrlDisplay;
class QLabel;
class QPushButton;

// The progress banner's window: translucent, without owner, its three bold lines, the animation
// and the cancel button bound to the headless form. It follows the form and holds no logic.
// While it shows, a long work runs and yields on every element: the windows follow their models
// at the views' steady pace (DifiereVistas), the banner's lines included; showing, hiding and
// restacking it take effect at once.
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
    VistasDiferidas difiere_{this};
    bool pendiente_ = false;
};

// Makes every banner shown from now on appear in a window of its own. The program calls it once
// at start; without it the banner shows nothing.
void RegistraVistaCartel();

#pragma once

#include "Enlaces.h"
#include "FrmVardelio.h"

#include <QMainWindow>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QVBoxLayout;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableView;
class VistaBarraHerramientas;

// The editor's main window: shows the models of FrmVardelio and forwards the user's events to
// it. Toolbar on top, the header block (voucher type, name, motive, deposits, observations, the
// two check boxes and the three buttons), the lines grid filling the rest, the stock line and
// both status bars at the bottom. Every key that reaches the window goes first to the form's
// Form_KeyDown (the toolbar's keys), then to the control's own handler. The form must outlive
// the view.
class VistaVardelio : public QMainWindow {
    Q_OBJECT
public:
    explicit VistaVardelio(FrmVardelio& form, QWidget* padre = nullptr);
    ~VistaVardelio() override;

    // Text widths in twips in the window's font, for the form's TextWidth: set before Form_Load,
    // which lays out the grid's columns with it.
    static std::function<int(const QString&)> MedidaTexto();

    // The widget that shows the control of that name (as in the form's focus order:
    // "TxtFields(0)", "CmbLista", "MSFlexGrid2", ...); nullptr for none.
    QWidget* Control(const QString& nombre) const;
    QTableView* Tabla() const { return tabla_; }
    VistaBarraHerramientas* Barra() const { return barra_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void ArmaEncabezado(QWidget* centro);
    // The stock line, the line's detail bar and the session bar, under the grid.
    void ArmaPie(QWidget* centro, QVBoxLayout* capa);
    void ConectaModelos();
    // The three buttons and the toolbar, each under the window's last guard.
    void ConectaComandos();
    // The panels' texts and tool tips follow the bar's.
    void EnlazaBarraEstado(BarraEstado& b, std::vector<QLabel*>& paneles, bool& pendiente);
    void DesconectaModelos();
    void MueveFoco(const QString& nombre);
    QString NombreDe(const QWidget* w) const;

    FrmVardelio& form_;
    VistaBarraHerramientas* barra_ = nullptr;
    QFrame* encabezado_ = nullptr;
    QComboBox* combo_ = nullptr;
    QLabel* lblES_ = nullptr;
    std::array<QLineEdit*, 5> campos_{};
    QLabel* lblTitulo_ = nullptr;
    std::array<QLabel*, 4> label5_{};
    QLabel* lblDescMotivo_ = nullptr;
    QLabel* lblDescDeposito_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* lblComprobante_ = nullptr;
    QCheckBox* chkAnclar_ = nullptr;
    QCheckBox* chkCodigoBarra_ = nullptr;
    QPushButton* cmdCargar_ = nullptr;
    QPushButton* cmdEspecial_ = nullptr;
    QPushButton* cmdDespacho_ = nullptr;
    QTableView* tabla_ = nullptr;
    std::array<QLabel*, 4> stockInfo_{};
    QLabel* lblMensaje_ = nullptr;
    QLabel* picStatus_ = nullptr;
    QStatusBar* statusBar1_ = nullptr;
    std::vector<QLabel*> panelesSesion_;
    std::vector<QLabel*> panelesDetalle_;
    std::function<void(const QString&, const QString&)> focoPrevio_;
    std::function<void(const QString&)> clickPrevio_;
    bool sincronizando_ = false;
    // While a bulk command runs the window follows the form at the pace of its yields.
    VistasDiferidas difiere_{this};
    bool focoPendiente_ = false;
    std::array<bool, 2> barrasPendientes_{};
};

#include "FrmVardelio.h"

#include "Acceso.h"
#include "Globales.h"
#include "Inicio.h"
#include "RutinaFormulario.h"
#include "Utilidades.h"

#include <QFont>

namespace {
std::unique_ptr<AyudaFormularios>& InstanciaAyuda() {
    static std::unique_ptr<AyudaFormularios> ayuda;
    return ayuda;
}
} // namespace

AyudaFormularios& AF() {
    auto& ayuda = InstanciaAyuda();
    if (!ayuda) {
        ayuda = std::make_unique<AyudaFormularios>();
        RegistraLiberacion(ObjetoGlobal::AyudaFormularios, [] { InstanciaAyuda().reset(); });
    }
    return *ayuda;
}

FrmVardelio::FrmVardelio()
    : stock_(
          MSFlexGrid2, lblStockInfo, [this] { return FNTC(); },
          [this] { return TextoDelCampo(QStringLiteral("DepositoOrigen")); }),
      lineas_(MSFlexGrid2, stock_), llenado_(*this), leido_(TxtFields, ChkAnclar, CmbLista, MSFlexGrid2) {
    struct Campo {
        const char* dataField;
        const char* tag;
        int largo;
    };
    static constexpr Campo campos[5] = {
        {"NOMBRE", "V_CPTES_MODELO_CAB", 50},
        {"IdMotivoStock", "V_TA_MotivoStock", 4},
        {"DepositoOrigen", "@ADMIN_V_TA_Deposito", 4},
        {"DepositoDestino", "@ADMIN_V_TA_Deposito", 4},
        {"DETALLE", "", 50},
    };
    for (int i = 0; i < 5; ++i) {
        TxtFields[i].setName(QStringLiteral("TxtFields"));
        TxtFields[i].setDataField(QString::fromLatin1(campos[i].dataField));
        TxtFields[i].setTag(QString::fromLatin1(campos[i].tag));
        TxtFields[i].setMaxLength(campos[i].largo);
    }
    Label5[0].setCaption(QStringLiteral("Motivo Stock:"));
    Label5[1].setVisible(false);
    Label5[2].setCaption(QStringLiteral("Deposito:"));
    Label5[3].setCaption(QStringLiteral("Deposito Destino:"));
    CmbLista.setFontName(QStringLiteral("Courier New"));
    MSFlexGrid2.setName(QStringLiteral("MSFlexGrid2"));
    txtEdit2.setVisible(false);
    const char* stock[4] = {"...", "...", "0", "..."};
    const char* ayudas[4] = {"Presentación", "Marca", "Saldo de Stock", "Mensaje"};
    for (int i = 0; i < 4; ++i) {
        lblStockInfo[i].setCaption(QString::fromLatin1(stock[i]));
        lblStockInfo[i].setToolTipText(QString::fromUtf8(ayudas[i]));
    }
    LblMensaje.setVisible(false);
    LblMensaje.alCambiarCaption = [this] { LblMensaje_Change(); };
    StatusBar1.Add(QString(), QString());
    for (const char* clave : {"MENSAJE", "SERVER", "USUARIO", "BASEDEDATOS", "CAJA", "VERSION"})
        sbStatusBar.Add(QString::fromLatin1(clave));
    CmbLista.Click = [this] { CmbLista_Click(); };
    UtilVox1.Click = [this](const QString& palabra) { UtilVox1_click(palabra); };
    Foco_.alMoverFoco = [this](const QString& anterior, const QString& nuevo) {
        FocoCambiado(anterior, nuevo);
    };
    TextWidth = [](const QString& texto) { return int(texto.size()) * 6 * TwipsPorPixel96; };
    caption_ = QStringLiteral("Modelos de Comprobantes de Stock");

    Foco_.DefineOrden({
        {QStringLiteral("CmbLista"), [this] { return CmbLista.Enabled() && CmbLista.Visible(); }},
        {QStringLiteral("TxtFields(0)"), [this] { return TxtFields[0].Enabled() && TxtFields[0].Visible(); }},
        {QStringLiteral("TxtFields(1)"), [this] { return TxtFields[1].Enabled() && TxtFields[1].Visible(); }},
        {QStringLiteral("TxtFields(2)"), [this] { return TxtFields[2].Enabled() && TxtFields[2].Visible(); }},
        {QStringLiteral("TxtFields(3)"), [this] { return TxtFields[3].Enabled() && TxtFields[3].Visible(); }},
        {QStringLiteral("TxtFields(4)"), [this] { return TxtFields[4].Enabled() && TxtFields[4].Visible(); }},
        {QStringLiteral("MSFlexGrid2"), [this] { return MSFlexGrid2.Enabled(); }},
        {QStringLiteral("CmdCargar"), [this] { return CmdCargar.Enabled() && CmdCargar.Visible(); }},
        {QStringLiteral("CmdEspecial"), [this] { return CmdEspecial.Enabled() && CmdEspecial.Visible(); }},
        {QStringLiteral("CmdDespacho"), [this] { return CmdDespacho.Enabled() && CmdDespacho.Visible(); }},
        {QStringLiteral("ChkAnclar"), [this] { return ChkAnclar.Enabled() && ChkAnclar.Visible(); }},
        {QStringLiteral("ChkCodigoBarra"),
         [this] { return ChkCodigoBarra.Enabled() && ChkCodigoBarra.Visible(); }},
    });
}

FrmVardelio::~FrmVardelio() = default;

bool FrmVardelio::AsignaStyleBar(const QString& control, double valor) {
    if (control.compare(QStringLiteral("UtilVox1"), Qt::CaseInsensitive) != 0)
        return false;
    UtilVox1.setStyleBar(valor);
    return true;
}

std::vector<CajaTexto*> FrmVardelio::ArregloCampos(const QString& nombre) {
    std::vector<CajaTexto*> v;
    if (nombre.compare(QStringLiteral("TxtFields"), Qt::CaseInsensitive) == 0)
        for (CajaTexto& c : TxtFields)
            v.push_back(&c);
    return v;
}

void FrmVardelio::setCaption(const QString& c) {
    caption_ = c;
}

ClsCmnCptes& FrmVardelio::ObjCmnCptes() {
    if (!cmnCptes_)
        cmnCptes_ = std::make_unique<ClsCmnCptes>();
    return *cmnCptes_;
}

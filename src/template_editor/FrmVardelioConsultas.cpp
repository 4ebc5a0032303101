// The look-ups of the window: the search of the field the user works in (CONSULTAR, F5, a
// right click on a header field), and the transfer application check.

#include "AlmacenModelos.h"
#include "AlmacenStock.h"
#include "ConsultaLike.h"
#include "ConsultaTabla.h"
#include "DefinicionesConsulta.h"
#include "FrmDespacho.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Teclas.h"
#include "Utilidades.h"
#include "VentanaConsulta.h"

namespace {

bool Es(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

QString Elegido() {
    return UT().ValorATexto(VC().ValorElegido());
}

} // namespace

bool FrmVardelio::CmdConsultar() {
    QString valor;
    CajaTexto* campo = ControlActivo;
    bool sigue = campo != nullptr;
    PasosComando({
        // Only its warning matters: a voucher type the table lacks is told, and the look-up goes on.
        [&] { ObjCmnCptes().ObtieneSignoComprobante(UT().RellenaCodigo(CmbLista.Text().left(4), 4), false); },
        [&] { sigue = sigue && !campo->Tag().isEmpty(); },
        [&] {
            if (sigue)
                valor = ValorConsultado(*campo).trimmed();
        },
        [&] { sigue = sigue && !valor.isEmpty(); },
        [&] {
            if (sigue)
                campo->setText(valor);
        },
        [&] {
            if (sigue)
                SimulaEnter(*campo);
        },
    });
    return true;
}

QString FrmVardelio::ValorConsultado(CajaTexto& campo) {
    const QString tag = campo.Tag().trimmed();
    if (Es(tag, "V_MA_ARTICULOS")) {
        QString tabla = QStringLiteral("STK_MA_ARTICULOS");
        // The text of the cell being typed into; a hidden cell editor holds none the user typed
        // (what it holds is left from another cell or from reading a template).
        QString texto = &campo == &txtEdit2 && !txtEdit2.Visible() ? QString() : campo.Text();
        QString codigo;
        SubConsultaLike(tabla, texto, codigo, 0, SoloArticulosActivos, QString());
        campo.setText(QString());
        if (&campo == &txtEdit2 && txtEdit2.Visible()) {
            EditorVaciadoPorBusqueda = codigo.trimmed().isEmpty();
            if (EditorVaciadoPorBusqueda)
                MarcaEditor = false;
        }
        return codigo;
    }
    if (Es(tag, "V_CPTES_MODELO_CAB") || Es(tag, "@ADMIN_V_TA_DEPOSITO")) {
        const bool modelos = Es(tag, "V_CPTES_MODELO_CAB");
        VC().setCampoClave(modelos ? QStringLiteral("NOMBRE") : QStringLiteral("IDDEPOSITO"));
        VC().MuestraConsulta(modelos ? AlmacenModelos::SentenciaConsulta()
                                     : AlmacenStock::SentenciaConsultaDepositos());
        return Elegido();
    }
    QString tabla = tag;
    QString descripcion;
    QString codigo;
    QString auxiliar;
    ConsultaTabla(tabla, descripcion, codigo, auxiliar, true, QString());
    return codigo;
}

void FrmVardelio::SimulaEnter(CajaTexto& campo) {
    qint16 tecla = tecla::Enter;
    if (Es(campo.Name(), "txtfields")) {
        for (int i = 0; i < static_cast<int>(TxtFields.size()); ++i)
            if (&TxtFields[static_cast<size_t>(i)] == &campo)
                TxtFields_KeyDown(i, tecla, 0);
    } else if (Es(campo.Name(), "txtedit2")) {
        // Opened by the look-up: Escape after a refusal gives the line back as it was, and so
        // does leaving the chosen code refused (it is the editor's text until validated).
        if (!txtEdit2.Visible())
            GuardaLineaEditada();
        MarcaEditor = true;
        txtEdit2.setVisible(true);
        Foco_.SetFocus(QStringLiteral("txtEdit2"));
        txtEdit2_KeyDown(tecla, 0);
    }
}

bool FrmVardelio::BuscaAplicacionTransferencia(const QString& texto) {
    if (!texto.trimmed().isEmpty())
        return true;
    QString numero;
    for (const char* nombre : {"sucursal", "numero", "letra"})
        numero += TextoDelCampo(QString::fromLatin1(nombre));
    return AlmacenStock::TransferenciaAplicada(numero);
}

void FrmVardelio::CmdDespacho_Click() {
    FrmDespacho despacho;
    despacho.Despacho = DatosDespacho[0];
    despacho.Origen = DatosDespacho[1];
    despacho.Aduana = DatosDespacho[2];
    despacho.Form_Load();
    interaccion().MuestraModal(despacho);
    DatosDespacho = {despacho.Despacho, despacho.Origen, despacho.Aduana};
}

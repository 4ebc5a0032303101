// The bulk commands' buttons: their questions and the file dialog; LlenadoMasivo takes the
// lines.

#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "Interaccion.h"
#include "Stock.h"

DialogoArchivo& FrmVardelio::Dialogo() {
    if (!dialogo_)
        dialogo_ = std::make_unique<DialogoArchivo>();
    return *dialogo_;
}

void FrmVardelio::CmdCargar_Click() {
    const QString textoDeposito = TextoDelCampo(QStringLiteral("DepositoOrigen"));
    if (interaccion().MsgBox(QStringLiteral("Este proceso carga todo el stock disponible del Deposito ") +
                                 textoDeposito + QStringLiteral(" -Confirma"),
                             Estilo::SiNo | Estilo::Pregunta, QStringLiteral("Atención")) != Respuesta::Si)
        return;
    InicializaGrids();
    llenado_.LlenaConSaldos(textoDeposito);
    VuelveALasLineas(MSFlexGrid2.FixedRows());
}

void FrmVardelio::VuelveALasLineas(int fila) {
    // The keyboard goes back to the lines, never to the voucher type, whose list an arrow meant
    // for the lines would change; the stock panel shows the line the cursor stands on.
    EjecutaPasos({[&] { MueveCelda(qBound(MSFlexGrid2.FixedRows(), fila, MSFlexGrid2.Rows() - 1), 0); },
                  [&] { MuestraPanelLinea(); }, [&] { Foco_.SetFocus(QStringLiteral("MSFlexGrid2")); }},
                 SiempreSiguiente);
    if (cierrePendiente_) {
        cierrePendiente_ = false;
        Form_Unload();
    }
}

void FrmVardelio::CmdEspecial_Click() {
    QString formato;
    QString campos;
    QString separador;
    if (!LlenadoMasivo::Renglon([&] { ObtieneFormatoImportacion(formato, campos, separador); }))
        return;
    if (interaccion().MsgBox(
            QStringLiteral("Este proceso toma el contenido del archivo de texto seleccionado "
                           "para ingresarlo a la grilla") +
                QStringLiteral("\r\n") + formato,
            Estilo::SiNo, QStringLiteral("Atención")) != Respuesta::Si)
        return;
    DialogoArchivo& d = Dialogo();
    d.setFiltroArchivos(QStringLiteral("Archivos de Texto|*.Txt;"));
    d.setTituloDialogo(QStringLiteral("Buscar Archivos"));
    d.setOpcionDialogo(1);
    d.setBanderaDialogo(true);
    d.AbreDialogo();
    const QString ruta = d.NombreArchivo();
    if (ruta.isEmpty())
        return;
    // The file's lines go after the filled lines: none is cut or overwritten, and empty rows
    // between them and the file's lines are not left behind.
    Grilla& g = MSFlexGrid2;
    TerminaEdicion();
    int ultima = 0;
    for (int f = g.FixedRows(); f < g.Rows(); ++f)
        if (!g.TextMatrix(f, col::CodigoArticulo).trimmed().isEmpty())
            ultima = f;
    g.setRows(ultima + 2);
    llenado_.LlenaConArchivo(ruta, {formato, campos, separador});
    // On the row where the next line would go.
    VuelveALasLineas(g.Rows() - 1);
}

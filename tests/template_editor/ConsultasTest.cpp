// The editor's look-ups on the demo database, headless: F5 and the right click open the search
// of the field the user works in, the chosen code is written and validated as if typed; a
// cancelled search changes nothing. Also the Despacho button and the dispatch dialog's modes.

#include "AccesoPruebasVardelio.h"
#include "ColumnasArticulos.h"
#include "FrmDespacho.h"
#include "VentanaConsulta.h"
#include "VentanaDemo.h"

#include <QStringList>
#include <functional>

namespace {

constexpr qint16 kF5 = 116;

class Consultas : public ConVentanaDemo {
protected:
    // The person's part in the search window: the statement shown is kept, then the row whose
    // column `columna` holds `valor` is chosen (none: cancelled).
    void Elige(const QString& columna, const QString& valor) {
        guion.alMostrar = [this, columna, valor](Formulario& f) {
            auto& v = dynamic_cast<VentanaConsulta&>(f);
            v.LeeTodas();
            sentencias_ << v.SentenciaMostrada();
            for (int fila = 1; fila <= v.FilasDatos(); ++fila)
                for (int c = 0; c < v.Resultado().Cols(); ++c)
                    if (v.Resultado().TextMatrix(0, c).compare(columna, Qt::CaseInsensitive) == 0 &&
                        v.Resultado().TextMatrix(fila, c) == valor) {
                        v.Resultado().setRow(fila);
                        v.Aceptar();
                        return;
                    }
            v.Cancelar();
        };
    }
    QStringList sentencias_;
};

TEST_F(Consultas, F5EnElNombreEligeUnModeloYLoCarga) {
    F().Foco().SetFocus("TxtFields(0)");
    Elige("NOMBRE", "REPOSICION LOCAL CENTRO");
    Pulsa(kF5);
    ASSERT_EQ(sentencias_.size(), 1);
    EXPECT_EQ(sentencias_[0], "SELECT NOMBRE, DETALLE FROM V_CPTES_MODELO_CAB ORDER BY NOMBRE");
    EXPECT_EQ(Campo("NOMBRE").Text(), "REPOSICION LOCAL CENTRO");
    EXPECT_TRUE(Prueba(F()).EsModificacion());
    EXPECT_EQ(Campo("DETALLE").Text(), QStringLiteral("Envío semanal al local"));
    EXPECT_EQ(Campo("DepositoOrigen").Text().trimmed(), "1");
    EXPECT_FALSE(Celda(1, col::CodigoArticulo).isEmpty());
    EXPECT_NE(Foco(), "TxtFields(0)"); // Enter moved on
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('|').toStdString();
}

TEST_F(Consultas, CanceladaNoCambiaNadaYElDetalleNoTieneBusqueda) {
    NuevaPlantilla("PLANTILLA NUEVA");
    const QString deposito = Campo("DepositoOrigen").Text();
    const QString motivo = Campo("IdMotivoStock").Text();
    Elige("NOMBRE", "no existe");
    F().TxtFields_MouseDown(F().IndiceCampo("NOMBRE"), 2);
    F().TxtFields_MouseDown(F().IndiceCampo("IdMotivoStock"), 2);
    F().TxtFields_MouseDown(F().IndiceCampo("DepositoOrigen"), 2);
    EXPECT_EQ(sentencias_.size(), 3);
    EXPECT_EQ(Campo("NOMBRE").Text(), "PLANTILLA NUEVA");
    EXPECT_EQ(Campo("IdMotivoStock").Text(), motivo);
    EXPECT_EQ(Campo("DepositoOrigen").Text(), deposito);
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    // No search for the observations.
    F().TxtFields_MouseDown(F().IndiceCampo("DETALLE"), 2);
    EXPECT_EQ(sentencias_.size(), 3);
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('|').toStdString();
}

TEST_F(Consultas, DepositoYMotivoElegidosDeLaListaSeValidan) {
    NuevaPlantilla("PLANTILLA DEPOSITOS");
    Elige("DESCRIPCION", QStringLiteral("Depósito Norte"));
    F().TxtFields_MouseDown(F().IndiceCampo("DepositoOrigen"), 2);
    ASSERT_EQ(sentencias_.size(), 1);
    EXPECT_EQ(sentencias_[0],
              "SELECT DESCRIPCION, IDDEPOSITO FROM @ADMIN_V_TA_DEPOSITO ORDER BY DESCRIPCION");
    EXPECT_EQ(Campo("DepositoOrigen").Text(), "2"); // trimmed
    EXPECT_EQ(F().LblDescDeposito.Caption(), QStringLiteral("Depósito Norte"));

    Elige("DESCRIPCION", "Vencimiento");
    F().TxtFields_MouseDown(F().IndiceCampo("IdMotivoStock"), 2);
    ASSERT_EQ(sentencias_.size(), 2);
    EXPECT_TRUE(sentencias_[1].startsWith("select DESCRIPCION,IDMotivoStock from V_TA_MotivoStock"))
        << sentencias_[1].toStdString();
    EXPECT_EQ(Campo("IdMotivoStock").Text(), "5");
    EXPECT_EQ(F().lblDescMotivo.Caption(), "Vencimiento");
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('|').toStdString();
}

TEST_F(Consultas, ArticuloDeLaCeldaCanceladoVaciaElEditorYElegidoLlenaLaLinea) {
    NuevaPlantilla("PLANTILLA ARTICULOS");
    Teclea("Yerba");
    ASSERT_TRUE(F().txtEdit2.Visible());
    Elige("IDARTICULO", "no existe");
    Pulsa(kF5);
    ASSERT_EQ(sentencias_.size(), 1);
    EXPECT_TRUE(sentencias_[0].contains("STK_MA_ARTICULOS.DESCRIPCION LIKE '%Yerba%'"))
        << sentencias_[0].toStdString();
    EXPECT_EQ(F().txtEdit2.Text(), "");
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "");

    Teclea("Yerba mate Premium");
    Elige("DESCRIPCION", "Yerba mate Premium");
    Pulsa(kF5);
    ASSERT_EQ(sentencias_.size(), 2);
    EXPECT_EQ(Celda(1, col::Descripcion), "Yerba mate Premium");
    EXPECT_FALSE(Celda(1, col::CodigoArticulo).trimmed().isEmpty());
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('|').toStdString();
}

TEST_F(Consultas, F5EnUnaCeldaElegidaBuscaSuColumnaSinAbrirlaAntes) {
    NuevaPlantilla("PLANTILLA CELDA");
    // The header's last field has no search; the grid's code cell has one, open or not.
    ASSERT_FALSE(F().txtEdit2.Visible());
    ASSERT_EQ(G().Col(), col::CodigoArticulo);
    Elige("DESCRIPCION", "Yerba mate Premium");
    Pulsa(kF5);
    ASSERT_EQ(sentencias_.size(), 1);
    EXPECT_EQ(Celda(1, col::Descripcion), "Yerba mate Premium");
    EXPECT_EQ(G().Col(), col::Cantidad); // Enter went on, as after a typed code
    // The quantity has no search: F5 opens nothing there.
    Pulsa(kF5);
    EXPECT_EQ(sentencias_.size(), 1);
    // Back on the code of the line, the search opens again.
    F().MueveCelda(1, col::CodigoArticulo);
    Elige("DESCRIPCION", "no existe");
    Pulsa(kF5);
    EXPECT_EQ(sentencias_.size(), 2);
    EXPECT_EQ(Celda(1, col::Descripcion), "Yerba mate Premium");
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('|').toStdString();
}

TEST_F(Consultas, AplicacionDeTransferencia) {
    EXPECT_TRUE(F().BuscaAplicacionTransferencia(" x "));
    EXPECT_FALSE(F().BuscaAplicacionTransferencia("  "));
    // Stored as every voucher type is, filled to 4 (the editor has no number fields: the number
    // is empty). Only an application to a trip voucher counts.
    Ejecuta("INSERT INTO MV_APLICACION (TC, IDCOMPROBANTE, TCO_ORIGEN, IDComprobante_Origen) "
            "VALUES ('  TR', '', '  OC', '000100000001A')");
    EXPECT_FALSE(F().BuscaAplicacionTransferencia("  "));
    Ejecuta("INSERT INTO MV_APLICACION (TC, IDCOMPROBANTE, TCO_ORIGEN, IDComprobante_Origen) "
            "VALUES ('  TR', '', '  VJ', '000100000002A')");
    EXPECT_TRUE(F().BuscaAplicacionTransferencia("  "));
}

// The dispatch dialog as the person fills it: `pasos` runs on the shown dialog.
void AlMostrarDespacho(InteraccionGuionada& guion, std::function<void(FrmDespacho&)> pasos) {
    guion.alMostrar = [pasos = std::move(pasos)](Formulario& f) { pasos(dynamic_cast<FrmDespacho&>(f)); };
}

TEST_F(Consultas, DespachoGuardaLosTresTextosMientrasVivaLaVentana) {
    AlMostrarDespacho(guion, [](FrmDespacho& d) {
        EXPECT_FALSE(d.Perecedero());
        EXPECT_TRUE(d.CmdConsultar.Visible());
        EXPECT_EQ(d.Label5[4].Caption(), "Despacho Nro.");
        d.TxtFields[1].setText(" 25001IC04000001A ");
        d.TxtFields[0].setText("CHN");
        qint16 enter = tecla::Enter;
        d.TxtFields_KeyDown(0, enter);
        EXPECT_EQ(d.LblDesc.Caption(), "China");
        d.CmdAceptar_Click(); // customs office missing
        EXPECT_EQ(d.Despacho, "25001IC04000001A");
        d.TxtFields[2].setText("Aduana de Buenos Aires");
        d.CmdAceptar_Click();
    });
    F().CmdDespacho_Click();
    EXPECT_EQ(guion.Mensajes(), QStringList{"Debe completar todos los campos"});
    EXPECT_EQ(Prueba(F()).DatosDespacho(),
              (std::array<QString, 3>{"25001IC04000001A", "CHN", "Aduana de Buenos Aires"}));

    // A new template does not clear them; the dialog opens on them; Cancelar empties all three.
    F().UtilVox1_click("NUEVO");
    AlMostrarDespacho(guion, [](FrmDespacho& d) {
        EXPECT_EQ(d.TxtFields[1].Text(), "25001IC04000001A");
        EXPECT_EQ(d.LblDesc.Caption(), "China");
        d.CmdCancelar_Click();
    });
    F().CmdDespacho_Click();
    EXPECT_EQ(Prueba(F()).DatosDespacho(), (std::array<QString, 3>{}));
}

TEST_F(Consultas, DespachoPerecederoSoloPideLaFechaYF5BuscaElOrigen) {
    Prueba(F()).DatosDespacho() = {"", "ARG", "perecedero"};
    AlMostrarDespacho(guion, [this](FrmDespacho& d) {
        EXPECT_TRUE(d.Perecedero());
        EXPECT_FALSE(d.CmdConsultar.Visible());
        EXPECT_FALSE(d.TxtFields[0].Visible());
        EXPECT_FALSE(d.TxtFields[2].Visible());
        EXPECT_EQ(d.TxtFields[0].Text(), "");
        EXPECT_EQ(d.TxtFields[1].MaxLength(), 10);
        EXPECT_EQ(d.TxtFields[1].Tag(), "FECHA");
        EXPECT_EQ(d.Label5[4].Caption(), "Vencimiento");
        d.CmdAceptar_Click();
        // F5 still looks origins up: the choice goes to the hidden field.
        guion.alMostrar = [](Formulario& f) {
            auto& v = dynamic_cast<VentanaConsulta&>(f);
            v.LeeTodas();
            for (int fila = 1; fila <= v.FilasDatos(); ++fila)
                if (v.Resultado().TextMatrix(fila, 0) == "Brasil")
                    v.Resultado().setRow(fila);
            v.Aceptar();
        };
        d.Foco().SetFocus("TxtFields(1)");
        qint16 f5 = 116;
        d.Form_KeyDown(f5);
        EXPECT_EQ(d.TxtFields[0].Text(), "BRA");
        d.TxtFields[1].setText("31/12/2026");
        d.CmdAceptar_Click();
    });
    F().CmdDespacho_Click();
    EXPECT_EQ(guion.Mensajes(), QStringList{"Debe completar la fecha de vencimiento"});
    EXPECT_EQ(Prueba(F()).DatosDespacho(), (std::array<QString, 3>{"31/12/2026", "BRA", ""}));

    // A look-up closed without a choice empties the origin; an unknown origin empties the
    // description and is kept.
    FrmDespacho d;
    d.Origen = "CHN";
    d.Form_Load();
    EXPECT_EQ(d.LblDesc.Caption(), "China");
    guion.alMostrar = [](Formulario& f) { dynamic_cast<VentanaConsulta&>(f).Cancelar(); };
    d.CmdConsultar_Click();
    EXPECT_EQ(d.TxtFields[0].Text(), "");
    d.TxtFields[0].setText("ZZZ");
    qint16 enter = tecla::Enter;
    d.TxtFields_KeyDown(0, enter);
    EXPECT_EQ(d.LblDesc.Caption(), "");
}

} // namespace

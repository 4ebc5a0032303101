// The editor window headless on the demo database: start-up, the voucher-type list, the enable
// table, the reset, the column widths kept per user, and the shutdown.

#include "FrmVardelio.h"
#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "BaseDemo.h"
#include "ColumnasArticulos.h"
#include "Configuracion.h"
#include "Globales.h"
#include "Inicio.h"
#include "Registros.h"
#include "Transacciones.h"
#include "Utilidades.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// Sorted by description, as the list shows them.
const QStringList kTiposStock = {
    " AJN - Ajuste negativo de stock",      " AJP - Ajuste positivo de stock",
    "  IR - Informe de recepción",          "  SI - Stock inicial",
    "  TR - Transferencia entre depósitos", "  VS - Vale de salida",
};

class Editor : public ConBaseDemo {
protected:
    void TearDown() override {
        form.reset();
        ConBaseDemo::TearDown();
    }
    // Starts the window on the demo session (a fresh form each time).
    void Abre() {
        form = std::make_unique<FrmVardelio>();
        form->Form_Load(LineaSesion());
    }
    void Ejecuta(const QString& sql) { AD().EjecutaSQL(sql); }
    QString Valor(const QString& sql) {
        Registros rs;
        AD().ObtieneRecordset(sql, rs);
        return rs.Eof() ? QStringLiteral("<ninguna>") : UT().ValorATexto(rs.Fields(0));
    }
    QString AnchosGuardados() {
        return Valor("SELECT Valor FROM TA_CONFIGURACION WHERE Clave = 'CFG_GRIDART_STK_DEMO'");
    }
    void GuardaAnchos(const QString& texto) {
        Ejecuta("INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio) VALUES ('DATOS', "
                "'CFG_GRIDART_STK_DEMO', '" +
                texto + "', 0)");
    }
    int Ancho(int col) const { return form->MSFlexGrid2.ColWidth(col); }

    std::unique_ptr<FrmVardelio> form;
};

TEST_F(Editor, AbreEnLaBaseDemo) {
    Abre();
    FrmVardelio& f = *form;
    EXPECT_EQ(f.CmbLista.Items(), kTiposStock);
    EXPECT_EQ(f.CmbLista.ListIndex(), 0);
    EXPECT_EQ(Prueba(f).IndiceCmbLista(), 0);
    EXPECT_EQ(f.FNTC(), "AJN");
    EXPECT_EQ(f.LblES.Caption(), "[S]"); // AJN takes stock out
    EXPECT_EQ(Prueba(f).TablaModelo(), "V_CPTES_MODELO_CAB");
    EXPECT_EQ(Prueba(f).RegistroModelo().State(), 1);
    // The user's deposit, trimmed, in the box bound to DepositoOrigen; the others empty.
    EXPECT_EQ(f.TxtFields[2].Text(), "1");
    EXPECT_EQ(f.TxtFields[0].Text(), "");
    EXPECT_EQ(f.TxtFields[1].Text(), "");
    EXPECT_EQ(f.lblDescMotivo.Caption(), "...");
    EXPECT_EQ(f.LblDescDeposito.Caption(), "...");
    EXPECT_FALSE(f.picStatus.Visible());
    EXPECT_EQ(f.Foco().Actual(), "CmbLista");
    EXPECT_FALSE(f.UtilVox1.HabilitaConsultar());
    // Grid laid out for the type: title row and one empty line, the shared layout's columns.
    EXPECT_EQ(f.MSFlexGrid2.Cols(), 101);
    EXPECT_EQ(f.MSFlexGrid2.Rows(), 2);
    EXPECT_FALSE(f.MSFlexGrid2.Enabled());
    EXPECT_FALSE(f.txtEdit2.Visible());
    // Settings read at start-up.
    EXPECT_EQ(Prueba(f).MostrarStock(), "SI");
    EXPECT_EQ(Prueba(f).ColorNivelStock()[1].toString(), "15794160");
    EXPECT_EQ(Prueba(f).ColorNivelStock()[4].toString(), "13434879");
    EXPECT_FALSE(Prueba(f).TipoDesdeDescripcion());
    EXPECT_EQ(gTipoEAN, "0CCCCCPPPPP");
    EXPECT_EQ(gDecimalesEAN, "2");
    // The session status bar and the access-log row of this session.
    EXPECT_EQ(f.sbStatusBar.Panels("USUARIO").Text(), "Uid: DEMO");
    EXPECT_NE(gIdControlAcceso, 0);
    // The widths the reset found are stored for the user.
    EXPECT_EQ(AnchosGuardados(), Prueba(f).TextoAnchoColumnas());
    EXPECT_EQ(AnchosGuardados().count('|'), 5);
}

TEST(EditorTextos, ConsultaEItemsDeTipos) {
    EXPECT_EQ(AlmacenModelos::SentenciaTipos(),
              "SELECT * FROM VT_TA_CPTE  with(nolock) WHERE SISTEMA = 'STOCK' ORDER BY DESCRIPCION");
    EXPECT_EQ(AlmacenModelos::ItemTipo("  TR ", " Transferencia "), "  TR - Transferencia");
    EXPECT_EQ(AlmacenModelos::ItemTipo("LNDCX", "Larga"), "LNDCX - Larga"); // never cut
    EXPECT_EQ(AccesoPruebasVardelio::ClaveAnchoColumnas(), "CFG_GridArt_STK_" + gUsuarioLogeado);
}

TEST_F(Editor, ValoresDeConfiguracionVaciosYMinusculas) {
    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = '' WHERE Clave = 'STK_NIVEL2'");
    Ejecuta("DELETE FROM TA_CONFIGURACION WHERE Clave = 'STK_NIVEL3'");
    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = 'si' WHERE Clave = 'USATIPOARTENDESCRIPCIONDEART'");
    Abre();
    EXPECT_EQ(Prueba(*form).ColorNivelStock()[2], QVariant(0));
    EXPECT_EQ(Prueba(*form).ColorNivelStock()[3].toString(), " "); // what a missing key reads
    EXPECT_TRUE(Prueba(*form).TipoDesdeDescripcion());
}

TEST_F(Editor, SignoDelTipoElegido) {
    Abre();
    FrmVardelio& f = *form;
    f.CmbLista.setListIndex(2); // IR, an entry
    EXPECT_EQ(f.LblES.Caption(), "[E]");
    EXPECT_EQ(Prueba(f).IndiceCmbLista(), 2);
    EXPECT_EQ(f.FNTC(), "IR");
    f.CmbLista.setListIndex(4); // TR, an exit
    EXPECT_EQ(f.LblES.Caption(), "[S]");
    // A type that V_TA_CPTE lacks: warned once, and shown as an entry.
    f.CmbLista.AddItem("  ZZ - Inexistente");
    guion.Limpia();
    f.CmbLista.setListIndex(6);
    EXPECT_EQ(f.LblES.Caption(), "[E]");
    EXPECT_EQ(guion.Mensajes(),
              QStringList{"El Tipo de Comprobante informado no existe en la tabla de comprobantes"});
}

TEST_F(Editor, TablaDeHabilitacion) {
    Abre();
    FrmVardelio& f = *form;
    f.CmdDespacho.setEnabled(false);
    f.ChkAnclar.setEnabled(false);
    f.ChkCodigoBarra.setVisible(false);
    f.TxtFields[3].setEnabled(false);
    f.CmbLista.setEnabled(false);
    f.FrmEnc0.setEnabled(false);
    f.Label5[3].setVisible(false);

    f.DetalleOn(true);
    const BarraHerramientas& b = f.UtilVox1;
    EXPECT_FALSE(b.HabilitaFueraEdicion1());
    EXPECT_FALSE(b.HabilitaFueraEdicion2());
    EXPECT_TRUE(b.HabilitaEnEdicion1());
    EXPECT_TRUE(b.HabilitaEnEdicion2());
    EXPECT_TRUE(b.HabilitaEnEdicionSinEgreso());
    EXPECT_TRUE(b.HabilitaSiempre());
    EXPECT_TRUE(f.MSFlexGrid2.Enabled());
    EXPECT_EQ(f.MSFlexGrid2.Row(), 1);
    EXPECT_EQ(f.MSFlexGrid2.Col(), 0);
    EXPECT_TRUE(f.CmdCargar.Enabled());
    EXPECT_TRUE(f.CmdEspecial.Enabled());
    for (const CajaTexto& c : f.TxtFields)
        EXPECT_TRUE(c.Enabled());
    EXPECT_TRUE(f.CmbLista.Enabled());
    EXPECT_TRUE(f.FrmEnc0.Enabled());
    EXPECT_TRUE(f.Label5[3].Visible());
    EXPECT_TRUE(f.LblDescDeposito.Visible());
    // The buttons that follow: NUEVO and PLANILLA off, GRABAR, CANCELAR and BORRAR on.
    EXPECT_FALSE(b.BotonHabilitado("NUEVO"));
    EXPECT_TRUE(b.BotonHabilitado("GRABAR"));
    EXPECT_TRUE(b.BotonHabilitado("BORRAR"));
    EXPECT_TRUE(b.BotonHabilitado("CERRAR"));
    // Left as they were.
    EXPECT_FALSE(f.CmdDespacho.Enabled());
    EXPECT_FALSE(f.ChkAnclar.Enabled());
    EXPECT_FALSE(f.ChkCodigoBarra.Visible());

    f.DetalleOn(false);
    EXPECT_TRUE(b.HabilitaFueraEdicion1());
    EXPECT_TRUE(b.HabilitaFueraEdicion2());
    EXPECT_FALSE(b.HabilitaEnEdicion1());
    EXPECT_FALSE(b.HabilitaEnEdicion2());
    EXPECT_FALSE(b.HabilitaEnEdicionSinEgreso());
    EXPECT_TRUE(b.HabilitaSiempre());
    EXPECT_FALSE(f.MSFlexGrid2.Enabled());
    EXPECT_FALSE(f.CmdCargar.Enabled());
    EXPECT_FALSE(f.CmdEspecial.Enabled());
    EXPECT_TRUE(b.BotonHabilitado("NUEVO"));
    EXPECT_FALSE(b.BotonHabilitado("GRABAR"));
    EXPECT_FALSE(f.CmdDespacho.Enabled());

    // An exit form never offers the delete while editing.
    f.pEsParteEgreso = true;
    f.DetalleOn(true);
    EXPECT_FALSE(b.HabilitaEnEdicionSinEgreso());
    EXPECT_TRUE(b.HabilitaEnEdicion1());
}

TEST_F(Editor, TeclasDeLaListaDeTipos) {
    Abre();
    FrmVardelio& f = *form;
    for (qint16 tecla : std::initializer_list<qint16>{8, 12, 46, 65, 90, 48, 32, 36, 113}) {
        qint16 codigo = tecla;
        f.CmbLista_KeyDown(codigo);
        EXPECT_EQ(codigo, 0) << tecla;
    }
    for (qint16 tecla : std::initializer_list<qint16>{37, 38, 39, 40}) {
        qint16 codigo = tecla;
        f.CmbLista_KeyDown(codigo);
        EXPECT_EQ(codigo, tecla);
    }
    EXPECT_EQ(f.CmbLista.ListIndex(), 0);
    qint16 caracter = 8;
    f.CmbLista_KeyPress(caracter);
    EXPECT_EQ(caracter, 0);
    caracter = 'a';
    f.CmbLista_KeyPress(caracter);
    EXPECT_EQ(caracter, 'a');

    // Enter keeps its code and moves on to the next field.
    qint16 enter = 13;
    f.CmbLista_KeyDown(enter);
    EXPECT_EQ(enter, 13);
    EXPECT_EQ(f.Foco().Actual(), "TxtFields(0)");
    // Back on the list the look-up goes off.
    f.UtilVox1.setHabilitaConsultar(true);
    f.Foco().SetFocus("CmbLista");
    EXPECT_FALSE(f.UtilVox1.HabilitaConsultar());
}

TEST_F(Editor, ElReinicioConservaElTipoElegido) {
    Abre();
    FrmVardelio& f = *form;
    f.CmbLista.setListIndex(3);
    f.TxtFields[0].setText("Modelo a medias");
    f.TxtFields[2].setText("3");
    f.TxtFields[4].setText("algo");
    f.ChkAnclar.setValue(1);
    f.lblDescMotivo.setCaption("Rotura");
    Prueba(f).DepositoOrigenAnterior() = "   3";
    Prueba(f).ModoActual() = AccesoPruebasVardelio::Modo::Baja;
    Prueba(f).ValidandoGrabacion() = true;
    Prueba(f).ErrorValidacion() = true;
    f.StatusBar1.Panels(1).setText("A1 - algo");
    f.DetalleOn(true);

    f.Inicializa();
    EXPECT_EQ(f.CmbLista.ListIndex(), 3);
    EXPECT_EQ(Prueba(f).IndiceCmbLista(), 3);
    EXPECT_EQ(f.FNTC(), "SI");
    EXPECT_EQ(f.CmbLista.ListCount(), kTiposStock.size()); // refilled, not appended
    EXPECT_EQ(f.TxtFields[0].Text(), "");
    EXPECT_EQ(f.TxtFields[4].Text(), "");
    EXPECT_EQ(f.TxtFields[2].Text(), "1");
    EXPECT_EQ(f.ChkAnclar.Value(), 0);
    EXPECT_EQ(f.lblDescMotivo.Caption(), "...");
    EXPECT_EQ(Prueba(f).DepositoOrigenAnterior(), "");
    EXPECT_FALSE(Prueba(f).EsNuevo() || Prueba(f).EsModificacion() || Prueba(f).EsBaja() ||
                 Prueba(f).ValidandoGrabacion());
    EXPECT_TRUE(Prueba(f).ErrorValidacion()); // left to the next validation
    EXPECT_EQ(f.StatusBar1.Panels(1).Text(), "");
    EXPECT_FALSE(f.MSFlexGrid2.Enabled());
    EXPECT_TRUE(f.UtilVox1.HabilitaFueraEdicion1());
}

TEST_F(Editor, SinDepositoDelUsuarioElCampoQuedaVacio) {
    Ejecuta("UPDATE TA_USUARIOS SET IDDEPOSITO = NULL, UNegocio = '   9'");
    Abre();
    EXPECT_EQ(form->TxtFields[2].Text(), "");
    form->TxtFields[2].setText("2");
    form->Inicializa();
    EXPECT_EQ(form->TxtFields[2].Text(), "");
}

TEST_F(Editor, SinTiposDeStockIgnorarSigueConLaListaVacia) {
    Ejecuta("UPDATE V_TA_CPTE SET SISTEMA = 'VENTAS' WHERE SISTEMA = 'STOCK'");
    guion.AgregaRespuesta(Respuesta::Ignorar);
    Abre();
    FrmVardelio& f = *form;
    // The selection failed once and was reported under the reset's name.
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_TRUE(guion.Registros()[0].titulo.contains("Inicializa") ||
                guion.Registros()[0].texto.contains("Inicializa"));
    EXPECT_EQ(f.CmbLista.ListCount(), 0);
    EXPECT_EQ(f.FNTC(), "");
    // The rest of the reset ran.
    EXPECT_EQ(f.TxtFields[2].Text(), "1");
    EXPECT_EQ(f.MSFlexGrid2.Cols(), 101);
    EXPECT_EQ(Prueba(f).IndiceCmbLista(), -1);
}

TEST_F(Editor, SinTiposDeStockAbortarDejaElReinicioAhi) {
    Ejecuta("UPDATE V_TA_CPTE SET SISTEMA = 'VENTAS' WHERE SISTEMA = 'STOCK'");
    Abre();
    FrmVardelio& f = *form;
    f.TxtFields[2].setText("7");
    f.lblDescMotivo.setCaption("x");
    guion.AgregaRespuesta(Respuesta::Abortar);
    f.Inicializa();
    EXPECT_EQ(f.lblDescMotivo.Caption(), "x"); // step 9 never ran
    EXPECT_EQ(f.TxtFields[2].Text(), "");      // emptied before the failure
}

TEST_F(Editor, AnchosGuardadosSeAplicanEnSuOrden) {
    GuardaAnchos("1000|2000|0|1500|");
    Abre();
    EXPECT_EQ(Ancho(0), 1000);
    EXPECT_EQ(Ancho(1), 2000);
    EXPECT_EQ(Ancho(5), 0); // hidden
    EXPECT_EQ(Ancho(7), 1500);
    // Four entries: the line deposit keeps the layout's width, and all five are stored again.
    EXPECT_EQ(AnchosGuardados(), QString("1000|2000|0|1500|%1|").arg(Ancho(6)));
}

TEST_F(Editor, AnchosQueElUsuarioCambioSobrevivenAlReinicio) {
    Abre();
    FrmVardelio& f = *form;
    f.MSFlexGrid2.setColWidth(1, 4321);
    f.MSFlexGrid2.setColWidth(7, 777);
    f.MSFlexGrid2.setColWidth(3, 555); // not a kept column
    f.InicializaGrids();
    EXPECT_EQ(Ancho(1), 4321);
    EXPECT_EQ(Ancho(7), 777);
    EXPECT_NE(Ancho(3), 555);
    EXPECT_EQ(AnchosGuardados(), Prueba(f).TextoAnchoColumnas());
    // Another user keeps his own.
    Ejecuta("INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio) VALUES ('DATOS', "
            "'CFG_GRIDART_STK_OTRO', '9|9|9|9|9|', 0)");
    f.InicializaGrids();
    EXPECT_EQ(Ancho(1), 4321);
}

TEST_F(Editor, TextosDeAnchosExtranosNoTraban) {
    // More than five entries: the first five; no closing bar: the last entry still applies;
    // words read as 0; a foreign separator reads as one number.
    GuardaAnchos("1111|2222|333|444|555|666|777|");
    Abre();
    EXPECT_EQ(Ancho(0), 1111);
    EXPECT_EQ(Ancho(6), 555);

    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = '1200|3000' WHERE Clave = 'CFG_GRIDART_STK_DEMO'");
    form->RecuperaAnchoColumnas();
    EXPECT_EQ(Ancho(0), 1200);
    EXPECT_EQ(Ancho(1), 3000);

    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = 'abc|1250.6|' WHERE Clave = 'CFG_GRIDART_STK_DEMO'");
    form->RecuperaAnchoColumnas();
    EXPECT_EQ(Ancho(0), 0);
    EXPECT_EQ(Ancho(1), 1251);

    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = '800;900;' WHERE Clave = 'CFG_GRIDART_STK_DEMO'");
    form->RecuperaAnchoColumnas();
    EXPECT_EQ(Ancho(0), 0); // not a number
    EXPECT_EQ(Ancho(1), 1251);

    // A width the grid refuses leaves the others applied.
    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = '700|-5|99999999999|600|' WHERE Clave = "
            "'CFG_GRIDART_STK_DEMO'");
    form->RecuperaAnchoColumnas();
    EXPECT_EQ(Ancho(0), 700);
    EXPECT_EQ(Ancho(7), 600);
}

TEST_F(Editor, TransferenciaOcultaElDepositoDeLaLinea) {
    GuardaAnchos("1000|2000|900|1500|1300|");
    Abre();
    EXPECT_EQ(Ancho(6), 1300);
    form->pEsTransferencia = true;
    form->InicializaGrids();
    EXPECT_EQ(Ancho(6), 0);
    EXPECT_EQ(Ancho(0), 1000);
}

TEST_F(Editor, TeclasDeLaVentanaVanALaBarra) {
    Abre();
    FrmVardelio& f = *form;
    QStringList pulsados;
    f.UtilVox1.Click = [&](const QString& p) { pulsados << p; };
    qint16 f2 = 113;
    f.Form_KeyDown(f2, 1); // GRABAR is off outside editing
    EXPECT_EQ(f2, 113);
    qint16 f3 = 114;
    f.Form_KeyDown(f3);
    EXPECT_EQ(f3, 0);
    f.DetalleOn(true);
    f2 = 113;
    f.Form_KeyDown(f2);
    EXPECT_EQ(f2, 0);
    EXPECT_EQ(pulsados, QStringList({"NUEVO", "GRABAR"}));
}

TEST_F(Editor, ElMensajeSeVeSoloConTexto) {
    Abre();
    EXPECT_FALSE(form->LblMensaje.Visible());
    form->LblMensaje.setCaption("ACTUALIZANDO DATOS... ESPERE POR FAVOR...");
    EXPECT_TRUE(form->LblMensaje.Visible());
    form->LblMensaje.setCaption("");
    EXPECT_FALSE(form->LblMensaje.Visible());
}

TEST_F(Editor, CerrarConfirmaLoAbiertoYSellaLaSalida) {
    Abre();
    const qint32 id = gIdControlAcceso;
    ASSERT_NE(id, 0);
    // A transaction left open by a step of the editing.
    Ejecuta("BEGIN TRANSACTION");
    Ejecuta(
        "INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio) VALUES ('DATOS', 'PENDIENTE', "
        "'x', 0)");
    int codigo = -1;
    form->alTerminar = [&](int c) { codigo = c; };
    int cancel = 1;
    form->Form_Unload(cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(codigo, 0);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(guion.Mensajes(), QStringList());
    EXPECT_FALSE(ExisteAD()); // released by the shutdown

    AccesoDatos ad;
    ad.AsignaServidor("sqlite");
    ad.AsignaBaseDatos(RutaBase());
    ad.Conecta();
    Registros rs;
    ad.ObtieneRecordset(QString("SELECT Egreso FROM Control_Acceso WHERE Id = %1").arg(id), rs);
    ASSERT_FALSE(rs.Eof());
    EXPECT_FALSE(rs.Fields(0).toString().trimmed().isEmpty());
    ad.ObtieneRecordset("SELECT Valor FROM TA_CONFIGURACION WHERE Clave = 'PENDIENTE'", rs);
    EXPECT_FALSE(rs.Eof()); // committed, not lost
    // Closing again does nothing more.
    codigo = -1;
    form->Form_Unload();
    EXPECT_EQ(codigo, -1);
}

} // namespace

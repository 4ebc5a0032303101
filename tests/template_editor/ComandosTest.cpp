// The toolbar's commands driven on the demo database, by word and by key: their questions with
// exact texts, buttons and defaults, what each answer leaves in the window and in the database.

#include "../platform/LectorXlsx.h"
#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "Globales.h"
#include "Registros.h"
#include "Teclas.h"
#include "Utilidades.h"
#include "VentanaDemo.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <optional>

namespace {

const QString kPreguntaBaja = QStringLiteral("Confirma la baja de este registro?");
const QString kPreguntaAnular = QStringLiteral("¿Realmente desea anular este comprobante?");
const QString kPreguntaAbandonar = QStringLiteral("¿Realmente desea abandonar la carga de datos?");

class Comandos : public ConVentanaDemo {
protected:
    static QStringList Guardado() {
        return Filas(QStringLiteral("SELECT * FROM V_CPTES_MODELO_CAB ORDER BY IdVardelio")) +
               Filas(
                   QStringLiteral("SELECT IdVardelio, IdArticulo, Cantidad, IdUnidad FROM V_CPTES_MODELO_DET "
                                  "ORDER BY IdVardelio, Linea"));
    }

    // A new template with a valid header and two lines (5 and 2,5), being edited.
    void PlantillaNueva(const QString& nombre) {
        NuevaPlantilla(nombre);
        Linea(QStringLiteral("1001"), QStringLiteral("5"));
        Linea(QStringLiteral("1007"), QStringLiteral("2,5"));
        Campo("IdMotivoStock").setText(QStringLiteral("2"));
        Campo("DepositoOrigen").setText(QStringLiteral("1"));
        Campo("DepositoDestino").setText(QStringLiteral("3"));
        guion.Limpia();
    }

    // A stored template opened by typing its name.
    void AbrePlantilla(const QString& nombre) {
        F().Foco().SetFocus(QStringLiteral("TxtFields(0)"));
        Teclea(nombre);
        Pulsa(tecla::Enter);
        ASSERT_TRUE(Prueba(F()).EsModificacion()) << guion.Mensajes().join(u'\n').toStdString();
        guion.Limpia();
    }

    void Tecla(qint16 codigo) {
        qint16 k = codigo;
        F().Form_KeyDown(k);
        EXPECT_EQ(k, 0) << "the toolbar did not take key " << codigo;
    }
};

TEST_F(Comandos, WordsInAnyCaseAndUnknownWords) {
    F().LblMensaje.setCaption(QStringLiteral("aviso"));
    F().UtilVox1_click(QStringLiteral("no-es-un-comando"));
    EXPECT_TRUE(guion.Registros().empty());
    EXPECT_EQ(F().LblMensaje.Caption(), QString());
    EXPECT_FALSE(F().LblMensaje.Visible());

    F().UtilVox1_click(QStringLiteral("nuevo"));
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    EXPECT_FALSE(Prueba(F()).EsModificacion());
    EXPECT_FALSE(Prueba(F()).EsBaja());
    EXPECT_EQ(Foco(), QStringLiteral("TxtFields(0)"));

    for (int i = 0; i < 3; ++i)
        guion.AgregaRespuesta(Respuesta::No);
    F().UtilVox1_click(QStringLiteral("Cancelar"));
    F().UtilVox1_click(QStringLiteral("bOrRaR"));
    F().UtilVox1_click(QStringLiteral("grabar"));
    ASSERT_EQ(guion.Mensajes().size(), 3);
    EXPECT_EQ(guion.Mensajes()[0], kPreguntaAbandonar);
    EXPECT_EQ(guion.Mensajes()[1], kPreguntaBaja);
    EXPECT_TRUE(guion.Mensajes()[2].startsWith(QStringLiteral("Total de Items:")));
}

TEST_F(Comandos, GrabarDeclinedWritesNothingAndKeepsTheMessage) {
    PlantillaNueva(QStringLiteral("DECLINADA"));
    const QStringList antes = Guardado();
    F().LblMensaje.setCaption(QStringLiteral("mensaje anterior"));
    guion.AgregaRespuesta(Respuesta::No);
    F().UtilVox1_click(QStringLiteral("GRABAR"));

    ASSERT_EQ(guion.Registros().size(), 1u);
    const auto& r = guion.Registros().front();
    // The totals first, the question last.
    EXPECT_EQ(r.texto,
              QStringLiteral("Total de Items:2\r\nTotal Cantidades: 7,5\r\n\r\nConfirma la Grabación? "));
    EXPECT_EQ(r.titulo, QStringLiteral("Atención"));
    EXPECT_EQ(r.estilo, Estilo::SiNo | Estilo::Pregunta); // Yes is the default
    EXPECT_EQ(Guardado(), antes);
    EXPECT_EQ(F().LblMensaje.Caption(), QStringLiteral("mensaje anterior"));
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    EXPECT_EQ(Campo("NOMBRE").Text(), QStringLiteral("DECLINADA"));
}

TEST_F(Comandos, GrabarRefusedByAFieldKeepsTheTemplateAndLowersTheFlag) {
    PlantillaNueva(QStringLiteral("RECHAZADA"));
    Campo("DepositoOrigen").setText(QStringLiteral("999"));
    const QStringList antes = Guardado();
    F().LblMensaje.setCaption(QStringLiteral("x"));
    guion.AgregaRespuesta(Respuesta::Si);
    F().UtilVox1_click(QStringLiteral("GRABAR"));

    EXPECT_EQ(guion.Mensajes().size(), 2) << guion.Mensajes().join(u'\n').toStdString();
    EXPECT_EQ(guion.Mensajes().back(), QStringLiteral("El Deposito Informado es Inexistente"));
    EXPECT_TRUE(Prueba(F()).ErrorValidacion());
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());
    EXPECT_EQ(Guardado(), antes);
    EXPECT_EQ(Campo("NOMBRE").Text(), QStringLiteral("RECHAZADA"));
    EXPECT_EQ(Celda(1, col::CodigoArticulo).trimmed(), QStringLiteral("1001"));
    EXPECT_EQ(Foco(), QStringLiteral("TxtFields(0)"));
    EXPECT_EQ(F().LblMensaje.Caption(), QString());

    // The validating flag is down again: a stored name typed now loads its template, over the
    // window's changes once the user says so.
    Campo("NOMBRE").setText(QString());
    Teclea(QStringLiteral("AJUSTE ROTURAS"));
    guion.AgregaRespuesta(Respuesta::Si);
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Prueba(F()).EsModificacion());
    EXPECT_EQ(Campo("DETALLE").Text(), QStringLiteral("Roturas habituales del mes"));
}

TEST_F(Comandos, SaveAndDeleteRefusedByTheDatabaseKeepTheTemplateInTheWindow) {
    PlantillaNueva(QStringLiteral("NO ENTRA"));
    AD().EjecutaSQL(QStringLiteral(
        "CREATE TRIGGER rechaza BEFORE INSERT ON V_CPTES_MODELO_CAB BEGIN SELECT RAISE(ABORT, 'no'); END"));
    const QStringList antes = Guardado();
    F().LblMensaje.setCaption(QStringLiteral("x"));
    guion.AgregaRespuesta(Respuesta::Si);
    F().UtilVox1_click(QStringLiteral("GRABAR"));

    // The refusal is shown by the storage; the command keeps everything for the user to correct.
    ASSERT_EQ(guion.Registros().size(), 2u) << guion.Mensajes().join(u'\n').toStdString();
    EXPECT_EQ(guion.Registros()[1].titulo, QStringLiteral("Aviso al Operador!"));
    EXPECT_TRUE(Prueba(F()).ErrorValidacion());
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());
    EXPECT_EQ(Guardado(), antes);
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    EXPECT_EQ(Campo("NOMBRE").Text(), QStringLiteral("NO ENTRA"));
    EXPECT_EQ(Celda(2, col::CodigoArticulo).trimmed(), QStringLiteral("1007"));
    EXPECT_TRUE(F().MSFlexGrid2.Enabled());
    EXPECT_EQ(Foco(), QStringLiteral("TxtFields(0)"));
    EXPECT_EQ(F().LblMensaje.Caption(), QString());
    AD().EjecutaSQL(QStringLiteral("DROP TRIGGER rechaza"));

    // A delete the database refuses: the stored template stays, and so does the window.
    AD().EjecutaSQL(QStringLiteral(
        "CREATE TRIGGER rechaza BEFORE DELETE ON V_CPTES_MODELO_CAB BEGIN SELECT RAISE(ABORT, 'no'); END"));
    F().UtilVox1_click(QStringLiteral("NUEVO"));
    AbrePlantilla(QStringLiteral("AJUSTE ROTURAS"));
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Si);
    F().UtilVox1_click(QStringLiteral("BORRAR"));
    AD().EjecutaSQL(QStringLiteral("DROP TRIGGER rechaza"));
    ASSERT_EQ(guion.Registros().size(), 3u) << guion.Mensajes().join(u'\n').toStdString();
    EXPECT_EQ(guion.Registros()[2].titulo, QStringLiteral("Aviso al Operador!"));
    EXPECT_TRUE(Prueba(F()).ErrorValidacion());
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());
    EXPECT_EQ(Guardado(), antes);
    EXPECT_EQ(Campo("NOMBRE").Text(), QStringLiteral("AJUSTE ROTURAS"));
    EXPECT_EQ(Foco(), QStringLiteral("TxtFields(0)"));
}

TEST_F(Comandos, GrabarAcceptedStoresTheTemplateAndResetsTheWindow) {
    PlantillaNueva(QStringLiteral("ACEPTADA"));
    const int tipo = F().CmbLista.ListIndex();
    ASSERT_GT(F().CmbLista.ListCount(), 1);
    F().CmbLista.setListIndex(tipo == 0 ? 1 : 0);
    const QString tc = F().FNTC();
    guion.AgregaRespuesta(Respuesta::Si);
    F().UtilVox1_click(QStringLiteral("GRABAR"));

    EXPECT_EQ(guion.Mensajes().size(), 1) << guion.Mensajes().join(u'\n').toStdString();
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Filas(QStringLiteral(
                  "SELECT IdVardelio, TCDefault FROM V_CPTES_MODELO_CAB WHERE nombre = 'ACEPTADA'")),
              QStringList{QStringLiteral("3|") + UT().RellenaCodigo(tc, 4)});
    EXPECT_EQ(
        Filas(QStringLiteral("SELECT Cantidad FROM V_CPTES_MODELO_DET WHERE IdVardelio = 3 ORDER BY Linea")),
        QStringList({"5", "2,5"}));
    // Reset for the next template, with the voucher type still selected.
    EXPECT_FALSE(Prueba(F()).EsNuevo());
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());
    EXPECT_EQ(Campo("NOMBRE").Text(), QString());
    EXPECT_EQ(Celda(1, col::CodigoArticulo), QString());
    EXPECT_EQ(F().FNTC(), tc);
    EXPECT_EQ(Foco(), QStringLiteral("TxtFields(0)"));
}

// F2 pressed while a cell is being typed into: what is typed is what is asked about and saved,
// and a typed text that is refused stops the save.
TEST_F(Comandos, GrabarWithTheCellEditorOpenSavesWhatIsTyped) {
    NuevaPlantilla(QStringLiteral("EDITOR ABIERTO"));
    Teclea(QStringLiteral("1001"));
    Pulsa(tecla::Enter);
    Teclea(QStringLiteral("8"));
    ASSERT_TRUE(F().txtEdit2.Visible());
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(tecla::F2);
    ASSERT_FALSE(guion.Mensajes().isEmpty());
    EXPECT_TRUE(guion.Mensajes()[0].startsWith(QStringLiteral("Total de Items:1\r\nTotal Cantidades: 8\r\n")))
        << guion.Mensajes()[0].toStdString();
    EXPECT_FALSE(F().txtEdit2.Visible());
    EXPECT_EQ(
        Filas(QStringLiteral("SELECT LTRIM(RTRIM(d.IdArticulo)), d.Cantidad FROM V_CPTES_MODELO_DET d JOIN "
                             "V_CPTES_MODELO_CAB c ON c.IdVardelio = d.IdVardelio "
                             "WHERE c.NOMBRE = 'EDITOR ABIERTO'")),
        QStringList{QStringLiteral("1001|8")});

    const QStringList antes = Guardado();
    NuevaPlantilla(QStringLiteral("CODIGO RECHAZADO"));
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::CodigoArticulo);
    Teclea(QStringLiteral("XYZ"));
    guion.Limpia();
    Tecla(tecla::F2);
    EXPECT_EQ(guion.Mensajes(), QStringList{QStringLiteral("El Código Informado no es Correcto")});
    EXPECT_TRUE(F().txtEdit2.Visible());
    EXPECT_EQ(F().txtEdit2.Text(), "XYZ");
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    EXPECT_EQ(Guardado(), antes);
}

TEST_F(Comandos, BorrarWithEachAnswer) {
    AbrePlantilla(QStringLiteral("AJUSTE ROTURAS"));
    const QStringList antes = Guardado();

    // No to the first question: nothing more is asked.
    guion.AgregaRespuesta(Respuesta::No);
    F().UtilVox1_click(QStringLiteral("BORRAR"));
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].texto, kPreguntaBaja);
    EXPECT_EQ(guion.Registros()[0].titulo, QStringLiteral("Atención!"));
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SiNo | Estilo::Exclamacion | Estilo::BotonDefecto2);
    EXPECT_EQ(Guardado(), antes);
    EXPECT_TRUE(Prueba(F()).EsModificacion());
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());

    // Yes, then No to the storage's own question: nothing deleted, no error, the window reset.
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::No);
    F().UtilVox1_click(QStringLiteral("BORRAR"));
    EXPECT_EQ(guion.Mensajes(),
              QStringList({kPreguntaBaja, kPreguntaAnular, "El Comprobante no fue anulado"}));
    EXPECT_EQ(Guardado(), antes);
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Campo("NOMBRE").Text(), QString());
    EXPECT_FALSE(Prueba(F()).EsBaja());
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());

    // Yes and Yes: deleted, the window reset.
    AbrePlantilla(QStringLiteral("AJUSTE ROTURAS"));
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Si);
    F().UtilVox1_click(QStringLiteral("BORRAR"));
    EXPECT_EQ(guion.Mensajes(), QStringList({kPreguntaBaja, kPreguntaAnular}));
    EXPECT_TRUE(Filas(QStringLiteral("SELECT * FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 2")).isEmpty());
    EXPECT_TRUE(Filas(QStringLiteral("SELECT * FROM V_CPTES_MODELO_DET WHERE IdVardelio = 2")).isEmpty());
    EXPECT_EQ(Filas(QStringLiteral("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 1")),
              QStringList{"1"});
    EXPECT_EQ(Campo("NOMBRE").Text(), QString());
    EXPECT_FALSE(Prueba(F()).EsBaja());
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());
    EXPECT_EQ(Foco(), QStringLiteral("TxtFields(0)"));
}

TEST_F(Comandos, BorrarWhoseValidationFailsDeletesNothing) {
    AbrePlantilla(QStringLiteral("AJUSTE ROTURAS"));
    Campo("IdMotivoStock").setText(QStringLiteral("ZZZ"));
    const QStringList antes = Guardado();
    guion.AgregaRespuesta(Respuesta::Si);
    F().UtilVox1_click(QStringLiteral("BORRAR"));
    ASSERT_EQ(guion.Mensajes().size(), 2) << guion.Mensajes().join(u'\n').toStdString();
    EXPECT_EQ(guion.Mensajes()[1], QStringLiteral("El motivo de Stock Informado es Inexistente"));
    EXPECT_EQ(Guardado(), antes);
    EXPECT_FALSE(Prueba(F()).EsBaja());
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());
    EXPECT_EQ(Foco(), QStringLiteral("TxtFields(0)"));
    EXPECT_EQ(Campo("NOMBRE").Text(), QStringLiteral("AJUSTE ROTURAS"));
}

TEST_F(Comandos, CancelarBothWays) {
    PlantillaNueva(QStringLiteral("A MEDIAS"));
    guion.AgregaRespuesta(Respuesta::No);
    F().UtilVox1_click(QStringLiteral("CANCELAR"));
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].texto, kPreguntaAbandonar);
    EXPECT_EQ(guion.Registros()[0].titulo, QStringLiteral("Aviso al Operador"));
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SiNo | Estilo::Pregunta | Estilo::BotonDefecto2);
    EXPECT_EQ(Campo("NOMBRE").Text(), QStringLiteral("A MEDIAS"));
    EXPECT_EQ(Celda(2, col::CodigoArticulo).trimmed(), QStringLiteral("1007"));
    EXPECT_TRUE(Prueba(F()).EsNuevo());

    guion.AgregaRespuesta(Respuesta::Si);
    F().UtilVox1_click(QStringLiteral("CANCELAR"));
    EXPECT_EQ(Campo("NOMBRE").Text(), QString());
    EXPECT_EQ(Celda(1, col::CodigoArticulo), QString());
    EXPECT_FALSE(Prueba(F()).EsNuevo());
    EXPECT_FALSE(F().MSFlexGrid2.Enabled());
    EXPECT_EQ(Foco(), QStringLiteral("TxtFields(0)"));
    EXPECT_EQ(Prueba(F()).RegistroModelo().State(), 1);
}

TEST_F(Comandos, CerrarEndsWithoutAsking) {
    PlantillaNueva(QStringLiteral("SIN GUARDAR"));
    std::optional<int> fin;
    F().alTerminar = [&](int codigo) { fin = codigo; };
    F().LblMensaje.setCaption(QStringLiteral("queda"));
    F().UtilVox1_click(QStringLiteral("cerrar"));
    EXPECT_TRUE(guion.Registros().empty());
    ASSERT_TRUE(fin.has_value());
    EXPECT_EQ(*fin, 0);
    EXPECT_TRUE(F().Descargado());
    EXPECT_FALSE(F().Visible());
    EXPECT_EQ(F().LblMensaje.Caption(), QStringLiteral("queda"));
    // The session is closed; the database holds what it held.
    AccesoDatos ad;
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(RutaBase());
    ad.Conecta();
    Registros rs;
    ad.ObtieneRecordset(
        QStringLiteral("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE nombre = 'SIN GUARDAR'"), rs);
    EXPECT_EQ(rs.Fields(0).toInt(), 0);
}

TEST_F(Comandos, PlanillaListsTheStoredHeaders) {
    VariableEntorno tmpdir("TMPDIR");
    tmpdir.Pon(Carpeta());
    F().UtilVox1_click(QStringLiteral("Planilla"));

    // No desktop here: the user is told where the workbook is.
    ASSERT_EQ(guion.Registros().size(), 1u);
    const auto& aviso = guion.Registros().front();
    EXPECT_EQ(aviso.titulo, QStringLiteral("Reporte ") + F().Caption());
    const QString ruta = QDir::fromNativeSeparators(aviso.texto.section(QStringLiteral("\r\n"), 1));
    ASSERT_TRUE(QFileInfo(ruta).isFile()) << aviso.texto.toStdString();
    EXPECT_EQ(QFileInfo(ruta).absolutePath(), QDir(Carpeta()).absolutePath());

    const HojaXlsx hoja = LeeHojaXlsx(ruta);
    EXPECT_EQ(hoja.value(1).value(0).texto, QStringLiteral("Reporte ") + F().Caption());
    EXPECT_EQ(FilaXlsx(hoja, 2, 8),
              QStringList({"IdVardelio", "nombre", "DETALLE", "TCDefault", "DepositoOrigen",
                           "DepositoDestino", "IdMotivoStock", "AnclarAlMenu"}));
    EXPECT_EQ(FilaXlsx(hoja, 3, 8), QStringList({"1", "REPOSICION LOCAL CENTRO", "Envío semanal al local",
                                                 "  TR", "   1", "   3", "   3", "1"}));
    EXPECT_EQ(FilaXlsx(hoja, 4, 8), QStringList({"2", "AJUSTE ROTURAS", "Roturas habituales del mes", " AJN",
                                                 "   1", "", "   2", "0"}));
    EXPECT_EQ(hoja.lastKey(), 4);
}

TEST_F(Comandos, PlanillaAfterASaveListsTheNewTemplateToo) {
    VariableEntorno tmpdir("TMPDIR");
    tmpdir.Pon(Carpeta());
    PlantillaNueva(QStringLiteral("NUEVA EN PLANILLA"));
    guion.AgregaRespuesta(Respuesta::Si);
    F().UtilVox1_click(QStringLiteral("GRABAR"));
    ASSERT_FALSE(Prueba(F()).ErrorValidacion());
    guion.Limpia();
    F().UtilVox1_click(QStringLiteral("PLANILLA"));
    ASSERT_EQ(guion.Registros().size(), 1u);
    const QString ruta =
        QDir::fromNativeSeparators(guion.Registros()[0].texto.section(QStringLiteral("\r\n"), 1));
    const HojaXlsx hoja = LeeHojaXlsx(ruta);
    EXPECT_EQ(hoja.lastKey(), 5);
    EXPECT_EQ(hoja.value(5).value(1).texto, QStringLiteral("NUEVA EN PLANILLA"));
}

TEST_F(Comandos, AFailingListingGoesToTheWindowsErrorRoutine) {
    VariableEntorno tmpdir("TMPDIR");
    tmpdir.Pon(Carpeta());
    AD().EjecutaSQL(QStringLiteral("ALTER TABLE V_CPTES_MODELO_CAB RENAME TO CAB_FUERA"));
    // Retry runs the listing again; Abort leaves the command.
    guion.AgregaRespuesta(Respuesta::Reintentar);
    guion.AgregaRespuesta(Respuesta::Abortar);
    F().UtilVox1_click(QStringLiteral("PLANILLA"));
    AD().EjecutaSQL(QStringLiteral("ALTER TABLE CAB_FUERA RENAME TO V_CPTES_MODELO_CAB"));
    ASSERT_EQ(guion.Registros().size(), 2u) << guion.Mensajes().join(u'\n').toStdString();
    for (const auto& r : guion.Registros()) {
        EXPECT_EQ(r.titulo, QStringLiteral("Aviso al Operador - UtilVox1_click"));
        EXPECT_EQ(r.estilo, Estilo::AbortarReintentarIgnorar | Estilo::Critico);
    }
    EXPECT_TRUE(QDir(Carpeta()).entryList({QStringLiteral("*.xlsx")}, QDir::Files).isEmpty());
}

TEST_F(Comandos, ReporteStartsTheStockReportWithTheSession) {
    QTemporaryDir programas;
    ASSERT_TRUE(programas.isValid());
    VariableEntorno carpeta("MODELOS_PROGRAMAS");
    carpeta.Pon(programas.path());
    const QString ruta = programas.filePath(QStringLiteral("reportestock"));
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$0.tmp\"\nmv \"$0.tmp\" \"$0.args\"\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    F().UtilVox1_click(QStringLiteral("reporte"));
    EXPECT_TRUE(guion.Registros().empty()) << guion.Mensajes().join(u'\n').toStdString();
    QFile args(ruta + QStringLiteral(".args"));
    for (QDeadlineTimer fin(15000); !args.exists() && !fin.hasExpired();)
        QThread::msleep(20);
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(args.readAll()),
              QStringLiteral(" ; @server=sqlite; @dbname=") + RutaBase() +
                  QStringLiteral(
                      "; @usuario=DEMO; @Password=; @ParametroAdicional=; kolm@ ; @UsuarioLogeado = DEMO; "
                      "@Caja=1;"));
}

TEST_F(Comandos, KeysReachTheCommandsThroughTheToolbar) {
    // Outside editing: F3 starts a template, F6 lists.
    Tecla(tecla::F3);
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    EXPECT_EQ(Foco(), QStringLiteral("TxtFields(0)"));

    PlantillaNueva(QStringLiteral("POR TECLAS"));
    // While editing: F2 saves (declined here), F8 deletes (declined), Escape cancels.
    guion.AgregaRespuesta(Respuesta::No);
    Tecla(tecla::F2);
    guion.AgregaRespuesta(Respuesta::No);
    Tecla(tecla::F8);
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(tecla::Escape);
    ASSERT_EQ(guion.Mensajes().size(), 3);
    EXPECT_TRUE(guion.Mensajes()[0].startsWith(QStringLiteral("Total de Items:2")));
    EXPECT_EQ(guion.Mensajes()[1], kPreguntaBaja);
    EXPECT_EQ(guion.Mensajes()[2], kPreguntaAbandonar);
    EXPECT_FALSE(Prueba(F()).EsNuevo());

    VariableEntorno tmpdir("TMPDIR");
    tmpdir.Pon(Carpeta());
    guion.Limpia();
    Tecla(tecla::F6);
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].titulo, QStringLiteral("Reporte ") + F().Caption());

    std::optional<int> fin;
    F().alTerminar = [&](int codigo) { fin = codigo; };
    Tecla(tecla::F12);
    EXPECT_TRUE(fin.has_value());
}

} // namespace

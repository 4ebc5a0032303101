// Templates anchored in and removed from the suite's menu tables after saves and deletes, on the
// demo database (which anchors template 1, "REPOSICION LOCAL CENTRO", as D802101).

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "AnclajeMenu.h"
#include "Globales.h"
#include "Registros.h"
#include "Utilidades.h"
#include "VentanaDemo.h"

namespace {

class Anclaje : public ConVentanaDemo {
protected:
    // The group row and its entries.
    static QStringList Menu() {
        return Filas(
            QStringLiteral("SELECT CLAVE, MENU, TITULO, NOMBRE, IMAGEN, PROCESO, HABILITADO FROM TA_MENU "
                           "WHERE TITULO = 'D8021' OR CLAVE = 'D8021' ORDER BY CLAVE"));
    }
    static QStringList Claves() {
        return Filas(QStringLiteral(
            "SELECT CLAVE || ' ' || NOMBRE FROM TA_MENU WHERE TITULO = 'D8021' ORDER BY CLAVE"));
    }
    // Rights to the group and its entries (and to no key).
    static QStringList Derechos() {
        return Filas(QStringLiteral("SELECT USUARIO, SISTEMA, TAREA FROM TA_TAREAS WHERE TAREA LIKE 'D8021%' "
                                    "OR TAREA = '' ORDER BY TAREA, USUARIO"));
    }
    static QString Entrada(const QString& clave, const QString& nombre) {
        return clave + QStringLiteral("|KOLM|D8021|") + nombre + QStringLiteral("|Stock|") +
               QStringLiteral("shell:V_MV_STOCK @PARAMETROADICIONAL= MODELO_") + nombre +
               QStringLiteral("|1");
    }
    static QString Grupo() { return QStringLiteral("D8021|KOLM|D80|Cargar desde modelos|Stock||1"); }

    // A new template with a valid header, anchored or not, saved with GRABAR.
    void GrabaNueva(const QString& nombre, bool anclar) {
        NuevaPlantilla(nombre);
        Linea(QStringLiteral("1001"), QStringLiteral("5"));
        Campo("IdMotivoStock").setText(QStringLiteral("2"));
        Campo("DepositoOrigen").setText(QStringLiteral("1"));
        F().ChkAnclar.setValue(anclar ? 1 : 0);
        Graba();
    }
    void Abre(const QString& nombre) {
        F().Foco().SetFocus(QStringLiteral("TxtFields(0)"));
        Campo("NOMBRE").setText(QString());
        Teclea(nombre);
        Pulsa(tecla::Enter);
        ASSERT_TRUE(Prueba(F()).EsModificacion()) << nombre.toStdString();
    }
    void Graba() {
        guion.Limpia();
        guion.AgregaRespuesta(Respuesta::Si);
        F().UtilVox1_click(QStringLiteral("GRABAR"));
        ASSERT_FALSE(Prueba(F()).ErrorValidacion()) << guion.Mensajes().join(u'\n').toStdString();
        EXPECT_EQ(guion.Mensajes().size(), 1) << guion.Mensajes().join(u'\n').toStdString();
    }
    void Borra() {
        guion.Limpia();
        guion.AgregaRespuesta(Respuesta::Si);
        guion.AgregaRespuesta(Respuesta::Si);
        F().UtilVox1_click(QStringLiteral("BORRAR"));
        ASSERT_FALSE(Prueba(F()).ErrorValidacion()) << guion.Mensajes().join(u'\n').toStdString();
    }
    void VaciaGrupo() {
        Ejecuta(QStringLiteral("DELETE TA_MENU WHERE TITULO = 'D8021' OR CLAVE = 'D8021'"));
        Ejecuta(QStringLiteral("DELETE TA_TAREAS WHERE TAREA LIKE 'D8021%'"));
    }
};

TEST_F(Anclaje, StatementsAsTheMenuTablesTakeThem) {
    EXPECT_EQ(
        AnclajeMenu::SentenciaGrupoMenu(),
        QStringLiteral("if not exists(select * from ta_menu where clave = 'D8021') INSERT INTO TA_MENU "
                       "(MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO)  VALUES('KOLM','D80','D8021' ,"
                       "'Cargar desde modelos','Stock','',1)"));
    EXPECT_EQ(AnclajeMenu::SentenciaEntradaMenu(QStringLiteral("D802104"), QStringLiteral("MI MODELO")),
              QStringLiteral("INSERT INTO TA_MENU (MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO)  "
                             "VALUES('KOLM','D8021','D802104','MI MODELO','Stock','shell:V_MV_STOCK "
                             "@PARAMETROADICIONAL= MODELO_MI MODELO',1)"));
    EXPECT_EQ(
        AnclajeMenu::SentenciaDerechoMenu(QStringLiteral("DEMO"), QStringLiteral("D802104")),
        QStringLiteral("INSERT INTO TA_TAREAS (USUARIO,SISTEMA,TAREA) VALUES ('DEMO','CN000PR','D802104')"));
    // No user name ends a literal.
    EXPECT_EQ(
        AnclajeMenu::SentenciaDerechoMenu(QStringLiteral("D'Ana"), QStringLiteral("D8021")),
        QStringLiteral("INSERT INTO TA_TAREAS (USUARIO,SISTEMA,TAREA) VALUES ('D''Ana','CN000PR','D8021')"));
}

TEST_F(Anclaje, FirstTemplateOfAnEmptyGroup) {
    VaciaGrupo();
    GrabaNueva(QStringLiteral("PRIMERO"), true);
    EXPECT_EQ(Menu(), QStringList({Grupo(), Entrada("D802101", "PRIMERO")}));
    EXPECT_EQ(Derechos(), QStringList({"DEMO|CN000PR|D8021", "DEMO|CN000PR|D802101"}));
    // The stored template carries the flag.
    EXPECT_EQ(Filas("SELECT AnclarAlMenu FROM V_CPTES_MODELO_CAB WHERE nombre = 'PRIMERO'"),
              QStringList{"1"});
}

TEST_F(Anclaje, KeysFollowTheHighestInUseAndGapsStay) {
    Ejecuta("INSERT INTO TA_MENU (MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO) "
            "VALUES ('KOLM','D8021','D802103','TERCERO','Stock','',1)");
    GrabaNueva(QStringLiteral("CUARTO"), true);
    EXPECT_EQ(Claves(),
              QStringList({"D802101 REPOSICION LOCAL CENTRO", "D802103 TERCERO", "D802104 CUARTO"}));
    // A user who anchors into an existing group gets the right to the new entry only.
    EXPECT_EQ(Derechos(),
              QStringList({"DEMO|CN000PR|D8021", "DEMO|CN000PR|D802101", "DEMO|CN000PR|D802104"}));

    // Unanchored again, then a new one takes the freed number.
    Abre(QStringLiteral("CUARTO"));
    EXPECT_EQ(F().ChkAnclar.Value(), 1);
    F().ChkAnclar.setValue(0);
    Graba();
    EXPECT_EQ(Claves(), QStringList({"D802101 REPOSICION LOCAL CENTRO", "D802103 TERCERO"}));
    GrabaNueva(QStringLiteral("QUINTO"), true);
    EXPECT_EQ(Claves(),
              QStringList({"D802101 REPOSICION LOCAL CENTRO", "D802103 TERCERO", "D802104 QUINTO"}));
}

TEST_F(Anclaje, SavingAnAnchoredTemplateAgainRewritesOnlyItsProcess) {
    Ejecuta("UPDATE TA_MENU SET PROCESO = 'viejo' WHERE CLAVE = 'D802101'");
    Ejecuta("INSERT INTO TA_TAREAS (USUARIO,SISTEMA,TAREA) VALUES ('OTRA','CN000PR','D802101')");
    const QStringList derechos = Derechos();
    Abre(QStringLiteral("reposicion local centro"));
    EXPECT_EQ(F().ChkAnclar.Value(), 1);
    Graba();
    EXPECT_EQ(Menu(), QStringList({Grupo(), Entrada("D802101", "REPOSICION LOCAL CENTRO")}));
    EXPECT_EQ(Derechos(), derechos);
}

TEST_F(Anclaje, UncheckingRemovesTheEntryEveryRightAndTheEmptyGroup) {
    Ejecuta("INSERT INTO TA_TAREAS (USUARIO,SISTEMA,TAREA) VALUES ('OTRA','CN000PR','D802101')");
    Ejecuta("INSERT INTO TA_TAREAS (USUARIO,SISTEMA,TAREA) VALUES ('OTRA','CN000PR','D8021')");
    const QStringList resto =
        Filas("SELECT CLAVE FROM TA_MENU WHERE CLAVE IN ('D80', 'D8020') ORDER BY CLAVE");
    Abre(QStringLiteral("REPOSICION LOCAL CENTRO"));
    F().ChkAnclar.setValue(0);
    Graba();
    EXPECT_TRUE(Menu().isEmpty()) << Menu().join(u'\n').toStdString();
    EXPECT_TRUE(Derechos().isEmpty()) << Derechos().join(u'\n').toStdString();
    EXPECT_EQ(Filas("SELECT CLAVE FROM TA_MENU WHERE CLAVE IN ('D80', 'D8020') ORDER BY CLAVE"), resto);
    EXPECT_EQ(Filas("SELECT AnclarAlMenu FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 1"), QStringList{"0"});
}

TEST_F(Anclaje, ATemplateNeverAnchoredTouchesNoOneElsesEntries) {
    // A right with no key belongs to no template.
    Ejecuta("INSERT INTO TA_TAREAS (USUARIO,SISTEMA,TAREA) VALUES ('DEMO','CN000PR','')");
    const QStringList menu = Menu();
    const QStringList derechos = Derechos();
    Abre(QStringLiteral("AJUSTE ROTURAS"));
    EXPECT_EQ(F().ChkAnclar.Value(), 0);
    Graba();
    EXPECT_EQ(Menu(), menu);
    EXPECT_EQ(Derechos(), derechos);
}

TEST_F(Anclaje, DeletingAnAnchoredTemplateLeavesNoMenuEntry) {
    GrabaNueva(QStringLiteral("OTRO ANCLADO"), true);
    Abre(QStringLiteral("REPOSICION LOCAL CENTRO"));
    ASSERT_EQ(F().ChkAnclar.Value(), 1); // the box still shows the stored flag
    Borra();
    EXPECT_TRUE(Filas("SELECT * FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 1").isEmpty());
    EXPECT_EQ(Claves(), QStringList{"D802102 OTRO ANCLADO"});
    EXPECT_EQ(Derechos(), QStringList({"DEMO|CN000PR|D8021", "DEMO|CN000PR|D802102"}));

    // The last anchored template deleted: the group goes too.
    Abre(QStringLiteral("OTRO ANCLADO"));
    Borra();
    EXPECT_TRUE(Menu().isEmpty()) << Menu().join(u'\n').toStdString();
    EXPECT_TRUE(Derechos().isEmpty()) << Derechos().join(u'\n').toStdString();
}

TEST_F(Anclaje, TheEntryNamesTheStoredTemplate) {
    GrabaNueva(QStringLiteral("  Pedido D'Ana  "), true);
    EXPECT_EQ(Filas("SELECT nombre FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 3"),
              QStringList{"Pedido DAna"});
    EXPECT_EQ(Menu(), QStringList({Grupo(), Entrada("D802101", "REPOSICION LOCAL CENTRO"),
                                   Entrada("D802102", "Pedido DAna")}));
    // Saved again as typed the same way: still one template and one entry.
    Abre(QStringLiteral("Pedido D'Ana"));
    Graba();
    EXPECT_EQ(Filas("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE nombre = 'Pedido DAna'"),
              QStringList{"1"});
    EXPECT_EQ(Claves(), QStringList({"D802101 REPOSICION LOCAL CENTRO", "D802102 Pedido DAna"}));
}

TEST_F(Anclaje, ANameWithANulIsStoredAndAnchoredWithoutIt) {
    const QString nombre = QStringLiteral("AB") + QChar(u'\0') + QStringLiteral("CD");
    GrabaNueva(nombre, true);
    EXPECT_EQ(Filas("SELECT nombre FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 3"), QStringList{"ABCD"});
    EXPECT_EQ(Menu(), QStringList({Grupo(), Entrada("D802101", "REPOSICION LOCAL CENTRO"),
                                   Entrada("D802102", "ABCD")}));
    // The next save finds its entry and leaves one template and one entry.
    Abre(nombre);
    Graba();
    EXPECT_EQ(Filas("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE nombre = 'ABCD'"), QStringList{"1"});
    EXPECT_EQ(Claves(), QStringList({"D802101 REPOSICION LOCAL CENTRO", "D802102 ABCD"}));
    EXPECT_EQ(Filas("SELECT count(*) FROM AUX_ERR"), QStringList{"0"});
}

TEST_F(Anclaje, PastNinetyNineEntriesKeysStayUnique) {
    for (int n = 2; n <= 99; ++n)
        Ejecuta(QStringLiteral("INSERT INTO TA_MENU (MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO) "
                               "VALUES ('KOLM','D8021','D8021%1','M%1','Stock','',1)")
                    .arg(n, 2, 10, QLatin1Char('0')));
    GrabaNueva(QStringLiteral("CIEN"), true);
    GrabaNueva(QStringLiteral("CIENTO UNO"), true);
    EXPECT_EQ(
        Filas("SELECT CLAVE FROM TA_MENU WHERE TITULO = 'D8021' AND NOMBRE LIKE 'CIEN%' ORDER BY NOMBRE"),
        QStringList({"D8021100", "D8021101"}));
    EXPECT_EQ(Filas("SELECT count(*) FROM TA_TAREAS WHERE TAREA IN ('D8021100', 'D8021101')"),
              QStringList{"2"});
}

TEST_F(Anclaje, ARefusedInsertIsShownAndTheRunGoesOn) {
    // A key of another group already holds the next number.
    Ejecuta("INSERT INTO TA_MENU (MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO) "
            "VALUES ('KOLM','D90','D802102','ajeno','Stock','',1)");
    NuevaPlantilla(QStringLiteral("CHOCA"));
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    Campo("IdMotivoStock").setText(QStringLiteral("2"));
    Campo("DepositoOrigen").setText(QStringLiteral("1"));
    F().ChkAnclar.setValue(1);
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    F().UtilVox1_click(QStringLiteral("GRABAR"));

    // The template is stored; the refusal is shown with the database's words.
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Filas("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE nombre = 'CHOCA'"), QStringList{"1"});
    ASSERT_EQ(guion.Registros().size(), 2u) << guion.Mensajes().join(u'\n').toStdString();
    const auto& aviso = guion.Registros()[1];
    EXPECT_FALSE(aviso.texto.trimmed().isEmpty());
    EXPECT_EQ(aviso.estilo, Estilo::SoloAceptar);
    EXPECT_EQ(aviso.titulo, F().Caption()); // the program's title, the window's
    EXPECT_EQ(Claves(), QStringList{"D802101 REPOSICION LOCAL CENTRO"});
    // As the suite does, the right to the computed key is granted all the same.
    EXPECT_EQ(Filas("SELECT count(*) FROM TA_TAREAS WHERE TAREA = 'D802102'"), QStringList{"1"});
}

TEST_F(Anclaje, AFailingMenuQueryIsReportedAndTheSaveStands) {
    // The menu table cannot be read: the error goes to the window's report and Abort ends the
    // anchoring; the template was committed before and stays, and the window is reset.
    Ejecuta(RenombraTabla("TA_MENU", "TA_MENU_FUERA"));
    NuevaPlantilla(QStringLiteral("SIN MENU"));
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    Campo("IdMotivoStock").setText(QStringLiteral("2"));
    Campo("DepositoOrigen").setText(QStringLiteral("1"));
    F().ChkAnclar.setValue(1);
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Abortar);
    F().UtilVox1_click(QStringLiteral("GRABAR"));
    Ejecuta(RenombraTabla("TA_MENU_FUERA", "TA_MENU"));

    ASSERT_EQ(guion.Registros().size(), 2u) << guion.Mensajes().join(u'\n').toStdString();
    const auto& aviso = guion.Registros()[1];
    EXPECT_EQ(aviso.titulo, QStringLiteral("Aviso al Operador - AnclaAlMenu"));
    EXPECT_EQ(aviso.estilo, Estilo::AbortarReintentarIgnorar | Estilo::Critico);
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Filas("SELECT count(*) FROM V_CPTES_MODELO_CAB WHERE nombre = 'SIN MENU'"), QStringList{"1"});
    EXPECT_EQ(Claves(), QStringList{"D802101 REPOSICION LOCAL CENTRO"});
    EXPECT_EQ(Filas("SELECT count(*) FROM TA_TAREAS WHERE TAREA = 'D802102'"), QStringList{"0"});
    EXPECT_EQ(Campo("NOMBRE").Text(), QString());
    EXPECT_FALSE(Prueba(F()).ValidandoGrabacion());
}

} // namespace

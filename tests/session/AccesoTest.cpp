// The access log on the demo database: the session's row with its task, its exit stamp, the
// program names the log knows, refusals, and the release order of shutdown.

#include "Acceso.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "DefinicionesConsulta.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Registros.h"
#include "Reloj.h"
#include "ReportaError.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QDateTime kEntrada(QDate(2025, 3, 14), QTime(9, 5, 41));
const QDateTime kSalida(QDate(2025, 3, 14), QTime(18, 30, 2));

class RegistroAcceso : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        if (HasFatalFailure())
            return;
        Maquina().setNombreMaquina(" puesto-7 ");
        Reloj(kEntrada);
    }
    void TearDown() override {
        EstableceReloj({});
        ConBaseDemo::TearDown();
    }
    void Reloj(const QDateTime& momento) {
        EstableceReloj([momento] { return momento; });
    }

    // Every row of a query, its fields joined by "|" (a null reads NULL).
    QStringList Filas(const QString& sql) {
        QStringList filas;
        Registros rs;
        AD().ObtieneRecordset(sql, rs);
        while (!rs.Eof()) {
            QStringList campos;
            for (int i = 0; i < rs.FieldCount(); ++i)
                campos << (rs.Fields(i).isNull() ? QStringLiteral("NULL") : rs.Fields(i).toString());
            filas << campos.join(u'|');
            rs.MoveNext();
        }
        return filas;
    }
    QStringList Accesos() {
        return Filas("SELECT Id, Maquina, Usuario, Formulario, Tarea, Ingreso, Egreso, NombreUsuario "
                     "FROM Control_Acceso ORDER BY Id");
    }
    int Ultimo() {
        const QStringList f = Filas("SELECT MAX(Id) FROM Control_Acceso");
        return f.isEmpty() ? 0 : f.first().toInt();
    }
};

TEST_F(RegistroAcceso, FilaDeLaSesionConSuTareaYSuSalida) {
    gUsuarioLogeado = "otro";
    RegistraIngreso("modelos-stock");
    EXPECT_EQ(gUsuarioLogeado, "DEMO"); // the connection's user
    ASSERT_GT(gIdControlAcceso, 0);
    EXPECT_EQ(gIdControlAcceso, Ultimo());
    EXPECT_EQ(Accesos(), QStringList({QString::number(gIdControlAcceso) +
                                      "|PUESTO-7|DEMO|MODELOS-STOCK|MODELOS DE COMPROBANTES DE STOCK|"
                                      "2025-03-14 09:05:00|NULL|DEMO"}));
    EXPECT_TRUE(guion.Mensajes().isEmpty());

    Reloj(kSalida);
    RegistraEgreso();
    EXPECT_EQ(Filas("SELECT Egreso FROM Control_Acceso"), QStringList({"2025-03-14 18:30:00"}));
    // A second stamp touches nothing: the row is closed.
    Reloj(kSalida.addDays(1));
    RegistraEgreso();
    EXPECT_EQ(Filas("SELECT Egreso FROM Control_Acceso"), QStringList({"2025-03-14 18:30:00"}));
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(RegistroAcceso, SinTareaDelUsuarioLaFilaSeEscribeIgual) {
    RegistraIngreso(""); // the executable's own name, which no menu entry runs
    ASSERT_GT(gIdControlAcceso, 0);
    const QString ejecutable = NombreEjecutable().toUpper();
    EXPECT_EQ(Filas("SELECT Formulario, Tarea FROM Control_Acceso"), QStringList({ejecutable + "|"}));

    // A user without rights to the entry.
    gIdControlAcceso = 0;
    AD().EjecutaSQL("DELETE FROM TA_TAREAS WHERE TAREA = 'D8020'");
    RegistraIngreso("modelos-stock");
    EXPECT_EQ(Filas("SELECT Tarea FROM Control_Acceso WHERE Formulario = 'MODELOS-STOCK'"),
              QStringList({""}));
}

TEST_F(RegistroAcceso, NombresDeProgramaQueElRegistroConoce) {
    // A variant executable is logged as its program, with that program's task.
    RegistraIngreso("MODELOSSTOCK");
    EXPECT_EQ(
        Filas("SELECT Formulario, Tarea FROM Control_Acceso WHERE Id = " + QString::number(gIdControlAcceso)),
        QStringList({"MODELOS-STOCK|MODELOS DE COMPROBANTES DE STOCK"}));

    // A program of the second table gets no task, even where a menu entry would give one.
    AD().EjecutaSQL("INSERT INTO TA_MENU (MENU, TITULO, CLAVE, NOMBRE, IMAGEN, PROCESO, HABILITADO) "
                    "VALUES ('KOLM', 'D80', 'D8099', 'Configurar', 'Stock', 'configurador', 1)");
    AD().EjecutaSQL("INSERT INTO TA_TAREAS (USUARIO, SISTEMA, TAREA) VALUES ('DEMO', 'CN000PR', 'D8099')");
    const qint32 antes = gIdControlAcceso;
    RegistraIngreso("Configurador");
    EXPECT_GT(gIdControlAcceso, antes);
    EXPECT_EQ(
        Filas("SELECT Formulario, Tarea FROM Control_Acceso WHERE Id = " + QString::number(gIdControlAcceso)),
        QStringList({"CONFIGURADOR|"}));

    // The backup utility leaves no row.
    const auto filas = Accesos().size();
    const qint32 id = gIdControlAcceso;
    RegistraIngreso("resguardo");
    EXPECT_EQ(Accesos().size(), filas);
    EXPECT_EQ(gIdControlAcceso, id);

    EXPECT_EQ(ProgramasSinTarea().size(), 11);
}

TEST_F(RegistroAcceso, TareaCuandoNoHayFilaDelMenu) {
    EXPECT_EQ(TareaPorDefecto("cn000pr"), "Menu Principal");
    EXPECT_EQ(TareaPorDefecto("modelos-stock"), "");
    AD().AsignaUsuario("Supervisor");
    EXPECT_EQ(TareaPorDefecto("modelos-stock"), "modelos-stock");
    // A database user named as the database.
    AD().AsignaUsuario("Empresa1");
    AD().AsignaBaseDatos("EMPRESA1");
    EXPECT_EQ(TareaPorDefecto("modelos-stock"), "modelos-stock");
}

TEST_F(RegistroAcceso, TextosDeLasSentencias) {
    EXPECT_EQ(
        SentenciaTarea("DEMO", "modelos-stock"),
        "SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre  FROM TA_TAREAS  "
        "with(nolock) INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave  WHERE (TA_TAREAS.USUARIO = "
        "'DEMO ') AND (TA_MENU.Proceso LIKE '%modelos-stock%')");
    EXPECT_EQ(SentenciaEgreso(42, kSalida),
              "UPDATE CONTROL_ACCESO  SET EGRESO = '14/03/25 18:30' WHERE EGRESO IS NULL AND  ID = 42");
    // A name cannot end the literal.
    EXPECT_TRUE(SentenciaTarea("O'Brien", "x").contains("USUARIO = 'O''Brien ')"));
}

TEST_F(RegistroAcceso, UnUsuarioConApostrofoNoRompeLaConsultaNiLaFila) {
    AD().AsignaUsuario("O'Brien");
    RegistraIngreso("modelos-stock");
    ASSERT_GT(gIdControlAcceso, 0);
    EXPECT_EQ(Filas("SELECT Usuario, NombreUsuario FROM Control_Acceso"), QStringList({"OBRIEN|OBrien"}));
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('\n').toStdString();
}

TEST_F(RegistroAcceso, SalidaSoloDeLaFilaDeEstaSesion) {
    RegistraIngreso("modelos-stock");
    const qint32 primera = gIdControlAcceso;
    // That session ended without shutdown; the next one starts.
    gIdControlAcceso = 0;
    Reloj(kEntrada.addSecs(3600));
    RegistraIngreso("modelos-stock");
    const qint32 segunda = gIdControlAcceso;
    ASSERT_GT(segunda, primera);
    Reloj(kSalida);
    RegistraEgreso();
    EXPECT_EQ(
        Filas("SELECT Id, Egreso FROM Control_Acceso ORDER BY Id"),
        QStringList({QString::number(primera) + "|NULL", QString::number(segunda) + "|2025-03-14 18:30:00"}));

    // A session whose start-up never wrote its row stamps none.
    gIdControlAcceso = 0;
    AD().EjecutaSQL("UPDATE Control_Acceso SET Egreso = NULL");
    RegistraEgreso();
    EXPECT_EQ(Filas("SELECT COUNT(*) FROM Control_Acceso WHERE Egreso IS NULL"), QStringList({"2"}));
}

TEST_F(RegistroAcceso, InsercionRechazadaSeInformaYNoDejaId) {
    AD().EjecutaSQL("ALTER TABLE Control_Acceso RENAME TO Control_Acceso_Otra");
    RegistraIngreso("modelos-stock");
    EXPECT_EQ(gIdControlAcceso, 0);
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].titulo, "Aviso al Operador!");
    EXPECT_TRUE(guion.Mensajes()[0].contains("Control_Acceso", Qt::CaseInsensitive));
    EXPECT_EQ(Filas("SELECT COUNT(*) FROM AUX_ERR"), QStringList({"1"}));

    // The exit stamp's error is shown with an OK button, and shutdown goes on.
    guion.Limpia();
    gIdControlAcceso = 5;
    TerminaSistema();
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SoloAceptar);
    EXPECT_TRUE(guion.Mensajes()[0].contains("CONTROL_ACCESO", Qt::CaseInsensitive));
    EXPECT_FALSE(ExisteAD());
}

TEST_F(RegistroAcceso, TerminaSistemaSellaYLiberaEnSuOrden) {
    RegistraIngreso("modelos-stock");
    const qint32 id = gIdControlAcceso;
    ASSERT_GT(id, 0);
    (void)UT();
    (void)Ini();
    (void)Aux();
    (void)VC();
    QStringList vistos;
    RegistraLiberacion(ObjetoGlobal::DllDisplay, [&] {
        vistos << QString("banner ini=%1 ut=%2 ad=%3").arg(ExisteIni()).arg(ExisteUT()).arg(ExisteAD());
    });
    RegistraLiberacion(ObjetoGlobal::AyudaFormularios,
                       [&] { vistos << QString("ayuda ad=%1").arg(ExisteAD()); });
    RegistraLiberacion(ObjetoGlobal::ExportadorPlanilla, [&] {
        vistos
            << QString("planilla ad=%1 maq=%2 aux=%3").arg(ExisteAD()).arg(ExisteMaquina()).arg(ExisteAux());
    });
    Reloj(kSalida);
    TerminaSistema();
    EXPECT_EQ(vistos, QStringList({"banner ini=0 ut=0 ad=1", "ayuda ad=1", "planilla ad=0 maq=0 aux=1"}));
    EXPECT_FALSE(ExisteIni());
    EXPECT_FALSE(ExisteUT());
    EXPECT_FALSE(ExisteAD());
    EXPECT_FALSE(ExisteMaquina());
    EXPECT_FALSE(ExisteAux());
    // Not among the objects shutdown releases.
    EXPECT_TRUE(ExisteVC());
    ASSERT_TRUE(ExisteBaseEstadisticas());
    EXPECT_TRUE(gBaseEstadisticas().EstaConectado());

    // The row was stamped before the connection went.
    AD().AsignaServidor("sqlite");
    AD().AsignaBaseDatos(RutaBase());
    AD().Conecta();
    EXPECT_EQ(Filas("SELECT Egreso FROM Control_Acceso WHERE Id = " + QString::number(id)),
              QStringList({"2025-03-14 18:30:00"}));
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(RegistroAcceso, ObjetosNuncaCreadosSeSaltanYLosPropiosNoSeRegistran) {
    // Nothing registered for the banner, the form helper or the exporter: shutdown skips them.
    TerminaSistema();
    EXPECT_FALSE(ExisteAD());
    int llamadas = 0;
    EXPECT_THROW(RegistraLiberacion(ObjetoGlobal::AccesoDatos, [&] { ++llamadas; }), ErrorSistema);
    // A registration runs once and is forgotten.
    RegistraLiberacion(ObjetoGlobal::DllDisplay, [&] { ++llamadas; });
    ReiniciaSesion();
    ReiniciaSesion();
    EXPECT_EQ(llamadas, 1);
}

} // namespace

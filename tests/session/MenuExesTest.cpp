// The launcher of the suite's programs: the session text, the command forms, a real detached
// start of a stand-in program, and a program that cannot be started.

#include "MenuExes.h"

#include "AccesoDatos.h"
#include "Comun.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Inicio.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <optional>

namespace {

class Lanzador : public ConGuion {
protected:
    void SetUp() override {
        ConGuion::SetUp();
        ASSERT_TRUE(programas.isValid());
        carpeta.Pon(programas.path());
        // Error reports of failed starts go to this test's folder.
        temp.Quita();
        Maquina().setCarpetaAlternativa(programas.path());
        AD().AsignaServidor(QStringLiteral("SRV01"));
        AD().AsignaBaseDatos(QStringLiteral("GESTION"));
        AD().AsignaUsuario(QStringLiteral("ventas"));
        AD().AsignaPassword(QStringLiteral("s3creto"));
        gUsuarioLogeado = QStringLiteral("DEMO");
        gCaja = QStringLiteral("3");
    }
    void TearDown() override {
        ReiniciaSesion();
        ConGuion::TearDown();
    }

    // A stand-in for a suite program: writes its arguments, one per line, to "<name>.args".
    QString Programa(const QString& nombre) {
        QString ruta = programas.filePath(nombre);
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n"
                "echo $$ > \"$0.pid\"\n"
                "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.tmp\"\n"
                "mv \"$0.tmp\" \"$0.args\"\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return ruta;
    }

    // The arguments the stand-in received (waits for it to run).
    static QStringList Argumentos(const QString& ruta) {
        QFile f(ruta + QStringLiteral(".args"));
        for (QDeadlineTimer fin(15000); !f.exists() && !fin.hasExpired();)
            QThread::msleep(20);
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("(no arrancó)")};
        QStringList lineas = QString::fromUtf8(f.readAll()).split(u'\n');
        if (!lineas.isEmpty() && lineas.back().isEmpty())
            lineas.removeLast();
        return lineas;
    }

    QTemporaryDir programas;
    VariableEntorno carpeta{"MODELOS_PROGRAMAS"};
    VariableEntorno temp{"temp"};
};

const QString kSesion =
    QStringLiteral(" ; @server=SRV01; @dbname=GESTION; @usuario=ventas; @Password=s3creto; "
                   "@ParametroAdicional=12; kolm@ ; @UsuarioLogeado = DEMO; @Caja=3;");

TEST_F(Lanzador, SessionTextByteForByteAndReadBackByStartUp) {
    EXPECT_EQ(SesionMenuExes(QStringLiteral("12")), kSesion);
    // The started program's start-up finds each item in its own place.
    EXPECT_EQ(LeeClave(kSesion, QStringLiteral("@usuario")), QStringLiteral("ventas"));
    EXPECT_EQ(LeeClave(kSesion, QStringLiteral("@UsuarioLogeado")), QStringLiteral("DEMO"));
    EXPECT_EQ(LeeClave(kSesion, QStringLiteral("@ParametroAdicional")), QStringLiteral("12"));
    EXPECT_EQ(LeeClave(kSesion, QStringLiteral("@Password")), QStringLiteral("s3creto"));
    EXPECT_EQ(LeeClave(kSesion, QStringLiteral("@Caja")), QStringLiteral("3"));
    EXPECT_EQ(LeeClave(kSesion, QStringLiteral("@Menu"), QStringLiteral("(falta)")),
              QStringLiteral("(falta)"));

    // Empty session values give empty items; the text still begins with a blank and ends in ";".
    ReiniciaSesion();
    gCaja.clear();
    EXPECT_EQ(SesionMenuExes(QString()),
              QStringLiteral(" ; @server=; @dbname=; @usuario=; @Password=; "
                             "@ParametroAdicional=; kolm@ ; @UsuarioLogeado = ; @Caja=;"));
}

TEST_F(Lanzador, TheThreeFormsOfTheProgramText) {
    const QString dir = QDir(programas.path()).path() + u'/';
    EXPECT_EQ(CarpetaProgramas(), dir);
    EXPECT_EQ(ComandoMenuExes(QStringLiteral("shell:PROG"), kSesion), dir + QStringLiteral("PROG") + kSesion);
    EXPECT_EQ(ComandoMenuExes(QStringLiteral("SHELL C:\\Apps\\PROG.EXE"), kSesion),
              QStringLiteral("C:\\Apps\\PROG.EXE") + kSesion);
    EXPECT_EQ(ComandoMenuExes(QStringLiteral("PROG"), kSesion), dir + QStringLiteral("PROG") + kSesion);
    EXPECT_EQ(ComandoMenuExes(QStringLiteral("Shell PROG"), kSesion), dir + QStringLiteral("PROG") + kSesion);

    // Without the variable the suite's programs are looked for beside this one.
    carpeta.Quita();
    EXPECT_EQ(CarpetaProgramas(), QCoreApplication::applicationDirPath() + u'/');
}

TEST_F(Lanzador, SuiteNamesMapOntoTheProgramsFolder) {
    const QString ruta = Programa(QStringLiteral("reportestock"));
    EXPECT_EQ(ResuelveProgramaSuite(QStringLiteral("ReporteStock")), QStringList{ruta});
    EXPECT_EQ(ResuelveProgramaSuite(QStringLiteral("REPORTESTOCK.EXE -x")), QStringList({ruta, "-x"}));
    EXPECT_EQ(ResuelveProgramaSuite(QStringLiteral("C:\\Apps\\ReporteStock.exe")), QStringList{ruta});
    EXPECT_EQ(ResuelveProgramaSuite(ruta), QStringList{ruta});
    // Not in the folder: never a program of that name elsewhere on the PATH.
    EXPECT_EQ(ResuelveProgramaSuite(QStringLiteral("sh -c x")),
              QStringList({programas.filePath("sh"), "-c", "x"}));
    // An exact name wins over one that only differs in case.
    const QString exacto = Programa(QStringLiteral("ReporteStock"));
    EXPECT_EQ(ResuelveProgramaSuite(QStringLiteral("ReporteStock")), QStringList{exacto});
}

TEST_F(Lanzador, StartsTheProgramDetachedWithTheSession) {
    const QString ruta = Programa(QStringLiteral("REPORTESTOCK"));
    QString parametro = QStringLiteral("MODELO 12");
    qint32 tarea = 0;
    MenuExes(QStringLiteral("shell:REPORTESTOCK"), parametro, tarea);
    // Everything up to the first blank is dropped, in the caller's variable too.
    EXPECT_EQ(parametro, QStringLiteral("12"));
    EXPECT_GT(tarea, 0);
    EXPECT_EQ(Argumentos(ruta), QStringList{kSesion});
    // The task identifier is the started program's own process id.
    QFile pid(ruta + QStringLiteral(".pid"));
    ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
    EXPECT_EQ(pid.readAll().trimmed().toLongLong(), tarea);
    EXPECT_TRUE(guion.Registros().empty());
}

TEST_F(Lanzador, WindowsPathsAndExtraWordsOfTheSuite) {
    const QString ruta = Programa(QStringLiteral("PROG"));
    QString parametro;
    qint32 tarea = 0;
    MenuExes(QStringLiteral("SHELL C:\\Apps\\PROG.EXE /r"), parametro, tarea);
    EXPECT_GT(tarea, 0);
    QString esperada = kSesion;
    esperada.replace(QStringLiteral("@ParametroAdicional=12"), QStringLiteral("@ParametroAdicional="));
    EXPECT_EQ(Argumentos(ruta), QStringList({"/r", esperada}));
}

TEST_F(Lanzador, AProgramThatCannotStartIsReportedThenNotImplemented) {
    QString parametro;
    qint32 tarea = 77;
    guion.AgregaRespuesta(Respuesta::Reintentar);
    guion.AgregaRespuesta(Respuesta::Ignorar);
    MenuExes(QStringLiteral("shell:NOEXISTE"), parametro, tarea);
    EXPECT_EQ(tarea, 0);
    const auto& r = guion.Registros();
    ASSERT_EQ(r.size(), 3u);
    // The failed start twice (Retry starts it again), then the message of step 5.
    EXPECT_TRUE(r[0].texto.contains(QStringLiteral("NOEXISTE"))) << r[0].texto.toStdString();
    EXPECT_EQ(r[0].estilo, Estilo::AbortarReintentarIgnorar | Estilo::Critico);
    EXPECT_EQ(r[1].texto, r[0].texto);
    EXPECT_EQ(r[2].texto,
              QStringLiteral("Opcion no Implementada!\rComuniquese con su proveedor de sistemas"));
    EXPECT_EQ(r[2].titulo, QStringLiteral("Atención"));
    EXPECT_EQ(r[2].estilo, Estilo::SoloAceptar | Estilo::Critico);
    // The failure is in the error log.
    QFile log(programas.filePath(QStringLiteral("CVERR.LOG")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("MenuExes"));
}

TEST_F(Lanzador, AbortLeavesWithoutTheSecondMessage) {
    QString parametro;
    qint32 tarea = 0;
    guion.AgregaRespuesta(Respuesta::Abortar);
    MenuExes(QStringLiteral("NOEXISTE"), parametro, tarea);
    EXPECT_EQ(tarea, 0);
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_FALSE(guion.Mensajes().front().contains(QStringLiteral("Opcion no Implementada!")));
}

} // namespace

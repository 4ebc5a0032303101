// The program itself, run offscreen: how it starts and how it ends without a connection.

#include "BaseDemo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

class Programa : public ConArchivosDemo {
protected:
    void SetUp() override {
        ConArchivosDemo::SetUp();
        ASSERT_TRUE(QFile::exists(Binario())) << Binario().toStdString();
        auto entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert("QT_QPA_PLATFORM", "offscreen");
        entorno.insert("XDG_RUNTIME_DIR", Carpeta());
        proceso_.setProcessEnvironment(entorno);
        proceso_.setWorkingDirectory(Carpeta());
    }
    void TearDown() override {
        if (proceso_.state() != QProcess::NotRunning) {
            proceso_.kill();
            proceso_.waitForFinished(5000);
        }
        ConArchivosDemo::TearDown();
    }
    static QString Binario() { return QCoreApplication::applicationDirPath() + "/modelos-stock"; }

    // Runs the program; true when it ended by itself within `ms`.
    bool Ejecuta(const QString& programa, const QStringList& argumentos, int ms) {
        proceso_.start(programa, argumentos);
        EXPECT_TRUE(proceso_.waitForStarted(10000));
        return proceso_.waitForFinished(ms);
    }
    QStringList LineasError() {
        const QString texto = QString::fromUtf8(proceso_.readAllStandardError());
        return texto.split('\n', Qt::SkipEmptyParts);
    }

    QProcess proceso_;
};

TEST_F(Programa, UnaBaseQueNoExisteTerminaEnSegundosConUnaLinea) {
    const QString base = Carpeta() + "/no-existe.db";
    QElapsedTimer reloj;
    reloj.start();
    ASSERT_TRUE(Ejecuta(
        Binario(), {"@Server=sqlite;@DbName=" + base + ";@Usuario=DEMO;@Password=Secreto77;@Caja=1"}, 15000));
    EXPECT_LT(reloj.elapsed(), 5000);
    EXPECT_EQ(proceso_.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(proceso_.exitCode(), 0);
    const QStringList lineas = LineasError();
    ASSERT_EQ(lineas.size(), 1) << lineas.join('\n').toStdString();
    EXPECT_TRUE(lineas[0].contains(base));
    EXPECT_TRUE(lineas[0].contains("sqlite"));
    EXPECT_FALSE(lineas[0].contains("Secreto77"));
    EXPECT_FALSE(QFile::exists(base));
}

TEST_F(Programa, LaSesionDemoAbreLaVentana) {
    // Still running after a few seconds: the window is up and waits in its event loop.
    EXPECT_FALSE(Ejecuta(Binario(), {LineaSesion()}, 3000)) << LineasError().join('\n').toStdString();
}

TEST_F(Programa, SinArgumentosUsaLaBaseJuntoAlPrograma) {
    // Without server and user the program opens modelos.db in its own folder.
    const QString copia = Carpeta() + "/modelos-stock";
    ASSERT_TRUE(QFile::copy(Binario(), copia));
    EXPECT_FALSE(Ejecuta(copia, {}, 3000)) << LineasError().join('\n').toStdString();
    proceso_.kill();
    proceso_.waitForFinished(5000);

    ASSERT_TRUE(QFile::remove(RutaBase()));
    ASSERT_TRUE(Ejecuta(copia, {}, 15000));
    EXPECT_NE(proceso_.exitCode(), 0);
    const QStringList lineas = LineasError();
    ASSERT_EQ(lineas.size(), 1) << lineas.join('\n').toStdString();
    EXPECT_TRUE(lineas[0].contains(RutaBase()));
}

TEST_F(Programa, QuienTerminaConectadoTerminaSinFalla) {
    // With and without an application object; the open transaction is never committed.
    const QString programa = QCoreApplication::applicationDirPath() + "/conectado_al_salir";
    for (const QStringList& argumentos : {QStringList{RutaBase()}, QStringList{RutaBase(), "sin-app"}}) {
        ASSERT_TRUE(Ejecuta(programa, argumentos, 60000));
        EXPECT_EQ(proceso_.exitStatus(), QProcess::NormalExit) << argumentos.join(' ').toStdString();
        EXPECT_EQ(proceso_.exitCode(), 0) << LineasError().join('\n').toStdString();
        EXPECT_TRUE(LineasError().isEmpty());
    }
    QProcess sqlite;
    sqlite.start("sqlite3", {RutaBase(), "SELECT count(*) > 0 FROM V_CPTES_MODELO_DET"});
    ASSERT_TRUE(sqlite.waitForFinished(10000));
    EXPECT_EQ(sqlite.readAllStandardOutput().trimmed(), "1");
}

} // namespace

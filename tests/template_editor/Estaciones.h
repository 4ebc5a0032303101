#pragma once

// Two editors on one database file, the other one a real process: this test program run again in
// a child role, a disabled test that the parent names. The parent starts it with an Estacion and
// reads what it tells; the child's fixture is EditorHijo.

#include "AccesoDatos.h"
#include "Globales.h"
#include "VentanaDemo.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <cstdio>
#include <gtest/gtest.h>

// The child's role (its test's name without DISABLED_) and the parent's database file.
inline const char* const kRol = "MODELOS_ESTACION_ROL";
inline const char* const kBase = "MODELOS_ESTACION_BASE";

// What a child tells its parent: one line marked "@@ " (the rest of its output is the test
// runner's).
inline void Dice(QString texto) {
    texto.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    std::printf("@@ %s\n", texto.trimmed().toUtf8().constData());
    std::fflush(stdout);
}

// A child process in one role; its marked lines as they come.
class Estacion {
public:
    Estacion(const char* prueba, const QString& base, const QList<QPair<const char*, QString>>& argumentos) {
        auto entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(kRol, QString::fromLatin1(prueba));
        entorno.insert(kBase, base);
        for (const auto& [nombre, valor] : argumentos)
            entorno.insert(nombre, valor);
        p_.setProcessEnvironment(entorno);
        p_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p_.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=*.DISABLED_") + QString::fromLatin1(prueba),
                  QStringLiteral("--gtest_also_run_disabled_tests")});
        EXPECT_TRUE(p_.waitForStarted(10000));
    }
    ~Estacion() {
        if (p_.state() != QProcess::NotRunning)
            Mata();
    }
    Estacion(const Estacion&) = delete;
    Estacion& operator=(const Estacion&) = delete;

    // The next marked line that starts with `prefijo`; empty when the child ended or was silent
    // for `ms`.
    QString Espera(const QString& prefijo, int ms = 120000) {
        QDeadlineTimer plazo(ms);
        for (;;) {
            while (p_.canReadLine()) {
                const QString linea = QString::fromUtf8(p_.readLine()).trimmed();
                if (!linea.startsWith(QLatin1String("@@ ")))
                    continue;
                dichas_ << linea.mid(3);
                if (dichas_.last().startsWith(prefijo))
                    return dichas_.last();
            }
            if (plazo.hasExpired() || (!p_.waitForReadyRead(int(plazo.remainingTime())) && !p_.canReadLine()))
                return {};
        }
    }
    // SIGKILL: no destructor, no rollback of its own. Then every line it wrote before.
    void Mata() {
        p_.kill();
        p_.waitForFinished(10000);
        Espera(QStringLiteral("\n"), 0);
    }
    const QStringList& Dichas() const { return dichas_; }

private:
    QProcess p_;
    QStringList dichas_;
};

// The child's side: the editor window, headless, on the parent's database file.
class EditorHijo : public ConVentanaDemo {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty(kRol))
            GTEST_SKIP() << "only as a child of the tests of another station";
        ConVentanaDemo::SetUp();
        if (HasFatalFailure())
            return;
        AD().AsignaBaseDatos(qEnvironmentVariable(kBase));
        AD().Conecta(false, 3, QString(), true, true);
    }
};

#pragma once

#include "Interaccion.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

struct sqlite3;

// Installs a fresh scripted interaction for the length of a test.
class ConGuion : public ::testing::Test {
protected:
    void SetUp() override { EstableceInteraccion(&guion); }
    void TearDown() override { EstableceInteraccion(nullptr); }
    InteraccionGuionada guion;
};

// Folder of the project's sources (set by CTest), for files the tests read.
QString CarpetaFuentes();
// Folder of the build, for what the tests write (never into the sources: a test run leaves the
// tracked files as they were).
QString CarpetaCompilacion();

// The native handles of the embedded connections the data layer has open, for tests that act
// underneath it.
std::vector<sqlite3*> ConexionesSqliteDeLaCapa();

// Keeps an environment variable as it was before the test.
class VariableEntorno {
public:
    explicit VariableEntorno(const char* nombre) : nombre_(nombre) {
        if (qEnvironmentVariableIsSet(nombre))
            antes_ = qgetenv(nombre);
    }
    ~VariableEntorno() {
        if (antes_)
            qputenv(nombre_, *antes_);
        else
            qunsetenv(nombre_);
    }
    VariableEntorno(const VariableEntorno&) = delete;
    VariableEntorno& operator=(const VariableEntorno&) = delete;
    void Pon(const QString& valor) const { qputenv(nombre_, valor.toLocal8Bit()); }
    void Quita() const { qunsetenv(nombre_); }

private:
    const char* nombre_;
    std::optional<QByteArray> antes_;
};

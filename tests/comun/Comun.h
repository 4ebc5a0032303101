#pragma once

#include "Interaccion.h"

#include <QString>
#include <gtest/gtest.h>

// Installs a fresh scripted interaction for the length of a test.
class ConGuion : public ::testing::Test {
protected:
    void SetUp() override { EstableceInteraccion(&guion); }
    void TearDown() override { EstableceInteraccion(nullptr); }
    InteraccionGuionada guion;
};

// Folder of the project's sources (set by CTest), for files the tests read.
QString CarpetaFuentes();

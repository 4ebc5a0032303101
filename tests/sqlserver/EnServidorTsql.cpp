// This program's fixtures on the embedded demo run on a database of the T-SQL server instead.

#include "BaseDemo.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <string>

namespace {
// A station that the several-station test starts (this program again) connects to its parent's
// database: it makes none of its own.
[[maybe_unused]] const bool enServidor =
    (EstablecePruebasEnServidorTsql(qEnvironmentVariableIsEmpty("MODELOS_ESTACIONES_SALIDA")), true);

// A test that means something on one engine only is built only into that engine's program, so a
// skip here is a fault and fails the test. A disabled test (a station's, started by its parent)
// skips when started by hand.
class UnSaltoEsUnaFalla : public ::testing::EmptyTestEventListener {
    // Before the result is printed (a test's end reaches the listeners last to first) and while
    // the test still takes failures.
    void OnTestEnd(const ::testing::TestInfo& prueba) override {
        const ::testing::TestResult& r = *prueba.result();
        if (!r.Skipped() || QByteArray(prueba.name()).startsWith("DISABLED_"))
            return;
        std::string motivo;
        for (int i = 0; i < r.total_part_count(); ++i)
            if (r.GetTestPartResult(i).skipped())
                motivo = r.GetTestPartResult(i).message();
        ADD_FAILURE() << "En el servidor T-SQL ninguna prueba se salta: " << motivo;
    }
};

[[maybe_unused]] const bool saltos =
    (::testing::UnitTest::GetInstance()->listeners().Append(new UnSaltoEsUnaFalla), true);
} // namespace

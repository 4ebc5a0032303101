// The server's date and its fallbacks on the demo database.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "Configuracion.h"
#include "Globales.h"
#include "Reloj.h"
#include "Transacciones.h"
#include "ValoresConfiguracion.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kEstacion(QDate(2001, 2, 3), QTime(4, 5, 6));

class FechaDelServidor : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        EstableceReloj([] { return kEstacion; });
    }
    void TearDown() override {
        EstableceReloj({});
        ConBaseDemo::TearDown();
    }
};

TEST_F(FechaDelServidor, ElServidorResponde) {
    // The workstation's clock and the day setting change nothing while the server answers.
    gUtilizarFechaDia = true;
    GrabaDfg("FECHAOPERHASTA", "31/12/2024", "", false, "", true);
    const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
    const QDateTime fecha = FechaServidor();
    const QDateTime despues = QDateTime::currentDateTime().addSecs(1);
    EXPECT_GE(fecha, antes);
    EXPECT_LE(fecha, despues);
    EXPECT_EQ(fecha.time().msec(), 0); // to the second
}

TEST_F(FechaDelServidor, UnaConsultaFallidaDaLaFechaDeLaEstacion) {
    AD().LeeConexion().Close();
    EXPECT_EQ(FechaServidor(), kEstacion);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(FechaDelServidor, RespaldoPorLaFechaDeOperacion) {
    EXPECT_EQ(FechaRespaldoServidor(), kEstacion);
    GrabaDfg("FECHAOPERHASTA", "31/12/2024", "", false, "", true);
    EXPECT_EQ(FechaRespaldoServidor(), kEstacion); // the flag is off
    gUtilizarFechaDia = true;
    EXPECT_EQ(FechaRespaldoServidor(), QDateTime(QDate(2024, 12, 31), QTime(0, 0)));
    GrabaDfg("FECHAOPERHASTA", "15/03/25 10:15:42", "", false, "", true);
    EXPECT_EQ(FechaRespaldoServidor(), QDateTime(QDate(2025, 3, 15), QTime(10, 15, 42)));
    for (const char* invalida : {"31/02/2024", "mañana", ""}) {
        GrabaDfg("FECHAOPERHASTA", invalida, "", false, "", true);
        EXPECT_EQ(FechaRespaldoServidor(), kEstacion) << invalida;
    }
}

} // namespace

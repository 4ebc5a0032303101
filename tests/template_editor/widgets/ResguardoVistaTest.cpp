// What a handler of the real window lets through never crosses Qt's event loop: here the error
// box of Cargar itself fails while its stock cannot be read. The failure is told, the command has
// ended and the window works on.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "VistaDemo.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Yes to the questions; the first error box cannot be shown.
class PuertoSinCajaDeError : public InteraccionGuionada {
public:
    int MsgBox(const QString& texto, int estilo, const QString& titulo) override {
        if (Estilo::Botones(estilo) == Estilo::AbortarReintentarIgnorar && !fallo) {
            fallo = true;
            throw ErrorSistema(-1, QStringLiteral("No se pudo mostrar el aviso"));
        }
        InteraccionGuionada::MsgBox(texto, estilo, titulo);
        return Estilo::Botones(estilo) == Estilo::SiNo ? Respuesta::Si : Respuesta::Aceptar;
    }
    bool fallo = false;
};

class ResguardoVista : public ConVistaDemo<ConBaseDemo> {};

TEST_F(ResguardoVista, UnaFallaQueUnManejadorDejaPasarSeDiceYLaVentanaSigue) {
    AD().EjecutaSQL(RenombraTabla("STK_SALDOS_UNIDADES", "STK_SALDOS_OTRA"));
    PuertoSinCajaDeError puerto;
    EstableceInteraccion(&puerto);
    CabeceraNueva("RESGUARDO");
    try {
        Tecla(Qt::Key_C, Qt::AltModifier);
        QTest::qWait(300);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "an exception left the window: " << e.what();
    }
    EstableceInteraccion(&guion);
    ASSERT_TRUE(puerto.fallo);
    // Told in the words of the error box, titled by the handler it came from.
    ASSERT_EQ(puerto.Registros().size(), 2u);
    EXPECT_EQ(puerto.Registros()[1].titulo, " - CmdCargar_Click Aviso al operador!!! - 2 ");
    EXPECT_EQ(puerto.Registros()[1].texto, "Ha ocurrido el Siguiente Error (-1) No se pudo mostrar el aviso");
    // The command ended: the window is whole and takes the next command.
    EXPECT_FALSE(form->EnProceso());
    EXPECT_FALSE(UT().CursorEnEspera());
    EXPECT_FALSE(form->Descargado());
    EXPECT_TRUE(vista->isVisible());
    EXPECT_TRUE(form->CmdCargar.Enabled());
    EXPECT_TRUE(form->UtilVox1.Enabled());
    EXPECT_EQ(form->TxtFields[0].Text(), "RESGUARDO");
}

} // namespace

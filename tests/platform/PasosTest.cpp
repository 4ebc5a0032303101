#include "Comun.h"
#include "ErrorSistema.h"

#include <vector>

namespace {

// A procedure of three statements whose second fails `fallos` times before it works.
struct Procedimiento {
    explicit Procedimiento(int f) : fallos(f) {}
    int fallos;
    std::vector<QString> hechos;
    std::vector<Paso> Pasos() {
        return {[this] { hechos.push_back("uno"); },
                [this] {
                    if (fallos > 0) {
                        --fallos;
                        throw ErrorSistema(13, "Tipos no coinciden", "Prueba");
                    }
                    hechos.push_back("dos");
                },
                [this] { hechos.push_back("tres"); }};
    }
};

TEST(EjecutaPasos, ReintentarRepiteElPasoQueFallo) {
    Procedimiento p{2};
    int preguntas = 0;
    EXPECT_TRUE(EjecutaPasos(p.Pasos(), [&](const ErrorSistema& e) {
        ++preguntas;
        EXPECT_EQ(e.Numero(), 13);
        return Respuesta::Reintentar;
    }));
    EXPECT_EQ(preguntas, 2);
    EXPECT_EQ(p.hechos, (std::vector<QString>{"uno", "dos", "tres"}));
}

TEST(EjecutaPasos, IgnorarSigueConElSiguiente) {
    Procedimiento p{5};
    EXPECT_TRUE(EjecutaPasos(p.Pasos(), SiempreSiguiente));
    EXPECT_EQ(p.hechos, (std::vector<QString>{"uno", "tres"}));
}

TEST(EjecutaPasos, OtraRespuestaAbandona) {
    for (int r : {Respuesta::Abortar, Respuesta::Cancelar, 0}) {
        Procedimiento p{1};
        EXPECT_FALSE(EjecutaPasos(p.Pasos(), [r](const ErrorSistema&) { return r; }));
        EXPECT_EQ(p.hechos, (std::vector<QString>{"uno"}));
    }
}

TEST(EjecutaPasos, ErroresDeLaBibliotecaTambienSeReportan) {
    QString visto;
    EXPECT_TRUE(
        EjecutaPasos({[] { throw std::runtime_error("fuera de rango"); }}, [&](const ErrorSistema& e) {
            visto = e.Descripcion();
            return Respuesta::Ignorar;
        }));
    EXPECT_EQ(visto, "fuera de rango");
}

using InteraccionGuionadaTest = ConGuion;

TEST_F(InteraccionGuionadaTest, DevuelveLasRespuestasEnOrdenYRegistraLosTextos) {
    guion.AgregaRespuesta(Respuesta::No);
    EXPECT_EQ(interaccion().MsgBox("¿Seguro?", Estilo::SiNo + Estilo::Pregunta, "Atención"), Respuesta::No);
    // With no scripted answer left, the style's default button answers.
    EXPECT_EQ(interaccion().MsgBox("Confirma", Estilo::SiNo + Estilo::BotonDefecto2, "T"), Respuesta::No);
    EXPECT_EQ(interaccion().MsgBox("Error", Estilo::AbortarReintentarIgnorar, "T"), Respuesta::Abortar);
    ASSERT_EQ(guion.Registros().size(), 3u);
    EXPECT_EQ(guion.Registros()[0].titulo, "Atención");
    EXPECT_EQ(guion.Registros()[0].estilo, 36);
    EXPECT_EQ(guion.Mensajes(), (QStringList{"¿Seguro?", "Confirma", "Error"}));
}

TEST_F(InteraccionGuionadaTest, EntradaArchivoYFormularioModal) {
    guion.AgregaTexto(QString("abc"));
    guion.AgregaTexto(std::nullopt);
    EXPECT_EQ(interaccion().InputBox("Nombre", "T", "x"), std::optional<QString>("abc"));
    EXPECT_EQ(interaccion().InputBox("Nombre", "T", "x"), std::nullopt);
    EXPECT_EQ(interaccion().AbreArchivo("Buscar", "*.txt", "/"), QString());
    struct F : Formulario {
        QString NombreFormulario() const override { return "FrmPrueba"; }
        bool visto = false;
    } f;
    guion.alMostrar = [](Formulario& x) { static_cast<F&>(x).visto = true; };
    interaccion().MuestraModal(f);
    EXPECT_TRUE(f.visto);
    EXPECT_EQ(guion.Registros().back().texto, "FrmPrueba");
}

} // namespace

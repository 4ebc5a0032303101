// The code levels of warehouse positions and article families, as the configuration sets them.

#include "NivelesLayout.h"
#include "BaseDemo.h"
#include "ErrorSistema.h"

#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

using Niveles = ConBaseDemo;

TEST_F(Niveles, NivelesDelLayoutDePosiciones) {
    InicializaLayout();
    EXPECT_EQ(gLayout.fin[1], 2);
    EXPECT_EQ(gLayout.fin[2], 5);
    EXPECT_EQ(gLayout.fin[3], 7);
    EXPECT_EQ(gLayout.fin[4], 10);
    EXPECT_EQ(gLayout.largoCodigo, 10);
    EXPECT_EQ(gLayout.anchoTotal, 10);
    EXPECT_EQ(gLayout.titulo[2], "Estanteria");
    EXPECT_EQ(gLayout.tituloConArticulo[1], "El Pasillo");
    EXPECT_EQ(gLayout.plural[4], "Posiciones");

    QuitaConfiguracion("LAYOUT_NIVEL3");
    AjustaConfiguracion("LAYOUT_NIVEL4", "2.5"); // halves to even
    InicializaLayout();
    EXPECT_EQ(gLayout.fin[3], 5);
    EXPECT_EQ(gLayout.fin[4], 7);

    AjustaConfiguracion("LAYOUT_NIVEL1", "40000");
    EXPECT_THROW(InicializaLayout(), ErrorSistema);
}

TEST_F(Niveles, FamiliaPadre) {
    AjustaConfiguracion("FLIA_NIVEL4", "0");
    CargaNivelesFamilia();
    CargaFinNivelesFamilia();
    EXPECT_EQ(gNivelesFamilia.anchoTotal, 7);
    EXPECT_EQ(ObtieneFamiliaPadre("ABCDEFG"), "ABCD");
    EXPECT_EQ(ObtieneFamiliaPadre("ABCD"), "AB");
    EXPECT_EQ(ObtieneFamiliaPadre("AB"), "");
    EXPECT_EQ(ObtieneFamiliaPadre("ABCDE"), "");
    EXPECT_EQ(ObtieneFamiliaPadre("ABC "), "AB"); // trailing blanks count
    // The running sum is rounded, not each width.
    AjustaConfiguracion("FLIA_NIVEL1", "1.5");
    AjustaConfiguracion("FLIA_NIVEL2", "1.5");
    CargaFinNivelesFamilia();
    EXPECT_EQ(gNivelesFamilia.fin[1], 2);
    EXPECT_EQ(gNivelesFamilia.fin[2], 3);
    // No family settings: no code has a parent.
    for (const char* clave : {"FLIA_NIVEL1", "FLIA_NIVEL2", "FLIA_NIVEL3", "FLIA_NIVEL4"})
        QuitaConfiguracion(clave);
    CargaFinNivelesFamilia();
    EXPECT_EQ(ObtieneFamiliaPadre("AB"), "");
    EXPECT_EQ(ObtieneFamiliaPadre(""), "");
}

TEST(TextoPropio, CadaPalabraConMayuscula) {
    EXPECT_EQ(TextoPropio("EL  PASILLO central"), "El  Pasillo Central");
    EXPECT_EQ(TextoPropio(" "), " ");
    EXPECT_EQ(TextoPropio("ÑANDÚ ÁGIL"), "Ñandú Ágil");
}

} // namespace

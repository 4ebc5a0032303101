#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "ClsCmnCptesServicios.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Regional.h"

#include <gtest/gtest.h>

struct AccesoPruebaClsCmnCptes {
    static double PIVA(const ClsCmnCptesServicios& c) { return c.PIVA; }
    static double PIVARec(const ClsCmnCptesServicios& c) { return c.PIVARec; }
    static bool AsientosXStock(const ClsCmnCptesServicios& c) { return c.AsientosXStock; }
    static bool Protegido(const ClsCmnCptesServicios& c, const QString& rutina,
                          std::initializer_list<Paso> pasos) {
        return c.EjecutaProtegido(rutina, pasos);
    }
};

namespace {

using A = AccesoPruebaClsCmnCptes;

class ClaseComun : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        EstableceInteraccion(&respuestas);
    }
    void TearDown() override {
        EstableceInteraccion(nullptr);
        ConBaseDemo::TearDown();
    }

    Regional::Fijo regional{QLatin1Char('.'), QLatin1Char(','), 2};
    InteraccionGuionada respuestas;
};

TEST_F(ClaseComun, StartValuesFromTheConfiguration) {
    AjustaConfiguracion(QStringLiteral("PIVA"), QStringLiteral("21"));
    AjustaConfiguracion(QStringLiteral("PIVARec"), QStringLiteral("10.5"));
    AjustaConfiguracion(QStringLiteral("AsientosXStock"), QStringLiteral("si"));
    AjustaConfiguracion(QStringLiteral("LenDescripcion"), QStringLiteral("80"));
    const ClsCmnCptesServicios c;
    EXPECT_DOUBLE_EQ(A::PIVA(c), 21.0);
    EXPECT_DOUBLE_EQ(A::PIVARec(c), 10.5);
    EXPECT_TRUE(A::AsientosXStock(c));
    EXPECT_EQ(c.gLenDesc, 80);
    EXPECT_FALSE(c.DebitoProveedor);
    EXPECT_FALSE(c.esElectronica);
    EXPECT_FALSE(c.esCreditoElectronica);
    EXPECT_TRUE(c.NPP_Cliente.isEmpty());
    EXPECT_TRUE(c.NPP_IDCpte.isEmpty());
}

TEST_F(ClaseComun, MissingOrOddSettings) {
    QuitaConfiguracion(QStringLiteral("PIVA"));
    QuitaConfiguracion(QStringLiteral("LenDescripcion"));
    QuitaConfiguracion(QStringLiteral("AsientosXStock"));
    {
        const ClsCmnCptesServicios c;
        EXPECT_EQ(c.gLenDesc, 100);
        EXPECT_FALSE(A::AsientosXStock(c));
        EXPECT_DOUBLE_EQ(A::PIVA(c), 0.0);
    }
    AjustaConfiguracion(QStringLiteral("AsientosXStock"), QStringLiteral("S"));
    AjustaConfiguracion(QStringLiteral("LenDescripcion"), QStringLiteral("0"));
    {
        const ClsCmnCptesServicios c;
        EXPECT_FALSE(A::AsientosXStock(c));
        EXPECT_EQ(c.gLenDesc, 100);
    }
    // The leading number, to the nearest integer with halves to even.
    AjustaConfiguracion(QStringLiteral("LenDescripcion"), QStringLiteral("60.5 caracteres"));
    EXPECT_EQ(ClsCmnCptesServicios().gLenDesc, 60);
    AjustaConfiguracion(QStringLiteral("LenDescripcion"), QStringLiteral("61.5"));
    EXPECT_EQ(ClsCmnCptesServicios().gLenDesc, 62);
    AjustaConfiguracion(QStringLiteral("LenDescripcion"), QStringLiteral("sin número"));
    EXPECT_EQ(ClsCmnCptesServicios().gLenDesc, 100);
    // Beyond the 16-bit range, or not a length at all, the instance is still created.
    AjustaConfiguracion(QStringLiteral("LenDescripcion"), QStringLiteral("99999"));
    EXPECT_EQ(ClsCmnCptesServicios().gLenDesc, 32767);
    AjustaConfiguracion(QStringLiteral("LenDescripcion"), QStringLiteral("-5"));
    EXPECT_EQ(ClsCmnCptesServicios().gLenDesc, 100);
}

TEST_F(ClaseComun, InstancesAreIndependent) {
    ClsCmnCptesServicios a;
    ClsCmnCptesServicios b;
    a.esElectronica = true;
    a.NPP_Cliente = QStringLiteral("C001");
    EXPECT_FALSE(b.esElectronica);
    EXPECT_TRUE(b.NPP_Cliente.isEmpty());
}

TEST_F(ClaseComun, GuardedStatementsFollowTheAnswer) {
    const ClsCmnCptesServicios c;
    int intentos = 0;
    QStringList hechos;
    const auto falla = [&] {
        if (++intentos < 3)
            throw ErrorSistema(3021, QStringLiteral("Sin registro actual"));
        hechos << "segundo";
    };

    // Retry runs the failing statement again; Ignore goes on with the next one.
    respuestas.AgregaRespuesta(Respuesta::Reintentar);
    respuestas.AgregaRespuesta(Respuesta::Reintentar);
    EXPECT_TRUE(A::Protegido(c, QStringLiteral("CuentaItems&"),
                             {[&] { hechos << "primero"; }, falla, [&] { hechos << "tercero"; }}));
    EXPECT_EQ(hechos, QStringList({"primero", "segundo", "tercero"}));
    ASSERT_EQ(respuestas.Registros().size(), 2u);
    const auto& r = respuestas.Registros().front();
    EXPECT_TRUE(r.texto.contains("CuentaItems&") || r.titulo.contains("CuentaItems&"));
    EXPECT_TRUE(r.texto.contains("Sin registro actual"));

    hechos.clear();
    respuestas.AgregaRespuesta(Respuesta::Ignorar);
    EXPECT_TRUE(A::Protegido(c, QStringLiteral("ObtieneSignoComprobante%"),
                             {[] { throw ErrorSistema(5, QStringLiteral("Llamada no válida")); },
                              [&] { hechos << "siguiente"; }}));
    EXPECT_EQ(hechos, QStringList({"siguiente"}));

    // Any other answer leaves the method.
    hechos.clear();
    respuestas.AgregaRespuesta(Respuesta::Abortar);
    EXPECT_FALSE(A::Protegido(
        c, QStringLiteral("ExisteEnGrid"),
        {[] { throw ErrorSistema(5, QStringLiteral("Llamada no válida")); }, [&] { hechos << "nunca"; }}));
    EXPECT_TRUE(hechos.isEmpty());
}

} // namespace

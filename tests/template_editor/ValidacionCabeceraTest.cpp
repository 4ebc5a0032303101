// The header fields checked by the window's validator on the demo database: the name that opens a
// template or starts one, the stock motive and the origin deposit with their messages, and the
// line deposits that follow a change of the origin.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Registros.h"
#include "VentanaDemo.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class ValidacionCabecera : public ConVentanaDemo {
protected:
    // The text typed into the box and validated; the message shown, "" when none.
    QString Valida(const char* dataField, const QString& texto) {
        Campo(dataField).setText(texto);
        guion.Limpia();
        F().CampoValida(Campo(dataField));
        const QStringList m = guion.Mensajes();
        EXPECT_LE(m.size(), 1);
        if (!m.isEmpty()) {
            EXPECT_EQ(guion.Registros()[0].titulo, "Aviso al operador...");
            EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SoloAceptar | Estilo::Critico);
        }
        EXPECT_EQ(Prueba(F()).ErrorValidacion(), !m.isEmpty());
        return m.isEmpty() ? QString() : m[0];
    }
    void Articulos(const QStringList& codigos, const QString& deposito) {
        F().MSFlexGrid2.setRows(int(codigos.size()) + 1);
        for (int i = 0; i < codigos.size(); ++i) {
            F().MSFlexGrid2.setTextMatrix(i + 1, col::CodigoArticulo, codigos[i]);
            F().MSFlexGrid2.setTextMatrix(i + 1, col::Deposito, deposito);
        }
    }
    QStringList Depositos() {
        QStringList r;
        for (int fila = 1; fila < F().MSFlexGrid2.Rows(); ++fila)
            r << F().MSFlexGrid2.TextMatrix(fila, col::Deposito);
        return r;
    }
    void Configura(const QString& valor) {
        AD().EjecutaSQL("UPDATE TA_CONFIGURACION SET Valor = '" + valor +
                        "' WHERE Clave = 'PIDEDEPOSITOENCPTES'");
    }

    std::unique_ptr<FrmVardelio> form;
};

TEST_F(ValidacionCabecera, ElNombreEsObligatorio) {
    Prueba(F()).ModoActual() = AccesoPruebasVardelio::Modo::Ninguno;
    EXPECT_EQ(Valida("NOMBRE", "   "), "Se debe informar el Campo: NOMBRE");
    EXPECT_FALSE(Prueba(F()).EsNuevo());
    EXPECT_FALSE(Prueba(F()).EsModificacion());
    EXPECT_EQ(Prueba(F()).Tag(), "V_CPTES_MODELO_CAB");
}

TEST_F(ValidacionCabecera, UnNombreGuardadoAbreSuModeloYOtroEmpiezaUnoNuevo) {
    EXPECT_EQ(Valida("NOMBRE", "  ajuste roturas  "), "");
    EXPECT_TRUE(Prueba(F()).EsModificacion());
    EXPECT_FALSE(Prueba(F()).EsNuevo());
    EXPECT_FALSE(Prueba(F()).EsBaja());
    EXPECT_EQ(Campo("NOMBRE").Text(), "AJUSTE ROTURAS");
    EXPECT_EQ(Campo("DETALLE").Text(), "Roturas habituales del mes");
    EXPECT_EQ(F().FNTC(), "AJN");
    EXPECT_EQ(F().MSFlexGrid2.Rows(), 3);
    EXPECT_TRUE(F().MSFlexGrid2.Enabled());

    EXPECT_EQ(Valida("NOMBRE", "  Otro nombre "), "");
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    EXPECT_FALSE(Prueba(F()).EsModificacion());
    EXPECT_EQ(Campo("NOMBRE").Text(), "Otro nombre");
    // Starting a new one keeps what the window holds.
    EXPECT_EQ(Campo("DETALLE").Text(), "Roturas habituales del mes");
}

TEST_F(ValidacionCabecera, MientrasSeGrabaElNombreNoRecargaElModelo) {
    Campo("DETALLE").setText("lo que el usuario escribió");
    F().MSFlexGrid2.setTextMatrix(1, col::CodigoArticulo, "1007");
    Prueba(F()).ValidandoGrabacion() = true;
    EXPECT_EQ(Valida("NOMBRE", "REPOSICION LOCAL CENTRO"), "");
    EXPECT_TRUE(Prueba(F()).EsModificacion());
    EXPECT_EQ(Campo("DETALLE").Text(), "lo que el usuario escribió");
    EXPECT_EQ(F().MSFlexGrid2.Rows(), 2);
    EXPECT_EQ(F().MSFlexGrid2.TextMatrix(1, col::CodigoArticulo), "1007");
}

TEST_F(ValidacionCabecera, ElMotivoDeStock) {
    EXPECT_EQ(Valida("IdMotivoStock", ""), "Debe Informar el Motivo de Stock");
    EXPECT_EQ(Valida("IdMotivoStock", "99"), "El motivo de Stock Informado es Inexistente");
    EXPECT_EQ(F().lblDescMotivo.Caption(), "...");
    EXPECT_EQ(Prueba(F()).Tag(), "V_TA_MotivoStock");
    // Typed as the user types it: the code is filled to its stored width before the look-up.
    EXPECT_EQ(Valida("IdMotivoStock", " 2 "), "");
    EXPECT_EQ(F().lblDescMotivo.Caption(), "Rotura y merma");
}

TEST_F(ValidacionCabecera, ElDepositoDeOrigen) {
    EXPECT_EQ(Valida("DepositoOrigen", ""), "Se debe informar el Campo: DepositoOrigen");
    EXPECT_EQ(Valida("DepositoOrigen", "77"), "El Deposito Informado es Inexistente");
    EXPECT_EQ(F().LblDescDeposito.Caption(), "...");
    EXPECT_TRUE(Prueba(F()).DepositoOrigenAnterior().isEmpty());
    EXPECT_EQ(Valida("DepositoOrigen", "3"), "");
    EXPECT_EQ(F().LblDescDeposito.Caption(), "Local Centro");
    EXPECT_EQ(Prueba(F()).DepositoOrigenAnterior(), "3");
    EXPECT_TRUE(F().MSFlexGrid2.Enabled());
}

TEST_F(ValidacionCabecera, EnUnaTransferenciaElOrigenNoHabilitaLaEdicion) {
    F().DetalleOn(false);
    F().pEsTransferencia = true;
    EXPECT_EQ(Valida("DepositoOrigen", "3"), "");
    EXPECT_EQ(Prueba(F()).DepositoOrigenAnterior(), "3");
    EXPECT_FALSE(F().MSFlexGrid2.Enabled());
    F().pEsTransferencia = false;
    EXPECT_EQ(Valida("DepositoOrigen", "3"), "");
    EXPECT_TRUE(F().MSFlexGrid2.Enabled());
}

TEST_F(ValidacionCabecera, UnDepositoDeUnaEmpresaRemotaNoPuedeSerOrigen) {
    ASSERT_EQ(Valida("DepositoOrigen", "1"), "");
    Articulos({"1007", "1013"}, "1");
    EXPECT_EQ(Valida("DepositoOrigen", "4"),
              "No puede utilizar como Origen de la Transferencia una Empresa Remota!");
    EXPECT_EQ(F().LblDescDeposito.Caption(), "Depósito de terceros");
    EXPECT_EQ(Prueba(F()).DepositoOrigenAnterior(), "1");
    EXPECT_EQ(Depositos(), (QStringList{"1", "1"}));
}

TEST_F(ValidacionCabecera, CambiarElOrigenMueveLosDepositosDeLasLineas) {
    // The first origin accepted moves nothing.
    Articulos({"1007", "", "   ", "1013"}, "9");
    ASSERT_EQ(Valida("DepositoOrigen", "1"), "");
    EXPECT_EQ(Depositos(), (QStringList{"9", "9", "9", "9"}));
    // A different one: every line with an article takes it (PideDepositoEnCptes is "NO").
    ASSERT_EQ(Valida("DepositoOrigen", "2"), "");
    EXPECT_EQ(Depositos(), (QStringList{"2", "9", "9", "2"}));
    // The same again changes nothing.
    Articulos({"1007"}, "9");
    ASSERT_EQ(Valida("DepositoOrigen", "2"), "");
    EXPECT_EQ(Depositos(), QStringList{"9"});
    // Also when the setting is missing.
    AD().EjecutaSQL("DELETE FROM TA_CONFIGURACION WHERE Clave = 'PIDEDEPOSITOENCPTES'");
    ASSERT_EQ(Valida("DepositoOrigen", "3"), "");
    EXPECT_EQ(Depositos(), QStringList{"3"});
}

TEST_F(ValidacionCabecera, ConPideDepositoEnCptesLasLineasConservanSuDeposito) {
    Configura("si");
    Articulos({"1007"}, "9");
    ASSERT_EQ(Valida("DepositoOrigen", "1"), "");
    ASSERT_EQ(Valida("DepositoOrigen", "2"), "");
    EXPECT_EQ(Depositos(), QStringList{"9"});
    EXPECT_EQ(Prueba(F()).DepositoOrigenAnterior(), "2");
}

TEST_F(ValidacionCabecera, ElDestinoYLasObservacionesNoSeControlan) {
    EXPECT_EQ(Valida("DepositoDestino", "ZZZZ"), "");
    EXPECT_EQ(Valida("DepositoDestino", ""), "");
    EXPECT_EQ(Valida("DETALLE", ""), "");
    EXPECT_EQ(Valida("DETALLE", "cualquier cosa"), "");
    EXPECT_TRUE(Prueba(F()).Tag().isEmpty());
}

TEST_F(ValidacionCabecera, DatosvalidosSeDetieneEnElPrimerRechazo) {
    Campo("NOMBRE").setText("");
    Campo("IdMotivoStock").setText("");
    Campo("DepositoOrigen").setText("");
    EXPECT_FALSE(F().Datosvalidos());
    EXPECT_EQ(guion.Mensajes(), QStringList{"Se debe informar el Campo: NOMBRE"});

    guion.Limpia();
    Campo("NOMBRE").setText("Nuevo");
    EXPECT_FALSE(F().Datosvalidos());
    EXPECT_EQ(guion.Mensajes(), QStringList{"Debe Informar el Motivo de Stock"});

    guion.Limpia();
    Campo("IdMotivoStock").setText("1");
    EXPECT_FALSE(F().Datosvalidos());
    EXPECT_EQ(guion.Mensajes(), QStringList{"Se debe informar el Campo: DepositoOrigen"});

    guion.Limpia();
    Campo("DepositoOrigen").setText("1");
    Campo("DepositoDestino").setText("ZZZZ");
    EXPECT_TRUE(F().Datosvalidos());
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_TRUE(Prueba(F()).EsNuevo());
}

TEST_F(ValidacionCabecera, UnErrorDeLaBaseSeInformaSinMensajeDeValidacion) {
    AD().EjecutaSQL("DROP TABLE V_TA_MotivoStock");
    Campo("IdMotivoStock").setText("1");
    F().CampoValida(Campo("IdMotivoStock"));
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_TRUE(guion.Registros()[0].titulo.endsWith("CAMPO_VALIDA"));
}

} // namespace

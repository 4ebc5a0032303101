// Services the editor's start-up and shutdown rely on: the user's deposit, the commit of what is
// left open and the voucher sign.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "ClsCmnCptes.h"
#include "Configuracion.h"
#include "Depositos.h"
#include "Globales.h"
#include "Registros.h"
#include "Transacciones.h"

#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class Servicios : public ConBaseDemo {
protected:
    void Ejecuta(const QString& sql) { AD().EjecutaSQL(sql); }
    QString Deposito(const QString& usuario = "DEMO") {
        QString motivo = "sin tocar";
        bool modifica = false;
        return ObtieneDepositosUsuario(usuario, false, motivo, modifica);
    }
    qint32 Transacciones() {
        Registros rs;
        AD().EjecutaSQL("SELECT @@TRANCOUNT", &rs);
        return rs.Fields(0).toInt();
    }
};

TEST_F(Servicios, DepositoDelUsuarioEntreLosDeSuUnidad) {
    // Demo: unit 1 without associated deposits, deposits 1..4, the user's is 1.
    EXPECT_EQ(Deposito(), "   1");
    // The distribution centre wins wherever it stands.
    AjustaConfiguracion("DEPOSITO_CENTRODISTRIBUCION", "3");
    EXPECT_EQ(Deposito(), "3");
    AjustaConfiguracion("DEPOSITO_CENTRODISTRIBUCION", "9"); // not among the unit's deposits
    EXPECT_EQ(Deposito(), "   1");
    QuitaConfiguracion("DEPOSITO_CENTRODISTRIBUCION");
    // The default deposit standing before the user's wins over it.
    Ejecuta("UPDATE TA_USUARIOS SET IDDEPOSITO = '   3'");
    AjustaConfiguracion("DEPOSITODEFAULT", "2");
    EXPECT_EQ(Deposito(), "2");
    // After it, the user's deposit ends the walk first.
    AjustaConfiguracion("DEPOSITODEFAULT", "4");
    EXPECT_EQ(Deposito(), "   3");
}

TEST_F(Servicios, DepositoSinFilaDelUsuarioNiDepositos) {
    AjustaConfiguracion("UNEGOCIO", "7");
    EXPECT_EQ(Deposito("NADIE"), "");
    // The unit from the setting, filled as stored codes are.
    AjustaConfiguracion("UNEGOCIO", "2");
    EXPECT_EQ(Deposito("NADIE"), "  10");
}

TEST_F(Servicios, DepositosAsociadosDeLaUnidad) {
    Ejecuta(
        "UPDATE V_TA_UnidadNegocio SET DEPOSITOSASOCIADOS = '   2', MODIFICADIFERENCIAS = 1 WHERE codigo = "
        "'   1'");
    QString motivo;
    bool modifica = true;
    EXPECT_EQ(ObtieneDepositosUsuario("DEMO", false, motivo, modifica), "   2");
    EXPECT_EQ(motivo, "   1");
    EXPECT_FALSE(modifica);
    EXPECT_EQ(ObtieneDepositosUsuario("DEMO", true, motivo, modifica), "   1"); // differences deposit
    Ejecuta("UPDATE V_TA_UnidadNegocio SET MODIFICADIFERENCIAS = NULL WHERE codigo = '   1'");
    modifica = false;
    ObtieneDepositosUsuario("DEMO", false, motivo, modifica);
    EXPECT_TRUE(modifica);
}

TEST_F(Servicios, UsuarioConApostrofeNoRompeLaConsulta) {
    // No user row: the unit from the setting; the walk ends on the last deposit and the
    // default met on the way replaces it.
    EXPECT_EQ(Deposito("O'Brien"), "1");
    QuitaConfiguracion("DEPOSITODEFAULT");
    EXPECT_EQ(Deposito("O'Brien"), "   4");
}

TEST_F(Servicios, ConfirmaCadaNivelAbierto) {
    ConfirmaTransacciones();
    EXPECT_EQ(Transacciones(), 0);
    Ejecuta("BEGIN TRANSACTION");
    Ejecuta("BEGIN TRANSACTION");
    Ejecuta("INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio) VALUES ('X', 'ANIDADA', "
            "'1', 0)");
    ASSERT_EQ(Transacciones(), 2);
    ConfirmaTransacciones();
    EXPECT_EQ(Transacciones(), 0);
    EXPECT_EQ(Cfg("ANIDADA"), "1");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Servicios, SignoDeStock) {
    ClsCmnCptes cls;
    EXPECT_EQ(cls.ObtieneSignoComprobante("IR"), 1);
    EXPECT_EQ(cls.ObtieneSignoComprobante("  TR"), -1); // ES decides
    EXPECT_EQ(cls.ObtieneSignoComprobante("FC"), -1);
    EXPECT_EQ(cls.ObtieneSignoComprobante("NC"), 1); // ES "E" wins over any list
    Ejecuta("UPDATE V_TA_CPTE SET ES = '' WHERE CODIGO IN ('  FC', '  NP', '  OC')");
    EXPECT_EQ(cls.ObtieneSignoComprobante("FC"), -1); // the exit list
    EXPECT_EQ(cls.ObtieneSignoComprobante(" FC"), 1); // a blank before: the lists do not match
    EXPECT_EQ(cls.ObtieneSignoComprobante("NP"), 1);  // in no list
    Ejecuta("UPDATE V_TA_CPTE SET ES = 'x' WHERE CODIGO = ' AJP'");
    EXPECT_EQ(cls.ObtieneSignoComprobante("ajp"), 1); // the entry list, any case
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    EXPECT_EQ(cls.SentenciaSignoComprobante(" tr "),
              "SELECT * FROM V_TA_CPTE  with(nolock)  WHERE CODIGO='  tr'");
}

TEST_F(Servicios, SignoDelLibroDeIva) {
    ClsCmnCptes cls;
    EXPECT_EQ(cls.ObtieneSignoComprobante("NC", true), -1); // Signo -1
    Ejecuta("UPDATE V_TA_CPTE SET Signo = 0 WHERE CODIGO = '  NC'");
    EXPECT_EQ(cls.ObtieneSignoComprobante("NC", true), 1); // 0 becomes +1
    Ejecuta("UPDATE V_TA_CPTE SET Signo = -1 WHERE CODIGO = '  FC'");
    EXPECT_EQ(cls.ObtieneSignoComprobante("FC", true), 1); // the list wins over the column
    Ejecuta("UPDATE V_TA_CPTE SET Signo = NULL WHERE CODIGO = '  NC'");
    EXPECT_EQ(cls.ObtieneSignoComprobante("NC", true), -1);
    // Without Signo: sales on credit and purchases on debit are negative.
    EXPECT_EQ(cls.ObtieneSignoComprobante("RM", true), 1); // VENTAS, D
    Ejecuta("UPDATE V_TA_CPTE SET SISTEMA = 'Ventas', DebeHaber = 'h' WHERE CODIGO = '  RM'");
    EXPECT_EQ(cls.ObtieneSignoComprobante("RM", true), -1);
    EXPECT_EQ(cls.ObtieneSignoComprobante("OC", true), 1); // Compras, H
    Ejecuta("UPDATE V_TA_CPTE SET DebeHaber = NULL WHERE CODIGO = '  OC'");
    EXPECT_EQ(cls.ObtieneSignoComprobante("OC", true), 1);
    // A debit note follows the supplier flag.
    Ejecuta("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, ES) VALUES ('  ND', 1, 'Nota de "
            "débito', 'VENTAS', 'E')");
    EXPECT_EQ(cls.ObtieneSignoComprobante("ND", true), 1);
    cls.DebitoProveedor = true;
    EXPECT_EQ(cls.ObtieneSignoComprobante("ND", true), -1);
    EXPECT_EQ(cls.ObtieneSignoComprobante("ND", false), 1); // ES first in stock mode
}

TEST_F(Servicios, TipoInexistenteAvisaUnaVezYDaCero) {
    ClsCmnCptes cls;
    EXPECT_EQ(cls.ObtieneSignoComprobante("QQ"), 0);
    EXPECT_EQ(cls.ObtieneSignoComprobante("QQ", true), 0);
    ASSERT_EQ(guion.Registros().size(), 2u);
    EXPECT_EQ(guion.Registros()[0].texto,
              "El Tipo de Comprobante informado no existe en la tabla de comprobantes");
    EXPECT_EQ(guion.Registros()[0].titulo, "Aviso al operador!!!");
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SoloAceptar | Estilo::Critico);
}

} // namespace

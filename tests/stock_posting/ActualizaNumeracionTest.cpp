// Validation of a voucher number against its range, and the range update of a saved voucher, on
// the demo database (ranges described in NumeracionTest.cpp).

#include "BaseNumeracion.h"
#include "Numeracion.h"
#include "Reloj.h"
#include "TandasSql.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

const QString kCierre =
    QStringLiteral("\r\rVerifique los datos desde la TABLA DE COMPROBANTES y vuelta a Intentarlo");

class Valida : public ConNumeracion {
protected:
    bool V(const QString& tc, const QString& suc, const QString& nro,
           const QString& letra = QStringLiteral("X"), const QString& fecha = {}) {
        mensaje = QStringLiteral("previo");
        letraFinal = letra;
        const bool r = ValidaNumeracion(tc, suc, nro, letraFinal, mensaje, fecha);
        return r;
    }
    QString mensaje, letraFinal;
};

TEST_F(Valida, SoloUnaDeLasLetras) {
    const QString aviso = " La letra Informada no es Valida, la misma debe ser A,B,C,E,R,X,M";
    for (const char* mala : {"Z", "B,C", ",", "AB", "*"}) {
        gTalonario = 7;
        EXPECT_FALSE(V("FC", "0001", "5", mala)) << mala;
        EXPECT_EQ(mensaje, aviso) << mala;
        EXPECT_EQ(gTalonario, 7) << mala;
    }
}

TEST_F(Valida, LetrasAceptadas) {
    // Each of the seven letters, either case, passes the letter check.
    for (const QChar c : QStringLiteral("ABCERXMabcerxm")) {
        V("FC", "0001", "5", c);
        EXPECT_FALSE(mensaje.contains("La letra Informada")) << c.toLatin1();
    }
    for (const char* buena : {"a", "B", " b "}) {
        EXPECT_TRUE(V("FC", "0001", "5", buena)) << buena;
        EXPECT_EQ(mensaje, "") << buena;
        EXPECT_EQ(gTalonario, 1);
    }
    EXPECT_TRUE(V("AJP", "1", "5", ""));
    EXPECT_EQ(letraFinal, "X");
}

TEST_F(Valida, ExternosYSinLimites) {
    EXPECT_TRUE(V("FCC", "0009", "123456789", "A")); // external numbering
    EXPECT_EQ(mensaje, "");
    // A range of bounds 0 that may be changed takes any number.
    Ejecuta("UPDATE V_TA_CPTE SET X_NRO_DESDE = 0, X_NRO_HASTA = 0, Modificanumeracion = 'SI' "
            "WHERE CODIGO = '  TK' AND TALONARIO = 2");
    gTalonario = 2;
    EXPECT_TRUE(V("TK", "0001", "5000"));
    EXPECT_TRUE(V("TK", "0001", "-3"));
    EXPECT_EQ(mensaje, "");
}

TEST_F(Valida, LimitesDelRango) {
    Ejecuta("UPDATE V_TA_CPTE SET X_NRO_DESDE = 100, X_NRO_HASTA = 1000 WHERE CODIGO = '  VJ'");
    gTalonario = 1;
    QString vacio;
    QString letra = "X";
    EXPECT_FALSE(ValidaNumeracion("VJ", "0001", "00001500", letra, vacio, ""));
    EXPECT_EQ(vacio,
              "\rEl Número de comprobante (1500) no respeta el parametro NRO HASTA del comprobante (1000) , "
              "Nro de Control: 1" +
                  kCierre);
    EXPECT_FALSE(V("VJ", "0001", "50"));
    EXPECT_EQ(mensaje,
              "previo\rEl Número de comprobante (50) no respeta el parametro NRO DESDE del comprobante "
              "(100) , Nro de Control: 1" +
                  kCierre);
    EXPECT_TRUE(V("VJ", "0001", "100"));
    EXPECT_TRUE(V("VJ", "1", "1000"));
    // Not positive: only the closing line.
    EXPECT_FALSE(V("VJ", "0001", "0"));
    EXPECT_EQ(mensaje, "previo" + kCierre);
    // No range row for the range found.
    gTalonario = 9;
    EXPECT_FALSE(V("ZZ", "0001", "5"));
    EXPECT_EQ(mensaje, "Debe configurar la numeracióN de Comprobantes");
}

TEST_F(Valida, VencimientoDelRango) {
    // Number 50 belongs to range 2 only, which expires on 30/06/2025.
    Ejecuta(
        "UPDATE V_TA_CPTE SET X_NRO_DESDE = 101, X_NRO_HASTA = 200 WHERE CODIGO = 'TKFC' AND TALONARIO <> 2");
    EXPECT_TRUE(V("TKFC", "0001", "50", "X", "30/06/2025"));
    EXPECT_EQ(gTalonario, 2);
    EXPECT_TRUE(V("TKFC", "0001", "50"));
    EXPECT_FALSE(V("TKFC", "0001", "50", "X", "01/07/2025"));
    EXPECT_EQ(
        mensaje,
        "El rango de numeracion del comprobante TKFC Control nro: 2 se encuenta vencida...! Debe dar de "
        "alta un nuevo talonario para el comprobante TKFC" +
            kCierre);
    // Of two ranges that hold the number, the later one.
    EXPECT_TRUE(V("TKFC", "0001", "150", "X", "01/07/2025"));
    EXPECT_EQ(gTalonario, 3);
}

class Actualiza : public ConNumeracion {
protected:
    QString Lote(const QString& tc, const QString& suc, const QString& nro, const QString& antes = {},
                 bool registra = false, bool sinRango = false,
                 const QString& sistema = QStringLiteral("VENTAS")) {
        QString sql = antes;
        QString letra = QStringLiteral("X");
        ActualizaNumeracion(tc, sistema, suc, nro, letra, true, sql, registra, sinRango);
        return sql;
    }
    static QString Control(const QString& tc, const QString& nro) {
        return " INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES ('" + tc + "','0001','" + nro +
               "','X')";
    }
};

TEST_F(Actualiza, TextoDelLote) {
    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 42 WHERE CODIGO = 'CBFP'");
    // A "Contable" type: the range moves to 43 and its own number 42 is registered.
    EXPECT_EQ(Lote("CBFP", "0001", "43", "previo"),
              " UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 43 WHERE CODIGO = 'CBFP' AND TALONARIO=1\r\n" +
                  Control("CBFP", "00000042") + "\r\n");
    // The range never moves back nor writes its next number again: only the register.
    EXPECT_EQ(Lote("CBFP", "0001", "42", "previo"), "previo\r\n" + Control("CBFP", "00000041") + "\r\n");
    EXPECT_EQ(Lote("CBFP", "0001", "00000043", "", false, true),
              "\r\n" + Control("CBFP", "00000042") + "\r\n");
    // Another branch writes nothing.
    EXPECT_EQ(Lote("CBFP", "0002", "43", "previo"), "previo");
    // A type outside the register, unless asked; OC always.
    EXPECT_EQ(Lote("VJ", "0001", "8"),
              " UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 8 WHERE CODIGO = '  VJ' AND TALONARIO=1");
    EXPECT_EQ(Lote("VJ", "1", "8", "", true),
              " UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 8 WHERE CODIGO = '  VJ' AND TALONARIO=1\r\n" +
                  Control("  VJ", "00000007") + "\r\n");
    EXPECT_EQ(Lote("OC", "0001", "2"), " UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 2 WHERE CODIGO = '  OC' AND "
                                       "TALONARIO=1\r\n" +
                                           Control("  OC", "00000001") + "\r\n");
}

TEST_F(Actualiza, ElLoteHaceLoQueDice) {
    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 42 WHERE CODIGO = 'CBFP'");
    const QString sql = Lote("CBFP", "0001", "43");
    bool hayError = false;
    qint32 numeroError = 0;
    QString lote, mensajes;
    GActualizarDatoScript(sql.split("\r\n", Qt::SkipEmptyParts), hayError, numeroError, false, false, lote,
                          mensajes, false);
    ASSERT_FALSE(hayError) << mensajes.toStdString();
    EXPECT_EQ(Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = 'CBFP'"), "43");
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM V_MV_CTROL_CPTE WHERE TC = 'CBFP' AND NUMERO = '00000042'"), "1");
    // The same number again is refused by the register's key, and nothing of it stays.
    GActualizarDatoScript(
        {"UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 99 WHERE CODIGO = 'CBFP'", Control("CBFP", "00000042")},
        hayError, numeroError, true, false, lote, mensajes, false);
    EXPECT_TRUE(hayError);
    EXPECT_EQ(numeroError, 2627);
    EXPECT_EQ(Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = 'CBFP'"), "43");
}

// A number to record that is no whole number from 1 to 100,000,000 moves and registers
// nothing, in either mode, and is told to the user.
TEST_F(Actualiza, UnNumeroQueNoEsEnteroPositivoNoMueveNiRegistraNada) {
    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 42 WHERE CODIGO = 'CBFP'");
    const QStringList malos = {"-5", "NaN", "1e308", "0", "43.5", "", "100000001", "999999999999999"};
    for (const QString& nro : malos) {
        EXPECT_EQ(Lote("CBFP", "0001", nro, "previo", true), "previo") << nro.toStdString();
        QString sql, letra = "X";
        ActualizaNumeracion("CBFP", "", "0001", nro, letra, false, sql, true, false);
    }
    EXPECT_EQ(Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = 'CBFP'"), "42");
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM V_MV_CTROL_CPTE WHERE TC = 'CBFP'"), "4");
    ASSERT_EQ(guion.Mensajes().size(), 2 * malos.size());
    EXPECT_TRUE(guion.Mensajes()[0].contains("El número a registrar del comprobante CBFP no es válido: -5"))
        << guion.Mensajes()[0].toStdString();
    // The last voucher number there is, 99,999,999, is recorded with 100,000,000 after it.
    guion.Limpia();
    Ejecuta("UPDATE V_TA_CPTE SET X_NRO_HASTA = 100000000 WHERE CODIGO = 'CBFP'");
    EXPECT_EQ(Lote("CBFP", "0001", "100000000", "", true),
              " UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 100000000 WHERE CODIGO = 'CBFP' AND TALONARIO=1\r\n" +
                  Control("CBFP", "99999999") + "\r\n");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Actualiza, DirectoMueveElRangoSinRegistrar) {
    EstableceReloj([] { return QDateTime(QDate(2026, 3, 4), QTime(15, 6, 59)); });
    QString sql = "previo";
    QString letra = "";
    ActualizaNumeracion("VJ", "", "0001", "11", letra, false, sql, true, true);
    EstableceReloj({});
    EXPECT_EQ(letra, "X");
    EXPECT_EQ(sql, "previo");
    EXPECT_EQ(
        Valor("SELECT X_ULTIMO_NRO || ' ' || FechaHora_Modificacion FROM V_TA_CPTE WHERE CODIGO = '  VJ'"),
        "11 2026-03-04 15:06:00");
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM V_MV_CTROL_CPTE WHERE TC = '  VJ'"), "0");
    letra = "X";
    ActualizaNumeracion("VJ", "", "0001", "5", letra, false, sql, false, false);
    EXPECT_EQ(Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '  VJ'"), "11");
}

TEST_F(Actualiza, SinRangoElTipoDelSistema) {
    // No range row: the voucher type of the subsystem, whose update still targets V_TA_CPTE.
    Ejecuta("DELETE FROM V_TA_CPTE WHERE CODIGO = '  VJ'");
    gTalonario = 1;
    EXPECT_EQ(Lote("VJ", "0001", "4", "", false, false, "VENTAS"),
              " UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 4 WHERE CODIGO = '  VJ' AND TALONARIO =1");
    QString sql, letra = "X";
    ActualizaNumeracion("VJ", "VENTAS", "0001", "9", letra, false, sql, false, false);
    EXPECT_EQ(Valor("SELECT X_ULTIMO_NRO FROM TA_Comprobantes WHERE CODIGO = '  VJ'"), "9");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    // Neither: the user is told, nothing is written.
    EXPECT_EQ(Lote("VJ", "0001", "4", "previo", false, false, "STOCK"), "previo");
    EXPECT_EQ(
        guion.Mensajes(),
        QStringList{"Error en grabación del Comprobante, no se ha encontrado el comprobante configurado"});
    // An externally numbered type writes nothing either.
    gTalonario = 9;
    EXPECT_EQ(Lote("FCC", "0001", "4", "previo", false, false, "STOCK"), "");
}

} // namespace

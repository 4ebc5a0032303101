// Entry look-ups, range choice and next numbers on the demo database.
//
// Demo numbering (branch / next number / bound per range and letter):
//   OT  1: A 1/120, B 1/30, C 1/12 (to 9999); 2: A 2/41, B 3/7; 3: A 2/60, B 2/8 (to 5000).
//   PR  1 and 2, both of business unit 2: X 3/500 and X 4/10 (to 999).
//   TK  1 of unit 2: X 1/5; 2 of every unit: X 1/70.
//   TKFC 1: X used up (100 of 100); 2: X 1/3, expires 30/06/2025; 3: X 1/20.
//   CBFP ("Contable"): X 1/5, entries for 5 and 7 (March 2025, numbers 16 and 17), numbers 1-4
//   registered. VJ: X 1/3, trips 3 and 9 stored. AJP, OC: X 1/0.
//   Users: DEMO (0001, X), VENDEDOR2 (0002, B), VENDEDOR0 (0000, A).

#include "Numeracion.h"
#include "BaseNumeracion.h"

#include "Asientos.h"
#include "Configuracion.h"
#include "ValoresConfiguracion.h"

#include <gtest/gtest.h>

namespace {

class Asientos : public ConNumeracion {};

TEST_F(Asientos, ExisteAsientoDaLaReferenciaDelPrimerRenglon) {
    QString ref = QStringLiteral("sin tocar");
    EXPECT_TRUE(ExisteAsiento("CBFP", "0001", "00000005", "X", ref, "", true));
    EXPECT_EQ(ref, "03 - 000016");
    EXPECT_TRUE(ExisteAsiento("cbfp", "0001", "00000007", "X", ref, "5.1.3.02", false));
    EXPECT_EQ(ref, "03 - 000017");
    ref = QStringLiteral("sin tocar");
    EXPECT_FALSE(ExisteAsiento("CBFP", "0001", "00000007", "X", ref, "5.1.3.01", true));
    EXPECT_FALSE(ExisteAsiento("CBFP", "0001", "00000006", "X", ref, "", true));
    // A purchase order never has an entry, whatever the table holds.
    Ejecuta("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, Mes_Operativo, [Numero Asiento]) "
            "VALUES ('  OC', '0001', '00000001', 'X', 1, 1)");
    EXPECT_FALSE(ExisteAsiento("oc", "0001", "00000001", "X", ref, "", true));
    EXPECT_EQ(ref, "sin tocar");
    // An account with an apostrophe is a value, not SQL.
    EXPECT_FALSE(ExisteAsiento("CBFP", "0001", "00000005", "X", ref, "5' OR '1'='1", true));
}

TEST_F(Asientos, TipoDeRegistroDelComprobante) {
    EXPECT_EQ(ObtieneTipoRegCont("IR"), "STK");
    EXPECT_EQ(ObtieneTipoRegCont(" AJN "), "STK");
    EXPECT_EQ(ObtieneTipoRegCont("CBFP"), "    "); // its subdiary is unknown
    EXPECT_EQ(ObtieneTipoRegCont("ZZ"), "    ");   // no subdiary at all
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    // A null subdiary is an error for the user; leaving gives the empty text.
    Ejecuta("INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, Subdiario) VALUES ('  ZN', NULL)");
    guion.AgregaRespuesta(Respuesta::Abortar);
    EXPECT_EQ(ObtieneTipoRegCont("ZN"), "");
    EXPECT_EQ(guion.Mensajes().size(), 1);
}

TEST_F(Asientos, NumeroDeAsientoPasaLosDeCentrosDeCosto) {
    // 17 is the highest of March; 18 is a cost-centre number there, whose highest is 25.
    EXPECT_EQ(ObtieneNroAsiento(3, "2025", "STK"), 26);
    EXPECT_EQ(ObtieneNroAsiento(3, "  2025", " STK "), 26);
    EXPECT_EQ(ObtieneNroAsiento(4, "2025", "STK"), 1);
    EXPECT_EQ(ObtieneNroAsiento(3, "2024", "STK"), 1);
    Ejecuta("DELETE FROM MV_ASIENTOSCCOSTO WHERE [NUMERO ASIENTO] = 18");
    EXPECT_EQ(ObtieneNroAsiento(3, "2025", "STK"), 18);
    // An empty type counts the empty type and the marked one.
    Ejecuta(
        QStringLiteral("INSERT INTO MV_ASIENTOS (Mes_Operativo, [Numero Asiento], PERIODO, Tipo_Reg) VALUES "
                       "(5, 4, 2025, '") +
        QChar(0xFF) + "RS'), (5, 2, 2025, ''), (5, 9, 2025, 'STK')");
    EXPECT_EQ(ObtieneNroAsiento(5, "2025", ""), 5);
    EXPECT_EQ(ObtieneNroAsiento(5, "2025", "STK"), 10);
}

TEST_F(Asientos, NumeroDeAsientoMasAllaDe32BitsEsUnErrorDicho) {
    // The last entry number there is: the next one is an error told to the user, never a number
    // that wraps to a negative one; leaving gives 0, which makes no entry.
    Ejecuta("INSERT INTO MV_ASIENTOS (Mes_Operativo, [Numero Asiento], PERIODO, Tipo_Reg) VALUES "
            "(6, 2147483646, 2025, 'STK')");
    EXPECT_EQ(ObtieneNroAsiento(6, "2025", "STK"), 2147483647);
    Ejecuta("INSERT INTO MV_ASIENTOS (Mes_Operativo, [Numero Asiento], PERIODO, Tipo_Reg) VALUES "
            "(6, 2147483647, 2025, 'STK')");
    for (const int respuesta : {Respuesta::Abortar, Respuesta::Ignorar}) {
        guion.Limpia();
        guion.AgregaRespuesta(respuesta);
        EXPECT_EQ(ObtieneNroAsiento(6, "2025", "STK"), 0);
        ASSERT_EQ(guion.Mensajes().size(), 1);
        EXPECT_TRUE(guion.Mensajes()[0].contains("el número de asiento pasaría de 2147483647"))
            << guion.Mensajes()[0].toStdString();
    }
    // The same past the cost-centre entries.
    Ejecuta("INSERT INTO MV_ASIENTOSCCOSTO (MES_OPERATIVO, TIPO_REG, PERIODO, [NUMERO ASIENTO]) VALUES "
            "(7, 'STK', 2025, 1), (7, 'STK', 2025, 2147483647)");
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Ignorar);
    EXPECT_EQ(ObtieneNroAsiento(7, "2025", "STK"), 0);
    EXPECT_EQ(guion.Mensajes().size(), 1);
}

TEST(Letra, DeLasCondicionesDeIva) {
    EXPECT_EQ(ObtieneLetra("2", "1"), "C");
    EXPECT_EQ(ObtieneLetra("", "1"), "C");
    EXPECT_EQ(ObtieneLetra("1", "1"), "A");
    EXPECT_EQ(ObtieneLetra("1", "2"), "A");
    EXPECT_EQ(ObtieneLetra("1", "3"), "B");
    EXPECT_EQ(ObtieneLetra("1", ""), "A");
    EXPECT_EQ(ObtieneLetra("1 Responsable", "4 Consumidor final"), "B");
}

QString Agotados(const QString& tc) {
    return "Todos los talonarios del comprobante " + tc +
           " se encuentran utilizados, debe dar de alta un nuevo talonario para el comprobante " + tc;
}

class Rango : public ConNumeracion {
protected:
    struct Resultado {
        QString sucursal, numero, letra, hasta;
        bool modifica = true;
        qint16 talonario = 0;
    };
    Resultado Elige(const QString& tc, const QString& sucursal, const QString& letra,
                    const QString& fecha = {}, const QString& unidad = QStringLiteral("   1")) {
        Resultado r{sucursal, QStringLiteral("como vino"), letra, {}};
        gTalonario = -1;
        Obtener_Nro_Comprobante_Contable(tc, r.sucursal, r.numero, r.letra, r.modifica, fecha, unidad,
                                         r.hasta);
        r.talonario = gTalonario;
        return r;
    }
};

TEST_F(Rango, SucursalYLetraDelUsuario) {
    // The user's branch 2 and letter B: the ranges of A_SUC_DEFAULT 2, skipping range 2 whose B is
    // of branch 3.
    gUsuarioLogeado = "vendedor2";
    Resultado r = Elige("OT", "", "");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "000200000008B");
    EXPECT_EQ(r.talonario, 3);
    EXPECT_EQ(r.hasta, "00005000");
    EXPECT_FALSE(r.modifica);
    // A given branch keeps the user out.
    r = Elige("OT", "1", "");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "1como vinoX"); // X of no range: used up
    EXPECT_EQ(guion.Mensajes(), QStringList{Agotados("OT")});
    // A user whose branch is 0000 gives neither branch nor letter.
    guion.Limpia();
    gUsuarioLogeado = "VENDEDOR0";
    r = Elige("OT", "", "B");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "000100000030B");
    EXPECT_EQ(r.talonario, 1);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Rango, FiltrosDeSucursalYLetra) {
    // Both asked: only the branch filter; no range has A_SUC_DEFAULT 3, so none is applied, and
    // the branch check of OT finds B of branch 3 in range 2.
    Resultado r = Elige("OT", "*0003", "*B");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "000300000007B");
    EXPECT_EQ(r.talonario, 2);
    // The letter filter alone.
    r = Elige("PR", "", "*X", {}, "   2");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "000300000500X");
    // The branch filter alone (on A_SUC_DEFAULT) for a type outside the branch check.
    r = Elige("TK", "*0001", "");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "000100000070X");
}

TEST_F(Rango, LetraQueElRangoNoSirve) {
    Resultado r = Elige("FC", "0001", "C");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "000100000001A");
    EXPECT_TRUE(r.modifica == false);
    // A work order keeps its letter and reads its columns.
    r = Elige("OT", "0001", "C");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "000100000012C");
    // A letter in lower case and with blanks is the same letter.
    r = Elige("OT", "0001", " b ");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "000100000030b");
}

TEST_F(Rango, UnidadDeNegocioConSuReserva) {
    EXPECT_EQ(Elige("TK", "", "", {}, "   1").numero, "00000070");
    EXPECT_EQ(Elige("TK", "", "", {}, "   2").numero, "00000005");
    EXPECT_EQ(Elige("TK", "", "", {}, "").numero, "00000005");
    // Quotes have ranges of unit 2 only: another unit falls back to all of them.
    Resultado r = Elige("PR", "", "", {}, "1");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "000300000500X");
    r = Elige("PR", "0004", "", {}, "   2");
    EXPECT_EQ(r.sucursal + r.numero + r.letra, "000400000010X");
    EXPECT_EQ(r.talonario, 2);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Rango, AgotadosYVencidos) {
    Resultado r = Elige("TKFC", "", "");
    EXPECT_EQ(r.numero, "00000003");
    EXPECT_EQ(r.talonario, 2);
    EXPECT_EQ(Elige("TKFC", "", "", "30/06/2025").talonario, 2); // expires that day
    EXPECT_EQ(Elige("TKFC", "", "", "01/07/2025").numero, "00000020");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
    // Range 1 used up, 2 expired, 3 used up: the user is told; the number stays as it came.
    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 100 WHERE CODIGO = 'TKFC' AND TALONARIO = 3");
    r = Elige("TKFC", "", "", "01/07/2025");
    EXPECT_EQ(r.numero, "como vino");
    EXPECT_EQ(r.talonario, -1);
    EXPECT_EQ(guion.Mensajes(), QStringList{Agotados("TKFC")});
    // Expired only: no message.
    guion.Limpia();
    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 5 WHERE CODIGO = 'TKFC' AND TALONARIO = 1");
    Ejecuta("UPDATE V_TA_CPTE SET VenceX = '2025-01-31 00:00:00' WHERE CODIGO = 'TKFC' AND TALONARIO = 1");
    Ejecuta("DELETE FROM V_TA_CPTE WHERE CODIGO = 'TKFC' AND TALONARIO = 3");
    EXPECT_EQ(Elige("TKFC", "", "", "01/07/2025").numero, "como vino");
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Rango, TipoSinRangos) {
    gTalonario = 4;
    QString suc = "", nro = "", letra = "A", hasta = "h";
    bool modifica = true;
    Obtener_Nro_Comprobante_Contable("ZZ", suc, nro, letra, modifica, "", "   1", hasta);
    EXPECT_EQ(suc + "|" + nro + "|" + letra + "|" + hasta, "1|1|X|h");
    EXPECT_EQ(gTalonario, 4);
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

class Siguiente : public ConNumeracion {
protected:
    QString Numero(const QString& tc, const QString& sucursal, const QString& letra, bool verifica = true) {
        QString suc = sucursal, nro, l = letra;
        bool modifica = false;
        Obtener_Nro_Comprobante(tc, suc, nro, l, modifica, verifica, "", gUnidadNegocio, false);
        return suc + nro + l;
    }
    static void Stock(const QString& tc, const QString& identidad) {
        Ejecuta("INSERT INTO V_MV_STOCK (TC, IdComprobante) VALUES ('" + tc + "', '" + identidad + "')");
    }
};

TEST_F(Siguiente, TipoVacioNoTocaNada) {
    QString suc = "s", nro = "n", letra = "l";
    bool modifica = false;
    Obtener_Nro_Comprobante("", suc, nro, letra, modifica, true, "", "", false);
    EXPECT_EQ(suc + nro + letra, "snl");
}

TEST_F(Siguiente, PasaElMayorGuardadoDeLaSerie) {
    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 5 WHERE CODIGO = ' AJP'");
    EXPECT_EQ(Numero("AJP", "", ""), "000100000005X");
    Stock(" AJP", "000100000012X");
    Stock(" AJP", "000200000030X");                    // another branch
    Stock(" AJP", "000100000040A");                    // another letter
    Stock(" AJN", "000100000050X");                    // another type
    EXPECT_EQ(Numero("AJP", "", ""), "000100000005X"); // 5 itself is free
    Stock(" AJP", "000100000005X");
    EXPECT_EQ(Numero("ajp", "", ""), "000100000013X");
    EXPECT_EQ(Numero("AJP", "", "", false), "000100000005X");
    // Trips: 3 is stored, the highest is 9.
    EXPECT_EQ(Numero("VJ", "", ""), "000100000010X");
}

TEST_F(Siguiente, PasaLosAsientosYLasOrdenesDeCompra) {
    // 5 has an entry; the entries' highest is 7.
    EXPECT_EQ(Numero("CBFP", "", ""), "000100000008X");
    Ejecuta("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('CBFP', '000100000008X')");
    EXPECT_EQ(Numero("CBFP", "", ""), "000100000008X"); // equal is not enough
    Ejecuta("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('CBFP', '000100000009X')");
    EXPECT_EQ(Numero("CBFP", "", ""), "000100000010X");
    // A stored purchase order: past the highest below 99999999.
    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 4 WHERE CODIGO = '  OC'");
    EXPECT_EQ(Numero("OC", "", ""), "000100000004X");
    Ejecuta("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, SUCURSAL, NUMERO, LETRA) VALUES "
            "('  OC', '000100000004X', '0001', '00000004', 'X'), ('  OC', '000100000011X', '0001', "
            "'00000011', 'X'), "
            "('  OC', '000199999999X', '0001', '99999999', 'X'), ('  OC', '000200000070X', '0002', "
            "'00000070', 'X')");
    EXPECT_EQ(Numero("OC", "", ""), "000100000012X");
}

TEST_F(Siguiente, OtroTipoLiberaElRegistroDeSuNumero) {
    Ejecuta("INSERT INTO V_MV_CTROL_CPTE VALUES ('  OT', '0001', '00000030', 'B'), ('  OT', '0001', "
            "'00000031', 'B')");
    EXPECT_EQ(Numero("OT", "0001", "B"), "000100000030B");
    EXPECT_EQ(Columna("SELECT NUMERO FROM V_MV_CTROL_CPTE WHERE TC = '  OT'"), QStringList{"00000031"});
    // A number whose voucher is stored (another station saved it after this one drew it) stays
    // registered, so that the register refuses the second save of the number.
    Ejecuta("INSERT INTO V_MV_CTROL_CPTE VALUES ('  TR', '0001', '00000001', 'X')");
    Stock("  TR", "000100000001X");
    EXPECT_EQ(Numero("TR", "", ""), "000100000001X");
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM V_MV_CTROL_CPTE WHERE TC = '  TR'"), "1");
    Ejecuta("DELETE FROM V_MV_STOCK WHERE TC = '  TR'");
    Ejecuta("INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE) VALUES ('  TR', '000100000001X')");
    EXPECT_EQ(Numero("TR", "", ""), "000100000001X");
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM V_MV_CTROL_CPTE WHERE TC = '  TR'"), "1");
    Ejecuta("DELETE FROM C_MV_CPTE WHERE TC = '  TR'");
    EXPECT_EQ(Numero("TR", "", ""), "000100000001X");
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM V_MV_CTROL_CPTE WHERE TC = '  TR'"), "0");
    // Types that keep their number leave the register alone.
    EXPECT_EQ(Numero("CBFP", "", "", false), "000100000005X");
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM V_MV_CTROL_CPTE WHERE TC = 'CBFP'"), "4");
}

TEST_F(Siguiente, AliasDeNumeracion) {
    Ejecuta("INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor) VALUES ('NUMERACION', 'NUM_FC', ' TKFC ')");
    EXPECT_EQ(ObtieneTcNumeracion("FC"), "TKFC");
    EXPECT_EQ(ObtieneTcNumeracion("RM"), "RM");
    // TKFC's ranges; the checks are still those of FC: an entry of FC 3 moves it past FC's.
    EXPECT_EQ(Numero("FC", "", ""), "000100000003X");
    Ejecuta("INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA) VALUES ('  FC', '0001', '00000003', 'X'), "
            "('  FC', '0001', '00000006', 'X'), ('TKFC', '0001', '00000090', 'X')");
    EXPECT_EQ(Numero("FC", "", ""), "000100000007X");
    // Without the alias, FC's own ranges.
    QString suc = "0001", nro, letra = "B";
    bool modifica = false;
    Obtener_Nro_Comprobante("FC", suc, nro, letra, modifica, false, "", gUnidadNegocio, true);
    EXPECT_EQ(suc + nro + letra, "000100000001B");
}

TEST_F(Siguiente, IdentidadDeTreceCaracteresOSinIdentidad) {
    // Without ranges or with a stored number: always 4 + 8 + 1.
    Stock("  PE", "000100000001X");
    Stock("  PE", "000100000006X");
    for (const char* tc : {"ZZ", "PE", "AJP", "OC", "VJ", "CBFP", "TK", "FC", "RM"}) {
        const QString id = AsignarNumeroComprobante(tc, "0001", "X");
        EXPECT_EQ(id.size(), 13) << tc << " " << id.toStdString();
        bool ok = false;
        id.left(12).toLongLong(&ok);
        EXPECT_TRUE(ok) << tc << " " << id.toStdString();
    }
    EXPECT_EQ(AsignarNumeroComprobante("ZZ", "1", "X"), "000100000001X");
    // A stored stock voucher: the highest stored number plus 1, as it stands.
    EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "000100000007X");
    EXPECT_EQ(AsignarNumeroComprobante("AJP", "0001", "X"), "000100000001X");
    EXPECT_TRUE(guion.Mensajes().isEmpty());

    // Every range used up (TKFC; OT keeps its letter X, which no range serves), or none of the
    // branch (PR): no identity at all, never voucher 0; a used-up type is told to the user.
    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 100 WHERE CODIGO = 'TKFC'");
    for (const char* tc : {"TKFC", "OT", "PR"})
        EXPECT_EQ(AsignarNumeroComprobante(tc, "0001", "X"), "") << tc;
    EXPECT_EQ(guion.Mensajes(), (QStringList{Agotados("TKFC"), Agotados("OT")}));
    guion.Limpia();
    QString suc, nro = "00000005", letra;
    bool modifica = false;
    Obtener_Nro_Comprobante("TKFC", suc, nro, letra, modifica, false, "", gUnidadNegocio, false);
    EXPECT_EQ(nro, "");
    EXPECT_EQ(guion.Mensajes(), QStringList{Agotados("TKFC")});
    guion.Limpia();

    // Past 99,999,999 is used up too: a stored series at the top, a range whose bound is higher.
    Stock("  PE", "000199999999X");
    EXPECT_EQ(AsignarNumeroComprobante("PE", "0001", "X"), "");
    Ejecuta("UPDATE V_TA_CPTE SET X_ULTIMO_NRO = 100000000, X_NRO_HASTA = 999999999 WHERE CODIGO = ' AJP'");
    EXPECT_EQ(AsignarNumeroComprobante("AJP", "0001", "X"), "");
    EXPECT_EQ(guion.Mensajes(), (QStringList{Agotados("PE"), Agotados("AJP")}));
}

} // namespace

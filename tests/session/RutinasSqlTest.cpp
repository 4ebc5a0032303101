// The record and SQL text routines on the demo database: the statements by type code, the
// caller's set left open, the condition lists, the Oracle rewrite and the list search.

#include "RutinasSql.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Registros.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

class RutinasSql : public ConBaseDemo {};

TEST_F(RutinasSql, SentenciasPorCodigoDeTipo) {
    EXPECT_EQ(SentenciaAbreRecordset("TA_Usuarios", "DEMO", "Nombre", 8, ""),
              "SELECT * FROM TA_Usuarios  with(nolock)  WHERE LTRIM(RTRIM(Nombre)) ='DEMO'");
    // The text "8" is the same code; an apostrophe never ends the literal.
    EXPECT_EQ(SentenciaAbreRecordset("T", "O'Hara", "C", QString("8"), ""),
              "SELECT * FROM T  with(nolock)  WHERE LTRIM(RTRIM(C)) ='O''Hara'");
    // A number key is the number its text reads as, never the text.
    EXPECT_EQ(SentenciaAbreRecordset("T", " 1 2 ", "C", 7, ""),
              "SELECT * FROM T  with(nolock)  WHERE C = 12 ");
    EXPECT_EQ(SentenciaAbreRecordset("T", "  ", "C", 7, ""), "SELECT * FROM T  with(nolock)  WHERE C = 0 ");
    EXPECT_THROW(SentenciaAbreRecordset("T", "1 OR 1=1", "C", 7, ""), ErrorSistema);
    for (int codigo : {3, 4, 5})
        EXPECT_EQ(SentenciaAbreRecordset("T", " 12.5abc", "C", codigo, ""),
                  "SELECT * FROM T  with(nolock)  WHERE C = 12.5");
    EXPECT_EQ(SentenciaAbreRecordset("T", "x", "C", 3, ""), "SELECT * FROM T  with(nolock)  WHERE C = 0");
    EXPECT_EQ(SentenciaAbreRecordset("T", "ID + 1", "C", 2, ""),
              "SELECT * FROM T  with(nolock)  WHERE C = ID + 1");
    // A condition replaces table column and value; " WHERE " needs a blank on each side.
    EXPECT_EQ(SentenciaAbreRecordset("T", "v", "C", 8, "A = 1"),
              "SELECT * FROM T with(nolock)   WHERE A = 1");
    EXPECT_EQ(SentenciaAbreRecordset("T", "v", "C", {}, "x where A = 1"),
              "SELECT * FROM T with(nolock)   x where A = 1");
    EXPECT_EQ(SentenciaAbreRecordset("T", "v", "C", {}, "WHERE A = 1"),
              "SELECT * FROM T with(nolock)   WHERE WHERE A = 1");
    EXPECT_THROW(SentenciaAbreRecordset("T", "v", "C", {}, ""), ErrorSistema);
    EXPECT_THROW(SentenciaAbreRecordset("T", "v", "C", QString("x"), ""), ErrorSistema);
}

TEST_F(RutinasSql, AbreRecordsetEnLaBaseDemo) {
    EXPECT_TRUE(AbreRecordset("TA_Usuarios", "DEMO", "Nombre", nullptr, 8));
    EXPECT_FALSE(AbreRecordset("TA_Usuarios", "NADIE", "Nombre", nullptr, 8));
    EXPECT_FALSE(AbreRecordset("TA_Usuarios", "O'Hara", "Nombre", nullptr, 8));
    EXPECT_TRUE(guion.Mensajes().isEmpty());

    // The caller's set stays open on the first row; an open set is closed and reopened.
    Registros rs;
    AD().ObtieneRecordset("SELECT * FROM TA_USUARIOS WHERE Nombre = 'VENDEDOR0'", rs);
    ASSERT_TRUE(AbreRecordset("TA_Usuarios", "VENDEDOR2", "Nombre", &rs, 8, "", true));
    EXPECT_EQ(rs.State(), 1);
    EXPECT_EQ(rs.Fields("Nombre").toString(), "VENDEDOR2");
    EXPECT_EQ(rs.Fields("IDDEPOSITO").toString(), "   2");
    rs.Close();
    // The flag False keeps the set's own types: an editable set can be written.
    rs.setCursorType(TipoCursor::Dinamico);
    rs.setLockType(TipoBloqueo::Optimista);
    ASSERT_TRUE(AbreRecordset("TA_USUARIOS", "", "", &rs, {}, "Nombre = 'VENDEDOR0'", false));
    rs.AsignaCampo("NombreCompleto", "Otro nombre");
    rs.Update();
    rs.Close();
    EXPECT_EQ(AD().ObtieneValorTabla("TA_USUARIOS", "VENDEDOR0", "NombreCompleto", "Nombre").toString(),
              "Otro nombre");
}

TEST_F(RutinasSql, AbreRecordsetPreguntaAnteCadaFallo) {
    // Abort leaves with no row.
    guion.AgregaRespuesta(Respuesta::Abortar);
    EXPECT_FALSE(AbreRecordset("TA_Usuarios", "DEMO", "Nombre"));
    ASSERT_EQ(guion.Registros().size(), 1U);
    EXPECT_EQ(guion.Registros()[0].titulo, "Aviso al Operador");
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::AbortarReintentarIgnorar | Estilo::Critico);
    // A missing table: Ignore goes on with the next step, each failing one asks again.
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Ignorar);
    guion.AgregaRespuesta(Respuesta::Ignorar);
    guion.AgregaRespuesta(Respuesta::Ignorar);
    EXPECT_FALSE(AbreRecordset("NO_EXISTE", "1", "ID", nullptr, 8));
    EXPECT_GE(guion.Mensajes().size(), 1);
}

TEST_F(RutinasSql, ArmaWhereSusCasos) {
    const QStringList dos{"1", "2"};
    EXPECT_EQ(ArmaWhere("C", "=", dos, " OR ", "'", false, false), "C='1' OR C='2'");
    EXPECT_EQ(ArmaWhere("C", "=", {}, " OR ", "'", false, false), "1=1");
    EXPECT_EQ(ArmaWhere("C", "=", {"1"}, " OR ", "'", true, false), "C='1' OR C is null ");
    EXPECT_EQ(ArmaWhere("C", "=", {"1"}, " OR ", "'", QString("abc"), false), "1=1");
    EXPECT_EQ(ArmaWhere("C", "=", {"1"}, " OR ", "", QString("-1"), false), "C=1 OR C is null ");
    // Blank elements are skipped, element 0 never.
    EXPECT_EQ(ArmaWhere("C", "<>", {" ", "a", "  ", "b"}, " AND ", "'", {}, true),
              "C<>' ' AND C<>'a' AND C<>'b'");
    EXPECT_EQ(ArmaWhere("C", "=", {"", "x"}, ",", "'", false, false), "C='',C='x'");
    EXPECT_EQ(ArmaWhere("C", "=", {"L'1"}, " OR ", "'", false, false), "C='L''1'");
}

TEST_F(RutinasSql, ArmaWhereCorreEnLaBase) {
    Registros rs;
    AD().ObtieneRecordset(
        "SELECT COUNT(*) FROM TA_USUARIOS WHERE " +
            ArmaWhere("Nombre", " = ", {"DEMO", "", "VENDEDOR2", "O'X"}, " OR ", "'", false, true),
        rs);
    EXPECT_EQ(rs.Fields(0).toInt(), 2);
}

TEST_F(RutinasSql, AdaptaSQLMotor) {
    const QString top = "SELECT top 10 * FROM MA_ARTICULOS";
    // SQL Server and the embedded database: unchanged.
    for (const QString& s : {top, QString("len"), QString("a b c")}) {
        EXPECT_EQ(AdaptaSQLMotor(s), s);
        EXPECT_EQ(AdaptaSQLMotor(s, "Provider=SQLOLEDB;Data Source=x"), s);
    }
    const QString oracle = "Provider=OraOLEDB.Oracle.1;Data Source=x";
    EXPECT_EQ(AdaptaSQLMotor("len", oracle), "LENGTH");
    EXPECT_EQ(AdaptaSQLMotor("Len", oracle), "LENGTH");
    EXPECT_EQ(AdaptaSQLMotor(" len ", oracle), " len "); // the whole text is compared
    EXPECT_EQ(AdaptaSQLMotor("ltrim", oracle), "ltrim");
    EXPECT_EQ(AdaptaSQLMotor("SELECT * FROM T", oracle), "SELECT * FROM T");
    EXPECT_EQ(AdaptaSQLMotor(top, oracle), "SELECT  *  FROM MA_ARTICULOS WHERE ROWNUM <=  10 ");
    EXPECT_EQ(AdaptaSQLMotor("select TOP 3 * from T where A=1", oracle),
              "select  *  from T where A=1 WHERE ROWNUM <=  3 ");
    EXPECT_THROW(AdaptaSQLMotor("SELECT top 5 ID FROM T", oracle), ErrorSistema);
}

TEST_F(RutinasSql, BuscaEnArray) {
    const QStringList lista{"a", "b", "c", "LOTE", "d"};
    EXPECT_EQ(BuscaEnArray(lista, "lote", 0), 3);
    EXPECT_EQ(BuscaEnArray(lista, "lote", 3), 3);
    EXPECT_EQ(BuscaEnArray(lista, "lote", 4), -1);
    EXPECT_EQ(BuscaEnArray(lista, "a", 9), -1);
    EXPECT_EQ(BuscaEnArray({}, "a", 0), -1);
    EXPECT_EQ(BuscaEnArray({"x", "X"}, "x", 1), 1);
    EXPECT_THROW(BuscaEnArray(lista, "a", -1), ErrorSistema);
}

} // namespace

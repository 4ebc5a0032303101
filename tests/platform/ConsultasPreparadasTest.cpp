// Queries asked again with other compared values run one prepared statement with the values bound:
// which literals become parameters, and that the answers stay those of the query as written.

#include "AccesoDatos.h"
#include "AccesoDatosInterno.h"
#include "BaseEmbebida.h"
#include "Comun.h"
#include "Registros.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ad::ParametrizaConsulta;

TEST(ParametrizaConsulta, OnlyComparedValuesAfterTheQuerysOwnFrom) {
    auto p = ParametrizaConsulta(QStringLiteral("SELECT 'x' AS a, CASE WHEN 1 = 1 THEN 'y' END FROM t WHERE "
                                                "b = 'z' AND c>=2.5 AND d<>7 AND e != 'O''K'"));
    ASSERT_TRUE(p);
    EXPECT_EQ(
        p->texto,
        QStringLiteral(
            "SELECT 'x' AS a, CASE WHEN 1 = 1 THEN 'y' END FROM t WHERE b = ? AND c>=? AND d<>? AND e != ?"));
    ASSERT_EQ(p->valores.size(), 4u);
    EXPECT_EQ(p->valores[0], QVariant(QStringLiteral("z")));
    EXPECT_EQ(p->valores[1].typeId(), QMetaType::Double);
    EXPECT_EQ(p->valores[1].toDouble(), 2.5);
    EXPECT_EQ(p->valores[2].typeId(), QMetaType::LongLong);
    EXPECT_EQ(p->valores[2].toLongLong(), 7);
    EXPECT_EQ(p->valores[3], QVariant(QStringLiteral("O'K")));

    // Joins and subqueries of the condition take part; positions, limits, lists and patterns do not.
    p = ParametrizaConsulta(
        QStringLiteral("SELECT a.x FROM a JOIN b ON b.k = a.k AND b.t = 'u' WHERE a.k IN "
                       "(SELECT k FROM c WHERE c.n = 5) AND a.y IN ('p', 'q') AND a.z LIKE "
                       "'r%' AND a.w BETWEEN 1 AND 2 AND a.v = -1 ORDER BY 1 LIMIT 1"));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->texto, QStringLiteral("SELECT a.x FROM a JOIN b ON b.k = a.k AND b.t = ? WHERE a.k IN "
                                       "(SELECT k FROM c WHERE c.n = ?) AND a.y IN ('p', 'q') AND a.z LIKE "
                                       "'r%' AND a.w BETWEEN 1 AND 2 AND a.v = -1 ORDER BY 1 LIMIT 1"));
    EXPECT_EQ(p->valores.size(), 2u);
}

TEST(ParametrizaConsulta, LeavesAloneWhatItCannotReadSafely) {
    for (const char* sql : {
             "SELECT (SELECT MAX(x) FROM t WHERE a = 'k') FROM u", // the column's name holds the value
             "SELECT * FROM t",                                    // nothing to bind
             "UPDATE t SET a = 'x' WHERE b = 'y'",                 // not a query
             "SELECT * FROM t WHERE a = 'x' -- note",              // comments
             "SELECT * FROM t WHERE a = 'x'; DELETE FROM t",       // two statements
             "SELECT * FROM t WHERE a = ?",                        // parameters of its own
             "SELECT * FROM t WHERE a = 'x''",                     // a literal never closed
             "SELECT * FROM t WHERE a = 1e5",                      // exponents
             "SELECT * FROM t WHERE a = 12345678901234567890",     // beyond 64 bits
         })
        EXPECT_FALSE(ParametrizaConsulta(QString::fromUtf8(sql))) << sql;
}

class ConsultasPreparadas : public ConGuion {
protected:
    void SetUp() override {
        ConGuion::SetUp();
        ASSERT_TRUE(dir.isValid());
        ruta = dir.filePath(QStringLiteral("prueba.db"));
        BaseEmbebida::Crea(
            ruta,
            {QStringLiteral("CREATE TABLE ART (Codigo VARCHAR(25) COLLATE TEXTO PRIMARY KEY, Nombre TEXT, "
                            "Precio REAL, Grupo INTEGER);\n"
                            "CREATE VIEW V_ART AS SELECT Codigo, Nombre, Precio, Grupo FROM ART;\n"
                            "INSERT INTO ART VALUES ('   1', 'uno', 1.5, 10), ('A-2', 'dos', 2, 20), "
                            "('B-3', 'tres', 3, 20);\n")});
        ad.AsignaServidor(QStringLiteral("SQLite"));
        ad.AsignaBaseDatos(ruta);
        ad.Conecta();
    }
    QStringList Nombres(const QString& sql) {
        Registros rs;
        ad.ObtieneRecordset(sql, rs);
        QStringList r;
        for (; !rs.Eof(); rs.MoveNext())
            r << rs.Fields(QStringLiteral("Nombre")).toString();
        return r;
    }

    QTemporaryDir dir;
    QString ruta;
    AccesoDatos ad;
};

TEST_F(ConsultasPreparadas, EachCallAnswersForItsOwnValues) {
    const QString forma = QStringLiteral("SELECT Nombre FROM V_ART WHERE Codigo = '%1'");
    EXPECT_EQ(Nombres(forma.arg(QStringLiteral("A-2"))), QStringList{"dos"});
    EXPECT_EQ(Nombres(forma.arg(QStringLiteral("B-3"))), QStringList{"tres"});
    EXPECT_EQ(Nombres(forma.arg(QStringLiteral("nada"))), QStringList{});
    // The column's collation still holds for a bound value: case and trailing blanks ignored.
    EXPECT_EQ(Nombres(forma.arg(QStringLiteral("a-2  "))), QStringList{"dos"});
    // Leading blanks count: "1" is not "   1".
    EXPECT_EQ(Nombres(forma.arg(QStringLiteral("1"))), QStringList{});
    EXPECT_EQ(Nombres(forma.arg(QStringLiteral("   1"))), QStringList{"uno"});
    // A text compared with a number column takes the column's affinity, as the literal did.
    EXPECT_EQ(Nombres(QStringLiteral("SELECT Nombre FROM ART WHERE Grupo = '20' AND Precio > 2 ORDER BY 1")),
              QStringList({"tres"}));
    EXPECT_EQ(Nombres(QStringLiteral("SELECT Nombre FROM ART WHERE Grupo = '10' AND Precio > 1 ORDER BY 1")),
              QStringList({"uno"}));
}

TEST_F(ConsultasPreparadas, TwoOpenSetsOfOneShapeAndAWriteAfterAPartialRead) {
    const QString forma = QStringLiteral("SELECT Nombre FROM ART WHERE Grupo = %1 ORDER BY Codigo");
    Registros afuera;
    ad.ObtieneRecordset(forma.arg(20), afuera);
    ASSERT_FALSE(afuera.Eof());
    // The same shape while the first set is still being read.
    EXPECT_EQ(Nombres(forma.arg(10)), QStringList{"uno"});
    EXPECT_EQ(afuera.Fields(0).toString(), "dos");
    afuera.MoveNext();
    EXPECT_EQ(afuera.Fields(0).toString(), "tres");
    afuera.Close();
    // A set closed half-read holds no read open: a transaction commits after it.
    {
        Registros medio;
        ad.ObtieneRecordset(forma.arg(20), medio);
        ASSERT_FALSE(medio.Eof());
    }
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\rUPDATE ART SET Nombre = 'DOS' WHERE Codigo = 'A-2'\r"
                                 "COMMIT TRANSACTION"));
    EXPECT_EQ(Nombres(forma.arg(20)), QStringList({"DOS", "tres"}));
}

TEST_F(ConsultasPreparadas, ErrorsStayThoseOfTheTextAsWritten) {
    EXPECT_THROW(Nombres(QStringLiteral("SELECT Nombre FROM NOEXISTE WHERE Codigo = 'x'")), ErrorSistema);
    EXPECT_THROW(Nombres(QStringLiteral("SELECT Nombre FROM ART WHERE Codigo = 'x' AND")), ErrorSistema);
    // The cache is not left holding anything that breaks the next good query.
    EXPECT_EQ(Nombres(QStringLiteral("SELECT Nombre FROM ART WHERE Codigo = 'A-2'")), QStringList{"dos"});
}

TEST_F(ConsultasPreparadas, ColumnNamesFollowTheSchemaAndStayThoseOfEachSet) {
    const QString forma = QStringLiteral("SELECT * FROM ART WHERE Codigo = '%1'");
    Registros antes;
    ad.ObtieneRecordset(forma.arg(QStringLiteral("A-2")), antes);
    ASSERT_EQ(antes.FieldCount(), 4);
    antes.Close();
    // The view is made again with other columns: a cached statement over it reads them.
    ad.EjecutaSQL(QStringLiteral("DROP VIEW V_ART"));
    ad.EjecutaSQL(QStringLiteral("CREATE VIEW V_ART AS SELECT Grupo AS Familia, Codigo, Nombre FROM ART"));
    const QString vista = QStringLiteral("SELECT * FROM V_ART WHERE Codigo = '%1'");
    Registros uno;
    ad.ObtieneRecordset(vista.arg(QStringLiteral("A-2")), uno);
    ASSERT_EQ(uno.FieldCount(), 3);
    EXPECT_EQ(uno.FieldName(0), QStringLiteral("Familia"));
    EXPECT_EQ(uno.Fields(QStringLiteral("familia")).toInt(), 20);
    uno.Close();
    ad.EjecutaSQL(QStringLiteral("ALTER TABLE ART ADD COLUMN Marca TEXT"));
    Registros dos;
    ad.ObtieneRecordset(forma.arg(QStringLiteral("B-3")), dos);
    ASSERT_EQ(dos.FieldCount(), 5);
    EXPECT_EQ(dos.FieldName(4), QStringLiteral("Marca"));
    EXPECT_EQ(dos.Fields(QStringLiteral("NOMBRE")).toString(), QStringLiteral("tres"));
    // A name the set does not have is refused, whichever names other sets of the shape asked.
    EXPECT_THROW(dos.Fields(QStringLiteral("Familia")), ErrorSistema);
}

} // namespace

// Texts that the server reads as one comment and SQLite, which ends a block comment at its first
// "*/", would read as more SQL, on every road a text takes to the database: a statement, a batch
// in a transaction, a record set translated or not, one opened on the connection with the text
// the caller translated, AbreRecordset's condition. The embedded database refuses each before
// anything of it runs; the server runs it as the comment it reads. A NUL counts as removed, as it
// is before the text reaches either. The table is as it was either way. Also on the T-SQL server.

#include "AccesoDatos.h"
#include "Ayudas.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "Registros.h"
#include "RutinasSql.h"
#include "TandasSql.h"

#include <functional>

namespace {

class TextosComentados : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        AD().EjecutaSQL("CREATE TABLE T (N INT)");
        Repone();
    }
    // Rows 1, 2 and 3, whatever a case left.
    static void Repone() {
        AD().EjecutaSQL("DELETE FROM T\rINSERT INTO T (N) VALUES (1)\rINSERT INTO T (N) VALUES (2)\r"
                        "INSERT INTO T (N) VALUES (3)");
    }
    static std::string Filas() {
        Registros rs;
        AD().ObtieneRecordset("SELECT N FROM T ORDER BY N", rs);
        QStringList n;
        for (; !rs.Eof(); rs.MoveNext())
            n << rs.Fields(0).toString();
        return n.join(u',').toStdString();
    }
    static int Cuenta(Registros& rs) {
        int n = 0;
        if (rs.State() == 1)
            for (; !rs.Eof(); rs.MoveNext())
                ++n;
        return n;
    }
};

// What follows "N = 1" in each text.
const QString kNul(QChar(0));
const QStringList kComentarios = {"/* a /* b */ ; DELETE FROM T; -- */", "/* a /* b */ OR 1 = 1 -- */",
                                  "/* x /" + kNul + "* y */ ; DELETE FROM T; -- */"};

// Each road runs `condicion` after "SELECT ... FROM T WHERE ": the error's number (0 for none) and
// the rows it gave.
struct Camino {
    const char* nombre;
    std::function<long(const QString& condicion, int& filas)> corre;
};

} // namespace

TEST_F(TextosComentados, EveryRoadRunsWhatTheServerReadsAsOneComment) {
    const auto consulta = [](const QString& condicion) { return "SELECT N FROM T WHERE " + condicion; };
    const auto enSet = [&](const std::function<void(Registros&)>& abre, int& filas) {
        Registros rs;
        const long numero = NumeroDeError([&] { abre(rs); });
        filas = Cuenta(rs);
        return numero;
    };
    const std::vector<Camino> caminos = {
        {"EjecutaSQL",
         [&](const QString& c, int& filas) {
             return enSet([&](Registros& rs) { AD().EjecutaSQL(consulta(c), &rs); }, filas);
         }},
        {"GActualizarDatoScript",
         [&](const QString& c, int& filas) {
             bool hayError = false;
             qint32 numero = 0;
             QString tanda, mensajes;
             GActualizarDatoScript({consulta(c)}, hayError, numero, false, false, tanda, mensajes, false);
             filas = 1; // the batch gives no rows
             return hayError ? static_cast<long>(numero) : 0L;
         }},
        {"ObtieneRecordset",
         [&](const QString& c, int& filas) {
             return enSet([&](Registros& rs) { AD().ObtieneRecordset(consulta(c), rs); }, filas);
         }},
        {"ObtieneRecordset traducida",
         [&](const QString& c, int& filas) {
             return enSet(
                 [&](Registros& rs) {
                     AD().ObtieneRecordset(AD().TraduceSQL(consulta(c)), rs, nullptr, TipoCursor::SoloAvance,
                                           TipoBloqueo::SoloLectura, -1, false);
                 },
                 filas);
         }},
        {"Registros::Open",
         [&](const QString& c, int& filas) {
             return enSet([&](Registros& rs) { rs.Open(AD().TraduceSQL(consulta(c)), AD().LeeConexion()); },
                          filas);
         }},
        {"AbreRecordset",
         [&](const QString& c, int& filas) {
             guion.Limpia();
             guion.AgregaRespuesta(Respuesta::Abortar);
             Registros rs;
             const bool hallado = AbreRecordset("T", "", "", &rs, {}, c, true);
             filas = Cuenta(rs);
             return hallado || guion.Mensajes().isEmpty() ? 0L : -1L;
         }},
    };
    for (const QString& comentario : kComentarios)
        for (const Camino& camino : caminos) {
            int filas = -1;
            const long numero = camino.corre("N = 1 " + comentario, filas);
            if (PruebasEnServidorTsql()) {
                EXPECT_EQ(numero, 0) << camino.nombre << ": " << comentario.toStdString();
                EXPECT_EQ(filas, 1) << camino.nombre << ": " << comentario.toStdString();
            } else {
                EXPECT_EQ(numero, camino.nombre == std::string("AbreRecordset") ? -1 : 102)
                    << camino.nombre << ": " << comentario.toStdString();
            }
            EXPECT_EQ(Filas(), "1,2,3") << camino.nombre << ": " << comentario.toStdString();
            Repone();
        }
}

// A statement whose comment the server never sees closed (a "/*" inside it) is refused by both,
// also where the embedded database would run it with its values bound.
TEST_F(TextosComentados, ACommentTheServerLeavesOpenIsRefusedByBoth) {
    for (const QString& sql : {QStringLiteral("INSERT INTO T (N /* a /* b */) VALUES (7)"),
                               "INSERT INTO T (N /* a /" + kNul + "* b */) VALUES (7)"}) {
        Registros rs;
        const long numero = NumeroDeError([&] { AD().ObtieneRecordset(sql, rs); });
        if (PruebasEnServidorTsql())
            EXPECT_NE(numero, 0);
        else
            EXPECT_EQ(numero, 113);
        EXPECT_EQ(Filas(), "1,2,3") << sql.toStdString();
        Repone();
    }
}

// A text whose second statement cannot be read: the server reads the whole text first and runs
// none of it (its syntax error, whose number Babelfish gives its own way); the embedded database
// reads each statement after the ones before it ran, and says so instead of giving the server's
// number, which would mean that nothing ran. Inside a batch's transaction the rollback leaves
// nothing on either.
TEST_F(TextosComentados, ATextThatCannotBeReadAfterItsFirstStatementSaysWhatRan) {
    const long numero = NumeroDeError([] { AD().EjecutaSQL("INSERT INTO T (N) VALUES (5); SELEC 1"); });
    if (PruebasEnServidorTsql()) {
        EXPECT_NE(numero, 0);
        EXPECT_EQ(Filas(), "1,2,3");
    } else {
        EXPECT_EQ(numero, 3219);
        EXPECT_TRUE(
            AD().LeeConexion().Errors().Item(0).Description.contains("las anteriores ya se ejecutaron"));
        EXPECT_EQ(Filas(), "1,2,3,5");
        Repone();
    }
    const long primera = NumeroDeError([] { AD().EjecutaSQL("SELEC 1; INSERT INTO T (N) VALUES (5)"); });
    if (PruebasEnServidorTsql())
        EXPECT_NE(primera, 0);
    else
        EXPECT_EQ(primera, 102);
    bool hayError = false;
    qint32 error = 0;
    QString tanda, mensajes;
    GActualizarDatoScript({"INSERT INTO T (N) VALUES (6)", "INSERT INTO T (N) VALUES (5); SELEC 1"}, hayError,
                          error, false, false, tanda, mensajes, false);
    EXPECT_TRUE(hayError);
    EXPECT_EQ(Filas(), "1,2,3");
}

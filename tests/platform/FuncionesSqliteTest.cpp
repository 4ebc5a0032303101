#include "FuncionesSqlite.h"
#include "SqliteMemoria.h"
#include "TraductorSql.h"

#include <QCollator>
#include <QLocale>
#include <gtest/gtest.h>
#include <random>
#include <utility>
#include <vector>

namespace {

class FuncionesSqlite : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(bd.Ejecuta("CREATE TABLE T (ID INTEGER PRIMARY KEY, CODIGO TEXT COLLATE TEXTO, NOMBRE TEXT "
                             "COLLATE TEXTO)"),
                  "");
    }
    void Inserta(int id, const QString& codigo, const QString& nombre = {}) {
        ASSERT_EQ(bd.Ejecuta(QString("INSERT INTO T VALUES (%1, '%2', '%3')").arg(id).arg(codigo, nombre)),
                  "");
    }
    // 1 when the two texts compare equal under the collation, else 0.
    QString Iguales(const QString& a, const QString& b) {
        return bd.Valor(QString("SELECT '%1' = '%2' COLLATE TEXTO").arg(a, b));
    }
    SqliteMemoria bd;
};

TEST_F(FuncionesSqlite, LaColacionComparaComoElServidor) {
    EXPECT_EQ(Iguales("abc", "ABC  "), "1");
    EXPECT_EQ(Iguales("ñ", "Ñ"), "1");
    EXPECT_EQ(Iguales("ÁRBOL", "árbol"), "1");
    EXPECT_EQ(Iguales("a", "á"), "0");
    EXPECT_EQ(Iguales("n", "ñ"), "0");
    EXPECT_EQ(Iguales(" 1", "1"), "0");
    EXPECT_EQ(Iguales("   1", "   1      "), "1");
    EXPECT_EQ(Iguales("", "   "), "1");
    EXPECT_EQ(Iguales("ÿRS", "yRS"), "0");
    EXPECT_EQ(bd.Valor("SELECT 'abc' < 'ABD' COLLATE TEXTO"), "1");
}

// Keys and codes made of letters, digits and blanks are ordered without the collator: over many
// generated pairs, mixed with other characters, the order is the collator's own.
TEST_F(FuncionesSqlite, ElOrdenDeClavesEsElDelColador) {
    QCollator colador(QLocale(QLocale::Spanish, QLocale::Spain));
    colador.setCaseSensitivity(Qt::CaseInsensitive);
    const QString letras = QStringLiteral("aAzZbB09 5mN_-.ñÑáé");
    std::mt19937 azar(20261209);
    const auto texto = [&] {
        QString t;
        const int largo = int(azar() % 6);
        // Mostly the plain characters, sometimes one of the others.
        for (int i = 0; i < largo; ++i)
            t += letras[int(azar() % (azar() % 4 == 0 ? letras.size() : 11))];
        return t;
    };
    ASSERT_EQ(bd.Ejecuta("CREATE TABLE P (N INTEGER PRIMARY KEY, A TEXT, B TEXT)"), "");
    std::vector<std::pair<QString, QString>> pares;
    QString valores;
    for (int n = 0; n < 4000; ++n) {
        pares.emplace_back(texto(), texto());
        valores += QString("%1(%2, '%3', '%4')")
                       .arg(n ? "," : "")
                       .arg(n)
                       .arg(pares.back().first, pares.back().second);
    }
    ASSERT_EQ(bd.Ejecuta("INSERT INTO P VALUES " + valores), "");
    const QStringList filas =
        bd.Filas("SELECT CASE WHEN A < B COLLATE TEXTO THEN -1 WHEN A = B COLLATE TEXTO "
                 "THEN 0 ELSE 1 END FROM P ORDER BY N");
    ASSERT_EQ(filas.size(), qsizetype(pares.size()));
    const auto sinBlancosFinales = [](QString t) {
        while (t.endsWith(u' '))
            t.chop(1);
        return t;
    };
    for (size_t n = 0; n < pares.size(); ++n) {
        const int esperado =
            colador.compare(sinBlancosFinales(pares[n].first), sinBlancosFinales(pares[n].second));
        EXPECT_EQ(filas[qsizetype(n)].toInt(), esperado < 0 ? -1 : (esperado > 0 ? 1 : 0))
            << "'" << pares[n].first.toStdString() << "' con '" << pares[n].second.toStdString() << "'";
    }
}

// A file keeps its text in UTF-8 and the collation compares it there as it compares the same text
// in UTF-16: over generated pairs of keys, punctuation, Spanish letters, other characters, trailing
// blanks and bytes that are no UTF-8 at all, both forms find the same order.
TEST(ColacionUtf8, OrdenaComoEnUtf16) {
    SqliteMemoria utf8;
    SqliteMemoria utf16;
    ASSERT_EQ(utf16.Ejecuta("PRAGMA encoding = 'UTF-16le'"), "");
    const std::vector<QByteArray> piezas = {
        "a",    "A",    "z",        "0",        "9",           " ",        "  ",           "-",
        ".",    "_",    "\xc3\xb1", "\xc3\x91", "\xc3\xa1",    "\xc3\x81", "\xe2\x82\xac", "\xf0\x9f\x98\x80",
        "\x80", "\xc3", "\xe1\x41", "\xff",     "\xed\xa0\x80"};
    std::mt19937 azar(20251209);
    const auto texto = [&] {
        QByteArray t;
        const int largo = int(azar() % 5);
        for (int i = 0; i < largo; ++i)
            t += piezas[azar() % (azar() % 3 == 0 ? piezas.size() : 6)];
        return t;
    };
    std::vector<std::pair<QByteArray, QByteArray>> pares(3000);
    for (auto& par : pares)
        par = {texto(), texto()};
    QStringList comparaciones[2];
    SqliteMemoria* bases[2] = {&utf8, &utf16};
    for (int b = 0; b < 2; ++b) {
        sqlite3* db = bases[b]->Db();
        ASSERT_EQ(bases[b]->Ejecuta("CREATE TABLE P (N INTEGER PRIMARY KEY, A TEXT, B TEXT)"), "");
        sqlite3_stmt* st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO P VALUES (?, ?, ?)", -1, &st, nullptr), SQLITE_OK);
        for (size_t n = 0; n < pares.size(); ++n) {
            sqlite3_bind_int(st, 1, int(n));
            sqlite3_bind_text(st, 2, pares[n].first.constData(), int(pares[n].first.size()), SQLITE_STATIC);
            sqlite3_bind_text(st, 3, pares[n].second.constData(), int(pares[n].second.size()), SQLITE_STATIC);
            ASSERT_EQ(sqlite3_step(st), SQLITE_DONE);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        comparaciones[b] =
            bases[b]->Filas("SELECT CASE WHEN A < B COLLATE TEXTO THEN -1 WHEN A = B COLLATE TEXTO "
                            "THEN 0 ELSE 1 END FROM P ORDER BY N");
    }
    ASSERT_EQ(comparaciones[0].size(), qsizetype(pares.size()));
    for (size_t n = 0; n < pares.size(); ++n)
        EXPECT_EQ(comparaciones[0][qsizetype(n)], comparaciones[1][qsizetype(n)])
            << pares[n].first.toHex().toStdString() << " con " << pares[n].second.toHex().toStdString();
}

// The key that codes held in memory are matched by: two codes share it exactly when the
// collation finds them equal, over generated pairs that differ in case, blanks or a letter.
TEST_F(FuncionesSqlite, LaClaveDeUnCodigoIgualaComoLaColacion) {
    const QString letras = QStringLiteral("aAzZbB09 5mN_-.ñÑáéÁ");
    std::mt19937 azar(20261210);
    const auto blancos = [&] { return QString(int(azar() % 3), u' '); };
    ASSERT_EQ(bd.Ejecuta("CREATE TABLE P (N INTEGER PRIMARY KEY, A TEXT, B TEXT)"), "");
    std::vector<std::pair<QString, QString>> pares;
    QString valores;
    for (int n = 0; n < 3000; ++n) {
        QString a;
        for (int i = int(azar() % 6); i > 0; --i)
            a += letras[int(azar() % letras.size())];
        QString b = a;
        for (QChar& c : b) {
            const unsigned cambio = azar() % 8;
            if (cambio == 0)
                c = c.isUpper() ? c.toLower() : c.toUpper();
            else if (cambio == 1)
                c = letras[int(azar() % letras.size())];
        }
        pares.emplace_back((azar() % 5 == 0 ? QStringLiteral(" ") : QString()) + a + blancos(),
                           b + blancos());
        valores += QString("%1(%2, '%3', '%4')")
                       .arg(n ? "," : "")
                       .arg(n)
                       .arg(pares.back().first, pares.back().second);
    }
    ASSERT_EQ(bd.Ejecuta("INSERT INTO P VALUES " + valores), "");
    const QStringList iguales = bd.Filas("SELECT A = B COLLATE TEXTO FROM P ORDER BY N");
    ASSERT_EQ(iguales.size(), qsizetype(pares.size()));
    int vistasIguales = 0;
    for (size_t n = 0; n < pares.size(); ++n) {
        const bool igual = iguales[qsizetype(n)] == "1";
        vistasIguales += igual;
        EXPECT_EQ(ClaveTexto(pares[n].first) == ClaveTexto(pares[n].second), igual)
            << "'" << pares[n].first.toStdString() << "' con '" << pares[n].second.toStdString() << "'";
    }
    // Both answers occur often enough for the comparison to mean something.
    EXPECT_GT(vistasIguales, 300);
    EXPECT_LT(vistasIguales, 2700);
}

TEST_F(FuncionesSqlite, LasColumnasBuscanYAgrupanSinMayusculasNiBlancosFinales) {
    Inserta(1, "ART1      ", "Piña");
    Inserta(2, "   1", "piña  ");
    Inserta(3, "1", "PIÑA");
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE CODIGO = 'art1'"), QStringList{"1"});
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE CODIGO = '   1  '"), QStringList{"2"});
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE CODIGO = '1'"), QStringList{"3"});
    EXPECT_EQ(bd.Valor("SELECT COUNT(DISTINCT NOMBRE) FROM T"), "1");
    EXPECT_EQ(bd.Valor("SELECT COUNT(*) FROM T GROUP BY NOMBRE"), "3");
    // An index on the column follows the collation too.
    ASSERT_EQ(bd.Ejecuta("CREATE UNIQUE INDEX UX ON T(CODIGO)"), "");
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE CODIGO = 'Art1'"), QStringList{"1"});
    EXPECT_NE(bd.Ejecuta("INSERT INTO T VALUES (4, 'art1', '')"), "");
    EXPECT_EQ(bd.Ejecuta("INSERT INTO T VALUES (4, ' art1', '')"), "");
}

TEST_F(FuncionesSqlite, OrdenaEnCastellano) {
    const QStringList nombres{"oso", "Ñandú", "nube", "árbol", "Abeja", "azul", "Barco", "ala"};
    for (int i = 0; i < nombres.size(); ++i)
        Inserta(i + 1, QString::number(i), nombres[i]);
    EXPECT_EQ(bd.Filas("SELECT NOMBRE FROM T ORDER BY NOMBRE"),
              (QStringList{"Abeja", "ala", "árbol", "azul", "Barco", "nube", "Ñandú", "oso"}));
    // Codes right-aligned with leading blanks sort by their width first, as the server's do.
    ASSERT_EQ(bd.Ejecuta("DELETE FROM T"), "");
    Inserta(1, "  10");
    Inserta(2, "   2");
    Inserta(3, " 100");
    Inserta(4, "   1");
    EXPECT_EQ(bd.Filas("SELECT MAX(CODIGO) FROM T"), QStringList{" 100"});
    EXPECT_EQ(bd.Filas("SELECT ID FROM T ORDER BY CODIGO"), (QStringList{"4", "2", "1", "3"}));
}

TEST_F(FuncionesSqlite, LikeIgnoraMayusculasTambienEnLetrasEspanolas) {
    Inserta(1, "A", "PIÑA COLADA");
    Inserta(2, "B", "Ñandú");
    Inserta(3, "C", "ANDAR");
    Inserta(4, "D", "Árbol");
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE NOMBRE LIKE '%piña%'"), QStringList{"1"});
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE NOMBRE LIKE 'ñ%'"), QStringList{"2"});
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE NOMBRE LIKE '%ndú'"), QStringList{"2"});
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE NOMBRE LIKE 'á%'"), QStringList{"4"});
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE NOMBRE LIKE 'a%' ORDER BY ID"), QStringList{"3"});
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE NOMBRE LIKE '_and%' ORDER BY ID"), QStringList{"2"});
    EXPECT_EQ(bd.Filas("SELECT ID FROM T WHERE (CODIGO LIKE('%b%'))"), QStringList{"2"});
}

TEST_F(FuncionesSqlite, LikeConComodinesYEscape) {
    EXPECT_EQ(bd.Valor("SELECT 'abcabd' LIKE '%ab_'"), "1");
    EXPECT_EQ(bd.Valor("SELECT 'abcabd' LIKE '%ab_c'"), "0");
    EXPECT_EQ(bd.Valor("SELECT 'a%b' LIKE 'a!%b' ESCAPE '!'"), "1");
    EXPECT_EQ(bd.Valor("SELECT 'axb' LIKE 'a!%b' ESCAPE '!'"), "0");
    EXPECT_EQ(bd.Valor("SELECT '' LIKE '%'"), "1");
    EXPECT_EQ(bd.Valor("SELECT 'x' LIKE ''"), "0");
    EXPECT_EQ(bd.Valor("SELECT NULL LIKE '%'"), "NULL");
    EXPECT_EQ(bd.Valor("SELECT 'ab' LIKE NULL"), "NULL");
    EXPECT_TRUE(bd.Valor("SELECT 'a' LIKE 'a' ESCAPE 'xy'").startsWith("ERROR"));
    // Trailing blanks count in the pattern but not in the matched text, as on the server.
    EXPECT_EQ(bd.Valor("SELECT 'AB' LIKE 'ab '"), "0");
    EXPECT_EQ(bd.Valor("SELECT 'ABC   ' LIKE 'abc'"), "1");
    EXPECT_EQ(bd.Valor("SELECT 'ABC   ' LIKE '%c'"), "1");
    EXPECT_EQ(bd.Valor("SELECT '  ABC' LIKE 'abc%'"), "0");
}

TEST_F(FuncionesSqlite, FuncionesDeTextoDelServidor) {
    EXPECT_EQ(bd.Valor("SELECT LEN('ab  ')"), "2");
    EXPECT_EQ(bd.Valor("SELECT LEN('  ñú')"), "4");
    EXPECT_EQ(bd.Valor("SELECT LEN(12345)"), "5");
    EXPECT_EQ(bd.Valor("SELECT LEN(NULL)"), "NULL");
    EXPECT_EQ(bd.Valor("SELECT IZQUIERDA('ñandú', 2)"), "ña");
    EXPECT_EQ(bd.Valor("SELECT IZQUIERDA('ab', 9)"), "ab");
    EXPECT_EQ(bd.Valor("SELECT DERECHA('ñandú', 2)"), "dú");
    EXPECT_EQ(bd.Valor("SELECT DERECHA('ab', 9)"), "ab");
    EXPECT_EQ(bd.Valor("SELECT DERECHA('ab', 0)"), "");
    EXPECT_EQ(bd.Valor("SELECT DERECHA(NULL, 1)"), "NULL");
    EXPECT_EQ(bd.Valor("SELECT IZQUIERDA('ab', NULL)"), "NULL");
    EXPECT_EQ(bd.Valor("SELECT IZQUIERDA('ab', -1)"),
              "ERROR: Invalid length parameter passed to the left function.");
}

TEST_F(FuncionesSqlite, MasUneTextosYSumaNumeros) {
    EXPECT_EQ(bd.Valor("SELECT CONCATENA_O_SUMA('  1', '0001', 'A')"), "  10001A");
    EXPECT_EQ(bd.Valor("SELECT CONCATENA_O_SUMA(1, 2, 3)"), "6");
    EXPECT_EQ(bd.Valor("SELECT typeof(CONCATENA_O_SUMA('5', 3))"), "integer");
    EXPECT_EQ(bd.Valor("SELECT CONCATENA_O_SUMA('5', 3)"), "8");
    // Left to right: the two texts are joined before the number is added.
    EXPECT_EQ(bd.Valor("SELECT CONCATENA_O_SUMA('1', '2', 3)"), "15");
    EXPECT_EQ(bd.Valor("SELECT CONCATENA_O_SUMA(1.5, ' 2 ')"), "3.5");
    EXPECT_EQ(bd.Valor("SELECT CONCATENA_O_SUMA('a', NULL, 'b')"), "NULL");
    EXPECT_EQ(bd.Valor("SELECT CONCATENA_O_SUMA(9223372036854775807, 1) > 9.2e18"), "1");
    EXPECT_TRUE(bd.Valor("SELECT CONCATENA_O_SUMA('x', 1)").startsWith("ERROR: Conversion failed"));
}

TEST(RegistraFuncionesSqlite, SePuedeRegistrarOtraVezEnLaMismaConexion) {
    SqliteMemoria bd;
    RegistraFuncionesSqlite(bd.Db());
    RegistraFuncionesSqlite(nullptr);
    EXPECT_EQ(bd.Valor("SELECT 'Ñ' = 'ñ  ' COLLATE TEXTO"), "1");
    EXPECT_EQ(bd.Valor("SELECT 'ÑU' LIKE 'ñu'"), "1");
}

TEST_F(FuncionesSqlite, FechaIsoConvierteSoloLasFechasDelSistema) {
    EXPECT_EQ(bd.Valor("SELECT FECHA_ISO('05/03/24 10:15')"), "2024-03-05 10:15:00");
    EXPECT_EQ(bd.Valor("SELECT FECHA_ISO('1/2/2024')"), "2024-02-01 00:00:00");
    // Anything else passes as it came, with its type.
    for (const char* igual : {"'2024-03-05 10:15:00'", "'31/02/2024'", "'05/03/24 10:15 '", "'ñ5/03/24'",
                              "'05/03/2024 10:15:00 y algo más de texto'", "''", "NULL", "20240305", "1.5"})
        EXPECT_EQ(
            bd.Valor(QString("SELECT FECHA_ISO(%1) IS %1 AND typeof(FECHA_ISO(%1)) = typeof(%1)").arg(igual)),
            "1")
            << igual;
    // A bound value, as a batch's template sends it.
    ASSERT_EQ(bd.Ejecuta("CREATE TABLE M (Nombre TEXT COLLATE TEXTO, Fecha VARCHAR(19) COLLATE TEXTO)"), "");
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = TraduceSqlServerASqlite("INSERT INTO M (Nombre, Fecha) VALUES (?,?)").toUtf8();
    ASSERT_EQ(sqlite3_prepare_v2(bd.Db(), sql.constData(), -1, &st, nullptr), SQLITE_OK) << sql.constData();
    for (int i = 1; i <= 2; ++i)
        sqlite3_bind_text(st, i, "31/12/25 23:59", -1, SQLITE_STATIC);
    EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
    sqlite3_finalize(st);
    EXPECT_EQ(bd.Filas("SELECT Nombre, Fecha FROM M"), QStringList{"31/12/25 23:59|2025-12-31 23:59:00"});
}

TEST(RegistraColumnasFechaDeLaBase, LasColumnasDeclaradasDeFechaLoSonAunqueSuNombreNoLoDiga) {
    SqliteMemoria bd;
    ASSERT_EQ(
        bd.Ejecuta("CREATE TABLE ALTAS (Id INTEGER PRIMARY KEY, AltaDeLaPrueba DATETIME, HoraDeLaPrueba "
                   "time, DiaDeLaPrueba Date, NotaDeLaPrueba VARCHAR(19))"),
        "");
    for (const char* columna : {"AltaDeLaPrueba", "HoraDeLaPrueba", "DiaDeLaPrueba", "NotaDeLaPrueba"})
        EXPECT_FALSE(EsColumnaFecha(QString(columna))) << columna;
    RegistraColumnasFechaDeLaBase(bd.Db());
    RegistraColumnasFechaDeLaBase(nullptr);
    for (const char* columna : {"AltaDeLaPrueba", "horadelaprueba", "DIADELAPRUEBA"})
        EXPECT_TRUE(EsColumnaFecha(QString(columna))) << columna;
    EXPECT_FALSE(EsColumnaFecha(u"NotaDeLaPrueba"));
    EXPECT_EQ(
        TraduceSqlServerASqlite(
            "INSERT INTO ALTAS (AltaDeLaPrueba, NotaDeLaPrueba) VALUES ('05/03/24 10:15', '05/03/24 10:15')"),
        "INSERT INTO ALTAS (AltaDeLaPrueba, NotaDeLaPrueba) VALUES ('2024-03-05 10:15:00', '05/03/24 "
        "10:15')");
}

} // namespace

// The data-access object through ODBC, driven against the SQLite ODBC driver (the SQL Server path
// with SQLite behind it: the dialect is translated and transactions emulated as for the embedded
// database; collation and functions cannot be registered through ODBC, so these tables have none).

#include "AccesoDatos.h"
#include "Ayudas.h"
#include "BaseEmbebida.h"
#include "Comun.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kEsquema = QStringLiteral(
    "CREATE TABLE CAB (Id INTEGER NOT NULL PRIMARY KEY, Nombre VARCHAR(50));\n"
    "CREATE TABLE DET (Linea INTEGER PRIMARY KEY, Id INTEGER NOT NULL REFERENCES CAB (Id),\n"
    "  Articulo VARCHAR(25), Cantidad REAL);\n"
    "CREATE TABLE CONF (Clave VARCHAR(100) NOT NULL PRIMARY KEY, Valor TEXT, Politica INTEGER DEFAULT 0);\n"
    "INSERT INTO CONF (Clave, Valor) VALUES ('ANCHOS', '10|20');\n");

class AccesoDatosOdbcTest : public ConGuion {
protected:
    void SetUp() override {
        ConGuion::SetUp();
        ASSERT_TRUE(dir.isValid());
        ruta = dir.filePath(QStringLiteral("odbc.db"));
        BaseEmbebida::Crea(ruta, {kEsquema});
        ad.Conecta(false, 0, QStringLiteral("DRIVER={SQLite3};Database=") + ruta);
    }
    std::vector<long> Numeros() { return NumerosDeError(ad); }
    QVariant Valor(const QString& sql) {
        Registros rs;
        ad.ObtieneRecordset(sql, rs);
        return rs.Eof() ? QVariant() : rs.Fields(0);
    }

    QTemporaryDir dir;
    QString ruta;
    AccesoDatos ad;
};

TEST_F(AccesoDatosOdbcTest, ConnectsThroughTheDriverAndTranslatesForItsDatabase) {
    ASSERT_TRUE(ad.EstaConectado());
    EXPECT_TRUE(ad.TextoProveedor().contains(QStringLiteral("SQLite"))) << ad.TextoProveedor().toStdString();
    EXPECT_TRUE(ad.LeeCadenaConexion().contains(QStringLiteral("SQLite3")));
    const QString sql = QStringLiteral("select  top 1 * from CONF  with(nolock) ");
    EXPECT_FALSE(ad.TraduceSQL(sql) == sql);
    Registros rs;
    ad.ObtieneRecordset(sql, rs);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields(QStringLiteral("valor")).toString(), QStringLiteral("10|20"));
}

TEST_F(AccesoDatosOdbcTest, ADuplicateKeyBatchGivesTheServersErrorListAndRollsBack) {
    try {
        ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION \r\r\r\n\r"
                                     "INSERT INTO CAB (Id, Nombre) VALUES (1,'UNO')\r"
                                     "INSERT INTO CAB (Id, Nombre) VALUES (1,'OTRO')\r"
                                     "INSERT INTO DET (Id, Articulo) VALUES (9,'HUERFANO')\r"
                                     "INSERT INTO DET (Id, Articulo) VALUES (1,'BUENO')\r"));
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 2627);
        EXPECT_FALSE(e.Descripcion().startsWith(u'['));
    }
    EXPECT_EQ(Numeros(), (std::vector<long>{2627, 3621, 547, 3621}));
    EXPECT_EQ(Valor(QStringLiteral("SELECT @@TRANCOUNT")).toInt(), 1);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM DET")).toInt(), 1);
    ad.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT @@TRANCOUNT")).toInt(), 0);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(), 0);
}

TEST_F(AccesoDatosOdbcTest, NestedTransactionsCommitOnlyAtTheOutermostLevel) {
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\rBEGIN TRANSACTION\rINSERT INTO CAB (Id) VALUES (1)"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT @@TRANCOUNT")).toInt(), 2);
    ad.EjecutaSQL(QStringLiteral("COMMIT TRANSACTION"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT @@TRANCOUNT")).toInt(), 1);
    ad.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(), 0);
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\rINSERT INTO CAB (Id) VALUES (2)\rCOMMIT TRANSACTION"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(), 1);
    EXPECT_THROW(ad.EjecutaSQL(QStringLiteral("COMMIT TRANSACTION")), ErrorSistema);
    EXPECT_EQ(Numeros(), (std::vector<long>{3902}));
}

TEST_F(AccesoDatosOdbcTest, RowsStreamWhileOtherStatementsRunOnTheConnection) {
    QString tanda = QStringLiteral("BEGIN TRANSACTION\rINSERT INTO CAB (Id) VALUES (1)\r");
    for (int i = 0; i < 2000; ++i)
        tanda +=
            QStringLiteral("INSERT INTO DET (Id, Articulo, Cantidad) VALUES (1,'A%1',%2)\r").arg(i).arg(i);
    tanda += QStringLiteral("COMMIT TRANSACTION");
    EXPECT_EQ(ad.EjecutaSQL(tanda), 2001);
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT Articulo, Cantidad FROM DET ORDER BY Linea"), rs);
    int filas = 0;
    double suma = 0;
    for (; !rs.Eof(); rs.MoveNext(), ++filas) {
        EXPECT_EQ(rs.Fields(QStringLiteral("ARTICULO")).toString(), QStringLiteral("A%1").arg(filas));
        suma += rs.Fields(1).toDouble();
        if (filas % 500 == 0) {
            EXPECT_EQ(ad.ObtieneValorTabla(QStringLiteral("CAB"), QStringLiteral("1"), QStringLiteral("Id"),
                                           QStringLiteral("Id"), 3)
                          .toInt(),
                      1);
        }
    }
    EXPECT_EQ(filas, 2000);
    EXPECT_DOUBLE_EQ(suma, 1999.0 * 2000 / 2);
}

TEST_F(AccesoDatosOdbcTest, AnEditableSetAddsAndUpdatesRows) {
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT * FROM CONF with(nolock)  WHERE CLAVE = 'ANCHOS'"), rs,
                        &ad.LeeConexion(), 2, 3);
    ASSERT_FALSE(rs.Eof());
    rs.AsignaCampo(QStringLiteral("Valor"), QStringLiteral("it's 30"));
    rs.Update();
    rs.AddNew();
    rs.AsignaCampo(QStringLiteral("Clave"), QStringLiteral("NUEVA"));
    rs.AsignaCampo(QStringLiteral("Politica"), true);
    rs.Update();
    EXPECT_EQ(ad.ObtieneValorTabla(QStringLiteral("CONF"), QStringLiteral("ANCHOS"), QStringLiteral("Valor"),
                                   QStringLiteral("Clave"))
                  .toString(),
              QStringLiteral("it's 30"));
    EXPECT_EQ(ad.ObtieneValorTabla(QStringLiteral("CONF"), QStringLiteral("NUEVA"),
                                   QStringLiteral("Politica"), QStringLiteral("Clave"))
                  .toInt(),
              1);
}

TEST_F(AccesoDatosOdbcTest, MalformedStatementsAndMissingTablesAreReported) {
    EXPECT_THROW(ad.EjecutaSQL(QStringLiteral("SELEC")), ErrorSistema);
    EXPECT_EQ(Numeros(), (std::vector<long>{102, 3621}));
    Registros rs;
    EXPECT_THROW(ad.ObtieneRecordset(QStringLiteral("SELECT * FROM NO_EXISTE"), rs), ErrorSistema);
    EXPECT_EQ(Numeros(), (std::vector<long>{208, 3621}));
    EXPECT_TRUE(ad.LeeConexion().Errors().Item(0).Description.contains(QStringLiteral("NO_EXISTE")));
}

TEST(AccesoDatosOdbc, AnUnknownDriverIsAnErrorInTheList) {
    AccesoDatos ad;
    EXPECT_THROW(ad.Conecta(false, 0, QStringLiteral("DRIVER={No Existe};SERVER=x")), ErrorSistema);
    EXPECT_FALSE(ad.EstaConectado());
    ASSERT_EQ(ad.LeeConexion().Errors().Count(), 1);
    EXPECT_NE(ad.LeeConexion().Errors().Item(0).NativeError, 0);
    EXPECT_FALSE(ad.LeeConexion().Errors().Item(0).Description.isEmpty());
}

TEST(AccesoDatosOdbc, AServerThatDoesNotAnswerFailsWithinSeconds) {
    // A port that accepts connections and never says a word.
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&dir), sizeof dir), 0);
    ASSERT_EQ(listen(s, 8), 0);
    socklen_t largo = sizeof dir;
    ASSERT_EQ(getsockname(s, reinterpret_cast<sockaddr*>(&dir), &largo), 0);

    AccesoDatos ad;
    ad.AsignaServidor(QStringLiteral("127.0.0.1"));
    ad.AsignaDatoConexion(QStringLiteral("PORT=%1").arg(ntohs(dir.sin_port)));
    ad.AsignaBaseDatos(QStringLiteral("CV_GESTION"));
    ad.AsignaUsuario(QStringLiteral("demo"));
    ad.AsignaPassword(QStringLiteral("pa;ss}"));
    QElapsedTimer reloj;
    reloj.start();
    EXPECT_THROW(ad.Conecta(), ErrorSistema);
    EXPECT_LT(reloj.elapsed(), 15000);
    close(s);
    EXPECT_FALSE(ad.EstaConectado());
    EXPECT_GE(ad.LeeConexion().Errors().Count(), 1);
    EXPECT_NE(ad.LeeConexion().Errors().Item(0).NativeError, 0);
    EXPECT_TRUE(ad.LeeCadenaConexion().isEmpty());
    EXPECT_EQ(ad.TraduceSQL(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)")),
              QStringLiteral("SELECT TOP 1 * FROM T with(nolock)"));
}

} // namespace

// The data-access object on real SQLite files: connection, batches and their error list,
// transactions, record sets, look-ups, literals and the central error handler.

#include "AccesoDatos.h"
#include "AccesoDatosInterno.h"
#include "Ayudas.h"
#include "BaseEmbebida.h"
#include "Comun.h"
#include "Moneda.h"
#include "Regional.h"

#include <QDateTime>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
static size_t MemoriaEnUso() {
    return __sanitizer_get_current_allocated_bytes();
}
#else
#include <malloc.h>
static size_t MemoriaEnUso() {
    return mallinfo2().uordblks;
}
#endif

namespace {

const QString kEsquema = QStringLiteral(
    "CREATE TABLE CAB (Id INTEGER NOT NULL PRIMARY KEY, Nombre VARCHAR(50) COLLATE TEXTO, Alta DATETIME);\n"
    "CREATE TABLE DET (Linea INTEGER PRIMARY KEY, Id INTEGER NOT NULL REFERENCES CAB (Id) ON DELETE "
    "CASCADE,\n"
    "  Articulo VARCHAR(25) COLLATE TEXTO, Cantidad REAL CHECK (Cantidad >= 0), Unidad VARCHAR(4) COLLATE "
    "TEXTO);\n"
    "CREATE TABLE CONF (Grupo TEXT COLLATE TEXTO, Clave VARCHAR(100) COLLATE TEXTO NOT NULL PRIMARY KEY,\n"
    "  Valor TEXT COLLATE TEXTO, Politica INTEGER DEFAULT 0, Aux TEXT COLLATE TEXTO DEFAULT '');\n"
    "CREATE TABLE ERR (Id INTEGER PRIMARY KEY AUTOINCREMENT, Proceso TEXT, Fecha TEXT, Error INTEGER,\n"
    "  Descripcion TEXT, SQL TEXT);\n"
    "INSERT INTO CONF (Grupo, Clave, Valor) VALUES ('DATOS', 'anchos', '10|20');\n");

class AccesoDatosTest : public ConGuion {
protected:
    void SetUp() override {
        ConGuion::SetUp();
        ASSERT_TRUE(dir.isValid());
        ruta = dir.filePath(QStringLiteral("prueba.db"));
        BaseEmbebida::Crea(ruta, {kEsquema});
        Conecta(ad);
    }
    void Conecta(AccesoDatos& a) {
        a.AsignaServidor(QStringLiteral("SQLite"));
        a.AsignaBaseDatos(ruta);
        a.Conecta();
    }
    // The native numbers of the connection's error list.
    std::vector<long> Numeros() { return NumerosDeError(ad); }
    QVariant Valor(const QString& sql, AccesoDatos* otro = nullptr) {
        Registros rs;
        (otro ? *otro : ad).ObtieneRecordset(sql, rs);
        return rs.Eof() ? QVariant() : rs.Fields(0);
    }
    qint32 Trancount() { return Valor(QStringLiteral("SELECT @@TRANCOUNT")).toInt(); }

    QTemporaryDir dir;
    QString ruta;
    AccesoDatos ad;
};

// ---------------------------------------------------------------------------------------
// Connection

TEST_F(AccesoDatosTest, AMissingDatabaseFileIsReportedAndNeverCreated) {
    AccesoDatos otro;
    otro.AsignaServidor(QStringLiteral("sqlite"));
    const QString falta = dir.filePath(QStringLiteral("no-existe.db"));
    otro.AsignaBaseDatos(falta);
    try {
        otro.Conecta();
        FAIL() << "connected to a missing file";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 4060);
        EXPECT_TRUE(e.Descripcion().contains(QStringLiteral("no-existe.db")))
            << e.Descripcion().toStdString();
    }
    EXPECT_FALSE(otro.EstaConectado());
    ASSERT_EQ(otro.LeeConexion().Errors().Count(), 1);
    EXPECT_EQ(otro.LeeConexion().Errors().Item(0).NativeError, 4060);
    EXPECT_FALSE(QFile::exists(falta));
    EXPECT_THROW(otro.EjecutaSQL(QStringLiteral("SELECT 1")), ErrorSistema);
}

TEST_F(AccesoDatosTest, AFileThatIsNotADatabaseIsReportedAndLeftAsItWas) {
    const QString falso = dir.filePath(QStringLiteral("texto.db"));
    QFile f(falso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("esto no es una base de datos, solo texto de prueba ").repeated(40));
    f.close();
    AccesoDatos otro;
    otro.AsignaServidor(QStringLiteral("SQLITE"));
    otro.AsignaBaseDatos(falso);
    EXPECT_THROW(otro.Conecta(), ErrorSistema);
    EXPECT_FALSE(otro.EstaConectado());
    EXPECT_EQ(otro.LeeConexion().Errors().Count(), 1);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("esto no es una base de datos"));
}

TEST_F(AccesoDatosTest, ARelativeDatabaseNameIsTakenBesideTheConnectionData) {
    BaseEmbebida::Crea(
        dir.filePath(QStringLiteral("CV_ESTADISTICAS.db")),
        {QStringLiteral("CREATE TABLE TA_CONFIGURACION (Clave TEXT PRIMARY KEY, Valor TEXT);")});
    AccesoDatos estadisticas;
    estadisticas.AsignaDatoConexion(ad.LeeDatoConexion());
    estadisticas.AsignaServidor(ad.LeeServidor());
    estadisticas.AsignaBaseDatos(QStringLiteral("CV_ESTADISTICAS"));
    estadisticas.Conecta(false, 3, QString(), true, false);
    ASSERT_TRUE(estadisticas.EstaConectado());
    EXPECT_TRUE(estadisticas.LeeCadenaConexion().endsWith(QStringLiteral("CV_ESTADISTICAS.db")));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM TA_CONFIGURACION"), &estadisticas).toInt(), 0);
    EXPECT_EQ(estadisticas.TextoProveedor(), QStringLiteral("SQLite"));
}

TEST_F(AccesoDatosTest, ClosingTheConnectionClosesItsRecordSets) {
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT * FROM CONF"), rs);
    ASSERT_EQ(rs.State(), 1);
    ad.LeeConexion().Close();
    EXPECT_FALSE(ad.EstaConectado());
    EXPECT_EQ(rs.State(), 0);
    try {
        rs.Fields(QStringLiteral("Valor"));
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 3704);
    }
    try {
        ad.EjecutaSQL(QStringLiteral("DELETE FROM CONF"));
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 3709);
    }
}

// ---------------------------------------------------------------------------------------
// Batches and the error list

TEST_F(AccesoDatosTest, ADuplicateKeyBatchListsEveryErrorRunsTheRestAndRollsBack) {
    const QString tanda =
        QStringLiteral("BEGIN TRANSACTION \r\r\r\n\r"
                       "INSERT INTO CAB (Id, Nombre) VALUES (1,'PRIMERO')\r"
                       "INSERT INTO CAB (Id, Nombre) VALUES (1,'REPETIDO')\r"
                       "INSERT INTO DET (Id, Articulo, Cantidad) VALUES (99,'SIN CABECERA',1)\r"
                       "INSERT INTO DET (Id, Articulo, Cantidad) VALUES (1,'NEGATIVO',-1)\r"
                       "INSERT INTO DET (Id, Articulo, Cantidad) VALUES (1,'BUENO',2)\r");
    try {
        ad.EjecutaSQL(tanda);
        FAIL() << "the batch did not fail";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 2627);
    }
    EXPECT_EQ(Numeros(), (std::vector<long>{2627, 3621, 547, 3621, 547, 3621}));
    EXPECT_EQ(ad.LeeConexion().Errors().Item(1).Description,
              QStringLiteral("The statement has been terminated."));
    EXPECT_TRUE(ad.LeeConexion().Errors().Item(0).Description.contains(QStringLiteral("UNIQUE")));
    // The statements after the refused ones ran, inside the still open transaction.
    EXPECT_EQ(Trancount(), 1);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM DET")).toInt(), 1);
    EXPECT_EQ(Valor(QStringLiteral("SELECT Nombre FROM CAB WHERE Id = 1")).toString(),
              QStringLiteral("PRIMERO"));
    // The next call starts a new list; the caller's rollback undoes the whole batch.
    ad.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(ad.LeeConexion().Errors().Count(), 0);
    EXPECT_EQ(Trancount(), 0);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(), 0);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM DET")).toInt(), 0);
}

TEST_F(AccesoDatosTest, ABatchReturnsTheRecordsAffectedAndKeepsLineBreaksInsideLiterals) {
    const qint32 n = ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id, Nombre) VALUES (1,'uno')\r\n"
                                                  "INSERT INTO CAB (Id, Nombre) VALUES (2,'dos\rlineas')\n"
                                                  "UPDATE CAB SET Alta = '05/03/24 10:15' WHERE Id <= 2"));
    EXPECT_EQ(n, 4);
    EXPECT_EQ(Valor(QStringLiteral("SELECT Nombre FROM CAB WHERE Id = 2")).toString(),
              QStringLiteral("dos\rlineas"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB WHERE Alta = '2024-03-05 10:15:00'")).toInt(),
              2);
}

TEST_F(AccesoDatosTest, MalformedStatementsAndMissingTablesAreErrorsNeverEmptyResults) {
    Registros rs;
    try {
        ad.ObtieneRecordset(QStringLiteral("SELEC * FRO CONF"), rs);
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 102);
        EXPECT_FALSE(e.Descripcion().isEmpty());
    }
    EXPECT_EQ(Numeros(), (std::vector<long>{102, 3621}));
    EXPECT_EQ(rs.State(), 0);
    try {
        ad.ObtieneRecordset(QStringLiteral("SELECT * FROM NO_EXISTE with(nolock)"), rs);
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 208);
        EXPECT_TRUE(e.Descripcion().contains(QStringLiteral("NO_EXISTE")));
    }
    EXPECT_EQ(Numeros(), (std::vector<long>{208, 3621}));
    EXPECT_THROW(ad.EjecutaSQL(QStringLiteral("UPDATE CONF SET NoHay = 1")), ErrorSistema);
    EXPECT_EQ(Numeros(), (std::vector<long>{207, 3621}));
    EXPECT_THROW(ad.ObtieneValorTabla(QStringLiteral("NO_EXISTE"), QStringLiteral("x"), QStringLiteral("a"),
                                      QStringLiteral("b")),
                 ErrorSistema);
}

TEST_F(AccesoDatosTest, ALockedDatabaseFailsAfterTheCommandTimeOut) {
    AccesoDatos otro;
    Conecta(otro);
    otro.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\rINSERT INTO CAB (Id) VALUES (7)"));
    ad.LeeConexion().setCommandTimeout(1);
    try {
        ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id) VALUES (8)"));
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 1222);
    }
    EXPECT_EQ(Numeros(), (std::vector<long>{1222, 3621}));
    otro.EjecutaSQL(QStringLiteral("COMMIT TRANSACTION"));
    ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id) VALUES (8)"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(), 2);
}

// ---------------------------------------------------------------------------------------
// Transactions

TEST_F(AccesoDatosTest, NestedTransactionsCountAndOnlyTheOutermostCommitWrites) {
    AccesoDatos lector;
    Conecta(lector);
    EXPECT_EQ(Trancount(), 0);
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION"));
    ad.EjecutaSQL(QStringLiteral("begin tran"));
    EXPECT_EQ(Trancount(), 2);
    ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id) VALUES (1)"));
    ad.EjecutaSQL(QStringLiteral("COMMIT TRANSACTION"));
    EXPECT_EQ(Trancount(), 1);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB"), &lector).toInt(), 0);
    ad.EjecutaSQL(QStringLiteral("COMMIT"));
    EXPECT_EQ(Trancount(), 0);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB"), &lector).toInt(), 1);
    // The count also comes back through EjecutaSQL's record set.
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\rBEGIN TRANSACTION\rBEGIN TRANSACTION"));
    Registros rs;
    ad.EjecutaSQL(QStringLiteral("SELECT @@TRANCOUNT"), &rs);
    ASSERT_EQ(rs.State(), 1);
    EXPECT_EQ(rs.Fields(0).toInt(), 3);
}

TEST_F(AccesoDatosTest, RollbackUndoesEveryLevelAndUnmatchedEndsAreErrors) {
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\rINSERT INTO CAB (Id) VALUES (1)\rBEGIN TRANSACTION\r"
                                 "INSERT INTO CAB (Id) VALUES (2)"));
    EXPECT_EQ(Trancount(), 2);
    ad.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(Trancount(), 0);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(), 0);
    try {
        ad.EjecutaSQL(QStringLiteral("COMMIT TRANSACTION"));
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 3902);
    }
    try {
        ad.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 3903);
    }
    EXPECT_EQ(Trancount(), 0);
}

TEST_F(AccesoDatosTest, ARefusedCommitLeavesTheTransactionOpenForTheRollback) {
    // A key checked at commit time: the database refuses the COMMIT itself.
    ad.EjecutaSQL(
        QStringLiteral("CREATE TABLE HIJO (Id INTEGER PRIMARY KEY, Padre INTEGER REFERENCES CAB (Id) "
                       "DEFERRABLE INITIALLY DEFERRED)"));
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION \r\rINSERT INTO HIJO (Id, Padre) VALUES (1, 99)\r"));
    try {
        ad.EjecutaSQL(QStringLiteral("COMMIT TRANSACTION"));
        FAIL() << "the orphan row was committed";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 547);
    }
    EXPECT_EQ(Numeros(), (std::vector<long>{547, 3621}));
    EXPECT_EQ(Trancount(), 1);
    ad.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(Trancount(), 0);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM HIJO")).toInt(), 0);
}

TEST_F(AccesoDatosTest, AFailureThatEndsTheTransactionEndsTheBatch) {
    // A trigger that rolls the whole transaction back: nothing after it may run outside it.
    ad.EjecutaSQL(QStringLiteral("CREATE TRIGGER NO_13 BEFORE INSERT ON CAB WHEN NEW.Id = 13 "
                                 "BEGIN SELECT RAISE(ROLLBACK, 'el 13 no'); END"));
    EXPECT_THROW(
        ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\rINSERT INTO CAB (Id) VALUES (1)\r"
                                     "INSERT INTO CAB (Id) VALUES (13)\rINSERT INTO CAB (Id) VALUES (2)")),
        ErrorSistema);
    EXPECT_EQ(Trancount(), 0);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(), 0);
}

// As on the server: going back to a savepoint undoes what followed it (the latest of its name)
// and keeps the transaction; later savepoints go with it, and so do all when the database ends
// the transaction. Outside one there is none to save, and the rest of the batch does not run.
TEST_F(AccesoDatosTest, ASavepointUndoesWhatFollowedItAndKeepsTheTransaction) {
    const auto numero = [&](const QString& sql) { return NumeroDeError([&] { ad.EjecutaSQL(sql); }); };
    const auto cuenta = [&] { return Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(); };
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION"));
    for (int i = 1; i <= 3; ++i)
        ad.EjecutaSQL(QStringLiteral("SAVE TRANSACTION fila\rINSERT INTO CAB (Id) VALUES (%1)").arg(i));
    EXPECT_EQ(numero(QStringLiteral("INSERT INTO CAB (Id) VALUES (3)")), 2627);
    ad.EjecutaSQL(
        QStringLiteral("SAVE TRAN [otro]\rINSERT INTO CAB (Id) VALUES (4)\rROLLBACK TRANSACTION fila"));
    EXPECT_EQ(Trancount(), 1);
    EXPECT_EQ(cuenta(), 2);
    EXPECT_EQ(numero(QStringLiteral("ROLLBACK TRAN otro")), 6401);
    ad.EjecutaSQL(QStringLiteral("COMMIT TRANSACTION"));
    EXPECT_EQ(numero(QStringLiteral("SAVE TRANSACTION fila\rINSERT INTO CAB (Id) VALUES (8)")), 628);
    EXPECT_EQ(numero(QStringLiteral("ROLLBACK TRANSACTION fila")), 3903);
    EXPECT_EQ(cuenta(), 2);
    ad.EjecutaSQL(QStringLiteral("CREATE TRIGGER NO_13 BEFORE INSERT ON CAB WHEN NEW.Id = 13 "
                                 "BEGIN SELECT RAISE(ROLLBACK, 'el 13 no'); END"));
    EXPECT_NE(
        numero(QStringLiteral("BEGIN TRANSACTION\rSAVE TRANSACTION fila\rINSERT INTO CAB (Id) VALUES (13)")),
        0);
    EXPECT_EQ(numero(QStringLiteral("BEGIN TRANSACTION\rROLLBACK TRANSACTION fila")), 6401);
}

// The transaction statements read as the server reads them: comments and delimited names change
// nothing, a name is matched with its case and refused past 32 characters, the transaction's own
// name undoes it whole, and a text that cannot be read as one transaction statement is refused
// with nothing after it run.
TEST_F(AccesoDatosTest, TransactionStatementsReadAsTheServerReadsThem) {
    const auto numero = [&](const QString& sql) { return NumeroDeError([&] { ad.EjecutaSQL(sql); }); };
    const auto cuenta = [&] { return Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(); };
    const QString largo(33, u'n');
    ad.EjecutaSQL(QStringLiteral("/* abre */ BEGIN TRANSACTION -- y sigue\rINSERT INTO CAB (Id) VALUES (1)\r"
                                 "SAVE TRANSACTION fila -- la fila\rINSERT INTO CAB (Id) VALUES (2)"));
    ad.EjecutaSQL(QStringLiteral("/* vuelve /* anidado */ */ ROLLBACK TRANSACTION [fila] -- a la fila"));
    EXPECT_EQ(Trancount(), 1);
    EXPECT_EQ(cuenta(), 1);
    EXPECT_EQ(numero(QStringLiteral("ROLLBACK TRANSACTION FILA")), 6401);
    EXPECT_EQ(numero(QStringLiteral("ROLLBACK TRANSACTION fila x\rINSERT INTO CAB (Id) VALUES (3)")), 102);
    EXPECT_EQ(numero(QStringLiteral("BEGIN TRAN INSERT INTO CAB (Id) VALUES (3)")), 102);
    // A refused savepoint is none to go back to: the name reaches the one before.
    ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id) VALUES (4)"));
    EXPECT_EQ(numero(QStringLiteral("SAVE TRANSACTION fila y\rINSERT INTO CAB (Id) VALUES (5)")), 102);
    EXPECT_EQ(numero("SAVE TRANSACTION " + largo + "\rINSERT INTO CAB (Id) VALUES (6)"), 103);
    EXPECT_EQ(numero("ROLLBACK TRANSACTION " + largo), 103);
    EXPECT_EQ(cuenta(), 2);
    ad.EjecutaSQL(QStringLiteral("SAVE TRAN ") + QString(32, u'n') + QStringLiteral("\rROLLBACK TRAN fila"));
    EXPECT_EQ(Trancount(), 1);
    EXPECT_EQ(cuenta(), 1);
    ad.EjecutaSQL(QStringLiteral("COMMIT WORK"));
    EXPECT_EQ(Trancount(), 0);

    // Only the outermost BEGIN names the transaction, and only its name with its case.
    ad.EjecutaSQL(QStringLiteral("BEGIN TRAN Alta WITH MARK 'alta'\rINSERT INTO CAB (Id) VALUES (7)\r"
                                 "BEGIN TRAN Otra\rINSERT INTO CAB (Id) VALUES (8)"));
    EXPECT_EQ(numero(QStringLiteral("ROLLBACK TRAN Otra")), 6401);
    EXPECT_EQ(numero(QStringLiteral("ROLLBACK TRAN alta")), 6401);
    EXPECT_EQ(Trancount(), 2);
    ad.EjecutaSQL(QStringLiteral("ROLLBACK TRAN Alta"));
    EXPECT_EQ(Trancount(), 0);
    EXPECT_EQ(cuenta(), 1);
    EXPECT_EQ(numero(QStringLiteral("ROLLBACK WORK")), 3903);
}

// SQLite's own transaction statements, which the server reads as none (or as a second statement
// on the line, or inside a comment), are refused: none ends or opens a transaction behind the
// emulated one. A refusal after the text's first statement ran is not told as the server's syntax
// error, which means that nothing ran; a text the server reads as one comment runs nothing.
TEST_F(AccesoDatosTest, SqlitesOwnTransactionStatementsNeverRunBehindTheEmulatedOnes) {
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\rINSERT INTO CAB (Id) VALUES (1)"));
    for (const auto& [texto, numero] : std::initializer_list<std::pair<const char*, long>>{
             {"END", 102},
             {"END TRANSACTION", 102},
             {"BEGIN", 102},
             {"BEGIN IMMEDIATE", 102},
             {"SAVEPOINT x", 102},
             {"RELEASE x", 102},
             {"ROLLBACK TO x", 102},
             {"SELECT 1; COMMIT", 3219},
             {"INSERT INTO CAB (Id) VALUES (2); COMMIT", 3219},
             {"/* /* */ COMMIT; --*/ SELECT 1", 102},
             {"/* /* */ ROLLBACK --*/", 0}}) {
        const QString sql = QLatin1StringView(texto);
        EXPECT_EQ(NumeroDeError([&] { ad.EjecutaSQL(sql); }), numero) << texto;
        EXPECT_EQ(Trancount(), 1) << texto;
    }
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(), 2);
    ad.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(), 0);
}

// Block comments nest, as the server reads them: a batch's line break inside one separates
// nothing. A text whose comments SQLite would read otherwise (a "/*" inside a comment, which
// SQLite ends at the first "*/"; one never closed, which the server refuses) is refused before any
// statement of its batch runs, inside a transaction or not; a comment that both read alike changes
// nothing.
TEST_F(AccesoDatosTest, ATextWhoseCommentsSqliteWouldReadOtherwiseIsRefusedBeforeAnythingRuns) {
    ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id) VALUES (1)\rINSERT INTO CAB (Id) VALUES (2)"));
    const auto filas = [&] {
        return Valor(QStringLiteral("SELECT group_concat(Id || Nombre) FROM (SELECT Id, IFNULL(Nombre, '') "
                                    "AS Nombre FROM CAB ORDER BY Id)"))
            .toString();
    };
    for (const bool enTransaccion : {false, true}) {
        if (enTransaccion)
            ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION"));
        for (const auto& [texto, numero] : std::initializer_list<std::pair<const char*, long>>{
                 {"SELECT 1 /* /* */ ; DELETE FROM CAB; /* */", 113},
                 {"UPDATE CAB SET Id = Id /* /* */ + 100 /* */", 113},
                 {"DELETE FROM CAB /* /* */ WHERE Id = 1 -- */", 102},
                 {"INSERT INTO CAB (Id) VALUES (3)\rDELETE FROM CAB /* /* */ WHERE Id = 1 -- */", 102},
                 {"INSERT INTO CAB (Id) VALUES (3)\rDELETE FROM CAB /* WHERE Id = 1", 113},
                 {"/* a /* b */\rDELETE FROM CAB -- */", 0}}) {
            const QString sql = QLatin1StringView(texto);
            EXPECT_EQ(NumeroDeError([&] { ad.EjecutaSQL(sql); }), numero) << texto;
            EXPECT_EQ(filas(), QStringLiteral("1,2")) << texto;
            EXPECT_EQ(Trancount(), enTransaccion ? 1 : 0) << texto;
        }
        Registros rs;
        EXPECT_EQ(NumeroDeError([&] {
                      ad.ObtieneRecordset(QStringLiteral("SELECT Id FROM CAB /* /* */ WHERE Id = 2 -- */"),
                                          rs);
                  }),
                  102);
        if (enTransaccion)
            ad.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    }
    ad.EjecutaSQL(QStringLiteral("UPDATE CAB SET Nombre = 'x' /* a */ WHERE Id = 1 -- b /* c"));
    EXPECT_EQ(filas(), QStringLiteral("1x,2"));
}

// A savepoint saved again over its own name replaces it in SQLite too: a savepoint per row
// keeps SQLite's stack at one, however many rows.
TEST_F(AccesoDatosTest, ASavepointSavedAgainOverItsNameKeepsOneInSqlite) {
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION"));
    for (int i = 1; i <= 3; ++i)
        ad.EjecutaSQL(QStringLiteral("SAVE TRANSACTION fila\rINSERT INTO CAB (Id) VALUES (%1)").arg(i));
    const std::vector<sqlite3*> conexiones = ConexionesSqliteDeLaCapa();
    ASSERT_EQ(conexiones.size(), 1u);
    sqlite3* db = conexiones.front();
    // Counted underneath the layer, which lets no savepoint statement of others through.
    sqlite3_set_authorizer(db, nullptr, nullptr);
    int enSqlite = 0;
    while (sqlite3_exec(db, "RELEASE SAVEPOINT \"fila\"", nullptr, nullptr, nullptr) == SQLITE_OK)
        ++enSqlite;
    EXPECT_EQ(enSqlite, 1);
    ad.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
}

TEST_F(AccesoDatosTest, AKilledSaveLeavesTheDatabaseAsItWas) {
    ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id, Nombre) VALUES (1,'ANTES')"));
    ad.LeeConexion().Close();
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        AccesoDatos a;
        a.AsignaServidor(QStringLiteral("sqlite"));
        a.AsignaBaseDatos(ruta);
        a.Conecta();
        QString tanda = QStringLiteral("BEGIN TRANSACTION \r\rDELETE FROM CAB\r");
        for (int i = 0; i < 500; ++i)
            tanda += QStringLiteral("INSERT INTO CAB (Id, Nombre) VALUES (%1,'DURANTE')\r").arg(i + 10);
        a.EjecutaSQL(tanda);
        raise(SIGKILL);
        _exit(0);
    }
    int estado = 0;
    ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
    ASSERT_TRUE(WIFSIGNALED(estado));
    Conecta(ad);
    EXPECT_EQ(Valor(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CAB")).toInt(), 1);
    EXPECT_EQ(Valor(QStringLiteral("SELECT Nombre FROM CAB")).toString(), QStringLiteral("ANTES"));
}

TEST_F(AccesoDatosTest, IfExistsRunsTheStatementOnlyWhenTheConditionHolds) {
    const QString sql = QStringLiteral("IF NOT EXISTS (SELECT * FROM CONF WHERE Clave = 'NUEVA') "
                                       "INSERT INTO CONF (Clave, Valor) VALUES ('NUEVA', 'x')");
    ad.EjecutaSQL(sql);
    ad.EjecutaSQL(sql);
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CONF WHERE Clave = 'nueva'")).toInt(), 1);
}

// A check inside a batch: with its locking hints (the server's) and RAISERROR, it refuses the
// batch in words when its condition holds, and the rest of the batch still runs, as on the server.
TEST_F(AccesoDatosTest, ACheckThatRaisesAnErrorRefusesTheBatchInItsOwnWords) {
    const QString control =
        QStringLiteral("IF EXISTS(SELECT * FROM CAB WITH (UPDLOCK, HOLDLOCK) WHERE Id = 1) "
                       "RAISERROR('El número 1 ya fue tomado: vuelva a grabar, 100%% seguro.', 16, 1)");
    ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\r") + control +
                  QStringLiteral("\rINSERT INTO CAB (Id, Nombre) VALUES (1, 'PRIMERO')\rCOMMIT TRANSACTION"));
    EXPECT_EQ(ad.LeeConexion().Errors().Count(), 0);
    try {
        ad.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\r") + control +
                      QStringLiteral("\rINSERT INTO DET (Id, Articulo, Cantidad) VALUES (1, 'TRAS', 1)"));
        FAIL() << "the check did not refuse";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 50000);
        EXPECT_EQ(e.Descripcion(),
                  QStringLiteral("El número 1 ya fue tomado: vuelva a grabar, 100% seguro."));
    }
    EXPECT_EQ(Numeros(), (std::vector<long>{50000}));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM DET")).toInt(), 1);
    ad.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM DET")).toInt(), 0);
}

// ---------------------------------------------------------------------------------------
// Record sets

TEST_F(AccesoDatosTest, FieldsByNameIgnoreCaseAndTheLaterOfTwoColumnsWins) {
    ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id, Nombre) VALUES (5, NULL)"));
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT *, IFNULL(Nombre, 'SIN NOMBRE') AS NOMBRE, Id AS id FROM CAB"),
                        rs);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.FieldCount(), 5);
    EXPECT_EQ(rs.Fields(QStringLiteral("nombre")).toString(), QStringLiteral("SIN NOMBRE"));
    EXPECT_EQ(rs.IndiceCampo(QStringLiteral("NoMbRe")), 3);
    EXPECT_EQ(rs.IndiceCampo(QStringLiteral("ID")), 4);
    // A null reads as a null value, without an error.
    EXPECT_TRUE(rs.Fields(1).isNull());
    EXPECT_TRUE(rs.Fields(QStringLiteral("Alta")).isNull());
    try {
        rs.Fields(QStringLiteral("NoHay"));
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 3265);
    }
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_FALSE(rs.Bof());
    try {
        rs.Fields(0);
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 3021);
    }
}

TEST_F(AccesoDatosTest, AnEmptyResultIsBofAndEofAndDatesReadAsDates) {
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT * FROM CAB"), rs);
    EXPECT_TRUE(rs.Bof());
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(rs.RecordCount(), 0);
    ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id, Alta) VALUES (1, '05/03/2024 08:07:06')"));
    ad.ObtieneRecordset(QStringLiteral("SELECT Alta FROM CAB"), rs);
    EXPECT_EQ(rs.Fields(0).toDateTime(), QDateTime(QDate(2024, 3, 5), QTime(8, 7, 6)));
    // A closed or never opened set can be closed again.
    rs.Close();
    Registros nunca;
    ad.CierraRecordset(nunca);
    ad.CierraRecordset(rs);
    EXPECT_EQ(rs.State(), 0);
}

TEST_F(AccesoDatosTest, AForwardOnlySetStreamsItsRowsOneAtATime) {
    constexpr int kFilas = 100000;
    ad.LeeConexion().Close();
    ruta = dir.filePath(QStringLiteral("grande.db"));
    BaseEmbebida::Crea(
        ruta,
        {kEsquema, QStringLiteral("CREATE TABLE LARGO (Linea INTEGER PRIMARY KEY, Articulo TEXT, Cantidad "
                                  "REAL);\n"
                                  "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                                  "WHERE i < %1) INSERT INTO LARGO (Articulo, Cantidad) "
                                  "SELECT printf('%.200c', 'x'), i FROM n;")
                       .arg(kFilas - 1)});
    Conecta(ad);
    const QString relleno = QString(u'x').repeated(200);
    Registros rs;
    const size_t antes = MemoriaEnUso();
    ad.ObtieneRecordset(QStringLiteral("SELECT Linea, Articulo, Cantidad FROM LARGO ORDER BY Linea"), rs);
    double suma = 0;
    int filas = 0;
    size_t maximo = 0;
    for (; !rs.Eof(); rs.MoveNext()) {
        suma += rs.Fields(QStringLiteral("Cantidad")).toDouble();
        filas += rs.Fields(QStringLiteral("articulo")).toString().size() == relleno.size();
        if (filas % 10000 == 0)
            maximo = std::max(maximo, MemoriaEnUso());
    }
    EXPECT_EQ(filas, kFilas);
    EXPECT_DOUBLE_EQ(suma, double(kFilas - 1) * kFilas / 2);
    // 100,000 rows of 200 characters would take over 40 MB held in memory.
    EXPECT_LT(maximo - std::min(maximo, antes), size_t(8) << 20);
}

TEST_F(AccesoDatosTest, RecordCountIsTheTrueCountAndMoveFirstRunsTheQueryAgain) {
    ad.EjecutaSQL(
        QStringLiteral("INSERT INTO CAB (Id, Nombre) VALUES (1,'a')\rINSERT INTO CAB (Id, Nombre) VALUES "
                       "(2,'b')\rINSERT INTO CAB (Id, Nombre) VALUES (3,'c')"));
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT Id FROM CAB ORDER BY Id"), rs);
    rs.MoveNext();
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.Fields(0).toInt(), 2);
    rs.MoveNext();
    EXPECT_EQ(rs.Fields(0).toInt(), 3);
    rs.MoveFirst();
    EXPECT_EQ(rs.Fields(0).toInt(), 1);
    rs.MoveNext();
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    rs.MoveFirst();
    EXPECT_EQ(rs.Fields(0).toInt(), 1);
    EXPECT_EQ(rs.RecordCount(), 3);
}

TEST_F(AccesoDatosTest, AnEditableSetAddsAndUpdatesRowsByPrimaryKey) {
    // The error table: a new row with the assigned columns.
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("select  top 1 * from ERR  with(nolock) "), rs, nullptr, 2, 3);
    rs.AddNew();
    EXPECT_FALSE(rs.Eof());
    rs.AsignaCampo(QStringLiteral("Proceso"), QStringLiteral("modelos"));
    rs.AsignaCampo(QStringLiteral("Fecha"), QStringLiteral("05/03/24 10:15"));
    rs.AsignaCampo(QStringLiteral("Error"), 2627);
    rs.AsignaCampo(QStringLiteral("Descripcion"), QStringLiteral("it's refused"));
    rs.AsignaCampo(QStringLiteral("SQL"), QStringLiteral("BEGIN TRANSACTION \r\r\r\nINSERT ..."));
    rs.Update();
    rs.Close();
    ad.ObtieneRecordset(QStringLiteral("SELECT * FROM ERR"), rs);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields(QStringLiteral("Error")).toInt(), 2627);
    EXPECT_EQ(rs.Fields(QStringLiteral("Descripcion")).toString(), QStringLiteral("it's refused"));
    EXPECT_EQ(rs.Fields(QStringLiteral("SQL")).toString(),
              QStringLiteral("BEGIN TRANSACTION \r\r\r\nINSERT ..."));
    EXPECT_EQ(rs.Fields(QStringLiteral("Fecha")).toString(), QStringLiteral("2024-03-05 10:15:00"));

    // The configuration row: edited in place, its key rewritten.
    ad.ObtieneRecordset(QStringLiteral("SELECT * FROM CONF with(nolock)  WHERE CLAVE = 'ANCHOS'"), rs,
                        &ad.LeeConexion(), 2, 3);
    ASSERT_FALSE(rs.Eof());
    rs.MoveFirst();
    rs.AsignaCampo(QStringLiteral("Clave"), QStringLiteral("ANCHOS"));
    rs.AsignaCampo(QStringLiteral("Valor"), QStringLiteral("30|40"));
    rs.AsignaCampo(QStringLiteral("Politica"), true);
    EXPECT_EQ(rs.Fields(QStringLiteral("Valor")).toString(), QStringLiteral("30|40"));
    rs.Update();
    EXPECT_EQ(
        Valor(QStringLiteral("SELECT Clave || '=' || Valor || '/' || Politica || '/' || Grupo FROM CONF"))
            .toString(),
        QStringLiteral("ANCHOS=30|40/1/DATOS"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CONF")).toInt(), 1);

    // A refused save raises and fills the error list; the edit stays for a retry.
    ad.ObtieneRecordset(QStringLiteral("SELECT * FROM CONF"), rs, nullptr, 2, 3);
    rs.AddNew();
    rs.AsignaCampo(QStringLiteral("Clave"), QStringLiteral("anchos"));
    EXPECT_THROW(rs.Update(), ErrorSistema);
    EXPECT_EQ(Numeros(), (std::vector<long>{2627, 3621}));
    rs.AsignaCampo(QStringLiteral("Clave"), QStringLiteral("OTRA"));
    rs.Update();
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CONF")).toInt(), 2);
}

TEST_F(AccesoDatosTest, AReadOnlySetRefusesEdits) {
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT * FROM CONF"), rs);
    try {
        rs.AddNew();
        FAIL();
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 3251);
    }
    EXPECT_THROW(rs.AsignaCampo(QStringLiteral("Valor"), 1), ErrorSistema);
}

// ---------------------------------------------------------------------------------------
// Look-ups

TEST_F(AccesoDatosTest, LookUpsGiveEmptyTextForNoRowAndTheMaximumForAnEmptyTableIsZero) {
    EXPECT_EQ(ad.MaximoValor(QStringLiteral("CAB"), QStringLiteral("Id"), QStringLiteral("@")).toInt(), 0);
    ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id, Nombre) VALUES (7,'O''Brien   ')\r"
                                 "INSERT INTO CAB (Id, Nombre) VALUES (12,NULL)"));
    EXPECT_EQ(ad.MaximoValor(QStringLiteral("CAB"), QStringLiteral("iD"), QStringLiteral("@")).toInt(), 12)
        << "a column name in another case";
    EXPECT_EQ(ad.MaximoValor(QStringLiteral("CAB"), QStringLiteral("Id"), QStringLiteral("@"),
                             QStringLiteral("Id < 10"))
                  .toInt(),
              7);

    const QVariant nombre = ad.ObtieneValorTabla(QStringLiteral("CAB"), QStringLiteral("7"),
                                                 QStringLiteral("Nombre"), QStringLiteral("Id"), 3);
    EXPECT_EQ(nombre.toString(), QStringLiteral("O'Brien   "));
    for (const QVariant& v :
         {ad.ObtieneValorTabla(QStringLiteral("CAB"), QStringLiteral("8"), QStringLiteral("Nombre"),
                               QStringLiteral("Id"), 3),
          ad.ObtieneValorTabla(QStringLiteral("CAB"), QStringLiteral("12"), QStringLiteral("Nombre"),
                               QStringLiteral("Id"), 3),
          ad.ObtieneValorTabla(QStringLiteral("CAB"), QStringLiteral("o'brien"), QStringLiteral("Id"),
                               QStringLiteral("Nombre"), 8, QStringLiteral("Id > 7"))}) {
        EXPECT_EQ(v.typeId(), QMetaType::QString);
        EXPECT_FALSE(v.isNull());
        EXPECT_EQ(v.toString(), QString());
    }
    // Text keys compare as the server does: case and trailing blanks ignored.
    EXPECT_EQ(ad.ObtieneValorTabla(QStringLiteral("CAB"), QStringLiteral("o'brien"), QStringLiteral("Id"),
                                   QStringLiteral("Nombre"))
                  .toInt(),
              7);

    Registros rs;
    EXPECT_TRUE(
        ad.ExisteRegistro(QStringLiteral("CAB"), QStringLiteral("O'BRIEN"), QStringLiteral("Nombre"), &rs));
    ASSERT_EQ(rs.State(), 1);
    EXPECT_EQ(rs.Fields(QStringLiteral("Id")).toInt(), 7);
    EXPECT_FALSE(ad.ExisteRegistro(QStringLiteral("CAB"), QStringLiteral("O'BRIEN"), QStringLiteral("Nombre"),
                                   &rs, 8, QStringLiteral("Id = 12")));
    EXPECT_FALSE(
        ad.ExisteRegistro(QStringLiteral("CAB"), QStringLiteral("x') OR ('1'='1"), QStringLiteral("Nombre")));
}

// ---------------------------------------------------------------------------------------
// Literals

TEST_F(AccesoDatosTest, TextLiteralsAlwaysDoubleTheirApostrophes) {
    EXPECT_EQ(ad.FormateaValorSQL(QStringLiteral("O'Brien"), QStringLiteral("'")),
              QStringLiteral("'O''Brien'"));
    EXPECT_EQ(ad.FormateaValorSQL(QStringLiteral("''"), QStringLiteral("'")), QStringLiteral("''''''"));
    EXPECT_EQ(ad.FormateaValorSQL(QString(), QStringLiteral("'")), QStringLiteral("''"));
    EXPECT_EQ(ad.FormateaValorSQL(QVariant(), QStringLiteral("'")), QStringLiteral("NULL"));
    EXPECT_EQ(ad.FormateaValorSQL(QDateTime(QDate(2024, 3, 5), QTime(8, 7, 6)), QStringLiteral("'")),
              QStringLiteral("'2024-03-05 08:07:06'"));
    EXPECT_EQ(ad.FormateaValorSQL(QStringLiteral("tal cual"), QString()), QStringLiteral("tal cual"));
    // Whatever a user types stays inside its literal.
    const QString hostil = QStringLiteral("x'); DELETE FROM CONF; --");
    ad.EjecutaSQL(QStringLiteral("INSERT INTO CONF (Clave, Valor) VALUES (") +
                  ad.FormateaValorSQL(hostil, QStringLiteral("'")) + QStringLiteral(", 'v')"));
    EXPECT_EQ(Valor(QStringLiteral("SELECT count(*) FROM CONF")).toInt(), 2);
    EXPECT_EQ(
        ad.ObtieneValorTabla(QStringLiteral("CONF"), hostil, QStringLiteral("Valor"), QStringLiteral("Clave"))
            .toString(),
        QStringLiteral("v"));
}

TEST_F(AccesoDatosTest, NumericLiteralsUseAPointAndNoGroupingWhateverTheRegion) {
    Regional::Fijo region(u',', u'.');
    EXPECT_EQ(ad.FormateaValorSQL(1234.5, QStringLiteral("@")), QStringLiteral("1234.5"));
    EXPECT_EQ(ad.FormateaValorSQL(-0.25, QStringLiteral("@")), QStringLiteral("-0.25"));
    EXPECT_EQ(ad.FormateaValorSQL(1e20, QStringLiteral("@")), QStringLiteral("1e+20"));
    EXPECT_EQ(ad.FormateaValorSQL(qint64(9007199254740993), QStringLiteral("@")),
              QStringLiteral("9007199254740993"));
    EXPECT_EQ(ad.FormateaValorSQL(true, QStringLiteral("@")), QStringLiteral("1"));
    EXPECT_EQ(ad.FormateaValorSQL(QVariant::fromValue(Moneda::DeCrudo(-12345678)), QStringLiteral("@")),
              QStringLiteral("-1234.5678"));
    // A cell's text is the number it reads as.
    EXPECT_EQ(ad.FormateaValorSQL(QStringLiteral("1.234,5"), QStringLiteral("@")), QStringLiteral("1234.5"));
    EXPECT_EQ(ad.FormateaValorSQL(QStringLiteral(" 3 "), QStringLiteral("@")), QStringLiteral("3"));
    EXPECT_EQ(ad.FormateaValorSQL(QStringLiteral(""), QStringLiteral("@")), QStringLiteral("0"));
    for (const char* malo : {"12abc", "1; DELETE FROM CONF", "--"}) {
        try {
            ad.FormateaValorSQL(QString::fromLatin1(malo), QStringLiteral("@"));
            FAIL() << malo;
        } catch (const ErrorSistema& e) {
            EXPECT_EQ(e.Numero(), 13);
        }
    }
    // A text literal of a number keeps the regional form the program shows.
    EXPECT_EQ(ad.FormateaValorSQL(2.5, QStringLiteral("'")), QStringLiteral("'2,5'"));
}

TEST_F(AccesoDatosTest, TemplateInsertsStoreTheSameValuesAsPlainStatements) {
    // Rows of one shape run one prepared statement: every literal form must come out as written.
    ad.EjecutaSQL(QStringLiteral("INSERT INTO CAB (Id) VALUES (1)"));
    QString tanda;
    const QStringList valores = {QStringLiteral("'it''s'"), QStringLiteral("N'ñandú'"),
                                 QStringLiteral("NULL"),    QStringLiteral("'1/2/24 3:04'"),
                                 QStringLiteral("''"),      QStringLiteral("'   7'")};
    for (int i = 0; i < valores.size(); ++i)
        tanda += QStringLiteral("INSERT INTO DET (Id, Articulo, Cantidad, Unidad) VALUES (1, %1, %2, 'UN')\r")
                     .arg(valores[i])
                     .arg(QStringList{"-1.5e1", "0.25", "3", "+4", "12345678901234567890", ".5"}[i]);
    try {
        ad.EjecutaSQL(tanda);
        FAIL() << "a negative quantity was stored";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 547);
    }
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT Articulo, Cantidad FROM DET ORDER BY Linea"), rs);
    // An article code shaped like a date is not a date: it is kept as written.
    const QList<QVariant> articulos = {QStringLiteral("ñandú"), QVariant(), QStringLiteral("1/2/24 3:04"),
                                       QStringLiteral(""), QStringLiteral("   7")};
    const QList<double> cantidades = {0.25, 3, 4, 12345678901234567890.0, 0.5};
    for (int i = 0; i < articulos.size(); ++i, rs.MoveNext()) {
        ASSERT_FALSE(rs.Eof());
        EXPECT_EQ(rs.Fields(0), articulos[i]) << i;
        EXPECT_DOUBLE_EQ(rs.Fields(1).toDouble(), cantidades[i]) << i;
    }
    EXPECT_TRUE(rs.Eof());
}

// ---------------------------------------------------------------------------------------
// Central error handler

TEST_F(AccesoDatosTest, GestionaErrorAsksAbortRetryIgnoreAndReturnsTheAnswer) {
    const quint64 abandonos = Abandonos();
    guion.AgregaRespuesta(Respuesta::Reintentar);
    guion.AgregaRespuesta(Respuesta::Ignorar);
    guion.AgregaRespuesta(Respuesta::Abortar);
    int intentos = 0;
    bool ultimo = false;
    const bool completo = EjecutaPasos(
        {[&] {
             ++intentos;
             if (intentos < 2)
                 ad.EjecutaSQL(QStringLiteral("INSERT INTO NO_EXISTE VALUES (1)"));
         },
         [&] { ad.EjecutaSQL(QStringLiteral("SELEC")); }, [&] { ad.EjecutaSQL(QStringLiteral("SELEC")); },
         [&] { ultimo = true; }},
        [&](const ErrorSistema& e) { return ad.GestionaError(e, QStringLiteral("ActualizaStock")); });
    EXPECT_FALSE(completo);
    EXPECT_EQ(intentos, 2);
    EXPECT_FALSE(ultimo);
    ASSERT_EQ(guion.Registros().size(), 3u);
    const auto& primero = guion.Registros()[0];
    EXPECT_EQ(primero.estilo, Estilo::AbortarReintentarIgnorar | Estilo::Critico);
    EXPECT_TRUE(primero.texto.contains(QStringLiteral("(208)"))) << primero.texto.toStdString();
    EXPECT_TRUE(primero.texto.contains(QStringLiteral("NO_EXISTE")));
    EXPECT_TRUE(primero.titulo.contains(QStringLiteral("ActualizaStock")));
    EXPECT_EQ(ad.GestionaError(ErrorSistema(0, QString())), 0);
    EXPECT_EQ(guion.Registros().size(), 3u);
    // Only the answer that left is counted, for the callers of the routines that asked.
    EXPECT_EQ(Abandonos() - abandonos, 1u);
}

// ---------------------------------------------------------------------------------------
// The key of the stock movements in files made before it

TEST_F(AccesoDatosTest, AStockFileWithoutItsKeyGetsItOrIsLeftAsItWasAndTheUserIsToldWhy) {
    const QString tabla =
        QStringLiteral("CREATE TABLE V_MV_STOCK (TC VARCHAR(4) COLLATE TEXTO NOT NULL, IdComprobante "
                       "VARCHAR(13) COLLATE TEXTO NOT NULL, IdComplemento INTEGER DEFAULT 0, "
                       "Secuencia REAL, Descripcion TEXT);\n");
    const QString fila = QStringLiteral("INSERT INTO V_MV_STOCK VALUES ('%1', '%2', %3, 1, 'x');\n");
    const auto clave = [](AccesoDatos& a) {
        Registros rs;
        a.ObtieneRecordset(QStringLiteral("SELECT sql FROM sqlite_schema WHERE name = 'IX_MV_STOCK_CPTE'"),
                           rs);
        return rs.Eof() ? QString() : rs.Fields(0).toString();
    };
    // Without repeated identities (a null complement takes no part): the key is made on opening.
    const QString sana = dir.filePath(QStringLiteral("sana.db"));
    BaseEmbebida::Crea(
        sana, {tabla + fila.arg(" IR", "000100000001X", "0") + fila.arg(" IR", "000100000002X", "0") +
               fila.arg(" IR", "000100000003X", "NULL") + fila.arg(" IR", "000100000003X", "NULL")});
    AccesoDatos a;
    a.AsignaServidor(QStringLiteral("sqlite"));
    a.AsignaBaseDatos(sana);
    a.Conecta();
    EXPECT_TRUE(clave(a).contains(QStringLiteral("(TC, IdComprobante, IdComplemento, Secuencia)")));
    EXPECT_EQ(guion.Mensajes(), QStringList());
    a.EjecutaSQL(QStringLiteral("INSERT INTO V_MV_STOCK VALUES (' IR', '000100000001X', 0, 2, 'y')"));
    EXPECT_THROW(
        a.EjecutaSQL(QStringLiteral("INSERT INTO V_MV_STOCK VALUES (' ir', '000100000001X', 0, 2, 'z')")),
        ErrorSistema);
    a.LeeConexion().Close();

    // Two vouchers under one identity (in the key's own comparison: case and trailing blanks
    // aside), and 21 more: opened as it is, the user told which.
    const QString repetida = dir.filePath(QStringLiteral("repetida.db"));
    QString filas = tabla + fila.arg(" AJN", "009900000001X", "0") + fila.arg(" ajn ", "009900000001X", "0");
    for (int i = 0; i < 21; ++i)
        filas += fila.arg(" VS", QStringLiteral("0001%1X").arg(i, 8, 10, QLatin1Char('0')), "0").repeated(2);
    BaseEmbebida::Crea(repetida, {filas});
    a.AsignaBaseDatos(repetida);
    a.Conecta(); // the first connection turns the file to write-ahead logging
    a.LeeConexion().Close();
    guion.Limpia();
    QFile archivo(repetida);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QByteArray antes = archivo.readAll();
    archivo.close();
    a.Conecta();
    ASSERT_EQ(guion.Mensajes().size(), 1);
    const QString aviso = guion.Mensajes().front();
    EXPECT_TRUE(aviso.startsWith(
        QStringLiteral("La base de datos guarda comprobantes de stock que comparten una "
                       "identidad (tipo, número y complemento):\r\n   AJN 009900000001X 0\r\n   "
                       "VS 000100000000X 0\r\n")))
        << aviso.toStdString();
    EXPECT_TRUE(
        aviso.contains(QStringLiteral("VS 000100000018X 0\r\n   ... y 2 más\r\nSe abrió sin cambios")))
        << aviso.toStdString();
    EXPECT_EQ(guion.Registros().back().titulo, QStringLiteral("Aviso al Operador"));
    EXPECT_EQ(clave(a), QString());
    EXPECT_EQ(Valor(QStringLiteral("SELECT COUNT(*) FROM V_MV_STOCK"), &a).toInt(), 44);
    a.LeeConexion().Close();
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(archivo.readAll(), antes);
}

} // namespace

// The data-access object on a T-SQL server, connected as a site's: the server's error numbers,
// transactions, record sets, the administration tables, dates in day-month-year order whatever
// the login's, and batches whose transaction the server ends. Error numbers and transaction
// state are asserted, never the server's texts.

#include "AccesoDatos.h"
#include "Ayudas.h"
#include "BaseDemo.h"
#include "BaseTsql.h"
#include "Globales.h"
#include "Registros.h"
#include "Reloj.h"
#include "ReportaError.h"
#include "TandasSql.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>

namespace {

// What the program hands the ODBC driver: the connection texts of the driver manager's trace
// (passwords masked), kept in `archivo` while the object lives. The trace is the process's:
// switched on and off through a connection of its own.
class TrazaOdbc {
public:
    explicit TrazaOdbc(QString archivo) : archivo_(std::move(archivo)) {
        Conmuta(QStringLiteral("SQL_ATTR_TRACEFILE=%1;SQL_ATTR_TRACE=SQL_OPT_TRACE_ON").arg(archivo_));
    }
    ~TrazaOdbc() { Conmuta(QStringLiteral("SQL_ATTR_TRACE=SQL_OPT_TRACE_OFF")); }
    TrazaOdbc(const TrazaOdbc&) = delete;
    TrazaOdbc& operator=(const TrazaOdbc&) = delete;
    // Every connection text the driver got, in order.
    QStringList Cadenas() const {
        QFile f(archivo_);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        static const QRegularExpression cadena(QStringLiteral(R"(Str In = \[(.*)\]\[length = \d+\])"));
        QStringList r;
        for (auto m = cadena.globalMatch(QString::fromUtf8(f.readAll())); m.hasNext();)
            if (const QString c = m.next().captured(1); c != kPropia)
                r << c;
        return r;
    }

private:
    static constexpr const char* kPropia = "DRIVER={sin controlador};";
    static void Conmuta(const QString& opciones) {
        const QString nombre = QStringLiteral("traza");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre);
            db.setDatabaseName(QLatin1StringView(kPropia));
            db.setConnectOptions(opciones);
            db.open();
        }
        QSqlDatabase::removeDatabase(nombre);
    }
    QString archivo_;
};

class AccesoTsql : public ConBaseDemo {
protected:
    static long Numero(const QString& sql) {
        try {
            AD().EjecutaSQL(sql);
        } catch (const ErrorSistema& e) {
            return e.Numero();
        }
        return 0;
    }
    static QVariant Valor(const QString& sql) {
        Registros rs;
        AD().ObtieneRecordset(sql, rs);
        return rs.Eof() ? QVariant() : rs.Fields(0);
    }
    static int Profundidad() { return Valor(QStringLiteral("SELECT @@TRANCOUNT")).toInt(); }
    // A batch saved as a voucher form saves: one transaction, refused whole or stored whole.
    static bool Guarda(const QStringList& sentencias) {
        bool hayError = false;
        qint32 numero = 0;
        QString tanda, mensajes;
        GActualizarDatoScript(sentencias, hayError, numero, false, false, tanda, mensajes, false);
        return !hayError;
    }
    static int Filas(const QString& tabla, const QString& condicion) {
        return Valor(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(tabla, condicion)).toInt();
    }
};

TEST_F(AccesoTsql, TheServersNumbersForEveryRefusalAndNestedTransactions) {
    EXPECT_EQ(Numero("INSERT INTO V_TA_Unidad (IdUnidad, Descripcion) VALUES ('  UN', 'otra')"), 2627);
    EXPECT_EQ(Numero("INSERT INTO V_CPTES_MODELO_DET (IdVardelio, IdArticulo) VALUES (987654, 'X')"), 547);
    EXPECT_EQ(Numero("INSERT INTO V_TA_Unidad (IdUnidad, Descripcion) VALUES ('ABCDE', 'larga')"), 8152);
    EXPECT_EQ(Numero("RAISERROR('tomado', 16, 1)"), 50000);
    EXPECT_EQ(Numero("IF EXISTS(SELECT * FROM V_TA_Unidad WITH (UPDLOCK, HOLDLOCK) WHERE IdUnidad = '  UN') "
                     "RAISERROR('tomado', 16, 1)"),
              50000);
    EXPECT_EQ(Numero("IF EXISTS(SELECT * FROM V_TA_Unidad WHERE IdUnidad = 'NADA') RAISERROR('no', 16, 1)"),
              0);
    EXPECT_EQ(Numero("COMMIT TRANSACTION"), 3902);
    EXPECT_EQ(Numero("ROLLBACK TRANSACTION"), 3903);
    EXPECT_EQ(AD().LeeConexion().Errors().Item(0).NativeError, 3903);

    AD().EjecutaSQL(
        "BEGIN TRANSACTION\rBEGIN TRANSACTION\rINSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  ZZ')");
    EXPECT_EQ(Profundidad(), 2);
    AD().EjecutaSQL("COMMIT TRANSACTION");
    EXPECT_EQ(Profundidad(), 1);
    AD().EjecutaSQL("ROLLBACK TRANSACTION");
    EXPECT_EQ(Profundidad(), 0);
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad = '  ZZ'"), 0);
}

TEST_F(AccesoTsql, RecordSetsStreamBesideOtherStatementsAndUpdateByTheirKey) {
    // SQL Server serves one open result per connection: a streaming set lets the next statement
    // run and goes on reading.
    Registros rs;
    AD().ObtieneRecordset(QStringLiteral("SELECT IDARTICULO FROM V_MA_ARTICULOS ORDER BY IDARTICULO"), rs);
    ASSERT_FALSE(rs.Eof());
    AD().EjecutaSQL("UPDATE V_TA_Unidad SET Descripcion = 'Unidad' WHERE IdUnidad = '  UN'");
    int filas = 0;
    for (; !rs.Eof(); rs.MoveNext())
        ++filas;
    EXPECT_EQ(filas, Valor("SELECT COUNT(*) FROM V_MA_ARTICULOS").toInt());

    // A row whose date carries milliseconds, which the text of the value read cannot match: the
    // editable set finds it by its key.
    AD().EjecutaSQL(
        "INSERT INTO AUX_ERR (Proceso, Fecha, Error) VALUES ('prueba', '2026-12-13T10:20:30.123', 1)");
    const int id = Valor("SELECT MAX(Id) FROM AUX_ERR").toInt();
    Registros editable;
    AD().ObtieneRecordset(QStringLiteral("SELECT * FROM AUX_ERR WHERE Id = %1").arg(id), editable, nullptr,
                          TipoCursor::Dinamico, TipoBloqueo::Optimista);
    editable.AsignaCampo(QStringLiteral("Descripcion"), QStringLiteral("cambiada"));
    ASSERT_NO_THROW(editable.Update());
    EXPECT_EQ(Valor(QStringLiteral("SELECT Descripcion FROM AUX_ERR WHERE Id = %1").arg(id)).toString(),
              QStringLiteral("cambiada"));
    // And a new row takes the identity the server gives.
    editable.AddNew();
    editable.AsignaCampo(QStringLiteral("Proceso"), QStringLiteral("nueva"));
    editable.Update();
    EXPECT_EQ(Filas("AUX_ERR", "Proceso = 'nueva' AND Id > " + QString::number(id)), 1);
}

TEST_F(AccesoTsql, AdministrationTablesInTheSessionsDatabaseOrInTheOneTheDataName) {
    EXPECT_EQ(AD().ObtieneValorTabla(QStringLiteral("@ADMIN_V_TA_Deposito"), QStringLiteral("   2"),
                                     QStringLiteral("Descripcion"), QStringLiteral("IdDeposito"))
                  .toString(),
              QStringLiteral("Depósito Norte"));
    EXPECT_TRUE(AD().ExisteRegistro(QStringLiteral("@admin_v_ta_deposito"), QStringLiteral("   1"),
                                    QStringLiteral("IdDeposito")));

    // An administration database of its own, named by the connection data.
    const QString admin = BaseTsql() + QStringLiteral("_adm");
    CreaBaseAdministracion(admin, QStringLiteral("('   2', 'Norte de la administración', '   1', NULL)"));
    AccesoDatos ad;
    ad.AsignaDatoConexion(QStringLiteral("ADMIN=") + admin);
    ConectaTsql(ad, BaseTsql());
    EXPECT_EQ(ad.ObtieneValorTabla(QStringLiteral("@ADMIN_V_TA_Deposito"), QStringLiteral("   2"),
                                   QStringLiteral("Descripcion"), QStringLiteral("IdDeposito"))
                  .toString(),
              QStringLiteral("Norte de la administración"));
    ad.EjecutaSQL("INSERT INTO @Admin_V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES('   7','CAJA 7')");
    EXPECT_EQ(
        ad.MaximoValor(QStringLiteral("@ADMIN_V_TA_Cajas"), QStringLiteral("IdCajas"), QString()).toString(),
        QStringLiteral("   7"));
    EXPECT_EQ(Filas("V_TA_Cajas", "IdCajas = '   7'"), 0);
    // A text that only names the prefix is kept as written.
    ad.EjecutaSQL("UPDATE @ADMIN_V_TA_Cajas SET Descripcion = '@ADMIN_X' WHERE IdCajas = '   7'");
    EXPECT_EQ(ad.ObtieneValorTabla(QStringLiteral("@ADMIN_V_TA_Cajas"), QStringLiteral("   7"),
                                   QStringLiteral("Descripcion"), QStringLiteral("IdCajas"))
                  .toString(),
              QStringLiteral("@ADMIN_X"));
    ad.LeeConexion().Close();
    BorraBaseTsql(admin);

    // The session's own tables too are asked of its catalog once per connection, not per voucher.
    EXPECT_FALSE(AD().SesionTieneTabla(QStringLiteral("MV_NUEVA")));
    EjecutaTsql(BaseTsql(), {QStringLiteral("CREATE VIEW MV_NUEVA AS SELECT 1 AS Uno")});
    EXPECT_FALSE(AD().SesionTieneTabla(QStringLiteral("mv_nueva")));
    AD().LeeConexion().Close();
    ConectaTsql(AD(), BaseTsql());
    EXPECT_TRUE(AD().SesionTieneTabla(QStringLiteral("MV_NUEVA")));
}

// A site's login in a transaction of its own when its connection first meets an administration
// table, of the program's names or any other: one the administration database lacks is the
// session's, one there that the login may not read is refused in words that name the right, the
// table and the base; the transaction stays whole, and its COMMIT stores what it holds. The
// program's names are resolved when the connection opens: a right granted later counts from the
// next connection.
TEST_F(AccesoTsql, TheFirstMeetingWithAnAdministrationTableKeepsTheCallersTransaction) {
    const QString admin = BaseTsql() + QStringLiteral("_adm");
    const QString login = BaseTsql() + QStringLiteral("_sitio");
    AccesoDatos ad;
    ConectaSitioConAdministracion(ad, BaseTsql(), admin, login,
                                  QStringLiteral("('   2', 'Norte de la administración', '   1', NULL)"));
    EjecutaTsql(admin, {QStringLiteral("CREATE TABLE TA_AJENA (Id INT)")});
    EjecutaTsql(BaseTsql(), {QStringLiteral("CREATE TABLE TA_PROPIA (Id INT)")});
    EjecutaTsql(admin, {QStringLiteral("GRANT SELECT ON V_TA_Cajas TO [%1]").arg(login)});
    ad.EjecutaSQL("BEGIN TRANSACTION\rINSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  ZZ')");
    for (const char* tabla : {"MV_ASIENTOS", "TA_PROPIA"})
        EXPECT_NO_THROW(ad.EjecutaSQL(QStringLiteral("SELECT COUNT(*) FROM @ADMIN_") + QLatin1String(tabla)))
            << tabla;
    for (const char* tabla : {"V_TA_Cajas", "TA_AJENA"}) {
        EXPECT_EQ(NumeroDeError([&] {
                      ad.EjecutaSQL(QStringLiteral("SELECT COUNT(*) FROM @ADMIN_") + QLatin1String(tabla));
                  }),
                  229)
            << tabla;
        EXPECT_EQ(ad.LeeConexion().Errors().Item(0).Description,
                  SinDerechoAdministracion(login, QStringLiteral("SELECT"), QLatin1String(tabla), admin));
    }
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT @@TRANCOUNT"), rs);
    EXPECT_EQ(rs.Fields(0).toInt(), 1);
    rs.Close();
    EXPECT_EQ(NumeroDeError([&] { ad.EjecutaSQL("COMMIT TRANSACTION"); }), 0);
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad = '  ZZ'"), 1);
    ad.LeeConexion().Close();
    BorraBaseTsql(admin);
    BorraLoginSitio(login);
}

// The administration database's name from the connection data is one name, never SQL: one that
// the server does not have refuses the connection (911) by its name.
TEST_F(AccesoTsql, TheAdministrationDatabaseIsOneNameThatMustExist) {
    // An ODBC value holds a ";" between braces.
    for (const auto& [dato, nombre] : {std::pair{"{[x].dbo.V_TA_Unidad; DROP TABLE V_TA_Unidad --}",
                                                 "[x].dbo.V_TA_Unidad; DROP TABLE V_TA_Unidad --"},
                                       {"[a]]b]", "a]]b"}}) {
        AccesoDatos ad;
        ad.AsignaDatoConexion(QStringLiteral("ADMIN=") + dato);
        EXPECT_EQ(NumeroDeError([&] { ConectaTsql(ad, BaseTsql()); }), 911);
        EXPECT_TRUE(
            !ad.EstaConectado() && ad.FalloDatoConexion() &&
            ad.LeeConexion().Errors().Item(0).Description.contains(QStringLiteral("\"%1\"").arg(nombre)));
    }
    EXPECT_GT(Filas("V_TA_Unidad", "1 = 1"), 0);
}

// The FreeTDS driver, however the data name it (its name spelt any way, its library's path), reads
// the server's accents under "C" (the tests' locale). What no server could mend in the data is
// told before anything reaches the driver: an item without "=", ADMIN= given twice, a client
// character set other than the UTF-8 the program reads.
TEST_F(AccesoTsql, TheConnectionDataAsASiteMaySpellThem) {
    for (const QString& driver : {QStringLiteral("DRIVER=FreeTDS"), QStringLiteral("driver = {freetds}"),
                                  QStringLiteral("DRIVER={FreeTDS};ClientCharset=UTF-8"),
                                  QStringLiteral("DRIVER=") + BibliotecaFreeTds()}) {
        AccesoDatos ad;
        ad.AsignaDatoConexion(driver + QStringLiteral(";TDS_Version=7.3"));
        ConectaTsql(ad, BaseTsql());
        EXPECT_EQ(ad.ObtieneValorTabla(QStringLiteral("V_TA_Deposito"), QStringLiteral("   2"),
                                       QStringLiteral("Descripcion"), QStringLiteral("IdDeposito"))
                      .toString(),
                  QStringLiteral("Depósito Norte"))
            << driver.toStdString();
        EXPECT_EQ(ad.LeeCadenaConexion().count(QStringLiteral("ClientCharset"), Qt::CaseInsensitive), 1);
    }
    const TrazaOdbc traza(QDir(Carpeta()).filePath(QStringLiteral("traza")));
    const auto conecta = [&](const QString& dato) {
        AccesoDatos ad;
        ad.AsignaDatoConexion(dato);
        const long numero = NumeroDeError([&] { ConectaTsql(ad, BaseTsql()); });
        EXPECT_TRUE(!ad.EstaConectado() && ad.FalloDatoConexion()) << dato.toStdString();
        return std::pair{numero, ad.LeeConexion().Errors().Count() > 0
                                     ? ad.LeeConexion().Errors().Item(0).Description
                                     : QString()};
    };
    // Between braces the ";" is the value's: that reaches the driver, and the server has no such base.
    EXPECT_EQ(conecta(QStringLiteral("ADMIN={Gestión;Admin}")).first, 911);
    ASSERT_EQ(traza.Cadenas().size(), 1);
    const auto [sinIgual, textoSinIgual] = conecta(QStringLiteral("ADMIN=[Gestión;Admin]"));
    EXPECT_EQ(sinIgual, 5);
    EXPECT_TRUE(textoSinIgual.contains(QStringLiteral("\"Admin]\""))) << textoSinIgual.toStdString();
    const auto [dosVeces, textoDosVeces] =
        conecta(QStringLiteral("ADMIN=NO_EXISTE;PORT=1;ADMIN=") + BaseTsql());
    EXPECT_EQ(dosVeces, 5);
    EXPECT_TRUE(textoDosVeces.contains(QStringLiteral("ADMIN=NO_EXISTE y ADMIN=") + BaseTsql()))
        << textoDosVeces.toStdString();
    for (const char* juego : {"ClientCharset=ISO-8859-1", "DRIVER=FreeTDS;clientcharset = {CP1252}"}) {
        const auto [numero, texto] = conecta(QLatin1StringView(juego));
        EXPECT_EQ(numero, 5) << juego;
        EXPECT_TRUE(texto.contains(QStringLiteral("ClientCharset=")) &&
                    texto.contains(QStringLiteral("UTF-8")))
            << texto.toStdString();
    }
    EXPECT_EQ(traza.Cadenas().size(), 1);
}

// A site's DSN, in the file that ODBCINI names, as the connection data name it: the program adds
// no server or port of its own (the DSN's hold), the session's database, login and password still
// go, and FreeTDS, however the DSN names it, reads the accents under "C", also where the DSN
// tells it another client character set.
TEST_F(AccesoTsql, ASitesDsnReachesTheSessionsDatabase) {
    const QString archivo = QDir(Carpeta()).filePath(QStringLiteral("odbc.ini"));
    AgregaDsnTsql(archivo, QStringLiteral("sitio7"), QStringLiteral("FreeTDS"));
    AgregaDsnTsql(archivo, QStringLiteral("sitio8"), BibliotecaFreeTds(),
                  {QStringLiteral("ClientCharset = ISO-8859-1")});
    const VariableEntorno odbcini("ODBCINI");
    odbcini.Pon(archivo);
    for (const QString& dato : {QStringLiteral("ADMIN=%1;DSN=sitio7").arg(BaseTsql()),
                                QStringLiteral("TDS_Version=7.3; dsn = {sitio8}")}) {
        AccesoDatos ad;
        ad.AsignaDatoConexion(dato);
        ASSERT_NO_THROW(ConectaTsql(ad, BaseTsql())) << dato.toStdString();
        EXPECT_EQ(ad.ObtieneValorTabla(QStringLiteral("@ADMIN_V_TA_Deposito"), QStringLiteral("   2"),
                                       QStringLiteral("Descripcion"), QStringLiteral("IdDeposito"))
                      .toString(),
                  QStringLiteral("Depósito Norte"))
            << dato.toStdString();
        const QString cadena = ad.LeeCadenaConexion();
        EXPECT_FALSE(cadena.contains(QStringLiteral("SERVER="), Qt::CaseInsensitive) ||
                     cadena.contains(QStringLiteral("PORT="), Qt::CaseInsensitive))
            << cadena.toStdString();
    }
}

// Block comments nest, as the server reads them: a batch's line break inside one separates
// nothing, and what the server reads as a comment never runs.
TEST_F(AccesoTsql, ABatchIsSplitWhereTheServerReadsItsCommentsEnd) {
    AD().EjecutaSQL("INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  K1')\rINSERT INTO V_TA_Unidad (IdUnidad) "
                    "VALUES ('  K2')");
    const auto unidades = [] { return Filas("V_TA_Unidad", "IdUnidad IN ('  K1', '  K2')"); };
    EXPECT_EQ(
        Numero("/* a /* b */\rDELETE FROM V_TA_Unidad WHERE IdUnidad = '  K1' -- */\r"
               "UPDATE V_TA_Unidad SET IdUnidad = '  K3' /* /* */\rWHERE IdUnidad = '  K2' */ WHERE 1 = 0"),
        0);
    EXPECT_EQ(unidades(), 2);
    // A text that SQLite would read otherwise reaches the server as written: both rows go.
    EXPECT_EQ(
        Numero("DELETE FROM V_TA_Unidad /* /* */ WHERE IdUnidad = '  K1' -- */ WHERE IdUnidad LIKE '  K%'"),
        0);
    EXPECT_EQ(unidades(), 0);
}

// The server reads dates month first (Babelfish's default, a us_english login's): the system's
// day-first dates are still read day first, never refused past day 12 nor swapped up to it.
TEST_F(AccesoTsql, DatesAreReadDayFirstWhateverTheServersOrder) {
    AD().EjecutaSQL("INSERT INTO V_MV_CPTETERCEROS (Fecha, IdComprobante) VALUES ('13/12/2026 10:20', 'A')");
    AD().EjecutaSQL("INSERT INTO V_MV_CPTETERCEROS (Fecha, IdComprobante) VALUES ('03/12/2026', 'B')");
    EXPECT_EQ(Valor("SELECT Fecha FROM V_MV_CPTETERCEROS WHERE IdComprobante = 'A'").toDateTime(),
              QDateTime(QDate(2026, 12, 13), QTime(10, 20)));
    EXPECT_EQ(Valor("SELECT Fecha FROM V_MV_CPTETERCEROS WHERE IdComprobante = 'B'").toDateTime(),
              QDateTime(QDate(2026, 12, 3), QTime(0, 0)));
    EXPECT_EQ(Filas("V_MV_CPTETERCEROS", "Fecha BETWEEN '01/12/2026' AND '31/12/2026 23:59'"), 2);

    // The error row of a refused save, written with the system's "dd/mm/yy hh:mm".
    EstableceReloj([] { return QDateTime(QDate(2026, 12, 13), QTime(9, 5)); });
    QString proceso = QStringLiteral("prueba");
    RegistraErrorBD(QStringLiteral("SELECT 1"), proceso, 2627, QStringLiteral("duplicada"));
    EstableceReloj({});
    EXPECT_EQ(Valor("SELECT Fecha FROM AUX_ERR WHERE Proceso = 'prueba'").toDateTime(),
              QDateTime(QDate(2026, 12, 13), QTime(9, 5)));
}

// Back to a savepoint the server keeps the transaction and its depth, and so does the layer: a
// refusal under XACT_ABORT then still ends the batch. What follows a refused savepoint does not run.
TEST_F(AccesoTsql, ASavepointKeepsTheTransactionAndItsDepth) {
    AD().EjecutaSQL(
        "BEGIN TRANSACTION\rINSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  S1')\rSAVE TRANSACTION fila\r"
        "INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  S2')\rROLLBACK TRANSACTION fila");
    EXPECT_EQ(Profundidad(), 1);
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad IN ('  S1', '  S2')"), 1);
    AD().EjecutaSQL("SET XACT_ABORT ON");
    EXPECT_EQ(Numero("INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  UN')\rINSERT INTO V_TA_Unidad (IdUnidad) "
                     "VALUES ('  S3')"),
              2627);
    AD().EjecutaSQL("SET XACT_ABORT OFF");
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad IN ('  S1', '  S3')"), 0);
    EXPECT_EQ(Numero("SAVE TRANSACTION fila\rINSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  S4')"), 628);
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad = '  S4'"), 0);
}

// The statements of the embedded database's reading on the server: comments and delimited names
// change nothing, a name is matched with its case, the outermost BEGIN's name undoes the whole
// transaction and a nested one's is none. After a rollback to a name the layer asks the server
// for its depth: when that rollback was whole, the rest of the batch runs outside any transaction,
// as the server runs it, and a refusal there does not end the batch.
TEST_F(AccesoTsql, TransactionStatementsAndTheDepthAfterARollbackToAName) {
    const auto inserta = [](const char* id) {
        return QStringLiteral("INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('%1')").arg(QLatin1StringView(id));
    };
    AD().EjecutaSQL("/* abre */ BEGIN TRANSACTION -- y sigue\r" + inserta("  T1") +
                    "\rSAVE TRANSACTION fila -- la fila\r" + inserta("  T2"));
    AD().EjecutaSQL("/* vuelve /* anidado */ */ ROLLBACK TRANSACTION [fila] -- a la fila");
    EXPECT_EQ(Profundidad(), 1);
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad IN ('  T1', '  T2')"), 1);
    EXPECT_EQ(Numero("ROLLBACK TRANSACTION FILA"), 6401);
    EXPECT_EQ(Numero("COMMIT WORK"), 0);
    EXPECT_EQ(Profundidad(), 0);

    AD().EjecutaSQL("BEGIN TRAN Alta\r" + inserta("  T3") + "\rBEGIN TRAN Otra");
    EXPECT_EQ(Numero("ROLLBACK TRAN Otra"), 6401);
    EXPECT_EQ(Numero("ROLLBACK TRAN alta"), 6401);
    EXPECT_EQ(Profundidad(), 2);
    EXPECT_EQ(Numero("ROLLBACK TRAN Alta\r" + inserta("  UN") + "\r" + inserta("  T4")), 2627);
    EXPECT_EQ(Profundidad(), 0);
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad = '  T3'"), 0);
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad = '  T4'"), 1);
    EXPECT_EQ(Numero("ROLLBACK WORK"), 3903);

    // A name past 32 characters is refused (the server's number is the embedded database's), and
    // nothing after it runs.
    EXPECT_NE(Numero("BEGIN TRANSACTION\rSAVE TRANSACTION " + QString(33, u'n') + "\r" + inserta("  T5")), 0);
    Numero("ROLLBACK TRANSACTION");
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad = '  T5'"), 0);
}

// When the server ends a batch's transaction (a trigger's rollback; any error under XACT_ABORT)
// nothing after it runs: the batch is refused whole and leaves nothing.
TEST_F(AccesoTsql, ABatchWhoseTransactionTheServerEndsLeavesNothing) {
    EjecutaTsql(BaseTsql(),
                {QStringLiteral("CREATE TRIGGER TR_SIN_TRECE ON V_TA_Unidad AFTER INSERT AS BEGIN "
                                "IF EXISTS (SELECT 1 FROM inserted WHERE IdUnidad = '  13') BEGIN "
                                "ROLLBACK TRANSACTION; RAISERROR('trece no', 16, 1) END END")});
    const QStringList conTrigger = {"INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  A1')",
                                    "INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  13')",
                                    "INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  A2')"};
    EXPECT_FALSE(Guarda(conTrigger));
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad IN ('  A1', '  13', '  A2')"), 0);
    EXPECT_EQ(Profundidad(), 0);

    AD().EjecutaSQL("SET XACT_ABORT ON");
    const QStringList conAborto = {"INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  B1')",
                                   "INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  UN')",
                                   "INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  B2')"};
    EXPECT_FALSE(Guarda(conAborto));
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad IN ('  B1', '  B2')"), 0);
    EXPECT_EQ(Profundidad(), 0);
    AD().EjecutaSQL("SET XACT_ABORT OFF");

    // A refusal that leaves the transaction open stops nothing: the caller rolls it back.
    EXPECT_FALSE(Guarda({"INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  C1')",
                         "INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  UN')"}));
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad = '  C1'"), 0);
    EXPECT_TRUE(Guarda({"INSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  D1')"}));
    EXPECT_EQ(Filas("V_TA_Unidad", "IdUnidad = '  D1'"), 1);
}

// A site names its server "host,port", "host:port" or "host" (port 1433), as SQL Server's tools do.
TEST_F(AccesoTsql, TheServerIsReachedAsASiteNamesIt) {
    const ServidorTsql s = LeeServidorTsql();
    const QString host = s.servidor.section(u',', 0, 0);
    const QString puerto = s.servidor.section(u',', 1);
    for (const QString& nombre : {host + u',' + puerto, host + u':' + puerto}) {
        AccesoDatos ad;
        ad.AsignaServidor(nombre);
        ad.AsignaBaseDatos(BaseTsql());
        ad.AsignaUsuario(s.usuario);
        ad.AsignaPassword(s.password);
        ASSERT_NO_THROW(ad.Conecta()) << nombre.toStdString();
        EXPECT_EQ(ad.ObtieneValorTabla(QStringLiteral("V_TA_Deposito"), QStringLiteral("   1"),
                                       QStringLiteral("Descripcion"), QStringLiteral("IdDeposito"))
                      .toString(),
                  QStringLiteral("Depósito Central"))
            << nombre.toStdString();
    }
    // A full connection string, as a caller may give it, closed by ";" or not.
    for (const QString& cadena : {s.cadena + QStringLiteral(";DATABASE=") + BaseTsql(),
                                  s.cadena + QStringLiteral(";DATABASE=") + BaseTsql() + u';'}) {
        AccesoDatos completa;
        completa.AsignaServidor(s.servidor);
        ASSERT_NO_THROW(completa.Conecta(false, 0, cadena)) << cadena.toStdString();
    }
    // A port the connection data give wins.
    AccesoDatos dado;
    dado.AsignaServidor(host);
    dado.AsignaBaseDatos(BaseTsql());
    dado.AsignaUsuario(s.usuario);
    dado.AsignaPassword(s.password);
    dado.AsignaDatoConexion(QStringLiteral("PORT=") + puerto);
    ASSERT_NO_THROW(dado.Conecta());

    // A bare host goes to SQL Server's port, whatever listens there on this machine.
    const TrazaOdbc traza(QDir(Carpeta()).filePath(QStringLiteral("traza")));
    AccesoDatos solo;
    solo.AsignaServidor(host);
    solo.AsignaBaseDatos(BaseTsql());
    solo.AsignaUsuario(s.usuario);
    solo.AsignaPassword(s.password);
    NumeroDeError([&] { solo.Conecta(); });
    const QStringList cadenas = traza.Cadenas();
    ASSERT_EQ(cadenas.size(), 1);
    EXPECT_TRUE(cadenas.front().contains(QStringLiteral(";SERVER=%1;PORT=1433;").arg(host)))
        << cadenas.front().toStdString();
}

} // namespace

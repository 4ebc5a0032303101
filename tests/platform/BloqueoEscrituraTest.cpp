// A framed batch on the embedded database while a second connection to the file writes: the
// batch (and a single write) waits for the write lock also while its own connection has record
// sets open, and a BEGIN refused after the wait runs nothing of its batch.

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "Comun.h"
#include "Registros.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

const QString kCR = QStringLiteral("\r");

class BloqueoEscritura : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ruta_ = dir_.filePath(QStringLiteral("dos.db"));
        BaseEmbebida::Crea(ruta_,
                           {QStringLiteral("CREATE TABLE T (n INTEGER PRIMARY KEY, texto VARCHAR(20));\n"
                                           "INSERT INTO T VALUES (1, 'uno'), (2, 'dos'), (3, 'tres');")});
        for (AccesoDatos* ad : {&a_, &b_}) {
            ad->AsignaServidor(QStringLiteral("sqlite"));
            ad->AsignaBaseDatos(ruta_);
            ad->Conecta();
        }
    }
    static int Cuenta(AccesoDatos& ad, const QString& condicion = QStringLiteral("1 = 1")) {
        Registros rs;
        ad.ObtieneRecordset(QStringLiteral("SELECT COUNT(*) FROM T WHERE ") + condicion, rs);
        return rs.Fields(0).toInt();
    }
    // The rest of a streaming set, from its current row.
    static QStringList Resto(Registros& rs) {
        QStringList r;
        for (; !rs.Eof(); rs.MoveNext())
            r << rs.Fields(QStringLiteral("texto")).toString();
        return r;
    }
    // A save as the batch runner frames it.
    static QString Lote(int desde, int hasta) {
        QString lote = QStringLiteral("BEGIN TRANSACTION ") + kCR + kCR;
        for (int n = desde; n <= hasta; ++n)
            lote += kCR + QStringLiteral("INSERT INTO T (n, texto) VALUES (%1, 'nuevo')").arg(n);
        return lote + kCR;
    }

    QTemporaryDir dir_;
    QString ruta_;
    AccesoDatos a_, b_;
};

TEST_F(BloqueoEscritura, ABeginRefusedAfterTheWaitRunsNothingOfItsBatch) {
    b_.EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\rUPDATE T SET texto = 'de b' WHERE n = 1"));
    a_.LeeConexion().setCommandTimeout(1);
    Registros abierto;
    a_.ObtieneRecordset(QStringLiteral("SELECT texto FROM T ORDER BY n"), abierto);
    ASSERT_FALSE(abierto.Eof());

    QElapsedTimer reloj;
    reloj.start();
    try {
        a_.EjecutaSQL(Lote(10, 400));
        FAIL() << "the batch ran while another connection held the write lock";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 1222) << e.Descripcion().toStdString();
    }
    // It waited for the lock the time-out long, although a record set was open.
    EXPECT_GE(reloj.elapsed(), 900);
    // One refusal, not one per statement run outside the transaction.
    const Errores& errores = a_.LeeConexion().Errors();
    ASSERT_EQ(errores.Count(), 2);
    EXPECT_EQ(errores.Item(0).NativeError, 1222);
    EXPECT_EQ(errores.Item(1).NativeError, 3621);
    EXPECT_THROW(a_.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION")), ErrorSistema);

    // A single write outside a transaction waits as well.
    Registros otro;
    a_.ObtieneRecordset(QStringLiteral("SELECT texto FROM T ORDER BY n"), otro);
    reloj.restart();
    EXPECT_THROW(a_.EjecutaSQL(QStringLiteral("INSERT INTO T (n, texto) VALUES (5, 'suelto')")),
                 ErrorSistema);
    EXPECT_GE(reloj.elapsed(), 900);
    EXPECT_EQ(Resto(otro).size(), 3);

    b_.EjecutaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_EQ(Cuenta(a_), 3);
    EXPECT_EQ(Resto(abierto), (QStringList{"uno", "dos", "tres"}));
}

TEST_F(BloqueoEscritura, AnOpenSetWithAnOldSnapshotDoesNotKeepTheNextBatchFromWriting) {
    Registros abierto;
    a_.ObtieneRecordset(QStringLiteral("SELECT texto FROM T ORDER BY n"), abierto);
    Registros consulta; // a look-up left open on its row
    a_.ObtieneRecordset(QStringLiteral("SELECT texto FROM T WHERE n = 2"), consulta);
    ASSERT_FALSE(abierto.Eof());
    abierto.MoveNext();
    // The other station writes after the sets began to read.
    b_.EjecutaSQL(QStringLiteral("INSERT INTO T (n, texto) VALUES (4, 'de b')"));

    a_.EjecutaSQL(Lote(10, 20));
    a_.EjecutaSQL(QStringLiteral("COMMIT TRANSACTION"));
    EXPECT_EQ(Cuenta(b_, QStringLiteral("texto = 'nuevo'")), 11);
    EXPECT_EQ(Cuenta(b_), 15);
    // The sets go on with the rows they had when they were opened.
    EXPECT_EQ(Resto(abierto), (QStringList{"dos", "tres"}));
    EXPECT_EQ(Resto(consulta), QStringList{"dos"});
}

} // namespace

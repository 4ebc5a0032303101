// An administration table first met inside a caller's transaction is looked up on a connection of
// the data layer's own. When that connection cannot be opened (the site's password changed since
// the session connected), the statement is refused in words that name the table and why, and never
// sent where a refusal would end the caller's transaction: the transaction stays open with its rows,
// and the same statement runs once the look-up can be made.

#include "AccesoDatos.h"
#include "Ayudas.h"
#include "BaseDemo.h"
#include "BaseTsql.h"
#include "Registros.h"

namespace {

class AdministracionSinConexion : public ConBaseDemo {
protected:
    static QVariant Valor(AccesoDatos& ad, const QString& sql) {
        Registros rs;
        ad.ObtieneRecordset(sql, rs);
        return rs.Eof() ? QVariant() : rs.Fields(0);
    }
};

} // namespace

TEST_F(AdministracionSinConexion, ARefusedLookUpConnectionLeavesTheCallersTransactionWhole) {
    const QString admin = BaseTsql() + QStringLiteral("_adm");
    const QString login = BaseTsql() + QStringLiteral("_sitio");
    // Only the session's database has it: sent to the administration database as it names it, the
    // statement would be refused there, and the refusal ends the transaction.
    EjecutaTsql(BaseTsql(), {QStringLiteral("CREATE TABLE TA_PROPIA (Id INT)")});
    {
        AccesoDatos ad;
        ConectaSitioConAdministracion(ad, BaseTsql(), admin, login,
                                      QStringLiteral("('   2', 'Norte', '   1', NULL)"));
        ad.EjecutaSQL("BEGIN TRANSACTION\rINSERT INTO V_TA_Unidad (IdUnidad) VALUES ('  ZZ')");
        EjecutaTsql({}, {QStringLiteral("ALTER LOGIN [%1] WITH PASSWORD = 'Otra#2026'").arg(login)});
        const QString sql = QStringLiteral("SELECT COUNT(*) FROM @ADMIN_TA_PROPIA");
        EXPECT_EQ(NumeroDeError([&] { ad.EjecutaSQL(sql); }), 17);
        const QString palabras = ad.LeeConexion().Errors().Item(0).Description;
        EXPECT_TRUE(palabras.startsWith(
            QStringLiteral("No se ejecutó la sentencia que nombra la tabla TA_PROPIA: "
                           "dentro de una transacción el programa averigua en una "
                           "conexión propia si la base de administración \"") +
            admin + QStringLiteral("\" tiene esa tabla, y esa conexión no se pudo abrir")))
            << palabras.toStdString();
        EXPECT_EQ(Valor(ad, QStringLiteral("SELECT @@TRANCOUNT")).toInt(), 1);
        EXPECT_EQ(
            Valor(ad, QStringLiteral("SELECT COUNT(*) FROM V_TA_Unidad WHERE IdUnidad = '  ZZ'")).toInt(), 1);
        // Nothing of the refusal is kept: with the password the session has, the look-up is made.
        EjecutaTsql({}, {QStringLiteral("ALTER LOGIN [%1] WITH PASSWORD = '%2'").arg(login, kClaveSitio)});
        EXPECT_EQ(NumeroDeError([&] { ad.EjecutaSQL(sql); }), 0);
        EXPECT_EQ(NumeroDeError([&] { ad.EjecutaSQL("COMMIT TRANSACTION"); }), 0);
        EXPECT_EQ(
            Valor(ad, QStringLiteral("SELECT COUNT(*) FROM V_TA_Unidad WHERE IdUnidad = '  ZZ'")).toInt(), 1);
    }
    BorraBaseTsql(admin);
    BorraLoginSitio(login);
}

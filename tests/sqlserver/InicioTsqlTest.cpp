// The editor starting on a site's database, from its session command line: the statistics
// database on the same server, the cash desk and the access log written, the deposits of the
// administration tables validated; with MODELOS_DATO_CONEXION naming an administration database,
// those tables are its own.

#include "AccesoDatos.h"
#include "BaseTsql.h"
#include "Comun.h"
#include "VentanaDemo.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

class InicioTsql : public ConArchivosDemo {
protected:
    void TearDown() override {
        form.reset();
        ConArchivosDemo::TearDown();
    }
    void Abre(const QString& caja) {
        form = std::make_unique<FrmVardelio>();
        form->Form_Load(
            QString(LineaSesion()).replace(QStringLiteral("@Caja=1"), QStringLiteral("@Caja=") + caja));
        ASSERT_TRUE(AD().EstaConectado());
        ASSERT_FALSE(AD().TextoProveedor().contains(QStringLiteral("SQLite")))
            << AD().TextoProveedor().toStdString();
    }
    QString Valida(const char* dataField, const QString& texto) {
        CajaTexto& campo = form->TxtFields[form->IndiceCampo(QLatin1String(dataField))];
        campo.setText(texto);
        guion.Limpia();
        form->CampoValida(campo);
        return guion.Mensajes().join(u'|');
    }
    static QVariant Valor(AccesoDatos& ad, const QString& sql) {
        Registros rs;
        ad.ObtieneRecordset(sql, rs);
        return rs.Eof() ? QVariant() : rs.Fields(0);
    }
    std::unique_ptr<FrmVardelio> form;
};

TEST_F(InicioTsql, TheEditorStartsOnTheSitesDatabase) {
    Abre(QStringLiteral("7"));
    EXPECT_TRUE(gBaseEstadisticas().EstaConectado());
    EXPECT_EQ(gTimeOut, 60); // CV_ESTADISTICAS' own setting
    EXPECT_EQ(Valor(AD(), "SELECT Descripcion FROM V_TA_Cajas WHERE IdCajas = '   7'").toString(),
              QStringLiteral("CAJA 7"));
    const QVariant ingreso = Valor(AD(), "SELECT MAX(Ingreso) FROM Control_Acceso");
    EXPECT_EQ(ingreso.toDateTime().date(), QDate::currentDate());
    EXPECT_EQ(Valida("DepositoOrigen", "2"), QString());
    EXPECT_EQ(Valida("DepositoOrigen", "77"), QStringLiteral("El Deposito Informado es Inexistente"));
}

TEST_F(InicioTsql, TheAdministrationDatabaseTheConnectionDataName) {
    const QString admin = BaseTsql() + QStringLiteral("_adm");
    CreaBaseAdministracion(admin, QStringLiteral("('   1', 'Central', '   1', NULL), ('  55', 'Sólo en la "
                                                 "administración', '   1', NULL)"));
    {
        VariableEntorno dato("MODELOS_DATO_CONEXION");
        dato.Pon(QStringLiteral("ADMIN=") + admin);
        Abre(QStringLiteral("8"));
        EXPECT_EQ(AD().LeeDatoConexion(), QStringLiteral("ADMIN=") + admin);
        EXPECT_EQ(Valida("DepositoOrigen", "55"), QString());
        EXPECT_EQ(Valida("DepositoOrigen", "2"), QStringLiteral("El Deposito Informado es Inexistente"));
        AccesoDatos ad;
        ConectaTsql(ad, admin);
        EXPECT_EQ(Valor(ad, "SELECT Descripcion FROM V_TA_Cajas WHERE IdCajas = '   8'").toString(),
                  QStringLiteral("CAJA 8"));
        form.reset();
        ReiniciaSesion();
    }
    BorraBaseTsql(admin);
}

// An administration database that the server does not have ends the program at once, told by
// its name and where it came from, on screen and on standard error, as a failed login is.
TEST_F(InicioTsql, AnAdministrationDatabaseThatDoesNotExistIsToldByNameAndEndsTheProgram) {
    const QString admin = BaseTsql() + QStringLiteral(" sin admin");
    QProcess programa;
    auto entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    entorno.insert(QStringLiteral("XDG_RUNTIME_DIR"), Carpeta());
    entorno.insert(QStringLiteral("MODELOS_DATO_CONEXION"), QStringLiteral("ADMIN=[%1]").arg(admin));
    programa.setProcessEnvironment(entorno);
    programa.setWorkingDirectory(Carpeta());
    programa.start(QCoreApplication::applicationDirPath() + QStringLiteral("/modelos-stock"),
                   {LineaSesion()});
    ASSERT_TRUE(programa.waitForFinished(30000));
    EXPECT_TRUE(programa.exitStatus() == QProcess::NormalExit && programa.exitCode() != 0);
    EXPECT_EQ(
        QString::fromUtf8(programa.readAllStandardError()),
        QStringLiteral("No existe la base de administración \"%1\" en el servidor \"%2\": la nombra ADMIN= "
                       "en MODELOS_DATO_CONEXION.\n")
            .arg(admin, LeeServidorTsql().servidor));
}

} // namespace

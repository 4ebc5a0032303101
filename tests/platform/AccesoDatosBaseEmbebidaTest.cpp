// Creation of embedded database files, the demo database and the crea-demo program.

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "Comun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QStringList Archivos(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
}

TEST(BaseEmbebida, AFailingScriptLeavesNoFileBehind) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("nueva.db"));
    try {
        BaseEmbebida::Crea(
            ruta, {QStringLiteral("CREATE TABLE A (x TEXT COLLATE TEXTO);\nINSERT INTO A VALUES ('a');"),
                   QStringLiteral("INSERT INTO A VALUES ('b');\nCREATE TABL B (y);")});
        FAIL() << "a broken script created the database";
    } catch (const ErrorSistema& e) {
        EXPECT_TRUE(e.Descripcion().contains(QStringLiteral("script 2"))) << e.Descripcion().toStdString();
        EXPECT_TRUE(e.Descripcion().contains(QStringLiteral("CREATE TABL B")))
            << e.Descripcion().toStdString();
        EXPECT_EQ(e.Numero(), 102);
    }
    EXPECT_TRUE(Archivos(dir).isEmpty()) << Archivos(dir).join(u' ').toStdString();
}

TEST(BaseEmbebida, AnExistingFileIsNeverOverwritten) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("existe.db"));
    BaseEmbebida::Crea(ruta, {QStringLiteral("CREATE TABLE A (x); INSERT INTO A VALUES (1);")});
    EXPECT_THROW(BaseEmbebida::Crea(ruta, {QStringLiteral("CREATE TABLE B (y);")}), ErrorSistema);
    AccesoDatos ad;
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(ruta);
    ad.Conecta();
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT count(*) FROM A"), rs);
    EXPECT_EQ(rs.Fields(0).toInt(), 1);
    EXPECT_THROW(ad.ObtieneRecordset(QStringLiteral("SELECT * FROM B"), rs), ErrorSistema);
}

TEST(BaseEmbebida, TheDemoAndItsStatisticsDatabaseOpenThroughTheDataAccessObject) {
    const QString scripts = BaseEmbebida::CarpetaScripts();
    ASSERT_FALSE(scripts.isEmpty()) << "MODELOS_DB_DIR names the db folder";
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("modelos.db"));
    BaseEmbebida::CreaDemo(ruta, scripts);

    AccesoDatos ad;
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(ruta);
    ad.AsignaUsuario(QStringLiteral("demo"));
    ad.Conecta(false, 3, QString(), true, true);
    // Names compare as on the server: case and trailing blanks ignored.
    EXPECT_EQ(ad.ObtieneValorTabla(QStringLiteral("ta_usuarios  with(nolock) "), QStringLiteral("demo  "),
                                   QStringLiteral("UNegocio"), QStringLiteral("Nombre"))
                  .toString(),
              QStringLiteral("   1"));
    EXPECT_TRUE(ad.ExisteRegistro(QStringLiteral("@ADMIN_V_TA_Deposito"), QStringLiteral("   1"),
                                  QStringLiteral("IdDeposito")));

    AccesoDatos estadisticas;
    estadisticas.AsignaDatoConexion(ad.LeeDatoConexion());
    estadisticas.AsignaServidor(ad.LeeServidor());
    estadisticas.AsignaBaseDatos(QStringLiteral("CV_ESTADISTICAS"));
    estadisticas.Conecta(false, 3, QString(), true, false);
    estadisticas.LeeConexion().setDefaultDatabase(QStringLiteral("CV_ESTADISTICAS"));
    EXPECT_EQ(estadisticas
                  .ObtieneValorTabla(QStringLiteral("TA_CONFIGURACION"), QStringLiteral("TimeOut"),
                                     QStringLiteral("Valor"), QStringLiteral("Clave"))
                  .toString()
                  .trimmed(),
              QStringLiteral("60"));
}

TEST(BaseEmbebida, CreaDemoMakesTheDemoOnceAndSaysWhy) {
    const QString programa =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("crea-demo"));
    if (!QFile::exists(programa))
        GTEST_SKIP() << "crea-demo is not built";
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("modelos.db"));
    QProcess p;
    p.start(programa, {ruta});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(ruta));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("CV_ESTADISTICAS.db"))));
    p.start(programa, {ruta});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("ya existe"));
    p.start(programa, {});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
}

} // namespace

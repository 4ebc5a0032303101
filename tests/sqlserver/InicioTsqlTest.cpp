// The editor starting on a site's database, from its session command line: the statistics
// database on the same server, the cash desk and the access log written, the deposits of the
// administration tables validated; with MODELOS_DATO_CONEXION naming an administration database,
// those tables are its own.

#include "AccesoDatos.h"
#include "BaseTsql.h"
#include "Comun.h"
#include "VentanaDemo.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

class InicioTsql : public ConArchivosDemo {
protected:
    void TearDown() override {
        form.reset();
        ConArchivosDemo::TearDown();
    }
    // `linea`: the session's command line when not the demo's.
    void Abre(const QString& caja, const QString& linea = {}) {
        form = std::make_unique<FrmVardelio>();
        form->Form_Load(QString(linea.isEmpty() ? LineaSesion() : linea)
                            .replace(QStringLiteral("@Caja=1"), QStringLiteral("@Caja=") + caja));
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
    // Also through a site's DSN, which the statistics database's connection reaches too.
    const QString archivo = QDir(Carpeta()).filePath(QStringLiteral("odbc.ini"));
    AgregaDsnTsql(archivo, QStringLiteral("sitio"), QStringLiteral("FreeTDS"));
    const VariableEntorno odbcini("ODBCINI");
    odbcini.Pon(archivo);
    for (const QString& datos :
         {QStringLiteral("ADMIN=") + admin, QStringLiteral("ADMIN=%1;DSN=sitio").arg(admin)}) {
        VariableEntorno dato("MODELOS_DATO_CONEXION");
        dato.Pon(datos);
        Abre(QStringLiteral("8"));
        EXPECT_EQ(AD().LeeDatoConexion(), datos);
        // The statistics database's login has no user in the administration database.
        EXPECT_TRUE(gBaseEstadisticas().EstaConectado());
        EXPECT_EQ(gTimeOut, 60);
        EXPECT_EQ(Valida("DepositoOrigen", "55"), QString());
        EXPECT_EQ(Valida("DepositoOrigen", "2"), QStringLiteral("El Deposito Informado es Inexistente"));
        AccesoDatos ad;
        ConectaTsql(ad, admin);
        EXPECT_EQ(Valor(ad, "SELECT Descripcion FROM V_TA_Cajas WHERE IdCajas = '   8'").toString(),
                  QStringLiteral("CAJA 8"));
        ad.EjecutaSQL(QStringLiteral("DELETE FROM V_TA_Cajas"));
        form.reset();
        ReiniciaSesion();
    }
    BorraBaseTsql(admin);
}

// A missing cash desk of the session that the site's login may not add where the administration
// database keeps them is told at start-up, in words that name the right it lacks, the table and
// the base: every right (SELECT), then, allowed to read them, INSERT.
TEST_F(InicioTsql, ACashDeskTheLoginMayNotAddIsToldInWords) {
    const QString admin = BaseTsql() + QStringLiteral("_adm");
    const QString login = BaseTsql() + QStringLiteral("_sitio");
    CreaBaseAdministracion(admin, QStringLiteral("('   1', 'Central', '   1', NULL)"));
    CreaLoginSitio(login, BaseTsql());
    DaDerechosSitio(admin, login, {QStringLiteral("V_TA_Deposito")});
    {
        VariableEntorno dato("MODELOS_DATO_CONEXION");
        dato.Pon(QStringLiteral("ADMIN=") + admin);
        for (const char* derecho : {"SELECT", "INSERT"}) {
            SCOPED_TRACE(derecho);
            if (derecho == std::string("INSERT"))
                EjecutaTsql(admin, {QStringLiteral("GRANT SELECT ON V_TA_Cajas TO [%1]").arg(login)});
            guion.Limpia();
            Abre(QStringLiteral("7"), LineaSesionTsql(BaseTsql(), login));
            EXPECT_TRUE(guion.Mensajes().contains(
                SinDerechoAdministracion(login, QLatin1String(derecho), QStringLiteral("V_TA_Cajas"), admin) +
                QStringLiteral("\r\nLa caja 7 no se agregó.")))
                << guion.Mensajes().join(u'|').toStdString();
            form.reset();
            ReiniciaSesion();
        }
    }
    AccesoDatos ad;
    ConectaTsql(ad, admin);
    EXPECT_EQ(Valor(ad, "SELECT COUNT(*) FROM V_TA_Cajas").toInt(), 0);
    ad.LeeConexion().Close();
    BorraBaseTsql(admin);
    BorraLoginSitio(login);
}

// What keeps a site's session from its databases ends the program at once, told on screen and on
// standard error by the database's name and, where the connection data give it, with where it
// came from: an administration database the server does not have, one the login cannot enter, an
// ADMIN= that names none, an item that no driver could read, or the session's own database missing.
TEST_F(InicioTsql, WhatKeepsTheSessionFromItsDatabasesIsToldByNameAndEndsTheProgram) {
    const QString servidor = LeeServidorTsql().servidor;
    const auto error = [&](const QString& dato, const QString& linea) {
        QProcess programa;
        auto entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        entorno.insert(QStringLiteral("XDG_RUNTIME_DIR"), Carpeta());
        entorno.insert(QStringLiteral("MODELOS_DATO_CONEXION"), dato);
        programa.setProcessEnvironment(entorno);
        programa.setWorkingDirectory(Carpeta());
        programa.start(QCoreApplication::applicationDirPath() + QStringLiteral("/modelos-stock"), {linea});
        EXPECT_TRUE(programa.waitForFinished(30000));
        EXPECT_TRUE(programa.exitStatus() == QProcess::NormalExit && programa.exitCode() != 0)
            << dato.toStdString();
        return QString::fromUtf8(programa.readAllStandardError());
    };
    const QString falta = BaseTsql() + QStringLiteral(" sin admin");
    EXPECT_EQ(
        error(QStringLiteral("ADMIN=[%1]").arg(falta), LineaSesion()),
        QStringLiteral("No existe la base de administración \"%1\" en el servidor \"%2\": la nombra ADMIN= "
                       "en MODELOS_DATO_CONEXION.\n")
            .arg(falta, servidor));
    for (const char* vacio : {"ADMIN=", "PORT=1433;ADMIN=[]"})
        EXPECT_EQ(
            error(QLatin1String(vacio), LineaSesion()),
            QStringLiteral("Los datos de conexión de MODELOS_DATO_CONEXION no sirven. ADMIN= en los datos de "
                           "conexión no nombra ninguna base de administración.\n"));
    EXPECT_EQ(
        error(QStringLiteral("ADMIN=[Gestión;Admin]"), LineaSesion()),
        QStringLiteral("Los datos de conexión de MODELOS_DATO_CONEXION no sirven. El dato \"Admin]\" de los "
                       "datos de conexión no tiene la forma nombre=valor: un \";\" dentro de un valor se "
                       "escribe entre llaves, como en ADMIN={Gestión;Admin}.\n"));
    EXPECT_EQ(
        error(QStringLiteral("ADMIN=NO_EXISTE;ADMIN=") + BaseTsql(), LineaSesion()),
        QStringLiteral("Los datos de conexión de MODELOS_DATO_CONEXION no sirven. Los datos de conexión "
                       "nombran dos veces la base de administración (ADMIN=NO_EXISTE y ADMIN=%1): debe "
                       "nombrarse una sola.\n")
            .arg(BaseTsql()));
    EXPECT_EQ(
        error(QStringLiteral("ClientCharset=ISO-8859-1"), LineaSesion()),
        QStringLiteral("Los datos de conexión de MODELOS_DATO_CONEXION no sirven. ClientCharset=ISO-8859-1 "
                       "en los datos de conexión: el programa lee el texto del servidor en UTF-8, y con otro "
                       "juego de caracteres los acentos se leerían mal. Quite ClientCharset o escriba "
                       "ClientCharset=UTF-8.\n"));

    const QString admin = BaseTsql() + QStringLiteral("_adm");
    const QString login = BaseTsql() + QStringLiteral("_sitio");
    CreaBaseAdministracion(admin, QStringLiteral("('   1', 'Central', '   1', NULL)"));
    CreaLoginSitio(login, BaseTsql());
    // The session's database missing is the session's, also beside an administration database.
    const QString sinSesion =
        error(QStringLiteral("ADMIN=") + admin,
              QString(LineaSesion()).replace(BaseTsql(), BaseTsql() + QStringLiteral("x")));
    EXPECT_TRUE(sinSesion.startsWith(QStringLiteral("No se pudo conectar con la base de datos \"%1x\" del "
                                                    "servidor \"%2\".")
                                         .arg(BaseTsql(), servidor)) &&
                !sinSesion.contains(QStringLiteral("administración")))
        << sinSesion.toStdString();
    EXPECT_EQ(
        error(QStringLiteral("ADMIN=") + admin, LineaSesionTsql(BaseTsql(), login)),
        QStringLiteral("El usuario \"%1\" no tiene acceso a la base de administración \"%2\" del servidor "
                       "\"%3\": la nombra ADMIN= en MODELOS_DATO_CONEXION.\n")
            .arg(login, admin, servidor));
    BorraBaseTsql(admin);
    BorraLoginSitio(login);
}

} // namespace

#include "BaseDemo.h"

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "Globales.h"
#include "Inicio.h"
#include "LectorIni.h"

#include <QFile>
#include <memory>

namespace {

const QString kBase = QStringLiteral("modelos.db");
const QString kEstadisticas = QStringLiteral("CV_ESTADISTICAS.db");

// The demo databases, built once per test program; each test copies them.
const QTemporaryDir& Originales() {
    static std::unique_ptr<QTemporaryDir> dir;
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        const QString scripts = BaseEmbebida::CarpetaScripts();
        if (!dir->isValid() || scripts.isEmpty())
            throw ErrorSistema(
                -1, QStringLiteral("Sin carpeta temporal o sin scripts de la base (MODELOS_DB_DIR)"));
        BaseEmbebida::CreaDemo(dir->filePath(kBase), scripts);
    }
    return *dir;
}

} // namespace

void ConArchivosDemo::SetUp() {
    ConGuion::SetUp();
    ASSERT_TRUE(carpeta_.isValid());
    try {
        const QTemporaryDir& originales = Originales();
        ASSERT_TRUE(QFile::copy(originales.filePath(kBase), RutaBase()));
        ASSERT_TRUE(QFile::copy(originales.filePath(kEstadisticas), RutaEstadisticas()));
    } catch (const ErrorSistema& e) {
        FAIL() << "No se pudo crear la base demo: " << e.Descripcion().toStdString();
    }
    Ini().EstableceCarpeta(Carpeta());
}

void ConArchivosDemo::TearDown() {
    ReiniciaSesion();
    ConGuion::TearDown();
}

QString ConArchivosDemo::RutaBase() const {
    return carpeta_.filePath(kBase);
}

QString ConArchivosDemo::RutaEstadisticas() const {
    return carpeta_.filePath(kEstadisticas);
}

QString ConArchivosDemo::LineaSesion() const {
    return QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=DEMO;@Password=;@UsuarioLogeado=DEMO;@Caja=1;")
        .arg(RutaBase());
}

void ConBaseDemo::SetUp() {
    ConArchivosDemo::SetUp();
    if (HasFatalFailure())
        return;
    AccesoDatos& ad = AD();
    ad.AsignaUsuario(QStringLiteral("DEMO"));
    ad.AsignaBaseDatos(RutaBase());
    ad.AsignaPassword(QString());
    ad.AsignaServidor(QStringLiteral("sqlite"));
    try {
        ad.Conecta(false, 3, QString(), true, true);
    } catch (const ErrorSistema& e) {
        FAIL() << "No se pudo conectar la base demo: " << e.Descripcion().toStdString();
    }
    ObtieneBaseEstadisticas();
    ASSERT_TRUE(gBaseEstadisticas().EstaConectado());
    gUsuarioLogeado = ad.LeeUsuario();
    ad.LeeConexion().AsignaCommandTimeout(gTimeOut);
    ad.LeeConexion().AsignaIsolationLevel(256);
    ad.LeeConexion().AsignaDefaultDatabase(ad.LeeBaseDatos());
}

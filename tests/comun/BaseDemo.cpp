#include "BaseDemo.h"

#include "AccesoDatos.h"
#include "Ayudas.h"
#include "BaseEmbebida.h"
#include "BaseTsql.h"
#include "Globales.h"
#include "Inicio.h"
#include "LectorIni.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <memory>

namespace {

const QString kBase = QStringLiteral("modelos.db");
const QString kEstadisticas = QStringLiteral("CV_ESTADISTICAS.db");

// The demo databases, built once per test program build and scripts: CTest runs every test in
// a process of its own, so they are kept in the build folder under the program's name and a key
// of both, and each test copies them. A program's build replaces its older ones.
QString Originales() {
    static QString carpeta;
    if (!carpeta.isEmpty())
        return carpeta;
    const QString scripts = BaseEmbebida::CarpetaScripts();
    if (scripts.isEmpty())
        throw ErrorSistema(-1, QStringLiteral("Sin scripts de la base (MODELOS_DB_DIR)"));
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QFileInfo programa(QCoreApplication::applicationFilePath());
    hash.addData(QByteArray::number(programa.lastModified().toMSecsSinceEpoch()));
    for (const QFileInfo& f :
         QDir(scripts).entryInfoList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
        QFile archivo(f.absoluteFilePath());
        if (archivo.open(QIODevice::ReadOnly))
            hash.addData(archivo.readAll());
    }
    const QDir demos(CarpetaCompilacion() + QStringLiteral("/demo-pruebas"));
    if (!demos.mkpath(QStringLiteral(".")))
        throw ErrorSistema(-1, QStringLiteral("Sin carpeta para la base demo: ") + demos.path());
    const QString prefijo = programa.fileName() + u'-';
    const QString destino = demos.filePath(prefijo + QString::fromLatin1(hash.result().toHex().left(16)));
    if (!QFileInfo::exists(QDir(destino).filePath(kEstadisticas))) {
        // Built aside and renamed into place, so that parallel tests never see half a database.
        QTemporaryDir obra(destino + QStringLiteral("-XXXXXX"));
        obra.setAutoRemove(false);
        if (!obra.isValid())
            throw ErrorSistema(-1, QStringLiteral("Sin carpeta temporal para la base demo"));
        BaseEmbebida::CreaDemo(obra.filePath(kBase), scripts);
        if (!QDir().rename(obra.path(), destino)) {
            QDir(obra.path()).removeRecursively(); // another test got there first
        } else {
            // Those of the program's earlier builds (not another test's work in progress).
            for (const QString& viejo : demos.entryList({prefijo + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot))
                if (!demos.filePath(viejo).startsWith(destino))
                    QDir(demos.filePath(viejo)).removeRecursively();
        }
    }
    carpeta = destino;
    return carpeta;
}

} // namespace

void ConArchivosDemo::SetUp() {
    ConGuion::SetUp();
    ASSERT_TRUE(carpeta_.isValid());
    try {
        const QDir originales(Originales());
        ASSERT_TRUE(QFile::copy(originales.filePath(kBase), RutaBase()));
        ASSERT_TRUE(QFile::copy(originales.filePath(kEstadisticas), RutaEstadisticas()));
    } catch (const ErrorSistema& e) {
        FAIL() << "No se pudo crear la base demo: " << e.Descripcion().toStdString();
    }
    Ini().setCarpeta(Carpeta());
    if (!PruebasEnServidorTsql())
        return;
    baseTsql_ =
        QStringLiteral("demo_%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    try {
        CreaBaseTsql(baseTsql_, RutaBase());
    } catch (const ErrorSistema& e) {
        FAIL() << "No se pudo crear la base demo en el servidor T-SQL: " << e.Descripcion().toStdString();
    }
}

void ConArchivosDemo::TearDown() {
    ReiniciaSesion(); // its connections closed before a T-SQL database goes
    if (!baseTsql_.isEmpty())
        BorraBaseTsql(baseTsql_);
    ConGuion::TearDown();
}

QString ConArchivosDemo::RutaBase() const {
    return carpeta_.filePath(kBase);
}

QString ConArchivosDemo::RutaEstadisticas() const {
    return carpeta_.filePath(kEstadisticas);
}

QString ConArchivosDemo::LineaSesion() const {
    if (!baseTsql_.isEmpty())
        return LineaSesionTsql(baseTsql_);
    return QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=DEMO;@Password=;@UsuarioLogeado=DEMO;@Caja=1;")
        .arg(RutaBase());
}

namespace {
bool& EnServidorTsql() {
    static bool en = false;
    return en;
}
} // namespace

bool PruebasEnServidorTsql() {
    return EnServidorTsql();
}

QString RenombraTabla(const QString& de, const QString& a) {
    if (PruebasEnServidorTsql())
        return QStringLiteral("EXEC sp_rename '%1', '%2', 'OBJECT'").arg(de, a);
    return QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(de, a);
}

void EstablecePruebasEnServidorTsql(bool enServidor) {
    EnServidorTsql() = enServidor;
}

void ConBaseDemo::SetUp() {
    ConArchivosDemo::SetUp();
    if (HasFatalFailure())
        return;
    AccesoDatos& ad = AD();
    try {
        if (!BaseTsql().isEmpty()) {
            ConectaTsql(ad, BaseTsql());
        } else {
            ad.AsignaUsuario(QStringLiteral("DEMO"));
            ad.AsignaBaseDatos(RutaBase());
            ad.AsignaPassword(QString());
            ad.AsignaServidor(QStringLiteral("sqlite"));
            ad.Conecta(false, 3, QString(), true, true);
        }
    } catch (const ErrorSistema& e) {
        FAIL() << "No se pudo conectar la base demo: " << e.Descripcion().toStdString();
    }
    ObtieneBaseEstadisticas();
    ASSERT_TRUE(gBaseEstadisticas().EstaConectado());
    gUsuarioLogeado = ad.LeeUsuario();
    ad.LeeConexion().setCommandTimeout(gTimeOut);
    ad.LeeConexion().setIsolationLevel(256);
    ad.LeeConexion().setDefaultDatabase(ad.LeeBaseDatos());
}

std::vector<QVariantList> FilasAuxErr(AccesoDatos& ad) {
    Registros rs;
    ad.ObtieneRecordset(
        "SELECT Proceso, Fecha, Error, Descripcion, SQL, PC, Usuario FROM AUX_ERR ORDER BY Id", rs);
    std::vector<QVariantList> r;
    for (; !rs.Eof(); rs.MoveNext()) {
        QVariantList fila;
        for (int i = 0; i < 7; ++i)
            fila << rs.Fields(i);
        r.push_back(fila);
    }
    return r;
}

void ConBaseDemo::AjustaConfiguracion(const QString& clave, const QString& valor) {
    QuitaConfiguracion(clave);
    AD().EjecutaSQL(
        "INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio) VALUES ('PRUEBA', '" +
        clave.toUpper() + "', '" + valor + "', 0)");
}

void ConBaseDemo::QuitaConfiguracion(const QString& clave) {
    AD().EjecutaSQL("DELETE FROM TA_CONFIGURACION WHERE Clave = '" + clave + "'");
}

std::vector<long> NumerosDeError(AccesoDatos& ad) {
    const Errores& e = ad.LeeConexion().Errors();
    std::vector<long> r;
    r.reserve(static_cast<size_t>(e.Count()));
    for (int i = 0; i < e.Count(); ++i)
        r.push_back(e.Item(i).NativeError);
    return r;
}

#include "BaseTsql.h"

#include "Comun.h"

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "ErrorSistema.h"
#include "Registros.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <algorithm>
#include <dlfcn.h>
#include <fcntl.h>
#include <sql.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString kEstadisticas = QStringLiteral("CV_ESTADISTICAS");
const QString kClaveEstadisticas = QStringLiteral("Estadisticas#15");

[[noreturn]] void Falla(const QString& que) {
    throw ErrorSistema(-1, que, QStringLiteral("BaseTsql"));
}

QString LeeArchivo(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(f.readAll()).trimmed();
}

QString Atributo(const QString& cadena, const QString& nombre) {
    for (const QString& item : cadena.split(u';')) {
        const qsizetype igual = item.indexOf(u'=');
        if (igual > 0 && item.first(igual).trimmed().compare(nombre, Qt::CaseInsensitive) == 0)
            return item.mid(igual + 1).trimmed();
    }
    return {};
}

QString CarpetaServidor() {
    const QString carpeta = qEnvironmentVariable("MODELOS_TSQL");
    return carpeta.isEmpty() ? CarpetaCompilacion() + QStringLiteral("/servidor-tsql") : carpeta;
}

ServidorTsql ServidorDe(const QString& carpeta) {
    const QString cadena = LeeArchivo(QDir(carpeta).filePath(QStringLiteral("conexion")));
    if (cadena.isEmpty())
        Falla(QStringLiteral("el servidor T-SQL de %1 no está iniciado (falta su archivo conexion): estas "
                             "pruebas corren con ctest, que lo inicia (ServidorTsql.Inicia)")
                  .arg(carpeta));
    ServidorTsql s;
    s.cadena = cadena;
    s.servidor = Atributo(cadena, QStringLiteral("SERVER")) + u',' + Atributo(cadena, QStringLiteral("PORT"));
    s.usuario = Atributo(cadena, QStringLiteral("UID"));
    s.password = Atributo(cadena, QStringLiteral("PWD"));
    return s;
}

// An exclusive lock on a file, shared with the other test processes, for its lifetime (none for
// an empty path).
class Turno {
public:
    explicit Turno(const QString& ruta) {
        if (ruta.isEmpty())
            return;
        fd_ = ::open(QFile::encodeName(ruta).constData(), O_CREAT | O_RDWR, 0644);
        if (fd_ < 0)
            Falla(QStringLiteral("sin cerrojo en ") + ruta);
        ::flock(fd_, LOCK_EX);
    }
    ~Turno() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Turno(const Turno&) = delete;
    Turno& operator=(const Turno&) = delete;

private:
    int fd_ = -1;
};

// One administrative ODBC connection for the length of a call.
class Administra {
public:
    explicit Administra(const QString& base) : nombre_(QUuid::createUuid().toString()) {
        const ServidorTsql s = ServidorDe(CarpetaServidor());
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre_);
        // Closed by ";": Qt passes the text's terminating NUL on to the driver.
        db.setDatabaseName(s.cadena + (base.isEmpty() ? QString() : QStringLiteral(";DATABASE=") + base) +
                           u';');
        if (!db.open())
            Falla(QStringLiteral("sin conexión con el servidor T-SQL: ") + db.lastError().text());
    }
    ~Administra() {
        {
            QSqlDatabase db = QSqlDatabase::database(nombre_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(nombre_);
    }
    Administra(const Administra&) = delete;
    Administra& operator=(const Administra&) = delete;

    void Ejecuta(const QString& sql) {
        // Babelfish refuses two databases made or dropped at once ("tuple concurrently updated"),
        // and a database made while another test drops its login ("role ... does not exist"): the
        // test processes take turns for both.
        static const QRegularExpression turnos(QStringLiteral("^(CREATE|DROP) (DATABASE|LOGIN)\\b"));
        const bool porTurno = turnos.match(sql).hasMatch();
        const Turno turno(porTurno ? QDir(CarpetaServidor()).filePath(QStringLiteral("bases.lock"))
                                   : QString());
        QSqlQuery q(QSqlDatabase::database(nombre_, false));
        q.setForwardOnly(true); // else the driver opens a server cursor, which DDL cannot be
        if (!q.exec(sql))
            Falla(QStringLiteral("%1\n%2").arg(q.lastError().text(), sql.left(400)));
    }
    QList<QStringList> Filas(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(nombre_, false));
        q.setForwardOnly(true);
        if (!q.exec(sql))
            Falla(QStringLiteral("%1\n%2").arg(q.lastError().text(), sql.left(400)));
        QList<QStringList> r;
        while (q.next()) {
            QStringList fila;
            for (int i = 0; i < q.record().count(); ++i)
                fila << q.value(i).toString();
            r << fila;
        }
        return r;
    }

private:
    QString nombre_;
};

// The statements of a script of db/: one per ';' at the end of a line, comments left out.
QStringList Sentencias(const QString& texto) {
    QStringList r;
    QString actual;
    for (const QString& linea : texto.split(u'\n')) {
        const QString t = linea.trimmed();
        if (t.startsWith(QStringLiteral("--")) || t.isEmpty())
            continue;
        actual += linea + u'\n';
        if (t.endsWith(u';')) {
            actual = actual.trimmed();
            actual.chop(1);
            r << actual;
            actual.clear();
        }
    }
    return r;
}

// Once per server (a lock file in its folder): the statistics database and its login.
void PreparaServidor(const QString& carpeta) {
    const QString hecho = QDir(carpeta).filePath(QStringLiteral("preparado"));
    if (QFileInfo::exists(hecho))
        return;
    const Turno turno(QDir(carpeta).filePath(QStringLiteral("prepara.lock")));
    if (QFileInfo::exists(hecho))
        return; // another process made it meanwhile
    EjecutaTsql(
        {}, {QStringLiteral("CREATE LOGIN %1 WITH PASSWORD = '%2'").arg(kEstadisticas, kClaveEstadisticas),
             QStringLiteral("CREATE DATABASE ") + kEstadisticas});
    EjecutaTsql(
        kEstadisticas,
        {QStringLiteral("CREATE USER %1 FOR LOGIN %1").arg(kEstadisticas),
         QStringLiteral("CREATE TABLE TA_CONFIGURACION (Grupo VARCHAR(50), Clave VARCHAR(100) NOT NULL "
                        "PRIMARY KEY, Valor VARCHAR(MAX), PoliticaNegocio INT DEFAULT 0, "
                        "ValorAux VARCHAR(MAX) DEFAULT '')"),
         QStringLiteral("INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio, ValorAux) "
                        "VALUES ('BaseDeDatos', 'TIMEOUT', '60', 0, '')"),
         QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON TA_CONFIGURACION TO ") + kEstadisticas});
    QFile marca(hecho);
    if (!marca.open(QIODevice::WriteOnly))
        Falla(QStringLiteral("no se pudo marcar ") + hecho);
}

QString LiteralTsql(const QVariant& v, bool fecha) {
    if (!v.isValid() || v.isNull())
        return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(v.toLongLong());
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 17);
    default:
        break;
    }
    QString t = v.toString();
    if (fecha) {
        // The embedded file keeps "yyyy-mm-dd hh:mm:ss"; ISO 8601 with its T reads the same in
        // any date order. An empty date is no date.
        t = t.trimmed();
        if (t.isEmpty())
            return QStringLiteral("NULL");
        t = t.size() == 10 ? t + QStringLiteral("T00:00:00") : t.replace(10, 1, u'T');
    }
    return QStringLiteral("N'") + t.replace(u'\'', QStringLiteral("''")) + u'\'';
}

// Every row of the embedded demo into the new database, 500 rows a statement.
void CopiaFilas(Administra& a, const QString& demo, const QSet<QString>& conIdentidad) {
    AccesoDatos origen;
    origen.AsignaServidor(QStringLiteral("sqlite"));
    origen.AsignaBaseDatos(demo);
    origen.Conecta();
    QHash<QString, QSet<QString>> fechas;
    for (const QStringList& f : a.Filas(
             QStringLiteral("SELECT TABLE_NAME, COLUMN_NAME FROM INFORMATION_SCHEMA.COLUMNS WHERE DATA_TYPE "
                            "IN ('datetime', 'smalldatetime', 'datetime2', 'date')")))
        fechas[f[0].toUpper()].insert(f[1].toUpper());

    Registros tablas;
    origen.ObtieneRecordset(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT "
                                           "LIKE 'sqlite%' ORDER BY name"),
                            tablas, nullptr, TipoCursor::Estatico);
    for (; !tablas.Eof(); tablas.MoveNext()) {
        const QString tabla = tablas.Fields(0).toString();
        Registros rs;
        origen.ObtieneRecordset(QStringLiteral("SELECT * FROM \"%1\"").arg(tabla), rs, nullptr,
                                TipoCursor::Estatico, TipoBloqueo::SoloLectura, -1, false);
        if (rs.Eof())
            continue;
        QStringList columnas;
        std::vector<bool> esFecha;
        for (int c = 0; c < rs.FieldCount(); ++c) {
            columnas << u'[' + rs.FieldName(c) + u']';
            esFecha.push_back(fechas.value(tabla.toUpper()).contains(rs.FieldName(c).toUpper()));
        }
        const bool identidad = conIdentidad.contains(tabla.toUpper());
        QStringList filas;
        const auto envia = [&] {
            if (filas.isEmpty())
                return;
            QString sql;
            if (identidad)
                sql += QStringLiteral("SET IDENTITY_INSERT [%1] ON;\n").arg(tabla);
            sql += QStringLiteral("INSERT INTO [%1] (%2) VALUES\n").arg(tabla, columnas.join(u',')) +
                   filas.join(QStringLiteral(",\n"));
            if (identidad)
                sql += QStringLiteral(";\nSET IDENTITY_INSERT [%1] OFF").arg(tabla);
            a.Ejecuta(sql);
            filas.clear();
        };
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList valores;
            for (int c = 0; c < rs.FieldCount(); ++c)
                valores << LiteralTsql(rs.Fields(c), esFecha[static_cast<size_t>(c)]);
            filas << u'(' + valores.join(u',') + u')';
            if (filas.size() == 500)
                envia();
        }
        envia();
    }
}

} // namespace

ServidorTsql LeeServidorTsql() {
    const QString carpeta = CarpetaServidor();
    ServidorTsql s = ServidorDe(carpeta);
    static QString preparada;
    if (preparada != carpeta) {
        PreparaServidor(carpeta);
        preparada = carpeta;
    }
    return s;
}

void EjecutaTsql(const QString& base, const QStringList& tandas) {
    Administra a(base);
    for (const QString& t : tandas)
        a.Ejecuta(t);
}

void CreaBaseTsql(const QString& nombre, const QString& demo) {
    const QString scripts = BaseEmbebida::CarpetaScripts();
    const QString esquema = LeeArchivo(QDir(scripts).filePath(QStringLiteral("esquema-sqlserver.sql")));
    if (esquema.isEmpty())
        Falla(QStringLiteral("sin db/esquema-sqlserver.sql en ") + scripts);
    EjecutaTsql({}, {QStringLiteral("CREATE DATABASE [%1]").arg(nombre)});
    Administra a(nombre);
    // The tables whose key the database gives, as the schema declares them (the server's catalog
    // views read every database's, also one that another test drops meanwhile).
    static const QRegularExpression tabla(QStringLiteral("^CREATE TABLE (\\w+)"));
    QSet<QString> conIdentidad;
    for (const QString& s : Sentencias(esquema)) {
        a.Ejecuta(s);
        if (const auto m = tabla.match(s); m.hasMatch() && s.contains(QLatin1StringView("IDENTITY")))
            conIdentidad.insert(m.captured(1).toUpper());
    }
    CopiaFilas(a, demo, conIdentidad);
}

void BorraBaseTsql(const QString& nombre) {
    try {
        EjecutaTsql({}, {QStringLiteral("DROP DATABASE [%1]").arg(nombre)});
    } catch (const ErrorSistema&) {
        // A database left behind goes with the server's folder.
    }
}

void CreaBaseAdministracion(const QString& nombre, const QString& depositos, const QStringList& delEsquema) {
    EjecutaTsql({}, {QStringLiteral("CREATE DATABASE [%1]").arg(nombre)});
    QStringList tandas = {
        QStringLiteral("CREATE TABLE V_TA_Deposito (IdDeposito VARCHAR(4) PRIMARY KEY, "
                       "Descripcion VARCHAR(50), UNIDADNEGOCIO VARCHAR(4), Empresa VARCHAR(50))"),
        QStringLiteral("INSERT INTO V_TA_Deposito VALUES ") + depositos,
        QStringLiteral("CREATE TABLE V_TA_Cajas (IdCajas VARCHAR(4) PRIMARY KEY, "
                       "Descripcion VARCHAR(50))")};
    const QStringList esquema = Sentencias(
        LeeArchivo(QDir(BaseEmbebida::CarpetaScripts()).filePath(QStringLiteral("esquema-sqlserver.sql"))));
    for (const QString& tabla : delEsquema) {
        const QString inicio = QStringLiteral("CREATE TABLE ") + tabla + QStringLiteral(" (");
        const auto it = std::find_if(esquema.cbegin(), esquema.cend(),
                                     [&](const QString& s) { return s.startsWith(inicio); });
        if (it == esquema.cend())
            Falla(QStringLiteral("db/esquema-sqlserver.sql no declara ") + tabla);
        tandas << *it << QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON %1 TO PUBLIC").arg(tabla);
    }
    EjecutaTsql(nombre, tandas);
}

const QString kClaveSitio = QStringLiteral("Sitio#2026");

void CreaLoginSitio(const QString& login, const QString& base) {
    EjecutaTsql({}, {QStringLiteral("CREATE LOGIN [%1] WITH PASSWORD = '%2'").arg(login, kClaveSitio)});
    EjecutaTsql(base,
                {QStringLiteral("CREATE USER [%1] FOR LOGIN [%1]").arg(login),
                 QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON SCHEMA::dbo TO [%1]").arg(login)});
}

void DaDerechosSitio(const QString& admin, const QString& login, const QStringList& tablas) {
    QStringList tandas = {QStringLiteral("CREATE USER [%1] FOR LOGIN [%1]").arg(login)};
    const QHash<QString, QString> derechos = {
        {QStringLiteral("V_TA_Deposito"), QStringLiteral("SELECT")},
        {QStringLiteral("V_TA_Cajas"), QStringLiteral("SELECT, INSERT")},
        {QStringLiteral("MV_ASIENTOS"), QStringLiteral("SELECT, INSERT, UPDATE")},
        {QStringLiteral("MV_ASIENTOSCCOSTO"), QStringLiteral("SELECT")}};
    for (const QString& tabla : tablas) {
        if (!tabla.startsWith(QLatin1StringView("MV_"))) {
            tandas << QStringLiteral("GRANT %1 ON %2 TO [%3]").arg(derechos.value(tabla), tabla, login);
            continue;
        }
        tandas << QStringLiteral("REVOKE SELECT, INSERT, UPDATE, DELETE ON %1 FROM PUBLIC").arg(tabla)
               << QStringLiteral("GRANT %1 ON %2 TO PUBLIC").arg(derechos.value(tabla), tabla);
    }
    EjecutaTsql(admin, tandas);
}

QString SinDerechoAdministracion(const QString& login, const QString& derecho, const QString& tabla,
                                 const QString& admin) {
    return QStringLiteral("El usuario \"%1\" no tiene permiso de %2 sobre la tabla %3 de la base de "
                          "administración \"%4\" que nombra ADMIN= en los datos de conexión.")
        .arg(login, derecho, tabla, admin);
}

void BorraLoginSitio(const QString& login) {
    try {
        EjecutaTsql({}, {QStringLiteral("DROP LOGIN [%1]").arg(login)});
    } catch (const ErrorSistema&) {
        // A login left behind goes with the server's folder.
    }
}

void AgregaDsnTsql(const QString& archivo, const QString& nombre, const QString& driver,
                   const QStringList& extra) {
    const ServidorTsql s = LeeServidorTsql();
    QFile f(archivo);
    if (!f.open(QIODevice::Append | QIODevice::Text))
        Falla(QStringLiteral("no se escribe ") + archivo);
    QStringList lineas = {u'[' + nombre + u']', QStringLiteral("Driver = ") + driver,
                          QStringLiteral("Server = ") + s.servidor.section(u',', 0, 0),
                          QStringLiteral("Port = ") + s.servidor.section(u',', 1),
                          QStringLiteral("TDS_Version = 7.3")};
    lineas << extra;
    f.write((lineas.join(u'\n') + QStringLiteral("\n\n")).toUtf8());
}

QString BibliotecaFreeTds() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&SQLGetInfo), &info) == 0 || !info.dli_fname)
        Falla(QStringLiteral("no se sabe dónde está el gestor de ODBC"));
    QString ruta = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath() +
                   QStringLiteral("/odbc/libtdsodbc.so");
    if (!QFileInfo::exists(ruta))
        Falla(QStringLiteral("no está ") + ruta);
    return ruta;
}

void ConectaTsql(AccesoDatos& ad, const QString& base, const QString& login) {
    const ServidorTsql s = LeeServidorTsql();
    ad.AsignaUsuario(login.isEmpty() ? s.usuario : login);
    ad.AsignaBaseDatos(base);
    ad.AsignaPassword(login.isEmpty() ? s.password : kClaveSitio);
    ad.AsignaServidor(s.servidor);
    ad.Conecta(false, 3, QString(), true, true);
}

void ConectaSitioConAdministracion(AccesoDatos& ad, const QString& base, const QString& admin,
                                   const QString& login, const QString& depositos) {
    CreaBaseAdministracion(admin, depositos);
    CreaLoginSitio(login, base);
    DaDerechosSitio(admin, login, {QStringLiteral("V_TA_Deposito")});
    ad.AsignaDatoConexion(QStringLiteral("ADMIN=") + admin);
    ConectaTsql(ad, base, login);
}

QString LineaSesionTsql(const QString& base, const QString& login) {
    const ServidorTsql s = LeeServidorTsql();
    return QStringLiteral("@Server=%1;@DbName=%2;@Usuario=%3;@Password=%4;@UsuarioLogeado=%3;@Caja=1;")
        .arg(s.servidor, base, login.isEmpty() ? s.usuario : login,
             login.isEmpty() ? s.password : kClaveSitio);
}

#include "Inicio.h"

#include "Acceso.h"
#include "AccesoDatos.h"
#include "AuxInicio.h"
#include "CargaConfiguracion.h"
#include "Configuracion.h"
#include "DefinicionesConsulta.h"
#include "ErrorSistema.h"
#include "ErroresSqlServer.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "LectorIni.h"
#include "Regional.h"
#include "Utilidades.h"
#include "VentanaConsulta.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStringList>
#include <cstdio>

namespace {

const QString kArchivoIni = QStringLiteral("CN000pr.INI");
const QString kBaseEstadisticas = QStringLiteral("CV_ESTADISTICAS");
// Built-in words of the INI's default session and the statistics database's password.
const QString kUsuarioIni = QStringLiteral("sa");
const QString kPasswordIni = QStringLiteral("sa");
const QString kPasswordEstadisticas = QStringLiteral("Estadisticas#15");

constexpr qint16 kTimeOutDefecto = 360;
constexpr int kIsolacionLecturaSinConfirmar = 256;

// CInt of the suite: rounds half to even; out of range is an overflow (error 6).
qint16 AEntero16(double valor) {
    const double r = RedondeoBanquero(valor);
    if (r < -32768.0 || r > 32767.0)
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"), QStringLiteral("ObtieneBaseEstadisticas"));
    return static_cast<qint16>(r);
}

} // namespace

QString ObtieneServidor(const QString& servidor) {
    QString resultado = servidor;
    const qsizetype barra = resultado.indexOf(u'/');
    if (barra >= 0)
        resultado = resultado.mid(barra + 1);
    const qsizetype dosPuntos = resultado.indexOf(u':');
    if (dosPuntos >= 0)
        resultado = resultado.left(dosPuntos);
    return resultado;
}

QString LeeClave(const QString& lineaComando, const QString& clave, const QString& siFalta) {
    const QStringList items = lineaComando.split(u';');
    for (const QString& item : items) {
        const QString texto = item.trimmed();
        if (!texto.startsWith(clave, Qt::CaseInsensitive))
            continue;
        const QString resto = texto.mid(clave.size());
        if (!resto.trimmed().startsWith(u'='))
            continue; // "@Usuario" is not the start of "@UsuarioLogeado"
        return UT().QuitaCaracter(resto, QStringLiteral("=")).trimmed();
    }
    return siFalta;
}

QString LineaComandoProceso() {
    const QStringList argumentos = QCoreApplication::arguments();
    return argumentos.mid(1).join(u' ');
}

QString SeccionIni() {
    QString seccion = Maquina().NombreMaquina().toUpper() + u'|' + Maquina().NombreUsuario().toUpper();
    if (seccion.trimmed().size() > 50)
        seccion = seccion.left(50);
    return seccion;
}

QString SesionDesdeIni() {
    const QString seccion = Maquina().NombreMaquina().toUpper() + u'|' + Maquina().NombreUsuario().toUpper() +
                            QStringLiteral("BaseDeDatos");
    const QString barra = QStringLiteral("|");
    QString servidor = Ini().LeeValor(kArchivoIni, seccion, QStringLiteral("Servidor"), {});
    QString base = Ini().LeeValor(kArchivoIni, seccion, QStringLiteral("DbName"), {});
    QString usuario = UT().DecodificaTexto(
        Ini().LeeValor(kArchivoIni, seccion, QStringLiteral("Usuario"), UT().CodificaTexto(kUsuarioIni)));
    QString password = UT().DecodificaTexto(Ini().LeeValor(
        kArchivoIni, seccion, QStringLiteral("UserPassWord"), UT().CodificaTexto(kPasswordIni)));
    servidor = UT().QuitaCaracter(servidor, barra);
    base = UT().QuitaCaracter(base, barra);
    usuario = UT().QuitaCaracter(usuario, barra);
    password = UT().QuitaCaracter(password, barra);
    return QStringLiteral("@server=") + servidor + QStringLiteral("; @dbname= ") + base +
           QStringLiteral("; @usuario= ") + usuario + QStringLiteral("; @Password= ") + password +
           QStringLiteral("; @ParametroAdicional=; @Caja=1;kolm@");
}

namespace {

// Error 5 (invalid call or argument) skips the step; any other leaves start-up silently.
int ReportaInicio(const ErrorSistema& e) {
    return e.Numero() == 5 ? Respuesta::Ignorar : Respuesta::Abortar;
}

QString CarpetaPrograma() {
    return UT().NormalizaRuta(QCoreApplication::applicationDirPath());
}

// Start-up cannot go on: the person and standard error are told the same.
void AvisaFinInicio(const QString& texto, const QString& detalle) {
    const QString linea = detalle.isEmpty() ? texto : texto + u' ' + detalle;
    fprintf(stderr, "%s\n", qPrintable(linea));
    fflush(stderr);
    interaccion().MsgBox(detalle.isEmpty() ? texto : texto + QStringLiteral("\n\n") + detalle,
                         Estilo::SoloAceptar | Estilo::Critico, QGuiApplication::applicationDisplayName());
}

// The session yields no connection: say why, without the password. What the connection data
// give (MODELOS_DATO_CONEXION) is named with where it came from; a database the server does not
// have is the session's unless the failure came from the data.
void AvisaSinConexion(const QString& motivo, long numero) {
    const AccesoDatos& ad = AD();
    if (ad.FalloDatoConexion()) {
        const QString de = QStringLiteral(": la nombra ADMIN= en MODELOS_DATO_CONEXION.");
        const QString base = ad.BaseAdministracion();
        if (numero == sqlserver::kBaseInexistente && !base.isEmpty())
            AvisaFinInicio(QStringLiteral("No existe la base de administración \"%1\" en el servidor \"%2\"")
                                   .arg(base, ad.LeeServidor()) +
                               de,
                           {});
        else if (numero == sqlserver::kSinAccesoBase)
            AvisaFinInicio(
                QStringLiteral("El usuario \"%1\" no tiene acceso a la base de administración \"%2\" "
                               "del servidor \"%3\"")
                        .arg(ad.LeeUsuario(), base, ad.LeeServidor()) +
                    de,
                {});
        else
            AvisaFinInicio(QStringLiteral("Los datos de conexión de MODELOS_DATO_CONEXION no sirven."),
                           OcultaClaves(motivo.simplified()));
        return;
    }
    AvisaFinInicio(QStringLiteral("No se pudo conectar con la base de datos \"%1\" del servidor \"%2\".")
                       .arg(ad.LeeBaseDatos(), ad.LeeServidor()),
                   OcultaClaves(motivo.simplified()));
}

} // namespace

QString OcultaClaves(const QString& texto) {
    // Only where a password stands as the password: paths and names that hold its letters stay.
    static const QRegularExpression clave(
        QStringLiteral(R"(((?:^|[;\s])@?(?:pwd|password)\s*=\s*)(\{(?:[^}]|\}\})*\}|[^;]+))"),
        QRegularExpression::CaseInsensitiveOption);
    QString r = texto;
    r.replace(clave, QStringLiteral("\\1****"));
    return r;
}

QString RutaBaseDefecto() {
    return CarpetaPrograma() + QStringLiteral("modelos.db");
}

// NOLINTNEXTLINE(readability-function-size): the system's start-up steps, run in order by EjecutaPasos.
void InicializaSistema(bool usarIni, const QString& lineaComando, QString& cadenaConexion,
                       qint32 opcionConexion) {
    QString carpeta;
    QString texto;
    const bool completo = EjecutaPasos(
        {
            [&] { carpeta = CarpetaPrograma(); },
            [&] { gArchivoAyuda = carpeta + QStringLiteral("htmlhelp/modelos.chm"); },
            [&] {
                gColorLetra = 0;
                gColorFondo = 16777215;
            },
            [&] { texto = lineaComando.isEmpty() ? LineaComandoProceso() : lineaComando; },
            [&] {
                if (texto.trimmed().isEmpty() && usarIni)
                    texto = SesionDesdeIni();
            },
            [&] { gSeccionIni = SeccionIni(); },
            [&] { gFlatToolbars = ValNumero(Ini().LeeValor(kArchivoIni, gSeccionIni, "FlatToolbars", "1")); },
        },
        ReportaInicio);
    if (!completo)
        return;

    if (!AD().EstaConectado()) {
        QString servidor, base, usuario, password, motivo;
        long numero = 0;
        const bool conectado = EjecutaPasos(
            {
                [&] {
                    gParametroAdicional = LeeClave(texto, QStringLiteral("@ParametroAdicional"));
                    gMenu = LeeClave(texto, QStringLiteral("@Menu"));
                    servidor = LeeClave(texto, QStringLiteral("@Server"));
                    base = LeeClave(texto, QStringLiteral("@DbName"));
                    usuario = LeeClave(texto, QStringLiteral("@Usuario"));
                    password = LeeClave(texto, QStringLiteral("@Password"));
                    gUsuarioLogeado = LeeClave(texto, QStringLiteral("@UsuarioLogeado"));
                    gCaja = LeeClave(texto, QStringLiteral("@Caja"), QStringLiteral("1"));
                },
                [&] {
                    if (!servidor.startsWith(u'#'))
                        return;
                    servidor.remove(0, 1);
                    if (cadenaConexion.isEmpty())
                        cadenaConexion = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + base +
                                         QStringLiteral(";User Id=") + usuario +
                                         QStringLiteral(";Password=") + password + u';';
                },
                [&] {
                    const bool faltanDatos = servidor.trimmed().isEmpty() || usuario.trimmed().isEmpty();
                    AD().AsignaUsuario(usuario);
                    AD().AsignaBaseDatos(base);
                    AD().AsignaPassword(password);
                    AD().AsignaServidor(ObtieneServidor(servidor));
                    // Without server and user, the embedded database of this desk.
                    if (servidor.trimmed().isEmpty() && usuario.trimmed().isEmpty()) {
                        AD().AsignaServidor(QStringLiteral("sqlite"));
                        if (base.trimmed().isEmpty())
                            AD().AsignaBaseDatos(RutaBaseDefecto());
                    }
                    // A site's server: what its connection needs besides the session's items (the
                    // administration database, a driver, a port), from the environment.
                    if (AD().LeeServidor().compare(QLatin1StringView("sqlite"), Qt::CaseInsensitive) != 0)
                        AD().AsignaDatoConexion(qEnvironmentVariable("MODELOS_DATO_CONEXION"));
                    try {
                        AD().Conecta(faltanDatos, opcionConexion, cadenaConexion, true, true);
                    } catch (const ErrorSistema& e) {
                        motivo = e.Descripcion();
                        numero = e.Numero();
                    }
                    if (!AD().EstaConectado()) {
                        AvisaSinConexion(motivo, numero);
                        throw FinPrograma{1};
                    }
                },
                [&] { ObtieneBaseEstadisticas(); },
                [&] { gUsuarioLogeado = AD().LeeUsuario(); },
                [&] { AD().LeeConexion().setCommandTimeout(gTimeOut); },
                [&] { AD().LeeConexion().setIsolationLevel(kIsolacionLecturaSinConfirmar); },
            },
            ReportaInicio);
        if (!conectado)
            return;
    }

    if (AD().LeeBaseDatos().isEmpty()) {
        EjecutaPasos({[] { RegistraIngreso(QString()); }}, ReportaInicio);
        return;
    }
    EjecutaPasos({
                     [&] { Aux().CarpetaPrograma(carpeta); },
                     [&] { AD().LeeConexion().setDefaultDatabase(AD().LeeBaseDatos()); },
                     [&] {
                         VC().setCadenaConexion(AD().LeeCadenaConexion());
                         VC().setOpcion(true);
                         VC().setArchivoConsultas(carpeta + QStringLiteral("consultas.cvn"));
                     },
                     [&] {
                         // A failed write of the default search definitions does not stop start-up.
                         EjecutaPasos({[&] {
                                          if (!ExisteArchivoConsultas())
                                              CreaConsultasDefault();
                                      }},
                                      SiempreSiguiente);
                     },
                     [&] { CargaConfiguracion(carpeta); },
                     [&] { RegistraIngreso(QString()); },
                 },
                 ReportaInicio);
}

void ObtieneBaseEstadisticas() {
    gTimeOut = kTimeOutDefecto;
    AccesoDatos& est = gBaseEstadisticas();
    EjecutaPasos({
                     [&] {
                         if (est.EstaConectado())
                             est.LeeConexion().Close();
                     },
                     // It reads no administration table: its login need not enter that database.
                     [&] { est.AsignaDatoConexion(AD().LeeDatoConexionSinAdministracion()); },
                     [&] { est.AsignaServidor(AD().LeeServidor()); },
                     [&] { est.AsignaBaseDatos(kBaseEstadisticas); },
                     [&] { est.AsignaUsuario(kBaseEstadisticas); },
                     [&] { est.AsignaPassword(kPasswordEstadisticas); },
                     [&] { est.Conecta(false, 3, QString(), true, false); },
                 },
                 SiempreSiguiente);
    if (est.EstaConectado()) {
        EjecutaPasos({
                         [&] { est.LeeConexion().setDefaultDatabase(kBaseEstadisticas); },
                         [&] {
                             QString aux;
                             gTimeOut = AEntero16(ValNumero(CfgCV(QStringLiteral("TimeOut"), aux)));
                         },
                         [&] {
                             if (gTimeOut == 0)
                                 GrabaCfgCV(QStringLiteral("TimeOut"), 0, QString(), false,
                                            QStringLiteral("BaseDeDatos"), true);
                         },
                     },
                     SiempreSiguiente);
    }
    if (gTimeOut == 0)
        gTimeOut = kTimeOutDefecto;
}

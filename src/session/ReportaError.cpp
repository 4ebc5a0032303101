#include "ReportaError.h"

#include "AccesoDatos.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Registros.h"
#include "Reloj.h"
#include "Utilidades.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace {

QString PalabraRespuesta(int respuesta) {
    switch (respuesta) {
    case Respuesta::Reintentar:
        return QStringLiteral("Reintentar");
    case Respuesta::Ignorar:
        return QStringLiteral("Ignorar");
    case Respuesta::Abortar:
        return QStringLiteral("Abortar");
    case Respuesta::Cancelar:
        return QStringLiteral("Cancelar");
    case Respuesta::Si:
        return QStringLiteral("Sí");
    case Respuesta::No:
        return QStringLiteral("No");
    default:
        return {};
    }
}

// The suite's log is a Windows text file: Windows-1252, CR LF.
void AgregaLinea(const QString& ruta, const QString& linea) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QStringEncoder codificador("Windows-1252");
    const QByteArray bytes = codificador.isValid() ? QByteArray(codificador(linea + QStringLiteral("\r\n")))
                                                   : (linea + QStringLiteral("\r\n")).toLatin1();
    archivo.write(bytes);
}

} // namespace

QString NombreEjecutable() {
    const QString ruta = QCoreApplication::applicationFilePath();
    if (!ruta.isEmpty())
        return QFileInfo(ruta).completeBaseName();
    return QCoreApplication::applicationName();
}

QString CarpetaRegistroErrores() {
    QString carpeta;
    if (!qEnvironmentVariable("temp").isEmpty())
        carpeta = qEnvironmentVariable("tmp");
    carpeta = carpeta.trimmed();
    if (carpeta.isEmpty())
        carpeta = Maquina().CarpetaAlternativa();
    carpeta = UT().NormalizaRuta(carpeta);
    if (!carpeta.endsWith(QLatin1Char('/')))
        carpeta += QLatin1Char('/');
    return carpeta;
}

QString LineaRegistroErrores(const QDateTime& momento, const QString& rutina, const QString& mensaje,
                             int respuesta) {
    return momento.toString(QStringLiteral("MM-dd-yyyy HH:mm:ss")) + QStringLiteral(" Rutina: ") +
           rutina.trimmed() + QStringLiteral(" Mensaje ") + mensaje.trimmed() +
           QStringLiteral(" Respondió : ") + PalabraRespuesta(respuesta);
}

void AnotaRegistroErrores(const QString& rutina, const QString& mensaje, int respuesta) {
    try {
        AgregaLinea(CarpetaRegistroErrores() + QStringLiteral("CVERR.LOG"),
                    LineaRegistroErrores(Ahora(), rutina, mensaje, respuesta));
    } catch (const std::exception&) {
        // Without a folder, or without the line, the caller's answer still counts.
    }
}

int ReportaError(const ErrorSistema& error, int botones, const QString& rutina) {
    const QString mensaje = QStringLiteral("Ha ocurrido el Siguiente Error (") +
                            QString::number(error.Numero()) + QStringLiteral(") ") +
                            error.Descripcion().trimmed();
    const QString parteRutina = rutina.isEmpty() ? QString() : QStringLiteral(" - ") + rutina;
    const QString titulo = error.Origen() + parteRutina + QStringLiteral(" Aviso al operador!!! - 2 ");
    if (error.Numero() == 0)
        return 0;

    const int respuesta = AnotaRespuesta(interaccion().MsgBox(mensaje, botones, titulo));
    AnotaRegistroErrores(parteRutina, mensaje, respuesta);
    return respuesta;
}

void RegistraErrorBD(const QString& sql, QString& proceso, qint32 numero, const QString& descripcion) {
    if (proceso.isEmpty())
        proceso = NombreEjecutable();
    Registros rs;
    const QString proc = proceso;
    EjecutaPasos(
        {
            [&] {
                AD().ObtieneRecordset(QStringLiteral("select  top 1 * from AUX_ERR  with(nolock) "), rs,
                                      nullptr, TipoCursor::Dinamico, TipoBloqueo::Optimista);
            },
            [&] { rs.AddNew(); },
            [&] { rs.AsignaCampo(QStringLiteral("Proceso"), proc); },
            [&] {
                rs.AsignaCampo(QStringLiteral("Fecha"), Ahora().toString(QStringLiteral("dd/MM/yy HH:mm")));
            },
            [&] { rs.AsignaCampo(QStringLiteral("Error"), numero); },
            [&] { rs.AsignaCampo(QStringLiteral("Descripcion"), UT().CortaTexto(descripcion, 250)); },
            [&] { rs.AsignaCampo(QStringLiteral("SQL"), sql); },
            [&] { rs.AsignaCampo(QStringLiteral("PC"), Maquina().NombreMaquina()); },
            [&] { rs.AsignaCampo(QStringLiteral("Usuario"), AD().LeeUsuario()); },
            [&] { rs.Update(); },
            [&] { AD().CierraRecordset(rs); },
        },
        SiempreSiguiente);
}

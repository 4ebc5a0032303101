#include "MenuExes.h"

#include "AccesoDatos.h"
#include "AuxInicio.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Interaccion.h"
#include "ReportaError.h"
#include "Utilidades.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

// The six characters of the suite's "shell:" or "SHELL " prefix.
constexpr int kPrefijo = 6;

QString NombreArchivo(const QString& ruta) {
    const qsizetype corte = std::max(ruta.lastIndexOf(u'\\'), ruta.lastIndexOf(u'/'));
    return ruta.mid(corte + 1);
}

// The program part of the command without the folder, by the form of the program text.
QString ParteSinCarpeta(const QString& programa) {
    if (programa.contains(u'\\') || programa.contains(QLatin1StringView("SHELL"), Qt::CaseInsensitive))
        return programa.mid(kPrefijo);
    return programa;
}

} // namespace

QString SesionMenuExes(const QString& parametroAdicional) {
    AccesoDatos& ad = AD();
    return QStringLiteral(" ; @server=") + ad.LeeServidor() + QStringLiteral("; @dbname=") +
           ad.LeeBaseDatos() + QStringLiteral("; @usuario=") + ad.LeeUsuario() +
           QStringLiteral("; @Password=") + ad.LeePassword() + QStringLiteral("; @ParametroAdicional=") +
           parametroAdicional + QStringLiteral("; kolm@ ; @UsuarioLogeado = ") + gUsuarioLogeado +
           QStringLiteral("; @Caja=") + gCaja + QStringLiteral(";");
}

QString ComandoMenuExes(const QString& programa, const QString& sesion) {
    if (programa.contains(u'\\'))
        return programa.mid(kPrefijo) + sesion;
    return CarpetaProgramas() + ParteSinCarpeta(programa) + sesion;
}

QString CarpetaProgramas() {
    QString carpeta = qEnvironmentVariable("MODELOS_PROGRAMAS").trimmed();
    if (carpeta.isEmpty() && ExisteAux())
        carpeta = Aux().CarpetaPrograma();
    if (carpeta.isEmpty())
        carpeta = QCoreApplication::applicationDirPath();
    return UT().NormalizaRuta(carpeta);
}

QStringList ResuelveProgramaSuite(const QString& parte) {
    QStringList palabras = QProcess::splitCommand(parte.trimmed());
    if (palabras.isEmpty())
        return palabras;
    const QFileInfo directo(palabras.first());
    if (directo.isAbsolute() && directo.isFile())
        return palabras;

    const QString nombre = NombreArchivo(palabras.first());
    QStringList buscados{nombre};
    if (nombre.endsWith(QLatin1StringView(".exe"), Qt::CaseInsensitive))
        buscados << nombre.chopped(4);
    const QDir carpeta(CarpetaProgramas());
    const QStringList archivos = carpeta.entryList(QDir::Files | QDir::NoDotAndDotDot);
    // An exact name first, then one that differs only in case.
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive})
        for (const QString& buscado : buscados)
            for (const QString& archivo : archivos)
                if (!buscado.isEmpty() && archivo.compare(buscado, cs) == 0) {
                    palabras.first() = carpeta.filePath(archivo);
                    return palabras;
                }
    // Never a program of the same name elsewhere on the PATH.
    palabras.first() = carpeta.filePath(nombre);
    return palabras;
}

void MenuExes(const QString& programa, QString& parametroAdicional, qint32& tarea) {
    QString sesion;
    QStringList comando;
    EjecutaPasos({
                     [&] {
                         const qsizetype blanco = parametroAdicional.indexOf(u' ');
                         if (blanco >= 0)
                             parametroAdicional = parametroAdicional.mid(blanco + 1);
                     },
                     [&] { sesion = SesionMenuExes(parametroAdicional); },
                     [&] { comando = ResuelveProgramaSuite(ParteSinCarpeta(programa)); },
                     [&] {
                         // The session travels as one argument, byte for byte as the suite writes it.
                         tarea = 0;
                         qint64 pid = 0;
                         const QString ejecutable = comando.isEmpty() ? QString() : comando.first();
                         if (ejecutable.isEmpty() ||
                             !QProcess::startDetached(ejecutable, comando.mid(1) << sesion, QString(), &pid))
                             throw ErrorSistema(
                                 53, QStringLiteral("No se ha encontrado el archivo: ") + ejecutable,
                                 QStringLiteral("MenuExes"));
                         tarea = static_cast<qint32>(pid);
                     },
                     [&] {
                         if (tarea == 0)
                             interaccion().MsgBox(
                                 QStringLiteral("Opcion no Implementada!\rComuniquese con su proveedor de "
                                                "sistemas"),
                                 Estilo::SoloAceptar | Estilo::Critico, QStringLiteral("Atención"));
                     },
                 },
                 [](const ErrorSistema& e) {
                     return ReportaError(e, Estilo::AbortarReintentarIgnorar | Estilo::Critico,
                                         QStringLiteral("MenuExes"));
                 });
}

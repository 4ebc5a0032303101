#include "LectorIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

QString Decodifica(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(bytes.mid(3));
    }
    QStringDecoder ansi("Windows-1252");
    if (!ansi.isValid()) {
        return QString::fromLatin1(bytes);
    }
    return ansi.decode(bytes);
}

QString SinComillas(const QString& valor) {
    if (valor.size() >= 2 && valor.front() == QLatin1Char('"') && valor.back() == QLatin1Char('"')) {
        return valor.mid(1, valor.size() - 2);
    }
    return valor;
}

} // namespace

QString LectorIni::Carpeta() const {
    return carpeta_.isEmpty() ? QCoreApplication::applicationDirPath() : carpeta_;
}

QString LectorIni::ResuelveArchivo(const QString& archivo) const {
    const QFileInfo info(archivo);
    QString ruta = archivo.contains(QLatin1Char('/')) ? archivo : QDir(Carpeta()).filePath(archivo);
    if (QFileInfo::exists(ruta)) {
        return ruta;
    }
    // The suite names its files in any case; Linux file names are case-sensitive.
    const QDir carpeta = QFileInfo(ruta).absoluteDir();
    const QStringList nombres = carpeta.entryList(QDir::Files | QDir::Hidden);
    for (const QString& n : nombres) {
        if (n.compare(info.fileName(), Qt::CaseInsensitive) == 0) {
            return carpeta.filePath(n);
        }
    }
    return ruta;
}

QString LectorIni::LeeValor(const QString& archivo, const QString& seccion, const QString& clave,
                            const QString& defecto) const {
    QFile f(ResuelveArchivo(archivo));
    if (!f.open(QIODevice::ReadOnly)) {
        return defecto;
    }
    const QString texto = Decodifica(f.readAll());
    bool enSeccion = false;
    bool seccionVista = false;
    for (QStringView linea : QStringView(texto).split(QLatin1Char('\n'))) {
        linea = linea.trimmed();
        if (linea.isEmpty() || linea.startsWith(QLatin1Char(';'))) {
            continue;
        }
        if (linea.startsWith(QLatin1Char('['))) {
            // Only the first section of that name is read.
            if (enSeccion) {
                break;
            }
            const qsizetype fin = linea.indexOf(QLatin1Char(']'));
            const QStringView nombre = linea.mid(1, fin < 0 ? -1 : fin - 1).trimmed();
            enSeccion = !seccionVista && nombre.compare(seccion.trimmed(), Qt::CaseInsensitive) == 0;
            seccionVista = seccionVista || enSeccion;
            continue;
        }
        if (!enSeccion) {
            continue;
        }
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (igual < 0) {
            continue;
        }
        if (linea.left(igual).trimmed().compare(clave.trimmed(), Qt::CaseInsensitive) == 0) {
            return SinComillas(linea.mid(igual + 1).trimmed().toString());
        }
    }
    return defecto;
}

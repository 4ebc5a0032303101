#include "Comun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

QByteArray Bytes(const uint8_t* datos, size_t largo) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(largo));
}

QString TextoUtf8(const uint8_t* datos, size_t largo) {
    return QString::fromUtf8(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(largo));
}

std::vector<QString> Partes(const uint8_t* datos, size_t largo, int cuantas) {
    std::vector<QString> partes(static_cast<size_t>(cuantas));
    const QList<QByteArray> trozos = Bytes(datos, largo).split('\n');
    for (int i = 0; i < cuantas && i < trozos.size(); ++i)
        partes[static_cast<size_t>(i)] = QString::fromUtf8(trozos[i]);
    return partes;
}

QString CarpetaTrabajo() {
    // In memory where the system has it: thousands of small writes a second must not wait on a disk.
    static QTemporaryDir carpeta(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                     ? QStringLiteral("/dev/shm/modelos-fuzz-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/modelos-fuzz-XXXXXX"));
    if (!carpeta.isValid())
        Falla("no se pudo crear la carpeta de trabajo");
    return carpeta.path() + QLatin1Char('/');
}

void EscribeArchivo(const QString& ruta, const QByteArray& contenido) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenido) != contenido.size())
        Falla("no se pudo escribir el archivo de trabajo", ruta);
}

void Falla(const char* propiedad, const QString& detalle) {
    fprintf(stderr, "\nPROPIEDAD ROTA: %s\n%s\n", propiedad, detalle.toUtf8().constData());
    fflush(stderr);
    abort();
}

// The suite's INI reader over any file: the keys the program reads, a key that is not there, and
// the first key of the first section, which must always be found with its value.
#include "Comun.h"
#include "LectorIni.h"

#include <QList>
#include <QStringDecoder>

namespace {

bool EsNombreSimple(QStringView s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!(c.isDigit() || (c.unicode() < 128 && c.isLetter()) || c == u'_' || c == u'|'))
            return false;
    return true;
}

QString Decodifica(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder ansi("Windows-1252");
    return ansi.decode(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    static const QString carpeta = CarpetaTrabajo();
    const QByteArray bytes = Bytes(datos, largo);
    EscribeArchivo(carpeta + QStringLiteral("cn000PR.ini"), bytes);
    LectorIni ini;
    ini.setCarpeta(carpeta);
    const QString archivo = QStringLiteral("CN000pr.INI");

    for (const char* clave : {"Styles", "FlatToolbars", "Servidor", "DbName", "Usuario", "UserPassWord"}) {
        const QString v = ini.LeeValor(archivo, QStringLiteral("MAQUINA|USUARIO"), QLatin1String(clave));
        if (v.contains(u'\n'))
            Falla("un valor ocupa más de una línea", v);
    }
    const QString defecto = QStringLiteral("\x01"
                                           "defecto");
    if (ini.LeeValor(archivo, QStringLiteral("MAQUINA|USUARIO"), QStringLiteral("No Existe Clave"),
                     defecto) != defecto)
        Falla("una clave que no está da otro valor que el dado");

    // The first "key=value" line of the first section, when both names are plain.
    QString seccion;
    const QString texto = Decodifica(bytes);
    for (QStringView linea : QStringView(texto).split(u'\n')) {
        linea = linea.trimmed();
        if (linea.isEmpty() || linea.startsWith(u';'))
            continue;
        if (linea.startsWith(u'[')) {
            if (!seccion.isEmpty())
                break;
            const qsizetype fin = linea.indexOf(u']');
            const QStringView nombre = linea.mid(1, fin < 0 ? -1 : fin - 1).trimmed();
            if (!EsNombreSimple(nombre))
                break;
            seccion = nombre.toString();
            continue;
        }
        const qsizetype igual = linea.indexOf(u'=');
        if (seccion.isEmpty() || igual < 0)
            continue;
        const QStringView clave = linea.left(igual).trimmed();
        if (!EsNombreSimple(clave))
            break;
        QString esperado = linea.mid(igual + 1).trimmed().toString();
        if (esperado.size() >= 2 && esperado.startsWith(u'"') && esperado.endsWith(u'"'))
            esperado = esperado.mid(1, esperado.size() - 2);
        const QString leido = ini.LeeValor(archivo, seccion.toLower(), clave.toString().toUpper(), defecto);
        if (leido != esperado)
            Falla("la primera clave de la primera sección no se lee con su valor",
                  seccion + QStringLiteral(" / ") + clave.toString() + QStringLiteral(": \"") + leido +
                      QStringLiteral("\" en vez de \"") + esperado + u'"');
        break;
    }
    return 0;
}

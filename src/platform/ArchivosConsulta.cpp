#include "ArchivosConsulta.h"

#include "ErrorSistema.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cmath>

namespace {

QByteArray Codifica(const QString& texto) {
    QStringEncoder ansi("Windows-1252");
    return ansi.encode(texto);
}

QString Decodifica(const QByteArray& bytes) {
    QStringDecoder ansi("Windows-1252");
    return ansi.decode(bytes);
}

// The field's bytes: cut or padded with blanks to `ancho`.
void AgregaCampo(QByteArray& destino, const QString& texto, int ancho) {
    QByteArray b = Codifica(texto);
    if (b.size() > ancho)
        b.truncate(ancho);
    destino += b;
    destino.append(ancho - b.size(), ' ');
}

// Splits one line of the sequential format into its values.
QStringList ValoresLinea(QStringView linea) {
    QStringList valores;
    qsizetype i = 0;
    const qsizetype n = linea.size();
    while (i <= n) {
        while (i < n && (linea[i] == u' ' || linea[i] == u'\t'))
            ++i;
        QString valor;
        if (i < n && linea[i] == u'"') {
            const qsizetype fin = linea.indexOf(u'"', i + 1);
            valor = linea.mid(i + 1, fin < 0 ? -1 : fin - i - 1).toString();
            i = fin < 0 ? n : fin + 1;
            while (i < n && linea[i] != u',')
                ++i;
        } else {
            qsizetype fin = linea.indexOf(u',', i);
            if (fin < 0)
                fin = n;
            valor = linea.mid(i, fin - i).trimmed().toString();
            i = fin;
        }
        valores << valor;
        if (i >= n)
            break;
        ++i; // the comma
    }
    return valores;
}

} // namespace

QByteArray RegistroConsulta::Bytes() const {
    QByteArray b;
    b.reserve(Longitud);
    AgregaCampo(b, Titulo, AnchoTitulo);
    AgregaCampo(b, Tabla, AnchoTabla);
    AgregaCampo(b, Campos, AnchoCampos);
    AgregaCampo(b, Condicion, AnchoCondicion);
    b += "\r\n";
    return b;
}

RegistroConsulta RegistroConsulta::DeBytes(const QByteArray& bytes) {
    QByteArray b = bytes.left(Longitud);
    if (b.size() < Longitud)
        b.append(Longitud - b.size(), ' ');
    RegistroConsulta r;
    int desde = 0;
    auto campo = [&](int ancho) {
        QString t = Decodifica(b.mid(desde, ancho));
        desde += ancho;
        return t;
    };
    r.Titulo = campo(AnchoTitulo);
    r.Tabla = campo(AnchoTabla);
    r.Campos = campo(AnchoCampos);
    r.Condicion = campo(AnchoCondicion);
    return r;
}

QString ResuelveRutaArchivo(const QString& ruta) {
    if (ruta.isEmpty() || QFileInfo::exists(ruta))
        return ruta;
    // The suite writes its file names in any case; Linux compares them exactly.
    const QFileInfo info(ruta);
    const QDir carpeta = info.absoluteDir();
    const QStringList nombres = carpeta.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& nombre : nombres)
        if (nombre.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return carpeta.filePath(nombre);
    return ruta;
}

EscritorConsultas::EscritorConsultas(const QString& ruta) : archivo_(ResuelveRutaArchivo(ruta)) {
    if (ruta.isEmpty() || !archivo_.open(QIODevice::ReadWrite))
        throw ErrorSistema(75, QStringLiteral("Error de acceso a la ruta o el archivo: ") + ruta,
                           QStringLiteral("EscritorConsultas"));
    numero_ = archivo_.size() / RegistroConsulta::Longitud + 1;
}

void EscritorConsultas::Agrega(const RegistroConsulta& registro) {
    if (numero_ > RegistroConsulta::MaximoRegistros)
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"), QStringLiteral("EscritorConsultas"));
    const QByteArray b = registro.Bytes();
    if (!archivo_.seek((numero_ - 1) * RegistroConsulta::Longitud) || archivo_.write(b) != b.size())
        throw ErrorSistema(57, QStringLiteral("Error de E/S en el dispositivo: ") + archivo_.fileName(),
                           QStringLiteral("EscritorConsultas"));
    ++numero_;
}

void EscritorConsultas::Cierra() {
    if (!archivo_.isOpen())
        return;
    const bool escrito = archivo_.flush();
    archivo_.close();
    if (!escrito)
        throw ErrorSistema(57, QStringLiteral("Error de E/S en el dispositivo: ") + archivo_.fileName(),
                           QStringLiteral("EscritorConsultas"));
}

LectorConsultas::LectorConsultas(const QString& ruta) : archivo_(ResuelveRutaArchivo(ruta)) {
    if (!ruta.isEmpty())
        (void)archivo_.open(QIODevice::ReadOnly);
}

bool LectorConsultas::Siguiente(RegistroConsulta& registro) {
    if (!archivo_.isOpen())
        return false;
    const QByteArray b = archivo_.read(RegistroConsulta::Longitud);
    if (b.isEmpty())
        return false;
    registro = RegistroConsulta::DeBytes(b);
    return true;
}

QString TextoComparable(const QString& campo) {
    QString t = campo;
    t.remove(QChar(0x0000));
    t.remove(QChar(0x00FF));
    return t.trimmed();
}

std::vector<LineaAnchos> LeeArchivoAnchos(const QString& ruta) {
    std::vector<LineaAnchos> lineas;
    QFile f(ResuelveRutaArchivo(ruta));
    if (ruta.isEmpty() || !f.open(QIODevice::ReadOnly))
        return lineas;
    const QString texto = Decodifica(f.readAll());
    for (QStringView linea : QStringView(texto).split(u'\n')) {
        if (linea.endsWith(u'\r'))
            linea.chop(1);
        if (linea.trimmed().isEmpty())
            continue;
        const QStringList valores = ValoresLinea(linea);
        lineas.push_back({valores.value(0), valores.value(1)});
    }
    return lineas;
}

namespace {

// A value as the sequential format can hold it: a quote or a line break inside would end it early,
// and the line would read back as other values.
QString ValorEscribible(const QString& valor) {
    QString v = valor;
    v.remove(u'"');
    v.remove(u'\r');
    v.remove(u'\n');
    return v;
}

} // namespace

QByteArray TextoLineaAnchos(const LineaAnchos& linea) {
    return Codifica(u'"' + ValorEscribible(linea.Entidad) + QStringLiteral("\",\"") +
                    ValorEscribible(linea.Anchos) + QStringLiteral("\"\r\n"));
}

bool MismaEntidad(const QString& a, const QString& b) {
    return ValorEscribible(a).trimmed().compare(ValorEscribible(b).trimmed(), Qt::CaseInsensitive) == 0;
}

std::vector<int> AnchosDeEntidad(const QString& rutaArchivo, const QString& entidad) {
    std::vector<int> anchos;
    for (const LineaAnchos& linea : LeeArchivoAnchos(rutaArchivo)) {
        if (!MismaEntidad(linea.Entidad, entidad))
            continue;
        const QStringList partes = linea.Anchos.split(u'|');
        for (qsizetype i = 0; i < partes.size(); ++i) {
            // The last "|" closes the list: nothing after it is a width.
            if (i == partes.size() - 1 && partes[i].trimmed().isEmpty())
                break;
            bool ok = false;
            const double valor = partes[i].trimmed().toDouble(&ok); // always "." as decimal point
            anchos.push_back(ok && valor >= 0 && valor < 1e9 ? static_cast<int>(std::lround(valor)) : -1);
        }
        break;
    }
    return anchos;
}

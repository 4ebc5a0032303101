#include "ArchivosConsulta.h"

#include "ErrorSistema.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <cmath>
#include <sys/stat.h>
#include <utility>

namespace {

QByteArray Codifica(const QString& texto) {
    QStringEncoder ansi("Windows-1252");
    return ansi.encode(texto);
}

// Windows-1252 is one byte per character: its table, taken once from the codec, decodes a
// record without opening a converter for each field.
const std::array<char16_t, 256>& Tabla1252() {
    static const std::array<char16_t, 256> tabla = [] {
        std::array<char16_t, 256> t{};
        QStringDecoder ansi("Windows-1252");
        for (int i = 0; i < 256; ++i) {
            const char byte = static_cast<char>(i);
            const QString c = ansi.decode(QByteArrayView(&byte, 1));
            t[static_cast<size_t>(i)] = c.size() == 1 ? c.at(0).unicode() : char16_t{0xFFFD};
        }
        return t;
    }();
    return tabla;
}

QString Decodifica(QByteArrayView bytes) {
    const std::array<char16_t, 256>& tabla = Tabla1252();
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar* destino = texto.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        destino[i] = QChar(tabla[static_cast<unsigned char>(bytes[i])]);
    return texto;
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
        QString t = Decodifica(QByteArrayView(b).sliced(desde, ancho));
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

namespace {

// What tells a file's content changed: which file it is, its size and modification time.
struct Huella {
    bool existe = false;
    bool regular = false;
    dev_t dispositivo = 0;
    ino_t nodo = 0;
    off_t tamano = 0;
    qint64 segundos = 0;
    qint64 nanos = 0;
    bool operator==(const Huella&) const = default;
};

Huella HuellaDe(const QString& ruta) {
    struct stat st {};
    if (ruta.isEmpty() || ::stat(QFile::encodeName(ruta).constData(), &st) != 0)
        return {};
    return {true,       S_ISREG(st.st_mode), st.st_dev,         st.st_ino,
            st.st_size, st.st_mtim.tv_sec,   st.st_mtim.tv_nsec};
}

// The path as ResuelveRutaArchivo gives it, with the file's fingerprint: one stat when the name
// is found as written. A name that must be matched in its folder is looked for again only when
// the folder changed.
std::pair<QString, Huella> RutaResuelta(const QString& ruta) {
    if (ruta.isEmpty())
        return {ruta, {}};
    if (Huella h = HuellaDe(ruta); h.existe)
        return {ruta, h};
    static QHash<QString, std::pair<Huella, QString>> resueltas;
    const Huella carpeta = HuellaDe(QFileInfo(ruta).absolutePath());
    auto it = resueltas.find(ruta);
    if (it == resueltas.end() || !(it->first == carpeta))
        it = resueltas.insert(ruta, {carpeta, ResuelveRutaArchivo(ruta)});
    const QString& real = it->second;
    return {real, real == ruta ? Huella{} : HuellaDe(real)};
}

template <class T> using Leido = std::pair<Huella, std::shared_ptr<const T>>;

// The content of the file at `ruta`, read by `lee` only when the file changed since.
// With `soloRegular`, nothing (a null pointer) when the path is not a regular file.
template <class T, class Lector>
std::shared_ptr<const T> LeeSiCambio(QHash<QString, Leido<T>>& cache, const QString& ruta, bool soloRegular,
                                     Lector lee) {
    const auto [real, huella] = RutaResuelta(ruta);
    if (soloRegular && !huella.regular)
        return nullptr;
    auto it = cache.find(real);
    if (it == cache.end() || !(it->first == huella))
        it = cache.insert(real, {huella, std::make_shared<const T>(lee(real))});
    return it->second;
}

std::shared_ptr<const std::vector<LineaAnchos>> LineasAnchos(const QString& ruta) {
    static QHash<QString, Leido<std::vector<LineaAnchos>>> cache;
    return LeeSiCambio(cache, ruta, false, [](const QString& real) { return LeeArchivoAnchos(real); });
}

} // namespace

bool EsArchivoRegular(const QString& ruta) {
    return RutaResuelta(ruta).second.regular;
}

namespace {

std::shared_ptr<const std::vector<RegistroConsulta>> RegistrosConsultasDe(const QString& ruta,
                                                                          bool soloRegular) {
    static QHash<QString, Leido<std::vector<RegistroConsulta>>> cache;
    return LeeSiCambio(cache, ruta, soloRegular, [](const QString& real) {
        std::vector<RegistroConsulta> registros;
        LectorConsultas lector(real);
        RegistroConsulta r;
        while (lector.Siguiente(r)) {
            for (QString* campo : {&r.Tabla, &r.Condicion}) {
                campo->remove(QChar(0x0000));
                campo->remove(QChar(0x00FF));
            }
            registros.push_back(r);
        }
        return registros;
    });
}

} // namespace

std::shared_ptr<const std::vector<RegistroConsulta>> RegistrosConsultas(const QString& ruta) {
    return RegistrosConsultasDe(ruta, false);
}

std::shared_ptr<const std::vector<RegistroConsulta>> RegistrosConsultasSiArchivo(const QString& ruta) {
    return RegistrosConsultasDe(ruta, true);
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
    const auto lineas = LineasAnchos(rutaArchivo);
    for (const LineaAnchos& linea : *lineas) {
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

#include "VentanaConsulta.h"

#include "AccesoDatos.h"
#include "ArchivosConsulta.h"
#include "ErrorSistema.h"
#include "Registros.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QString kArchivoAnchos = QStringLiteral("CONSULTASLEN.CVN");

QString TextoValor(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

} // namespace

const QVariant& Coleccion::Item(int indice) const {
    if (indice < 1 || indice > Count())
        throw ErrorSistema(9, QStringLiteral("Subíndice fuera del intervalo"), QStringLiteral("Coleccion"));
    return elementos_[static_cast<size_t>(indice - 1)].second;
}

const QString& Coleccion::Clave(int indice) const {
    if (indice < 1 || indice > Count())
        throw ErrorSistema(9, QStringLiteral("Subíndice fuera del intervalo"), QStringLiteral("Coleccion"));
    return elementos_[static_cast<size_t>(indice - 1)].first;
}

const QVariant& Coleccion::Item(const QString& clave) const {
    for (const auto& [nombre, valor] : elementos_)
        if (nombre.compare(clave, Qt::CaseInsensitive) == 0)
            return valor;
    throw ErrorSistema(5, QStringLiteral("Argumento o llamada a procedimiento no válida"),
                       QStringLiteral("Coleccion"));
}

bool Coleccion::Contiene(const QString& clave) const {
    for (const auto& e : elementos_)
        if (e.first.compare(clave, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString ResultadoConsulta::TextMatrix(int fila, int col) const {
    if (fila == 0)
        return col >= 0 && col < static_cast<int>(nombres_.size()) ? nombres_[static_cast<size_t>(col)]
                                                                   : QString();
    return TextoValor(Valor(fila, col));
}

const QVariant& ResultadoConsulta::Valor(int fila, int col) const {
    static const QVariant nada;
    const int columnas = static_cast<int>(nombres_.size());
    if (fila < 1 || fila > FilasLeidas() || col < 0 || col >= columnas)
        return nada;
    return valores_[static_cast<size_t>(fila - 1) * static_cast<size_t>(columnas) + static_cast<size_t>(col)];
}

int ResultadoConsulta::ColWidth(int col) const {
    return AnchoDelArchivo(col) ? anchos_[static_cast<size_t>(col)] : Grilla::AnchoColumnaPorDefecto;
}

bool ResultadoConsulta::AnchoDelArchivo(int col) const {
    return col >= 0 && col < static_cast<int>(anchos_.size()) && anchos_[static_cast<size_t>(col)] >= 0;
}

VentanaConsulta::VentanaConsulta() : valorElegido_(QString()) {}

VentanaConsulta::~VentanaConsulta() {
    CierraResultado();
}

QString VentanaConsulta::EntidadDeSentencia(const QString& sentencia) {
    static const QRegularExpression desde(QStringLiteral(R"(\bfrom\s+(\[[^\]]*\]|[^\s,;()]+))"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = desde.match(sentencia);
    if (!m.hasMatch())
        return {};
    QString nombre = m.captured(1);
    if (nombre.startsWith(u'['))
        nombre = nombre.mid(1, nombre.size() - 2);
    return nombre;
}

void VentanaConsulta::MuestraConsulta(const QString& consulta, Coleccion* coleccion) {
    QString t1, t2, condicion, sentencia, t3;
    qint16 opcion = 0;
    MuestraConsulta(consulta, coleccion, t1, t2, condicion, sentencia, opcion, t3);
}

void VentanaConsulta::MuestraConsulta(const QString& consulta, Coleccion* coleccion, QString&, QString&,
                                      QString& condicion, QString& sentencia, qint16&, QString&) {
    valorElegido_ = QString();
    destino_ = coleccion;
    if (destino_)
        destino_->Clear();
    // The caller's collection is filled only while the window is shown; the rows not read when
    // it closes are left unread.
    struct Suelta {
        VentanaConsulta& v;
        ~Suelta() {
            v.destino_ = nullptr;
            v.textoBuscado_.clear();
            v.busqueda_ = nullptr;
            v.sinBusqueda_ = false;
            v.CierraResultado();
            v.anteriores_ = {};
        }
    } suelta{*this};
    Prepara(consulta, condicion, sentencia);
    if (AbreResultado())
        interaccion().MuestraModal(*this);
}

void VentanaConsulta::Prepara(const QString& consulta, const QString& condicion, const QString& sentencia) {
    const QString t = consulta.trimmed();
    static const QRegularExpression blanco(QStringLiteral(R"(\s)"));
    if (!t.isEmpty() && !t.contains(blanco)) {
        // An entity: the caller's statement, or all of it.
        entidad_ = t;
        sentenciaMostrada_ = sentencia.trimmed().isEmpty()
                                 ? QStringLiteral("select * from ") + t + u' ' + condicion
                                 : sentencia;
    } else {
        sentenciaMostrada_ = consulta;
        entidad_ = EntidadDeSentencia(consulta);
    }
    TituloYAnchos();
}

QString VentanaConsulta::TablaSinPrefijo(const QString& tabla) {
    static const QString prefijo = QStringLiteral("@ADMIN_");
    return tabla.startsWith(prefijo, Qt::CaseInsensitive) ? tabla.mid(prefijo.size()) : tabla;
}

void VentanaConsulta::TituloYAnchos() {
    const QString tabla = TablaSinPrefijo(entidad_);
    caption_ = tabla;
    const auto es = [](const QString& a, const char* b) {
        return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
    };
    const auto registros = RegistrosConsultas(archivo_);
    for (const RegistroConsulta& r : *registros) {
        const QString propia = TextoComparable(r.Tabla);
        // The stock view of the articles is searched with the articles' definition, as its
        // columns are built.
        if (propia.compare(entidad_, Qt::CaseInsensitive) == 0 ||
            propia.compare(tabla, Qt::CaseInsensitive) == 0 ||
            (es(tabla, "STK_MA_ARTICULOS") && es(propia, "V_MA_ARTICULOS"))) {
            if (const QString titulo = TextoComparable(r.Titulo); !titulo.isEmpty())
                caption_ = titulo;
            break;
        }
    }
    const QString dirArchivo =
        archivo_.isEmpty() ? QCoreApplication::applicationDirPath() : QFileInfo(archivo_).absolutePath();
    const QString rutaAnchos = QDir(dirArchivo).filePath(kArchivoAnchos);
    resultado_.anchos_ = AnchosDeEntidad(rutaAnchos, entidad_);
    if (resultado_.anchos_.empty() && tabla != entidad_)
        resultado_.anchos_ = AnchosDeEntidad(rutaAnchos, tabla);
}

void VentanaConsulta::Informa(const QString& descripcion) {
    interaccion().MsgBox(descripcion, Estilo::SoloAceptar | Estilo::Critico,
                         caption_.isEmpty() ? QGuiApplication::applicationDisplayName() : caption_);
}

int VentanaConsulta::AnchoColumna(int col, const std::function<int(const QString&)>& medida) const {
    if (resultado_.AnchoDelArchivo(col) || !medida)
        return resultado_.ColWidth(col);
    int ancho = medida(resultado_.TextMatrix(0, col));
    const int filas = std::min(resultado_.FilasLeidas(), PrimeraPantalla);
    for (int f = 1; f <= filas; ++f)
        ancho = std::max(ancho, medida(resultado_.TextMatrix(f, col)));
    return ancho + MargenColumna;
}

bool VentanaConsulta::AbreResultado() {
    CierraResultado();
    if (alAntesDeReiniciar)
        alAntesDeReiniciar();
    resultado_.nombres_.clear();
    anteriores_ = std::move(resultado_.valores_);
    resultado_.valores_.clear();
    resultado_.fila_ = 0;
    filtro_.clear();
    visibles_.clear();
    bool abierto = false;
    try {
        ad_ = proveedor_ ? proveedor_() : nullptr;
        if (!ad_)
            throw ErrorSistema(3709, QStringLiteral("No hay conexión con la base de datos."),
                               QStringLiteral("VentanaConsulta"));
        rs_ = std::make_unique<Registros>();
        ad_->ObtieneRecordset(sentenciaMostrada_, *rs_);
        for (int c = 0; c < rs_->FieldCount(); ++c)
            resultado_.nombres_.push_back(rs_->FieldName(c));
        abierta_ = true;
        abierto = true;
    } catch (const ErrorSistema& e) {
        rs_.reset();
        Informa(e.Descripcion());
    }
    if (alReiniciar)
        alReiniciar();
    if (!abierto)
        return false;
    LeeFilas(PrimeraPantalla);
    return true;
}

void VentanaConsulta::CierraResultado() {
    if (rs_ && ad_)
        ad_->CierraRecordset(*rs_);
    rs_.reset();
    abierta_ = false;
}

int VentanaConsulta::LeeFilas(int maximo) {
    if (!abierta_)
        return 0;
    const int columnas = static_cast<int>(resultado_.nombres_.size());
    const int antes = resultado_.FilasLeidas();
    if (antes > 0)
        anteriores_ = {};
    std::vector<int> nuevas;
    try {
        while (resultado_.FilasLeidas() - antes < maximo && !rs_->Eof()) {
            for (int c = 0; c < columnas; ++c)
                resultado_.valores_.push_back(rs_->Fields(c));
            rs_->MoveNext();
        }
    } catch (const ErrorSistema& e) {
        // A row the database could not give ends the reading: what was read stays.
        resultado_.valores_.resize(static_cast<size_t>(resultado_.FilasLeidas()) *
                                   static_cast<size_t>(columnas));
        CierraResultado();
        Informa(e.Descripcion());
    }
    const int despues = resultado_.FilasLeidas();
    for (int f = antes + 1; f <= despues; ++f)
        if (filtro_.isEmpty() || Coincide(f))
            nuevas.push_back(f);
    if (!nuevas.empty()) {
        visibles_.insert(visibles_.end(), nuevas.begin(), nuevas.end());
        if (resultado_.fila_ == 0)
            resultado_.fila_ = visibles_.front();
        if (alAgregar)
            alAgregar();
    }
    if (abierta_ && rs_->Eof())
        CierraResultado();
    return despues - antes;
}

void VentanaConsulta::LeeTodas() {
    while (!Completa())
        LeeFilas(4096);
}

bool VentanaConsulta::Coincide(int fila) const {
    for (int c = 0; c < static_cast<int>(resultado_.nombres_.size()); ++c)
        if (resultado_.TextMatrix(fila, c).contains(filtro_, Qt::CaseInsensitive))
            return true;
    return false;
}

int VentanaConsulta::IndiceVisible(int fila) const {
    const auto it = std::lower_bound(visibles_.begin(), visibles_.end(), fila);
    return it != visibles_.end() && *it == fila ? static_cast<int>(it - visibles_.begin()) : -1;
}

void VentanaConsulta::Filtra(const QString& texto) {
    // The rows held are only those of the text searched: a text without it is searched anew.
    if (busqueda_ &&
        (sinBusqueda_ || (!textoBuscado_.isEmpty() && !texto.contains(textoBuscado_, Qt::CaseInsensitive)))) {
        BuscaDeNuevo(texto);
        return;
    }
    // The searched text itself lists the rows as its search gave them.
    const bool buscado =
        !textoBuscado_.isEmpty() && texto.trimmed().compare(textoBuscado_, Qt::CaseInsensitive) == 0;
    const QString filtro = buscado ? QString() : texto;
    if (filtro == filtro_)
        return;
    // A text that holds the old one can only narrow what it shows.
    const bool estrecha = !filtro_.isEmpty() && filtro.contains(filtro_, Qt::CaseInsensitive);
    if (alAntesDeReiniciar)
        alAntesDeReiniciar();
    filtro_ = filtro;
    std::vector<int> candidatas;
    if (estrecha) {
        candidatas.swap(visibles_);
    } else {
        candidatas.resize(static_cast<size_t>(resultado_.FilasLeidas()));
        for (size_t i = 0; i < candidatas.size(); ++i)
            candidatas[i] = static_cast<int>(i) + 1;
    }
    visibles_.clear();
    for (int f : candidatas)
        if (filtro_.isEmpty() || Coincide(f))
            visibles_.push_back(f);
    if (IndiceVisible(resultado_.fila_) < 0)
        resultado_.fila_ = visibles_.empty() ? 0 : visibles_.front();
    if (alReiniciar)
        alReiniciar();
}

void VentanaConsulta::BuscaDeNuevo(const QString& texto) {
    QString sentencia;
    try {
        sentencia = busqueda_(texto.trimmed());
    } catch (const ErrorSistema& e) {
        Informa(e.Descripcion()); // the rows shown stay
        return;
    }
    textoBuscado_ = texto.trimmed();
    sinBusqueda_ = sentencia.trimmed().isEmpty();
    if (!sinBusqueda_) {
        sentenciaMostrada_ = sentencia;
        AbreResultado();
        return;
    }
    // This text has no search (a site that asks for part of the key): nothing is listed.
    CierraResultado();
    if (alAntesDeReiniciar)
        alAntesDeReiniciar();
    resultado_.valores_.clear();
    resultado_.fila_ = 0;
    filtro_.clear();
    visibles_.clear();
    if (alReiniciar)
        alReiniciar();
}

void VentanaConsulta::Aceptar() {
    const int fila = resultado_.fila_;
    const int columnas = static_cast<int>(resultado_.nombres_.size());
    if (fila >= 1 && fila <= resultado_.FilasLeidas()) {
        // Without a key column the first column is the key; a key column the statement does
        // not return chooses nothing rather than another column's value.
        int clave = campoClave_.trimmed().isEmpty() ? 0 : -1;
        for (int c = 0; clave < 0 && c < columnas; ++c)
            if (resultado_.nombres_[static_cast<size_t>(c)].compare(campoClave_.trimmed(),
                                                                    Qt::CaseInsensitive) == 0)
                clave = c;
        if (clave >= 0 && clave < columnas) {
            const QVariant& v = resultado_.Valor(fila, clave);
            valorElegido_ = v.isNull() ? QVariant(QString()) : v;
            if (destino_)
                for (int c = 0; c < columnas; ++c)
                    destino_->Add(resultado_.nombres_[static_cast<size_t>(c)], resultado_.Valor(fila, c));
        }
    }
    Cierra();
}

void VentanaConsulta::Cancelar() {
    valorElegido_ = QString();
    if (destino_)
        destino_->Clear();
    Cierra();
}

void VentanaConsulta::Cierra() {
    if (alCerrar)
        alCerrar();
}

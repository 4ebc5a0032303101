#include "VentanaConsulta.h"

#include "AccesoDatos.h"
#include "ArchivosConsulta.h"
#include "ErrorSistema.h"
#include "Registros.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

VentanaConsulta::VentanaConsulta() : valorElegido_(QString()), grilla_(1, 1, 1, 0) {
    grilla_.setName(QStringLiteral("Resultado"));
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
    // The caller's collection is filled only while the window is shown.
    struct Suelta {
        Coleccion*& destino;
        ~Suelta() { destino = nullptr; }
    } suelta{destino_};
    Prepara(consulta, condicion, sentencia);
    if (LlenaResultado())
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

void VentanaConsulta::TituloYAnchos() {
    caption_ = entidad_;
    LectorConsultas lector(archivo_);
    RegistroConsulta r;
    while (lector.Siguiente(r)) {
        if (TextoComparable(r.Tabla).compare(entidad_, Qt::CaseInsensitive) == 0) {
            if (const QString titulo = TextoComparable(r.Titulo); !titulo.isEmpty())
                caption_ = titulo;
            break;
        }
    }
}

bool VentanaConsulta::LlenaResultado() {
    nombres_.clear();
    valores_.clear();
    try {
        AccesoDatos* ad = proveedor_ ? proveedor_() : nullptr;
        if (!ad)
            throw ErrorSistema(3709, QStringLiteral("No hay conexión con la base de datos."),
                               QStringLiteral("VentanaConsulta"));
        Registros rs;
        ad->ObtieneRecordset(sentenciaMostrada_, rs);
        for (int c = 0; c < rs.FieldCount(); ++c)
            nombres_.push_back(rs.FieldName(c));
        while (!rs.Eof()) {
            std::vector<QVariant> fila;
            fila.reserve(nombres_.size());
            for (int c = 0; c < rs.FieldCount(); ++c)
                fila.push_back(rs.Fields(c));
            valores_.push_back(std::move(fila));
            rs.MoveNext();
        }
        ad->CierraRecordset(rs);
    } catch (const ErrorSistema& e) {
        interaccion().MsgBox(e.Descripcion(), Estilo::SoloAceptar | Estilo::Critico,
                             caption_.isEmpty() ? QCoreApplication::applicationName() : caption_);
        return false;
    }

    const int columnas = std::max<int>(1, static_cast<int>(nombres_.size()));
    grilla_.setRedraw(false);
    grilla_.Clear();
    grilla_.setRows(1);
    grilla_.setFixedCols(0);
    grilla_.setCols(columnas);
    grilla_.setRows(1 + static_cast<int>(valores_.size()));
    grilla_.setFixedRows(1);
    const QString dirArchivo =
        archivo_.isEmpty() ? QCoreApplication::applicationDirPath() : QFileInfo(archivo_).absolutePath();
    const std::vector<int> anchos = AnchosDeEntidad(QDir(dirArchivo).filePath(kArchivoAnchos), entidad_);
    for (int c = 0; c < columnas; ++c) {
        grilla_.setColWidth(c, c < static_cast<int>(anchos.size()) ? anchos[static_cast<size_t>(c)] : -1);
        if (c < static_cast<int>(nombres_.size()))
            grilla_.setTextMatrix(0, c, nombres_[static_cast<size_t>(c)]);
    }
    for (size_t f = 0; f < valores_.size(); ++f)
        for (size_t c = 0; c < valores_[f].size(); ++c)
            grilla_.setTextMatrix(static_cast<int>(f) + 1, static_cast<int>(c), TextoValor(valores_[f][c]));
    grilla_.setRow(valores_.empty() ? 0 : 1);
    grilla_.setCol(0);
    grilla_.setTopRow(valores_.empty() ? 0 : 1);
    grilla_.setRedraw(true);
    return true;
}

void VentanaConsulta::Aceptar() {
    const int fila = grilla_.Row() - 1;
    if (fila >= 0 && fila < static_cast<int>(valores_.size())) {
        const std::vector<QVariant>& valores = valores_[static_cast<size_t>(fila)];
        // Without a key column the first column is the key; a key column the statement does
        // not return chooses nothing rather than another column's value.
        int clave = campoClave_.trimmed().isEmpty() ? 0 : -1;
        for (size_t c = 0; clave < 0 && c < nombres_.size(); ++c)
            if (nombres_[c].compare(campoClave_.trimmed(), Qt::CaseInsensitive) == 0)
                clave = static_cast<int>(c);
        if (clave >= 0 && clave < static_cast<int>(valores.size())) {
            const QVariant& v = valores[static_cast<size_t>(clave)];
            valorElegido_ = v.isNull() ? QVariant(QString()) : v;
            if (destino_)
                for (size_t c = 0; c < nombres_.size(); ++c)
                    destino_->Add(nombres_[c], valores[c]);
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

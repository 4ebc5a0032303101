#include "Utilidades.h"

#include "Interaccion.h"
#include "Regional.h"

#include <QCursor>
#include <QDateTime>
#include <QGuiApplication>
#include <QRegularExpression>

namespace {

const QChar Marca0(0x0000);
const QChar Marca255(0x00FF);

bool EsMarca(const QString& c) {
    return c.size() == 1 && (c.at(0) == Marca0 || c.at(0) == Marca255);
}

bool SoloDigitos(const QString& s) {
    if (s.isEmpty()) {
        return false;
    }
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

bool EsEntero(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool EsReal(const QVariant& v) {
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

} // namespace

QString Utilidades::CortaTexto(const QString& texto, qint32 longitudMaxima) const {
    return texto.left(std::max<qint32>(longitudMaxima, 0));
}

Moneda Utilidades::TextoAMoneda(const QVariant& valor) const {
    if (valor.isNull()) {
        return {};
    }
    if (valor.typeId() == QMetaType::Bool) {
        return Moneda::DeEntero(valor.toBool() ? -1 : 0);
    }
    if (valor.typeId() == QMetaType::ULongLong || valor.typeId() == QMetaType::ULong) {
        return Moneda::DeDoble(valor.toDouble());
    }
    if (EsEntero(valor)) {
        return Moneda::DeEntero(valor.toLongLong());
    }
    if (EsReal(valor)) {
        return Moneda::DeDoble(valor.toDouble());
    }
    return Regional::LeeMoneda(valor.toString()).value_or(Moneda());
}

double Utilidades::TextoADoble(const QVariant& valor) const {
    if (valor.isNull()) {
        return 0;
    }
    if (valor.typeId() == QMetaType::Bool) {
        return valor.toBool() ? -1 : 0;
    }
    if (EsEntero(valor) || EsReal(valor)) {
        return valor.toDouble();
    }
    return Regional::LeeDoble(valor.toString()).value_or(0.0);
}

QVariant Utilidades::ValorCampo(const QVariant& campo) const {
    if (campo.isNull()) {
        return QVariant(QString(QLatin1String("")));
    }
    return campo;
}

QString Utilidades::ValorATexto(const QVariant& valor) const {
    if (valor.isNull()) {
        return QString(QLatin1String(""));
    }
    if (valor.typeId() == QMetaType::Float) {
        return Regional::TextoNumero(valor.toFloat(), 7);
    }
    if (valor.typeId() == QMetaType::Double) {
        return Regional::TextoNumero(valor.toDouble());
    }
    if (valor.typeId() == QMetaType::QDate) {
        return valor.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    }
    if (valor.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = valor.toDateTime();
        return dt.toString(dt.time() == QTime(0, 0) ? QStringLiteral("dd/MM/yyyy")
                                                    : QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    return valor.toString();
}

qint32 Utilidades::CuentaPalabras(const QString& texto) const {
    static const QRegularExpression blancos(QStringLiteral("\\s+"));
    return static_cast<qint32>(texto.split(blancos, Qt::SkipEmptyParts).size());
}

QString Utilidades::QuitaCaracter(const QString& texto, const QString& caracter, const QString& reemplazo,
                                  const QString& opcion) const {
    QString r = texto;
    if (!caracter.isEmpty()) {
        r.replace(caracter, EsMarca(reemplazo) ? QString() : reemplazo);
    }
    if (EsMarca(reemplazo)) {
        r.remove(reemplazo);
    }
    if (!opcion.isEmpty()) {
        r.remove(opcion);
    }
    return r;
}

QString Utilidades::ReemplazaTexto(const QString& texto, const QString& buscado,
                                   const QString& reemplazo) const {
    if (buscado.isEmpty()) {
        return texto;
    }
    return QString(texto).replace(buscado, reemplazo);
}

QString Utilidades::RellenaCodigo(const QString& codigo, int ancho) const {
    QString c = codigo.trimmed();
    if (c.size() >= ancho) {
        return c;
    }
    if (ancho <= 4 || SoloDigitos(c)) {
        return c.rightJustified(ancho, QLatin1Char(' '));
    }
    return c.leftJustified(ancho, QLatin1Char(' '));
}

QString Utilidades::AjustaTexto(const QString& texto, int ancho) const {
    return texto.trimmed().rightJustified(std::max(ancho, 0), QLatin1Char(' '));
}

QString Utilidades::NormalizaRuta(const QString& ruta) const {
    if (ruta.isEmpty()) {
        return ruta;
    }
    QString r = ruta;
    while (!r.isEmpty() && (r.endsWith(QLatin1Char('/')) || r.endsWith(QLatin1Char('\\')))) {
        r.chop(1);
    }
    return r + QLatin1Char('/');
}

QString Utilidades::LimpiaLista(const QString& lista) const {
    QStringList columnas;
    const QString limpia = QuitaCaracter(lista, QString(Marca0), QString(Marca255));
    for (const QString& parte : limpia.split(QLatin1Char('|'))) {
        const QString c = parte.trimmed();
        if (!c.isEmpty()) {
            columnas << c;
        }
    }
    if (columnas.isEmpty()) {
        return QString(QLatin1String(""));
    }
    return QLatin1Char('|') + columnas.join(QLatin1Char('|')) + QLatin1Char('|');
}

QString Utilidades::CodificaTexto(const QString& texto) const {
    return QString::fromLatin1(texto.toUtf8().toBase64());
}

QString Utilidades::DecodificaTexto(const QString& texto) const {
    const auto r =
        QByteArray::fromBase64Encoding(texto.trimmed().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!r || texto.trimmed().isEmpty()) {
        return texto;
    }
    // Only a value that CodificaTexto wrote decodes; anything else is kept as written.
    QString decodificado = QString::fromUtf8(*r);
    if (CodificaTexto(decodificado) != texto.trimmed()) {
        return texto;
    }
    return decodificado;
}

bool Utilidades::EstaEnLista(const QVariant& valor, const QStringList& lista) const {
    const QString v = ValorATexto(valor).trimmed();
    for (const QString& e : lista) {
        if (v.compare(e.trimmed(), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

QString Utilidades::LimpiaCampoImportado(const QString& campo) const {
    QString r;
    r.reserve(campo.size());
    for (QChar c : campo) {
        if (c.unicode() >= 32 && c.unicode() != 127) {
            r += c;
        }
    }
    r = r.trimmed();
    if (r.size() >= 2 && (r.front() == QLatin1Char('"') || r.front() == QLatin1Char('\'')) &&
        r.back() == r.front()) {
        r = r.mid(1, r.size() - 2).trimmed();
    }
    return r;
}

void Utilidades::PreparaFormulario(Formulario&, bool) const {}

void Utilidades::AplicaFormato(Formulario&, const QString&) const {}

void Utilidades::CierraFormulario(Formulario&, const QString&) const {}

void Utilidades::CursorEspera(bool encendido) {
    if (encendido == enEspera_) {
        return;
    }
    enEspera_ = encendido;
    // Without a GUI (tests, batch runs) only the state is kept.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return;
    }
    if (encendido) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

int Utilidades::RegistraErrorFormulario(const ErrorSistema& error, const QString& rutina) const {
    if (error.Numero() == 0) {
        return 0;
    }
    const QString mensaje = QStringLiteral("Ha ocurrido el Siguiente Error (%1) %2")
                                .arg(error.Numero())
                                .arg(error.Descripcion().trimmed());
    const QString titulo = rutina.isEmpty() ? QStringLiteral("Aviso al Operador")
                                            : QStringLiteral("Aviso al Operador - ") + rutina;
    return AnotaRespuesta(
        interaccion().MsgBox(mensaje, Estilo::AbortarReintentarIgnorar | Estilo::Critico, titulo));
}

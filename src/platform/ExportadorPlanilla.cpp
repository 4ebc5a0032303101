#include "ExportadorPlanilla.h"

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "Interaccion.h"
#include "Registros.h"

#include <QDate>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <clocale>
#include <cmath>
#include <locale.h>
#include <vector>
#include <xlsxwriter.h>

namespace {

constexpr int kLargoMaximoTexto = 32767; // characters a cell holds
constexpr double kAnchoMaximo = 60;      // widest column, in characters

// Characters XML 1.0 cannot carry; a database text may hold them.
QString TextoCelda(const QString& texto) {
    QString limpio;
    limpio.reserve(texto.size());
    for (QChar c : texto)
        if (c.unicode() >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r')
            limpio.append(c);
    if (limpio.size() > kLargoMaximoTexto)
        limpio.truncate(kLargoMaximoTexto);
    return limpio;
}

QString NombreArchivo(const QString& titulo) {
    QString nombre;
    for (QChar c : titulo.trimmed())
        nombre.append(c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c) ? QChar(u'_') : c);
    nombre = nombre.trimmed();
    return nombre.isEmpty() ? QStringLiteral("Planilla") : nombre.left(100);
}

// libxlsxwriter writes the file's numbers (column widths, margins, values) with the C library's
// printf, which follows the numeric locale: under a Spanish one, "12,5" makes the file invalid.
// While it lives, this thread formats numbers the C way.
class NumerosComoC {
public:
    NumerosComoC() : c_(newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE))) {
        if (c_)
            anterior_ = uselocale(c_);
    }
    ~NumerosComoC() {
        if (!c_)
            return;
        uselocale(anterior_);
        freelocale(c_);
    }
    NumerosComoC(const NumerosComoC&) = delete;
    NumerosComoC& operator=(const NumerosComoC&) = delete;

private:
    locale_t c_;
    locale_t anterior_ = LC_GLOBAL_LOCALE;
};

// The workbook being written; closed (and its file removed unless completed) on every way out.
class Libro {
public:
    explicit Libro(const QString& ruta) : ruta_(ruta), rutaLocal_(QFile::encodeName(ruta)) {
        lxw_workbook_options opciones{};
        opciones.constant_memory = LXW_TRUE; // rows go to disk as they are written
        libro_ = workbook_new_opt(rutaLocal_.constData(), &opciones);
        if (!libro_)
            throw ErrorSistema(75, QStringLiteral("No se pudo crear la planilla ") + ruta,
                               QStringLiteral("ExportaPlanilla"));
    }
    ~Libro() {
        if (!libro_)
            return;
        workbook_close(libro_);
        QFile::remove(ruta_);
    }
    Libro(const Libro&) = delete;
    Libro& operator=(const Libro&) = delete;

    lxw_workbook* operator->() const { return libro_; }
    lxw_workbook* get() const { return libro_; }

    void Cierra() {
        lxw_workbook* libro = libro_;
        libro_ = nullptr;
        const lxw_error error = workbook_close(libro);
        if (error != LXW_NO_ERROR) {
            QFile::remove(ruta_);
            throw ErrorSistema(75,
                               QStringLiteral("No se pudo grabar la planilla ") + ruta_ +
                                   QStringLiteral(": ") + QString::fromUtf8(lxw_strerror(error)),
                               QStringLiteral("ExportaPlanilla"));
        }
    }

private:
    NumerosComoC numeros_; // first: in effect from the workbook's creation to its close
    QString ruta_;
    QByteArray rutaLocal_;
    lxw_workbook* libro_ = nullptr;
};

void Verifica(lxw_error error, const char* que) {
    if (error != LXW_NO_ERROR)
        throw ErrorSistema(75,
                           QStringLiteral("No se pudo escribir %1 de la planilla: %2")
                               .arg(QString::fromUtf8(que), QString::fromUtf8(lxw_strerror(error))),
                           QStringLiteral("ExportaPlanilla"));
}

void EscribeTexto(lxw_worksheet* hoja, lxw_row_t fila, lxw_col_t col, const QString& texto,
                  lxw_format* formato, std::vector<double>& anchos) {
    const QString celda = TextoCelda(texto);
    if (celda.isEmpty())
        return;
    Verifica(worksheet_write_string(hoja, fila, col, celda.toUtf8().constData(), formato), "un texto");
    anchos[col] = std::max(anchos[col], double(celda.size()));
}

void EscribeValor(lxw_worksheet* hoja, lxw_row_t fila, lxw_col_t col, const QVariant& valor,
                  lxw_format* fecha, lxw_format* fechaHora, std::vector<double>& anchos) {
    if (valor.isNull() || !valor.isValid())
        return;
    switch (valor.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool: {
        const double numero = valor.toDouble();
        if (!std::isfinite(numero))
            break;
        Verifica(worksheet_write_number(hoja, fila, col, numero, nullptr), "un número");
        anchos[col] = std::max(anchos[col], double(QString::number(numero, 'g', 15).size()));
        return;
    }
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        const QDateTime momento = valor.toDateTime();
        if (!momento.isValid() || momento.date().year() < 1900)
            break;
        const bool conHora = valor.metaType().id() == QMetaType::QDateTime && momento.time() != QTime(0, 0);
        lxw_datetime dt{momento.date().year(),   momento.date().month(),
                        momento.date().day(),    momento.time().hour(),
                        momento.time().minute(), momento.time().second() + momento.time().msec() / 1000.0};
        Verifica(worksheet_write_datetime(hoja, fila, col, &dt, conHora ? fechaHora : fecha), "una fecha");
        anchos[col] = std::max(anchos[col], conHora ? 19.0 : 10.0);
        return;
    }
    case QMetaType::QByteArray:
        return; // binary data has no cell
    default:
        break;
    }
    EscribeTexto(hoja, fila, col, valor.toString(), nullptr, anchos);
}

} // namespace

ExportadorPlanilla::ExportadorPlanilla(std::function<AccesoDatos&()> datos) : datos_(std::move(datos)) {}

QString ExportadorPlanilla::Carpeta() const {
    return carpeta_.isEmpty() ? QDir::tempPath() : carpeta_;
}

QString ExportadorPlanilla::EscribePlanilla(const QString& sql, const QString& titulo) {
    const QDir carpeta(Carpeta());
    if (!carpeta.exists() && !QDir().mkpath(carpeta.path()))
        throw ErrorSistema(76, QStringLiteral("No se encontró la carpeta ") + carpeta.path(),
                           QStringLiteral("ExportaPlanilla"));
    // A workbook still open in the spreadsheet application is never overwritten.
    const QString base =
        NombreArchivo(titulo) + QDateTime::currentDateTime().toString(QStringLiteral(" yyyy-MM-dd hh.mm.ss"));
    QString ruta = carpeta.absoluteFilePath(base + QStringLiteral(".xlsx"));
    for (int n = 2; QFileInfo::exists(ruta); ++n)
        ruta = carpeta.absoluteFilePath(base + QStringLiteral(" (%1).xlsx").arg(n));

    Registros rs;
    datos_().ObtieneRecordset(sql, rs);

    Libro libro(ruta);
    const QByteArray tituloUtf8 = TextoCelda(titulo).toUtf8();
    lxw_doc_properties propiedades{};
    propiedades.title = const_cast<char*>(tituloUtf8.constData());
    Verifica(workbook_set_properties(libro.get(), &propiedades), "las propiedades");
    lxw_worksheet* hoja = workbook_add_worksheet(libro.get(), "Hoja1");
    if (!hoja)
        throw ErrorSistema(75, QStringLiteral("No se pudo crear la hoja de la planilla"),
                           QStringLiteral("ExportaPlanilla"));
    lxw_format* formatoTitulo = workbook_add_format(libro.get());
    format_set_bold(formatoTitulo);
    format_set_font_size(formatoTitulo, 14);
    lxw_format* formatoColumna = workbook_add_format(libro.get());
    format_set_bold(formatoColumna);
    format_set_bottom(formatoColumna, LXW_BORDER_THIN);
    lxw_format* formatoFecha = workbook_add_format(libro.get());
    format_set_num_format(formatoFecha, "dd/mm/yyyy");
    lxw_format* formatoFechaHora = workbook_add_format(libro.get());
    format_set_num_format(formatoFechaHora, "dd/mm/yyyy hh:mm:ss");

    const int columnas = rs.FieldCount();
    std::vector<double> anchos(std::max(columnas, 1), 8.0);
    EscribeTexto(hoja, 0, 0, titulo, formatoTitulo, anchos);
    anchos[0] = 8.0; // the title spills over the columns to its right
    for (int c = 0; c < columnas; ++c)
        EscribeTexto(hoja, 1, lxw_col_t(c), rs.FieldName(c), formatoColumna, anchos);
    worksheet_freeze_panes(hoja, 2, 0);

    lxw_row_t fila = 2;
    for (; !rs.Eof(); rs.MoveNext(), ++fila) {
        if (fila >= lxw_row_t(kFilasMaximas))
            throw ErrorSistema(
                6,
                QStringLiteral("La consulta tiene más filas de las que caben en una planilla (%1)")
                    .arg(kFilasMaximas - 2),
                QStringLiteral("ExportaPlanilla"));
        for (int c = 0; c < columnas; ++c)
            EscribeValor(hoja, fila, lxw_col_t(c), rs.Fields(c), formatoFecha, formatoFechaHora, anchos);
    }
    rs.Close();
    for (int c = 0; c < columnas; ++c)
        Verifica(worksheet_set_column(hoja, lxw_col_t(c), lxw_col_t(c), std::min(anchos[c] + 2, kAnchoMaximo),
                                      nullptr),
                 "los anchos");
    libro.Cierra();
    ultima_ = ruta;
    return ruta;
}

bool ExportadorPlanilla::AbreConEscritorio(const QString& ruta) {
    // Without a GUI application, or offscreen, there is no desktop to ask.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QString plataforma = QGuiApplication::platformName();
    if (plataforma == QLatin1StringView("offscreen") || plataforma == QLatin1StringView("minimal"))
        return false;
    if (!HayAplicacionPlanillas())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ruta));
}

bool ExportadorPlanilla::HayAplicacionPlanillas() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true;
    QProcess consulta;
    consulta.start(xdgMime,
                   {QStringLiteral("query"), QStringLiteral("default"),
                    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet")});
    if (!consulta.waitForFinished(5000)) {
        consulta.kill();
        consulta.waitForFinished(1000);
        return true;
    }
    if (consulta.exitStatus() != QProcess::NormalExit || consulta.exitCode() != 0)
        return true;
    return !consulta.readAllStandardOutput().trimmed().isEmpty();
}

void ExportadorPlanilla::ExportaPlanilla(const QString& sql, const QString& proveedor, const QString& titulo,
                                         const QString& clave) {
    (void)proveedor;
    (void)clave;
    const QString ruta = EscribePlanilla(sql, titulo);
    const bool abierta = abreArchivo ? abreArchivo(ruta) : AbreConEscritorio(ruta);
    if (!abierta)
        interaccion().MsgBox(
            QStringLiteral("No hay un programa que abra la planilla. El archivo quedó en:\r\n") +
                QDir::toNativeSeparators(ruta),
            Estilo::SoloAceptar | Estilo::Informacion, titulo);
}

#pragma once

#include <QString>
#include <functional>

class AccesoDatos;

// The suite's spreadsheet listing: the rows of a query written into a real .xlsx workbook (the
// title in the first row, the column names in the second, one row per record below), then
// opened with the desktop's application for spreadsheets. When nothing can open it (no desktop,
// no such application) the user is told where the file is.
class ExportadorPlanilla {
public:
    // The rows are read through the data-access object that `datos` gives at each listing.
    explicit ExportadorPlanilla(std::function<AccesoDatos&()> datos);

    // Lists `sql` under `titulo` and opens the workbook. The provider and key texts are the
    // suite's arguments: the rows come from the data-access object, so they select nothing here.
    // Failures (the query, the file) raise ErrorSistema; a half-written file is removed.
    void ExportaPlanilla(const QString& sql, const QString& proveedor, const QString& titulo,
                         const QString& clave);

    // Writes the workbook only and returns its path.
    QString EscribePlanilla(const QString& sql, const QString& titulo);

    // Where workbooks are written: the user's temporary folder unless one is set.
    QString Carpeta() const;
    void setCarpeta(const QString& carpeta) { carpeta_ = carpeta; }
    // The path of the last workbook written (empty before the first).
    const QString& UltimaPlanilla() const { return ultima_; }

    // Opens a file with the desktop's default application; false when nothing could. Replaceable
    // (tests); by default QDesktopServices, and only when a GUI application with a real display
    // runs.
    std::function<bool(const QString& ruta)> abreArchivo;
    static bool AbreConEscritorio(const QString& ruta);
    // Whether the desktop names a default application for workbooks (asked to xdg-mime). The
    // desktop's opener reports success as soon as it starts, even when it then finds nothing to
    // open the file with. True when the desktop cannot tell.
    static bool HayAplicacionPlanillas();

    // Rows a worksheet holds, the two title rows included.
    static constexpr int kFilasMaximas = 1048576;

private:
    std::function<AccesoDatos&()> datos_;
    QString carpeta_;
    QString ultima_;
};

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The text files whose lines are imported into a voucher's lines: one line per grid line, its
// fields split at a separator chosen by the site (setting ImportaMov).

// A layout: the text the user is shown, which fields a line carries ("CDC" code, description,
// quantity; "CC" code, quantity; "C" the code alone) and their separator (empty for "C").
struct FormatoImportacion {
    QString texto;
    QString campos;
    QString separador;
};

// The six layout texts, the default first.
const QStringList& TextosFormatoImportacion();
// The layout of a setting's value: trimmed, compared with the six texts without regard to case
// (blanks count); empty or unknown gives the default. The text comes back as configured, trimmed.
FormatoImportacion FormatoImportacionDe(const QString& configurado);

// One line of a file as the grid takes it. Every field is cleaned (LimpiaCampoImportado).
struct LineaImportada {
    QString codigo;
    QString descripcion; // layout "CDC" only
    // The quantity as the text of a single-precision number in the regional format ("0" when
    // empty or no number). Empty for a label line.
    QString cantidad;
    // The quantity field as the file gives it (cleaned), and whether it reads as a number (an
    // empty field reads as 0): "doce" or "12 u" is no quantity.
    QString cantidadArchivo;
    bool cantidadNumero = true;
    // Layout "C": the code is a scanned code or a weighing-scale label, to be read by the
    // article search (which gives the article and the label's quantity).
    bool etiqueta = false;
};

// Reads an import file held in memory: Windows-1252 text whose lines end at CR, CR LF or LF.
class LectorImportacion {
public:
    LectorImportacion(const QByteArray& contenido, FormatoImportacion formato);

    // Moves to the next line of the file; false at its end.
    bool Siguiente();
    // The current line, 1-based; its raw text.
    int NumeroLinea() const { return numero_; }
    const QString& Texto() const { return linea_; }
    // The number of lines of the file.
    int TotalLineas() const { return total_; }

    // The current line split by the layout; nothing for a line that is skipped (fewer than two
    // fields, or no code; in layout "C" an empty line). A "CDC" line with only two fields raises
    // ErrorSistema 9 (its quantity is missing); a quantity beyond an amount raises 6.
    std::optional<LineaImportada> Linea() const;
    static std::optional<LineaImportada> Divide(const QString& linea, const FormatoImportacion& formato);

private:
    QString texto_;
    FormatoImportacion formato_;
    qsizetype posicion_ = 0;
    int numero_ = 0;
    int total_ = 0;
    QString linea_;
};

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

// The two files of the suite's search window, both Windows-1252 text beside the program:
// consultas.cvn, the definitions (fixed-length records, one per searchable entity), and
// CONSULTASLEN.CVN, the column widths of an entity.

// One record of consultas.cvn. The fields hold the text as stored (padded with blanks).
struct RegistroConsulta {
    static constexpr int AnchoTitulo = 100;
    static constexpr int AnchoTabla = 100;
    static constexpr int AnchoCampos = 500;
    static constexpr int AnchoCondicion = 500;
    static constexpr int Longitud = AnchoTitulo + AnchoTabla + AnchoCampos + AnchoCondicion + 2; // 1202
    static constexpr qint64 MaximoRegistros = 32767;

    QString Titulo;
    QString Tabla;
    QString Campos;    // "|COLUMNA1|COLUMNA2|"
    QString Condicion; // without WHERE; blank for none

    // The record's bytes: each field left-aligned, padded with blanks and cut to its width,
    // then CR LF.
    QByteArray Bytes() const;
    // A record from its bytes; bytes missing at the end (a cut file) read as blanks.
    static RegistroConsulta DeBytes(const QByteArray& bytes);
};

// The path with its file name matched without regard to case in its folder (an exact match
// first); the path as given when no such file exists.
QString ResuelveRutaArchivo(const QString& ruta);

// True when the path, resolved as above, is a regular file (or a link to one).
bool EsArchivoRegular(const QString& ruta);

// Appends records to a definitions file, keeping what it holds. The first record goes at the
// last whole-record boundary (a cut tail is overwritten). Errors raise ErrorSistema: 75 the
// file cannot be opened, 57 a write fails, 6 the record number passes 32767.
class EscritorConsultas {
public:
    explicit EscritorConsultas(const QString& ruta);
    void Agrega(const RegistroConsulta& registro);
    void Cierra();

private:
    QFile archivo_;
    qint64 numero_ = 0; // the next record's number, 1-based
};

// Reads a definitions file's records in order; any file reads without harm (a cut last record
// is read with blanks where it ends).
class LectorConsultas {
public:
    explicit LectorConsultas(const QString& ruta);
    bool Abierto() const { return archivo_.isOpen(); }
    // The next record, false at the end of the file.
    bool Siguiente(RegistroConsulta& registro);

private:
    QFile archivo_;
};

// Every record of a definitions file (none when there is no file), as LectorConsultas reads
// them, with the fill and end marks (Chr(0), Chr(255)) taken out of table and condition, as
// the look-ups compare them. The records are read again only when the file changed (another file, size or
// modification time), so that each search does not read and decode the file anew.
std::shared_ptr<const std::vector<RegistroConsulta>> RegistrosConsultas(const QString& ruta);
// The same, or nothing (a null pointer) when the path is not a regular file: one look at the file
// for both.
std::shared_ptr<const std::vector<RegistroConsulta>> RegistrosConsultasSiArchivo(const QString& ruta);

// The record's table (or condition) as the lookups compare it: fill and end markers (Chr(0),
// Chr(255)) removed, trimmed.
QString TextoComparable(const QString& campo);

// One line of CONSULTASLEN.CVN: the entity as the caller spelled it and its widths, each
// followed by "|" ("1529.188|1575.081|").
struct LineaAnchos {
    QString Entidad;
    QString Anchos;
};

// The lines of a widths file in order; a missing file has none. Lines are read as the
// sequential format writes them (two values, quoted or not, separated by a comma).
std::vector<LineaAnchos> LeeArchivoAnchos(const QString& ruta);
// One line as the sequential format writes it: both values quoted, a comma, CR LF. Quotes and
// line breaks inside a value are left out: the line reads back as the values written.
QByteArray TextoLineaAnchos(const LineaAnchos& linea);
// Whether two entity names name one entity of the widths file: as written, blanks around ignored,
// case ignored.
bool MismaEntidad(const QString& a, const QString& b);
// The widths of the first line of `entidad` (case ignored), in twips; empty when none.
// A value that is not a number reads as -1 (the default width).
std::vector<int> AnchosDeEntidad(const QString& rutaArchivo, const QString& entidad);

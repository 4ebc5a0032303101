#pragma once

#include <QString>

// Reads one key of one of the suite's INI files: sections and keys without regard to case,
// Windows-1252 or UTF-8 with BOM, CRLF or LF, backslashes literal, ";" comment lines. A file
// name without folder is looked for in the program's folder; the file name is matched
// without regard to case.
class LectorIni {
public:
    // The value of `clave` in `seccion` of `archivo`, trimmed (one pair of enclosing double
    // quotes removed); `defecto` when the file, the section or the key is missing.
    QString LeeValor(const QString& archivo, const QString& seccion, const QString& clave,
                     const QString& defecto = {}) const;

    // Folder for file names without one; the program's folder until set (tests).
    QString Carpeta() const;
    void setCarpeta(const QString& carpeta) { carpeta_ = carpeta; }

    // The file's path with its name matched without regard to case in its folder; the path
    // as given when no such file exists.
    QString ResuelveArchivo(const QString& archivo) const;

private:
    QString carpeta_;
};

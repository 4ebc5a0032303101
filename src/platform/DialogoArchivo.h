#pragma once

#include <QString>
#include <QtGlobal>

// The file-open dialog of the suite's forms: set its filter and title, open it, read the chosen
// path (empty when cancelled). It asks through the interaction port (Interaccion::AbreArchivo).
class DialogoArchivo {
public:
    // The suite's filter: description and patterns alternate between "|", patterns separated by
    // ";" ("Archivos de Texto|*.Txt;").
    void setFiltroArchivos(const QString& f) { filtro_ = f; }
    void setTituloDialogo(const QString& t) { titulo_ = t; }
    // 1: open an existing file (the only kind asked for).
    void setOpcionDialogo(qint16 o) { opcion_ = o; }
    // True: the file must exist.
    void setBanderaDialogo(bool b) { bandera_ = b; }

    // Shows the dialog in the folder of the last file chosen; returns once the user chose or
    // cancelled.
    void AbreDialogo();
    // The full path of the chosen file; empty when none was chosen.
    const QString& NombreArchivo() const { return nombre_; }

    // The suite's filter as the Qt file dialogs take it ("Archivos de Texto (*.Txt)"), one
    // entry per description. Qt's own dialog matches the patterns without regard to case.
    static QString FiltroQt(const QString& filtro);

private:
    QString filtro_;
    QString titulo_;
    qint16 opcion_ = 0;
    bool bandera_ = false;
    QString nombre_;
    QString carpeta_;
};

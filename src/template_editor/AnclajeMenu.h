#pragma once

#include <QString>

// A template's entry in the suite's menu: the menu program shows the entries of the group
// "D8021" in TA_MENU to the users holding a right to them in TA_TAREAS, and runs the stock
// program with the template's name. The statements are written as the suite writes them and run
// at once, each step under the error routine "AnclaAlMenu" (Retry runs the step again). The
// window decides whether a template is anchored; this class only writes and removes its entry.
class AnclajeMenu {
public:
    // The entry of template `nombre` (as stored) written, with the group and the logged user's
    // rights to both when missing; an entry already there only runs the template again.
    static void Ancla(const QString& nombre);
    // The entry removed with its rights, and the group with its rights when left empty.
    static void Quita(const QString& nombre);

    // What the entry of a template runs, and the caption of the entries' group.
    static QString ProcesoModelo(const QString& nombre);
    static QString TituloGrupoModelos();
    // The inserts: the group, a template's entry (`nombre` as stored) and a user's right; the
    // texts are written into the menu tables as they stand.
    static QString SentenciaGrupoMenu();
    static QString SentenciaEntradaMenu(const QString& clave, const QString& nombre);
    static QString SentenciaDerechoMenu(const QString& usuario, const QString& clave);
};

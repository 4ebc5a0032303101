#pragma once

#include "MenuEmergente.h"

#include <QString>
#include <vector>

// The suite's shared pop-up menus: a form that is never shown and holds one top-level menu
// per use. A form pops one of them up (PopupMenu) and then reads the code word of the chosen
// entry in PRespuesta. The menus, their entries and words are one table (FrmMenus.cpp).
class FrmMenus {
public:
    // The form's load: the menus as designed, PRespuesta empty, hidden.
    FrmMenus();
    FrmMenus(const FrmMenus&) = delete;
    FrmMenus& operator=(const FrmMenus&) = delete;

    // The code word of the last entry chosen that stores one; kept from one pop-up to the next
    // (a menu closed without a choice, or an entry that stores nothing, leaves it).
    QString PRespuesta;
    bool Visible = false;

    // Hides the form.
    void Salir();

    // The top-level menus, in the form's order.
    const std::vector<OpcionMenu>& Menus() const { return menus_; }
    // A menu, submenu or entry by control name (any case) and, for a menu array, element index
    // (-1: the first entry of that name); nullptr when the form has none.
    OpcionMenu* Control(const QString& nombre, int indice = -1);
    // Adds element `indice` to a menu array (the Load of a menu-array element), after the
    // array's last element, with the caption and tag of element 0. An index in use, or a
    // name that is no menu array, raises ErrorSistema 360.
    OpcionMenu& AgregaElemento(const QString& arreglo, int indice);

    // The click of an entry: stores its word (a fixed word, its Tag, or its trimmed Caption),
    // the two checked entries first set their check mark, and the entries of the first three
    // menus then hide the form. Separators and submenus do nothing.
    void Click(const OpcionMenu& opcion);
    // The click of the entry of that name and index; an unknown name raises ErrorSistema 340.
    void Click(const QString& nombre, int indice = -1);

    // The platform's pop-up call: shows the top-level menu at the mouse through the interaction
    // port and runs the chosen entry's click before it returns; false when the menu closed
    // without a choice. An unknown menu raises ErrorSistema 340.
    bool PopupMenu(const QString& menu);

private:
    std::vector<OpcionMenu> menus_;
};

// The program's one FrmMenus, created on first use and kept for the rest of the session.
FrmMenus& Menus();

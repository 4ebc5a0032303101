#pragma once

#include <QString>
#include <vector>

// One entry of a pop-up menu as the forms define it: a command, a separator (caption "-") or,
// when it has entries of its own, a submenu. A top-level menu is an entry whose caption is
// never shown. Elements of a menu array share the control name and differ by Index.
struct OpcionMenu {
    QString Name;    // control name
    int Index = -1;  // element of a menu array; -1 outside an array
    QString Caption; // "&" marks the access key
    QString Tag;
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    std::vector<OpcionMenu> SubMenus;

    bool EsSeparador() const { return Caption == QLatin1String("-"); }
    bool EsSubmenu() const { return !SubMenus.empty(); }
};

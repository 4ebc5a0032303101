#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// The code levels of the suite's segmented codes: warehouse position codes (up to four levels
// of the warehouse layout) and article family codes (up to six levels, each family's code being
// its parent's code followed by its own segment). Widths come from the configuration.

// Position layout values, session-wide; written only by InicializaLayout. Index 0 is unused so
// that level n sits at n.
struct LayoutPosiciones {
    std::array<qint16, 5> ancho{};            // LAYOUT_NIVEL1..4, rounded
    qint16 anchoTotal = 0;                    // sum of the four widths
    std::array<qint16, 5> fin{};              // end of each level in a code
    qint16 largoCodigo = 0;                   // length of a full position code (end of level 4)
    std::array<QString, 5> titulo;            // TIT_LAYOUT_NIVEL_n, proper case
    std::array<QString, 5> tituloConArticulo; // ARTICULO_LAYOUT_NIVEL_n + " " + title, proper case
    std::array<QString, 5> plural;            // PLURAL_LAYOUT_NIVEL_n, proper case
};
extern LayoutPosiciones gLayout;

// Family level values, loaded on demand by the candidate-position search.
struct NivelesFamilia {
    std::array<qint16, 7> ancho{}; // FLIA_NIVEL1..6, rounded (0 unused)
    qint16 anchoTotal = 0;
    std::array<qint16, 8> fin{}; // ends of levels 1..6; 7 copies 6
};
extern NivelesFamilia gNivelesFamilia;

// Reloads the position layout levels and computes their ends and the full code length. Traps
// nothing: a value beyond 16 bits raises ErrorSistema 6.
void InicializaLayout();
// Reads the four widths and their total, then titles, titles with article and plurals.
void CargaNivelesLayout();
// Reads the six family widths and their total.
void CargaNivelesFamilia();
// Reads the six family widths again and stores the ends (the running sum is rounded, not the
// widths one by one) and the copy of the sixth.
void CargaFinNivelesFamilia();
// The parent family of a code (not trimmed: trailing blanks count): the code cut to the end of
// the level before the first level whose end equals its length; "" for a first-level code or a
// length that is no level's end. Needs CargaFinNivelesFamilia first.
QString ObtieneFamiliaPadre(const QString& codigo);

// Capitalises the first letter of every word and lowers the rest.
QString TextoPropio(const QString& texto);

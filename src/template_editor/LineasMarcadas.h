#pragma once

#include "Grilla.h"

#include <QString>
#include <QStringList>
#include <optional>

// Lines that a bulk command (Cargar, Importar) could not take as they came: how they are marked
// in the lines grid, what the user is told about them when the command ends, and the first of
// them that still keeps a save from storing the template.
namespace LineasMarcadas {

// The unit cell of a file line whose article was not found, and the colour of a marked line's
// description cell (cyan, as the grid's colours are written: blue, green, red).
const QString& Inexistente();
constexpr int ColorMarca = 16776960;

void Marca(Grilla& g, int fila);
// A stored line whose article the master no longer has, read with its unit and quantity: marked,
// and so told by the save as an imported unknown article is.
void MarcaArticuloInexistente(Grilla& g, int fila);
// A marked line the user corrected (its article exists, its quantity is a number) or emptied
// loses its mark.
void DesmarcaSiCorrecta(Grilla& g, int fila);
// The line's article was just accepted (or its code cleared): what was marked of its article no
// longer holds.
void ArticuloHallado(Grilla& g, int fila);

// A line the save cannot store as it stands: the cell to correct and the message that says so.
struct LineaPendiente {
    int fila = 0;
    int columna = 0;
    QString mensaje;
};
// The first filled line whose article was not found or whose quantity is no number.
std::optional<LineaPendiente> PrimeraPendiente(const Grilla& g);

// What a bulk command tells the user when it ends: one entry per line it did not take or left
// marked, in the order met. Only the first ones are listed, the rest counted.
class Aviso {
public:
    static constexpr int MaximoListado = 20;

    void Agrega(const QString& donde, const QString& motivo);
    bool Vacio() const { return total_ == 0; }
    int Total() const { return total_; }
    // The heading, then one line per entry listed and, when there were more, how many.
    QString Texto(const QString& encabezado) const;

private:
    QStringList listadas_;
    int total_ = 0;
};

} // namespace LineasMarcadas

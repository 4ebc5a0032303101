#pragma once

#include "AlmacenModelos.h"
#include "CajaTexto.h"
#include "Etiqueta.h"
#include "Grilla.h"
#include "ListaCombo.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

// What the editor window read of the stored templates, so that nothing the user did is replaced
// in silence: the name of the template the window holds (checking it again loads nothing), a
// digest of the window's content as it stood when that template was read or a new one began
// (the user's changes are what differs from it), and what the window saw stored under each name
// it checked (a save asks first when another station changed it since). Built over the
// window's controls; nothing here reaches the database.
class ModeloLeido {
public:
    ModeloLeido(std::array<CajaTexto, 5>& campos, CasillaVerificacion& anclar, ListaCombo& tipos,
                Grilla& lineas);

    // The window begins again: no template, nothing seen, no content taken.
    void Olvida();

    // The template the window holds, by name (as the database compares names: case ignored).
    bool EsElNombre(const QString& nombre) const;
    void setNombre(const QString& nombre) { nombre_ = nombre; }

    // The window's content now is the one it holds unchanged.
    void TomaContenido();
    // The header (but the name), the anchor box, the voucher type or the lines differ from the
    // content taken, or none was taken. Runs over the lines once.
    bool HayCambios() const;

    // What the window saw stored under `nombre` (nullptr: it never checked that name).
    const AlmacenModelos::Huella* Visto(const QString& nombre) const;
    void AnotaVisto(const QString& nombre, const AlmacenModelos::Huella& huella);

    // A stored template is read: its header row first, then each line's stored values as they
    // come, then the end, with the name the window shows for it. The lines of a read left
    // half-way count as read: the stored template is not what the window holds.
    void EmpiezaLectura(const Registros& cabecera);
    void SumaLinea(quint64 huella) {
        lectura_.lineas += huella;
        ++lectura_.cuenta;
    }
    // The read reached the template's last line; one left half-way holds part of it.
    void LecturaEntera() { lectura_.leidaEntera = true; }
    bool LecturaIncompleta() const { return !lectura_.leidaEntera; }
    void TerminaLectura(const QString& nombre);

private:
    quint64 Contenido() const;

    std::array<CajaTexto, 5>& campos_;
    CasillaVerificacion& anclar_;
    ListaCombo& tipos_;
    Grilla& lineas_;

    QString nombre_;
    bool conContenido_ = false;
    quint64 contenido_ = 0;
    struct NombreVisto {
        QString nombre;
        AlmacenModelos::Huella huella;
    };
    std::vector<NombreVisto> vistos_;
    AlmacenModelos::Huella lectura_;
};

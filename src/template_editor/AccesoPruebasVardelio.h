#pragma once

#include "FrmVardelio.h"

// The editor window's private state, for the tests (and the benchmark) that must set or read it.
// Nothing of the program uses it.
class AccesoPruebasVardelio {
public:
    using Modo = FrmVardelio::Modo;

    explicit AccesoPruebasVardelio(FrmVardelio& f) : f_(f) {}

    Modo& ModoActual() { return f_.modo_; }
    bool EsNuevo() const { return f_.modo_ == Modo::Nuevo; }
    bool EsModificacion() const { return f_.modo_ == Modo::Modificacion; }
    bool EsBaja() const { return f_.modo_ == Modo::Baja; }

    bool& ErrorValidacion() { return f_.ErrorValidacion; }
    bool& ValidandoGrabacion() { return f_.ValidandoGrabacion; }
    QString& TablaModelo() { return f_.TablaModelo; }
    Registros& RegistroModelo() { return f_.RegistroModelo; }
    qint16& IndiceCmbLista() { return f_.IndiceCmbLista; }
    QString& MostrarStock() { return f_.MostrarStock; }
    std::array<QVariant, 5>& ColorNivelStock() { return f_.ColorNivelStock; }
    bool& TipoDesdeDescripcion() { return f_.TipoDesdeDescripcion; }
    QString& DepositoOrigenAnterior() { return f_.DepositoOrigenAnterior; }
    CajaTexto*& ControlActivo() { return f_.ControlActivo; }
    const QString& UltimoLote() const { return f_.UltimoLote; }
    const QString& Tag() const { return f_.Tag; }
    std::array<QString, 3>& DatosDespacho() { return f_.DatosDespacho; }

private:
    FrmVardelio& f_;
};

// Shorter to write in a test: Prueba(F()).EsNuevo().
inline AccesoPruebasVardelio Prueba(FrmVardelio& f) {
    return AccesoPruebasVardelio(f);
}

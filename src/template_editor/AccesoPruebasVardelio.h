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
    QString& DepositoOrigenAnterior() { return f_.DepositoOrigenAnterior; }
    CajaTexto*& ControlActivo() { return f_.ControlActivo; }
    const QString& UltimaTanda() const { return f_.UltimaTanda; }
    const QString& Tag() const { return f_.Tag; }
    std::array<QString, 3>& DatosDespacho() { return f_.DatosDespacho; }
    static QString ClaveAnchoColumnas() { return FrmVardelio::ClaveAnchoColumnas(); }
    QString TextoAnchoColumnas() const { return f_.TextoAnchoColumnas(); }

    // The window's parts and their settings.
    PanelStock& Stock() { return f_.stock_; }
    QString& MostrarStock() { return f_.stock_.mostrarStock_; }
    std::array<QVariant, 5>& ColorNivelStock() { return f_.stock_.colores_; }
    bool& TipoDesdeDescripcion() { return f_.lineas_.tipoEnDescripcion_; }

private:
    FrmVardelio& f_;
};

// Shorter to write in a test: Prueba(F()).EsNuevo().
inline AccesoPruebasVardelio Prueba(FrmVardelio& f) {
    return AccesoPruebasVardelio(f);
}

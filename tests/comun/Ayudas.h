#pragma once

// Small helpers the test programs share.

#include "ErrorSistema.h"

#include <QString>
#include <QVariantList>
#include <vector>

class AccesoDatos;

// The number of the ErrorSistema that `f` raises; 0 when it raises none.
template <class F> long NumeroDeError(F&& f) {
    try {
        f();
    } catch (const ErrorSistema& e) {
        return e.Numero();
    }
    return 0;
}

// A form font where a capital X is 120 twips wide (kAnchoX) and every other character 60, so
// that widths measured from literal texts differ from those counted in X.
inline int MedidaPrueba(const QString& texto) {
    int t = 0;
    for (QChar c : texto)
        t += c == QLatin1Char('X') ? 120 : 60;
    return t;
}
constexpr int kAnchoX = 120;

// Proceso, Fecha, Error, Descripcion, SQL, PC, Usuario of every row of AUX_ERR on `ad`, in the
// order they were written.
std::vector<QVariantList> FilasAuxErr(AccesoDatos& ad);
// The native numbers of the connection's error list, in order.
std::vector<long> NumerosDeError(AccesoDatos& ad);

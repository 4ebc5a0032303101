#pragma once

// The demo database's origin vouchers and a fixture that converts them into three fresh grids.

#include "BaseDemo.h"
#include "ClsCmnCptes.h"
#include "ColumnasArticulos.h"
#include "ColumnasOtrosConceptos.h"
#include "ColumnasTareas.h"
#include "Grilla.h"
#include "ProgramasConversion.h"
#include "Regional.h"
#include "ValoresConfiguracion.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

inline const QString Pedido1 = QStringLiteral("001000000001X");
inline const QString Pedido2 = QStringLiteral("001000000002X");
inline const QString Pedido3 = QStringLiteral("001000000003X");
inline const QString Remito1 = QStringLiteral("001000000001R");
inline const QString Factura1 = QStringLiteral("001000000001A"); // a proforma invoice
inline const QString OrdenCompra1 = QStringLiteral("010000000001X");

inline QString Articulo(int n) {
    return QString::number(n);
}

class ConversionDemo : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        gUnidadMedidaKG = QStringLiteral("KG");
        gCantidadDecimales = QStringLiteral("2");
        EstableceProgramaConversion(QStringLiteral("Modelos"));
        clase = std::make_unique<ClsCmnCptes>();
    }
    void TearDown() override {
        clase.reset();
        EstableceProgramaConversion({});
        ConBaseDemo::TearDown();
    }

    // Converts the origin into the three fresh grids.
    void Convierte(const QString& tc, const QString& id, const QString& destino, bool moneda = false,
                   const QString& complemento = QStringLiteral("0")) {
        clase->AsignarDatosComprobante(tc, id, complemento, tareas, articulos, otros, false, nullptr, false,
                                       {}, &reparto, moneda, {}, destino, &letra);
    }
    // Converts the origin into `grilla` as its articles grid, without the call's other outputs.
    void ConvierteEn(Grilla& grilla, const QString& tc, const QString& id, const QString& destino) {
        clase->AsignarDatosComprobante(tc, id, QStringLiteral("0"), tareas, grilla, otros, false, nullptr,
                                       false, {}, nullptr, false, {}, destino, nullptr);
    }
    QString A(int fila, int columna) const { return articulos.TextMatrix(fila, columna); }
    QString T(int fila, int columna) const { return tareas.TextMatrix(fila, columna); }
    // The article codes of rows 1 to Rows - 1, trimmed ("" for an empty row).
    QStringList Codigos() const {
        QStringList l;
        for (int f = 1; f < articulos.Rows(); ++f)
            l << A(f, col::CodigoArticulo).trimmed();
        return l;
    }

    Regional::Fijo regional{QLatin1Char('.'), QLatin1Char(','), 2};
    std::unique_ptr<ClsCmnCptes> clase;
    Grilla tareas{2, ColumnasGrillaTareas, 1, 0};
    Grilla articulos{2, ColumnasGrillaArticulos, 1, 0};
    Grilla otros{2, ColumnasGrillaOtrosConceptos, 1, 0};
    qint16 reparto = 0;
    QString letra;
};

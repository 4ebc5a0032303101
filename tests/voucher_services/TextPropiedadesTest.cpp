// The binding of the grids' floating cell editors to their columns.

#include "BaseDemo.h"
#include "CajaTexto.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <tuple>

namespace {

struct Enlace {
    QString campo;
    QString tag;
    int largo = 0;
    bool operator==(const Enlace& o) const {
        return std::tie(campo, tag, largo) == std::tie(o.campo, o.tag, o.largo);
    }
};

void PrintTo(const Enlace& e, std::ostream* os) {
    *os << '{' << e.campo.toStdString() << ", " << e.tag.toStdString() << ", " << e.largo << '}';
}

const std::map<int, Enlace> kTareas = {
    {0, {"IdTarea", "v_ta_tareas", 4}}, {1, {"Descripcion", "", 0}}, {2, {"HorasEstimadas", "", 0}},
    {3, {"ValorHora", "", 0}},          {4, {"Total", "", 0}},
};

const std::map<int, Enlace> kArticulos = {
    {0, {"IdArticulo", "v_ma_articulos", 35}},
    {1, {"Descripcion", "", 50}},
    {2, {"IdListaPrecioArticulo", "V_MA_PRECIOS", 4}},
    {3, {"Espesor", "", 0}},
    {4, {"Ancho", "", 0}},
    {5, {"IdUnidad", "V_TA_UNIDAD", 4}},
    {6, {"IdDepositoArt", "V_TA_DEPOSITO", 4}},
    {7, {"Cantidad", "", 0}},
    {8, {"Largo", "", 0}},
    {9, {"IdUnidadEquiv", "V_TA_UNIDAD", 4}},
    {10, {"CantidadEquiv", "", 0}},
    {11, {"PorcDtoArticulo", "", 0}},
    {12, {"Ud_Pr", "V_TA_UNIDAD", 4}},
    {13, {"Importe_Ud", "", 0}},
    {14, {"ArtImporte", "", 0}},
    {15, {"Total", "", 0}},
    {40, {"Impuestos", "", 0}},
    {93, {"ITC", "", 0}},
};

const std::map<int, Enlace> kOtrosConceptos = {
    {0, {"OCDescripcion", "MA_CUENTAS/SOLOIMPUTABLES", 200}},
    {1, {"OCImporteSinIva", "", 0}},
    {2, {"OCImporte", "", 0}},
};

class EnlaceEditor : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        c = std::make_unique<ClsCmnCptesServicios>();
    }

    // The binding the editor named `nombre` gets for `columna`, starting from another column's.
    Enlace Enlaza(const QString& nombre, int columna) {
        CajaTexto editor(nombre);
        editor.setDataField(QStringLiteral("Anterior"));
        editor.setTag(QStringLiteral("V_ANTERIOR"));
        editor.setMaxLength(99);
        c->TextPropiedades(editor, columna);
        return {editor.DataField(), editor.Tag(), editor.MaxLength()};
    }

    // Every column from -2 to past the articles grid, against the table.
    void CompruebaTabla(const QString& nombre, const std::map<int, Enlace>& tabla) {
        for (int columna = -2; columna <= ColumnasGrillaArticulos + 5; ++columna) {
            const auto it = tabla.find(columna);
            const Enlace esperado = it == tabla.end() ? Enlace{} : it->second;
            EXPECT_EQ(Enlaza(nombre, columna), esperado) << nombre.toStdString() << " column " << columna;
        }
    }

    std::unique_ptr<ClsCmnCptesServicios> c;
};

TEST_F(EnlaceEditor, TasksEditorBindsItsFiveColumns) {
    CompruebaTabla(QStringLiteral("TxtEdit"), kTareas);
}

TEST_F(EnlaceEditor, EveryArticlesEditorBindsTheArticleColumns) {
    for (const char* nombre : {"TxtEdit2", "TXTAUX1", "TXTAUX2", "TXTAUX3"})
        CompruebaTabla(QString::fromLatin1(nombre), kArticulos);
}

TEST_F(EnlaceEditor, OtherConceptsEditorBindsTheAccountLookUp) {
    CompruebaTabla(QStringLiteral("TxtEdit3"), kOtrosConceptos);
}

TEST_F(EnlaceEditor, NamesCompareTrimmedAndWithoutCase) {
    EXPECT_EQ(Enlaza(QStringLiteral("txtedit2"), 0), (Enlace{"IdArticulo", "v_ma_articulos", 35}));
    EXPECT_EQ(Enlaza(QStringLiteral("  TXTEDIT3 "), 0),
              (Enlace{"OCDescripcion", "MA_CUENTAS/SOLOIMPUTABLES", 200}));
    EXPECT_EQ(Enlaza(QStringLiteral("txtaux3"), 5), (Enlace{"IdUnidad", "V_TA_UNIDAD", 4}));
    EXPECT_EQ(Enlaza(QStringLiteral("txtEdit"), 0), (Enlace{"IdTarea", "v_ta_tareas", 4}));
}

TEST_F(EnlaceEditor, OtherEditorsKeepTheEmptyBinding) {
    for (const char* nombre : {"TXTAUX4", "TxtEdit4", "", "TxtEdit 2", "MSFlexGrid2"})
        for (int columna : {0, 1, 5, 93})
            EXPECT_EQ(Enlaza(QString::fromLatin1(nombre), columna), Enlace{}) << nombre << " " << columna;
}

} // namespace

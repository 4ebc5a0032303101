#pragma once

#include "Grilla.h"

#include <QAbstractTableModel>

// Shows a Grilla to any Qt view: one model row per grid row and one model column per grid
// column, fixed ones included (the view styles them with RolFija; the horizontal header
// also offers the texts of row 0). Hidden columns (width 0) are told by ColumnaOculta and by
// RolOculta in the horizontal header; a view hides them and sizes the others with RolAncho.
// The grid must outlive the model.
class ModeloGrilla : public QAbstractTableModel, private ObservadorGrilla {
    Q_OBJECT
public:
    enum Rol {
        RolFija = Qt::UserRole + 1, // data: the cell lies in a fixed row or column
        RolOculta,                  // headerData (horizontal): width 0
        RolAncho,                   // headerData (horizontal): width in twips
    };

    explicit ModeloGrilla(Grilla& grilla, QObject* padre = nullptr);
    ~ModeloGrilla() override;

    Grilla& grilla() { return grilla_; }
    bool ColumnaOculta(int col) const;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

    // BGR integer of the system -> QColor; nothing for 0 (the default colour).
    static QColor ColorDesdeBgr(int bgr);
    // Qt alignment of a column alignment value for that text (General: numbers right).
    static Qt::Alignment AlineacionQt(int alineacion, const QString& texto);

signals:
    // Widths, alignments or fixed rows/columns changed (-1, -1: every column).
    void formatoCambiado(int col1, int col2);
    // Current cell, TopRow, Enabled or the control's size changed.
    void estadoCambiado();

private:
    void AntesDeInsertarFilas(int primera, int ultima) override;
    void FilasInsertadas() override;
    void AntesDeQuitarFilas(int primera, int ultima) override;
    void FilasQuitadas() override;
    void AntesDeInsertarColumnas(int primera, int ultima) override;
    void ColumnasInsertadas() override;
    void AntesDeQuitarColumnas(int primera, int ultima) override;
    void ColumnasQuitadas() override;
    void AntesDeReiniciar() override;
    void Reiniciado() override;
    void CeldasCambiadas(int fila1, int col1, int fila2, int col2) override;
    void FormatoCambiado(int col1, int col2) override;
    void EstadoCambiado() override;
    void Sincroniza();

    Grilla& grilla_;
    // The counts last told to the views: while Redraw is off the grid may differ.
    int filas_ = 0;
    int cols_ = 0;
};

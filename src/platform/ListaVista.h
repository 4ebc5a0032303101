#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class ListaVista;

// Errors of the list, with the control's numbers.
namespace ErrorLista {
constexpr long ValorPropiedadInvalido = 380; // a sub-item beyond the column headers
constexpr long IndiceFueraDeLimites = 35600; // "Index out of bounds"
constexpr long ClaveRepetida = 35602;        // "Key is not unique in collection"
} // namespace ErrorLista

// One row of the list: its own text (first column), sub-items 1.. under the following headers,
// icon numbers (1-based in the image list, 0 none), check box and selection.
class ElementoLista {
public:
    const QString& Text() const { return texto_; }
    void setText(const QString& t);
    // The row's key: unique in the list (any case), empty for none; a key another row holds
    // raises 35602 and leaves the row as it was.
    const QString& Key() const { return clave_; }
    void setKey(const QString& k);
    // Sub-item i (1 .. headers - 1); beyond the headers raises 380, as the control does.
    QString SubItems(int i) const;
    void setSubItems(int i, const QString& t);
    bool Checked() const { return marcado_; }
    void setChecked(bool m);
    bool Selected() const { return seleccionado_; }
    void setSelected(bool s);
    int Icon() const { return icono_; }
    void setIcon(int i);
    int SmallIcon() const { return iconoChico_; }
    void setSmallIcon(int i);
    // The text of column k: 0 its own text, k the sub-item (empty where none was written).
    QString TextoColumna(int k) const;

private:
    friend class ListaVista;
    explicit ElementoLista(ListaVista& lista) : lista_(&lista) {}
    ListaVista* lista_;
    QString texto_;
    QString clave_;
    std::vector<QString> subItems_; // subItems_[i - 1]
    bool marcado_ = false;
    bool seleccionado_ = false;
    int icono_ = 0;
    int iconoChico_ = 0;
};

struct EncabezadoColumna {
    QString Text;
    int Width = 0; // twips
};

// The images of a list, found by their tags (1-based, as the control numbers them).
class ListaImagenes {
public:
    void Add(const QString& tag, const QIcon& icono = {}) { imagenes_.push_back({tag, icono}); }
    int Count() const { return int(imagenes_.size()); }
    const QString& Tag(int indice) const;           // 1-based; out of range raises 35600
    const QIcon& Imagen(int indice) const;          // 1-based; out of range raises 35600
    void setImagen(int indice, const QIcon& icono); // the picture of image `indice`, for a view

private:
    struct Imagen_ {
        QString tag;
        QIcon icono;
    };
    std::vector<Imagen_> imagenes_;
};

// The system's list view in report mode: rows with sub-items under column headers, text sort by
// one column, selection (single or multiple) and check boxes. While Sorted is on, the rows are
// kept in the order of column SortKey (compared as text, ignoring case; ties keep the order
// they had); ListItems numbers them 1-based in that order.
class ListaVista {
public:
    static constexpr int Ascendente = 0;
    static constexpr int Descendente = 1;

    ListaVista() = default;
    ListaVista(const ListaVista&) = delete;
    ListaVista& operator=(const ListaVista&) = delete;

    // ListItems.
    ElementoLista& Add(const QString& texto = {}, int icono = 0, int iconoChico = 0);
    void Clear(); // ListItems.Clear
    int Count() const { return int(elementos_.size()); }
    ElementoLista& ListItems(int indice); // 1-based; out of range raises 35600
    const ElementoLista& ListItems(int indice) const;
    // The rows in list order.
    std::vector<ElementoLista*> Elementos() const;
    int Indice(const ElementoLista* e) const; // 1-based position, 0 when not in the list
    // The row with that key (any case), nullptr when none.
    ElementoLista* BuscaClave(const QString& clave) const;

    // ColumnHeaders.
    void LimpiaEncabezados(); // ColumnHeaders.Clear
    void AgregaEncabezado(const QString& texto, int anchoTwips);
    int CuentaEncabezados() const { return int(encabezados_.size()); }
    const EncabezadoColumna& Encabezado(int indice) const; // 1-based; out of range raises 35600

    // The selected (focused) row, nullptr when none.
    ElementoLista* SelectedItem() const { return seleccionado_; }
    void setSelectedItem(ElementoLista* e);
    bool MultiSelect() const { return multiSelect_; }
    void setMultiSelect(bool m);
    bool Checkboxes() const { return checkboxes_; }
    void setCheckboxes(bool c);

    int SortKey() const { return sortKey_; }
    void setSortKey(int k);
    int SortOrder() const { return sortOrder_; }
    void setSortOrder(int o);
    bool Sorted() const { return sorted_; }
    void setSorted(bool s);

    // Images shown by the rows' icon numbers (not owned).
    const ListaImagenes* Imagenes() const { return imagenes_; }
    void setImagenes(const ListaImagenes* i);

    // Counts the times the rows were removed or put in another order (a pending sort is made
    // first), so that a view can tell rows added at the end from a new set of rows.
    quint32 Estructura() const;

    // Called after every change, for the view.
    std::function<void()> alCambiar;

private:
    friend class ElementoLista;
    void Cambio();
    void CambioOrden();
    void Ordena() const;

    mutable std::vector<std::unique_ptr<ElementoLista>> elementos_;
    mutable bool desordenada_ = false;
    mutable quint32 estructura_ = 0;
    QHash<QString, ElementoLista*> claves_; // by key folded to lower case
    std::vector<EncabezadoColumna> encabezados_;
    ElementoLista* seleccionado_ = nullptr;
    bool multiSelect_ = false;
    bool checkboxes_ = false;
    int sortKey_ = 0;
    int sortOrder_ = Ascendente;
    bool sorted_ = false;
    const ListaImagenes* imagenes_ = nullptr;
};

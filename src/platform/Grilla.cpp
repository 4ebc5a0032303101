#include "Grilla.h"

#include "ErrorSistema.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

int TwipsAPixeles(int twips, double dpi) {
    return int(std::lround(twips * dpi / 1440.0));
}

int PixelesATwips(int pixeles, double dpi) {
    return int(std::lround(pixeles * 1440.0 / dpi));
}

namespace {

[[noreturn]] void Falla(long numero) {
    switch (numero) {
    case ErrorGrilla::ValorPropiedadInvalido:
        throw ErrorSistema(numero, "Invalid property value", "Grilla");
    case ErrorGrilla::SubindiceFueraDeRango:
        throw ErrorSistema(numero, "Subscript out of range", "Grilla");
    case ErrorGrilla::FilaInvalida:
        throw ErrorSistema(numero, "Invalid Row value", "Grilla");
    case ErrorGrilla::ColumnaInvalida:
        throw ErrorSistema(numero, "Invalid Col value", "Grilla");
    default:
        throw ErrorSistema(numero, "Cannot remove last non-fixed row", "Grilla");
    }
}

// Like the control, scrolling stops when the last row reaches the bottom of the grid.
int LimitaTopRow(int top, int filas, int fijas, int alto) {
    const int visibles = std::max(1, (alto - fijas * Grilla::AltoFila) / Grilla::AltoFila);
    return std::clamp(top, fijas, std::max(fijas, filas - visibles));
}

} // namespace

Grilla::Grilla(int filas, int columnas, int filasFijas, int columnasFijas) {
    if (filas < 0 || columnas < 0 || filasFijas < 0 || filasFijas > filas || columnasFijas < 0 ||
        columnasFijas > columnas)
        Falla(ErrorGrilla::ValorPropiedadInvalido);
    filas_ = filas;
    cols_ = columnas;
    filasFijas_ = filasFijas;
    colsFijas_ = columnasFijas;
    celdas_.resize(std::size_t(filas));
    anchos_.assign(std::size_t(columnas), -1);
    alineaciones_.assign(std::size_t(columnas), Alineacion::General);
    fila_ = filasFijas < filas ? filasFijas : std::max(0, filas - 1);
    col_ = columnasFijas < columnas ? columnasFijas : std::max(0, columnas - 1);
    topRow_ = filasFijas;
}

void Grilla::AgregaObservador(ObservadorGrilla* o) {
    if (o && std::find(observadores_.begin(), observadores_.end(), o) == observadores_.end())
        observadores_.push_back(o);
}

void Grilla::QuitaObservador(ObservadorGrilla* o) {
    std::erase(observadores_, o);
}

// ---- Notifications ----

template <class F> void Grilla::Avisa(F f) {
    if (!redraw_)
        return;
    for (std::size_t i = 0; i < observadores_.size(); ++i)
        f(observadores_[i]);
}

void Grilla::AvisaCeldas(int f1, int c1, int f2, int c2) {
    if (f1 > f2 || c1 > c2)
        return;
    if (!redraw_) {
        if (!pendienteCeldas_) {
            pf1_ = f1, pc1_ = c1, pf2_ = f2, pc2_ = c2;
            pendienteCeldas_ = true;
        } else {
            pf1_ = std::min(pf1_, f1), pc1_ = std::min(pc1_, c1);
            pf2_ = std::max(pf2_, f2), pc2_ = std::max(pc2_, c2);
        }
        return;
    }
    Avisa([&](ObservadorGrilla* o) { o->CeldasCambiadas(f1, c1, f2, c2); });
}

void Grilla::AvisaEstructura() {
    if (!redraw_)
        pendienteEstructura_ = true;
}

void Grilla::AvisaFormato(int c1, int c2) {
    if (!redraw_) {
        pendienteFormato_ = true;
        return;
    }
    Avisa([&](ObservadorGrilla* o) { o->FormatoCambiado(c1, c2); });
}

void Grilla::AvisaEstado() {
    if (!redraw_) {
        pendienteEstado_ = true;
        return;
    }
    Avisa([](ObservadorGrilla* o) { o->EstadoCambiado(); });
}

void Grilla::setRedraw(bool r) {
    if (r == redraw_)
        return;
    redraw_ = r;
    if (!r)
        return;
    const bool estructura = pendienteEstructura_, celdas = pendienteCeldas_, formato = pendienteFormato_,
               estado = pendienteEstado_;
    pendienteEstructura_ = pendienteCeldas_ = pendienteFormato_ = pendienteEstado_ = false;
    if (estructura) {
        Avisa([](ObservadorGrilla* o) { o->AntesDeReiniciar(); });
        Avisa([](ObservadorGrilla* o) { o->Reiniciado(); });
    } else if (celdas) {
        // Rows and columns are as they were, so the rectangle still lies inside the grid.
        Avisa([&](ObservadorGrilla* o) { o->CeldasCambiadas(pf1_, pc1_, pf2_, pc2_); });
    }
    if (estructura || formato)
        Avisa([](ObservadorGrilla* o) { o->FormatoCambiado(-1, -1); });
    if (estructura || estado)
        Avisa([](ObservadorGrilla* o) { o->EstadoCambiado(); });
}

void Grilla::Refresh() {
    if (filas_ > 0 && cols_ > 0)
        Avisa([&](ObservadorGrilla* o) { o->CeldasCambiadas(0, 0, filas_ - 1, cols_ - 1); });
}

// ---- Size ----

void Grilla::setRows(int n) {
    if (n < 0)
        Falla(ErrorGrilla::ValorPropiedadInvalido);
    if (n == filas_)
        return;
    if (n > filas_) {
        const int antes = filas_;
        Avisa([&](ObservadorGrilla* o) { o->AntesDeInsertarFilas(antes, n - 1); });
        celdas_.resize(std::size_t(n));
        filas_ = n;
        Avisa([](ObservadorGrilla* o) { o->FilasInsertadas(); });
    } else {
        const int antes = filas_;
        Avisa([&](ObservadorGrilla* o) { o->AntesDeQuitarFilas(n, antes - 1); });
        celdas_.resize(std::size_t(n));
        if (celdas_.capacity() > 4096 && celdas_.capacity() / 4 > std::size_t(n))
            celdas_.shrink_to_fit();
        filas_ = n;
        QuitaColoresFilas(n, antes);
        Avisa([](ObservadorGrilla* o) { o->FilasQuitadas(); });
        if (filasFijas_ > n) {
            filasFijas_ = n;
            AvisaFormato(-1, -1);
        }
    }
    AvisaEstructura();
    AjustaActual();
}

void Grilla::setCols(int n) {
    if (n < 0)
        Falla(ErrorGrilla::ValorPropiedadInvalido);
    if (n == cols_)
        return;
    const int antes = cols_;
    if (n > cols_) {
        Avisa([&](ObservadorGrilla* o) { o->AntesDeInsertarColumnas(antes, n - 1); });
        anchos_.resize(std::size_t(n), -1);
        alineaciones_.resize(std::size_t(n), Alineacion::General);
        cols_ = n;
        for (Fila& fila : celdas_)
            if (!fila.lugares.empty())
                IndexaFila(fila);
        Avisa([](ObservadorGrilla* o) { o->ColumnasInsertadas(); });
        AvisaFormato(antes, n - 1);
    } else {
        Avisa([&](ObservadorGrilla* o) { o->AntesDeQuitarColumnas(n, antes - 1); });
        anchos_.resize(std::size_t(n));
        alineaciones_.resize(std::size_t(n));
        cols_ = n;
        for (Fila& fila : celdas_) {
            std::erase_if(fila.celdas, [n](const Celda& c) { return c.col >= n; });
            IndexaFila(fila);
        }
        QuitaColores(filas_, cols_);
        Avisa([](ObservadorGrilla* o) { o->ColumnasQuitadas(); });
        if (colsFijas_ > n) {
            colsFijas_ = n;
            AvisaFormato(-1, -1);
        }
    }
    AvisaEstructura();
    AjustaActual();
}

void Grilla::setFixedRows(int n) {
    if (n < 0 || n > filas_)
        Falla(ErrorGrilla::ValorPropiedadInvalido);
    if (n == filasFijas_)
        return;
    filasFijas_ = n;
    AvisaFormato(-1, -1);
    AvisaCeldas(0, 0, filas_ - 1, cols_ - 1);
    AjustaActual();
}

void Grilla::setFixedCols(int n) {
    if (n < 0 || n > cols_)
        Falla(ErrorGrilla::ValorPropiedadInvalido);
    if (n == colsFijas_)
        return;
    colsFijas_ = n;
    AvisaFormato(-1, -1);
    AvisaCeldas(0, 0, filas_ - 1, cols_ - 1);
}

void Grilla::AjustaActual() {
    const int fila = std::clamp(fila_, 0, std::max(0, filas_ - 1));
    const int col = std::clamp(col_, 0, std::max(0, cols_ - 1));
    const int top = LimitaTopRow(topRow_, filas_, filasFijas_, alto_);
    if (fila != fila_ || col != col_ || top != topRow_) {
        fila_ = fila, col_ = col, topRow_ = top;
        AvisaEstado();
    }
}

// ---- Cells ----

void Grilla::CompruebaCelda(int fila, int col) const {
    if (fila < 0 || fila >= filas_ || col < 0 || col >= cols_)
        Falla(ErrorGrilla::SubindiceFueraDeRango);
}

namespace {
// Up to this many cells a row is searched cell by cell.
constexpr std::size_t kCeldasSinLugares = 12;
constexpr int kMaximoLugares = 255;
} // namespace

const Grilla::Celda* Grilla::BuscaCelda(const Fila& f, int col) {
    if (!f.lugares.empty()) {
        const std::size_t lugar = std::size_t(col) < f.lugares.size() ? f.lugares[std::size_t(col)] : 0;
        return lugar == 0 ? nullptr : &f.celdas[lugar - 1];
    }
    for (const Celda& c : f.celdas)
        if (c.col == col)
            return &c;
    return nullptr;
}

void Grilla::IndexaFila(Fila& f) const {
    // A place is one byte: a grid wider than that searches its rows cell by cell.
    if (f.celdas.size() <= kCeldasSinLugares || cols_ > kMaximoLugares) {
        std::vector<std::uint8_t>().swap(f.lugares);
        return;
    }
    f.lugares.assign(std::size_t(cols_), 0);
    for (std::size_t i = 0; i < f.celdas.size(); ++i)
        f.lugares[std::size_t(f.celdas[i].col)] = std::uint8_t(i + 1);
}

void Grilla::PonCelda(Fila& f, int col, const QString& texto) const {
    if (const Celda* hallada = BuscaCelda(f, col)) {
        const auto lugar = std::size_t(hallada - f.celdas.data());
        if (!texto.isEmpty()) {
            f.celdas[lugar].texto = texto;
            return;
        }
        // The last cell takes the place of the one that empties.
        if (lugar + 1 != f.celdas.size()) {
            f.celdas[lugar] = std::move(f.celdas.back());
            if (!f.lugares.empty())
                f.lugares[std::size_t(f.celdas[lugar].col)] = std::uint8_t(lugar + 1);
        }
        f.celdas.pop_back();
        if (!f.lugares.empty())
            f.lugares[std::size_t(col)] = 0;
        return;
    }
    if (texto.isEmpty())
        return; // already empty
    f.celdas.push_back(Celda{col, texto});
    if (!f.lugares.empty())
        f.lugares[std::size_t(col)] = std::uint8_t(f.celdas.size());
    else if (f.celdas.size() > kCeldasSinLugares)
        IndexaFila(f);
}

QString Grilla::TextMatrix(int fila, int col) const {
    CompruebaCelda(fila, col);
    const Celda* c = BuscaCelda(celdas_[std::size_t(fila)], col);
    return c ? c->texto : QString();
}

void Grilla::setTextMatrix(int fila, int col, const QString& texto) {
    CompruebaCelda(fila, col);
    PonCelda(celdas_[std::size_t(fila)], col, texto);
    AvisaCeldas(fila, col, fila, col);
}

QString Grilla::TextArray(int indice) const {
    if (indice < 0 || cols_ == 0 || std::int64_t(indice) >= std::int64_t(filas_) * cols_)
        Falla(ErrorGrilla::SubindiceFueraDeRango);
    return TextMatrix(indice / cols_, indice % cols_);
}

void Grilla::setTextArray(int indice, const QString& texto) {
    if (indice < 0 || cols_ == 0 || std::int64_t(indice) >= std::int64_t(filas_) * cols_)
        Falla(ErrorGrilla::SubindiceFueraDeRango);
    setTextMatrix(indice / cols_, indice % cols_, texto);
}

void Grilla::Clear() {
    for (Fila& fila : celdas_)
        fila = Fila(); // give the memory back, not only the texts
    colores_.clear();
    AvisaCeldas(0, 0, filas_ - 1, cols_ - 1);
}

void Grilla::AddItem(const QString& elemento, int indice) {
    if (indice == -1)
        indice = filas_;
    if (indice < 0 || indice > filas_)
        Falla(ErrorGrilla::SubindiceFueraDeRango);
    Fila fila;
    if (!elemento.isEmpty()) {
        const QStringList partes = elemento.split(u'\t');
        for (int c = 0; c < std::min<qsizetype>(partes.size(), cols_); ++c)
            if (!partes[c].isEmpty())
                fila.celdas.push_back(Celda{c, partes[c]});
        IndexaFila(fila);
    }
    Avisa([&](ObservadorGrilla* o) { o->AntesDeInsertarFilas(indice, indice); });
    celdas_.insert(celdas_.begin() + indice, std::move(fila));
    ++filas_;
    DesplazaColores(indice, 1);
    Avisa([](ObservadorGrilla* o) { o->FilasInsertadas(); });
    AvisaEstructura();
    AjustaActual();
}

void Grilla::RemoveItem(int indice) {
    if (indice < 0 || indice >= filas_)
        Falla(ErrorGrilla::SubindiceFueraDeRango);
    if (filas_ - 1 <= filasFijas_)
        Falla(ErrorGrilla::UltimaFilaNoFija);
    Avisa([&](ObservadorGrilla* o) { o->AntesDeQuitarFilas(indice, indice); });
    celdas_.erase(celdas_.begin() + indice);
    --filas_;
    DesplazaColores(indice + 1, -1);
    Avisa([](ObservadorGrilla* o) { o->FilasQuitadas(); });
    AvisaEstructura();
    AjustaActual();
}

// ---- Current cell ----

void Grilla::setRow(int f) {
    if (f < 0 || f >= filas_)
        Falla(ErrorGrilla::FilaInvalida);
    if (f != fila_) {
        fila_ = f;
        AvisaEstado();
    }
}

void Grilla::setCol(int c) {
    if (c < 0 || c >= cols_ || (rechazaColFija_ && c < colsFijas_))
        Falla(ErrorGrilla::ColumnaInvalida);
    if (c != col_) {
        col_ = c;
        AvisaEstado();
    }
}

void Grilla::setTopRow(int f) {
    if (f < 0)
        Falla(ErrorGrilla::FilaInvalida);
    const int top = LimitaTopRow(f, filas_, filasFijas_, alto_);
    if (top != topRow_) {
        topRow_ = top;
        AvisaEstado();
    }
}

int Grilla::CellLeft() const {
    int x = 0;
    for (int c = 0; c < col_ && c < cols_; ++c)
        x += ColWidth(c);
    return x;
}

int Grilla::CellTop() const {
    if (fila_ < filasFijas_)
        return fila_ * AltoFila;
    return (filasFijas_ + fila_ - topRow_) * AltoFila;
}

// ---- Columns ----

int Grilla::ColWidth(int col) const {
    if (col < 0 || col >= cols_)
        Falla(ErrorGrilla::SubindiceFueraDeRango);
    const int a = anchos_[std::size_t(col)];
    return a < 0 ? AnchoColumnaPorDefecto : a;
}

void Grilla::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols_)
        Falla(ErrorGrilla::SubindiceFueraDeRango);
    if (twips < -1)
        Falla(ErrorGrilla::ValorPropiedadInvalido);
    if (anchos_[std::size_t(col)] == twips)
        return;
    anchos_[std::size_t(col)] = twips;
    AvisaFormato(col, col);
}

int Grilla::ColAlignment(int col) const {
    if (col < 0 || col >= cols_)
        Falla(ErrorGrilla::SubindiceFueraDeRango);
    return alineaciones_[std::size_t(col)];
}

void Grilla::setColAlignment(int col, int alineacion) {
    if (col < 0 || col >= cols_)
        Falla(ErrorGrilla::SubindiceFueraDeRango);
    if (alineacion < Alineacion::IzquierdaArriba || alineacion > Alineacion::General)
        Falla(ErrorGrilla::ValorPropiedadInvalido);
    if (alineaciones_[std::size_t(col)] == alineacion)
        return;
    alineaciones_[std::size_t(col)] = alineacion;
    AvisaFormato(col, col);
    AvisaCeldas(0, col, filas_ - 1, col);
}

// ---- Colours ----

int Grilla::Color(int fila, int col, bool letra) const {
    CompruebaCelda(fila, col);
    const auto it = colores_.find(Clave(fila, col));
    if (it == colores_.end())
        return 0;
    return letra ? it->second.letra : it->second.fondo;
}

void Grilla::PintaCelda(int fila, int col, int bgr, bool letra) {
    CompruebaCelda(fila, col);
    const auto clave = Clave(fila, col);
    auto it = colores_.find(clave);
    if (it == colores_.end()) {
        if (bgr == 0)
            return;
        it = colores_.emplace(clave, Colores{}).first;
    }
    (letra ? it->second.letra : it->second.fondo) = bgr;
    if (it->second.fondo == 0 && it->second.letra == 0)
        colores_.erase(it);
    AvisaCeldas(fila, col, fila, col);
}

void Grilla::DesplazaColores(int desdeFila, int delta) {
    if (colores_.empty())
        return;
    // The keys keep their order: rows from `desdeFila` on move together.
    std::map<std::uint64_t, Colores> nuevos;
    for (const auto& [clave, colores] : colores_) {
        int fila = int(clave >> 32);
        const int col = int(clave & 0xFFFFFFFFu);
        if (delta < 0 && fila == desdeFila + delta)
            continue; // the removed row
        if (fila >= desdeFila)
            fila += delta;
        nuevos.emplace_hint(nuevos.end(), Clave(fila, col), colores);
    }
    colores_.swap(nuevos);
}

void Grilla::QuitaColoresFilas(int desde, int hasta) {
    // Removing the last row of a long painted grid goes over that row's cells only.
    colores_.erase(colores_.lower_bound(Clave(desde, 0)), colores_.lower_bound(Clave(hasta, 0)));
}

void Grilla::QuitaColores(int filas, int cols) {
    std::erase_if(colores_, [&](const auto& par) {
        return int(par.first >> 32) >= filas || int(par.first & 0xFFFFFFFFu) >= cols;
    });
}

// ---- The control ----

void Grilla::setLeft(int t) {
    if (t != left_) {
        left_ = t;
        AvisaEstado();
    }
}

void Grilla::setTop(int t) {
    if (t != top_) {
        top_ = t;
        AvisaEstado();
    }
}

void Grilla::setWidth(int t) {
    if (t != ancho_) {
        ancho_ = t;
        AvisaEstado();
    }
}

void Grilla::setHeight(int t) {
    if (t != alto_) {
        alto_ = t;
        AvisaEstado();
        AjustaActual();
    }
}

void Grilla::setEnabled(bool h) {
    if (h != habilitada_) {
        habilitada_ = h;
        AvisaEstado();
    }
}

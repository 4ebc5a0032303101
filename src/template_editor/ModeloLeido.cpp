#include "ModeloLeido.h"

#include "ColumnasArticulos.h"

ModeloLeido::ModeloLeido(std::array<CajaTexto, 5>& campos, CasillaVerificacion& anclar, ListaCombo& tipos,
                         Grilla& lineas)
    : campos_(campos), anclar_(anclar), tipos_(tipos), lineas_(lineas) {}

void ModeloLeido::Olvida() {
    nombre_.clear();
    conContenido_ = false;
    vistos_.clear();
    lectura_ = {};
}

bool ModeloLeido::EsElNombre(const QString& nombre) const {
    return !nombre_.isEmpty() && nombre_.compare(nombre, Qt::CaseInsensitive) == 0;
}

quint64 ModeloLeido::Contenido() const {
    // What a save stores of the window, the name apart: the other header fields, the anchor box,
    // the voucher type and each filled line's article, quantity and unit, in order.
    quint64 h = 0;
    for (size_t i = 1; i < campos_.size(); ++i)
        h = AlmacenModelos::SigueHuella(h, campos_[i].Text().trimmed());
    h = AlmacenModelos::SigueHuella(h, anclar_.Value());
    h = AlmacenModelos::SigueHuella(h, tipos_.ListIndex());
    for (int fila = 1; fila < lineas_.Rows(); ++fila) {
        const QString codigo = lineas_.TextMatrix(fila, col::CodigoArticulo).trimmed();
        if (codigo.isEmpty())
            continue;
        h = AlmacenModelos::SigueHuella(h, codigo);
        h = AlmacenModelos::SigueHuella(h, lineas_.TextMatrix(fila, col::Cantidad).trimmed());
        h = AlmacenModelos::SigueHuella(h, lineas_.TextMatrix(fila, col::Unidad).trimmed());
    }
    return h;
}

void ModeloLeido::TomaContenido() {
    contenido_ = Contenido();
    conContenido_ = true;
}

bool ModeloLeido::HayCambios() const {
    return !conContenido_ || Contenido() != contenido_;
}

const AlmacenModelos::Huella* ModeloLeido::Visto(const QString& nombre) const {
    for (const NombreVisto& v : vistos_)
        if (v.nombre.compare(nombre, Qt::CaseInsensitive) == 0)
            return &v.huella;
    return nullptr;
}

void ModeloLeido::AnotaVisto(const QString& nombre, const AlmacenModelos::Huella& huella) {
    for (NombreVisto& v : vistos_)
        if (v.nombre.compare(nombre, Qt::CaseInsensitive) == 0) {
            v.huella = huella;
            return;
        }
    vistos_.push_back({nombre, huella});
}

void ModeloLeido::EmpiezaLectura(const Registros& cabecera) {
    lectura_ = {};
    lectura_.existe = true;
    lectura_.conFilas = true;
    lectura_.leidaEntera = false;
    lectura_.cabecera = AlmacenModelos::HuellaCabecera(cabecera);
}

void ModeloLeido::TerminaLectura(const QString& nombre) {
    AnotaVisto(nombre, lectura_);
    nombre_ = nombre;
    TomaContenido();
}

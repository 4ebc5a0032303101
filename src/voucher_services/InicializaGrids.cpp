#include "AccesoDatos.h"
#include "CajaTexto.h"
#include "ClsCmnCptesServicios.h"
#include "ColumnasArticulos.h"
#include "ColumnasOtrosConceptos.h"
#include "ColumnasTareas.h"
#include "ColumnasTotales.h"
#include "Configuracion.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Grilla.h"
#include "Recorte.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <initializer_list>

namespace {

bool EsSi(const QString& valor) {
    return valor.compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
}

bool Igual(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// Each word with a capital first letter and the rest small.
QString TipoTitulo(const QString& texto) {
    QString r = texto.toLower();
    bool inicio = true;
    for (QChar& c : r) {
        if (c.isSpace()) {
            inicio = true;
        } else if (inicio) {
            c = c.toUpper();
            inicio = false;
        }
    }
    return r;
}

// Width and title of the columns of one grid, in the units of the form that measures them.
class Disposicion {
public:
    Disposicion(Grilla& g, const MedidaTexto& medida) : g_(g), medida_(medida) {}

    // The form's width of n capital letters X.
    int X(int n) const { return medida_(QString(n, QLatin1Char('X'))); }
    int Medida(const QString& texto) const { return medida_(texto); }

    int W(int col) const { return g_.ColWidth(col); }
    void W(int col, int twips) const { g_.setColWidth(col, twips); }
    void Titulo(int col, const QString& titulo) const { g_.setTextArray(col, titulo); }
    void Columna(int col, int twips, const QString& titulo) const {
        W(col, twips);
        Titulo(col, titulo);
    }
    void Ocultas(std::initializer_list<int> cols) const {
        for (int c : cols)
            Columna(c, 0, {});
    }
    void OcultasDesde(int desde, int hasta) const {
        for (int c = desde; c <= hasta; ++c)
            Columna(c, 0, {});
    }

private:
    Grilla& g_;
    const MedidaTexto& medida_;
};

// The editor that belongs to a grid that is given: without it the layout cannot go on.
CajaTexto& EditorRequerido(CajaTexto* editor) {
    if (!editor)
        throw ErrorSistema(91, QStringLiteral("Variable de objeto o bloque With no establecido"),
                           QStringLiteral("InicializaGrids"));
    return *editor;
}

void DisponeGrillaTareas(Grilla& g, CajaTexto& editor, bool importesOcultos, const QString& tc,
                         const MedidaTexto& medida) {
    using namespace colTarea;
    const Disposicion d(g, medida);
    g.Clear();
    g.setRows(2);
    g.setCols(ColumnasGrillaTareas);
    d.Columna(Codigo, d.X(7), QStringLiteral("Código"));
    d.Columna(Descripcion, d.X(37), QStringLiteral("Descripción"));
    g.setColAlignment(Descripcion, Alineacion::IzquierdaCentro);
    d.Columna(Cantidad, d.X(7), QStringLiteral("Cantidad"));
    d.Columna(ValorHora, d.X(11), QStringLiteral("Importe"));
    d.Columna(Total, d.X(11), QStringLiteral("Total"));

    if (importesOcultos) {
        d.W(Descripcion, d.W(Descripcion) + d.W(ValorHora) + d.W(Total));
        d.W(ValorHora, 0);
        d.W(Total, 0);
    }
    // A work order without amounts shows no hours either.
    if (Igual(RecortaBlancos(tc), "OT") && importesOcultos) {
        d.W(Descripcion, d.W(Descripcion) + d.W(Cantidad));
        d.W(Cantidad, 0);
    }

    d.Columna(ImporteSinIva, 0, QStringLiteral("ImporteSinIVA"));
    d.Columna(ObservacionAdicional, 0, QStringLiteral("AuxObservAdic"));
    d.Columna(EsExento, 0, QStringLiteral("AuxEsExento"));
    d.Columna(FechaInicio, 0, QStringLiteral("AuxFechaInicio"));
    d.Columna(FechaFin, 0, QStringLiteral("AuxFechaFin"));
    d.Columna(IdTecnico, 0, QStringLiteral("AuxIdTecnico"));
    d.Columna(CodigoOriginal, 0, QStringLiteral("CodigoOriginal"));
    d.Columna(FechaRealInicio, 0, QStringLiteral("AuxFechaREALInicio"));
    d.Columna(FechaRealFin, 0, QStringLiteral("AuxFechaREALFin"));
    d.Columna(CuentaContable, 0, QStringLiteral("AuxCuentaContable"));
    d.Columna(Prioridad, 0, QStringLiteral("Prioridad"));
    d.Columna(Usuario, 0, QStringLiteral("Usuario"));
    d.Columna(TasaIva, 0, QStringLiteral("AuxTasaIVA"));
    d.Columna(FechaPresentacion, 0, QStringLiteral("AuxFhPresentacion"));
    d.Columna(FechaEmision, 0, QStringLiteral("AuxFhEmision"));
    d.Columna(NroExpediente, 0, QStringLiteral("AuxNroExp"));
    d.Columna(FechaEntrega, 0, QStringLiteral("AuxFhEntrega"));
    // Columns 21 and 22 belong to the voucher processes: the layout leaves them alone.

    g.Refresh();
    editor.setVisible(false);
}

void DisponeGrillaOtrosConceptos(Grilla& g, CajaTexto& editor, bool importesOcultos,
                                 const MedidaTexto& medida) {
    using namespace colOtroConcepto;
    const Disposicion d(g, medida);
    editor.setText(QString());
    g.Clear();
    g.setRows(2);
    g.setCols(ColumnasGrillaOtrosConceptos);
    d.Columna(Detalle, d.X(20), QStringLiteral("Detalle"));
    d.Columna(ImporteSinIva, d.X(8), QStringLiteral("Importe S/Iva"));
    d.Columna(Importe, d.X(8), QStringLiteral("Importe"));
    d.Columna(Cuenta, 0, QStringLiteral("Cuenta"));
    g.setColAlignment(Detalle, Alineacion::IzquierdaCentro);

    if (importesOcultos) {
        d.W(Detalle, d.W(Detalle) + d.W(ImporteSinIva) + d.W(Importe));
        d.W(ImporteSinIva, 0);
        d.W(Importe, 0);
    }
    d.Ocultas({Trabajo5, Trabajo4});
}

void DisponeGrillaTotales(Grilla& g, const MedidaTexto& medida) {
    const Disposicion d(g, medida);
    g.Clear();
    g.setRows(FilasGrillaTotales);
    g.setCols(ColumnasGrillaTotales);
    d.Columna(colTotal::Descripcion, d.X(50), QStringLiteral("Descripcion"));
    g.setColAlignment(colTotal::Descripcion, Alineacion::IzquierdaCentro);
    d.Columna(colTotal::Lineas, d.X(15), QStringLiteral("Cantidad ITEM'S"));
    d.Columna(colTotal::Cantidad, d.X(10), QStringLiteral("Cantidad"));
}

} // namespace

void ClsCmnCptesServicios::InicializaGrids(Grilla* MSFlexGrid1, Grilla* MSFlexGrid2, Grilla* MSFlexGrid3,
                                           CajaTexto* TxtEdit, CajaTexto* txtEdit2, CajaTexto* txtEdit3,
                                           const MedidaTexto& obj, const QString& TC, Grilla* MSFlexGrid4) {
    // The inputs are read even when no grid is given.
    const EntradasLayout e = LeeEntradasLayout(TC);
    if (MSFlexGrid1)
        DisponeGrillaTareas(*MSFlexGrid1, EditorRequerido(TxtEdit), e.importesOcultos, e.tc, obj);
    if (MSFlexGrid2)
        DisponeGrillaArticulos(*MSFlexGrid2, txtEdit2, e, obj);
    if (MSFlexGrid3)
        DisponeGrillaOtrosConceptos(*MSFlexGrid3, EditorRequerido(txtEdit3), e.importesOcultos, obj);
    // Its rows are written by the totals display.
    if (MSFlexGrid4)
        DisponeGrillaTotales(*MSFlexGrid4, obj);
}

ClsCmnCptesServicios::EntradasLayout ClsCmnCptesServicios::LeeEntradasLayout(const QString& TC) const {
    EntradasLayout e;
    e.tc = TC;

    const QString codigo = UT().RellenaCodigo(TC.trimmed(), 4);
    Registros rs;
    AD().ObtieneRecordset("SELECT SISTEMA FROM V_TA_CPTE with(nolock) WHERE CODIGO = " +
                              AD().FormateaValorSQL(codigo, QStringLiteral("'")),
                          rs);
    // A type without a row lays out as one without SISTEMA.
    if (!rs.Eof())
        e.sistema = UT().ValorCampo(rs.Fields(QStringLiteral("Sistema"))).toString().trimmed();
    AD().CierraRecordset(rs);

    e.columnaDeposito = EsSi(Cfg(QStringLiteral("PideDepositoEnCptes")));
    if (Igual(TC, "OP")) {
        e.importesOcultos = true;
    } else if (Igual(TC, "OT")) {
        e.importesOcultos = EsSi(Cfg(QStringLiteral("NoMostrarImportesEnOT")));
        e.columnaDeposito = false;
    } else if (Igual(TC, "PR")) {
        e.columnaDeposito = false;
    }

    QString titulo = Cfg(QStringLiteral("NombreArticulos"));
    if (titulo.trimmed().isEmpty())
        titulo = QStringLiteral("Código");
    e.tituloCodigo = TipoTitulo(titulo);

    e.maderera = e.EsSistema(QStringLiteral("VENTAS")) && gMaderera;
    return e;
}

// NOLINTNEXTLINE(readability-function-size): the system's list of the 101 article columns, in their order.
void ClsCmnCptesServicios::DisponeGrillaArticulos(Grilla& g, CajaTexto* editor, const EntradasLayout& e,
                                                  const MedidaTexto& medida) const {
    const Disposicion d(g, medida);
    const bool stock = e.EsSistema(QStringLiteral("STOCK"));
    const bool ventas = e.EsSistema(QStringLiteral("VENTAS"));

    // Columns, code and description.
    g.Clear();
    g.setRows(2);
    g.setCols(ColumnasGrillaArticulos);
    d.Columna(col::CodigoArticulo, d.X(15), e.tituloCodigo);
    g.setColAlignment(col::CodigoArticulo, Alineacion::IzquierdaCentro);
    d.Columna(col::Descripcion, stock ? d.X(39) : d.X(29), QStringLiteral("Descripción"));
    g.setColAlignment(col::Descripcion, Alineacion::IzquierdaCentro);

    // Price list per line.
    d.Columna(col::ListaPrecio, 0, QStringLiteral("Lista"));
    if (EsSi(Cfg(QStringLiteral("V_ListaPreciosPorItemArticulos"))) && ventas) {
        d.W(col::CodigoArticulo, d.W(col::CodigoArticulo) - d.X(1));
        d.W(col::Descripcion, d.W(col::Descripcion) - d.X(3));
        d.W(col::ListaPrecio, d.X(4));
    }

    // Units, quantity, deposit and amount.
    d.Columna(col::Unidad, d.X(4), QStringLiteral("UD"));
    d.Columna(col::Cantidad, d.X(6), QStringLiteral("Cant."));
    d.W(col::UnidadEquivalente, 0);
    d.W(col::CantidadEquivalente, 0);
    if (EsSi(Cfg(QStringLiteral("ConfirmaUDEquiv")))) {
        d.Columna(col::UnidadEquivalente, d.X(7), QStringLiteral("UDEquiv"));
        d.Columna(col::CantidadEquivalente, d.X(9), QStringLiteral("Cant. Equiv"));
    }
    d.Columna(col::Deposito, e.columnaDeposito ? d.X(4) : 0, QStringLiteral("Dep."));
    d.Columna(col::Importe, d.X(11), QStringLiteral("Importe"));

    // Discount per line.
    if (stock) {
        d.Columna(col::PorcentajeDescuento, 0, {});
    } else {
        d.Columna(col::PorcentajeDescuento, 0, QStringLiteral("% Dto."));
        const auto haceLugar = [&] {
            d.W(col::Importe, d.W(col::Importe) - d.X(1));
            d.W(col::CodigoArticulo, d.W(col::CodigoArticulo) - d.X(1));
            d.W(col::Descripcion, d.W(col::Descripcion) - d.X(3));
            d.W(col::PorcentajeDescuento, d.X(5));
        };
        if (EsSi(Cfg(QStringLiteral("V_DescuentoPorArticulos"))) && ventas)
            haceLugar();
        if (e.EsSistema(QStringLiteral("Compras")) &&
            EsSi(Cfg(QStringLiteral("ComprasDescuentoPorArticulo")).trimmed()))
            haceLugar();
    }

    // Totals.
    d.Columna(col::Total, 0, QStringLiteral("Total"));
    if (stock)
        d.Columna(col::TotalLinea, 0, {});
    else
        d.Columna(col::TotalLinea, d.X(10), QStringLiteral("TOTAL"));

    // Hidden amounts give their room to the description.
    if (e.importesOcultos) {
        d.W(col::Descripcion,
            d.W(col::Descripcion) + d.W(col::Importe) + d.W(col::Total) + d.W(col::TotalLinea));
        d.W(col::Importe, 0);
        d.W(col::Total, 0);
        d.W(col::TotalLinea, 0);
    }

    d.Columna(col::EsExento, 0, QStringLiteral("AuxEsExento"));
    d.Columna(col::PrecioSinIva, 0, QStringLiteral("AuxPrecioSinIVA"));

    // Taxes.
    if (!stock) {
        d.Columna(col::Impuestos, d.X(10), QStringLiteral("Impuestos"));
        d.Columna(col::Itc, EsSi(Cfg(QStringLiteral("TransporteCombustibles"))) ? d.X(10) : 0,
                  QStringLiteral("ITC"));
    } else {
        d.Columna(col::Impuestos, 0, {});
        // No fuel-transport tax on stock vouchers: the untitled column stays hidden.
        d.W(col::Itc, 0);
    }

    // Flags of the article (their titles are cleared again below).
    d.Columna(col::PideSerie, 0, QStringLiteral("AuxPideSerie"));
    d.Columna(col::PideLote, 0, QStringLiteral("AuxPidelote"));
    d.Columna(col::EsPerecedero, 0, QStringLiteral("Auxesperecedero"));
    d.Columna(col::PideTalle, 0, QStringLiteral("AuxPideTalle"));
    d.Columna(col::PideEquivalencia, 0, QStringLiteral("AuxPideEquivalencia"));
    d.Columna(col::InsumosPorPorcentaje, 0, QStringLiteral("Aux_InsumosPorPorcentaje"));
    d.Columna(col::MotivoStock, 0, QStringLiteral("MotivoStock"));
    d.Columna(col::ControladoPor, 0, QStringLiteral("ControladoPor"));

    // Lots and serials.
    if (Igual(e.tc, "DVPE")) {
        d.Columna(col::ListaCantidades, d.Medida(QStringLiteral("Nro. de Serie")),
                  QStringLiteral("Nro. Serie"));
        d.Columna(col::ListaLotes, d.Medida(QStringLiteral("Nro. de Lote")), QStringLiteral("Nro. Lote"));
    } else {
        d.Columna(col::ListaCantidades, 0, QStringLiteral("AuxNroSerie"));
        d.Columna(col::ListaLotes, 0, QStringLiteral("AuxNroLote"));
    }
    d.Columna(col::RestoPorAplicar, 0, QStringLiteral("AuxRestoPorAplicar"));

    // Stock vouchers carry no amounts: their room goes to the description, and unit and
    // quantity get wider.
    if (stock) {
        d.W(col::Descripcion, d.W(col::Descripcion) + d.W(col::Importe) - 480);
        d.W(col::Importe, 0);
        d.W(col::Descripcion, d.W(col::Descripcion) + d.W(col::Total));
        d.W(col::Total, 0);
        d.W(col::Unidad, d.W(col::Unidad) + d.Medida(QStringLiteral("XXXX")));
        d.W(col::Cantidad, d.W(col::Cantidad) + d.Medida(QStringLiteral("XXXXXXX")));
    }

    d.Columna(col::RubroArticulo, 0, QStringLiteral("AuxRubroArticulo"));
    d.Columna(col::TipoArticulo, 0, QStringLiteral("AuxTipoArticulo"));
    d.Columna(col::ListaConIva, 0, QStringLiteral("AuxListaConIVA"));
    d.Columna(col::PrecioConIva, 0, QStringLiteral("AuxPrecioConIVA"));
    d.Columna(col::CantidadInsumo, 0, QStringLiteral("AuxCantidadInsumo"));
    d.Columna(col::ImporteDescuento, 0, QStringLiteral("AuxImporteDescuentoArticulo"));
    d.Columna(col::TipoCoeficiente, 0, QStringLiteral("AuxTipoCoeficiente"));
    d.Columna(col::Coeficiente, 0, QStringLiteral("AuxCoeficiente"));
    d.Columna(col::StockDisponible, 0, QStringLiteral("AuxStockDisponible"));
    d.Columna(col::StockMinimo, 0, QStringLiteral("AuxStockMinimo"));
    d.Columna(col::Iva, d.X(10), QStringLiteral("IVA"));
    d.Columna(col::CpteOrigen, 0, QStringLiteral("AuxCpteOrigen"));
    d.Columna(col::IdCpteOrigen, 0, QStringLiteral("AuxIdCpteOrigen"));
    d.Columna(col::CodigoPercepcion, 0, QStringLiteral("AuxCodigoPercepcion"));
    d.Columna(col::LoteOrigen, 0, QStringLiteral("Lote_Origen"));
    d.Columna(col::LoteAduana, 0, QStringLiteral("Lote_Aduana"));

    d.Ocultas({col::Costo, col::CuentaContable});
    d.OcultasDesde(col::UnidadBase, col::PideTalle);
    d.Ocultas({col::InsumosPorPorcentaje, col::MotivoStock, col::ControladoPor, col::PideEquivalencia});
    d.Columna(col::CantidadBultos, d.Medida(QStringLiteral("XXXXX")), QStringLiteral("Bl/Pq"));
    d.Columna(col::CodProveedor, d.Medida(QStringLiteral("XXXXXXXXXXX")), QStringLiteral("Cod.Proveedor"));
    d.Ocultas({col::CantidadM3});
    d.OcultasDesde(col::CantidadKg, col::UnidadOriginal);
    d.OcultasDesde(col::SucNroLetraOrigen, col::Reservado82);

    // Timber measures.
    if (e.maderera) {
        d.Columna(col::Espesor, d.Medida(QStringLiteral("XXXXXXX")), QStringLiteral("Espesor"));
        d.Columna(col::Ancho, d.Medida(QStringLiteral("XXXXXXX")), QStringLiteral("Ancho"));
        d.Columna(col::Largo, d.Medida(QStringLiteral("XXXXXXX")), QStringLiteral("Largo"));
        d.Columna(col::UnidadPrecio, d.Medida(QStringLiteral("XXXX")), QStringLiteral("UD"));
        d.Columna(col::ImporteUnidad, d.Medida(QStringLiteral("XXXXXXXXX")), QStringLiteral("Importe"));
        d.W(col::Importe, 0);
        d.Titulo(col::MetrosMadera, QStringLiteral("ML/M2"));
        d.W(col::MetrosMadera, d.X(10));
    } else {
        d.W(col::Espesor, 0);
        d.W(col::Ancho, 0);
        d.W(col::UnidadPrecio, 0);
        d.W(col::ImporteUnidad, 0);
    }

    d.Columna(col::PideMedidas, 0, QStringLiteral("PideMedidas"));
    d.Columna(col::LargoAnterior, 0, QStringLiteral("LargoAnt"));
    d.Columna(col::Oferta, 0, {});
    d.Columna(col::EnComodato, 0, QStringLiteral("EnComodato"));
    d.Columna(col::MkBaseFamilia, 0, QStringLiteral("MKBaseFamilia"));
    d.Columna(col::CodError, 0, QStringLiteral("CodError"));
    d.Columna(col::Moneda, 0, QStringLiteral("Moneda"));
    d.Columna(col::Cotizacion, 0, QStringLiteral("Cotizacion"));
    d.Columna(col::SecuenciaOrigen, 0, QStringLiteral("AuxSecuenciaOrigen"));
    d.Columna(col::RedondeoLinea, 0, QStringLiteral("AuxRedondeoLinea"));
    d.Columna(col::ColorDefault, 0, QStringLiteral("ColorDefault"));
    d.Columna(col::SexoDefault, 0, QStringLiteral("SexoDefault"));

    // No column but the code is wider than the grid can show. A grid without room for any
    // column (not laid out on a form yet) is left as it is.
    const int limite = g.Width() - 400;
    if (limite > 0) {
        for (int c = 1; c < g.Cols(); ++c)
            if (d.W(c) > limite)
                d.W(c, limite);
    }

    g.Refresh();
    if (editor)
        editor->setVisible(false);
}

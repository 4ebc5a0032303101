#include "FrmLoteyPosicion.h"

#include "AccesoDatos.h"
#include "CantidadesLinea.h"
#include "ClsCmnCptesLotes.h"
#include "Globales.h"
#include "NivelesLayout.h"
#include "Regional.h"
#include "Registros.h"
#include "Stock.h"
#include "Utilidades.h"

#include <QHash>
#include <algorithm>
#include <optional>

namespace {

constexpr int kPosicion = 0;
constexpr int kLote = 1;
constexpr int kUnidad = 2;
constexpr int kDisponible = 3;
constexpr int kCantidad = 4;

const QString kTitulo = QStringLiteral("Aviso al Operador");
const QString kTituloPregunta = QStringLiteral("Aviso al Operador!!!");

QString Texto(double valor) {
    return Regional::TextoNumero(valor);
}

} // namespace

FrmLoteyPosicion::Modo FrmLoteyPosicion::ModoDe(bool posicion, bool lote) {
    if (posicion)
        return lote ? Modo::PosicionYLote : Modo::Posicion;
    return lote ? Modo::Lote : Modo::Ninguno;
}

FrmLoteyPosicion::FrmLoteyPosicion()
    : DialogoLinea(QStringLiteral("FrmLoteyPosicion"), QStringLiteral("Posiciones"),
                   QStringLiteral("&Aceptar"),
                   EdicionLineas::Reglas{
                       .esCantidad = [](int col) { return col == kCantidad; },
                       .editable = [](int col) { return col == kCantidad; },
                       .propiedadesPrimero = false,
                       .enter = {},
                       .saltaColumnaFija = false,
                       .campoValida = {},
                       .reportaError = {},
                   }) {
    // Every column can be made current; only the quantity column opens the editor.
    MSFlexGrid1.setFixedCols(0);
    lblArticulo.setCaption(QStringLiteral("Artículo-Descripción"));
    Toolbar1[0].setToolTipText(QStringLiteral("Llenar las demas celdas con el valor de las seleccionadas"));
    Toolbar1[1].setToolTipText(QStringLiteral("Blanquear las Celdas a partir de la celda seleccionada"));
    Toolbar1[2].setToolTipText(QStringLiteral("Proponer Automaticamente"));
}

void FrmLoteyPosicion::CargaDatos(const Entrada& entrada) {
    entrada_ = entrada;
    resultado_ = {QString(), QString(), entrada.Cantidad1};
    const QString& dep = entrada_.Deposito;
    LlenaDialogo({
        [&] {
            if (EsPosicionYLote())
                Caption = "Posiciones y Lotes (Deposito: " + dep + ")";
            else if (EsPosicion())
                Caption = "Posiciones (Deposito: " + dep + ")";
            else if (EsLote())
                Caption = "Números de Lote (Deposito: " + dep + ")";
        },
        [&] { lblArticulo.setCaption(TextoPropio(entrada_.ArticuloDescripcion)); },
        [&] { InicializaGrid(); },
        [&] { VerificaAnteriores(); },
        [&] { MueveCelda(MSFlexGrid1.Rows() - 1, kCantidad); },
        [&] { AjustaAnchoColumnas(); },
    });
}

void FrmLoteyPosicion::InicializaGrid() {
    Grilla& g = MSFlexGrid1;
    g.Clear();
    g.setCols(5);
    g.setRows(1);
    filaDeposito_ = 0;
    if (!EsPosicion())
        return;
    const QStringList titulos = {QStringLiteral("POSICION"), EsLote() ? QStringLiteral("LOTE") : QString(),
                                 QStringLiteral("UNIDAD"), QStringLiteral("DISPONIBLE"),
                                 QStringLiteral("CANT.")};
    for (int c = 0; c < titulos.size(); ++c)
        g.setTextMatrix(0, c, titulos[c]);
    g.setColAlignment(kPosicion, Alineacion::IzquierdaAbajo);
    g.setColAlignment(kLote, Alineacion::IzquierdaAbajo);
    if (!EsLote())
        g.setColWidth(kLote, 0);
}

QString FrmLoteyPosicion::SqlSaldos(bool conLotes, const QString& dep, const QString& art) {
    const QString columnas =
        conLotes ? QStringLiteral("SELECT AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.nrolote,"
                                  "AC_SALDOSLAYOUT.idunidadbase, ")
                 : QStringLiteral("SELECT AC_SALDOSLAYOUT.idposicion,AC_SALDOSLAYOUT.idunidadbase, ");
    return columnas +
           "isnull(AC_SALDOSLAYOUT.saldo,0) as disponible FROM AC_SALDOSLAYOUT, ma_posiciones WHERE  "
           "ac_saldoslayout.iddeposito=ma_posiciones.iddeposito and "
           "ac_saldoslayout.idposicion=ma_posiciones.idposicion and  ac_saldoslayout.IDDEPOSITO=" +
           LiteralSql(dep) + " and ac_saldoslayout.idarticulo=" + LiteralSql(art) +
           " and ac_saldoslayout.saldo > 0 order by "
           "ac_saldoslayout.nrolote,ma_posiciones.ordeningreso,ac_saldoslayout.idposicion  ";
}

QString FrmLoteyPosicion::SqlSaldoDeposito(const QString& dep, const QString& art) {
    return "SELECT (ISNULL(SALDO,0)) AS SALDO FROM AC_SALDOSLAYOUT WHERE IDDEPOSITO=" + LiteralSql(dep) +
           " AND IDARTICULO=" + LiteralSql(art) + " and idposicion is null";
}

void FrmLoteyPosicion::VerificaAnteriores() {
    const bool conLotes = EsPosicionYLote();
    if (!EsPosicion() && !entrada_.EsConsultaDePosicionLote())
        return;
    // Every row converts the same article between the same few units: ask once for each.
    const MemoriaEquivalencias memoria;
    const QString dep = UT().RellenaCodigo(entrada_.Deposito, 4);
    const QString art = UT().RellenaCodigo(entrada_.Articulo, 25);
    Registros rs;
    AD().ObtieneRecordset(SqlSaldos(conLotes, dep, art), rs);
    const auto campo = [&](const char* nombre) {
        return UT().ValorATexto(UT().ValorCampo(rs.Fields(QLatin1String(nombre)))).trimmed();
    };
    // Painted once, also when a failure ends the load half-way.
    const SinRedibujo sinRedibujo(MSFlexGrid1);
    while (rs.State() == 1 && !rs.Eof()) {
        const double disponible = UT().TextoADoble(UT().ValorCampo(rs.Fields(QStringLiteral("disponible"))));
        AgregaFila(campo("idposicion"), conLotes ? campo("nrolote") : QString(),
                   EnUnidadLinea(entrada_.Articulo, UT().RellenaCodigo(campo("idunidadbase"), 4), disponible,
                                 entrada_.IUNIDAD),
                   conLotes ? QStringLiteral("0") : QString());
        rs.MoveNext();
    }
    AD().CierraRecordset(rs);
    AgregaFilaDeposito(dep, art);
    if (entrada_.EsConsultaDePosicionLote())
        RestauraAnteriores();
    else
        DistribuyeCantidad();
}

void FrmLoteyPosicion::AgregaFila(const QString& posicion, const QString& lote, double disponible,
                                  const QString& cantidad) {
    Grilla& g = MSFlexGrid1;
    const int f = g.Rows();
    g.setRows(f + 1);
    g.setTextMatrix(f, kPosicion, posicion);
    g.setTextMatrix(f, kLote, lote);
    g.setTextMatrix(f, kUnidad, entrada_.IUNIDAD);
    g.setTextMatrix(f, kDisponible, Texto(disponible));
    g.setTextMatrix(f, kCantidad, cantidad);
}

void FrmLoteyPosicion::AgregaFilaDeposito(const QString& dep, const QString& art) {
    Registros rs;
    AD().ObtieneRecordset(SqlSaldoDeposito(dep, art), rs);
    if (rs.State() == 1 && !rs.Eof()) {
        // In the line's unit like every other row, so that a typed quantity compares with it.
        const double saldo = UT().TextoADoble(UT().ValorCampo(rs.Fields(QStringLiteral("SALDO"))));
        AgregaFila("DEPOSITO " + entrada_.Deposito, QString(),
                   EnUnidadLinea(entrada_.Articulo, QString(), saldo, entrada_.IUNIDAD), QStringLiteral("0"));
        MSFlexGrid1.setTextMatrix(MSFlexGrid1.Rows() - 1, kUnidad, QString());
        filaDeposito_ = MSFlexGrid1.Rows() - 1;
    }
    AD().CierraRecordset(rs);
}

void FrmLoteyPosicion::RestauraAnteriores() {
    QStringList posiciones, cantidades, lotes;
    ClsCmnCptesLotes::EjecutaProtegido(QStringLiteral("Cuenta_Series_Y_Lotes%"), {[&] {
                                           ClsCmnCptesLotes::DescomponePosicionCantidadLote(
                                               entrada_.PosicionesAnteriores, entrada_.LotesAnteriores,
                                               posiciones, cantidades, lotes);
                                       }});
    const bool conLotes = EsPosicionYLote();
    Grilla& g = MSFlexGrid1;
    // Entries name their rows by position (and lot); the first row of each name takes it.
    QHash<QString, int> filas;
    for (int f = g.Rows() - 1; f >= 1; --f) {
        if (EsFilaDeposito(f))
            continue;
        QString clave = g.TextMatrix(f, kPosicion).toCaseFolded();
        if (conLotes)
            clave += QChar(0) + g.TextMatrix(f, kLote).toCaseFolded();
        filas.insert(clave, f);
    }
    const qsizetype entradas = std::min(posiciones.size(), cantidades.size()) - 1;
    for (qsizetype k = 0; k < entradas; ++k) {
        // The lots list runs parallel to the positions: without a lot the rest cannot be placed.
        if (conLotes && k >= lotes.size())
            break;
        int fila = 0;
        if (posiciones[k].isEmpty()) {
            fila = filaDeposito_;
        } else {
            QString clave = posiciones[k].toCaseFolded();
            if (conLotes)
                clave += QChar(0) + lotes[k].toCaseFolded();
            fila = filas.value(clave, 0);
        }
        if (fila > 0)
            g.setTextMatrix(fila, kCantidad, cantidades[k]);
    }
}

void FrmLoteyPosicion::DistribuyeCantidad() {
    Grilla& g = MSFlexGrid1;
    if (g.Rows() == 2) {
        g.setTextMatrix(1, kCantidad, Texto(resultado_.Cantidad1));
        return;
    }
    // The total of the column is kept as rows change, so that the walk stays linear.
    double total = SumaFilas(-1);
    double resto = resultado_.Cantidad1;
    for (int f = 1; f < g.Rows() && Redondea4(resto) != 0; ++f) {
        const double actual = NumeroCelda(g, f, kCantidad);
        const double pedido = resto + actual;
        const double disponible = NumeroCelda(g, f, kDisponible);
        const double nuevo = Redondea4(pedido) <= Redondea4(disponible) ? pedido : disponible;
        g.setTextMatrix(f, kCantidad, Texto(nuevo));
        total += UT().TextoADoble(g.TextMatrix(f, kCantidad)) - actual;
        resto = nuevo == pedido ? 0 : Redondea4(resultado_.Cantidad1 - total);
    }
}

double FrmLoteyPosicion::SumaFilas(int MenosCual) {
    double suma = 0;
    ClsCmnCptesLotes::EjecutaProtegido(QStringLiteral("SumaFilas#"),
                                       {[&] { suma = Edicion().SumaFilas(kCantidad, MenosCual); }});
    return suma;
}

bool FrmLoteyPosicion::ValidaCantidadCantidadPedida() {
    bool iguales = false;
    ClsCmnCptesLotes::EjecutaProtegido(
        QString(), {[&] { iguales = Redondea4(SumaFilas(-1)) == Redondea4(resultado_.Cantidad1); }});
    return iguales;
}

void FrmLoteyPosicion::CampoValida(CajaTexto& Texto) {
    campoInvalido_ = false;
    const QString texto = Texto.Text().trimmed();
    if (Texto.DataField().trimmed().compare(QLatin1String("Cantidad"), Qt::CaseInsensitive) != 0)
        return;
    const auto rechaza = [&](const QString& mensaje) {
        interaccion().MsgBox(mensaje, Estilo::Critico, kTitulo);
        campoInvalido_ = true;
    };
    if (UT().TextoADoble(texto) < 0) {
        rechaza(QStringLiteral("La Cantidad no puede ser Menor a Cero"));
        return;
    }
    std::optional<double> valor;
    const bool sigue = ClsCmnCptesLotes::EjecutaProtegido(QStringLiteral("CampoValida"),
                                                          {[&] { valor = LeeCantidadEscrita(texto); }});
    // A text that is no number never reaches the cell, whatever the answer was.
    if (!sigue || !valor) {
        campoInvalido_ = true;
        return;
    }
    if (Redondea4(*valor) > Redondea4(NumeroCelda(MSFlexGrid1, MSFlexGrid1.Row(), kDisponible)))
        rechaza(QStringLiteral("No hay disponible para esa posicion"));
}

void FrmLoteyPosicion::CmdAceptar_Click() {
    // What is being typed is part of what is accepted.
    if (!Edicion().TerminaEdicion())
        return;
    if (!ValidaCantidadCantidadPedida()) {
        const double total = SumaFilas(-1);
        const bool supera = Redondea4(total) > Redondea4(resultado_.Cantidad1);
        if (!supera && !entrada_.MostrarForm) {
            interaccion().MsgBox(
                QStringLiteral("La suma de cantidades informadas es Menor a la cantidad solicitada "),
                Estilo::Informacion, kTituloPregunta);
            return;
        }
        const QString primera = supera ? QStringLiteral("La suma de las cantidades Informadas, supera a la "
                                                        "solicitada en el Formulario de Carga de Datos")
                                       : QStringLiteral("La suma de las cantidades Informadas, Es Menor a la "
                                                        "solicitada en el Formulario de Carga de Datos");
        const int r = interaccion().MsgBox(
            primera + "\r\n" + QStringLiteral("¿Desea Ajustar la Cantidad Solicitada en el Formulario?"),
            Estilo::SiNo + Estilo::Pregunta, kTituloPregunta);
        if (r != Respuesta::Si) {
            interaccion().MsgBox("Debe Ajustar la suma de las cantidades a :" + Texto(resultado_.Cantidad1),
                                 Estilo::Critico, kTitulo);
            return;
        }
        resultado_.Cantidad1 = SumaFilas(-1);
    }
    if (EsPosicionYLote()) {
        resultado_.Posiciones = Lista(kPosicion);
        resultado_.Lotes = Lista(kLote);
    } else if (EsPosicion()) {
        resultado_.Posiciones = Lista(kPosicion);
    }
    Oculta();
}

QString FrmLoteyPosicion::Lista(int columna) const {
    const Grilla& g = MSFlexGrid1;
    QString lista = QStringLiteral("|");
    for (int f = 1; f < g.Rows(); ++f) {
        const QString q = g.TextMatrix(f, kCantidad).trimmed();
        if (q.isEmpty() || q == QLatin1String("0"))
            continue;
        // The deposit row stands for the stock without position and without lot.
        const QString valor = EsFilaDeposito(f) ? QString() : g.TextMatrix(f, columna).trimmed();
        lista += columna == kPosicion ? valor + "*" + q + "|" : valor + "|";
    }
    return lista;
}

void FrmLoteyPosicion::CompletaTodoIgual() {
    Edicion().CompletaTodoIgual(kUnidad);
}

void FrmLoteyPosicion::Toolbar1_ButtonClick(int indice) {
    Grilla& g = MSFlexGrid1;
    EdicionLineas& edicion = Edicion();
    // What the commands write is not checked; what the user is typing is, before any of them.
    if (!edicion.TerminaEdicion())
        return;
    if (indice == 1 && g.Col() == kCantidad) {
        edicion.LlenaHaciaAbajo();
    } else if (indice == 2 && g.Col() == kCantidad) {
        edicion.BlanqueaHaciaAbajo(QStringLiteral("0"), kCantidad);
    } else if (indice == 3) {
        g.setRow(0);
        edicion.BlanqueaHaciaAbajo(QStringLiteral("0"), kCantidad);
        DistribuyeCantidad();
        MueveCelda(g.Rows() - 1, kCantidad);
    }
}

// ---- Cell editing ----

// Enter on the quantity goes down the column; on the last row to Aceptar.
void FrmLoteyPosicion::Enter() {
    Grilla& g = MSFlexGrid1;
    if (g.Col() == kCantidad) {
        if (g.Row() < g.Rows() - 1)
            Edicion().EjecutaPaso([&] { MueveCelda(g.Row() + 1, g.Col()); });
        else
            Edicion().EjecutaPaso([&] { Foco().SetFocus(QStringLiteral("CmdAceptar")); });
        if (EsPosicionYLote())
            Edicion().EjecutaPaso([&] { MueveCelda(g.Row(), kCantidad); });
    } else if (EsPosicionYLote()) {
        Edicion().EjecutaPaso([&] { MueveCelda(g.Row(), g.Col() + 1); });
    }
}

#include "FrmPosicionConsulta.h"

#include "AccesoDatos.h"
#include "CantidadesLinea.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "NivelesLayout.h"
#include "PosicionesArticulo.h"
#include "Regional.h"
#include "Registros.h"
#include "Stock.h"
#include "Utilidades.h"

#include <QHash>
#include <algorithm>

namespace {

constexpr int kPosicion = 0;
constexpr int kDescripcion = 1;
constexpr int kOrden = 2;
constexpr int kUnidad = 3;
constexpr int kCapacidad = 4;
constexpr int kDisponible = 5;

QString Campo(const Registros& rs, const char* nombre, bool recorta = true) {
    const QString texto = UT().ValorATexto(UT().ValorCampo(rs.Fields(QLatin1String(nombre))));
    return recorta ? texto.trimmed() : texto;
}

double CampoNumero(const Registros& rs, const char* nombre) {
    return UT().TextoADoble(UT().ValorCampo(rs.Fields(QLatin1String(nombre))));
}

// Moves the rows that hold a position up, in their order, and drops the rest at once: removing
// the empty ones one by one would shift the rows below each time.
void QuitaFilasVacias(Grilla& g) {
    const SinRedibujo sinRedibujo(g);
    int destino = 1;
    for (int f = 1; f < g.Rows(); ++f) {
        if (g.TextMatrix(f, kPosicion).isEmpty())
            continue;
        if (f != destino)
            for (int c = 0; c < g.Cols(); ++c)
                g.setTextMatrix(destino, c, g.TextMatrix(f, c));
        ++destino;
    }
    g.setRows(destino);
}

} // namespace

FrmPosicionConsulta::FrmPosicionConsulta()
    : DialogoLinea(QStringLiteral("FrmPosicionConsulta"), QStringLiteral("Posiciones"),
                   QStringLiteral("&Aceptar"),
                   EdicionLineas::Reglas{
                       .esCantidad = {},
                       .editable = [](int col) { return col == kOrden || col == kCapacidad; },
                       .propiedadesPrimero = false,
                       .enter = {},
                       .saltaColumnaFija = false,
                       .campoValida = {},
                       .reportaError = {},
                   }) {
    MSFlexGrid1.setFixedCols(0);
}

void FrmPosicionConsulta::CargaDatos(const Entrada& entrada) {
    entrada_ = entrada;
    resultado_ = {};
    LlenaDialogo({
        [&] { Caption = "Posiciones (Deposito: " + entrada_.Deposito + ")"; },
        [&] { lblArticulo.setCaption(TextoPropio(entrada_.ArticuloDescripcion)); },
        [&] { InicializaGrid(); },
        [&] { VerificaAnteriores(); },
        [&] { MueveCelda(MSFlexGrid1.Rows() - 1, 0); },
        [&] { AjustaAnchoColumnas(); },
    });
}

void FrmPosicionConsulta::InicializaGrid() {
    Grilla& g = MSFlexGrid1;
    g.Clear();
    g.setCols(6);
    g.setRows(1);
    const QStringList titulos = {QStringLiteral("POSICION"),      QStringLiteral("DESCRIPCION"),
                                 QStringLiteral("ORDEN INGRESO"), QStringLiteral("UNIDAD"),
                                 QStringLiteral("CAPACIDAD"),     QStringLiteral("DISPONIBLE")};
    for (int c = 0; c < titulos.size(); ++c)
        g.setTextMatrix(0, c, titulos[c]);
}

QString FrmPosicionConsulta::SqlSaldos(const QString& deposito, const QString& articulo) {
    return "SELECT MA_POSICIONES.idposicion,MA_POSICIONES.descripcion,MA_POSICIONES.ORDENINGRESO,"
           "isnull(MA_POSICIONES.idunidad,0) as idunidad,isnull(MA_POSICIONES.CAPACIDAD,0)as capacidad,"
           "AC_SALDOSLAYOUT.idunidadBASE, isnull(AC_SALDOSLAYOUT.saldo,0) as Saldo FROM AC_SALDOSLAYOUT, "
           "ma_posiciones WHERE  ac_saldoslayout.iddeposito=ma_posiciones.iddeposito and "
           "ac_saldoslayout.idposicion=ma_posiciones.idposicion and  ac_saldoslayout.IDDEPOSITO=" +
           LiteralSql(deposito) + " and ac_saldoslayout.IDarticulo=" + LiteralSql(articulo) +
           " order by ma_posiciones.ordeningreso,ac_saldoslayout.idposicion ";
}

// The balances of the article in the deposit are read once and kept where their position is a
// candidate: a condition naming every candidate would grow with them, and the database refuses
// one of a thousand terms. Rows follow the candidates' order: each candidate has its row, found
// by its code as the database compares codes.
void FrmPosicionConsulta::VerificaAnteriores() {
    // Every row converts the same article between the same few units: ask once for each.
    const MemoriaEquivalencias memoria;
    const QString dep = UT().RellenaCodigo(entrada_.Deposito, 4);
    const auto reporta = [](const ErrorSistema& e) {
        return UT().RegistraErrorFormulario(e, QStringLiteral("VerificaAnteriores"));
    };
    Grilla& g = MSFlexGrid1;
    QStringList candidatas;
    QHash<QString, int> filas;
    Registros rs;
    bool sigue = EjecutaPasos(
        {
            [&] { ObtienePosicionesArticulo(entrada_.Articulo, dep, candidatas, QString()); },
            [&] {
                // The last slot is the array's empty end, no candidate.
                for (int i = 0; i + 1 < candidatas.size(); ++i)
                    filas.insert(ClaveTexto(candidatas[i]), i + 1);
            },
            [&] { AD().ObtieneRecordset(SqlSaldos(dep, UT().RellenaCodigo(entrada_.Articulo, 25)), rs); },
            [&] {
                if (rs.State() == 1 && !rs.Eof())
                    g.setRows(int(candidatas.size()) + 1);
            },
        },
        reporta);
    while (sigue && rs.State() == 1 && !rs.Eof())
        sigue =
            EjecutaPasos({[&] { EscribeSaldo(rs, filas.value(ClaveTexto(Campo(rs, "idposicion", false)))); },
                          [&] { rs.MoveNext(); }},
                         reporta);
    AD().CierraRecordset(rs);
    // Candidates without a balance leave their rows empty; they go, also when the load was left.
    QuitaFilasVacias(g);
}

// The balance record's position on its candidate's row (0: not a candidate), in the line's unit.
void FrmPosicionConsulta::EscribeSaldo(const Registros& rs, int fila) {
    if (fila <= 0)
        return;
    Grilla& g = MSFlexGrid1;
    const Entrada& e = entrada_;
    const double capacidad =
        EnUnidadLinea(e.Articulo, Campo(rs, "idunidad"), CampoNumero(rs, "capacidad"), e.IUNIDAD);
    const double saldo =
        EnUnidadLinea(e.Articulo, Campo(rs, "idunidadBASE"), CampoNumero(rs, "Saldo"), e.IUNIDAD);
    g.setTextMatrix(fila, kPosicion, Campo(rs, "idposicion"));
    g.setTextMatrix(fila, kDescripcion, Campo(rs, "descripcion"));
    g.setTextMatrix(fila, kOrden, Campo(rs, "ORDENINGRESO"));
    g.setTextMatrix(fila, kUnidad, e.IUNIDAD);
    g.setTextMatrix(fila, kCapacidad, Regional::TextoNumero(capacidad));
    g.setTextMatrix(fila, kDisponible, Regional::TextoNumero(NumeroCelda(g, fila, kCapacidad) - saldo));
}

void FrmPosicionConsulta::CmdAceptar_Click() {
    // A capacity being typed counts, as it would after Enter.
    if (!Edicion().TerminaEdicion())
        return;
    Grilla& g = MSFlexGrid1;
    const int fila = g.Row();
    // With no data row current there is nothing to choose.
    if (fila < 1 || fila >= g.Rows()) {
        resultado_.iPosicionDevuelta.clear();
        Oculta();
        return;
    }
    const double disponible = NumeroCelda(g, fila, kDisponible);
    if (NumeroCelda(g, fila, kCapacidad) != 0 && Redondea4(disponible) < Redondea4(entrada_.Cantidad1)) {
        interaccion().MsgBox(QStringLiteral("No puede asignarle a esa posicion") + "\r\n" +
                                 "Ahi puede asignar solamente " + Regional::TextoNumero(disponible) + " " +
                                 entrada_.IUNIDAD,
                             Estilo::Exclamacion, QString());
        return;
    }
    resultado_.iPosicionDevuelta = g.TextMatrix(fila, kPosicion);
    Oculta();
}

void FrmPosicionConsulta::CmdCancelar_Click() {
    resultado_.iPosicionDevuelta.clear();
    DialogoLinea::CmdCancelar_Click();
}

// ---- Cell editing ----

void FrmPosicionConsulta::CampoValida(CajaTexto& Texto) {
    campoInvalido_ = false;
    if (MSFlexGrid1.Row() == 1)
        MSFlexGrid1.setText(EdicionLineas::TextoCelda(Texto.Text().trimmed()));
    // Hidden, so that the commit of the key that ended the edit writes nothing on other rows.
    Texto.setVisible(false);
}

// Enter moves one column right; on the last column down it, and from the last row to Aceptar.
void FrmPosicionConsulta::Enter() {
    Grilla& g = MSFlexGrid1;
    Edicion().EjecutaPaso([&] {
        if (g.Col() != kDisponible)
            MueveCelda(g.Row(), g.Col() + 1);
        else if (g.Row() < g.Rows() - 1)
            MueveCelda(g.Row() + 1, kDisponible);
        else
            Foco().SetFocus(QStringLiteral("CmdAceptar"));
    });
}

// The lot and serial dialog: loading, the proposal, the validation of a quantity and accept.

#include "FrmCargaLotesySeries.h"

#include "AccesoDatos.h"
#include "CantidadesLinea.h"
#include "Configuracion.h"
#include "Globales.h"
#include "Interaccion.h"
#include "ListaPipe.h"
#include "NivelesLayout.h"
#include "Regional.h"
#include "Registros.h"
#include "Utilidades.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

const QString kAviso = QStringLiteral("Aviso al Operador");
const QString kAvisoFuerte = QStringLiteral("Aviso al Operador!!!");
constexpr qint16 kF2 = 113;

// A list under the writer's rules: "|" and every entry closed by "|"; the empty text when
// nothing but "|" and blanks would remain.
QString EscribeLista(const QStringList& entradas) {
    const bool contenido = std::any_of(entradas.cbegin(), entradas.cend(),
                                       [](const QString& e) { return !e.trimmed().isEmpty(); });
    return contenido ? ListaPipe::Escribe(entradas) : QString();
}

// Entry texts of a list by their first position (from 1), without regard to case and to the
// blanks at their ends, as Busca_Lotes_Series finds them, built in one walk.
class IndiceLista {
public:
    explicit IndiceLista(const QString& lista) : lista_(lista) {
        const ListaPipe::Recorrido r = ListaPipe::Recorre(lista_);
        tieneBarra_ = r.tieneBarra;
        cuenta_ = qint32(r.cerradas.size());
        posiciones_.reserve(r.cerradas.size());
        for (size_t i = 0; i < r.cerradas.size(); ++i)
            posiciones_.emplace(ListaPipe::SinBlancos(r.cerradas[i]), qint32(i + 1));
    }
    // As Busca_Lotes_Series: the position, the count plus 1 when absent, 0 without any "|".
    qint32 Busca(const QString& valor) const {
        if (!tieneBarra_)
            return 0;
        const auto it = posiciones_.find(ListaPipe::SinBlancos(valor));
        return it == posiciones_.end() ? cuenta_ + 1 : it->second;
    }

private:
    struct Hash {
        size_t operator()(QStringView v) const { return ListaPipe::HashEntrada(v); }
    };
    struct Igual {
        bool operator()(QStringView a, QStringView b) const { return ListaPipe::MismaEntrada(a, b); }
    };
    QString lista_;
    bool tieneBarra_ = false;
    qint32 cuenta_ = 0;
    std::unordered_map<QStringView, qint32, Hash, Igual> posiciones_;
};

// Case-blind text keys to the first row that has them (BuscaEnArray's text compare).
QString ClaveTexto(const QString& s) {
    return s.toCaseFolded();
}

} // namespace

FrmCargaLotesySeries::Modo::Modo(Sentido sentido, Codigos codigos, bool talle)
    : sentido_(sentido), codigos_(talle && codigos == SerieYLote ? Serie : codigos), talle_(talle) {}

FrmCargaLotesySeries::Modo FrmCargaLotesySeries::Modo::De(bool egreso, bool serie, bool lote, bool talle) {
    const Codigos codigos = serie && lote ? SerieYLote : serie ? Serie : lote ? Lote : Ninguno;
    return {egreso ? Egreso : Ingreso, codigos, talle};
}

FrmCargaLotesySeries::FrmCargaLotesySeries()
    : DialogoLinea(QStringLiteral("FrmCargaLotesySeries"), QStringLiteral("Numeros de Serie"),
                   QStringLiteral("F2 &Aceptar"),
                   EdicionLineas::Reglas{
                       .esCantidad = [this](int col) { return modo().EsEgreso() && (col == 2 || col == 3); },
                       .editable = [this](int col) { return !(modo().EsEgreso() && col == 2); },
                       .propiedadesPrimero = true,
                       .enter = {},
                       .saltaColumnaFija = true,
                       .campoValida = {},
                       .reportaError = {},
                   }) {
    // The dialog's grid refuses a fixed column as the current one (30010).
    MSFlexGrid1.setRechazaColumnaFija(true);
    Toolbar1[0].setToolTipText(QStringLiteral("Llenar las demas celdas con el valor de las seleccionadas"));
    Toolbar1[1].setToolTipText(QStringLiteral("Blanquear las Celdas a partir de la celda seleccionada"));
}

// ---- Loading ----

void FrmCargaLotesySeries::PreparaVentana() {
    formatoSerieAsterisco_ =
        Cfg(QStringLiteral("ART_FormatoSerieAsterisco")).compare(QLatin1String("SI"), Qt::CaseInsensitive) ==
        0;
}

void FrmCargaLotesySeries::CargaDatos(const Entrada& entrada) {
    entrada_ = entrada;
    resultado_ = {entrada.Lotes, entrada.Series, entrada.Cantidad};
    LlenaDialogo({
        [&] { TituloPorModo(); },
        [&] { lblArticulo.setCaption(TextoPropio(entrada_.ArticuloDescripcion)); },
        [&] { InicializaGrid(); },
        [&] { VerificaAnteriores(); },
        [&] { VerificaExistenciasEnGrilla(); },
        [&] { AjustaAnchoColumnas(); },
        // The first data cell that takes a value is the current one.
        [&] {
            if (MSFlexGrid1.Rows() > MSFlexGrid1.FixedRows()) {
                MSFlexGrid1.setRow(MSFlexGrid1.FixedRows());
                MSFlexGrid1.setCol(modo().EsEgreso() ? 3 : 1);
            }
        },
    });
}

void FrmCargaLotesySeries::TituloPorModo() {
    const QString dep = QStringLiteral(" (Deposito: ") + entrada_.Deposito + QLatin1Char(')');
    if (modo().EsTalle())
        Caption = QStringLiteral("Talles, Colores, Sexo") + dep;
    else if (modo().EsSerieYLote())
        Caption = QStringLiteral("Números de Lote y Serie") + dep;
    else if (modo().EsSerie())
        Caption = QStringLiteral("Números de Serie") + dep;
    else if (modo().EsLote())
        Caption = QStringLiteral("Números de Lote") + dep;
}

void FrmCargaLotesySeries::InicializaGrid() {
    Grilla& g = MSFlexGrid1;
    if (modo().EsEgreso()) {
        g.Clear();
        g.setRows(1);
        g.setCols(4);
        g.setFixedRows(1);
        g.setFixedCols(2);
        g.setTextMatrix(0, 0, modo().EsTalle() ? QStringLiteral("TALLE-COLOR-SEXO") : QStringLiteral("LOTE"));
        g.setTextMatrix(0, 1, QStringLiteral("SERIE"));
        g.setTextMatrix(0, 2, QStringLiteral("CANT. STOCK"));
        g.setTextMatrix(0, 3, QStringLiteral("CANT. "));
        g.setColWidth(0, modo().EsLote() ? Ancho(18) : 0);
        g.setColWidth(1, modo().EsSerie() ? Ancho(25) : 0);
        g.setColWidth(2, Ancho(12));
        g.setColWidth(3, Ancho(25));
        g.setColAlignment(0, Alineacion::CentroArriba);
        g.setColAlignment(1, Alineacion::CentroArriba);
        return;
    }
    g.setRows(int(RedondeoBanquero(entrada_.Cantidad + 1)));
    g.setColWidth(0, 0);
    if (modo().EsSerie()) {
        g.setTextMatrix(0, 1, QStringLiteral("Número de Serie"));
        g.setColWidth(1, Ancho(25));
    } else if (modo().EsLote()) {
        g.setTextMatrix(0, 1, QStringLiteral("Número de Lote"));
        g.setColWidth(1, Ancho(25));
    }
}

void FrmCargaLotesySeries::VerificaAnteriores() {
    if (modo().EsEgreso())
        AnterioresSalida();
    else
        AnterioresEntrada();
}

QString FrmCargaLotesySeries::ClaveFila(int fila) const {
    return MSFlexGrid1.TextMatrix(fila, 0).trimmed() + ListaPipe::MarcaFin +
           MSFlexGrid1.TextMatrix(fila, 1).trimmed();
}

void FrmCargaLotesySeries::AnterioresSalida() {
    Grilla& g = MSFlexGrid1;
    const QString sql = QStringLiteral("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = ") +
                        LiteralSql(UT().RellenaCodigo(entrada_.Articulo, 25)) +
                        QStringLiteral(" AND CANTIDAD > 0  AND IDDEPOSITO = ") +
                        LiteralSql(entrada_.Deposito) + QStringLiteral(" ORDER BY NROLOTE, NROSERIE ");
    Registros rs;
    AD().ObtieneRecordset(sql, rs);
    const int cLote = rs.IndiceCampo(QStringLiteral("NroLote"));
    const int cSerie = rs.IndiceCampo(QStringLiteral("NroSerie"));
    const int cCantidad = rs.IndiceCampo(QStringLiteral("Cantidad"));
    const auto texto = [&](int c) { return rs.Fields(c).toString().trimmed(); };
    bool hubo = false;
    SinRedibujo sr(g);
    for (; !rs.Eof(); rs.MoveNext()) {
        hubo = true;
        const int fila = g.Rows();
        g.setRows(fila + 1);
        if (modo().EsSerie()) {
            g.setTextMatrix(fila, 1, texto(cSerie));
            continue;
        }
        g.setTextMatrix(fila, 0, texto(cLote));
        g.setTextMatrix(fila, 1, texto(cSerie));
        g.setTextMatrix(fila, 2, UT().ValorATexto(UT().ValorCampo(rs.Fields(cCantidad))));
    }
    AD().CierraRecordset(rs);

    // Earlier entries no longer in stock are listed with nothing to take.
    QStringList anteriores;
    ClsCmnCptesLotes::DescomponeSerieLote(entrada_.Lotes, anteriores);
    std::unordered_map<QString, int> claves;
    claves.reserve(size_t(g.Rows()));
    for (int fila = 1; fila < g.Rows(); ++fila)
        claves.emplace(ClaveTexto(ClaveFila(fila)), fila);
    const QString marca(ListaPipe::MarcaFin);
    for (const QString& entrada : anteriores) {
        if (entrada.trimmed().isEmpty() || entrada == marca || claves.count(ClaveTexto(entrada)))
            continue;
        const int fila = g.Rows();
        g.setRows(fila + 1);
        g.setTextMatrix(fila, 0, UT().QuitaCaracter(entrada, marca));
        g.setTextMatrix(fila, 2, QStringLiteral("0"));
        g.setTextMatrix(fila, 3, QStringLiteral("0"));
    }

    if (hubo) {
        g.setRows(g.Rows() + 1);
        if (!entrada_.Lotes.isEmpty()) {
            const IndiceLista indice(entrada_.Lotes);
            for (int fila = 1; fila < g.Rows(); ++fila) {
                const qint32 k = indice.Busca(ClaveFila(fila));
                if (k != 0)
                    g.setTextMatrix(fila, 3,
                                    Regional::TextoNumero(UT().TextoADoble(
                                        ClsCmnCptesLotes::ExtraeSerieLote(entrada_.Series, k))));
            }
        }
    }
}

void FrmCargaLotesySeries::AnterioresEntrada() {
    if (!modo().EsSerie() && !modo().EsLote())
        return;
    const QString lista = entrada_.SeriesAnteriores + entrada_.LotesAnteriores;
    if (QString(lista).remove(QLatin1Char('|')).trimmed().isEmpty())
        return;
    // The lists' reading walk (blanks around the list are no entry), where a second opening "|"
    // is dropped too.
    QStringView cuerpo = ListaPipe::SinBlancos(lista);
    if (cuerpo.startsWith(u"||"))
        cuerpo = cuerpo.sliced(1);
    const std::vector<QStringView> entradas = ListaPipe::Recorre(cuerpo).cerradas;
    Grilla& g = MSFlexGrid1;
    SinRedibujo sr(g);
    // Only closed entries, and no more than the grid has rows for.
    for (int fila = 1; fila < g.Rows() && size_t(fila) <= entradas.size(); ++fila)
        g.setTextMatrix(fila, 1, entradas[size_t(fila - 1)].toString());
}

void FrmCargaLotesySeries::VerificaExistenciasEnGrilla() {
    if (!modo().EsEgreso())
        return;
    Grilla& g = MSFlexGrid1;
    if (!entrada_.LotesExistentes.isEmpty()) {
        QStringList lotes;
        QStringList cantidades;
        ClsCmnCptesLotes::DescomponeSerieLote(entrada_.LotesExistentes, lotes);
        ClsCmnCptesLotes::DescomponeSerieLote(entrada_.SeriesExistentes, cantidades);
        std::unordered_map<QString, int> filas;
        filas.reserve(size_t(g.Rows()));
        for (int fila = 1; fila < g.Rows(); ++fila)
            filas.emplace(ClaveTexto(g.TextMatrix(fila, 0).trimmed() + ListaPipe::MarcaFin), fila);
        for (qsizetype k = 0; k < lotes.size(); ++k) {
            const auto it = filas.find(ClaveTexto(lotes.at(k)));
            if (it == filas.end())
                continue;
            const double usado = k < cantidades.size() ? UT().TextoADoble(cantidades.at(k)) : 0;
            g.setTextMatrix(it->second, 2,
                            Regional::TextoNumero(UT().TextoADoble(g.TextMatrix(it->second, 2)) - usado));
        }
    }
    if (!entrada_.Lotes.isEmpty())
        return;
    {
        SinRedibujo sr(g);
        for (int fila = 1; fila < g.Rows(); ++fila)
            g.setTextMatrix(fila, 3, QStringLiteral("0"));
    }
    DistribuyeCantidad();
}

void FrmCargaLotesySeries::DistribuyeCantidad() {
    Grilla& g = MSFlexGrid1;
    if (g.Rows() == 2) {
        g.setTextMatrix(1, 3, Regional::TextoNumero(resultado_.Cantidad));
        return;
    }
    // The sum of the quantity column is kept as rows change, so that the rest is known
    // without adding the column up again for every row.
    double tomado = SumaFilas(-1);
    double resto = resultado_.Cantidad;
    SinRedibujo sr(g);
    for (int fila = 1; fila < g.Rows() && resto != 0; ++fila) {
        const double a = UT().TextoADoble(g.TextMatrix(fila, 3));
        // A lot that other lines took beyond its stock has nothing left to give.
        const double s = std::max(0.0, UT().TextoADoble(g.TextMatrix(fila, 2)));
        if (Redondea4(resto + a) <= Redondea4(s)) {
            g.setTextMatrix(fila, 3, Regional::TextoNumero(Redondea4(resto + a)));
            resto = 0;
        } else {
            g.setTextMatrix(fila, 3, Regional::TextoNumero(s));
            tomado += s - a;
            resto = Redondea4(resultado_.Cantidad - tomado);
        }
    }
}

void FrmCargaLotesySeries::CompletaCantidades() {
    Grilla& g = MSFlexGrid1;
    double resto = resultado_.Cantidad;
    for (int fila = 1; fila < g.Rows() && resto > 0; ++fila) {
        const QString stock = g.TextMatrix(fila, 2).trimmed();
        double v = UT().TextoADoble(stock);
        // A lot or serial that other lines emptied (or took beyond its stock) gives nothing; a
        // row without a stock of its own takes the rest.
        if (!stock.isEmpty() && Redondea4(v) <= 0) {
            g.setTextMatrix(fila, 3, QStringLiteral("0"));
            continue;
        }
        if (Redondea4(v) > Redondea4(resto))
            v = resto;
        if (v == 0)
            v = resto;
        resto = Redondea4(resto - v);
        g.setTextMatrix(fila, 3, Regional::TextoNumero(v));
    }
}

double FrmCargaLotesySeries::SumaFilas(long MenosCual) {
    return Edicion().SumaFilas(3, int(MenosCual));
}

bool FrmCargaLotesySeries::ValidaCantidadCantidadPedida() {
    return Redondea4(SumaFilas(-1)) == Redondea4(resultado_.Cantidad);
}

// ---- Editing ----

void FrmCargaLotesySeries::CompletaTodoIgual() {
    Edicion().CompletaTodoIgual(1);
}

void FrmCargaLotesySeries::Enter() {
    Grilla& g = MSFlexGrid1;
    int ultima = 2;
    if (g.Name().compare(QLatin1String("msflexgrid1"), Qt::CaseInsensitive) == 0) {
        if (modo().EsSerieYLote())
            ultima = 3;
        if (modo().EsEgreso())
            ultima = 3;
        if (modo().EsSerie())
            ultima = 2;
        if (g.Cols() == 2)
            ultima = 1;
    }
    // Each move is a statement of its own: a fixed column refused (30010) skips only itself.
    const auto paso = [this](const Paso& p) { Edicion().EjecutaPaso(p); };
    if (g.Col() == ultima) {
        paso([&] {
            if (g.Row() < g.Rows() - 1)
                g.setRow(g.Row() + 1);
            else
                g.setCol(1);
        });
        if (modo().EsSerieYLote())
            paso([&] { g.setCol(2); });
    } else if (modo().EsSerieYLote()) {
        paso([&] {
            if (g.Col() < g.Cols() - 1)
                g.setCol(g.Col() + 1);
        });
    }
    if (modo().EsEgreso())
        paso([&] { g.setCol(3); });
}

void FrmCargaLotesySeries::CampoValida(CajaTexto& Texto) {
    campoInvalido_ = false;
    Grilla& g = MSFlexGrid1;
    const auto refusa = [&](const QString& mensaje) {
        interaccion().MsgBox(mensaje, Estilo::Critico, kAviso);
        campoInvalido_ = true;
    };
    ClsCmnCptesLotes::EjecutaProtegido(
        QStringLiteral("CampoValida"), {[&] {
            const QString texto = Texto.Text().trimmed();
            const QString campo = Texto.DataField().trimmed();
            if (campo.compare(QLatin1String("Cantidad"), Qt::CaseInsensitive) == 0) {
                if (!modo().EsEgreso())
                    return;
                if (UT().TextoADoble(texto) < 0)
                    return refusa(QStringLiteral("La Cantidad no puede ser Menor a Cero"));
                // A text that is no number is reported and never reaches the cell, whatever the
                // answer; a blank cell is no quantity, as accept writes it ("-").
                campoInvalido_ = true;
                const double v = texto.isEmpty() ? 0 : LeeCantidadEscrita(texto);
                campoInvalido_ = false;
                if (v != std::floor(v))
                    return refusa(QStringLiteral("No Puede Informase Cantidades que no Sean Enteras"));
                if (!entrada_.Deposito.isEmpty())
                    idDeposito_ = entrada_.Deposito;
                else if (idDeposito_.isEmpty())
                    idDeposito_ = QStringLiteral("Ignorar");
                if (modo().EsLote() && !modo().EsSerie() && !g.TextMatrix(g.Row(), 0).trimmed().isEmpty() &&
                    UT().TextoAMoneda(texto) > UT().TextoAMoneda(g.TextMatrix(g.Row(), 2)))
                    return refusa(QStringLiteral("La Cantidad supera a la cantidad disponible en Stock"));
                return;
            }
            if (g.Row() == 1) {
                g.setText(EdicionLineas::TextoCelda(Texto.Text()));
                CompletaTodoIgual();
            }
        }});
}

// ---- Accept, cancel, keys and toolbar ----

void FrmCargaLotesySeries::CmdAceptar_Click() {
    // What is being typed is part of what is accepted.
    if (!Edicion().TerminaEdicion())
        return;
    if (modo().EsEgreso())
        AceptaSalida();
    else
        AceptaEntrada();
}

void FrmCargaLotesySeries::AceptaSalida() {
    Grilla& g = MSFlexGrid1;
    bool sigue = false;
    ClsCmnCptesLotes::EjecutaProtegido(
        QStringLiteral("CmdAceptar_Click"), {[&] {
            if (ValidaCantidadCantidadPedida()) {
                sigue = true;
                return;
            }
            const double suma = SumaFilas(-1);
            const QString pregunta =
                QStringLiteral("\r\n¿Desea Ajustar la Cantidad Solicitada en el Formulario?");
            QString texto;
            if (Redondea4(suma) > Redondea4(resultado_.Cantidad)) {
                texto = QStringLiteral("La suma de las cantidades Informadas, supera a la solicitada en el "
                                       "Formulario de Carga de Datos") +
                        pregunta;
            } else if (!entrada_.MostrarForm) {
                interaccion().MsgBox(QStringLiteral("El Stock es Menor a la cantidad solicitada "),
                                     Estilo::Informacion, kAvisoFuerte);
                return;
            } else {
                texto = QStringLiteral("La suma de las cantidades Informadas, Es Menor a la solicitada en "
                                       "el Formulario de Carga de Datos") +
                        pregunta;
            }
            if (interaccion().MsgBox(texto, Estilo::SiNo | Estilo::Pregunta, kAvisoFuerte) == Respuesta::Si) {
                resultado_.Cantidad = suma;
                sigue = true;
                return;
            }
            interaccion().MsgBox(QStringLiteral("Debe Ajustar la suma de las cantidades a :") +
                                     Regional::TextoNumero(resultado_.Cantidad),
                                 Estilo::Critico, kAviso);
        }});
    if (!sigue)
        return;
    QStringList lotes;
    QStringList cantidades;
    lotes.reserve(g.Rows());
    cantidades.reserve(g.Rows());
    for (int fila = 1; fila < g.Rows(); ++fila) {
        lotes << ClaveFila(fila);
        const QString c = g.TextMatrix(fila, 3);
        cantidades << (c.trimmed().isEmpty() ? QStringLiteral("-") : c);
    }
    resultado_.Lotes = EscribeLista(lotes);
    resultado_.Series = EscribeLista(cantidades);
    Oculta();
}

void FrmCargaLotesySeries::AceptaEntrada() {
    Grilla& g = MSFlexGrid1;
    CompletaTodoIgual();
    if (modo().EsSerie() && formatoSerieAsterisco_) {
        for (int fila = 1; fila < g.Rows(); ++fila) {
            const QString e = g.TextMatrix(fila, 1);
            if (!e.trimmed().isEmpty() && !e.contains(QLatin1Char('*'))) {
                interaccion().MsgBox(
                    QStringLiteral("Segun configuracion del sistema, debe informar NRODESERIE * "
                                   "CANTIDAD \r\nVerifique la configuracion del sistema - Stock / Otros"),
                    Estilo::SoloAceptar, QString());
                return;
            }
        }
    }
    QStringList entradas;
    entradas.reserve(g.Rows());
    for (int fila = 1; fila < g.Rows(); ++fila) {
        const QString e = g.TextMatrix(fila, 1);
        entradas << (e.trimmed().isEmpty() ? QStringLiteral("-") : e);
    }
    const QString lista = EscribeLista(entradas);
    if (modo().EsLote() && !modo().EsSerieYLote()) {
        resultado_.Lotes = lista;
        resultado_.Series.clear();
    } else {
        resultado_.Series = lista;
        resultado_.Lotes.clear();
    }
    Oculta();
}

void FrmCargaLotesySeries::Form_KeyDown(qint16& KeyCode, int) {
    if (KeyCode == kF2)
        CmdAceptar_Click();
}

void FrmCargaLotesySeries::Toolbar1_ButtonClick(int indice) {
    // The cell being typed is checked and written first, so that it is what a copy spreads.
    if (!Edicion().TerminaEdicion())
        return;
    if (indice == 1)
        Edicion().LlenaHaciaAbajo();
    else if (indice == 2)
        Edicion().BlanqueaHaciaAbajo();
}

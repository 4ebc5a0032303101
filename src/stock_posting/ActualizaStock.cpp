// The stock posting of a voucher: every pass, line and lot, serial or size entry of the articles
// grid becomes a row of V_MV_STOCK, appended to the caller's batch or run at once.

#include "Cartel.h"
#include "ClsCmnCptesPosteo.h"
#include "CptesAsociados.h"
#include "PosteoStock.h"

#include "AccesoDatos.h"
#include "Configuracion.h"
#include "ErrorSistema.h"
#include "Formatos.h"
#include "Globales.h"
#include "Grilla.h"
#include "Interaccion.h"
#include "ListaPipe.h"
#include "Registros.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QHash>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

const QString kRutina = QStringLiteral("ActualizaStock");
const QChar kCr = QLatin1Char('\r');

QString Txt(const QString& v) {
    return AD().FormateaValorSQL(v, QStringLiteral("'"));
}

// The entries of a line's list as the posting numbers them (from 1), read once per row: the
// closed entries, untrimmed, or the whole text as entry 1 when it holds no "|".
class Entradas {
public:
    Entradas() = default;
    explicit Entradas(QString lista) : lista_(std::move(lista)), entradas_(ListaPipe::Numeradas(lista_)) {}
    QString operator()(qint32 j) const {
        return j < 1 || size_t(j) > entradas_.size() ? QString() : entradas_[size_t(j) - 1].toString();
    }
    size_t size() const { return entradas_.size(); }

private:
    QString lista_;
    std::vector<QStringView> entradas_;
};

// The end markers (code 255) at the end of a lot or serial, and only they, removed.
QString SinMarca(QString v) {
    while (v.endsWith(ListaPipe::MarcaFin))
        v.chop(1);
    return v;
}

QString Ancho25(const QString& v) {
    const QString limpio = SinMarca(v.trimmed()).trimmed();
    return limpio.isEmpty() ? QString() : UT().RellenaCodigo(limpio, 25);
}

double Numero(const QString& v) {
    return UT().TextoADoble(v);
}

// A distinct lot of an incoming line and what it brings: the sum of its entries' quantities,
// one unit for an entry without a quantity.
struct LoteAgrupado {
    QString lote;
    double cantidad = 0;
};

std::vector<LoteAgrupado> AgrupaLotes(const Entradas& lotes, const Entradas& cantidades) {
    std::vector<LoteAgrupado> grupos;
    QHash<QString, size_t> indice;
    for (qint32 i = 1; size_t(i) <= lotes.size(); ++i) {
        const QString lote = SinMarca(lotes(i).trimmed()).trimmed();
        if (lote.isEmpty())
            continue;
        const QString c = cantidades(i).trimmed();
        const double cantidad = c.isEmpty() ? 1 : Numero(c);
        const QString clave = lote.toCaseFolded();
        const auto it = indice.constFind(clave);
        if (it == indice.cend()) {
            indice.insert(clave, grupos.size());
            grupos.push_back({lote, cantidad});
        } else {
            grupos[*it].cantidad += cantidad;
        }
    }
    return grupos;
}

// Whether a list names at least one lot.
bool NombraLotes(const Entradas& lista) {
    for (qint32 i = 1; size_t(i) <= lista.size(); ++i)
        if (!SinMarca(lista(i).trimmed()).trimmed().isEmpty())
            return true;
    return false;
}

// One grid row of one pass: its flags, lists and elements.
struct FilaPosteo {
    bool talle = false;
    bool serie = false;
    bool lote = false;
    bool perecedero = false;
    // Read as a line that takes stock out: an outgoing line, or a transfer's destination.
    bool salida = false;
    // An incoming line of lots: column 22 holds their quantities, never serial numbers.
    bool cantidades = false;
    Entradas c21;
    Entradas c22;
    std::vector<LoteAgrupado> grupos; // an incoming line of several lots, one element each
    double resto = 0;                 // what its lots leave of the line, brought under the fixed lot
    double cantidad = 0;              // the line's quantity
    // The entries of its longest list: an incoming line counted by units has one element each,
    // then one for the units past them.
    qint32 NumeroEntradas() const { return qint32(std::max(c21.size(), c22.size())); }
};

class Posteador {
public:
    Posteador(ClsCmnCptesPosteo& cls, Posteo& p) : cls_(cls), p_(p) {}
    void Encabezado();
    void Pasadas();
    void Final();

private:
    void Ajustes();
    void ValoresOrigen();
    void FechaRecepcion();
    void Signo();
    void LoteAutomatico();
    void DepositosYMotivo();
    void PasadasYSecuencia();
    bool SaltaFila() const;
    FilaPosteo PreparaFila();
    double CantidadLinea() const;
    bool DecodificaEntrada(FilaPosteo& f);
    bool Agrupado(const FilaPosteo& f);
    bool Restantes(const FilaPosteo& f);
    bool DecodificaSalida(FilaPosteo& f);
    void ExigeAncho(const QString& codigo, const char* que) const;
    bool Elemento(FilaPosteo& f, bool& emitido);
    void Emite();
    void AsientoDeFila();
    bool Asentada();
    qint32 Cota(const FilaPosteo& f) const;
    void Fila();
    void Asiento();
    QString GeneraAsiento(qint32 fila);
    QString Celda(int col) const { return p_.grid.TextMatrix(p_.fila, col); }
    bool Bandera(int col) const { return TextoABooleano(Celda(col).trimmed(), true); }

    ClsCmnCptesPosteo& cls_;
    Posteo& p_;
    bool loteAutoIng_ = false;
    bool loteAutoIngOP_ = false;
    std::vector<bool> asentadas_; // per-line mode: the grid rows whose entry was asked for
};

void Posteador::Ajustes() {
    p_.cargaInsumos = CfgEsSi(QStringLiteral("CargaInsumosProduccion"));
    loteAutoIng_ = CfgEsSi(QStringLiteral("AsignacionAutomaticaDeLoteING"));
    loteAutoIngOP_ = CfgEsSi(QStringLiteral("AsignacionAutomaticaDeLoteINGOP"));
    p_.confirmaUDEquiv = CfgEsSi(QStringLiteral("ConfirmaUDEquiv"));
    p_.tipoMov = 0;
}

void Posteador::ValoresOrigen() {
    p_.cuentaValor = p_.Cuenta;
    p_.TcOrigen = RellenaRecortado(p_.TcOrigen, 4);
    if (Es(p_.TcOrigen, "ELDELGRID"))
        p_.marcaTcOrigen = true;
    else
        p_.TcOrigen = p_.TcOrigen.trimmed().isEmpty() ? QStringLiteral("NULL") : Txt(p_.TcOrigen);
    if (Es(p_.ComprobanteOrigen, "ELDELGRID"))
        p_.marcaComprobanteOrigen = true;
    else
        p_.ComprobanteOrigen =
            p_.ComprobanteOrigen.trimmed().isEmpty() ? QStringLiteral("NULL") : Txt(p_.ComprobanteOrigen);
}

// The purchase order's reception date, when the voucher receives one: in the caller's batch, so
// that it goes or stays with the voucher; at once in per-line mode, its outcome not checked.
void Posteador::FechaRecepcion() {
    const QString iRObligatorio = Cfg(QStringLiteral("IR_Oblig")).trimmed();
    const bool obligatorio = !iRObligatorio.isEmpty() && !Es(iRObligatorio, "NO");
    if (!(Es(p_.TC, "FCC") || Es(p_.TC, "RMC")) || obligatorio || p_.marcaTcOrigen)
        return;
    if (UT().LimpiaCampoImportado(p_.TcOrigen).trimmed().compare(QLatin1String("OC"), Qt::CaseInsensitive) !=
        0)
        return;
    const QString sql = "if exists(select * from c_mv_cpte  with(nolock)  where TC=" + p_.TcOrigen +
                        " and IDCOMPROBANTE=" + p_.ComprobanteOrigen + " and fecharecepcion is null) " +
                        " UPDATE c_mv_cpte set FechaRecepcion=" + Txt(p_.Fecha) + " where TC=" + p_.TcOrigen +
                        " and IDCOMPROBANTE=" + p_.ComprobanteOrigen;
    if (p_.GeneraSentenciaSQL) {
        p_.SqlTemp += kCr + sql;
        return;
    }
    try {
        AD().EjecutaSQL(sql);
    } catch (const ErrorSistema&) {
        // Not checked: the reception date is no part of the posting.
    }
}

void Posteador::Signo() {
    p_.signo = p_.SignoRemota != 0 ? p_.SignoRemota : cls_.ObtieneSignoComprobante(p_.TC, false);
    if (p_.signo == 0)
        p_.signo = -1;
}

void Posteador::LoteAutomatico() {
    const bool pide = (Es(p_.TC, "OP") && loteAutoIngOP_) || loteAutoIng_;
    if (!pide || p_.signo != 1)
        return;
    p_.LoteFijo = cls_.ObtieneLoteAutomatico();
    p_.loteAutomatico = Ancho25(p_.LoteFijo);
    // The lot goes in only while no other voucher holds it: another station may have drawn it too.
    // Per-line mode checks it with the first row that stores it.
    if (p_.GeneraSentenciaSQL)
        EmiteSentenciaPosteo(p_, ControlLotePosteo(p_));
}

void Posteador::DepositosYMotivo() {
    if (Es(p_.IdDeposito, "ELDELGRID"))
        p_.marcaDeposito = true;
    else if (!p_.IdDeposito.trimmed().isEmpty())
        p_.IdDeposito = Txt(RellenaRecortado(p_.IdDeposito, 4));
    else
        p_.IdDeposito = Txt(RellenaRecortado(Cfg(QStringLiteral("DepositoDefault")), 4));
    if (Es(p_.IdMotivoStock, "ELDELGRID")) {
        p_.marcaMotivo = true;
    } else {
        p_.IdMotivoStock.remove(QLatin1Char('\''));
        p_.IdMotivoStock = p_.IdMotivoStock.trimmed().isEmpty()
                               ? Txt(RellenaRecortado(Cfg(QStringLiteral("MotivoStockDefault")), 4))
                               : Txt(UT().RellenaCodigo(p_.IdMotivoStock, 4));
    }
    p_.IdDepositoDestino = p_.IdDepositoDestino.trimmed().isEmpty()
                               ? QStringLiteral("NULL")
                               : Txt(RellenaRecortado(p_.IdDepositoDestino, 4));
}

void Posteador::PasadasYSecuencia() {
    p_.pasadas = (p_.EsTransferencia || p_.esOP) ? 2 : 1;
    if (p_.esOP && p_.tieneSPNL)
        p_.pasadas = 1;
    if (!p_.esOP)
        return;
    p_.IdDepositoDestino = p_.IdDeposito;
    Registros rs;
    AD().ObtieneRecordset("SELECT MAX(SECUENCIA) AS MAX_SECUENCIA FROM V_MV_STOCK WHERE TC = " +
                              Txt(RellenaRecortado(p_.TC, 4)) + " AND IDCOMPROBANTE = " + Txt(p_.SucNroLetra),
                          rs);
    const double maximo = rs.Eof() ? 0 : UT().TextoADoble(UT().ValorCampo(rs.Fields(0)));
    AD().CierraRecordset(rs);
    p_.secuencia = static_cast<float>(maximo != 0 ? maximo + 1 : 0);
}

void Posteador::Encabezado() {
    Protegido(p_, [&] { Ajustes(); });
    // A transaction the caller holds around a per-line posting stays its own: the rows go to
    // savepoints of it.
    Protegido(p_, [&] {
        if (!p_.GeneraSentenciaSQL)
            p_.nivelLlamador = NivelTransaccion();
    });
    Protegido(p_, [&] {
        if (p_.MuestraCartel)
            DllDisplay().CartelInicio(QStringLiteral("Grabando Stock...."), false);
    });
    Protegido(p_, [&] { ValoresOrigen(); });
    p_.esOP = Es(p_.TC, "OP");
    Protegido(p_, [&] {
        if (p_.esOP)
            p_.tieneSPNL = cls_.TieneSPNL(RellenaRecortado(p_.TC, 4), p_.SucNroLetra);
    });
    Protegido(p_, [&] { FechaRecepcion(); });
    Protegido(p_, [&] { Signo(); });
    Protegido(p_, [&] { LoteAutomatico(); });
    CedeTurnoPosteo();
    Protegido(p_, [&] {
        p_.compras = Es(AD().ObtieneValorTabla(QStringLiteral("V_TA_CPTE"), RellenaRecortado(p_.TC, 4),
                                               QStringLiteral("SISTEMA"), QStringLiteral("Codigo"))
                            .toString(),
                        "COMPRAS");
    });
    // The rows write the complement unquoted: only a number may go (purchases write none).
    if (!p_.compras) {
        try {
            p_.IdComplemento = ComplementoNumerico(p_.IdComplemento);
        } catch (const ErrorSistema& e) {
            throw DatoRechazado{e.Descripcion()};
        }
    }
    Protegido(p_, [&] { DepositosYMotivo(); });
    Protegido(p_, [&] { PasadasYSecuencia(); });
    // The voucher goes in only while no other station stored rows under its identity past those
    // it holds already. Per-line mode checks it with its first stored row.
    Protegido(p_, [&] {
        p_.secuenciaInicial = p_.secuencia;
        if (p_.GeneraSentenciaSQL)
            EmiteSentenciaPosteo(p_, ControlIdentidadPosteo(p_, false));
    });
}

bool Posteador::SaltaFila() const {
    if (Celda(0).isEmpty())
        return true;
    CantidadLinea(); // refused before its currency reading can overflow
    if (UT().TextoAMoneda(Celda(7)).EsCero() && UT().TextoAMoneda(Celda(63)).EsCero())
        return true;
    if (p_.esOP) {
        const bool primera = Celda(28).trimmed() == QLatin1String("-1");
        return p_.pasada == 1 ? !primera : primera;
    }
    return false;
}

// The line's quantity; beyond 32 bits it is refused, as every count of the posting is 32 bits.
double Posteador::CantidadLinea() const {
    const double cantidad = Numero(Celda(7));
    if (!(std::fabs(cantidad) <= std::numeric_limits<qint32>::max()))
        throw DatoRechazado{QStringLiteral("La cantidad \"%1\" de la línea %2 excede el máximo admitido (%3)")
                                .arg(Celda(7).trimmed())
                                .arg(p_.fila)
                                .arg(std::numeric_limits<qint32>::max())};
    return cantidad;
}

FilaPosteo Posteador::PreparaFila() {
    p_.nroLote.clear();
    FilaPosteo f;
    f.talle = Bandera(61);
    f.serie = Bandera(19);
    f.lote = Bandera(20);
    f.c21 = Entradas(Celda(21));
    f.c22 = Entradas(Celda(22));
    f.cantidad = CantidadLinea();
    f.salida = p_.signo == -1 || p_.espejo;
    const QString perecedero = Celda(46).trimmed();
    f.perecedero = TextoABooleano(perecedero.isEmpty() ? QStringLiteral("0") : perecedero, true);
    f.cantidades = !f.salida && !f.talle && !f.serie && !f.perecedero && NombraLotes(f.c21);
    const QString c21 = Celda(21);
    // A line that takes stock out has one element per entry, a lot named twice included.
    if (f.salida)
        p_.elementos = ClsCmnCptesLotes::Cuenta_Series_Lotes(c21, QString(), true);
    else if (f.talle || (f.serie && p_.EsTransferencia) || f.cantidades)
        p_.elementos = ClsCmnCptesLotes::Cuenta_Series_Lotes(c21, QString(), false);
    else
        p_.elementos = ClsCmnCptesLotes::Cuenta_Series_Lotes(Celda(22), c21, f.serie);
    // Several lots brought in by one line: each distinct lot with what its entries bring, then
    // what they leave of the line under the fixed lot.
    if (f.cantidades && p_.elementos > 1) {
        f.grupos = AgrupaLotes(f.c21, f.c22);
        double traidas = 0;
        for (const LoteAgrupado& g : f.grupos)
            traidas += g.cantidad;
        if (!f.grupos.empty() && !p_.LoteFijo.trimmed().isEmpty())
            f.resto = f.cantidad - traidas;
    }
    return f;
}

// An element of a line of several lots: a distinct lot, or what they leave under the fixed lot.
bool Posteador::Agrupado(const FilaPosteo& f) {
    p_.cantidadPropia = true;
    p_.nroSerie.clear();
    if (size_t(p_.j) > f.grupos.size()) {
        p_.nroLote = Ancho25(p_.LoteFijo);
        p_.cantidad = f.resto;
    } else {
        const LoteAgrupado& g = f.grupos[size_t(p_.j) - 1];
        p_.nroLote = Ancho25(g.lote);
        p_.cantidad = g.cantidad;
    }
    return p_.cantidad != 0;
}

// The units of a line of several entries past them: one element that brings them all under the
// lot it names; none when it names nothing.
bool Posteador::Restantes(const FilaPosteo& f) {
    if (p_.elementos <= 1 || p_.j <= f.NumeroEntradas())
        return true;
    if (p_.nroLote.isEmpty() && p_.nroSerie.isEmpty())
        return false;
    p_.cantidad = f.cantidad - f.NumeroEntradas();
    p_.cantidadPropia = true;
    return true;
}

// The element j of an incoming line; false when it is skipped.
bool Posteador::DecodificaEntrada(FilaPosteo& f) {
    const qint32 j = p_.j;
    p_.cantidadPropia = false;
    if (!f.grupos.empty())
        return Agrupado(f);
    p_.nroLote = Ancho25(f.c21(j));
    p_.nroSerie = f.cantidades ? QString() : Ancho25(f.c22(j));
    if (f.perecedero) {
        p_.nroLote = Ancho25(Celda(21));
        if (p_.nroLote.isEmpty() && !p_.LoteFijo.trimmed().isEmpty())
            p_.nroLote = Ancho25(p_.LoteFijo);
        return Restantes(f);
    }
    if (f.talle) {
        const QString e = f.c21(j);
        if (e.trimmed().isEmpty())
            return true;
        p_.nroLote = Ancho25(e.section(ListaPipe::MarcaFin, 0, 0));
        p_.nroSerie.clear();
        p_.cantidad = Numero(f.c22(j));
        return p_.cantidad != 0;
    }
    if (p_.nroLote.isEmpty() && !p_.LoteFijo.trimmed().isEmpty())
        p_.nroLote = Ancho25(p_.LoteFijo);
    if (f.serie) {
        const QString e = p_.EsTransferencia ? f.c21(j) : f.c22(j);
        if (e.trimmed().isEmpty())
            return true;
        const qsizetype marca = e.indexOf(ListaPipe::MarcaFin);
        if (marca >= 0) {
            p_.nroLote = Ancho25(e.left(marca));
            p_.nroSerie = Ancho25(e.mid(marca + 1));
        }
        p_.cantidad = p_.EsTransferencia ? Numero(f.c22(j)) : 1;
        return p_.cantidad != 0;
    }
    if (p_.LoteFijo.isEmpty()) {
        if (j > 1)
            p_.cantidad = Numero(f.c22(j));
        // An element after the first that names nothing and brings nothing would post the
        // line's quantity once more.
        const bool vacio = j > 1 && p_.nroLote.isEmpty() && p_.nroSerie.isEmpty();
        if (p_.cantidad == 0 && (f.talle || f.serie || f.lote || vacio))
            return false;
    }
    return Restantes(f);
}

// The element j of a line that takes stock out (or of a transfer's destination, which takes in
// the same); false when it is skipped.
bool Posteador::DecodificaSalida(FilaPosteo& f) {
    const qint32 j = p_.j;
    p_.cantidadPropia = false;
    if (Celda(61).trimmed().isEmpty())
        p_.grid.setTextMatrix(p_.fila, 61, QStringLiteral("0"));
    f.talle = Bandera(61);
    p_.nroSerie.clear();
    if (f.talle) {
        p_.nroLote = Ancho25(f.c21(j));
        p_.cantidad = Numero(f.c22(j));
        return p_.cantidad != 0;
    }
    const QString e = f.c21(j);
    p_.nroLote.clear();
    if (e.trimmed().isEmpty()) {
        // A blank entry among several takes its own quantity, not the whole line's again.
        if (p_.elementos > 1) {
            p_.cantidad = Numero(f.c22(j));
            return p_.cantidad != 0;
        }
        return true;
    }
    const qsizetype marca = e.indexOf(ListaPipe::MarcaFin);
    p_.nroLote = Ancho25(marca >= 0 ? e.left(marca) : e);
    p_.nroSerie = marca >= 0 ? Ancho25(e.mid(marca + 1)) : QString();
    p_.cantidad = Numero(f.c22(j));
    return p_.cantidad != 0;
}

// A lot or serial number longer than its column is refused: cut, it would be another one.
void Posteador::ExigeAncho(const QString& codigo, const char* que) const {
    if (codigo.size() > 25)
        throw DatoRechazado{QStringLiteral("%1 \"%2\" de la línea %3 tiene más de 25 caracteres")
                                .arg(QString::fromUtf8(que), codigo.trimmed())
                                .arg(p_.fila)};
}

// The row of the current element, appended to the batch or run at once: the step's last action.
void Posteador::Emite() {
    ParesCampos& pares = ListaCampos();
    ArmaFilaMovimiento(p_, pares);
    QString sentencia = QStringLiteral("INSERT INTO V_MV_STOCK");
    ArmaValues(sentencia, pares, true);
    CedeTurnoPosteo();
    if (p_.MuestraCartel) {
        bool cancelado = false;
        DllDisplay().CartelMostrar(cancelado, QStringLiteral("Grabando Stock..."),
                                   Celda(0).trimmed() + QStringLiteral("  ") + Celda(1),
                                   QString::number(p_.fila) + QStringLiteral(" de ") +
                                       QString::number(p_.grid.Rows() - 1));
    }
    if (!p_.GeneraSentenciaSQL) {
        p_.filaPropia = true;
        p_.filaLote = p_.filaLote || (!p_.loteAutomatico.isEmpty() && p_.nroLote == p_.loteAutomatico);
    }
    EmiteSentenciaPosteo(p_, sentencia);
}

// Per-line mode: the entry of the row just posted, a step of its own, stored with the row. The
// voucher's first stored entry draws the number (with its check), the later rows keep it.
void Posteador::AsientoDeFila() {
    if (!p_.guardoAsiento)
        p_.NroAsientoActual = 0;
    const QString asiento = GeneraAsiento(p_.fila);
    if (!asiento.trimmed().isEmpty()) {
        p_.tandaFila += asiento;
        p_.filaAsiento = true;
    }
}

qint32 Posteador::Cota(const FilaPosteo& f) const {
    if (f.salida || Bandera(61) || Bandera(19))
        return p_.elementos;
    if (!f.grupos.empty())
        return qint32(f.grupos.size()) + (f.resto > 0 ? 1 : 0);
    // One element per unit while the lists have entries, then one for the units past them.
    if (f.cantidad > f.NumeroEntradas())
        return f.NumeroEntradas() + 1;
    return static_cast<qint32>(std::ceil(f.cantidad));
}

// Whether the current grid row's entry was asked for (the grid may grow during a yield).
bool Posteador::Asentada() {
    if (size_t(p_.fila) >= asentadas_.size())
        asentadas_.resize(size_t(p_.fila) + 1);
    return asentadas_[size_t(p_.fila)];
}

// Element j of the row: decoded, then its row built and emitted. True when it ends the row.
// `emitido` tells that its row was appended or stored.
bool Posteador::Elemento(FilaPosteo& f, bool& emitido) {
    p_.secuencia += 1;
    p_.cantidad = UT().TextoADoble(Celda(7));
    CedeTurnoPosteo();
    const bool posteable = f.salida ? DecodificaSalida(f) : DecodificaEntrada(f);
    CedeTurnoPosteo();
    if (!posteable) {
        p_.secuencia -= 1;
        return false;
    }
    ExigeAncho(p_.nroLote, "El lote");
    ExigeAncho(p_.nroSerie, "El número de serie");
    if (p_.esOP && p_.tieneSPNL && p_.cantidad < 0)
        return true;
    Emite();
    emitido = true;
    return false;
}

void Posteador::Fila() {
    FilaPosteo f;
    bool preparada = false;
    Protegido(p_, [&] {
        f = PreparaFila();
        preparada = true;
    });
    if (!preparada)
        return;
    p_.j = 0;
    bool terminaFila = false;
    while (!terminaFila) {
        // The element's number moves on outside its step: Retry decodes the same element again.
        ++p_.j;
        bool emitido = false;
        Protegido(p_, [&] {
            emitido = false;
            terminaFila = Elemento(f, emitido);
        });
        // The line's amount is booked once, whatever its number of elements or passes, and only
        // with one of its rows.
        if (emitido && !p_.GeneraSentenciaSQL && !Asentada()) {
            asentadas_[size_t(p_.fila)] = true;
            Protegido(p_, [&] { AsientoDeFila(); });
        }
        terminaFila = terminaFila || !(p_.j < Cota(f) && p_.elementos > 1);
    }
    TerminaFila(p_);
}

void Posteador::Pasadas() {
    const qint16 signoVoucher = p_.signo;
    for (p_.pasada = 1; p_.pasada <= p_.pasadas; ++p_.pasada) {
        p_.signo = signoVoucher;
        if (p_.EsTransferencia)
            p_.signo = p_.pasada == 1 ? -1 : 1;
        if (p_.esOP)
            p_.signo = p_.pasada == 1 ? 1 : -1;
        p_.espejo = p_.EsTransferencia && p_.pasada == 2 && p_.signo == 1;
        for (p_.fila = 1; p_.fila < p_.grid.Rows(); ++p_.fila) {
            bool salta = true;
            Protegido(p_, [&] { salta = SaltaFila(); });
            if (!salta)
                Fila();
        }
    }
}

void Posteador::Asiento() {
    const QString origen = UT().LimpiaCampoImportado(p_.TcOrigen).trimmed();
    const auto origenEs = [&](const char* tc) {
        return origen.compare(QLatin1String(tc), Qt::CaseInsensitive) == 0;
    };
    if ((Es(p_.TC, "IR") && origenEs("OC")) || Es(p_.TC, "RMC"))
        p_.tipoMov = 5;
    else if (Es(p_.TC, "IR") && origenEs("RM"))
        p_.tipoMov = 4;
    else if (Es(p_.TC, "RM") && p_.comodato)
        p_.tipoMov = 2;
    else if (Es(p_.TC, "RM") && Cfg(QStringLiteral("CuentaCtroDist")) == p_.cuentaValor.trimmed())
        p_.tipoMov = 3;
    else if (Es(p_.TC, "RM"))
        p_.tipoMov = 1;
    p_.SqlTemp += kCr + GeneraAsiento(0);
    CedeTurnoPosteo();
}

QString Posteador::GeneraAsiento(qint32 fila) {
    return AsientoDelPosteo(cls_, p_, fila);
}

void Posteador::Final() {
    CedeTurnoPosteo();
    // A transfer discharges as its rows move: out of the origin, then into the destination.
    if (p_.EsTransferencia) {
        p_.pasada = 1;
        p_.signo = -1;
    }
    DescargaInsumos(p_);
    if (p_.EsTransferencia) {
        p_.pasada = 3;
        p_.signo = 1;
        DescargaInsumos(p_);
    }
    Protegido(p_, [&] {
        if (p_.MuestraCartel)
            DllDisplay().CartelCerrar();
    });
    if (p_.GeneraSentenciaSQL)
        Protegido(p_, [&] { Asiento(); });
}

} // namespace

QString AsientoDelPosteo(ClsCmnCptesPosteo& cls, Posteo& p, qint32 fila) {
    QString motivo = p.IdMotivoStock, tc = p.TC, suc = p.SucNroLetra.mid(0, 4), nro = p.SucNroLetra.mid(4, 8),
            letra = p.SucNroLetra.mid(12, 1);
    bool esDebito = true;
    qint16 secuencia = 1;
    return cls.AsientoStock(p.grid, motivo, tc, suc, nro, letra, p.Fecha, esDebito, p.tipoMov, fila,
                            secuencia);
}

Instantanea::Instantanea(const Posteo& p)
    : estado_(p), argumentos_{p.IdDeposito, p.IdDepositoDestino, p.IdMotivoStock,
                              p.TcOrigen,   p.ComprobanteOrigen, p.LoteFijo},
      caja_(gCaja), nroAsiento_(p.NroAsientoActual), largoSql_(p.SqlTemp.size()),
      largoFila_(p.tandaFila.size()), descargadas_(p.descargadas.size()), fila_(p.fila) {
    if (fila_ >= 1 && fila_ < p.grid.Rows())
        for (size_t i = 0; i < kCeldas.size(); ++i)
            celdas_[i] = p.grid.TextMatrix(fila_, kCeldas[i]);
}

void Instantanea::Restaura(Posteo& p) const {
    static_cast<EstadoPosteo&>(p) = estado_;
    QString* const destinos[] = {&p.IdDeposito, &p.IdDepositoDestino, &p.IdMotivoStock,
                                 &p.TcOrigen,   &p.ComprobanteOrigen, &p.LoteFijo};
    for (size_t i = 0; i < argumentos_.size(); ++i)
        *destinos[i] = argumentos_[i];
    gCaja = caja_;
    p.NroAsientoActual = nroAsiento_;
    p.SqlTemp.truncate(largoSql_);
    p.tandaFila.truncate(largoFila_);
    p.descargadas.resize(descargadas_);
    if (fila_ >= 1 && fila_ < p.grid.Rows())
        for (size_t i = 0; i < kCeldas.size(); ++i)
            p.grid.setTextMatrix(fila_, kCeldas[i], celdas_[i]);
}

int RespuestaPosteo(const ErrorSistema& e) {
    DllDisplay().CartelCerrar();
    return AD().GestionaError(e, kRutina);
}

QString ClsCmnCptesPosteo::ObtieneLoteAutomatico() {
    Registros rs;
    AD().ObtieneRecordset(
        QStringLiteral(
            "SELECT MAX(NroLote) AS Maximo From v_mv_stock WHERE (SUBSTRING(NroLote, 1, 1) = ' ') "),
        rs);
    QString resultado = QStringLiteral("1");
    if (!rs.Eof() && !rs.Fields(QStringLiteral("Maximo")).isNull())
        resultado =
            (UT().TextoAMoneda(rs.Fields(QStringLiteral("Maximo"))) + Moneda::DeEntero(1)).Texto().trimmed();
    AD().CierraRecordset(rs);
    return resultado;
}

bool ClsCmnCptesPosteo::TieneSPNL(const QString& Tcp, const QString& IdCptep) {
    Registros rs;
    AD().ObtieneRecordset("Select * from v_mv_stock where tc = 'spnl' and tc_origen = " + Txt(Tcp) +
                              " and idcomprobante_origen = " + Txt(IdCptep),
                          rs);
    const bool hay = !rs.Eof();
    AD().CierraRecordset(rs);
    return hay;
}

void ClsCmnCptesPosteo::ActualizaStock(Grilla& MSFlexGrid2, const QString& TC, const QString& SucNroLetra,
                                       const QString& IdComplemento, const QString& Fecha,
                                       QString& IdDeposito, QString& IdDepositoDestino,
                                       QString& IdMotivoStock, QString& TcOrigen, QString& ComprobanteOrigen,
                                       bool EsTransferencia, const QString& Cuenta, bool GeneraSentenciaSQL,
                                       QString& SqlTemp, bool& HayError, const QString& IdTecnico,
                                       QString& LoteFijo, const QString& Aduana, const QString& LoteOrigen,
                                       qint16 SignoRemota, bool MuestraCartel, const QString& IdVendedor,
                                       float SecuenciaFija, const QString& ArtMoneda, Moneda ArtCotizacion) {
    HayError = false;
    if (gUnidadNegocio.trimmed().isEmpty()) {
        interaccion().MsgBox(QStringLiteral("ERROR EN ASIGNACION DE UNIDAD DE NEGOCIO\r\n"
                                            "Verifique si el usuario tiene asignado una unidad de negocio"),
                             Estilo::Critico, QStringLiteral("Atencion!"));
        HayError = true;
        return;
    }
    Posteo p(ArgumentosPosteo{.grid = MSFlexGrid2,
                              .TC = TC,
                              .SucNroLetra = SucNroLetra,
                              .IdComplemento = IdComplemento,
                              .Fecha = Fecha,
                              .IdDeposito = IdDeposito,
                              .IdDepositoDestino = IdDepositoDestino,
                              .IdMotivoStock = IdMotivoStock,
                              .TcOrigen = TcOrigen,
                              .ComprobanteOrigen = ComprobanteOrigen,
                              .EsTransferencia = EsTransferencia,
                              .Cuenta = Cuenta,
                              .GeneraSentenciaSQL = GeneraSentenciaSQL,
                              .SqlTemp = SqlTemp,
                              .IdTecnico = IdTecnico,
                              .LoteFijo = LoteFijo,
                              .Aduana = Aduana,
                              .LoteOrigen = LoteOrigen,
                              .SignoRemota = SignoRemota,
                              .MuestraCartel = MuestraCartel,
                              .IdVendedor = IdVendedor,
                              .ArtMoneda = ArtMoneda,
                              .ArtCotizacion = ArtCotizacion},
             NroAsientoActual);
    p.piva = PIVA;
    p.lenDesc = gLenDesc;
    p.secuencia = SecuenciaFija > 0 ? SecuenciaFija : 0;
    // Per-line mode books each row's entry as the row is stored, under one number.
    asientoDelPosteo_ = !GeneraSentenciaSQL;
    const auto fin = qScopeGuard([this] { asientoDelPosteo_ = false; });
    Posteador posteador(*this, p);
    try {
        posteador.Encabezado();
        posteador.Pasadas();
        posteador.Final();
    } catch (const Abandono&) {
        HayError = true;
    } catch (const SinNumeroDescarga&) {
        if (MuestraCartel)
            DllDisplay().CartelCerrar();
        HayError = true;
    } catch (const Rechazo& r) {
        // Per-line mode: the rows before this one stay stored (unless the database ended the
        // caller's transaction), so the user is told where it stopped.
        const QString mensaje = MensajeRechazo(p, r);
        RegistraRechazo(p, r);
        interaccion().MsgBox(mensaje, Estilo::Critico, QStringLiteral("Aviso al operador"));
        if (MuestraCartel)
            DllDisplay().CartelCerrar();
        HayError = true;
    } catch (const DatoRechazado& e) {
        if (MuestraCartel)
            DllDisplay().CartelCerrar();
        interaccion().MsgBox(e.mensaje, Estilo::Critico, QStringLiteral("Atencion!"));
        HayError = true;
    }
    ListaCampos().clear();
}

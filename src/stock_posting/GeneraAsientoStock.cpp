// The accounting entry of a stock voucher: the stock motive's account against the stock
// account of every article, valued at quantity times cost.

#include "Asientos.h"
#include "ClsCmnCptesPosteo.h"
#include "Numeracion.h"
#include "NumeracionInterno.h"
#include "PosteoStock.h"

#include "AccesoDatos.h"
#include "Configuracion.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Grilla.h"
#include "Interaccion.h"
#include "Moneda.h"
#include "Registros.h"
#include "Reloj.h"
#include "Sentencias.h"
#include "TraductorSql.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"

#include <QDate>
#include <QHash>
#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

using namespace numeracion;

namespace {

const QString kTitulo = QStringLiteral("Aviso al Operador");
// Articles read per query when their accounts are looked up.
constexpr qsizetype kArticulosPorConsulta = 500;

bool Igual(const QString& a, const char* b) {
    return a.trimmed().compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// The key under which the database finds a code: case folded, trailing blanks ignored.
QString Clave(const QString& codigo) {
    qsizetype fin = codigo.size();
    while (fin > 0 && codigo.at(fin - 1).isSpace())
        --fin;
    return codigo.left(fin).toCaseFolded();
}

// What the movement kind decides: the cost column, the side of the motive line and whether
// the entry goes on. Replaces the motive from its setting where the kind says so.
struct Movimiento {
    int columnaCosto = 38;
    bool sigue = true;
};

Movimiento AplicaTipoMovimiento(ClsCmnCptesPosteo& cls, const Grilla& grid, QString& motivo,
                                const QString& TC, bool& EsDebito, qint16 TipoMov) {
    const bool dif = grid.Name().compare(QLatin1String("MSFlexGridDif"), Qt::CaseInsensitive) == 0;
    const auto reemplaza = [&](const char* clave) {
        if (!dif) {
            QString aux;
            motivo = Cfg(QLatin1String(clave), aux);
        }
    };
    Movimiento m;
    switch (TipoMov) {
    case 1:
        reemplaza("MotivoStockRemito");
        EsDebito = !dif;
        return m;
    case 2:
        reemplaza("MotivoStockComodato");
        EsDebito = !dif;
        return m;
    case 3:
        reemplaza("MotivoStockTransferencias");
        EsDebito = !dif;
        return m;
    case 4:
        reemplaza("MotivoStockTransferencias");
        EsDebito = dif;
        return m;
    case 5:
        reemplaza("MotivoStockRecepcionOC");
        m.columnaCosto = 17;
        EsDebito = dif;
        return m;
    case 99:
        return m;
    default:
        break;
    }
    if (Igual(TC, "RMC")) {
        reemplaza("MotivoStockRecepcionOC");
        m.columnaCosto = 17;
        EsDebito = dif;
    } else if (UT().EstaEnLista(TC, {"IR", "AJP", "SI"})) {
        EsDebito = false;
    } else if (UT().EstaEnLista(TC, {"VS", "AJN"})) {
        EsDebito = true;
    } else {
        EsDebito = cls.ObtieneSignoComprobante(TC, false) == 0;
    }
    return m;
}

// The cost of goods of an invoice: the side from the invoice type, then the "CMV" voucher and
// its own number in place of the invoice's. False when the type books no cost of goods.
bool PreparaCostoMercaderia(QString& TC, QString& suc, QString& Nro, QString& letra, bool& EsDebito) {
    if (UT().EstaEnLista(TC, {"FC", "TK", "TKFC", "FP", "ND"}))
        EsDebito = true;
    else if (UT().EstaEnLista(TC, {"NC", "NCFP"}))
        EsDebito = false;
    else
        return false;
    TC = QStringLiteral("CMV");
    bool modifica = false;
    Obtener_Nro_Comprobante(TC, suc, Nro, letra, modifica, true, QString(), QString(), false);
    // Its ranges used up (the user was told): no entry under a voucher that has no number.
    return !Nro.isEmpty();
}

// The motive's account and description; nothing when the motive has none (the cost of goods
// without its account is told to the operator).
struct CuentaMotivo {
    QString cuenta;
    QString detalle;
};

std::optional<CuentaMotivo> CuentaDelMotivo(const QString& motivo, bool costoMercaderia) {
    const QString clave = Txt(UT().RellenaCodigo(motivo, 4));
    Registros rs;
    if (costoMercaderia)
        AD().ObtieneRecordset(QStringLiteral("SELECT V_TA_MotivoVta.IdMotivoVta, V_TA_MotivoVta.Descripcion, "
                                             "V_TA_Input_Ventas.COSTO_MERCADERIA "
                                             "FROM V_TA_Input_Ventas INNER JOIN "
                                             "V_TA_MotivoVta ON V_TA_Input_Ventas.IdMotivoVta = "
                                             "V_TA_MotivoVta.IdMotivoVta "
                                             "WHERE V_TA_MotivoVta.IdMotivoVta = ") +
                                  clave,
                              rs);
    else
        AD().ObtieneRecordset(
            QStringLiteral(
                "SELECT CUENTACONTABLE, Descripcion FROM V_TA_MOTIVOSTOCK WHERE IDMOTIVOSTOCK = ") +
                clave,
            rs);
    if (rs.Eof())
        return std::nullopt;
    const QString cuenta = UT().ValorCampo(rs.Fields(costoMercaderia ? QStringLiteral("COSTO_MERCADERIA")
                                                                     : QStringLiteral("CuentaContable")))
                               .toString()
                               .trimmed();
    const QString detalle = UT().ValorCampo(rs.Fields(QStringLiteral("Descripcion"))).toString();
    AD().CierraRecordset(rs);
    if (costoMercaderia && cuenta.isEmpty()) {
        interaccion().MsgBox(
            QStringLiteral(
                "No se puede generar el asiento de Costo de mercaderia!.. no esta configurada la cuenta"),
            Estilo::SoloAceptar | Estilo::Informacion, kTitulo);
        return std::nullopt;
    }
    if (cuenta.isEmpty())
        return std::nullopt;
    return CuentaMotivo{cuenta, detalle};
}

// The month of the voucher date (the system's date texts and ISO text alike).
int MesDeFecha(const QString& fecha) {
    const QString limpia = fecha.trimmed();
    const QString iso = FechaLiteralAIso(limpia).value_or(limpia);
    const QDate dia = QDate::fromString(iso.left(10), Qt::ISODate);
    if (!dia.isValid())
        throw ErrorSistema(13, QStringLiteral("No coinciden los tipos"),
                           QStringLiteral("GeneraAsientoStock"));
    return dia.month();
}

// The distinct articles of the call (codes compared without regard to case) with their amounts.
struct Articulos {
    std::vector<QString> codigos;
    std::vector<Moneda> importes;
    QHash<QString, qsizetype> indice;

    void Suma(const QString& codigo, Moneda importe) {
        const QString clave = Clave(codigo);
        if (const auto it = indice.constFind(clave); it != indice.cend()) {
            importes[static_cast<size_t>(*it)] += importe;
            return;
        }
        indice.insert(clave, static_cast<qsizetype>(codigos.size()));
        codigos.push_back(codigo);
        importes.push_back(importe);
    }
};

void SumaFila(Articulos& articulos, const Grilla& grid, int fila, int columnaCosto) {
    const Moneda cantidad = UT().TextoAMoneda(grid.TextMatrix(fila, 7));
    const Moneda costo = UT().TextoAMoneda(grid.TextMatrix(fila, columnaCosto));
    articulos.Suma(UT().RellenaCodigo(grid.TextMatrix(fila, 0), 25), cantidad * costo);
}

Articulos LeeArticulos(Grilla& grid, qint32 soloRegistro, int columnaCosto) {
    Articulos articulos;
    if (soloRegistro != 0) {
        SumaFila(articulos, grid, soloRegistro, columnaCosto);
        return articulos;
    }
    for (int fila = 1; fila < grid.Rows(); ++fila) {
        grid.setRow(fila);
        SumaFila(articulos, grid, fila, columnaCosto);
    }
    return articulos;
}

struct Cuenta {
    QString cuenta;
    Moneda importe;
};

// The stock accounts of the articles with the sum of their amounts, in the order the database
// groups them. Articles are read a few hundred at a time instead of one query per account and
// article; the lines are the same. The order comes from grouping one article of each account, so
// that no article the voucher does not hold is read.
std::vector<Cuenta> CuentasDeStock(const Articulos& articulos) {
    QHash<QString, qsizetype> posicion; // account key -> slot
    std::vector<Cuenta> porCuenta;
    QStringList representantes; // one article of each account, in the slots' order
    const auto total = static_cast<qsizetype>(articulos.codigos.size());
    for (qsizetype desde = 0; desde < total; desde += kArticulosPorConsulta) {
        QStringList literales;
        for (qsizetype i = desde; i < std::min(total, desde + kArticulosPorConsulta); ++i)
            literales << Txt(articulos.codigos[static_cast<size_t>(i)]);
        Registros rs;
        AD().ObtieneRecordset(QStringLiteral("select idarticulo, cuentacontableC from v_ma_articulos where "
                                             "idarticulo IN (") +
                                  literales.join(QLatin1Char(',')) +
                                  QStringLiteral(") and not cuentacontableC is null"),
                              rs);
        for (; !rs.Eof(); rs.MoveNext()) {
            const auto art = articulos.indice.constFind(Clave(rs.Fields(0).toString()));
            if (art == articulos.indice.cend())
                continue;
            const QString cuenta = rs.Fields(1).toString();
            auto slot = posicion.constFind(Clave(cuenta));
            if (slot == posicion.cend()) {
                slot = posicion.insert(Clave(cuenta), static_cast<qsizetype>(porCuenta.size()));
                porCuenta.push_back({cuenta, Moneda()});
                representantes << Txt(articulos.codigos[static_cast<size_t>(*art)]);
            }
            porCuenta[static_cast<size_t>(*slot)].importe += articulos.importes[static_cast<size_t>(*art)];
        }
        AD().CierraRecordset(rs);
    }
    if (porCuenta.empty())
        return porCuenta;
    Registros rs;
    AD().ObtieneRecordset(QStringLiteral("select cuentacontableC from v_ma_articulos where idarticulo IN (") +
                              representantes.join(QLatin1Char(',')) +
                              QStringLiteral(") and not cuentacontableC is null group by cuentacontableC"),
                          rs);
    std::vector<Cuenta> ordenadas;
    ordenadas.reserve(porCuenta.size());
    std::vector<bool> puesta(porCuenta.size(), false);
    for (; !rs.Eof(); rs.MoveNext()) {
        const auto slot = posicion.constFind(Clave(rs.Fields(0).toString()));
        if (slot == posicion.cend() || puesta[static_cast<size_t>(*slot)])
            continue;
        puesta[static_cast<size_t>(*slot)] = true;
        ordenadas.push_back({rs.Fields(0).toString(), porCuenta[static_cast<size_t>(*slot)].importe});
    }
    AD().CierraRecordset(rs);
    // An account whose article another station moved meanwhile keeps its line, after the others.
    for (size_t i = 0; i < porCuenta.size(); ++i)
        if (!puesta[i])
            ordenadas.push_back(porCuenta[i]);
    return ordenadas;
}

// The values every line of one call shares.
struct Cabecera {
    QString TC, suc, Nro, letra, fecha, detalle, motivo, cuentaMotivo, periodo, tipoReg;
    int mes = 0;
    double nroAsiento = 0;
    Moneda total;
    bool costoMercaderia = false;
    QString tcOrigen, cpteOrigen;
};

QString Importe(Moneda importe) {
    return AD().FormateaValorSQL(importe.ADoble(), QStringLiteral("@"));
}

QString FilaInsert(const Cabecera& c, const QString& cuenta, int secuencia, const QString& lado,
                   Moneda importe) {
    const QString unidad = gUnidadNegocio.compare(QLatin1String("Null"), Qt::CaseInsensitive) == 0
                               ? gUnidadNegocio
                               : AD().FormateaValorSQL(gUnidadNegocio, QStringLiteral("'"));
    const QString caja = gCaja.trimmed();
    ParesCampos& pares = ListaCampos();
    pares = {
        {QStringLiteral("Cuenta"), Txt(cuenta)},
        {QStringLiteral("Secuencia"), Txt(QString::number(secuencia))},
        {QStringLiteral("Mes_Operativo"), Txt(QString::number(c.mes))},
        {QStringLiteral("[Numero Asiento]"), Txt(Decimal(c.nroAsiento))},
        {QStringLiteral("Fecha"), Txt(c.fecha)},
        {QStringLiteral("FechaSubDiario"), Txt(c.fecha)},
        {QStringLiteral("Detalle"), Txt(c.detalle)},
        {QStringLiteral("TC"), Txt(UT().RellenaCodigo(c.TC, 4))},
        {QStringLiteral("SUCURSAL"), Txt(c.suc)},
        {QStringLiteral("NUMERO"), Txt(c.Nro)},
        {QStringLiteral("LETRA"), Txt(c.letra)},
        {QStringLiteral("PERIODO"), Txt(c.periodo)},
        {QStringLiteral("Tipo_Reg"), Txt(c.tipoReg)},
        {QStringLiteral("[DEBE-HABER]"), Txt(lado)},
        {QStringLiteral("FechaHora_Grabacion"), AD().FormateaValorSQL(Ahora(), QStringLiteral("'"))},
        {QStringLiteral("USUARIO_LOGEADO"), Txt(gUsuarioLogeado)},
        {QStringLiteral("Importe"), Importe(importe)},
        {QStringLiteral("Moneda"), QStringLiteral("'   1'")},
        {QStringLiteral("Cotizacion"), QStringLiteral("1")},
        {QStringLiteral("CABImporte"), Importe(c.total)},
        {QStringLiteral("CABCuenta"), Txt(c.cuentaMotivo)},
        {QStringLiteral("CABNombre"), Txt(c.motivo)},
        {QStringLiteral("Unegocio"), unidad},
        {QStringLiteral("IdCajas"),
         caja.isEmpty() ? QStringLiteral("NULL") : Txt(UT().RellenaCodigo(caja, 4))},
    };
    if (c.costoMercaderia) {
        pares.push_back({QStringLiteral("TC_ORIGEN"), Txt(UT().RellenaCodigo(c.tcOrigen.trimmed(), 4))});
        pares.push_back({QStringLiteral("CPTE_ORIGEN"), Txt(c.cpteOrigen)});
    }
    QString sentencia = QStringLiteral("INSERT INTO MV_ASIENTOS ");
    ArmaValues(sentencia, pares, true);
    return sentencia;
}

// The entry's rows of the voucher.
QString CondicionComprobante(const Cabecera& c) {
    return QStringLiteral("TC = ") + Txt(UT().RellenaCodigo(c.TC, 4)) + QStringLiteral(" AND SUCURSAL = ") +
           Txt(c.suc) + QStringLiteral(" AND NUMERO = ") + Txt(c.Nro) + QStringLiteral(" AND LETRA = ") +
           Txt(c.letra);
}

// The statement of one line: in per-row mode an UPDATE when the entry already has the line of
// this account and side.
QString Sentencia(const Cabecera& c, qint32 soloRegistro, const QString& cuenta, int secuencia,
                  const QString& lado, Moneda importe) {
    if (soloRegistro != 0) {
        const QString condicion = QStringLiteral(" WHERE ") + CondicionComprobante(c) +
                                  QStringLiteral(" AND CUENTA = ") + Txt(cuenta) +
                                  QStringLiteral(" AND [DEBE-HABER] = ") + Txt(lado);
        Registros rs;
        AD().ObtieneRecordset(QStringLiteral("SELECT * FROM MV_ASIENTOS  with(nolock) ") + condicion, rs);
        const bool existe = !rs.Eof();
        AD().CierraRecordset(rs);
        if (existe)
            return QStringLiteral("UPDATE MV_ASIENTOS SET IMPORTE = IMPORTE + ") + Importe(importe) +
                   condicion;
    }
    return FilaInsert(c, cuenta, secuencia, lado, importe);
}

// The lines of the entry: the motive line for the total, then one per stock account. A
// negative amount goes, made positive, to the other side, so the entry always balances; a
// line of 0 is not written, its sequence number is used up all the same.
QString Renglones(const Cabecera& c, const std::vector<Cuenta>& cuentas, qint32 soloRegistro, bool EsDebito,
                  int secuencia) {
    const QString debe = QStringLiteral("D");
    const QString haber = QStringLiteral("H");
    const QString& ladoMotivo = EsDebito ? debe : haber;
    const QString& ladoCuentas = EsDebito ? haber : debe;
    QString texto;
    const auto agrega = [&](const QString& cuenta, int sec, Moneda importe, bool ladoDelMotivo) {
        if (importe.EsCero())
            return;
        if (importe < Moneda())
            ladoDelMotivo = !ladoDelMotivo;
        const Moneda absoluto = importe < Moneda() ? -importe : importe;
        texto += QStringLiteral("\r\n") +
                 Sentencia(c, soloRegistro, cuenta, sec, ladoDelMotivo ? ladoMotivo : ladoCuentas, absoluto);
    };
    agrega(c.cuentaMotivo, secuencia, c.total, true);
    for (size_t j = 0; j < cuentas.size(); ++j)
        agrega(cuentas[j].cuenta, secuencia + static_cast<int>(j) + 1, cuentas[j].importe, false);
    return texto;
}

// A per-row entry adds each later row's amount to the lines stored.
UsoAsientos UsoDe(qint32 soloRegistro) {
    return soloRegistro == 0 ? UsoAsientos::Tanda : UsoAsientos::PorLinea;
}

// Registration type and entry number (step 8); false when the entry is not made.
// With `conserva` a per-row entry draws a number only when it has none; `sorteado` tells that
// this call drew it.
bool NumeraAsiento(Cabecera& c, qint32 soloRegistro, double& nroAsientoActual, bool conserva,
                   bool& sorteado) {
    // A number drawn from a table that has no twin to store its entry in: refused before the
    // entry's first look-up, which would not find the table (a cost of goods was asked already).
    if (!c.costoMercaderia && (soloRegistro <= 1 || nroAsientoActual == 0))
        if (const auto sinTabla = AsientosSinTabla(UsoDe(soloRegistro)))
            throw DatoRechazado{*sinTabla};
    if (soloRegistro == 0) {
        QString referencia;
        if (ExisteAsiento(c.TC, c.suc, c.Nro, c.letra, referencia, QString(), true)) {
            interaccion().MsgBox(QStringLiteral("El comprobante ya ha Sido Cargado. Asiento ") + referencia,
                                 Estilo::SoloAceptar | Estilo::Informacion, kTitulo);
            return false;
        }
    }
    const quint64 abandonos = Abandonos();
    c.tipoReg = ObtieneTipoRegCont(c.TC);
    // A number is drawn whenever there is none yet, so no entry is stored with number 0. The
    // next of a batch is also past what other stations stored meanwhile.
    sorteado = true;
    if (soloRegistro == 0 && nroAsientoActual != 0) {
        if (nroAsientoActual >= std::numeric_limits<qint32>::max())
            throw ErrorSistema(6,
                               QStringLiteral("Desbordamiento: el número de asiento pasaría de ") +
                                   QString::number(std::numeric_limits<qint32>::max()),
                               QStringLiteral("GeneraAsientoStock"));
        nroAsientoActual = std::max(nroAsientoActual + 1,
                                    static_cast<double>(ObtieneNroAsiento(c.mes, c.periodo, c.tipoReg)));
    } else if ((soloRegistro <= 1 && !conserva) || nroAsientoActual == 0)
        nroAsientoActual = ObtieneNroAsiento(c.mes, c.periodo, c.tipoReg);
    else
        sorteado = false;
    // A look-up the user left through its error exit makes no entry, and tells nothing more.
    if (Abandonos() != abandonos)
        return false;
    // One that went on without its number (Ignore) cannot make one either: the caller is told.
    if (nroAsientoActual == 0)
        throw ErrorSistema(5, QStringLiteral("No se obtuvo el número de asiento: el asiento no se grabó"),
                           QStringLiteral("GeneraAsientoStock"));
    if (c.tipoReg.isEmpty()) {
        interaccion().MsgBox(QStringLiteral("No se ha informado El Tipo de Registro que generará el Asiento, "
                                            "corrija esto desde configuración y vuelva a intentarlo"),
                             Estilo::SoloAceptar | Estilo::Informacion, kTitulo);
        return false;
    }
    c.nroAsiento = nroAsientoActual;
    return true;
}

bool TipoExcluido(const QString& TC, qint16 TipoMov) {
    if (TipoMov != 99 && UT().EstaEnLista(TC, {"FC", "TK", "FKFC", "FP", "NC", "NCP", "ND"}))
        return true;
    return UT().EstaEnLista(TC, {"FCC", "FPC", "NCC", "LNCC", "NCCP", "NDC", "LNDC"});
}

} // namespace

QString ClsCmnCptesPosteo::GeneraAsientoStock(Grilla& grid, QString& eMotivoStock, QString& TC, QString& suc,
                                              QString& Nro, QString& letra, const QString& Fecha,
                                              bool& EsDebito, qint16 TipoMov, qint32 SoloRegistro,
                                              qint16& Secuencia) {
    try {
        return AsientoStock(grid, eMotivoStock, TC, suc, Nro, letra, Fecha, EsDebito, TipoMov, SoloRegistro,
                            Secuencia);
    } catch (const DatoRechazado& e) {
        // A voucher form catches the program's errors: the same words, as one of them.
        throw ErrorSistema(5, e.mensaje, QStringLiteral("GeneraAsientoStock"));
    }
}

QString ClsCmnCptesPosteo::AsientoStock(Grilla& grid, QString& eMotivoStock, QString& TC, QString& suc,
                                        QString& Nro, QString& letra, const QString& Fecha, bool& EsDebito,
                                        qint16 TipoMov, qint32 SoloRegistro, qint16& Secuencia) {
    if (!AsientosXStock)
        return {};
    eMotivoStock.remove(QLatin1Char('\''));
    if (TipoExcluido(TC, TipoMov))
        return {};
    const Movimiento mov = AplicaTipoMovimiento(*this, grid, eMotivoStock, TC, EsDebito, TipoMov);
    Cabecera c;
    if (TipoMov == 99) {
        // Its own number is drawn from the entries, before NumeraAsiento could refuse them.
        if (const auto sinTabla = AsientosSinTabla(UsoDe(SoloRegistro)))
            throw DatoRechazado{*sinTabla};
        c.costoMercaderia = true;
        c.tcOrigen = TC;
        c.cpteOrigen = suc + Nro + letra;
        if (!PreparaCostoMercaderia(TC, suc, Nro, letra, EsDebito))
            return {};
    }
    const auto motivo = CuentaDelMotivo(eMotivoStock, c.costoMercaderia);
    if (!motivo)
        return {};
    c.cuentaMotivo = motivo->cuenta;
    c.detalle = motivo->detalle;
    c.TC = TC;
    c.suc = suc;
    c.Nro = Nro;
    c.letra = letra;
    c.fecha = Fecha;
    c.motivo = eMotivoStock;
    c.periodo = QString::number(gPeriodo);
    c.mes = MesDeFecha(Fecha);
    bool sorteado = false;
    if (!NumeraAsiento(c, SoloRegistro, NroAsientoActual, asientoDelPosteo_, sorteado))
        return {};
    const Articulos articulos = LeeArticulos(grid, SoloRegistro, mov.columnaCosto);
    if (articulos.codigos.empty())
        return {};
    const std::vector<Cuenta> cuentas = CuentasDeStock(articulos);
    const int primera = Secuencia;
    if (primera + static_cast<qint64>(cuentas.size()) + 1 > std::numeric_limits<qint16>::max())
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"), QStringLiteral("GeneraAsientoStock"));
    for (const Cuenta& cuenta : cuentas)
        c.total += cuenta.importe;
    Secuencia = static_cast<qint16>(primera + static_cast<int>(cuentas.size()) + 1);
    QString renglones = Renglones(c, cuentas, SoloRegistro, EsDebito, primera);
    // An entry goes in only while no other voucher holds its number: checked where the number is
    // first stored (a per-row entry's later rows keep it, or add to lines stored already).
    if (renglones.isEmpty() ||
        (SoloRegistro != 0 && (!sorteado || !renglones.contains(QLatin1String("INSERT INTO MV_ASIENTOS ")))))
        return renglones;
    const auto numero = static_cast<qint32>(c.nroAsiento);
    return QStringLiteral("\r\n") +
           ControlAsientoTomado(c.mes, c.periodo, c.tipoReg, numero, SoloRegistro == 0) + renglones +
           ControlAsientoEnSuTabla(c.mes, c.periodo, c.tipoReg, numero, CondicionComprobante(c),
                                   SoloRegistro == 0);
}

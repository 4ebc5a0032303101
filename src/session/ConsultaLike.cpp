#include "ConsultaLike.h"

#include "Configuracion.h"
#include "DefinicionesConsulta.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Regional.h"
#include "ReportaError.h"
#include "Utilidades.h"
#include "ValoresConfiguracion.h"
#include "VentanaConsulta.h"

#include <algorithm>
#include <limits>

namespace {

// The escape character of the LIKE patterns, and what it escapes: the wildcards of every
// database ("%", "_"), the server's character class ("[") and itself.
constexpr QChar kEscapeLike = u'!';
bool EsComodinLike(QChar c) {
    return c == u'%' || c == u'_' || c == u'[' || c == kEscapeLike;
}

const QString kStk = QStringLiteral("STK_MA_ARTICULOS");
const QString kArticulos = QStringLiteral("V_MA_ARTICULOS");
const QString kAviso = QStringLiteral("Aviso al Operador");
const QString kSinCampos = QStringLiteral("No hay seleccionados campos personalizados para la consulta de ");

bool Es(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What one search shows: the statement (none: no window), the key column, a message shown
// before, and whether the choice is read back.
struct Plan {
    QString sql;
    QString clave;
    QString mensaje;
    int icono = Estilo::Critico;
    bool coleccion = false;
    bool leeEleccion = true;
    bool destinatarios = false;
};

qint32 LimiteFilas() {
    const double v = RedondeoBanquero(ValNumero(Cfg(QStringLiteral("TopConsArt"))));
    if (v == 0)
        return 1000;
    if (v > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    return v < std::numeric_limits<qint32>::min() ? std::numeric_limits<qint32>::min()
                                                  : static_cast<qint32>(v);
}

QString Top() {
    return QStringLiteral("SELECT top ") + QString::number(gTopConsulta) + u' ';
}

QString Y(const QString& c) {
    return c.trimmed().isEmpty() ? QString() : QStringLiteral(" AND ");
}

// The definition's condition goes before the caller's.
bool CondicionDefinicion(const QString& tabla, QString& c) {
    RegistroConsulta r;
    if (!BuscaDefinicionConsulta(tabla, r))
        return false;
    const QString propia = r.Condicion.trimmed();
    if (c.isEmpty())
        c = propia;
    else if (!propia.isEmpty())
        c = propia + QStringLiteral(" and ") + c;
    return true;
}

struct Entrada {
    QString& texto; // the caller's
    bool soloActivos;
    QString condicion;
    bool imagen;
};

void ColumnasArticulo(const QString& t, const Entrada& e, const QString& c, QString& campos,
                      QString& primero) {
    ArmaCamposArticulos(t, campos, primero);
    if (e.imagen)
        campos += campos.contains(kStk) ? QStringLiteral(",STK_MA_ARTICULOS.RutaImagen ")
                                        : QStringLiteral(",RutaImagen ");
    if (c.contains(QLatin1String("idlista"), Qt::CaseInsensitive)) {
        const QString precio = QStringLiteral("V_MA_PRECIOS.PRECIO");
        campos =
            campos.replace(QStringLiteral("STK_MA_ARTICULOS.PRECIO"), precio, Qt::CaseInsensitive).trimmed();
        campos =
            campos.replace(QStringLiteral("V_MA_ARTICULOS.PRECIO"), precio, Qt::CaseInsensitive).trimmed();
    }
}

Plan Articulos(const QString& t, Entrada& e) {
    Plan p;
    if (e.texto.trimmed().isEmpty() && gExigeClaveConsultaLikeArticulos) {
        p.mensaje =
            QStringLiteral("Atención, por la gran cantidad de Artículos existentes al consultar se debe "
                           "ingresar al menos parte de la clave...");
        p.icono = Estilo::Pregunta;
        return p;
    }
    p.clave = QStringLiteral("IDARTICULO");
    p.coleccion = true;
    QString c = e.condicion;
    QString join;
    if (c.contains(QLatin1String("idlista"), Qt::CaseInsensitive))
        join = QStringLiteral(" LEFT OUTER JOIN V_MA_Precios ON ") + t +
               QStringLiteral(".IdArticulo = V_MA_Precios.IdArticulo ");
    QString campos;
    QString primero;
    if (e.texto.isEmpty()) {
        ColumnasArticulo(t, e, c, campos, primero);
        const QString w = c.trimmed().isEmpty() ? c : QStringLiteral(" where ") + c;
        p.sql = Top() + campos + QStringLiteral(" FROM ") + t + QStringLiteral("  with(nolock) ") + join + w;
        return p;
    }
    if (e.soloActivos) {
        c = QStringLiteral("SUSPENDIDO = 0");
        ColumnasArticulo(t, e, c, campos, primero);
        primero = QStringLiteral("IdArticulo");
    } else {
        ColumnasArticulo(t, e, c, campos, primero);
    }
    const bool cualquierParte = CfgEsSi(QStringLiteral("UsaConsultaLIKE"));
    // What the user typed matches itself; a blank becomes a wildcard when the setting asks.
    const QString escape = EscapeLike(e.texto);
    QString patron = TextoLike(e.texto);
    if (cualquierParte && !e.soloActivos) {
        e.texto.replace(u' ', u'%');
        patron.replace(u' ', u'%');
    }
    patron = patron.trimmed();
    if (cualquierParte)
        p.sql = Top() + campos + QStringLiteral(" FROM ") + t + QStringLiteral(" with(nolock)  ") + join +
                QStringLiteral(" WHERE ") + primero + QStringLiteral(" LIKE '%") + patron +
                QStringLiteral("%'") + escape + QStringLiteral(" ") + Y(c) + c;
    else
        p.sql = Top() + campos + QStringLiteral(" FROM ") + t + QStringLiteral("  with(nolock) ") + join +
                QStringLiteral(" WHERE ") + primero + QStringLiteral(" LIKE '") + patron +
                QStringLiteral("%'") + escape + QStringLiteral(" ") + Y(c) + c;
    return p;
}

// The SELECT of the other branches: `desde` and `desdeTexto` follow the column list (the FROM
// and the hint; for the fixed texts, the whole FROM).
QString Sentencia(const QString& campos, const QString& primero, const QString& texto, const QString& c,
                  const QString& desde, const QString& desdeTexto) {
    if (texto.isEmpty())
        return Top() + campos + desde + (c.trimmed().isEmpty() ? c : QStringLiteral(" WHERE ") + c);
    return Top() + campos + desdeTexto + primero + QStringLiteral(" LIKE '%") + TextoLike(texto.trimmed()) +
           QStringLiteral("%'") + EscapeLike(texto) + Y(c) + c;
}

Plan Clientes(const QString& tabla, const Entrada& e) {
    Plan p;
    p.clave = QStringLiteral("CODIGO");
    const QString c = e.condicion.trimmed().isEmpty() ? QStringLiteral("Dada_De_Baja = 0")
                                                      : e.condicion + QStringLiteral(" and Dada_De_Baja = 0");
    QString campos;
    QString primero;
    ArmaCamposArticulos(QStringLiteral("VT_CLIENTES"), campos, primero);
    if (campos.trimmed() == QLatin1String("*")) {
        p.mensaje = kSinCampos + QStringLiteral("Clientes");
        p.sql = Top() + QStringLiteral("* FROM VT_CLIENTES  with(nolock) ");
        p.leeEleccion = false;
        return p;
    }
    if (e.texto.isEmpty()) {
        p.sql = Sentencia(campos, primero, e.texto, c,
                          QStringLiteral(" FROM ") + tabla + QStringLiteral(" with(nolock)  "), {});
        return p;
    }
    const QString t = TextoLike(e.texto.trimmed());
    const QString escape = EscapeLike(e.texto);
    p.sql = Top() + campos + QStringLiteral(" FROM ") + tabla + QStringLiteral(" with(nolock)  WHERE (") +
            primero + QStringLiteral(" LIKE '%") + t + QStringLiteral("%'") + escape +
            QStringLiteral(" OR NUMERO_DOCUMENTO LIKE '%") + t + QStringLiteral("%'") + escape +
            QStringLiteral(") ") + Y(c) + c;
    return p;
}

Plan Destinatarios(const Entrada& e) {
    Plan p;
    p.clave = QStringLiteral("ID");
    p.coleccion = true;
    p.destinatarios = true;
    const QString& c = e.condicion;
    const QString base =
        QStringLiteral("SELECT  Nombre, Domicilio, Cliente + Codigo + Sucursal AS Id From ma_destinatarios ");
    if (e.texto.isEmpty())
        p.sql = base + (c.trimmed().isEmpty() ? c : QStringLiteral(" WHERE ") + c);
    else
        p.sql = base + QStringLiteral("WHERE Nombre LIKE '%") + TextoLike(e.texto.trimmed()) +
                QStringLiteral("%'") + EscapeLike(e.texto) + QStringLiteral("  ") + Y(c) + c;
    return p;
}

// A branch whose statement is the definition's columns with a FROM of its own.
struct Rama {
    const char* tabla;
    const char* clave;
    const char* entidad;     // the no-columns message's entity; nullptr: no message
    const char* desde;       // nullptr: " FROM " + table + hint
    const char* hint;        // after the table, no text typed
    const char* desdeTexto;  // nullptr: " FROM " + table + hintTexto
    const char* hintTexto;   // after the table, text typed
    const char* primero;     // first column when empty (or always, for the cattle lots)
    const char* sinColumnas; // columns when empty or "*"
};

const Rama kRamas[] = {
    {"VT_PROVEEDORES", "CODIGO", "Proveedores", " FROM VT_PROVEEDORES  with(nolock) ", nullptr,
     " FROM VT_PROVEEDORES  with(nolock) WHERE ", nullptr, nullptr, nullptr},
    {"MA_CONTACTOS", "idContacto", "Contactos", " FROM MA_CONTACTOS  with(nolock) ", nullptr,
     " FROM MA_CONTACTOS  with(nolock) WHERE ", nullptr, nullptr, nullptr},
    {"MA_CUENTAS", "CODIGO", "Cuentas", nullptr, "  with(nolock) ", nullptr, "  with(nolock)   WHERE ",
     nullptr, nullptr},
    {"VT_MAPINFO_CALLES", "STREET", nullptr, nullptr, "  with(nolock) ", nullptr, "  with(nolock)   WHERE ",
     " STREET ", " STREET "},
    {"MAPINFO_LOCALIDADES", "LOCALIDAD", nullptr, nullptr, "  with(nolock) ", nullptr,
     "  with(nolock)   WHERE ", " LOCALIDAD ", " LOCALIDAD,PARTIDO,Cod_postal"},
    {"V_MA_EMAIL", "EVENTO", "E-MAIL", " FROM V_MA_EMAIL  with(nolock) ", nullptr,
     " FROM V_MA_EMAIL  with(nolock) WHERE ", nullptr, "Evento", "Evento"},
    {"V_MV_TROPA", "DTE", "Tropas", nullptr, "  with(nolock) ", nullptr, "  with(nolock) WHERE ", "DTe",
     nullptr},
};

QString Texto(const char* t) {
    return t ? QString::fromUtf8(t) : QString();
}

Plan ConRama(const Rama& r, const QString& tabla, const Entrada& e) {
    Plan p;
    p.clave = Texto(r.clave);
    QString c = e.condicion;
    if (Es(tabla, QStringLiteral("VT_PROVEEDORES")) && c.trimmed().isEmpty())
        c = QStringLiteral("Dada_De_Baja = 0");
    QString campos;
    QString primero;
    ArmaCamposArticulos(tabla, campos, primero);
    // The cattle lots always search their dispatch number.
    if (Es(tabla, QStringLiteral("V_MV_TROPA")) || (r.primero && primero.isEmpty()))
        primero = Texto(r.primero);
    if (r.sinColumnas && (campos.trimmed().isEmpty() || campos.trimmed() == QLatin1String("*")))
        campos = Texto(r.sinColumnas);
    if (campos.trimmed() == QLatin1String("*")) {
        p.mensaje = kSinCampos + Texto(r.entidad);
        return p;
    }
    const QString desde = r.desde ? Texto(r.desde) : QStringLiteral(" FROM ") + tabla + Texto(r.hint);
    const QString desdeTexto =
        r.desdeTexto ? Texto(r.desdeTexto) : QStringLiteral(" FROM ") + tabla + Texto(r.hintTexto);
    p.sql = Sentencia(campos, primero, e.texto, c, desde, desdeTexto);
    return p;
}

Plan Otra(const QString& tabla, const Entrada& e) {
    Plan p;
    // The key column is the first column before the list is built: none, so the window gives
    // back the first column.
    QString campos;
    QString primero;
    ArmaCamposArticulos(tabla, campos, primero);
    if (campos.trimmed() == QLatin1String("*")) {
        p.mensaje = kSinCampos + tabla;
        return p;
    }
    p.sql = Sentencia(campos, primero, e.texto, e.condicion,
                      QStringLiteral(" FROM ") + tabla + QStringLiteral(" with(nolock)  "),
                      QStringLiteral(" FROM ") + tabla + QStringLiteral(" with(nolock)    WHERE "));
    return p;
}

Plan PlanBusqueda(const QString& tabla, const QString& pasada, Entrada& e) {
    if (Es(tabla, kArticulos))
        return Articulos(pasada, e);
    if (Es(tabla, QStringLiteral("VT_CLIENTES")) || Es(tabla, QStringLiteral("VT_CLIENTESvs")))
        return Clientes(tabla, e);
    if (Es(tabla, QStringLiteral("MA_DESTINATARIOS")))
        return Destinatarios(e);
    for (const Rama& r : kRamas)
        if (Es(tabla, QString::fromLatin1(r.tabla)))
            return ConRama(r, tabla, e);
    return Otra(tabla, e);
}

int Reporta(const ErrorSistema& error) {
    return ReportaError(error, Estilo::AbortarReintentarIgnorar | Estilo::Critico,
                        QStringLiteral("SubConsultaLike"));
}

} // namespace

QString TextoLike(const QString& texto) {
    QString r;
    r.reserve(texto.size() + 8);
    for (const QChar c : texto) {
        if (c == u'\'')
            r += u'\'';
        else if (EsComodinLike(c))
            r += kEscapeLike;
        r += c;
    }
    return r;
}

QString EscapeLike(const QString& texto) {
    return std::any_of(texto.cbegin(), texto.cend(), EsComodinLike)
               ? QStringLiteral(" ESCAPE '") + kEscapeLike + QLatin1Char('\'')
               : QString();
}

void ArmaCamposArticulos(const QString& Tabla, QString& Campos, QString& PrimerCampo) {
    PrimerCampo = QString();
    const QString tabla = Tabla.trimmed();
    const bool stock = Es(tabla, kStk);
    bool conDeposito = false;
    RegistroConsulta r;
    const bool hay = BuscaDefinicionConsulta(
        [&](const RegistroConsulta& d) {
            const QString propia = d.Tabla.trimmed();
            if (Es(propia, tabla))
                return true;
            conDeposito = stock && Es(propia, kArticulos);
            return conDeposito;
        },
        r);
    if (hay) {
        QString lista;
        if (stock || Es(tabla, kArticulos)) {
            lista = UT().LimpiaLista(r.Campos);
            if (lista.endsWith(u'|'))
                lista.chop(1);
            lista = lista.replace(u'|', u',' + (stock ? kStk : kArticulos) + u'.').trimmed();
        } else {
            lista = QString(r.Campos).replace(u'|', u',').trimmed();
        }
        if (lista.startsWith(u','))
            lista.remove(0, 1);
        if (lista.endsWith(u','))
            lista.chop(1);
        // A single column is the first one too.
        const qsizetype coma = lista.indexOf(u',');
        PrimerCampo = coma < 0 ? lista : lista.left(coma);
        if (conDeposito)
            lista += gMostrarStockenConsultas ? QStringLiteral(",Deposito,Stock,PuntoPedido")
                                              : QStringLiteral(",Deposito");
        Campos = lista;
    }
    if (Campos.trimmed().isEmpty())
        Campos = QStringLiteral("*");
}

void SubConsultaLike(QString& Tabla, QString& Texto, QString& Resultado, qint16, bool SoloActivos,
                     const QString& Condicion, QString* Cliente, QString* Auxiliar, QString* Sucursal) {
    bool imagen = false;
    bool creado = false;
    bool definida = false;
    QString pasada;
    QString c;
    for (;;) {
        if (!EjecutaPasos({[&] { imagen = CfgEsSi(QStringLiteral("ConsultaArticuloConImagen")); },
                           [&] { gTopConsulta = LimiteFilas(); },
                           [&] {
                               c = Condicion;
                               pasada = Tabla;
                               if (Es(Tabla, kStk))
                                   Tabla = kArticulos;
                           },
                           [&] {
                               if (Texto == gTituloClientes)
                                   Texto = QString();
                               if (Texto == gTituloProveedores)
                                   Texto = QString();
                           },
                           [&] { definida = CondicionDefinicion(Tabla, c); }},
                          Reporta))
            return;
        // A cattle-lot view without its definition gets it written, once.
        if (definida || creado || !ExisteArchivoConsultas())
            break;
        CreaConsultasTropa(Tabla);
        creado = true;
    }

    // The search box of the window shows what the user's text searches for (blanks around it
    // search nothing).
    const QString buscado = Texto.trimmed();
    Entrada e{Texto, SoloActivos, c, imagen};
    Plan p;
    if (!EjecutaPasos({[&] { p = PlanBusqueda(Tabla, pasada, e); }}, Reporta))
        return;
    if (!p.mensaje.isEmpty())
        interaccion().MsgBox(p.mensaje, Estilo::SoloAceptar | p.icono, kAviso);
    if (p.sql.isEmpty())
        return;
    // Another text typed into the window's box is searched as this one was.
    const auto otraBusqueda = [tabla = Tabla, pasada, SoloActivos, c, imagen](const QString& texto) {
        QString otro = texto;
        Entrada otra{otro, SoloActivos, c, imagen};
        return PlanBusqueda(tabla, pasada, otra).sql;
    };
    QString elegido;
    if (!EjecutaPasos(
            {[&] { VC().setCampoClave(p.clave); }, [&] { VC().setTextoBuscado(buscado, otraBusqueda); },
             [&] { VC().MuestraConsulta(p.sql, p.coleccion ? &VC().ColeccionConsulta() : nullptr); },
             [&] { elegido = UT().ValorATexto(VC().ValorElegido()); }},
            Reporta))
        return;
    if (!p.leeEleccion)
        return;
    Resultado = elegido.trimmed();
    Tabla = pasada;
    if (p.destinatarios && !Resultado.isEmpty()) {
        // The Id is customer (4), code (16) and branch (6) joined.
        Resultado = elegido.mid(4, 16).trimmed();
        if (Sucursal)
            *Sucursal = elegido.mid(20, 6).trimmed();
        if (Auxiliar)
            *Auxiliar = QString();
        if (Cliente)
            *Cliente = elegido.left(4).trimmed();
    }
}

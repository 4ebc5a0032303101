// Translation of a stock posting's statements: 10,000 INSERTs of 26 columns (dates among them, and
// texts shaped like dates) and the date conditions of the voucher queries. The baseline is a
// minimal hand-written pass that knows only what these statements hold and writes the same text:
// the INSERT's column list read to find its date column, the date literal at that position in
// VALUES and the one compared with a date column turned into ISO text, the lock hint dropped.
// The translation does that and must also look for every other construct it rewrites. Both sides
// must give the same texts; they are measured in turns, the best of several rounds counts.

#include "Medidas.h"
#include "TiempoProceso.h"
#include "TraductorSql.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <vector>

namespace {

QStringList Sentencias() {
    QStringList s;
    s.reserve(11000);
    for (int i = 0; i < 10000; ++i) {
        const QString fecha = QStringLiteral("%1/%2/24 %3:%4")
                                  .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                  .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                  .arg(i % 24, 2, 10, QLatin1Char('0'))
                                  .arg(i % 60, 2, 10, QLatin1Char('0'));
        s << QStringLiteral(
                 "INSERT INTO V_MV_STOCK(TC,IdComprobante,IdComplemento,Secuencia,Fecha,IdDeposito,"
                 "IdArticulo,Descripcion,NroLote,IdUnidad,CantidadUd,IdUnidadBase,equiv_udbase,"
                 "Cantidad,IdCaja,CuentaProveedor,IdMotivoStock,PrecioVenta,Importe_S_iva,Costo,"
                 "Tc_Origen,IdComprobante_Origen,ControladoPor,Unegocio,ARTMONEDA,ARTCOTIZACION) "
                 "VALUES ('  TR','0001%1X',0,%2,'%3','   1','%4','Artículo %4','%5','  UN',1.5,"
                 "'  UN',1,1.5,'   1','','   3',10.25,10.25,8.5,'','','','   1','1',1)")
                 .arg(i, 8, 10, QLatin1Char('0'))
                 .arg(i % 50 + 1)
                 .arg(fecha)
                 .arg(1001 + i % 300, 25)
                 .arg(i % 7 == 0 ? fecha.left(8) : QStringLiteral("L%1").arg(i));
        if (i % 10 == 0)
            s << QStringLiteral("SELECT * FROM V_MV_CPTE  with(nolock)  WHERE TC = '  NP' and fecha >= '%1' "
                                "AND NOMBRE LIKE '%%%2%%' ORDER BY FECHA DESC")
                     .arg(fecha.left(8))
                     .arg(i);
    }
    return s;
}

// "dd/mm/yy" or "dd/mm/yy hh:mm" as "20yy-mm-dd hh:mm:00"; nothing for any other text.
bool FechaIso(QStringView t, QString& salida) {
    if ((t.size() != 8 && t.size() != 14) || t[2] != u'/' || t[5] != u'/' ||
        (t.size() == 14 && (t[8] != u' ' || t[11] != u':')))
        return false;
    salida += u"20";
    salida += t.mid(6, 2);
    salida += u'-';
    salida += t.mid(3, 2);
    salida += u'-';
    salida += t.left(2);
    if (t.size() == 8) {
        salida += u" 00:00:00";
    } else {
        salida += t.mid(8, 6);
        salida += u":00";
    }
    return true;
}

// A quoted literal at `i` copied, or written as ISO text when `fecha` and it is one of the dates.
qsizetype Literal(QStringView s, qsizetype i, bool fecha, QString& salida) {
    const qsizetype fin = s.indexOf(u'\'', i + 1);
    salida += u'\'';
    if (!fecha || !FechaIso(s.mid(i + 1, fin - i - 1), salida))
        salida += s.mid(i + 1, fin - i - 1);
    salida += u'\'';
    return fin + 1;
}

// The INSERT: the position of its date column, then its VALUES copied literal by literal.
QString Insert(QStringView s) {
    const qsizetype abre = s.indexOf(u'(');
    const qsizetype cierra = s.indexOf(u')', abre);
    qsizetype posicionFecha = -1;
    qsizetype columna = 0;
    for (qsizetype i = abre + 1, inicio = i; i <= cierra; ++i)
        if (s[i] == u',' || s[i] == u')') {
            if (s.mid(inicio, i - inicio).contains(u"FECHA", Qt::CaseInsensitive))
                posicionFecha = columna;
            ++columna;
            inicio = i + 1;
        }
    const qsizetype valores = s.indexOf(u'(', cierra) + 1;
    QString salida;
    salida.reserve(s.size() + 8);
    salida += s.left(valores);
    columna = 0;
    for (qsizetype i = valores; i < s.size();) {
        qsizetype j = i;
        for (; j < s.size() && s[j] != u'\''; ++j)
            columna += s[j] == u',' ? 1 : 0;
        salida += s.mid(i, j - i);
        if (j == s.size())
            break;
        i = Literal(s, j, columna == posicionFecha, salida);
    }
    return salida;
}

// The query: the lock hint and its blanks dropped, the literal compared with "fecha" as ISO text.
QString Select(QStringView s) {
    QString salida;
    salida.reserve(s.size() + 8);
    const qsizetype hint = s.indexOf(u"with(nolock)", 0, Qt::CaseInsensitive);
    qsizetype i = 0;
    if (hint >= 0) {
        salida += s.left(hint);
        i = hint + 12;
        while (i < s.size() && s[i] == u' ')
            ++i;
    }
    const qsizetype comparacion = s.indexOf(u"fecha >= '", i, Qt::CaseInsensitive);
    if (comparacion < 0)
        return salida.append(s.mid(i));
    salida += s.mid(i, comparacion + 9 - i);
    i = Literal(s, comparacion + 9, true, salida);
    return salida.append(s.mid(i));
}

QString Minimo(const QString& s) {
    return s.startsWith(u"INSERT") ? Insert(s) : Select(s);
}

} // namespace

int main() {
    const QStringList sentencias = Sentencias();
    std::vector<QString> traducidas(size_t(sentencias.size()));
    std::vector<QString> minimas(size_t(sentencias.size()));
    const Turnos turnos{VueltasBench(7), TiempoProceso};
    const std::vector<double> mejores = turnos.Mejores({
        [&] {
            for (qsizetype i = 0; i < sentencias.size(); ++i)
                traducidas[size_t(i)] = TraduceSqlServerASqlite(sentencias[i]);
        },
        [&] {
            for (qsizetype i = 0; i < sentencias.size(); ++i)
                minimas[size_t(i)] = Minimo(sentencias[i]);
        },
    });
    for (size_t i = 0; i < traducidas.size(); ++i)
        if (traducidas[i] != minimas[i] || traducidas[i] == sentencias[qsizetype(i)]) {
            std::fprintf(stderr, "traductor_sql: the texts differ\n%s\n%s\n", qPrintable(traducidas[i]),
                         qPrintable(minimas[i]));
            return 1;
        }
    std::printf("time traduce_sql_base %.6f\n", mejores[1]);
    Informa("traduce_sql", mejores[0], mejores[1]);
    return 0;
}

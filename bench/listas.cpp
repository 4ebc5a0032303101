// Reading a voucher line's pipe lists: a line of 100,000 lot-and-serial entries (and the
// parallel quantities and positions) split, counted, read entry by entry, and reduced to its
// distinct entries, as the stock posting and the line dialogs read it. Each reader is measured
// against a minimal hand-written pass over the same text that gives the same result: one walk
// from "|" to "|" making the same texts, counting, or keeping the distinct entries (any case) in
// a hash set. Both must agree; they are measured in turns, the best of several rounds counts.

#include "ClsCmnCptesLotes.h"
#include "ListaPipe.h"
#include "Medidas.h"
#include "TiempoProceso.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <unordered_set>

namespace {

constexpr int kEntradas = 100000;

struct Listas {
    QString lotes;      // lot, end marker, serial
    QString cantidades; // quantities
    QString posiciones; // position*quantity
};

Listas Genera() {
    QStringList lotes, cantidades, posiciones;
    for (int i = 0; i < kEntradas; ++i) {
        // Every tenth entry repeats an earlier one in another case.
        lotes << (i % 10 == 9
                      ? QStringLiteral("l%1").arg((i - 9) % 977, 6, 10, QLatin1Char('0')) +
                            ListaPipe::MarcaFin + QStringLiteral("sn-%1").arg(i - 9, 7, 10, QLatin1Char('0'))
                      : QStringLiteral("L%1").arg(i % 977, 6, 10, QLatin1Char('0')) + ListaPipe::MarcaFin +
                            QStringLiteral("SN-%1").arg(i, 7, 10, QLatin1Char('0')));
        cantidades << QString::number(1 + i % 5);
        posiciones
            << QStringLiteral("A%1E0%2N1P0%3*%4").arg(1 + i % 2).arg(1 + i % 3).arg(1 + i % 4).arg(i % 9);
    }
    return {ListaPipe::Escribe(lotes), ListaPipe::Escribe(cantidades), ListaPipe::Escribe(posiciones)};
}

// The minimal pass: `f` gets each closed entry of a "|e1|e2|" list (no blanks, as these are).
template <class F> void CadaEntrada(QStringView lista, F f) {
    for (qsizetype desde = 1, barra; (barra = lista.indexOf(u'|', desde)) >= 0; desde = barra + 1)
        f(lista.sliced(desde, barra - desde));
}

QStringList Partes(QStringView lista) {
    QStringList r;
    CadaEntrada(lista, [&](QStringView e) { r.append(e.toString()); });
    r.append(QString());
    return r;
}

struct SinMayusculas {
    size_t operator()(QStringView e) const {
        size_t h = 1469598103934665603ULL;
        for (const QChar c : e) {
            const char16_t u = c.unicode();
            h = (h ^ (u < 0x80 ? (u >= u'A' && u <= u'Z' ? u + 32 : u) : c.toCaseFolded().unicode())) *
                1099511628211ULL;
        }
        return h;
    }
    bool operator()(QStringView a, QStringView b) const { return a.compare(b, Qt::CaseInsensitive) == 0; }
};
using Distintas = std::unordered_set<QStringView, SinMayusculas, SinMayusculas>;

// One reader against its minimal pass: the best times of both, in turns, and their results.
template <class R>
void Compara(const char* nombre, const std::function<R()>& lector, const std::function<R()>& minimo) {
    R a{}, b{};
    const Turnos turnos{VueltasBench(7), TiempoProceso};
    const std::vector<double> t = turnos.Mejores({[&] { a = lector(); }, [&] { b = minimo(); }});
    if (a != b) {
        std::fprintf(stderr, "listas: %s gives another result than the minimal pass\n", nombre);
        std::exit(1);
    }
    std::printf("time %s_base %.6f\n", nombre, t[1]);
    Informa(nombre, t[0], t[1]);
}

} // namespace

int main() {
    const Listas l = Genera();
    Compara<QStringList>(
        "descompone",
        [&] {
            QStringList arreglo;
            ClsCmnCptesLotes::DescomponeSerieLote(l.lotes, arreglo);
            return arreglo;
        },
        [&] { return Partes(l.lotes); });
    // The posting: count the line's elements, then take each one in turn.
    Compara<QStringList>(
        "cuenta_y_extrae",
        [&] {
            const qint32 n = ClsCmnCptesLotes::Cuenta_Series_Lotes(l.cantidades, l.lotes, true);
            QStringList r{QString::number(n),
                          QString::number(ClsCmnCptesLotes::Cantidad_Series_Lotes(l.lotes))};
            for (qint32 j = 1; j <= n; ++j)
                r.append(ClsCmnCptesLotes::ExtraeSerieLote(l.lotes, j));
            return r;
        },
        [&] {
            QStringList r{QString::number(l.cantidades.count(u'|') - 1),
                          QString::number(l.lotes.count(u'|') - 1)};
            CadaEntrada(l.lotes, [&](QStringView e) { r.append(e.toString()); });
            return r;
        });
    Compara<QList<QStringList>>(
        "posiciones_y_lotes",
        [&] {
            QStringList p, c, lo;
            ClsCmnCptesLotes::DescomponePosicionCantidadLote(l.posiciones, l.lotes, p, c, lo);
            return QList<QStringList>{p, c, lo};
        },
        [&] {
            QStringList p, c;
            CadaEntrada(l.posiciones, [&](QStringView e) {
                const qsizetype asterisco = e.indexOf(u'*');
                p.append(e.first(asterisco).toString());
                c.append(e.sliced(asterisco + 1).toString());
            });
            p.append(QString());
            c.append(QString());
            return QList<QStringList>{p, c, Partes(l.lotes)};
        });
    Compara<qint32>(
        "cuenta_lotes_distintos",
        [&] { return ClsCmnCptesLotes::Cuenta_Series_Lotes(QString(), l.lotes, false); },
        [&] {
            Distintas vistas(size_t{kEntradas});
            CadaEntrada(l.lotes, [&](QStringView e) { vistas.insert(e); });
            return qint32(vistas.size());
        });
    Compara<QString>(
        "texto_lotes_distintos", [&] { return ClsCmnCptesLotes::StrSerieLote(l.lotes); },
        [&] {
            Distintas vistas(size_t{kEntradas});
            QString r;
            CadaEntrada(l.lotes, [&](QStringView e) {
                if (vistas.insert(e).second) {
                    r += u' ';
                    r += e;
                }
            });
            return r;
        });
    return 0;
}

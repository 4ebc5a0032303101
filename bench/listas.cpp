// Reading a voucher line's pipe lists: a line of 100,000 lot-and-serial entries (and the
// parallel quantities) is split, counted, and read entry by entry as the stock posting reads it.
// The baseline is a plain split of the same text into a list, measured in turns with the readers;
// the best of several rounds counts.

#include "ClsCmnCptes.h"
#include "ListaPipe.h"
#include "TiempoProceso.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>

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
        lotes << QStringLiteral("L%1").arg(i % 977, 6, 10, QLatin1Char('0')) + ListaPipe::MarcaFin +
                     QStringLiteral("SN-%1").arg(i, 7, 10, QLatin1Char('0'));
        cantidades << QString::number(1 + i % 5);
        posiciones
            << QStringLiteral("A%1E0%2N1P0%3*%4").arg(1 + i % 2).arg(1 + i % 3).arg(1 + i % 4).arg(i % 9);
    }
    return {ListaPipe::Escribe(lotes), ListaPipe::Escribe(cantidades), ListaPipe::Escribe(posiciones)};
}

double Mejor(const std::function<void()>& f, double& mejor) {
    mejor = std::min(mejor, TiempoProceso(f));
    return mejor;
}

} // namespace

int main() {
    const Listas l = Genera();
    qsizetype control = 0;
    double base = 1e9, descompone = 1e9, recorre = 1e9, posiciones = 1e9, distintos = 1e9, texto = 1e9;
    for (int ronda = 0; ronda < 7; ++ronda) {
        Mejor([&] { control += l.lotes.split(u'|').size(); }, base);
        Mejor(
            [&] {
                QStringList arreglo;
                ClsCmnCptes::DescomponeSerieLote(l.lotes, arreglo);
                control += arreglo.size();
            },
            descompone);
        // The posting: count the line's elements, then take each one in turn.
        Mejor(
            [&] {
                const qint32 n = ClsCmnCptes::Cuenta_Series_Lotes(l.cantidades, l.lotes, true);
                control += ClsCmnCptes::Cantidad_Series_Lotes(l.lotes);
                for (qint32 j = 1; j <= n; ++j)
                    control += ClsCmnCptes::ExtraeSerieLote(l.lotes, j).size();
            },
            recorre);
        Mejor([&] { control += ClsCmnCptes::Cuenta_Series_Lotes(QString(), l.lotes, false); }, distintos);
        Mejor(
            [&] {
                QStringList p, c, lo;
                ClsCmnCptes::DescomponePosicionCantidadLote(l.posiciones, l.lotes, p, c, lo);
                control += p.size() + c.size() + lo.size();
            },
            posiciones);
        Mejor([&] { control += ClsCmnCptes::StrSerieLote(l.lotes).size(); }, texto);
    }
    std::printf("time base_split_100000_entradas %.6f\n", base);
    std::printf("time descompone_100000_entradas %.6f\n", descompone);
    std::printf("time cuenta_y_extrae_cada_entrada %.6f\n", recorre);
    std::printf("time posiciones_y_lotes_100000 %.6f\n", posiciones);
    std::printf("time cuenta_lotes_distintos_100000 %.6f\n", distintos);
    std::printf("time texto_lotes_distintos_100000 %.6f\n", texto);
    std::printf("ratio descompone_vs_split %.2f\n", descompone / base);
    std::printf("ratio cuenta_y_extrae_vs_split %.2f\n", recorre / base);
    // Two lists read: compared with two plain splits.
    std::printf("ratio posiciones_y_lotes_vs_dos_split %.2f\n", posiciones / (2 * base));
    std::printf("ratio cuenta_lotes_distintos_vs_split %.2f\n", distintos / base);
    std::printf("ratio texto_lotes_distintos_vs_split %.2f\n", texto / base);
    return control > 0 ? 0 : 1;
}

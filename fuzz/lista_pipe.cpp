// The pipe-list readers of a voucher line: any text is read without failing, and the written
// form of the entries read reads back to the same entries, through every reader.

#include "ClsCmnCptesLotes.h"
#include "ErrorSistema.h"
#include "FrmCargaLotesySeries.h"
#include "ListaPipe.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using C = ClsCmnCptesLotes;

void Exige(bool condicion) {
    if (!condicion)
        std::abort();
}

void LeeTodo(const QString& texto) {
    QStringList p, c, l;
    C::DescomponePosicionCantidadLote(texto, texto, p, c, l);
    Exige(p.size() == c.size() && p.last().isEmpty() && c.last().isEmpty() && l.last().isEmpty());
    (void)C::StrSerieLote(texto);
    (void)C::Cuenta_Series_Lotes(texto, texto, false);
    (void)C::Cuenta_Series_Lotes(QString(), texto, false);
    (void)C::Busca_Lotes_Series(texto, texto);
    for (qint32 k = -1; k < 4; ++k)
        (void)C::ExtraeSerieLote(texto, k);
    QString serie = texto;
    QString lote = texto;
    try {
        (void)C::ExtraeSerieLoteConValor(serie, lote);
    } catch (const ErrorSistema&) {
        // A quantity beyond the currency's range reaches the caller, as the readers document.
    }
    Exige(!serie.contains(ListaPipe::MarcaFin) && !lote.contains(ListaPipe::MarcaFin));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(datos), qsizetype(largo));
    LeeTodo(texto);

    QStringList arreglo;
    C::DescomponeSerieLote(texto, arreglo);
    Exige(!arreglo.isEmpty() && arreglo.last().isEmpty());
    const qsizetype n = arreglo.size() - 1;
    Exige(C::Cantidad_Series_Lotes(texto) == (texto.isEmpty() ? 0 : n));
    const QStringList entradas = arreglo.mid(0, n);

    // The written form reads back to the same entries, whichever reader reads it.
    const QString escrita = ListaPipe::Escribe(entradas);
    QStringList releida;
    C::DescomponeSerieLote(escrita, releida);
    Exige(releida == arreglo);
    Exige(C::Cantidad_Series_Lotes(escrita) == n);
    Exige(C::Cuenta_Series_Lotes(QString(), escrita, true) == n);
    for (qsizetype k = 0; k < n; ++k) {
        Exige(ListaPipe::SinBlancos(C::ExtraeSerieLote(escrita, qint32(k + 1))) == entradas[k]);
        const qint32 hallada = C::Busca_Lotes_Series(escrita, entradas[k]);
        Exige(hallada >= 1 && hallada <= k + 1 &&
              ListaPipe::MismaEntrada(entradas[hallada - 1], ListaPipe::SinBlancos(entradas[k])));
    }
    Exige(C::ExtraeSerieLote(escrita, qint32(n + 1)).isEmpty());
    QStringList marcadas;
    C::DescomponeSerieLote(C::InsertaCHR255(escrita), marcadas);
    Exige(marcadas.size() == arreglo.size());
    for (qsizetype k = 0; k < n; ++k)
        Exige(marcadas[k] == entradas[k] + ListaPipe::MarcaFin);

    // The lot and serial dialog preloads a line's earlier serials one per unit row: the written
    // entries in order, as many as there are rows (a first entry that is empty is the second "|"
    // the preload drops).
    constexpr int kUnidades = 6;
    FrmCargaLotesySeries::Entrada entrada;
    entrada.Cantidad = kUnidades;
    entrada.modo =
        FrmCargaLotesySeries::Modo(FrmCargaLotesySeries::Modo::Ingreso, FrmCargaLotesySeries::Modo::Serie);
    entrada.SeriesAnteriores = texto;
    FrmCargaLotesySeries dialogo;
    dialogo.CargaDatos(entrada);
    Exige(dialogo.MSFlexGrid1.Rows() == kUnidades + 1);
    entrada.SeriesAnteriores = escrita;
    FrmCargaLotesySeries releido;
    releido.CargaDatos(entrada);
    const bool blanca = QString(escrita).remove(QLatin1Char('|')).trimmed().isEmpty();
    if (n > 0 && !entradas[0].isEmpty() && !blanca)
        for (qsizetype k = 0; k < kUnidades; ++k)
            Exige(releido.MSFlexGrid1.TextMatrix(int(k + 1), 1) == (k < n ? entradas[k] : QString()));
    return 0;
}

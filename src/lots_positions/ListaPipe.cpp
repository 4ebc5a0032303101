#include "ListaPipe.h"

#include "ClsCmnCptes.h"
#include "Globales.h"
#include "Utilidades.h"

#include <unordered_set>

namespace ListaPipe {

QStringView SinBlancos(QStringView texto) {
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto[inicio] == u' ')
        ++inicio;
    while (fin > inicio && texto[fin - 1] == u' ')
        --fin;
    return texto.sliced(inicio, fin - inicio);
}

Recorrido Recorre(QStringView lista) {
    Recorrido r;
    QStringView cuerpo = SinBlancos(lista);
    if (cuerpo.startsWith(u'|'))
        cuerpo = cuerpo.sliced(1);
    // The body ends in a non-blank character, so what is left after a "|" is blank exactly when
    // nothing is left.
    qsizetype desde = 0;
    while (desde < cuerpo.size()) {
        const qsizetype barra = cuerpo.indexOf(u'|', desde);
        if (barra < 0) {
            r.cola = cuerpo.sliced(desde);
            break;
        }
        r.tieneBarra = true;
        r.cerradas.push_back(cuerpo.sliced(desde, barra - desde));
        desde = barra + 1;
    }
    return r;
}

QString Escribe(const QStringList& entradas) {
    if (entradas.isEmpty())
        return {};
    qsizetype largo = 1;
    for (const QString& e : entradas)
        largo += e.size() + 1;
    QString lista;
    lista.reserve(largo);
    lista += u'|';
    for (const QString& e : entradas) {
        lista += e;
        lista += u'|';
    }
    return lista;
}

bool MismaEntrada(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

size_t HashEntrada(QStringView entrada) {
    size_t h = 1469598103934665603ULL;
    const qsizetype n = entrada.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = entrada[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && entrada[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(entrada[i].unicode(), entrada[i + 1].unicode());
            ++i;
        }
        h = (h ^ QChar::toCaseFolded(c)) * 1099511628211ULL;
    }
    return h;
}

} // namespace ListaPipe

namespace {

using namespace ListaPipe;

struct HashSinCaso {
    size_t operator()(QStringView v) const { return HashEntrada(v); }
};
struct IgualSinCaso {
    bool operator()(QStringView a, QStringView b) const { return MismaEntrada(a, b); }
};
// Distinct entries without regard to case; the views must outlive the set.
using EntradasDistintas = std::unordered_set<QStringView, HashSinCaso, IgualSinCaso>;

// The entries of DescomponeSerieLote, trimmed: the closed ones and the unclosed tail, which the
// split takes as the last entry (it supplies the missing "|").
std::vector<QStringView> EntradasPartidas(QStringView lista) {
    Recorrido r = Recorre(lista);
    if (!r.cola.isEmpty())
        r.cerradas.push_back(r.cola);
    for (QStringView& e : r.cerradas)
        e = SinBlancos(e);
    return std::move(r.cerradas);
}

QStringList ConHuecoFinal(const std::vector<QStringView>& entradas) {
    QStringList arreglo;
    arreglo.reserve(qsizetype(entradas.size()) + 1);
    for (QStringView e : entradas)
        arreglo.append(e.toString());
    arreglo.append(QString());
    return arreglo;
}

// The entries of ExtraeSerieLote, untrimmed: the closed ones, or the whole body as entry 1 when
// it holds no "|". Kept for the list last read, so that reading every entry of a line in turn
// walks its text once. The cached copy shares the caller's text: a change of the caller's list
// detaches it from the copy, so a list that still shares the copy's data is the same text. Text
// the list does not own (raw or literal data) is compared whole.
const std::vector<QStringView>& EntradasNumeradas(const QString& lista) {
    struct Memoria {
        QString lista;
        std::vector<QStringView> entradas;
        bool valida = false;
    };
    thread_local Memoria m;
    const bool propia = lista.data_ptr().isMutable();
    const bool misma = m.valida && m.lista.size() == lista.size() &&
                       (propia ? m.lista.data_ptr().isSharedWith(lista.data_ptr()) &&
                                     m.lista.constData() == lista.constData()
                               : !m.lista.data_ptr().isMutable() && m.lista == lista);
    if (misma)
        return m.entradas;
    m.lista = propia ? lista : QString(lista.constData(), lista.size());
    Recorrido r = Recorre(m.lista);
    if (!r.tieneBarra && !r.cola.isEmpty())
        r.cerradas.push_back(r.cola);
    m.entradas = std::move(r.cerradas);
    m.valida = true;
    return m.entradas;
}

} // namespace

QString ClsCmnCptes::StrSerieLote(const QString& Serie_Lote) {
    const Recorrido r = Recorre(Serie_Lote);
    EntradasDistintas vistas;
    vistas.reserve(r.cerradas.size());
    QString resultado;
    for (const QStringView entrada : r.cerradas) {
        const QStringView e = SinBlancos(entrada);
        // The seen entries start with the empty slot, so blank entries are skipped too.
        if (e.isEmpty() || !vistas.insert(e).second)
            continue;
        resultado += u' ';
        resultado += e;
    }
    return resultado;
}

void ClsCmnCptes::DescomponeSerieLote(const QString& Serie_Lote, QStringList& arreglo) {
    arreglo = ConHuecoFinal(EntradasPartidas(Serie_Lote));
}

void ClsCmnCptes::DescomponePosicionCantidadLote(const QString& Posicion_Lote, const QString& PIPELotes,
                                                 QStringList& ArrPosiciones, QStringList& ArrCantidades,
                                                 QStringList& ArrLote) {
    ArrPosiciones = QStringList{QString()};
    ArrCantidades = QStringList{QString()};
    const Recorrido r = Recorre(Posicion_Lote);
    if (r.tieneBarra) {
        const std::vector<QStringView> entradas = EntradasPartidas(Posicion_Lote);
        ArrPosiciones.clear();
        ArrCantidades.clear();
        ArrPosiciones.reserve(qsizetype(entradas.size()) + 1);
        ArrCantidades.reserve(qsizetype(entradas.size()) + 1);
        for (const QStringView e : entradas) {
            // An entry without "*" is a position without a quantity.
            const qsizetype asterisco = e.indexOf(u'*');
            ArrPosiciones.append((asterisco < 0 ? e : e.first(asterisco)).toString());
            ArrCantidades.append(asterisco < 0 ? QString() : e.sliced(asterisco + 1).toString());
        }
        ArrPosiciones.append(QString());
        ArrCantidades.append(QString());
    }
    DescomponeSerieLote(PIPELotes, ArrLote);
}

qint32 ClsCmnCptes::Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PIPELotes,
                                        bool SinConsolidar) {
    // With serials the lots are discarded; without them the lots are counted.
    std::vector<QStringView> entradas;
    if (!PipeSeries.isEmpty())
        entradas = EntradasPartidas(PipeSeries);
    else if (!PIPELotes.isEmpty())
        entradas = EntradasPartidas(PIPELotes);
    if (SinConsolidar)
        return qint32(entradas.size());
    EntradasDistintas distintas;
    distintas.reserve(entradas.size());
    for (const QStringView e : entradas)
        if (!e.isEmpty())
            distintas.insert(e);
    return qint32(distintas.size());
}

QString ClsCmnCptes::ExtraeSerieLoteConValor(QString& Serie, QString& Lote) {
    Lote.remove(ListaPipe::MarcaFin);
    Serie.remove(ListaPipe::MarcaFin);
    const std::vector<QStringView> cantidades = EntradasPartidas(Serie);
    for (size_t i = 0; i < cantidades.size(); ++i) {
        if (UT().TextoAMoneda(cantidades[i].toString()) > Moneda()) {
            // A quantity without its lot gives no lot.
            const std::vector<QStringView> lotes = EntradasPartidas(Lote);
            return i < lotes.size() ? lotes[i].toString() : QString();
        }
    }
    return {};
}

QString ClsCmnCptes::ExtraeSerieLote(const QString& Serie_Lote, qint32 QuePosicion) {
    const std::vector<QStringView>& entradas = EntradasNumeradas(Serie_Lote);
    if (QuePosicion < 1 || size_t(QuePosicion) > entradas.size())
        return {};
    return entradas[size_t(QuePosicion) - 1].toString();
}

qint32 ClsCmnCptes::Cantidad_Series_Lotes(const QString& Pipes) {
    if (Pipes.isEmpty())
        return 0;
    const Recorrido r = Recorre(Pipes);
    return qint32(r.cerradas.size() + (r.cola.isEmpty() ? 0 : 1));
}

QString ClsCmnCptes::InsertaCHR255(const QString& iPipe) {
    QString resultado;
    resultado.reserve(iPipe.size() * 2 + 1);
    resultado += u'|';
    for (qsizetype i = 1; i < iPipe.size(); ++i) {
        if (iPipe[i] == u'|')
            resultado += ListaPipe::MarcaFin;
        resultado += iPipe[i];
    }
    return resultado;
}

qint32 ClsCmnCptes::Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote) {
    const Recorrido r = Recorre(PipeSeriesLotes);
    if (!r.tieneBarra)
        return 0;
    const QStringView buscado = SinBlancos(QueSerieLote);
    for (size_t i = 0; i < r.cerradas.size(); ++i)
        if (MismaEntrada(SinBlancos(r.cerradas[i]), buscado))
            return qint32(i + 1);
    return qint32(r.cerradas.size() + 1);
}

#include "ListaPipe.h"

#include "ClsCmnCptesLotes.h"
#include "Globales.h"
#include "Utilidades.h"

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

std::vector<QStringView> Numeradas(QStringView lista) {
    Recorrido r = Recorre(lista);
    if (!r.tieneBarra && !r.cola.isEmpty())
        r.cerradas.push_back(r.cola);
    return std::move(r.cerradas);
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
        if (c < 0x80) {
            // ASCII folds to its lower case.
            h = (h ^ (c >= u'A' && c <= u'Z' ? c + 32 : c)) * 1099511628211ULL;
            continue;
        }
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

// Distinct entries without regard to case: an open-addressing table of indexes into the entries,
// sized once for all of them, so that no entry costs an allocation and the table stays small.
class EntradasDistintas {
public:
    explicit EntradasDistintas(const std::vector<QStringView>& entradas) : entradas_(entradas) {
        size_t capacidad = 16;
        while (capacidad < entradas.size() * 2)
            capacidad *= 2;
        casillas_.resize(capacidad);
    }
    // Entry `i` of the entries; false when an equal one is already there.
    bool Agrega(size_t i) {
        const QStringView entrada = entradas_[i];
        const auto hash = quint32(HashEntrada(entrada));
        const size_t mascara = casillas_.size() - 1;
        for (size_t c = hash & mascara;; c = (c + 1) & mascara) {
            Casilla& casilla = casillas_[c];
            if (casilla.indice == 0) {
                casilla = {hash, quint32(i + 1)};
                ++cantidad_;
                return true;
            }
            if (casilla.hash == hash && MismaEntrada(entradas_[casilla.indice - 1], entrada))
                return false;
        }
    }
    size_t Cantidad() const { return cantidad_; }

private:
    struct Casilla {
        quint32 hash = 0;
        quint32 indice = 0; // entry + 1; 0 is a free slot
    };
    const std::vector<QStringView>& entradas_;
    std::vector<Casilla> casillas_;
    size_t cantidad_ = 0;
};

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

// How many entries EntradasPartidas finds, without cutting them: the body ends in a non-blank
// character, so each of its "|" closes one entry and text after the last one is one more.
qint32 CuentaEntradas(QStringView lista) {
    QStringView cuerpo = SinBlancos(lista);
    if (cuerpo.startsWith(u'|'))
        cuerpo = cuerpo.sliced(1);
    if (cuerpo.isEmpty())
        return 0;
    return qint32(cuerpo.count(u'|') + (cuerpo.endsWith(u'|') ? 0 : 1));
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
// detaches it from the copy, so a list that still shares the copy's data is the same text.
const std::vector<QStringView>& EntradasNumeradas(const QString& lista) {
    struct Memoria {
        QString lista;
        std::vector<QStringView> entradas;
        bool valida = false;
    };
    thread_local Memoria m;
    const bool propia = lista.data_ptr().isMutable();
    if (m.valida && propia && m.lista.data_ptr().isSharedWith(lista.data_ptr()) &&
        m.lista.constData() == lista.constData() && m.lista.size() == lista.size())
        return m.entradas;
    // Text the list does not own may change at the same address: it is read afresh every time.
    m.valida = propia;
    m.lista = propia ? lista : QString(lista.constData(), lista.size());
    m.entradas = Numeradas(m.lista);
    m.valida = true;
    return m.entradas;
}

} // namespace

QString ClsCmnCptesLotes::StrSerieLote(const QString& Serie_Lote) {
    Recorrido r = Recorre(Serie_Lote);
    for (QStringView& e : r.cerradas)
        e = SinBlancos(e);
    EntradasDistintas vistas(r.cerradas);
    QString resultado;
    for (size_t i = 0; i < r.cerradas.size(); ++i) {
        // The seen entries start with the empty slot, so blank entries are skipped too.
        if (r.cerradas[i].isEmpty() || !vistas.Agrega(i))
            continue;
        resultado += u' ';
        resultado += r.cerradas[i];
    }
    return resultado;
}

void ClsCmnCptesLotes::DescomponeSerieLote(const QString& Serie_Lote, QStringList& arreglo) {
    arreglo = ConHuecoFinal(EntradasPartidas(Serie_Lote));
}

void ClsCmnCptesLotes::DescomponePosicionCantidadLote(const QString& Posicion_Lote, const QString& PIPELotes,
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

qint32 ClsCmnCptesLotes::Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PIPELotes,
                                             bool SinConsolidar) {
    // With serials the lots are discarded; without them the lots are counted.
    const QString& contada = PipeSeries.isEmpty() ? PIPELotes : PipeSeries;
    if (SinConsolidar)
        return CuentaEntradas(contada);
    const std::vector<QStringView> entradas = EntradasPartidas(contada);
    EntradasDistintas distintas(entradas);
    for (size_t i = 0; i < entradas.size(); ++i)
        if (!entradas[i].isEmpty())
            distintas.Agrega(i);
    return qint32(distintas.Cantidad());
}

QString ClsCmnCptesLotes::ExtraeSerieLoteConValor(QString& Serie, QString& Lote) {
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

QString ClsCmnCptesLotes::ExtraeSerieLote(const QString& Serie_Lote, qint32 QuePosicion) {
    const std::vector<QStringView>& entradas = EntradasNumeradas(Serie_Lote);
    if (QuePosicion < 1 || size_t(QuePosicion) > entradas.size())
        return {};
    return entradas[size_t(QuePosicion) - 1].toString();
}

qint32 ClsCmnCptesLotes::Cantidad_Series_Lotes(const QString& Pipes) {
    return Pipes.isEmpty() ? 0 : CuentaEntradas(Pipes);
}

QString ClsCmnCptesLotes::InsertaCHR255(const QString& iPipe) {
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

qint32 ClsCmnCptesLotes::Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote) {
    const Recorrido r = Recorre(PipeSeriesLotes);
    if (!r.tieneBarra)
        return 0;
    const QStringView buscado = SinBlancos(QueSerieLote);
    for (size_t i = 0; i < r.cerradas.size(); ++i)
        if (MismaEntrada(SinBlancos(r.cerradas[i]), buscado))
            return qint32(i + 1);
    return qint32(r.cerradas.size() + 1);
}

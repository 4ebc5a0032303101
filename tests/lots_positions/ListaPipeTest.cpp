// The pipe lists of a voucher line: every list form the dialogs write, the readers' quirks, and
// invariants over generated lists.

#include "ListaPipe.h"
#include "ClsCmnCptesLotes.h"
#include "Regional.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using C = ClsCmnCptesLotes;
const QString Y = QString(ListaPipe::MarcaFin);

QStringList Parte(const QString& lista) {
    QStringList a;
    C::DescomponeSerieLote(lista, a);
    return a;
}

TEST(ListaPipe, SplitKeepsBlankEntriesAndEndsWithTheExtraSlot) {
    EXPECT_EQ(Parte(""), QStringList{""});
    EXPECT_EQ(Parte("|"), QStringList{""});
    EXPECT_EQ(Parte("  |  "), QStringList{""});
    EXPECT_EQ(Parte("abc"), (QStringList{"abc", ""}));
    EXPECT_EQ(Parte("|a|b"), (QStringList{"a", "b", ""}));
    EXPECT_EQ(Parte("|a||b|"), (QStringList{"a", "", "b", ""}));
    EXPECT_EQ(Parte("  | a |  B |  "), (QStringList{"a", "B", ""}));
    EXPECT_EQ(Parte("||"), (QStringList{"", ""}));
    // Tabs are content; only spaces are trimmed.
    EXPECT_EQ(Parte("|\ta |"), (QStringList{"\ta", ""}));

    EXPECT_EQ(C::Cantidad_Series_Lotes("|a||b|"), 3);
    EXPECT_EQ(C::Cantidad_Series_Lotes(""), 0);
    EXPECT_EQ(C::Cantidad_Series_Lotes("abc"), 1);
    EXPECT_EQ(C::Cantidad_Series_Lotes("|a|b"), 2);
    EXPECT_EQ(C::Cantidad_Series_Lotes(" "), 0);
}

TEST(ListaPipe, DistinctEntriesAndEntryByNumber) {
    EXPECT_EQ(C::StrSerieLote("|A|b|a|"), " A b");
    EXPECT_EQ(C::StrSerieLote("|a|b"), " a");
    EXPECT_EQ(C::StrSerieLote("abc"), "");
    EXPECT_EQ(C::StrSerieLote("| |x||X | y|"), " x y");

    EXPECT_EQ(C::ExtraeSerieLote("|a|b", 2), "");
    EXPECT_EQ(C::ExtraeSerieLote("abc", 1), "abc");
    EXPECT_EQ(C::ExtraeSerieLote("| a |b|", 1), " a ");
    EXPECT_EQ(C::ExtraeSerieLote("| a |b|", 2), "b");
    EXPECT_EQ(C::ExtraeSerieLote("| a |b|", 0), "");
    EXPECT_EQ(C::ExtraeSerieLote("| a |b|", 3), "");
    EXPECT_EQ(C::ExtraeSerieLote("", 1), "");

    EXPECT_EQ(C::Busca_Lotes_Series("|A|b|", "a"), 1);
    EXPECT_EQ(C::Busca_Lotes_Series("|a|b|", "c"), 3);
    EXPECT_EQ(C::Busca_Lotes_Series("a", "a"), 0);
    EXPECT_EQ(C::Busca_Lotes_Series("| L1 |l2|L2|", " L2 "), 2);
    // An unclosed tail is no entry for the look-up, as for ExtraeSerieLote.
    EXPECT_EQ(C::Busca_Lotes_Series("|a|b", "b"), 2);
    EXPECT_EQ(C::ExtraeSerieLote("|a|b", C::Busca_Lotes_Series("|a|b", "b")), "");
}

TEST(ListaPipe, CountsSerialsOrElseLots) {
    EXPECT_EQ(C::Cuenta_Series_Lotes("|s1|s1|s2|", "|l1|l2|l3|", false), 2);
    EXPECT_EQ(C::Cuenta_Series_Lotes("|s1|s1|s2|", "|l1|l2|l3|", true), 3);
    EXPECT_EQ(C::Cuenta_Series_Lotes("", "|l1|l1|", false), 1);
    EXPECT_EQ(C::Cuenta_Series_Lotes("", "|l1|L1||", true), 3);
    EXPECT_EQ(C::Cuenta_Series_Lotes("", "|l1|L1||", false), 1);
    EXPECT_EQ(C::Cuenta_Series_Lotes("", "", false), 0);
    EXPECT_EQ(C::Cuenta_Series_Lotes("", "", true), 0);
    // A serials list that holds nothing still discards the lots.
    EXPECT_EQ(C::Cuenta_Series_Lotes(" ", "|l1|", false), 0);
}

TEST(ListaPipe, EveryListFormTheDialogsWrite) {
    // Incoming lots, one entry per unit row, "-" for a blank row.
    EXPECT_EQ(C::Cuenta_Series_Lotes("", "|L7|L7|-|L7|", false), 2);
    EXPECT_EQ(C::StrSerieLote("|L7|L7|L7|"), " L7");
    // Serials with their quantity after "*": the entry is read whole.
    EXPECT_EQ(C::ExtraeSerieLote("|123*2|124*1|", 2), "124*1");
    EXPECT_EQ(C::Cuenta_Series_Lotes("|123*2|124*1|", "|L1|L1|", false), 2);
    // Outgoing lot and serial, joined by the marker; an empty row gives the marker alone.
    const QString salida = "|A" + Y + "|B" + Y + "|" + Y + "|";
    EXPECT_EQ(C::Cantidad_Series_Lotes(salida), 3);
    EXPECT_EQ(C::ExtraeSerieLote(salida, 3), Y);
    EXPECT_EQ(C::Busca_Lotes_Series("|" + Y + "S001|" + Y + "S002|", Y + "s002"), 2);
    // Sizes with their quantities: the lot of the first quantity above zero.
    QString cantidades = "|0|" + QString("0,0") + "|3|2|";
    QString talles = "|T1" + Y + "|T2" + Y + "|T3" + Y + "|T4" + Y + "|";
    {
        Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
        EXPECT_EQ(C::ExtraeSerieLoteConValor(cantidades, talles), "T3");
    }
    EXPECT_EQ(talles, "|T1|T2|T3|T4|"); // the markers leave the caller's variables
    QString q = "|0|0|5|";
    QString l = "|L1|L2|L3|";
    EXPECT_EQ(C::ExtraeSerieLoteConValor(q, l), "L3");
    q = "|0|0|";
    EXPECT_EQ(C::ExtraeSerieLoteConValor(q, l), "");
    q = "|0|0|0|7|"; // a quantity with no lot beside it
    EXPECT_EQ(C::ExtraeSerieLoteConValor(q, l), "");

    // Positions with quantities, and their lots; the deposit row has an empty position.
    QStringList pos, cant, lotes;
    C::DescomponePosicionCantidadLote("|P1*2|P2*3.5|", "|L1|L2|", pos, cant, lotes);
    EXPECT_EQ(pos, (QStringList{"P1", "P2", ""}));
    EXPECT_EQ(cant, (QStringList{"2", "3.5", ""}));
    EXPECT_EQ(lotes, (QStringList{"L1", "L2", ""}));
    C::DescomponePosicionCantidadLote("|A-01*5|*2|P1*2*3|P9|", "|L1||", pos, cant, lotes);
    EXPECT_EQ(pos, (QStringList{"A-01", "", "P1", "P9", ""}));
    EXPECT_EQ(cant, (QStringList{"5", "2", "2*3", "", ""}));
    EXPECT_EQ(lotes, (QStringList{"L1", "", ""}));
    C::DescomponePosicionCantidadLote("P1*2", "", pos, cant, lotes);
    EXPECT_EQ(pos, QStringList{""});
    EXPECT_EQ(cant, QStringList{""});
    EXPECT_EQ(lotes, QStringList{""});

    EXPECT_EQ(C::InsertaCHR255("|a|b|"), "|a" + Y + "|b" + Y + "|");
    EXPECT_EQ(C::InsertaCHR255(""), "|");
    EXPECT_EQ(Parte(C::InsertaCHR255("|a|b|")), (QStringList{"a" + Y, "b" + Y, ""}));
}

// Reading every entry of a list in turn reuses the last walk; a changed list is read again.
TEST(ListaPipe, EntryByNumberSeesEveryChangeOfTheList) {
    QString lista = "|a|b|c|";
    EXPECT_EQ(C::ExtraeSerieLote(lista, 2), "b");
    lista[3] = QLatin1Char('x');
    EXPECT_EQ(C::ExtraeSerieLote(lista, 2), "x");
    lista.append("d|");
    EXPECT_EQ(C::ExtraeSerieLote(lista, 4), "d");
    QString otra = lista;
    otra.replace(1, 1, "z");
    EXPECT_EQ(C::ExtraeSerieLote(otra, 1), "z");
    EXPECT_EQ(C::ExtraeSerieLote(lista, 1), "a");

    QChar buffer[] = {u'|', u'p', u'|', u'q', u'|'};
    const QString cruda = QString::fromRawData(buffer, 5);
    EXPECT_EQ(C::ExtraeSerieLote(cruda, 2), "q");
    buffer[3] = u'r';
    EXPECT_EQ(C::ExtraeSerieLote(QString::fromRawData(buffer, 5), 2), "r");
}

// A list written as the dialogs write it from generated entries (blanks around entries and the
// list, mixed case, markers, "*" and "-").
QStringList Escritas(QRandomGenerator& azar) {
    static const QStringList piezas = {"L1",          "l1",    "A-01*5", "-",     "",
                                       "S" + Y + "1", "x" + Y, "Ñandú",  "7*2*3", "lote 9"};
    QStringList escritas;
    const int n = azar.bounded(12);
    for (int i = 0; i < n; ++i) {
        const QString& e = piezas[azar.bounded(piezas.size())];
        escritas << (azar.bounded(3) == 0 ? " " + e + "  " : e);
    }
    return escritas;
}

// Entry by number and look-up of every entry; the distinct ones (as StrSerieLote spells them).
QStringList CompruebaCadaEntrada(const QString& lista, const QStringList& escritas,
                                 const QStringList& esperadas) {
    QStringList distintas;
    for (qsizetype i = 0; i < escritas.size(); ++i) {
        EXPECT_EQ(C::ExtraeSerieLote(lista, qint32(i + 1)), escritas[i]);
        qsizetype primera = 0;
        while (esperadas[primera].compare(esperadas[i], Qt::CaseInsensitive) != 0)
            ++primera;
        EXPECT_EQ(C::Busca_Lotes_Series(lista, " " + esperadas[i].toUpper()), primera + 1);
        if (!esperadas[i].isEmpty() && primera == i)
            distintas << esperadas[i];
    }
    return distintas;
}

// The readers of the whole list.
void CompruebaLista(const QString& lista, const QStringList& escritas, const QStringList& esperadas) {
    const auto n = qint32(escritas.size());
    EXPECT_EQ(Parte(lista), esperadas + QStringList{""});
    EXPECT_EQ(C::Cantidad_Series_Lotes(lista), n);
    EXPECT_EQ(C::Cuenta_Series_Lotes("", lista, true), n);
    EXPECT_EQ(Parte(ListaPipe::Escribe(esperadas)), Parte(lista));
    EXPECT_EQ(C::ExtraeSerieLote(lista, n + 1), "");
    EXPECT_EQ(C::Busca_Lotes_Series(lista, "no está"), n == 0 ? 0 : n + 1);
}

void CompruebaDistintas(const QString& lista, const QStringList& distintas) {
    EXPECT_EQ(C::Cuenta_Series_Lotes("", lista, false), distintas.size());
    // Serials rule out the lots, unless the serials list is the empty text.
    EXPECT_EQ(C::Cuenta_Series_Lotes(lista, "|l|", false), lista.isEmpty() ? 1 : distintas.size());
    EXPECT_EQ(C::StrSerieLote(lista), distintas.isEmpty() ? QString() : " " + distintas.join(' '));
}

// Every reader agrees with the entries that were written.
TEST(ListaPipe, ReadersAgreeWithTheWrittenEntriesOnGeneratedLists) {
    QRandomGenerator azar(20261209);
    for (int caso = 0; caso < 400; ++caso) {
        const QStringList escritas = Escritas(azar);
        const QString lista = (azar.bounded(2) ? "  " : "") + ListaPipe::Escribe(escritas);
        SCOPED_TRACE(lista.toStdString());
        QStringList esperadas;
        for (const QString& e : escritas)
            esperadas << ListaPipe::SinBlancos(e).toString();
        CompruebaLista(lista, escritas, esperadas);
        CompruebaDistintas(lista, CompruebaCadaEntrada(lista, escritas, esperadas));
    }
}

} // namespace

// Candidate positions of an article on the demo database. Deposit 2 reserves aisle B1 for
// article 1015 (family 0415001, parents 0415 and 04, type 1, rubro 4) by every rule, and leaves
// aisle B2 free; deposit 1 has 24 free places and no reservation. Family levels 2-2-3.

#include "PosicionesArticulo.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "NivelesLayout.h"

#include <gtest/gtest.h>

namespace {

QString P(const char* codigo) {
    return QString::fromLatin1(codigo).leftJustified(15);
}

class Posiciones : public ConBaseDemo {
protected:
    QStringList Candidatas(const QString& articulo, const QString& deposito, const QString& excluida = {}) {
        QStringList posiciones{"basura", "previa"};
        ObtienePosicionesArticulo(articulo, deposito, posiciones, excluida);
        return posiciones;
    }
    void Ejecuta(const QString& sql) { AD().EjecutaSQL(sql); }
};

TEST_F(Posiciones, MostSpecificReservationFirstEachPositionOnce) {
    // Article (by entry order), own family (the place reserved for both stays first; the
    // family's place with two balance rows comes once), parent 0415, parent 04, type, rubro.
    const QStringList esperadas = {P("B1E01N1P02"), P("B1E01N1P01"), P("B1E01N2P01"), P("B1E02N1P01"),
                                   P("B1E02N1P02"), P("B1E02N2P01"), P("B1E02N2P02"), ""};
    EXPECT_EQ(Candidatas("1015", "   2"), esperadas);
    EXPECT_EQ(Candidatas("  1015 ", "   2"), esperadas);
    // Another article of the same family has no place of its own.
    EXPECT_EQ(Candidatas("1155", "   2"), esperadas.mid(1));
    // An article of another family, type 1 and rubro 1: only the type's place.
    EXPECT_EQ(Candidatas("1001", "   2"), (QStringList{P("B1E02N2P01"), ""}));
}

TEST_F(Posiciones, FreePositionsOnlyWhenNoReservedOneQualifies) {
    const QStringList libres = {P("B2E01N1P03"), P("B2E01N1P01"), P("B2E01N1P02"), ""};
    // The kit: type 3, rubro 2, family 0207001; nothing is reserved for it.
    EXPECT_EQ(Candidatas("KIT-ASADO", "   2"), libres);
    // The only qualifying place excluded (any case, trailing blanks ignored): free places instead.
    EXPECT_EQ(Candidatas("1001", "   2", "b1e02n2p01"), libres);
    // An excluded place is left out of the reserved ones too, and they still rule out free places.
    QStringList sinExcluida = Candidatas("1015", "   2", P("B1E01N2P01"));
    EXPECT_FALSE(sinExcluida.contains(P("B1E01N2P01")));
    EXPECT_EQ(sinExcluida.size(), 7);
    // Deposit 1 reserves nothing: its 24 places in entry order, without the aisle headings.
    const QStringList deposito1 = Candidatas("1015", "   1");
    ASSERT_EQ(deposito1.size(), 25);
    EXPECT_EQ(deposito1.first(), P("A1E01N1P01"));
    EXPECT_EQ(deposito1[23], P("A2E02N2P03"));
    EXPECT_FALSE(deposito1.contains(P("A1")));
    // A deposit without places, and an unknown article: only the empty slot.
    EXPECT_EQ(Candidatas("1015", "   3"), QStringList{""});
    EXPECT_EQ(Candidatas("NO-EXISTE", "   2"), QStringList{""});
}

TEST_F(Posiciones, ParentFamiliesByCodeLength) {
    // Levels 2-2-2: a six-character family climbs to its four- and two-character parents.
    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = '2' WHERE Clave = 'FLIA_NIVEL3'");
    Ejecuta("UPDATE V_MA_ARTICULOS SET IdFamilia = 'AABBCC' WHERE IDARTICULO = '" +
            QString("1001").rightJustified(25) + "'");
    Ejecuta("UPDATE MA_POSICIONES SET IdFamilia = 'AA' WHERE IdPosicion = 'B2E01N1P03'");
    Ejecuta("UPDATE MA_POSICIONES SET IdFamilia = 'AABB' WHERE IdPosicion = 'B2E01N1P02'");
    Ejecuta("UPDATE MA_POSICIONES SET IdFamilia = 'AABBCC' WHERE IdPosicion = 'B2E01N1P01'");
    EXPECT_EQ(Candidatas("1001", "   2"),
              (QStringList{P("B2E01N1P01"), P("B2E01N1P02"), P("B2E01N1P03"), P("B1E02N2P01"), ""}));
    EXPECT_EQ(gNivelesFamilia.fin[3], 6);

    // Levels that shrink (a negative width) never make a code its own parent: with ends 6 and 4
    // a four-character code would be cut to its first six characters, itself.
    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = '6' WHERE Clave = 'FLIA_NIVEL1'");
    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = '-2' WHERE Clave = 'FLIA_NIVEL2'");
    Ejecuta("UPDATE TA_CONFIGURACION SET Valor = '0' WHERE Clave = 'FLIA_NIVEL3'");
    Ejecuta("UPDATE V_MA_ARTICULOS SET IdFamilia = 'AABB' WHERE IDARTICULO = '" +
            QString("1001").rightJustified(25) + "'");
    EXPECT_EQ(Candidatas("1001", "   2"), (QStringList{P("B2E01N1P02"), P("B1E02N2P01"), ""}));
}

TEST_F(Posiciones, StatementTexts) {
    EXPECT_EQ(
        SqlPosicionesReservadas("ma_posiciones.IdTipo = '   1'", "   2"),
        "SELECT ma_posiciones.idposicion  FROM ma_posiciones  left join  ac_saldoslayout on  "
        "ma_posiciones.IdDeposito = ac_saldoslayout.IdDeposito and ma_posiciones.idposicion= "
        "ac_saldoslayout.idposicion where  ma_posiciones.IdTipo = '   1'  AND ma_posiciones.idDeposito = "
        "'   2' AND MA_POSICIONES.TITULO=0  order by ma_posiciones.ordeningreso, ma_posiciones.idposicion  ");
    EXPECT_EQ(
        SqlPosicionesLibres("O'Higgins"),
        " SELECT iddeposito,idposicion, idunidad ,capacidad  FROM  ma_posiciones where  idDeposito = "
        "'O''Higgins' and idarticulo is null and idtipo is null and idrubro is null and idfamilia is null "
        "AND MA_POSICIONES.TITULO=0 order by ordeningreso, idposicion ");
}

} // namespace

#include "Sentencias.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Regional.h"

#include <gtest/gtest.h>

namespace {

class Sentencias : public ::testing::Test {
protected:
    void TearDown() override { ReiniciaSesion(); }

    // Adds a pair as callers do, with a variable of their own.
    static QString Agrega(const QString& campo, const QString& valor, const QString& marcador, bool primero) {
        QString v = valor;
        AgregaCampo(campo, v, marcador, primero);
        return v;
    }
};

TEST_F(Sentencias, InsertDelEjemploCaracterPorCaracter) {
    Agrega("Maquina", "PC1", "'", true);
    Agrega("Tarea", "Menu", "'", false);
    QStringList lista{""};
    QString condicion;
    ArmaSentencia(ListaCampos(), lista, "Control_Acceso", false, condicion, false);

    EXPECT_EQ(lista,
              (QStringList{"", "INSERT INTO Control_Acceso (Maquina,Tarea) VALUES ('PC1','Menu')", ""}));
    EXPECT_TRUE(ListaCampos().empty());
    EXPECT_EQ(condicion, "");
}

TEST_F(Sentencias, UpdateConSuCondicion) {
    Agrega("A", "x", "'", true);
    Agrega("B", "1", "@", false);
    QStringList lista;
    QString condicion = "ID = 5";
    ArmaSentencia(ListaCampos(), lista, "T", true, condicion, true);
    EXPECT_EQ(lista, (QStringList{"UPDATE T SET A = 'x',B = 1  WHERE ID = 5", ""}));
    EXPECT_EQ(condicion, " WHERE ID = 5"); // the caller's variable changes too
    ASSERT_EQ(ListaCampos().size(), 2u);   // pairs kept on request

    // A condition that holds "where" in any case is used as given.
    QString propia = "where ID = 6";
    ArmaSentencia(ListaCampos(), lista, "T", true, propia, false);
    EXPECT_EQ(lista.at(2), "UPDATE T SET A = 'x',B = 1 where ID = 6");
    EXPECT_EQ(propia, "where ID = 6");

    // An empty condition leaves the statement ending in " WHERE ".
    Agrega("A", "x", "'", true);
    QString vacia;
    ArmaSentencia(ListaCampos(), lista, "T", true, vacia, false);
    EXPECT_EQ(lista.at(4), "UPDATE T SET A = 'x'  WHERE ");
}

TEST_F(Sentencias, DosSentenciasDejanUnElementoVacioEntreYDespues) {
    QString condicion;
    QStringList lista;
    Agrega("A", "1", "@", true);
    ArmaSentencia(ListaCampos(), lista, "T", false, condicion, false);
    Agrega("A", "2", "@", true);
    ArmaSentencia(ListaCampos(), lista, "T", false, condicion, false);
    EXPECT_EQ(lista, (QStringList{"INSERT INTO T (A) VALUES (1)", "", "INSERT INTO T (A) VALUES (2)", ""}));
}

TEST_F(Sentencias, ApostrofesQuitadosTambienEnLaVariableDelLlamador) {
    EXPECT_EQ(Agrega("Nombre", "O'Brien", "'", true), "OBrien");
    EXPECT_EQ(Agrega("Obs", "''' ' '", "'", false), "  ");
    ASSERT_EQ(ListaCampos().size(), 2u);
    EXPECT_EQ(ListaCampos()[0].campo, "Nombre");
    EXPECT_EQ(ListaCampos()[0].valor, "'OBrien'");
    EXPECT_EQ(ListaCampos()[1].valor, "'  '");
}

TEST_F(Sentencias, LaPalabraNullEnCualquierCasoEsUnNulo) {
    for (const QString v : {"NULL", "null", "Null", "nUlL"}) {
        EXPECT_EQ(Agrega("C", v, "'", true), v);
        EXPECT_EQ(ListaCampos().at(0).valor, "Null") << v.toStdString();
        Agrega("C", v, "@", true);
        EXPECT_EQ(ListaCampos().at(0).valor, "Null") << v.toStdString();
    }
    // Only the word itself: with anything around it is a text like any other.
    Agrega("C", "NULL ", "'", true);
    EXPECT_EQ(ListaCampos().at(0).valor, "'NULL '");
    Agrega("C", "N'ULL", "'", true); // the apostrophe goes first, then the word is recognised
    EXPECT_EQ(ListaCampos().at(0).valor, "Null");
}

TEST_F(Sentencias, NumerosConPuntoDecimalCualquieraSeaLaRegion) {
    Regional::Fijo region(',', '.');
    Agrega("Cantidad", "1,5", "@", true);
    Agrega("Importe", "1.234,25", "@", false);
    Agrega("Vacio", "", "@", false);
    Agrega("Texto", "1,5", "'", false);
    QStringList lista;
    QString condicion;
    ArmaSentencia(ListaCampos(), lista, "T", false, condicion, false);
    EXPECT_EQ(lista.at(0), "INSERT INTO T (Cantidad,Importe,Vacio,Texto) VALUES (1.5,1234.25,0,'1,5')");
}

TEST_F(Sentencias, PrimeroEmpiezaLaListaDeNuevo) {
    Agrega("A", "1", "@", true);
    Agrega("B", "2", "@", false);
    Agrega("C", "3", "@", true);
    ASSERT_EQ(ListaCampos().size(), 1u);
    EXPECT_EQ(ListaCampos()[0].campo, "C");
    // After a statement without kept pairs, the next pair is the first column again.
    QStringList lista;
    QString condicion;
    ArmaSentencia(ListaCampos(), lista, "T", false, condicion, false);
    Agrega("D", "4", "@", false);
    ArmaSentencia(ListaCampos(), lista, "T", false, condicion, false);
    EXPECT_EQ(lista.at(2), "INSERT INTO T (D) VALUES (4)");
}

TEST_F(Sentencias, ArmaValuesCompletaLaSentenciaDelLlamador) {
    ListaCampos() = {{"TC", "'FC  '"}, {"Numero", "12"}, {"Obs", "Null"}};
    QString sentencia = " INSERT INTO V_MV_CPTEACCIONES ";
    ArmaValues(sentencia, ListaCampos(), false);
    EXPECT_EQ(sentencia, " INSERT INTO V_MV_CPTEACCIONES (TC,Numero,Obs) VALUES ('FC  ',12,Null)");
    EXPECT_EQ(ListaCampos().size(), 3u);
    QString otra = "INSERT INTO X ";
    ArmaValues(otra, ListaCampos(), true);
    EXPECT_TRUE(ListaCampos().empty());
}

TEST_F(Sentencias, SinParesNoSeArmaNingunaSentencia) {
    QStringList lista{"previa"};
    QString condicion = "ID = 1";
    EXPECT_THROW(ArmaSentencia(ListaCampos(), lista, "T", false, condicion, false), ErrorSistema);
    EXPECT_THROW(ArmaSentencia(ListaCampos(), lista, "T", true, condicion, false), ErrorSistema);
    EXPECT_EQ(lista, QStringList{"previa"});
    QString sentencia = "INSERT INTO T ";
    EXPECT_THROW(ArmaValues(sentencia, ListaCampos(), true), ErrorSistema);
    EXPECT_EQ(sentencia, "INSERT INTO T ");
}

TEST_F(Sentencias, UnNumeroQueNoLoEsNoEntraEnLaLista) {
    Agrega("A", "1", "@", true);
    QString v = "doce";
    EXPECT_THROW(AgregaCampo("B", v, "@", false), ErrorSistema);
    EXPECT_EQ(ListaCampos().size(), 1u);
}

} // namespace

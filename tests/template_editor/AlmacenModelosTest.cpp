// Template storage alone, without the window, on a copy of the demo database: a template
// written, read back, replaced and refused as one batch.

#include "AlmacenModelos.h"
#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "Regional.h"
#include "Registros.h"
#include "Utilidades.h"
#include "VentanaDemo.h"

#include <gtest/gtest.h>

namespace {

class AlmacenModelosTest : public ConBaseDemo {
protected:
    static QStringList Filas(const QString& sql) { return FilasConsulta(sql); }
    static QStringList Lineas(qint16 id) {
        Registros rs;
        AlmacenModelos::AbreLineas(id, rs);
        QStringList filas;
        for (; !rs.Eof(); rs.MoveNext())
            filas << UT().ValorATexto(rs.Fields(QStringLiteral("IdArticulo"))).trimmed() + u'|' +
                         AlmacenModelos::CantidadCargada(rs.Fields(QStringLiteral("Cantidad"))) + u'|' +
                         UT().ValorATexto(rs.Fields(QStringLiteral("IdUnidad"))).trimmed();
        return filas;
    }
    static AlmacenModelos::Cabecera Cabecera(const QString& nombre) {
        AlmacenModelos::Cabecera c;
        c.nombre = nombre;
        c.detalle = QStringLiteral(" Lunes ");
        c.tipo = QStringLiteral("AJN");
        c.depositoOrigen = QStringLiteral("1");
        c.motivo = QStringLiteral("2");
        c.anclar = 1;
        return c;
    }

    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
};

TEST_F(AlmacenModelosTest, GuardaLeeReemplazaYRechazaComoUnaSolaTanda) {
    const qint16 id = AlmacenModelos::NuevoId();
    EXPECT_EQ(id, 3); // the demo holds templates 1 and 2
    Registros rs;
    EXPECT_EQ(AlmacenModelos::IdDeNombre(QStringLiteral("Null"), rs), 0);

    AlmacenModelos tanda;
    tanda.Borra(0);
    tanda.AgregaCabecera(id, Cabecera(QStringLiteral("Null")));
    tanda.AgregaLinea(QStringLiteral("1001"), QStringLiteral("5"), QStringLiteral("UN"));
    tanda.AgregaLinea(QStringLiteral("   "), QStringLiteral("9"), QStringLiteral("UN")); // no article
    tanda.AgregaLinea(QStringLiteral("TORN-6X40"), QStringLiteral("2,5"), QStringLiteral("CJ"));
    const QStringList esperadas{
        "DELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 0", "DELETE V_CPTES_MODELO_DET WHERE IdVardelio = 0",
        // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one statement written over two lines.
        "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio,nombre,DETALLE,TCDefault,DepositoOrigen,DepositoDestino,"
        "IdMotivoStock,AnclarAlMenu) VALUES (3,'Null','Lunes',' AJN','   1','    ','   2','1')",
        "",
        "INSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo,Cantidad,IdUnidad) VALUES "
        "(3,'                     1001',5,'  UN')",
        "",
        "INSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo,Cantidad,IdUnidad) VALUES "
        "(3,'TORN-6X40                ',2.5,'  CJ')",
        ""};
    EXPECT_EQ(tanda.Sentencias().join(u'\n').toStdString(), esperadas.join(u'\n').toStdString());
    QString texto;
    ASSERT_TRUE(tanda.Ejecuta(texto)) << guion.Mensajes().join(u'\n').toStdString();
    EXPECT_TRUE(texto.startsWith(QStringLiteral("BEGIN TRANSACTION ")));

    // Read back by its name, any case: the header and the lines in their order.
    EXPECT_EQ(AlmacenModelos::IdDeNombre(QStringLiteral("NULL"), rs), id);
    EXPECT_EQ(AlmacenModelos::Anclado(rs.Fields(QStringLiteral("AnclarAlMenu"))), 1);
    EXPECT_EQ(Lineas(id), (QStringList{"1001|5|UN", "TORN-6X40|2,5|CJ"}));
    Registros tipo;
    AlmacenModelos::AbreTipo(QStringLiteral(" AJN"), tipo);
    ASSERT_FALSE(tipo.Eof());

    // Replaced under the same identifier: the old lines go.
    AlmacenModelos otro;
    otro.Borra(id);
    otro.AgregaCabecera(id, Cabecera(QStringLiteral("Null")));
    otro.AgregaLinea(QStringLiteral("1002"), QStringLiteral("7"), QStringLiteral("UN"));
    ASSERT_TRUE(otro.Ejecuta(texto));
    EXPECT_EQ(Lineas(id), QStringList{"1002|7|UN"});

    // A refused line (a code longer than its column) stores nothing of the batch.
    const QStringList antes = Filas(QStringLiteral("SELECT * FROM V_CPTES_MODELO_CAB ORDER BY IdVardelio")) +
                              Filas(QStringLiteral("SELECT * FROM V_CPTES_MODELO_DET ORDER BY Linea"));
    AlmacenModelos rechazado;
    rechazado.Borra(id);
    rechazado.AgregaCabecera(id, Cabecera(QStringLiteral("Null")));
    rechazado.AgregaLinea(QString(30, QLatin1Char('X')), QStringLiteral("1"), QStringLiteral("UN"));
    guion.Limpia();
    EXPECT_FALSE(rechazado.Ejecuta(texto));
    EXPECT_FALSE(guion.Mensajes().isEmpty()); // the refusal is shown
    EXPECT_EQ(Filas(QStringLiteral("SELECT * FROM V_CPTES_MODELO_CAB ORDER BY IdVardelio")) +
                  Filas(QStringLiteral("SELECT * FROM V_CPTES_MODELO_DET ORDER BY Linea")),
              antes);
}

TEST_F(AlmacenModelosTest, ValoresGuardados) {
    EXPECT_EQ(AlmacenModelos::Entero16(QVariant(32767.2)), 32767);
    EXPECT_EQ(AlmacenModelos::Entero16(QVariant(QStringLiteral("12"))), 12);
    EXPECT_THROW(AlmacenModelos::Entero16(QVariant(32768)), ErrorSistema);
    EXPECT_EQ(AlmacenModelos::CantidadCargada(QVariant(-3.0)), "3");
    EXPECT_EQ(AlmacenModelos::CantidadCargada(QVariant(-1.25)), "1,25");
    EXPECT_EQ(AlmacenModelos::CantidadCargada(QVariant(QString())), "");
    for (const auto& [valor, esperado] :
         std::initializer_list<std::pair<QVariant, int>>{{QVariant(1), 1},
                                                         {QVariant(0), 0},
                                                         {QVariant(-1), 1},
                                                         {QVariant(QStringLiteral("True")), 1},
                                                         {QVariant(QStringLiteral("false")), 0},
                                                         {QVariant(), 0}})
        EXPECT_EQ(AlmacenModelos::Anclado(valor), esperado) << valor.toString().toStdString();
}

} // namespace

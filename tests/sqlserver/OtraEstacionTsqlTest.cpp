// The save's check of what another station stored, on the T-SQL server: the values the window
// read and those its transaction reads back agree when nobody changed them, and a change made on
// another connection since the read is asked about before it is replaced.

#include "AccesoDatos.h"
#include "BaseTsql.h"
#include "VentanaDemo.h"

#include <gtest/gtest.h>

namespace {

class OtraEstacionTsql : public ConVentanaDemo {
protected:
    void Lee(const QString& nombre) {
        Campo("NOMBRE").setText(nombre);
        F().CampoValida(Campo("NOMBRE"));
    }
    // GRABAR, its totals answered Yes and the question after them as given; what it asked.
    QStringList Graba(int respuesta) {
        guion.Limpia();
        guion.AgregaRespuesta(Respuesta::Si);
        guion.AgregaRespuesta(respuesta);
        F().UtilVox1_click(QStringLiteral("GRABAR"));
        return guion.Mensajes().mid(1);
    }
    static QStringList Guardado() {
        return Filas("SELECT c.DETALLE, d.Cantidad FROM V_CPTES_MODELO_CAB c JOIN V_CPTES_MODELO_DET d ON "
                     "d.IdVardelio = c.IdVardelio WHERE c.IdVardelio = 2 AND d.IdArticulo LIKE '%1013'");
    }
};

TEST_F(OtraEstacionTsql, LoQueOtraEstacionGraboSePreguntaAntesDeReemplazarlo) {
    AccesoDatos otra;
    ConectaTsql(otra, BaseTsql());
    Lee(QStringLiteral("AJUSTE ROTURAS"));
    Campo("DETALLE").setText(QStringLiteral("de esta ventana"));
    EXPECT_TRUE(Graba(Respuesta::Si).isEmpty());
    EXPECT_EQ(Guardado(), QStringList{"de esta ventana|2"});

    const QStringList modificado{
        "El modelo AJUSTE ROTURAS fue modificado en otro puesto después de que esta "
        "ventana lo leyó.\r\n\r\n¿Desea reemplazarlo con lo que muestra la ventana?"};
    Lee(QStringLiteral("AJUSTE ROTURAS"));
    Campo("DETALLE").setText(QStringLiteral("otra vez"));
    otra.EjecutaSQL(QStringLiteral("UPDATE V_CPTES_MODELO_DET SET Cantidad = 9 WHERE IdVardelio = 2 AND "
                                   "IdArticulo LIKE '%1013'"));
    EXPECT_EQ(Graba(Respuesta::No), modificado);
    EXPECT_EQ(Guardado(), QStringList{"de esta ventana|9"});
    EXPECT_EQ(Graba(Respuesta::Si), modificado);
    EXPECT_EQ(Guardado(), QStringList{"otra vez|2"});

    // A new template's name that the other station stores meanwhile.
    Lee(QStringLiteral("DOBLE"));
    Campo("IdMotivoStock").setText(QStringLiteral("1"));
    otra.EjecutaSQL(
        QStringLiteral("INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, nombre) VALUES (7, 'doble ')"));
    EXPECT_EQ(
        Graba(Respuesta::Si),
        QStringList{"Mientras esta ventana preparaba el modelo nuevo DOBLE, otro puesto grabó un modelo "
                    "con ese nombre.\r\n\r\n¿Desea reemplazarlo con lo que muestra la ventana?"});
    EXPECT_EQ(Filas("SELECT IdVardelio, IdMotivoStock FROM V_CPTES_MODELO_CAB WHERE nombre = 'doble'"),
              QStringList{"7|   1"});
    EXPECT_EQ(Filas("SELECT @@TRANCOUNT"), QStringList{"0"});
}

} // namespace

// Date-shaped texts through the data-access object on a file of the embedded schema: plain
// statements, the prepared template of a batch of inserts, and the record sets' own INSERT and UPDATE.
// Only the values of date columns become ISO text; every other text is stored as written.

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "Comun.h"
#include "Registros.h"
#include "TraductorSql.h"

#include <QDateTime>
#include <QTemporaryDir>

namespace {

class FechasEnAccesoDatos : public ConGuion {
protected:
    void SetUp() override {
        ConGuion::SetUp();
        ASSERT_TRUE(dir.isValid());
        const QString carpeta = BaseEmbebida::CarpetaScripts();
        ASSERT_FALSE(carpeta.isEmpty());
        ruta = dir.filePath(QStringLiteral("fechas.db"));
        BaseEmbebida::CreaDesdeArchivos(ruta, {carpeta + QStringLiteral("/esquema.sql")});
        ad.AsignaServidor(QStringLiteral("SQLite"));
        ad.AsignaBaseDatos(ruta);
        ad.Conecta();
    }
    // The rows of a query, their fields' texts joined by "|".
    QStringList Filas(const QString& sql) {
        Registros rs;
        ad.ObtieneRecordset(sql, rs);
        QStringList filas;
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList campos;
            for (int i = 0; i < rs.FieldCount(); ++i)
                campos << rs.Fields(i).toString();
            filas << campos.join(u'|');
        }
        return filas;
    }

    QTemporaryDir dir;
    QString ruta;
    AccesoDatos ad;
};

TEST_F(FechasEnAccesoDatos, UnaTandaDeAltasGuardaLasFechasEnIsoYLosTextosComoSeEscribieron) {
    // Rows of one shape run one prepared statement with their values bound.
    QString tanda;
    const QStringList fechas = {QStringLiteral("05/01/2024"), QStringLiteral("28/12/23 18:00"),
                                QStringLiteral("1/2/24 9:05")};
    for (int i = 0; i < fechas.size(); ++i)
        tanda += QStringLiteral("INSERT INTO V_MV_STOCK(TC,IdComprobante,Fecha,NroLote,Descripcion) VALUES "
                                "('  IR','00010000000%1X','%2','01/02/03','%2')\r")
                     .arg(i + 1)
                     .arg(fechas[i]);
    ad.EjecutaSQL(tanda);
    EXPECT_EQ(Filas(QStringLiteral("SELECT IdComprobante, Fecha, NroLote, Descripcion FROM V_MV_STOCK "
                                   "WHERE Fecha >= '01/01/24' ORDER BY Fecha")),
              (QStringList{QStringLiteral("000100000001X|2024-01-05 00:00:00|01/02/03|05/01/2024"),
                           QStringLiteral("000100000003X|2024-02-01 09:05:00|01/02/03|1/2/24 9:05")}));
    EXPECT_EQ(Filas(QStringLiteral("SELECT count(*) FROM V_MV_STOCK WHERE NroLote = '01/02/03'")),
              QStringList{QStringLiteral("3")});
}

TEST_F(FechasEnAccesoDatos, LosRegistrosEditablesGuardanLaFechaDelErrorYElValorDeLaConfiguracion) {
    // The error row, added through the record set.
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("select  top 1 * from AUX_ERR  with(nolock) "), rs, nullptr, 2, 3);
    rs.AddNew();
    rs.AsignaCampo(QStringLiteral("Proceso"), QStringLiteral("01/02/03"));
    rs.AsignaCampo(QStringLiteral("Fecha"), QStringLiteral("05/03/24 10:15"));
    rs.AsignaCampo(QStringLiteral("Descripcion"), QStringLiteral("31/12/2025"));
    rs.Update();
    rs.Close();
    EXPECT_EQ(Filas(QStringLiteral("SELECT Proceso, Fecha, Descripcion FROM AUX_ERR")),
              QStringList{QStringLiteral("01/02/03|2024-03-05 10:15:00|31/12/2025")});

    // A setting written as the configuration store writes it: a new row, then edited in place.
    const QString consulta =
        QStringLiteral("SELECT * FROM TA_CONFIGURACION with(nolock)  WHERE CLAVE = 'FECHA DE CIERRE'");
    ad.ObtieneRecordset(consulta, rs, nullptr, 2, 3);
    ASSERT_TRUE(rs.Eof());
    rs.AddNew();
    rs.AsignaCampo(QStringLiteral("Clave"), QStringLiteral("FECHA DE CIERRE"));
    rs.AsignaCampo(QStringLiteral("Valor"), QStringLiteral("30/06/2025"));
    rs.Update();
    rs.Close();
    ad.ObtieneRecordset(consulta, rs, nullptr, 2, 3);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields(QStringLiteral("Valor")).toString(), QStringLiteral("30/06/2025"));
    rs.AsignaCampo(QStringLiteral("Valor"), QStringLiteral("31/12/2025"));
    rs.AsignaCampo(QStringLiteral("ValorAux"), QStringLiteral("01/02/03 10:00"));
    rs.Update();
    rs.Close();
    EXPECT_EQ(Filas(QStringLiteral("SELECT Valor, ValorAux FROM TA_CONFIGURACION WHERE Clave = 'fecha de "
                                   "cierre' AND Valor = '31/12/2025'")),
              QStringList{QStringLiteral("31/12/2025|01/02/03 10:00")});
}

TEST_F(FechasEnAccesoDatos, UnaColumnaDeclaradaDeFechaSeReconoceAlConectar) {
    ad.LeeConexion().Close();
    const QString otra = dir.filePath(QStringLiteral("otra.db"));
    BaseEmbebida::Crea(otra, {QStringLiteral("CREATE TABLE VISITAS (Id INTEGER PRIMARY KEY, CuandoLlego "
                                             "DATETIME, Nota VARCHAR(50) COLLATE TEXTO);")});
    EXPECT_FALSE(EsColumnaFecha(u"CuandoLlego"));
    ad.AsignaBaseDatos(otra);
    ad.Conecta();
    EXPECT_TRUE(EsColumnaFecha(u"CuandoLlego"));
    ad.EjecutaSQL(QStringLiteral("INSERT INTO VISITAS (Id, CuandoLlego, Nota) VALUES (1, '05/03/24 10:15', "
                                 "'05/03/24 10:15')"));
    Registros rs;
    ad.ObtieneRecordset(
        QStringLiteral("SELECT CuandoLlego, Nota FROM VISITAS WHERE CuandoLlego < '06/03/24'"), rs);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields(0).toDateTime(), QDateTime(QDate(2024, 3, 5), QTime(10, 15)));
    EXPECT_EQ(rs.Fields(1).toString(), QStringLiteral("05/03/24 10:15"));
}

} // namespace

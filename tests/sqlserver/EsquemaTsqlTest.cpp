// The schema in SQL Server's dialect (db/esquema-sqlserver.sql) holds every table and view of the
// embedded one, column by column, and takes the demo's rows.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "Registros.h"

#include <QMap>
#include <QSet>

namespace {

using Columnas = QMap<QString, QSet<QString>>; // object -> its columns, in capitals

std::string Lista(const QSet<QString>& nombres) {
    QStringList l(nombres.cbegin(), nombres.cend());
    l.sort();
    return l.join(QStringLiteral(", ")).toStdString();
}

int Cuenta(AccesoDatos& ad, const char* tabla) {
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1StringView(tabla), rs);
    return rs.Fields(0).toInt();
}

Columnas Leidas(AccesoDatos& ad, const QString& sql) {
    Columnas r;
    Registros rs;
    ad.ObtieneRecordset(sql, rs, nullptr, TipoCursor::Estatico);
    for (; !rs.Eof(); rs.MoveNext())
        r[rs.Fields(0).toString().toUpper()].insert(rs.Fields(1).toString().toUpper());
    return r;
}

class EsquemaTsql : public ConBaseDemo {};

TEST_F(EsquemaTsql, EveryTableAndViewOfTheEmbeddedSchemaWithTheSameColumnsAndRows) {
    AccesoDatos embebida;
    embebida.AsignaServidor(QStringLiteral("sqlite"));
    embebida.AsignaBaseDatos(RutaBase());
    embebida.Conecta();
    const Columnas esperadas = Leidas(
        embebida, QStringLiteral("SELECT m.name, p.name FROM sqlite_master m, pragma_table_info(m.name) p "
                                 "WHERE m.type IN ('table', 'view') AND m.name NOT LIKE 'sqlite%'"));
    const Columnas servidor =
        Leidas(AD(), QStringLiteral("SELECT TABLE_NAME, COLUMN_NAME FROM "
                                    "INFORMATION_SCHEMA.COLUMNS WHERE TABLE_SCHEMA = 'dbo' "
                                    "AND TABLE_NAME NOT LIKE 'sys%'"));
    ASSERT_GT(esperadas.size(), 60);
    EXPECT_EQ(Lista(QSet<QString>(servidor.keyBegin(), servidor.keyEnd())),
              Lista(QSet<QString>(esperadas.keyBegin(), esperadas.keyEnd())));
    for (auto it = esperadas.cbegin(); it != esperadas.cend(); ++it)
        EXPECT_EQ(Lista(servidor.value(it.key())), Lista(it.value())) << it.key().toStdString();

    // The demo's rows came over, dates as dates.
    for (const char* tabla : {"V_MA_ARTICULOS", "STK_SALDOS_UNIDADES", "V_TA_CPTE", "MV_ASIENTOS"})
        EXPECT_EQ(Cuenta(AD(), tabla), Cuenta(embebida, tabla)) << tabla;
    Registros rs;
    AD().ObtieneRecordset(QStringLiteral("SELECT MAX(Fecha) FROM MV_ASIENTOS"), rs);
    EXPECT_EQ(rs.Fields(0).typeId(), QMetaType::QDateTime);
}

} // namespace

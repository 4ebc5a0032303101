// Hostile values at the data layer, on the demo database: NUL characters in values spliced into
// statements, and texts longer than their columns, which the embedded database refuses as the
// suite's server does (8152, then 3621) and never stores.

#include "AccesoDatos.h"
#include "BaseDemo.h"
#include "BaseEmbebida.h"
#include "Globales.h"
#include "Registros.h"
#include "Sentencias.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

const QString kNul(QChar(u'\0'));

struct ColumnaConAncho {
    QString tabla;
    QString columna;
    int ancho;
};

// Every text column with a width, read from the schema script itself.
std::vector<ColumnaConAncho> ColumnasConAncho(const QString& script) {
    QFile f(QDir(BaseEmbebida::CarpetaScripts()).filePath(script));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << script.toStdString();
    static const QRegularExpression creaTabla(QStringLiteral(R"(^CREATE TABLE\s+(\w+))"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression columna(QStringLiteral(R"(^\s+(\w+)\s+(?:N?VAR)?CHAR\s*\((\d+)\))"),
                                            QRegularExpression::CaseInsensitiveOption);
    std::vector<ColumnaConAncho> r;
    QString tabla;
    for (const QString& linea : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (const auto m = creaTabla.match(linea); m.hasMatch())
            tabla = m.captured(1);
        else if (linea.startsWith(u')') || linea.startsWith(QLatin1String("CREATE")))
            tabla.clear();
        else if (const auto c = columna.match(linea); c.hasMatch() && !tabla.isEmpty())
            r.push_back({tabla, c.captured(1), c.captured(2).toInt()});
    }
    return r;
}

qint64 Cuenta(AccesoDatos& ad, const QString& sql) {
    Registros rs;
    ad.ObtieneRecordset(sql, rs);
    return rs.Fields(0).toLongLong();
}

// The statement is refused with the server's truncation error and its trailing entry.
void EsperaTruncado(AccesoDatos& ad, const QString& sql, const std::string& donde) {
    try {
        ad.EjecutaSQL(sql);
        ADD_FAILURE() << "accepted: " << donde;
        return;
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 8152) << donde << ": " << e.Descripcion().toStdString();
    }
    const Errores& errores = ad.LeeConexion().Errors();
    ASSERT_EQ(errores.Count(), 2) << donde;
    EXPECT_EQ(errores.Item(0).Description, QStringLiteral("String or binary data would be truncated."));
    EXPECT_EQ(errores.Item(1).NativeError, 3621);
}

class ValoresHostiles : public ConBaseDemo {};

TEST_F(ValoresHostiles, CadaColumnaConAnchoRechazaUnTextoMasLargoSinGuardarNada) {
    const std::pair<const char*, AccesoDatos*> bases[] = {{"esquema.sql", &AD()},
                                                          {"estadisticas.sql", &gBaseEstadisticas()}};
    size_t probadas = 0;
    for (const auto& [script, ad] : bases) {
        for (const ColumnaConAncho& c : ColumnasConAncho(QString::fromLatin1(script))) {
            const std::string donde = (c.tabla + u'.' + c.columna).toStdString();
            // Letters with accents count one each, as on the server.
            const QString largo = QString(c.ancho, u'ñ') + u'x';
            const QString cuenta = QStringLiteral("SELECT count(*) FROM ") + c.tabla;
            const qint64 filas = Cuenta(*ad, cuenta);
            EsperaTruncado(*ad,
                           QStringLiteral("INSERT INTO %1 (%2) VALUES ('%3')").arg(c.tabla, c.columna, largo),
                           donde);
            if (filas > 0)
                EsperaTruncado(*ad, QStringLiteral("UPDATE %1 SET %2 = '%3'").arg(c.tabla, c.columna, largo),
                               donde);
            EXPECT_EQ(Cuenta(*ad, cuenta), filas) << donde;
            EXPECT_EQ(
                Cuenta(*ad, cuenta + QStringLiteral(" WHERE length(%1) > %2").arg(c.columna).arg(c.ancho)), 0)
                << donde;
            ++probadas;
        }
    }
    EXPECT_GT(probadas, 300u);
}

TEST_F(ValoresHostiles, UnTextoQueLlenaSuColumnaSeGuardaYLosBlancosFinalesNoCuentan) {
    const QString codigo = QString(25, u'Ñ');
    AD().EjecutaSQL(
        QStringLiteral("INSERT INTO V_CPTES_MODELO_DET (IdVardelio, IdArticulo, Cantidad, IdUnidad) "
                       "VALUES (1, '%1', 1, 'UN  ')")
            .arg(codigo));
    AD().EjecutaSQL(
        QStringLiteral("UPDATE V_CPTES_MODELO_DET SET IdUnidad = 'KG      ' WHERE IdArticulo = '%1'")
            .arg(codigo));
    EXPECT_EQ(
        Cuenta(AD(), QStringLiteral("SELECT count(*) FROM V_CPTES_MODELO_DET WHERE IdArticulo = '%1' AND "
                                    "IdUnidad = 'KG'")
                         .arg(codigo)),
        1);
}

TEST_F(ValoresHostiles, UnNulNoCortaLaSentenciaNiPasaElAnchoDeLaColumna) {
    EXPECT_EQ(AD().FormateaValorSQL(QStringLiteral("AB") + kNul + QStringLiteral("C'D"), QStringLiteral("'")),
              QStringLiteral("'ABC''D'"));
    QString valor = QStringLiteral("O'B") + kNul + QStringLiteral("rien");
    AgregaCampo(QStringLiteral("Nombre"), valor, QStringLiteral("'"), true);
    EXPECT_EQ(valor, QStringLiteral("OBrien"));
    EXPECT_EQ(ListaCampos().back().valor, QStringLiteral("'OBrien'"));

    // A code of 100,002 characters whose second one is a NUL: quoted by the data layer or spliced
    // as it stands, it is refused and nothing is stored.
    const QString codigo = QStringLiteral("A") + kNul + QString(100000, u'7');
    const QString lineas = QStringLiteral("SELECT count(*) FROM V_CPTES_MODELO_DET");
    const qint64 antes = Cuenta(AD(), lineas);
    const QString inserta =
        QStringLiteral("INSERT INTO V_CPTES_MODELO_DET (IdVardelio, IdArticulo, Cantidad, "
                       "IdUnidad) VALUES (1, %1, 1, 'UN')");
    EsperaTruncado(AD(), inserta.arg(AD().FormateaValorSQL(codigo, QStringLiteral("'"))), "quoted");
    EsperaTruncado(AD(), inserta.arg(u'\'' + codigo + u'\''), "spliced");
    EXPECT_EQ(Cuenta(AD(), lineas), antes);

    // A name spliced with its NUL is stored without it and found again with or without it; the
    // statements after it in the batch run.
    AD().EjecutaSQL(QStringLiteral("UPDATE V_CPTES_MODELO_CAB SET Nombre = 'AB") + kNul +
                    QStringLiteral("CD' WHERE IdVardelio = 1\rUPDATE V_CPTES_MODELO_CAB SET DETALLE = "
                                   "'sigue' WHERE IdVardelio = 1"));
    EXPECT_EQ(AD().LeeConexion().Errors().Count(), 0);
    Registros rs;
    AD().ObtieneRecordset(
        QStringLiteral("SELECT Nombre, DETALLE FROM V_CPTES_MODELO_CAB WHERE Nombre = 'AB") + kNul +
            QStringLiteral("CD'"),
        rs);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields(0).toString(), QStringLiteral("ABCD"));
    EXPECT_EQ(rs.Fields(1).toString(), QStringLiteral("sigue"));
}

TEST(AnchosDeOtraBase, UnArchivoHechoPorOtroProgramaYUnaTablaNuevaTambienRechazan) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("otra.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("otra"));
        db.setDatabaseName(ruta);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE A (x VARCHAR(3), n INTEGER)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("otra"));
    AccesoDatos ad;
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(ruta);
    ad.Conecta();
    EsperaTruncado(ad, QStringLiteral("INSERT INTO A (x) VALUES ('abcd')"), "A");
    ad.EjecutaSQL(QStringLiteral("INSERT INTO A (x, n) VALUES ('abc   ', 1)"));
    EsperaTruncado(ad, QStringLiteral("UPDATE A SET x = x + 'd'"), "A update");
    ad.EjecutaSQL(QStringLiteral("CREATE TABLE B (y CHAR(2))"));
    EsperaTruncado(ad, QStringLiteral("INSERT INTO B (y) VALUES (123)"), "B");
    // Only this connection checks: the other program's file is not changed.
    EXPECT_EQ(Cuenta(ad, QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE type = 'trigger'")), 0);
    EXPECT_EQ(Cuenta(ad, QStringLiteral("SELECT count(*) FROM A WHERE x = 'abc   ' AND n = 1")), 1);
}

} // namespace

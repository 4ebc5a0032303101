// Cost of the article lookup on a database of 100,000 articles: 100,000 lookups by article code
// (one query each) and 100,000 by the fourth alternate bar code (seven queries each: article
// code, main bar code, case code, alternates 1 to 4). Baseline: the same statements as raw
// sqlite3 point queries on the same file (prepared from their text, stepped, every column of
// the row read, finalized), run in the same order.
#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "BuscaArticulo.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Registros.h"
#include "ValoresConfiguracion.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int Articulos = 100000;

[[noreturn]] void Falla(const QString& que) {
    std::fprintf(stderr, "busca_articulo: %s\n", qPrintable(que));
    std::exit(1);
}

QString ArticuloN(int n) {
    return QString::number(100000 + n);
}
QString Barra4N(int n) {
    return QStringLiteral("784%1").arg(n, 10, 10, QLatin1Char('0'));
}

void CreaBase(const QString& ruta) {
    const QString scripts = BaseEmbebida::CarpetaScripts(
        QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../db")));
    QFile esquema(QDir(scripts).filePath(QStringLiteral("esquema.sql")));
    if (scripts.isEmpty() || !esquema.open(QIODevice::ReadOnly))
        Falla(QStringLiteral("no se halla db/esquema.sql"));
    // Codes as the database stores them: digits right-aligned in 25.
    const QString articulos = QStringLiteral(
        "WITH RECURSIVE serie(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM serie WHERE n < 99999) "
        "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD, IdTipo, codigobarra, "
        "CODIGOBARRADUN, UD_TTE, CODIGOBARRA1, UMCB1, CODIGOBARRA2, UMCB2, CODIGOBARRA3, UMCB3, "
        "CODIGOBARRA4, UMCB4, CodigoArtProveedor, CuentaProveedor, Costo, PRECIO) "
        "SELECT printf('%25d', 100000 + n), 'Artículo ' || n, '  UN', '   1', "
        "printf('%25s', '779' || printf('%010d', n)), printf('%25s', '1779' || printf('%010d', n)), "
        "'  CJ', printf('%25s', '781' || printf('%010d', n)), '  PQ', "
        "printf('%25s', '782' || printf('%010d', n)), NULL, "
        "printf('%25s', '783' || printf('%010d', n)), '  BL', "
        "printf('%25s', '784' || printf('%010d', n)), '  CJ', "
        "printf('%-25s', 'PRV-' || n), 'P001', n % 500, n % 700 FROM serie;"
        "ANALYZE;");
    try {
        BaseEmbebida::Crea(ruta, {QString::fromUtf8(esquema.readAll()), articulos});
    } catch (const ErrorSistema& e) {
        Falla(e.Descripcion());
    }
}

// The statements of a lookup in SQLite's dialect, as the lookup issues them.
QString Literal(const QString& codigo) {
    return QStringLiteral("'%1'").arg(codigo, 25);
}
QString SqlCodigo(const QString& c) {
    return QStringLiteral("SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE IDARTICULO = ") +
           Literal(c);
}
std::vector<QString> SqlHastaBarra4(const QString& c) {
    std::vector<QString> v{
        SqlCodigo(c),
        QStringLiteral("SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE codigobarra =  ") + Literal(c),
        QStringLiteral("SELECT *,IDUNIDAD AS UDBASE , IFNULL(UD_TTE,IDUNIDAD) AS IDUNIDAD FROM "
                       "V_MA_ARTICULOS WHERE CODIGOBARRADUN = ") +
            Literal(c)};
    for (int k = 1; k <= 4; ++k)
        v.push_back(QStringLiteral("SELECT *,IDUNIDAD AS UDBASE , IFNULL(UMCB%1,IDUNIDAD) AS IDUNIDAD FROM "
                                   "V_MA_ARTICULOS WHERE CODIGOBARRA%1 = ")
                        .arg(k) +
                    Literal(c));
    return v;
}

// One raw point query: prepared from its text, every column of its row read. True on a row.
bool Crudo(sqlite3* db, const QString& sql) {
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK)
        Falla(QString::fromUtf8(sqlite3_errmsg(db)));
    bool fila = false;
    if (sqlite3_step(st) == SQLITE_ROW) {
        fila = true;
        std::size_t total = 0;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            sqlite3_column_text(st, c);
            total += std::size_t(sqlite3_column_bytes(st, c));
        }
        if (total == 0)
            Falla(QStringLiteral("fila vacía"));
    }
    sqlite3_finalize(st);
    return fila;
}

double Base(sqlite3* db, const std::vector<int>& orden, bool porBarra4) {
    QElapsedTimer t;
    t.start();
    for (const int n : orden) {
        bool fila = false;
        if (porBarra4) {
            for (const QString& sql : SqlHastaBarra4(Barra4N(n)))
                fila = Crudo(db, sql);
        } else {
            fila = Crudo(db, SqlCodigo(ArticuloN(n)));
        }
        if (!fila)
            Falla(QStringLiteral("la consulta directa no halla %1").arg(n));
    }
    return double(t.nsecsElapsed()) / 1e9;
}

// For reference: the article-code statement prepared once, its code bound for each lookup.
double BasePreparada(sqlite3* db, const std::vector<int>& orden) {
    const QByteArray sql =
        QByteArrayLiteral("SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE IDARTICULO = ?");
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
        Falla(QString::fromUtf8(sqlite3_errmsg(db)));
    QElapsedTimer t;
    t.start();
    for (const int n : orden) {
        const QByteArray codigo = QStringLiteral("%1").arg(ArticuloN(n), 25).toUtf8();
        sqlite3_bind_text(st, 1, codigo.constData(), int(codigo.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(st) != SQLITE_ROW)
            Falla(QStringLiteral("la consulta preparada no halla %1").arg(n));
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            sqlite3_column_text(st, c);
        sqlite3_reset(st);
    }
    const double segundos = double(t.nsecsElapsed()) / 1e9;
    sqlite3_finalize(st);
    return segundos;
}

double ConBuscaArticulo(const std::vector<int>& orden, bool porBarra4) {
    QElapsedTimer t;
    t.start();
    Registros rs;
    for (const int n : orden) {
        QString codigo = porBarra4 ? Barra4N(n) : ArticuloN(n);
        bool porCodigoBarra = false;
        QString descripcion, udBase, prefijoLote;
        double cantidad = 0;
        Moneda importe;
        qint16 aviso = 0;
        if (!BuscaArticulo(codigo, rs, true, porCodigoBarra, descripcion, {}, udBase, {}, cantidad, importe,
                           prefijoLote, {}, aviso))
            Falla(QStringLiteral("BuscaArticulo no halla %1").arg(n));
        if (codigo.trimmed() != ArticuloN(n) ||
            (porBarra4 && rs.Fields(QStringLiteral("IDUNIDAD")).toString() != QStringLiteral("  CJ")))
            Falla(QStringLiteral("BuscaArticulo halla otro artículo para %1").arg(n));
    }
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir carpeta;
    if (!carpeta.isValid())
        Falla(QStringLiteral("sin carpeta temporal"));
    const QString ruta = carpeta.filePath(QStringLiteral("articulos.db"));
    CreaBase(ruta);

    std::vector<int> orden(Articulos);
    for (int i = 0; i < Articulos; ++i)
        orden[std::size_t(i)] = i;
    std::shuffle(orden.begin(), orden.end(), std::mt19937(20250));

    // The demo's scale-label settings: the lookup tests every code for a label's shape.
    gTipoEAN = QStringLiteral("0CCCCCPPPPP");
    gDecimalesEAN = QStringLiteral("2");
    gUnidadMedidaKG = QStringLiteral("KG");

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        Falla(QStringLiteral("no se abre ") + ruta);
    RegistraFuncionesSqlite(db);

    AD().AsignaServidor(QStringLiteral("sqlite"));
    AD().AsignaBaseDatos(ruta);
    AD().Conecta();

    // Warm both paths on the same pages first.
    Base(db, std::vector<int>(orden.begin(), orden.begin() + 2000), true);
    ConBuscaArticulo(std::vector<int>(orden.begin(), orden.begin() + 2000), true);

    const double preparada = BasePreparada(db, orden);
    const double baseCodigo = Base(db, orden, false);
    const double buscaCodigo = ConBuscaArticulo(orden, false);
    const double baseBarra4 = Base(db, orden, true);
    const double buscaBarra4 = ConBuscaArticulo(orden, true);
    sqlite3_close(db);

    std::printf("time base_consultas_codigo_preparadas_100000 %.3f\n", preparada);
    std::printf("time base_consultas_codigo_100000 %.3f\n", baseCodigo);
    std::printf("time busca_articulo_codigo_100000 %.3f\n", buscaCodigo);
    std::printf("time base_consultas_codigobarra4_700000 %.3f\n", baseBarra4);
    std::printf("time busca_articulo_codigobarra4_100000 %.3f\n", buscaBarra4);
    std::printf("ratio busca_articulo_codigo %.2f\n", buscaCodigo / baseCodigo);
    std::printf("ratio busca_articulo_codigobarra4 %.2f\n", buscaBarra4 / baseBarra4);
    return 0;
}

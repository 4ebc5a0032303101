// The data-access layer against raw SQLite on files, in one run:
//   batch_insert: a template save of 10,000 lines (one batch of INSERT statements framed by
//                 "BEGIN TRANSACTION " and "COMMIT TRANSACTION", sent through EjecutaSQL) against
//                 the same rows through one prepared sqlite3 statement in one transaction;
//   forward_read: 100,000 rows read field by field through a forward-only record set against a
//                 sqlite3_step loop reading the same columns.
// Each side is timed fifteen times, in turns with the other; the best time counts.

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "FuncionesSqlite.h"
#include "TiempoProceso.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sqlite3.h>

namespace {

constexpr int kLineas = 10000;
constexpr int kFilas = 100000;
// Turns per side; MODELOS_BENCH_VUELTAS overrides it (1 for a profiler run).
const int kVueltas = qEnvironmentVariableIsSet("MODELOS_BENCH_VUELTAS")
                         ? qEnvironmentVariableIntValue("MODELOS_BENCH_VUELTAS")
                         : 15;

const QString kEsquema = QStringLiteral(
    "CREATE TABLE V_CPTES_MODELO_CAB (IdVardelio INTEGER NOT NULL PRIMARY KEY, nombre VARCHAR(50) COLLATE "
    "TEXTO);\n"
    "CREATE TABLE V_CPTES_MODELO_DET (Linea INTEGER PRIMARY KEY,\n"
    "  IdVardelio INTEGER NOT NULL REFERENCES V_CPTES_MODELO_CAB (IdVardelio) ON DELETE CASCADE,\n"
    "  IdArticulo VARCHAR(25) COLLATE TEXTO, Cantidad REAL, IdUnidad VARCHAR(4) COLLATE TEXTO);\n"
    "CREATE UNIQUE INDEX IX_MODELO_DET ON V_CPTES_MODELO_DET (IdVardelio, Linea);\n"
    "INSERT INTO V_CPTES_MODELO_CAB VALUES (1, 'REPOSICION');\n");

QString Articulo(int i) {
    return QString::number(1000 + i % 300).rightJustified(25);
}
double Cantidad(int i) {
    return (i % 97) + 0.25;
}

// Best times of the two sides, measured in turns so that both meet the same machine load.
std::pair<double, double> Mejores(const std::function<void()>& prepararA, const std::function<void()>& medirA,
                                  const std::function<void()>& prepararB,
                                  const std::function<void()>& medirB) {
    double a = 1e30;
    double b = 1e30;
    for (int v = 0; v < kVueltas; ++v) {
        prepararA();
        a = std::min(a, TiempoProceso(medirA));
        prepararB();
        b = std::min(b, TiempoProceso(medirB));
    }
    return {a, b};
}

void Ejecuta(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

sqlite3* AbreCrudo(const QString& ruta) {
    sqlite3* db = nullptr;
    // The same threading mode as Qt's driver opens its connections with.
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        std::exit(1);
    RegistraFuncionesSqlite(db);
    Ejecuta(db, "PRAGMA foreign_keys = ON; PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;");
    return db;
}

} // namespace

// NOLINTNEXTLINE(readability-function-size): a benchmark: one measurement after the other.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString rutaAd = dir.filePath(QStringLiteral("acceso.db"));
    const QString rutaCruda = dir.filePath(QStringLiteral("cruda.db"));
    BaseEmbebida::Crea(rutaAd, {kEsquema});
    BaseEmbebida::Crea(rutaCruda, {kEsquema});

    AccesoDatos ad;
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(rutaAd);
    ad.Conecta();
    sqlite3* crudo = AbreCrudo(rutaCruda);

    // (a) The batch as the template save builds it.
    QString tanda = QStringLiteral("BEGIN TRANSACTION \r\r\r\n");
    for (int i = 0; i < kLineas; ++i)
        tanda += QStringLiteral(
                     "\rINSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo,Cantidad,IdUnidad) VALUES "
                     "(1,'%1',%2,'  UN')")
                     .arg(Articulo(i))
                     .arg(Cantidad(i));
    tanda += QStringLiteral("\r");
    std::vector<QByteArray> articulos;
    articulos.reserve(kLineas);
    for (int i = 0; i < kLineas; ++i)
        articulos.push_back(Articulo(i).toUtf8());
    const auto [loteAd, loteCrudo] =
        Mejores([&] { ad.EjecutaSQL(QStringLiteral("DELETE FROM V_CPTES_MODELO_DET")); },
                [&] {
                    ad.EjecutaSQL(tanda);
                    ad.EjecutaSQL(QStringLiteral("COMMIT TRANSACTION"));
                },
                [&] { Ejecuta(crudo, "DELETE FROM V_CPTES_MODELO_DET"); },
                [&] {
                    sqlite3_stmt* st = nullptr;
                    Ejecuta(crudo, "BEGIN");
                    sqlite3_prepare_v2(crudo,
                                       "INSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo,"
                                       "Cantidad,IdUnidad) VALUES (?,?,?,?)",
                                       -1, &st, nullptr);
                    for (int i = 0; i < kLineas; ++i) {
                        sqlite3_bind_int(st, 1, 1);
                        sqlite3_bind_text(st, 2, articulos[size_t(i)].constData(),
                                          int(articulos[size_t(i)].size()), SQLITE_STATIC);
                        sqlite3_bind_double(st, 3, Cantidad(i));
                        sqlite3_bind_text(st, 4, "  UN", 4, SQLITE_STATIC);
                        if (sqlite3_step(st) != SQLITE_DONE)
                            std::exit(1);
                        sqlite3_reset(st);
                    }
                    sqlite3_finalize(st);
                    Ejecuta(crudo, "COMMIT");
                });
    Registros rs;
    ad.ObtieneRecordset(QStringLiteral("SELECT count(*) FROM V_CPTES_MODELO_DET"), rs);
    if (rs.Fields(0).toInt() != kLineas)
        return 1;
    rs.Close();

    // (b) 100,000 rows, every field read.
    const QString llenar =
        QStringLiteral("DELETE FROM V_CPTES_MODELO_DET; WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL "
                       "SELECT i + 1 FROM n WHERE i < %1) INSERT INTO V_CPTES_MODELO_DET "
                       "(IdVardelio, IdArticulo, Cantidad, IdUnidad) SELECT 1, "
                       "printf('%25d', 1000 + i % 300), i % 97 + 0.25, '  UN' FROM n;")
            .arg(kFilas - 1);
    Ejecuta(crudo, llenar.toUtf8().constData());
    sqlite3_close(crudo);
    ad.LeeConexion().Close();
    QFile::remove(rutaAd);
    QFile::copy(rutaCruda, rutaAd);
    ad.Conecta();
    crudo = AbreCrudo(rutaCruda);

    const QString consulta =
        QStringLiteral("SELECT Linea, IdVardelio, IdArticulo, Cantidad, IdUnidad FROM V_CPTES_MODELO_DET");
    double sumaAd = 0;
    double sumaCruda = 0;
    const QByteArray consultaUtf8 = consulta.toUtf8();
    const auto [lecturaAd, lecturaCruda] =
        Mejores([] {},
                [&] {
                    sumaAd = 0;
                    Registros r;
                    ad.ObtieneRecordset(consulta, r);
                    for (; !r.Eof(); r.MoveNext()) {
                        sumaAd += r.Fields(QStringLiteral("Linea")).toLongLong();
                        sumaAd += r.Fields(QStringLiteral("IdVardelio")).toLongLong();
                        sumaAd += r.Fields(QStringLiteral("IdArticulo")).toString().size();
                        sumaAd += r.Fields(QStringLiteral("Cantidad")).toDouble();
                        sumaAd += r.Fields(QStringLiteral("IdUnidad")).toString().size();
                    }
                },
                [] {},
                [&] {
                    sumaCruda = 0;
                    sqlite3_stmt* st = nullptr;
                    sqlite3_prepare_v2(crudo, consultaUtf8.constData(), -1, &st, nullptr);
                    while (sqlite3_step(st) == SQLITE_ROW) {
                        sumaCruda += double(sqlite3_column_int64(st, 0));
                        sumaCruda += double(sqlite3_column_int64(st, 1));
                        sqlite3_column_text(st, 2);
                        sumaCruda += sqlite3_column_bytes(st, 2);
                        sumaCruda += sqlite3_column_double(st, 3);
                        sqlite3_column_text(st, 4);
                        sumaCruda += sqlite3_column_bytes(st, 4);
                    }
                    sqlite3_finalize(st);
                });
    sqlite3_close(crudo);
    if (sumaAd != sumaCruda) {
        std::fprintf(stderr, "the two reads differ: %f %f\n", sumaAd, sumaCruda);
        return 1;
    }

    std::printf("time batch_insert_acceso_datos %.6f\n", loteAd);
    std::printf("time batch_insert_sqlite %.6f\n", loteCrudo);
    std::printf("ratio batch_insert %.2f\n", loteAd / loteCrudo);
    std::printf("time forward_read_acceso_datos %.6f\n", lecturaAd);
    std::printf("time forward_read_sqlite %.6f\n", lecturaCruda);
    std::printf("ratio forward_read %.2f\n", lecturaAd / lecturaCruda);
    return 0;
}

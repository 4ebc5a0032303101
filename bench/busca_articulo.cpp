// Cost of the article lookup on a database of 100,000 articles: 20,000 lookups by article code
// (one query each) and 20,000 by the fourth alternate bar code (seven queries each: article
// code, main bar code, case code, alternates 1 to 4), in random order. Baseline: the same
// statements as raw sqlite3 point queries on the same file, prepared once and bound per
// lookup (as the data layer keeps a look-up's statement), tried in the same order, the found
// row's columns the caller reads taken as text. Both must find the same article, description
// and units for every code. Each side is timed in turns (processor time of this thread), the
// best time counts.
#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "BuscaArticulo.h"
#include "FuncionesSqlite.h"
#include "Globales.h"
#include "Medidas.h"
#include "Registros.h"
#include "SqliteCrudo.h"
#include "TiempoProceso.h"
#include "ValoresConfiguracion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sqlite3.h>
#include <vector>

namespace {

constexpr int Articulos = 100000;
constexpr int kBusquedas = 20000;

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

// The lookup's statements in SQLite's dialect, in the order it tries them, with the code as a
// parameter: article code, main bar code, case code, alternates 1 to 4.
std::vector<QByteArray> SentenciasCrudas() {
    std::vector<QByteArray> v{
        "SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE IDARTICULO = ?",
        "SELECT *,IDUNIDAD AS UDBASE  FROM V_MA_ARTICULOS WHERE codigobarra = ?",
        "SELECT *,IDUNIDAD AS UDBASE , IFNULL(UD_TTE,IDUNIDAD) AS IDUNIDAD FROM V_MA_ARTICULOS WHERE "
        "CODIGOBARRADUN = ?"};
    for (int k = 1; k <= 4; ++k)
        v.push_back("SELECT *,IDUNIDAD AS UDBASE , IFNULL(UMCB" + QByteArray::number(k) +
                    ",IDUNIDAD) AS IDUNIDAD FROM V_MA_ARTICULOS WHERE CODIGOBARRA" + QByteArray::number(k) +
                    " = ?");
    return v;
}

// What a lookup gives its caller: the article's code and description, its base unit and the
// unit of the code found.
struct Hallado {
    QString codigo, descripcion, udBase, unidad;
    bool operator==(const Hallado&) const = default;
};

// The raw side: the statements prepared once, each lookup binding its code (filled to 25, as
// the lookup fills it) into them in order until one finds the article, its columns read by name
// as the lookup's caller reads them.
class Crudo {
public:
    explicit Crudo(sqlite3* db) : db_(db) {
        for (const QByteArray& sql : SentenciasCrudas()) {
            sqlite3_stmt* st = Prepara(db, sql.constData());
            sentencias_.push_back(st);
            columnas_.push_back({Indice(st, "IDARTICULO"), Indice(st, "DESCRIPCION"), Indice(st, "UDBASE"),
                                 sqlite3_column_count(st) - 1});
        }
    }
    ~Crudo() {
        for (sqlite3_stmt* st : sentencias_)
            sqlite3_finalize(st);
    }
    Crudo(const Crudo&) = delete;
    Crudo& operator=(const Crudo&) = delete;

    Hallado Busca(const QString& codigo) {
        const QByteArray clave = codigo.rightJustified(25).toUtf8();
        for (size_t i = 0; i < sentencias_.size(); ++i) {
            sqlite3_stmt* st = sentencias_[i];
            Texto(st, 1, clave);
            if (sqlite3_step(st) == SQLITE_ROW) {
                const auto& c = columnas_[i];
                Hallado h{TextoColumna(st, c[0]), TextoColumna(st, c[1]), TextoColumna(st, c[2]),
                          TextoColumna(st, c[3])};
                sqlite3_reset(st);
                return h;
            }
            sqlite3_reset(st);
        }
        ::Falla("no se halla el artículo", db_);
    }

private:
    static int Indice(sqlite3_stmt* st, const char* nombre) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            if (qstricmp(sqlite3_column_name(st, c), nombre) == 0)
                return c;
        return -1;
    }
    sqlite3* db_;
    std::vector<sqlite3_stmt*> sentencias_;
    std::vector<std::array<int, 4>> columnas_;
};

Hallado ConBuscaArticulo(Registros& rs, const QString& texto) {
    QString codigo = texto;
    bool porCodigoBarra = false;
    QString descripcion, udBase, prefijoLote;
    double cantidad = 0;
    Moneda importe;
    qint16 aviso = 0;
    if (!BuscaArticulo(codigo, rs, true, porCodigoBarra, descripcion, {}, udBase, {}, cantidad, importe,
                       prefijoLote, {}, aviso))
        Falla(QStringLiteral("BuscaArticulo no halla ") + texto);
    return {codigo, descripcion, udBase, rs.Fields(QStringLiteral("IDUNIDAD")).toString()};
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
    orden.resize(kBusquedas);
    std::vector<QString> porCodigo;
    std::vector<QString> porBarra4;
    for (const int n : orden) {
        porCodigo.push_back(ArticuloN(n));
        porBarra4.push_back(Barra4N(n));
    }

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

    Crudo crudo(db);
    Registros rs;
    const Turnos turnos{VueltasBench(5), TiempoProceso};
    std::vector<Hallado> hallados[2];
    const auto compara = [&](const char* nombre, const std::vector<QString>& codigos) {
        const auto mejores = turnos.Mejores({
            [&] {
                hallados[0].clear();
                for (const QString& c : codigos)
                    hallados[0].push_back(ConBuscaArticulo(rs, c));
            },
            [&] {
                hallados[1].clear();
                for (const QString& c : codigos)
                    hallados[1].push_back(crudo.Busca(c));
            },
        });
        if (hallados[0] != hallados[1] || hallados[0].front().codigo.trimmed() != porCodigo.front())
            Falla(QStringLiteral("%1: la búsqueda y la consulta directa hallan otros artículos").arg(nombre));
        std::printf("time %s_base %.4f\n", nombre, mejores[1]);
        Informa(nombre, mejores[0], mejores[1]);
    };
    compara("busca_articulo_codigo", porCodigo);
    compara("busca_articulo_codigobarra4", porBarra4);
    rs.Close();
    sqlite3_close(db);
    return 0;
}

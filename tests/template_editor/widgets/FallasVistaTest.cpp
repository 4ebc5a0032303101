// Every statement a command of the real window runs, made to fail in turn, answered Reintentar,
// Ignorar, Abortar, and Reintentar again while the cause lasts then Ignorar: the program keeps
// running, the window keeps what the user had and the database holds the template as it was or
// as it was saved, whole. The statements are the ones the command runs, counted by a first run.

#include "AccesoPruebasVardelio.h"
#include "BaseDemo.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "LectorIni.h"
#include "VistaDemo.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <set>
#include <sqlite3.h>

namespace {

// One failure of the database: the n-th statement run while counting (by the order they start
// in) is interrupted at its start, or at its fetch after row `fila`; while the cause lasts (for
// as many runs as planned) the same statement fails again when it runs again. Installed on every
// connection the tests open.
struct Falla {
    static inline bool contando = false;
    static inline int objetivo = 0; // 0: count only
    static inline int fila = 0;     // 0: at its start
    static inline int vistas = 0;
    static inline int pendientes = 0; // the failing statement's runs that fail, from the n-th on
    static inline bool disparada = false;
    static inline QString texto; // the failing statement
    static inline QStringList sentencias;
    // Where the window stood when each statement started (a bulk command's line).
    static inline std::function<QString()> dondeVa;
    static inline QStringList lugares;
    static inline std::vector<int> filas; // rows each statement gave
    static inline sqlite3_stmt* st = nullptr;
    static inline int filasVistas = 0;
    static inline bool armada = false;
    static inline int pasosAlArmar = 0;
    // Statements between their start and their end (reset, finalized or done): a fetch of the
    // failing one is the progress seen while it is the only one.
    static inline std::set<sqlite3_stmt*> corriendo;
    // Each statement's place in `sentencias` (its last start).
    static inline std::map<sqlite3_stmt*, size_t> indice;

    static void Programa(int n, int f, int veces = 1) {
        objetivo = n;
        fila = f;
        vistas = 0;
        pendientes = n > 0 ? veces : 0;
        disparada = false;
        armada = false;
        st = nullptr;
        texto.clear();
        sentencias.clear();
        lugares.clear();
        filas.clear();
        indice.clear();
        contando = true;
    }
    static void Termina() {
        contando = false;
        armada = false;
        pendientes = 0;
        st = nullptr;
    }

    static int Traza(unsigned tipo, void*, void* p, void* x) {
        auto* s = static_cast<sqlite3_stmt*>(p);
        if (tipo == SQLITE_TRACE_PROFILE) {
            corriendo.erase(s);
            indice.erase(s);
            if (s == st)
                st = nullptr;
            return 0;
        }
        if (tipo == SQLITE_TRACE_ROW) {
            if (const auto i = indice.find(s); i != indice.end())
                ++filas[i->second];
            if (s == st && fila > 0 && ++filasVistas == fila) {
                armada = true;
                pasosAlArmar = sqlite3_stmt_status(s, SQLITE_STMTSTATUS_VM_STEP, 0);
            }
            return 0;
        }
        const char* sql = static_cast<const char*>(x);
        if (sql[0] == '-') // a trigger's own statement
            return 0;
        corriendo.insert(s);
        if (!contando)
            return 0;
        const QString texto1 = QString::fromUtf8(sql);
        indice[s] = filas.size();
        sentencias << texto1;
        lugares << (dondeVa ? dondeVa() : QString());
        filas.push_back(0);
        if (objetivo == 0)
            return 0;
        ++vistas;
        if (pendientes > 0 && (vistas == objetivo || (vistas > objetivo && texto1 == texto))) {
            texto = texto1;
            st = s;
            filasVistas = 0;
            armada = fila == 0;
        }
        return 0;
    }
    static int Progreso(void*) {
        if (!armada || !st || !corriendo.contains(st))
            return 0;
        // At its start it is the statement running; at a later fetch, it is while it is the only
        // one between its start and its end, once the step that gave the row has returned (its
        // count of steps moves when a step returns).
        if (fila > 0 &&
            (corriendo.size() != 1 || sqlite3_stmt_status(st, SQLITE_STMTSTATUS_VM_STEP, 0) == pasosAlArmar))
            return 0;
        armada = false;
        disparada = true;
        --pendientes;
        return 1;
    }
    static int AlConectar(sqlite3* db, const char**, const sqlite3_api_routines*) {
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT | SQLITE_TRACE_ROW | SQLITE_TRACE_PROFILE, &Traza, nullptr);
        sqlite3_progress_handler(db, 1, &Progreso, nullptr);
        return SQLITE_OK;
    }
};

// The user: Yes to every question (but No to one holding `noA`), OK to every message, and to the
// error boxes the planned answers in turn.
class Operador : public InteraccionGuionada {
public:
    std::vector<int> plan;
    QStringList errores; // error boxes shown: title and text
    QString noA;
    int MsgBox(const QString& texto, int estilo, const QString& titulo) override {
        InteraccionGuionada::MsgBox(texto, estilo, titulo);
        if (Estilo::Botones(estilo) == Estilo::SiNo || Estilo::Botones(estilo) == Estilo::SiNoCancelar)
            return !noA.isEmpty() && texto.contains(noA) ? Respuesta::No : Respuesta::Si;
        if (Estilo::Botones(estilo) != Estilo::AbortarReintentarIgnorar)
            return Respuesta::Aceptar;
        errores << titulo + ": " + texto;
        // A box that comes back after every answer planned would never end: the user leaves.
        const size_t i = static_cast<size_t>(errores.size() - 1);
        if (plan.empty() || errores.size() > 20)
            return Respuesta::Abortar;
        return plan[std::min(i, plan.size() - 1)];
    }
};

struct Plan {
    const char* nombre;
    std::vector<int> respuestas;
};

enum class Comando { Cargar, Importar, Grabar, Borrar, Leer };

const char* Nombre(Comando c) {
    switch (c) {
    case Comando::Cargar:
        return "Cargar";
    case Comando::Importar:
        return "Importar";
    case Comando::Grabar:
        return "Grabar";
    case Comando::Borrar:
        return "Borrar";
    case Comando::Leer:
        return "Leer";
    }
    return "";
}

// Test names read as the command and the answers.
void PrintTo(Comando c, std::ostream* os) {
    *os << Nombre(c);
}
void PrintTo(const Plan& p, std::ostream* os) {
    *os << p.nombre;
}

// What the database holds of the demo's templates, read from the file itself after the program
// closed it.
QStringList Modelos(const QString& ruta) {
    sqlite3* db = nullptr;
    QStringList filas;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return {"(sin base)"};
    const char* sql = "SELECT 'C' || IdVardelio || '|' || nombre || '|' || ifnull(DETALLE, '') || '|' || "
                      "ifnull(TCDefault, '') || '|' || ifnull(DepositoOrigen, '') FROM V_CPTES_MODELO_CAB "
                      "UNION ALL SELECT 'D' || IdVardelio || '|' || IdArticulo || '|' || Cantidad || '|' || "
                      "IdUnidad FROM V_CPTES_MODELO_DET ORDER BY 1";
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            filas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    else
        filas << QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return filas;
}

// The lines of the grid as "code|unit|quantity", and the description a bulk command writes with
// them; a line with a code and no unit or quantity is half a line. A template's read writes what
// is stored, and the article's description as typing would (its validation may be left).
QStringList Lineas(const Grilla& g, Comando c) {
    QStringList r;
    for (int f = g.FixedRows(); f < g.Rows(); ++f) {
        const QString codigo = g.TextMatrix(f, col::CodigoArticulo).trimmed();
        if (codigo.isEmpty())
            continue;
        const QString unidad = g.TextMatrix(f, col::Unidad).trimmed();
        const QString cantidad = g.TextMatrix(f, col::Cantidad).trimmed();
        QString linea =
            (unidad.isEmpty() || cantidad.isEmpty() ? "MEDIA " : "") + codigo + "|" + unidad + "|" + cantidad;
        if (c == Comando::Cargar || c == Comando::Importar)
            linea += "|" + g.TextMatrix(f, col::Descripcion).trimmed();
        r << linea;
    }
    return r;
}

// Where two lists of statements part, empty when they do not.
std::string Diferencia(const QStringList& a, const QStringList& b) {
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    if (i == a.size() && i == b.size())
        return {};
    return QString("#%1: %2 <> %3")
        .arg(i + 1)
        .arg(a.value(i, "(fin)").simplified().left(120), b.value(i, "(fin)").simplified().left(120))
        .toStdString();
}

// Whether the statements of a run that failed at the n-th and was answered Retry are the clean
// run's with one stretch run twice, ending at the n-th: that statement alone (again where a later
// fetch of it failed), or the line of an import it belongs to, or reads of the reset's routines.
bool RepiteSoloLoQueFallo(Comando c, int n, int fila, const QStringList& limpias, const QStringList& lugares,
                          const QString& aviso) {
    const QStringList& vueltas = Falla::sentencias;
    // Failed at a later fetch, it runs again where it failed, after what ran between its rows.
    if (fila > 0) {
        for (qsizetype j = n; j < vueltas.size(); ++j) {
            QStringList sin = vueltas;
            sin.removeAt(j);
            if (vueltas[j] == limpias[n - 1] && sin == limpias)
                return true;
        }
    }
    for (int k = n - 1; k >= 0; --k) {
        if (vueltas != limpias.mid(0, n) + limpias.mid(k))
            continue;
        bool admitido = k == n - 1;
        if (c == Comando::Importar)
            admitido = admitido || std::all_of(lugares.begin() + k, lugares.begin() + n,
                                               [&](const QString& l) { return l == lugares[n - 1]; });
        if (aviso.contains(" - Inicializa:"))
            admitido =
                admitido || std::all_of(limpias.begin() + k, limpias.begin() + n, [](const QString& s) {
                    return s.startsWith("SELECT", Qt::CaseInsensitive);
                });
        return admitido;
    }
    return false;
}

// Whether `parte` is `todo` with some of its elements left out, in the same order.
bool EsSubsecuencia(const QStringList& parte, const QStringList& todo) {
    qsizetype j = 0;
    for (const QString& e : parte) {
        while (j < todo.size() && todo[j] != e)
            ++j;
        if (j++ == todo.size())
            return false;
    }
    return true;
}

class FallasVista : public ConVistaDemo<ConArchivosDemo>,
                    public ::testing::WithParamInterface<std::tuple<Comando, Plan>> {
protected:
    void SetUp() override {
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&Falla::AlConectar));
        ConVistaDemo::SetUp();
        if (HasFatalFailure())
            return;
        pristina = Carpeta() + "/pristina.db";
        vista.reset();
        form.reset();
        ReiniciaSesion();
        ASSERT_TRUE(QFile::copy(RutaBase(), pristina));
        antes = Modelos(pristina);
        archivo = Carpeta() + "/LINEAS.TXT";
        QFile f(archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("1001,2\r\nNOEXISTE,1\r\n1002,3\r\n1003,x\r\n1007,1\r\n");
        f.close();
    }
    void TearDown() override {
        Falla::Termina();
        Falla::dondeVa = nullptr;
        EstableceInteraccion(&guion);
        ConVistaDemo::TearDown();
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&Falla::AlConectar));
    }

    // A fresh copy of the demo and the window opened on it.
    void Abre() {
        vista.reset();
        form.reset();
        ReiniciaSesion();
        QFile::remove(RutaBase());
        ASSERT_TRUE(QFile::copy(pristina, RutaBase()));
        Ini().setCarpeta(Carpeta());
        Falla::dondeVa = nullptr;
        operador = std::make_unique<Operador>();
        EstableceInteraccion(operador.get());
        AbreVentana();
        Falla::dondeVa = [this] {
            if (!form)
                return QString();
            return form->sbStatusBar.Panels(QStringLiteral("MENSAJE")).Text() + "|" +
                   QString::number(form->MSFlexGrid2.Rows());
        };
    }
    // Alt and the button's letter, and the time the button takes to press itself.
    void Boton(char letra) {
        Tecla(Qt::Key(letra), Qt::AltModifier);
        QDeadlineTimer espera(300);
        while (!espera.hasExpired())
            QApplication::processEvents();
    }
    void Enter(int veces = 1) {
        for (int i = 0; i < veces; ++i)
            Tecla(Qt::Key_Return);
    }

    // What the user does before the command: a new template with its header, or the stored
    // one open (its line 1 changed to 7 for the save).
    void Prepara(Comando c) {
        switch (c) {
        case Comando::Cargar:
        case Comando::Importar:
            CabeceraNueva("PRUEBA FALLAS");
            break;
        case Comando::Grabar:
        case Comando::Borrar:
            Tecla(Qt::Key_Tab);
            Escribe("AJUSTE ROTURAS");
            Enter(5);
            if (c == Comando::Grabar) {
                Enter(2);
                Escribe("7");
                Enter();
                ASSERT_EQ(form->MSFlexGrid2.TextMatrix(1, col::Cantidad), "7");
            }
            break;
        case Comando::Leer:
            Tecla(Qt::Key_Tab);
            Escribe("AJUSTE ROTURAS");
            break;
        }
    }
    void Ejecuta(Comando c) {
        switch (c) {
        case Comando::Cargar:
            Boton('C');
            break;
        case Comando::Importar:
            operador->AgregaArchivo(archivo);
            Boton('I');
            break;
        case Comando::Grabar:
            Tecla(Qt::Key_F2);
            break;
        case Comando::Borrar:
            Tecla(Qt::Key_F8);
            break;
        case Comando::Leer:
            Enter();
            break;
        }
    }

    // One run: the command with the n-th statement failing (0: none), answered by the plan.
    void Corre(Comando c, const std::vector<int>& plan, int n, int fila) {
        Abre();
        if (HasFatalFailure())
            return;
        Prepara(c);
        if (HasFatalFailure())
            return;
        antesDelComando = Lineas(form->MSFlexGrid2, c);
        operador->plan = plan;
        operador->Limpia();
        Falla::Programa(n, fila, int(plan.size()));
        try {
            Ejecuta(c);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "an exception left the window: " << e.what();
        }
        Falla::Termina();
    }

    std::unique_ptr<Operador> operador;
    QString pristina;
    QString archivo;
    QStringList antes;
    QStringList antesDelComando; // the window's lines when the command starts
};

TEST_P(FallasVista, CadaSentenciaQueFallaDejaElProgramaLaVentanaYLaBaseEnteros) {
    const auto [comando, plan] = GetParam();
    // The statements the command runs, the rows each gives, and what it leaves.
    Corre(comando, plan.respuestas, 0, 0);
    ASSERT_FALSE(HasFailure());
    const QStringList sentencias = Falla::sentencias;
    const QStringList lugares = Falla::lugares;
    const std::vector<int> filas = Falla::filas;
    const QStringList lineasLimpias = Lineas(form->MSFlexGrid2, comando);
    vista.reset();
    form->Form_Unload();
    const QStringList despues = Modelos(RutaBase());
    ASSERT_FALSE(sentencias.isEmpty());
    std::vector<std::pair<int, int>> casos;
    for (int i = 0; i < sentencias.size(); ++i) {
        casos.emplace_back(i + 1, 0);
        if (filas[static_cast<size_t>(i)] >= 2)
            casos.emplace_back(i + 1, 1);
    }
    int disparadas = 0;
    for (const auto& [n, fila] : casos) {
        const QString donde = QString("%1 #%2%3: %4")
                                  .arg(Nombre(comando))
                                  .arg(n)
                                  .arg(fila ? " (fila 2)" : "")
                                  .arg(sentencias[n - 1].simplified().left(160));
        SCOPED_TRACE(donde.toStdString());
        Corre(comando, plan.respuestas, n, fila);
        if (HasFatalFailure())
            return;
        if (!Falla::disparada)
            continue;
        ++disparadas;
        const QStringList errores = operador->errores;
        SCOPED_TRACE(errores.join(" / ").left(600).toStdString());
        // The program runs on, the command ended.
        EXPECT_FALSE(form->Descargado());
        EXPECT_FALSE(form->EnProceso());
        EXPECT_FALSE(UT().CursorEnEspera());
        EXPECT_TRUE(form->UtilVox1.Enabled());
        // Retry runs again the statement that failed, and nothing else; a file line is retried
        // whole, and the reset after a save or a delete reads again what its steps' routines,
        // which trap nothing, read.
        if (plan.respuestas == std::vector<int>{Respuesta::Reintentar} && !errores.isEmpty()) {
            EXPECT_EQ(errores.size(), 1);
            EXPECT_TRUE(RepiteSoloLoQueFallo(comando, n, fila, sentencias, lugares, errores.front()))
                << Diferencia(Falla::sentencias, sentencias);
        }
        // A statement skipped leaves no set to read: what needed it goes on as without rows, and
        // no routine of the window tells of a closed set.
        for (const QString& aviso : errores)
            EXPECT_FALSE(aviso.startsWith("Aviso al Operador - ") && aviso.contains("(3704)"))
                << aviso.toStdString();
        const QStringList lineas = Lineas(form->MSFlexGrid2, comando);
        const QString nombre = form->TxtFields[0].Text();
        const QString foco = form->Foco().Actual();
        const bool editorAbierto = form->txtEdit2.Visible();
        if (comando == Comando::Leer && Prueba(*form).EsModificacion() && lineas != lineasLimpias) {
            // Part of the template read: a save asks first, saying so, and the name checked again
            // reads it whole.
            operador->Limpia();
            operador->noA = "no terminó de leer";
            Tecla(Qt::Key_F2);
            EXPECT_EQ(operador->Mensajes().filter(operador->noA).size(), 1)
                << operador->Mensajes().join(" / ").toStdString();
            ASSERT_EQ(Foco(), Campo(0));
            Enter();
            EXPECT_EQ(Lineas(form->MSFlexGrid2, comando), lineasLimpias);
        }
        vista.reset();
        form->Form_Unload();
        const QStringList modelos = Modelos(RutaBase());
        EXPECT_TRUE(modelos == antes || modelos == despues) << modelos.join("\n").toStdString();
        switch (comando) {
        case Comando::Cargar:
        case Comando::Importar:
        case Comando::Leer:
            // Whole lines, each as the command without a failure leaves it.
            EXPECT_TRUE(EsSubsecuencia(lineas, lineasLimpias)) << lineas.join("\n").toStdString();
            EXPECT_EQ(modelos.join("\n").toStdString(), antes.join("\n").toStdString());
            if (comando != Comando::Leer) {
                EXPECT_EQ(nombre, "PRUEBA FALLAS");
                // Ended with the keyboard on the lines, no cell left open.
                EXPECT_EQ(foco, "MSFlexGrid2");
                EXPECT_FALSE(editorAbierto);
            }
            break;
        case Comando::Grabar:
        case Comando::Borrar:
            // Not stored: the window holds what the user had.
            if (modelos == antes) {
                EXPECT_EQ(nombre, "AJUSTE ROTURAS");
                EXPECT_EQ(lineas.join("\n").toStdString(), antesDelComando.join("\n").toStdString());
            }
            break;
        }
    }
    // Nearly every statement could be made to fail (a fetch only while no other statement runs).
    EXPECT_GE(disparadas * 4, int(casos.size()) * 3) << disparadas << " of " << casos.size();
}

const Plan kPlanes[] = {
    {"Reintentar", {Respuesta::Reintentar}},
    {"Ignorar", {Respuesta::Ignorar}},
    {"Abortar", {Respuesta::Abortar}},
    {"ReintentarIgnorar", {Respuesta::Reintentar, Respuesta::Ignorar}},
};

INSTANTIATE_TEST_SUITE_P(, FallasVista,
                         ::testing::Combine(::testing::Values(Comando::Cargar, Comando::Importar,
                                                              Comando::Grabar, Comando::Borrar,
                                                              Comando::Leer),
                                            ::testing::ValuesIn(kPlanes)),
                         [](const ::testing::TestParamInfo<std::tuple<Comando, Plan>>& i) {
                             return std::string(Nombre(std::get<0>(i.param))) + std::get<1>(i.param).nombre;
                         });

} // namespace

#include "AccesoDatos.h"
#include "Ayudas.h"
#include "BaseDemo.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Registros.h"
#include "Reloj.h"
#include "ReportaError.h"
#include "Sentencias.h"
#include "TandasSql.h"

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kCab = "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, nombre) VALUES (%1, '%2')";
const QString kDet = "INSERT INTO V_CPTES_MODELO_DET (IdVardelio, IdArticulo, Cantidad) VALUES (%1, '%2', 1)";

class TandaSql : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        Maquina().setNombreMaquina("PC07");
        Maquina().setCarpetaAlternativa(Carpeta());
        EstableceReloj([] { return QDateTime(QDate(2025, 6, 30), QTime(9, 5, 41)); });
    }

    // The result of a batch call, with the caller's variables as it left them.
    struct Resultado {
        bool hayError = true;
        qint32 numero = -99;
        QString tanda = "tanda previa";
        QString mensajes = "mensajes previos";
    };
    static Resultado Ejecuta(const QStringList& sentencias, bool ignoraDuplicados = false,
                             bool ignoraReferencias = false, bool mostrar = true) {
        Resultado r;
        GActualizarDatoScript(sentencias, r.hayError, r.numero, ignoraDuplicados, ignoraReferencias, r.tanda,
                              r.mensajes, mostrar);
        return r;
    }

    // Read on a connection of its own, so that only committed rows are seen.
    QVariantList Columna(const QString& sql) const {
        AccesoDatos otra;
        otra.AsignaServidor("sqlite");
        otra.AsignaBaseDatos(RutaBase());
        otra.Conecta();
        Registros rs;
        otra.ObtieneRecordset(sql, rs);
        QVariantList r;
        for (; !rs.Eof(); rs.MoveNext())
            r << rs.Fields(0);
        return r;
    }
    QVariantList Plantillas() const {
        return Columna("SELECT nombre FROM V_CPTES_MODELO_CAB WHERE IdVardelio >= 900 ORDER BY IdVardelio");
    }
    static int Nivel() {
        Registros rs;
        AD().EjecutaSQL("SELECT @@TRANCOUNT", &rs);
        return rs.Fields(0).toInt();
    }
    // The rows of AUX_ERR: Proceso, Fecha, Error, Descripcion, SQL, PC, Usuario.
    std::vector<QVariantList> FilasError() const {
        AccesoDatos otra;
        otra.AsignaServidor("sqlite");
        otra.AsignaBaseDatos(RutaBase());
        otra.Conecta();
        return FilasAuxErr(otra);
    }
};

TEST_F(TandaSql, UnaTandaQueSeConfirma) {
    const Resultado r = Ejecuta({"", kCab.arg(900).arg("A"), "  ", kCab.arg(901).arg("B"), ""});
    EXPECT_FALSE(r.hayError);
    EXPECT_EQ(r.numero, 0);
    EXPECT_EQ(r.mensajes, "mensajes previos");
    EXPECT_EQ(r.tanda,
              "BEGIN TRANSACTION \r\r\r" + kCab.arg(900).arg("A") + "\r" + kCab.arg(901).arg("B") + "\r");
    EXPECT_EQ(Plantillas(), (QVariantList{"A", "B"}));
    EXPECT_EQ(Nivel(), 0); // committed, nothing left open
    EXPECT_TRUE(guion.Registros().empty());
    EXPECT_TRUE(FilasError().empty());
}

TEST_F(TandaSql, SinSentenciasNoSeEnviaNada) {
    const Resultado r = Ejecuta({"", "   ", ""});
    EXPECT_FALSE(r.hayError);
    EXPECT_EQ(r.numero, -99);
    EXPECT_EQ(r.tanda, "tanda previa");
    EXPECT_EQ(r.mensajes, "mensajes previos");
    EXPECT_FALSE(Ejecuta({}).hayError);
    EXPECT_EQ(Nivel(), 0);
}

TEST_F(TandaSql, LaTerceraSentenciaRompeUnaClave) {
    const QStringList sentencias{kCab.arg(900).arg("A"), kCab.arg(901).arg("B"), kCab.arg(900).arg("C"),
                                 kCab.arg(902).arg("D")};
    const Resultado r = Ejecuta(sentencias);
    EXPECT_TRUE(r.hayError);
    EXPECT_EQ(r.numero, 2627);
    const QString linea = "2627 : UNIQUE constraint failed: V_CPTES_MODELO_CAB.IdVardelio\r\n";
    EXPECT_EQ(r.mensajes, linea); // the server's closing entry is not shown
    EXPECT_TRUE(Plantillas().isEmpty());
    EXPECT_EQ(Nivel(), 0);

    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].texto, linea);
    EXPECT_EQ(guion.Registros()[0].titulo, "Aviso al Operador!");
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SoloAceptar | Estilo::Critico);

    const auto filas = FilasError();
    ASSERT_EQ(filas.size(), 1u);
    EXPECT_EQ(filas[0], (QVariantList{NombreEjecutable(), "2025-06-30 09:05:00", 2627, linea, r.tanda, "PC07",
                                      AD().LeeUsuario()}));
}

TEST_F(TandaSql, CadaSentenciaRechazadaDaSuLinea) {
    const Resultado r = Ejecuta({kCab.arg(900).arg("A"), kCab.arg(900).arg("B"), kDet.arg(777).arg("X")});
    EXPECT_EQ(r.numero, 2627);
    EXPECT_EQ(r.mensajes, "2627 : UNIQUE constraint failed: V_CPTES_MODELO_CAB.IdVardelio\r\n"
                          "3621 : The statement has been terminated.\r\n"
                          "547 : FOREIGN KEY constraint failed\r\n");
    EXPECT_EQ(guion.Mensajes(), QStringList{r.mensajes});
    EXPECT_TRUE(Plantillas().isEmpty());
}

TEST_F(TandaSql, FallasSilenciosas) {
    // A duplicate key with its option: no box, the first description, still rolled back and recorded.
    Resultado r = Ejecuta({kCab.arg(900).arg("A"), kCab.arg(900).arg("B")}, true, false);
    EXPECT_TRUE(r.hayError);
    EXPECT_EQ(r.numero, 2627);
    EXPECT_EQ(r.mensajes, "UNIQUE constraint failed: V_CPTES_MODELO_CAB.IdVardelio");
    EXPECT_TRUE(guion.Registros().empty());
    EXPECT_TRUE(Plantillas().isEmpty());
    ASSERT_EQ(FilasError().size(), 1u);
    EXPECT_EQ(FilasError()[0].value(2), 2627);
    EXPECT_EQ(FilasError()[0].value(3), ""); // recorded without a description

    // A reference conflict with its option.
    r = Ejecuta({kCab.arg(900).arg("A"), kDet.arg(777).arg("X")}, false, true);
    EXPECT_EQ(r.numero, 547);
    EXPECT_EQ(r.mensajes, "FOREIGN KEY constraint failed");
    EXPECT_TRUE(guion.Registros().empty());
    EXPECT_TRUE(Plantillas().isEmpty());

    // Each option quiets only its own error.
    r = Ejecuta({kDet.arg(777).arg("X")}, true, false);
    EXPECT_EQ(r.numero, 547);
    EXPECT_EQ(r.mensajes, "547 : FOREIGN KEY constraint failed\r\n");
    EXPECT_EQ(guion.Registros().size(), 1u);
    r = Ejecuta({kCab.arg(1).arg("X"), kCab.arg(1).arg("X")}, false, true);
    EXPECT_EQ(r.numero, 2627);
    EXPECT_EQ(guion.Registros().size(), 2u);

    // Without show, nothing is shown but the lines are returned and recorded.
    r = Ejecuta({kCab.arg(900).arg("A"), kCab.arg(900).arg("B")}, false, false, false);
    EXPECT_EQ(r.mensajes, "2627 : UNIQUE constraint failed: V_CPTES_MODELO_CAB.IdVardelio\r\n");
    EXPECT_EQ(guion.Registros().size(), 2u);
    EXPECT_EQ(FilasError().size(), 5u);
    EXPECT_EQ(Nivel(), 0);
}

// A voucher number another station stored first (the register's key, the stock movements' key,
// a check of the batch) is told in words alone; the error row keeps the database's lines.
TEST_F(TandaSql, UnNumeroTomadoSeDiceEnPalabras) {
    const QString registro = "INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES ('  TR','0001',"
                             "'00000007','X')";
    const QString movimiento = "INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia) VALUES "
                               "(' AJP', '000100000007X', "
                               "0, 1)";
    ASSERT_FALSE(Ejecuta({registro, movimiento}).hayError);
    const QString palabras = "El número del comprobante ya fue tomado por otro puesto: no se grabó nada. "
                             "Vuelva a grabar y se tomará el siguiente número.\r\n";
    // The register's primary key gives 2627, the movements' unique index 2601, as on SQL Server.
    for (const auto& [repetida, numero] : {std::pair{registro, 2627}, std::pair{movimiento, 2601}}) {
        guion.Limpia();
        // Every row of the voucher refused again: still the words once.
        const Resultado r = Ejecuta({repetida, repetida, repetida});
        EXPECT_EQ(r.numero, numero);
        EXPECT_EQ(r.mensajes, palabras);
        EXPECT_EQ(guion.Mensajes(), QStringList{palabras});
        const QString fila = FilasError().back().value(3).toString();
        EXPECT_TRUE(fila.startsWith(QString::number(numero) + " : UNIQUE constraint failed: "))
            << fila.toStdString();
        EXPECT_FALSE(fila.contains("otro puesto"));
    }
    // A check of the batch that says a number was taken: its words, once each, and the key's.
    const QString control = "IF EXISTS(SELECT * FROM V_MV_STOCK WHERE TC = ' AJP') RAISERROR('El lote "
                            "automático 4 ya fue tomado por otro comprobante: no se grabó nada.', 16, 1)";
    guion.Limpia();
    const Resultado r = Ejecuta({control, movimiento, control});
    EXPECT_EQ(r.numero, 50000);
    EXPECT_EQ(r.mensajes,
              "El lote automático 4 ya fue tomado por otro comprobante: no se grabó nada.\r\n" + palabras);
    EXPECT_TRUE(FilasError().back().value(3).toString().startsWith("50000 : El lote automático 4"));
    // Any other check keeps its line.
    EXPECT_EQ(Ejecuta({"RAISERROR('Fuera de horario', 16, 1)"}).mensajes, "50000 : Fuera de horario\r\n");
    // Any other duplicate key keeps the database's lines alone; a quiet refusal stays quiet.
    guion.Limpia();
    EXPECT_FALSE(Ejecuta({kCab.arg(900).arg("A"), kCab.arg(900).arg("B")}).mensajes.contains("otro puesto"));
    EXPECT_EQ(Ejecuta({registro}, true).mensajes, "UNIQUE constraint failed: V_MV_CTROL_CPTE.TC, "
                                                  "V_MV_CTROL_CPTE.SUCURSAL, V_MV_CTROL_CPTE.NUMERO, "
                                                  "V_MV_CTROL_CPTE.LETRA");
    // A unique index's duplicate (2601) is as quiet as a key's.
    guion.Limpia();
    const Resultado indice = Ejecuta({movimiento}, true);
    EXPECT_TRUE(indice.hayError);
    EXPECT_EQ(indice.mensajes, "UNIQUE constraint failed: V_MV_STOCK.TC, V_MV_STOCK.IdComprobante, "
                               "V_MV_STOCK.IdComplemento, V_MV_STOCK.Secuencia");
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(' ').toStdString();
}

// Two checks of the batch refused, with no closing entry of the server's after them: the second
// is read like the first. A number taken after another refusal is told in its words; a number
// drawn from a table its rows are not stored in wins over a number taken, whose "Vuelva a grabar"
// saving again cannot mend.
TEST_F(TandaSql, DosControlesRechazadosSeLeenAmbos) {
    const QString tomado = "El número de asiento 26 ya fue tomado por otro comprobante: no se grabó nada. "
                           "Vuelva a grabar y se tomará el siguiente número.";
    const QString dosTablas = QStringLiteral("Los asientos toman su número de MV_ASIENTOS de la base de "
                                             "administración \"A\" y se graban con los de MV_ASIENTOS de la "
                                             "base \"B\", %1: deben ser una sola. No se grabó nada.")
                                  .arg(QLatin1String(kTablasDistintas));
    const auto control = [](const QString& palabras) { return "RAISERROR('" + palabras + "', 16, 1)"; };
    guion.Limpia();
    EXPECT_EQ(Ejecuta({control("Fuera de horario"), control(tomado)}).mensajes, tomado + "\r\n");
    const Resultado r = Ejecuta({control(tomado), control(dosTablas)});
    EXPECT_EQ(r.mensajes, dosTablas + "\r\n");
    EXPECT_EQ(guion.Mensajes(), (QStringList{tomado + "\r\n", dosTablas + "\r\n"}));
}

TEST_F(TandaSql, ValoresDificilesLleganIntactos) {
    QStringList sentencias;
    QString condicion;
    QString id = "900";
    QString nombre = "O'Brien\r\ny 'Cía'\rSA";
    QString nulo = "nUlL";
    AgregaCampo("IdVardelio", id, "@", true);
    AgregaCampo("nombre", nombre, "'", false);
    AgregaCampo("DETALLE", nulo, "'", false);
    ArmaSentencia(ListaCampos(), sentencias, "V_CPTES_MODELO_CAB", false, condicion, false);

    QString largo;
    for (int i = 0; i < 100000; ++i)
        largo += QChar(u"abcñá \r\n;"[i % 9]);
    // As long as its column allows, and far longer in a column without a width.
    QString lleno = largo.left(50);
    const QString esperado = lleno;
    id = "901";
    QString otroNombre = "Largo";
    AgregaCampo("IdVardelio", id, "@", true);
    AgregaCampo("nombre", otroNombre, "'", false);
    AgregaCampo("DETALLE", lleno, "'", false);
    ArmaSentencia(ListaCampos(), sentencias, "V_CPTES_MODELO_CAB", false, condicion, false);
    QString clave = "LARGO";
    AgregaCampo("Clave", clave, "'", true);
    AgregaCampo("Valor", largo, "'", false);
    ArmaSentencia(ListaCampos(), sentencias, "TA_CONFIGURACION", false, condicion, false);

    const Resultado r = Ejecuta(sentencias);
    ASSERT_FALSE(r.hayError) << r.mensajes.toStdString();
    EXPECT_EQ(nombre, "OBrien\r\ny Cía\rSA");
    EXPECT_EQ(Plantillas(), (QVariantList{"OBrien\r\ny Cía\rSA", "Largo"}));
    const QVariantList detalles = Columna("SELECT DETALLE FROM V_CPTES_MODELO_CAB WHERE IdVardelio >= 900 "
                                          "ORDER BY IdVardelio");
    ASSERT_EQ(detalles.size(), 2);
    EXPECT_TRUE(detalles[0].isNull()); // the word NULL, in any case, is a null
    EXPECT_EQ(detalles[1].toString(), esperado);
    EXPECT_EQ(Columna("SELECT Valor FROM TA_CONFIGURACION WHERE Clave = 'LARGO'"), QVariantList{largo});

    // One character more than the column holds: the whole batch is refused as the server refuses it.
    sentencias.clear();
    id = "902";
    QString pasado = lleno + "x";
    AgregaCampo("IdVardelio", id, "@", true);
    AgregaCampo("DETALLE", pasado, "'", false);
    ArmaSentencia(ListaCampos(), sentencias, "V_CPTES_MODELO_CAB", false, condicion, false);
    const Resultado refusado = Ejecuta(sentencias, false, false, false);
    EXPECT_EQ(refusado.numero, 8152);
    EXPECT_EQ(refusado.mensajes, "8152 : String or binary data would be truncated.\r\n");
    EXPECT_EQ(Plantillas().size(), 2);
}

// A failure between the batch and its commit must leave the database as it was.
class TandaSqlInterrumpida : public TandaSql {
protected:
    void TearDown() override {
        EstableceAntesDeConfirmar(nullptr);
        TandaSql::TearDown();
    }
    QVariantList Intacta() const { return Columna("SELECT COUNT(*) FROM V_CPTES_MODELO_CAB"); }
};

TEST_F(TandaSqlInterrumpida, ConexionCaidaAntesDelCommit) {
    const QVariantList antes = Intacta();
    EstableceAntesDeConfirmar([] { AD().LeeConexion().Close(); });
    const Resultado r = Ejecuta({kCab.arg(900).arg("A"), kCab.arg(901).arg("B")});
    EXPECT_TRUE(r.hayError);
    EXPECT_EQ(r.numero, 3709);
    EXPECT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(Plantillas().isEmpty());
    EXPECT_EQ(Intacta(), antes);
}

TEST_F(TandaSqlInterrumpida, ArchivoQueNoSePuedeEscribirAlConfirmar) {
    const QVariantList antes = Intacta();
    // From here on the process cannot grow any file: the commit cannot write.
    rlimit previo{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previo), 0);
    struct sigaction ignora {};
    struct sigaction senal {};
    ignora.sa_handler = SIG_IGN;
    ASSERT_EQ(sigaction(SIGXFSZ, &ignora, &senal), 0);
    EstableceAntesDeConfirmar([] {
        rlimit limite{1, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limite);
    });
    const Resultado r = Ejecuta({kCab.arg(900).arg("A"), kCab.arg(901).arg("B")});
    EstableceAntesDeConfirmar(nullptr);
    setrlimit(RLIMIT_FSIZE, &previo);
    sigaction(SIGXFSZ, &senal, nullptr);

    EXPECT_TRUE(r.hayError);
    EXPECT_NE(r.numero, 0);
    EXPECT_EQ(Nivel(), 0); // rolled back: no later commit can store it
    EXPECT_TRUE(Plantillas().isEmpty());
    EXPECT_EQ(Intacta(), antes);
    // The connection still works afterwards.
    EXPECT_FALSE(Ejecuta({kCab.arg(903).arg("C")}).hayError);
    EXPECT_EQ(Plantillas(), QVariantList{"C"});
}

TEST_F(TandaSqlInterrumpida, CommitRechazadoSeRevierte) {
    // A constraint checked only at commit time.
    AD().EjecutaSQL("CREATE TABLE PADRE_X (Id INTEGER PRIMARY KEY)");
    AD().EjecutaSQL("CREATE TABLE HIJO_X (Id INTEGER, IdPadre INTEGER REFERENCES PADRE_X (Id) "
                    "DEFERRABLE INITIALLY DEFERRED)");
    const Resultado r = Ejecuta({kCab.arg(900).arg("A"), "INSERT INTO HIJO_X (Id, IdPadre) VALUES (1, 5)"});
    EXPECT_TRUE(r.hayError);
    EXPECT_EQ(r.numero, 547);
    EXPECT_EQ(r.mensajes, "547 : FOREIGN KEY constraint failed\r\n");
    EXPECT_EQ(Nivel(), 0);
    // Whoever commits later finds nothing to commit.
    EXPECT_THROW(AD().EjecutaSQL("COMMIT TRANSACTION"), ErrorSistema);
    EXPECT_TRUE(Plantillas().isEmpty());
    ASSERT_EQ(FilasError().size(), 1u);
    EXPECT_EQ(FilasError()[0].value(2), 547);
    EXPECT_EQ(guion.Mensajes(), QStringList{r.mensajes});
}

TEST_F(TandaSqlInterrumpida, AbandonarTrasEnviarLaTandaLaRevierte) {
    // A failure of the step itself, answered with Abort.
    EstableceAntesDeConfirmar([] { throw ErrorSistema(5, "Llamada no válida", "Prueba"); });
    guion.AgregaRespuesta(Respuesta::Abortar);
    Resultado r = Ejecuta({kCab.arg(900).arg("A")});
    EXPECT_TRUE(r.hayError);
    EXPECT_EQ(r.numero, -99); // left without setting it
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_EQ(guion.Registros()[0].titulo, "Prueba - GActualizarDatoScript Aviso al operador!!! - 2 ");
    EXPECT_EQ(Nivel(), 0);
    EXPECT_TRUE(Plantillas().isEmpty());

    // Retry runs the step again; here it then succeeds and the batch is committed.
    int veces = 0;
    EstableceAntesDeConfirmar([&veces] {
        if (++veces == 1)
            throw ErrorSistema(5, "Llamada no válida", "Prueba");
    });
    guion.AgregaRespuesta(Respuesta::Reintentar);
    r = Ejecuta({kCab.arg(900).arg("A")});
    EXPECT_FALSE(r.hayError);
    EXPECT_EQ(r.numero, 0);
    EXPECT_EQ(veces, 2);
    EXPECT_EQ(Plantillas(), QVariantList{"A"});
}

} // namespace

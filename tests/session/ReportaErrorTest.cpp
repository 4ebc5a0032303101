#include "ReportaError.h"
#include "AccesoDatos.h"
#include "Ayudas.h"
#include "BaseDemo.h"
#include "Comun.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Registros.h"
#include "Reloj.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

namespace {

class ReportaErrorArchivo : public ConGuion {
protected:
    void SetUp() override {
        ConGuion::SetUp();
        ASSERT_TRUE(respaldo.isValid());
        ASSERT_TRUE(otra.isValid());
        temp.Quita();
        tmp.Quita();
        Maquina().setCarpetaAlternativa(respaldo.path());
        EstableceReloj([] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); });
    }
    void TearDown() override {
        ReiniciaSesion();
        ConGuion::TearDown();
    }
    static QByteArray Lee(const QString& carpeta) {
        QFile f(carpeta + "/CVERR.LOG");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    VariableEntorno temp{"temp"};
    VariableEntorno tmp{"tmp"};
    QTemporaryDir respaldo;
    QTemporaryDir otra;
};

TEST_F(ReportaErrorArchivo, MensajeTituloBotonesYLineaDelRegistroByteAByte) {
    guion.AgregaRespuesta(Respuesta::Ignorar);
    const ErrorSistema error(13, "  Tipos no coinciden  ", "AccesoDatos.ObtieneRecordset");

    EXPECT_EQ(ReportaError(error, 18, "Cfg"), Respuesta::Ignorar);

    ASSERT_EQ(guion.Registros().size(), 1u);
    const auto& caja = guion.Registros()[0];
    EXPECT_EQ(caja.texto, "Ha ocurrido el Siguiente Error (13) Tipos no coinciden");
    EXPECT_EQ(caja.titulo, "AccesoDatos.ObtieneRecordset - Cfg Aviso al operador!!! - 2 ");
    EXPECT_EQ(caja.estilo, Estilo::AbortarReintentarIgnorar | Estilo::Critico);
    // Windows-1252 ("ó" is one byte 0xF3) and CR LF.
    EXPECT_EQ(Lee(respaldo.path()),
              QByteArray("03-05-2024 14:07:09 Rutina: - Cfg Mensaje Ha ocurrido el Siguiente "
                         "Error (13) Tipos no coinciden Respondi\xF3 : Ignorar\r\n"));
}

TEST_F(ReportaErrorArchivo, SinRutinaDosBlancosEntreRutinaYMensaje) {
    guion.AgregaRespuesta(Respuesta::Abortar);
    EXPECT_EQ(ReportaError(ErrorSistema(5, "Llamada no válida", "Modelos")), Respuesta::Abortar);
    EXPECT_EQ(guion.Registros().at(0).titulo, "Modelos Aviso al operador!!! - 2 ");
    EXPECT_EQ(guion.Registros().at(0).estilo, 18);
    // "á" of the description is written in Windows-1252 as well.
    EXPECT_EQ(Lee(respaldo.path()),
              QByteArray("03-05-2024 14:07:09 Rutina:  Mensaje Ha ocurrido el Siguiente Error "
                         "(5) Llamada no v\xE1lida Respondi\xF3 : Abortar\r\n"));
}

TEST_F(ReportaErrorArchivo, CadaRespuestaVuelveAlLlamadorYSeAnotaConSuPalabra) {
    const std::vector<std::pair<int, QByteArray>> casos = {{Respuesta::Reintentar, "Reintentar"},
                                                           {Respuesta::Ignorar, "Ignorar"},
                                                           {Respuesta::Abortar, "Abortar"},
                                                           {Respuesta::Cancelar, "Cancelar"},
                                                           {Respuesta::Si, "S\xED"},
                                                           {Respuesta::No, "No"},
                                                           {Respuesta::Aceptar, ""}};
    for (const auto& [respuesta, palabra] : casos)
        guion.AgregaRespuesta(respuesta);
    for (const auto& [respuesta, palabra] : casos)
        EXPECT_EQ(ReportaError(ErrorSistema(7, "x", "Origen"), 18, "R"), respuesta);

    const QList<QByteArray> lineas = Lee(respaldo.path()).split('\n');
    ASSERT_EQ(lineas.size(), static_cast<qsizetype>(casos.size()) + 1); // one line each, appended
    for (size_t i = 0; i < casos.size(); ++i)
        EXPECT_TRUE(lineas[static_cast<qsizetype>(i)].endsWith(QByteArray(" : ") + casos[i].second + "\r"))
            << lineas[static_cast<qsizetype>(i)].toStdString();
    EXPECT_TRUE(lineas.last().isEmpty());
}

TEST_F(ReportaErrorArchivo, ErrorCeroNoMuestraNiAnota) {
    EXPECT_EQ(ReportaError(ErrorSistema(0, "nada", "Origen"), 18, "Cfg"), 0);
    EXPECT_TRUE(guion.Registros().empty());
    EXPECT_FALSE(QFile::exists(respaldo.path() + "/CVERR.LOG"));
}

TEST_F(ReportaErrorArchivo, CarpetaSegunTempYTmp) {
    const QString carpetaRespaldo = QDir(respaldo.path()).absolutePath() + "/";
    const QString carpetaOtra = QDir(otra.path()).absolutePath() + "/";

    // "temp" set: the folder is the one named by "tmp", trimmed, with one separator.
    temp.Pon("/no/se/usa");
    tmp.Pon("  " + otra.path() + "  ");
    EXPECT_EQ(CarpetaRegistroErrores(), carpetaOtra);
    tmp.Pon(otra.path() + "/");
    EXPECT_EQ(CarpetaRegistroErrores(), carpetaOtra);

    // "temp" set and "tmp" empty or blank: the machine's fallback folder.
    tmp.Pon("   ");
    EXPECT_EQ(CarpetaRegistroErrores(), carpetaRespaldo);
    tmp.Quita();
    EXPECT_EQ(CarpetaRegistroErrores(), carpetaRespaldo);

    // "temp" empty: the fallback, whatever "tmp" holds.
    temp.Pon("");
    tmp.Pon(otra.path());
    EXPECT_EQ(CarpetaRegistroErrores(), carpetaRespaldo);
    temp.Quita();
    EXPECT_EQ(CarpetaRegistroErrores(), carpetaRespaldo);

    // The variables are read as named: upper-case ones are other variables on Linux.
    VariableEntorno mayus("TEMP");
    mayus.Pon("/algo");
    EXPECT_EQ(CarpetaRegistroErrores(), carpetaRespaldo);

    // And the report writes where the rule says.
    temp.Pon("x");
    tmp.Pon(otra.path());
    ReportaError(ErrorSistema(1, "uno", "O"));
    EXPECT_FALSE(Lee(otra.path()).isEmpty());
    EXPECT_TRUE(Lee(respaldo.path()).isEmpty());
}

TEST_F(ReportaErrorArchivo, RegistroQueNoSePuedeEscribirNoImpideLaRespuesta) {
    Maquina().setCarpetaAlternativa(respaldo.path() + "/no/existe");
    guion.AgregaRespuesta(Respuesta::Reintentar);
    EXPECT_EQ(ReportaError(ErrorSistema(3021, "Sin registro actual", "AccesoDatos"), 18, "Cfg"),
              Respuesta::Reintentar);
    EXPECT_EQ(guion.Mensajes(), QStringList{"Ha ocurrido el Siguiente Error (3021) Sin registro actual"});

    // A log that is a folder cannot be opened for appending either.
    Maquina().setCarpetaAlternativa(respaldo.path());
    ASSERT_TRUE(QDir(respaldo.path()).mkdir("CVERR.LOG"));
    guion.AgregaRespuesta(Respuesta::Ignorar);
    EXPECT_EQ(ReportaError(ErrorSistema(3021, "Sin registro actual", "AccesoDatos"), 18, "Cfg"),
              Respuesta::Ignorar);
    EXPECT_EQ(guion.Mensajes().size(), 2);
}

TEST_F(ReportaErrorArchivo, ConduceAlEjecutorDePasos) {
    // Retry runs the failing statement again, Ignore goes on, Abort leaves.
    guion.AgregaRespuesta(Respuesta::Reintentar);
    guion.AgregaRespuesta(Respuesta::Ignorar);
    guion.AgregaRespuesta(Respuesta::Abortar);
    int intentos = 0;
    QStringList hechos;
    const bool completo = EjecutaPasos({
                                           [&] {
                                               if (++intentos < 2)
                                                   throw ErrorSistema(11, "División por cero", "Calculo");
                                               hechos << "uno";
                                           },
                                           [&] { throw ErrorSistema(13, "Tipos no coinciden", "Calculo"); },
                                           [&] { hechos << "tres"; },
                                           [&] { throw ErrorSistema(6, "Desbordamiento", "Calculo"); },
                                           [&] { hechos << "cinco"; },
                                       },
                                       [](const ErrorSistema& e) { return ReportaError(e, 18, "Prueba"); });
    EXPECT_FALSE(completo);
    EXPECT_EQ(hechos, (QStringList{"uno", "tres"}));
    EXPECT_EQ(guion.Mensajes().size(), 3);
}

class RegistroErrorBD : public ConBaseDemo {
protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        Maquina().setNombreMaquina("CAJA-03");
        EstableceReloj([] { return QDateTime(QDate(2025, 1, 2), QTime(23, 59, 58)); });
    }
    // Proceso, Fecha, Error, Descripcion, SQL, PC, Usuario of every row.
    static std::vector<QVariantList> Filas() { return FilasAuxErr(AD()); }
};

TEST_F(RegistroErrorBD, UnaFilaConSusColumnas) {
    const QString descripcion = QString("Ñandú ").repeated(50); // 300 characters
    const QString sql = "BEGIN TRANSACTION \r\r\rINSERT INTO T (A) VALUES ('" + QString(5000, 'x') + "')\r";
    QString proceso;
    RegistraErrorBD(sql, proceso, 2627, descripcion);
    EXPECT_EQ(proceso, NombreEjecutable()); // the caller's empty name is filled in
    EXPECT_FALSE(proceso.isEmpty());

    QString propio = "MODELOS";
    RegistraErrorBD("SELECT 1", propio, -2147217900, "");
    EXPECT_EQ(propio, "MODELOS");

    const auto filas = Filas();
    ASSERT_EQ(filas.size(), 2u);
    // The date is stored the way the embedded database keeps dates; minutes, no seconds.
    EXPECT_EQ(filas[0], (QVariantList{NombreEjecutable(), "2025-01-02 23:59:00", 2627, descripcion.left(250),
                                      sql, "CAJA-03", "DEMO"}));
    EXPECT_EQ(filas[1], (QVariantList{"MODELOS", "2025-01-02 23:59:00", -2147217900, "", "SELECT 1",
                                      "CAJA-03", "DEMO"}));
    EXPECT_TRUE(guion.Registros().empty());
}

TEST_F(RegistroErrorBD, SusPropiasFallasNoLleganAlLlamador) {
    AD().EjecutaSQL("DROP TABLE AUX_ERR");
    QString proceso;
    EXPECT_NO_THROW(RegistraErrorBD("SELECT 1", proceso, 1, "uno"));
    AD().LeeConexion().Close();
    EXPECT_NO_THROW(RegistraErrorBD("SELECT 1", proceso, 1, "uno"));
    EXPECT_TRUE(guion.Registros().empty());
}

} // namespace

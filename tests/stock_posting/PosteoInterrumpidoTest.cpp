// A posting in batch mode killed with SIGKILL at random moments, while it builds its batch, while
// the batch runs or just before its COMMIT: the database is left exactly as it was.

#include "BasePosteo.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>

namespace {

const char* const kVariableBase = "MODELOS_POSTEO_HIJO";
constexpr int kLineas = 200;
constexpr int kMatanzas = 30;

class PosteoHijo : public ConPosteo {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty(kVariableBase))
            GTEST_SKIP() << "only as a child of the killing test";
        ConPosteo::SetUp();
    }
};

// Posts a transfer of many lines with its entry and the reception of a purchase order, and saves
// it; before the COMMIT it waits to be killed.
TEST_F(PosteoHijo, DISABLED_PosteaYEspera) {
    AD().LeeConexion().Close();
    AD().AsignaBaseDatos(qEnvironmentVariable(kVariableBase));
    AD().Conecta(false, 3, QString(), true, true);
    std::vector<LineaGrilla> lineas;
    lineas.reserve(kLineas);
    for (int i = 0; i < kLineas; ++i)
        lineas.push_back(Linea(QString::number(1001 + i % 250), QString::number(1 + i % 5)));
    auto g = GrillaArticulos(lineas);
    Llamada ll;
    ll.TC = "TR";
    ll.EsTransferencia = true;
    ll.IdDepositoDestino = "2";
    ll.TcOrigen = "OC";
    ll.ComprobanteOrigen = "010000000007X";
    EstableceAntesDeConfirmar([] {
        std::fputs("antes\n", stdout);
        std::fflush(stdout);
        QThread::sleep(60);
    });
    std::fputs("inicio\n", stdout);
    std::fflush(stdout);
    Postea(*g, ll);
    bool hayError = false;
    qint32 numero = 0;
    QString tanda, mensajes;
    GActualizarDatoScript(DivideTanda(ll.SqlTemp), hayError, numero, false, false, tanda, mensajes, false);
}

class PosteoInterrumpido : public ConPosteo {
protected:
    std::unique_ptr<QProcess> Inicia() {
        auto hijo = std::make_unique<QProcess>();
        auto entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(kVariableBase, RutaBase());
        hijo->setProcessEnvironment(entorno);
        hijo->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        hijo->start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=PosteoHijo.DISABLED_PosteaYEspera", "--gtest_also_run_disabled_tests"});
        return hijo;
    }
    static bool EsperaLinea(QProcess& p, const QByteArray& linea, int ms) {
        QElapsedTimer reloj;
        reloj.start();
        while (reloj.elapsed() < ms) {
            while (p.canReadLine())
                if (p.readLine().trimmed() == linea)
                    return true;
            p.waitForReadyRead(20);
        }
        return false;
    }
    // Every row of the tables a posting writes, as one digest.
    static QByteArray Estado() {
        QCryptographicHash h(QCryptographicHash::Sha256);
        for (const char* tabla : {"V_MV_STOCK", "MV_ASIENTOS", "C_MV_CPTE", "V_TA_CPTE", "V_MV_CTROL_CPTE"}) {
            Registros rs;
            AD().ObtieneRecordset(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2, 3").arg(tabla), rs);
            for (; !rs.Eof(); rs.MoveNext())
                for (int i = 0; i < rs.FieldCount(); ++i)
                    h.addData(rs.Fields(i).toString().toUtf8() + '\x1f');
            AD().CierraRecordset(rs);
        }
        return h.result();
    }
};

TEST_F(PosteoInterrumpido, MatadoEnCualquierMomentoNoDejaNada) {
    const QByteArray antes = Estado();
    AD().LeeConexion().Close();
    // The time from the start of the posting to its COMMIT, to spread the kills over.
    qint64 duracion = 0;
    {
        auto hijo = Inicia();
        ASSERT_TRUE(EsperaLinea(*hijo, "inicio", 60000));
        QElapsedTimer reloj;
        reloj.start();
        ASSERT_TRUE(EsperaLinea(*hijo, "antes", 120000));
        duracion = reloj.elapsed();
        hijo->kill();
        hijo->waitForFinished();
    }
    QRandomGenerator azar(7);
    for (int n = 0; n < kMatanzas; ++n) {
        auto hijo = Inicia();
        ASSERT_TRUE(EsperaLinea(*hijo, "inicio", 60000));
        QThread::msleep(azar.bounded(static_cast<quint32>(duracion * 11 / 10 + 1)));
        ::kill(static_cast<pid_t>(hijo->processId()), SIGKILL);
        hijo->waitForFinished();
        EXPECT_EQ(hijo->exitStatus(), QProcess::CrashExit);
        AD().Conecta(false, 3, QString(), true, true);
        ASSERT_EQ(Estado(), antes) << "muerto " << n;
        AD().LeeConexion().Close();
    }
    AD().Conecta(false, 3, QString(), true, true);
    EXPECT_EQ(Valor("SELECT FechaRecepcion FROM C_MV_CPTE WHERE IDCOMPROBANTE = '010000000007X'"), "");
}

} // namespace

// Two programs number and save stock vouchers of one type on one database file at the same
// time. Each save lands whole or is refused whole (by the register's key when both drew the same
// number, or by the write lock), and no two stored vouchers share an identity.

#include "BaseNumeracion.h"
#include "Numeracion.h"
#include "TandasSql.h"
#include "TraductorSql.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QSet>
#include <QTextStream>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

namespace {

const char* const kVariableBase = "MODELOS_NUMERACION_HIJO";
const char* const kVariableEtiqueta = "MODELOS_NUMERACION_ETIQUETA";
constexpr int kGuardados = 25;
constexpr int kRenglones = 3;

// One voucher: numbered, then its rows, the range update and its register row in one batch.
// Answers "ok <identity>", "rechazado <error>" or "sin numero".
QString NumeraYGuarda(const QString& etiqueta) {
    const QString id =
        AsignarNumeroComprobante(QStringLiteral("AJP"), QStringLiteral("0001"), QStringLiteral("X"));
    if (id.size() != 13)
        return QStringLiteral("sin numero");
    // Widens the gap between numbering and saving, where the other program may take the number.
    QThread::msleep(QRandomGenerator::global()->bounded(4));
    QStringList sentencias;
    for (int r = 1; r <= kRenglones; ++r)
        sentencias << QStringLiteral(
                          "INSERT INTO V_MV_STOCK (TC, IdComprobante, Secuencia, IdArticulo, Descripcion, "
                          "Cantidad) VALUES (' AJP', '%1', %2, '                     1001', '%3', 1)")
                          .arg(id)
                          .arg(r)
                          .arg(etiqueta);
    QString sql;
    QString letra = id.right(1);
    ActualizaNumeracion(QStringLiteral("AJP"), QStringLiteral("STOCK"), id.left(4),
                        QString::number(id.mid(4, 8).toLongLong() + 1), letra, true, sql, true, false);
    sentencias << DivideTanda(sql);
    bool hayError = false;
    qint32 numeroError = 0;
    QString lote, mensajes;
    GActualizarDatoScript(sentencias, hayError, numeroError, true, false, lote, mensajes, false);
    return hayError ? QStringLiteral("rechazado %1").arg(numeroError) : QStringLiteral("ok ") + id;
}

class NumeracionHijo : public ConNumeracion {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty(kVariableBase))
            GTEST_SKIP() << "only as a child of the two-program test";
        ConNumeracion::SetUp();
    }
};

TEST_F(NumeracionHijo, DISABLED_NumeraYGuarda) {
    const QString base = qEnvironmentVariable(kVariableBase);
    const QString etiqueta = qEnvironmentVariable(kVariableEtiqueta);
    AD().AsignaBaseDatos(base);
    AD().Conecta(false, 3, QString(), true, true);
    QFile salida(base + "." + etiqueta);
    ASSERT_TRUE(salida.open(QIODevice::WriteOnly | QIODevice::Text));
    QTextStream out(&salida);
    for (int i = 0; i < kGuardados; ++i)
        out << NumeraYGuarda(etiqueta) << '\n';
}

class DosProgramas : public ConNumeracion {
protected:
    std::unique_ptr<QProcess> Inicia(const QString& etiqueta) {
        auto hijo = std::make_unique<QProcess>();
        auto entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(kVariableBase, RutaBase());
        entorno.insert(kVariableEtiqueta, etiqueta);
        hijo->setProcessEnvironment(entorno);
        hijo->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        hijo->start(
            QCoreApplication::applicationFilePath(),
            {"--gtest_filter=NumeracionHijo.DISABLED_NumeraYGuarda", "--gtest_also_run_disabled_tests"});
        return hijo;
    }
    // Both children at once, this program's connection closed meanwhile.
    void CorreLosDos() {
        AD().LeeConexion().Close();
        auto a = Inicia("A");
        auto b = Inicia("B");
        for (auto* hijo : {a.get(), b.get()}) {
            ASSERT_TRUE(hijo->waitForStarted(10000));
            ASSERT_TRUE(hijo->waitForFinished(180000));
            EXPECT_EQ(hijo->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(hijo->exitCode(), 0) << hijo->readAllStandardOutput().toStdString();
        }
        AD().Conecta(false, 3, QString(), true, true);
    }
    QStringList Resultados(const QString& etiqueta) {
        QFile f(RutaBase() + "." + etiqueta);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }
};

// What the children say they saved; every other answer a clean refusal.
QSet<QString> Guardados(const QStringList& resultados, int& rechazos) {
    QSet<QString> guardados;
    for (const QString& r : resultados) {
        if (!r.startsWith("ok ")) {
            // Refused by the register's key, the movements' unique index or the write lock; nothing
            // else.
            EXPECT_TRUE(r == "rechazado 2627" || r == "rechazado 2601" || r == "rechazado 1222")
                << r.toStdString();
            ++rechazos;
            continue;
        }
        EXPECT_FALSE(guardados.contains(r.mid(3))) << "dos veces " << r.toStdString();
        guardados.insert(r.mid(3));
    }
    return guardados;
}

TEST_F(DosProgramas, NingunaIdentidadSeRepiteNiQuedaNadaAMedias) {
    CorreLosDos();

    const QStringList deA = Resultados("A");
    const QStringList deB = Resultados("B");
    ASSERT_EQ(deA.size(), kGuardados);
    ASSERT_EQ(deB.size(), kGuardados);
    int rechazos = 0;
    const QSet<QString> guardados = Guardados(deA + deB, rechazos);
    EXPECT_GE(guardados.size(), kGuardados);
    // Every saved voucher whole, of one program only; nothing of a refused one.
    EXPECT_EQ(Columna("SELECT IdComprobante FROM V_MV_STOCK WHERE TC = ' AJP' GROUP BY IdComprobante "
                      "HAVING COUNT(*) <> " +
                      QString::number(kRenglones) + " OR COUNT(DISTINCT Descripcion) <> 1"),
              QStringList());
    const QStringList almacenados =
        Columna("SELECT DISTINCT IdComprobante FROM V_MV_STOCK WHERE TC = ' AJP'");
    EXPECT_EQ(QSet<QString>(almacenados.begin(), almacenados.end()), guardados);
    // The register holds exactly the saved numbers, and the range follows the highest.
    const QStringList registrados =
        Columna("SELECT SUCURSAL || NUMERO || LETRA FROM V_MV_CTROL_CPTE WHERE TC = ' AJP'");
    EXPECT_EQ(QSet<QString>(registrados.begin(), registrados.end()), guardados);
    EXPECT_EQ(
        Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = ' AJP'").toLongLong(),
        Valor("SELECT MAX(CAST(substr(IdComprobante, 5, 8) AS INTEGER)) FROM V_MV_STOCK WHERE TC = ' AJP'")
                .toLongLong() +
            1);
    RecordProperty("rechazos", rechazos);
}

} // namespace

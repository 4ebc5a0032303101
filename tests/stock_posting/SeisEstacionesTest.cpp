// Six stations number and save on one database file at the same time, 40 saves each: a type that
// registers no numbers, transfers with the register of used numbers, and postings with their
// production-input discharge, accounting entry and automatic lot. Afterwards no identity, entry
// number or automatic lot belongs to two vouchers, every refusal was told in words, and the
// stored vouchers are exactly the saves reported as saved. The stations are real processes: this
// test program run again in the child role below.

#include "BasePosteo.h"
#include "Numeracion.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QSet>
#include <QTextStream>
#include <QThread>
#include <memory>
#include <vector>

namespace {

const char* const kVariableBase = "MODELOS_ESTACIONES_BASE";
const char* const kVariableRol = "MODELOS_ESTACIONES_ROL";
const char* const kVariableEtiqueta = "MODELOS_ESTACIONES_ETIQUETA";
constexpr int kEstaciones = 6;
constexpr int kGuardados = 40;
constexpr int kRenglones = 3;
// What every refusal of a taken number tells the user.
const QString kDichoEnPalabras = QStringLiteral("Vuelva a grabar y se tomará el siguiente");

// The outcome of one save, as a child writes it: "ok <identity> <label> [<lot> <entry>]" or
// "rechazado <number> <what the user was shown>".
QString Rechazado(qint32 numero, const QStringList& mostrado) {
    return QStringLiteral("rechazado %1 ").arg(numero) + mostrado.join(QLatin1Char(' ')).simplified();
}

// Runs the statements in one transaction, shown to the user as a voucher form does.
bool Guarda(const QStringList& sentencias, qint32& numero) {
    bool hayError = false;
    QString tanda, mensajes;
    GActualizarDatoScript(sentencias, hayError, numero, false, false, tanda, mensajes, true);
    return !hayError;
}

QString FilasDirectas(const QString& tc, const QString& id, const QString& etiqueta) {
    QString sql;
    for (int r = 1; r <= kRenglones; ++r)
        sql += QStringLiteral(
                   "\rINSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia, IdArticulo, "
                   "Descripcion, Cantidad) VALUES ('%1', '%2', 0, %3, '                     1001', "
                   "'%4', 1)")
                   .arg(UT().RellenaCodigo(tc, 4), id)
                   .arg(r)
                   .arg(etiqueta);
    return sql;
}

// Widens the gap between numbering and saving, where another station may take the number.
void Espera() {
    QThread::msleep(QRandomGenerator::global()->bounded(4));
}

class EstacionHija : public ConPosteo {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty(kVariableBase))
            GTEST_SKIP() << "only as a child of the six-station tests";
        ConPosteo::SetUp();
        AD().AsignaBaseDatos(qEnvironmentVariable(kVariableBase));
        AD().Conecta(false, 3, QString(), true, true);
        AD().LeeConexion().setCommandTimeout(120);
        // The settings of the shared file, read as a voucher form reads them when it opens.
        cls = std::make_unique<ClsCmnCptesPosteo>();
    }

    // A voucher of a type without register: its identity, rows and range update.
    QString SinRegistro(const QString& etiqueta) {
        const QString id =
            AsignarNumeroComprobante(QStringLiteral("AJP"), QStringLiteral("0001"), QStringLiteral("X"));
        if (id.size() != 13)
            return QStringLiteral("sin numero");
        Espera();
        QString sql, letra = id.right(1);
        ActualizaNumeracion(QStringLiteral("AJP"), QStringLiteral("STOCK"), id.left(4),
                            QString::number(id.mid(4, 8).toLongLong() + 1), letra, true, sql, false, false);
        return Resultado(DivideTanda(FilasDirectas("AJP", id, etiqueta) + QLatin1Char('\r') + sql), id,
                         etiqueta);
    }

    // A transfer whose number is registered.
    QString Transferencia(const QString& etiqueta) {
        QString suc, nro, letra;
        bool modifica = false;
        Obtener_Nro_Comprobante(QStringLiteral("TR"), suc, nro, letra, modifica, true, QString(),
                                gUnidadNegocio, false);
        if (nro.isEmpty())
            return QStringLiteral("sin numero");
        const QString id = suc + nro + letra;
        Espera();
        QString sql;
        ActualizaNumeracion(QStringLiteral("TR"), QStringLiteral("STOCK"), suc,
                            QString::number(nro.toLongLong() + 1), letra, true, sql, true, false);
        return Resultado(DivideTanda(FilasDirectas("TR", id, etiqueta) + QLatin1Char('\r') + sql), id,
                         etiqueta);
    }

    // A reception posted in batch mode: a produced article (its components discharged as a "PE"
    // voucher) and another line, both with the automatic lot; the entry and the range update.
    QString Recepcion(const QString& etiqueta) {
        QString suc, nro, letra;
        bool modifica = false;
        Obtener_Nro_Comprobante(QStringLiteral("IR"), suc, nro, letra, modifica, true, QString(),
                                gUnidadNegocio, false);
        if (nro.isEmpty())
            return QStringLiteral("sin numero");
        auto g = GrillaArticulos(
            {Linea("HAMBURGUESA", "1", {{1, etiqueta}}), Linea("1001", "2", {{1, etiqueta}})});
        Llamada ll;
        ll.SucNroLetra = suc + nro + letra;
        Postea(*g, ll);
        if (ll.HayError)
            return QStringLiteral("posteo fallido ") + guion.Mensajes().join(QLatin1Char(' '));
        Espera();
        QString sql;
        ActualizaNumeracion(QStringLiteral("IR"), QStringLiteral("STOCK"), suc,
                            QString::number(nro.toLongLong() + 1), letra, true, sql, false, false);
        return Resultado(DivideTanda(ll.SqlTemp + QLatin1Char('\r') + sql), ll.SucNroLetra,
                         etiqueta + QLatin1Char(' ') + ll.LoteFijo + QLatin1Char(' ') +
                             QString::number(static_cast<qint64>(cls->NroAsientoActual)));
    }

    QString Resultado(const QStringList& sentencias, const QString& id, const QString& datos) {
        qint32 numero = 0;
        if (Guarda(sentencias, numero))
            return QStringLiteral("ok ") + id + QLatin1Char(' ') + datos;
        return Rechazado(numero, guion.Mensajes());
    }
};

TEST_F(EstacionHija, DISABLED_Guarda) {
    const QString rol = qEnvironmentVariable(kVariableRol);
    const QString etiqueta = qEnvironmentVariable(kVariableEtiqueta);
    QFile salida(qEnvironmentVariable(kVariableBase) + "." + rol + "." + etiqueta);
    ASSERT_TRUE(salida.open(QIODevice::WriteOnly | QIODevice::Text));
    QTextStream out(&salida);
    for (int i = 0; i < kGuardados; ++i) {
        guion.Limpia();
        const QString e = etiqueta + QString::number(i);
        const QString r = rol == "sinregistro"     ? SinRegistro(e)
                          : rol == "transferencia" ? Transferencia(e)
                                                   : Recepcion(e);
        out << r << '\n';
    }
}

class SeisEstaciones : public ConPosteo {
protected:
    // The six children at once, this program's connection closed meanwhile; then their lines.
    QStringList CorreSeis(const QString& rol) {
        AD().LeeConexion().Close();
        std::vector<std::unique_ptr<QProcess>> hijos;
        for (int i = 0; i < kEstaciones; ++i) {
            auto hijo = std::make_unique<QProcess>();
            auto entorno = QProcessEnvironment::systemEnvironment();
            entorno.insert(kVariableBase, RutaBase());
            entorno.insert(kVariableRol, rol);
            entorno.insert(kVariableEtiqueta, QString(QChar(u'A' + i)));
            hijo->setProcessEnvironment(entorno);
            hijo->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            hijo->start(QCoreApplication::applicationFilePath(),
                        {"--gtest_filter=EstacionHija.DISABLED_Guarda", "--gtest_also_run_disabled_tests"});
            hijos.push_back(std::move(hijo));
        }
        QStringList lineas;
        for (int i = 0; i < kEstaciones; ++i) {
            QProcess& hijo = *hijos[size_t(i)];
            EXPECT_TRUE(hijo.waitForStarted(10000));
            EXPECT_TRUE(hijo.waitForFinished(300000));
            EXPECT_EQ(hijo.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(hijo.exitCode(), 0) << hijo.readAllStandardOutput().toStdString();
            QFile f(RutaBase() + "." + rol + "." + QString(QChar(u'A' + i)));
            if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
                const QStringList propias = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
                EXPECT_EQ(propias.size(), kGuardados);
                lineas << propias;
            }
        }
        AD().Conecta(false, 3, QString(), true, true);
        return lineas;
    }

    // The saves reported as saved (identity -> the rest of the line); every other line is a
    // refusal told in words.
    static QHash<QString, QStringList> Guardados(const QStringList& lineas, int& rechazos) {
        QHash<QString, QStringList> guardados;
        for (const QString& l : lineas) {
            const QStringList partes = l.split(QLatin1Char(' '));
            if (partes.value(0) != QLatin1String("ok")) {
                EXPECT_TRUE(l.startsWith("rechazado ") && l.contains(kDichoEnPalabras)) << l.toStdString();
                ++rechazos;
                continue;
            }
            EXPECT_FALSE(guardados.contains(partes.value(1))) << "dos veces " << l.toStdString();
            guardados.insert(partes.value(1), partes.mid(2));
        }
        return guardados;
    }
    static QSet<QString> Conjunto(const QStringList& l) { return {l.begin(), l.end()}; }

    // The type's vouchers stored before the stations run (the demo's), as "identity rows".
    static QStringList Previos(const QString& tc) {
        return Columna("SELECT IdComprobante || ' ' || COUNT(*) FROM V_MV_STOCK WHERE TC = '" +
                       UT().RellenaCodigo(tc, 4) + "' GROUP BY IdComprobante ORDER BY IdComprobante");
    }

    // The vouchers stored before the run are as they were; every other stored voucher of the type
    // is one save, whole (its rows carry that save's label only), and they are exactly those
    // reported; the range follows the highest.
    void VerificaComprobantes(const QString& tc, const QHash<QString, QStringList>& guardados,
                              const QStringList& previos) {
        const QString tipo = UT().RellenaCodigo(tc, 4);
        QStringList ids;
        for (const QString& p : previos)
            ids << "'" + p.section(' ', 0, 0) + "'";
        const QString lista = "(" + ids.join(',') + ")";
        if (!ids.isEmpty()) {
            EXPECT_EQ(Columna("SELECT IdComprobante || ' ' || COUNT(*) FROM V_MV_STOCK WHERE TC = '" + tipo +
                              "' AND IdComprobante IN " + lista +
                              " GROUP BY IdComprobante ORDER BY IdComprobante"),
                      previos);
        }
        const QString deLaCorrida = "V_MV_STOCK WHERE TC = '" + tipo + "'" +
                                    (ids.isEmpty() ? QString() : " AND IdComprobante NOT IN " + lista);
        EXPECT_EQ(Columna("SELECT IdComprobante FROM " + deLaCorrida +
                          " GROUP BY IdComprobante HAVING COUNT(DISTINCT Descripcion) <> 1"),
                  QStringList());
        const QStringList almacenados = Columna("SELECT DISTINCT IdComprobante FROM " + deLaCorrida);
        EXPECT_EQ(Conjunto(almacenados), Conjunto(guardados.keys()));
        for (auto it = guardados.cbegin(); it != guardados.cend(); ++it)
            EXPECT_EQ(Columna("SELECT DISTINCT Descripcion FROM V_MV_STOCK WHERE TC = '" + tipo +
                              "' AND IdComprobante = '" + it.key() + "'"),
                      QStringList{it.value().value(0)});
        EXPECT_EQ(Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '" + tipo + "'").toLongLong(),
                  Valor("SELECT MAX(CAST(substr(IdComprobante, 5, 8) AS INTEGER)) FROM " + deLaCorrida)
                          .toLongLong() +
                      1);
    }
};

TEST_F(SeisEstaciones, UnTipoSinRegistroNoRepiteIdentidades) {
    const QStringList previos = Previos("AJP");
    int rechazos = 0;
    const auto guardados = Guardados(CorreSeis("sinregistro"), rechazos);
    EXPECT_EQ(guardados.size() + rechazos, kEstaciones * kGuardados);
    VerificaComprobantes("AJP", guardados, previos);
    EXPECT_EQ(Columna("SELECT IdComprobante FROM V_MV_STOCK WHERE TC = ' AJP' GROUP BY IdComprobante "
                      "HAVING COUNT(*) <> " +
                      QString::number(kRenglones)),
              QStringList());
    RecordProperty("rechazos", rechazos);
}

TEST_F(SeisEstaciones, TransferenciasConRegistroNoRepitenIdentidades) {
    const QStringList previos = Previos("TR");
    int rechazos = 0;
    const auto guardados = Guardados(CorreSeis("transferencia"), rechazos);
    EXPECT_EQ(guardados.size() + rechazos, kEstaciones * kGuardados);
    VerificaComprobantes("TR", guardados, previos);
    // The register holds exactly the stored numbers: none freed under a voucher just saved.
    EXPECT_EQ(Conjunto(Columna("SELECT SUCURSAL || NUMERO || LETRA FROM V_MV_CTROL_CPTE WHERE TC = '  TR'")),
              Conjunto(guardados.keys()));
    RecordProperty("rechazos", rechazos);
}

TEST_F(SeisEstaciones, PosteosConDescargaAsientoYLoteNoCompartenNumeros) {
    AjustaConfiguracion("ASIGNACIONAUTOMATICADELOTEING", "SI");
    Ejecuta("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, ES, Letras, UNEGOCIO, "
            "Modificanumeracion, X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA, VenceX) VALUES "
            "('  PE', 1, 'Descarga de insumos', 'PRODUCCION', 'S', 'X', '', 'SI', 1, 1, 1, 99999999, '')");
    // The demo holds a reception of its own, which no station may touch.
    const QStringList previos = Previos("IR");
    int rechazos = 0;
    const auto guardados = Guardados(CorreSeis("recepcion"), rechazos);
    EXPECT_EQ(guardados.size() + rechazos, kEstaciones * kGuardados);
    EXPECT_GT(guardados.size(), kGuardados);
    VerificaComprobantes("IR", guardados, previos);
    // Each discharge voucher belongs to one reception, each saved reception has one, and the
    // register holds exactly them.
    EXPECT_EQ(Columna("SELECT IdComprobante FROM V_MV_STOCK WHERE TC = '  PE' GROUP BY IdComprobante "
                      "HAVING COUNT(DISTINCT IdComprobante_Origen) <> 1"),
              QStringList());
    const QStringList descargas = Columna("SELECT DISTINCT IdComprobante FROM V_MV_STOCK WHERE TC = '  PE'");
    EXPECT_EQ(descargas.size(), guardados.size());
    EXPECT_EQ(Conjunto(Columna("SELECT DISTINCT IdComprobante_Origen FROM V_MV_STOCK WHERE TC = '  PE'")),
              Conjunto(guardados.keys()));
    EXPECT_EQ(Conjunto(Columna("SELECT SUCURSAL || NUMERO || LETRA FROM V_MV_CTROL_CPTE WHERE TC = '  PE'")),
              Conjunto(descargas));
    // One entry number per voucher and one voucher per entry number; each saved reception has the
    // entry and the automatic lot it was given, and no lot is another voucher's.
    EXPECT_EQ(Columna("SELECT [Numero Asiento] FROM MV_ASIENTOS GROUP BY Mes_Operativo, Tipo_Reg, PERIODO, "
                      "[Numero Asiento] HAVING COUNT(DISTINCT TC || SUCURSAL || NUMERO || LETRA) <> 1"),
              QStringList());
    EXPECT_EQ(
        Columna("SELECT SUCURSAL || NUMERO || LETRA FROM MV_ASIENTOS WHERE TC = '  IR' GROUP BY SUCURSAL, "
                "NUMERO, LETRA HAVING COUNT(DISTINCT [Numero Asiento]) <> 1"),
        QStringList());
    EXPECT_EQ(Columna("SELECT NroLote FROM V_MV_STOCK WHERE substr(NroLote, 1, 1) = ' ' GROUP BY NroLote "
                      "HAVING COUNT(DISTINCT TC || IdComprobante) <> 1"),
              QStringList());
    for (auto it = guardados.cbegin(); it != guardados.cend(); ++it) {
        const QString& id = it.key();
        EXPECT_EQ(
            Columna("SELECT DISTINCT trim(NroLote) FROM V_MV_STOCK WHERE TC = '  IR' AND IdComprobante = '" +
                    id + "'"),
            QStringList{it.value().value(1)})
            << id.toStdString();
        EXPECT_EQ(
            Columna("SELECT DISTINCT [Numero Asiento] FROM MV_ASIENTOS WHERE TC = '  IR' AND SUCURSAL || "
                    "NUMERO || LETRA = '" +
                    id + "'"),
            QStringList{it.value().value(2)})
            << id.toStdString();
    }
    RecordProperty("rechazos", rechazos);
}

} // namespace

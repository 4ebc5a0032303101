// Six stations number and post on one database at the same time, 40 vouchers each: a type that
// registers no numbers, transfers with the register of used numbers, receptions with their
// production-input discharge, accounting entry and automatic lot saved in one batch, and the
// same receptions posted line by line. Afterwards no identity, entry number or automatic lot
// belongs to two vouchers, every refusal was told in words alone, and what is stored is exactly
// what the stations were told: the saves reported saved, and of a per-line posting refused, the
// lines its message says stayed. Each run is made on a file with the key of the stock movements
// and on one made without it that cannot take it (two vouchers already share an identity): the
// stations are told which when they open it, the file stays as it was, and only the saving
// batches' own checks refuse the second voucher. The stations are real processes (this test
// program run again in the child role below); they connect with what the parent passes them.

#include "BasePosteo.h"
#include "Numeracion.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>
#include <QThread>
#include <memory>
#include <vector>

namespace {

// The station's connection and task, from its parent.
const char* const kVariableServidor = "MODELOS_ESTACIONES_SERVIDOR";
const char* const kVariableBase = "MODELOS_ESTACIONES_BASE";
const char* const kVariableUsuario = "MODELOS_ESTACIONES_USUARIO";
const char* const kVariableClave = "MODELOS_ESTACIONES_CLAVE";
const char* const kVariableDato = "MODELOS_ESTACIONES_DATO";
const char* const kVariableSalida = "MODELOS_ESTACIONES_SALIDA";
const char* const kVariableRol = "MODELOS_ESTACIONES_ROL";
const char* const kVariableEtiqueta = "MODELOS_ESTACIONES_ETIQUETA";
constexpr int kEstaciones = 6;
constexpr int kGuardados = 40;
constexpr int kRenglones = 3;
// What every refusal of a taken number tells the user when nothing was stored.
const QString kDichoEnPalabras = QStringLiteral("Vuelva a grabar y se tomará el siguiente");
// The identity two vouchers share in the file made without the key.
const QString kRepetida = QStringLiteral("AJN 009900000001X 0");
// The lines of a reception: a produced article (its components discharged) and two others, with
// the amounts their entry books (quantity times cost 10).
const std::vector<std::pair<QString, int>> kRecepcion = {{"HAMBURGUESA", 1}, {"1001", 2}, {"1002", 1}};

// The outcome of one posting, as a child writes it: "ok <identity> <label> [<lot> <entry>]" or
// "rechazado <identity> <label> <what the user was shown>".
QString Rechazado(const QString& id, const QString& etiqueta, const QStringList& mostrado) {
    return QStringLiteral("rechazado %1 %2 ").arg(id, etiqueta) +
           mostrado.join(QLatin1Char(' ')).simplified();
}

// Runs the statements in one transaction, shown to the user as a voucher form does.
bool Guarda(const QStringList& sentencias) {
    bool hayError = false;
    qint32 numero = 0;
    QString tanda, mensajes;
    GActualizarDatoScript(sentencias, hayError, numero, false, false, tanda, mensajes, true);
    return !hayError;
}

// Widens the gap between numbering and saving, where another station may take the number.
void Espera() {
    QThread::msleep(QRandomGenerator::global()->bounded(4));
}

class EstacionHija : public ConPosteo {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty(kVariableSalida))
            GTEST_SKIP() << "only as a child of the six-station tests";
        ConPosteo::SetUp();
        AD().AsignaServidor(qEnvironmentVariable(kVariableServidor));
        AD().AsignaBaseDatos(qEnvironmentVariable(kVariableBase));
        AD().AsignaUsuario(qEnvironmentVariable(kVariableUsuario));
        AD().AsignaPassword(qEnvironmentVariable(kVariableClave));
        AD().AsignaDatoConexion(qEnvironmentVariable(kVariableDato));
        guion.Limpia();
        AD().Conecta(false, 3, QString(), true, true);
        avisos = guion.Mensajes(); // what opening the database told the user
        AD().LeeConexion().setCommandTimeout(120);
        // The settings of the shared database, read as a voucher form reads them when it opens.
        cls = std::make_unique<ClsCmnCptesPosteo>();
    }

    // Posts the labelled lines as voucher `ll`: `lineas` articles and quantities.
    void PosteaLineas(Llamada& ll, const std::vector<std::pair<QString, int>>& lineas,
                      const QString& etiqueta) {
        std::vector<LineaGrilla> grilla;
        grilla.reserve(lineas.size());
        for (const auto& [articulo, cantidad] : lineas)
            grilla.push_back(Linea(articulo, QString::number(cantidad), {{1, etiqueta}}));
        auto g = GrillaArticulos(grilla);
        Espera();
        Postea(*g, ll);
    }

    // A voucher posted in a batch and saved with its range update: a type without register
    // (AJP), a transfer with the register (TR) or a reception with discharge, entry and lot (IR).
    QString EnTanda(const QString& tc, const QString& etiqueta) {
        Llamada ll;
        ll.TC = tc;
        QString suc = QStringLiteral("0001"), nro, letra = QStringLiteral("X");
        if (tc == QLatin1String("AJP")) {
            const QString id = AsignarNumeroComprobante(tc, suc, letra);
            nro = id.mid(4, 8);
        } else {
            suc.clear();
            letra.clear();
            bool modifica = false;
            Obtener_Nro_Comprobante(tc, suc, nro, letra, modifica, true, QString(), gUnidadNegocio, false);
        }
        if (nro.size() != 8)
            return QStringLiteral("sin numero");
        ll.SucNroLetra = suc + nro + letra;
        ll.EsTransferencia = tc == QLatin1String("TR");
        ll.IdDepositoDestino = ll.EsTransferencia ? QStringLiteral("2") : QString();
        PosteaLineas(ll,
                     tc == QLatin1String("IR")
                         ? kRecepcion
                         : std::vector<std::pair<QString, int>>{{"1001", 1}, {"1002", 1}, {"1003", 1}},
                     etiqueta);
        if (ll.HayError)
            return QStringLiteral("posteo fallido ") + guion.Mensajes().join(QLatin1Char(' ')).simplified();
        Espera();
        QString sql;
        ActualizaNumeracion(tc, QStringLiteral("STOCK"), suc, QString::number(nro.toLongLong() + 1), letra,
                            true, sql, ll.EsTransferencia, false);
        if (!Guarda(DivideTanda(ll.SqlTemp + QLatin1Char('\r') + sql)))
            return Rechazado(ll.SucNroLetra, etiqueta, guion.Mensajes());
        QString r = QStringLiteral("ok ") + ll.SucNroLetra + QLatin1Char(' ') + etiqueta;
        if (tc == QLatin1String("IR"))
            r += QLatin1Char(' ') + ll.LoteFijo + QLatin1Char(' ') +
                 QString::number(static_cast<qint64>(cls->NroAsientoActual));
        return r;
    }

    // A reception posted line by line: each line is stored as it is posted; then the ranges.
    QString PorLinea(const QString& etiqueta) {
        QString suc, nro, letra;
        bool modifica = false;
        Obtener_Nro_Comprobante(QStringLiteral("IR"), suc, nro, letra, modifica, true, QString(),
                                gUnidadNegocio, false);
        if (nro.size() != 8)
            return QStringLiteral("sin numero");
        Llamada ll;
        ll.SucNroLetra = suc + nro + letra;
        ll.GeneraSentenciaSQL = false;
        PosteaLineas(ll, kRecepcion, etiqueta);
        if (ll.HayError)
            return Rechazado(ll.SucNroLetra, etiqueta, guion.Mensajes());
        QString sql;
        ActualizaNumeracion(QStringLiteral("IR"), QStringLiteral("STOCK"), suc,
                            QString::number(nro.toLongLong() + 1), letra, true, sql, false, false);
        if (!Guarda(DivideTanda(ll.SqlTemp + QLatin1Char('\r') + sql)))
            return QStringLiteral("numeracion rechazada ") +
                   guion.Mensajes().join(QLatin1Char(' ')).simplified();
        return QStringLiteral("ok ") + ll.SucNroLetra + QLatin1Char(' ') + etiqueta + QLatin1Char(' ') +
               ll.LoteFijo + QLatin1Char(' ') + QString::number(static_cast<qint64>(cls->NroAsientoActual));
    }

    QStringList avisos;
};

TEST_F(EstacionHija, DISABLED_Guarda) {
    const QString rol = qEnvironmentVariable(kVariableRol);
    const QString etiqueta = qEnvironmentVariable(kVariableEtiqueta);
    QFile salida(qEnvironmentVariable(kVariableSalida) + "." + rol + "." + etiqueta);
    ASSERT_TRUE(salida.open(QIODevice::WriteOnly | QIODevice::Text));
    QTextStream out(&salida);
    out << "aviso " << avisos.join(QLatin1Char(' ')).simplified() << '\n';
    for (int i = 0; i < kGuardados; ++i) {
        guion.Limpia();
        const QString e = etiqueta + QString::number(i);
        const QString r = rol == "sinregistro"     ? EnTanda(QStringLiteral("AJP"), e)
                          : rol == "transferencia" ? EnTanda(QStringLiteral("TR"), e)
                          : rol == "recepcion"     ? EnTanda(QStringLiteral("IR"), e)
                                                   : PorLinea(e);
        out << r << '\n';
    }
}

// A refusal told in words alone: no line of the database's in it.
void EnPalabras(const QString& l) {
    static const QRegularExpression lineaDelMotor(QStringLiteral("\\d+ : |constraint|terminated"));
    EXPECT_TRUE(l.startsWith("rechazado ") && l.contains(QLatin1String(kTomadoPorOtro)) &&
                !l.contains(lineaDelMotor))
        << l.toStdString();
}

// With the key of the stock movements (true), or on a file made without it that cannot take it.
class SeisEstaciones : public ConPosteo, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        ConPosteo::SetUp();
        if (HasFatalFailure())
            return;
        const bool servidor = AD().LeeServidor().compare(QLatin1String("sqlite"), Qt::CaseInsensitive) != 0;
        // The test server blocks nobody on UPDLOCK and HOLDLOCK (see the instantiation below): its
        // movements get the key that a site's server need not have.
        if (servidor && GetParam())
            Ejecuta("CREATE UNIQUE INDEX UX_IDENTIDAD ON V_MV_STOCK (TC, IdComprobante, IdComplemento, "
                    "Secuencia)");
        if (GetParam())
            return;
        // Only an embedded file is made without the key; a server's tables are the site's.
        if (servidor)
            GTEST_SKIP() << "a file without the key is an embedded database";
        Ejecuta("DROP INDEX IX_MV_STOCK_CPTE");
        for (int i = 0; i < 2; ++i)
            Ejecuta("INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia, IdArticulo, "
                    "Descripcion, "
                    "Cantidad) VALUES (' AJN', '009900000001X', 0, 1, '1001', 'repetido', 1)");
    }
    void TearDown() override {
        if (!HasFatalFailure() && !IsSkipped() && !GetParam()) {
            // Opened by every station and left as it was.
            EXPECT_EQ(Valor("SELECT COUNT(*) FROM V_MV_STOCK WHERE TC = ' AJN' AND IdComprobante = "
                            "'009900000001X'"),
                      "2");
            EXPECT_EQ(Columna("SELECT name FROM sqlite_schema WHERE name = 'IX_MV_STOCK_CPTE'"),
                      QStringList());
        }
        ConPosteo::TearDown();
    }

    // The six children at once, this program's connection closed meanwhile; then their lines,
    // each child told of the shared identity on opening a file without the key.
    QStringList CorreSeis(const QString& rol) {
        AD().LeeConexion().Close();
        std::vector<std::unique_ptr<QProcess>> hijos;
        const QString salida = Carpeta() + "/estacion";
        for (int i = 0; i < kEstaciones; ++i) {
            auto hijo = std::make_unique<QProcess>();
            auto entorno = QProcessEnvironment::systemEnvironment();
            entorno.insert(kVariableServidor, AD().LeeServidor());
            entorno.insert(kVariableBase, AD().LeeBaseDatos());
            entorno.insert(kVariableUsuario, AD().LeeUsuario());
            entorno.insert(kVariableClave, AD().LeePassword());
            entorno.insert(kVariableDato, AD().LeeDatoConexion());
            entorno.insert(kVariableSalida, salida);
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
            QFile f(salida + "." + rol + "." + QString(QChar(u'A' + i)));
            if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
                QStringList propias = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
                EXPECT_EQ(propias.size(), kGuardados + 1);
                const QString aviso = propias.isEmpty() ? QString() : propias.takeFirst();
                if (GetParam())
                    EXPECT_EQ(aviso, "aviso ");
                else
                    EXPECT_TRUE(aviso.contains(kRepetida) && aviso.contains("Se abrió sin cambios"))
                        << aviso.toStdString();
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
                EnPalabras(l);
                EXPECT_TRUE(l.contains(kDichoEnPalabras)) << l.toStdString();
                ++rechazos;
                continue;
            }
            EXPECT_FALSE(guardados.contains(partes.value(1))) << "dos veces " << l.toStdString();
            guardados.insert(partes.value(1), partes.mid(2));
        }
        return guardados;
    }
    static QSet<QString> Conjunto(const QStringList& l) { return {l.begin(), l.end()}; }
    // Every row of a query, its columns joined by a blank.
    static QStringList Columnas(const QString& sql) {
        QStringList filas;
        Registros rs;
        AD().ObtieneRecordset(sql, rs);
        for (; !rs.Eof(); rs.MoveNext()) {
            QStringList campos;
            for (int i = 0; i < rs.FieldCount(); ++i)
                campos << rs.Fields(i).toString();
            filas << campos.join(QLatin1Char(' '));
        }
        AD().CierraRecordset(rs);
        return filas;
    }

    // The type's vouchers stored before the stations run (the demo's), as "identity rows".
    static QStringList Previos(const QString& tc) {
        return Columnas("SELECT IdComprobante, COUNT(*) FROM V_MV_STOCK WHERE TC = '" +
                        UT().RellenaCodigo(tc, 4) + "' GROUP BY IdComprobante ORDER BY IdComprobante");
    }
    // The type's rows stored by the run: not of the vouchers stored before it.
    static QString DeLaCorrida(const QString& tc, const QStringList& previos) {
        QStringList ids;
        for (const QString& p : previos)
            ids << "'" + p.section(' ', 0, 0) + "'";
        return "V_MV_STOCK WHERE TC = '" + UT().RellenaCodigo(tc, 4) + "'" +
               (ids.isEmpty() ? QString() : " AND IdComprobante NOT IN (" + ids.join(',') + ")");
    }

    // The vouchers stored before the run are as they were; every other stored voucher of the type
    // carries one label, and `deberian` says which each identity carries.
    void VerificaEtiquetas(const QString& tc, const QHash<QString, QString>& deberian,
                           const QStringList& previos) {
        const QString tipo = UT().RellenaCodigo(tc, 4);
        if (!previos.isEmpty()) {
            QStringList ids;
            for (const QString& p : previos)
                ids << "'" + p.section(' ', 0, 0) + "'";
            EXPECT_EQ(Columnas("SELECT IdComprobante, COUNT(*) FROM V_MV_STOCK WHERE "
                               "TC = '" +
                               tipo + "' AND IdComprobante IN (" + ids.join(',') +
                               ") GROUP BY IdComprobante ORDER BY IdComprobante"),
                      previos);
        }
        const QString corrida = DeLaCorrida(tc, previos);
        EXPECT_EQ(Columna("SELECT IdComprobante FROM " + corrida +
                          " GROUP BY IdComprobante HAVING COUNT(DISTINCT Descripcion) <> 1"),
                  QStringList());
        QHash<QString, QString> almacenados;
        Registros rs;
        AD().ObtieneRecordset("SELECT DISTINCT IdComprobante, Descripcion FROM " + corrida, rs);
        for (; !rs.Eof(); rs.MoveNext())
            almacenados.insert(rs.Fields(0).toString(), rs.Fields(1).toString());
        AD().CierraRecordset(rs);
        EXPECT_EQ(almacenados, deberian);
    }

    // The saved vouchers are whole and the range follows the highest.
    void VerificaComprobantes(const QString& tc, const QHash<QString, QStringList>& guardados,
                              const QStringList& previos) {
        QHash<QString, QString> etiquetas;
        for (auto it = guardados.cbegin(); it != guardados.cend(); ++it)
            etiquetas.insert(it.key(), it.value().value(0));
        VerificaEtiquetas(tc, etiquetas, previos);
        EXPECT_EQ(
            Valor("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '" + UT().RellenaCodigo(tc, 4) + "'")
                .toLongLong(),
            Valor("SELECT MAX(CAST(SUBSTRING(IdComprobante, 5, 8) AS INT)) FROM " + DeLaCorrida(tc, previos))
                    .toLongLong() +
                1);
    }

    // No entry number of two vouchers, no voucher with two entry numbers, no automatic lot of two
    // vouchers; each discharge voucher of one reception.
    void VerificaNumeros() {
        EXPECT_EQ(
            Columna("SELECT [Numero Asiento] FROM MV_ASIENTOS GROUP BY Mes_Operativo, Tipo_Reg, PERIODO, "
                    "[Numero Asiento] HAVING COUNT(DISTINCT TC + SUCURSAL + NUMERO + LETRA) <> 1"),
            QStringList());
        EXPECT_EQ(
            Columna("SELECT SUCURSAL + NUMERO + LETRA FROM MV_ASIENTOS WHERE TC = '  IR' GROUP BY SUCURSAL, "
                    "NUMERO, LETRA HAVING COUNT(DISTINCT [Numero Asiento]) <> 1"),
            QStringList());
        EXPECT_EQ(
            Columna("SELECT NroLote FROM V_MV_STOCK WHERE SUBSTRING(NroLote, 1, 1) = ' ' GROUP BY NroLote "
                    "HAVING COUNT(DISTINCT TC + IdComprobante) <> 1"),
            QStringList());
        EXPECT_EQ(Columna("SELECT IdComprobante FROM V_MV_STOCK WHERE TC = '  PE' GROUP BY IdComprobante "
                          "HAVING COUNT(DISTINCT IdComprobante_Origen) <> 1"),
                  QStringList());
    }

    // A saved reception has the automatic lot and the entry it was given, and its discharge.
    void VerificaRecepcion(const QString& id, const QString& lote, const QString& asiento) {
        EXPECT_EQ(Columna("SELECT DISTINCT LTRIM(RTRIM(NroLote)) FROM V_MV_STOCK WHERE TC = '  IR' AND "
                          "IdComprobante = '" +
                          id + "'"),
                  QStringList{lote})
            << id.toStdString();
        EXPECT_EQ(
            Columna("SELECT DISTINCT [Numero Asiento] FROM MV_ASIENTOS WHERE TC = '  IR' AND SUCURSAL + "
                    "NUMERO + LETRA = '" +
                    id + "'"),
            QStringList{asiento})
            << id.toStdString();
    }

    // The discharge range for the receptions.
    static void RangoDescarga() {
        Ejecuta(
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, ES, Letras, UNEGOCIO, "
            "Modificanumeracion, X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA, VenceX) VALUES "
            "('  PE', 1, 'Descarga de insumos', 'PRODUCCION', 'S', 'X', '', 'SI', 1, 1, 1, 99999999, '')");
    }
};

TEST_P(SeisEstaciones, UnTipoSinRegistroNoRepiteIdentidades) {
    const QStringList previos = Previos("AJP");
    int rechazos = 0;
    const auto guardados = Guardados(CorreSeis("sinregistro"), rechazos);
    EXPECT_EQ(guardados.size() + rechazos, kEstaciones * kGuardados);
    VerificaComprobantes("AJP", guardados, previos);
    EXPECT_EQ(Columna("SELECT IdComprobante FROM " + DeLaCorrida("AJP", previos) +
                      " GROUP BY IdComprobante HAVING COUNT(*) <> " + QString::number(kRenglones)),
              QStringList());
    RecordProperty("rechazos", rechazos);
}

TEST_P(SeisEstaciones, TransferenciasConRegistroNoRepitenIdentidades) {
    const QStringList previos = Previos("TR");
    int rechazos = 0;
    const auto guardados = Guardados(CorreSeis("transferencia"), rechazos);
    EXPECT_EQ(guardados.size() + rechazos, kEstaciones * kGuardados);
    VerificaComprobantes("TR", guardados, previos);
    // The register holds exactly the stored numbers: none freed under a voucher just saved.
    EXPECT_EQ(Conjunto(Columna("SELECT SUCURSAL + NUMERO + LETRA FROM V_MV_CTROL_CPTE WHERE TC = '  TR'")),
              Conjunto(guardados.keys()));
    RecordProperty("rechazos", rechazos);
}

TEST_P(SeisEstaciones, PosteosConDescargaAsientoYLoteNoCompartenNumeros) {
    AjustaConfiguracion("ASIGNACIONAUTOMATICADELOTEING", "SI");
    RangoDescarga();
    // The demo holds a reception of its own, which no station may touch.
    const QStringList previos = Previos("IR");
    int rechazos = 0;
    const auto guardados = Guardados(CorreSeis("recepcion"), rechazos);
    EXPECT_EQ(guardados.size() + rechazos, kEstaciones * kGuardados);
    EXPECT_GT(guardados.size(), kGuardados);
    VerificaComprobantes("IR", guardados, previos);
    VerificaNumeros();
    // Each saved reception has one discharge voucher, and the register holds exactly them.
    const QStringList descargas = Columna("SELECT DISTINCT IdComprobante FROM V_MV_STOCK WHERE TC = '  PE'");
    EXPECT_EQ(descargas.size(), guardados.size());
    EXPECT_EQ(Conjunto(Columna("SELECT DISTINCT IdComprobante_Origen FROM V_MV_STOCK WHERE TC = '  PE'")),
              Conjunto(guardados.keys()));
    EXPECT_EQ(Conjunto(Columna("SELECT SUCURSAL + NUMERO + LETRA FROM V_MV_CTROL_CPTE WHERE TC = '  PE'")),
              Conjunto(descargas));
    for (auto it = guardados.cbegin(); it != guardados.cend(); ++it)
        VerificaRecepcion(it.key(), it.value().value(1), it.value().value(2));
    RecordProperty("rechazos", rechazos);
}

// Line by line, each line stored as it is posted: a line whose number another station took is
// refused in words, and the message says which lines stayed; those stay, whole with their entry.
TEST_P(SeisEstaciones, PosteosPorLineaConAsientoYLoteNoCompartenNumeros) {
    AjustaConfiguracion("ASIGNACIONAUTOMATICADELOTEING", "SI");
    RangoDescarga();
    const QStringList previos = Previos("IR");
    QHash<QString, QStringList> guardados;
    QHash<QString, QString> etiquetas; // every identity stored by the run, with its label
    QHash<QString, int> lineas;        // and the lines of it stored
    int rechazos = 0, parciales = 0;
    for (const QString& l : CorreSeis("porlinea")) {
        const QStringList partes = l.split(QLatin1Char(' '));
        const QString id = partes.value(1);
        if (partes.value(0) == QLatin1String("ok")) {
            EXPECT_FALSE(etiquetas.contains(id)) << "dos veces " << l.toStdString();
            guardados.insert(id, partes.mid(2));
            etiquetas.insert(id, partes.value(2));
            lineas.insert(id, int(kRecepcion.size()));
            continue;
        }
        EnPalabras(l);
        ++rechazos;
        // What the message says stayed: nothing, every line (the discharge was refused), or the
        // lines before the one it names.
        static const QRegularExpression desde(QStringLiteral("desde la línea (\\d+) no se grabó"));
        int quedan = 0;
        if (l.contains("de la descarga de insumos"))
            quedan = int(kRecepcion.size());
        else if (const auto m = desde.match(l); m.hasMatch())
            quedan = m.captured(1).toInt() - 1;
        else
            EXPECT_TRUE(l.contains("No se grabó nada. " + kDichoEnPalabras)) << l.toStdString();
        if (quedan > 0) {
            ++parciales;
            EXPECT_FALSE(etiquetas.contains(id)) << l.toStdString();
            etiquetas.insert(id, partes.value(2));
            lineas.insert(id, quedan);
        }
    }
    EXPECT_EQ(guardados.size() + rechazos, kEstaciones * kGuardados);
    EXPECT_GT(guardados.size(), kGuardados);
    VerificaEtiquetas("IR", etiquetas, previos);
    VerificaNumeros();
    for (auto it = lineas.cbegin(); it != lineas.cend(); ++it) {
        // Each stored line has its row, and the entry books exactly those lines.
        int importe = 0;
        for (int i = 0; i < it.value(); ++i)
            importe += 10 * kRecepcion[size_t(i)].second;
        EXPECT_EQ(
            Valor("SELECT COUNT(*) FROM V_MV_STOCK WHERE TC = '  IR' AND IdComprobante = '" + it.key() + "'")
                .toInt(),
            it.value())
            << it.key().toStdString();
        EXPECT_EQ(
            Valor("SELECT SUM(Importe) FROM MV_ASIENTOS WHERE TC = '  IR' AND SUCURSAL + NUMERO + LETRA = '" +
                  it.key() + "' AND [DEBE-HABER] = 'D'")
                .toInt(),
            importe)
            << it.key().toStdString();
        VerificaAsiento("IR", it.key());
    }
    // The saved ones have their discharge, lot and entry; no other reception has a discharge.
    EXPECT_EQ(Conjunto(Columna("SELECT DISTINCT IdComprobante_Origen FROM V_MV_STOCK WHERE TC = '  PE'")),
              Conjunto(guardados.keys()));
    for (auto it = guardados.cbegin(); it != guardados.cend(); ++it)
        VerificaRecepcion(it.key(), it.value().value(1), it.value().value(2));
    RecordProperty("rechazos", rechazos);
    RecordProperty("parciales", parciales);
}

#ifdef MODELOS_PRUEBAS_TSQL
// On the tests' T-SQL server (Babelfish) the saving batches' checks cannot be shown blocking a
// second station: it ignores UPDLOCK and HOLDLOCK, so two stations may pass a check at once. There
// the identities rely on the key of the stock movements, which it enforces; a site's SQL Server
// holds the checked rows locked to the end of the transaction. Only a file is made without a key.
INSTANTIATE_TEST_SUITE_P(Servidor, SeisEstaciones, ::testing::Values(true),
                         [](const ::testing::TestParamInfo<bool>&) {
                             return "ConClaveDelEsquemaPorqueBabelfishNoBloqueaConUPDLOCK";
                         });
#else
INSTANTIATE_TEST_SUITE_P(Clave, SeisEstaciones, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& caso) {
                             return caso.param ? "ConClave" : "SinClave";
                         });
#endif

} // namespace

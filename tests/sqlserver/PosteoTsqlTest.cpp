// The stock posting on a site's database: receptions numbered from their range, with their
// accounting entry and automatic lot, saved in batch mode (one transaction) and in per-line mode
// (row by row); a number another voucher holds refuses the whole batch.

#include "BasePosteo.h"
#include "Numeracion.h"

#include <QSet>

namespace {

class PosteoTsql : public ConPosteo {
protected:
    void SetUp() override {
        ConPosteo::SetUp();
        if (HasFatalFailure())
            return;
        AjustaConfiguracion(QStringLiteral("ASIGNACIONAUTOMATICADELOTEING"), QStringLiteral("SI"));
    }

    struct Recepcion {
        QString id;
        QString lote;
        QStringList asientos;
        bool guardada = false;
        QString mensajes;
    };

    // A reception of two lines, numbered, posted and saved with its range update.
    Recepcion Recibe(bool tanda, bool guardar = true) {
        Recepcion r;
        QString suc, nro, letra;
        bool modifica = false;
        Obtener_Nro_Comprobante(QStringLiteral("IR"), suc, nro, letra, modifica, true, QString(),
                                gUnidadNegocio, false);
        r.id = suc + nro + letra;
        auto g = GrillaArticulos({Linea("1001", "2"), Linea("1002", "3")});
        Llamada ll;
        ll.SucNroLetra = r.id;
        ll.GeneraSentenciaSQL = tanda;
        Postea(*g, ll);
        EXPECT_FALSE(ll.HayError) << guion.Mensajes().join(u'|').toStdString();
        r.lote = ll.LoteFijo;
        QString rango;
        ActualizaNumeracion(QStringLiteral("IR"), QStringLiteral("STOCK"), suc,
                            QString::number(nro.toLongLong() + 1), letra, true, rango, false, false);
        if (guardar) {
            bool hayError = false;
            qint32 numero = 0;
            QString texto;
            GActualizarDatoScript(DivideTanda((tanda ? ll.SqlTemp : QString()) + QLatin1Char('\r') + rango),
                                  hayError, numero, false, false, texto, r.mensajes, false);
            r.guardada = !hayError;
        } else {
            pendiente = DivideTanda(ll.SqlTemp + QLatin1Char('\r') + rango);
        }
        r.asientos =
            Columna("SELECT DISTINCT [Numero Asiento] FROM MV_ASIENTOS WHERE TC = '  IR' AND SUCURSAL = '" +
                    suc + "' AND NUMERO = '" + nro + "'");
        return r;
    }

    QStringList pendiente; // a batch posted and not saved yet
};

TEST_F(PosteoTsql, ReceptionsInBothModesTakeNumbersEntriesAndLotsOfTheirOwn) {
    QSet<QString> ids, lotes, asientos;
    for (const bool tanda : {true, false}) {
        for (int i = 0; i < 3; ++i) {
            const Recepcion r = Recibe(tanda);
            ASSERT_TRUE(r.guardada) << r.mensajes.toStdString();
            ids.insert(r.id);
            lotes.insert(r.lote);
            ASSERT_EQ(r.asientos.size(), 1) << r.id.toStdString();
            asientos.insert(r.asientos.first());
            VerificaInvariantes(QStringLiteral("IR"), r.id, {{{"1001", "1"}, 2}, {{"1002", "1"}, 3}});
            for (const auto& fila : Filas(QStringLiteral("IR"), r.id))
                EXPECT_EQ(fila["NROLOTE"].toString().trimmed(), r.lote) << r.id.toStdString();
        }
    }
    EXPECT_EQ(ids.size(), 6);
    EXPECT_EQ(lotes.size(), 6);
    EXPECT_EQ(asientos.size(), 6);
}

TEST_F(PosteoTsql, ALotAnotherVoucherStoredRefusesTheWholeBatch) {
    const Recepcion r = Recibe(true, false);
    ASSERT_FALSE(r.lote.isEmpty());
    // Another station stores a voucher with that lot between the posting and its save.
    Ejecuta(
        "INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia, IdArticulo, NroLote, Cantidad) "
        "VALUES ('  IR', '000999999999X', 0, 1, '                     1001', '" +
        UT().RellenaCodigo(r.lote, 25) + "', 1)");
    bool hayError = false;
    qint32 numero = 0;
    QString texto, mensajes;
    GActualizarDatoScript(pendiente, hayError, numero, false, false, texto, mensajes, false);
    EXPECT_TRUE(hayError);
    EXPECT_EQ(numero, 50000);
    EXPECT_TRUE(Filas(QStringLiteral("IR"), r.id).empty());
    EXPECT_TRUE(Columna("SELECT ID FROM MV_ASIENTOS WHERE TC = '  IR' AND SUCURSAL = '" + r.id.left(4) +
                        "' AND NUMERO = '" + r.id.mid(4, 8) + "'")
                    .isEmpty());
    EXPECT_EQ(Valor("SELECT @@TRANCOUNT"), QStringLiteral("0"));
}

} // namespace

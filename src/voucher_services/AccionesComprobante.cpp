#include "AccesoDatos.h"
#include "ClsCmnCptesServicios.h"
#include "Formatos.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Reloj.h"
#include "ReportaError.h"
#include "Sentencias.h"
#include "Utilidades.h"

namespace {

QString Texto(const QString& valor) {
    return AD().FormateaValorSQL(QVariant(valor), QStringLiteral("'"));
}

QString Numero(const QVariant& valor) {
    return AD().FormateaValorSQL(valor, QStringLiteral("@"));
}

} // namespace

void ClsCmnCptesServicios::ActualizaBuchon(const QString& TC, const QString& SucNroLetra,
                                           const QString& IdComplemento, bool lEsAlta, bool lEsModificacion,
                                           bool GeneraSentencia, QString* SentenciaSQL,
                                           const QString& NroAsiento) {
    const QString accion = lEsAlta           ? QStringLiteral("A")
                           : lEsModificacion ? QStringLiteral("M")
                                             : QStringLiteral("B");
    ParesCampos& pares = ListaCampos();
    const auto par = [&pares](const char* campo, const QString& valor) {
        pares.push_back({QLatin1String(campo), valor});
    };
    QString sentencia;
    bool completa = false;
    // Each step is passed over when it fails; the statement goes out only with all nine values
    // (the complement, above all, must read as a number).
    EjecutaPasos({[&] { pares.clear(); }, [&] { par("TC", Texto(UT().RellenaCodigo(TC.trimmed(), 4))); },
                  [&] { par("IdComprobante", Texto(SucNroLetra)); },
                  [&] { par("IdComplemento", Numero(IdComplemento)); },
                  [&] { par("Tipo_accion", Texto(accion)); },
                  [&] { par("FECHAHORA", Texto(AplicaMascaraFecha(Ahora(), FormatoFechaHora()))); },
                  [&] { par("Usuario", Texto(gUsuarioLogeado)); },
                  [&] { par("PC", Texto(Maquina().NombreMaquina())); },
                  [&] { par("SYSTEMUSER", Texto(NombreEjecutable())); },
                  [&] { par("NUMEROASIENTO", Numero(QVariant::fromValue(UT().TextoAMoneda(NroAsiento)))); },
                  [&] {
                      completa = pares.size() == 9;
                      sentencia = QStringLiteral(" INSERT INTO V_MV_CPTEACCIONES ");
                      ArmaValues(sentencia, pares, true);
                  },
                  [&] {
                      if (!completa)
                          return;
                      if (GeneraSentencia) {
                          if (SentenciaSQL)
                              *SentenciaSQL = sentencia;
                      } else {
                          AD().EjecutaSQL(sentencia);
                      }
                  }},
                 SiempreSiguiente);
    pares.clear();
}

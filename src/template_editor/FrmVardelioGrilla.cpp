// The lines grid's layout and the user's column widths, kept in the configuration table.

#include "Configuracion.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "RutinaFormulario.h"
#include "Utilidades.h"

#include <limits>

namespace {
// The columns whose widths are kept, in their stored order: code, description, unit, quantity,
// line deposit.
constexpr int kColumnasGuardadas[5] = {0, 1, 5, 7, 6};
} // namespace

QString FrmVardelio::ClaveAnchoColumnas() {
    return QStringLiteral("CFG_GridArt_STK_") + gUsuarioLogeado;
}

QString FrmVardelio::TextoAnchoColumnas() const {
    QString texto;
    for (int col : kColumnasGuardadas)
        texto += QString::number(MSFlexGrid2.ColWidth(col)) + QLatin1Char('|');
    return texto;
}

void FrmVardelio::InicializaGrids() {
    EjecutaFormulario(QStringLiteral("Inicializa"),
                      {
                          [&] { GuardaAnchoColumnas(); },
                          [&] {
                              ObjCmnCptes().InicializaGrids(nullptr, &MSFlexGrid2, nullptr, nullptr,
                                                            &txtEdit2, nullptr, TextWidth,
                                                            CmbLista.Text().left(4), nullptr);
                          },
                          [&] { RecuperaAnchoColumnas(); },
                          [&] {
                              if (pEsTransferencia)
                                  MSFlexGrid2.setColWidth(6, TextWidth(QString()));
                          },
                          [&] { txtEdit2.setVisible(false); },
                          // The panel no longer shows a line the layout emptied.
                          [&] { stock_.MuestraInfoStock(); },
                      });
}

void FrmVardelio::GuardaAnchoColumnas() {
    QString texto;
    EjecutaPasos(
        {[&] { texto = TextoAnchoColumnas(); },
         [&] { GrabaDfg(ClaveAnchoColumnas(), texto, QString(), false, QStringLiteral("DATOS"), true); }},
        SiempreSiguiente);
}

void FrmVardelio::RecuperaAnchoColumnas() {
    QString texto;
    EjecutaPasos({[&] { texto = Cfg(ClaveAnchoColumnas()).trimmed(); }}, SiempreSiguiente);
    int i = 0;
    while (!texto.isEmpty()) {
        // A last entry without its closing "|" is applied and ends the reading.
        const qsizetype barra = texto.indexOf(QLatin1Char('|'));
        const QString pieza = barra < 0 ? texto : texto.left(barra);
        texto = barra < 0 ? QString() : texto.mid(barra + 1);
        if (i < 5) {
            const int col = kColumnasGuardadas[i];
            EjecutaPasos({[&] {
                             const std::int64_t ancho = UT().TextoAMoneda(pieza).AEntero();
                             if (ancho < std::numeric_limits<int>::min() ||
                                 ancho > std::numeric_limits<int>::max())
                                 throw ErrorSistema(6, QStringLiteral("Desbordamiento"));
                             MSFlexGrid2.setColWidth(col, int(ancho));
                         }},
                         SiempreSiguiente);
        }
        ++i;
    }
}

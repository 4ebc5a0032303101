// The sign of a voucher type: its stock direction or its sign in the VAT books.

#include "AccesoDatos.h"
#include "ClsCmnCptesServicios.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Registros.h"
#include "Utilidades.h"

#include <QStringList>
#include <cmath>

namespace {

// The type-code lists are compared with the code exactly as the caller holds it.
bool EnLista(const QString& tc, std::initializer_list<const char*> codigos) {
    for (const char* c : codigos)
        if (tc.compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool Igual(const QVariant& campo, const char* texto) {
    return !campo.isNull() && campo.toString().compare(QLatin1String(texto), Qt::CaseInsensitive) == 0;
}

} // namespace

QString ClsCmnCptesServicios::SentenciaSignoComprobante(const QString& TC) const {
    const QString clave = UT().RellenaCodigo(TC.trimmed(), 4);
    return QStringLiteral("SELECT * FROM V_TA_CPTE  with(nolock)  WHERE CODIGO=") +
           AD().FormateaValorSQL(clave, QStringLiteral("'"));
}

qint16 ClsCmnCptesServicios::ObtieneSignoComprobante(const QString& TC, bool LibroIVA) {
    qint16 signo = 0;
    Registros rs;
    bool falta = false;
    const bool completo = EjecutaProtegido(
        QStringLiteral("ObtieneSignoComprobante%"),
        {
            [&] { AD().ObtieneRecordset(SentenciaSignoComprobante(TC), rs); },
            [&] {
                if (rs.Eof()) {
                    interaccion().MsgBox(
                        QStringLiteral(
                            "El Tipo de Comprobante informado no existe en la tabla de comprobantes"),
                        Estilo::SoloAceptar | Estilo::Critico, QStringLiteral("Aviso al operador!!!"));
                    falta = true;
                }
            },
            // NOLINTBEGIN(bugprone-branch-clone): the system's rules in their order, the first that holds
            // decides; several give the same sign.
            [&] {
                if (falta || LibroIVA)
                    return;
                const QVariant es = rs.Fields(QStringLiteral("ES"));
                if (Igual(es, "E"))
                    signo = 1;
                else if (Igual(es, "S"))
                    signo = -1;
                else if (EnLista(TC, {"IR", "AJP", "FCC", "NDC", "LNDC", "FPC", "NC", "RMC"}))
                    signo = 1;
                else if (EnLista(TC, {"VS", "AJN", "FC", "ND", "FP", "NCC", "LNCC", "RM", "TR"}))
                    signo = -1;
            },
            [&] {
                if (falta || !LibroIVA)
                    return;
                const QVariant valorSigno = rs.Fields(QStringLiteral("Signo"));
                if (EnLista(TC, {"ND"}))
                    signo = DebitoProveedor ? -1 : 1;
                else if (EnLista(TC, {"FCC", "NDC", "LNDC", "FC", "TK", "TKFC", "FP", "FPC"}))
                    signo = 1;
                else if (!valorSigno.isNull())
                    signo = qint16(std::nearbyint(valorSigno.toDouble()));
                else if (EnLista(TC, {"NC", "NCC", "LNCC", "NCP", "NCCP"}))
                    signo = -1;
                else if (Igual(rs.Fields(QStringLiteral("Sistema")), "Ventas") &&
                         Igual(rs.Fields(QStringLiteral("DebeHaber")), "H"))
                    signo = -1;
                else if (Igual(rs.Fields(QStringLiteral("Sistema")), "Compras") &&
                         Igual(rs.Fields(QStringLiteral("DebeHaber")), "D"))
                    signo = -1;
                else
                    signo = 1;
            },
            // NOLINTEND(bugprone-branch-clone)
            [&] {
                if (!falta)
                    AD().CierraRecordset(rs);
            },
        });
    if (!completo || falta)
        return signo;
    return signo == 0 ? qint16(1) : signo;
}

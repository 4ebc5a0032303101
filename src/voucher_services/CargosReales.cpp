// The real charges of an account: their pending balance and the dialog that picks them.

#include "AccesoDatos.h"
#include "CargosSeleccionados.h"
#include "ClsCmnCptesServicios.h"
#include "FrmCtrlCargosReales.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Registros.h"
#include "Utilidades.h"

QString SentenciaCargosReales(const QString& Cliente) {
    return QStringLiteral("SELECT * FROM V_MV_CARGOSAPLICADOS  with(nolock)  WHERE CUENTA = ") +
           AD().FormateaValorSQL(Cliente, QStringLiteral("'")) +
           QStringLiteral(" AND ((SALDO <> 0) OR (SALDO IS NULL))");
}

QString SentenciaImporteCargosReales(const QString& Cuenta) {
    return QStringLiteral("SELECT SUM (SALDO) AS IMPORTE FROM V_MV_CargosAplicados WHERE CUENTA = ") +
           AD().FormateaValorSQL(Cuenta.trimmed(), QStringLiteral("'"));
}

Moneda ClsCmnCptesServicios::ImporteCargosReales(const QString& Cuenta) {
    Registros rs;
    Moneda importe;
    const bool completo = EjecutaProtegido(
        QStringLiteral("ImporteCargosReales@"),
        {[&] { AD().ObtieneRecordset(SentenciaImporteCargosReales(Cuenta), rs); },
         [&] { importe = UT().TextoAMoneda(UT().ValorCampo(rs.Fields(QStringLiteral("Importe")))); }});
    return completo ? importe : Moneda();
}

void ClsCmnCptesServicios::ControlDeCargosReales(FrmCtrlCargosReales& dialogo, const QString& Cliente,
                                                 const QString& Matricula) {
    // An answer of an earlier call must not pass for this one's when the dialog is closed.
    gCargosSeleccionados.assign(1, CargoSeleccionado{});
    dialogo.Cliente = Cliente;
    dialogo.Matricula = Matricula;
    dialogo.Form_Load();
    dialogo.Visible = true;
    interaccion().MuestraModal(dialogo);
}

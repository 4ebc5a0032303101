#include "Transacciones.h"

#include "AccesoDatos.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Registros.h"

#include <QCoreApplication>

void ConfirmaTransacciones() {
    qint32 abiertas = 0;
    try {
        Registros rs;
        AD().LeeConexion().Errors().Clear();
        AD().EjecutaSQL(QStringLiteral("SELECT @@TRANCOUNT"), &rs);
        if (!rs.Eof())
            abiertas = rs.Fields(0).toInt();
        rs.Close();
    } catch (const ErrorSistema&) {
        return;
    }
    for (qint32 i = 0; i < abiertas; ++i) {
        try {
            AD().EjecutaSQL(QStringLiteral("COMMIT TRANSACTION"));
        } catch (const ErrorSistema&) {
            // reported below from the connection's list
        }
        const Errores& errores = AD().LeeConexion().Errors();
        if (errores.Count() > 0)
            interaccion().MsgBox(errores.Item(0).Description, Estilo::SoloAceptar,
                                 QCoreApplication::applicationName());
    }
}

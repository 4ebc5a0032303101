#include "Transacciones.h"

#include "AccesoDatos.h"
#include "Configuracion.h"
#include "Formatos.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Registros.h"
#include "Reloj.h"
#include "ValoresConfiguracion.h"

#include <QGuiApplication>
#include <optional>

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
                                 QGuiApplication::applicationDisplayName());
    }
}

namespace {

QDateTime AlSegundo(const QDateTime& momento) {
    return QDateTime(momento.date(),
                     QTime(momento.time().hour(), momento.time().minute(), momento.time().second()));
}

} // namespace

QDateTime FechaRespaldoServidor() {
    if (gUtilizarFechaDia)
        if (const auto fecha = LeeFechaTexto(Cfg(QStringLiteral("FECHAOPERHASTA"))))
            return *fecha;
    return Ahora();
}

QDateTime FechaServidor() {
    std::optional<QDateTime> fecha;
    try {
        Registros rs;
        AD().ObtieneRecordset(QStringLiteral("select  getDate() as fecha"), rs);
        if (!rs.Eof()) {
            const QVariant v = rs.Fields(QStringLiteral("Fecha"));
            if (v.typeId() == QMetaType::QDateTime)
                fecha = AlSegundo(v.toDateTime());
            else if (const auto leida = LeeFechaTexto(v.toString()))
                fecha = AlSegundo(*leida);
        }
        AD().CierraRecordset(rs);
    } catch (const ErrorSistema&) {
        // a failed query takes the fallback below, never the empty date
    }
    return fecha ? *fecha : FechaRespaldoServidor();
}

// The session command line that start-up reads: every key the program looks for, and the server
// part of the server text.
#include "Comun.h"
#include "Inicio.h"

#include <QStringList>

namespace {

const QStringList& Claves() {
    static const QStringList claves = {
        QStringLiteral("@ParametroAdicional"),
        QStringLiteral("@Menu"),
        QStringLiteral("@Server"),
        QStringLiteral("@DbName"),
        QStringLiteral("@Usuario"),
        QStringLiteral("@Password"),
        QStringLiteral("@UsuarioLogeado"),
        QStringLiteral("@Caja"),
    };
    return claves;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString linea = TextoUtf8(datos, largo);
    const QString falta = QStringLiteral("\x01"
                                         "falta");
    for (const QString& clave : Claves()) {
        const QString valor = LeeClave(linea, clave, falta);
        if (valor == falta)
            continue;
        if (valor.contains(u';') || valor.contains(u'='))
            Falla("un valor leído contiene ';' o '='", clave + QStringLiteral(" -> ") + valor);
        if (valor != valor.trimmed())
            Falla("un valor leído no está recortado", clave + QStringLiteral(" -> ") + valor);
    }
    if (ObtieneServidor(LeeClave(linea, QStringLiteral("@Server"))).contains(u':'))
        Falla("el servidor conserva el puerto");

    // A session written with the input's pieces as values reads every value back.
    const QStringList piezas = linea.split(u';');
    QString sesion;
    QStringList valores;
    for (qsizetype i = 0; i < Claves().size(); ++i) {
        QString v = piezas.value(i);
        v.remove(u';');
        v.remove(u'=');
        v = v.trimmed();
        valores << v;
        sesion += Claves()[i] + QStringLiteral("= ") + v + QStringLiteral("; ");
    }
    for (qsizetype i = 0; i < Claves().size(); ++i) {
        const QString leido = LeeClave(sesion, Claves()[i], falta);
        if (leido != valores[i])
            Falla("un valor escrito no se lee igual",
                  sesion + QStringLiteral("\n") + Claves()[i] + QStringLiteral(" -> ") + leido);
    }
    return 0;
}

// The site's connection data (MODELOS_DATO_CONEXION): the attributes that go to the driver and
// the administration database that ADMIN= names.
#include "AccesoDatos.h"
#include "Comun.h"

#include <QStringList>

namespace {

// The items of `texto` separated by ";" outside braces, as the driver reads them; `abierta`: a
// brace left open swallowed the rest.
QStringList Items(const QString& texto, bool* abierta = nullptr) {
    QStringList r;
    QString item;
    int llaves = 0;
    for (QChar c : texto) {
        if (c == u'{')
            ++llaves;
        else if (c == u'}' && llaves > 0)
            --llaves;
        if (c == u';' && llaves == 0) {
            r << item;
            item.clear();
        } else {
            item += c;
        }
    }
    r << item;
    if (abierta)
        *abierta = llaves > 0;
    return r;
}

QString Atributos(const QString& dato) {
    AccesoDatos ad;
    ad.AsignaServidor(QStringLiteral("servidor"));
    ad.AsignaDatoConexion(dato);
    return ad.LeeDatoConexionSinAdministracion();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString dato = TextoUtf8(datos, largo);
    AccesoDatos ad;
    ad.AsignaServidor(QStringLiteral("servidor"));
    ad.AsignaDatoConexion(dato);
    const QString atributos = ad.LeeDatoConexionSinAdministracion();
    const QString base = ad.BaseAdministracion();

    // What reaches the driver: whole items name=value, never ADMIN=, each closed by ";".
    if (!atributos.isEmpty() && !atributos.endsWith(u';'))
        Falla("los atributos no terminan en ';'", atributos);
    bool abierta = false;
    QStringList items = Items(atributos, &abierta);
    items.removeLast();
    for (const QString& item : items) {
        const qsizetype igual = item.indexOf(u'=');
        if (igual <= 0)
            Falla("un atributo sin nombre=valor llega al controlador", item);
        if (item.first(igual).trimmed().compare(QLatin1StringView("ADMIN"), Qt::CaseInsensitive) == 0)
            Falla("ADMIN= llega al controlador", item);
    }
    // Read again, the attributes are what they were (a brace left open takes the closing ";").
    if (!abierta && Atributos(atributos) != atributos)
        Falla("los atributos leídos de nuevo cambian", atributos);
    // The administration database only comes from an ADMIN= item.
    if (!base.isEmpty() && !dato.contains(QLatin1StringView("ADMIN"), Qt::CaseInsensitive))
        Falla("una base de administración sin ADMIN=", base);
    return 0;
}

#include "PreparaFormulario.h"

#include "AccesoDatos.h"
#include "BarraEstado.h"
#include "ErrorSistema.h"
#include "ErroresSqlServer.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Interaccion.h"
#include "LectorIni.h"
#include "Regional.h"
#include "Utilidades.h"
#include "VentanaSuite.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <functional>

// The skins and the icon are resources of this static library: register them explicitly,
// since nothing else pulls their object file into the program.
static void InicializaRecursosAspecto() {
    Q_INIT_RESOURCE(aspecto);
}

namespace {

const QString kArchivoIni = QStringLiteral("cn000pr.ini");

void AseguraRecursos() {
    static const bool registrados = [] {
        InicializaRecursosAspecto();
        return true;
    }();
    (void)registrados;
}

// The cash desk's description in `tabla`: by the code as the session has it and, when that
// finds nothing, by the code as the database stores it (width 4).
QString DescripcionCaja(const QString& tabla) {
    QString descripcion = AD().ObtieneValorTabla(tabla, gCaja, QStringLiteral("Descripcion"),
                                                 QStringLiteral("IdCajas"), 8, QString(), true, true)
                              .toString();
    const QString codigo = UT().RellenaCodigo(gCaja.trimmed(), 4);
    if (descripcion.trimmed().isEmpty() && codigo != gCaja)
        descripcion = AD().ObtieneValorTabla(tabla, codigo, QStringLiteral("Descripcion"),
                                             QStringLiteral("IdCajas"), 8, QString(), true, true)
                          .toString();
    return descripcion;
}

} // namespace

QString CarpetaSkins() {
    return QStringLiteral(":/");
}

ArchivoSkin SkinDeEstilo(int estilo) {
    switch (estilo) {
    case 1:
        return {QStringLiteral("Styles/Vista.qss"), {}};
    case 2:
        return {QStringLiteral("Styles/WinXP.Luna.qss"), {}};
    case 3:
        return {QStringLiteral("Styles/WinXP.Royale.qss"), {}};
    case 4:
        return {QStringLiteral("Styles/iTunes"), QStringLiteral("Normal.qss")};
    default:
        return {QStringLiteral("Styles/Office2007.qss"), {}};
    }
}

qint16 EstiloSkin(const QString& valor) {
    double n = 0;
    try {
        n = RedondeoBanquero(ValNumero(valor));
    } catch (const ErrorSistema&) {
        return 0;
    }
    // A value beyond 16 bits would end the program's load: it picks the default skin instead.
    if (n < -32768.0 || n > 32767.0)
        return 0;
    return static_cast<qint16>(n);
}

QString IconoSuite() {
    return QStringLiteral(":/iconos/modelos.png");
}

QString ArchivoIconoSuite() {
    return QStringLiteral("modelos.png");
}

QString VersionPrograma() {
    QString version = QCoreApplication::applicationVersion().trimmed();
    if (version.isEmpty())
        version = QStringLiteral("1.0.0");
    const QStringList partes = version.split(u'.');
    QStringList numeros;
    for (int i = 0; i < 3; ++i)
        numeros << QString::number(static_cast<qint64>(ValNumero(partes.value(i))));
    return numeros.join(u'.');
}

void CargaSkin(VentanaSuite& ventana) {
    AseguraRecursos();
    const QString seccion =
        Maquina().NombreUsuario().toUpper() + u'_' + AD().LeeBaseDatos().toUpper() + QStringLiteral("Styles");
    const qint16 estilo = EstiloSkin(Ini().LeeValor(kArchivoIni, seccion, QStringLiteral("Styles"), "4"));
    const ArchivoSkin archivo = SkinDeEstilo(estilo);
    MarcoSkin* skin = ventana.SkinFramework1();
    if (!skin)
        throw ErrorSistema(438, QStringLiteral("El objeto no admite esta propiedad o método"),
                           QStringLiteral("CargaSkin"));
    skin->LoadSkin(CarpetaSkins() + archivo.skin, archivo.esquema);
    skin->ApplyWindow(ventana);
    skin->setApplyOptions(skin->ApplyOptions() | 1);
}

void ConfiguraFormulario(VentanaSuite& ventana) {
    AseguraRecursos();
    bool seguir = true;
    auto barra = [&](const QString& control) {
        return [&ventana, &seguir, control] {
            if (seguir && !ventana.AsignaStyleBar(control, gFlatToolbars))
                throw ErrorSistema(438, QStringLiteral("El objeto no admite esta propiedad o método"),
                                   QStringLiteral("ConfiguraFormulario"));
        };
    };
    EjecutaPasos({
                     [&] { ventana.setIcon(QFileInfo::exists(IconoSuite()) ? IconoSuite() : QString()); },
                     [&] {
                         if (!ventana.Icon().isEmpty())
                             return;
                         if (!QFileInfo::exists(ArchivoIconoSuite()))
                             throw ErrorSistema(53, QStringLiteral("No se ha encontrado el archivo"),
                                                QStringLiteral("ConfiguraFormulario"));
                         ventana.setIcon(ArchivoIconoSuite());
                     },
                     [&] {
                         seguir = ventana.TipoVentana().compare(QStringLiteral("FRMMDI"),
                                                                Qt::CaseInsensitive) != 0;
                     },
                     barra(QStringLiteral("UtilVox1")),
                     barra(QStringLiteral("TBarRep1")),
                     barra(QStringLiteral("Util0011")),
                     [&] {
                         if (seguir)
                             QCoreApplication::processEvents();
                     },
                 },
                 SiempreSiguiente);
}

void MuestraBarraEstado(BarraEstado& barra, const QString& mensaje) {
    bool lleno = false;
    EjecutaPasos({
                     [&] { barra.Panels("MENSAJE").setText(mensaje); },
                     [&] { lleno = !barra.Panels("SERVER").Text().isEmpty(); },
                 },
                 SiempreSiguiente);
    if (lleno)
        return;
    QString descripcion;
    // A right the login lacks on the cash desks is told, not passed over: the session's cash desk
    // goes without its description.
    QString negado;
    const auto enCajas = [&negado](const std::function<void()>& paso) {
        return [&negado, paso] {
            try {
                paso();
            } catch (const ErrorSistema& e) {
                if (e.Numero() == sqlserver::kPermisoDenegado && negado.isEmpty())
                    negado = e.Descripcion();
                throw;
            }
        };
    };
    EjecutaPasos(
        {
            [&] { barra.Panels("SERVER").setText(QStringLiteral("Srv: ") + AD().LeeServidor()); },
            [&] { barra.Panels("USUARIO").setText(QStringLiteral("Uid: ") + AD().LeeUsuario()); },
            [&] { barra.Panels("BASEDEDATOS").setText(QStringLiteral("Db: ") + AD().LeeBaseDatos()); },
            [&] { barra.Panels("BASEDEDATOS").setToolTipText(QStringLiteral("Db: ") + AD().LeeBaseDatos()); },
            [&] {
                if (gCaja.isEmpty())
                    gCaja = QStringLiteral("1");
            },
            enCajas([&] { descripcion = DescripcionCaja(QStringLiteral("@Admin_V_TA_Cajas")); }),
            enCajas([&] {
                if (!descripcion.trimmed().isEmpty())
                    return;
                AD().ExigeDerechosAdministracion(QStringLiteral("V_TA_Cajas"), {QStringLiteral("INSERT")});
                const QString codigo = UT().RellenaCodigo(gCaja.trimmed(), 4);
                AD().EjecutaSQL(
                    QStringLiteral("INSERT INTO @Admin_V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES(") +
                    AD().FormateaValorSQL(codigo, QStringLiteral("'")) + u',' +
                    AD().FormateaValorSQL(QStringLiteral("CAJA ") + gCaja, QStringLiteral("'")) + u')');
            }),
            [&] {
                barra.Panels("CAJA").setText(gCaja + u' ' + DescripcionCaja(QStringLiteral("V_TA_Cajas")));
            },
            [&] { barra.Panels("VERSION").setText(QStringLiteral("V.") + VersionPrograma()); },
            [&] { barra.Panels("SERVER").setToolTipText(barra.Panels("SERVER").Text()); },
            [&] { barra.Panels("USUARIO").setToolTipText(barra.Panels("USUARIO").Text()); },
            [&] { barra.Panels("CAJA").setToolTipText(barra.Panels("CAJA").Text()); },
        },
        SiempreSiguiente);
    if (!negado.isEmpty())
        interaccion().MsgBox(negado + QStringLiteral("\r\nLa caja %1 no se agregó.").arg(gCaja),
                             Estilo::SoloAceptar | Estilo::Exclamacion, QCoreApplication::applicationName());
}

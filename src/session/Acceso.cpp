#include "Acceso.h"

#include "AccesoDatos.h"
#include "ErrorSistema.h"
#include "Formatos.h"
#include "Globales.h"
#include "InfoMaquina.h"
#include "Interaccion.h"
#include "Registros.h"
#include "Reloj.h"
#include "ReportaError.h"
#include "Sentencias.h"
#include "TandasSql.h"
#include "Utilidades.h"

#include <QGuiApplication>
#include <map>

namespace {

std::map<ObjetoGlobal, std::function<void()>>& Liberaciones() {
    static std::map<ObjetoGlobal, std::function<void()>> m;
    return m;
}

bool EsPropio(ObjetoGlobal o) {
    switch (o) {
    case ObjetoGlobal::DllDisplay:
    case ObjetoGlobal::AyudaFormularios:
    case ObjetoGlobal::ExportadorPlanilla:
        return false;
    default:
        return true;
    }
}

// Runs and forgets the release registered for `o`, if any.
void LiberaRegistrado(ObjetoGlobal o) {
    auto it = Liberaciones().find(o);
    if (it == Liberaciones().end())
        return;
    const std::function<void()> libera = std::move(it->second);
    Liberaciones().erase(it);
    if (libera)
        libera();
}

void Libera(ObjetoGlobal o) {
    switch (o) {
    case ObjetoGlobal::LectorIni:
        if (ExisteIni())
            LiberaIni();
        break;
    case ObjetoGlobal::Utilidades:
        if (ExisteUT())
            LiberaUT();
        break;
    case ObjetoGlobal::AccesoDatos:
        if (ExisteAD())
            LiberaAD();
        break;
    case ObjetoGlobal::InfoMaquina:
        if (ExisteMaquina())
            LiberaMaquina();
        break;
    case ObjetoGlobal::AuxInicio:
        if (ExisteAux())
            LiberaAux();
        break;
    default:
        LiberaRegistrado(o);
        break;
    }
}

// A session reset releases what was registered, as shutdown would.
const bool reinicioRegistrado = RegistraReinicioSesion([] {
    for (ObjetoGlobal o : OrdenLiberacion())
        if (!EsPropio(o))
            LiberaRegistrado(o);
});

QString Literal(const QString& texto) {
    return AD().FormateaValorSQL(texto, QStringLiteral("'"));
}

} // namespace

const std::vector<ObjetoGlobal>& OrdenLiberacion() {
    static const std::vector<ObjetoGlobal> orden = {
        ObjetoGlobal::LectorIni,          ObjetoGlobal::Utilidades,  ObjetoGlobal::DllDisplay,
        ObjetoGlobal::AyudaFormularios,   ObjetoGlobal::AccesoDatos, ObjetoGlobal::InfoMaquina,
        ObjetoGlobal::ExportadorPlanilla, ObjetoGlobal::AuxInicio,
    };
    return orden;
}

void RegistraLiberacion(ObjetoGlobal objeto, std::function<void()> libera) {
    (void)reinicioRegistrado;
    if (EsPropio(objeto))
        throw ErrorSistema(5, QStringLiteral("Argumento o llamada a procedimiento no válida"),
                           QStringLiteral("RegistraLiberacion"));
    Liberaciones()[objeto] = std::move(libera);
}

const std::vector<std::pair<QString, QString>>& AliasProgramas() {
    static const std::vector<std::pair<QString, QString>> alias = {
        {QStringLiteral("modelos_stock"), QStringLiteral("modelos-stock")},
        {QStringLiteral("ModelosStock"), QStringLiteral("modelos-stock")},
        {QStringLiteral("CN000PR_Local"), QStringLiteral("CN000PR")},
    };
    return alias;
}

const QStringList& ProgramasSinTarea() {
    static const QStringList lista = {
        QStringLiteral("Actualizador"),  QStringLiteral("Configurador"),     QStringLiteral("Instalador"),
        QStringLiteral("Licencias"),     QStringLiteral("ConsolaSQL"),       QStringLiteral("Replicador"),
        QStringLiteral("Sincronizador"), QStringLiteral("MonitorServicios"), QStringLiteral("EnvioCorreo"),
        QStringLiteral("Importador"),    QStringLiteral("Exportador"),
    };
    return lista;
}

QString ProgramaResguardo() {
    return QStringLiteral("Resguardo");
}

QString ProgramaMenu() {
    return QStringLiteral("CN000PR");
}

QString UsuarioSupervisor() {
    return QStringLiteral("SUPERVISOR");
}

QString SentenciaTarea(const QString& usuario, const QString& programa) {
    // The blank after the user is the suite's; it changes nothing where trailing blanks do not count.
    return QStringLiteral("SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre ") +
           QStringLiteral(
               " FROM TA_TAREAS  with(nolock) INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave ") +
           QStringLiteral(" WHERE (TA_TAREAS.USUARIO = ") + Literal(usuario + u' ') +
           QStringLiteral(") AND (TA_MENU.Proceso LIKE ") + Literal(u'%' + programa + u'%') + u')';
}

QString TareaPorDefecto(const QString& ejecutable) {
    if (ejecutable.compare(ProgramaMenu(), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Menu Principal");
    if (AD().LeeBaseDatos().compare(AD().LeeUsuario(), Qt::CaseInsensitive) == 0 ||
        AD().LeeUsuario().compare(UsuarioSupervisor(), Qt::CaseInsensitive) == 0)
        return ejecutable;
    return {};
}

QString SentenciaEgreso(qint32 id, const QDateTime& momento) {
    return QStringLiteral("UPDATE CONTROL_ACCESO ") + QStringLiteral(" SET EGRESO = '") +
           AplicaMascaraFecha(momento, FormatoFechaHora()) + u'\'' +
           QStringLiteral(" WHERE EGRESO IS NULL AND ") + QStringLiteral(" ID = ") + QString::number(id);
}

// NOLINTNEXTLINE(readability-function-size): the system's access-log steps, run in order by EjecutaPasos.
void RegistraIngreso(const QString& programaPedido) {
    QString programa;
    bool buscaTarea = true;
    bool registra = true;
    EjecutaPasos({
                     [&] { programa = programaPedido.isEmpty() ? NombreEjecutable() : programaPedido; },
                     [&] { gUsuarioLogeado = AD().LeeUsuario(); },
                     [&] {
                         for (const auto& [variante, proceso] : AliasProgramas())
                             if (programa.compare(variante, Qt::CaseInsensitive) == 0) {
                                 programa = proceso;
                                 return;
                             }
                         if (ProgramasSinTarea().contains(programa, Qt::CaseInsensitive))
                             buscaTarea = false;
                         else if (programa.compare(ProgramaResguardo(), Qt::CaseInsensitive) == 0)
                             registra = false;
                     },
                 },
                 SiempreSiguiente);
    if (!registra)
        return;

    QString tarea;
    if (buscaTarea) {
        Registros rs;
        EjecutaPasos({
                         [&] { AD().ObtieneRecordset(SentenciaTarea(gUsuarioLogeado, programa), rs); },
                         [&] {
                             if (!rs.Bof()) {
                                 tarea = UT().ValorCampo(rs.Fields(QStringLiteral("Nombre"))).toString();
                                 return;
                             }
                             tarea = TareaPorDefecto(NombreEjecutable());
                         },
                         [&] { AD().CierraRecordset(rs); },
                     },
                     SiempreSiguiente);
    }

    QString maquina, usuario, formulario, ingreso, nombreUsuario;
    QStringList sentencias{QString()};
    bool hayError = true;
    EjecutaPasos(
        {
            [&] {
                maquina = Maquina().NombreMaquina().trimmed().toUpper();
                usuario = gUsuarioLogeado.trimmed().toUpper();
                formulario = programa.trimmed().toUpper();
                tarea = tarea.trimmed().toUpper();
                ingreso = AplicaMascaraFecha(Ahora(), FormatoFechaHora());
                nombreUsuario = gUsuarioLogeado;
            },
            [&] { AgregaCampo(QStringLiteral("Maquina"), maquina, QStringLiteral("'"), true); },
            [&] { AgregaCampo(QStringLiteral("Usuario"), usuario, QStringLiteral("'"), false); },
            [&] { AgregaCampo(QStringLiteral("Formulario"), formulario, QStringLiteral("'"), false); },
            [&] { AgregaCampo(QStringLiteral("Tarea"), tarea, QStringLiteral("'"), false); },
            [&] { AgregaCampo(QStringLiteral("Ingreso"), ingreso, QStringLiteral("'"), false); },
            [&] { AgregaCampo(QStringLiteral("NombreUsuario"), nombreUsuario, QStringLiteral("'"), false); },
            [&] {
                QString condicion;
                ArmaSentencia(ListaCampos(), sentencias, QStringLiteral("Control_Acceso"), false, condicion,
                              false);
            },
            [&] {
                qint32 numero = 0;
                QString tanda, mensajes;
                GActualizarDatoScript(sentencias, hayError, numero, false, false, tanda, mensajes, true);
            },
            [&] {
                if (hayError)
                    return;
                // The row just added: the newest of this machine, user and program at this minute
                // still open.
                Registros rs;
                AD().ObtieneRecordset(QStringLiteral("SELECT MAX(Id) AS Id FROM Control_Acceso  with(nolock) "
                                                     " WHERE Maquina = ") +
                                          Literal(maquina) + QStringLiteral(" AND Usuario = ") +
                                          Literal(usuario) + QStringLiteral(" AND Formulario = ") +
                                          Literal(formulario) + QStringLiteral(" AND Ingreso = ") +
                                          Literal(ingreso) + QStringLiteral(" AND Egreso IS NULL"),
                                      rs);
                if (!rs.Bof())
                    gIdControlAcceso = UT().ValorCampo(rs.Fields(0)).toInt();
                AD().CierraRecordset(rs);
            },
        },
        SiempreSiguiente);
}

void RegistraEgreso() {
    try {
        AD().EjecutaSQL(SentenciaEgreso(gIdControlAcceso, Ahora()));
    } catch (const ErrorSistema& e) {
        interaccion().MsgBox(e.Descripcion(), Estilo::SoloAceptar, QGuiApplication::applicationDisplayName());
    }
}

void TerminaSistema() {
    RegistraEgreso();
    for (ObjetoGlobal o : OrdenLiberacion())
        Libera(o);
}

#include "AnclajeMenu.h"

#include "AccesoDatos.h"
#include "Globales.h"
#include "Interaccion.h"
#include "Registros.h"
#include "RutinaFormulario.h"

#include <QGuiApplication>
#include <vector>

namespace {

const QString kGrupo = QStringLiteral("D8021");

// A text placed between apostrophes in a statement: its own apostrophes doubled, so that no
// user or template name can end the literal.
QString EnComillas(const QString& texto) {
    return QString(texto).replace(QLatin1Char('\''), QStringLiteral("''"));
}

// The number of a child's key: what follows "D8021", read as its leading digits (0 when none).
qint64 NumeroClave(const QString& clave) {
    if (clave.size() == 3)
        return 0;
    const QString resto = clave.mid(5).trimmed();
    qint64 n = 0;
    for (QChar c : resto) {
        if (!c.isDigit() || n > 100000000)
            break;
        n = n * 10 + c.digitValue();
    }
    return n;
}

// An insert the database may refuse: its first error is shown and the run goes on. A failure
// that is not the database's goes to the caller's handler.
void InsertaAvisando(const QString& sql) {
    Errores& errores = AD().LeeConexion().Errors();
    try {
        AD().EjecutaSQL(sql);
    } catch (const ErrorSistema&) {
        if (errores.Count() == 0)
            throw;
    }
    if (errores.Count() > 0)
        interaccion().MsgBox(errores.Item(0).Description, Estilo::SoloAceptar,
                             QGuiApplication::applicationDisplayName());
}

// The logged user's right to the menu entry `clave`, added when missing.
void OtorgaTarea(const QString& clave) {
    const QString usuario = EnComillas(gUsuarioLogeado);
    const bool tiene = AD().ExisteRegistro(
        QStringLiteral("TA_TAREAS"), gUsuarioLogeado, QStringLiteral("USUARIO"), nullptr, 8,
        QStringLiteral("USUARIO = '") + usuario + QStringLiteral("' AND SISTEMA = 'CN000PR' AND TAREA = '") +
            clave + QStringLiteral("'"));
    if (!tiene)
        InsertaAvisando(AnclajeMenu::SentenciaDerechoMenu(gUsuarioLogeado, clave));
}

void PasosAnclaje(const std::vector<Paso>& pasos) {
    EjecutaFormulario(QStringLiteral("AnclaAlMenu"), pasos);
}

} // namespace

QString AnclajeMenu::ProcesoModelo(const QString& nombre) {
    return QStringLiteral("shell:V_MV_STOCK @PARAMETROADICIONAL= MODELO_") + nombre;
}

QString AnclajeMenu::TituloGrupoModelos() {
    return QStringLiteral("Cargar desde modelos");
}

QString AnclajeMenu::SentenciaGrupoMenu() {
    return QStringLiteral("if not exists(select * from ta_menu where clave = 'D8021') INSERT INTO TA_MENU "
                          "(MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO) ") +
           QStringLiteral(" VALUES(") + QStringLiteral("'KOLM',") + QStringLiteral("'D80',") +
           QStringLiteral("'D8021' ,") + QStringLiteral("'") + TituloGrupoModelos() + QStringLiteral("',") +
           QStringLiteral("'Stock',") + QStringLiteral("'',") + QStringLiteral("1)");
}

QString AnclajeMenu::SentenciaEntradaMenu(const QString& clave, const QString& nombre) {
    return QStringLiteral("INSERT INTO TA_MENU (MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO) ") +
           QStringLiteral(" VALUES(") + QStringLiteral("'KOLM',") + QStringLiteral("'D8021',") +
           QStringLiteral("'") + clave + QStringLiteral("',") + QStringLiteral("'") + EnComillas(nombre) +
           QStringLiteral("',") + QStringLiteral("'Stock','") + EnComillas(ProcesoModelo(nombre)) +
           QStringLiteral("',") + QStringLiteral("1)");
}

QString AnclajeMenu::SentenciaDerechoMenu(const QString& usuario, const QString& clave) {
    return QStringLiteral("INSERT INTO TA_TAREAS (USUARIO,SISTEMA,TAREA) VALUES ('") + EnComillas(usuario) +
           QStringLiteral("','CN000PR','") + clave + QStringLiteral("')");
}

void AnclajeMenu::Ancla(const QString& nombre) {
    const QString nombreSql = EnComillas(nombre);
    Registros rs;
    bool hayHijos = false;
    bool existe = false;
    qint64 numero = 1;
    QString clave;
    PasosAnclaje({
        [&] {
            AD().ObtieneRecordset(
                QStringLiteral("SELECT * FROM TA_MENU WHERE   titulo ='D8021' ORDER BY CLAVE"), rs, nullptr,
                TipoCursor::Dinamico, TipoBloqueo::SoloLectura);
        },
        [&] {
            // The next number follows the highest one in use: past 99 children the keys
            // no longer sort by number, and a key is never given twice.
            hayHijos = !rs.Eof();
            qint64 mayor = 0;
            for (; !rs.Eof(); rs.MoveNext())
                mayor = std::max(mayor, NumeroClave(rs.Fields(QStringLiteral("CLAVE")).toString()));
            numero = mayor + 1;
        },
        [&] {
            if (hayHijos)
                return;
            InsertaAvisando(SentenciaGrupoMenu());
        },
        [&] {
            if (!hayHijos)
                OtorgaTarea(kGrupo);
        },
        [&] {
            AD().ObtieneRecordset(
                QStringLiteral("SELECT * FROM TA_MENU WHERE TITULO = 'D8021' AND NOMBRE = '") + nombreSql +
                    QStringLiteral("'"),
                rs, nullptr, TipoCursor::Dinamico, TipoBloqueo::Optimista);
            existe = !rs.Eof();
        },
        [&] {
            if (!existe)
                return;
            rs.AsignaCampo(QStringLiteral("Proceso"), ProcesoModelo(nombre));
            rs.Update();
        },
        [&] {
            if (existe)
                return;
            clave = kGrupo + QStringLiteral("%1").arg(numero, 2, 10, QLatin1Char('0'));
            InsertaAvisando(SentenciaEntradaMenu(clave, nombre));
        },
        [&] {
            if (!existe)
                OtorgaTarea(clave);
        },
        [&] { AD().CierraRecordset(rs); },
    });
}

void AnclajeMenu::Quita(const QString& nombre) {
    const QString nombreSql = EnComillas(nombre);
    Registros rs;
    bool grupoVacio = false;
    QString clave;
    PasosAnclaje({
        [&] {
            clave = AD().ObtieneValorTabla(QStringLiteral("TA_MENU"), kGrupo, QStringLiteral("Clave"),
                                           QStringLiteral("TITULO"), 8,
                                           QStringLiteral(" TITULO = 'D8021' AND NOMBRE = '") + nombreSql +
                                               QStringLiteral("'"),
                                           true, false)
                        .toString();
        },
        [&] {
            AD().EjecutaSQL(QStringLiteral("DELETE TA_MENU WHERE TITULO = 'D8021' AND NOMBRE = '") +
                            nombreSql + QStringLiteral("'"));
        },
        [&] {
            // No entry, no key: the rights of no key are none of this template's business.
            if (!clave.trimmed().isEmpty())
                AD().EjecutaSQL(QStringLiteral("DELETE TA_TAREAS WHERE TAREA = '") + EnComillas(clave) +
                                QStringLiteral("'"));
        },
        [&] {
            AD().ObtieneRecordset(QStringLiteral("SELECT * FROM TA_MENU WHERE TITULO = 'D8021'"), rs, nullptr,
                                  TipoCursor::SoloAvance, TipoBloqueo::SoloLectura);
            grupoVacio = rs.Eof();
        },
        [&] {
            if (grupoVacio)
                AD().EjecutaSQL(QStringLiteral("DELETE TA_MENU WHERE CLAVE = 'D8021'"));
        },
        [&] {
            if (grupoVacio)
                AD().EjecutaSQL(QStringLiteral("DELETE TA_TAREAS WHERE TAREA = 'D8021'"));
        },
        [&] { AD().CierraRecordset(rs); },
    });
}

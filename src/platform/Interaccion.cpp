#include "Interaccion.h"

namespace Estilo {
std::vector<int> Respuestas(int estilo) {
    switch (Botones(estilo)) {
    case AceptarCancelar:
        return {Respuesta::Aceptar, Respuesta::Cancelar};
    case AbortarReintentarIgnorar:
        return {Respuesta::Abortar, Respuesta::Reintentar, Respuesta::Ignorar};
    case SiNoCancelar:
        return {Respuesta::Si, Respuesta::No, Respuesta::Cancelar};
    case SiNo:
        return {Respuesta::Si, Respuesta::No};
    case ReintentarCancelar:
        return {Respuesta::Reintentar, Respuesta::Cancelar};
    default:
        return {Respuesta::Aceptar};
    }
}
} // namespace Estilo

namespace {
InteraccionGuionada& PorDefecto() {
    static InteraccionGuionada guion;
    return guion;
}
Interaccion* instalada = nullptr;
} // namespace

Interaccion& interaccion() {
    return instalada ? *instalada : PorDefecto();
}

void EstableceInteraccion(Interaccion* i) {
    instalada = i;
}

int InteraccionGuionada::MsgBox(const QString& texto, int estilo, const QString& titulo) {
    int respuesta;
    if (!respuestas_.empty()) {
        respuesta = respuestas_.front();
        respuestas_.pop_front();
    } else {
        const auto botones = Estilo::Respuestas(estilo);
        const auto d = static_cast<size_t>(Estilo::BotonDefecto(estilo));
        respuesta = botones[d < botones.size() ? d : 0];
    }
    registros_.push_back({"MsgBox", texto, estilo, titulo, QString::number(respuesta)});
    return respuesta;
}

std::optional<QString> InteraccionGuionada::InputBox(const QString& texto, const QString& titulo,
                                                     const QString& valorInicial) {
    std::optional<QString> r = valorInicial;
    if (!textos_.empty()) {
        r = textos_.front();
        textos_.pop_front();
    }
    registros_.push_back({"InputBox", texto, 0, titulo, r.value_or(QString())});
    return r;
}

QString InteraccionGuionada::AbreArchivo(const QString& titulo, const QString& filtro, const QString&) {
    QString r;
    if (!archivos_.empty()) {
        r = archivos_.front();
        archivos_.pop_front();
    }
    registros_.push_back({"AbreArchivo", filtro, 0, titulo, r});
    return r;
}

void InteraccionGuionada::MuestraModal(Formulario& formulario) {
    registros_.push_back({"MuestraModal", formulario.NombreFormulario(), 0, QString(), QString()});
    formulario.Inicia();
    if (alMostrar)
        alMostrar(formulario);
}

namespace {

// The entry that the name chooses among the shown, enabled commands of the menu: "Name" or
// "Name(i)", any case.
const OpcionMenu* BuscaOpcion(const OpcionMenu& menu, const QString& nombre, int indice) {
    for (const OpcionMenu& o : menu.SubMenus) {
        if (!o.Visible || !o.Enabled || o.EsSeparador())
            continue;
        if (o.EsSubmenu()) {
            if (const OpcionMenu* r = BuscaOpcion(o, nombre, indice))
                return r;
        } else if (o.Name.compare(nombre, Qt::CaseInsensitive) == 0 && (indice < 0 || o.Index == indice)) {
            return &o;
        }
    }
    return nullptr;
}

} // namespace

const OpcionMenu* InteraccionGuionada::PopupMenu(const OpcionMenu& menu) {
    std::optional<QString> nombre;
    if (!opciones_.empty()) {
        nombre = opciones_.front();
        opciones_.pop_front();
    }
    const OpcionMenu* elegida = nullptr;
    if (nombre) {
        QString n = nombre->trimmed();
        int indice = -1;
        if (n.endsWith(u')') && n.contains(u'(')) {
            const qsizetype abre = n.indexOf(u'(');
            bool ok = false;
            indice = n.mid(abre + 1, n.size() - abre - 2).toInt(&ok);
            if (!ok)
                indice = -2; // names no element
            n.truncate(abre);
        }
        elegida = BuscaOpcion(menu, n, indice);
    }
    registros_.push_back({"PopupMenu", menu.Name, 0, QString(), elegida ? elegida->Name : QString()});
    return elegida;
}

QStringList InteraccionGuionada::Mensajes() const {
    QStringList r;
    for (const auto& reg : registros_)
        if (reg.tipo == QLatin1String("MsgBox"))
            r << reg.texto;
    return r;
}

void InteraccionGuionada::Limpia() {
    respuestas_.clear();
    textos_.clear();
    archivos_.clear();
    opciones_.clear();
    registros_.clear();
}

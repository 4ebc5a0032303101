#pragma once

#include "ErrorSistema.h"
#include "MenuEmergente.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Message-box styles with the suite's numeric values: buttons + icon + default button.
namespace Estilo {
constexpr int SoloAceptar = 0;
constexpr int AceptarCancelar = 1;
constexpr int AbortarReintentarIgnorar = 2;
constexpr int SiNoCancelar = 3;
constexpr int SiNo = 4;
constexpr int ReintentarCancelar = 5;
constexpr int Critico = 16;
constexpr int Pregunta = 32;
constexpr int Exclamacion = 48;
constexpr int Informacion = 64;
constexpr int BotonDefecto2 = 256;
constexpr int BotonDefecto3 = 512;

inline int Botones(int estilo) {
    return estilo & 0x0F;
}
inline int Icono(int estilo) {
    return estilo & 0xF0;
}
inline int BotonDefecto(int estilo) {
    return (estilo & 0xF00) >> 8;
} // 0-based
// The answers of a button set, in the order the buttons show.
std::vector<int> Respuestas(int estilo);
} // namespace Estilo

// A form that can be shown modally through the port. Its Qt view is looked up by name.
class Formulario {
public:
    virtual ~Formulario() = default;
    virtual QString NombreFormulario() const = 0;
    // The window's load when it is shown modally: the scripted port runs it before playing the
    // user's part, a Qt view once it is on screen, so that a long fill is seen as it grows.
    virtual void Inicia() {}
};

// Every question to the user goes through this port: the program installs the Qt
// implementation, tests a scripted one.
class Interaccion {
public:
    virtual ~Interaccion() = default;
    // Returns the answer's numeric value (Respuesta::...).
    virtual int MsgBox(const QString& texto, int estilo, const QString& titulo) = 0;
    // Returns the typed text, or nothing when cancelled.
    virtual std::optional<QString> InputBox(const QString& texto, const QString& titulo,
                                            const QString& valorInicial) = 0;
    // Returns the chosen file's path, or an empty text when cancelled.
    virtual QString AbreArchivo(const QString& titulo, const QString& filtro, const QString& carpeta) = 0;
    // Shows the form modally and returns when it is closed.
    virtual void MuestraModal(Formulario& formulario) = 0;
    // Pops the menu's entries up at the mouse and returns the command chosen (an entry of the
    // menu or of its submenus), or nullptr when the menu closed without a choice (as it does on
    // a port that shows no menus).
    virtual const OpcionMenu* PopupMenu(const OpcionMenu& menu) {
        (void)menu;
        return nullptr;
    }
};

// The installed implementation; a scripted one until the program installs its own.
Interaccion& interaccion();
// Installs `i` (not owned); nullptr goes back to the default scripted one.
void EstableceInteraccion(Interaccion* i);

// Replays given answers and records every text shown, for tests and headless runs.
class InteraccionGuionada : public Interaccion {
public:
    struct Registro {
        QString tipo; // "MsgBox", "InputBox", "AbreArchivo", "MuestraModal", "PopupMenu"
        QString texto;
        int estilo = 0;
        QString titulo;
        QString respuesta;
    };

    // Answers consumed in order by MsgBox; when none is left the first button's answer
    // (or the style's default button) is given.
    void AgregaRespuesta(int respuesta) { respuestas_.push_back(respuesta); }
    void AgregaTexto(std::optional<QString> texto) { textos_.push_back(std::move(texto)); }
    void AgregaArchivo(const QString& ruta) { archivos_.push_back(ruta); }
    // The command that the next pop-up menu chooses, by control name (any case; "Name(i)" for
    // element i of a menu array); nothing closes the menu without a choice, as does a name the
    // menu lacks or an entry that cannot be chosen. When none is left, menus close unchosen.
    void AgregaOpcionMenu(std::optional<QString> nombre) { opciones_.push_back(std::move(nombre)); }
    // Called for each modal show, to play the user's part on the form.
    std::function<void(Formulario&)> alMostrar;

    int MsgBox(const QString& texto, int estilo, const QString& titulo) override;
    std::optional<QString> InputBox(const QString& texto, const QString& titulo,
                                    const QString& valorInicial) override;
    QString AbreArchivo(const QString& titulo, const QString& filtro, const QString& carpeta) override;
    void MuestraModal(Formulario& formulario) override;
    const OpcionMenu* PopupMenu(const OpcionMenu& menu) override;

    const std::vector<Registro>& Registros() const { return registros_; }
    // Texts of the message boxes shown, in order.
    QStringList Mensajes() const;
    void Limpia();
    int RespuestasPendientes() const { return static_cast<int>(respuestas_.size()); }

private:
    std::deque<int> respuestas_;
    std::deque<std::optional<QString>> textos_;
    std::deque<QString> archivos_;
    std::deque<std::optional<QString>> opciones_;
    std::vector<Registro> registros_;
};

#pragma once

#include <functional>
#include <map>
#include <memory>

// What every control model shares: it tells of its changes. `alCambiar` is the one hook the
// form's own code may set; views observe through Observa, as many as need to, each holding a
// Suscripcion that ends the observation when it goes, and that knows when the model went first.
class ModeloControl {
public:
    using Aviso = std::function<void()>;

    // One observation. Destroying it (or Termina) removes the observer; once the model is gone
    // it does nothing, and Vigente is false.
    class Suscripcion {
    public:
        Suscripcion() = default;
        Suscripcion(Suscripcion&& otra) noexcept = default;
        Suscripcion& operator=(Suscripcion&& otra) noexcept {
            if (this != &otra) {
                Termina();
                avisos_ = std::move(otra.avisos_);
                id_ = otra.id_;
            }
            return *this;
        }
        Suscripcion(const Suscripcion&) = delete;
        Suscripcion& operator=(const Suscripcion&) = delete;
        ~Suscripcion() { Termina(); }

        bool Vigente() const { return !avisos_.expired(); }
        void Termina() {
            if (const auto avisos = avisos_.lock())
                avisos->erase(id_);
            avisos_.reset();
        }

    private:
        friend class ModeloControl;
        std::weak_ptr<std::map<int, Aviso>> avisos_;
        int id_ = 0;
    };

    ModeloControl() = default;
    ModeloControl(const ModeloControl&) = delete;
    ModeloControl& operator=(const ModeloControl&) = delete;
    virtual ~ModeloControl() = default;

    // Adds an observer told after every change (after alCambiar).
    [[nodiscard]] Suscripcion Observa(Aviso aviso) {
        Suscripcion s;
        s.id_ = ++ultimo_;
        (*avisos_)[s.id_] = std::move(aviso);
        s.avisos_ = avisos_;
        return s;
    }

    // Called after every change, for the form's own code.
    Aviso alCambiar;

protected:
    void Avisa() const {
        if (alCambiar)
            alCambiar();
        // A copy: an observer may end its own or another observation while it is told.
        const auto avisos = *avisos_;
        for (const auto& [id, aviso] : avisos)
            if (avisos_->count(id) && aviso)
                aviso();
    }
    template <class T> void Asigna(T& miembro, const T& valor) {
        if (miembro == valor)
            return;
        miembro = valor;
        Avisa();
    }

private:
    std::shared_ptr<std::map<int, Aviso>> avisos_ = std::make_shared<std::map<int, Aviso>>();
    int ultimo_ = 0;
};

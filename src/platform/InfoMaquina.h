#pragma once

#include <QString>

// The workstation: machine name, user name and a fallback folder (the user's temporary
// folder). Tests may pin each value.
class InfoMaquina {
public:
    QString NombreMaquina() const;
    QString NombreUsuario() const;
    QString CarpetaAlternativa() const;

    void setNombreMaquina(const QString& nombre) { maquina_ = nombre; }
    void setNombreUsuario(const QString& nombre) { usuario_ = nombre; }
    void setCarpetaAlternativa(const QString& carpeta) { carpeta_ = carpeta; }

private:
    QString maquina_;
    QString usuario_;
    QString carpeta_;
};

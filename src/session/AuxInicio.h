#pragma once

#include <QString>

// Start-up helper of the suite: keeps the program folder that start-up hands it.
class AuxInicio {
public:
    void CarpetaPrograma(const QString& carpeta) { carpeta_ = carpeta; }
    const QString& CarpetaPrograma() const { return carpeta_; }

private:
    QString carpeta_;
};

#include "ProgramasConversion.h"

#include "ReportaError.h"

namespace {
QString& Fijado() {
    static QString nombre;
    return nombre;
}
} // namespace

QString ProgramaConversion() {
    return Fijado().isEmpty() ? NombreEjecutable() : Fijado();
}

void EstableceProgramaConversion(const QString& nombre) {
    Fijado() = nombre;
}

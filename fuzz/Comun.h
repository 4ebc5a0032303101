#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

// Helpers shared by the fuzz targets.

// The input as bytes (shared, not copied).
QByteArray Bytes(const uint8_t* datos, size_t largo);
// The input read as UTF-8 (what a command line or a typed text arrives as).
QString TextoUtf8(const uint8_t* datos, size_t largo);
// Up to `cuantas` parts of the input separated by line feeds; missing parts are empty.
std::vector<QString> Partes(const uint8_t* datos, size_t largo, int cuantas);

// A folder of this process for the files the readers open; removed at exit.
QString CarpetaTrabajo();
// Writes `contenido` to `ruta`, replacing it.
void EscribeArchivo(const QString& ruta, const QByteArray& contenido);

// A property that failed: says which and why on standard error and aborts, so that libFuzzer
// keeps the input.
[[noreturn]] void Falla(const char* propiedad, const QString& detalle = {});

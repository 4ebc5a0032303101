#pragma once

#include <QtGlobal>

// Key codes as the system's forms receive them in their key events (the numbers of the virtual
// keys); the Qt views translate Qt's keys into them.
namespace tecla {
constexpr qint16 Retroceso = 8;
constexpr qint16 Tab = 9;
constexpr qint16 Borrar = 12;
constexpr qint16 Enter = 13;
constexpr qint16 Escape = 27;
constexpr qint16 Espacio = 32;
constexpr qint16 RePag = 33;
constexpr qint16 AvPag = 34;
constexpr qint16 Fin = 35;
constexpr qint16 Inicio = 36;
constexpr qint16 Izquierda = 37;
constexpr qint16 Arriba = 38;
constexpr qint16 Derecha = 39;
constexpr qint16 Abajo = 40;
constexpr qint16 Insertar = 45;
constexpr qint16 Suprimir = 46;
constexpr qint16 F1 = 112;
constexpr qint16 F2 = 113;
constexpr qint16 F3 = 114;
constexpr qint16 F4 = 115;
constexpr qint16 F5 = 116;
constexpr qint16 F6 = 117;
constexpr qint16 F7 = 118;
constexpr qint16 F8 = 119;
constexpr qint16 F9 = 120;
constexpr qint16 F10 = 121;
constexpr qint16 F11 = 122;
constexpr qint16 F12 = 123;
} // namespace tecla

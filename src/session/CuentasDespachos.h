#pragma once

#include <QString>

class Registros;

// The account of `Codigo` in MA_CUENTAS, by its code and then by its optional code (the other
// way round when `PorCodigoOpcional`). Found by the optional code, `Codigo` becomes the
// account's code; found that way after the code failed, `PorCodigoOpcional` becomes true. `Rs`
// is left on the last query (read-only when `SoloLectura`, else editable). Traps nothing.
bool BuscaCuenta(QString& Codigo, Registros& Rs, bool SoloLectura, bool& PorCodigoOpcional);
QString SentenciaBuscaCuenta(const QString& codigo, bool porCodigoOpcional);

// The customs dispatch of a lot (stk_despachos): its ControladoPor and, when it has a
// description, its origin, each trimmed; outputs the dispatch leaves blank are not changed.
// Traps nothing.
void BuscaDespacho(const QString& NroLote, QString& ControladoPor, QString& IdOrigen);
QString SentenciaBuscaDespacho(const QString& nroLote);

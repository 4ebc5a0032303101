#pragma once

#include <QString>

// The deposit a user works from: the user's business unit's associated deposits (or its
// differences deposit when `DepositoDiferencias`); else, among the unit's deposits, the
// distribution centre wherever it stands, else the user's own deposit or the default deposit
// met before it, else the last one; else the user's own deposit. Codes compare trimmed. `MotivoDiferencias`
// and `ModificaDiferencias` are set only from the unit's row. Traps nothing: errors reach the caller.
QString ObtieneDepositosUsuario(const QString& Usuario, bool DepositoDiferencias, QString& MotivoDiferencias,
                                bool& ModificaDiferencias);

// Its two queries, by business unit.
QString SentenciaUnidadNegocio(const QString& unidad);
QString SentenciaDepositosUnidad(const QString& unidad);

// The customs dispatch of a lot (stk_despachos, lot compared trimmed): its controlling party
// when not blank, and its origin when the dispatch has a description. Outputs not found keep
// what the caller put in them. Traps nothing.
void BuscaDespacho(const QString& NroLote, QString& ControladoPor, QString& IdOrigen);
// Its query: the lot trimmed, with one blank before the closing apostrophe.
QString SentenciaDespacho(const QString& NroLote);

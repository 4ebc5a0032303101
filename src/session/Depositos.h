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

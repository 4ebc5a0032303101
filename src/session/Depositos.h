#pragma once

#include <QString>

// The deposit a user works from: the user's business unit's associated deposits (or its
// differences deposit when `DepositoDiferencias`), else a walk over the unit's deposits where
// the distribution centre wins, then the user's own deposit, then the default deposit; else the
// user's own deposit. `MotivoDiferencias` and `ModificaDiferencias` are set only from the unit's
// row. Traps nothing: errors reach the caller.
QString ObtieneDepositosUsuario(const QString& Usuario, bool DepositoDiferencias, QString& MotivoDiferencias,
                                bool& ModificaDiferencias);

// Its two queries, by business unit.
QString SentenciaUnidadNegocio(const QString& unidad);
QString SentenciaDepositosUnidad(const QString& unidad);

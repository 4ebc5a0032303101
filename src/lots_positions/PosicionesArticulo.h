#pragma once

#include <QString>
#include <QStringList>

// The positions of the deposit where the article may be stored, most specific reservation
// first: those reserved for the article, for its family, for each parent family up to the first
// level, for its type, for its rubro; within each, by entry order and code. Only when none of
// them qualifies, the free positions of the deposit. Heading rows never appear, nor
// `excluida` (compared without regard to case and trailing blanks); each code appears once, as
// stored. `posiciones` gets the codes and one empty slot at the end; an unknown article gives
// only the empty slot. The deposit goes into the queries as passed. Errors go to the form error
// routine as "Abrir Recordset".
void ObtienePosicionesArticulo(const QString& articulo, const QString& deposito, QStringList& posiciones,
                               const QString& excluida);

// The statements of the search: one reservation condition, and the free positions.
QString SqlPosicionesReservadas(const QString& condicion, const QString& deposito);
QString SqlPosicionesLibres(const QString& deposito);

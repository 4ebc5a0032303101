#pragma once

#include <QString>
#include <QtGlobal>

// The search of an entity by the text the user typed: the SELECT of the entity's definition in
// consultas.cvn (articles, customers, suppliers, contacts, accounts, streets, localities,
// delivery recipients, e-mail events, cattle lots or any other table), shown in VC(); the key
// of the row chosen comes back trimmed in `Resultado`. "STK_MA_ARTICULOS" is searched through
// the "V_MA_ARTICULOS" definition and given back as passed. Typed text reaches the statement
// with its apostrophes doubled. A failing step is reported as "SubConsultaLike" (Retry runs it
// again, Ignore goes on, any other answer leaves).
void SubConsultaLike(QString& Tabla, QString& Texto, QString& Resultado, qint16 Opcion = 0,
                     bool SoloActivos = false, const QString& Condicion = {}, QString* Cliente = nullptr,
                     QString* Auxiliar = nullptr, QString* Sucursal = nullptr);

// The SELECT column list of the definition of `Tabla` ("*" when none and `Campos` was blank),
// and its first column. Article columns are qualified by the table; "STK_MA_ARTICULOS" takes the
// "V_MA_ARTICULOS" definition with the deposit (and, when shown in searches, stock and reorder
// point) after it. A single column is also the first one.
void ArmaCamposArticulos(const QString& Tabla, QString& Campos, QString& PrimerCampo);

// A typed text as it goes between the quotes of a LIKE pattern: apostrophes doubled, and "%",
// "_", "[" and the escape character "!" escaped, so that each matches itself on SQLite and on
// SQL Server alike.
QString TextoLike(const QString& texto);
// " ESCAPE '!'" after a pattern made of `texto` when TextoLike escaped anything in it; nothing
// otherwise, so that an ordinary search is the statement as it always was.
QString EscapeLike(const QString& texto);

#pragma once

#include <QString>

// The look-up of a code field by its table's name: the description, key and second display
// columns of `Tabla` by the suite's name rules ("TA_COMPROBANTES" and "V_TA_Cpte" become
// "VT_TA_Cpte"); then the search window on "select description,key from Tabla Condicion":
// through its definitions when consultas.cvn exists beside the program, else only when
// `Mostrar`. Once shown, `CampoCodigo` is the chosen key, empty when nothing was chosen; not
// shown, it keeps the key column. Traps nothing: errors reach the caller.
void ConsultaTabla(QString& Tabla, QString& CampoDescripcion, QString& CampoCodigo, QString& CampoAuxiliar,
                   bool Mostrar, const QString& Condicion = {});

// The name rules alone: the columns as ConsultaTabla resolves them (a name no rule knows leaves
// the caller's description and key, and the auxiliary column, as they are).
void ResuelveColumnasTabla(QString& Tabla, QString& CampoDescripcion, QString& CampoCodigo,
                           QString& CampoAuxiliar);

// The statement ConsultaTabla shows.
QString SentenciaConsultaTabla(const QString& Tabla, const QString& CampoDescripcion,
                               const QString& CampoCodigo, const QString& Condicion);

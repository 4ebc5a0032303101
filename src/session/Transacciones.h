#pragma once

// Commits every transaction still open on AD()'s connection: reads "SELECT @@TRANCOUNT" and
// sends "COMMIT TRANSACTION" once per level. After a commit that leaves errors on the
// connection the first one's description is shown (OK, the program's title) and the next
// commit is still sent. Nothing reaches the caller; when the count cannot be read nothing is
// committed.
void ConfirmaTransacciones();

#include <QDateTime>

// The database server's date and time, to the second ("select  getDate() as fecha"). When the
// query fails or answers no row: FechaRespaldoServidor().
QDateTime FechaServidor();
// The date that stands in for the server's: FECHAOPERHASTA when UTILIZARFECHADIA is on and
// that setting is a valid date, else the workstation's date and time (never a null date).
QDateTime FechaRespaldoServidor();

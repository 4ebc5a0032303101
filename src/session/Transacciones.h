#pragma once

// Commits every transaction still open on AD()'s connection: reads "SELECT @@TRANCOUNT" and
// sends "COMMIT TRANSACTION" once per level. After a commit that leaves errors on the
// connection the first one's description is shown (OK, the program's title) and the next
// commit is still sent. Nothing reaches the caller; when the count cannot be read nothing is
// committed.
void ConfirmaTransacciones();

#pragma once

#include <QString>
#include <QtGlobal>

class BarraEstado;
class VentanaSuite;

// The common look of the suite's windows: skin, icon, toolbar style and session status bar.

// Loads the skin chosen for this user and database into the window's SkinFramework1 and applies
// it with option 1: the leading number of key "Styles" in section USER_DATABASEStyles of
// "cn000pr.ini" (default 4) picks one of the five style sheets shipped with the program.
// No error handling of its own: a window without a skin control raises ErrorSistema 438.
void CargaSkin(VentanaSuite& ventana);

// The suite's icon (from the program's resources, else from its file), then, unless the
// window's type is FRMMDI, StyleBar = gFlatToolbars on its toolbars UtilVox1, TBarRep1 and
// Util0011; yields once to the event loop. Skips every failing step.
void ConfiguraFormulario(VentanaSuite& ventana);

// Panel MENSAJE := `mensaje`. On the first call for a status bar (panel SERVER still empty)
// also SERVER "Srv: ", USUARIO "Uid: ", BASEDEDATOS "Db: ", CAJA (gCaja, a blank and the cash
// desk's description, adding a missing cash desk to @Admin_V_TA_Cajas) and VERSION "V.a.b.c",
// with their tool tips. Skips every failing step (a missing panel, a failed query).
void MuestraBarraEstado(BarraEstado& barra, const QString& mensaje);

// The skin of a style number: the sheet's path under CarpetaSkins() and, for a skin that is a
// folder of schemes, the scheme (empty otherwise). 1 Vista, 2 WinXP.Luna, 3 WinXP.Royale,
// 4 iTunes with its scheme, any other Office2007.
struct ArchivoSkin {
    QString skin;
    QString esquema;
};
ArchivoSkin SkinDeEstilo(int estilo);
// Where the skins ship: the program's resources.
QString CarpetaSkins();
// The style number of the INI key's text: its leading number rounded half to even; a number
// beyond 16 bits gives 0 (the default skin).
qint16 EstiloSkin(const QString& valor);

// The suite's icon in the program's resources, and its file (name only: looked up in the
// working folder).
QString IconoSuite();
QString ArchivoIconoSuite();

// "major.minor.revision" of the program (its application version; 1.0.0 when none is set).
QString VersionPrograma();

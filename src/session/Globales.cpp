#include "Globales.h"

#include "AccesoDatos.h"
#include "AuxInicio.h"
#include "InfoMaquina.h"
#include "LectorIni.h"
#include "Utilidades.h"

#include <memory>
#include <vector>

QString gParametroAdicional;
QString gMenu;
QString gUsuarioLogeado;
QString gCaja = QStringLiteral("1");
QString gSeccionIni;
double gFlatToolbars = 1;
qint16 gTimeOut = 360;
qint32 gColorFondo = 16777215;
qint32 gColorLetra = 0;
qint32 gIdControlAcceso = 0;
QString gTipoEAN;
QString gDecimalesEAN;
qint32 gTopConsulta = 0;
QString gArchivoAyuda;

namespace {

// Function-local statics: other translation units may use them during their own static
// initialisation (registrations) and at exit.
std::unique_ptr<AccesoDatos>& ObjetoAD() {
    static std::unique_ptr<AccesoDatos> p;
    return p;
}
std::unique_ptr<AccesoDatos>& ObjetoEstadisticas() {
    static std::unique_ptr<AccesoDatos> p;
    return p;
}
std::unique_ptr<Utilidades>& ObjetoUT() {
    static std::unique_ptr<Utilidades> p;
    return p;
}
std::unique_ptr<InfoMaquina>& ObjetoMaquina() {
    static std::unique_ptr<InfoMaquina> p;
    return p;
}
std::unique_ptr<LectorIni>& ObjetoIni() {
    static std::unique_ptr<LectorIni> p;
    return p;
}
std::unique_ptr<AuxInicio>& ObjetoAux() {
    static std::unique_ptr<AuxInicio> p;
    return p;
}
std::vector<std::function<void()>>& Reinicios() {
    static std::vector<std::function<void()>> v;
    return v;
}

template <typename T> T& Crea(std::unique_ptr<T>& p) {
    if (!p)
        p = std::make_unique<T>();
    return *p;
}

} // namespace

AccesoDatos& AD() {
    return Crea(ObjetoAD());
}
AccesoDatos& gBaseEstadisticas() {
    return Crea(ObjetoEstadisticas());
}
Utilidades& UT() {
    return Crea(ObjetoUT());
}
InfoMaquina& Maquina() {
    return Crea(ObjetoMaquina());
}
LectorIni& Ini() {
    return Crea(ObjetoIni());
}
AuxInicio& Aux() {
    return Crea(ObjetoAux());
}

bool ExisteAD() {
    return ObjetoAD() != nullptr;
}
bool ExisteBaseEstadisticas() {
    return ObjetoEstadisticas() != nullptr;
}
bool ExisteUT() {
    return ObjetoUT() != nullptr;
}
bool ExisteMaquina() {
    return ObjetoMaquina() != nullptr;
}
bool ExisteIni() {
    return ObjetoIni() != nullptr;
}
bool ExisteAux() {
    return ObjetoAux() != nullptr;
}

void LiberaAD() {
    ObjetoAD().reset();
}
void LiberaBaseEstadisticas() {
    ObjetoEstadisticas().reset();
}
void LiberaUT() {
    ObjetoUT().reset();
}
void LiberaMaquina() {
    ObjetoMaquina().reset();
}
void LiberaIni() {
    ObjetoIni().reset();
}
void LiberaAux() {
    ObjetoAux().reset();
}

bool RegistraReinicioSesion(std::function<void()> reinicio) {
    Reinicios().push_back(std::move(reinicio));
    return true;
}

void ReiniciaSesion() {
    gParametroAdicional.clear();
    gMenu.clear();
    gUsuarioLogeado.clear();
    gCaja = QStringLiteral("1");
    gSeccionIni.clear();
    gFlatToolbars = 1;
    gTimeOut = 360;
    gColorFondo = 16777215;
    gColorLetra = 0;
    gIdControlAcceso = 0;
    gTipoEAN.clear();
    gDecimalesEAN.clear();
    gTopConsulta = 0;
    gArchivoAyuda.clear();
    for (const auto& reinicio : Reinicios())
        reinicio();
    LiberaIni();
    LiberaUT();
    LiberaAD();
    LiberaMaquina();
    LiberaAux();
    LiberaBaseEstadisticas();
}

#include "DefinicionesConsulta.h"

#include "AuxInicio.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Utilidades.h"
#include "VentanaConsulta.h"

#include <QCoreApplication>
#include <QFile>
#include <memory>

namespace {

const QString kArchivoDefiniciones = QStringLiteral("CONSULTAS.CVN");
const QString kArchivoAnchos = QStringLiteral("CONSULTASLEN.CVN");
const QString kArchivoAnchosAux = QStringLiteral("CONSULTASLEN.AUX");

std::unique_ptr<VentanaConsulta>& ObjetoVC() {
    static std::unique_ptr<VentanaConsulta> p;
    return p;
}

const bool reinicioRegistrado = RegistraReinicioSesion([] { LiberaVC(); });

struct DefinicionTropa {
    const char* entidad;
    const char* titulo;
    const char* campos;
    const char* anchos;
};

const DefinicionTropa kTropas[] = {
    {"v_mv_tropa", "TROPA", "|FechaDte|Dte|IdTropa|Patente|Chofer|NroGuia|CuitVendedor|",
     "1529.188|1575.081|1139.384|1304.258|3058.377|2908.234|1933.724|"},
    {"V_MV_TROPA_STOCK", "TROPA_STOCK", "|idTropa|categoria|secuencia|lado|kg|comprador|fecha|idPlanilla|id|",
     "1354.115|1079.327|1004.539|659.4944|1603.976|1575.081|1679.898|419.8328|419.8328|"},
};

} // namespace

VentanaConsulta& VC() {
    (void)reinicioRegistrado;
    auto& p = ObjetoVC();
    if (!p) {
        p = std::make_unique<VentanaConsulta>();
        p->setProveedorDatos([] { return &AD(); });
    }
    return *p;
}

bool ExisteVC() {
    return ObjetoVC() != nullptr;
}

void LiberaVC() {
    ObjetoVC().reset();
}

QString CarpetaConsultas() {
    const QString carpeta = Aux().CarpetaPrograma();
    return UT().NormalizaRuta(carpeta.isEmpty() ? QCoreApplication::applicationDirPath() : carpeta);
}

bool ExisteArchivoConsultas() {
    return EsArchivoRegular(VC().ArchivoConsultas());
}

const std::vector<RegistroConsulta>& ConsultasDefault() {
    static const std::vector<RegistroConsulta> lista = {
        {"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|", ""},
        {"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|", ""},
        {"PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|", ""},
        {"CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|", ""},
        {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|", ""},
        {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|", ""},
        {"MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|", ""},
        {"CUENTAS", "MA_CUENTAS", "|DESCRIPCION|CODIGO|", ""},
        {"TAREAS", "V_TA_Tareas", "|Descripcion|IdTarea|", ""},
        {"UnidadNegocio", "V_TA_UnidadNegocio", "|Descripcion|Codigo|", ""},
        {"DEPOSITO", "V_TA_DEPOSITO", "|Descripcion|IdDeposito|", ""},
    };
    return lista;
}

void CreaConsultasDefault() {
    EscritorConsultas archivo(VC().ArchivoConsultas());
    for (const RegistroConsulta& d : ConsultasDefault())
        archivo.Agrega({d.Titulo.trimmed(), d.Tabla, d.Campos.trimmed(), d.Condicion.trimmed()});
    archivo.Cierra();
}

void CreaConsultasTropa(const QString& entidad) {
    try {
        for (const DefinicionTropa& t : kTropas) {
            if (entidad.compare(QLatin1StringView(t.entidad), Qt::CaseInsensitive) != 0)
                continue;
            EscritorConsultas archivo(CarpetaConsultas() + kArchivoDefiniciones);
            archivo.Agrega(
                {QString::fromLatin1(t.titulo), entidad, QString::fromLatin1(t.campos), QString()});
            archivo.Cierra();
            GrabaAnchosConsulta(entidad, QString::fromLatin1(t.anchos));
        }
    } catch (const ErrorSistema&) {
        // A definition that cannot be written only costs the search its columns.
    }
}

void GrabaAnchosConsulta(const QString& entidad, const QString& anchos) {
    const QString carpeta = CarpetaConsultas();
    const QString archivo = ResuelveRutaArchivo(carpeta + kArchivoAnchos);
    const QString auxiliar = ResuelveRutaArchivo(carpeta + kArchivoAnchosAux);
    QByteArray texto;
    for (const LineaAnchos& linea : LeeArchivoAnchos(archivo))
        if (!MismaEntidad(linea.Entidad, entidad))
            texto += TextoLineaAnchos(linea);
    texto += TextoLineaAnchos({entidad, anchos});

    QFile aux(auxiliar);
    if (!aux.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    const bool escrito = aux.write(texto) == texto.size() && aux.flush();
    aux.close();
    // Without a whole new file the old widths stay: deleting them first would lose every line.
    if (!escrito) {
        QFile::remove(auxiliar);
        return;
    }
    QFile::remove(archivo);
    QFile::rename(auxiliar, archivo);
}

bool BuscaDefinicionConsulta(const std::function<bool(const RegistroConsulta&)>& coincide,
                             RegistroConsulta& encontrado) {
    const auto registros = RegistrosConsultasSiArchivo(VC().ArchivoConsultas());
    if (!registros)
        return false;
    for (const RegistroConsulta& r : *registros) {
        if (coincide(r)) {
            encontrado = r;
            return true;
        }
    }
    return false;
}

bool BuscaDefinicionConsulta(const QString& tabla, RegistroConsulta& encontrado) {
    const QString buscada = tabla.trimmed();
    return BuscaDefinicionConsulta(
        [&](const RegistroConsulta& r) {
            return r.Tabla.trimmed().compare(buscada, Qt::CaseInsensitive) == 0;
        },
        encontrado);
}

#include "ConsultaTabla.h"

#include "ArchivosConsulta.h"
#include "DefinicionesConsulta.h"
#include "Globales.h"
#include "Utilidades.h"
#include "VentanaConsulta.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <initializer_list>
#include <optional>

namespace {

bool Es(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

bool EsUno(const QString& a, std::initializer_list<const char*> nombres) {
    for (const char* n : nombres)
        if (Es(a, n))
            return true;
    return false;
}

// "ID" and the name after the first occurrence of `prefijo`, as the caller wrote it.
QString IdResto(const QString& tabla, const QString& prefijo) {
    const qsizetype i = tabla.indexOf(prefijo, 0, Qt::CaseInsensitive);
    return QStringLiteral("ID") + (i < 0 ? tabla : tabla.mid(i + prefijo.size()));
}

QString SinS(QString codigo) {
    if (codigo.endsWith(u's', Qt::CaseInsensitive))
        codigo.chop(1);
    return codigo;
}

struct Columnas {
    QString descripcion;
    QString codigo;
    QString auxiliar;
};

// The names with columns of their own (no name of the derived rules is among them).
struct Fija {
    const char* tabla;
    const char* descripcion;
    const char* codigo;
    const char* auxiliar;
};
const Fija kFijas[] = {
    {"V_TA_PERCEPCION", "DESCRIPCION", "IDPERCEPCION", ""},
    {"V_TA_RETENCIONES", "DESCRIPCION", "IDRETENCION", ""},
    {"V_TA_UNIDADNEGOCIO", "DESCRIPCION", "CODIGO", ""},
    {"V_ta_PoliticaPrecios", "Descripcion", "codigo", ""},
    {"V_TA_CATEGORIAARTICULO", "DESCRIPCION", "idcategoria", ""},
    {"P_SINDICATOS", "Descripcion", "IdSindicato", ""},
    {"P_MA_Clientes", "RAZON_SOCIAL", "IDCLIENTE", ""},
    {"TA_Cpte", "DESCRIPCION", "CODIGO", "DESCRIPCION"},
    {"V_TA_VENDEDORES", "NOMBRE", "idvendedor", "NOMBRE"},
    {"V_MV_COTIZAR", "COT_OBSERVACIONES", "IDARTICULO", "COT_OBSERVACIONES"},
    {"MA_MODELOS", "NOMBRE", "NOMBRE", "NOMBRE"},
    {"MA_CHOFERES", "APELLIDO", "CODIGO", "NOMBRES"},
    {"MA_DESTINATARIOS", "NOMBRE", "CODIGO", "NOMBRE"},
    {"MA_VEHICULOS", "PATENTE,TIPO_VEHICULO,MARCA,MODELO,TIPO", "PATENTE", "MODELO"},
    {"MV_EJERCICIOS", "DESCRIPCION", "PERIODO", "DESCRIPCION"},
    {"TA_USUARIOS", "NOMBRE", "NOMBRE", ""},
};

// The parameter views whose key is "ID" and their name after "V_TA_" (or "TA_"), less a final S.
std::optional<Columnas> PorParametro(const QString& tabla) {
    if (EsUno(tabla,
              {"V_TA_Cajas", "V_TA_Bancos", "V_TA_MotivoVta", "V_TA_MotivoCpra", "V_TA_Deposito",
               "V_TA_Tecnicos", "V_TA_Tareas", "V_TA_Unidad", "V_TA_TipoArticulo", "V_TA_Rubros",
               "V_TA_MotivoStock", "V_TA_CPRA_VTA", "V_TA_CATEGORIA", "V_TA_DESTINO", "V_TA_ORIGEN"})) {
        QString codigo = SinS(IdResto(tabla, QStringLiteral("V_TA_")));
        if (Es(tabla, "V_TA_CPRA_VTA"))
            codigo = QStringLiteral("IDCOND_CPRA_VTA");
        else if (Es(tabla, "V_TA_TipoArticulo"))
            codigo = QStringLiteral("IDTIPO");
        else if (Es(tabla, "V_TA_Cajas"))
            codigo = QStringLiteral("IDCajas");
        return Columnas{Es(tabla, "V_TA_Tecnicos") ? QStringLiteral("NOMBRE") : QStringLiteral("DESCRIPCION"),
                        codigo,
                        {}};
    }
    if (EsUno(tabla, {"TA_Categoria", "TA_Deposito", "TA_MotivoStock", "TA_TipoArticulo", "TA_Rubros",
                      "TA_CPRA_VTA"})) {
        QString codigo = SinS(IdResto(tabla, QStringLiteral("TA_")));
        if (Es(tabla, "TA_CPRA_VTA"))
            codigo = QStringLiteral("IDCOND_CPRA_VTA");
        else if (Es(tabla, "TA_TipoArticulo"))
            codigo = QStringLiteral("IDTIPO");
        return Columnas{"DESCRIPCION", codigo, {}};
    }
    return std::nullopt;
}

// The personnel tables: "ID" and the name from its sixth character.
std::optional<Columnas> PorPersonal(const QString& tabla) {
    if (EsUno(tabla, {"P_TA_NIVELESTUDIO", "P_TA_CONOCIMIENTOS", "P_TA_Categorizacion", "P_TA_CentroMedico",
                      "P_TA_FormasDePago", "P_MA_Empresas", "P_TA_ZONARESIDENCIA", "P_TA_ObraSocial",
                      "P_TA_MotivoEgreso", "P_TA_Grupos", "P_TA_EstadoBusqueda", "P_TA_Areas", "P_TA_IDIOMAS",
                      "P_TA_TITULOs", "P_TA_ESTADOPOSTULANTE", "P_TA_Parentesco", "P_TA_EstadoCivil"})) {
        const QString codigo = QStringLiteral("ID") + tabla.mid(5);
        return Columnas{Es(tabla, "P_MA_Empresas") ? QStringLiteral("NombreEmpresa")
                                                   : QStringLiteral("Descripcion"),
                        Es(tabla, "P_TA_Areas") ? codigo : SinS(codigo),
                        {}};
    }
    if (Es(tabla, "P_TA_Funciones"))
        return Columnas{"DESCRIPCION", QStringLiteral("ID") + tabla.mid(5), {}};
    return std::nullopt;
}

// The rules by the name's first characters.
std::optional<Columnas> PorPrefijo(const QString& tabla) {
    const QString tres = tabla.left(3).toUpper();
    const QString seis = tabla.left(6).toUpper();
    if (tres == QLatin1String("TA_"))
        return Columnas{"DESCRIPCION", "CODIGO", "DESCRIPCION"};
    if (tres == QLatin1String("MA_")) {
        if (EsUno(seis, {"MA_PRO", "MA_VEN", "MA_TRA", "MA_CON", "MA_AGE"}))
            return Columnas{"Razon_Social", "Codigo", "Razon_Social"};
        if (seis == QLatin1String("MA_CLI"))
            return Columnas{"Razon_Social", "Codigo", "Codigo_sucursal"};
        return Columnas{"Descripcion", "Codigo", "Descripcion"};
    }
    if (tres == QLatin1String("[MA") && seis == QLatin1String("[MA_CA"))
        return Columnas{"nombre", "Codigo", "nombre"};
    if (tres == QLatin1String("MV_") && seis == QLatin1String("MV_PRO"))
        return Columnas{"ASUNTO", "ID", "ASUNTO"};
    return std::nullopt;
}

// The suite's name rules, in their order; the first that knows the name wins.
std::optional<Columnas> PorNombre(QString& tabla) {
    if (EsUno(tabla, {"TA_COMPROBANTES", "V_TA_Cpte"})) {
        tabla = QStringLiteral("VT_TA_Cpte");
        return Columnas{"Descripcion", "Codigo", {}};
    }
    for (const Fija& f : kFijas)
        if (Es(tabla, f.tabla))
            return Columnas{QString::fromLatin1(f.descripcion), QString::fromLatin1(f.codigo),
                            QString::fromLatin1(f.auxiliar)};
    if (Es(tabla, "V_MA_ARTICULOS"))
        return Columnas{"DESCRIPCION", SinS(IdResto(tabla, QStringLiteral("V_MA_"))), "DESCRIPCION"};
    if (Es(tabla, "MA_ARTICULOS"))
        return Columnas{"DESCRIPCION", SinS(IdResto(tabla, QStringLiteral("MA_"))), "DESCRIPCION"};
    if (auto c = PorParametro(tabla))
        return c;
    if (auto c = PorPersonal(tabla))
        return c;
    return PorPrefijo(tabla);
}

// The sibling programs that show the plain statement even when the definitions exist.
bool ProgramaSinDefiniciones() {
    const QString nombre = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    for (const char* p : {"cvconsultas", "cvinformes", "cvtablero"})
        if (Es(nombre, p))
            return true;
    return false;
}

bool ExistenDefiniciones() {
    return EsArchivoRegular(CarpetaConsultas() + QStringLiteral("consultas.cvn"));
}

} // namespace

void ResuelveColumnasTabla(QString& Tabla, QString& CampoDescripcion, QString& CampoCodigo,
                           QString& CampoAuxiliar) {
    if (const std::optional<Columnas> c = PorNombre(Tabla)) {
        CampoDescripcion = c->descripcion;
        CampoCodigo = c->codigo;
        CampoAuxiliar = c->auxiliar;
    }
}

QString SentenciaConsultaTabla(const QString& Tabla, const QString& CampoDescripcion,
                               const QString& CampoCodigo, const QString& Condicion) {
    return QStringLiteral("select ") + CampoDescripcion + u',' + CampoCodigo + QStringLiteral(" from ") +
           Tabla + u' ' + Condicion;
}

void ConsultaTabla(QString& Tabla, QString& CampoDescripcion, QString& CampoCodigo, QString& CampoAuxiliar,
                   bool Mostrar, const QString& Condicion) {
    ResuelveColumnasTabla(Tabla, CampoDescripcion, CampoCodigo, CampoAuxiliar);
    VentanaConsulta& v = VC();
    if (ExistenDefiniciones() && !ProgramaSinDefiniciones()) {
        if (Es(Tabla, "VT_CLIENTES") || Es(Tabla, "VT_PROVEEDORES"))
            CampoCodigo = QStringLiteral("CODIGO");
        v.setCampoClave(CampoCodigo);
        QString sql = SentenciaConsultaTabla(Tabla, CampoDescripcion, CampoCodigo, Condicion);
        QString t1;
        QString t2;
        QString t3;
        QString condicion = Condicion;
        qint16 opcion = 0;
        v.MuestraConsulta(Tabla, nullptr, t1, t2, condicion, sql, opcion, t3);
    } else if (Mostrar) {
        if (CampoDescripcion.trimmed().isEmpty())
            CampoDescripcion = QStringLiteral(" * ");
        v.setCampoClave(CampoCodigo);
        v.MuestraConsulta(SentenciaConsultaTabla(Tabla, CampoDescripcion, CampoCodigo, Condicion));
    } else {
        return;
    }
    const QString elegido = UT().ValorATexto(v.ValorElegido());
    CampoCodigo = elegido.isEmpty() ? QString() : elegido;
}

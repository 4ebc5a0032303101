// The shared pop-up menus: the table of every menu and entry, the tree built from it and the
// click of an entry.

#include "FrmMenus.h"

#include "ErrorSistema.h"
#include "Globales.h"
#include "Interaccion.h"

#include <QHash>
#include <algorithm>
#include <memory>

namespace {

// What choosing an entry stores in PRespuesta.
enum class Clic {
    Nada,          // nothing (no click behaviour)
    Palabra,       // its fixed word ("" stores the empty text)
    MarcaYPalabra, // sets its own check mark, then stores its word
    Tag,           // an element of a menu array: its Tag
    Caption,       // an element of a menu array: its Caption, trimmed
};

// One row per menu, submenu, entry or separator, in the form's order. `nivel` 0 is a
// top-level menu, 1 its entries, 2 the entries of a submenu (the row above of level 1).
struct Fila {
    static constexpr int Marcado = 1; // starts with a check mark
    static constexpr int Arreglo = 2; // element 0 of a menu array
    static constexpr int Oculto = 4;  // starts hidden
    int nivel;
    const char* control; // "" for a separator
    const char* caption;
    Clic clic;
    const char* palabra;
    int marcas;
};

// clang-format off
constexpr Fila kTabla[] = {
    {0, "mnu_Emergente", "Emergente", Clic::Nada, "", 0},
    {1, "MNU_Emergente_Eliminar", "Eliminar", Clic::Palabra, "Eliminar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_Emergente_Ejecutar", "Ejecutar", Clic::Palabra, "Ejecutar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_Emergente_Cancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EmergenteII", "EmergenteII", Clic::Nada, "", 0},
    {1, "MNU_EmergenteII_Consultar", "Consultar - Visualizar", Clic::Palabra, "Consultar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteII_Reimprimir", "Reimprimir", Clic::Palabra, "Reimprimir", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteII_Cancelar", "Cancelar", Clic::Nada, "", 0},
    {0, "MNU_EmergenteIII", "EmergenteIII", Clic::Nada, "", 0},
    {1, "MNU_EmergenteIII_Tecnicos", "(Tecnico)", Clic::Caption, "", Fila::Arreglo},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteIII_Cancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EmergenteIV", "EmergenteIV", Clic::Nada, "", 0},
    {1, "MNU_EmergenteIV_Editar", "&Editar Solicitud", Clic::Palabra, "EditarSolicitud", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteIV_Cancelar", "&Cancelar", Clic::Nada, "", 0},
    {0, "MNU_EmergenteV", "EmergenteV", Clic::Nada, "", 0},
    {1, "Mnu_EmergenteV_Citar", "&Citar", Clic::Palabra, "Citar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "Mnu_EmergenteV_SeleccionarTodo", "&Seleccionar Todo", Clic::Palabra, "seleccionar_todas", 0},
    {1, "Mnu_EmergenteV_QuitarTodo", "&Quitar Todo", Clic::Palabra, "deseleccionar_todas", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "Mnu_EmergenteV_EditarPostulante", "&Editar Ficha del Postulante", Clic::Palabra, "Editar_Postulante", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "Mnu_EmergenteV_EliminarBusqueda", "Eliminar Resultado Busqueda", Clic::Palabra, "EliminarResultadoBusqueda", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "Mnu_EmergenteV_Cancelar", "&Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EmergenteVI", "EmergenteVI", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVIAprobar", "Aprobar", Clic::MarcaYPalabra, "Aprobar", Fila::Marcado},
    {1, "MNU_CitarEvaluar", "Citar para &Evaluación", Clic::Palabra, "CitarEvaluar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVIAnulBActual", "Anular para la Búsqueda Actual", Clic::Palabra, "AnularActual", 0},
    {1, "MNU_EmergenteVIAnulTodaslasB", "Anular para Todas las Búsquedas", Clic::Palabra, "AnularTodas", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVIEditaPostulante", "Editar la Ficha del Postulante", Clic::Palabra, "EditaFichaPostulante", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVICAncelar", "Cancelar", Clic::Nada, "", 0},
    {0, "MNU_EmergenteVII", "EmergenteVII", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVII_Presentar", "Presentar al Cliente", Clic::Palabra, "PresentarAlCliente", 0},
    {1, "MNU_EmergenteVII_Contratar", "Contratar", Clic::MarcaYPalabra, "Contratar", Fila::Marcado},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVIIDescartarEsta", "Descartar para esta Búsqueda", Clic::Palabra, "AnularActual", 0},
    {1, "MNU_EmergenteVIIDescartarTodas", "Descartar para Todas las Búsquedas", Clic::Palabra, "AnularTodas", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVIIVerEntrevistas", "Ver Entrevistas", Clic::Palabra, "VerEntrevistas", 0},
    {1, "MNU_EmergenteVIIVerEvaluaciones", "Ver Evaluaciones", Clic::Palabra, "VerEvaluaciones", 0},
    {1, "MNU_VerEntrevistasEvaluaciones", "Ver Entrevistas y Evaluaciones", Clic::Palabra, "VerEntrevistasEvaluaciones", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVCancelar", "Cancelar", Clic::Nada, "", 0},
    {0, "MNU_EmergenteVIII", "EmergenteVIII", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVIIIBuscar", "Buscar el Archivo", Clic::Palabra, "Buscar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVIIIAbrirArchivo", "Abrir el Archivo", Clic::Palabra, "Abrir", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteVIIICancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EmergenteIX", "EmergenteIX", Clic::Nada, "", 0},
    {1, "MNU_EmergenteIX_EliminarEntrevista", "Eliminar Entrevista", Clic::Palabra, "EliminarEntrevista", 0},
    {1, "MNU_EmergenteIX_EliminarEvaluacion", "Eliminar Evaluación", Clic::Palabra, "EliminarEvaluacion", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteIX_Cancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "mnu_EmergenteX", "EmergenteX", Clic::Nada, "", 0},
    {1, "MNU_EmergenteX_Eliminar", "Eliminar", Clic::Palabra, "Eliminar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteX_Cancelar", "Cancelar", Clic::Nada, "", 0},
    {0, "MNU_EmergenteXI", "EmergenteXI", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXIEliminarMenu", "Eliminar Menu", Clic::Nada, "", 0},
    {2, "MNU_EmergenteXIMenu", "(Menu)", Clic::Tag, "", Fila::Arreglo},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXI_EliminarTodos", "Eliminar todos los menús", Clic::Palabra, "EliminarTodos", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXICancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EmergenteXII", "EmergenteXII", Clic::Nada, "", 0},
    {1, "EmergenteXII_EditarOrden", "Editar Orden", Clic::Palabra, "EditarOrden", 0},
    {1, "EmergenteXII_FinalizarOrden", "Finalizar Orden", Clic::Palabra, "FinalizarOrden", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "EmergenteXII_NuevaOrden", "Nueva Orden", Clic::Palabra, "NuevaOrden", 0},
    {1, "EmergenteXII_CargarTareaDiaria", "Cargar Tarea", Clic::Palabra, "CargarTareasDiarias", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "EmergenteXII_CambiarFechas", "Cambiar Fechas  Cronograma", Clic::Palabra, "CambiarFechas", 0},
    {1, "EmergenteXII_CambiarCronograma", "Cambiar Cronograma ", Clic::Palabra, "CambiarCronograma", 0},
    {1, "EmergenteXII_CambiarOrigen", "Cambiar Comprobante Origen", Clic::Palabra, "CambiarOrigen", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "EmergenteXII_CambiarEstado", "Cambiar Estado", Clic::Palabra, "CambiarEstado", 0},
    {1, "EmergenteXII_HistorialEstados", "Ver Historial Estados", Clic::Palabra, "HistorialEstados", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "EmergenteXII_Eliminar", "Eliminar Ordenes Seleccionadas ", Clic::Palabra, "EliminarOrdenes", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "EmergenteXII_SeleccionarTodas", "Seleccionar Todas", Clic::Palabra, "SeleccionarTodas", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "EmergenteXII_Cancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EmergenteXIII", "EmergenteXIII", Clic::Nada, "", 0},
    {1, "Mnu_Campos", "Campos", Clic::Nada, "", 0},
    {2, "Mnu_Campo", "...", Clic::Tag, "", Fila::Arreglo},
    {1, "MNU_Operadores", "Operadores", Clic::Nada, "", 0},
    {2, "MNU_Operador", "...", Clic::Tag, "", Fila::Arreglo},
    {1, "MNU_OperadoresLogicos", "Operadores Lógicos", Clic::Nada, "", 0},
    {2, "MNU_OperadorLogico", "...", Clic::Tag, "", Fila::Arreglo},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXIII_Cancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EmergenteXIV", "EmergenteXIV", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXIV_Agenda", "Abrir Agenda", Clic::Palabra, "Agenda", 0},
    {1, "MNU_EmergenteXIV_Sistema", "Información del Sistema", Clic::Palabra, "Sistema", 0},
    {1, "MNU_EmergenteXIV_Red", "Nuevo PDV", Clic::Palabra, "Red", 0},
    {1, "MNU_EmergenteXIV_CorvaneUpdate", "Corvane Update", Clic::Palabra, "CorvaneUpdate", 0},
    {1, "MNU_EmergenteXIV_Apagar", "Apagar el Monitor", Clic::Palabra, "Apagar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXIV_Cancelar", "Cancelar", Clic::Nada, "", 0},
    {0, "MNU_EmergenteXV", "EmergenteXV", Clic::Nada, "", 0},
    {1, "Vistas", "Vistas", Clic::Nada, "", 0},
    {2, "MNU_View_Icono", "Icono", Clic::Palabra, "Iconos", 0},
    {2, "MNU_View_Icono_Pequeno", "Iconos Pequeños", Clic::Palabra, "IconosPequeños", 0},
    {2, "MNU_View_Lista", "Lista", Clic::Palabra, "Lista", 0},
    {2, "MNU_View_Reporte", "Reporte", Clic::Palabra, "Reporte", 0},
    {0, "MNU_Emergente_XVI", "Emergente_XVI", Clic::Nada, "", 0},
    {1, "MNU_InsertaVentanaPersonalizada", "Insertar Nueva Ventana Personalizada", Clic::Palabra, "Insertar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EliminaVentanaPersonalizada", "Eliminar Ventana Personalizada", Clic::Nada, "", 0},
    {2, "MNU_VentanaPersonalizada", "(Vacio...)", Clic::Tag, "", Fila::Arreglo},
    {1, "MNU_EmergenteXVI_Cancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_Emergente_XV", "Emergente_XV", Clic::Nada, "", 0},
    {1, "MNU_Emergente_XV_VerDetalle", "Ver Detalle", Clic::Palabra, "VerDetalle", 0},
    {1, "", "-", Clic::Nada, "", Fila::Oculto},
    {1, "MNU_Emergente_XV_VerAsiento", "Ver Asiento", Clic::Palabra, "VerAsiento", Fila::Oculto},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_Emergente_XV_Cancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EmergenteXViIIi", "EmergenteXVIII", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXViII_LetraDefault", "Establecer como Predeterminada", Clic::Palabra, "EstablecerDefault", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "EmergenteXVIiI_Cancelar", "Cancelar", Clic::Nada, "", 0},
    {0, "MNU_EmergenteXXV", "EmergenteXXV", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXV_Depositar", "Depositar Cheques", Clic::Palabra, "Depositar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXV_Cancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EmergenteXXVI", "EmergenteXXVI", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXVI_Editar", "Editar", Clic::Palabra, "Editar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXVI_Cancelar", "Cancelar", Clic::Palabra, "Cancelar", 0},
    {0, "MNU_EmergenteXXVIII", "EmergenteXXVIII", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXVIICambiaImporte", "Aplicar", Clic::Palabra, "CambiarImporte", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXVIICancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EmergenteXXIX", "EmergenteXXIX", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXIXReimprimir", "Reimprimir", Clic::Palabra, "Reimprimir", 0},
    {1, "MNU_EmergenteXXIXEditarParte", "Ver Parte de Consumo", Clic::Palabra, "EditarParte", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXIXCancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "mnu_EmergenteXXXI", "EmergenteXXXI", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXXIAsiento", "&Ver Asiento", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXXIRechazar", "&Rechazar", Clic::Nada, "", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXXICancelar", "&Cancelar", Clic::Nada, "", 0},
    {0, "mnu_EmergenteXXX", "EmergenteXXX", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXX_NoInformado", "Cambiar Importe", Clic::Palabra, "cambiar", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EmergenteXXX_Cancelar", "Cancelar", Clic::Nada, "", 0},
    {0, "mnu_emergenteXXXII", "EmergenteXXXII", Clic::Nada, "", 0},
    {1, "mnu_emergenteXXXII_Finalizar", "&Finalizar Nota de Pedido", Clic::Palabra, "NP_Finalizar", 0},
    {1, "mnu_emergenteXXXII_Nueva", "&Nueva Nota de Pedido", Clic::Palabra, "NP_Nueva", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "mnu_emergenteXXXII_Cancelar", "&Cancelar", Clic::Palabra, "NP_Cancelar", 0},
    {0, "mnu_emergenteXXXIII", "EmergenteXXXIII", Clic::Nada, "", 0},
    {1, "mnu_emergenteXXXIII_Finalizar", "&Finalizar Tarea (Completada)", Clic::Palabra, "FinalizarTarea", 0},
    {1, "mnu_emergenteXXXIII_Insertar", "&Insertar Tarea", Clic::Palabra, "Insertar", 0},
    {1, "mnu_emergenteXXXIII_Editar", "&Editar Tarea Original", Clic::Palabra, "Editar", 0},
    {1, "mnu_emergenteXXXIII_Usuario", "Cambiar &Técnico", Clic::Palabra, "CambiaTecnico", 0},
    {1, "mnu_emergenteXXXIII_Imprimir", "&Imprimir Tarea", Clic::Palabra, "Imprimir", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "Mnu_emergenteXXXIII_Cargar", "Cargar &Tarea", Clic::Palabra, "CargarTareasDiarias", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "mnu_emergenteXXXIII_CambiarEstado", " Cambiar Estado", Clic::Palabra, "CambiarEstado", 0},
    {1, "mnu_emergenteXXXIII_VerHistorial", "Ver Historial", Clic::Palabra, "HistorialEstados", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "mnu_emergenteXXXIII_Cancelar", "&Cancelar", Clic::Nada, "", 0},
    {0, "mnu_EmergenteXXXIV", "EmergenteXXXIV", Clic::Nada, "", 0},
    {1, "mnu_EmergenteXXXIV_ArtSustituto", "&Cargar Artículo Sustituto", Clic::Palabra, "ArtSustituto", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "mnu_EmergenteXXXIV_Cancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "mnu_EmergenteXXXIIV", "EmergenteXXXIIV", Clic::Nada, "", 0},
    {1, "mnu_EmergenteXXXIIV_Nuevo", "&Nueva Novedad", Clic::Palabra, "Nuevo", 0},
    {1, "mnu_EmergenteXXXIIV_Edit", "&Editar Novedad", Clic::Palabra, "Edit", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "mnu_EmergenteXXXIIV_ConvertirTarea", "&Convertir en Tarea", Clic::Palabra, "ConvertirTarea", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "mnu_EmergenteXXXIIV_Cancelar", "&Cancelar", Clic::Palabra, "", 0},
    {0, "mnu_EmergenteZ1", "EmergenteZ1", Clic::Nada, "", 0},
    {1, "mnu_EmergenteZ1_MarcarSel", "&Marcar los registros seleccionados", Clic::Palabra, "MarCarSel", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "mnu_EmergenteZ1_QuitarSel", "&Quitar de la conciliacion los registros seleccionados", Clic::Palabra, "QuitarSel", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "mnu_EmergenteZ1_VerAsiento", "&Ver detalle del Comprobante", Clic::Palabra, "VerComprobante", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "mnu_EmergenteZ1_Cancelar", "&Cancelar", Clic::Palabra, "Cancelar", 0},
    {0, "mnuPelmarI", "EmergentePelmarI", Clic::Nada, "", 0},
    {1, "mnu_PelmarCopiarA", "Copiar Recibo a ...", Clic::Palabra, "CopiarA", 0},
    {1, "mnu_PelmarICancelar", "Cancelar", Clic::Palabra, "Cancelar", 0},
    {0, "mnuEmergenteConcBancarias", "EmergenteConcBancarias", Clic::Nada, "", 0},
    {1, "mnuConcCargarAsiento", "&Cargar Asiento", Clic::Palabra, "Cargar", 0},
    {1, "mnuConcVerAsiento", "&Ver Asiento", Clic::Palabra, "VerAsiento", 0},
    {1, "mnuConcExportar", "&Exportar Grilla", Clic::Palabra, "Exportar", 0},
    {1, "mnuConcEliminar", "Eliminar de Conciliación", Clic::Palabra, "Eliminar", 0},
    {1, "mnu_ConcCancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "mnuTavolmi", "EmergenteTavolmi", Clic::Nada, "", 0},
    {1, "mnu_ImprimirComanda", "Imprimir Comanda", Clic::Palabra, "ImprimirComanda", 0},
    {1, "mnuCerrarMesa", "Cerrar Mesa", Clic::Palabra, "Cerrar", 0},
    {1, "mnu_CobrarMesa", "Cobrar Mesa", Clic::Palabra, "Cobrar", 0},
    {1, "mnu_Reservar", "Reservar Mesa", Clic::Palabra, "Reservar", 0},
    {1, "mnu_CancelarReservar", "Cancelar Reserva", Clic::Palabra, "CancelarReserva", 0},
    {1, "mnu_UnificarMesa", "Unificar Mesa", Clic::Palabra, "Unificar", 0},
    {1, "mnu_CambiarMesa", "Cambiar Mesa", Clic::Palabra, "CambiarMesa", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "mnuCancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "mnu_Reparto", "EmergenteReparto", Clic::Nada, "", 0},
    {1, "mnu_RepartoModificarNP", "Modificar Pedido", Clic::Palabra, "Modificar", 0},
    {1, "mnu_RepartoAnularNP", "Anular Comprobante", Clic::Palabra, "Anular", 0},
    {1, "mnu_RepartoGenerarRM", "Generar Remito", Clic::Palabra, "GenerarRM", 0},
    {1, "mnu_RepartoCancelar", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_CRM", "MNU_CRM", Clic::Nada, "", 0},
    {1, "MNU_CRM_Reimpresion", "Reimprimir Comprobante por Pantalla", Clic::Palabra, "Reimpresion", 0},
    {1, "MNU_CRM_Cancelar_Click", "Cancelar", Clic::Palabra, "", 0},
    {0, "MENU_EMERGENTE_CONSULTA_SALDOS", "EMERGENTE_CONSULTA_SALDOS", Clic::Nada, "", 0},
    {1, "MENU_EMERGENTE_CONSULTA_SALDOS_DETALLE_CPTES", "Detalle de Comprobantes Pendientes", Clic::Palabra, "ACCESO_A_COMPROBANTES", 0},
    {1, "MENU_EMERGENTE_CONSULTA_CTACTE", "Reporte Cuenta Corriente", Clic::Palabra, "MENU_EMERGENTE_CONSULTA_CTACTE", 0},
    {1, "MENU_EMERGENTE_CONSULTA_CTACTERES", "Reporte Cuenta Corriente Resumido", Clic::Palabra, "MENU_EMERGENTE_CONSULTA_CTACTERES", 0},
    {1, "MENU_EMERGENTE_CONSULTA_CH_CARTERA", "Consulta Cheques en Cartera", Clic::Palabra, "ACCESO_A_CHEQUES_EN_CARTERA", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MENU_EMERGENTE_CONSULTA_SALDOS_COBRANAS", "Ingresar Cobranzas", Clic::Palabra, "ACCESO_A_PAGOS_COBRANZAS", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MENU_EMERGENTE_CONSULTA_SALDOS_INGRESO_A_CUENTA", "Ingreso a Cuenta", Clic::Palabra, "ACCESO_A_CUENTA", 0},
    {1, "MENU_EMERGENTE_CONSULTA_SALDOS_CRM", "Ingreso a CRM del Cliente", Clic::Palabra, "ACCESO_A_CRM", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MENU_EMERGENTE_CONSULTA_SALDOS_EMAIL", "Enviar e-Mail", Clic::Palabra, "MENU_EMERGENTE_CONSULTA_SALDOS_EMAIL", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MENU_EMERGENTE_CONSULTA_SALDOS_CANCELAR", "Cancelar", Clic::Palabra, "", 0},
    {0, "MNU_EMERGENTE_COBRANZAS_GLOBALES", "EMERGENTE_COBRANZAS_GLOBALES", Clic::Nada, "", 0},
    {1, "MNU_EMERGENTE_COBRANZAS_GLOBALES_AGREGAR_CUOTAS", "Incrementar Cuotas", Clic::Palabra, "INCREMENTAR_CUOTAS", 0},
    {1, "MNU_EMERGENTE_COBRANZAS_GLOBALES_ANULAR", "Anular Comprobante", Clic::Palabra, "CobGlobales_Anular", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EMERGENTE_COBRANZAS_GLOBALES_COBRANZAS_ANTERIORES", "Aplicar Cobranzas Anteriores / Pagos Parciales (CB)", Clic::Palabra, "CobGlobales_AplicaAnteriores", 0},
    {1, "MNU_EMERGENTE_COBRANZAS_GLOBALES_COBRANZAS_ANTERIORES_CBFP", "Aplicar Cobranzas Anteriores / Pagos Parciales (CBFP)", Clic::Palabra, "CobGlobales_AplicaAnterioresCBFP", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_EMERGENTE_COBRANZAS_GLOBALES_CONSULTA_CLIENTE", "Consulta Cliente", Clic::Palabra, "CobGlobales_ConsultaCliente", 0},
    {1, "", "-", Clic::Nada, "", 0},
    {1, "MNU_ConsultaPlanDePagos", "Consulta Plan De Pagos", Clic::Palabra, "CONSULTA_PLAN_DE_PAGOS", 0},
    {1, "MNU_CobranzasGlobalesConsultaCancelacionCuotas", "Consulta Cancelación ", Clic::Palabra, "CONSULTA_CANCELACION", 0},
    {1, "MNU_EMERGENTE_COBRANZAS_GLOBALES_Cancelar", "Cancelar", Clic::Nada, "", 0},
    {0, "MNU_EMERGENTE_COMANDA_RESERVAS", "EMERGENTE_COMANDA_RESERVAS", Clic::Nada, "", 0},
    {1, "Mnu_Confirmada", "Confirmada", Clic::Palabra, "Confirmada", 0},
    {1, "Mnu_Cancelada", "Cancelada", Clic::Palabra, "Cancelada", 0},
    {1, "Mnu_AsignarMesa", "Asginar Mesa", Clic::Palabra, "AsignarMesa", 0},
};
// clang-format on

// The entries of these menus hide the form after their click.
constexpr const char* kMenusQueOcultan[] = {"mnu_Emergente", "MNU_EmergenteII", "MNU_EmergenteIII"};

struct Comportamiento {
    Clic clic = Clic::Nada;
    QString palabra;
    bool oculta = false;
};

// The click of every named entry, by control name in lower case.
const QHash<QString, Comportamiento>& Comportamientos() {
    static const QHash<QString, Comportamiento> porNombre = [] {
        QHash<QString, Comportamiento> h;
        bool oculta = false;
        for (const Fila& f : kTabla) {
            const QString nombre = QString::fromUtf8(f.control);
            if (f.nivel == 0) {
                oculta = false;
                for (const char* m : kMenusQueOcultan)
                    oculta = oculta || nombre == QLatin1String(m);
            }
            if (!nombre.isEmpty())
                h.insert(nombre.toLower(), {f.clic, QString::fromUtf8(f.palabra), oculta && f.nivel > 0});
        }
        return h;
    }();
    return porNombre;
}

OpcionMenu OpcionDeFila(const Fila& f) {
    OpcionMenu o;
    o.Name = QString::fromUtf8(f.control);
    o.Caption = QString::fromUtf8(f.caption);
    o.Index = (f.marcas & Fila::Arreglo) != 0 ? 0 : -1;
    o.Checked = (f.marcas & Fila::Marcado) != 0;
    o.Visible = (f.marcas & Fila::Oculto) == 0;
    return o;
}

OpcionMenu* BuscaEn(std::vector<OpcionMenu>& opciones, const QString& nombre, int indice) {
    for (OpcionMenu& o : opciones) {
        if (!o.Name.isEmpty() && o.Name.compare(nombre, Qt::CaseInsensitive) == 0 &&
            (indice < 0 || o.Index == indice))
            return &o;
        if (OpcionMenu* r = BuscaEn(o.SubMenus, nombre, indice))
            return r;
    }
    return nullptr;
}

// The list that holds the entry of that name (its parent's entries), nullptr when none.
std::vector<OpcionMenu>* Hermanos(std::vector<OpcionMenu>& opciones, const QString& nombre) {
    for (OpcionMenu& o : opciones) {
        if (o.Name.compare(nombre, Qt::CaseInsensitive) == 0 && o.Index >= 0)
            return &opciones;
        if (std::vector<OpcionMenu>* r = Hermanos(o.SubMenus, nombre))
            return r;
    }
    return nullptr;
}

[[noreturn]] void ControlDesconocido(const QString& nombre) {
    throw ErrorSistema(340, QStringLiteral("El menú no tiene el elemento %1").arg(nombre),
                       QStringLiteral("FrmMenus"));
}

} // namespace

FrmMenus::FrmMenus() {
    for (const Fila& f : kTabla) {
        if (f.nivel == 0) {
            menus_.push_back(OpcionDeFila(f));
        } else if (f.nivel == 1) {
            menus_.back().SubMenus.push_back(OpcionDeFila(f));
        } else {
            menus_.back().SubMenus.back().SubMenus.push_back(OpcionDeFila(f));
        }
    }
}

void FrmMenus::Salir() {
    Visible = false;
}

OpcionMenu* FrmMenus::Control(const QString& nombre, int indice) {
    return BuscaEn(menus_, nombre, indice);
}

OpcionMenu& FrmMenus::AgregaElemento(const QString& arreglo, int indice) {
    std::vector<OpcionMenu>* hermanos = Hermanos(menus_, arreglo);
    if (!hermanos || indice < 0 || Control(arreglo, indice))
        throw ErrorSistema(360,
                           QStringLiteral("El elemento %1(%2) ya existe o no es de un arreglo de menús")
                               .arg(arreglo)
                               .arg(indice),
                           QStringLiteral("FrmMenus"));
    auto ultimo = hermanos->begin();
    for (auto it = hermanos->begin(); it != hermanos->end(); ++it)
        if (it->Name.compare(arreglo, Qt::CaseInsensitive) == 0)
            ultimo = it;
    OpcionMenu nuevo = *ultimo;
    nuevo.Index = indice;
    nuevo.Checked = false;
    nuevo.Visible = true;
    nuevo.Enabled = true;
    const auto cero = std::find_if(hermanos->begin(), hermanos->end(), [&](const OpcionMenu& o) {
        return o.Name.compare(arreglo, Qt::CaseInsensitive) == 0 && o.Index == 0;
    });
    nuevo.Caption = cero->Caption;
    nuevo.Tag = cero->Tag;
    return *hermanos->insert(ultimo + 1, std::move(nuevo));
}

void FrmMenus::Click(const OpcionMenu& opcion) {
    if (opcion.EsSeparador() || opcion.EsSubmenu() || opcion.Name.isEmpty())
        return;
    const auto it = Comportamientos().constFind(opcion.Name.toLower());
    if (it == Comportamientos().constEnd())
        return;
    switch (it->clic) {
    case Clic::Nada:
        break;
    case Clic::MarcaYPalabra:
        if (OpcionMenu* propia = Control(opcion.Name, opcion.Index))
            propia->Checked = true;
        PRespuesta = it->palabra;
        break;
    case Clic::Palabra:
        PRespuesta = it->palabra;
        break;
    case Clic::Tag:
        PRespuesta = opcion.Tag;
        break;
    case Clic::Caption:
        PRespuesta = opcion.Caption.trimmed();
        break;
    }
    if (it->oculta)
        Salir();
}

void FrmMenus::Click(const QString& nombre, int indice) {
    const OpcionMenu* opcion = Control(nombre, indice);
    if (!opcion)
        ControlDesconocido(nombre);
    Click(*opcion);
}

bool FrmMenus::PopupMenu(const QString& menu) {
    const auto es = std::find_if(menus_.begin(), menus_.end(), [&](const OpcionMenu& m) {
        return m.Name.compare(menu, Qt::CaseInsensitive) == 0;
    });
    if (es == menus_.end())
        ControlDesconocido(menu);
    const OpcionMenu* elegida = interaccion().PopupMenu(*es);
    if (!elegida)
        return false;
    Click(*elegida);
    return true;
}

namespace {
std::unique_ptr<FrmMenus>& Instancia() {
    static std::unique_ptr<FrmMenus> instancia;
    return instancia;
}
[[maybe_unused]] const bool registrado = RegistraReinicioSesion([] { Instancia().reset(); });
} // namespace

FrmMenus& Menus() {
    if (!Instancia())
        Instancia() = std::make_unique<FrmMenus>();
    return *Instancia();
}

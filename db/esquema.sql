-- Schema of the embedded database (SQLite).
--
-- Every text column is declared COLLATE TEXTO: the collation registered on each connection
-- compares as the suite's server does (case ignored, Spanish letters included; trailing
-- blanks ignored; leading blanks count). A text longer than its column's declared width is
-- refused as the server refuses it, by checks the data layer adds on each connection. Codes
-- are stored filled to their width: up to 4 characters right-aligned with leading blanks
-- ('   1'); 15 and 25 characters right-aligned when made of digits only, left-aligned
-- otherwise. Dates are ISO text 'yyyy-mm-dd hh:mm:ss'.
--
-- Objects the suite reaches through views but that the programs write (or that carry
-- the @ADMIN_ prefix, which the data layer drops) are plain tables here.
-- One statement per ';' at the end of a line.

------------------------------------------------------------------------------------------
-- Session, configuration, access and errors
------------------------------------------------------------------------------------------

CREATE TABLE TA_CONFIGURACION (
    Grupo           VARCHAR(50) COLLATE TEXTO,
    Clave           VARCHAR(100) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Valor           TEXT COLLATE TEXTO,
    PoliticaNegocio INTEGER DEFAULT 0,
    ValorAux        TEXT COLLATE TEXTO DEFAULT ''
);

CREATE TABLE TA_USUARIOS (
    Nombre          VARCHAR(50) COLLATE TEXTO NOT NULL PRIMARY KEY,
    NombreCompleto  VARCHAR(100) COLLATE TEXTO,
    UNegocio        VARCHAR(4) COLLATE TEXTO,
    IDDEPOSITO      VARCHAR(4) COLLATE TEXTO,
    verproforma     INTEGER DEFAULT 0,
    sucot           VARCHAR(4) COLLATE TEXTO,
    letot           VARCHAR(1) COLLATE TEXTO
);
-- The user's row as the look-up by a trimmed name finds it.
CREATE INDEX IX_USUARIOS_NOMBRE ON TA_USUARIOS (LTRIM(RTRIM(Nombre)) COLLATE TEXTO);

CREATE TABLE Control_Acceso (
    Id              INTEGER PRIMARY KEY AUTOINCREMENT,
    Maquina         VARCHAR(50) COLLATE TEXTO,
    Usuario         VARCHAR(50) COLLATE TEXTO,
    Formulario      VARCHAR(100) COLLATE TEXTO,
    Tarea           VARCHAR(100) COLLATE TEXTO,
    Ingreso         VARCHAR(19) COLLATE TEXTO,
    Egreso          VARCHAR(19) COLLATE TEXTO,
    NombreUsuario   VARCHAR(50) COLLATE TEXTO
);
-- The session's own row, found again by machine, user, program and entry stamp.
CREATE INDEX IX_CONTROL_ACCESO_SESION ON Control_Acceso (Maquina, Usuario, Formulario, Ingreso);

CREATE TABLE AUX_ERR (
    Id              INTEGER PRIMARY KEY AUTOINCREMENT,
    Proceso         VARCHAR(100) COLLATE TEXTO,
    Fecha           VARCHAR(19) COLLATE TEXTO,
    Error           INTEGER,
    Descripcion     VARCHAR(250) COLLATE TEXTO,
    SQL             TEXT COLLATE TEXTO,
    PC              VARCHAR(50) COLLATE TEXTO,
    Usuario         VARCHAR(50) COLLATE TEXTO
);

-- Menu entries of the suite and the users' rights to them.
CREATE TABLE TA_MENU (
    MENU            VARCHAR(10) COLLATE TEXTO,
    TITULO          VARCHAR(20) COLLATE TEXTO,
    CLAVE           VARCHAR(20) COLLATE TEXTO NOT NULL PRIMARY KEY,
    NOMBRE          VARCHAR(100) COLLATE TEXTO,
    IMAGEN          VARCHAR(50) COLLATE TEXTO,
    PROCESO         TEXT COLLATE TEXTO,
    HABILITADO      INTEGER DEFAULT 1
);
CREATE INDEX IX_TA_MENU_TITULO ON TA_MENU (TITULO, NOMBRE);

CREATE TABLE TA_TAREAS (
    USUARIO         VARCHAR(50) COLLATE TEXTO NOT NULL,
    SISTEMA         VARCHAR(20) COLLATE TEXTO NOT NULL,
    TAREA           VARCHAR(20) COLLATE TEXTO NOT NULL,
    PRIMARY KEY (USUARIO, SISTEMA, TAREA)
);
CREATE INDEX IX_TA_TAREAS_TAREA ON TA_TAREAS (TAREA);

CREATE TABLE V_TA_Cajas (
    IdCajas         VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50) COLLATE TEXTO
);

------------------------------------------------------------------------------------------
-- Voucher templates (written by the editor)
------------------------------------------------------------------------------------------

CREATE TABLE V_CPTES_MODELO_CAB (
    IdVardelio      INTEGER NOT NULL PRIMARY KEY,
    nombre          VARCHAR(50) COLLATE TEXTO,
    DETALLE         VARCHAR(50) COLLATE TEXTO,
    TCDefault       VARCHAR(4) COLLATE TEXTO,
    DepositoOrigen  VARCHAR(4) COLLATE TEXTO,
    DepositoDestino VARCHAR(4) COLLATE TEXTO,
    IdMotivoStock   VARCHAR(4) COLLATE TEXTO,
    AnclarAlMenu    INTEGER DEFAULT 0
);
CREATE INDEX IX_MODELO_CAB_NOMBRE ON V_CPTES_MODELO_CAB (nombre);

-- Linea is given by the database in insertion order; the lines of a template are read
-- through (IdVardelio, Linea), so they come back in the order they were saved.
CREATE TABLE V_CPTES_MODELO_DET (
    Linea           INTEGER PRIMARY KEY,
    IdVardelio      INTEGER NOT NULL
                    REFERENCES V_CPTES_MODELO_CAB (IdVardelio) ON DELETE CASCADE,
    IdArticulo      VARCHAR(25) COLLATE TEXTO,
    Cantidad        REAL,
    IdUnidad        VARCHAR(4) COLLATE TEXTO
);
CREATE UNIQUE INDEX IX_MODELO_DET ON V_CPTES_MODELO_DET (IdVardelio, Linea);

------------------------------------------------------------------------------------------
-- Parameter tables
------------------------------------------------------------------------------------------

-- Voucher types, one row per type and numbering range (TALONARIO). The letter columns
-- <L>_SUC_DEFAULT, <L>_ULTIMO_NRO, <L>_NRO_DESDE, <L>_NRO_HASTA and Vence<L> exist for
-- the letters A, B, C, E, R, X and M.
CREATE TABLE V_TA_CPTE (
    CODIGO          VARCHAR(4) COLLATE TEXTO NOT NULL,
    TALONARIO       INTEGER NOT NULL DEFAULT 1,
    DESCRIPCION     VARCHAR(50) COLLATE TEXTO,
    SISTEMA         VARCHAR(20) COLLATE TEXTO,
    ES              VARCHAR(1) COLLATE TEXTO,
    Signo           INTEGER,
    DebeHaber       VARCHAR(1) COLLATE TEXTO,
    Letras          VARCHAR(10) COLLATE TEXTO,
    UNEGOCIO        VARCHAR(4) COLLATE TEXTO,
    Modificanumeracion VARCHAR(10) COLLATE TEXTO,
    Externo         INTEGER,
    FechaHora_Modificacion VARCHAR(19) COLLATE TEXTO,
    A_SUC_DEFAULT INTEGER, A_ULTIMO_NRO INTEGER, A_NRO_DESDE INTEGER, A_NRO_HASTA INTEGER,
    VenceA VARCHAR(19) COLLATE TEXTO,
    B_SUC_DEFAULT INTEGER, B_ULTIMO_NRO INTEGER, B_NRO_DESDE INTEGER, B_NRO_HASTA INTEGER,
    VenceB VARCHAR(19) COLLATE TEXTO,
    C_SUC_DEFAULT INTEGER, C_ULTIMO_NRO INTEGER, C_NRO_DESDE INTEGER, C_NRO_HASTA INTEGER,
    VenceC VARCHAR(19) COLLATE TEXTO,
    E_SUC_DEFAULT INTEGER, E_ULTIMO_NRO INTEGER, E_NRO_DESDE INTEGER, E_NRO_HASTA INTEGER,
    VenceE VARCHAR(19) COLLATE TEXTO,
    R_SUC_DEFAULT INTEGER, R_ULTIMO_NRO INTEGER, R_NRO_DESDE INTEGER, R_NRO_HASTA INTEGER,
    VenceR VARCHAR(19) COLLATE TEXTO,
    X_SUC_DEFAULT INTEGER, X_ULTIMO_NRO INTEGER, X_NRO_DESDE INTEGER, X_NRO_HASTA INTEGER,
    VenceX VARCHAR(19) COLLATE TEXTO,
    M_SUC_DEFAULT INTEGER, M_ULTIMO_NRO INTEGER, M_NRO_DESDE INTEGER, M_NRO_HASTA INTEGER,
    VenceM VARCHAR(19) COLLATE TEXTO,
    PRIMARY KEY (CODIGO, TALONARIO)
);

-- The voucher-type master used as the numbering fallback; same layout.
CREATE TABLE TA_Comprobantes (
    CODIGO          VARCHAR(4) COLLATE TEXTO NOT NULL,
    TALONARIO       INTEGER NOT NULL DEFAULT 1,
    DESCRIPCION     VARCHAR(50) COLLATE TEXTO,
    SISTEMA         VARCHAR(20) COLLATE TEXTO,
    ES              VARCHAR(1) COLLATE TEXTO,
    Signo           INTEGER,
    DebeHaber       VARCHAR(1) COLLATE TEXTO,
    Letras          VARCHAR(10) COLLATE TEXTO,
    UNEGOCIO        VARCHAR(4) COLLATE TEXTO,
    Modificanumeracion VARCHAR(10) COLLATE TEXTO,
    Externo         INTEGER,
    FechaHora_Modificacion VARCHAR(19) COLLATE TEXTO,
    A_SUC_DEFAULT INTEGER, A_ULTIMO_NRO INTEGER, A_NRO_DESDE INTEGER, A_NRO_HASTA INTEGER,
    VenceA VARCHAR(19) COLLATE TEXTO,
    B_SUC_DEFAULT INTEGER, B_ULTIMO_NRO INTEGER, B_NRO_DESDE INTEGER, B_NRO_HASTA INTEGER,
    VenceB VARCHAR(19) COLLATE TEXTO,
    C_SUC_DEFAULT INTEGER, C_ULTIMO_NRO INTEGER, C_NRO_DESDE INTEGER, C_NRO_HASTA INTEGER,
    VenceC VARCHAR(19) COLLATE TEXTO,
    E_SUC_DEFAULT INTEGER, E_ULTIMO_NRO INTEGER, E_NRO_DESDE INTEGER, E_NRO_HASTA INTEGER,
    VenceE VARCHAR(19) COLLATE TEXTO,
    R_SUC_DEFAULT INTEGER, R_ULTIMO_NRO INTEGER, R_NRO_DESDE INTEGER, R_NRO_HASTA INTEGER,
    VenceR VARCHAR(19) COLLATE TEXTO,
    X_SUC_DEFAULT INTEGER, X_ULTIMO_NRO INTEGER, X_NRO_DESDE INTEGER, X_NRO_HASTA INTEGER,
    VenceX VARCHAR(19) COLLATE TEXTO,
    M_SUC_DEFAULT INTEGER, M_ULTIMO_NRO INTEGER, M_NRO_DESDE INTEGER, M_NRO_HASTA INTEGER,
    VenceM VARCHAR(19) COLLATE TEXTO,
    PRIMARY KEY (CODIGO, TALONARIO)
);

-- One row per voucher type: the first numbering range of each.
CREATE VIEW VT_TA_CPTE AS
SELECT c.CODIGO AS Codigo, c.DESCRIPCION AS Descripcion, c.SISTEMA AS SISTEMA, c.ES AS ES,
       c.Signo AS Signo, c.DebeHaber AS DebeHaber
FROM V_TA_CPTE c
WHERE c.TALONARIO = (SELECT MIN(t.TALONARIO) FROM V_TA_CPTE t WHERE t.CODIGO = c.CODIGO);

CREATE TABLE TA_CONFIG_IMP_CPTE (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO,
    LETRA           VARCHAR(1) COLLATE TEXTO,
    CANTLINEAS      INTEGER DEFAULT 0
);
CREATE INDEX IX_CONFIG_IMP_CPTE ON TA_CONFIG_IMP_CPTE (TC, LETRA, ID);

CREATE TABLE V_TA_UnidadNegocio (
    codigo          VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50) COLLATE TEXTO,
    DEPOSITOSASOCIADOS VARCHAR(200) COLLATE TEXTO,
    IDDEPOSITODIF   VARCHAR(4) COLLATE TEXTO,
    MOTIVOPARADIFERENCIAS VARCHAR(4) COLLATE TEXTO,
    MODIFICADIFERENCIAS INTEGER
);

-- Deposits (also reached as @ADMIN_V_TA_DEPOSITO). Empresa not empty = a remote company.
CREATE TABLE V_TA_Deposito (
    IdDeposito      VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50) COLLATE TEXTO,
    UNIDADNEGOCIO   VARCHAR(4) COLLATE TEXTO,
    Empresa         VARCHAR(50) COLLATE TEXTO
);
CREATE INDEX IX_DEPOSITO_UNEGOCIO ON V_TA_Deposito (UNIDADNEGOCIO, IdDeposito);

-- Minimum and maximum stock per deposit and article (@ADMIN_V_TA_DEPOSITO_MM).
CREATE TABLE V_TA_DEPOSITO_MM (
    idarticulo      VARCHAR(25) COLLATE TEXTO NOT NULL,
    iddeposito      VARCHAR(4) COLLATE TEXTO NOT NULL,
    Minimo          REAL DEFAULT 0,
    Maximo          REAL DEFAULT 0,
    PRIMARY KEY (idarticulo, iddeposito)
);

CREATE TABLE V_TA_MotivoStock (
    IdMotivoStock   VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50) COLLATE TEXTO,
    CUENTACONTABLE  VARCHAR(20) COLLATE TEXTO
);

CREATE TABLE V_TA_MotivoVta (
    IdMotivoVta     VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50) COLLATE TEXTO
);

CREATE TABLE V_TA_Input_Ventas (
    IdMotivoVta     VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    COSTO_MERCADERIA VARCHAR(20) COLLATE TEXTO
);

CREATE TABLE V_TA_Unidad (
    IdUnidad        VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50) COLLATE TEXTO
);

-- Article types; Tipo repeats IdTipo for the look-ups that name it so.
CREATE TABLE V_TA_TipoArticulo (
    IdTipo          VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Tipo            VARCHAR(4) COLLATE TEXTO,
    Descripcion     VARCHAR(50) COLLATE TEXTO
);
CREATE INDEX IX_TIPOARTICULO_TIPO ON V_TA_TipoArticulo (Tipo);

CREATE TABLE V_TA_Rubros (
    IdRubro         VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50) COLLATE TEXTO
);

CREATE TABLE V_TA_Origen (
    IdOrigen        VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50) COLLATE TEXTO
);

------------------------------------------------------------------------------------------
-- Articles, prices, units
------------------------------------------------------------------------------------------

-- Article master. The article lookup tries, in turn, IDARTICULO, codigobarra,
-- CODIGOBARRADUN (unit UD_TTE), CODIGOBARRA1..4 (units UMCB1..4), and the supplier's code
-- (CodigoArtProveedor with CuentaProveedor); each has its own index.
CREATE TABLE V_MA_ARTICULOS (
    IDARTICULO      VARCHAR(25) COLLATE TEXTO NOT NULL PRIMARY KEY,
    DESCRIPCION     VARCHAR(100) COLLATE TEXTO,
    Descripabrev    VARCHAR(30) COLLATE TEXTO,
    IDUNIDAD        VARCHAR(4) COLLATE TEXTO,
    UD_STOCK        VARCHAR(4) COLLATE TEXTO,
    IdTipo          VARCHAR(4) COLLATE TEXTO,
    IdRubro         VARCHAR(4) COLLATE TEXTO,
    IdFamilia       VARCHAR(20) COLLATE TEXTO,
    Presentacion    VARCHAR(50) COLLATE TEXTO,
    codigobarra     VARCHAR(25) COLLATE TEXTO,
    CODIGOBARRADUN  VARCHAR(25) COLLATE TEXTO,
    UD_TTE          VARCHAR(4) COLLATE TEXTO,
    CODIGOBARRA1    VARCHAR(25) COLLATE TEXTO,
    UMCB1           VARCHAR(4) COLLATE TEXTO,
    CODIGOBARRA2    VARCHAR(25) COLLATE TEXTO,
    UMCB2           VARCHAR(4) COLLATE TEXTO,
    CODIGOBARRA3    VARCHAR(25) COLLATE TEXTO,
    UMCB3           VARCHAR(4) COLLATE TEXTO,
    CODIGOBARRA4    VARCHAR(25) COLLATE TEXTO,
    UMCB4           VARCHAR(4) COLLATE TEXTO,
    CodigoArtProveedor VARCHAR(25) COLLATE TEXTO,
    CuentaProveedor VARCHAR(20) COLLATE TEXTO,
    Costo           REAL DEFAULT 0,
    PRECIO          REAL DEFAULT 0,
    Impuestos       REAL DEFAULT 0,
    TasaIVA         REAL DEFAULT 21,
    Exento          INTEGER DEFAULT 0,
    USASERIE        INTEGER DEFAULT 0,
    USALOTE         INTEGER DEFAULT 0,
    Perecedero      INTEGER DEFAULT 0,
    UsaTalle        INTEGER DEFAULT 0,
    InsumosPorPorcentaje INTEGER,
    pesable         INTEGER DEFAULT 0,
    PIDEMEDIDAS     VARCHAR(10) COLLATE TEXTO,
    PIDEEQUIVALENCIA INTEGER DEFAULT 0,
    SUSPENDIDO      INTEGER DEFAULT 0,
    PuntoPedido     REAL DEFAULT 0,
    PuntoMaximo     REAL DEFAULT 0,
    RutaImagen      VARCHAR(255) COLLATE TEXTO,
    PROCEDENCIA     VARCHAR(20) COLLATE TEXTO,
    cuentacontableC VARCHAR(20) COLLATE TEXTO,
    CuentaContable  VARCHAR(20) COLLATE TEXTO
);
CREATE INDEX IX_ART_CODIGOBARRA ON V_MA_ARTICULOS (codigobarra);
CREATE INDEX IX_ART_DUN ON V_MA_ARTICULOS (CODIGOBARRADUN);
CREATE INDEX IX_ART_CB1 ON V_MA_ARTICULOS (CODIGOBARRA1);
CREATE INDEX IX_ART_CB2 ON V_MA_ARTICULOS (CODIGOBARRA2);
CREATE INDEX IX_ART_CB3 ON V_MA_ARTICULOS (CODIGOBARRA3);
CREATE INDEX IX_ART_CB4 ON V_MA_ARTICULOS (CODIGOBARRA4);
CREATE INDEX IX_ART_PROVEEDOR ON V_MA_ARTICULOS (CodigoArtProveedor, CuentaProveedor);
CREATE INDEX IX_ART_DESCRIPCION ON V_MA_ARTICULOS (DESCRIPCION);

-- Price lists; TIPOLISTA 'C' = purchases (the supplier's code), 'V' = sales.
CREATE TABLE V_MA_PRECIOS (
    IDLISTA         VARCHAR(4) COLLATE TEXTO NOT NULL,
    TIPOLISTA       VARCHAR(1) COLLATE TEXTO NOT NULL,
    IDARTICULO      VARCHAR(25) COLLATE TEXTO NOT NULL,
    IDARTICULOPROVEEDOR VARCHAR(25) COLLATE TEXTO,
    idunidad        VARCHAR(4) COLLATE TEXTO,
    PRECIO          REAL DEFAULT 0,
    CONIVA          INTEGER DEFAULT 0,
    PRIMARY KEY (IDLISTA, TIPOLISTA, IDARTICULO)
);
CREATE INDEX IX_PRECIOS_PROVEEDOR ON V_MA_PRECIOS (IDARTICULOPROVEEDOR, IDLISTA, TIPOLISTA);
CREATE INDEX IX_PRECIOS_ARTICULO ON V_MA_PRECIOS (IDARTICULO);

CREATE VIEW VT_MA_PRECIOS_ARTICULOS AS
SELECT IDARTICULO, IDLISTA, TIPOLISTA, CONIVA, PRECIO FROM V_MA_PRECIOS;

-- One IDUNIDAD is Coeficiente of IDUNIDAD_EQUIV; a row serves both directions.
CREATE TABLE S_TA_EQUIV (
    IdArticulo      VARCHAR(25) COLLATE TEXTO NOT NULL,
    IDUNIDAD        VARCHAR(4) COLLATE TEXTO NOT NULL,
    IDUNIDAD_EQUIV  VARCHAR(4) COLLATE TEXTO NOT NULL,
    Coeficiente     REAL,
    PRIMARY KEY (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV)
);

-- Production inputs of an article (IdArticuloInsumo may start with '*').
CREATE TABLE V_MA_INSUMOS (
    IDARTICULO      VARCHAR(25) COLLATE TEXTO NOT NULL,
    IdArticuloInsumo VARCHAR(25) COLLATE TEXTO NOT NULL,
    IdUnidadInsumo  VARCHAR(4) COLLATE TEXTO,
    Cantidad        REAL,
    PRIMARY KEY (IDARTICULO, IdArticuloInsumo)
);

------------------------------------------------------------------------------------------
-- Stock
------------------------------------------------------------------------------------------

-- Balance per article, unit (EQUIVALENCIA) and deposit.
CREATE TABLE STK_SALDOS_UNIDADES (
    IDARTICULO      VARCHAR(25) COLLATE TEXTO NOT NULL,
    EQUIVALENCIA    VARCHAR(4) COLLATE TEXTO NOT NULL,
    IDDEPOSITO      VARCHAR(4) COLLATE TEXTO NOT NULL,
    Descripcion     VARCHAR(100) COLLATE TEXTO,
    STOCK           REAL DEFAULT 0,
    PRIMARY KEY (IDARTICULO, EQUIVALENCIA, IDDEPOSITO)
);
CREATE INDEX IX_SALDOS_DEPOSITO ON STK_SALDOS_UNIDADES (IDDEPOSITO, IDARTICULO);

-- Unit count of weighed articles per deposit.
CREATE TABLE STK_STOCK_UDKG (
    IDARTICULO      VARCHAR(25) COLLATE TEXTO NOT NULL,
    IDDEPOSITO      VARCHAR(4) COLLATE TEXTO NOT NULL,
    CantidadUd      REAL DEFAULT 0,
    PRIMARY KEY (IDARTICULO, IDDEPOSITO)
);

-- Stock per lot, serial number and warehouse position.
CREATE TABLE STK_SERIES_Y_LOTES (
    Id              INTEGER PRIMARY KEY,
    IDARTICULO      VARCHAR(25) COLLATE TEXTO NOT NULL,
    IdDeposito      VARCHAR(4) COLLATE TEXTO NOT NULL,
    NroLote         VARCHAR(25) COLLATE TEXTO,
    NroSerie        VARCHAR(25) COLLATE TEXTO,
    IdPosicion      VARCHAR(15) COLLATE TEXTO,
    CANTIDAD        REAL DEFAULT 0
);
CREATE INDEX IX_SYL_LOTE ON STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote);
CREATE INDEX IX_SYL_SERIE ON STK_SERIES_Y_LOTES (IDARTICULO, NroSerie);
CREATE INDEX IX_SYL_POSICION ON STK_SERIES_Y_LOTES (IDARTICULO, IdPosicion);

-- Article search entity: the article with its balance in the base unit per deposit.
CREATE VIEW STK_MA_ARTICULOS AS
SELECT a.IDARTICULO AS IDARTICULO, a.DESCRIPCION AS DESCRIPCION, a.SUSPENDIDO AS SUSPENDIDO,
       a.RutaImagen AS RutaImagen, a.PRECIO AS PRECIO, a.PuntoPedido AS PuntoPedido,
       a.IdTipo AS IdTipo, s.IDDEPOSITO AS Deposito, s.STOCK AS Stock
FROM V_MA_ARTICULOS a
LEFT JOIN STK_SALDOS_UNIDADES s ON s.IDARTICULO = a.IDARTICULO AND s.EQUIVALENCIA = a.IDUNIDAD;

-- Customs dispatches of imported lots.
CREATE TABLE stk_despachos (
    NroLote         VARCHAR(25) COLLATE TEXTO NOT NULL PRIMARY KEY,
    ControladoPor   VARCHAR(50) COLLATE TEXTO,
    Descripcion     VARCHAR(100) COLLATE TEXTO,
    IdOrigen        VARCHAR(4) COLLATE TEXTO
);
-- A lot's dispatch as the look-up by a trimmed lot finds it.
CREATE INDEX IX_DESPACHOS_LOTE ON stk_despachos (ltrim(rtrim(NroLote)) COLLATE TEXTO);

-- Warehouse positions of a deposit; TITULO not 0 = a heading, not a place.
CREATE TABLE MA_POSICIONES (
    IdDeposito      VARCHAR(4) COLLATE TEXTO NOT NULL,
    IdPosicion      VARCHAR(15) COLLATE TEXTO NOT NULL,
    Descripcion     VARCHAR(50) COLLATE TEXTO,
    OrdenIngreso    INTEGER,
    TITULO          INTEGER DEFAULT 0,
    IdArticulo      VARCHAR(25) COLLATE TEXTO,
    IdFamilia       VARCHAR(20) COLLATE TEXTO,
    IdTipo          VARCHAR(4) COLLATE TEXTO,
    IdRubro         VARCHAR(4) COLLATE TEXTO,
    IdUnidad        VARCHAR(4) COLLATE TEXTO,
    Capacidad       REAL,
    PRIMARY KEY (IdDeposito, IdPosicion)
);

-- Balance per deposit, position, article and lot.
CREATE TABLE AC_SALDOSLAYOUT (
    IdDeposito      VARCHAR(4) COLLATE TEXTO NOT NULL,
    IdPosicion      VARCHAR(15) COLLATE TEXTO,
    IdArticulo      VARCHAR(25) COLLATE TEXTO NOT NULL,
    NroLote         VARCHAR(25) COLLATE TEXTO,
    IdUnidadBase    VARCHAR(4) COLLATE TEXTO,
    Saldo           REAL DEFAULT 0
);
CREATE INDEX IX_SALDOSLAYOUT ON AC_SALDOSLAYOUT (IdDeposito, IdArticulo, IdPosicion);

-- Stock movements (written by the stock posting).
CREATE TABLE V_MV_STOCK (
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL,
    IdComprobante   VARCHAR(13) COLLATE TEXTO NOT NULL,
    IdComplemento   INTEGER DEFAULT 0,
    Secuencia       REAL,
    Fecha           VARCHAR(19) COLLATE TEXTO,
    IdCaja          VARCHAR(4) COLLATE TEXTO,
    IdDeposito      VARCHAR(4) COLLATE TEXTO,
    IDDEPOSITO_DESTINO VARCHAR(4) COLLATE TEXTO,
    IdPosicion      VARCHAR(15) COLLATE TEXTO,
    IdArticulo      VARCHAR(25) COLLATE TEXTO,
    Descripcion     VARCHAR(255) COLLATE TEXTO,
    NroLote         VARCHAR(25) COLLATE TEXTO,
    ControladoPor   VARCHAR(50) COLLATE TEXTO,
    IdOrigen        VARCHAR(4) COLLATE TEXTO,
    NroSerie        VARCHAR(25) COLLATE TEXTO,
    IdUnidad        VARCHAR(4) COLLATE TEXTO,
    Cantidad        REAL,
    CantidadUD      REAL,
    IdUnidadBase    VARCHAR(4) COLLATE TEXTO,
    CuentaProveedor VARCHAR(20) COLLATE TEXTO,
    IdMotivoStock   VARCHAR(4) COLLATE TEXTO,
    PrecioVenta     REAL,
    Importe_S_Iva   REAL,
    Costo           REAL,
    Impuestos       REAL,
    DtoItem         REAL,
    Tc_Origen       VARCHAR(4) COLLATE TEXTO,
    IdComprobante_Origen VARCHAR(13) COLLATE TEXTO,
    Id_Origen       REAL,
    IVARI           REAL,
    IVARNI          REAL,
    IdTecnico       VARCHAR(4) COLLATE TEXTO,
    EQUIV_UDBASE    REAL,
    IDINSERT        REAL,
    IDCOMPULSA      REAL,
    Oferta          REAL,
    IdVendedor      VARCHAR(10) COLLATE TEXTO,
    Importe_Ud      REAL,
    Ud_Pr           VARCHAR(4) COLLATE TEXTO,
    UNEGOCIO        VARCHAR(4) COLLATE TEXTO,
    ARTMONEDA       VARCHAR(4) COLLATE TEXTO,
    ARTCOTIZACION   REAL,
    EnComodato      INTEGER,
    CANT_BL         INTEGER,
    CANT_KG         INTEGER,
    CANT_M3         INTEGER,
    IDVIAJE         VARCHAR(10) COLLATE TEXTO,
    Revisado        INTEGER DEFAULT 0
);
-- One voucher per identity: a second station that drew the same number is refused whole.
CREATE UNIQUE INDEX IX_MV_STOCK_CPTE ON V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia);
CREATE INDEX IX_MV_STOCK_ORIGEN ON V_MV_STOCK (Tc_Origen, IdComprobante_Origen);
CREATE INDEX IX_MV_STOCK_ARTICULO ON V_MV_STOCK (IdArticulo, NroLote);
-- A lot's movements (an automatic lot no other voucher may hold), and the highest numbered lot.
CREATE INDEX IX_MV_STOCK_LOTE ON V_MV_STOCK (NroLote);
CREATE INDEX IX_MV_STOCK_LOTE_NUMERICO ON V_MV_STOCK (SUBSTR(NroLote, 1, 1) COLLATE TEXTO, NroLote);

------------------------------------------------------------------------------------------
-- Vouchers, applications, numbering, accounting
------------------------------------------------------------------------------------------

CREATE TABLE V_MV_CPTE (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) COLLATE TEXTO NOT NULL,
    IDCOMPLEMENTO   INTEGER DEFAULT 0,
    SUCURSAL        VARCHAR(4) COLLATE TEXTO,
    NUMERO          VARCHAR(8) COLLATE TEXTO,
    LETRA           VARCHAR(1) COLLATE TEXTO,
    CUENTA          VARCHAR(20) COLLATE TEXTO,
    Nombre          VARCHAR(100) COLLATE TEXTO,
    FECHA           VARCHAR(19) COLLATE TEXTO,
    Importe         REAL,
    ANULADA         INTEGER DEFAULT 0,
    APROBADO        INTEGER DEFAULT 0,
    COMPLEMENTARIO  INTEGER DEFAULT 0,
    FINALIZADA      INTEGER DEFAULT 0,
    BLOQUEADA       INTEGER DEFAULT 0,
    OBSERVACIONES   TEXT COLLATE TEXTO,
    comentarios     TEXT COLLATE TEXTO,
    FechaHora_Grabacion VARCHAR(19) COLLATE TEXTO,
    fechahora_modificacion VARCHAR(19) COLLATE TEXTO,
    FechaPreparacion VARCHAR(19) COLLATE TEXTO,
    IdPalm          VARCHAR(20) COLLATE TEXTO,
    IdReparto       INTEGER,
    Cotizacion      REAL,
    CondicionIva    VARCHAR(20) COLLATE TEXTO,
    EnComodato      INTEGER DEFAULT 0,
    TCORIGEN        VARCHAR(4) COLLATE TEXTO,
    COMPROBANTEORIGEN VARCHAR(13) COLLATE TEXTO,
    COMPLEMENTOORIGEN INTEGER
);
CREATE INDEX IX_V_MV_CPTE ON V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO);
CREATE INDEX IX_V_MV_CPTE_ORIGEN ON V_MV_CPTE (TCORIGEN, COMPROBANTEORIGEN);

CREATE TABLE C_MV_CPTE (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) COLLATE TEXTO NOT NULL,
    IDCOMPLEMENTO   INTEGER DEFAULT 0,
    SUCURSAL        VARCHAR(4) COLLATE TEXTO,
    NUMERO          VARCHAR(8) COLLATE TEXTO,
    LETRA           VARCHAR(1) COLLATE TEXTO,
    CUENTA          VARCHAR(20) COLLATE TEXTO,
    NOMBRE          VARCHAR(100) COLLATE TEXTO,
    FECHA           VARCHAR(19) COLLATE TEXTO,
    Importe         REAL,
    ANULADA         INTEGER DEFAULT 0,
    APROBADO        INTEGER DEFAULT 0,
    FINALIZADO      INTEGER DEFAULT 0,
    Garantia        INTEGER DEFAULT 0,
    comentarios     TEXT COLLATE TEXTO,
    FechaRecepcion  VARCHAR(19) COLLATE TEXTO,
    IdReparto       INTEGER,
    Cotizacion      REAL,
    CondicionIva    VARCHAR(20) COLLATE TEXTO,
    EnComodato      INTEGER DEFAULT 0,
    TCORIGEN        VARCHAR(4) COLLATE TEXTO,
    COMPROBANTEORIGEN VARCHAR(13) COLLATE TEXTO,
    COMPLEMENTOORIGEN INTEGER
);
CREATE INDEX IX_C_MV_CPTE ON C_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO);

-- Article lines of vouchers (V_ = sales side, C_ = purchases).
CREATE TABLE V_MV_CPTEINSUMOS (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) COLLATE TEXTO NOT NULL,
    IdComplemento   INTEGER DEFAULT 0,
    CUENTA          VARCHAR(20) COLLATE TEXTO,
    PALLETS         INTEGER,
    Secuencia       REAL,
    IdArticulo      VARCHAR(25) COLLATE TEXTO,
    Descripcion     VARCHAR(255) COLLATE TEXTO,
    IdUnidad        VARCHAR(4) COLLATE TEXTO,
    IdUnidadBase    VARCHAR(4) COLLATE TEXTO,
    Cantidad        REAL,
    Cantidadpreparada REAL,
    CANTIDADAFACTURAR REAL,
    Recepcion       REAL,
    CANT_KG         REAL,
    CantidadUd      REAL,
    Cant_BL         REAL,
    CANT_M3         REAL,
    Equiv_UDBase    REAL,
    Importe         REAL,
    Importe_S_IVA   REAL,
    Impuestos       REAL,
    iTC             REAL,
    Total           REAL,
    TotalFinal      REAL,
    Exento          INTEGER,
    AlicIVA         REAL,
    PorcDto         REAL,
    IdLista         VARCHAR(4) COLLATE TEXTO,
    IdDeposito      VARCHAR(4) COLLATE TEXTO,
    Presentacion    VARCHAR(50) COLLATE TEXTO,
    Costo           REAL,
    Nro_Lote        TEXT COLLATE TEXTO,
    Nro_Serie       TEXT COLLATE TEXTO,
    ControladoPor   VARCHAR(50) COLLATE TEXTO,
    IdOrigen        VARCHAR(4) COLLATE TEXTO,
    Precio_Lista    REAL,
    CodigoArtProveedor VARCHAR(25) COLLATE TEXTO,
    Espesor         REAL,
    Ancho           REAL,
    Ud_Pr           VARCHAR(4) COLLATE TEXTO,
    Importe_Ud      REAL
);
CREATE INDEX IX_V_MV_CPTEINSUMOS ON V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento);

CREATE TABLE C_MV_CPTEINSUMOS (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) COLLATE TEXTO NOT NULL,
    IdComplemento   INTEGER DEFAULT 0,
    CUENTA          VARCHAR(20) COLLATE TEXTO,
    PALLETS         INTEGER,
    Secuencia       REAL,
    IdArticulo      VARCHAR(25) COLLATE TEXTO,
    Descripcion     VARCHAR(255) COLLATE TEXTO,
    IdUnidad        VARCHAR(4) COLLATE TEXTO,
    IdUnidadBase    VARCHAR(4) COLLATE TEXTO,
    Cantidad        REAL,
    Cantidadpreparada REAL,
    CANTIDADAFACTURAR REAL,
    Recepcion       REAL,
    CANT_KG         REAL,
    CantidadUd      REAL,
    Cant_BL         REAL,
    CANT_M3         REAL,
    Equiv_UDBase    REAL,
    Importe         REAL,
    Importe_S_IVA   REAL,
    Impuestos       REAL,
    iTC             REAL,
    Total           REAL,
    TotalFinal      REAL,
    Exento          INTEGER,
    AlicIVA         REAL,
    PorcDto         REAL,
    IdLista         VARCHAR(4) COLLATE TEXTO,
    IdDeposito      VARCHAR(4) COLLATE TEXTO,
    Presentacion    VARCHAR(50) COLLATE TEXTO,
    Costo           REAL,
    Nro_Lote        TEXT COLLATE TEXTO,
    Nro_Serie       TEXT COLLATE TEXTO,
    ControladoPor   VARCHAR(50) COLLATE TEXTO,
    IdOrigen        VARCHAR(4) COLLATE TEXTO,
    Precio_Lista    REAL,
    CodigoArtProveedor VARCHAR(25) COLLATE TEXTO,
    Espesor         REAL,
    Ancho           REAL,
    Ud_Pr           VARCHAR(4) COLLATE TEXTO,
    Importe_Ud      REAL
);
CREATE INDEX IX_C_MV_CPTEINSUMOS ON C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento);

-- Task lines of vouchers.
CREATE TABLE V_MV_CPTETAREAS (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) COLLATE TEXTO NOT NULL,
    IdComplemento   INTEGER DEFAULT 0,
    CUENTA          VARCHAR(20) COLLATE TEXTO,
    IDTAREA         VARCHAR(10) COLLATE TEXTO,
    Descripcion     VARCHAR(255) COLLATE TEXTO,
    Horas           REAL,
    ValorHora       REAL,
    valorHora_S_Iva REAL,
    Total           REAL,
    descripcionadicional TEXT COLLATE TEXTO,
    FechaEstInicio  VARCHAR(19) COLLATE TEXTO,
    FechaEstFin     VARCHAR(19) COLLATE TEXTO,
    IdTecnico       VARCHAR(4) COLLATE TEXTO,
    FechaREALInicio VARCHAR(19) COLLATE TEXTO,
    FechaREALFin    VARCHAR(19) COLLATE TEXTO,
    Prioridad       INTEGER,
    Usuario         VARCHAR(50) COLLATE TEXTO,
    FHPRESENTACION  VARCHAR(19) COLLATE TEXTO,
    FHEMISION       VARCHAR(19) COLLATE TEXTO,
    NROEXP          VARCHAR(20) COLLATE TEXTO,
    FhEntrega       VARCHAR(19) COLLATE TEXTO
);
CREATE INDEX IX_V_MV_CPTETAREAS ON V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IdComplemento);

CREATE TABLE C_MV_CPTETAREAS (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) COLLATE TEXTO NOT NULL,
    IdComplemento   INTEGER DEFAULT 0,
    CUENTA          VARCHAR(20) COLLATE TEXTO,
    IDTAREA         VARCHAR(10) COLLATE TEXTO,
    Descripcion     VARCHAR(255) COLLATE TEXTO,
    Horas           REAL,
    ValorHora       REAL,
    valorHora_S_Iva REAL,
    Total           REAL,
    descripcionadicional TEXT COLLATE TEXTO,
    FechaEstInicio  VARCHAR(19) COLLATE TEXTO,
    FechaEstFin     VARCHAR(19) COLLATE TEXTO,
    IdTecnico       VARCHAR(4) COLLATE TEXTO,
    FechaREALInicio VARCHAR(19) COLLATE TEXTO,
    FechaREALFin    VARCHAR(19) COLLATE TEXTO,
    Prioridad       INTEGER,
    Usuario         VARCHAR(50) COLLATE TEXTO,
    FHPRESENTACION  VARCHAR(19) COLLATE TEXTO,
    FHEMISION       VARCHAR(19) COLLATE TEXTO,
    NROEXP          VARCHAR(20) COLLATE TEXTO,
    FhEntrega       VARCHAR(19) COLLATE TEXTO
);
CREATE INDEX IX_C_MV_CPTETAREAS ON C_MV_CPTETAREAS (TC, IDCOMPROBANTE, IdComplemento);

-- Other concepts of vouchers.
CREATE TABLE V_MV_CPTE_Observ (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) COLLATE TEXTO NOT NULL,
    IdComplemento   INTEGER DEFAULT 0,
    CUENTA          VARCHAR(20) COLLATE TEXTO,
    TIPO_OBS        VARCHAR(4) COLLATE TEXTO,
    Observacion     TEXT COLLATE TEXTO,
    Importe         REAL,
    Importe_S_IVA   REAL,
    NroViaje        VARCHAR(20) COLLATE TEXTO
);
CREATE INDEX IX_V_MV_CPTE_OBSERV ON V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IdComplemento);

CREATE TABLE C_MV_CPTE_Observ (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) COLLATE TEXTO NOT NULL,
    IdComplemento   INTEGER DEFAULT 0,
    CUENTA          VARCHAR(20) COLLATE TEXTO,
    TIPO_OBS        VARCHAR(4) COLLATE TEXTO,
    Observacion     TEXT COLLATE TEXTO,
    Importe         REAL,
    Importe_S_IVA   REAL,
    NroViaje        VARCHAR(20) COLLATE TEXTO
);
CREATE INDEX IX_C_MV_CPTE_OBSERV ON C_MV_CPTE_Observ (TC, IDCOMPROBANTE, IdComplemento);

-- Lookup sources of the voucher lookup window.
CREATE TABLE V_MV_CPTETERCEROS (
    ID              INTEGER PRIMARY KEY,
    Fecha           VARCHAR(19) COLLATE TEXTO,
    IdComprobante   VARCHAR(13) COLLATE TEXTO,
    IdComplemento   INTEGER DEFAULT 0,
    FECHAENVIADO    VARCHAR(19) COLLATE TEXTO,
    FECHARECIBIDO   VARCHAR(19) COLLATE TEXTO
);

CREATE VIEW V_RemitosPendientes AS
SELECT CUENTA, ANULADA, Nombre, APROBADO, TC, IDCOMPROBANTE, IDCOMPLEMENTO, ID, FECHA, Importe
FROM V_MV_CPTE WHERE FINALIZADA = 0 AND ANULADA = 0;

CREATE VIEW C_RemitosPendientes AS
SELECT CUENTA, ANULADA, NOMBRE AS Nombre, TC, IDCOMPROBANTE, IDCOMPLEMENTO, ID, FECHA, Importe
FROM C_MV_CPTE WHERE FINALIZADO = 0 AND ANULADA = 0;

CREATE VIEW V_OT_Pendientes AS
SELECT CUENTA, ANULADA, Nombre, APROBADO, TC, IDCOMPROBANTE, IDCOMPLEMENTO, ID, FECHA, Importe,
       FechaHora_Grabacion, fechahora_modificacion
FROM V_MV_CPTE WHERE FINALIZADA = 0 AND ANULADA = 0;

CREATE VIEW V_PR_PENDIENTES AS
SELECT CUENTA, ANULADA, Nombre, APROBADO, TC, IDCOMPROBANTE, ID, FECHA, Importe, comentarios
FROM V_MV_CPTE WHERE FINALIZADA = 0 AND ANULADA = 0;

CREATE TABLE MV_APLICACION (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO,
    IDCOMPROBANTE   VARCHAR(13) COLLATE TEXTO,
    TCO_ORIGEN      VARCHAR(4) COLLATE TEXTO,
    IDComprobante_Origen VARCHAR(13) COLLATE TEXTO
);
CREATE INDEX IX_MV_APLICACION ON MV_APLICACION (TC, IDCOMPROBANTE);
CREATE INDEX IX_MV_APLICACION_ORIGEN ON MV_APLICACION (TCO_ORIGEN, IDComprobante_Origen);

-- Applied quantities per origin line, ordered and delivered quantities.
CREATE TABLE VT_V_MV_INSUMOS_APLICACION (
    TCO_ORIGEN      VARCHAR(4) COLLATE TEXTO,
    IDCOMPROBANTEORIGEN VARCHAR(13) COLLATE TEXTO,
    IDARTICULO      VARCHAR(25) COLLATE TEXTO,
    CantidadAplicada REAL
);
CREATE INDEX IX_INSUMOS_APLICACION_ORIGEN ON VT_V_MV_INSUMOS_APLICACION (IDCOMPROBANTEORIGEN, TCO_ORIGEN);

-- Ordered quantity per voucher and article: one row for each article of a voucher (its first
-- line stands for the others) with the sum of its lines. Written without GROUP BY, so that a
-- look-up by voucher (and article) reads that voucher's lines through the index, not the whole
-- table: the embedded database cannot filter a grouped view before grouping it.
CREATE VIEW VT_V_MV_CPTEINSUMOS_CONS2 AS
SELECT i.TC, i.IDCOMPROBANTE, i.IdArticulo AS IDARTICULO,
       (SELECT SUM(s.Cantidad) FROM V_MV_CPTEINSUMOS s
        WHERE s.TC = i.TC AND s.IDCOMPROBANTE = i.IDCOMPROBANTE AND s.IdArticulo IS i.IdArticulo) AS Cantidad
FROM V_MV_CPTEINSUMOS i
WHERE NOT EXISTS (SELECT 1 FROM V_MV_CPTEINSUMOS p
                  WHERE p.TC = i.TC AND p.IDCOMPROBANTE = i.IDCOMPROBANTE AND p.IdArticulo IS i.IdArticulo
                    AND p.ID < i.ID);
CREATE INDEX IX_V_MV_CPTEINSUMOS_ARTICULO ON V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdArticulo);

CREATE VIEW VT_V_MV_Stock_Cons AS
SELECT Tc_Origen AS TC, IdComprobante_Origen AS IDCOMPROBANTE, IdArticulo AS IDARTICULO,
       Cantidad AS CANTIDAD
FROM V_MV_STOCK;

-- Audit row of voucher actions.
CREATE TABLE V_MV_CPTEACCIONES (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO,
    IdComprobante   VARCHAR(13) COLLATE TEXTO,
    IdComplemento   INTEGER,
    Tipo_accion     VARCHAR(1) COLLATE TEXTO,
    FECHAHORA       VARCHAR(19) COLLATE TEXTO,
    Usuario         VARCHAR(50) COLLATE TEXTO,
    PC              VARCHAR(50) COLLATE TEXTO,
    SYSTEMUSER      VARCHAR(50) COLLATE TEXTO,
    NUMEROASIENTO   REAL
);

-- Numbers already used per voucher type.
CREATE TABLE V_MV_CTROL_CPTE (
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL,
    SUCURSAL        VARCHAR(4) COLLATE TEXTO NOT NULL,
    NUMERO          VARCHAR(8) COLLATE TEXTO NOT NULL,
    LETRA           VARCHAR(1) COLLATE TEXTO NOT NULL,
    PRIMARY KEY (TC, SUCURSAL, NUMERO, LETRA)
);

CREATE TABLE MV_VIAJES (
    ID              INTEGER PRIMARY KEY,
    TC              VARCHAR(4) COLLATE TEXTO,
    IDCOMPROBANTE   VARCHAR(13) COLLATE TEXTO
);
CREATE INDEX IX_MV_VIAJES ON MV_VIAJES (TC, IDCOMPROBANTE);

CREATE TABLE MA_CUENTAS (
    Codigo          VARCHAR(20) COLLATE TEXTO NOT NULL PRIMARY KEY,
    CodigoOpcional  VARCHAR(20) COLLATE TEXTO,
    DESCRIPCION     VARCHAR(100) COLLATE TEXTO,
    Titulo          INTEGER DEFAULT 0
);
CREATE INDEX IX_CUENTAS_OPCIONAL ON MA_CUENTAS (CodigoOpcional);

-- Accounting entries (also reached as @ADMIN_MV_ASIENTOS).
CREATE TABLE MV_ASIENTOS (
    ID              INTEGER PRIMARY KEY,
    Cuenta          VARCHAR(20) COLLATE TEXTO,
    Secuencia       INTEGER,
    Mes_Operativo   INTEGER,
    [Numero Asiento] INTEGER,
    Fecha           VARCHAR(19) COLLATE TEXTO,
    FechaSubDiario  VARCHAR(19) COLLATE TEXTO,
    Detalle         VARCHAR(255) COLLATE TEXTO,
    TC              VARCHAR(4) COLLATE TEXTO,
    SUCURSAL        VARCHAR(4) COLLATE TEXTO,
    NUMERO          VARCHAR(8) COLLATE TEXTO,
    LETRA           VARCHAR(1) COLLATE TEXTO,
    PERIODO         INTEGER,
    Tipo_Reg        VARCHAR(4) COLLATE TEXTO,
    [DEBE-HABER]    VARCHAR(1) COLLATE TEXTO,
    FechaHora_Grabacion VARCHAR(19) COLLATE TEXTO,
    USUARIO_LOGEADO VARCHAR(50) COLLATE TEXTO,
    Importe         REAL,
    Moneda          VARCHAR(4) COLLATE TEXTO,
    Cotizacion      REAL,
    CABImporte      REAL,
    CABCuenta       VARCHAR(20) COLLATE TEXTO,
    CABNombre       VARCHAR(100) COLLATE TEXTO,
    Unegocio        VARCHAR(4) COLLATE TEXTO,
    IdCajas         VARCHAR(4) COLLATE TEXTO,
    TC_ORIGEN       VARCHAR(4) COLLATE TEXTO,
    CPTE_ORIGEN     VARCHAR(13) COLLATE TEXTO
);
CREATE INDEX IX_ASIENTOS_CPTE ON MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA);
CREATE INDEX IX_ASIENTOS_NUMERO ON MV_ASIENTOS (Mes_Operativo, PERIODO, [Numero Asiento]);
-- The highest entry number of a month, registration type and period; the highest number of an
-- accounting voucher series.
CREATE INDEX IX_ASIENTOS_TIPO_NUMERO ON MV_ASIENTOS (Mes_Operativo, Tipo_Reg, PERIODO, [Numero Asiento]);
CREATE INDEX IX_ASIENTOS_SERIE ON MV_ASIENTOS (TC, SUCURSAL, LETRA, NUMERO);

-- Cost-centre entries (@ADMIN_MV_ASIENTOSCCOSTO).
CREATE TABLE MV_ASIENTOSCCOSTO (
    ID              INTEGER PRIMARY KEY,
    MES_OPERATIVO   INTEGER,
    TIPO_REG        VARCHAR(4) COLLATE TEXTO,
    PERIODO         INTEGER,
    [NUMERO ASIENTO] INTEGER
);
CREATE INDEX IX_ASIENTOSCCOSTO_NUMERO ON MV_ASIENTOSCCOSTO (MES_OPERATIVO, TIPO_REG, PERIODO, [NUMERO ASIENTO]);

CREATE TABLE MA_SUBDIARIOSCOMPROBANTES (
    TC              VARCHAR(4) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Subdiario       VARCHAR(10) COLLATE TEXTO
);

CREATE TABLE MA_SUBDIARIOS (
    CODIGO          VARCHAR(10) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50) COLLATE TEXTO
);

CREATE TABLE V_MV_CARGOSAPLICADOS (
    id              INTEGER PRIMARY KEY,
    CUENTA          VARCHAR(20) COLLATE TEXTO,
    Fecha           VARCHAR(19) COLLATE TEXTO,
    Matricula       VARCHAR(20) COLLATE TEXTO,
    Concepto        VARCHAR(100) COLLATE TEXTO,
    Observaciones   TEXT COLLATE TEXTO,
    Importe         REAL,
    SALDO           REAL
);
CREATE INDEX IX_CARGOS_CUENTA ON V_MV_CARGOSAPLICADOS (CUENTA);

------------------------------------------------------------------------------------------
-- Customers and suppliers (search entities)
------------------------------------------------------------------------------------------

CREATE TABLE VT_CLIENTES (
    CODIGO          VARCHAR(20) COLLATE TEXTO NOT NULL PRIMARY KEY,
    RAZON_SOCIAL    VARCHAR(100) COLLATE TEXTO,
    CONTACTO        VARCHAR(100) COLLATE TEXTO,
    NUMERO_DOCUMENTO VARCHAR(20) COLLATE TEXTO,
    Dada_De_Baja    INTEGER DEFAULT 0
);

CREATE TABLE VT_PROVEEDORES (
    CODIGO          VARCHAR(20) COLLATE TEXTO NOT NULL PRIMARY KEY,
    RAZON_SOCIAL    VARCHAR(100) COLLATE TEXTO,
    Dada_De_Baja    INTEGER DEFAULT 0
);

------------------------------------------------------------------------------------------
-- Search entities of the look-ups (contacts, delivery recipients, e-mail events, cattle lots,
-- streets and localities)
------------------------------------------------------------------------------------------

CREATE TABLE MA_CONTACTOS (
    idContacto      INTEGER PRIMARY KEY,
    Nombre_y_Apellido VARCHAR(100) COLLATE TEXTO,
    Domicilio       VARCHAR(100) COLLATE TEXTO,
    Localidad       VARCHAR(50) COLLATE TEXTO,
    Telefono        VARCHAR(30) COLLATE TEXTO
);

-- A recipient's Id is customer (4), code (16) and branch (6) joined.
CREATE TABLE MA_DESTINATARIOS (
    Cliente         VARCHAR(4) COLLATE TEXTO NOT NULL,
    Codigo          VARCHAR(16) COLLATE TEXTO NOT NULL,
    Sucursal        VARCHAR(6) COLLATE TEXTO NOT NULL,
    Nombre          VARCHAR(100) COLLATE TEXTO,
    Domicilio       VARCHAR(100) COLLATE TEXTO,
    PRIMARY KEY (Cliente, Codigo, Sucursal)
);

CREATE TABLE V_MA_EMAIL (
    Evento          VARCHAR(50) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(100) COLLATE TEXTO,
    Destinatarios   VARCHAR(200) COLLATE TEXTO
);

CREATE TABLE V_MV_TROPA (
    IdTropa         VARCHAR(20) COLLATE TEXTO NOT NULL PRIMARY KEY,
    FechaDte        VARCHAR(19) COLLATE TEXTO,
    Dte             VARCHAR(20) COLLATE TEXTO,
    Patente         VARCHAR(10) COLLATE TEXTO,
    Chofer          VARCHAR(50) COLLATE TEXTO,
    NroGuia         VARCHAR(20) COLLATE TEXTO,
    CuitVendedor    VARCHAR(13) COLLATE TEXTO
);

CREATE TABLE VT_MAPINFO_CALLES (
    STREET          VARCHAR(100) COLLATE TEXTO NOT NULL,
    LOCALIDAD       VARCHAR(50) COLLATE TEXTO
);

CREATE TABLE MAPINFO_LOCALIDADES (
    LOCALIDAD       VARCHAR(50) COLLATE TEXTO NOT NULL,
    PARTIDO         VARCHAR(50) COLLATE TEXTO,
    Cod_postal      VARCHAR(8) COLLATE TEXTO
);

-- Schema of the program's tables and views in SQL Server's dialect: what a site's database holds
-- under these names, for the tests that run the program on a T-SQL server. It mirrors
-- db/esquema.sql table by table and column by column (a test compares them); what differs is
-- the dialect:
--
-- - Text compares as the database's collation does (the server's default: case ignored, trailing
--   blanks ignored); codes are stored filled to their width as on the embedded file.
-- - Dates are DATETIME, read and written in the day-month-year order the connection sets.
-- - A key the database gives (an identity) is IDENTITY; the embedded file gives it as a rowid.
-- - V_MV_STOCK is the site's object, whose keys the program does not own: it has no unique key
--   here, so that only the saving batch's own checks can refuse a second voucher of an identity.
-- - The ordered-quantity view is grouped, as the server's own view is.
--
-- Tables reached through "@ADMIN_" names live here too (the session names no administration
-- database) or in the administration database the connection data names.
-- One statement per ';' at the end of a line.

------------------------------------------------------------------------------------------
-- Session, configuration, access and errors
------------------------------------------------------------------------------------------

CREATE TABLE TA_CONFIGURACION (
    Grupo           VARCHAR(50),
    Clave           VARCHAR(100) NOT NULL PRIMARY KEY,
    Valor           VARCHAR(MAX),
    PoliticaNegocio INT DEFAULT 0,
    ValorAux        VARCHAR(MAX) DEFAULT ''
);

CREATE TABLE TA_USUARIOS (
    Nombre          VARCHAR(50) NOT NULL PRIMARY KEY,
    NombreCompleto  VARCHAR(100),
    UNegocio        VARCHAR(4),
    IDDEPOSITO      VARCHAR(4),
    verproforma     INT DEFAULT 0,
    sucot           VARCHAR(4),
    letot           VARCHAR(1)
);

CREATE TABLE Control_Acceso (
    Id              INT IDENTITY(1,1) PRIMARY KEY,
    Maquina         VARCHAR(50),
    Usuario         VARCHAR(50),
    Formulario      VARCHAR(100),
    Tarea           VARCHAR(100),
    Ingreso         DATETIME,
    Egreso          DATETIME,
    NombreUsuario   VARCHAR(50)
);

CREATE TABLE AUX_ERR (
    Id              INT IDENTITY(1,1) PRIMARY KEY,
    Proceso         VARCHAR(100),
    Fecha           DATETIME,
    Error           INT,
    Descripcion     VARCHAR(250),
    SQL             VARCHAR(MAX),
    PC              VARCHAR(50),
    Usuario         VARCHAR(50)
);

-- Menu entries of the suite and the users' rights to them.
CREATE TABLE TA_MENU (
    MENU            VARCHAR(10),
    TITULO          VARCHAR(20),
    CLAVE           VARCHAR(20) NOT NULL PRIMARY KEY,
    NOMBRE          VARCHAR(100),
    IMAGEN          VARCHAR(50),
    PROCESO         VARCHAR(MAX),
    HABILITADO      INT DEFAULT 1
);
CREATE INDEX IX_TA_MENU_TITULO ON TA_MENU (TITULO, NOMBRE);

CREATE TABLE TA_TAREAS (
    USUARIO         VARCHAR(50) NOT NULL,
    SISTEMA         VARCHAR(20) NOT NULL,
    TAREA           VARCHAR(20) NOT NULL,
    PRIMARY KEY (USUARIO, SISTEMA, TAREA)
);
CREATE INDEX IX_TA_TAREAS_TAREA ON TA_TAREAS (TAREA);

CREATE TABLE V_TA_Cajas (
    IdCajas         VARCHAR(4) NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50)
);

------------------------------------------------------------------------------------------
-- Voucher templates (written by the editor)
------------------------------------------------------------------------------------------

CREATE TABLE V_CPTES_MODELO_CAB (
    IdVardelio      INT NOT NULL PRIMARY KEY,
    nombre          VARCHAR(50),
    DETALLE         VARCHAR(50),
    TCDefault       VARCHAR(4),
    DepositoOrigen  VARCHAR(4),
    DepositoDestino VARCHAR(4),
    IdMotivoStock   VARCHAR(4),
    AnclarAlMenu    INT DEFAULT 0
);
CREATE INDEX IX_MODELO_CAB_NOMBRE ON V_CPTES_MODELO_CAB (nombre);

-- Linea is given by the database in insertion order; the lines of a template are read
-- through (IdVardelio, Linea), so they come back in the order they were saved.
CREATE TABLE V_CPTES_MODELO_DET (
    Linea           INT IDENTITY(1,1) PRIMARY KEY,
    IdVardelio      INT NOT NULL
                    REFERENCES V_CPTES_MODELO_CAB (IdVardelio) ON DELETE CASCADE,
    IdArticulo      VARCHAR(25),
    Cantidad        FLOAT,
    IdUnidad        VARCHAR(4)
);
CREATE UNIQUE INDEX IX_MODELO_DET ON V_CPTES_MODELO_DET (IdVardelio, Linea);

------------------------------------------------------------------------------------------
-- Parameter tables
------------------------------------------------------------------------------------------

-- Voucher types, one row per type and numbering range (TALONARIO). The letter columns
-- <L>_SUC_DEFAULT, <L>_ULTIMO_NRO, <L>_NRO_DESDE, <L>_NRO_HASTA and Vence<L> exist for
-- the letters A, B, C, E, R, X and M.
CREATE TABLE V_TA_CPTE (
    CODIGO          VARCHAR(4) NOT NULL,
    TALONARIO       INT NOT NULL DEFAULT 1,
    DESCRIPCION     VARCHAR(50),
    SISTEMA         VARCHAR(20),
    ES              VARCHAR(1),
    Signo           INT,
    DebeHaber       VARCHAR(1),
    Letras          VARCHAR(10),
    UNEGOCIO        VARCHAR(4),
    Modificanumeracion VARCHAR(10),
    Externo         INT,
    FechaHora_Modificacion DATETIME,
    A_SUC_DEFAULT INT, A_ULTIMO_NRO INT, A_NRO_DESDE INT, A_NRO_HASTA INT,
    VenceA DATETIME,
    B_SUC_DEFAULT INT, B_ULTIMO_NRO INT, B_NRO_DESDE INT, B_NRO_HASTA INT,
    VenceB DATETIME,
    C_SUC_DEFAULT INT, C_ULTIMO_NRO INT, C_NRO_DESDE INT, C_NRO_HASTA INT,
    VenceC DATETIME,
    E_SUC_DEFAULT INT, E_ULTIMO_NRO INT, E_NRO_DESDE INT, E_NRO_HASTA INT,
    VenceE DATETIME,
    R_SUC_DEFAULT INT, R_ULTIMO_NRO INT, R_NRO_DESDE INT, R_NRO_HASTA INT,
    VenceR DATETIME,
    X_SUC_DEFAULT INT, X_ULTIMO_NRO INT, X_NRO_DESDE INT, X_NRO_HASTA INT,
    VenceX DATETIME,
    M_SUC_DEFAULT INT, M_ULTIMO_NRO INT, M_NRO_DESDE INT, M_NRO_HASTA INT,
    VenceM DATETIME,
    PRIMARY KEY (CODIGO, TALONARIO)
);

-- The voucher-type master used as the numbering fallback; same layout.
CREATE TABLE TA_Comprobantes (
    CODIGO          VARCHAR(4) NOT NULL,
    TALONARIO       INT NOT NULL DEFAULT 1,
    DESCRIPCION     VARCHAR(50),
    SISTEMA         VARCHAR(20),
    ES              VARCHAR(1),
    Signo           INT,
    DebeHaber       VARCHAR(1),
    Letras          VARCHAR(10),
    UNEGOCIO        VARCHAR(4),
    Modificanumeracion VARCHAR(10),
    Externo         INT,
    FechaHora_Modificacion DATETIME,
    A_SUC_DEFAULT INT, A_ULTIMO_NRO INT, A_NRO_DESDE INT, A_NRO_HASTA INT,
    VenceA DATETIME,
    B_SUC_DEFAULT INT, B_ULTIMO_NRO INT, B_NRO_DESDE INT, B_NRO_HASTA INT,
    VenceB DATETIME,
    C_SUC_DEFAULT INT, C_ULTIMO_NRO INT, C_NRO_DESDE INT, C_NRO_HASTA INT,
    VenceC DATETIME,
    E_SUC_DEFAULT INT, E_ULTIMO_NRO INT, E_NRO_DESDE INT, E_NRO_HASTA INT,
    VenceE DATETIME,
    R_SUC_DEFAULT INT, R_ULTIMO_NRO INT, R_NRO_DESDE INT, R_NRO_HASTA INT,
    VenceR DATETIME,
    X_SUC_DEFAULT INT, X_ULTIMO_NRO INT, X_NRO_DESDE INT, X_NRO_HASTA INT,
    VenceX DATETIME,
    M_SUC_DEFAULT INT, M_ULTIMO_NRO INT, M_NRO_DESDE INT, M_NRO_HASTA INT,
    VenceM DATETIME,
    PRIMARY KEY (CODIGO, TALONARIO)
);

-- One row per voucher type: the first numbering range of each.
CREATE VIEW VT_TA_CPTE AS
SELECT c.CODIGO AS Codigo, c.DESCRIPCION AS Descripcion, c.SISTEMA AS SISTEMA, c.ES AS ES,
       c.Signo AS Signo, c.DebeHaber AS DebeHaber
FROM V_TA_CPTE c
WHERE c.TALONARIO = (SELECT MIN(t.TALONARIO) FROM V_TA_CPTE t WHERE t.CODIGO = c.CODIGO);

CREATE TABLE TA_CONFIG_IMP_CPTE (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4),
    LETRA           VARCHAR(1),
    CANTLINEAS      INT DEFAULT 0
);
CREATE INDEX IX_CONFIG_IMP_CPTE ON TA_CONFIG_IMP_CPTE (TC, LETRA, ID);

CREATE TABLE V_TA_UnidadNegocio (
    codigo          VARCHAR(4) NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50),
    DEPOSITOSASOCIADOS VARCHAR(200),
    IDDEPOSITODIF   VARCHAR(4),
    MOTIVOPARADIFERENCIAS VARCHAR(4),
    MODIFICADIFERENCIAS INT
);

-- Deposits (also reached as @ADMIN_V_TA_DEPOSITO). Empresa not empty = a remote company.
CREATE TABLE V_TA_Deposito (
    IdDeposito      VARCHAR(4) NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50),
    UNIDADNEGOCIO   VARCHAR(4),
    Empresa         VARCHAR(50)
);
CREATE INDEX IX_DEPOSITO_UNEGOCIO ON V_TA_Deposito (UNIDADNEGOCIO, IdDeposito);

-- Minimum and maximum stock per deposit and article (@ADMIN_V_TA_DEPOSITO_MM).
CREATE TABLE V_TA_DEPOSITO_MM (
    idarticulo      VARCHAR(25) NOT NULL,
    iddeposito      VARCHAR(4) NOT NULL,
    Minimo          FLOAT DEFAULT 0,
    Maximo          FLOAT DEFAULT 0,
    PRIMARY KEY (idarticulo, iddeposito)
);

CREATE TABLE V_TA_MotivoStock (
    IdMotivoStock   VARCHAR(4) NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50),
    CUENTACONTABLE  VARCHAR(20)
);

CREATE TABLE V_TA_MotivoVta (
    IdMotivoVta     VARCHAR(4) NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50)
);

CREATE TABLE V_TA_Input_Ventas (
    IdMotivoVta     VARCHAR(4) NOT NULL PRIMARY KEY,
    COSTO_MERCADERIA VARCHAR(20)
);

CREATE TABLE V_TA_Unidad (
    IdUnidad        VARCHAR(4) NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50)
);

-- Article types; Tipo repeats IdTipo for the look-ups that name it so.
CREATE TABLE V_TA_TipoArticulo (
    IdTipo          VARCHAR(4) NOT NULL PRIMARY KEY,
    Tipo            VARCHAR(4),
    Descripcion     VARCHAR(50)
);

CREATE TABLE V_TA_Rubros (
    IdRubro         VARCHAR(4) NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50)
);

CREATE TABLE V_TA_Origen (
    IdOrigen        VARCHAR(4) NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50)
);

------------------------------------------------------------------------------------------
-- Articles, prices, units
------------------------------------------------------------------------------------------

-- Article master. The article lookup tries, in turn, IDARTICULO, codigobarra,
-- CODIGOBARRADUN (unit UD_TTE), CODIGOBARRA1..4 (units UMCB1..4), and the supplier's code
-- (CodigoArtProveedor with CuentaProveedor); each has its own index.
CREATE TABLE V_MA_ARTICULOS (
    IDARTICULO      VARCHAR(25) NOT NULL PRIMARY KEY,
    DESCRIPCION     VARCHAR(100),
    Descripabrev    VARCHAR(30),
    IDUNIDAD        VARCHAR(4),
    UD_STOCK        VARCHAR(4),
    IdTipo          VARCHAR(4),
    IdRubro         VARCHAR(4),
    IdFamilia       VARCHAR(20),
    Presentacion    VARCHAR(50),
    codigobarra     VARCHAR(25),
    CODIGOBARRADUN  VARCHAR(25),
    UD_TTE          VARCHAR(4),
    CODIGOBARRA1    VARCHAR(25),
    UMCB1           VARCHAR(4),
    CODIGOBARRA2    VARCHAR(25),
    UMCB2           VARCHAR(4),
    CODIGOBARRA3    VARCHAR(25),
    UMCB3           VARCHAR(4),
    CODIGOBARRA4    VARCHAR(25),
    UMCB4           VARCHAR(4),
    CodigoArtProveedor VARCHAR(25),
    CuentaProveedor VARCHAR(20),
    Costo           FLOAT DEFAULT 0,
    PRECIO          FLOAT DEFAULT 0,
    Impuestos       FLOAT DEFAULT 0,
    TasaIVA         FLOAT DEFAULT 21,
    Exento          INT DEFAULT 0,
    USASERIE        INT DEFAULT 0,
    USALOTE         INT DEFAULT 0,
    Perecedero      INT DEFAULT 0,
    UsaTalle        INT DEFAULT 0,
    InsumosPorPorcentaje INT,
    pesable         INT DEFAULT 0,
    PIDEMEDIDAS     VARCHAR(10),
    PIDEEQUIVALENCIA INT DEFAULT 0,
    SUSPENDIDO      INT DEFAULT 0,
    PuntoPedido     FLOAT DEFAULT 0,
    PuntoMaximo     FLOAT DEFAULT 0,
    RutaImagen      VARCHAR(255),
    PROCEDENCIA     VARCHAR(20),
    cuentacontableC VARCHAR(20),
    CuentaContable  VARCHAR(20)
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
    IDLISTA         VARCHAR(4) NOT NULL,
    TIPOLISTA       VARCHAR(1) NOT NULL,
    IDARTICULO      VARCHAR(25) NOT NULL,
    IDARTICULOPROVEEDOR VARCHAR(25),
    idunidad        VARCHAR(4),
    PRECIO          FLOAT DEFAULT 0,
    CONIVA          INT DEFAULT 0,
    PRIMARY KEY (IDLISTA, TIPOLISTA, IDARTICULO)
);
CREATE INDEX IX_PRECIOS_PROVEEDOR ON V_MA_PRECIOS (IDARTICULOPROVEEDOR, IDLISTA, TIPOLISTA);
CREATE INDEX IX_PRECIOS_ARTICULO ON V_MA_PRECIOS (IDARTICULO);

CREATE VIEW VT_MA_PRECIOS_ARTICULOS AS
SELECT IDARTICULO, IDLISTA, TIPOLISTA, CONIVA, PRECIO FROM V_MA_PRECIOS;

-- One IDUNIDAD is Coeficiente of IDUNIDAD_EQUIV; a row serves both directions.
CREATE TABLE S_TA_EQUIV (
    IdArticulo      VARCHAR(25) NOT NULL,
    IDUNIDAD        VARCHAR(4) NOT NULL,
    IDUNIDAD_EQUIV  VARCHAR(4) NOT NULL,
    Coeficiente     FLOAT,
    PRIMARY KEY (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV)
);

-- Production inputs of an article (IdArticuloInsumo may start with '*').
CREATE TABLE V_MA_INSUMOS (
    IDARTICULO      VARCHAR(25) NOT NULL,
    IdArticuloInsumo VARCHAR(25) NOT NULL,
    IdUnidadInsumo  VARCHAR(4),
    Cantidad        FLOAT,
    PRIMARY KEY (IDARTICULO, IdArticuloInsumo)
);

------------------------------------------------------------------------------------------
-- Stock
------------------------------------------------------------------------------------------

-- Balance per article, unit (EQUIVALENCIA) and deposit.
CREATE TABLE STK_SALDOS_UNIDADES (
    IDARTICULO      VARCHAR(25) NOT NULL,
    EQUIVALENCIA    VARCHAR(4) NOT NULL,
    IDDEPOSITO      VARCHAR(4) NOT NULL,
    Descripcion     VARCHAR(100),
    STOCK           FLOAT DEFAULT 0,
    PRIMARY KEY (IDARTICULO, EQUIVALENCIA, IDDEPOSITO)
);
CREATE INDEX IX_SALDOS_DEPOSITO ON STK_SALDOS_UNIDADES (IDDEPOSITO, IDARTICULO);

-- Unit count of weighed articles per deposit.
CREATE TABLE STK_STOCK_UDKG (
    IDARTICULO      VARCHAR(25) NOT NULL,
    IDDEPOSITO      VARCHAR(4) NOT NULL,
    CantidadUd      FLOAT DEFAULT 0,
    PRIMARY KEY (IDARTICULO, IDDEPOSITO)
);

-- Stock per lot, serial number and warehouse position.
CREATE TABLE STK_SERIES_Y_LOTES (
    Id              INT IDENTITY(1,1) PRIMARY KEY,
    IDARTICULO      VARCHAR(25) NOT NULL,
    IdDeposito      VARCHAR(4) NOT NULL,
    NroLote         VARCHAR(25),
    NroSerie        VARCHAR(25),
    IdPosicion      VARCHAR(15),
    CANTIDAD        FLOAT DEFAULT 0
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
    NroLote         VARCHAR(25) NOT NULL PRIMARY KEY,
    ControladoPor   VARCHAR(50),
    Descripcion     VARCHAR(100),
    IdOrigen        VARCHAR(4)
);

-- Warehouse positions of a deposit; TITULO not 0 = a heading, not a place.
CREATE TABLE MA_POSICIONES (
    IdDeposito      VARCHAR(4) NOT NULL,
    IdPosicion      VARCHAR(15) NOT NULL,
    Descripcion     VARCHAR(50),
    OrdenIngreso    INT,
    TITULO          INT DEFAULT 0,
    IdArticulo      VARCHAR(25),
    IdFamilia       VARCHAR(20),
    IdTipo          VARCHAR(4),
    IdRubro         VARCHAR(4),
    IdUnidad        VARCHAR(4),
    Capacidad       FLOAT,
    PRIMARY KEY (IdDeposito, IdPosicion)
);

-- Balance per deposit, position, article and lot.
CREATE TABLE AC_SALDOSLAYOUT (
    IdDeposito      VARCHAR(4) NOT NULL,
    IdPosicion      VARCHAR(15),
    IdArticulo      VARCHAR(25) NOT NULL,
    NroLote         VARCHAR(25),
    IdUnidadBase    VARCHAR(4),
    Saldo           FLOAT DEFAULT 0
);
CREATE INDEX IX_SALDOSLAYOUT ON AC_SALDOSLAYOUT (IdDeposito, IdArticulo, IdPosicion);

-- Stock movements (written by the stock posting).
CREATE TABLE V_MV_STOCK (
    TC              VARCHAR(4) NOT NULL,
    IdComprobante   VARCHAR(13) NOT NULL,
    IdComplemento   INT DEFAULT 0,
    Secuencia       FLOAT,
    Fecha           DATETIME,
    IdCaja          VARCHAR(4),
    IdDeposito      VARCHAR(4),
    IDDEPOSITO_DESTINO VARCHAR(4),
    IdPosicion      VARCHAR(15),
    IdArticulo      VARCHAR(25),
    Descripcion     VARCHAR(255),
    NroLote         VARCHAR(25),
    ControladoPor   VARCHAR(50),
    IdOrigen        VARCHAR(4),
    NroSerie        VARCHAR(25),
    IdUnidad        VARCHAR(4),
    Cantidad        FLOAT,
    CantidadUD      FLOAT,
    IdUnidadBase    VARCHAR(4),
    CuentaProveedor VARCHAR(20),
    IdMotivoStock   VARCHAR(4),
    PrecioVenta     FLOAT,
    Importe_S_Iva   FLOAT,
    Costo           FLOAT,
    Impuestos       FLOAT,
    DtoItem         FLOAT,
    Tc_Origen       VARCHAR(4),
    IdComprobante_Origen VARCHAR(13),
    Id_Origen       FLOAT,
    IVARI           FLOAT,
    IVARNI          FLOAT,
    IdTecnico       VARCHAR(4),
    EQUIV_UDBASE    FLOAT,
    IDINSERT        FLOAT,
    IDCOMPULSA      FLOAT,
    Oferta          FLOAT,
    IdVendedor      VARCHAR(10),
    Importe_Ud      FLOAT,
    Ud_Pr           VARCHAR(4),
    UNEGOCIO        VARCHAR(4),
    ARTMONEDA       VARCHAR(4),
    ARTCOTIZACION   FLOAT,
    EnComodato      INT,
    CANT_BL         INT,
    CANT_KG         INT,
    CANT_M3         INT,
    IDVIAJE         VARCHAR(10),
    Revisado        INT DEFAULT 0
);
CREATE INDEX IX_MV_STOCK_CPTE ON V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia);
CREATE INDEX IX_MV_STOCK_ORIGEN ON V_MV_STOCK (Tc_Origen, IdComprobante_Origen);
CREATE INDEX IX_MV_STOCK_ARTICULO ON V_MV_STOCK (IdArticulo, NroLote);

------------------------------------------------------------------------------------------
-- Vouchers, applications, numbering, accounting
------------------------------------------------------------------------------------------

CREATE TABLE V_MV_CPTE (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4) NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) NOT NULL,
    IDCOMPLEMENTO   INT DEFAULT 0,
    SUCURSAL        VARCHAR(4),
    NUMERO          VARCHAR(8),
    LETRA           VARCHAR(1),
    CUENTA          VARCHAR(20),
    Nombre          VARCHAR(100),
    FECHA           DATETIME,
    Importe         FLOAT,
    ANULADA         INT DEFAULT 0,
    APROBADO        INT DEFAULT 0,
    COMPLEMENTARIO  INT DEFAULT 0,
    FINALIZADA      INT DEFAULT 0,
    BLOQUEADA       INT DEFAULT 0,
    OBSERVACIONES   VARCHAR(MAX),
    comentarios     VARCHAR(MAX),
    FechaHora_Grabacion DATETIME,
    fechahora_modificacion DATETIME,
    FechaPreparacion DATETIME,
    IdPalm          VARCHAR(20),
    IdReparto       INT,
    Cotizacion      FLOAT,
    CondicionIva    VARCHAR(20),
    EnComodato      INT DEFAULT 0,
    TCORIGEN        VARCHAR(4),
    COMPROBANTEORIGEN VARCHAR(13),
    COMPLEMENTOORIGEN INT
);
CREATE INDEX IX_V_MV_CPTE ON V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO);
CREATE INDEX IX_V_MV_CPTE_ORIGEN ON V_MV_CPTE (TCORIGEN, COMPROBANTEORIGEN);

CREATE TABLE C_MV_CPTE (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4) NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) NOT NULL,
    IDCOMPLEMENTO   INT DEFAULT 0,
    SUCURSAL        VARCHAR(4),
    NUMERO          VARCHAR(8),
    LETRA           VARCHAR(1),
    CUENTA          VARCHAR(20),
    NOMBRE          VARCHAR(100),
    FECHA           DATETIME,
    Importe         FLOAT,
    ANULADA         INT DEFAULT 0,
    APROBADO        INT DEFAULT 0,
    FINALIZADO      INT DEFAULT 0,
    Garantia        INT DEFAULT 0,
    comentarios     VARCHAR(MAX),
    FechaRecepcion  DATETIME,
    IdReparto       INT,
    Cotizacion      FLOAT,
    CondicionIva    VARCHAR(20),
    EnComodato      INT DEFAULT 0,
    TCORIGEN        VARCHAR(4),
    COMPROBANTEORIGEN VARCHAR(13),
    COMPLEMENTOORIGEN INT
);
CREATE INDEX IX_C_MV_CPTE ON C_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO);

-- Article lines of vouchers (V_ = sales side, C_ = purchases).
CREATE TABLE V_MV_CPTEINSUMOS (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4) NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) NOT NULL,
    IdComplemento   INT DEFAULT 0,
    CUENTA          VARCHAR(20),
    PALLETS         INT,
    Secuencia       FLOAT,
    IdArticulo      VARCHAR(25),
    Descripcion     VARCHAR(255),
    IdUnidad        VARCHAR(4),
    IdUnidadBase    VARCHAR(4),
    Cantidad        FLOAT,
    Cantidadpreparada FLOAT,
    CANTIDADAFACTURAR FLOAT,
    Recepcion       FLOAT,
    CANT_KG         FLOAT,
    CantidadUd      FLOAT,
    Cant_BL         FLOAT,
    CANT_M3         FLOAT,
    Equiv_UDBase    FLOAT,
    Importe         FLOAT,
    Importe_S_IVA   FLOAT,
    Impuestos       FLOAT,
    iTC             FLOAT,
    Total           FLOAT,
    TotalFinal      FLOAT,
    Exento          INT,
    AlicIVA         FLOAT,
    PorcDto         FLOAT,
    IdLista         VARCHAR(4),
    IdDeposito      VARCHAR(4),
    Presentacion    VARCHAR(50),
    Costo           FLOAT,
    Nro_Lote        VARCHAR(MAX),
    Nro_Serie       VARCHAR(MAX),
    ControladoPor   VARCHAR(50),
    IdOrigen        VARCHAR(4),
    Precio_Lista    FLOAT,
    CodigoArtProveedor VARCHAR(25),
    Espesor         FLOAT,
    Ancho           FLOAT,
    Ud_Pr           VARCHAR(4),
    Importe_Ud      FLOAT
);
CREATE INDEX IX_V_MV_CPTEINSUMOS ON V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento);

CREATE TABLE C_MV_CPTEINSUMOS (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4) NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) NOT NULL,
    IdComplemento   INT DEFAULT 0,
    CUENTA          VARCHAR(20),
    PALLETS         INT,
    Secuencia       FLOAT,
    IdArticulo      VARCHAR(25),
    Descripcion     VARCHAR(255),
    IdUnidad        VARCHAR(4),
    IdUnidadBase    VARCHAR(4),
    Cantidad        FLOAT,
    Cantidadpreparada FLOAT,
    CANTIDADAFACTURAR FLOAT,
    Recepcion       FLOAT,
    CANT_KG         FLOAT,
    CantidadUd      FLOAT,
    Cant_BL         FLOAT,
    CANT_M3         FLOAT,
    Equiv_UDBase    FLOAT,
    Importe         FLOAT,
    Importe_S_IVA   FLOAT,
    Impuestos       FLOAT,
    iTC             FLOAT,
    Total           FLOAT,
    TotalFinal      FLOAT,
    Exento          INT,
    AlicIVA         FLOAT,
    PorcDto         FLOAT,
    IdLista         VARCHAR(4),
    IdDeposito      VARCHAR(4),
    Presentacion    VARCHAR(50),
    Costo           FLOAT,
    Nro_Lote        VARCHAR(MAX),
    Nro_Serie       VARCHAR(MAX),
    ControladoPor   VARCHAR(50),
    IdOrigen        VARCHAR(4),
    Precio_Lista    FLOAT,
    CodigoArtProveedor VARCHAR(25),
    Espesor         FLOAT,
    Ancho           FLOAT,
    Ud_Pr           VARCHAR(4),
    Importe_Ud      FLOAT
);
CREATE INDEX IX_C_MV_CPTEINSUMOS ON C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento);

-- Task lines of vouchers.
CREATE TABLE V_MV_CPTETAREAS (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4) NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) NOT NULL,
    IdComplemento   INT DEFAULT 0,
    CUENTA          VARCHAR(20),
    IDTAREA         VARCHAR(10),
    Descripcion     VARCHAR(255),
    Horas           FLOAT,
    ValorHora       FLOAT,
    valorHora_S_Iva FLOAT,
    Total           FLOAT,
    descripcionadicional VARCHAR(MAX),
    FechaEstInicio  DATETIME,
    FechaEstFin     DATETIME,
    IdTecnico       VARCHAR(4),
    FechaREALInicio DATETIME,
    FechaREALFin    DATETIME,
    Prioridad       INT,
    Usuario         VARCHAR(50),
    FHPRESENTACION  DATETIME,
    FHEMISION       DATETIME,
    NROEXP          VARCHAR(20),
    FhEntrega       DATETIME
);

CREATE TABLE C_MV_CPTETAREAS (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4) NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) NOT NULL,
    IdComplemento   INT DEFAULT 0,
    CUENTA          VARCHAR(20),
    IDTAREA         VARCHAR(10),
    Descripcion     VARCHAR(255),
    Horas           FLOAT,
    ValorHora       FLOAT,
    valorHora_S_Iva FLOAT,
    Total           FLOAT,
    descripcionadicional VARCHAR(MAX),
    FechaEstInicio  DATETIME,
    FechaEstFin     DATETIME,
    IdTecnico       VARCHAR(4),
    FechaREALInicio DATETIME,
    FechaREALFin    DATETIME,
    Prioridad       INT,
    Usuario         VARCHAR(50),
    FHPRESENTACION  DATETIME,
    FHEMISION       DATETIME,
    NROEXP          VARCHAR(20),
    FhEntrega       DATETIME
);

-- Other concepts of vouchers.
CREATE TABLE V_MV_CPTE_Observ (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4) NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) NOT NULL,
    IdComplemento   INT DEFAULT 0,
    CUENTA          VARCHAR(20),
    TIPO_OBS        VARCHAR(4),
    Observacion     VARCHAR(MAX),
    Importe         FLOAT,
    Importe_S_IVA   FLOAT,
    NroViaje        VARCHAR(20)
);

CREATE TABLE C_MV_CPTE_Observ (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4) NOT NULL,
    IDCOMPROBANTE   VARCHAR(13) NOT NULL,
    IdComplemento   INT DEFAULT 0,
    CUENTA          VARCHAR(20),
    TIPO_OBS        VARCHAR(4),
    Observacion     VARCHAR(MAX),
    Importe         FLOAT,
    Importe_S_IVA   FLOAT,
    NroViaje        VARCHAR(20)
);

-- Lookup sources of the voucher lookup window.
CREATE TABLE V_MV_CPTETERCEROS (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    Fecha           DATETIME,
    IdComprobante   VARCHAR(13),
    IdComplemento   INT DEFAULT 0,
    FECHAENVIADO    DATETIME,
    FECHARECIBIDO   DATETIME
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
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4),
    IDCOMPROBANTE   VARCHAR(13),
    TCO_ORIGEN      VARCHAR(4),
    IDComprobante_Origen VARCHAR(13)
);
CREATE INDEX IX_MV_APLICACION ON MV_APLICACION (TC, IDCOMPROBANTE);
CREATE INDEX IX_MV_APLICACION_ORIGEN ON MV_APLICACION (TCO_ORIGEN, IDComprobante_Origen);

-- Applied quantities per origin line, ordered and delivered quantities.
CREATE TABLE VT_V_MV_INSUMOS_APLICACION (
    TCO_ORIGEN      VARCHAR(4),
    IDCOMPROBANTEORIGEN VARCHAR(13),
    IDARTICULO      VARCHAR(25),
    CantidadAplicada FLOAT
);

-- Ordered quantity per voucher and article.
CREATE VIEW VT_V_MV_CPTEINSUMOS_CONS2 AS
SELECT TC, IDCOMPROBANTE, IdArticulo AS IDARTICULO, SUM(Cantidad) AS Cantidad
FROM V_MV_CPTEINSUMOS
GROUP BY TC, IDCOMPROBANTE, IdArticulo;
CREATE INDEX IX_V_MV_CPTEINSUMOS_ARTICULO ON V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdArticulo);

CREATE VIEW VT_V_MV_Stock_Cons AS
SELECT Tc_Origen AS TC, IdComprobante_Origen AS IDCOMPROBANTE, IdArticulo AS IDARTICULO,
       Cantidad AS CANTIDAD
FROM V_MV_STOCK;

-- Audit row of voucher actions.
CREATE TABLE V_MV_CPTEACCIONES (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4),
    IdComprobante   VARCHAR(13),
    IdComplemento   INT,
    Tipo_accion     VARCHAR(1),
    FECHAHORA       DATETIME,
    Usuario         VARCHAR(50),
    PC              VARCHAR(50),
    SYSTEMUSER      VARCHAR(50),
    NUMEROASIENTO   FLOAT
);

-- Numbers already used per voucher type.
CREATE TABLE V_MV_CTROL_CPTE (
    TC              VARCHAR(4) NOT NULL,
    SUCURSAL        VARCHAR(4) NOT NULL,
    NUMERO          VARCHAR(8) NOT NULL,
    LETRA           VARCHAR(1) NOT NULL,
    PRIMARY KEY (TC, SUCURSAL, NUMERO, LETRA)
);

CREATE TABLE MV_VIAJES (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    TC              VARCHAR(4),
    IDCOMPROBANTE   VARCHAR(13)
);

CREATE TABLE MA_CUENTAS (
    Codigo          VARCHAR(20) NOT NULL PRIMARY KEY,
    CodigoOpcional  VARCHAR(20),
    DESCRIPCION     VARCHAR(100),
    Titulo          INT DEFAULT 0
);
CREATE INDEX IX_CUENTAS_OPCIONAL ON MA_CUENTAS (CodigoOpcional);

-- Accounting entries (also reached as @ADMIN_MV_ASIENTOS).
CREATE TABLE MV_ASIENTOS (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    Cuenta          VARCHAR(20),
    Secuencia       INT,
    Mes_Operativo   INT,
    [Numero Asiento] INT,
    Fecha           DATETIME,
    FechaSubDiario  DATETIME,
    Detalle         VARCHAR(255),
    TC              VARCHAR(4),
    SUCURSAL        VARCHAR(4),
    NUMERO          VARCHAR(8),
    LETRA           VARCHAR(1),
    PERIODO         INT,
    Tipo_Reg        VARCHAR(4),
    [DEBE-HABER]    VARCHAR(1),
    FechaHora_Grabacion DATETIME,
    USUARIO_LOGEADO VARCHAR(50),
    Importe         FLOAT,
    Moneda          VARCHAR(4),
    Cotizacion      FLOAT,
    CABImporte      FLOAT,
    CABCuenta       VARCHAR(20),
    CABNombre       VARCHAR(100),
    Unegocio        VARCHAR(4),
    IdCajas         VARCHAR(4),
    TC_ORIGEN       VARCHAR(4),
    CPTE_ORIGEN     VARCHAR(13)
);
CREATE INDEX IX_ASIENTOS_CPTE ON MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA);
CREATE INDEX IX_ASIENTOS_NUMERO ON MV_ASIENTOS (Mes_Operativo, PERIODO, [Numero Asiento]);

-- Cost-centre entries (@ADMIN_MV_ASIENTOSCCOSTO).
CREATE TABLE MV_ASIENTOSCCOSTO (
    ID              INT IDENTITY(1,1) PRIMARY KEY,
    MES_OPERATIVO   INT,
    TIPO_REG        VARCHAR(4),
    PERIODO         INT,
    [NUMERO ASIENTO] INT
);

CREATE TABLE MA_SUBDIARIOSCOMPROBANTES (
    TC              VARCHAR(4) NOT NULL PRIMARY KEY,
    Subdiario       VARCHAR(10)
);

CREATE TABLE MA_SUBDIARIOS (
    CODIGO          VARCHAR(10) NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(50)
);

CREATE TABLE V_MV_CARGOSAPLICADOS (
    id              INT IDENTITY(1,1) PRIMARY KEY,
    CUENTA          VARCHAR(20),
    Fecha           DATETIME,
    Matricula       VARCHAR(20),
    Concepto        VARCHAR(100),
    Observaciones   VARCHAR(MAX),
    Importe         FLOAT,
    SALDO           FLOAT
);
CREATE INDEX IX_CARGOS_CUENTA ON V_MV_CARGOSAPLICADOS (CUENTA);

------------------------------------------------------------------------------------------
-- Customers and suppliers (search entities)
------------------------------------------------------------------------------------------

CREATE TABLE VT_CLIENTES (
    CODIGO          VARCHAR(20) NOT NULL PRIMARY KEY,
    RAZON_SOCIAL    VARCHAR(100),
    CONTACTO        VARCHAR(100),
    NUMERO_DOCUMENTO VARCHAR(20),
    Dada_De_Baja    INT DEFAULT 0
);

CREATE TABLE VT_PROVEEDORES (
    CODIGO          VARCHAR(20) NOT NULL PRIMARY KEY,
    RAZON_SOCIAL    VARCHAR(100),
    Dada_De_Baja    INT DEFAULT 0
);

------------------------------------------------------------------------------------------
-- Search entities of the look-ups (contacts, delivery recipients, e-mail events, cattle lots,
-- streets and localities)
------------------------------------------------------------------------------------------

CREATE TABLE MA_CONTACTOS (
    idContacto      INT IDENTITY(1,1) PRIMARY KEY,
    Nombre_y_Apellido VARCHAR(100),
    Domicilio       VARCHAR(100),
    Localidad       VARCHAR(50),
    Telefono        VARCHAR(30)
);

-- A recipient's Id is customer (4), code (16) and branch (6) joined.
CREATE TABLE MA_DESTINATARIOS (
    Cliente         VARCHAR(4) NOT NULL,
    Codigo          VARCHAR(16) NOT NULL,
    Sucursal        VARCHAR(6) NOT NULL,
    Nombre          VARCHAR(100),
    Domicilio       VARCHAR(100),
    PRIMARY KEY (Cliente, Codigo, Sucursal)
);

CREATE TABLE V_MA_EMAIL (
    Evento          VARCHAR(50) NOT NULL PRIMARY KEY,
    Descripcion     VARCHAR(100),
    Destinatarios   VARCHAR(200)
);

CREATE TABLE V_MV_TROPA (
    IdTropa         VARCHAR(20) NOT NULL PRIMARY KEY,
    FechaDte        DATETIME,
    Dte             VARCHAR(20),
    Patente         VARCHAR(10),
    Chofer          VARCHAR(50),
    NroGuia         VARCHAR(20),
    CuitVendedor    VARCHAR(13)
);

CREATE TABLE VT_MAPINFO_CALLES (
    STREET          VARCHAR(100) NOT NULL,
    LOCALIDAD       VARCHAR(50)
);

CREATE TABLE MAPINFO_LOCALIDADES (
    LOCALIDAD       VARCHAR(50) NOT NULL,
    PARTIDO         VARCHAR(50),
    Cod_postal      VARCHAR(8)
);


------------------------------------------------------------------------------------------
-- Indexes of the program's look-ups by key (as on the embedded file; the look-ups by a trimmed
-- code and the highest numbered lot are the server's to plan)
------------------------------------------------------------------------------------------

CREATE INDEX IX_CONTROL_ACCESO_SESION ON Control_Acceso (Maquina, Usuario, Formulario, Ingreso);
CREATE INDEX IX_TIPOARTICULO_TIPO ON V_TA_TipoArticulo (Tipo);
CREATE INDEX IX_MV_STOCK_LOTE ON V_MV_STOCK (NroLote);
CREATE INDEX IX_V_MV_CPTETAREAS ON V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IdComplemento);
CREATE INDEX IX_C_MV_CPTETAREAS ON C_MV_CPTETAREAS (TC, IDCOMPROBANTE, IdComplemento);
CREATE INDEX IX_V_MV_CPTE_OBSERV ON V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IdComplemento);
CREATE INDEX IX_C_MV_CPTE_OBSERV ON C_MV_CPTE_Observ (TC, IDCOMPROBANTE, IdComplemento);
CREATE INDEX IX_INSUMOS_APLICACION_ORIGEN ON VT_V_MV_INSUMOS_APLICACION (IDCOMPROBANTEORIGEN, TCO_ORIGEN);
CREATE INDEX IX_MV_VIAJES ON MV_VIAJES (TC, IDCOMPROBANTE);
CREATE INDEX IX_ASIENTOS_TIPO_NUMERO ON MV_ASIENTOS (Mes_Operativo, Tipo_Reg, PERIODO, [Numero Asiento]);
CREATE INDEX IX_ASIENTOS_SERIE ON MV_ASIENTOS (TC, SUCURSAL, LETRA, NUMERO);
CREATE INDEX IX_ASIENTOSCCOSTO_NUMERO ON MV_ASIENTOSCCOSTO (MES_OPERATIVO, TIPO_REG, PERIODO, [NUMERO ASIENTO]);

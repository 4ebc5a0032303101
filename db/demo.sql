-- Demo data of the embedded database: one business with its deposits, stock motives, voucher
-- types, units, a few hundred articles with their bar codes, equivalences and stock, the demo
-- user DEMO and the settings the editor reads. Run after esquema.sql.
--
-- Codes are stored filled to their width: '   1' for a deposit, unit or type (4, right-aligned),
-- articles, lots and serial numbers to 25 and positions to 15 (right-aligned when all digits,
-- left-aligned otherwise). Bar codes are made of digits, so they are stored right-aligned in 25.

------------------------------------------------------------------------------------------
-- Settings
------------------------------------------------------------------------------------------

INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio, ValorAux) VALUES
    ('GENERAL', 'THEME', '1', 0, ''),
    ('GENERAL', 'PERIODO', '2025', 0, ''),
    ('GENERAL', 'UNEGOCIO', '   1', 0, ''),
    ('GENERAL', 'CANTIDADDECIMALES', '2', 0, ''),
    ('GENERAL', 'SEPARADORHORA', ':', 0, ''),
    ('GENERAL', 'TITULOCLIENTES', 'Clientes', 0, ''),
    ('GENERAL', 'TITULOPROVEEDORES', 'Proveedores', 0, ''),
    ('GENERAL', 'TOP_DEFAULT', '1000', 0, ''),
    ('GENERAL', 'CONDIVAEMPRESA', '1', 0, ''),
    ('GENERAL', 'CONDIVA', '1', 0, ''),
    ('GENERAL', 'PIVA', '21', 0, ''),
    ('GENERAL', 'PIVAREC', '10.5', 0, ''),
    ('GENERAL', 'RAZONSOCIALPORUNEG', 'NO', 0, ''),
    ('GENERAL', 'MODULOORDENDETRABAJO', 'NO', 0, ''),
    ('GENERAL', 'UTILIZARFECHADIA', 'NO', 0, ''),
    ('GENERAL', 'CFONDO', '12648447', 0, ''),
    ('GENERAL', 'CLETRA', '0', 0, ''),
    ('CONSULTAS', 'MOSTRARSTOCKENCONSULTAS', 'SI', 0, ''),
    ('CONSULTAS', 'USACONSULTALIKE', 'SI', 0, ''),
    ('CONSULTAS', 'TOPCONSART', '1000', 0, ''),
    ('CONSULTAS', 'CONSULTAARTICULOCONIMAGEN', 'NO', 0, ''),
    ('CONSULTAS', 'EXIGECLAVECONSULTALIKEARTICULOS', 'NO', 0, ''),
    ('ARTICULOS', 'NOMBREARTICULOS', 'Código', 0, ''),
    ('ARTICULOS', 'USATIPOARTENDESCRIPCIONDEART', 'NO', 0, ''),
    ('ARTICULOS', 'VALIDACODIGOBARRA', 'NO', 0, ''),
    ('ARTICULOS', 'LENDESCRIPCION', '100', 0, ''),
    -- Weighing-scale labels: "2", "0", five article digits, five weight digits in grams, check.
    ('ARTICULOS', 'TIPOEAN', '0CCCCCPPPPP', 0, ''),
    ('ARTICULOS', 'DECIMALESEAN', '2', 0, ''),
    ('STOCK', 'UNIDADDEMEDIDA_KG', 'KG', 0, ''),
    ('STOCK', 'UNIDADDEMEDIDA_BL', 'BL', 0, ''),
    ('STOCK', 'UNIDADDEMEDIDA_M3', 'M3', 0, ''),
    ('STOCK', 'USA_STK_STOCK_UDKG', 'NO', 0, ''),
    ('STOCK', 'DEPOSITODEFAULT', '1', 0, ''),
    ('STOCK', 'MOTIVOSTOCKDEFAULT', '1', 0, ''),
    ('STOCK', 'MOTIVOSTOCKTRANSFERENCIAS', '3', 0, ''),
    ('STOCK', 'PIDEDEPOSITOENCPTES', 'NO', 0, ''),
    ('STOCK', 'CONFIRMAUDEQUIV', 'NO', 0, ''),
    ('STOCK', 'ASIENTOSXSTOCK', 'NO', 0, ''),
    ('STOCK', 'ASIGNACIONAUTOMATICADELOTEING', 'NO', 0, ''),
    ('STOCK', 'ASIGNACIONAUTOMATICADELOTEINGOP', 'NO', 0, ''),
    ('STOCK', 'IMPORTAMOV', 'Codigo,Cantidad             (Sep: ,) coma', 0, ''),
    -- Cell colours of the stock levels (red + 256 x green + 65536 x blue).
    ('STOCK', 'STK_NIVEL1', '15794160', 0, ''),
    ('STOCK', 'STK_NIVEL2', '13434828', 0, ''),
    ('STOCK', 'STK_NIVEL3', '13421823', 0, ''),
    ('STOCK', 'STK_NIVEL4', '13434879', 0, ''),
    ('VENTAS', 'V_LISTAPRECIOSPORITEMARTICULOS', 'NO', 0, ''),
    ('VENTAS', 'V_DESCUENTOPORARTICULOS', 'NO', 0, ''),
    ('VENTAS', 'TRANSPORTECOMBUSTIBLES', 'NO', 0, ''),
    ('VENTAS', 'NOMOSTRARIMPORTESENOT', 'NO', 0, ''),
    ('VENTAS', 'MADERERA', 'NO', 0, ''),
    ('COMPRAS', 'COMPRASDESCUENTOPORARTICULO', 'NO', 0, ''),
    -- Warehouse positions: aisle (2), rack (3), level (2), place (3).
    ('LAYOUT', 'LAYOUT_NIVEL1', '2', 0, ''),
    ('LAYOUT', 'LAYOUT_NIVEL2', '3', 0, ''),
    ('LAYOUT', 'LAYOUT_NIVEL3', '2', 0, ''),
    ('LAYOUT', 'LAYOUT_NIVEL4', '3', 0, ''),
    ('LAYOUT', 'TIT_LAYOUT_NIVEL_1', 'PASILLO', 0, ''),
    ('LAYOUT', 'TIT_LAYOUT_NIVEL_2', 'ESTANTERIA', 0, ''),
    ('LAYOUT', 'TIT_LAYOUT_NIVEL_3', 'NIVEL', 0, ''),
    ('LAYOUT', 'TIT_LAYOUT_NIVEL_4', 'POSICION', 0, ''),
    ('LAYOUT', 'ARTICULO_LAYOUT_NIVEL_1', 'EL', 0, ''),
    ('LAYOUT', 'ARTICULO_LAYOUT_NIVEL_2', 'LA', 0, ''),
    ('LAYOUT', 'ARTICULO_LAYOUT_NIVEL_3', 'EL', 0, ''),
    ('LAYOUT', 'ARTICULO_LAYOUT_NIVEL_4', 'LA', 0, ''),
    ('LAYOUT', 'PLURAL_LAYOUT_NIVEL_1', 'PASILLOS', 0, ''),
    ('LAYOUT', 'PLURAL_LAYOUT_NIVEL_2', 'ESTANTERIAS', 0, ''),
    ('LAYOUT', 'PLURAL_LAYOUT_NIVEL_3', 'NIVELES', 0, ''),
    ('LAYOUT', 'PLURAL_LAYOUT_NIVEL_4', 'POSICIONES', 0, ''),
    ('LAYOUT', 'FLIA_NIVEL1', '2', 0, ''),
    ('LAYOUT', 'FLIA_NIVEL2', '2', 0, ''),
    ('LAYOUT', 'FLIA_NIVEL3', '3', 0, '');

------------------------------------------------------------------------------------------
-- Business, deposits, cash desk, user
------------------------------------------------------------------------------------------

INSERT INTO V_TA_UnidadNegocio (codigo, Descripcion, DEPOSITOSASOCIADOS, IDDEPOSITODIF,
                                MOTIVOPARADIFERENCIAS, MODIFICADIFERENCIAS) VALUES
    ('   1', 'Casa Central', NULL, '   1', '   1', 0),
    ('   2', 'Mayorista', NULL, '  10', '   1', 0);

INSERT INTO V_TA_Deposito (IdDeposito, Descripcion, UNIDADNEGOCIO, Empresa) VALUES
    ('   1', 'Depósito Central', '   1', ''),
    ('   2', 'Depósito Norte', '   1', ''),
    ('   3', 'Local Centro', '   1', ''),
    ('   4', 'Depósito de terceros', '   1', 'Logística Remota S.A.'),
    ('  10', 'Depósito Mayorista', '   2', '');

INSERT INTO V_TA_Cajas (IdCajas, Descripcion) VALUES ('   1', 'Caja 1');

INSERT INTO TA_USUARIOS (Nombre, NombreCompleto, UNegocio, IDDEPOSITO, verproforma, sucot, letot) VALUES
    ('DEMO', 'Usuario de demostración', '   1', '   1', 0, '0001', 'X');

------------------------------------------------------------------------------------------
-- Parameter tables
------------------------------------------------------------------------------------------

INSERT INTO V_TA_MotivoStock (IdMotivoStock, Descripcion, CUENTACONTABLE) VALUES
    ('   1', 'Ajuste por inventario', '5.1.3.01'),
    ('   2', 'Rotura y merma', '5.1.3.02'),
    ('   3', 'Transferencia entre depósitos', '1.1.5.01'),
    ('   4', 'Consumo interno', '5.1.3.03'),
    ('   5', 'Vencimiento', '5.1.3.04'),
    ('   6', 'Devolución de cliente', '1.1.5.01');

INSERT INTO V_TA_MotivoVta (IdMotivoVta, Descripcion) VALUES ('   1', 'Venta mostrador');
INSERT INTO V_TA_Input_Ventas (IdMotivoVta, COSTO_MERCADERIA) VALUES ('   1', '5.1.1.01');

INSERT INTO V_TA_Unidad (IdUnidad, Descripcion) VALUES
    ('  UN', 'Unidad'),
    ('  KG', 'Kilogramo'),
    ('  GR', 'Gramo'),
    ('  LT', 'Litro'),
    ('  MT', 'Metro'),
    ('  M3', 'Metro cúbico'),
    (' DOC', 'Docena'),
    ('  PQ', 'Paquete'),
    ('  CJ', 'Caja'),
    ('  BL', 'Bulto');

INSERT INTO V_TA_TipoArticulo (IdTipo, Tipo, Descripcion) VALUES
    ('   1', '   1', 'Mercadería de reventa'),
    ('   2', '   2', 'Insumo'),
    ('   3', '   3', 'Producto elaborado');

INSERT INTO V_TA_Rubros (IdRubro, Descripcion) VALUES
    ('   1', 'Ferretería'),
    ('   2', 'Almacén'),
    ('   3', 'Limpieza'),
    ('   4', 'Bebidas'),
    ('   5', 'Fiambrería');

INSERT INTO V_TA_Origen (IdOrigen, Descripcion) VALUES
    (' ARG', 'Argentina'),
    (' BRA', 'Brasil'),
    (' CHN', 'China'),
    (' USA', 'Estados Unidos');

-- Voucher types: the stock ones (SISTEMA 'STOCK', ES gives the direction) and a few of sales
-- and purchases. One numbering range each; the stock types number with the letter X.
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, ES, Signo, DebeHaber, Letras,
                       UNEGOCIO, Modificanumeracion, Externo, FechaHora_Modificacion,
                       A_SUC_DEFAULT, A_ULTIMO_NRO, A_NRO_DESDE, A_NRO_HASTA, VenceA,
                       B_SUC_DEFAULT, B_ULTIMO_NRO, B_NRO_DESDE, B_NRO_HASTA, VenceB,
                       X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA, VenceX) VALUES
    ('  IR', 1, 'Informe de recepción', 'STOCK', 'E', NULL, 'D', 'X', '', 'SI', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 0, 1, 99999999, ''),
    ('  SI', 1, 'Stock inicial', 'STOCK', 'E', NULL, 'D', 'X', '', 'SI', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 0, 1, 99999999, ''),
    (' AJP', 1, 'Ajuste positivo de stock', 'STOCK', 'E', NULL, 'D', 'X', '', 'SI', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 0, 1, 99999999, ''),
    (' AJN', 1, 'Ajuste negativo de stock', 'STOCK', 'S', NULL, 'H', 'X', '', 'SI', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 0, 1, 99999999, ''),
    ('  TR', 1, 'Transferencia entre depósitos', 'STOCK', 'S', NULL, 'H', 'X', '', 'SI', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 0, 1, 99999999, ''),
    ('  VS', 1, 'Vale de salida', 'STOCK', 'S', NULL, 'H', 'X', '', 'SI', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 0, 1, 99999999, ''),
    ('  FC', 1, 'Factura de venta', 'VENTAS', 'S', NULL, 'D', 'AB', '', 'NO', 0, '2025-01-02 09:00:00',
     1, 0, 1, 99999999, '', 1, 0, 1, 99999999, '', NULL, NULL, NULL, NULL, ''),
    ('  NC', 1, 'Nota de crédito', 'VENTAS', 'E', -1, 'H', 'AB', '', 'NO', 0, '2025-01-02 09:00:00',
     1, 0, 1, 99999999, '', 1, 0, 1, 99999999, '', NULL, NULL, NULL, NULL, ''),
    ('  RM', 1, 'Remito', 'VENTAS', 'S', NULL, 'D', 'R', '', 'NO', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, ''),
    ('  NP', 1, 'Nota de pedido', 'VENTAS', '', NULL, 'D', 'X', '', 'SI', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 0, 1, 99999999, ''),
    (' FCC', 1, 'Factura de compra', 'Compras', 'E', NULL, 'H', 'ABC', '', 'SI', 1, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, ''),
    ('  OC', 1, 'Orden de compra', 'Compras', '', NULL, 'H', 'X', '', 'SI', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 0, 1, 99999999, '');

UPDATE V_TA_CPTE SET R_SUC_DEFAULT = 1, R_ULTIMO_NRO = 0, R_NRO_DESDE = 1, R_NRO_HASTA = 99999999,
                     VenceR = ''
WHERE CODIGO = '  RM';

INSERT INTO TA_Comprobantes SELECT * FROM V_TA_CPTE;

INSERT INTO TA_CONFIG_IMP_CPTE (ID, TC, LETRA, CANTLINEAS) VALUES
    (1, '  FC', 'A', 20),
    (2, '  FC', 'B', 20),
    (3, '  RM', 'R', 30);

INSERT INTO MA_CUENTAS (Codigo, CodigoOpcional, DESCRIPCION, Titulo) VALUES
    ('1.1.5', NULL, 'BIENES DE CAMBIO', 1),
    ('1.1.5.01', '115', 'Mercaderías', 0),
    ('4.1.1.01', '411', 'Ventas', 0),
    ('5.1.1.01', '511', 'Costo de mercaderías vendidas', 0),
    ('5.1.3.01', '5131', 'Diferencias de inventario', 0),
    ('5.1.3.02', '5132', 'Roturas y mermas', 0),
    ('5.1.3.03', '5133', 'Consumo interno', 0),
    ('5.1.3.04', '5134', 'Mercadería vencida', 0);

INSERT INTO MA_SUBDIARIOS (CODIGO, Descripcion) VALUES ('STK', 'Subdiario de stock');
INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, Subdiario) VALUES
    ('  IR', 'STK'), (' AJP', 'STK'), (' AJN', 'STK'), ('  TR', 'STK'), ('  VS', 'STK');

INSERT INTO VT_PROVEEDORES (CODIGO, RAZON_SOCIAL, Dada_De_Baja) VALUES
    ('P001', 'Distribuidora del Plata S.R.L.', 0),
    ('P002', 'Bulonera Industrial S.A.', 0);

INSERT INTO VT_CLIENTES (CODIGO, RAZON_SOCIAL, CONTACTO, NUMERO_DOCUMENTO, Dada_De_Baja) VALUES
    ('C0001', 'Almacén Don Pepe', 'José Pérez', '20123456789', 0),
    ('C0002', 'Ferretería El Tornillo', 'Ana Gómez', '27234567891', 0);

------------------------------------------------------------------------------------------
-- Articles
------------------------------------------------------------------------------------------

-- 300 articles, codes 1001 to 1300, every name with every variant. Each has a main bar code
-- (EAN-13 7791234nnnnn); every third a case code (DUN-14, unit CJ); every fifth an alternate
-- code for a pack of 6 (PQ); every tenth a second code of its own unit; every 25th a bale
-- code (BL); every 50th a box code in the fourth slot. Every one has supplier codes. Every
-- 15th is kept by lots, from 21 on every 40th by serial numbers; 97, 194 and 291 are
-- suspended.
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, Descripabrev, IDUNIDAD, UD_STOCK, IdTipo, IdRubro,
                            IdFamilia, Presentacion, codigobarra, CODIGOBARRADUN, UD_TTE,
                            CODIGOBARRA1, UMCB1, CODIGOBARRA2, UMCB2, CODIGOBARRA3, UMCB3,
                            CODIGOBARRA4, UMCB4, CodigoArtProveedor, CuentaProveedor, Costo, PRECIO,
                            Impuestos, TasaIVA, Exento, USASERIE, USALOTE, Perecedero, UsaTalle,
                            InsumosPorPorcentaje, pesable, PIDEMEDIDAS, PIDEEQUIVALENCIA, SUSPENDIDO,
                            PuntoPedido, PuntoMaximo, RutaImagen, PROCEDENCIA, cuentacontableC,
                            CuentaContable)
WITH RECURSIVE
    serie(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM serie WHERE n < 300),
    nombres(i, nombre, rubro, unidad, presentacion) AS (VALUES
        (0, 'Tornillo autorroscante', '   1', '  UN', 'Suelto'),
        (1, 'Tuerca hexagonal', '   1', '  UN', 'Suelto'),
        (2, 'Arandela plana', '   1', '  UN', 'Suelto'),
        (3, 'Clavo punta París', '   1', '  KG', 'A granel'),
        (4, 'Cinta aisladora', '   1', '  UN', 'Rollo 20 m'),
        (5, 'Pintura látex', '   1', '  LT', 'Lata'),
        (6, 'Cable unipolar', '   1', '  MT', 'Rollo'),
        (7, 'Yerba mate', '   2', '  UN', 'Paquete 1 kg'),
        (8, 'Azúcar', '   2', '  KG', 'A granel'),
        (9, 'Harina de trigo', '   2', '  KG', 'A granel'),
        (10, 'Arroz largo fino', '   2', '  UN', 'Paquete 1 kg'),
        (11, 'Aceite de girasol', '   2', '  LT', 'Botella'),
        (12, 'Lavandina', '   3', '  LT', 'Bidón'),
        (13, 'Detergente', '   3', '  UN', 'Botella 750 ml'),
        (14, 'Jabón en polvo', '   3', '  UN', 'Caja 800 g'),
        (15, 'Agua mineral', '   4', '  UN', 'Botella 2 l'),
        (16, 'Gaseosa cola', '   4', '  UN', 'Botella 2,25 l'),
        (17, 'Jugo de naranja', '   4', '  UN', 'Botella 1 l'),
        (18, 'Salame', '   5', '  KG', 'Pieza'),
        (19, 'Jamón cocido', '   5', '  KG', 'Pieza')),
    variantes(j, texto) AS (VALUES
        (0, 'Clásico'), (1, 'Premium'), (2, 'Económico'), (3, 'Especial'), (4, 'Extra'),
        (5, 'Familiar'), (6, 'Mayorista'), (7, 'Original'), (8, 'Selección'), (9, 'Light'),
        (10, 'Natural'), (11, 'Plus'), (12, 'Reserva'), (13, 'Simple'), (14, 'Super')),
    barras(n, b) AS (SELECT n, '7791234' || printf('%05d', n) FROM serie),
    -- Weighted digit sum of the 12 data digits of the EAN-13 (odd places x1, even x3). The
    -- other codes differ from it in the fourth digit only (weight 3) or add a leading 1 (x3).
    sumas(n, b, s) AS (
        SELECT n, b,
               substr(b, 1, 1) + substr(b, 3, 1) + substr(b, 5, 1) + substr(b, 7, 1)
               + substr(b, 9, 1) + substr(b, 11, 1)
               + 3 * (substr(b, 2, 1) + substr(b, 4, 1) + substr(b, 6, 1) + substr(b, 8, 1)
                      + substr(b, 10, 1) + substr(b, 12, 1))
        FROM barras)
SELECT printf('%25d', 1000 + s.n),
       nm.nombre || ' ' || v.texto,
       substr(nm.nombre, 1, 20),
       nm.unidad,
       NULL,
       '   1',
       nm.rubro,
       printf('%02d%02d%03d', CAST(trim(nm.rubro) AS INTEGER), nm.i, s.n % 7),
       nm.presentacion,
       printf('%25s', s.b || ((10 - s.s % 10) % 10)),
       CASE WHEN s.n % 3 = 0 THEN printf('%25s', '1' || s.b || ((10 - (s.s + 3) % 10) % 10)) END,
       CASE WHEN s.n % 3 = 0 THEN '  CJ' END,
       CASE WHEN s.n % 5 = 0
            THEN printf('%25s', '7792234' || printf('%05d', s.n) || ((10 - (s.s + 3) % 10) % 10)) END,
       CASE WHEN s.n % 5 = 0 THEN '  PQ' END,
       CASE WHEN s.n % 10 = 0
            THEN printf('%25s', '7793234' || printf('%05d', s.n) || ((10 - (s.s + 6) % 10) % 10)) END,
       NULL,
       CASE WHEN s.n % 25 = 0
            THEN printf('%25s', '7794234' || printf('%05d', s.n) || ((10 - (s.s + 9) % 10) % 10)) END,
       CASE WHEN s.n % 25 = 0 THEN '  BL' END,
       CASE WHEN s.n % 50 = 0
            THEN printf('%25s', '7795234' || printf('%05d', s.n) || ((10 - (s.s + 12) % 10) % 10)) END,
       CASE WHEN s.n % 50 = 0 THEN '  CJ' END,
       printf('%-25s', 'PRV-' || printf('%04d', s.n)),
       CASE WHEN nm.rubro = '   1' THEN 'P002' ELSE 'P001' END,
       round((s.n * 37) % 500 + 10 + 0.25 * (s.n % 4), 2),
       round(((s.n * 37) % 500 + 10 + 0.25 * (s.n % 4)) * 1.4, 2),
       0,
       21,
       0,
       CASE WHEN s.n % 40 = 21 THEN 1 ELSE 0 END,
       CASE WHEN s.n % 15 = 0 THEN 1 ELSE 0 END,
       CASE WHEN s.n % 15 = 0 THEN 1 ELSE 0 END,
       0,
       NULL,
       CASE WHEN nm.unidad = '  KG' THEN 1 ELSE 0 END,
       'NO',
       0,
       CASE WHEN s.n % 97 = 0 THEN 1 ELSE 0 END,
       (s.n % 7) * 5,
       (s.n % 7) * 50,
       NULL,
       'NACIONAL',
       '1.1.5.01',
       '4.1.1.01'
FROM sumas s
JOIN nombres nm ON nm.i = s.n % 20
JOIN variantes v ON v.j = (s.n / 20) % 15;

-- Hand-made articles: one with every kind of code (alphanumeric code, left-aligned), one sold
-- by weight with scale labels, one counted in packs for stock, and a kit with its inputs.
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, Descripabrev, IDUNIDAD, UD_STOCK, IdTipo, IdRubro,
                            IdFamilia, Presentacion, codigobarra, CODIGOBARRADUN, UD_TTE,
                            CODIGOBARRA1, UMCB1, CODIGOBARRA2, UMCB2, CODIGOBARRA3, UMCB3,
                            CODIGOBARRA4, UMCB4, CodigoArtProveedor, CuentaProveedor, Costo, PRECIO,
                            TasaIVA, pesable, USALOTE, USASERIE, Perecedero, InsumosPorPorcentaje,
                            PIDEMEDIDAS, PuntoPedido, PuntoMaximo, PROCEDENCIA, cuentacontableC,
                            CuentaContable) VALUES
    (printf('%-25s', 'TORN-6X40'), 'Tornillo autoperforante 6 x 40 mm', 'Tornillo 6x40', '  UN', NULL,
     '   1', '   1', '0101001', 'Suelto',
     printf('%25s', '7790000000010'), printf('%25s', '17790000000017'), '  CJ',
     printf('%25s', '7790000000027'), '  PQ', printf('%25s', '7790000000034'), NULL,
     printf('%25s', '7790000000041'), '  BL', printf('%25s', '7790000000058'), ' DOC',
     printf('%-25s', 'BI-640.40'), 'P002', 0.85, 1.6, 21, 0, 0, 0, 0, NULL, 'NO', 500, 5000,
     'IMPORTADO', '1.1.5.01', '4.1.1.01'),
    (printf('%25s', '50001'), 'Queso de máquina', 'Queso máquina', '  KG', NULL,
     '   1', '   5', '0518001', 'Horma', printf('%25s', '7790000000065'), NULL, NULL,
     NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     printf('%-25s', 'QM-1'), 'P001', 5200, 7800, 21, 1, 0, 0, 1, NULL, 'NO', 10, 60,
     'NACIONAL', '1.1.5.01', '4.1.1.01'),
    (printf('%-25s', 'GASEOSA-225'), 'Gaseosa lima limón 2,25 l', 'Gaseosa lima', '  UN', '  PQ',
     '   1', '   4', '0416001', 'Pack x 6', printf('%25s', '7790000000072'), NULL, NULL,
     NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     printf('%-25s', 'GL-225'), 'P001', 950, 1400, 21, 0, 0, 0, 0, NULL, 'NO', 24, 240,
     'NACIONAL', '1.1.5.01', '4.1.1.01'),
    (printf('%-25s', 'KIT-ASADO'), 'Kit para asado', 'Kit asado', '  UN', NULL,
     '   3', '   2', '0207001', 'Bolsa', printf('%25s', '7790000000089'), NULL, NULL,
     NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     NULL, NULL, 0, 9500, 21, 0, 0, 0, 0, 0, 'NO', 0, 0,
     'PRODUCCION', '1.1.5.01', '4.1.1.01');

-- Equivalences: one CJ is 12 (or 10 kg, or 10 l or m), one PQ is 6, one BL is 48 of the base unit.
INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente)
SELECT IDARTICULO, '  CJ', IDUNIDAD, CASE WHEN IDUNIDAD = '  UN' THEN 12 ELSE 10 END
FROM V_MA_ARTICULOS WHERE UD_TTE = '  CJ' OR UMCB4 = '  CJ';
INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente)
SELECT IDARTICULO, '  PQ', IDUNIDAD, 6 FROM V_MA_ARTICULOS WHERE UMCB1 = '  PQ' OR UD_STOCK = '  PQ';
INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente)
SELECT IDARTICULO, '  BL', IDUNIDAD, 48 FROM V_MA_ARTICULOS WHERE UMCB3 = '  BL';
UPDATE S_TA_EQUIV SET Coeficiente = 100 WHERE IdArticulo = 'TORN-6X40' AND IDUNIDAD = '  CJ';
UPDATE S_TA_EQUIV SET Coeficiente = 10 WHERE IdArticulo = 'TORN-6X40' AND IDUNIDAD = '  PQ';
UPDATE S_TA_EQUIV SET Coeficiente = 1000 WHERE IdArticulo = 'TORN-6X40' AND IDUNIDAD = '  BL';
INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES
    (printf('%-25s', 'TORN-6X40'), ' DOC', '  UN', 12),
    (printf('%25s', '50001'), '  KG', '  GR', 1000);

-- Price lists: '   1' purchases (the supplier's own code: digits, so right-aligned), '   2' sales.
INSERT INTO V_MA_PRECIOS (IDLISTA, TIPOLISTA, IDARTICULO, IDARTICULOPROVEEDOR, idunidad, PRECIO, CONIVA)
SELECT '   1', 'C', IDARTICULO, printf('%25d', 500000 + CAST(trim(IDARTICULO) AS INTEGER)), IDUNIDAD, Costo, 0
FROM V_MA_ARTICULOS WHERE trim(IDARTICULO) GLOB '[0-9]*';
INSERT INTO V_MA_PRECIOS (IDLISTA, TIPOLISTA, IDARTICULO, IDARTICULOPROVEEDOR, idunidad, PRECIO, CONIVA) VALUES
    ('   1', 'C', printf('%-25s', 'TORN-6X40'), printf('%-25s', 'BI-640.40'), '  UN', 0.85, 0);
INSERT INTO V_MA_PRECIOS (IDLISTA, TIPOLISTA, IDARTICULO, IDARTICULOPROVEEDOR, idunidad, PRECIO, CONIVA)
SELECT '   2', 'V', IDARTICULO, NULL, IDUNIDAD, PRECIO, 1 FROM V_MA_ARTICULOS;

INSERT INTO V_MA_INSUMOS (IDARTICULO, IdArticuloInsumo, IdUnidadInsumo, Cantidad) VALUES
    (printf('%-25s', 'KIT-ASADO'), printf('%25d', 1019), '  KG', 0.5),
    (printf('%-25s', 'KIT-ASADO'), printf('%25d', 1016), '  UN', 2),
    (printf('%-25s', 'KIT-ASADO'), printf('%25s', '50001'), '  KG', 0.25);

------------------------------------------------------------------------------------------
-- Stock
------------------------------------------------------------------------------------------

-- Balances in the base unit: every article in deposits 1 and 2 (some at 0), every fourth in 3.
INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, STOCK)
SELECT a.IDARTICULO, a.IDUNIDAD, d.IdDeposito, a.DESCRIPCION,
       CASE d.IdDeposito
           WHEN '   1' THEN (CAST(trim(a.IDARTICULO) AS INTEGER) * 13) % 120
           WHEN '   2' THEN (CAST(trim(a.IDARTICULO) AS INTEGER) * 29) % 80
           ELSE (CAST(trim(a.IDARTICULO) AS INTEGER) * 7) % 50
       END + CASE WHEN a.IDUNIDAD = '  KG' THEN 0.5 ELSE 0 END
FROM V_MA_ARTICULOS a
JOIN V_TA_Deposito d ON d.IdDeposito IN ('   1', '   2', '   3')
WHERE trim(a.IDARTICULO) GLOB '1[0-9][0-9][0-9]'
  AND (d.IdDeposito <> '   3' OR CAST(trim(a.IDARTICULO) AS INTEGER) % 4 = 0);

-- Serial-numbered articles hold few units: 3 in deposit 1, 2 in deposit 2.
UPDATE STK_SALDOS_UNIDADES
SET STOCK = CASE IDDEPOSITO WHEN '   1' THEN 3 WHEN '   2' THEN 2 ELSE 0 END
WHERE IDARTICULO IN (SELECT IDARTICULO FROM V_MA_ARTICULOS WHERE USASERIE = 1);

-- Some articles also hold boxes apart (a balance in another unit than the base one).
INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, STOCK)
SELECT IDARTICULO, '  CJ', '   1', DESCRIPCION, 2 FROM V_MA_ARTICULOS
WHERE trim(IDARTICULO) GLOB '1[0-9][0-9][0-9]' AND (CAST(trim(IDARTICULO) AS INTEGER) - 1000) % 30 = 0;

INSERT INTO STK_SALDOS_UNIDADES (IDARTICULO, EQUIVALENCIA, IDDEPOSITO, Descripcion, STOCK) VALUES
    (printf('%-25s', 'TORN-6X40'), '  UN', '   1', 'Tornillo autoperforante 6 x 40 mm', 4200),
    (printf('%-25s', 'TORN-6X40'), '  UN', '   2', 'Tornillo autoperforante 6 x 40 mm', 800),
    (printf('%25s', '50001'), '  KG', '   1', 'Queso de máquina', 35.75),
    (printf('%25s', '50001'), '  KG', '   3', 'Queso de máquina', 8.2),
    (printf('%-25s', 'GASEOSA-225'), '  UN', '   1', 'Gaseosa lima limón 2,25 l', 144),
    (printf('%-25s', 'KIT-ASADO'), '  UN', '   3', 'Kit para asado', 6);

INSERT INTO STK_STOCK_UDKG (IDARTICULO, IDDEPOSITO, CantidadUd) VALUES
    (printf('%25s', '50001'), '   1', 12),
    (printf('%25s', '50001'), '   3', 3);

-- Lots: each lot-kept balance split in lots A and B (A holds the whole part of half of it).
-- In deposit 1 each lot stands in a warehouse position.
INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD)
WITH lotes(art, dep, letra, i, cantidad) AS (
    SELECT s.IDARTICULO, s.IDDEPOSITO, l.letra,
           (CAST(trim(s.IDARTICULO) AS INTEGER) + l.desvio) % 24,
           CASE l.letra WHEN 'A' THEN CAST(s.STOCK / 2 AS INTEGER)
                        ELSE s.STOCK - CAST(s.STOCK / 2 AS INTEGER) END
    FROM STK_SALDOS_UNIDADES s
    JOIN V_MA_ARTICULOS a ON a.IDARTICULO = s.IDARTICULO AND a.IDUNIDAD = s.EQUIVALENCIA
    JOIN (SELECT 'A' AS letra, 0 AS desvio UNION ALL SELECT 'B', 1) l
    WHERE a.USALOTE = 1 AND a.USASERIE = 0 AND s.STOCK > 0)
SELECT art, dep, printf('%-25s', 'L' || trim(art) || letra), NULL,
       CASE WHEN dep = '   1' THEN printf('%-15s', 'A' || (1 + i / 12) || 'E0' || (1 + (i / 6) % 2)
                                                 || 'N' || (1 + (i / 3) % 2) || 'P0' || (1 + i % 3)) END,
       cantidad
FROM lotes WHERE cantidad > 0;

-- Serial numbers: one row per unit.
INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD)
WITH RECURSIVE unidades(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM unidades WHERE k < 3)
SELECT s.IDARTICULO, s.IDDEPOSITO, NULL,
       printf('%-25s', 'SN' || trim(s.IDARTICULO) || '-' || trim(s.IDDEPOSITO) || printf('%02d', u.k)),
       NULL, 1
FROM STK_SALDOS_UNIDADES s
JOIN V_MA_ARTICULOS a ON a.IDARTICULO = s.IDARTICULO AND a.IDUNIDAD = s.EQUIVALENCIA
JOIN unidades u ON u.k <= s.STOCK
WHERE a.USASERIE = 1 AND a.USALOTE = 0;

-- Warehouse positions of deposit 1: two aisles as headings, then 24 places of 500 units.
INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, OrdenIngreso, TITULO, IdUnidad, Capacidad)
VALUES ('   1', printf('%-15s', 'A1'), 'Pasillo 1', 0, 1, NULL, NULL),
       ('   1', printf('%-15s', 'A2'), 'Pasillo 2', 0, 1, NULL, NULL);
INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, OrdenIngreso, TITULO, IdUnidad, Capacidad)
WITH RECURSIVE lugares(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM lugares WHERE i < 23)
SELECT '   1',
       printf('%-15s', 'A' || (1 + i / 12) || 'E0' || (1 + (i / 6) % 2) || 'N' || (1 + (i / 3) % 2) || 'P0' || (1 + i % 3)),
       'Pasillo ' || (1 + i / 12) || ', estante ' || (1 + (i / 6) % 2) || ', nivel ' || (1 + (i / 3) % 2)
           || ', lugar ' || (1 + i % 3),
       i + 1, 0, '  UN', 500
FROM lugares;

INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo)
SELECT l.IdDeposito, l.IdPosicion, l.IDARTICULO, l.NroLote, a.IDUNIDAD, l.CANTIDAD
FROM STK_SERIES_Y_LOTES l JOIN V_MA_ARTICULOS a ON a.IDARTICULO = l.IDARTICULO
WHERE l.IdPosicion IS NOT NULL;

-- The lots of article 1060 came in through customs.
INSERT INTO stk_despachos (NroLote, ControladoPor, Descripcion, IdOrigen) VALUES
    (printf('%-25s', 'L1060A'), 'Aduana de Buenos Aires', '25001IC04012345K', ' CHN'),
    (printf('%-25s', 'L1060B'), 'Aduana de Buenos Aires', '25001IC04012346L', ' CHN');

-- Minimum and maximum stock in deposit 1 for every sixth article.
INSERT INTO V_TA_DEPOSITO_MM (idarticulo, iddeposito, Minimo, Maximo)
SELECT IDARTICULO, '   1', 20, 100 FROM V_MA_ARTICULOS
WHERE trim(IDARTICULO) GLOB '1[0-9][0-9][0-9]' AND CAST(trim(IDARTICULO) AS INTEGER) % 6 = 0;

------------------------------------------------------------------------------------------
-- Templates, menu and rights
------------------------------------------------------------------------------------------

INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, nombre, DETALLE, TCDefault, DepositoOrigen, DepositoDestino,
                                IdMotivoStock, AnclarAlMenu) VALUES
    (1, 'REPOSICION LOCAL CENTRO', 'Envío semanal al local', '  TR', '   1', '   3', '   3', 1),
    (2, 'AJUSTE ROTURAS', 'Roturas habituales del mes', ' AJN', '   1', '', '   2', 0);

INSERT INTO V_CPTES_MODELO_DET (IdVardelio, IdArticulo, Cantidad, IdUnidad) VALUES
    (1, printf('%25d', 1007), 24, '  UN'),
    (1, printf('%25d', 1030), 2, '  CJ'),
    (1, printf('%-25s', 'GASEOSA-225'), 4, '  PQ'),
    (1, printf('%25s', '50001'), 3.5, '  KG'),
    (2, printf('%25d', 1013), 2, '  UN'),
    (2, printf('%-25s', 'TORN-6X40'), 1, '  CJ');

-- The editor's own entry, and the anchored template 1.
INSERT INTO TA_MENU (MENU, TITULO, CLAVE, NOMBRE, IMAGEN, PROCESO, HABILITADO) VALUES
    ('KOLM', 'D8', 'D80', 'Stock', 'Stock', '', 1),
    ('KOLM', 'D80', 'D8020', 'Modelos de comprobantes de stock', 'Stock', 'modelos-stock', 1),
    ('KOLM', 'D80', 'D8021', 'Cargar desde modelos', 'Stock', '', 1),
    ('KOLM', 'D8021', 'D802101', 'REPOSICION LOCAL CENTRO', 'Stock',
     'shell:V_MV_STOCK @PARAMETROADICIONAL= MODELO_REPOSICION LOCAL CENTRO', 1);

INSERT INTO TA_TAREAS (USUARIO, SISTEMA, TAREA) VALUES
    ('DEMO', 'CN000PR', 'D80'),
    ('DEMO', 'CN000PR', 'D8020'),
    ('DEMO', 'CN000PR', 'D8021'),
    ('DEMO', 'CN000PR', 'D802101');

------------------------------------------------------------------------------------------
-- Article lookup: what to type or scan in the editor's lines
------------------------------------------------------------------------------------------

-- Weighing-scale labels of the cheese 50001 for the mask above (TIPOEAN 0CCCCCPPPPP: "2", "0",
-- the five article digits, the weight in grams, an EAN-13 check digit). Scanned or typed in a
-- line they give article 50001 with the weight as quantity:
--     2050001012340   1,234 kg
--     2050001005007   0,5 kg
--     2050001027504   2,75 kg
-- The other kinds of code, all of article TORN-6X40: main bar code 7790000000010 (UN), case
-- code 17790000000017 (CJ), alternates 7790000000027 (PQ), 7790000000034 (UN), 7790000000041
-- (BL), 7790000000058 (DOC); supplier code BI-640.40 of P002, also in purchase list 1. A
-- quantity goes before an asterisk: 3*1030 is three units of article 1030.

------------------------------------------------------------------------------------------
-- Stock queries: equivalences and placed stock that the lot and serial rows above lack
------------------------------------------------------------------------------------------

-- 1007 also comes in packs of 3, and a box whose coefficient was never filled in (0: no
-- equivalence, so nothing is converted through it).
INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES
    (printf('%25d', 1007), '  PQ', '  UN', 3),
    (printf('%25d', 1007), '  CJ', '  UN', 0);

-- Part of the screws of deposit 1 stands in warehouse positions without lot or serial number:
-- one place with a null lot, another with an empty one.
INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD) VALUES
    (printf('%-25s', 'TORN-6X40'), '   1', NULL, NULL, printf('%-15s', 'A2E02N2P03'), 400),
    (printf('%-25s', 'TORN-6X40'), '   1', '', NULL, printf('%-15s', 'A2E02N2P02'), 300);
INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo) VALUES
    ('   1', printf('%-15s', 'A2E02N2P03'), printf('%-25s', 'TORN-6X40'), NULL, '  UN', 400),
    ('   1', printf('%-15s', 'A2E02N2P02'), printf('%-25s', 'TORN-6X40'), '', '  UN', 300);

------------------------------------------------------------------------------------------
-- Numbering: ranges per type and letter, used numbers, entries
------------------------------------------------------------------------------------------

-- Salespeople with a default branch and letter for their vouchers (0000: none).
INSERT INTO TA_USUARIOS (Nombre, NombreCompleto, UNegocio, IDDEPOSITO, verproforma, sucot, letot) VALUES
    ('VENDEDOR2', 'Vendedor de la sucursal 2', '   1', '   2', 0, '0002', 'B'),
    ('VENDEDOR0', 'Vendedor sin sucursal', '   1', '   1', 0, '0000', 'A');

-- Work orders: branch 1 (letters A, B and C), branch 2 in two ranges (the first gives B to
-- branch 3). Quotes: ranges of business unit 2 only. Tickets: one range of unit 2, one of every
-- unit. Ticket invoices: a used-up range, one that expires on 30/06/2025, and an open one.
-- CBFP is numbered by accounting and registers its numbers; trips (VJ) are stored in MV_VIAJES.
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, ES, DebeHaber, Letras, UNEGOCIO,
                       Modificanumeracion, Externo, FechaHora_Modificacion,
                       A_SUC_DEFAULT, A_ULTIMO_NRO, A_NRO_DESDE, A_NRO_HASTA, VenceA,
                       B_SUC_DEFAULT, B_ULTIMO_NRO, B_NRO_DESDE, B_NRO_HASTA, VenceB,
                       C_SUC_DEFAULT, C_ULTIMO_NRO, C_NRO_DESDE, C_NRO_HASTA, VenceC,
                       X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA, VenceX) VALUES
    ('  OT', 1, 'Orden de trabajo', 'VENTAS', '', 'D', 'AB', '', 'NO', 0, '2025-01-02 09:00:00',
     1, 120, 1, 9999, '', 1, 30, 1, 9999, '', 1, 12, 1, 9999, '', NULL, NULL, NULL, NULL, ''),
    ('  OT', 2, 'Orden de trabajo', 'VENTAS', '', 'D', 'AB', '', 'NO', 0, '2025-01-02 09:00:00',
     2, 41, 1, 5000, '', 3, 7, 1, 5000, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, ''),
    ('  OT', 3, 'Orden de trabajo', 'VENTAS', '', 'D', 'AB', '', 'NO', 0, '2025-01-02 09:00:00',
     2, 60, 1, 5000, '', 2, 8, 1, 5000, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, ''),
    ('  PR', 1, 'Presupuesto', 'VENTAS', '', 'D', 'X', '   2', 'NO', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 3, 500, 1, 999, ''),
    ('  PR', 2, 'Presupuesto', 'VENTAS', '', 'D', 'X', '   2', 'NO', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 4, 10, 1, 999, ''),
    ('  TK', 1, 'Ticket', 'VENTAS', 'S', 'D', 'X', '   2', 'NO', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 5, 1, 999, ''),
    ('  TK', 2, 'Ticket', 'VENTAS', 'S', 'D', 'X', '', 'NO', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 70, 1, 999, ''),
    ('TKFC', 1, 'Ticket factura', 'VENTAS', 'S', 'D', 'X', '', 'NO', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 100, 1, 100, ''),
    ('TKFC', 2, 'Ticket factura', 'VENTAS', 'S', 'D', 'X', '', 'NO', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '',
     1, 3, 1, 100, '2025-06-30 00:00:00'),
    ('TKFC', 3, 'Ticket factura', 'VENTAS', 'S', 'D', 'X', '', 'NO', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 20, 1, 100, ''),
    ('CBFP', 1, 'Comprobante contable', 'Contable', '', 'D', 'X', '', 'NO', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 5, 1, 99999999, ''),
    ('  VJ', 1, 'Viaje', 'VENTAS', '', 'D', 'X', '', 'NO', 0, '2025-01-02 09:00:00',
     NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', NULL, NULL, NULL, NULL, '', 1, 3, 1, 99999999, '');

INSERT INTO TA_Comprobantes SELECT * FROM V_TA_CPTE
WHERE CODIGO IN ('  OT', '  PR', '  TK', 'TKFC', 'CBFP', '  VJ');

INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) VALUES
    ('CBFP', '0001', '00000001', 'X'),
    ('CBFP', '0001', '00000002', 'X'),
    ('CBFP', '0001', '00000003', 'X'),
    ('CBFP', '0001', '00000004', 'X');

INSERT INTO MV_VIAJES (TC, IDCOMPROBANTE) VALUES ('  VJ', '000100000003X'), ('  VJ', '000100000009X');

-- Entries of March 2025 of the stock subdiary up to number 17; the cost-centre entries hold 18
-- and 25. CBFP's subdiary is not among the subdiaries.
INSERT INTO MV_ASIENTOS (Cuenta, Secuencia, Mes_Operativo, [Numero Asiento], Fecha, Detalle, TC, SUCURSAL,
                         NUMERO, LETRA, PERIODO, Tipo_Reg, [DEBE-HABER], Importe) VALUES
    ('5.1.3.01', 1, 3, 16, '2025-03-10 00:00:00', 'Ajuste por inventario', 'CBFP', '0001', '00000005', 'X',
     2025, 'STK', 'D', 100),
    ('1.1.5.01', 2, 3, 16, '2025-03-10 00:00:00', 'Ajuste por inventario', 'CBFP', '0001', '00000005', 'X',
     2025, 'STK', 'H', 100),
    ('5.1.3.02', 1, 3, 17, '2025-03-12 00:00:00', 'Rotura y merma', 'CBFP', '0001', '00000007', 'X',
     2025, 'STK', 'D', 40),
    ('1.1.5.01', 2, 3, 17, '2025-03-12 00:00:00', 'Rotura y merma', 'CBFP', '0001', '00000007', 'X',
     2025, 'STK', 'H', 40);
INSERT INTO MV_ASIENTOSCCOSTO (MES_OPERATIVO, TIPO_REG, PERIODO, [NUMERO ASIENTO]) VALUES
    (3, 'STK', 2025, 18), (3, 'STK', 2025, 25);
INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, Subdiario) VALUES ('CBFP', 'CON');

------------------------------------------------------------------------------------------
-- Lots and warehouse positions: reservations and the lots an outgoing quantity takes
------------------------------------------------------------------------------------------

-- An exhausted lot of 1015 in deposit 1 (quantity 0): never offered to an outgoing line.
INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD) VALUES
    (printf('%25d', 1015), '   1', printf('%-25s', 'L1015C'), NULL, NULL, 0);

-- Deposit 2 keeps its places by reservation. Aisle B1 holds places reserved for article 1015
-- (Agua mineral, family 0415001 under 0415 under 04, type 1, rubro 4), for its family and each
-- parent family, for type 1 and for rubro 4; one place is reserved both for 1015 and for its
-- family. Aisle B2 is free. Both aisles have a heading row, and the heading of B1 is even
-- reserved for 1015: headings are never places.
INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, OrdenIngreso, TITULO, IdArticulo, IdFamilia,
                           IdTipo, IdRubro, IdUnidad, Capacidad) VALUES
    ('   2', printf('%-15s', 'B1'), 'Pasillo B1', 0, 1, printf('%25d', 1015), NULL, NULL, NULL, NULL, NULL),
    ('   2', printf('%-15s', 'B1E01N1P01'), 'Agua mineral 1015', 2, 0, printf('%25d', 1015), '0415001',
     NULL, NULL, '  UN', 500),
    ('   2', printf('%-15s', 'B1E01N1P02'), 'Agua mineral 1015, al frente', 1, 0, printf('%25d', 1015), NULL,
     NULL, NULL, '  UN', 500),
    ('   2', printf('%-15s', 'B1E01N2P01'), 'Agua mineral en general', 3, 0, NULL, '0415001', NULL, NULL,
     '  UN', 500),
    ('   2', printf('%-15s', 'B1E02N1P01'), 'Aguas', 4, 0, NULL, '0415', NULL, NULL, '  UN', 500),
    ('   2', printf('%-15s', 'B1E02N1P02'), 'Bebidas', 5, 0, NULL, '04', NULL, NULL, '  UN', 500),
    ('   2', printf('%-15s', 'B1E02N2P01'), 'Mercadería de reventa', 6, 0, NULL, NULL, '   1', NULL, '  UN', 500),
    ('   2', printf('%-15s', 'B1E02N2P02'), 'Rubro bebidas', 7, 0, NULL, NULL, NULL, '   4', '  UN', 500),
    ('   2', printf('%-15s', 'B2'), 'Pasillo B2', 0, 1, NULL, NULL, NULL, NULL, NULL, NULL),
    ('   2', printf('%-15s', 'B2E01N1P01'), 'Libre', 9, 0, NULL, NULL, NULL, NULL, '  UN', 500),
    ('   2', printf('%-15s', 'B2E01N1P02'), 'Libre', 9, 0, NULL, NULL, NULL, NULL, '  UN', 500),
    ('   2', printf('%-15s', 'B2E01N1P03'), 'Libre, primera en el orden', 8, 0, NULL, NULL, NULL, NULL,
     '  UN', 500);

-- The two lots of 1015 in deposit 2 stand together on the family's place.
INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo) VALUES
    ('   2', printf('%-15s', 'B1E01N2P01'), printf('%25d', 1015), printf('%-25s', 'L1015A'), '  UN', 37),
    ('   2', printf('%-15s', 'B1E01N2P01'), printf('%25d', 1015), printf('%-25s', 'L1015B'), '  UN', 38);

------------------------------------------------------------------------------------------
-- Vouchers for the voucher lookup window (branch 0099, letter R): pending and closed ones of
-- several types, annulled and approved ones, with and without registration stamps.
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, SUCURSAL, NUMERO, LETRA, CUENTA, Nombre, FECHA, Importe,
                       ANULADA, APROBADO, COMPLEMENTARIO, FINALIZADA, BLOQUEADA, OBSERVACIONES, comentarios,
                       FechaHora_Grabacion, FechaPreparacion) VALUES
    ('  RM', '009900000001R', 0, '0099', '00000001', 'R', 'C0001', 'Almacén Don Pepe', '2025-04-01 00:00:00',
     1500.5, 0, 1, 0, 0, 0, 'Entregar por la mañana', NULL, '2025-04-01 10:15:42', NULL),
    ('  RM', '009900000002R', 0, '0099', '00000002', 'R', 'C0002', 'Ferretería El Tornillo', '2025-04-02 00:00:00',
     320, 0, 0, 0, 1, 0, NULL, NULL, NULL, NULL),
    ('  RM', '009900000003R', 0, '0099', '00000003', 'R', 'C0001', 'Almacén Don Pepe', '2025-04-03 00:00:00',
     75, 1, 1, 0, 0, 0, 'Anulado por error de carga', NULL, '', NULL),
    ('  RM', '009900000004R', 0, '0099', '00000004', 'R', 'C0002', 'Ferretería El Tornillo', '2025-04-04 00:00:00',
     90, 0, 0, 0, 0, 1, NULL, NULL, NULL, NULL),
    ('  NP', '009900000001R', 0, '0099', '00000001', 'R', 'C0001', 'Almacén Don Pepe', '2025-04-03 00:00:00',
     210, 0, 0, 0, 0, 0, 'Preparado', NULL, NULL, '2025-04-03 08:00:00'),
    ('  NP', '009900000002R', 0, '0099', '00000002', 'R', 'C0002', 'Ferretería El Tornillo', '2025-04-04 00:00:00',
     99.9, 0, 1, 0, 0, 0, 'Sin preparar', NULL, NULL, NULL),
    ('  NP', '009900000003R', 0, '0099', '00000003', 'R', 'C0001', 'Almacén Don Pepe', '2025-04-05 00:00:00',
     12, 0, 1, 0, 1, 0, NULL, NULL, NULL, NULL),
    ('  OT', '009900000001R', 1, '0099', '00000001', 'R', 'C0002', 'Ferretería El Tornillo', '2025-04-06 00:00:00',
     480, 0, 1, 0, 0, 0, NULL, NULL, '2025-04-06 16:20:05', NULL),
    ('  OT', '009900000002R', 0, '0099', '00000002', 'R', 'C0001', 'Almacén Don Pepe', '2025-04-07 00:00:00',
     60, 0, 0, 0, 1, 0, NULL, NULL, NULL, NULL),
    ('  PR', '009900000001R', 0, '0099', '00000001', 'R', 'C0001', 'Almacén Don Pepe', '2025-04-05 00:00:00',
     1234.5, 0, 1, 0, 0, 0, NULL, 'Validez 30 días', NULL, NULL),
    ('  PR', '009900000002R', 0, '0099', '00000002', 'R', 'C0002', 'Ferretería El Tornillo', '2025-04-06 00:00:00',
     88, 0, 0, 0, 0, 0, NULL, 'A confirmar', NULL, NULL),
    ('  PR', '009900000003R', 0, '0099', '00000003', 'R', 'C0002', 'Ferretería El Tornillo', '2025-04-07 00:00:00',
     5, 1, 0, 0, 0, 0, NULL, NULL, NULL, NULL),
    ('  FC', '009900000001R', 2, '0099', '00000001', 'R', 'C0001', 'Almacén Don Pepe', '2025-04-08 00:00:00',
     2500, 0, 1, 0, 0, 0, 'Factura de contado', NULL, '2025-04-08 11:00:00', NULL),
    ('  FC', '009900000002R', 0, '0099', '00000002', 'R', 'C0002', 'Ferretería El Tornillo', '2025-04-09 00:00:00',
     40, 1, 1, 0, 0, 0, NULL, NULL, NULL, NULL),
    ('  FP', '009900000001R', 0, '0099', '00000001', 'R', 'C0002', 'Ferretería El Tornillo', '2025-04-10 00:00:00',
     700, 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL),
    ('  FP', '009900000002R', 0, '0099', '00000002', 'R', 'C0001', 'Almacén Don Pepe', '2025-04-11 00:00:00',
     710, 0, 0, 0, 1, 0, NULL, NULL, NULL, NULL),
    ('  OP', '009900000001R', 0, '0099', '00000001', 'R', 'C0001', 'Almacén Don Pepe', '2025-04-12 00:00:00',
     15, 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);

INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, SUCURSAL, NUMERO, LETRA, CUENTA, NOMBRE, FECHA, Importe, ANULADA,
                       APROBADO, FINALIZADO, Garantia, comentarios) VALUES
    (' FCC', '009900000001R', '0099', '00000001', 'R', 'P001', 'Distribuidora del Plata S.R.L.',
     '2025-04-07 00:00:00', 1000, 0, 1, 0, 0, NULL),
    (' FCC', '009900000002R', '0099', '00000002', 'R', 'P002', 'Bulonera Industrial S.A.', '2025-04-08 00:00:00',
     55, 1, 1, 0, 0, NULL),
    (' NCC', '009900000001R', '0099', '00000001', 'R', 'P001', 'Distribuidora del Plata S.R.L.',
     '2025-04-09 00:00:00', 30, 0, 1, 0, 0, NULL),
    (' RMC', '009900000001R', '0099', '00000001', 'R', 'P002', 'Bulonera Industrial S.A.', '2025-04-10 00:00:00',
     640, 0, 1, 0, 0, NULL),
    (' RMC', '009900000002R', '0099', '00000002', 'R', 'P001', 'Distribuidora del Plata S.R.L.',
     '2025-04-11 00:00:00', 20, 0, 1, 1, 0, NULL),
    ('  OC', '009900000001R', '0099', '00000001', 'R', 'P001', 'Distribuidora del Plata S.R.L.',
     '2025-04-12 00:00:00', 5000, 0, 1, 0, 1, 'Con garantía'),
    ('  OC', '009900000002R', '0099', '00000002', 'R', 'P002', 'Bulonera Industrial S.A.', '2025-04-13 00:00:00',
     800, 0, 1, 0, 0, 'Entrega parcial'),
    ('  OC', '009900000003R', '0099', '00000003', 'R', 'P002', 'Bulonera Industrial S.A.', '2025-04-14 00:00:00',
     900, 0, 0, 0, 0, 'Sin aprobar');

INSERT INTO V_MV_CPTETERCEROS (ID, Fecha, IdComprobante, IdComplemento, FECHAENVIADO, FECHARECIBIDO) VALUES
    (7, '2025-04-15 00:00:00', '009900000001R', 0, '2025-04-15 09:30:00', NULL),
    (8, '2025-04-16 00:00:00', '009900000002R', 1, '2025-04-16 10:00:00', '2025-04-17 12:00:00');

INSERT INTO MV_ASIENTOS (Cuenta, Secuencia, Fecha, Detalle, TC, SUCURSAL, NUMERO, LETRA, Importe) VALUES
    ('P001', 1, '2025-04-18 00:00:00', 'Diferencia de precio', 'NCPE', '0099', '00000001', 'R', 250),
    ('1.1.5.01', 2, '2025-04-18 00:00:00', 'Diferencia de precio', 'NCPE', '0099', '00000001', 'R', 250);

-- A transport delivery note invoiced and not yet reviewed, and the reception of purchase order 1.
-- The transport lookup compares its types unfilled ('RM', 'FC'), as the programs that write
-- those rows store them; the reception is stored as the stock posting stores it, filled.
INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Fecha, CuentaProveedor, IDVIAJE, Revisado, Cantidad)
VALUES ('RM', '009900000005R', 0, '2025-04-19 00:00:00', 'P002', 'TTE', 0, 0),
       ('RM', '009900000006R', 0, '2025-04-20 00:00:00', 'P001', 'TTE', 1, 0);
INSERT INTO MV_APLICACION (TC, IDCOMPROBANTE, TCO_ORIGEN, IDComprobante_Origen) VALUES
    ('FC', '009900000001R', 'RM', '009900000005R'),
    ('FC', '009900000002R', 'RM', '009900000006R');
INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Fecha, Tc_Origen, IdComprobante_Origen, Cantidad)
VALUES ('  IR', '009900000007R', 0, '2025-04-21 00:00:00', '  OC', '009900000001R', 0);

------------------------------------------------------------------------------------------
-- Accounting entries of stock vouchers
------------------------------------------------------------------------------------------

-- The motives that delivery notes, loans and purchase-order receptions book against (the
-- settings below name them), and one motive without an account. Sales motive 2 has no
-- cost-of-goods account. The cost of goods of an invoice is its own accounting voucher CMV,
-- numbered from its range, in the sales subdiary.
INSERT INTO V_TA_MotivoStock (IdMotivoStock, Descripcion, CUENTACONTABLE) VALUES
    (' REM', 'Remito de venta', '5.1.1.01'),
    (' COM', 'Comodato', '1.1.5.02'),
    (' ROC', 'Recepción de orden de compra', '2.1.1.02'),
    (' SIN', 'Sin imputación contable', NULL);
INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio, ValorAux) VALUES
    ('STOCK', 'MOTIVOSTOCKREMITO', 'REM', 0, ''),
    ('STOCK', 'MOTIVOSTOCKCOMODATO', 'COM', 0, ''),
    ('STOCK', 'MOTIVOSTOCKRECEPCIONOC', 'ROC', 0, '');
INSERT INTO V_TA_MotivoVta (IdMotivoVta, Descripcion) VALUES ('   2', 'Venta mayorista');
INSERT INTO V_TA_Input_Ventas (IdMotivoVta, COSTO_MERCADERIA) VALUES ('   2', NULL);
INSERT INTO MA_SUBDIARIOS (CODIGO, Descripcion) VALUES ('VTA', 'Subdiario de ventas');
INSERT INTO MA_SUBDIARIOSCOMPROBANTES (TC, Subdiario) VALUES (' CMV', 'VTA');
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, ES, DebeHaber, Letras, UNEGOCIO,
                       Modificanumeracion, Externo, FechaHora_Modificacion,
                       X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA, VenceX) VALUES
    (' CMV', 1, 'Costo de mercadería vendida', 'Contable', '', 'D', 'X', '', 'NO', 0, '2025-01-02 09:00:00',
     1, 1, 1, 99999999, '');
INSERT INTO TA_Comprobantes SELECT * FROM V_TA_CPTE WHERE CODIGO = ' CMV';

------------------------------------------------------------------------------------------
-- Look-ups: rows for every search of the search window
------------------------------------------------------------------------------------------

INSERT INTO MA_CUENTAS (Codigo, CodigoOpcional, DESCRIPCION, Titulo) VALUES
    ('1.1.1.01', '111', 'Caja', 0),
    ('2.1.1.01', '211', 'Proveedores del país', 0);
INSERT INTO VT_CLIENTES (CODIGO, RAZON_SOCIAL, CONTACTO, NUMERO_DOCUMENTO, Dada_De_Baja) VALUES
    ('C0003', 'Kiosco O''Higgins', 'Marta Ruiz', '27345678912', 0),
    ('C0004', 'Almacén La Baja', 'Pedro Sosa', '20456789123', 1);
INSERT INTO VT_PROVEEDORES (CODIGO, RAZON_SOCIAL, Dada_De_Baja) VALUES
    ('P003', 'Importadora del Sur S.A.', 0),
    ('P004', 'Proveedora Cerrada S.A.', 1);
INSERT INTO MA_CONTACTOS (idContacto, Nombre_y_Apellido, Domicilio, Localidad, Telefono) VALUES
    (1, 'Laura Fernández', 'Av. Rivadavia 1234', 'Caballito', '4901-1234'),
    (2, 'Jorge D''Angelo', 'Belgrano 55', 'Quilmes', '4253-9876');
INSERT INTO MA_DESTINATARIOS (Cliente, Codigo, Sucursal, Nombre, Domicilio) VALUES
    ('C001', printf('%-16s', 'D01'), printf('%-6s', '1'), 'Depósito Don Pepe', 'Ruta 8 km 50'),
    ('C002', printf('%-16s', 'D02'), printf('%-6s', '2'), 'Sucursal El Tornillo', 'Mitre 300');
INSERT INTO V_MA_EMAIL (Evento, Descripcion, Destinatarios) VALUES
    ('STOCK_MINIMO', 'Aviso de stock bajo el mínimo', 'compras@ejemplo.com'),
    ('REMITO', 'Envío de remito al cliente', 'ventas@ejemplo.com');
INSERT INTO V_MV_TROPA (IdTropa, FechaDte, Dte, Patente, Chofer, NroGuia, CuitVendedor) VALUES
    ('T0001', '2025-03-10 00:00:00', '000123456', 'AB123CD', 'Ramón Díaz', 'G-1001', '20111111112'),
    ('T0002', '2025-03-11 00:00:00', '000123457', 'AC456EF', 'Luis Peña', 'G-1002', '20222222223');
INSERT INTO VT_MAPINFO_CALLES (STREET, LOCALIDAD) VALUES
    ('AV. SAN MARTIN', 'Ramos Mejía'), ('BELGRANO', 'Quilmes');
INSERT INTO MAPINFO_LOCALIDADES (LOCALIDAD, PARTIDO, Cod_postal) VALUES
    ('Ramos Mejía', 'La Matanza', '1704'), ('Quilmes', 'Quilmes', '1878');
INSERT INTO stk_despachos (NroLote, ControladoPor, Descripcion, IdOrigen) VALUES
    (printf('%-25s', 'L-SINDESC'), 'Aduana de Rosario', '', ' BRA');

------------------------------------------------------------------------------------------
-- Warehouse positions of the wholesale deposit: capacities in several units, balances per
-- position and lot, and a balance without position
------------------------------------------------------------------------------------------

-- Deposit 10 keeps rice 1030 (base unit UN, a CJ is 12 UN; family 0210002, type 1, rubro 2)
-- in reserved places: one for the article, one for its family (its capacity counted in boxes:
-- 10 CJ), one for type 1 without limit (capacity 0), and two for rubro 2, the first empty and
-- the second holding more than its capacity.
INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, OrdenIngreso, TITULO, IdArticulo, IdFamilia,
                           IdTipo, IdRubro, IdUnidad, Capacidad) VALUES
    ('  10', printf('%-15s', 'M1'), 'Pasillo mayorista', 0, 1, NULL, NULL, NULL, NULL, NULL, NULL),
    ('  10', printf('%-15s', 'M1E01N1P01'), 'Arroz al frente', 1, 0, NULL, '0210002', NULL, NULL, '  CJ', 10),
    ('  10', printf('%-15s', 'M1E01N1P02'), 'Almacén seco', 2, 0, NULL, NULL, '   1', NULL, '  UN', 0),
    ('  10', printf('%-15s', 'M1E01N1P03'), 'Arroz 1030', 3, 0, printf('%25d', 1030), NULL, NULL, NULL, '  UN', 50),
    ('  10', printf('%-15s', 'M1E02N1P01'), 'Rubro almacén', 4, 0, NULL, NULL, NULL, '   2', '  UN', 100),
    ('  10', printf('%-15s', 'M1E02N1P02'), 'Rubro almacén, arriba', 5, 0, NULL, NULL, NULL, '   2', '  UN', 20);
-- Lots L1030A and L1030B spread over three places, a place without lot over its capacity, an
-- exhausted lot (balance 0, never offered), and 18 UN in the deposit without position.
INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo) VALUES
    ('  10', printf('%-15s', 'M1E01N1P01'), printf('%25d', 1030), printf('%-25s', 'L1030A'), '  UN', 60),
    ('  10', printf('%-15s', 'M1E01N1P03'), printf('%25d', 1030), printf('%-25s', 'L1030A'), '  UN', 36),
    ('  10', printf('%-15s', 'M1E01N1P01'), printf('%25d', 1030), printf('%-25s', 'L1030B'), '  UN', 24),
    ('  10', printf('%-15s', 'M1E01N1P02'), printf('%25d', 1030), printf('%-25s', 'L1030B'), '  UN', 30),
    ('  10', printf('%-15s', 'M1E01N1P02'), printf('%25d', 1030), printf('%-25s', 'L1030C'), '  UN', 0),
    ('  10', printf('%-15s', 'M1E02N1P02'), printf('%25d', 1030), NULL, '  UN', 26),
    ('  10', NULL, printf('%25d', 1030), NULL, '  UN', 18);
-- Voucher conversion: orders, delivery notes and invoices to load into a new voucher
------------------------------------------------------------------------------------------

-- Branch 0010. Order 1 (pesos, customer of VAT condition 1) has two tasks, one other concept
-- and five lines: 1001 partly delivered (4 of 10 applied), 1002 fully delivered, 1003 sold by
-- the unit and kept in kilograms, the kit of another business unit, 1004 with nothing applied.
-- Order 2 is in dollars (exchange rate 35) for a customer of condition 4 (letter B). Order 3
-- has 25 lines, more than an A invoice's sheet holds. Delivery note 1 belongs to a delivery run
-- (IdReparto -1): 4 of its 10 units of 1001 left the deposit; its 1005 appears twice and a
-- returned 1006 line is negative. Proforma invoice 1 has a task and a line. Purchase order 1
-- (branch 0100) is the purchases side.
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, SUCURSAL, NUMERO, LETRA, CUENTA, Nombre, FECHA, Importe,
                       IdReparto, Cotizacion, CondicionIva, EnComodato) VALUES
    ('  NP', '001000000001X', 0, '0010', '00000001', 'X', 'C0001', 'Almacén Don Pepe', '2025-05-02 00:00:00',
     2000, 0, 1, '1', 1),
    ('  NP', '001000000002X', 0, '0010', '00000002', 'X', 'C0002', 'Ferretería El Tornillo', '2025-05-03 00:00:00',
     100, 0, 35, '4', 0),
    ('  NP', '001000000003X', 0, '0010', '00000003', 'X', 'C0001', 'Almacén Don Pepe', '2025-05-04 00:00:00',
     2500, 0, 1, '1', 0),
    ('  RM', '001000000001R', 0, '0010', '00000001', 'R', 'C0001', 'Almacén Don Pepe', '2025-05-05 00:00:00',
     1000, -1, 1, '1', 0),
    ('  FP', '001000000001A', 0, '0010', '00000001', 'A', 'C0001', 'Almacén Don Pepe', '2025-05-06 00:00:00',
     1210, 0, 1, '1', 0);

INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, CUENTA, PALLETS, Secuencia, IdArticulo, Descripcion,
                              IdUnidad, IdUnidadBase, Cantidad, Cantidadpreparada, CANTIDADAFACTURAR, Recepcion,
                              CANT_KG, CantidadUd, Cant_BL, CANT_M3, Equiv_UDBase, Importe, Importe_S_IVA, Impuestos,
                              iTC, Total, TotalFinal, Exento, AlicIVA, PorcDto, IdLista, IdDeposito, Presentacion,
                              Costo, Nro_Lote, Nro_Serie, ControladoPor, IdOrigen, Precio_Lista, CodigoArtProveedor)
VALUES
    ('  NP', '001000000001X', 0, 'C0001', 3, 1, printf('%25d', 1001), 'Tuerca hexagonal Clásico', '  UN', '  UN',
     10, 10, 6, NULL, 0, 10, 0, 0, 1, 121, 100, 0, 0, 1000, 1210, 0, 21, 0, '   1', '   1', NULL,
     60, NULL, NULL, NULL, NULL, NULL, NULL),
    ('  NP', '001000000001X', 0, 'C0001', 1, 2, printf('%25d', 1002), 'Arandela plana Clásico', '  UN', '  UN',
     5, 5, 0, NULL, 0, 5, 0, 0, 1, 50, 50, 0, 0, 250, 302.5, 0, 21, 0, '   1', '   1', NULL,
     30, NULL, NULL, NULL, NULL, NULL, NULL),
    ('  NP', '001000000001X', 0, 'C0001', 2, 3, printf('%25d', 1003), 'Clavo punta París Clásico', '  UN', '  KG',
     5, 5, 5, NULL, 12.5, 2.5, 0, 0, 2.5, 80, 80, 0, 0, 400, 484, 0, 21, 5, '   1', '   2', 'Caja 2,5 kg',
     40, NULL, NULL, NULL, NULL, NULL, NULL),
    ('  NP', '001000000001X', 0, 'C0001', 4, 4, printf('%-25s', 'KIT-ASADO'), 'Kit para asado', '  UN', '  UN',
     1, 1, 1, NULL, 0, 1, 0, 0, 1, 9500, 9500, 0, 0, 9500, 11495, 0, 21, 0, '   1', '   1', NULL,
     0, NULL, NULL, NULL, NULL, NULL, NULL),
    ('  NP', '001000000001X', 0, 'C0001', 5, 5, printf('%25d', 1004), 'Cinta aisladora Clásico', '  UN', '  UN',
     2, NULL, NULL, NULL, 0, 2, 0, 0, 1, 30, 30, 0, 0, 60, 72.6, NULL, 21, 0, '   1', '   1', NULL,
     20, NULL, NULL, NULL, NULL, NULL, NULL),
    ('  NP', '001000000002X', 0, 'C0002', 1, 1, printf('%25d', 1001), 'Tuerca hexagonal Clásico', '  UN', '  UN',
     3, NULL, NULL, NULL, 0, 3, 0, 0, 1, 10, 10, 0, 0.5, 30, 36.3, 0, 21, 0, '   1', '   1', NULL,
     6, NULL, NULL, NULL, NULL, NULL, NULL),
    ('  RM', '001000000001R', 0, 'C0001', 1, 1, printf('%25d', 1001), 'Tuerca hexagonal Clásico', '  UN', '  UN',
     10, NULL, NULL, NULL, 0, 10, 0, 0, 1, 100, 100, 0, 0, 1000, 1210, 0, 21, 0, '   1', '   1', NULL,
     60, '|L-01|', NULL, 'SENASA', ' ARG', NULL, NULL),
    ('  RM', '001000000001R', 0, 'C0001', 2, 2, printf('%25d', 1005), 'Pintura látex Clásico', '  LT', '  LT',
     3, NULL, NULL, NULL, 0, 3, 0, 0, 1, 20, 20, 0, 0, 60, 72.6, 0, 21, 0, '   1', '   1', NULL,
     12, NULL, NULL, NULL, NULL, NULL, NULL),
    ('  RM', '001000000001R', 0, 'C0001', 3, 3, printf('%25d', 1005), 'Pintura látex Clásico', '  LT', '  LT',
     2, NULL, NULL, NULL, 0, 2, 0, 0, 1, 20, 20, 0, 0, 40, 48.4, 0, 21, 0, '   1', '   1', NULL,
     12, NULL, NULL, NULL, NULL, NULL, NULL),
    ('  RM', '001000000001R', 0, 'C0001', 4, 4, printf('%25d', 1006), 'Cable unipolar Clásico', '  MT', '  MT',
     -3, NULL, NULL, NULL, 0, -3, 0, 0, 1, 15, 15, 0, 0, -45, -54.45, 0, 21, 0, '   1', '   1', NULL,
     9, NULL, NULL, NULL, NULL, NULL, NULL),
    ('  FP', '001000000001A', 0, 'C0001', 1, 1, printf('%25d', 1004), 'Cinta aisladora Clásico', '  UN', '  UN',
     4, NULL, NULL, NULL, 0, 4, 0, 0, 1, 30, 30, 0, 0, 120, 145.2, 0, 21, 0, '   1', '   1', NULL,
     20, NULL, NULL, NULL, NULL, NULL, NULL);

-- Order 3: one line for each of the articles 1001 to 1025.
INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, CUENTA, PALLETS, Secuencia, IdArticulo, Descripcion,
                              IdUnidad, IdUnidadBase, Cantidad, CantidadUd, Importe, Importe_S_IVA, Impuestos, iTC,
                              Total, TotalFinal, Exento, AlicIVA, PorcDto, IdLista, IdDeposito, Costo)
WITH RECURSIVE serie(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM serie WHERE n < 25)
SELECT '  NP', '001000000003X', 0, 'C0001', n, n, printf('%25d', 1000 + n), 'Artículo ' || (1000 + n), '  UN', '  UN',
       1, 1, 100, 100, 0, 0, 100, 121, 0, 21, 0, '   1', '   1', 50
FROM serie;

-- What was applied of order 1's lines (origin types stored filled, as the programs write them),
-- and what left the deposit for delivery note 1.
INSERT INTO VT_V_MV_INSUMOS_APLICACION (TCO_ORIGEN, IDCOMPROBANTEORIGEN, IDARTICULO, CantidadAplicada) VALUES
    ('  NP', '001000000001X', printf('%25d', 1001), 4),
    ('  NP', '001000000001X', printf('%25d', 1002), 5),
    ('  NP', '001000000001X', printf('%25d', 1003), 0);
INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Fecha, IdDeposito, IdArticulo, Cantidad, Tc_Origen,
                        IdComprobante_Origen)
VALUES ('  RM', '001000000001R', 0, '2025-05-05 00:00:00', '   1', printf('%25d', 1001), 4, '  RM', '001000000001R');

INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IdComplemento, CUENTA, IDTAREA, Descripcion, Horas, ValorHora,
                             valorHora_S_Iva, Total, descripcionadicional, FechaEstInicio, FechaEstFin, IdTecnico,
                             FechaREALInicio, FechaREALFin, Prioridad, Usuario, FHPRESENTACION, FHEMISION, NROEXP,
                             FhEntrega) VALUES
    ('  NP', '001000000001X', 0, 'C0001', ' INST', 'Instalación', 90, 1210, 1000, 1815, ' Con materiales ',
     '2025-05-10 08:00:00', '2025-05-10 10:00:00', '   7', NULL, NULL, 3, '12 operadores', ' 2025-05-01',
     '2025-05-02 00:00:00', ' EXP-7 ', NULL),
    ('  NP', '001000000001X', 0, 'C0001', 'VIS', 'Visita técnica', 30, 605, 500, 302.5, NULL, NULL, NULL, NULL,
     NULL, NULL, NULL, 'abc', NULL, NULL, NULL, NULL),
    ('  FP', '001000000001A', 0, 'C0001', 'VIS', 'Visita técnica', 45, 10, 10, 7.5, NULL, NULL, NULL, NULL,
     NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);

INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IdComplemento, CUENTA, TIPO_OBS, Observacion, Importe,
                              Importe_S_IVA, NroViaje) VALUES
    ('  NP', '001000000001X', 0, 'C0001', 'OC', '411 Flete a domicilio', 121, 100, NULL),
    ('  NP', '001000000001X', 0, 'C0001', 'OT', 'Nota interna', 0, 0, NULL);

INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, SUCURSAL, NUMERO, LETRA, CUENTA, NOMBRE, FECHA, Importe, IdReparto,
                       Cotizacion, CondicionIva) VALUES
    ('  OC', '010000000001X', '0100', '00000001', 'X', 'P001', 'Distribuidora Norte', '2025-05-07 00:00:00', 500, 0,
     1, '1');
INSERT INTO C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, CUENTA, Secuencia, IdArticulo, Descripcion, IdUnidad,
                              IdUnidadBase, Cantidad, CantidadUd, Equiv_UDBase, Importe, Importe_S_IVA, Impuestos,
                              iTC, Total, TotalFinal, Exento, AlicIVA, Costo, Precio_Lista, CodigoArtProveedor)
VALUES ('  OC', '010000000001X', 0, 'P001', 1, printf('%25d', 1015), 'Agua mineral Clásico', '  PQ', '  UN', 2, 12,
        6, 50, 50, 0, 0, 100, 121, 0, 21, 7, 55, 'PRV-0015');

-- Articles of the conversion's own cases: one with taxes per unit, two proforma articles, one
-- exempt by law, a timber board sold by measures and a perishable bought by lot.
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, Descripabrev, IDUNIDAD, IdTipo, IdRubro, Costo, PRECIO,
                            Impuestos, TasaIVA, Exento, USALOTE, Perecedero, PIDEMEDIDAS, PROCEDENCIA,
                            CuentaContable) VALUES
    (printf('%-25s', 'CONV-IMP'), 'Cigarrillos box', 'Cigarrillos', '  UN', '   1', '   2', 300, 500, 5, 21, 0,
     0, 0, 'NO', 'NACIONAL', '4.1.1.01'),
    (printf('%-25s', 'CONV-PROF'), 'Servicio proforma', 'proforma', '  UN', '   1', '   2', 0, 100, 0, 21, 0,
     0, 0, 'NO', 'NACIONAL', '4.1.1.01'),
    (printf('%-25s', 'CONV-P105'), 'Servicio proforma reducido', 'PROFORMA10.5', '  UN', '   1', '   2', 0, 100,
     0, 21, 0, 0, 0, 'NO', 'NACIONAL', '4.1.1.01'),
    (printf('%-25s', 'CONV-EXL'), 'Libro escolar', 'Libro', '  UN', '   1', '   2', 10, 20, 0, 0, 0, 0, 0, 'NO',
     'EXENTO LEY', '4.1.1.01'),
    (printf('%-25s', 'CONV-TABLA'), 'Tabla de pino', 'Tabla pino', '  TI', '   1', '   1', 8, 10, 0, 21, 0, 0, 0,
     'SI', 'NACIONAL', '4.1.1.01'),
    (printf('%-25s', 'CONV-PERE'), 'Yogur entero', 'Yogur', '  UN', '   1', '   2', 2, 3, 0, 21, 0, 1, 1, 'NO',
     'NACIONAL', '4.1.1.01');

-- Delivery note 4 is a timber one: three boards of one measure (the third returned), one of another
-- thickness, and a screw that has no measures. Order 5 is priced with VAT included: with a price
-- list, and without one with and without a discount, and a line of no quantity. Order 6 is for
-- a customer of condition 3 and carries the proforma and exempt-by-law articles. Order
-- 9999-1 has amounts stored without VAT and a line without the article's taxes.
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, SUCURSAL, NUMERO, LETRA, CUENTA, Nombre, FECHA, Importe,
                       IdReparto, Cotizacion, CondicionIva, EnComodato) VALUES
    ('  RM', '001000000004R', 0, '0010', '00000004', 'R', 'C0001', 'Almacén Don Pepe', '2025-05-08 00:00:00',
     80, 0, 1, '1', 0),
    ('  NP', '001000000005X', 0, '0010', '00000005', 'X', 'C0001', 'Almacén Don Pepe', '2025-05-09 00:00:00',
     363, 0, 1, '1', 0),
    ('  NP', '001000000006X', 0, '0010', '00000006', 'X', 'C0003', 'Escuela N° 4', '2025-05-10 00:00:00',
     220, 0, 1, '3', 0),
    ('  NP', '999900000001X', 0, '9999', '00000001', 'X', 'C0001', 'Almacén Don Pepe', '2025-05-11 00:00:00',
     800, 0, 1, '1', 0);

INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, CUENTA, Secuencia, IdArticulo, Descripcion, IdUnidad,
                              IdUnidadBase, Cantidad, CantidadUd, Cant_BL, CANT_KG, CANT_M3, Equiv_UDBase, Importe,
                              Importe_S_IVA, Impuestos, iTC, Total, TotalFinal, Exento, AlicIVA, PorcDto, IdLista,
                              IdDeposito, Costo, Espesor, Ancho, Ud_Pr, Importe_Ud)
VALUES
    ('  RM', '001000000004R', 0, 'C0001', 1, printf('%-25s', 'CONV-TABLA'), 'Tabla de pino', '  TI', '  TI', 2, 2,
     1, 4, 0.5, 2.5, 10, 10, 1, 0.5, 20, 24.2, 0, 21, 0, NULL, '   1', 6, 1, 4, '  M2', 12.5),
    ('  RM', '001000000004R', 0, 'C0001', 2, printf('%-25s', 'CONV-TABLA'), 'Tabla de pino', '  TI', '  TI', 3, 3,
     2, 6, 0.25, 3, 20, 20, 1, 0.5, 60, 72.6, 0, 21, 0, NULL, '   1', 8, 1, 4, '  M2', 12.5),
    ('  RM', '001000000004R', 0, 'C0001', 3, printf('%-25s', 'CONV-TABLA'), 'Tabla de pino', '  TI', '  TI', 1, 1,
     0, 2, 0, 2, 10, 10, 1, 0.5, 10, 12.1, 0, 21, 0, NULL, '   1', 6, 2, 4, '  M2', 12.5),
    ('  RM', '001000000004R', 0, 'C0001', 4, printf('%-25s', 'CONV-TABLA'), 'Tabla de pino', '  TI', '  TI', -5,
     -5, 0, 0, 0, 2, 10, 10, 1, 0.5, -50, -60.5, 0, 21, 0, NULL, '   1', 6, 1, 4, '  M2', 12.5),
    ('  RM', '001000000004R', 0, 'C0001', 5, printf('%25d', 1001), 'Tuerca hexagonal Clásico', '  UN', '  UN', 4,
     4, 0, 0, 0, 1, 5, 5, 0, 0, 20, 24.2, 0, 21, 0, NULL, '   1', 3, NULL, NULL, NULL, NULL),
    ('  NP', '001000000005X', 0, 'C0001', 1, printf('%25d', 1001), 'Tuerca hexagonal Clásico', '  UN', '  UN', 2,
     2, 0, 0, 0, 1, 100, 100, 0, 0, 100, 121, 0, 21, 0, '   2', '   1', 60, NULL, NULL, NULL, NULL),
    ('  NP', '001000000005X', 0, 'C0001', 2, printf('%25d', 1002), 'Arandela plana Clásico', '  UN', '  UN', 2,
     2, 0, 0, 0, 1, 55, 55, 0, 0, 100, 121, 0, 21, 10, NULL, '   1', 30, NULL, NULL, NULL, NULL),
    ('  NP', '001000000005X', 0, 'C0001', 3, printf('%25d', 1004), 'Cinta aisladora Clásico', '  UN', '  UN', 2,
     2, 0, 0, 0, 1, 55, 55, 2, 1, 100, 121, 0, 21, 0, NULL, '   1', 20, NULL, NULL, NULL, NULL),
    ('  NP', '001000000005X', 0, 'C0001', 4, printf('%25d', 1007), 'Yerba mate Clásico', '  UN', '  UN', 0,
     0, 0, 0, 0, 1, 40, 40, 0, 0, 0, 121, 0, 21, 0, NULL, '   1', 20, NULL, NULL, NULL, NULL),
    ('  NP', '001000000006X', 0, 'C0003', 1, printf('%-25s', 'CONV-PROF'), 'Servicio proforma', '  UN', '  UN', 1,
     1, 0, 0, 0, 1, 100, 100, 0, 0, 100, 100, 0, 0, 0, NULL, '   1', 0, NULL, NULL, NULL, NULL),
    ('  NP', '001000000006X', 0, 'C0003', 2, printf('%-25s', 'CONV-P105'), 'Servicio proforma reducido', '  UN',
     '  UN', 1, 1, 0, 0, 0, 1, 100, 100, 0, 0, 100, 110.5, 0, 0, 0, NULL, '   1', 0, NULL, NULL, NULL, NULL),
    ('  NP', '001000000006X', 0, 'C0003', 3, printf('%-25s', 'CONV-EXL'), 'Libro escolar', '  UN', '  UN', 1, 1,
     0, 0, 0, 1, 20, 20, 0, 0, 20, 20, 0, 0, 0, NULL, '   1', 10, NULL, NULL, NULL, NULL),
    ('  NP', '999900000001X', 0, 'C0001', 1, printf('%25d', 1007), 'Yerba mate Clásico', '  UN', '  UN', 3, 3, 0,
     0, 0, 1, 100, 100, 0, 0, 300, 363, 0, 21, 0, NULL, '   1', 50, NULL, NULL, NULL, NULL),
    ('  NP', '999900000001X', 0, 'C0001', 2, printf('%-25s', 'CONV-IMP'), 'Cigarrillos box', '  UN', '  UN', 1, 1,
     0, 0, 0, 1, 121, 100, 0, 0, 121, 121, 0, 21, 0, NULL, '   1', 300, NULL, NULL, NULL, NULL);

-- Purchase order 2 brings the perishable without its lot; its reception moved lot Y-2505.
INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, SUCURSAL, NUMERO, LETRA, CUENTA, NOMBRE, FECHA, Importe, IdReparto,
                       Cotizacion, CondicionIva) VALUES
    ('  OC', '010000000002X', '0100', '00000002', 'X', 'P001', 'Distribuidora Norte', '2025-05-12 00:00:00', 30, 0,
     1, '1');
INSERT INTO C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, CUENTA, Secuencia, IdArticulo, Descripcion, IdUnidad,
                              IdUnidadBase, Cantidad, CantidadUd, Importe, Importe_S_IVA, Impuestos, iTC, Total,
                              TotalFinal, Exento, AlicIVA, Costo, Nro_Lote, Precio_Lista, CodigoArtProveedor)
VALUES ('  OC', '010000000002X', 0, 'P001', 1, printf('%-25s', 'CONV-PERE'), 'Yogur entero', '  UN', '  UN', 10, 10,
        3, 3, 0.1, 0, 30, 36.3, 0, 10.5, 2, NULL, 3.5, ' YE-1 ');
INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Fecha, IdDeposito, IdArticulo, NroLote, Cantidad)
VALUES ('  OC', '010000000002X', 0, '2025-05-12 00:00:00', '   1', printf('%-25s', 'CONV-PERE'), 'Y-2505', 10);

-- Other concepts of order 1 by an account's code and of a title account; a cattle trip's
-- concept on delivery note 1.
INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IdComplemento, CUENTA, TIPO_OBS, Observacion, Importe,
                              Importe_S_IVA, NroViaje) VALUES
    ('  NP', '001000000001X', 0, 'C0001', 'OC', '  1.1.5.01 Mercadería en consignación', 50, 50, NULL),
    ('  NP', '001000000001X', 0, 'C0001', 'OC', '1.1.5 Bienes de cambio', 10, 10, NULL),
    ('  RM', '001000000001R', 0, 'C0001', 'OC', 'Flete de hacienda', 300, 300, ' tropa '),
    ('  RM', '001000000001R', 0, 'C0001', 'OC', 'Seguro', 20, 20, 'V-12');

-- Order 7 sells one and a half units with taxes per unit of four decimals. Delivery note 8
-- belongs to a delivery run whose first line has no article code; a second line without one
-- and a repeat of 1001 follow.
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, SUCURSAL, NUMERO, LETRA, CUENTA, Nombre, FECHA, Importe,
                       IdReparto, Cotizacion, CondicionIva, EnComodato) VALUES
    ('  NP', '001000000007X', 0, '0010', '00000007', 'X', 'C0001', 'Almacén Don Pepe', '2025-05-13 00:00:00',
     150, 0, 1, '1', 0),
    ('  RM', '001000000008R', 0, '0010', '00000008', 'R', 'C0001', 'Almacén Don Pepe', '2025-05-14 00:00:00',
     140, -1, 1, '1', 0);
INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IdComplemento, CUENTA, Secuencia, IdArticulo, Descripcion, IdUnidad,
                              IdUnidadBase, Cantidad, CantidadUd, Importe, Importe_S_IVA, Impuestos, iTC, Total,
                              TotalFinal, Exento, AlicIVA, PorcDto, IdDeposito, Costo)
VALUES
    ('  NP', '001000000007X', 0, 'C0001', 1, printf('%25d', 1001), 'Tuerca hexagonal Clásico', '  UN', '  UN',
     1.5, 1.5, 100, 100, 0.0125, 0.0125, 150, 181.5, 0, 21, 0, '   1', 60),
    ('  RM', '001000000008R', 0, 'C0001', 1, NULL, 'Flete', '  UN', '  UN', 1, 1, 20, 20, 0, 0, 20, 24.2, 0, 21,
     0, '   1', 0),
    ('  RM', '001000000008R', 0, 'C0001', 2, printf('%25d', 1001), 'Tuerca hexagonal Clásico', '  UN', '  UN',
     1, 1, 100, 100, 0, 0, 100, 121, 0, 21, 0, '   1', 60),
    ('  RM', '001000000008R', 0, 'C0001', 3, '', 'Embalaje', '  UN', '  UN', 1, 1, 10, 10, 0, 0, 10, 12.1, 0, 21,
     0, '   1', 0),
    ('  RM', '001000000008R', 0, 'C0001', 4, printf('%25d', 1001), 'Tuerca hexagonal Clásico', '  UN', '  UN',
     1, 1, 100, 100, 0, 0, 100, 121, 0, 21, 0, '   1', 60);

-- The voucher lookup window's lists belong to its own vouchers (branch 0099): these are kept out
-- of them, as complementary and finished vouchers, and the purchase orders sort after them.
UPDATE V_MV_CPTE SET COMPLEMENTARIO = 1, FINALIZADA = 1
WHERE IDCOMPROBANTE GLOB '0010*' OR IDCOMPROBANTE GLOB '9999*';
UPDATE C_MV_CPTE SET FINALIZADO = 1 WHERE IDCOMPROBANTE GLOB '0100*';
-- Stock posting
------------------------------------------------------------------------------------------

-- The SPNL movements derived from production orders (OP, a type of the production programs, not
-- kept here). Letter X.
INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, DESCRIPCION, SISTEMA, ES, DebeHaber, Letras, UNEGOCIO,
                       Modificanumeracion, Externo, FechaHora_Modificacion,
                       X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA, VenceX) VALUES
    ('SPNL', 1, 'Salida de producción no liberada', 'PRODUCCION', 'S', 'H', 'X', '', 'SI', 0,
     '2025-01-02 09:00:00', 1, 0, 1, 99999999, '');
INSERT INTO TA_Comprobantes SELECT * FROM V_TA_CPTE WHERE CODIGO = 'SPNL';

-- A T-shirt kept by size, colour and sex.
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, Descripabrev, IDUNIDAD, Costo, PRECIO, CuentaProveedor,
                            UsaTalle, cuentacontableC) VALUES
    (printf('%-25s', 'REMERA-ALG'), 'Remera de algodón', 'Remera', '  UN', 12.5, 25, 'P001', 1, '1.1.5.01');

-- Purchase orders 0100-7 (not received yet) and 0100-8 (received on 12/03/2025), stored filled as the
-- posting writes its origin types.
INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, SUCURSAL, NUMERO, LETRA, CUENTA, NOMBRE, FECHA,
                       FechaRecepcion) VALUES
    ('  OC', '010000000007X', 0, '0100', '00000007', 'X', 'P001', 'Distribuidora del Plata S.R.L.',
     '2025-03-10 00:00:00', NULL),
    ('  OC', '010000000008X', 0, '0100', '00000008', 'X', 'P002', 'Bulonera Industrial S.A.',
     '2025-03-11 00:00:00', '2025-03-12 09:00:00');

-- Production order 3 is already posted (seven rows, the last with the highest automatic lot so
-- far, 41) and an SPNL movement derives from it; production order 4 has none.
INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia, Fecha, IdDeposito, IdArticulo, Descripcion,
                        NroLote, IdUnidad, Cantidad, IdMotivoStock, UNEGOCIO)
WITH RECURSIVE filas(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM filas WHERE n < 7)
SELECT '  OP', '000100000003X', 0, n, '2025-03-05 00:00:00', '   1', printf('%25d', 1000 + n), 'Producción',
       CASE WHEN n = 7 THEN printf('%25d', 41) ELSE NULL END, '  UN', 1, '   1', '   1'
FROM filas;
INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia, Fecha, IdDeposito, IdArticulo, Descripcion,
                        IdUnidad, Cantidad, IdMotivoStock, Tc_Origen, IdComprobante_Origen, UNEGOCIO) VALUES
    ('SPNL', '000100000001X', 0, 1, '2025-03-06 00:00:00', '   1', printf('%25d', 1001), 'Producción',
     '  UN', -1, '   1', '  OP', '000100000003X', '   1');

INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio, ValorAux) VALUES
    ('STOCK', 'IR_OBLIG', 'NO', 0, ''),
    ('STOCK', 'CUENTACTRODIST', 'P002', 0, ''),
    ('STOCK', 'CARGAINSUMOSPRODUCCION', 'NO', 0, '');

------------------------------------------------------------------------------------------
-- Production-input discharge
------------------------------------------------------------------------------------------

-- A burger made of two units of 1015 (kept by lots: L1015A 57 and L1015B 58 in deposit 1) and a
-- tenth of a free-text seasoning; a coffee blend of 60 % 1030 and 40 % 1045 (both by lots); a
-- bread of the house's own production, whose components are not discharged.
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, Descripabrev, IDUNIDAD, Costo, PRECIO, CuentaProveedor,
                            InsumosPorPorcentaje, PROCEDENCIA, cuentacontableC) VALUES
    (printf('%-25s', 'HAMBURGUESA'), 'Hamburguesa completa', 'Hamburguesa', '  UN', 40, 90, NULL, 0, 'ELABORADO',
     '1.1.5.01'),
    (printf('%-25s', 'MEZCLA-CAFE'), 'Mezcla de café', 'Mezcla café', '  UN', 30, 70, NULL, 1, 'ELABORADO',
     '1.1.5.01'),
    (printf('%-25s', 'PAN-PROPIO'), 'Pan de elaboración propia', 'Pan propio', '  UN', 5, 12, NULL, 0,
     ' PRODUCCION ', '1.1.5.01');
INSERT INTO V_MA_INSUMOS (IDARTICULO, IdArticuloInsumo, IdUnidadInsumo, Cantidad) VALUES
    (printf('%-25s', 'HAMBURGUESA'), printf('%25d', 1015), '  UN', 2),
    (printf('%-25s', 'HAMBURGUESA'), printf('%-25s', '*Condimentos varios'), '  UN', 0.1),
    (printf('%-25s', 'MEZCLA-CAFE'), printf('%25d', 1030), '  UN', 60),
    (printf('%-25s', 'MEZCLA-CAFE'), printf('%25d', 1045), '  LT', 40),
    (printf('%-25s', 'PAN-PROPIO'), printf('%25d', 1001), '  UN', 1);
-- Real charges of customer accounts
------------------------------------------------------------------------------------------

-- C0001 has charges with a balance, one whose balance is not known (NULL: its amount is
-- pending), one already settled (balance 0) and one without a date; C0002 has one charge.
INSERT OR IGNORE INTO MA_CUENTAS (Codigo, CodigoOpcional, DESCRIPCION, Titulo) VALUES
    ('C0001', NULL, 'Almacén Don Pepe', 0),
    ('C0002', NULL, 'Ferretería El Tornillo', 0);
INSERT INTO V_MV_CARGOSAPLICADOS (id, CUENTA, Fecha, Matricula, Concepto, Observaciones, Importe, SALDO) VALUES
    (1, 'C0001', '2025-05-02 00:00:00', 'AB123CD', 'Cuota social', 'Mayo', 120, 80),
    (2, 'C0001', '2025-05-10 00:00:00', 'AB123CD', 'Lavado', NULL, 45.5, NULL),
    (3, 'C0001', '2025-05-15 00:00:00', 'XY987ZT', 'Estacionamiento', 'Pagado', 30, 0),
    (4, 'C0001', NULL, 'XY987ZT', 'Reparación de chapa', 'Sin fecha de cargo', 250, 250),
    (5, 'C0002', '2025-05-20 00:00:00', 'JK555LM', 'Cuota social', NULL, 60, 60);

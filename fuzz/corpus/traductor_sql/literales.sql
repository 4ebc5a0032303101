INSERT INTO AUX_ERR (Descripcion) VALUES ('Línea 1
Línea 2 con '' comilla')
SELECT * FROM TA_CONFIGURACION WHERE Clave = N'TIPOEAN' -- máscara
SELECT [Clave], "Valor" FROM TA_CONFIGURACION WHERE Grupo IS NULL

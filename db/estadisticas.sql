-- Statistics database CV_ESTADISTICAS (for the embedded database, a second file beside the main
-- one). Its own configuration table, with the command time-out of the session.

CREATE TABLE TA_CONFIGURACION (
    Grupo           VARCHAR(50) COLLATE TEXTO,
    Clave           VARCHAR(100) COLLATE TEXTO NOT NULL PRIMARY KEY,
    Valor           TEXT COLLATE TEXTO,
    PoliticaNegocio INTEGER DEFAULT 0,
    ValorAux        TEXT COLLATE TEXTO DEFAULT ''
);

-- Seconds; 0 would mean the default of 360.
INSERT INTO TA_CONFIGURACION (Grupo, Clave, Valor, PoliticaNegocio, ValorAux) VALUES
    ('BaseDeDatos', 'TIMEOUT', '60', 0, '');

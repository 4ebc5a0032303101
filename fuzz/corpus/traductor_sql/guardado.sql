BEGIN TRANSACTION
DELETE V_CPTES_MODELO_DET WHERE IdVardelio = 7
DELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 7
INSERT INTO V_CPTES_MODELO_CAB (IdVardelio,nombre,DETALLE,TCDefault,DepositoOrigen,DepositoDestino,IdMotivoStock,AnclarAlMenu) VALUES (7,'Remito interno','Pasa stock','RI','   1','   2','  10',1)
COMMIT TRANSACTION

SELECT 1 /* /* */ ; DELETE FROM T; /* */
UPDATE T SET N = N /* /* */ + 100 /* */
DELETE FROM T /* /* */ WHERE N = 1 -- */
/* a /* b */
DELETE FROM T -- */
SELECT TOP 3 Clave FROM TA_MENU /* /* */ WHERE 1 = 0 -- */ WITH (NOLOCK) WHERE MENU = 'M'
SELECT ISNULL(Nombre, '') FROM @ADMIN_V_TA_Deposito /* @ADMIN_V_TA_Cajas /* ISNULL( */ TOP 1 */
INSERT INTO T VALUES(5); COMMIT
/* /*/ */ BEGIN TRAN /* a /* b */ c */ Alta
SELECT [/*], '/*', "*/" /*/ [ */

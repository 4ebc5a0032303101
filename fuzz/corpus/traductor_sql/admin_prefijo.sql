SELECT * FROM @ADMIN_V_TA_Deposito  with(nolock) WHERE x = '@ADMIN_Y' -- @admin_z

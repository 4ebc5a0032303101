// Templates saved, replaced, deleted and loaded back through the editor window on the demo
// database; refused saves leave the stored template as it was, also when the saving process
// is killed before its commit.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Regional.h"
#include "Registros.h"
#include "ReportaError.h"
#include "TandasSql.h"
#include "Utilidades.h"
#include "VentanaDemo.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QThread>
#include <gtest/gtest.h>
#include <ostream>
#include <sqlite3.h>

[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QString kCR = QStringLiteral("\r");

class Almacen : public ConVentanaDemo {
protected:
    QStringList Cabecera(int id) {
        return Filas(
            QStringLiteral("SELECT IdVardelio, nombre, DETALLE, TCDefault, DepositoOrigen, DepositoDestino, "
                           "IdMotivoStock, AnclarAlMenu FROM V_CPTES_MODELO_CAB WHERE IdVardelio = %1")
                .arg(id));
    }
    QStringList Lineas(int id) {
        return Filas(QStringLiteral("SELECT IdArticulo, Cantidad, IdUnidad FROM V_CPTES_MODELO_DET "
                                    "WHERE IdVardelio = %1 ORDER BY Linea")
                         .arg(id));
    }
    QStringList TodoGuardado() {
        return Filas("SELECT * FROM V_CPTES_MODELO_CAB ORDER BY IdVardelio") +
               Filas("SELECT IdVardelio, IdArticulo, Cantidad, IdUnidad FROM V_CPTES_MODELO_DET ORDER BY "
                     "Linea");
    }

    void SeleccionaTipo(const QString& codigo) {
        for (int i = 0; i < F().CmbLista.ListCount(); ++i)
            if (F().CmbLista.List(i).left(4).trimmed() == codigo) {
                F().CmbLista.setListIndex(i);
                return;
            }
        FAIL() << "tipo " << codigo.toStdString();
    }
    void Linea(int fila, const QString& articulo, const QString& unidad, const QString& cantidad) {
        Grilla& g = F().MSFlexGrid2;
        if (g.Rows() <= fila)
            g.setRows(fila + 1);
        g.setTextMatrix(fila, col::CodigoArticulo, articulo);
        g.setTextMatrix(fila, col::Unidad, unidad);
        g.setTextMatrix(fila, col::Cantidad, cantidad);
    }
    QString Celda(int fila, int col) { return F().MSFlexGrid2.TextMatrix(fila, col); }

    // The name typed into its box and accepted, as the user leaving the box does.
    void Nombre(const QString& texto) {
        Campo("NOMBRE").setText(texto);
        F().CampoValida(Campo("NOMBRE"));
    }
    // What GRABAR does once the user confirmed it.
    void Graba() {
        Prueba(F()).ValidandoGrabacion() = true;
        if (F().Datosvalidos())
            F().ActualizarDatos();
        Prueba(F()).ValidandoGrabacion() = false;
    }
    // What BORRAR does once the user confirmed it.
    void Borra() {
        Prueba(F()).ValidandoGrabacion() = true;
        if (F().Datosvalidos()) {
            Prueba(F()).ModoActual() = AccesoPruebasVardelio::Modo::Baja;
            F().ActualizarDatos();
        }
        Prueba(F()).ValidandoGrabacion() = false;
    }
    static QString Decimal(double v) { return Regional::TextoNumero(v); }
    static QString Codigo25(const QString& c) { return UT().RellenaCodigo(c, 25); }

    std::unique_ptr<FrmVardelio> form;
};

TEST_F(Almacen, UnModeloNuevoSeGuardaYSeLeeCampoACampoYLineaALinea) {
    Nombre("Prueba nueva");
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    EXPECT_FALSE(Prueba(F()).EsModificacion());
    Campo("DETALLE").setText("Reposición de los viernes");
    Campo("IdMotivoStock").setText("2");
    Campo("DepositoOrigen").setText("1");
    Campo("DepositoDestino").setText("3");
    SeleccionaTipo("TR");
    F().ChkAnclar.setValue(1);
    Linea(1, "1007", "UN", "24");
    Linea(2, "GASEOSA-225", "PQ", Decimal(3.5));
    Linea(3, "50001", "KG", "2");

    Graba();
    ASSERT_FALSE(Prueba(F()).ErrorValidacion()) << guion.Mensajes().join('\n').toStdString();
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join('\n').toStdString();

    // The demo holds templates 1 and 2: the new one takes the next identifier.
    EXPECT_EQ(Cabecera(3), QStringList{"3|Prueba nueva|Reposición de los viernes|  TR|   1|   3|   2|1"});
    EXPECT_EQ(Lineas(3), (QStringList{Codigo25("1007") + "|24|  UN",
                                      Codigo25("GASEOSA-225") + "|" + Decimal(3.5) + "|  PQ",
                                      Codigo25("50001") + "|2|  KG"}));

    // Found again by its name in any case: the stored template comes back into a reset window
    // (over the type and the box changed there, once the user said so).
    F().Inicializa();
    SeleccionaTipo("VS");
    F().ChkAnclar.setValue(0);
    guion.AgregaRespuesta(Respuesta::Si);
    Nombre("PRUEBA NUEVA");
    EXPECT_TRUE(Prueba(F()).EsModificacion());
    EXPECT_FALSE(Prueba(F()).EsNuevo());
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Campo("NOMBRE").Text(), "Prueba nueva");
    EXPECT_EQ(Campo("DETALLE").Text(), "Reposición de los viernes");
    EXPECT_EQ(Campo("IdMotivoStock").Text().trimmed(), "2");
    EXPECT_EQ(Campo("DepositoOrigen").Text().trimmed(), "1");
    EXPECT_EQ(Campo("DepositoDestino").Text().trimmed(), "3");
    EXPECT_EQ(F().FNTC(), "TR");
    EXPECT_EQ(F().LblES.Caption(), "[S]");
    EXPECT_EQ(F().ChkAnclar.Value(), 1);
    ASSERT_EQ(F().MSFlexGrid2.Rows(), 4);
    const QStringList esperadas = {"1007|UN|24", "GASEOSA-225|PQ|" + Decimal(3.5), "50001|KG|2"};
    for (int fila = 1; fila <= 3; ++fila)
        EXPECT_EQ(Celda(fila, col::CodigoArticulo) + "|" + Celda(fila, col::Unidad) + "|" +
                      Celda(fila, col::Cantidad),
                  esperadas[fila - 1]);
    EXPECT_TRUE(F().MSFlexGrid2.Redraw());
    EXPECT_TRUE(F().MSFlexGrid2.Enabled()); // the window is in edition
}

TEST_F(Almacen, UnModeloModificadoSeReemplazaBajoElMismoIdentificador) {
    const QStringList otro = Cabecera(2) + Lineas(2);
    Nombre("reposicion local centro");
    ASSERT_TRUE(Prueba(F()).EsModificacion());
    ASSERT_EQ(F().MSFlexGrid2.Rows(), 5);
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1007");
    EXPECT_EQ(Celda(4, col::Cantidad), Decimal(3.5));
    EXPECT_EQ(F().ChkAnclar.Value(), 1);

    F().MSFlexGrid2.setTextMatrix(1, col::Cantidad, "30");
    F().MSFlexGrid2.setTextMatrix(2, col::CodigoArticulo, ""); // the line of 1030 is emptied
    Linea(5, "1013", "UN", "7");
    Campo("DETALLE").setText("Cambiado");
    F().ChkAnclar.setValue(0);

    Graba();
    ASSERT_FALSE(Prueba(F()).ErrorValidacion()) << guion.Mensajes().join('\n').toStdString();
    // Validating before the save did not load the stored template over the edits.
    EXPECT_EQ(Celda(1, col::Cantidad), "30");

    EXPECT_EQ(Filas("SELECT COUNT(*) FROM V_CPTES_MODELO_CAB"), QStringList{"2"});
    EXPECT_EQ(Cabecera(1), QStringList{"1|REPOSICION LOCAL CENTRO|Cambiado|  TR|   1|   3|   3|0"});
    EXPECT_EQ(Lineas(1),
              (QStringList{Codigo25("1007") + "|30|  UN", Codigo25("GASEOSA-225") + "|4|  PQ",
                           Codigo25("50001") + "|" + Decimal(3.5) + "|  KG", Codigo25("1013") + "|7|  UN"}));
    EXPECT_EQ(Cabecera(2) + Lineas(2), otro);
    EXPECT_TRUE(Prueba(F()).UltimaTanda().startsWith(
        "BEGIN TRANSACTION \r\r\r\n\rDELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 1\r"
        "DELETE V_CPTES_MODELO_DET WHERE IdVardelio = 1\r"
        "INSERT INTO V_CPTES_MODELO_CAB "))
        << Prueba(F()).UltimaTanda().toStdString();
}

TEST_F(Almacen, LaTandaDelEjemploCaracterPorCaracter) {
    Ejecuta("DELETE FROM V_CPTES_MODELO_CAB");
    Campo("NOMBRE").setText("PRUEBA");
    Campo("DETALLE").setText("Obs");
    SeleccionaTipo("TR");
    Campo("DepositoOrigen").setText("1");
    Campo("DepositoDestino").setText("2");
    Campo("IdMotivoStock").setText("AJ");
    Linea(1, "A1", "UN", "5");
    Prueba(F()).ModoActual() = AccesoPruebasVardelio::Modo::Nuevo;
    F().ActualizarDatos();
    ASSERT_FALSE(Prueba(F()).ErrorValidacion()) << guion.Mensajes().join('\n').toStdString();

    const QString esperado =
        "BEGIN TRANSACTION " + kCR + kCR + kCR + "\n" + kCR +
        "DELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 0" + kCR +
        "DELETE V_CPTES_MODELO_DET WHERE IdVardelio = 0" + kCR +
        "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio,nombre,DETALLE,TCDefault,DepositoOrigen,DepositoDestino,"
        "IdMotivoStock,AnclarAlMenu) VALUES (1,'PRUEBA','Obs','  TR','   1','   2','  AJ','0')" +
        kCR + "INSERT INTO V_CPTES_MODELO_DET (IdVardelio,IdArticulo,Cantidad,IdUnidad) VALUES (1,'A1" +
        QString(23, ' ') + "',5,'  UN')" + kCR;
    EXPECT_EQ(Prueba(F()).UltimaTanda(), esperado);
    EXPECT_EQ(Cabecera(1), QStringList{"1|PRUEBA|Obs|  TR|   1|   2|  AJ|0"});
    EXPECT_EQ(Lineas(1), QStringList{"A1" + QString(23, ' ') + "|5|  UN"});
}

TEST_F(Almacen, LosValoresPierdenApostrofesYNullEsUnTexto) {
    Nombre("Ajuste O'Hara");
    Campo("DETALLE").setText("nUlL");
    Campo("IdMotivoStock").setText("1");
    Campo("DepositoOrigen").setText("2");
    Linea(1, "1013", "UN", "1");
    Graba();
    ASSERT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Filas("SELECT nombre, DETALLE, DETALLE IS NULL FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 3"),
              QStringList{"Ajuste OHara|nUlL|0"});
    // Loaded again, the observation reads as it was typed.
    F().Inicializa();
    Nombre("Ajuste OHara");
    EXPECT_EQ(Campo("DETALLE").Text(), "nUlL");
}

TEST_F(Almacen, UnNombreConApostrofeYBlancosDaUnSoloModelo) {
    Nombre("  Pedido D'Ambrosio  ");
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    EXPECT_EQ(Campo("NOMBRE").Text(), "Pedido DAmbrosio");
    Campo("IdMotivoStock").setText("1");
    Campo("DepositoOrigen").setText("1");
    Linea(1, "1007", "UN", "2");
    Graba();
    ASSERT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Filas("SELECT IdVardelio, nombre FROM V_CPTES_MODELO_CAB WHERE IdVardelio > 2"),
              QStringList{"3|Pedido DAmbrosio"});

    // Typed again as at first: the stored template is found, loaded and replaced, not doubled.
    F().Inicializa();
    Nombre(" Pedido D'Ambrosio");
    EXPECT_TRUE(Prueba(F()).EsModificacion());
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1007");
    F().MSFlexGrid2.setTextMatrix(1, col::Cantidad, "5");
    Graba();
    ASSERT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Filas("SELECT IdVardelio, nombre FROM V_CPTES_MODELO_CAB WHERE IdVardelio > 2"),
              QStringList{"3|Pedido DAmbrosio"});
    EXPECT_EQ(Lineas(3), QStringList{Codigo25("1007") + "|5|  UN"});
}

TEST_F(Almacen, LasFilasSinArticuloNoSeGuardan) {
    Nombre("Con huecos");
    Campo("IdMotivoStock").setText("1");
    Campo("DepositoOrigen").setText("1");
    Linea(1, "1007", "UN", "1");
    Linea(2, "", "UN", "9");
    Linea(3, "   ", "", ""); // blanks only: no article
    Linea(4, "1013", "UN", "2");
    Linea(5, "", "", "");
    Linea(6, "1030", "CJ", " "); // no quantity typed: stored as 0
    Graba();
    ASSERT_FALSE(Prueba(F()).ErrorValidacion()) << guion.Mensajes().join('\n').toStdString();
    EXPECT_EQ(Lineas(3), (QStringList{Codigo25("1007") + "|1|  UN", Codigo25("1013") + "|2|  UN",
                                      Codigo25("1030") + "|0|  CJ"}));
    EXPECT_EQ(Prueba(F()).UltimaTanda().count("INSERT INTO V_CPTES_MODELO_DET"), 3);

    // Without any line the header is stored alone; a stored template can lose all its lines.
    F().Inicializa();
    Nombre("Con huecos");
    for (int fila = 1; fila < F().MSFlexGrid2.Rows(); ++fila)
        F().MSFlexGrid2.setTextMatrix(fila, col::CodigoArticulo, "");
    Graba();
    ASSERT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(Cabecera(3).size(), 1);
    EXPECT_TRUE(Lineas(3).isEmpty());
}

TEST_F(Almacen, BorrarPideSuSegundaConfirmacion) {
    const QStringList antes = TodoGuardado();
    Nombre("AJUSTE ROTURAS");
    ASSERT_TRUE(Prueba(F()).EsModificacion());

    // No: nothing is sent and the error flag is left as it was.
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::No);
    Borra();
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    ASSERT_EQ(guion.Registros().size(), 2u);
    EXPECT_EQ(guion.Registros()[0].texto, "¿Realmente desea anular este comprobante?");
    EXPECT_EQ(guion.Registros()[0].titulo, "Aviso al operador");
    EXPECT_EQ(guion.Registros()[0].estilo, Estilo::SiNo | Estilo::Pregunta);
    EXPECT_EQ(guion.Registros()[1].texto, "El Comprobante no fue anulado");
    EXPECT_EQ(guion.Registros()[1].titulo, "Aviso al operador");
    EXPECT_EQ(guion.Registros()[1].estilo, Estilo::SoloAceptar | Estilo::Informacion);
    EXPECT_TRUE(Prueba(F()).UltimaTanda().isEmpty());
    EXPECT_EQ(TodoGuardado(), antes);

    // Yes: header and lines go, the other template stays.
    const QStringList otro = Cabecera(1) + Lineas(1);
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    Borra();
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(guion.Mensajes(), QStringList{"¿Realmente desea anular este comprobante?"});
    EXPECT_EQ(Prueba(F()).UltimaTanda(),
              "BEGIN TRANSACTION \r\r\r\n\rDELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 2\r"
              "DELETE V_CPTES_MODELO_DET WHERE IdVardelio = 2\r");
    EXPECT_TRUE(Cabecera(2).isEmpty());
    EXPECT_TRUE(Lineas(2).isEmpty());
    EXPECT_EQ(Cabecera(1) + Lineas(1), otro);
}

TEST_F(Almacen, BorrarUnNombreQueNoEstaGuardadoNoBorraNada) {
    const QStringList antes = TodoGuardado();
    Nombre("No existe");
    Campo("IdMotivoStock").setText("1");
    Campo("DepositoOrigen").setText("1");
    guion.AgregaRespuesta(Respuesta::Si);
    Borra();
    EXPECT_FALSE(Prueba(F()).ErrorValidacion());
    EXPECT_TRUE(Prueba(F()).UltimaTanda().contains("DELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 0\r"));
    EXPECT_EQ(TodoGuardado(), antes);
}

TEST_F(Almacen, UnaLineaQueRompeUnaRestriccionDejaEntero_ElModeloAnterior) {
    const QStringList antes = TodoGuardado();
    const QString erroresAntes = Filas("SELECT COUNT(*) FROM AUX_ERR").join("");
    Nombre("REPOSICION LOCAL CENTRO");
    F().MSFlexGrid2.setTextMatrix(1, col::Cantidad, "99");
    Linea(5, QString(30, 'X'), "UN", "1"); // longer than an article code can be
    Graba();

    EXPECT_TRUE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(TodoGuardado(), antes);
    ASSERT_EQ(guion.Registros().size(), 1u);
    const auto& caja = guion.Registros()[0];
    EXPECT_TRUE(caja.texto.startsWith("8152 : String or binary data would be truncated."))
        << caja.texto.toStdString();
    EXPECT_TRUE(caja.texto.endsWith("\r\n"));
    EXPECT_EQ(caja.texto.count("\r\n"), 1); // the server's closing entry is not listed
    EXPECT_EQ(caja.titulo, "Aviso al Operador!");
    EXPECT_EQ(caja.estilo, Estilo::SoloAceptar | Estilo::Critico);
    const QStringList error = Filas("SELECT Error, SQL FROM AUX_ERR ORDER BY Id DESC LIMIT 1");
    ASSERT_EQ(error.size(), 1);
    EXPECT_EQ(error[0], "8152|" + Prueba(F()).UltimaTanda());
    EXPECT_EQ(Filas("SELECT Proceso, Descripcion FROM AUX_ERR ORDER BY Id DESC LIMIT 1"),
              QStringList{NombreEjecutable() + "|" + caja.texto});
    EXPECT_NE(Filas("SELECT COUNT(*) FROM AUX_ERR").join(""), erroresAntes);
    // The window keeps what the user entered.
    EXPECT_EQ(Celda(1, col::Cantidad), "99");
    EXPECT_EQ(Celda(5, col::CodigoArticulo), QString(30, 'X'));
    // Nothing stays open for a later commit.
    EXPECT_EQ(Filas("SELECT @@TRANCOUNT"), QStringList{"0"});
}

TEST_F(Almacen, UnFalloEnCualquierSentenciaDejaElModeloComoEstaba) {
    const QStringList antes = TodoGuardado();
    // Each trigger refuses one statement of the batch: the deletes, the header, the first, a middle
    // and the last line; RAISE(ROLLBACK) ends the transaction inside the database itself.
    const QStringList disparadores = {
        "BEFORE DELETE ON V_CPTES_MODELO_CAB BEGIN SELECT RAISE(ABORT, 'no'); END",
        "BEFORE DELETE ON V_CPTES_MODELO_DET BEGIN SELECT RAISE(ABORT, 'no'); END",
        "BEFORE INSERT ON V_CPTES_MODELO_CAB BEGIN SELECT RAISE(ABORT, 'no'); END",
        // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): long triggers are split over lines.
        "BEFORE INSERT ON V_CPTES_MODELO_DET WHEN trim(NEW.IdArticulo) = '1007' BEGIN SELECT RAISE(ABORT, "
        "'no'); END",
        "BEFORE INSERT ON V_CPTES_MODELO_DET WHEN trim(NEW.IdArticulo) = 'GASEOSA-225' "
        "BEGIN SELECT RAISE(ABORT, 'no'); END",
        "BEFORE INSERT ON V_CPTES_MODELO_DET WHEN trim(NEW.IdArticulo) = '1013' BEGIN SELECT RAISE(ABORT, "
        "'no'); END",
        "BEFORE INSERT ON V_CPTES_MODELO_DET WHEN trim(NEW.IdArticulo) = 'GASEOSA-225' "
        "BEGIN SELECT RAISE(ROLLBACK, 'no'); END",
        "BEFORE INSERT ON V_CPTES_MODELO_CAB BEGIN SELECT RAISE(ROLLBACK, 'no'); END",
    };
    for (const QString& disparador : disparadores) {
        SCOPED_TRACE(disparador.toStdString());
        F().Inicializa();
        Nombre("REPOSICION LOCAL CENTRO");
        ASSERT_TRUE(Prueba(F()).EsModificacion());
        F().MSFlexGrid2.setTextMatrix(2, col::Cantidad, "77");
        Linea(5, "1013", "UN", "3");
        Ejecuta("CREATE TRIGGER falla " + disparador);
        guion.Limpia();
        Graba();
        Ejecuta("DROP TRIGGER falla");
        EXPECT_TRUE(Prueba(F()).ErrorValidacion());
        EXPECT_EQ(guion.Registros().size(), 1u);
        EXPECT_EQ(TodoGuardado(), antes);
        EXPECT_EQ(Filas("SELECT @@TRANCOUNT"), QStringList{"0"});
    }
}

TEST_F(Almacen, UnaConfirmacionRechazadaSeRevierteYNoAnclaNada) {
    const QStringList antes = TodoGuardado();
    const QStringList menu = Filas("SELECT CLAVE, NOMBRE FROM TA_MENU ORDER BY CLAVE");
    Nombre("REPOSICION LOCAL CENTRO");
    F().ChkAnclar.setValue(0); // anchoring would remove its menu entry: it must not run
    F().MSFlexGrid2.setTextMatrix(1, col::Cantidad, "50");
    // A change the database takes now and refuses at the commit.
    EstableceAntesDeConfirmar([] {
        AD().EjecutaSQL("PRAGMA defer_foreign_keys = ON");
        AD().EjecutaSQL("INSERT INTO V_CPTES_MODELO_DET (IdVardelio, IdArticulo, Cantidad, IdUnidad) "
                        "VALUES (999, 'X', 1, '  UN')");
    });
    Graba();
    EstableceAntesDeConfirmar({});

    EXPECT_TRUE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(TodoGuardado(), antes);
    EXPECT_EQ(Filas("SELECT CLAVE, NOMBRE FROM TA_MENU ORDER BY CLAVE"), menu);
    // The read template's save commits in a transaction of its own around the batch, where it
    // checked what is stored: that commit's refusal is the save's error box.
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes()[0].contains("(547)")) << guion.Mensajes()[0].toStdString();
    EXPECT_TRUE(guion.Registros()[0].titulo.endsWith("ACTUALIZAR DATOS"));
    EXPECT_EQ(Filas("SELECT Error, SQL FROM AUX_ERR ORDER BY Id DESC LIMIT 1"),
              QStringList{"547|" + Prueba(F()).UltimaTanda()});
    // Nothing is left open for the unload to commit.
    EXPECT_EQ(Filas("SELECT @@TRANCOUNT"), QStringList{"0"});
    EXPECT_EQ(Filas("SELECT COUNT(*) FROM V_CPTES_MODELO_DET WHERE IdVardelio = 999"), QStringList{"0"});
}

TEST_F(Almacen, DosEstacionesConElMismoIdentificadorNuevo) {
    // Another station stores its template under the same new identifier while this batch runs.
    Ejecuta(
        "CREATE TRIGGER otra_estacion BEFORE INSERT ON V_CPTES_MODELO_CAB WHEN NEW.nombre = 'NUEVA' BEGIN "
        "INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, nombre) VALUES (NEW.IdVardelio, 'DE OTRA'); END");
    const QStringList antes = TodoGuardado();
    Nombre("NUEVA");
    Campo("IdMotivoStock").setText("1");
    Campo("DepositoOrigen").setText("1");
    Linea(1, "1007", "UN", "1");
    Graba();
    EXPECT_TRUE(Prueba(F()).ErrorValidacion());
    EXPECT_EQ(TodoGuardado(), antes);
    // The user is told, besides the error row.
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes()[0].startsWith("2627 : ")) << guion.Mensajes()[0].toStdString();
    EXPECT_EQ(guion.Registros()[0].titulo, "Aviso al Operador!");
    EXPECT_EQ(Filas("SELECT Error FROM AUX_ERR ORDER BY Id DESC LIMIT 1"), QStringList{"2627"});
    EXPECT_EQ(Campo("NOMBRE").Text(), "NUEVA");
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1007");
}

// The name's check and the write are apart: what another station did in between decides the
// identifier, once the user was asked. A template deleted meanwhile is stored anew under the
// next free one (never 0); a name stored meanwhile is replaced under its own.
TEST_F(Almacen, ElIdentificadorEsElQueTieneElNombreAlGuardar) {
    Nombre("AJUSTE ROTURAS");
    ASSERT_TRUE(Prueba(F()).EsModificacion());
    Ejecuta("DELETE V_CPTES_MODELO_CAB WHERE IdVardelio = 2\rDELETE V_CPTES_MODELO_DET WHERE IdVardelio = 2");
    guion.AgregaRespuesta(Respuesta::Si);
    F().ActualizarDatos();
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes()[0].startsWith("El modelo AJUSTE ROTURAS fue borrado en otro puesto"));
    ASSERT_FALSE(Prueba(F()).ErrorValidacion()) << guion.Mensajes().join('\n').toStdString();
    EXPECT_EQ(Filas("SELECT IdVardelio, nombre FROM V_CPTES_MODELO_CAB ORDER BY IdVardelio"),
              (QStringList{"1|REPOSICION LOCAL CENTRO", "2|AJUSTE ROTURAS"}));
    EXPECT_EQ(Lineas(2), (QStringList{Codigo25("1013") + "|2|  UN", Codigo25("TORN-6X40") + "|1|  CJ"}));

    F().Inicializa();
    Nombre("NUEVA");
    ASSERT_TRUE(Prueba(F()).EsNuevo());
    Campo("IdMotivoStock").setText("1");
    Linea(1, "1007", "UN", "3");
    Ejecuta("INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, nombre) VALUES (7, 'NUEVA')");
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    F().ActualizarDatos();
    ASSERT_FALSE(Prueba(F()).ErrorValidacion()) << guion.Mensajes().join('\n').toStdString();
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes()[0].startsWith("Mientras esta ventana preparaba el modelo nuevo NUEVA"));
    EXPECT_EQ(Filas("SELECT IdVardelio, IdMotivoStock FROM V_CPTES_MODELO_CAB WHERE nombre = 'NUEVA'"),
              QStringList{"7|   1"});
    EXPECT_EQ(Lineas(7), QStringList{Codigo25("1007") + "|3|  UN"});
}

TEST_F(Almacen, PasadoElMayorIdentificadorNoSeEnviaNada) {
    Ejecuta("INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, nombre) VALUES (32767, 'ULTIMO')");
    const QStringList antes = TodoGuardado();
    const QStringList errores = Filas("SELECT COUNT(*) FROM AUX_ERR");
    for (int respuesta : {Respuesta::Abortar, Respuesta::Ignorar}) {
        Nombre("Uno mas");
        Campo("IdMotivoStock").setText("1");
        Campo("DepositoOrigen").setText("1");
        Linea(1, "1007", "UN", "1");
        guion.Limpia();
        guion.AgregaRespuesta(respuesta);
        Graba();
        EXPECT_TRUE(Prueba(F()).ErrorValidacion());
        ASSERT_EQ(guion.Registros().size(), 1u);
        EXPECT_TRUE(guion.Registros()[0].titulo.endsWith("ACTUALIZAR DATOS"));
        EXPECT_EQ(guion.Registros()[0].estilo, Estilo::AbortarReintentarIgnorar | Estilo::Critico);
        EXPECT_TRUE(F().LblMensaje.Caption().isEmpty());
        EXPECT_TRUE(Prueba(F()).UltimaTanda().isEmpty());
        EXPECT_EQ(TodoGuardado(), antes);
        EXPECT_EQ(Filas("SELECT COUNT(*) FROM AUX_ERR"), errores);
    }
}

TEST_F(Almacen, UnaCantidadQueNoEsNumeroNoLlegaALaTanda) {
    Nombre("Cantidad rara");
    Campo("IdMotivoStock").setText("1");
    Campo("DepositoOrigen").setText("1");
    Linea(1, "1007", "UN", "1); DELETE FROM V_CPTES_MODELO_CAB; --");
    Linea(2, "1013", "UN", "2");
    const QStringList antes = TodoGuardado();

    // Abandoned: nothing is sent.
    Graba();
    EXPECT_TRUE(Prueba(F()).ErrorValidacion());
    ASSERT_EQ(guion.Registros().size(), 1u);
    EXPECT_TRUE(guion.Registros()[0].titulo.endsWith("ACTUALIZAR DATOS"));
    EXPECT_EQ(TodoGuardado(), antes);

    // Ignored: the line that cannot be written is left out, the rest is stored.
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Ignorar);
    Graba();
    EXPECT_EQ(Lineas(3), QStringList{Codigo25("1013") + "|2|  UN"});
    EXPECT_EQ(Filas("SELECT COUNT(*) FROM V_CPTES_MODELO_CAB"), QStringList{"3"});
}

TEST_F(Almacen, LaLecturaMuestraLoGuardadoTalComoEsta) {
    Ejecuta("INSERT INTO V_CPTES_MODELO_CAB (IdVardelio, nombre, DETALLE, TCDefault, DepositoOrigen, "
            "IdMotivoStock, AnclarAlMenu) VALUES (9, 'RARO', NULL, '  ZZ', '   2', '   1', NULL)");
    Ejecuta("INSERT INTO V_CPTES_MODELO_DET (IdVardelio, IdArticulo, Cantidad, IdUnidad) VALUES "
            "(9, '" +
            Codigo25("1007") + "', -2.5, '  UN'), (9, 'NO-EXISTE', 4, NULL)");
    SeleccionaTipo("VS");
    F().ChkAnclar.setValue(1);
    guion.AgregaRespuesta(Respuesta::Si); // the type and the box set here are replaced
    Nombre("raro");
    ASSERT_TRUE(Prueba(F()).EsModificacion());
    EXPECT_EQ(F().FNTC(), "VS"); // a type the list does not know leaves it as it was
    EXPECT_EQ(F().ChkAnclar.Value(), 0);
    EXPECT_EQ(Campo("DETALLE").Text(), "");
    ASSERT_EQ(F().MSFlexGrid2.Rows(), 3);
    EXPECT_EQ(Celda(1, col::Cantidad), Decimal(2.5));
    EXPECT_EQ(Celda(2, col::CodigoArticulo), "NO-EXISTE");
    EXPECT_EQ(Celda(2, col::Unidad), "");
    EXPECT_EQ(Celda(2, col::Cantidad), "4");

    for (const char* ancla : {"'0'", "''", "'1'"}) {
        Ejecuta(QStringLiteral("UPDATE V_CPTES_MODELO_CAB SET AnclarAlMenu = %1 WHERE IdVardelio = 9")
                    .arg(ancla));
        // Read into a reset window (checking the name it holds reads nothing), over a box
        // changed there.
        F().Inicializa();
        F().ChkAnclar.setValue(2);
        guion.AgregaRespuesta(Respuesta::Si);
        Nombre("RARO");
        EXPECT_EQ(F().ChkAnclar.Value(), QLatin1String(ancla) == "'1'" ? 1 : 0) << ancla;
    }
}

// ---- A save killed in the middle ----

const char* const kVariableHijo = "MODELOS_ALMACEN_HIJO";
const char* const kVariablePausa = "MODELOS_ALMACEN_PAUSA";
constexpr int kLineasHijo = 2000;
constexpr int kLineaDeLaPausa = 1000;

// The child's pause: a file beside the database tells the parent where the save stands, then the
// process waits to be killed.
[[noreturn]] void EsperaLaMuerte(const QString& donde) {
    QFile listo(qEnvironmentVariable(kVariableHijo) + ".listo");
    if (listo.open(QIODevice::WriteOnly))
        listo.write(donde.toUtf8());
    listo.close();
    for (;;)
        QThread::sleep(1);
}

// Every connection the child opens stops inside the batch, on the row change that inserts its
// 1000th template line: the deletes, the header and 999 lines have run, the rest has not.
void PausaEnLaTanda(void*, int operacion, const char*, const char* tabla, sqlite3_int64) {
    static int lineas = 0;
    if (operacion == SQLITE_INSERT && qstricmp(tabla, "V_CPTES_MODELO_DET") == 0 &&
        ++lineas == kLineaDeLaPausa)
        EsperaLaMuerte(QStringLiteral("tanda %1").arg(lineas));
}
int InstalaPausa(sqlite3* db, const char**, const sqlite3_api_routines*) {
    sqlite3_update_hook(db, &PausaEnLaTanda, nullptr);
    return SQLITE_OK;
}

// Run only as the child of the tests below: it saves template 1 with many more lines and stops
// where the parent asked (in the middle of the batch, or after it and before the commit), where
// the parent kills it.
class AlmacenHijo : public Almacen {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty(kVariableHijo))
            GTEST_SKIP() << "only as the child of the killed-save tests";
        Almacen::SetUp();
    }
};

TEST_F(AlmacenHijo, DISABLED_GuardaYEsperaLaMuerte) {
    const bool enLaTanda = qEnvironmentVariable(kVariablePausa) == "tanda";
    if (enLaTanda)
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&InstalaPausa));
    else
        EstableceAntesDeConfirmar([] { EsperaLaMuerte(QStringLiteral("confirmar")); });
    // The parent's database replaces the fixture's copy.
    AD().AsignaBaseDatos(qEnvironmentVariable(kVariableHijo));
    AD().Conecta(false, 3, QString(), true, true);
    F().Inicializa();
    Nombre("REPOSICION LOCAL CENTRO");
    ASSERT_TRUE(Prueba(F()).EsModificacion());
    for (int fila = 1; fila <= kLineasHijo; ++fila)
        Linea(fila, "1013", "UN", QString::number(fila));
    Graba();
    FAIL() << "the save should not have ended";
}

class AlmacenMatado : public Almacen {
protected:
    // Runs the child with its pause and kills it there (SIGKILL: no destructor, no rollback of
    // its own); what the child wrote as its position.
    QString MataGuardado(const QString& pausa) {
        AD().LeeConexion().Close();
        QProcess hijo;
        auto entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(kVariableHijo, RutaBase());
        entorno.insert(kVariablePausa, pausa);
        hijo.setProcessEnvironment(entorno);
        hijo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        hijo.start(
            QCoreApplication::applicationFilePath(),
            {"--gtest_filter=AlmacenHijo.DISABLED_GuardaYEsperaLaMuerte", "--gtest_also_run_disabled_tests"});
        EXPECT_TRUE(hijo.waitForStarted(10000));
        QFile listo(RutaBase() + ".listo");
        bool parado = false;
        for (int i = 0; i < 1200 && !parado; ++i) {
            parado = listo.exists() && listo.size() > 0;
            if (!parado && hijo.waitForFinished(100))
                break;
        }
        hijo.kill();
        EXPECT_TRUE(hijo.waitForFinished(10000));
        EXPECT_TRUE(parado) << hijo.readAllStandardOutput().toStdString();
        EXPECT_EQ(hijo.exitStatus(), QProcess::CrashExit);
        QString donde;
        if (listo.open(QIODevice::ReadOnly))
            donde = QString::fromUtf8(listo.readAll());
        listo.close();
        listo.remove();
        AD().Conecta(false, 3, QString(), true, true);
        return donde;
    }
};

TEST_F(AlmacenMatado, EnMedioDeLaTandaNoDejaNadaAMedias) {
    const QStringList antes = TodoGuardado();
    ASSERT_EQ(MataGuardado("tanda"), QStringLiteral("tanda %1").arg(kLineaDeLaPausa));
    EXPECT_EQ(TodoGuardado(), antes);
    EXPECT_EQ(Lineas(1).size(), 4);
}

TEST_F(AlmacenMatado, AntesDeConfirmarNoDejaNadaAMedias) {
    const QStringList antes = TodoGuardado();
    ASSERT_EQ(MataGuardado("confirmar"), "confirmar");
    EXPECT_EQ(TodoGuardado(), antes);
    EXPECT_EQ(Lineas(1).size(), 4);
}

} // namespace

// Back into the name box of the real window offscreen, by keys and clicks on the demo database:
// the name the window holds reads nothing again, whatever road leaves it; another stored name
// typed over changes asks first; F8 deletes the template the window shows once its name was
// checked.

#include "../VentanaDemo.h"
#include "AccesoPruebasVardelio.h"
#include "BaseDemo.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "VistaDemo.h"
#include "VistaVentanaConsulta.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kAjuste = QStringLiteral("AJUSTE ROTURAS");
const QString kCentro = QStringLiteral("REPOSICION LOCAL CENTRO");
const QString kPregunta = QStringLiteral("Los cambios de la ventana no se grabaron y se perderán.\r\n\r\n"
                                         "¿Desea abrir el modelo REPOSICION LOCAL CENTRO?");

class VueltaAlNombre : public ConVistaDemo<ConArchivosDemo> {
protected:
    // AJUSTE ROTURAS open, its first line's quantity changed from 2 to 7 by keys.
    void AbreYCambia() {
        Abre(kAjuste);
        Tecla(Qt::Key_Return);
        Tecla(Qt::Key_Return);
        Escribe(QStringLiteral("7"));
        Tecla(Qt::Key_Return);
        ASSERT_EQ(Celda(1, col::Cantidad), "7");
    }
    static QStringList Filas(const QString& sql) { return FilasConsulta(sql); }
    static QStringList Lineas(int id) {
        return Filas(QStringLiteral("SELECT trim(IdArticulo), Cantidad FROM V_CPTES_MODELO_DET WHERE "
                                    "IdVardelio = %1 ORDER BY Linea")
                         .arg(id));
    }
};

// Every road back up into the name box and out of it again leaves what the user typed; F2 then
// stores it, also after Importar added 5,000 lines.
TEST_F(VueltaAlNombre, CadaCaminoDeVueltaAlNombreGuardaLoTecleado) {
    AbreYCambia();
    const std::pair<const char*, std::function<void()>> caminos[] = {
        {"Shift+Tab",
         [&] {
             for (int i = 0; i < 6; ++i)
                 Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
         }},
        {"clic y Tab",
         [&] {
             Clic(Campo(0));
             Tecla(Qt::Key_Tab);
         }},
        {"clic y clic en la grilla",
         [&] {
             Clic(Campo(0));
             ClicEnCelda(2, col::Descripcion);
         }},
        {"F5 y Escape",
         [&] {
             EnLaBusqueda([](VistaVentanaConsulta& d) { QTest::keyClick(d.Tabla(), Qt::Key_Escape); });
             Clic(Campo(0));
             Tecla(Qt::Key_F5);
             Tecla(Qt::Key_Tab);
         }},
    };
    for (const auto& [nombre, camino] : caminos) {
        SCOPED_TRACE(nombre);
        camino();
        EXPECT_EQ(Celda(1, col::Cantidad), "7");
        EXPECT_EQ(Campo(0)->text(), kAjuste);
        EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();
    }
    EXPECT_EQ(busquedas, 1);

    // 5,000 lines imported, then up to the name and out again.
    QFile archivo(Carpeta() + QStringLiteral("/LINEAS.TXT"));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    for (int i = 0; i < 5000; ++i)
        archivo.write(QStringLiteral("%1,%2\r\n").arg(1001 + i % 90).arg(i % 9 + 1).toLatin1());
    archivo.close();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaArchivo(archivo.fileName());
    Clic(vista->Control(QStringLiteral("CmdEspecial")));
    ASSERT_EQ(form->MSFlexGrid2.Rows(), 5004) << guion.Mensajes().join(u'|').toStdString();
    caminos[0].second();
    EXPECT_EQ(form->MSFlexGrid2.Rows(), 5004);
    guion.Limpia();
    Graba();
    EXPECT_EQ(guion.Mensajes().size(), 1) << guion.Mensajes().join(u'|').toStdString();
    const QStringList lineas = Lineas(2);
    ASSERT_EQ(lineas.size(), 5002);
    EXPECT_EQ(lineas.first(), "1013|7");
    EXPECT_EQ(lineas.last(), "1050|5"); // file line 5,000
}

// Another stored name typed over the window's changes asks first, naming it: No keeps the typed
// name in its box and the window as it was, however the box is left; Yes reads it. Without
// changes it is read at once.
TEST_F(VueltaAlNombre, OtroNombreSobreLosCambiosPreguntaAntesDeLeerlo) {
    AbreYCambia();
    EscribeEnCampo(0, kCentro);
    const std::pair<const char*, std::function<void()>> salidas[] = {
        {"Enter", [&] { Tecla(Qt::Key_Return); }},
        {"Tab", [&] { Tecla(Qt::Key_Tab); }},
        {"clic en la grilla", [&] { ClicEnCelda(2, col::Descripcion); }},
    };
    for (const auto& [nombre, sale] : salidas) {
        SCOPED_TRACE(nombre);
        guion.Limpia();
        guion.AgregaRespuesta(Respuesta::No);
        sale();
        ASSERT_EQ(guion.Mensajes(), QStringList{kPregunta});
        EXPECT_EQ(guion.Registros()[0].titulo, "Aviso al Operador");
        EXPECT_EQ(Foco(), Campo(0));
        EXPECT_EQ(Prueba(*form).ControlActivo(), &form->TxtFields[0]); // what F5 would search
        EXPECT_EQ(Campo(0)->text(), kCentro);
        EXPECT_EQ(Celda(1, col::Cantidad), "7");
        EXPECT_EQ(Celda(2, col::CodigoArticulo), "TORN-6X40");
        EXPECT_EQ(Campo(4)->text(), "Roturas habituales del mes");
    }
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(guion.Mensajes(), QStringList{kPregunta});
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1007");
    EXPECT_EQ(Campo(4)->text(), QStringLiteral("Envío semanal al local"));

    guion.Limpia();
    EscribeEnCampo(0, kAjuste);
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(guion.Mensajes().isEmpty()) << guion.Mensajes().join(u'|').toStdString();
    EXPECT_EQ(Celda(1, col::Cantidad), "2");
}

// F8 on a name typed over the open template acts on that template, read and shown first: after
// the question on the window's changes (No deletes nothing), and before the delete's own two
// questions (No to the first leaves it in the window). The other template stays whole.
TEST_F(VueltaAlNombre, F8SobreUnNombreTecleadoBorraElQueMuestra) {
    const QString menuCentro =
        QStringLiteral("SELECT COUNT(*) FROM TA_MENU WHERE NOMBRE = '%1'").arg(kCentro);
    ASSERT_EQ(Filas(menuCentro), QStringList{"1"});
    const QStringList ajuste = Filas("SELECT * FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 2") + Lineas(2);
    const QStringList todo = Filas("SELECT * FROM V_CPTES_MODELO_CAB") + Lineas(1) + Lineas(2);
    AbreYCambia();
    EscribeEnCampo(0, kCentro);
    guion.AgregaRespuesta(Respuesta::No);
    Tecla(Qt::Key_F8);
    EXPECT_EQ(guion.Mensajes(), QStringList{kPregunta});
    EXPECT_EQ(Celda(1, col::Cantidad), "7");

    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::No);
    Tecla(Qt::Key_F8);
    EXPECT_EQ(guion.Mensajes(), (QStringList{kPregunta, "Confirma la baja de este registro?"}));
    EXPECT_EQ(Campo(0)->text(), kCentro);
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1007");
    EXPECT_EQ(Filas("SELECT * FROM V_CPTES_MODELO_CAB") + Lineas(1) + Lineas(2), todo);

    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_F8);
    EXPECT_EQ(guion.Mensajes(), (QStringList{"Confirma la baja de este registro?",
                                             "¿Realmente desea anular este comprobante?"}));
    EXPECT_TRUE(Filas("SELECT * FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 1").isEmpty());
    EXPECT_TRUE(Lineas(1).isEmpty());
    EXPECT_EQ(Filas(menuCentro), QStringList{"0"});
    EXPECT_EQ(Filas("SELECT * FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 2") + Lineas(2), ajuste);

    // A typed name that no template holds deletes nothing, as before.
    Abre(kAjuste);
    EscribeEnCampo(0, QStringLiteral("NO GUARDADO"));
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(Respuesta::Si);
    Tecla(Qt::Key_F8);
    EXPECT_EQ(Filas("SELECT * FROM V_CPTES_MODELO_CAB WHERE IdVardelio = 2") + Lineas(2), ajuste);
}

} // namespace

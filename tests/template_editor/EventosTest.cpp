// Keys and focus events of the lines grid, its cell editor and the header fields, driven as the
// keyboard drives them, on the demo database.

#include "AccesoPruebasVardelio.h"
#include "Globales.h"
#include "VentanaDemo.h"

#include <QStringList>

namespace {

constexpr int kBlanco = 16777215;

class Eventos : public ConVentanaDemo {
protected:
    void SetUp() override {
        ConVentanaDemo::SetUp();
        if (!HasFatalFailure())
            NuevaPlantilla();
    }
    QStringList Mensajes() {
        QStringList m = guion.Mensajes();
        guion.Limpia();
        return m;
    }
    QStringList Codigos() {
        QStringList c;
        for (int f = 1; f < G().Rows(); ++f)
            c << Celda(f, col::CodigoArticulo);
        return c;
    }
};

TEST_F(Eventos, SuprimirInsertarYFinSobreLaGrilla) {
    Linea(QStringLiteral("1001"), QStringLiteral("1"));
    Linea(QStringLiteral("1002"), QStringLiteral("2"));
    Linea(QStringLiteral("1003"), QStringLiteral("3"));
    ASSERT_EQ(Codigos(), (QStringList{"1001", "1002", "1003", ""}));

    // Insert on line 3: an empty line 3, the old one moves down.
    F().MueveCelda(3, col::CodigoArticulo);
    Pulsa(tecla::Insertar);
    EXPECT_EQ(Codigos(), (QStringList{"1001", "1002", "", "1003", ""}));
    EXPECT_EQ(Celda(4, col::Cantidad), "3");

    // Delete on a later line removes it.
    Pulsa(tecla::Suprimir);
    EXPECT_EQ(Codigos(), (QStringList{"1001", "1002", "1003", ""}));

    // Delete on the first line empties it but keeps it, even with lines below.
    F().MueveCelda(1, col::Cantidad);
    Pulsa(tecla::Suprimir);
    EXPECT_EQ(Codigos(), (QStringList{"", "1002", "1003", ""}));
    for (int c = 0; c < G().Cols(); ++c)
        EXPECT_EQ(Celda(1, c), "") << "columna " << c;

    // End leaves the grid for the next control.
    Pulsa(tecla::Fin);
    EXPECT_EQ(Foco(), "CmdCargar");
}

TEST_F(Eventos, SuprimirConUnaSolaLineaLaVacia) {
    Teclea(QStringLiteral("1001"));
    Pulsa(tecla::Enter);
    ASSERT_EQ(G().Rows(), 2);
    Pulsa(tecla::Suprimir);
    EXPECT_EQ(G().Rows(), 2);
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "");
    EXPECT_EQ(Celda(1, col::Descripcion), "");
}

TEST_F(Eventos, EscapeDescartaLaEdicion) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("9"));
    ASSERT_TRUE(F().txtEdit2.Visible());
    EXPECT_EQ(F().txtEdit2.Text(), "9");
    Pulsa(tecla::Escape);
    EXPECT_FALSE(F().txtEdit2.Visible());
    EXPECT_EQ(Celda(1, col::Cantidad), "5");
    EXPECT_EQ(Foco(), "MSFlexGrid2");
    // Nothing was validated and the template was not abandoned.
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_TRUE(Prueba(F()).EsNuevo());
    // The next cell entered starts from an empty editor.
    F().MueveCelda(1, col::CodigoArticulo);
    EXPECT_EQ(F().txtEdit2.Text(), "");
}

TEST_F(Eventos, EscapeDeUnCodigoRechazadoNoTocaLaLinea) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::CodigoArticulo);
    Teclea(QStringLiteral("1002"));
    Pulsa(tecla::Escape);
    EXPECT_EQ(Celda(1, col::CodigoArticulo), "1001");
    EXPECT_EQ(Celda(1, col::Descripcion), QStringLiteral("Tuerca hexagonal Clásico"));
}

TEST_F(Eventos, ColumnasQueNoAbrenElEditor) {
    // Quantity without an article on the line.
    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("5"));
    EXPECT_FALSE(F().txtEdit2.Visible());
    F().MueveCelda(1, col::CodigoArticulo);
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    for (const int c :
         {col::Descripcion, col::PorcentajeDescuento, col::Importe, col::Total, col::Impuestos}) {
        F().MueveCelda(1, c);
        Pulsa(tecla::Enter);
        EXPECT_FALSE(F().txtEdit2.Visible()) << "columna " << c;
    }
    F().pEsParteEgreso = true;
    for (const int c : {col::CodigoArticulo, col::Unidad, col::Deposito}) {
        F().MueveCelda(1, c);
        F().MSFlexGrid2_DblClick();
        EXPECT_FALSE(F().txtEdit2.Visible()) << "columna " << c;
    }
    F().MueveCelda(1, col::Cantidad);
    F().MSFlexGrid2_DblClick();
    ASSERT_TRUE(F().txtEdit2.Visible());
    // A double click opens on the cell's text, the caret at the end, bound to the column.
    EXPECT_EQ(F().txtEdit2.Text(), "5");
    EXPECT_EQ(F().txtEdit2.SelStart(), 1);
    EXPECT_EQ(F().txtEdit2.DataField(), "Cantidad");
    EXPECT_EQ(Prueba(F()).ControlActivo(), &F().txtEdit2);
    EXPECT_EQ(Foco(), "txtEdit2");
}

TEST_F(Eventos, UnCaracterReemplazaElTextoDeLaCelda) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("7"));
    EXPECT_EQ(F().txtEdit2.Text(), "7");
    EXPECT_EQ(F().txtEdit2.SelStart(), 1);
    Pulsa(tecla::Enter);
    EXPECT_EQ(Celda(1, col::Cantidad), "7");
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "7");
}

TEST_F(Eventos, ElSeparadorDecimalEsElRegionalYUnoSolo) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("1.5.,2"));
    EXPECT_EQ(F().txtEdit2.Text(), "1,52");
    Pulsa(tecla::Escape);
    {
        const Regional::Fijo punto(QLatin1Char('.'), QLatin1Char(','));
        Teclea(QStringLiteral("3,5"));
        EXPECT_EQ(F().txtEdit2.Text(), "3.5");
        Pulsa(tecla::Escape);
    }
    // The article code is typed as it comes.
    F().MueveCelda(1, col::CodigoArticulo);
    Teclea(QStringLiteral("BI-640.40,"));
    EXPECT_EQ(F().txtEdit2.Text(), "BI-640.40,");
}

TEST_F(Eventos, ArribaYAbajoDesdeElEditor) {
    Linea(QStringLiteral("1001"), QStringLiteral("1"));
    Linea(QStringLiteral("1002"), QStringLiteral("2"));
    F().MueveCelda(2, col::Cantidad);
    Teclea(QStringLiteral("8"));
    Pulsa(tecla::Arriba);
    EXPECT_EQ(Celda(2, col::Cantidad), "8");
    EXPECT_EQ(G().Row(), 1);
    EXPECT_EQ(G().Col(), col::Cantidad);
    Teclea(QStringLiteral("4"));
    Pulsa(tecla::Abajo);
    EXPECT_EQ(Celda(1, col::Cantidad), "4");
    EXPECT_EQ(G().Row(), 2);
    EXPECT_EQ(G().Col(), col::CodigoArticulo);
    // Up on the first line stays there; a refused value does not move at all.
    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("6"));
    Pulsa(tecla::Arriba);
    EXPECT_EQ(G().Row(), 1);
    EXPECT_EQ(Celda(1, col::Cantidad), "6");
    Teclea(QStringLiteral("x"));
    Pulsa(tecla::Abajo);
    EXPECT_EQ(G().Row(), 1);
    EXPECT_TRUE(F().txtEdit2.Visible());
}

TEST_F(Eventos, EnterEnLaCantidadDeUnaLineaIntermediaNoAgregaLineas) {
    Linea(QStringLiteral("1001"), QStringLiteral("1"));
    Linea(QStringLiteral("1002"), QStringLiteral("2"));
    ASSERT_EQ(G().Rows(), 4);
    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("3"));
    Pulsa(tecla::Enter);
    EXPECT_EQ(G().Rows(), 4);
    EXPECT_EQ(G().Row(), 2);
    EXPECT_EQ(G().Col(), col::CodigoArticulo);
}

TEST_F(Eventos, TotalesDeLasLineas) {
    Linea(QStringLiteral("1001"), QStringLiteral("2"));
    Linea(QStringLiteral("1002"), QStringLiteral("0"));
    Linea(QStringLiteral("1003"), QStringLiteral("1"));
    Linea(QStringLiteral("1004"), QStringLiteral("2,5"));
    // Typed, a negative quantity becomes its absolute value; a cell that holds one still counts
    // with its sign.
    G().setTextMatrix(3, col::Cantidad, QStringLiteral("-1"));
    Moneda items;
    Moneda cantidades;
    F().ObtieneTotales(items, cantidades);
    EXPECT_EQ(items, Moneda::DeEntero(3));
    EXPECT_EQ(cantidades.Texto(), "3,5");
    G().setTextMatrix(1, col::Total, QStringLiteral("10,25"));
    G().setTextMatrix(3, col::Total, QStringLiteral("-0,25"));
    EXPECT_EQ(F().ObtieneImporte(), Moneda::DeEntero(10));
}

TEST_F(Eventos, SalirDeUnCampoSinTeclearLoValidaUnaVez) {
    const qint16 origen = F().IndiceCampo(QStringLiteral("DepositoOrigen"));
    F().Foco().SetFocus(QStringLiteral("TxtFields(%1)").arg(origen));
    F().TxtFields[origen].setText(QString());
    // Left with Tab: validated on the way out, and the focus moves on anyway.
    F().Foco().Siguiente();
    EXPECT_EQ(Mensajes(), QStringList{QStringLiteral("Se debe informar el Campo: DepositoOrigen")});
    EXPECT_NE(Foco(), QStringLiteral("TxtFields(%1)").arg(origen));
}

TEST_F(Eventos, EnterValidaUnaVezYPasaAlSiguiente) {
    const qint16 motivo = F().IndiceCampo(QStringLiteral("IdMotivoStock"));
    const QString nombre = QStringLiteral("TxtFields(%1)").arg(motivo);
    F().Foco().SetFocus(nombre);
    Teclea(QStringLiteral("9"));
    Pulsa(tecla::Enter);
    // Refused: the message, and the focus stays.
    EXPECT_EQ(Mensajes(), QStringList{QStringLiteral("El motivo de Stock Informado es Inexistente")});
    EXPECT_EQ(Foco(), nombre);
    EXPECT_EQ(F().lblDescMotivo.Caption(), "...");
    // Corrected and confirmed: validated once, the move does not validate again.
    F().TxtFields[motivo].setText(QString());
    Teclea(QStringLiteral("2"));
    Pulsa(tecla::Enter);
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_EQ(F().lblDescMotivo.Caption(), "Rotura y merma");
    EXPECT_NE(Foco(), nombre);
}

TEST_F(Eventos, UnRechazoCorregidoSeValidaAlSalir) {
    const qint16 motivo = F().IndiceCampo(QStringLiteral("IdMotivoStock"));
    F().Foco().SetFocus(QStringLiteral("TxtFields(%1)").arg(motivo));
    Teclea(QStringLiteral("9"));
    Pulsa(tecla::Enter);
    ASSERT_EQ(Mensajes().size(), 1);
    // Left with Tab without changes: the refusal was already shown.
    F().Foco().Siguiente();
    EXPECT_TRUE(Mensajes().isEmpty());
    // Back, changed and left: validated again.
    F().Foco().SetFocus(QStringLiteral("TxtFields(%1)").arg(motivo));
    F().TxtFields[motivo].setText(QString());
    Teclea(QStringLiteral("8"));
    F().Foco().Siguiente();
    EXPECT_EQ(Mensajes(), QStringList{QStringLiteral("El motivo de Stock Informado es Inexistente")});
}

TEST_F(Eventos, ColoresYConsultaDeLosCampos) {
    for (int i = 0; i < 5; ++i)
        F().TxtFields[i].setBackColor(255);
    for (int i = 0; i < 5; ++i) {
        const QString nombre = QStringLiteral("TxtFields(%1)").arg(i);
        F().Foco().SetFocus(nombre);
        EXPECT_EQ(F().TxtFields[i].BackColor(), gColorFondo) << i;
        EXPECT_EQ(F().TxtFields[i].ForeColor(), gColorLetra) << i;
        EXPECT_EQ(Prueba(F()).ControlActivo(), &F().TxtFields[i]);
        EXPECT_EQ(F().UtilVox1.HabilitaConsultar(), !F().TxtFields[i].Tag().isEmpty()) << i;
        F().Foco().SetFocus(QStringLiteral("MSFlexGrid2"));
        EXPECT_EQ(F().TxtFields[i].BackColor(), kBlanco) << i;
        EXPECT_EQ(F().TxtFields[i].ForeColor(), 0) << i;
    }
    EXPECT_EQ(Prueba(F()).ControlActivo(), &F().txtEdit2);
    EXPECT_NE(gColorFondo, kBlanco); // the demo's highlight, so the test tells them apart
    const qint16 detalle = F().IndiceCampo(QStringLiteral("DETALLE"));
    F().Foco().SetFocus(QStringLiteral("TxtFields(%1)").arg(detalle));
    EXPECT_FALSE(F().UtilVox1.HabilitaConsultar());

    // The cell editor takes the highlight too.
    F().Foco().SetFocus(QStringLiteral("MSFlexGrid2"));
    Teclea(QStringLiteral("1"));
    EXPECT_EQ(F().txtEdit2.BackColor(), gColorFondo);
    Pulsa(tecla::Escape);
    EXPECT_EQ(F().txtEdit2.BackColor(), kBlanco);
}

TEST_F(Eventos, ElClicDerechoMarcaElCampoSinTomarElFoco) {
    F().Foco().SetFocus(QStringLiteral("MSFlexGrid2"));
    const qint16 destino = F().IndiceCampo(QStringLiteral("DepositoDestino"));
    F().TxtFields_MouseDown(destino, 2);
    EXPECT_EQ(Prueba(F()).ControlActivo(), &F().TxtFields[destino]);
    EXPECT_EQ(Foco(), "MSFlexGrid2");
    EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(Eventos, ElEditorAbiertoSeCierraAlIrAUnCampoDeCabecera) {
    Linea(QStringLiteral("1001"), QStringLiteral("5"));
    F().MueveCelda(1, col::Cantidad);
    Teclea(QStringLiteral("6"));
    F().Foco().FocoMovido(QStringLiteral("TxtFields(4)"));
    EXPECT_FALSE(F().txtEdit2.Visible());
    EXPECT_EQ(Celda(1, col::Cantidad), "6");
    EXPECT_EQ(Celda(1, col::CantidadUnidadBase), "6");
}

TEST_F(Eventos, EscapeFueraDelEditorEsDeLaVentana) {
    F().Foco().SetFocus(QStringLiteral("MSFlexGrid2"));
    EXPECT_FALSE(F().EditorTomaTecla(tecla::Escape));
    Teclea(QStringLiteral("1"));
    EXPECT_TRUE(F().EditorTomaTecla(tecla::Escape));
    EXPECT_FALSE(F().EditorTomaTecla(tecla::Enter));
}

} // namespace

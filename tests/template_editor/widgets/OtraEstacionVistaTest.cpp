// Another station's save, by keys on the real window offscreen against an editor in a child
// process on the same database file: whichever saves second over what the first stored is told
// and asked first, in both orders; No stores nothing, Yes replaces it.

#include "../Estaciones.h"
#include "AccesoPruebasVardelio.h"
#include "BaseDemo.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "VistaDemo.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const char* const kNombre = "MODELOS_ESTACION_NOMBRE";
const char* const kRespuesta = "MODELOS_ESTACION_RESPUESTA";
const QString kAjuste = QStringLiteral("AJUSTE ROTURAS");
const QString kDeLaOtra = QStringLiteral("de la otra estacion");
const QString kDeEsta = QStringLiteral("de esta ventana");

// The other station: the template of that name read (or a new one begun), its observation
// changed; saved once the parent's signal file appears, its question answered as told.
TEST_F(EditorHijo, DISABLED_CambiaYGraba) {
    F().Inicializa();
    Campo("NOMBRE").setText(qEnvironmentVariable(kNombre));
    F().CampoValida(Campo("NOMBRE"));
    if (Prueba(F()).EsNuevo()) {
        Campo("IdMotivoStock").setText("2");
        G().setTextMatrix(1, col::CodigoArticulo, QStringLiteral("1007"));
        G().setTextMatrix(1, col::Unidad, QStringLiteral("UN"));
        G().setTextMatrix(1, col::Cantidad, QStringLiteral("5"));
    }
    Campo("DETALLE").setText(kDeLaOtra);
    Dice(QStringLiteral("listo"));
    while (!QFile::exists(qEnvironmentVariable(kBase) + QStringLiteral(".senal")))
        QThread::usleep(500);
    guion.Limpia();
    guion.AgregaRespuesta(Respuesta::Si);
    guion.AgregaRespuesta(qEnvironmentVariableIntValue(kRespuesta));
    F().UtilVox1_click(QStringLiteral("GRABAR"));
    Dice((Prueba(F()).ErrorValidacion() ? QStringLiteral("rechazo ") : QStringLiteral("grabado ")) +
         guion.Mensajes().mid(1).join(u'|'));
}

class OtraEstacion : public ConVistaDemo<ConArchivosDemo> {
protected:
    // The other station started on this database, ready to save.
    std::unique_ptr<Estacion> Otra(const QString& nombre, int respuesta = Respuesta::No) {
        auto e = std::make_unique<Estacion>(
            "CambiaYGraba", RutaBase(),
            QList<QPair<const char*, QString>>{{kNombre, nombre}, {kRespuesta, QString::number(respuesta)}});
        EXPECT_EQ(e->Espera(QStringLiteral("listo")), "listo");
        return e;
    }
    // The other station saves now; what it told.
    QString GrabaLaOtra(Estacion& e) {
        QFile(RutaBase() + QStringLiteral(".senal")).open(QIODevice::WriteOnly);
        QString dicho = e.Espera(QStringLiteral("grabado"));
        dicho += e.Dichas().filter(QStringLiteral("rechazo")).join(u' ');
        QFile::remove(RutaBase() + QStringLiteral(".senal"));
        return dicho;
    }
    // F2 here, its totals answered Yes and the question after them as given; what it asked.
    QStringList GrabaEsta(int respuesta) {
        guion.Limpia();
        guion.AgregaRespuesta(Respuesta::Si);
        guion.AgregaRespuesta(respuesta);
        Tecla(Qt::Key_F2);
        return guion.Mensajes().mid(1);
    }
    static QString Detalle(const QString& nombre) {
        return FilasConsulta("SELECT DETALLE FROM V_CPTES_MODELO_CAB WHERE nombre = '" + nombre + "'")
            .join(u'|');
    }
    static QString Modificado() {
        return QStringLiteral("El modelo AJUSTE ROTURAS fue modificado en otro puesto después de que esta "
                              "ventana lo leyó.\r\n\r\n¿Desea reemplazarlo con lo que muestra la ventana?");
    }
};

// The other station saves first: this window's F2 asks; No keeps the other's, Yes stores this one.
TEST_F(OtraEstacion, LaOtraGrabaPrimeroYEstaVentanaPregunta) {
    auto otra = Otra(kAjuste);
    Abre(kAjuste);
    EscribeEnCampo(4, kDeEsta);
    EXPECT_EQ(GrabaLaOtra(*otra), "grabado");
    EXPECT_EQ(GrabaEsta(Respuesta::No), QStringList{Modificado()});
    EXPECT_EQ(Detalle(kAjuste), kDeLaOtra);
    EXPECT_EQ(Campo(4)->text(), kDeEsta);
    EXPECT_EQ(GrabaEsta(Respuesta::Si), QStringList{Modificado()});
    EXPECT_EQ(Detalle(kAjuste), kDeEsta);
    // Nothing else changed since: the next save asks nothing more.
    Abre(kAjuste);
    EXPECT_TRUE(GrabaEsta(Respuesta::Si).isEmpty());
}

// This window saves first, asked nothing: the other station is asked, and its answer decides.
TEST_F(OtraEstacion, EstaVentanaGrabaPrimeroYLaOtraPregunta) {
    for (const int respuesta : {Respuesta::No, Respuesta::Si}) {
        SCOPED_TRACE(respuesta);
        auto otra = Otra(kAjuste, respuesta);
        Abre(kAjuste);
        const QString deEsta = kDeEsta + QString::number(respuesta);
        EscribeEnCampo(4, deEsta);
        EXPECT_TRUE(GrabaEsta(Respuesta::Si).isEmpty());
        EXPECT_EQ(GrabaLaOtra(*otra),
                  (respuesta == Respuesta::Si ? "grabado " : "rechazo ") + Modificado().replace("\r\n", " "));
        EXPECT_EQ(Detalle(kAjuste), respuesta == Respuesta::Si ? kDeLaOtra : deEsta);
    }
}

// Two new templates of one name begun at once ("DOBLE" here, "doble " there): the second save is
// asked; Yes replaces the other's under its identifier, so that one template keeps the name.
TEST_F(OtraEstacion, DosNuevosDelMismoNombre) {
    auto otra = Otra(QStringLiteral("doble "));
    EscribeEnCampo(0, QStringLiteral("DOBLE"));
    Tecla(Qt::Key_Return);
    ASSERT_TRUE(Prueba(*form).EsNuevo());
    EscribeEnCampo(1, QStringLiteral("1"));
    EscribeEnCampo(4, kDeEsta);
    EXPECT_EQ(GrabaLaOtra(*otra), "grabado");
    const QString pregunta =
        QStringLiteral("Mientras esta ventana preparaba el modelo nuevo DOBLE, otro puesto "
                       "grabó un modelo con ese nombre.\r\n\r\n¿Desea reemplazarlo con lo "
                       "que muestra la ventana?");
    EXPECT_EQ(GrabaEsta(Respuesta::No), QStringList{pregunta});
    EXPECT_EQ(Detalle("DOBLE"), kDeLaOtra);
    EXPECT_EQ(GrabaEsta(Respuesta::Si), QStringList{pregunta});
    EXPECT_EQ(Detalle("DOBLE"), kDeEsta);
    EXPECT_EQ(FilasConsulta("SELECT COUNT(*) FROM V_CPTES_MODELO_CAB"), QStringList{"3"});
}

} // namespace

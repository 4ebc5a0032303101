#include "Importacion.h"
#include "DialogoArchivo.h"
#include "ErrorSistema.h"
#include "Interaccion.h"
#include "Regional.h"

#include <gtest/gtest.h>
#include <random>

namespace {

const QString kTab = QStringLiteral("\t");

struct Visto {
    QStringList textos;
    std::vector<std::optional<LineaImportada>> lineas;
};

Visto Lee(const QByteArray& archivo, const QString& configurado) {
    LectorImportacion lector(archivo, FormatoImportacionDe(configurado));
    Visto v;
    while (lector.Siguiente()) {
        v.textos << lector.Texto();
        v.lineas.push_back(lector.Linea());
    }
    EXPECT_EQ(v.textos.size(), lector.TotalLineas());
    return v;
}

} // namespace

TEST(FormatoImportacion, LosSeisTextosSinMayusculasYElDefecto) {
    struct Caso {
        QString texto;
        const char* campos;
        QString separador;
    };
    const QString blancos(13, QLatin1Char(' '));
    const std::vector<Caso> casos = {
        {"Codigo,Descripcion,Cantidad (Sep: TAB)", "CDC", kTab},
        {"Codigo,Descripcion,Cantidad (Sep: ,) coma", "CDC", ","},
        {"Codigo,Cantidad" + blancos + "(Sep: TAB)", "CC", kTab},
        {"Codigo,Cantidad" + blancos + "(Sep: ,) coma", "CC", ","},
        {"Codigo,Cantidad" + blancos + "(Sep: +) Simbolo mas", "CC", "+"},
        {"Codigo (Solo para productos Pesables)", "C", ""},
    };
    ASSERT_EQ(TextosFormatoImportacion().size(), 6);
    for (size_t i = 0; i < casos.size(); ++i) {
        EXPECT_EQ(TextosFormatoImportacion()[qsizetype(i)], casos[i].texto);
        for (const QString& escrito :
             {casos[i].texto, casos[i].texto.toLower(), "  " + casos[i].texto.toUpper() + " "}) {
            const FormatoImportacion f = FormatoImportacionDe(escrito);
            EXPECT_EQ(f.texto, escrito.trimmed()) << escrito.toStdString();
            EXPECT_EQ(f.campos, QLatin1String(casos[i].campos));
            EXPECT_EQ(f.separador, casos[i].separador);
        }
    }
    // Blanks count: twelve blanks are another text. Empty, a blank and unknown give the default.
    for (const QString& otro : {QString("Codigo,Cantidad" + QString(12, ' ') + "(Sep: TAB)"), QString(),
                                QString(" "), QString("Codigo;Cantidad")}) {
        const FormatoImportacion f = FormatoImportacionDe(otro);
        EXPECT_EQ(f.texto, casos[0].texto);
        EXPECT_EQ(f.campos, "CDC");
        EXPECT_EQ(f.separador, kTab);
    }
}

TEST(LectorImportacion, FinesDeLineaCodificacionYCampos) {
    const Regional::Fijo regional{QChar(','), QChar('.')};
    // CR, CR LF and LF end lines; a last line without its end counts; Windows-1252 bytes.
    const Visto v =
        Lee("1001\tCl\xe1sico \"A\"\t12,5\r1002\t\t\r\n\r\n1003\tx\t0\n'1004'\t\"Tuerca\"\t 7 ", "");
    ASSERT_EQ(v.textos, QStringList({"1001\tClásico \"A\"\t12,5", "1002\t\t", "", "1003\tx\t0",
                                     "'1004'\t\"Tuerca\"\t 7 "}));
    ASSERT_TRUE(v.lineas[0]);
    EXPECT_EQ(v.lineas[0]->codigo, "1001");
    EXPECT_EQ(v.lineas[0]->descripcion, "Clásico \"A\"");
    EXPECT_EQ(v.lineas[0]->cantidad, "12,5");
    EXPECT_FALSE(v.lineas[0]->etiqueta);
    // An empty quantity reads as 0; an empty line is skipped; quotes around a field go.
    EXPECT_EQ(v.lineas[1]->cantidad, "0");
    EXPECT_FALSE(v.lineas[2]);
    EXPECT_EQ(v.lineas[3]->cantidad, "0");
    EXPECT_EQ(v.lineas[4]->codigo, "1004");
    EXPECT_EQ(v.lineas[4]->descripcion, "Tuerca");
    EXPECT_EQ(v.lineas[4]->cantidad, "7");

    // An empty file has no line; a file that ends with its line end has no empty last line.
    EXPECT_TRUE(Lee("", "").textos.isEmpty());
    EXPECT_EQ(Lee("1001\tx\t1\r\n", "").textos.size(), 1);
}

TEST(LectorImportacion, CadaFormatoDivideSuLinea) {
    const Regional::Fijo regional{QChar(','), QChar('.')};
    const QString cc = "Codigo,Cantidad" + QString(13, ' ');
    // Code and quantity; the description is always empty; more fields are ignored.
    const Visto mas = Lee("1001+2,5+x\r\nsin separador\r\n+3\r\n", cc + "(Sep: +) Simbolo mas");
    EXPECT_EQ(mas.lineas[0]->codigo, "1001");
    EXPECT_EQ(mas.lineas[0]->cantidad, "2,5");
    EXPECT_TRUE(mas.lineas[0]->descripcion.isEmpty());
    EXPECT_FALSE(mas.lineas[1]); // a line without separator
    EXPECT_FALSE(mas.lineas[2]); // no code: names no article
    const Visto coma = Lee("1001,1.234,5\r\n", cc + "(Sep: ,) coma");
    EXPECT_EQ(coma.lineas[0]->cantidad, "1234"); // "1.234": the comma split the decimals away
    // Single precision: seven significant digits.
    const Visto tab = Lee("1001\t0,1\r\n1002\t123456789\r\n", cc + "(Sep: TAB)");
    EXPECT_EQ(tab.lineas[0]->cantidad, "0,1");
    EXPECT_EQ(tab.lineas[1]->cantidad, "123456800");
    // Code only: each line is one field, read as a label; empty lines skipped.
    const Visto c = Lee("2050001012340\r\n\r\n  1030 \r\n", "Codigo (Solo para productos Pesables)");
    EXPECT_TRUE(c.lineas[0]->etiqueta);
    EXPECT_EQ(c.lineas[0]->codigo, "2050001012340");
    EXPECT_TRUE(c.lineas[0]->cantidad.isEmpty());
    EXPECT_FALSE(c.lineas[1]);
    EXPECT_EQ(c.lineas[2]->codigo, "1030");
}

TEST(LectorImportacion, UnaLineaCdcSinCantidadYUnaCantidadDesbordadaSonErrores) {
    const FormatoImportacion cdc = FormatoImportacionDe("");
    try {
        LectorImportacion::Divide("1001\tTornillo", cdc);
        ADD_FAILURE() << "a CDC line of two fields was read";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 9);
    }
    try {
        LectorImportacion::Divide("1001\tx\t99999999999999999999", cdc);
        ADD_FAILURE() << "a quantity beyond an amount was read";
    } catch (const ErrorSistema& e) {
        EXPECT_EQ(e.Numero(), 6);
    }
}

TEST(LectorImportacion, LineasGeneradasSeVisitanUnaVezCadaUna) {
    // Random files of random line ends: the reader yields exactly the lines written, in order.
    std::mt19937 azar(7);
    const char* fines[3] = {"\r", "\r\n", "\n"};
    for (int vuelta = 0; vuelta < 200; ++vuelta) {
        QStringList escritas;
        QByteArray archivo;
        const int n = int(azar() % 20);
        for (int i = 0; i < n; ++i) {
            const QString l = QString::number(azar() % 3 == 0 ? 0 : 1000 + azar() % 300) + "\t" +
                              QString::number(azar() % 50) + "\t" + QString::number(azar() % 90);
            escritas << l;
            archivo += l.toLatin1() + fines[azar() % 3];
        }
        if (n > 0 && azar() % 2)
            archivo.chop(archivo.endsWith("\r\n") ? 2 : 1);
        EXPECT_EQ(Lee(archivo, "").textos, escritas) << archivo.toStdString();
    }
}

TEST(DialogoArchivo, ElFiltroDeLaSuiteComoLoTomaQtYElNombreElegido) {
    EXPECT_EQ(DialogoArchivo::FiltroQt("Archivos de Texto|*.Txt;"), "Archivos de Texto (*.Txt)");
    EXPECT_EQ(DialogoArchivo::FiltroQt("Texto|*.txt;*.csv|Todos|*.*"), "Texto (*.txt *.csv);;Todos (*.*)");
    InteraccionGuionada guion;
    EstableceInteraccion(&guion);
    guion.AgregaArchivo("/tmp/x/LINEAS.TXT");
    DialogoArchivo d;
    d.setFiltroArchivos("Archivos de Texto|*.Txt;");
    d.setTituloDialogo("Buscar Archivos");
    d.AbreDialogo();
    EXPECT_EQ(d.NombreArchivo(), "/tmp/x/LINEAS.TXT");
    d.AbreDialogo(); // cancelled
    EXPECT_TRUE(d.NombreArchivo().isEmpty());
    ASSERT_EQ(guion.Registros().size(), 2u);
    EXPECT_EQ(guion.Registros()[0].texto, "Archivos de Texto (*.Txt)");
    EXPECT_EQ(guion.Registros()[0].titulo, "Buscar Archivos");
    EstableceInteraccion(nullptr);
}

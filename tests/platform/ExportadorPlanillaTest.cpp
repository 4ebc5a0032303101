// The spreadsheet listing: a real .xlsx read back cell by cell.

#include "ExportadorPlanilla.h"

#include "AccesoDatos.h"
#include "BaseEmbebida.h"
#include "Comun.h"
#include "LectorXlsx.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <string>

namespace {

class Planilla : public ConGuion {
protected:
    void SetUp() override {
        ConGuion::SetUp();
        ASSERT_TRUE(base.isValid());
        ASSERT_TRUE(salida.isValid());
        const QString ruta = base.filePath(QStringLiteral("datos.db"));
        BaseEmbebida::Crea(
            ruta,
            {QStringLiteral(
                "CREATE TABLE MODELOS (Id INTEGER PRIMARY KEY, Nombre VARCHAR(50) COLLATE TEXTO, "
                "Deposito VARCHAR(4) COLLATE TEXTO, Cantidad REAL, Nota TEXT);\n"
                "INSERT INTO MODELOS VALUES (2, 'Reposición <centro> & \"sur\"', '   1', 12.5, NULL);\n"
                "INSERT INTO MODELOS VALUES (1, 'O''Brien', '  TR', -3, 'línea' || char(1) || 'x');\n")});
        ad.AsignaServidor(QStringLiteral("sqlite"));
        ad.AsignaBaseDatos(ruta);
        ad.Conecta();
        exportador.setCarpeta(salida.path());
    }

    QStringList Planillas() const {
        return QDir(salida.path()).entryList({QStringLiteral("*.xlsx")}, QDir::Files, QDir::Name);
    }

    QTemporaryDir base;
    QTemporaryDir salida;
    AccesoDatos ad;
    ExportadorPlanilla exportador{[this]() -> AccesoDatos& { return ad; }};
};

TEST_F(Planilla, TitleRowColumnNamesAndEveryRecordInQueryOrder) {
    const QString ruta = exportador.EscribePlanilla(QStringLiteral(" SELECT * FROM MODELOS ORDER BY Id DESC"),
                                                    QStringLiteral("Reporte X"));
    ASSERT_TRUE(QFileInfo(ruta).isFile());
    EXPECT_EQ(QFileInfo(ruta).absolutePath(), QDir(salida.path()).absolutePath());
    EXPECT_EQ(exportador.UltimaPlanilla(), ruta);

    const HojaXlsx hoja = LeeHojaXlsx(ruta);
    ASSERT_FALSE(hoja.isEmpty()) << "unreadable workbook " << ruta.toStdString();
    EXPECT_EQ(hoja.value(1).value(0).texto, QStringLiteral("Reporte X"));
    EXPECT_EQ(hoja.value(1).size(), 1);
    EXPECT_EQ(FilaXlsx(hoja, 2, 5), QStringList({"Id", "Nombre", "Deposito", "Cantidad", "Nota"}));
    // Texts keep accents, markup characters, apostrophes and the codes' leading blanks;
    // a null leaves the cell empty; a control character is dropped.
    EXPECT_EQ(FilaXlsx(hoja, 3, 5), QStringList({"2", "Reposición <centro> & \"sur\"", "   1", "12.5", ""}));
    EXPECT_EQ(FilaXlsx(hoja, 4, 5), QStringList({"1", "O'Brien", "  TR", "-3", "líneax"}));
    EXPECT_FALSE(hoja.value(3).contains(4));
    // Numbers are numbers, codes stay texts.
    EXPECT_TRUE(hoja.value(3).value(0).numero);
    EXPECT_TRUE(hoja.value(3).value(3).numero);
    EXPECT_FALSE(hoja.value(3).value(2).numero);
    EXPECT_EQ(hoja.lastKey(), 4);
}

TEST_F(Planilla, AnEmptyResultStillListsTitleAndColumns) {
    const QString ruta = exportador.EscribePlanilla(
        QStringLiteral("SELECT Id, Nombre FROM MODELOS WHERE Id = 0"), QStringLiteral("Vacía"));
    const HojaXlsx hoja = LeeHojaXlsx(ruta);
    EXPECT_EQ(hoja.value(1).value(0).texto, QStringLiteral("Vacía"));
    EXPECT_EQ(FilaXlsx(hoja, 2, 2), QStringList({"Id", "Nombre"}));
    EXPECT_EQ(hoja.lastKey(), 2);
}

TEST_F(Planilla, ListingsNeverOverwriteEachOther) {
    // Two listings within one second: the first may still be open in the spreadsheet program.
    const QString a =
        exportador.EscribePlanilla(QStringLiteral("SELECT * FROM MODELOS"), QStringLiteral("R/1:x"));
    const QString b =
        exportador.EscribePlanilla(QStringLiteral("SELECT Id FROM MODELOS"), QStringLiteral("R/1:x"));
    EXPECT_NE(a, b);
    EXPECT_EQ(Planillas().size(), 2) << Planillas().join(u' ').toStdString();
    EXPECT_FALSE(QFileInfo(a).fileName().contains(u'/'));
    EXPECT_FALSE(QFileInfo(a).fileName().contains(u':'));
    EXPECT_EQ(FilaXlsx(LeeHojaXlsx(a), 2, 2), QStringList({"Id", "Nombre"}));
    EXPECT_EQ(FilaXlsx(LeeHojaXlsx(b), 2, 2), QStringList({"Id", ""}));
}

TEST_F(Planilla, AFailingQueryIsRaisedAndLeavesNoFile) {
    EXPECT_THROW(exportador.ExportaPlanilla(QStringLiteral("SELECT * FROM NO_EXISTE"),
                                            QStringLiteral("SQLite"), QStringLiteral("R"),
                                            QStringLiteral("id")),
                 ErrorSistema);
    EXPECT_TRUE(Planillas().isEmpty());
    EXPECT_TRUE(guion.Mensajes().isEmpty());
}

TEST_F(Planilla, OpensTheWorkbookOrSaysWhereItIs) {
    QString abierta;
    exportador.abreArchivo = [&](const QString& ruta) {
        abierta = ruta;
        return true;
    };
    exportador.ExportaPlanilla(QStringLiteral("SELECT * FROM MODELOS"), QStringLiteral("SQLite"),
                               QStringLiteral("Reporte"), QStringLiteral("id"));
    EXPECT_EQ(abierta, exportador.UltimaPlanilla());
    EXPECT_TRUE(QFileInfo(abierta).isFile());
    EXPECT_TRUE(guion.Mensajes().isEmpty());

    // Nothing can open it: the user learns where it is.
    exportador.abreArchivo = [](const QString&) { return false; };
    exportador.ExportaPlanilla(QStringLiteral("SELECT * FROM MODELOS"), QStringLiteral("SQLite"),
                               QStringLiteral("Reporte"), QStringLiteral("id"));
    ASSERT_EQ(guion.Registros().size(), 1u);
    const auto& aviso = guion.Registros().front();
    EXPECT_TRUE(aviso.texto.endsWith(QDir::toNativeSeparators(exportador.UltimaPlanilla())))
        << aviso.texto.toStdString();
    EXPECT_EQ(aviso.titulo, QStringLiteral("Reporte"));
    EXPECT_EQ(aviso.estilo, Estilo::SoloAceptar | Estilo::Informacion);
    EXPECT_EQ(Planillas().size(), 2);
}

TEST_F(Planilla, WithoutADesktopNothingIsAskedToOpenIt) {
    // The test program is a console application: there is no desktop to hand the file to.
    EXPECT_FALSE(ExportadorPlanilla::AbreConEscritorio(salida.filePath(QStringLiteral("x.xlsx"))));
    exportador.ExportaPlanilla(QStringLiteral("SELECT * FROM MODELOS"), QStringLiteral("SQLite"),
                               QStringLiteral("Reporte"), QStringLiteral("id"));
    ASSERT_EQ(guion.Mensajes().size(), 1);
    EXPECT_TRUE(guion.Mensajes().front().contains(QDir::toNativeSeparators(exportador.UltimaPlanilla())));
}

TEST_F(Planilla, ADesktopWithNoApplicationForWorkbooksCannotOpenIt) {
    // The desktop's opener starts even when it has nothing to open a workbook with; the type's
    // default application tells beforehand.
    QTemporaryDir herramientas;
    ASSERT_TRUE(herramientas.isValid());
    const QString xdgMime = herramientas.filePath(QStringLiteral("xdg-mime"));
    const auto responde = [&xdgMime](const QByteArray& script) {
        QFile f(xdgMime);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("#!/bin/sh\n" + script);
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    const VariableEntorno path("PATH");
    path.Pon(herramientas.path());

    // Asked for the workbooks' type, it names none.
    responde("[ \"$1 $2 $3\" = \"query default "
             "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet\" ] || echo otra.desktop\n");
    EXPECT_FALSE(ExportadorPlanilla::HayAplicacionPlanillas());
    responde("echo libreoffice-calc.desktop\n");
    EXPECT_TRUE(ExportadorPlanilla::HayAplicacionPlanillas());
    // A desktop that cannot tell leaves it to the opener.
    responde("exit 2\n");
    EXPECT_TRUE(ExportadorPlanilla::HayAplicacionPlanillas());
    QFile::remove(xdgMime);
    EXPECT_TRUE(ExportadorPlanilla::HayAplicacionPlanillas());
}

// What openpyxl, a strict reader, makes of a workbook: its column widths, page margins and cell
// values, one per line; empty when it refuses the file (with its complaint in `queja`).
QString LeidoPorOpenpyxl(const QString& ruta, QString& queja) {
    static const char* const kGuion = R"(import sys, openpyxl
libro = openpyxl.load_workbook(sys.argv[1])
hoja = libro.active
for letra, dim in sorted(hoja.column_dimensions.items()):
    print("ancho", letra, dim.width)
m = hoja.page_margins
print("margenes", m.left, m.right, m.top, m.bottom, m.header, m.footer)
for fila in hoja.iter_rows():
    print("fila", [c.value for c in fila])
)";
    // Debian's python3, where python3-openpyxl is installed (PATH may name another one).
    const QString programa = QFileInfo::exists(QStringLiteral("/usr/bin/python3"))
                                 ? QStringLiteral("/usr/bin/python3")
                                 : QStringLiteral("python3");
    QProcess python;
    python.start(programa, {QStringLiteral("-c"), QString::fromLatin1(kGuion), ruta});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        queja = QString::fromUtf8(python.readAllStandardError()) + python.errorString();
        return {};
    }
    return QString::fromUtf8(python.readAllStandardOutput());
}

// A Spanish numeric locale: the machine's, or, when it lacks one, one compiled into the test's
// own folder, so that the machine's locales stay as they are. The folder is named by LOCPATH only
// while the locale is selected: glibc leaks its copy of that path in a later locale look-up that
// fails.
bool ConLocaleEspanol(const char* nombre, const QString& carpeta) {
    if (setlocale(LC_NUMERIC, nombre))
        return true;
    const QString destino = carpeta + QStringLiteral("/locales");
    QDir().mkpath(destino);
    QProcess::execute(QStringLiteral("localedef"),
                      {QStringLiteral("-i"), QStringLiteral("es_AR"), QStringLiteral("-f"),
                       QStringLiteral("UTF-8"), destino + u'/' + QString::fromLatin1(nombre)});
    qputenv("LOCPATH", QFile::encodeName(destino));
    const bool elegido = setlocale(LC_NUMERIC, nombre) != nullptr;
    qunsetenv("LOCPATH");
    return elegido;
}

TEST_F(Planilla, UnderASpanishNumericLocaleTheWorkbookIsTheSameValidFile) {
    const char* const kEspanol = "es_AR.UTF-8";
    const std::string anterior = setlocale(LC_NUMERIC, nullptr);
    const QString sql = QStringLiteral("SELECT * FROM MODELOS ORDER BY Id");

    ASSERT_TRUE(setlocale(LC_NUMERIC, "C"));
    const QString enC = exportador.EscribePlanilla(sql, QStringLiteral("Reporte C"));
    ASSERT_TRUE(ConLocaleEspanol(kEspanol, salida.path()))
        << "no locale " << kEspanol << " (localedef, package locales)";
    ASSERT_EQ(localeconv()->decimal_point, std::string(","));
    const QString enEspanol = exportador.EscribePlanilla(sql, QStringLiteral("Reporte C"));
    setlocale(LC_NUMERIC, anterior.c_str());

    QString queja;
    const QString leidoC = LeidoPorOpenpyxl(enC, queja);
    ASSERT_FALSE(leidoC.isEmpty()) << queja.toStdString();
    EXPECT_TRUE(leidoC.contains(QStringLiteral("12.5"))) << leidoC.toStdString();
    const QString leidoEspanol = LeidoPorOpenpyxl(enEspanol, queja);
    ASSERT_FALSE(leidoEspanol.isEmpty()) << queja.toStdString();
    EXPECT_EQ(leidoEspanol, leidoC);
}

} // namespace

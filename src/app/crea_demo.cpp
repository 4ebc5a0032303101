// crea-demo <file>: creates the demo database (and CV_ESTADISTICAS.db beside it) from the scripts
// of the db folder.
#include "BaseEmbebida.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Uso: crea-demo <archivo de la base demo>\n");
        return 2;
    }
    const QString carpeta = BaseEmbebida::CarpetaScripts(QStringLiteral(MODELOS_DB_FUENTES));
    if (carpeta.isEmpty()) {
        std::fprintf(stderr, "crea-demo: no se encuentra la carpeta db con esquema.sql\n");
        return 1;
    }
    try {
        BaseEmbebida::CreaDemo(args[1], carpeta);
    } catch (const ErrorSistema& e) {
        std::fprintf(stderr, "crea-demo: %s\n", qUtf8Printable(e.Descripcion()));
        return 1;
    }
    std::printf("Base demo creada: %s\n", qUtf8Printable(QDir::toNativeSeparators(args[1])));
    return 0;
}

// A program that returns from main while its global connections are open, with a record set
// still reading and a transaction begun: it must end without a fault. Run by a test as a child.
// Arguments: the database file, then "sin-app" to run without a QCoreApplication.

#include "AccesoDatos.h"
#include "Globales.h"
#include "Registros.h"

#include <QCoreApplication>
#include <memory>

namespace {

Registros leyendo;

void Conecta(AccesoDatos& ad, const QString& ruta) {
    ad.AsignaServidor(QStringLiteral("sqlite"));
    ad.AsignaBaseDatos(ruta);
    ad.Conecta();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    std::unique_ptr<QCoreApplication> app;
    if (argc < 3 || qstrcmp(argv[2], "sin-app") != 0)
        app = std::make_unique<QCoreApplication>(argc, argv);
    const QString ruta = QString::fromLocal8Bit(argv[1]);
    Conecta(AD(), ruta);
    Conecta(gBaseEstadisticas(), ruta);
    AD().ObtieneRecordset(QStringLiteral("SELECT * FROM V_CPTES_MODELO_DET"), leyendo);
    AD().EjecutaSQL(QStringLiteral("BEGIN TRANSACTION\rDELETE V_CPTES_MODELO_DET"));
    return leyendo.Eof() ? 3 : 0;
}

#include "NivelesLayout.h"

#include "Configuracion.h"
#include "ErrorSistema.h"
#include "Globales.h"
#include "Regional.h"

#include <limits>

LayoutPosiciones gLayout;
NivelesFamilia gNivelesFamilia;

namespace {

const bool registrado = RegistraReinicioSesion([] {
    gLayout = LayoutPosiciones{};
    gNivelesFamilia = NivelesFamilia{};
});

qint16 Entero16(double v) {
    if (v > std::numeric_limits<qint16>::max() || v < std::numeric_limits<qint16>::min())
        throw ErrorSistema(6, QStringLiteral("Desbordamiento"), QStringLiteral("InicializaLayout"));
    return static_cast<qint16>(v);
}

// The setting's leading number, unrounded (a missing key reads as one blank: 0).
double Numero(const QString& clave) {
    return ValNumero(Cfg(clave));
}

qint16 Ancho(const QString& clave) {
    return Entero16(RedondeoBanquero(Numero(clave)));
}

qint16 Suma(qint16 a, qint16 b) {
    return Entero16(double(a) + double(b));
}

} // namespace

QString TextoPropio(const QString& texto) {
    QString r = texto.toLower();
    bool inicio = true;
    for (QChar& c : r) {
        if (c.isSpace() || c == QChar(0)) {
            inicio = true;
        } else if (inicio) {
            c = c.toUpper();
            inicio = false;
        }
    }
    return r;
}

void CargaNivelesLayout() {
    (void)registrado;
    LayoutPosiciones& l = gLayout;
    qint16 total = 0;
    for (int n = 1; n <= 4; ++n) {
        l.ancho[n] = Ancho(QStringLiteral("LAYOUT_NIVEL%1").arg(n));
        total = Suma(total, l.ancho[n]);
    }
    l.anchoTotal = total;
    for (int n = 1; n <= 4; ++n)
        l.titulo[n] = TextoPropio(Cfg(QStringLiteral("TIT_LAYOUT_NIVEL_%1").arg(n)));
    for (int n = 1; n <= 4; ++n)
        l.tituloConArticulo[n] = TextoPropio(Cfg(QStringLiteral("ARTICULO_LAYOUT_NIVEL_%1").arg(n)) +
                                             QLatin1Char(' ') + l.titulo[n]);
    for (int n = 1; n <= 4; ++n)
        l.plural[n] = TextoPropio(Cfg(QStringLiteral("PLURAL_LAYOUT_NIVEL_%1").arg(n)));
}

void InicializaLayout() {
    CargaNivelesLayout();
    LayoutPosiciones& l = gLayout;
    l.fin[1] = l.ancho[1];
    for (int n = 2; n <= 4; ++n)
        l.fin[n] = Suma(l.fin[n - 1], l.ancho[n]);
    l.largoCodigo = l.fin[4];
}

void CargaNivelesFamilia() {
    NivelesFamilia& f = gNivelesFamilia;
    qint16 total = 0;
    for (int n = 1; n <= 6; ++n) {
        f.ancho[n] = Ancho(QStringLiteral("FLIA_NIVEL%1").arg(n));
        total = Suma(total, f.ancho[n]);
    }
    f.anchoTotal = total;
}

void CargaFinNivelesFamilia() {
    NivelesFamilia& f = gNivelesFamilia;
    double suma = 0;
    for (int n = 1; n <= 6; ++n) {
        suma += Numero(QStringLiteral("FLIA_NIVEL%1").arg(n));
        f.fin[n] = Entero16(RedondeoBanquero(suma));
    }
    f.fin[7] = f.fin[6];
}

QString ObtieneFamiliaPadre(const QString& codigo) {
    const NivelesFamilia& f = gNivelesFamilia;
    const qsizetype largo = codigo.size();
    for (int n = 1; n <= 6; ++n) {
        if (largo != f.fin[n])
            continue;
        return n == 1 ? QString() : codigo.left(f.fin[n - 1]);
    }
    return {};
}

#include "AyudaFormularios.h"

#include "CajaTexto.h"
#include "ErrorSistema.h"
#include "Regional.h"
#include "Registros.h"
#include "Teclas.h"

void FocoFormulario::Mueve(const QString& nombre) {
    if (nombre == actual_)
        return;
    const QString anterior = actual_;
    actual_ = nombre;
    if (alMoverFoco)
        alMoverFoco(anterior, nombre);
}

void FocoFormulario::SetFocus(const QString& nombre) {
    for (const Parada& p : orden_) {
        if (p.nombre.compare(nombre, Qt::CaseInsensitive) != 0)
            continue;
        if (p.disponible && !p.disponible())
            throw ErrorSistema(5, QStringLiteral("Llamada a procedimiento o argumento no válidos"),
                               QStringLiteral("SetFocus"));
        Mueve(p.nombre);
        return;
    }
    Mueve(nombre);
}

void FocoFormulario::FocoMovido(const QString& nombre) {
    Mueve(nombre);
}

bool FocoFormulario::Siguiente() {
    const int n = int(orden_.size());
    if (n == 0)
        return false;
    int desde = -1;
    for (int i = 0; i < n; ++i)
        if (orden_[i].nombre.compare(actual_, Qt::CaseInsensitive) == 0)
            desde = i;
    for (int paso = 1; paso <= n; ++paso) {
        const Parada& p = orden_[(desde + paso + n) % n];
        if (!p.disponible || p.disponible()) {
            Mueve(p.nombre);
            return true;
        }
    }
    return false;
}

void AyudaFormularios::FiltraTecla(qint16& KeyCode, bool& confirma) const {
    confirma = KeyCode == tecla::Enter;
}

void AyudaFormularios::SiguienteControl(FormularioAyudado& formulario, qint16) const {
    formulario.Foco().Siguiente();
}

void AyudaFormularios::FiltraCaracter(const CajaTexto&, qint16& KeyAscii) const {
    if (KeyAscii == 39 || (KeyAscii >= 0 && KeyAscii < 32 && KeyAscii != tecla::Retroceso))
        KeyAscii = 0;
}

void AyudaFormularios::SeparadorDecimal(QString& separador) const {
    separador = QString(Regional::SeparadorDecimal());
}

void AyudaFormularios::LeeCampo(const QString& campo, std::span<CajaTexto> arreglo, qint16& indice) const {
    indice = -1;
    for (size_t i = 0; i < arreglo.size(); ++i)
        if (arreglo[i].DataField().compare(campo, Qt::CaseInsensitive) == 0) {
            indice = qint16(i);
            return;
        }
}

void AyudaFormularios::CargaCampos(std::span<CajaTexto> arreglo, Registros& rs) const {
    for (CajaTexto& caja : arreglo) {
        if (caja.DataField().isEmpty() || rs.IndiceCampo(caja.DataField()) < 0)
            continue;
        const QVariant v = rs.Fields(caja.DataField());
        caja.setText(v.isNull() ? QString() : v.toString());
    }
}

void AyudaFormularios::PreparaCampos(FormularioAyudado& formulario, const QString& arreglo) const {
    for (CajaTexto* caja : formulario.ArregloCampos(arreglo)) {
        caja->setText(QString());
        caja->setEnabled(true);
        caja->setVisible(true);
    }
}

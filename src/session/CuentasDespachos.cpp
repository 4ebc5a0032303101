#include "CuentasDespachos.h"

#include "AccesoDatos.h"
#include "Globales.h"
#include "Registros.h"
#include "Utilidades.h"

namespace {

QString Literal(const QString& valor) {
    return AD().FormateaValorSQL(valor, QStringLiteral("'"));
}

QString Campo(const Registros& rs, const QString& nombre) {
    return UT().ValorATexto(UT().ValorCampo(rs.Fields(nombre)));
}

void Abre(const QString& sql, Registros& rs, bool soloLectura) {
    if (soloLectura)
        AD().ObtieneRecordset(sql, rs);
    else
        AD().ObtieneRecordset(sql, rs, nullptr, TipoCursor::Dinamico, TipoBloqueo::Optimista);
}

} // namespace

// The code goes in as written (not trimmed nor filled): accounts are stored as typed.
QString SentenciaBuscaCuenta(const QString& codigo, bool porCodigoOpcional) {
    return (porCodigoOpcional
                ? QStringLiteral("SELECT * FROM MA_CUENTAS  with(nolock)  WHERE CodigoOpcional =  ")
                : QStringLiteral("SELECT * FROM MA_CUENTAS  with(nolock)  WHERE Codigo =  ")) +
           Literal(codigo);
}

bool BuscaCuenta(QString& Codigo, Registros& Rs, bool SoloLectura, bool& PorCodigoOpcional) {
    Abre(SentenciaBuscaCuenta(Codigo, PorCodigoOpcional), Rs, SoloLectura);
    if (!Rs.Eof()) {
        Codigo = Campo(Rs, QStringLiteral("Codigo"));
        return true;
    }
    if (PorCodigoOpcional) {
        Abre(SentenciaBuscaCuenta(Codigo, false), Rs, SoloLectura);
        return !Rs.Eof();
    }
    Abre(SentenciaBuscaCuenta(Codigo, true), Rs, SoloLectura);
    if (Rs.Eof())
        return false;
    PorCodigoOpcional = true;
    Codigo = Campo(Rs, QStringLiteral("Codigo"));
    return true;
}

QString SentenciaBuscaDespacho(const QString& nroLote) {
    // The blank before the closing quote is the suite's: trailing blanks do not count.
    return QStringLiteral(" select * from stk_despachos where ltrim(rtrim(NroLote)) = ") +
           Literal(nroLote.trimmed() + u' ');
}

void BuscaDespacho(const QString& NroLote, QString& ControladoPor, QString& IdOrigen) {
    Registros rs;
    AD().ObtieneRecordset(SentenciaBuscaDespacho(NroLote), rs);
    if (!rs.Eof()) {
        if (const QString c = Campo(rs, QStringLiteral("ControladoPor")).trimmed(); !c.isEmpty())
            ControladoPor = c;
        if (!Campo(rs, QStringLiteral("Descripcion")).trimmed().isEmpty())
            IdOrigen = Campo(rs, QStringLiteral("IdOrigen")).trimmed();
    }
    rs.Close();
}

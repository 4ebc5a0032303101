#pragma once

#include "ErrorSistema.h"
#include "Moneda.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class Formulario;

// The suite's text and value utilities. One session-wide instance is created by the session
// layer. Number texts follow the regional settings (Regional.h). Chr(255), the end marker
// of the suite's lots and fixed-length fields, is U+00FF here.
class Utilidades {
public:
    // The text cut to at most `longitudMaxima` characters.
    QString CortaTexto(const QString& texto, qint32 longitudMaxima) const;

    // A value (as a rule a field's or a cell's text) as currency: null, empty or non-numeric
    // text gives 0; numbers keep their value, rounded to four decimals half to even. An
    // amount beyond the currency's range raises ErrorSistema 6.
    Moneda TextoAMoneda(const QVariant& valor) const;
    // As TextoAMoneda, in double precision.
    double TextoADoble(const QVariant& valor) const;

    // A record field's value with null turned into the empty text (reads as "" or 0);
    // any other value unchanged. Use ValorATexto for its text in the regional format.
    QVariant ValorCampo(const QVariant& campo) const;
    // The text of a value: null gives "", numbers their plain regional text, dates
    // dd/mm/yyyy (with hh:mm:ss when they carry a time).
    QString ValorATexto(const QVariant& valor) const;

    // Number of blank-separated words.
    qint32 CuentaPalabras(const QString& texto) const;

    // Every occurrence of `caracter` removed, or replaced by `reemplazo` when one is given.
    // `opcion`, when given, is removed as well. Chr(0) and Chr(255) are fill and end
    // markers, never content: given as replacement they are removed too, never put in.
    QString QuitaCaracter(const QString& texto, const QString& caracter, const QString& reemplazo = {},
                          const QString& opcion = {}) const;
    // Every occurrence of `buscado` (case counts) replaced; an empty `buscado` changes nothing.
    QString ReemplazaTexto(const QString& texto, const QString& buscado, const QString& reemplazo) const;

    // The code in the form the database stores codes of that width: trimmed; up to width 4
    // right-aligned with leading blanks; wider, a code of digits only right-aligned with
    // leading blanks and any other code left-aligned with trailing blanks. A code that
    // already reaches the width comes back trimmed, never cut. Without a width: 4 (the
    // voucher type's).
    QString RellenaCodigo(const QString& codigo, int ancho = 4) const;
    // The text right-aligned in `ancho` characters with leading blanks; a longer text comes
    // back whole, so that an amount reads back as the same amount.
    QString AjustaTexto(const QString& texto, int ancho) const;

    // The folder path ending in exactly one "/" (an empty path stays empty).
    QString NormalizaRuta(const QString& ruta) const;
    // A "|"-separated column list cleaned for the article search: fill characters removed,
    // entries trimmed, empty entries dropped, written as "|A|B|" ("" when none is left).
    QString LimpiaLista(const QString& lista) const;

    // A reversible transform for values kept in the INI file: DecodificaTexto undoes
    // CodificaTexto; a text that is not an encoded value is decoded as it stands.
    QString CodificaTexto(const QString& texto) const;
    QString DecodificaTexto(const QString& texto) const;

    // True when the value's text, trimmed, equals one of the texts, trimmed, without regard
    // to case.
    bool EstaEnLista(const QVariant& valor, const QStringList& lista) const;

    // A field of an imported or edited text line ready for use: control characters removed,
    // trimmed, one pair of enclosing double quotes or apostrophes removed ("'OC'" -> "OC").
    QString LimpiaCampoImportado(const QString& campo) const;

    // Common set-up of a form when it loads, of its format after its reset, and of its
    // closing: the Qt views do the visual part, so nothing here changes the form's logic.
    void PreparaFormulario(Formulario& formulario, bool opcion = false) const;
    void AplicaFormato(Formulario& formulario, const QString& opcion = {}) const;
    void CierraFormulario(Formulario& formulario, const QString& opcion = {}) const;

    // Wait indication for long loads: the wait cursor while on (when there is a GUI).
    void CursorEspera(bool encendido);
    bool CursorEnEspera() const { return enEspera_; }

    // The error routine of forms: shows the error with Abort, Retry and Ignore through the
    // interaction port and returns the answer (4 retry, 5 next statement, other leave, counted
    // by AnotaRespuesta); 0 without showing anything for an error number 0.
    int RegistraErrorFormulario(const ErrorSistema& error, const QString& rutina) const;

private:
    bool enEspera_ = false;
};

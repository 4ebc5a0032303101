#pragma once

#include "ErrorSistema.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <initializer_list>

class CajaTexto;
class Grilla;

// The form's TextWidth: the width of a text in the form's font, in twips.
using MedidaTexto = std::function<int(const QString&)>;

// The shared voucher class. Each voucher form holds its own instance; it keeps only the
// public variables below and three values read from the configuration when it is created.
// Every method works on the grids and controls the form passes in.
class ClsCmnCptes {
public:
    // Reads PIVA, PIVARec, AsientosXStock and LenDescripcion from the configuration.
    ClsCmnCptes();
    ClsCmnCptes(const ClsCmnCptes&) = delete;
    ClsCmnCptes& operator=(const ClsCmnCptes&) = delete;

    // Public variables, in the class's order.
    bool DebitoProveedor = false; // a supplier's debit note (read by the sign rule)
    qint16 gLenDesc = 0;          // length of article descriptions
    QString NPP_Cliente;          // customer of the order being converted
    QString NPP_IDCpte;           // voucher identity of that order
    bool esElectronica = false;   // electronic voucher: no line limit
    bool esCreditoElectronica = false;

    // Lays out the voucher grids for the voucher type `TC`: clears each grid that is given and
    // sets its columns, widths (twips, from `obj`), titles and alignments. Traps nothing: a
    // failing query or grid call reaches the caller. A type that V_TA_CPTE does not know lays
    // out like a type without SISTEMA.
    void InicializaGrids(Grilla* MSFlexGrid1, Grilla* MSFlexGrid2, Grilla* MSFlexGrid3, CajaTexto* TxtEdit,
                         CajaTexto* txtEdit2, CajaTexto* txtEdit3, const MedidaTexto& obj,
                         const QString& TC = {}, Grilla* MSFlexGrid4 = nullptr);

private:
    friend struct AccesoPruebaClsCmnCptes;

    // Runs a method's guarded statements: a failing one goes to the central error handler
    // with `rutina` (the method's name, with the type character of its result where it has
    // one); Retry runs it again, Ignore goes on with the next, any other answer leaves.
    // False when the method was left.
    bool EjecutaProtegido(const QString& rutina, std::initializer_list<Paso> pasos) const;

    // What the layout of every grid derives from the voucher type and the configuration.
    struct EntradasLayout {
        QString tc;      // as passed
        QString sistema; // trimmed; compared without regard to case
        bool columnaDeposito = false;
        bool importesOcultos = false;
        QString tituloCodigo;  // title of the article-code column
        bool maderera = false; // timber layout
        bool EsSistema(const QString& s) const { return sistema.compare(s, Qt::CaseInsensitive) == 0; }
    };
    EntradasLayout LeeEntradasLayout(const QString& TC) const;
    void DisponeGrillaArticulos(Grilla& grilla, CajaTexto* editor, const EntradasLayout& e,
                                const MedidaTexto& medida) const;

    // Start values.
    double PIVA = 0;             // VAT rate
    double PIVARec = 0;          // second VAT rate
    bool AsientosXStock = false; // stock vouchers generate accounting entries
};

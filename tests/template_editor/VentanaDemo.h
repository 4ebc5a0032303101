#pragma once

// The editor window loaded headless on a fresh copy of the demo database, and the keyboard as
// its view delivers it: keys to the control that has the focus, characters typed into the cell
// editor or a header field as the widget would insert them.

#include "AccesoDatos.h"
#include "AccesoPruebasVardelio.h"
#include "BaseDemo.h"
#include "ColumnasArticulos.h"
#include "FrmVardelio.h"
#include "Globales.h"
#include "Regional.h"
#include "Registros.h"
#include "Teclas.h"
#include "Utilidades.h"

#include <QStringList>

#include <memory>

// Every row of a query, each as its fields' texts joined by "|".
inline QStringList FilasConsulta(const QString& sql) {
    Registros rs;
    AD().ObtieneRecordset(sql, rs);
    QStringList filas;
    for (; !rs.Eof(); rs.MoveNext()) {
        QStringList campos;
        for (int i = 0; i < rs.FieldCount(); ++i)
            campos << UT().ValorATexto(rs.Fields(i));
        filas << campos.join(u'|');
    }
    return filas;
}

// The stored lines of the template `id`, each "article|quantity|unit", in the order stored.
inline QStringList LineasGuardadas(int id) {
    return FilasConsulta(QStringLiteral("SELECT trim(IdArticulo), Cantidad, trim(IdUnidad) FROM "
                                        "V_CPTES_MODELO_DET WHERE IdVardelio = %1 ORDER BY Linea")
                             .arg(id));
}

class ConVentanaDemo : public ConArchivosDemo {
protected:
    void SetUp() override {
        ConArchivosDemo::SetUp();
        if (HasFatalFailure())
            return;
        form = std::make_unique<FrmVardelio>();
        form->Form_Load(LineaSesion());
        guion.Limpia();
    }
    void TearDown() override {
        form.reset();
        ConArchivosDemo::TearDown();
    }

    FrmVardelio& F() { return *form; }
    CajaTexto& Campo(const char* dataField) {
        return form->TxtFields[form->IndiceCampo(QLatin1String(dataField))];
    }
    static QStringList Filas(const QString& sql) { return FilasConsulta(sql); }
    static void Ejecuta(const QString& sql) { AD().EjecutaSQL(sql); }
    Grilla& G() { return form->MSFlexGrid2; }
    QString Celda(int fila, int c) { return G().TextMatrix(fila, c); }
    const QString& Foco() { return form->Foco().Actual(); }

    // A key pressed on the control with the focus (KeyDown, and KeyPress for Enter and Escape,
    // which are characters too).
    void Pulsa(qint16 codigo) {
        FrmVardelio& f = *form;
        qint16 k = codigo;
        if (!f.EditorTomaTecla(k))
            f.Form_KeyDown(k);
        if (k == 0)
            return;
        const QString foco = Foco();
        if (foco == QLatin1String("txtEdit2")) {
            f.txtEdit2_KeyDown(k);
        } else if (foco == QLatin1String("MSFlexGrid2")) {
            f.MSFlexGrid2_KeyDown(k);
            if (codigo == tecla::Enter || codigo == tecla::Escape) {
                qint16 a = codigo;
                f.MSFlexGrid2_KeyPress(a);
            }
        } else if (foco.startsWith(QLatin1String("TxtFields("))) {
            f.TxtFields_KeyDown(foco.mid(10, 1).toInt(), k);
        }
    }

    // Characters typed on the control with the focus.
    void Teclea(const QString& texto) {
        FrmVardelio& f = *form;
        for (const QChar c : texto) {
            qint16 a = qint16(c.unicode());
            const QString foco = Foco();
            if (foco == QLatin1String("MSFlexGrid2")) {
                // Letters and digits have their own key codes; no other key matters here.
                qint16 k =
                    c.isLetterOrNumber() && c.unicode() < 128 ? qint16(c.toUpper().unicode()) : qint16{0};
                f.MSFlexGrid2_KeyDown(k);
                f.MSFlexGrid2_KeyPress(a);
            } else if (foco == QLatin1String("txtEdit2")) {
                f.txtEdit2_KeyPress(a);
                if (a == 0)
                    continue;
                CajaTexto& e = f.txtEdit2;
                const int en = qBound(0, e.SelStart(), int(e.Text().size()));
                e.setText(e.Text().left(en) + QChar(char16_t(a)) + e.Text().mid(en));
                e.setSelStart(en + 1);
                f.txtEdit2_Change();
            } else if (foco.startsWith(QLatin1String("TxtFields("))) {
                const int i = foco.mid(10, 1).toInt();
                f.TxtFields_KeyPress(i, a);
                if (a == 0)
                    continue;
                f.TxtFields[i].setText(f.TxtFields[i].Text() + QChar(char16_t(a)));
                f.TxtFields_Change(i);
            }
        }
    }

    // A new template of that name with the editing controls on; the focus on the grid's first
    // line.
    // The header is filled with Enter from field to field: the name, motive 1 and the user's
    // own deposit, until the focus leaves the header.
    void NuevaPlantilla(const QString& nombre = QStringLiteral("PRUEBA LINEAS")) {
        const qsizetype vistos = guion.Mensajes().size();
        form->Foco().SetFocus(QStringLiteral("TxtFields(0)"));
        Teclea(nombre);
        for (int vueltas = 0; vueltas < 5 && Foco().startsWith(QLatin1String("TxtFields(")); ++vueltas) {
            const CajaTexto& campo = form->TxtFields[Foco().mid(10, 1).toInt()];
            if (campo.DataField() == QLatin1String("IdMotivoStock") && campo.Text().isEmpty())
                Teclea(QStringLiteral("1"));
            Pulsa(tecla::Enter);
        }
        ASSERT_EQ(guion.Mensajes().size(), vistos) << guion.Mensajes().join(QLatin1Char('|')).toStdString();
        ASSERT_TRUE(Prueba(*form).EsNuevo());
        ASSERT_TRUE(G().Enabled());
        form->Foco().SetFocus(QStringLiteral("MSFlexGrid2"));
    }

    // Code, Enter, quantity, Enter on the current line.
    void Linea(const QString& codigo, const QString& cantidad) {
        Teclea(codigo);
        Pulsa(tecla::Enter);
        Teclea(cantidad);
        Pulsa(tecla::Enter);
    }

    // Numbers as a Spanish-speaking workstation writes them.
    Regional::Fijo regional{QLatin1Char(','), QLatin1Char('.'), 2};
    std::unique_ptr<FrmVardelio> form;
};

#pragma once

#include "ModeloControl.h"

#include <QString>

// The system's text box, as the forms' logic sees it: its member name, text, visibility and the
// binding properties that a grid's floating cell editor carries (DataField, Tag, MaxLength;
// 0 = no limit).
class CajaTexto : public ModeloControl {
public:
    CajaTexto() = default;
    explicit CajaTexto(QString nombre) : nombre_(std::move(nombre)) {}

    const QString& Name() const { return nombre_; }
    void setName(const QString& n) { nombre_ = n; }

    const QString& Text() const { return texto_; }
    void setText(const QString& t) { Asigna(texto_, t); }
    bool Visible() const { return visible_; }
    void setVisible(bool v) { Asigna(visible_, v); }
    bool Enabled() const { return habilitada_; }
    void setEnabled(bool h) { Asigna(habilitada_, h); }
    // Colours as the system's BGR integers; -1 = the box's default.
    int ForeColor() const { return colorLetra_; }
    void setForeColor(int bgr) { Asigna(colorLetra_, bgr); }
    int BackColor() const { return colorFondo_; }
    void setBackColor(int bgr) { Asigna(colorFondo_, bgr); }
    // Selection: caret position and selected length, in characters.
    int SelStart() const { return selInicio_; }
    void setSelStart(int i) { Asigna(selInicio_, i); }
    int SelLength() const { return selLargo_; }
    void setSelLength(int n) { Asigna(selLargo_, n); }

    const QString& DataField() const { return campo_; }
    void setDataField(const QString& c) { Asigna(campo_, c); }
    const QString& Tag() const { return tag_; }
    void setTag(const QString& t) { Asigna(tag_, t); }
    int MaxLength() const { return largoMaximo_; }
    void setMaxLength(int n) { Asigna(largoMaximo_, n); }

private:
    QString nombre_;
    QString texto_;
    bool visible_ = true;
    bool habilitada_ = true;
    int colorLetra_ = -1;
    int colorFondo_ = -1;
    int selInicio_ = 0;
    int selLargo_ = 0;
    QString campo_;
    QString tag_;
    int largoMaximo_ = 0;
};

#pragma once

#include <QString>
#include <functional>
#include <vector>

// The system's tab control: tabs numbered from 0, each with a caption and a visibility, and the
// current tab. A tab index out of range raises 381.
class Pestanas {
public:
    explicit Pestanas(int tabs = 3);

    int Tabs() const { return int(tabs_.size()); }
    void setTabs(int n); // keeps the existing tabs; new ones visible, captioned "Tab n"

    bool TabVisible(int i) const;
    void setTabVisible(int i, bool v);
    const QString& TabCaption(int i) const;
    void setTabCaption(int i, const QString& c);

    int Tab() const { return actual_; }
    void setTab(int i);

    // Called after every change, for the view.
    std::function<void()> alCambiar;

private:
    struct Pestana {
        QString titulo;
        bool visible = true;
    };
    void Comprueba(int i) const;
    void Cambio();

    std::vector<Pestana> tabs_;
    int actual_ = 0;
};

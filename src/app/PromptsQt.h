#pragma once

#include "app/Seams.h"

#include <QPointer>
#include <QWidget>

namespace app {

// Message and input boxes of the desktop, over the given parent window.
class QtPrompts : public Prompts {
public:
    void setParent(QWidget *parent) { m_parent = parent; }
    int messageBox(const QString &text, const QString &title, Buttons buttons) override;
    QString inputBox(const QString &prompt, const QString &title) override;
    void beep() override;

private:
    QPointer<QWidget> m_parent;
};

class QtClipboard : public Clipboard {
public:
    void clear() override;
    QString text() const override;
    void setText(const QString &text) override;
};

// Twips (1440 per inch) and pixels at the screen's logical resolution.
double twipsPerPixel(const QWidget *w = nullptr);

} // namespace app

#pragma once

#include "app/ScreenUnitsUi.h"
#include "app/Seams.h"

#include <QPointer>
#include <QWidget>

namespace app {

// Message and input boxes of the desktop, over the given parent window.
class QtPrompts : public Prompts {
public:
    void setParent(QWidget *parent) { m_parent = parent; }
    // Where the file dialog opens.
    void setFileDialogFolder(const QString &folder) { m_folder = folder; }
    int messageBox(const QString &text, const QString &title, Buttons buttons) override;
    QString inputBox(const QString &prompt, const QString &title) override;
    void beep() override;
    QString saveFileDialog(const QString &title, const QString &pattern,
                           const QString &initialName) override;
    std::optional<qint32> colorDialog(const QString &title) override;

private:
    QPointer<QWidget> m_parent;
    QString m_folder;
};

class QtClipboard : public Clipboard {
public:
    void clear() override;
    QString text() const override;
    void setText(const QString &text) override;
};

} // namespace app

#pragma once

#include "app/Seams.h"

#include <QStringList>

namespace app {

// Answers prompts from a script instead of asking: message boxes get the next scripted
// answer (OK when none is left), input boxes the next scripted text ("" when none).
// Everything shown is recorded, and with echo also written to standard error.
class ScriptedPrompts : public Prompts {
public:
    explicit ScriptedPrompts(bool echo = false) : m_echo(echo) {}

    QList<int> answers;
    QStringList inputs;
    QStringList shown; // "title: text" of every message, input box and dialog, in order
    int beeps = 0;
    // Answers of the file and colour dialogs, in order; a dialog with no answer left is
    // cancelled (the file dialog then returns its pattern).
    QStringList fileNames;
    QList<std::optional<qint32>> colors;

    int messageBox(const QString &text, const QString &title, Buttons buttons) override;
    QString inputBox(const QString &prompt, const QString &title) override;
    void beep() override { ++beeps; }
    QString saveFileDialog(const QString &title, const QString &pattern,
                           const QString &initialName) override;
    std::optional<qint32> colorDialog(const QString &title) override;

private:
    bool m_echo;
};

} // namespace app

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
    QStringList shown; // "title: text" of every message and input box, in order
    int beeps = 0;

    int messageBox(const QString &text, const QString &title, Buttons buttons) override;
    QString inputBox(const QString &prompt, const QString &title) override;
    void beep() override { ++beeps; }

private:
    bool m_echo;
};

} // namespace app

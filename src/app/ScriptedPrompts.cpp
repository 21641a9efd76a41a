#include "app/ScriptedPrompts.h"

#include <cstdio>

namespace app {

int ScriptedPrompts::messageBox(const QString &text, const QString &title, Buttons) {
    shown << title + QStringLiteral(": ") + text;
    if (m_echo)
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    return answers.isEmpty() ? AnswerOk : answers.takeFirst();
}

QString ScriptedPrompts::inputBox(const QString &prompt, const QString &title) {
    shown << title + QStringLiteral(": ") + prompt;
    return inputs.isEmpty() ? QString() : inputs.takeFirst();
}

} // namespace app

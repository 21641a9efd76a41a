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

QString ScriptedPrompts::saveFileDialog(const QString &title, const QString &pattern,
                                        const QString &initialName) {
    shown << title + QStringLiteral(": ") + pattern + u' ' + initialName;
    return fileNames.isEmpty() ? pattern : fileNames.takeFirst();
}

std::optional<qint32> ScriptedPrompts::colorDialog(const QString &title) {
    shown << title + QStringLiteral(": colour");
    return colors.isEmpty() ? std::nullopt : colors.takeFirst();
}

} // namespace app

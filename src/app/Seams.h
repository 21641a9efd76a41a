#pragma once

#include <QDateTime>
#include <QString>

namespace app {

// Message box buttons and answers, with the codes Basic programs know them by.
enum class Buttons { Ok, OkCancel, YesNo };
enum Answer : int { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

// Questions and messages for the user; tests answer them from a script.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual int messageBox(const QString &text, const QString &title, Buttons buttons) = 0;
    // The typed text; "" on Cancel.
    virtual QString inputBox(const QString &prompt, const QString &title) = 0;
    virtual void beep() = 0;
};

// The local date and time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime localNow() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime localNow() const override { return QDateTime::currentDateTime(); }
};

// The system clipboard, plain text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual QString text() const = 0;
    virtual void setText(const QString &text) = 0;
};

} // namespace app

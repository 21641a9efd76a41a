#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

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
    // The save-kind file dialog, opening in the program's folder: the chosen full path, or the
    // pattern itself ("*.log") when cancelled.
    virtual QString saveFileDialog(const QString &title, const QString &pattern,
                                   const QString &initialName) = 0;
    // The colour dialog, opened out: the chosen colour as red + 256 * green + 65536 * blue,
    // nothing when cancelled.
    virtual std::optional<qint32> colorDialog(const QString &title) = 0;
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
    // False while a change of the clipboard is still being read (text() is then the content
    // before it); a reader that never lags is always settled.
    virtual bool settled() const { return true; }
    // Gives a read in progress up to maxMs to finish: a short wait, for the one moment that
    // must not miss a message.
    virtual void waitSettled(int maxMs) { (void)maxMs; }
};

// The files the program writes itself (the log), where a failure must be testable.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool exists(const QString &path) const = 0;
    // Length in bytes; 0 for a missing file.
    virtual qint64 length(const QString &path) const = 0;
    // Appends text as UTF-8 and flushes it to disk. On failure returns false and sets error to
    // the system's reason ("No space left on device"); the file is left as it was before.
    virtual bool append(const QString &path, const QString &text, QString &error) = 0;
    // Puts text in place of the file's content, whole or not at all; false with the reason.
    virtual bool replace(const QString &path, const QString &text, QString &error) = 0;
    // The file's text; nothing when it cannot be read.
    virtual std::optional<QString> read(const QString &path) const = 0;
    virtual void remove(const QString &path) = 0;
};

} // namespace app

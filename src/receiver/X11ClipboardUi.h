#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace receiver {

// The CLIPBOARD text as last read; generation counts the changes of owner the X server told of.
struct SelectionText {
    quint64 generation = 0;
    QString text;
};

// The X11 CLIPBOARD on a connection and a thread of its own, so that an owner that is slow or
// never answers cannot hold up a window. Each change is read once, and only its first
// HeadBytes; an owner that answers neither of two requests within AnswerMs is given up until
// the clipboard changes again. Texts of our own are put there and handed out from here too:
// Qt would stamp them with the time of its last event, and the server ignores a new owner
// older than the current one.
class X11Clipboard {
public:
    static constexpr int HeadBytes = 4096;
    static constexpr int AnswerMs = 1000;

    // Null when no X server can be reached. onRead runs on the clipboard's thread after each read.
    static std::unique_ptr<X11Clipboard> connect(std::function<void()> onRead);
    ~X11Clipboard();

    SelectionText latest() const;
    // The changes seen so far, read or not.
    quint64 seenGeneration() const;
    // Every change seen has been read.
    bool settled() const;
    // Drops the selection, unless it changed after that generation.
    void clearIf(quint64 generation);
    // Takes the selection with this text.
    void own(const QString &text);

    class Worker;

private:
    explicit X11Clipboard(std::unique_ptr<Worker> worker);
    std::unique_ptr<Worker> m_worker;
};

} // namespace receiver

#pragma once

#include "app/Seams.h"

#include <QObject>

#include <memory>
#include <optional>

namespace receiver {

class X11Clipboard;

// The system clipboard, read only after it changed and never on the window's thread. On X11
// every read is a conversation with the text's owner, which may be slow or never answer: an
// X11Clipboard reads each change on a thread of its own, text() gives what it read last, and
// settled() tells whether a change is still being read. Elsewhere Qt tells of every change of
// owner, and until then the text read last still holds.
class WatchedClipboard : public QObject, public app::Clipboard {
    Q_OBJECT
public:
    explicit WatchedClipboard(QObject *parent = nullptr);
    ~WatchedClipboard() override;

    void clear() override;
    QString text() const override;
    void setText(const QString &text) override;
    bool settled() const override;
    void waitSettled(int maxMs) override;

    int reads() const { return m_reads; } // system reads so far, where Qt reads

signals:
    // A change of the clipboard was read.
    void changed();

private:
    QString x11Text() const;

    std::unique_ptr<X11Clipboard> m_x11;
    // On X11: the reads up to m_consumed were cleared here; m_own was written here and has not
    // been read back (reads up to m_ownAfter are older than it).
    mutable quint64 m_shown = 0;
    quint64 m_consumed = 0;
    std::optional<QString> m_own;
    quint64 m_ownAfter = 0;
    std::optional<quint64> m_clearLater;
    // Elsewhere.
    mutable QString m_text;
    mutable bool m_stale = true;
    mutable bool m_ownText = false; // the last text is ours and we owned the clipboard
    mutable int m_reads = 0;
};

} // namespace receiver

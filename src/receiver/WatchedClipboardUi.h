#pragma once

#include "app/Seams.h"

#include <QObject>

namespace receiver {

// The system clipboard, read only after it changed. On X11 every read of a text owned by
// another program is a round trip to that program (and a wait for it), so a poll that read on
// every tick would cost the whole foreign text each time; Qt tells of every change of owner
// (XFixes on X11, the data device on Wayland), and until then the text read last still holds.
class WatchedClipboard : public QObject, public app::Clipboard {
    Q_OBJECT
public:
    explicit WatchedClipboard(QObject *parent = nullptr);

    void clear() override;
    QString text() const override;
    void setText(const QString &text) override;

    int reads() const { return m_reads; } // system reads so far

private:
    mutable QString m_text;
    mutable bool m_stale = true;
    mutable bool m_ownText = false; // the last text is ours and we owned the clipboard
    mutable int m_reads = 0;
};

} // namespace receiver

#include "receiver/WatchedClipboardUi.h"

#include <QClipboard>
#include <QGuiApplication>

namespace receiver {

WatchedClipboard::WatchedClipboard(QObject *parent) : QObject(parent) {
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [this](QClipboard::Mode m) {
        if (m == QClipboard::Clipboard)
            m_stale = true;
    });
}

void WatchedClipboard::clear() {
    QGuiApplication::clipboard()->clear();
    m_text.clear();
    m_stale = false;
    m_ownText = false;
}

QString WatchedClipboard::text() const {
    // Qt drops a change notice whose time stamp is not later than our own last write, which
    // happens when the other program answers at once; losing ownership is always told.
    if (m_ownText && !QGuiApplication::clipboard()->ownsClipboard())
        m_stale = true;
    if (m_stale) {
        m_text = QGuiApplication::clipboard()->text();
        m_stale = false;
        m_ownText = false;
        ++m_reads;
    }
    return m_text;
}

void WatchedClipboard::setText(const QString &text) {
    QGuiApplication::clipboard()->setText(text);
    m_text = text;
    m_stale = false;
    m_ownText = true;
}

} // namespace receiver

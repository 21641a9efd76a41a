#include "receiver/WatchedClipboardUi.h"

#include "receiver/X11ClipboardUi.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

namespace receiver {

WatchedClipboard::WatchedClipboard(QObject *parent) : QObject(parent) {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        m_x11 = X11Clipboard::connect([this] {
            QMetaObject::invokeMethod(this, &WatchedClipboard::changed, Qt::QueuedConnection);
        });
    if (m_x11)
        return;
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [this](QClipboard::Mode m) {
        if (m == QClipboard::Clipboard)
            m_stale = true;
    });
}

WatchedClipboard::~WatchedClipboard() {
    m_x11.reset(); // its thread ends before this object does
}

void WatchedClipboard::clear() {
    if (m_x11) {
        // Only what was shown is cleared: a newer text, read or not, stays.
        m_consumed = m_shown ? m_shown : m_x11->seenGeneration();
        m_own.reset();
        // A write that follows at once replaces the text anyway, and must not be cleared.
        m_clearLater = m_consumed;
        QTimer::singleShot(0, this, [this] {
            if (m_clearLater)
                m_x11->clearIf(*m_clearLater);
            m_clearLater.reset();
        });
        return;
    }
    QGuiApplication::clipboard()->clear();
    m_text.clear();
    m_stale = false;
    m_ownText = false;
}

QString WatchedClipboard::x11Text() const {
    const SelectionText read = m_x11->latest();
    if (m_own && read.generation <= m_ownAfter)
        return *m_own;
    m_shown = read.generation;
    return read.generation <= m_consumed ? QString() : read.text;
}

QString WatchedClipboard::text() const {
    if (m_x11)
        return x11Text();
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
    if (m_x11) {
        m_clearLater.reset();
        m_own = text;
        m_ownAfter = m_x11->seenGeneration();
        m_x11->own(text);
        return;
    }
    QGuiApplication::clipboard()->setText(text);
    m_text = text;
    m_stale = false;
    m_ownText = true;
}

bool WatchedClipboard::settled() const {
    return !m_x11 || m_x11->settled();
}

void WatchedClipboard::waitSettled(int maxMs) {
    QElapsedTimer waited;
    waited.start();
    while (!settled() && waited.elapsed() < maxMs)
        QThread::msleep(2);
}

} // namespace receiver

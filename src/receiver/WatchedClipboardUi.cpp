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
}

QString WatchedClipboard::text() const {
    if (m_stale) {
        m_text = QGuiApplication::clipboard()->text();
        m_stale = false;
        ++m_reads;
    }
    return m_text;
}

void WatchedClipboard::setText(const QString &text) {
    QGuiApplication::clipboard()->setText(text);
    m_text = text;
    m_stale = false;
}

} // namespace receiver

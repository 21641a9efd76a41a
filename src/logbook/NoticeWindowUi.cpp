#include "logbook/NoticeWindowUi.h"

#include "app/ScreenUnitsUi.h"

#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace logbook {

QString noticeCaption(bool logOn) {
    return logOn ? QStringLiteral(" Logging is ON!") : QStringLiteral(" Logging is OFF!");
}

QPoint noticePlace(const QRect &w) {
    return {w.left() + w.width() / 2, w.top() + w.height() / 4};
}

FrmNotify::FrmNotify(const QString &logNotice, bool logOn, const QRect &mainWindow, int backRgb,
                     int foreRgb, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_text(new QLineEdit(logNotice, this)) {
    setObjectName(QStringLiteral("FrmNotify"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(noticeCaption(logOn));
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setAccessibleName(QStringLiteral("Log notice"));
    m_text->setReadOnly(true);
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, app::colorFromRgb24(backRgb));
    palette.setColor(QPalette::Text, app::colorFromRgb24(foreRgb));
    m_text->setPalette(palette);
    m_text->setMinimumWidth(
        m_text->fontMetrics().horizontalAdvance(logNotice + QStringLiteral("  ")) + 8);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    move(noticePlace(mainWindow));
    QTimer::singleShot(NoticeMilliseconds, this, &QWidget::close);
}

FrmNotify *FrmNotify::showNotice(const QString &logNotice, bool logOn, const QRect &mainWindow,
                                 int backRgb, int foreRgb, QWidget *parent) {
    auto *notice = new FrmNotify(logNotice, logOn, mainWindow, backRgb, foreRgb, parent);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->show();
    return notice;
}

} // namespace logbook

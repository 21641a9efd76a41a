#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

class QLineEdit;

namespace logbook {

inline constexpr int NoticeMilliseconds = 2000;

// " Logging is ON!" or " Logging is OFF!".
QString noticeCaption(bool logOn);
// Top a quarter down the main window, left at its middle.
QPoint noticePlace(const QRect &mainWindow);

// FrmNotify: shows LogNotice for two seconds beside the main window and closes itself; it
// never blocks the window that opened it.
class FrmNotify : public QWidget {
    Q_OBJECT
public:
    FrmNotify(const QString &logNotice, bool logOn, const QRect &mainWindow, int backRgb,
              int foreRgb, QWidget *parent = nullptr);

    QLineEdit *text1() const { return m_text; }

    // Creates the notice, shows it and leaves it to delete itself.
    static FrmNotify *showNotice(const QString &logNotice, bool logOn, const QRect &mainWindow,
                                 int backRgb, int foreRgb, QWidget *parent);

private:
    QLineEdit *m_text;
};

} // namespace logbook

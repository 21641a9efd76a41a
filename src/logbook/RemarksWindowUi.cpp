#include "logbook/RemarksWindowUi.h"

#include "app/ScreenUnitsUi.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

namespace logbook {

namespace {

const QString SinpoHint = QStringLiteral("Enter confirms");

// The design in twips, grown with the desktop's font.
int px(double twips) {
    return app::twipsToPixels(twips * app::desktopFontScale());
}

int keyCode(const QKeyEvent *key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyEnter;
    case Qt::Key_Escape:
        return KeyEscape;
    default:
        return 0;
    }
}

void colour(QWidget *box, int backRgb, int foreRgb) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, app::colorFromRgb24(backRgb));
    palette.setColor(QPalette::Text, app::colorFromRgb24(foreRgb));
    box->setPalette(palette);
}

} // namespace

FrmRemarks::FrmRemarks(bool sinpoPrompt, QString &sinpoStr, QString &logEntry, int backRgb,
                       int foreRgb, const QString &meter, QWidget *parent)
    : QDialog(parent), m_entry(sinpoPrompt, sinpoStr, logEntry, meter),
      m_sinpo(new QLineEdit(this)), m_remarks(new QPlainTextEdit(this)),
      m_sinpoLabel(new QLabel(QStringLiteral("SINPO:"), this)),
      m_sinpoHint(new QLabel(SinpoHint, this)), m_hint(new QLabel(m_entry.hintLine(), this)) {
    setObjectName(QStringLiteral("FrmRemarks"));
    setWindowTitle(QStringLiteral("Enter any Remarks"));
    m_sinpo->setObjectName(QStringLiteral("Text0"));
    m_remarks->setObjectName(QStringLiteral("Text1"));
    m_sinpoLabel->setBuddy(m_sinpo);
    m_remarks->setAccessibleName(QStringLiteral("Remarks"));
    m_sinpo->setMaxLength(SinpoLimit);
    m_sinpo->setText(m_entry.sinpoStart());
    m_sinpo->setToolTip(QStringLiteral("Confirm the code with Enter: a code not confirmed is not "
                                       "written"));
    m_remarks->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_remarks->setTabChangesFocus(true);
    for (QWidget *box : {static_cast<QWidget *>(m_sinpo), static_cast<QWidget *>(m_remarks)}) {
        colour(box, backRgb, foreRgb);
        box->installEventFilter(this);
    }
    connect(m_remarks, &QPlainTextEdit::textChanged, this, &FrmRemarks::keepRemarksWithinLimit);
    layOut(remarksLayout(sinpoPrompt));
}

void FrmRemarks::layOut(const RemarksLayout &layout) {
    // Wide enough for the hint in the desktop's font.
    const int width = std::max(px(3240), px(120) + m_hint->sizeHint().width() + px(120));
    setFixedSize(width, px(layout.windowHeight - 400));
    m_sinpo->setGeometry(px(940), px(60), px(700), px(285));
    m_sinpoLabel->move(px(280), px(120));
    m_sinpoHint->move(px(1700), px(120));
    m_remarks->setGeometry(px(180), px(layout.remarksTop), px(2775), px(735));
    m_hint->move(px(120), px(layout.hintTop));
    m_sinpo->setVisible(layout.sinpoVisible);
    m_sinpoLabel->setVisible(layout.sinpoVisible);
    m_sinpoHint->setVisible(layout.sinpoVisible);
    m_remarks->raise();
}

void FrmRemarks::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (m_entry.focusOnSinpo())
        m_sinpo->setFocus();
    else
        m_remarks->setFocus();
}

void FrmRemarks::keepRemarksWithinLimit() {
    const QString text = m_remarks->toPlainText();
    const QString fitted = m_entry.fitRemarks(text);
    if (fitted == text)
        return;
    m_remarks->setPlainText(fitted);
    m_remarks->moveCursor(QTextCursor::End);
}

bool FrmRemarks::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_sinpo && event->type() == QEvent::FocusIn) {
        // A tab focus, given whenever the window becomes active, selects the box's text: the
        // S digit would go with the first key. Queued, the cursor goes after it once the box
        // has done its own focus handling.
        QMetaObject::invokeMethod(
            m_sinpo, [box = m_sinpo] { box->end(false); }, Qt::QueuedConnection);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = keyCode(static_cast<QKeyEvent *>(event));
    if (key == 0)
        return false;
    if (watched == m_sinpo) {
        const KeyOutcome outcome = m_entry.sinpoKey(key, m_sinpo->text());
        if (outcome == KeyOutcome::Swallow) {
            keepRemarksWithinLimit();
            m_remarks->setFocus();
        }
        apply(outcome);
        return true;
    }
    apply(m_entry.remarksKey(key, m_sinpo->text(), m_remarks->toPlainText()));
    return true;
}

void FrmRemarks::apply(KeyOutcome outcome) {
    if (outcome == KeyOutcome::Close)
        accept();
}

} // namespace logbook

#include "schedule/FilterStatusWindow.h"

#include "app/ScreenUnitsUi.h"
#include "schedule/ClearFilter.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace schedule {

FilterStatusWindow::FilterStatusWindow(const app::ProgramState &state, const QWidget &mainWindow,
                                       QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::Tool), m_text(new QPlainTextEdit) {
    setObjectName(QStringLiteral("FrmFilter"));
    setWindowTitle(QStringLiteral("Filter Settings"));
    setAttribute(Qt::WA_ShowWithoutActivating); // the mouse stays on the held button
    m_text->setObjectName(QStringLiteral("FilText"));
    m_text->setAccessibleName(QStringLiteral("Filter Settings"));
    m_text->setReadOnly(true);
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, app::colorFromRgb24(int(state.BackColor)));
    palette.setColor(QPalette::Text, app::colorFromRgb24(int(state.Forecolor)));
    m_text->setPalette(palette);
    m_text->setPlainText(
        filterStatusText(state).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    const QRect frame = mainWindow.frameGeometry();
    move(frame.left() + frame.width() / 4, frame.top());
}

QString FilterStatusWindow::text() const {
    return m_text->toPlainText();
}

FilterStatusPopup::~FilterStatusPopup() = default;

void FilterStatusPopup::CmdFilter_MouseDown() {
    m_window = std::make_unique<FilterStatusWindow>(m_state, m_mainWindow);
    m_window->show();
}

void FilterStatusPopup::CmdFilter_MouseUp() {
    m_window.reset();
}

} // namespace schedule

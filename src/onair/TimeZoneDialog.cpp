#include "onair/TimeZoneDialog.h"

#include "app/Conversions.h"
#include "app/ScreenUnitsUi.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace onair {

TimeZoneDialog::TimeZoneDialog(app::ProgramState &state, QWidget *parent)
    : QDialog(parent), m_state(state), m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("FrmTZSelect"));
    setWindowTitle(QStringLiteral("Select Timezone"));
    auto *label = new QLabel(QStringLiteral(" Hours from UTC "), this);
    label->setObjectName(QStringLiteral("Label1"));
    m_list->setObjectName(QStringLiteral("List1"));
    label->setBuddy(m_list);
    m_list->setAccessibleName(QStringLiteral("Hours from UTC"));
    const bool tips = app::parseFlag(state.DoTips).value_or(true);
    if (tips)
        m_list->setToolTip(QStringLiteral(" Set to Your TimeZone "));
    auto *done = new QPushButton(QStringLiteral("&Done"), this);
    done->setObjectName(QStringLiteral("CmdDone"));
    if (tips)
        done->setToolTip(QStringLiteral(" Click Here when Done "));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    layout->addWidget(done);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
    // Picking the entry already selected must set the time zone too.
    connect(m_list, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(done, &QPushButton::clicked, this, &TimeZoneDialog::CmdDone_Click);
}

void TimeZoneDialog::Form_Load() {
    m_TZLoading = true;
    m_list->clear();
    const QList<TimeZoneEntry> entries = timeZoneEntries();
    for (const TimeZoneEntry &entry : entries) {
        auto *item = new QListWidgetItem(entry.text, m_list);
        item->setData(Qt::UserRole, entry.hours);
    }
    m_list->setCurrentRow(preselectedTimeZoneRow(entries, m_state.TimeZone));
    m_TZLoading = false;
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Base, app::colorFromRgb24(int(m_state.BackColor)));
    palette.setColor(QPalette::Text, app::colorFromRgb24(int(m_state.Forecolor)));
    m_list->setPalette(palette);
}

void TimeZoneDialog::List1_Click() {
    if (m_TZLoading || !m_list->currentItem())
        return;
    m_state.TimeZone = m_list->currentItem()->data(Qt::UserRole).toDouble();
}

void TimeZoneDialog::CmdDone_Click() {
    close();
}

} // namespace onair

// The "View" menu and "My Location…": the map and the band chart follow the grid.
#include "mainwindow/DisplayFormPortUi.h"
#include "mainwindow/DisplayWindow.h"
#include "mainwindow/ScheduleGridWidget.h"
#include "map/PictureWindows.h"

#include <QMenu>

namespace mainwindow {

map::PictureWindows &DisplayForm::pictures() {
    if (!m_pictures)
        m_pictures = std::make_unique<map::PictureWindows>(*m_port, this);
    return *m_pictures;
}

void DisplayForm::buildViewMenu() {
    QMenu *view = addMenu(nullptr, QStringLiteral("&View"), QStringLiteral("View"));
    addItem(view, QStringLiteral("&Map"), QStringLiteral("ShowMap"), [this] { Map_Click(); });
    addItem(view, QStringLiteral("&Band Chart"), QStringLiteral("ShowBandChart"),
            [this] { BandChart_Click(); });
    if (auto *options = findChild<QMenu *>(QStringLiteral("SO1")))
        addItem(options, QStringLiteral("My Location…"), QStringLiteral("MyLocation"),
                [this] { MyLocation_Click(); });
    connect(m_grid, &ScheduleGridWidget::refreshed, this, [this] { picturesFollowSoon(); });
    connect(m_grid, &ScheduleGridWidget::currentRowChanged, this, [this] { picturesFollowSoon(); });
}

// The map and the band chart follow the grid and the clock in an event of their own, once for
// all the changes of one event: the tick and the grid never wait for them.
void DisplayForm::picturesFollowSoon() {
    if (!m_pictures || m_picturesFollowPending)
        return;
    m_picturesFollowPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_picturesFollowPending = false;
            m_pictures->gridChanged();
        },
        Qt::QueuedConnection);
}

void DisplayForm::Map_Click() {
    pictures().Map_Click();
}
void DisplayForm::BandChart_Click() {
    pictures().BandChart_Click();
}
void DisplayForm::MyLocation_Click() {
    pictures().MyLocation_Click();
}

} // namespace mainwindow

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
    auto follow = [this] {
        if (m_pictures)
            m_pictures->gridChanged();
    };
    connect(m_grid, &ScheduleGridWidget::refreshed, this, follow);
    connect(m_grid, &ScheduleGridWidget::currentRowChanged, this, follow);
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

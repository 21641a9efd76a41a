#include "mainwindow/DisplayWindow.h"

#include "app/Conversions.h"
#include "app/PromptsQt.h"
#include "app/Settings.h"

#include <QCloseEvent>
#include <QMenuBar>

#include <cmath>

namespace mainwindow {

namespace {

// Column widths of the grid for saving; none until the grid exists.
class WindowSaveContext : public app::SaveContext {
public:
    explicit WindowSaveContext(const DisplayForm &form) : m_form(form) {}
    double formHeightTwips() const override { return m_form.heightTwips(); }
    double formWidthTwips() const override { return m_form.widthTwips(); }
    int gridColumnCount() const override { return 0; }
    double gridColumnWidthTwips(int) const override { return 0; }

private:
    const DisplayForm &m_form;
};

} // namespace

DisplayForm::DisplayForm(app::Services services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_state(services.state) {
    setObjectName(QStringLiteral("DisplayForm"));
    setWindowTitle(QStringLiteral("Skedwise"));
    buildMenus();
}

DisplayForm::~DisplayForm() = default;

void DisplayForm::buildMenus() {
    QAction *exitNow = menuBar()->addAction(QStringLiteral("Exit"));
    exitNow->setObjectName(QStringLiteral("ExitNow"));
    connect(exitNow, &QAction::triggered, this, &DisplayForm::ExitNow_Click);
}

void DisplayForm::Form_Load() {
    m_state.SelStationID = 0;
    m_state.WhereStr.clear();
    m_state.QueryNot.clear();
    m_state.ExitFlag = false;
    m_state.FindType = 0;
    placeWindow();
}

void DisplayForm::placeWindow() {
    const double tpp = app::twipsPerPixel(this);
    const int height = int(app::leadingNumber(m_state.FormHeight) / tpp);
    const int width = int(m_state.FormWidth / tpp);
    resize(std::max(width, 200), std::max(height, 100));
    move(int(m_state.FormLeft / tpp), int(app::leadingNumber(m_state.FormTop) / tpp));
}

double DisplayForm::topTwips() const { return frameGeometry().top() * app::twipsPerPixel(this); }
double DisplayForm::leftTwips() const {
    return frameGeometry().left() * app::twipsPerPixel(this);
}
double DisplayForm::heightTwips() const {
    return std::round(frameGeometry().height() * app::twipsPerPixel(this));
}
double DisplayForm::widthTwips() const {
    return std::round(frameGeometry().width() * app::twipsPerPixel(this));
}

void DisplayForm::saveSettings() {
    app::SaveSettings(m_state, m_services.store, WindowSaveContext(*this));
}

void DisplayForm::ExitNow_Click() {
    m_state.FormTop = app::realText(std::round(topTwips()));
    m_state.FormLeft = app::roundToInt16(leftTwips()).value_or(m_state.FormLeft);
    m_state.ExitFlag = true;
    saveSettings();
    close();
}

void DisplayForm::closeEvent(QCloseEvent *event) {
    if (!m_state.ExitFlag)
        saveSettings();
    m_state.ExitFlag = true; // saved once, whichever way the window closes
    event->accept();
    emit finished();
}

} // namespace mainwindow

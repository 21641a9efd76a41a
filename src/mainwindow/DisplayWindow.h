#pragma once

#include "app/Services.h"

#include <QMainWindow>

namespace mainwindow {

// The main window: the schedule grid, its buttons and menus.
class DisplayForm : public QMainWindow {
    Q_OBJECT
public:
    explicit DisplayForm(app::Services services, QWidget *parent = nullptr);
    ~DisplayForm() override;

    // The load handler: runs once before the window is first shown.
    void Form_Load();
    // "Exit": saves with the window's current top and left, then ends.
    void ExitNow_Click();

    // Position and size in twips.
    double topTwips() const;
    double leftTwips() const;
    double heightTwips() const;
    double widthTwips() const;

signals:
    void finished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void placeWindow();
    void saveSettings();

    app::Services m_services;
    app::ProgramState &m_state;
};

} // namespace mainwindow

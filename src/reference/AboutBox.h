#pragma once

#include <QDialog>

namespace reference {

// FrmAbout: the program's name, version and where the schedule database comes from.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
    void Command1_Click();
};

} // namespace reference

#include "reference/AboutBox.h"

#include "reference/AboutHelp.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace reference {

AboutBox::AboutBox(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(AboutCaption);
    setModal(true);
    auto *label = new QLabel(aboutText());
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutBox::Command1_Click);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void AboutBox::Command1_Click() {
    accept();
}

} // namespace reference

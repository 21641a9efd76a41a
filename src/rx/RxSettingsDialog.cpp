#include "rx/RxSettingsDialog.h"

#include "rx/Rx320Rig.h"
#include "rx/TciRig.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace rx {

RxSettingsDialog::RxSettingsDialog(const RigChoice &current, const QList<RigModel> &models,
                                   QWidget *parent)
    : QDialog(parent), m_model(new QComboBox), m_port(new QLineEdit), m_speed(new QComboBox) {
    setWindowTitle(QStringLiteral("Receiver Settings"));
    m_model->addItem(QStringLiteral("Ten-Tec RX-320 (16003, own driver)"), Rx320Rig::HamlibModel);
    m_model->addItem(QStringLiteral("Dummy rig, to try without a radio (1)"),
                     HamlibRig::DummyModel);
    m_model->addItem(QStringLiteral("rigctld over the network, host:port (2)"),
                     HamlibRig::NetModel);
    m_model->addItem(QStringLiteral("TCI (SunSDR, ANAN/Thetis, …), host:port"), TciRig::Model);
    for (const RigModel &m : models)
        if (m.model != Rx320Rig::HamlibModel && m.model > HamlibRig::NetModel)
            m_model->addItem(QStringLiteral("%1 %2 (%3)").arg(m.maker, m.name).arg(m.model),
                             m.model);
    m_model->setCurrentIndex(std::max(0, m_model->findData(current.model)));
    m_port->setText(current.port);
    m_port->setPlaceholderText(
        QStringLiteral("/dev/ttyUSB0, or 127.0.0.1:4532 (rigctld), 127.0.0.1:40001 (TCI)"));
    m_speed->addItem(QStringLiteral("model's default"), 0);
    for (int baud : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
        m_speed->addItem(QString::number(baud), baud);
    m_speed->setCurrentIndex(std::max(0, m_speed->findData(current.speed)));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Receiver:"), m_model);
    form->addRow(QStringLiteral("&Port:"), m_port);
    form->addRow(QStringLiteral("&Speed:"), m_speed);
    form->addRow(buttons);
}

RigChoice RxSettingsDialog::choice() const {
    return {m_model->currentData().toInt(), m_port->text().trimmed(),
            m_speed->currentData().toInt()};
}

} // namespace rx

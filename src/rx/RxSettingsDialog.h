#pragma once

#include "rx/HamlibRig.h"
#include "rx/RxOptions.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace rx {

// Chooses the receiver: the RX-320, the dummy rig, rigctld, or any model Hamlib knows; its
// port (or host:port) and speed.
class RxSettingsDialog : public QDialog {
    Q_OBJECT
public:
    RxSettingsDialog(const RigChoice &current, const QList<RigModel> &models,
                     QWidget *parent = nullptr);
    RigChoice choice() const;

private:
    QComboBox *m_model;
    QLineEdit *m_port;
    QComboBox *m_speed;
};

} // namespace rx

#pragma once

#include "rx/Rig.h"

#include <QList>

struct s_rig;

namespace rx {

struct RigModel {
    int model = 0;
    QString maker;
    QString name;
};

// Every model Hamlib knows, ordered by maker and name.
QList<RigModel> hamlibModels();

// Any receiver Hamlib drives: on a serial port at a speed, or rigctld over TCP (model 2,
// "host:port"), or the dummy rig (model 1).
class HamlibRig : public Rig {
public:
    static constexpr int DummyModel = 1;
    static constexpr int NetModel = 2;
    HamlibRig(int model, QString port, int speed);
    ~HamlibRig() override;
    QString describe() const override;
    bool open(QString &why) override;
    void close() override;
    bool setFrequency(double hz, QString &why) override;
    bool setMode(const QString &mode, int filterHz, QString &why) override;
    bool read(RigReading &reading, QString &why) override;
    bool reportsFrequency() const override { return true; }
    QStringList modes() const override;
    QList<int> filters() const override;
    double minHz() const override { return 1e3; }
    double maxHz() const override { return 100e9; }

private:
    QString failure(int code) const;
    bool check(int code, QString &why);

    int m_model;
    QString m_port;
    int m_speed;
    s_rig *m_rig = nullptr;
    bool m_open = false;
};

} // namespace rx

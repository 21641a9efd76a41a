#pragma once

#include <QString>
#include <QVector>

namespace geo {

// A broadcast band: its name in metres and its limits in kHz, both included.
struct Band {
    QString name;
    double lowKhz = 0;
    double highKhz = 0;
    bool contains(double khz) const { return khz >= lowKhz && khz <= highKhz; }
};

// The shortwave broadcast bands from 120 m to 11 m, longest first.
const QVector<Band> &broadcastBands();

// The index of the band holding khz, -1 when none does.
int bandOf(double khz);

} // namespace geo

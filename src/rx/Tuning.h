#pragma once

#include "rx/ClipboardLink.h"

#include <QList>
#include <QString>

namespace rx {

// The window's tuning handlers: typed frequencies, step buttons and the wheel, each tuned
// through the link so that the schedule hears of it.
class TuningPanel {
public:
    explicit TuningPanel(ClipboardLink &link) : m_link(link) {}
    static const QList<int> &steps(); // 10 Hz .. 100 kHz
    void chooseStep(int stepHz) { m_stepHz = stepHz; }
    int step() const { return m_stepHz; }
    // Each returns "" or the reason nothing was tuned.
    QString typed(const QString &kHzText);
    QString stepBy(int clicks);
    // A wheel turn in Qt's eighths of a degree; one notch is one step.
    QString wheel(int angleDelta);

private:
    QString tuneTo(double hz);

    ClipboardLink &m_link;
    int m_stepHz = 1000;
    int m_wheelRest = 0;
};

} // namespace rx

#include "rx/RigWorker.h"

#include <cmath>
#include <utility>

namespace rx {

RigWorker::RigWorker(std::unique_ptr<Rig> rig, int pollMs, int retryMs)
    : m_rig(std::move(rig)), m_retryMs(retryMs) {
    m_timer.setParent(this); // moves to the rig thread with the worker
    m_timer.setInterval(pollMs);
    connect(&m_timer, &QTimer::timeout, this, &RigWorker::step);
    m_state.minHz = m_rig->minHz();
    m_state.maxHz = m_rig->maxHz();
    m_state.modes = m_rig->modes();
    m_state.filters = m_rig->filters();
    m_state.line = QStringLiteral("connecting to %1").arg(m_rig->describe());
}

RigWorker::~RigWorker() {
    m_rig->close();
}

void RigWorker::start() {
    tryOpen();
    m_timer.start();
}

void RigWorker::stop() {
    m_timer.stop();
    m_rig->close();
}

void RigWorker::tune(double hz, quint64 ticket, const QString &mode) {
    m_pendingTune = PendingTune{hz, ticket};
    if (!mode.isEmpty() && mode.compare(m_state.mode, Qt::CaseInsensitive) != 0)
        m_pendingMode = PendingMode{mode, 0};
    else if (!mode.isEmpty())
        m_pendingMode.reset(); // the latest order wants the mode the receiver is in
    applySoon();
}

void RigWorker::setMode(const QString &mode, int filterHz) {
    m_pendingMode = PendingMode{mode, filterHz};
    applySoon();
}

// Orders that come faster than the receiver takes them are applied once, the latest: the ones
// queued meanwhile run first and only replace what is pending.
void RigWorker::applySoon() {
    if (m_applyQueued)
        return;
    m_applyQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_applyQueued = false;
            if (m_state.connected && applyPending())
                readBackOrPublish();
        },
        Qt::QueuedConnection);
}

// A mode just set is read back now; the frequency was reported already.
void RigWorker::readBackOrPublish() {
    if (m_modeToCheck.isEmpty())
        publish();
    else
        readRig();
}

void RigWorker::step() {
    if (m_state.connected && applyPending())
        readRig();
    else if (!m_sinceAttempt.isValid() || m_sinceAttempt.elapsed() >= m_retryMs)
        tryOpen();
}

void RigWorker::tryOpen() {
    m_sinceAttempt.start();
    QString why;
    if (!m_rig->open(why)) {
        lose(why);
        return;
    }
    m_state.connected = true;
    // Shown before a pending tune is carried out, so the listener sees what was set again.
    if (const std::optional<double> hz = m_rig->lastSetHz()) {
        m_state.hz = *hz;
        m_state.hzKnown = true;
        m_state.hzFromRig = false;
    }
    m_state.line = m_rig->reportsFrequency()
                       ? QStringLiteral("connected: %1").arg(m_rig->describe())
                       : QStringLiteral("connected: %1 (it cannot report its frequency or mode: "
                                        "showing what was last set)")
                             .arg(m_rig->describe());
    publish();
    if (applyPending())
        readRig();
}

void RigWorker::lose(const QString &why) {
    m_rig->close();
    m_state.connected = false;
    m_state.signalDb.reset();
    m_state.line = why + QStringLiteral(" (trying again every %1 s)").arg(m_retryMs / 1000.0);
    publish();
}

// A refused mode does not stop the tune: the frequency set tells whether the receiver is
// still there, and when it is not both wait for it to come back.
bool RigWorker::applyPending() {
    const QString modeRefused = applyPendingMode();
    QString why;
    if (m_pendingTune) {
        const PendingTune pending = *m_pendingTune;
        if (!m_rig->setFrequency(pending.hz, why)) {
            lose(why);
            return false;
        }
        m_pendingTune.reset();
        m_state.hz = pending.hz;
        m_state.hzKnown = true;
        m_state.hzFromRig = false;
        emit tuned(pending.hz, pending.ticket);
    }
    if (!modeRefused.isEmpty()) {
        emit modeProblem(
            QStringLiteral("Mode %1 not set: %2").arg(m_pendingMode->mode, modeRefused));
        m_pendingMode.reset();
    }
    return true;
}

// "" when set (or nothing to set), else why not; a refused mode stays pending.
QString RigWorker::applyPendingMode() {
    if (!m_pendingMode)
        return {};
    QString why;
    if (!m_rig->setMode(m_pendingMode->mode, m_pendingMode->filterHz, why))
        return why;
    m_state.mode = m_pendingMode->mode;
    m_state.filterHz = m_pendingMode->filterHz;
    m_modeToCheck = m_pendingMode->mode;
    m_pendingMode.reset();
    return {};
}

// Said once: some servers accept a mode and keep their own (gqrx behind rigctl).
void RigWorker::checkMode(const QString &modeRead) {
    const QString wanted = std::exchange(m_modeToCheck, QString());
    if (wanted.isEmpty() || modeRead.isEmpty() ||
        modeRead.compare(wanted, Qt::CaseInsensitive) == 0)
        return;
    emit modeProblem(
        QStringLiteral("Mode %1 did not take: the receiver is in %2").arg(wanted, modeRead));
}

void RigWorker::readRig() {
    RigReading reading;
    QString why;
    if (!m_rig->read(reading, why)) {
        lose(why);
        return;
    }
    if (reading.hz) {
        const bool moved = !m_state.hzKnown || std::abs(*reading.hz - m_state.hz) >= 1.0;
        m_state.hz = *reading.hz;
        m_state.hzKnown = true;
        m_state.hzFromRig = true;
        if (moved)
            emit rigMoved(*reading.hz);
    }
    checkMode(reading.mode);
    if (!reading.mode.isEmpty()) {
        m_state.mode = reading.mode;
        m_state.filterHz = reading.filterHz;
    }
    m_state.signalDb = reading.signalDb;
    publish();
}

} // namespace rx

#include "rx/RigWorker.h"

#include <cmath>

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

void RigWorker::tune(double hz, quint64 ticket) {
    m_pendingTune = PendingTune{hz, ticket};
    if (m_state.connected && applyPending())
        publish();
}

void RigWorker::setMode(const QString &mode, int filterHz) {
    m_pendingMode = PendingMode{mode, filterHz};
    if (m_state.connected && applyPending())
        publish();
}

void RigWorker::step() {
    if (m_state.connected)
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

bool RigWorker::applyPending() {
    QString why;
    if (m_pendingMode) {
        if (!m_rig->setMode(m_pendingMode->mode, m_pendingMode->filterHz, why)) {
            lose(why);
            return false;
        }
        m_state.mode = m_pendingMode->mode;
        m_state.filterHz = m_pendingMode->filterHz;
        m_pendingMode.reset();
    }
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
    return true;
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
    if (!reading.mode.isEmpty()) {
        m_state.mode = reading.mode;
        m_state.filterHz = reading.filterHz;
    }
    m_state.signalDb = reading.signalDb;
    publish();
}

} // namespace rx

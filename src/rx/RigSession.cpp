#include "rx/RigSession.h"

namespace rx {

RigSession::RigSession(int pollMs, int retryMs) : m_pollMs(pollMs), m_retryMs(retryMs) {
    qRegisterMetaType<rx::RigState>();
    m_thread.start();
}

RigSession::~RigSession() {
    // Events still queued for the rig thread are not run once it quits: stop the rig first,
    // on its own thread, and wait for it.
    if (RigWorker *worker = m_worker)
        QMetaObject::invokeMethod(
            worker, [worker] { worker->stop(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_worker;
}

void RigSession::finish() {
    if (!m_worker)
        return;
    RigWorker *old = m_worker;
    m_worker = nullptr;
    disconnect(old, nullptr, this, nullptr);
    // Closing the port may block on a dead line: that waits on the rig thread, not here.
    QMetaObject::invokeMethod(
        old,
        [old] {
            old->stop();
            old->deleteLater();
        },
        Qt::QueuedConnection);
}

void RigSession::replace(std::unique_ptr<Rig> rig) {
    finish();
    m_worker = new RigWorker(std::move(rig), m_pollMs, m_retryMs);
    m_worker->moveToThread(&m_thread);
    connect(m_worker, &RigWorker::stateChanged, this, &RigSession::stateChanged);
    connect(m_worker, &RigWorker::tuned, this, [this](double hz, quint64 ticket) {
        if (m_unconfirmed && m_unconfirmed->ticket == ticket)
            m_unconfirmed.reset();
        emit tuned(hz, ticket);
    });
    connect(m_worker, &RigWorker::rigMoved, this, &RigSession::rigMoved);
    connect(m_worker, &RigWorker::modeProblem, this, &RigSession::modeProblem);
    emit stateChanged(m_worker->state());
    RigWorker *worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker] { worker->start(); }, Qt::QueuedConnection);
    if (m_unconfirmed)
        tuneInMode(m_unconfirmed->hz, m_unconfirmed->mode, m_unconfirmed->ticket);
}

void RigSession::tune(double hz, quint64 ticket) {
    tuneInMode(hz, QString(), ticket);
}

void RigSession::tuneInMode(double hz, const QString &mode, quint64 ticket) {
    m_unconfirmed = Order{hz, ticket, mode};
    if (RigWorker *worker = m_worker)
        QMetaObject::invokeMethod(
            worker, [worker, hz, ticket, mode] { worker->tune(hz, ticket, mode); },
            Qt::QueuedConnection);
}

void RigSession::setMode(const QString &mode, int filterHz) {
    if (RigWorker *worker = m_worker)
        QMetaObject::invokeMethod(
            worker, [worker, mode, filterHz] { worker->setMode(mode, filterHz); },
            Qt::QueuedConnection);
}

} // namespace rx

#include "jet/IsolatedTableProvider.h"

#include "jet/TableStream.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <new>

namespace jet {

namespace {

QString shown(const QString &file) {
    return QDir::toNativeSeparators(file);
}

LoadOutcome failure(QString message) {
    return {nullptr, std::move(message)};
}

// One run of the worker: feeds its output to the decoder until the stream ends, the
// worker dies, or it stops making progress.
class WorkerRun {
public:
    WorkerRun(const QString &worker, IsolatedTableProvider::Limits limits)
        : m_worker(worker), m_limits(limits) {}
    ~WorkerRun() { stop(); }

    bool start(const QString &file, const QString &tableName);
    void pump();
    bool timedOut() const { return m_timedOut; }
    TableStreamDecoder &decoder() { return m_decoder; }

private:
    bool waitForBytes();
    void stop();

    QString m_worker;
    IsolatedTableProvider::Limits m_limits;
    QProcess m_process;
    TableStreamDecoder m_decoder;
    QElapsedTimer m_clock;
    bool m_timedOut = false;
};

bool WorkerRun::start(const QString &file, const QString &tableName) {
    m_process.setProgram(m_worker);
    m_process.setArguments({file, tableName});
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice()); // libmdb's warnings
    m_clock.start();
    m_process.start(QIODevice::ReadOnly);
    return m_process.waitForStarted(m_limits.stallMs);
}

// False when nothing more will come: the worker ended, or ran out of time.
bool WorkerRun::waitForBytes() {
    if (m_process.bytesAvailable() > 0)
        return true;
    const qint64 left = m_limits.overallMs - m_clock.elapsed();
    if (left <= 0) {
        m_timedOut = true;
        return false;
    }
    if (m_process.waitForReadyRead(int(std::min<qint64>(left, m_limits.stallMs))))
        return true;
    if (m_process.state() != QProcess::NotRunning)
        m_timedOut = true;
    return false;
}

void WorkerRun::pump() {
    while (m_decoder.state() == TableStreamDecoder::State::Reading) {
        if (!waitForBytes()) {
            m_decoder.feed(m_process.readAll());
            break;
        }
        m_decoder.feed(m_process.readAll());
    }
    if (!m_timedOut)
        m_decoder.endOfInput();
    stop();
}

void WorkerRun::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    if (m_decoder.state() == TableStreamDecoder::State::Reading || !m_process.waitForFinished(500))
        m_process.kill();
    m_process.waitForFinished(2000);
}

} // namespace

IsolatedTableProvider::IsolatedTableProvider(QString workerPath)
    : IsolatedTableProvider(std::move(workerPath), Limits{}) {}

IsolatedTableProvider::IsolatedTableProvider(QString workerPath, Limits limits)
    : m_worker(std::move(workerPath)), m_limits(limits) {}

QString IsolatedTableProvider::key(const QString &file, const QString &tableName) {
    return QFileInfo(file).absoluteFilePath() + u'\n' + tableName.toLower();
}

LoadOutcome IsolatedTableProvider::table(const QString &file, const QString &tableName) {
    const QFileInfo info(file);
    const QString k = key(file, tableName);
    const auto hit = m_cache.constFind(k);
    if (hit != m_cache.constEnd() && info.exists() == hit->exists &&
        (!hit->exists || (info.size() == hit->size && info.lastModified() == hit->modified)))
        return hit->outcome;
    LoadOutcome outcome;
    try {
        outcome = load(file, tableName);
    } catch (const std::bad_alloc &) {
        outcome = failure(QStringLiteral("The database %1 is too large to load.").arg(shown(file)));
    }
    m_cache.insert(k, Cached{outcome, info.exists(), info.size(), info.lastModified()});
    return outcome;
}

void IsolatedTableProvider::forget(const QString &file) {
    const QString prefix = QFileInfo(file).absoluteFilePath() + u'\n';
    m_cache.removeIf([&](const auto &entry) { return entry.key().startsWith(prefix); });
}

QString IsolatedTableProvider::message(ReadStatus status, const QString &file,
                                       const QString &tableName) {
    switch (status) {
    case ReadStatus::Ok:
        return {};
    case ReadStatus::NotFound:
        return QStringLiteral("The database file %1 was not found.").arg(shown(file));
    case ReadStatus::Unreadable:
        return QStringLiteral("The database file %1 cannot be opened for reading.")
            .arg(shown(file));
    case ReadStatus::NotAccess:
        return QStringLiteral("The file %1 is not an Access database.").arg(shown(file));
    case ReadStatus::NoTable:
        return QStringLiteral("The database %1 has no table %2.").arg(shown(file), tableName);
    case ReadStatus::Damaged:
        break;
    }
    return QStringLiteral("The database %1 is damaged or truncated and cannot be read.")
        .arg(shown(file));
}

LoadOutcome IsolatedTableProvider::load(const QString &file, const QString &tableName) {
    if (!QFileInfo::exists(file))
        return failure(message(ReadStatus::NotFound, file, tableName));
    WorkerRun run(m_worker, m_limits);
    if (!run.start(file, tableName))
        return failure(QStringLiteral("The database %1 cannot be read: the reader program %2 "
                                      "could not be started.")
                           .arg(shown(file), shown(m_worker)));
    run.pump();
    TableStreamDecoder &decoder = run.decoder();
    if (decoder.state() == TableStreamDecoder::State::Finished)
        return {std::shared_ptr<const Table>(decoder.takeTable()), {}};
    if (decoder.state() == TableStreamDecoder::State::Failed)
        return failure(message(decoder.failure(), file, tableName));
    if (run.timedOut())
        return failure(QStringLiteral("The database %1 is damaged or truncated: reading it did "
                                      "not finish in time.")
                           .arg(shown(file)));
    return failure(message(ReadStatus::Damaged, file, tableName));
}

} // namespace jet

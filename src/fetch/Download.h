#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryFile;
class QTimer;

namespace fetch {

struct Request {
    QUrl url;
    QString lastModified; // from the last fetch: sent as If-Modified-Since when not empty
    QString etag;         // sent as If-None-Match when not empty
    QString saveBeside;   // the file is saved in this file's folder, under a temporary name
    std::chrono::milliseconds stallLimit{30000}; // given up after this long without data
    qint64 maxBytes = 200LL * 1024 * 1024;
};

enum class Status { Fetched, NotModified, NotFound, Failed, Cancelled };

struct Result {
    Status status = Status::Failed;
    QString file; // the saved file when fetched; the caller removes it
    QString lastModified;
    QString etag;
    QString error; // what went wrong, in plain words, as one or two sentences
};

// received and total bytes (total -1 when the server does not say); false cancels.
using Progress = std::function<bool(qint64 received, qint64 total)>;

// One download over Qt Network: redirects followed, the system's proxy settings honoured, only
// a complete answer of the schedule kept. Works on the event loop of the thread that starts it.
class Download : public QObject {
public:
    Download(Request request, std::function<void(const Result &)> done, QObject *parent = nullptr);
    ~Download() override;
    void start(const Progress &progress = {});
    void cancel();

private:
    void onData();
    void reportProgress();
    void onFinished();
    void stop(const QString &error);
    Result outcome();

    Request m_request;
    std::function<void(const Result &)> m_done;
    Progress m_progress;
    QNetworkAccessManager *m_network = nullptr;
    QNetworkReply *m_reply = nullptr;
    QTimer *m_stall = nullptr;
    QTimer *m_poll = nullptr;
    std::unique_ptr<QTemporaryFile> m_file;
    qint64 m_received = 0;
    qint64 m_total = -1;
    bool m_cancelled = false;
    bool m_stalled = false;
    QString m_failure; // set when this side gave up (file not writable, too large)
};

// Fetches while running an event loop of its own on this thread; returns when done.
Result download(const Request &request, const Progress &progress = {});

} // namespace fetch

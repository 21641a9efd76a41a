#include "fetch/Download.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QTimer>

namespace fetch {

namespace {

constexpr int MaxRedirects = 10;
constexpr int ProgressPollMs = 200;

QString reasonOf(QNetworkReply::NetworkError error, const QString &fallback) {
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Host not found");
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Connection refused");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("The server closed the connection");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("Too many redirects (a redirect loop)");
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("Redirected from a secure address to one that is not");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("The secure connection failed");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
        return QStringLiteral("The proxy cannot be reached");
    default:
        return fallback;
    }
}

// Errors of the connection, the redirects or a proxy, as against an HTTP answer.
bool isNetworkError(QNetworkReply::NetworkError error) {
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

bool looksLikeWebPage(const QByteArray &contentType, const QString &path) {
    if (contentType.toLower().contains("text/html"))
        return true;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = f.read(512).trimmed().toLower();
    return start.startsWith("<!doctype html") || start.startsWith("<html");
}

} // namespace

Download::Download(Request request, std::function<void(const Result &)> done, QObject *parent)
    : QObject(parent), m_request(std::move(request)), m_done(std::move(done)) {}

Download::~Download() {
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void Download::start(const Progress &progress) {
    m_progress = progress;
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    const QFileInfo beside(m_request.saveBeside);
    m_file = std::make_unique<QTemporaryFile>(
        beside.absoluteDir().filePath(beside.fileName() + QStringLiteral(".download-XXXXXX")));
    m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(m_request.url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Skedwise/1.0"));
    if (!m_request.lastModified.isEmpty())
        request.setRawHeader("If-Modified-Since", m_request.lastModified.toLatin1());
    if (!m_request.etag.isEmpty())
        request.setRawHeader("If-None-Match", m_request.etag.toLatin1());
    m_stall = new QTimer(this);
    m_stall->setSingleShot(true);
    m_stall->setInterval(m_request.stallLimit);
    connect(m_stall, &QTimer::timeout, this, [this] {
        m_stalled = true;
        if (m_reply)
            m_reply->abort();
    });
    if (!m_file->open()) {
        m_failure = QStringLiteral("The download cannot be saved in %1: %2")
                        .arg(beside.absolutePath(), m_file->errorString());
        QTimer::singleShot(0, this, [this] { m_done(outcome()); });
        return;
    }
    if (m_progress) { // also while the server is silent, so that Cancel is there from the start
        m_poll = new QTimer(this);
        connect(m_poll, &QTimer::timeout, this, &Download::reportProgress);
        m_poll->start(ProgressPollMs);
    }
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &Download::onData);
    connect(m_reply, &QNetworkReply::metaDataChanged, m_stall, qOverload<>(&QTimer::start));
    connect(m_reply, &QNetworkReply::finished, this, &Download::onFinished);
    m_stall->start();
}

void Download::cancel() {
    m_cancelled = true;
    if (m_reply)
        m_reply->abort();
}

void Download::stop(const QString &error) {
    m_failure = error;
    m_reply->abort();
}

// Only a 200 answer's body is the schedule; others (304, 404, error pages) are not saved.
void Download::onData() {
    m_stall->start();
    const QByteArray bytes = m_reply->readAll();
    if (m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200)
        return;
    m_received += bytes.size();
    if (m_received > m_request.maxBytes)
        return stop(QStringLiteral("The file at %1 is larger than %2 MB.")
                        .arg(m_request.url.toDisplayString())
                        .arg(m_request.maxBytes / (1024 * 1024)));
    if (m_file->write(bytes) != bytes.size())
        return stop(QStringLiteral("The download cannot be saved in %1: %2")
                        .arg(QFileInfo(m_file->fileName()).absolutePath(), m_file->errorString()));
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    m_total = length.isValid() ? length.toLongLong() : -1;
    reportProgress();
}

void Download::reportProgress() {
    if (m_progress && !m_cancelled && !m_progress(m_received, m_total))
        cancel();
}

void Download::onFinished() {
    if (m_reply->bytesAvailable() > 0)
        onData();
    m_stall->stop();
    if (m_poll)
        m_poll->stop();
    const Result result = outcome();
    m_reply->deleteLater();
    m_reply = nullptr;
    m_done(result);
}

Result Download::outcome() {
    Result r;
    const QString host = m_request.url.host();
    const auto failed = [&](const QString &error) {
        r.status = Status::Failed;
        r.error = error;
        return r;
    };
    if (!m_failure.isEmpty())
        return failed(m_failure);
    if (m_cancelled) {
        r.status = Status::Cancelled;
        return r;
    }
    if (m_stalled)
        return failed(
            QStringLiteral("No answer from %1 for %2 seconds.")
                .arg(host)
                .arg(std::chrono::duration_cast<std::chrono::seconds>(m_request.stallLimit)
                         .count()));
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = m_reply->error();
    if (isNetworkError(error)) {
        const QString why = reasonOf(error, m_reply->errorString());
        if (status == 200 || error == QNetworkReply::RemoteHostClosedError)
            return failed(QStringLiteral("The download from %1 broke off: %2.").arg(host, why));
        if (error == QNetworkReply::TooManyRedirectsError ||
            error == QNetworkReply::InsecureRedirectError)
            return failed(QStringLiteral("The download from %1 failed: %2.").arg(host, why));
        return failed(QStringLiteral("No connection to %1: %2.").arg(host, why));
    }
    if (status == 304) {
        r.status = Status::NotModified;
        return r;
    }
    if (status == 404 || status == 410) {
        r.status = Status::NotFound;
        return r;
    }
    if (status != 200)
        return failed(
            QStringLiteral("%1 answered %2 %3 for %4.")
                .arg(host)
                .arg(status)
                .arg(m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString(),
                     m_reply->url().toDisplayString()));
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != m_received)
        return failed(QStringLiteral("The download from %1 broke off after %2 of %3 bytes.")
                          .arg(host)
                          .arg(m_received)
                          .arg(length.toLongLong()));
    if (!m_file->flush())
        return failed(
            QStringLiteral("The download cannot be saved: %1").arg(m_file->errorString()));
    if (looksLikeWebPage(m_reply->rawHeader("Content-Type"), m_file->fileName()))
        return failed(QStringLiteral("%1 sent a web page instead of the schedule (%2).")
                          .arg(host, m_reply->url().toDisplayString()));
    m_file->setAutoRemove(false);
    r.status = Status::Fetched;
    r.file = m_file->fileName();
    r.lastModified = QString::fromLatin1(m_reply->rawHeader("Last-Modified"));
    r.etag = QString::fromLatin1(m_reply->rawHeader("ETag"));
    m_file->close();
    return r;
}

Result download(const Request &request, const Progress &progress) {
    QEventLoop loop;
    Result result;
    Download d(request, [&](const Result &r) {
        result = r;
        loop.quit();
    });
    d.start(progress);
    loop.exec();
    return result;
}

} // namespace fetch

#include "export/AtomicFile.h"

#include "app/WriteTarget.h"

#include <QDir>

namespace exporting {

namespace {
constexpr qsizetype flushAt = 256 * 1024;
}

AtomicFile::AtomicFile(const QString &path) : m_file(path) {
    // Never fall back to writing the target in place: that could leave half a file.
    m_file.setDirectWriteFallback(false);
}

bool AtomicFile::open() {
    const app::WriteTarget target = app::resolveWriteTarget(m_file.fileName());
    if (!target.ok()) {
        m_error = target.error;
        return false;
    }
    m_file.setFileName(target.path);
    if (m_file.open(QIODevice::WriteOnly))
        return true;
    m_error = m_file.errorString();
    return false;
}

void AtomicFile::write(const QString &text) {
    if (!m_error.isEmpty())
        return;
    m_buffer += text.toUtf8();
    if (m_buffer.size() >= flushAt)
        flushBuffer();
}

bool AtomicFile::flushBuffer() {
    if (m_error.isEmpty() && !m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
        m_error = m_file.errorString();
    m_buffer.clear();
    return m_error.isEmpty();
}

WriteOutcome AtomicFile::commit() {
    if (!flushBuffer()) {
        cancel();
        return {WriteOutcome::Status::Failed, m_error};
    }
    if (m_file.commit()) // a failed commit removes the temporary file itself
        return {};
    m_error = m_file.errorString();
    return {WriteOutcome::Status::Failed, m_error};
}

WriteOutcome AtomicFile::cancel() {
    m_file.cancelWriting();
    m_file.commit(); // removes the temporary file
    return {WriteOutcome::Status::Cancelled, {}};
}

QString writeFailureText(const QString &path, const QString &reason) {
    return QStringLiteral("The file \"") + QDir::toNativeSeparators(path) +
           QStringLiteral("\" could not be written: ") + reason;
}

} // namespace exporting

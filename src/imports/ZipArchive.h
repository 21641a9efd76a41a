#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

struct zip;

namespace imports {

// A zip file read with libzip: its member names and whole members, checked against their
// CRC; a member that claims more than MaxMemberBytes unpacked is refused before it is read.
class ZipArchive {
public:
    static constexpr qint64 MaxMemberBytes = 200LL * 1024 * 1024;

    explicit ZipArchive(const QString &path);
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    bool isOpen() const { return m_zip != nullptr; }
    QString openError() const { return m_error; }
    QStringList names() const;
    // The member whose name (folders left out) is name in any letter case; nothing, with
    // error set, when it is absent, too large or damaged.
    std::optional<QByteArray> read(const QString &name, QString *error) const;

private:
    zip *m_zip = nullptr;
    QString m_error;
};

// Whether the file starts as a zip file does.
bool looksLikeZip(const QByteArray &firstBytes);

} // namespace imports

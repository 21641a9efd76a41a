#include "imports/ZipArchive.h"

#include <QFile>

#include <zip.h>

namespace imports {

namespace {
QString zipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

QString baseName(const QString &member) {
    return member.mid(member.lastIndexOf(u'/') + 1);
}
} // namespace

ZipArchive::ZipArchive(const QString &path) {
    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!m_zip)
        m_error = zipErrorText(code);
}

ZipArchive::~ZipArchive() {
    if (m_zip)
        zip_discard(m_zip);
}

QStringList ZipArchive::names() const {
    QStringList names;
    const zip_int64_t count = m_zip ? zip_get_num_entries(m_zip, 0) : 0;
    for (zip_int64_t i = 0; i < count; ++i)
        if (const char *name = zip_get_name(m_zip, zip_uint64_t(i), 0))
            names << QString::fromUtf8(name);
    return names;
}

std::optional<QByteArray> ZipArchive::read(const QString &name, QString *error) const {
    const QStringList all = names();
    qsizetype index = -1;
    for (qsizetype i = 0; i < all.size() && index < 0; ++i)
        if (baseName(all[i]).compare(name, Qt::CaseInsensitive) == 0)
            index = i;
    if (index < 0) {
        *error = QStringLiteral("%1 is not in the zip file").arg(name);
        return std::nullopt;
    }
    zip_stat_t st;
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
        *error = QStringLiteral("%1 cannot be read in the zip file").arg(name);
        return std::nullopt;
    }
    if (st.size > zip_uint64_t(MaxMemberBytes)) {
        *error = QStringLiteral("%1 claims %2 MB unpacked, more than the %3 MB allowed")
                     .arg(name)
                     .arg(st.size / (1024 * 1024))
                     .arg(MaxMemberBytes / (1024 * 1024));
        return std::nullopt;
    }
    zip_file_t *file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file) {
        *error = QStringLiteral("%1 cannot be unpacked: %2")
                     .arg(name, QString::fromLocal8Bit(zip_strerror(m_zip)));
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
    qint64 got = 0;
    zip_int64_t n = 0;
    while (got < bytes.size() &&
           (n = zip_fread(file, bytes.data() + got, zip_uint64_t(bytes.size() - got))) > 0)
        got += n;
    char extra = 0; // reading on to the end checks the CRC
    if (n >= 0)
        n = zip_fread(file, &extra, 1);
    if (n != 0 || got != bytes.size()) {
        *error = QStringLiteral("%1 is damaged in the zip file: %2")
                     .arg(name, QString::fromLocal8Bit(zip_file_strerror(file)));
        zip_fclose(file);
        return std::nullopt;
    }
    zip_fclose(file);
    return bytes;
}

bool looksLikeZip(const QByteArray &firstBytes) {
    return firstBytes.startsWith("PK\x03\x04") || firstBytes.startsWith("PK\x05\x06");
}

} // namespace imports

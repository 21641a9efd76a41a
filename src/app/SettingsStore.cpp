#include "app/SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <map>

namespace app {

struct IniSettingsStore::Impl {
    QString folder;
    std::map<QString, std::unique_ptr<QSettings>> files;

    QSettings &settingsFor(const QString &application) {
        auto &s = files[application];
        if (!s) {
            QDir().mkpath(folder);
            // QSettings replaces the file through a temporary one, so a crash while
            // writing never leaves half a file.
            s = std::make_unique<QSettings>(QDir(folder).filePath(application + ".ini"),
                                            QSettings::IniFormat);
        }
        return *s;
    }

    // The stored spelling of key in section, matched ignoring letter case.
    static QString storedKey(QSettings &s, const QString &section, const QString &key) {
        s.beginGroup(section);
        const QStringList keys = s.childKeys();
        s.endGroup();
        for (const QString &k : keys)
            if (k.compare(key, Qt::CaseInsensitive) == 0)
                return k;
        return {};
    }
};

IniSettingsStore::IniSettingsStore(QString folder) : d(std::make_unique<Impl>()) {
    d->folder = std::move(folder);
}

IniSettingsStore::~IniSettingsStore() {
    flush();
}

QString IniSettingsStore::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString IniSettingsStore::fileFor(const QString &application) const {
    return QDir(d->folder).filePath(application + ".ini");
}

QString IniSettingsStore::read(const QString &application, const QString &section,
                               const QString &key, const QString &defaultText) {
    QSettings &s = d->settingsFor(application);
    const QString stored = Impl::storedKey(s, section, key);
    if (stored.isEmpty())
        return defaultText;
    const QVariant v = s.value(section + u'/' + stored);
    // An unquoted text with commas, edited by hand, comes back as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(u',');
    return v.toString();
}

void IniSettingsStore::write(const QString &application, const QString &section, const QString &key,
                             const QString &text) {
    QSettings &s = d->settingsFor(application);
    const QString stored = Impl::storedKey(s, section, key);
    if (!stored.isEmpty() && stored != key)
        s.remove(section + u'/' + stored); // one entry per key, spelled as last written
    s.setValue(section + u'/' + key, text);
}

void IniSettingsStore::deleteSection(const QString &application, const QString &section) {
    d->settingsFor(application).remove(section);
}

void IniSettingsStore::flush() {
    for (auto &[name, s] : d->files)
        s->sync();
}

} // namespace app

#pragma once

#include <QString>

#include <memory>

namespace app {

// A per-user store of text values addressed by application, section and key.
// Key names match without regard to letter case.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or defaultText when the key is absent.
    virtual QString read(const QString &application, const QString &section, const QString &key,
                         const QString &defaultText) = 0;
    virtual void write(const QString &application, const QString &section, const QString &key,
                       const QString &text) = 0;
    // Deleting a section that does not exist is no error.
    virtual void deleteSection(const QString &application, const QString &section) = 0;
    // Makes the writes durable; a file is replaced whole or not at all.
    virtual void flush() = 0;
};

// One INI file per application in a folder (by default the user's XDG config folder).
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(QString folder = defaultFolder());
    ~IniSettingsStore() override;

    static QString defaultFolder();
    QString fileFor(const QString &application) const;

    QString read(const QString &application, const QString &section, const QString &key,
                 const QString &defaultText) override;
    void write(const QString &application, const QString &section, const QString &key,
               const QString &text) override;
    void deleteSection(const QString &application, const QString &section) override;
    void flush() override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace app

#pragma once

#include "app/FetchSettings.h"
#include "fetch/Sources.h"
#include "imports/UpdateFlow.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;

namespace imports {

class ValidityChooser;

// "Functions" > "Update Schedule…": the source, the season it will fetch, the address (kept
// in the settings, so a mirror works), the day to keep, the schedule in use, and Download.
// download runs the fetch and says whether a new schedule was put in place.
class UpdateScheduleDialog : public QDialog {
public:
    using DownloadHandler = std::function<bool(const UpdateRequest &, const QString &address)>;

    UpdateScheduleDialog(app::FetchSettings &settings, const QDateTime &nowUtc,
                         DownloadHandler download, QWidget *parent);

    void Download_Click();

private:
    fetch::Source source() const;
    void sourceChanged();
    void showAddress();
    QString &storedAddress(fetch::Source source);

    app::FetchSettings &m_settings;
    QDateTime m_nowUtc;
    DownloadHandler m_download;
    QComboBox *m_source;
    QLineEdit *m_season;
    QLineEdit *m_address;
    QLabel *m_url;
    ValidityChooser *m_validity;
};

// "HFCC B26, put in place 2026-11-02 14:05 UTC from the server" and the like.
QString inUseText(const app::ScheduleRecord &record);

} // namespace imports

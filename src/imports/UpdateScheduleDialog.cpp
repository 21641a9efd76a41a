#include "imports/UpdateScheduleDialog.h"

#include "imports/ImportUi.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace imports {

QString inUseText(const app::ScheduleRecord &r) {
    if (r.source.isEmpty())
        return QStringLiteral("a schedule from elsewhere (not fetched or imported here)");
    return QStringLiteral("%1 %2, put in place %3 UTC %4")
        .arg(r.source, r.season, r.putInPlace.toUTC().toString(QStringLiteral("yyyy-MM-dd hh:mm")),
             r.url.isEmpty() ? QStringLiteral("from a file") : QStringLiteral("from ") + r.url);
}

UpdateScheduleDialog::UpdateScheduleDialog(app::FetchSettings &settings, const QDateTime &nowUtc,
                                           DownloadHandler download, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_nowUtc(nowUtc), m_download(std::move(download)),
      m_source(new QComboBox(this)), m_season(new QLineEdit(this)), m_address(new QLineEdit(this)),
      m_url(new QLabel(this)), m_validity(new ValidityChooser(nowUtc.date(), this)) {
    setObjectName(QStringLiteral("UpdateSchedule"));
    setWindowTitle(QStringLiteral("Update Schedule"));
    m_source->setObjectName(QStringLiteral("Source"));
    m_source->addItems(
        {fetch::sourceName(fetch::Source::Eibi), fetch::sourceName(fetch::Source::Hfcc)});
    if (fetch::sourceNamed(settings.inUse.source) == fetch::Source::Hfcc)
        m_source->setCurrentIndex(1);
    m_season->setObjectName(QStringLiteral("Season"));
    m_season->setText(fetch::seasonOn(nowUtc.date()).code());
    m_address->setObjectName(QStringLiteral("Address"));
    m_url->setObjectName(QStringLiteral("Url"));
    m_url->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *inUse = new QLabel(inUseText(settings.inUse), this);
    inUse->setObjectName(QStringLiteral("InUse"));
    inUse->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *downloadButton =
        buttons->addButton(QStringLiteral("Download"), QDialogButtonBox::ActionRole);
    downloadButton->setObjectName(QStringLiteral("Download"));
    downloadButton->setDefault(true);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Source:"), m_source);
    form->addRow(QStringLiteral("Season:"), m_season);
    form->addRow(QStringLiteral("Address:"), m_address);
    form->addRow(QStringLiteral("Fetches:"), m_url);
    form->addRow(m_validity);
    form->addRow(QStringLiteral("In use now:"), inUse);
    form->addRow(buttons);
    setMinimumWidth(560);
    sourceChanged();
    connect(m_source, &QComboBox::currentIndexChanged, this, [this] { sourceChanged(); });
    connect(m_season, &QLineEdit::textChanged, this, [this] { showAddress(); });
    connect(m_address, &QLineEdit::textChanged, this, [this] { showAddress(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(downloadButton, &QPushButton::clicked, this, [this] { Download_Click(); });
}

fetch::Source UpdateScheduleDialog::source() const {
    return m_source->currentIndex() == 1 ? fetch::Source::Hfcc : fetch::Source::Eibi;
}

QString &UpdateScheduleDialog::storedAddress(fetch::Source s) {
    return s == fetch::Source::Eibi ? m_settings.eibiAddress : m_settings.hfccAddress;
}

void UpdateScheduleDialog::sourceChanged() {
    const QString stored = storedAddress(source());
    m_address->setText(stored.isEmpty() ? fetch::defaultAddress(source()) : stored);
    showAddress();
}

void UpdateScheduleDialog::showAddress() {
    const auto season = fetch::parseSeason(m_season->text());
    m_url->setText(season
                       ? fetch::addressFor(m_address->text().trimmed(), *season).toDisplayString()
                       : QStringLiteral("(a season is A or B and two digits: B26)"));
}

void UpdateScheduleDialog::Download_Click() {
    const auto season = fetch::parseSeason(m_season->text());
    if (!season) {
        m_season->setFocus();
        return;
    }
    const QString address = m_address->text().trimmed();
    storedAddress(source()) = address == fetch::defaultAddress(source()) ? QString() : address;
    UpdateRequest u;
    u.source = source();
    u.season = *season;
    u.url = fetch::addressFor(address, *season);
    u.validity = m_validity->validity();
    u.inUse = m_settings.inUse;
    u.nowUtc = m_nowUtc;
    if (m_download && m_download(u, address))
        accept();
}

} // namespace imports

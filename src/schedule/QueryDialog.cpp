#include "schedule/QueryDialog.h"

#include "app/ScreenUnitsUi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace schedule {

namespace {

struct FieldLabel {
    int labelIndex;
    const char *caption;
};
// The "&" marks the Alt+letter that goes to the field's box.
const FieldLabel FieldLabels[QueryFieldCount] = {{0, "&Language"}, {1, "S&tation"},
                                                 {2, "Co&untry"},  {3, "AD&M"},
                                                 {4, "Tar&get"},   {7, "&Program"}};

const char *const DistinctFields[] = {"Language", "Station", "Country", "ADM"};

QComboBox *editableList(const QString &name) {
    auto *combo = new QComboBox;
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setMinimumContentsLength(22);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

// A label that names its box for a screen reader.
QLabel *namedLabel(int index, const QString &caption, QWidget *buddy) {
    auto *label = new QLabel(caption);
    label->setObjectName(QStringLiteral("Label%1").arg(index));
    label->setBuddy(buddy);
    return label;
}

void fillList(QComboBox *combo, const QStringList &values) {
    combo->clear();
    combo->clearEditText();
    combo->addItems(values);
    combo->setCurrentIndex(-1);
}

} // namespace

QueryDialog::QueryDialog(app::ProgramState &state, app::Prompts &prompts,
                         jet::TableProvider &tables, const QString &databaseFile, QWidget *parent)
    : QDialog(parent), m_state(state), m_prompts(prompts) {
    setObjectName(QStringLiteral("FrmQuery"));
    setWindowTitle(QStringLiteral("Select Fields to Search"));
    buildControls();
    Form_Load(tables, databaseFile);
}

// The boxes report focus changes while the window goes; nothing of the dialog may answer.
QueryDialog::~QueryDialog() {
    for (QComboBox *combo : m_combo) {
        combo->blockSignals(true);
        combo->removeEventFilter(this);
        combo->lineEdit()->removeEventFilter(this);
    }
    for (QLineEdit *text : m_text)
        text->removeEventFilter(this);
}

void QueryDialog::buildControls() {
    auto *menuBar = new QMenuBar;
    QAction *clearAll = menuBar->addAction(QStringLiteral("Clear &All"));
    clearAll->setObjectName(QStringLiteral("ClearAll"));
    connect(clearAll, &QAction::triggered, this, &QueryDialog::ClearAll_Click);

    m_onAir = new QCheckBox(QStringLiteral("&On-Air"));
    m_onAir->setObjectName(QStringLiteral("Check6"));
    connect(m_onAir, &QCheckBox::toggled, this, [this](bool on) { m_state.QueryOnAir = on; });
    m_clearOnStart = new QCheckBox(QStringLiteral("Clear on &Startup"));
    m_clearOnStart->setObjectName(QStringLiteral("Check10"));
    connect(m_clearOnStart, &QCheckBox::toggled, this,
            [this](bool on) { m_state.ClearOnStart = on; });

    auto *done = new QPushButton(QStringLiteral("&Done"));
    done->setObjectName(QStringLiteral("CmdDone"));
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"));
    cancel->setObjectName(QStringLiteral("CmdCancel"));
    connect(done, &QPushButton::clicked, this, &QueryDialog::CmdDone_Click);
    connect(cancel, &QPushButton::clicked, this, &QueryDialog::CmdCancel_Click);

    auto *checks = new QHBoxLayout;
    checks->addWidget(m_onAir);
    checks->addWidget(m_clearOnStart);
    checks->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(done);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(buildFieldRows());
    layout->addWidget(buildFrequencyFrame());
    layout->addLayout(checks);
    layout->addLayout(buttons);
}

QWidget *QueryDialog::buildFieldRows() {
    auto *rows = new QWidget;
    auto *grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int n = 0; n < QueryFieldCount; ++n) {
        m_combo[n] = editableList(QStringLiteral("Combo%1").arg(n));
        m_combo[n]->installEventFilter(this); // the combo has the focus and passes keys on
        m_combo[n]->lineEdit()->installEventFilter(this);
        connect(m_combo[n], &QComboBox::activated, this, [this, n] {
            m_combo[n]->lineEdit()->setCursorPosition(0); // show a chosen entry from its start
        });
        m_not[n] = new QCheckBox(QStringLiteral("Not"));
        m_not[n]->setObjectName(QStringLiteral("Check%1").arg(n));
        // Six boxes say "Not": each says which field it turns round.
        m_not[n]->setAccessibleName(QStringLiteral("Not ") +
                                    QString::fromLatin1(FieldLabels[n].caption).remove(u'&'));
        grid->addWidget(namedLabel(FieldLabels[n].labelIndex, FieldLabels[n].caption, m_combo[n]),
                        n, 0);
        grid->addWidget(m_combo[n], n, 1);
        grid->addWidget(m_not[n], n, 2);
    }
    grid->setColumnStretch(1, 1);
    return rows;
}

QWidget *QueryDialog::buildFrequencyFrame() {
    auto *frame = new QGroupBox(QStringLiteral("Frequency"));
    frame->setObjectName(QStringLiteral("SSFrame"));
    const char *const captions[] = {"A &Frequency", "Frequency &Range", "&None"};
    for (int i = 0; i < 3; ++i) {
        m_freqOption[i] = new QRadioButton(QLatin1String(captions[i]));
        m_freqOption[i]->setObjectName(QStringLiteral("FreqOption%1").arg(i));
        m_text[i] = new QLineEdit;
        m_text[i]->setObjectName(QStringLiteral("Text%1").arg(i));
        m_text[i]->installEventFilter(this);
    }
    auto *grid = new QGridLayout(frame);
    grid->addWidget(m_freqOption[0], 0, 0);
    grid->addWidget(m_text[SingleFreqText], 0, 2);
    grid->addWidget(m_freqOption[1], 1, 0);
    m_text[SingleFreqText]->setAccessibleName(QStringLiteral("A Frequency, kHz"));
    grid->addWidget(namedLabel(6, QStringLiteral("From"), m_text[FromFreqText]), 1, 1);
    grid->addWidget(m_text[FromFreqText], 1, 2);
    grid->addWidget(namedLabel(5, QStringLiteral("To"), m_text[ToFreqText]), 1, 3);
    grid->addWidget(m_text[ToFreqText], 1, 4);
    grid->addWidget(m_freqOption[2], 2, 0);
    return frame;
}

void QueryDialog::Form_Load(jet::TableProvider &tables, const QString &databaseFile) {
    fillDatabaseLists(tables, databaseFile);
    const auto &continents = m_state.codes.Continents;
    fillList(m_combo[TargetField], QStringList(continents.begin() + 1, continents.end()));
    fillList(m_combo[ProgramField], programEntries(m_state.codes));
    applyColours();
    m_clearOnStart->setChecked(m_state.ClearOnStart);
    m_freqOption[int(FreqOption::None)]->setChecked(true);
}

void QueryDialog::fillDatabaseLists(jet::TableProvider &tables, const QString &databaseFile) {
    jet::DataSource data1(tables);
    data1.setDatabaseName(databaseFile);
    for (int n = 0; n < 4; ++n) {
        const QString field = QLatin1String(DistinctFields[n]);
        fillList(m_combo[n], listValues(data1,
                                        QStringLiteral("Select Distinct ") + field +
                                            QStringLiteral(" from MyDataTable"),
                                        field));
    }
}

void QueryDialog::reloadLists(jet::TableProvider &tables, const QString &databaseFile) {
    std::array<QString, 4> entered;
    for (int n = 0; n < 4; ++n)
        entered[n] = m_combo[n]->currentText();
    fillDatabaseLists(tables, databaseFile);
    for (int n = 0; n < 4; ++n)
        m_combo[n]->setEditText(entered[n]);
}

void QueryDialog::applyColours() {
    QPalette palette = m_text[0]->palette();
    palette.setColor(QPalette::Base, app::colorFromRgb24(int(m_state.BackColor)));
    palette.setColor(QPalette::Text, app::colorFromRgb24(int(m_state.Forecolor)));
    for (QComboBox *combo : m_combo) {
        combo->setPalette(palette);
        combo->lineEdit()->setPalette(palette);
    }
    for (QLineEdit *text : m_text)
        text->setPalette(palette);
}

void QueryDialog::run() {
    Form_Activate();
    exec();
}

void QueryDialog::Form_Activate() {
    m_state.DlgCancel = false;
    if (m_state.ClearOnStart)
        clearFields(ProgramField);
}

// Unticks and empties the field rows up to lastField, the frequencies, and selects "None".
void QueryDialog::clearFields(int lastField) {
    for (int n = 0; n <= lastField; ++n) {
        m_not[n]->setChecked(false);
        m_combo[n]->setCurrentIndex(-1);
        m_combo[n]->clearEditText();
    }
    for (QLineEdit *text : m_text)
        text->clear();
    m_freqOption[int(FreqOption::None)]->setChecked(true);
}

void QueryDialog::ClearAll_Click() {
    clearFields(TargetField);
    m_combo[LanguageField]->setFocus();
}

QueryForm QueryDialog::currentForm() const {
    QueryForm form;
    for (int n = 0; n < QueryFieldCount; ++n) {
        form.combo[n] = m_combo[n]->currentText();
        form.negated[n] = m_not[n]->isChecked();
    }
    for (int i = 0; i < 3; ++i) {
        form.freqText[i] = m_text[i]->text();
        if (m_freqOption[i]->isChecked())
            form.freqOption = FreqOption(i);
    }
    form.languageListIndex =
        m_combo[LanguageField]->findText(form.combo[LanguageField], Qt::MatchFixedString);
    return form;
}

void QueryDialog::CmdDone_Click() {
    switch (schedule::CmdDone_Click(m_state, currentForm(), m_prompts, m_moveSelector)) {
    case DoneOutcome::Hide:
        done(Accepted);
        break;
    case DoneOutcome::FocusFromFreq:
        m_text[FromFreqText]->setFocus();
        break;
    case DoneOutcome::FocusSingleFreq:
        m_text[SingleFreqText]->setFocus();
        break;
    }
}

void QueryDialog::CmdCancel_Click() {
    reject();
}

void QueryDialog::reject() {
    m_state.DlgCancel = true;
    QDialog::reject();
}

bool QueryDialog::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    for (int n = 0; n < QueryFieldCount; ++n)
        if (watched == m_combo[n] || watched == m_combo[n]->lineEdit())
            return handleComboKey(n, key);
    for (int i = 0; i < 3; ++i)
        if (watched == m_text[i])
            return handleTextKey(i, key);
    return QDialog::eventFilter(watched, event);
}

// Esc empties the box, and in an empty box cancels the dialog as anywhere else; Enter does
// nothing (it neither closes the dialog nor adds to the list).
bool QueryDialog::handleComboKey(int index, int key) {
    if (key == Qt::Key_Escape && !m_combo[index]->currentText().isEmpty()) {
        m_combo[index]->clearEditText();
        return true;
    }
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Esc empties the box (in an empty box it cancels); Enter in "From" goes on to "To" and
// chooses "Frequency Range".
bool QueryDialog::handleTextKey(int index, int key) {
    if (key == Qt::Key_Escape && !m_text[index]->text().isEmpty()) {
        m_text[index]->clear();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (index == FromFreqText) {
        m_text[ToFreqText]->setFocus();
        m_freqOption[int(FreqOption::Range)]->setChecked(true);
    }
    return true;
}

} // namespace schedule

#include "schedule/LanguageSelectorWindow.h"

#include "app/Conversions.h"
#include "app/ScreenUnitsUi.h"
#include "schedule/CustomFilters.h"
#include "schedule/QueryComposer.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace schedule {

namespace {

int twipsToPixels(const QWidget *w, const QString &twips) {
    return app::twipsToPixels(twips.toDouble(), w);
}

QString pixelsToTwips(const QWidget *w, int pixels) {
    return app::realText(float(app::pixelsToTwips(pixels, w)));
}

} // namespace

LanguageSelectorWindow::LanguageSelectorWindow(FilterPort &port, jet::TableProvider &tables,
                                               const QString &databaseFile, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::Tool), m_port(port), m_combo(new QComboBox) {
    setObjectName(QStringLiteral("FrmLanguage"));
    setWindowTitle(QStringLiteral("Language Selector"));
    m_combo->setObjectName(QStringLiteral("Combo0"));
    // A combo box is read by its value; this says what the value is.
    m_combo->setAccessibleDescription(QStringLiteral("Language"));
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setCompleter(nullptr);
    m_combo->setMinimumContentsLength(18);
    m_combo->installEventFilter(this); // the combo has the focus and passes keys on
    m_combo->lineEdit()->installEventFilter(this);
    connect(m_combo, &QComboBox::activated, this, &LanguageSelectorWindow::Combo_Click);

    auto *close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("CmdClose"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &LanguageSelectorWindow::CmdClose_Click);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_combo, 1);
    layout->addWidget(close);
    Form_Load(tables, databaseFile);
}

// Closing the window on destruction moves the focus, which must not run a query any more.
LanguageSelectorWindow::~LanguageSelectorWindow() {
    m_combo->blockSignals(true);
    m_combo->removeEventFilter(this);
    m_combo->lineEdit()->removeEventFilter(this);
}

void LanguageSelectorWindow::Form_Load(jet::TableProvider &tables, const QString &databaseFile) {
    app::ProgramState &s = m_port.state();
    s.LangSync = true;
    jet::DataSource data1(tables);
    data1.setDatabaseName(databaseFile);
    m_combo->clear();
    m_combo->addItem(QStringLiteral("ALL"));
    m_combo->addItems(listValues(data1, QStringLiteral("Select Distinct Language from MyDataTable"),
                                 QStringLiteral("Language")));
    setListText(s.Language);
    s.LangSync = false;
}

void LanguageSelectorWindow::reloadLanguages(jet::TableProvider &tables,
                                             const QString &databaseFile) {
    Form_Load(tables, databaseFile);
}

void LanguageSelectorWindow::showSelector() {
    Form_Activate();
    show();
    raise();
    activateWindow();
}

void LanguageSelectorWindow::Form_Activate() {
    app::ProgramState &s = m_port.state();
    move(twipsToPixels(this, s.LangFormLeft), twipsToPixels(this, s.LangFormTop));
    s.LangSync = false;
}

void LanguageSelectorWindow::setListText(const QString &text) {
    const int index = m_combo->findText(text, Qt::MatchFixedString);
    if (index >= 0)
        m_combo->setCurrentIndex(index);
    m_combo->setEditText(text);
}

void LanguageSelectorWindow::setListPosition(int position) {
    m_combo->setCurrentIndex(position);
}

QString LanguageSelectorWindow::listText() const {
    return m_combo->currentText();
}

void LanguageSelectorWindow::Combo_Click() {
    if (m_port.state().LangSync)
        return;
    const QString language = m_combo->currentText();
    m_combo->setToolTip(u' ' + language.trimmed() + u' ');
    languagePicked(m_port, language);
    showChosenFromStart();
}

void LanguageSelectorWindow::languageEnteredByKey() {
    const QString language = m_combo->currentText();
    if (language.isEmpty())
        return;
    m_combo->setToolTip(u' ' + language.trimmed() + u' ');
    languageEntered(m_port, language);
    showChosenFromStart();
}

void LanguageSelectorWindow::showChosenFromStart() {
    m_combo->setFocus();
    m_combo->lineEdit()->setCursorPosition(0);
}

void LanguageSelectorWindow::CmdClose_Click() {
    rememberPosition();
    hide();
}

void LanguageSelectorWindow::rememberPosition() {
    m_port.state().LangFormTop = pixelsToTwips(this, y());
    m_port.state().LangFormLeft = pixelsToTwips(this, x());
}

// The frame's close button hides the window like "Close": it lives until the program ends.
void LanguageSelectorWindow::closeEvent(QCloseEvent *event) {
    rememberPosition();
    hide();
    event->ignore();
}

// Enter filters on the typed language exactly; Esc empties the text. Leaving the box with a
// typed text that is in the list makes the combo report a pick; only the user's pick counts.
bool LanguageSelectorWindow::eventFilter(QObject *watched, QEvent *event) {
    const bool ours = watched == m_combo || watched == m_combo->lineEdit();
    if (ours && event->type() == QEvent::FocusOut) {
        const QSignalBlocker quiet(m_combo);
        watched->event(event);
        return true;
    }
    if (!ours || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        languageEnteredByKey();
        return true;
    }
    if (key == Qt::Key_Escape) {
        m_combo->clearEditText();
        return true;
    }
    return false;
}

} // namespace schedule

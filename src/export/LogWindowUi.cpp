#include "export/LogWindowUi.h"

#include "app/PlainCellDelegateUi.h"
#include "app/ScreenUnitsUi.h"
#include "export/ExportCommands.h"
#include "export/PrintUi.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <numeric>

namespace exporting {

namespace {

constexpr int ProgressAfterMs = 1000;
constexpr int SearchDelayMs = 250;
const QString Title = QStringLiteral("Reception Log");
// Printed column widths in characters, as the log's own columns (remarks wider).
constexpr int PrintWidths[logbook::LogColumnCount] = {10, 4, 4, 6, 21, 4, 18, 4, 7, 5, 40};

QPushButton *button(const QString &caption, const QString &name) {
    auto *b = new QPushButton(caption);
    b->setObjectName(name);
    return b;
}

} // namespace

LogWindow::LogWindow(LogWindowSetup setup, app::Prompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window), m_setup(std::move(setup)), m_prompts(prompts),
      m_search(new QLineEdit), m_table(new QTableView), m_export(button("&Export…", "Export")),
      m_print(button("&Print…", "Print")), m_status(new QLabel), m_exportNote(new QLabel),
      m_progress(new QProgressBar) {
    setWindowTitle(Title);
    setAttribute(Qt::WA_DeleteOnClose);
    m_search->setObjectName(QStringLiteral("Search"));
    m_search->setPlaceholderText(QStringLiteral("Search (station, language, remarks…)"));
    m_search->setClearButtonEnabled(true);
    m_search->setAccessibleName(QStringLiteral("Search the log"));
    m_table->setModel(&m_model);
    m_table->setItemDelegate(new app::PlainCellDelegate(m_table));
    m_table->setObjectName(QStringLiteral("LogTable"));
    m_table->setAccessibleName(QStringLiteral("Log entries"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // Widths from the log's own columns: measuring 100,000 rows would hold the window up.
    const int charWidth = m_table->fontMetrics().horizontalAdvance(u'0');
    for (int c = 0; c < logbook::LogColumnCount; ++c)
        m_table->setColumnWidth(c, (PrintWidths[c] + 2) * charWidth);
    // Sorted here rather than by the view, so that the pointer says when a big log takes time.
    QHeaderView *header = m_table->horizontalHeader();
    header->setSortIndicator(-1, Qt::AscendingOrder); // newest first
    header->setSortIndicatorShown(true);
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                app::BusyPointer busy;
                m_model.sort(column, order);
            });
    m_status->setObjectName(QStringLiteral("Status"));
    m_progress->setRange(0, 1000);
    m_progress->hide();
    auto *close = button(QStringLiteral("&Close"), QStringLiteral("Close"));
    auto *top = new QHBoxLayout;
    top->addWidget(m_search, 1);
    top->addWidget(m_export);
    top->addWidget(m_print);
    top->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addWidget(m_exportNote);
    resize(1000, 500);

    auto *searchDelay = new QTimer(this);
    searchDelay->setSingleShot(true);
    searchDelay->setInterval(SearchDelayMs);
    connect(m_search, &QLineEdit::textChanged, searchDelay, qOverload<>(&QTimer::start));
    connect(searchDelay, &QTimer::timeout, this, [this] {
        app::BusyPointer busy;
        m_model.setSearch(m_search->text());
    });
    connect(m_export, &QPushButton::clicked, this, &LogWindow::Export_Click);
    connect(m_print, &QPushButton::clicked, this, &LogWindow::Print_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_model, &logbook::LogTableModel::loadProgress, this, &LogWindow::showProgress);
    connect(&m_model, &logbook::LogTableModel::statusChanged, this, &LogWindow::showStatus);
    connect(&m_model, &logbook::LogTableModel::loaded, m_progress, &QWidget::hide);
    QTimer::singleShot(ProgressAfterMs, this,
                       [this] { m_progress->setVisible(m_model.loading()); });
    m_sinceOpen.start();
    m_model.open(m_setup.logPath);
}

void LogWindow::showProgress(qint64 done, qint64 total) {
    m_progress->setValue(total > 0 ? int(done * 1000 / total) : 0);
    if (m_sinceOpen.elapsed() >= ProgressAfterMs && m_model.loading())
        m_progress->show();
}

void LogWindow::showStatus() {
    m_status->setText(m_model.status());
}

void LogWindow::Export_Click() {
    QFileDialog dialog(this, QStringLiteral("Export Log"), m_setup.exportFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({CsvFilter, AdifFilter});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    exportTo(dialog.selectedFiles().first(),
             dialog.selectedNameFilter() == AdifFilter ? LogExportKind::Adif : LogExportKind::Csv);
}

void LogWindow::exportTo(const QString &chosen, LogExportKind kind) {
    const auto [path, pathKind] = logExportTarget(chosen, kind);
    ProgressDialogReporter progress(this, QStringLiteral("Writing the log…"));
    const LogExportResult result =
        writeLogExport(path, pathKind, m_model.shownRows(), readCountryNames(m_setup.codesFile),
                       m_setup.programVersion, progress);
    progress.finish();
    if (result.outcome.status == WriteOutcome::Status::Failed) {
        m_prompts.messageBox(writeFailureText(path, result.outcome.error), Title, app::Buttons::Ok);
        return;
    }
    if (!result.outcome.written())
        return;
    QString note = QStringLiteral("Wrote %1 rows to %2")
                       .arg(result.written)
                       .arg(QDir::toNativeSeparators(path));
    if (result.leftOut > 0)
        note += QStringLiteral(" (%1 lines that are not entries left out: ADIF holds only "
                               "entries)")
                    .arg(result.leftOut);
    m_exportNote->setText(note);
}

void LogWindow::Print_Click() {
    QList<GridColumn> columns;
    for (int c = 0; c < logbook::LogColumnCount; ++c)
        columns.append({c, logbook::columnHeading(logbook::LogColumn(c)), PrintWidths[c]});
    // What the table shows now: entries written while printing wait for the next printout.
    const logbook::LogRows shown = m_model.shownRows();
    QList<int> rows(shown.size());
    std::iota(rows.begin(), rows.end(), 0);
    const ExportTable table(
        QStringLiteral("Reception log %1").arg(QDir::toNativeSeparators(m_setup.logPath)), columns,
        rows, [shown](int column, int row) {
            return jet::Cell::fromText(shown.text(row, logbook::LogColumn(column)));
        });
    ProgressDialogReporter progress(this, QStringLiteral("Printing the log…"));
    printWithDialog(this, table, printFonts(), false, progress);
}

} // namespace exporting

#pragma once

#include "app/Seams.h"
#include "export/LogExport.h"
#include "logbook/LogTableModel.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace exporting {

struct LogWindowSetup {
    QString logPath;
    QString codesFile;      // Codes.txt: the ADM codes' country names for ADIF
    QString exportFolder;   // where the export dialog opens
    QString programVersion; // for ADIF's header
};

// "Log File" > "Show Log…": the log file in a table that follows it, a search box, Export…
// (CSV or ADIF) and Print…. It only reads the log.
class LogWindow : public QWidget {
    Q_OBJECT
public:
    static inline const QString CsvFilter = QStringLiteral("CSV for spreadsheets (*.csv)");
    static inline const QString AdifFilter = QStringLiteral("ADIF 3.1 for loggers (*.adi)");

    LogWindow(LogWindowSetup setup, app::Prompts &prompts, QWidget *parent = nullptr);
    logbook::LogTableModel &model() { return m_model; }

    void Export_Click();
    // The export to a file already chosen, with the kind of the dialog's filter.
    void exportTo(const QString &chosen, LogExportKind kind);
    void Print_Click();

private:
    void showProgress(qint64 done, qint64 total);
    void showStatus();

    LogWindowSetup m_setup;
    app::Prompts &m_prompts;
    logbook::LogTableModel m_model;
    QLineEdit *m_search;
    QTableView *m_table;
    QPushButton *m_export;
    QPushButton *m_print;
    QLabel *m_status;
    QLabel *m_exportNote;
    QProgressBar *m_progress;
    QElapsedTimer m_sinceOpen;
};

} // namespace exporting

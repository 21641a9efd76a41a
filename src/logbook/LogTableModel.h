#pragma once

#include "logbook/LogReader.h"

#include <QAbstractTableModel>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

namespace logbook {

// The log file as a table, newest entry first, sortable by any column and searchable. It reads
// the file on a thread of its own (a log of 100 MB does not stop the window) and then follows
// it: what is appended appears. It never writes the file.
class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int FollowMs = 500;

    explicit LogTableModel(QObject *parent = nullptr);
    ~LogTableModel() override;

    void open(const QString &path);
    const QString &path() const { return m_path; }
    bool loading() const { return m_loader.joinable(); }
    // What the window's status line says: the count, or why there is nothing to show.
    QString status() const { return m_status; }
    // Only rows whose line or remarks hold the text, in any letter case; "" shows all.
    void setSearch(const QString &text);
    // Reads what was appended since the last look (the model's timer calls it).
    void follow();

    QString text(int row, LogColumn column) const;
    // The rows as shown, in the order shown.
    LogRows shownRows() const { return m_log.subset(m_view); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // A column of -1 is the file's order, newest first.
    void sort(int column, Qt::SortOrder order) override;

signals:
    void loadProgress(qint64 done, qint64 total);
    void loaded();
    void statusChanged();

private:
    struct Loaded;
    void startLoading();
    void finishLoading(const std::shared_ptr<Loaded> &result);
    void stopLoading();
    void rebuildView();
    void sortView();
    bool matches(qsizetype row) const;
    void appendRows(qsizetype firstNew, bool lastChanged);
    void setStatus(const QString &status);
    void countRows();

    QString m_path;
    LogRows m_log;     // in the file's order
    QList<int> m_view; // indices of m_log's rows, as shown
    LogReader m_reader;
    qint64 m_offset = 0;
    QString m_search;
    QByteArray m_asciiSearch; // the search in lower case when it is ASCII, else empty
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QString m_status;
    QTimer m_followTimer;
    std::thread m_loader;
    std::atomic_bool m_cancel{false};
    int m_generation = 0;
};

} // namespace logbook

#pragma once

#include "reference/SingleRecord.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class QGridLayout;
class QLabel;

namespace reference {

// frmILGDataTable, "Single Record": every field of one record, read-only.
class SingleRecordWindow : public QWidget {
    Q_OBJECT
public:
    SingleRecordWindow(jet::TableProvider &tables, QString databaseFile, QWidget *parent = nullptr);

    // The listener's location for the distance and bearing lines; set before Form_Load.
    void setListenerLocation(const QString &myLocation) { m_myLocation = myLocation; }
    void Form_Load(qint32 stationId);
    void Cmdilg_Click(int index);
    QLineEdit *box(int index) const { return m_boxes.at(index); }
    QString loadError() const { return m_error; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void addBoxes(QGridLayout *grid);
    QWidget *buttonColumn();
    void tabInReadingOrder(QGridLayout *grid);
    void showTexts(const QStringList &texts);
    void TextBoxOFF();
    void ButtonsOFF();

    SingleRecordReader m_reader;
    QString m_databaseFile;
    QString m_error;
    QLabel *m_note = nullptr;
    QString m_myLocation;
    QLabel *m_path[2] = {nullptr, nullptr}; // distance and bearing
    QVector<QLineEdit *> m_boxes;
    QVector<QPushButton *> m_buttons;
};

} // namespace reference

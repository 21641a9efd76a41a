#pragma once

#include "logbook/RemarksEntry.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace logbook {

// FrmRemarks: the SINPO code and the remarks of the entry being closed. Shown modally; a
// closing key appends to logEntry (through RemarksEntry) and closes it. With a meter reading the
// SINPO box opens with its S digit, the cursor after it.
class FrmRemarks : public QDialog {
    Q_OBJECT
public:
    // meter: the receiver's S-meter reading ("S7"), or "".
    FrmRemarks(bool sinpoPrompt, QString &sinpoStr, QString &logEntry, int backRgb, int foreRgb,
               const QString &meter = {}, QWidget *parent = nullptr);

    QLineEdit *sinpoBox() const { return m_sinpo; }
    QPlainTextEdit *remarksBox() const { return m_remarks; }
    QLabel *hint() const { return m_hint; }
    QLabel *sinpoHint() const { return m_sinpoHint; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void layOut(const RemarksLayout &layout);
    void keepRemarksWithinLimit();
    void apply(KeyOutcome outcome);

    RemarksEntry m_entry;
    QLineEdit *m_sinpo;
    QPlainTextEdit *m_remarks;
    QLabel *m_sinpoLabel;
    QLabel *m_sinpoHint;
    QLabel *m_hint;
};

} // namespace logbook

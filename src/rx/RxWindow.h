#pragma once

#include "rx/ClipboardLink.h"
#include "rx/Tuning.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;

namespace rx {

// "Skedwise Receiver": the frequency in large digits, mode, filter, tuning and the signal.
// It only wires its controls to the tuning handlers and shows the rig's state.
class RxWindow : public QWidget {
    Q_OBJECT
public:
    RxWindow(ClipboardLink &link, QWidget *parent = nullptr);

public slots:
    void showState(const rx::RigState &state);
    void showProblem(const QString &text);

signals:
    void modeChosen(const QString &mode, int filterHz);
    void settingsAsked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *buildTuningRow();
    QWidget *buildModeRow();
    void fillChoices(const RigState &state);
    void chooseMode();
    void outcome(const QString &why);
    void showFrequency(const QString &kHz);
    void showLine(QLabel *label, const QString &text);
    void fitTexts();

    TuningPanel m_tuning;
    QLabel *m_digits;
    QLabel *m_note;
    QComboBox *m_mode;
    QComboBox *m_filter;
    QComboBox *m_step;
    QLineEdit *m_typed;
    QProgressBar *m_signal;
    QLabel *m_connection;
    QLabel *m_problem;
    QStringList m_shownModes;
    bool m_filling = false;
};

} // namespace rx

#pragma once

#include "reference/Legends.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

namespace reference {

// FrmLegends, "VAZOdari Legend/Abreviations": the code lists and the built-in legends.
class LegendsWindow : public QWidget, public LegendsView {
    Q_OBJECT
public:
    LegendsWindow(app::Paths paths, int backColor, int foreColor, QWidget *parent = nullptr);

    void XOption_Click(int index);
    void setListEntries(const QStringList &entries) override;
    void setListEnabled(bool enabled) override;
    void setLegendText(const QString &text) override;
    void setNote(const QString &note) override;

private:
    void Form_Load(int backColor, int foreColor);
    QWidget *optionFrames();
    QRadioButton *option(int index, const QString &caption);

    app::Paths m_paths;
    QListWidget *m_list;
    QPlainTextEdit *m_text;
    QLabel *m_note;
    QVector<QRadioButton *> m_options;
};

} // namespace reference

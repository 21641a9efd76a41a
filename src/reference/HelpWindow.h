#pragma once

#include <QWidget>

class QTextBrowser;

namespace reference {

// The program's help: the HTML help file beside the program, with its own links.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString &helpFile, QWidget *parent = nullptr);
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};

} // namespace reference

#include "reference/HelpWindow.h"

#include "reference/AboutHelp.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace reference {

HelpWindow::HelpWindow(const QString &helpFile, QWidget *parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Skedwise Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("HelpText"));
    m_browser->setAccessibleName(QStringLiteral("Help"));
    m_browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    if (QFileInfo::exists(helpFile))
        m_browser->setSource(QUrl::fromLocalFile(helpFile));
    else
        m_browser->setHtml(missingHelpPage(helpFile));
    resize(720, 560);
}

} // namespace reference

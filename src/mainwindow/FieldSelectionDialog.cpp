#include "mainwindow/FieldSelectionDialog.h"

#include "app/ScreenUnitsUi.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace mainwindow {

namespace {

constexpr int ListWidth = 1500, ListHeight = 2595, ListTop = 400;
constexpr int ButtonWidth = 975, ButtonHeight = 375;

QRect pixels(QRect twips, const QWidget *w) {
    return {app::twipsToPixels(twips.x(), w), app::twipsToPixels(twips.y(), w),
            app::twipsToPixels(twips.width(), w), app::twipsToPixels(twips.height(), w)};
}

} // namespace

FieldSelectionDialog::FieldSelectionDialog(app::ProgramState &state, app::Prompts &prompts,
                                           QWidget *parent)
    : QDialog(parent), m_state(state), m_selection(state, prompts) {
    setObjectName(QStringLiteral("FrmSelect"));
    setWindowTitle(QStringLiteral("Select Fields to Display"));
    setModal(true);
    buildControls();
    m_selection.Form_Load();
    showLists();
}

void FieldSelectionDialog::buildControls() {
    setFixedSize(app::twipsToPixels(3990, this), app::twipsToPixels(3900, this));
    const std::pair<const char *, QPoint> headings[] = {{"Available Fields", {180, 60}},
                                                        {"Fields to Display", {2300, 60}}};
    for (int i = 0; i < 2; ++i) {
        auto *label = new QLabel(QString::fromLatin1(headings[i].first), this);
        label->setObjectName(QStringLiteral("Label_%1").arg(i));
        const QPoint at = headings[i].second;
        label->move(app::twipsToPixels(at.x(), this), app::twipsToPixels(at.y(), this));
    }
    QPalette colours = palette();
    colours.setColor(QPalette::Base, app::colorFromRgb24(int(m_state.BackColor)));
    colours.setColor(QPalette::Text, app::colorFromRgb24(int(m_state.Forecolor)));
    auto list = [&](const QString &name, int left) {
        auto *widget = new QListWidget(this);
        widget->setObjectName(name);
        widget->setGeometry(pixels({left, ListTop, ListWidth, ListHeight}, this));
        widget->setPalette(colours);
        return widget;
    };
    m_sourceList = list(QStringLiteral("SourceList"), 150);
    m_displayList = list(QStringLiteral("DisplayList"), 2300);
    connect(m_sourceList, &QListWidget::itemDoubleClicked, this, [this] { CmdSwap_Click(0); });
    connect(m_displayList, &QListWidget::itemDoubleClicked, this, [this] { CmdSwap_Click(1); });
    QPushButton *toDisplay =
        addButton(QStringLiteral(">"), QStringLiteral("CmdSwap_0"), {1740, 870, 500, 500});
    QPushButton *toSource =
        addButton(QStringLiteral("<"), QStringLiteral("CmdSwap_1"), {1740, 2100, 500, 500});
    QPushButton *done = addButton(QStringLiteral("Done"), QStringLiteral("CmdDone"),
                                  {1000, 3150, ButtonWidth, ButtonHeight});
    QPushButton *cancel = addButton(QStringLiteral("Cancel"), QStringLiteral("CmdCancel"),
                                    {2100, 3150, ButtonWidth, ButtonHeight});
    connect(toDisplay, &QPushButton::clicked, this, [this] { CmdSwap_Click(0); });
    connect(toSource, &QPushButton::clicked, this, [this] { CmdSwap_Click(1); });
    connect(done, &QPushButton::clicked, this, &FieldSelectionDialog::CmdDone_Click);
    connect(cancel, &QPushButton::clicked, this, &FieldSelectionDialog::CmdCancel_Click);
}

QPushButton *FieldSelectionDialog::addButton(const QString &caption, const QString &name,
                                             QRect twips) {
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setGeometry(pixels(twips, this));
    return button;
}

// Fills both lists again; the moved field stays highlighted where it went.
void FieldSelectionDialog::showLists(int displayLine, int sourceLine) {
    m_sourceList->clear();
    m_sourceList->addItems(m_selection.sourceList());
    m_displayList->clear();
    m_displayList->addItems(m_selection.displayList());
    m_sourceList->setCurrentRow(sourceLine);
    m_displayList->setCurrentRow(displayLine);
    m_sourceList->setEnabled(m_selection.listsEnabled());
    m_displayList->setEnabled(m_selection.listsEnabled());
}

void FieldSelectionDialog::CmdSwap_Click(int index) {
    QListWidget *from = index == 0 ? m_sourceList : m_displayList;
    const int highlighted =
        from->currentItem() && from->currentItem()->isSelected() ? from->currentRow() : -1;
    const int line = m_selection.CmdSwap_Click(index, highlighted);
    if (line >= 0)
        index == 0 ? showLists(line, -1) : showLists(-1, line);
}

void FieldSelectionDialog::CmdDone_Click() {
    if (m_selection.CmdDone_Click())
        accept();
    else
        showLists();
}

void FieldSelectionDialog::CmdCancel_Click() {
    m_selection.CmdCancel_Click();
    QDialog::reject();
}

void FieldSelectionDialog::reject() {
    CmdCancel_Click();
}

} // namespace mainwindow

#include "mainwindow/FieldSelectionDialog.h"

#include "app/ScreenUnitsUi.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace mainwindow {

namespace {

constexpr int ListWidth = 1500, ListHeight = 2595, ListTop = 400;
constexpr int ButtonWidth = 975, ButtonHeight = 375;

// The design in twips, grown with the desktop's font.
int px(double twips, const QWidget *w) {
    return app::twipsToPixels(twips * app::desktopFontScale(), w);
}

QRect pixels(QRect twips, const QWidget *w) {
    return {px(twips.x(), w), px(twips.y(), w), px(twips.width(), w), px(twips.height(), w)};
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
    setFixedSize(px(3990, this), px(3900, this));
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
    const std::pair<const char *, QPoint> headings[] = {{"&Available Fields", {180, 60}},
                                                        {"&Fields to Display", {2300, 60}}};
    for (int i = 0; i < 2; ++i) {
        auto *label = new QLabel(QString::fromLatin1(headings[i].first), this);
        label->setObjectName(QStringLiteral("Label_%1").arg(i));
        QListWidget *list = i == 0 ? m_sourceList : m_displayList;
        label->setBuddy(list);
        list->setAccessibleName(label->text().remove(u'&')); // lists do not read their buddy
        const QPoint at = headings[i].second;
        label->move(px(at.x(), this), px(at.y(), this));
    }
    // Enter on a field moves it across, as a double click does.
    m_sourceList->installEventFilter(this);
    m_displayList->installEventFilter(this);
    connect(m_sourceList, &QListWidget::itemDoubleClicked, this, [this] { CmdSwap_Click(0); });
    connect(m_displayList, &QListWidget::itemDoubleClicked, this, [this] { CmdSwap_Click(1); });
    QPushButton *toDisplay =
        addButton(QStringLiteral(">"), QStringLiteral("CmdSwap_0"), {1740, 870, 500, 500});
    QPushButton *toSource =
        addButton(QStringLiteral("<"), QStringLiteral("CmdSwap_1"), {1740, 2100, 500, 500});
    toDisplay->setAccessibleName(QStringLiteral("Move to Fields to Display"));
    toSource->setAccessibleName(QStringLiteral("Move back to Available Fields"));
    QPushButton *done = addButton(QStringLiteral("&Done"), QStringLiteral("CmdDone"),
                                  {1000, 3150, ButtonWidth, ButtonHeight});
    QPushButton *cancel = addButton(QStringLiteral("&Cancel"), QStringLiteral("CmdCancel"),
                                    {2100, 3150, ButtonWidth, ButtonHeight});
    done->setDefault(true);
    QWidget *const readingOrder[] = {m_sourceList,  toDisplay, toSource,
                                     m_displayList, done,      cancel};
    for (int i = 1; i < 6; ++i)
        setTabOrder(readingOrder[i - 1], readingOrder[i]);
    connect(toDisplay, &QPushButton::clicked, this, [this] { CmdSwap_Click(0); });
    connect(toSource, &QPushButton::clicked, this, [this] { CmdSwap_Click(1); });
    connect(done, &QPushButton::clicked, this, &FieldSelectionDialog::CmdDone_Click);
    connect(cancel, &QPushButton::clicked, this, &FieldSelectionDialog::CmdCancel_Click);
}

QPushButton *FieldSelectionDialog::addButton(const QString &caption, const QString &name,
                                             QRect twips) {
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
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

bool FieldSelectionDialog::eventFilter(QObject *watched, QEvent *event) {
    const int key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent *>(event)->key() : 0;
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return QDialog::eventFilter(watched, event);
    // The line with the focus is the highlighted one for the keyboard.
    auto *list = static_cast<QListWidget *>(watched);
    if (list->currentItem())
        list->currentItem()->setSelected(true);
    CmdSwap_Click(list == m_sourceList ? 0 : 1);
    return true;
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

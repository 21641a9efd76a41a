#include "reference/LegendsWindow.h"

#include "app/ScreenUnitsUi.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace reference {

LegendsWindow::LegendsWindow(app::Paths paths, int backColor, int foreColor, QWidget *parent)
    : QWidget(parent, Qt::Window), m_paths(std::move(paths)), m_list(new QListWidget),
      m_text(new QPlainTextEdit), m_note(new QLabel), m_options(6, nullptr) {
    setObjectName(QStringLiteral("FrmLegends"));
    setWindowTitle(QStringLiteral("VAZOdari Legend/Abreviations"));
    m_list->setObjectName(QStringLiteral("LList"));
    m_text->setObjectName(QStringLiteral("LText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_note->setObjectName(QStringLiteral("LNote"));
    m_note->setWordWrap(true);
    m_note->hide();
    auto *boxes = new QHBoxLayout;
    boxes->addWidget(m_list, 2);
    boxes->addWidget(m_text, 3);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(boxes, 1);
    layout->addWidget(m_note);
    layout->addWidget(optionFrames());
    resize(680, 380);
    Form_Load(backColor, foreColor);
}

QRadioButton *LegendsWindow::option(int index, const QString &caption) {
    auto *button = new QRadioButton(caption);
    button->setObjectName(QStringLiteral("XOption%1").arg(index));
    connect(button, &QRadioButton::clicked, this, [this, index] { XOption_Click(index); });
    m_options[index] = button;
    return button;
}

QWidget *LegendsWindow::optionFrames() {
    auto *lists = new QGroupBox;
    auto *listRow = new QHBoxLayout(lists);
    listRow->addWidget(option(CirafOption, QStringLiteral("CIRAF")));
    listRow->addWidget(option(AdmOption, QStringLiteral("ADM")));
    auto *texts = new QGroupBox;
    auto *textRow = new QHBoxLayout(texts);
    textRow->addWidget(option(ContOption, QStringLiteral("Cont.")));
    textRow->addWidget(option(ProgramOption, QStringLiteral("Program")));
    textRow->addWidget(option(StatusOption, QStringLiteral("Status")));
    textRow->addWidget(option(ModeOption, QStringLiteral("Mode")));
    // One choice across both frames, as one set of option buttons.
    auto *frames = new QWidget;
    auto *row = new QHBoxLayout(frames);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(lists, 2);
    row->addWidget(texts, 3);
    for (QRadioButton *button : m_options)
        button->setAutoExclusive(false);
    return frames;
}

void LegendsWindow::Form_Load(int backColor, int foreColor) {
    for (QWidget *box : {static_cast<QWidget *>(m_list), static_cast<QWidget *>(m_text)}) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, app::colorFromRgb24(backColor));
        palette.setColor(QPalette::Text, app::colorFromRgb24(foreColor));
        box->setPalette(palette);
    }
    m_options[AdmOption]->setChecked(true);
    XOption_Click(AdmOption);
}

void LegendsWindow::XOption_Click(int index) {
    for (int i = 0; i < m_options.size(); ++i)
        m_options[i]->setChecked(i == index);
    reference::XOption_Click(*this, m_paths, index);
}

void LegendsWindow::setListEntries(const QStringList &entries) {
    m_list->clear();
    m_list->addItems(entries);
    for (int i = 0; i < m_list->count(); ++i) // long zone lines are read in full here
        m_list->item(i)->setToolTip(entries[i]);
}

void LegendsWindow::setListEnabled(bool enabled) {
    m_list->setEnabled(enabled);
}

void LegendsWindow::setLegendText(const QString &text) {
    m_text->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void LegendsWindow::setNote(const QString &note) {
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
}

} // namespace reference

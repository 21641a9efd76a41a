#include "reference/SingleRecordWindow.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace reference {
namespace {

constexpr int RowsPerColumn = 13;
constexpr int UnlimitedWidthChars = 4;

QFont fixedPitchFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

QLineEdit *makeBox(const RecordBox &wanted, int index) {
    auto *box = new QLineEdit;
    box->setObjectName(QStringLiteral("Txtfields%1").arg(index));
    if (wanted.limit > 0)
        box->setMaxLength(wanted.limit);
    if (wanted.centred)
        box->setAlignment(Qt::AlignCenter);
    box->setToolTip(wanted.toolTip);
    const int chars = wanted.limit > 0 ? wanted.limit : UnlimitedWidthChars;
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(chars + 2, u'W')) / 2 + 12);
    return box;
}

} // namespace

SingleRecordWindow::SingleRecordWindow(jet::TableProvider &tables, QString databaseFile,
                                       QWidget *parent)
    : QWidget(parent, Qt::Window), m_reader(tables), m_databaseFile(std::move(databaseFile)) {
    setObjectName(QStringLiteral("frmILGDataTable"));
    setWindowTitle(QStringLiteral("Single Record"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *grid = new QGridLayout;
    addBoxes(grid);
    m_note = new QLabel;
    m_note->setObjectName(QStringLiteral("LoadNote"));
    m_note->setWordWrap(true);
    m_note->hide();
    grid->addWidget(m_note, 2 + RowsPerColumn, 0, 1, 4);
    for (int i : {0, 1}) {
        m_path[i] = new QLabel;
        m_path[i]->setObjectName(i == 0 ? QStringLiteral("Distance") : QStringLiteral("Bearing"));
        grid->addWidget(m_path[i], 3 + RowsPerColumn + i, 0, 1, 4);
    }
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    // At the foot, so that the Tab order reads the fields first, then "Close".
    layout->addWidget(buttonColumn(), 0, Qt::AlignBottom);
    tabInReadingOrder(grid);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { Cmdilg_Click(3); });
}

void SingleRecordWindow::addBoxes(QGridLayout *grid) {
    const QVector<RecordBox> &wanted = recordBoxes();
    int slot = 0;
    for (int i = 0; i < wanted.size(); ++i) {
        m_boxes.append(makeBox(wanted[i], i));
        auto *label = new QLabel(wanted[i].caption.isEmpty() ? QStringLiteral("StationID:")
                                                             : wanted[i].caption);
        label->setObjectName(wanted[i].caption.isEmpty() ? QStringLiteral("Label")
                                                         : QStringLiteral("Lbllabels%1").arg(i));
        label->setBuddy(m_boxes.last());
        if (i == GraphicBox) {
            m_boxes.last()->setFont(fixedPitchFont());
            auto *scale = new QLabel(HourScale);
            scale->setObjectName(QStringLiteral("HourScale"));
            scale->setFont(fixedPitchFont());
            scale->setContentsMargins(4, 0, 0, 0);
            grid->addWidget(label, 0, 0);
            grid->addWidget(m_boxes.last(), 0, 1, 1, 3);
            grid->addWidget(scale, 1, 1, 1, 3);
            continue;
        }
        const int row = 2 + slot % RowsPerColumn;
        const int column = 2 * (slot / RowsPerColumn);
        grid->addWidget(label, row, column);
        grid->addWidget(m_boxes.last(), row, column + 1);
        ++slot;
    }
}

// Row by row, left to right, as the boxes stand (they are made in field order).
void SingleRecordWindow::tabInReadingOrder(QGridLayout *grid) {
    QMap<std::pair<int, int>, QWidget *> byPlace;
    for (QLineEdit *box : std::as_const(m_boxes)) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->indexOf(box), &row, &column, &rowSpan, &columnSpan);
        byPlace.insert({row, column}, box);
    }
    QList<QWidget *> order = byPlace.values();
    order << m_buttons.last();
    QWidget *previous = nullptr;
    for (QWidget *next : std::as_const(order)) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

QWidget *SingleRecordWindow::buttonColumn() {
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    const QStringList captions = {"Edit", "Update", "Cancel", "Close"};
    for (int i = 0; i < captions.size(); ++i) {
        auto *button = new QPushButton(captions[i]);
        button->setObjectName(QStringLiteral("Cmdilg%1").arg(i));
        connect(button, &QPushButton::clicked, this, [this, i] { Cmdilg_Click(i); });
        layout->addWidget(button);
        m_buttons.append(button);
    }
    return column;
}

void SingleRecordWindow::Form_Load(qint32 stationId) {
    m_error.clear();
    m_reader.open(m_databaseFile, stationId, &m_error);
    m_note->setText(m_error);
    m_note->setVisible(!m_error.isEmpty());
    const QStringList texts = m_reader.boxTexts();
    showTexts(texts);
    const QStringList path = pathLines(m_myLocation, texts[LatiBox], texts[LongiBox]);
    for (int i : {0, 1}) {
        m_path[i]->setText(path.value(i));
        m_path[i]->setVisible(!path.isEmpty());
    }
    TextBoxOFF();
    ButtonsOFF();
    m_buttons[3]->setEnabled(true);
    m_buttons[3]->setDefault(true);
}

// A value longer than its box's limit is shown whole: the limit is for typing only.
void SingleRecordWindow::showTexts(const QStringList &texts) {
    for (int i = 0; i < m_boxes.size(); ++i) {
        QLineEdit *box = m_boxes[i];
        if (recordBoxes()[i].limit > 0)
            box->setMaxLength(std::max<int>(recordBoxes()[i].limit, texts[i].size()));
        box->setText(texts[i]);
        box->setCursorPosition(0);
    }
}

void SingleRecordWindow::TextBoxOFF() {
    for (QLineEdit *box : m_boxes)
        box->setReadOnly(true);
}

void SingleRecordWindow::ButtonsOFF() {
    for (QPushButton *button : m_buttons)
        button->setEnabled(false);
}

void SingleRecordWindow::Cmdilg_Click(int index) {
    if (index == 3)
        close();
}

void SingleRecordWindow::closeEvent(QCloseEvent *event) {
    m_reader.close();
    event->accept();
}

} // namespace reference

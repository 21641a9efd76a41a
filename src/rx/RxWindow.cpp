#include "rx/RxWindow.h"

#include "app/Contrast.h"
#include "app/ScreenUnitsUi.h"
#include "rx/FrequencyText.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace rx {

namespace {

QString stepName(int hz) {
    return hz >= 1000 ? QStringLiteral("%1 kHz").arg(hz / 1000) : QStringLiteral("%1 Hz").arg(hz);
}

QString filterName(int hz) {
    return hz > 0 ? QStringLiteral("%1 Hz").arg(hz) : QStringLiteral("normal");
}

// A label that names the control after it for a screen reader; "&" marks its Alt+letter.
QLabel *labelFor(const QString &text, QWidget *control) {
    auto *label = new QLabel(text);
    label->setBuddy(control);
    return label;
}

} // namespace

RxWindow::RxWindow(ClipboardLink &link, QWidget *parent)
    : QWidget(parent), m_tuning(link), m_digits(new QLabel(QStringLiteral("----.--"))),
      m_note(new QLabel), m_mode(new QComboBox), m_filter(new QComboBox), m_step(new QComboBox),
      m_typed(new QLineEdit), m_signal(new QProgressBar), m_connection(new QLabel),
      m_problem(new QLabel) {
    setWindowTitle(QStringLiteral("Skedwise Receiver"));
    QFont big(QStringLiteral("Monospace"));
    big.setStyleHint(QFont::TypeWriter);
    big.setPointSize(36);
    big.setBold(true);
    m_digits->setFont(big);
    m_digits->setMinimumHeight(QFontMetrics(big).height() + 8); // never squeezed by long lines
    m_digits->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_digits->setToolTip(QStringLiteral("Turn the mouse wheel here to tune by the step"));
    m_digits->installEventFilter(this);
    m_signal->setRange(0, 15); // S0 .. S9+36
    m_signal->setFormat(QStringLiteral("no signal reading"));
    m_connection->setWordWrap(true);
    m_problem->setWordWrap(true);
    // Dark red on a light window, light red on a dark one.
    QPalette problemColours = m_problem->palette();
    const int window = app::rgb24FromColor(problemColours.color(QPalette::Window));
    problemColours.setColor(QPalette::WindowText,
                            app::colorFromRgb24(app::readableOn(window, {0x0000a0, 0x8080ff})));
    m_problem->setPalette(problemColours);
    m_signal->setAccessibleName(QStringLiteral("Signal"));
    showFrequency(QStringLiteral("----.--"));
    auto *layout = new QVBoxLayout(this);
    auto *digitsRow = new QHBoxLayout;
    digitsRow->addWidget(m_digits, 1);
    digitsRow->addWidget(new QLabel(QStringLiteral("kHz")));
    layout->addLayout(digitsRow);
    layout->addWidget(m_note);
    layout->addWidget(buildModeRow());
    layout->addWidget(buildTuningRow());
    layout->addWidget(m_signal);
    layout->addWidget(m_connection);
    layout->addWidget(m_problem);
}

QWidget *RxWindow::buildModeRow() {
    auto *row = new QWidget;
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(labelFor(QStringLiteral("&Mode:"), m_mode));
    h->addWidget(m_mode);
    h->addWidget(labelFor(QStringLiteral("&Filter:"), m_filter));
    h->addWidget(m_filter);
    h->addStretch();
    auto *settings = new QPushButton(QStringLiteral("&Settings..."));
    h->addWidget(settings);
    connect(settings, &QPushButton::clicked, this, &RxWindow::settingsAsked);
    connect(m_mode, &QComboBox::activated, this, &RxWindow::chooseMode);
    connect(m_filter, &QComboBox::activated, this, &RxWindow::chooseMode);
    return row;
}

QWidget *RxWindow::buildTuningRow() {
    auto *row = new QWidget;
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto *down = new QPushButton(QStringLiteral("<"));
    auto *up = new QPushButton(QStringLiteral(">"));
    down->setToolTip(QStringLiteral("Down by the step"));
    up->setToolTip(QStringLiteral("Up by the step"));
    down->setAccessibleName(down->toolTip());
    up->setAccessibleName(up->toolTip());
    m_typed->setAccessibleName(QStringLiteral("Frequency to tune to, in kHz"));
    for (int hz : TuningPanel::steps())
        m_step->addItem(stepName(hz), hz);
    m_step->setCurrentIndex(m_step->findData(m_tuning.step()));
    m_typed->setPlaceholderText(QStringLiteral("kHz, Enter tunes"));
    h->addWidget(labelFor(QStringLiteral("S&tep:"), m_step));
    h->addWidget(m_step);
    h->addWidget(down);
    h->addWidget(up);
    h->addWidget(m_typed, 1);
    connect(m_step, &QComboBox::activated, this,
            [this](int) { m_tuning.chooseStep(m_step->currentData().toInt()); });
    connect(down, &QPushButton::clicked, this, [this] { outcome(m_tuning.stepBy(-1)); });
    connect(up, &QPushButton::clicked, this, [this] { outcome(m_tuning.stepBy(1)); });
    connect(m_typed, &QLineEdit::returnPressed, this,
            [this] { outcome(m_tuning.typed(m_typed->text())); });
    return row;
}

bool RxWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_digits && event->type() == QEvent::Wheel) {
        outcome(m_tuning.wheel(static_cast<QWheelEvent *>(event)->angleDelta().y()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void RxWindow::outcome(const QString &why) {
    showLine(m_problem, why.isEmpty() ? QString() : QStringLiteral("Not tuned: ") + why);
}

void RxWindow::showProblem(const QString &text) {
    showLine(m_problem, text);
}

void RxWindow::showLine(QLabel *label, const QString &text) {
    if (label->text() == text)
        return;
    label->setText(text);
    fitTexts();
}

// Wrapped lines need more height the narrower the window is; a window does not grow for them
// by itself, and its texts would be squeezed onto one another.
void RxWindow::fitTexts() {
    const int height = layout()->totalHeightForWidth(width());
    if (height > 0)
        setMinimumHeight(height);
}

void RxWindow::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    fitTexts();
}

void RxWindow::chooseMode() {
    if (!m_filling)
        emit modeChosen(m_mode->currentText(), m_filter->currentData().toInt());
}

void RxWindow::fillChoices(const RigState &state) {
    m_filling = true;
    if (m_shownModes != state.modes) {
        m_shownModes = state.modes;
        m_mode->clear();
        m_mode->addItems(state.modes);
        m_filter->clear();
        for (int hz : state.filters)
            m_filter->addItem(filterName(hz), hz);
    }
    if (!state.mode.isEmpty() && m_mode->findText(state.mode) < 0)
        m_mode->addItem(state.mode);
    m_mode->setCurrentIndex(m_mode->findText(state.mode));
    if (m_filter->findData(state.filterHz) < 0)
        m_filter->addItem(filterName(state.filterHz), state.filterHz);
    m_filter->setCurrentIndex(m_filter->findData(state.filterHz));
    m_filling = false;
}

// The screen reader hears the frequency when it changes, not at every poll of the rig.
void RxWindow::showFrequency(const QString &kHz) {
    if (kHz == m_digits->text() && !m_digits->accessibleName().isEmpty())
        return;
    m_digits->setText(kHz);
    m_digits->setAccessibleName(kHz.startsWith(u'-')
                                    ? QStringLiteral("Frequency unknown")
                                    : QStringLiteral("Frequency ") + kHz + QStringLiteral(" kHz"));
}

void RxWindow::showState(const RigState &state) {
    showFrequency(state.hzKnown ? kHzText(state.hz) : QStringLiteral("----.--"));
    showLine(m_note, state.hzKnown && !state.hzFromRig
                         ? QStringLiteral("last set here: this receiver cannot report it")
                         : QString());
    fillChoices(state);
    const QString s = sMeterText(state.signalDb);
    m_signal->setValue(state.signalDb ? std::clamp(9 + *state.signalDb / 6, 0, 15) : 0);
    m_signal->setFormat(s.isEmpty() ? QStringLiteral("no signal reading") : s);
    showLine(m_connection, state.line);
    if (state.connected && m_problem->text().startsWith(QLatin1String("Status request")))
        showLine(m_problem, QString());
}

} // namespace rx

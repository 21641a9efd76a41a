#include "rx/ClipboardLink.h"

#include "receiver/ReceiverMessages.h"
#include "rx/FrequencyText.h"

#include <utility>

using receiver::MessageKind;

namespace rx {

namespace {
constexpr int LongestModeName = 8;
}

ClipboardLink::ClipboardLink(app::Clipboard &clipboard, TunePort &rig)
    : m_clipboard(clipboard), m_rig(rig) {}

void ClipboardLink::poll() {
    if (!m_clipboard.settled())
        return; // a change is still being read: it may be a newer request
    const QString text = m_clipboard.text();
    const receiver::Message message = receiver::parseMessage(text);
    if (message.kind == MessageKind::TuneRequest)
        takeTuneRequest(message.payload, std::nullopt);
    else if (message.kind == MessageKind::TuneModeRequest) {
        const receiver::TuneMode request = receiver::parseTuneModePayload(message.payload);
        takeTuneRequest(request.frequency, request.mode);
    } else if (message.kind == MessageKind::StatusRequest)
        answerStatusRequest(text);
    else if (m_due && message.kind != MessageKind::StatusReply) {
        put(*m_due);
        m_due.reset();
    }
}

// The report echoes the frequency text alone, as for a request without a mode. A mode that
// cannot be set leaves the receiver's mode as it is; the frequency is tuned all the same.
void ClipboardLink::takeTuneRequest(const QString &payload, const std::optional<QString> &mode) {
    m_clipboard.clear();
    QString why;
    const std::optional<double> hz = parseFrequencyKHz(payload, why);
    if (hz)
        why = rangeProblem(*hz, m_state.minHz, m_state.maxHz);
    if (!why.isEmpty()) {
        emit problem(QStringLiteral("Not tuned: ") + why);
        return;
    }
    const QString modeWhy = mode ? modeProblem(*mode) : QString();
    // An empty text takes back an earlier refusal.
    emit problem(modeWhy.isEmpty() ? QString()
                                   : QStringLiteral("Tuned, mode left as it is: ") + modeWhy);
    const QString modeToSet = mode && modeWhy.isEmpty() ? mode->trimmed().toUpper() : QString();
    order(*hz, receiver::composeMessage(MessageKind::FreqReport, payload), modeToSet);
}

QString ClipboardLink::modeProblem(const QString &mode) const {
    const QString name = mode.trimmed().toUpper();
    if (name.isEmpty())
        return QStringLiteral("the request names no mode");
    if (name.size() > LongestModeName)
        return QStringLiteral("\"%1…\" is not a mode").arg(mode.left(LongestModeName));
    if (!m_state.modes.isEmpty() && !m_state.modes.contains(name))
        return QStringLiteral("the receiver has no mode %1").arg(name);
    return {};
}

void ClipboardLink::answerStatusRequest(const QString &request) {
    // Left on the clipboard while the receiver is gone: answered once it is back.
    if (!m_state.connected) {
        if (m_unansweredShown != request)
            emit problem(QStringLiteral("Status request not answered: ") + m_state.line);
        m_unansweredShown = request;
        return;
    }
    m_unansweredShown.clear();
    put(receiver::composeMessage(MessageKind::StatusReply, statusPayload(m_state)));
}

bool ClipboardLink::userTune(double hz, QString &why) {
    why = rangeProblem(hz, m_state.minHz, m_state.maxHz);
    if (!why.isEmpty())
        return false;
    order(hz, receiver::composeMessage(MessageKind::FreqReport,
                                       receiver::forcedFreqPayload(hz / 1000.0)));
    return true;
}

void ClipboardLink::order(double hz, const QString &report, const QString &mode) {
    m_pendingReport = report;
    m_due.reset(); // the report of an earlier order is overtaken
    if (mode.isEmpty())
        m_rig.tune(hz, ++m_ticket);
    else
        m_rig.tuneInMode(hz, mode, ++m_ticket);
}

void ClipboardLink::report(const QString &text) {
    m_due = text;
    poll();
}

void ClipboardLink::rigStateChanged(const RigState &state) {
    m_state = state;
}

void ClipboardLink::rigTuned(double, quint64 ticket) {
    // Only the latest order is answered; older ones were overtaken while the rig was away.
    if (ticket != m_ticket || m_pendingReport.isEmpty())
        return;
    report(std::exchange(m_pendingReport, QString()));
}

void ClipboardLink::rigMoved(double hz) {
    report(receiver::composeMessage(MessageKind::FreqReport,
                                    receiver::forcedFreqPayload(hz / 1000.0)));
}

void ClipboardLink::put(const QString &text) {
    m_clipboard.clear();
    m_clipboard.setText(text);
}

} // namespace rx

#include "rx/ClipboardLink.h"

#include "receiver/ReceiverMessages.h"
#include "rx/FrequencyText.h"

#include <utility>

using receiver::MessageKind;

namespace rx {

ClipboardLink::ClipboardLink(app::Clipboard &clipboard, TunePort &rig)
    : m_clipboard(clipboard), m_rig(rig) {}

void ClipboardLink::poll() {
    if (!m_clipboard.settled())
        return; // a change is still being read: it may be a newer request
    const QString text = m_clipboard.text();
    const receiver::Message message = receiver::parseMessage(text);
    if (message.kind == MessageKind::TuneRequest)
        takeTuneRequest(message.payload);
    else if (message.kind == MessageKind::StatusRequest)
        answerStatusRequest(text);
    else if (m_due && message.kind != MessageKind::StatusReply) {
        put(*m_due);
        m_due.reset();
    }
}

void ClipboardLink::takeTuneRequest(const QString &payload) {
    m_clipboard.clear();
    QString why;
    const std::optional<double> hz = parseFrequencyKHz(payload, why);
    if (hz)
        why = rangeProblem(*hz, m_state.minHz, m_state.maxHz);
    if (!why.isEmpty()) {
        emit problem(QStringLiteral("Not tuned: ") + why);
        return;
    }
    emit problem(QString()); // an earlier refusal no longer applies
    order(*hz, receiver::composeMessage(MessageKind::FreqReport, payload));
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

void ClipboardLink::order(double hz, const QString &report) {
    m_pendingReport = report;
    m_due.reset(); // the report of an earlier order is overtaken
    m_rig.tune(hz, ++m_ticket);
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

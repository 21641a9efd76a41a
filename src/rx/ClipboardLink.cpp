#include "rx/ClipboardLink.h"

#include "receiver/ReceiverMessages.h"
#include "rx/FrequencyText.h"

using receiver::MessageKind;

namespace rx {

ClipboardLink::ClipboardLink(app::Clipboard &clipboard, TunePort &rig)
    : m_clipboard(clipboard), m_rig(rig) {}

void ClipboardLink::poll() {
    const QString text = m_clipboard.text();
    const receiver::Message message = receiver::parseMessage(text);
    if (message.kind == MessageKind::TuneRequest)
        takeTuneRequest(message.payload);
    else if (message.kind == MessageKind::StatusRequest)
        answerStatusRequest(text);
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
    m_rig.tune(hz, ++m_ticket);
}

void ClipboardLink::rigStateChanged(const RigState &state) {
    m_state = state;
}

void ClipboardLink::rigTuned(double, quint64 ticket) {
    // Only the latest order is answered; older ones were overtaken while the rig was away.
    if (ticket != m_ticket || m_pendingReport.isEmpty())
        return;
    put(m_pendingReport);
    m_pendingReport.clear();
}

void ClipboardLink::rigMoved(double hz) {
    put(receiver::composeMessage(MessageKind::FreqReport,
                                 receiver::forcedFreqPayload(hz / 1000.0)));
}

void ClipboardLink::put(const QString &text) {
    m_clipboard.clear();
    m_clipboard.setText(text);
}

} // namespace rx

#include "receiver/ReceiverLink.h"

#include "receiver/ReceiverMessages.h"
#include "schedule/QueryComposer.h"
#include "schedule/QueryComposition.h"

#include <exception>

namespace receiver {

namespace {

const QString FreqField = QStringLiteral("Freq");

bool isTrue(const QString &flag) {
    return flag.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
}

bool findFirst(jet::RecordSet &rs, const QString &criterion) {
    return rs.findFirst(criterion) && !rs.noMatch();
}

void scrollToCurrent(LinkPort &port) {
    port.setFirstVisibleRow(port.bookmarkAtOffset(-port.state().HalfRows));
}

// Restores redraw and pointer however the find ends.
struct RedrawGuard {
    LinkPort &port;
    ~RedrawGuard() {
        port.setGridRedraw(true);
        port.setBusyPointer(false);
    }
};

// Holds the step flag up for a scope, whatever way it ends.
struct StepGuard {
    bool &flag;
    bool before;
    explicit StepGuard(bool &f) : flag(f), before(f) { flag = true; }
    ~StepGuard() { flag = before; }
};

} // namespace

ReportedFrequency reportedFrequency(const QString &report) {
    const QString payload = report.left(MaxReportLength);
    bool number = false;
    const double value = payload.trimmed().toDouble(&number);
    if (!number || !(value > ForcedOffsetKHz))
        return {payload, false};
    const double kHz = value - ForcedOffsetKHz;
    QString text = QString::number(kHz, 'f', 1);
    const qsizetype point = text.indexOf(u'.');
    if (point < 3)
        text.prepend(QString(3 - point, u'0'));
    return {schedule::PadB(text, 7), true};
}

bool sameFrequency(const jet::RecordSet &rs, int position, int other) {
    const int freq = rs.fieldIndex(u"Freq");
    return rs.value(position, freq) == rs.value(other, freq);
}

QString exactFreqCriterion(const QString &freq) {
    return QStringLiteral("Freq  = '") + schedule::sqlValue(freq) + QStringLiteral("' ");
}

QString nextFreqCriterion(const QString &freq, const QString &fSortStr) {
    const QString op =
        fSortStr.isEmpty() ? QStringLiteral("Freq  > '") : QStringLiteral("Freq  < '");
    return op + schedule::sqlValue(freq) + QStringLiteral("' ");
}

QString label0ToolTip(const QString &doTips) {
    return isTrue(doTips) ? QStringLiteral(" Selected Frequency") : QString();
}

QString cmdGoToolTip(const QString &doTips) {
    return isTrue(doTips) ? QStringLiteral(" Click to Recall last Selected ") : QString();
}

void ReceiverLink::SendTuneRequest(const QString &freq, const QString &modeField) {
    m_port.setLabel0(freq);
    const app::ProgramState &s = m_port.state();
    if (!isTrue(s.LinkOK))
        return;
    const QString message =
        s.own.SetReceiverMode
            ? composeMessage(MessageKind::TuneModeRequest,
                             composeTuneModePayload(freq, receiverModeOfRow(modeField)))
            : composeMessage(MessageKind::TuneRequest, freq);
    m_port.clipboard().clear();
    m_port.clipboard().setText(message);
}

void ReceiverLink::PickRow(const QString &freq) {
    SendTuneRequest(freq, app::rowFieldText(m_port, m_port.currentBookmark(), u"Mode"));
    StepGuard guard(m_inStep);
    m_port.reTuneRule();
}

app::ClipboardStepResult ReceiverLink::ClipboardStep() {
    if (m_inStep)
        return app::ClipboardStepResult::Nothing;
    StepGuard guard(m_inStep);
    try {
        return handle(m_port.clipboard().text());
    } catch (const std::exception &) {
        return app::ClipboardStepResult::Failed;
    }
}

void ReceiverLink::takeStatusReply(int maxWaitMs) {
    StepGuard guard(m_inStep);
    m_port.clipboard().waitSettled(maxWaitMs);
    storeStatusReply(m_port.clipboard().text());
}

bool ReceiverLink::storeStatusReply(const QString &text) {
    const Message message = parseMessage(text);
    if (message.kind != MessageKind::StatusReply)
        return false;
    m_port.state().RadioStatus = message.payload;
    m_port.clipboard().clear();
    return true;
}

app::ClipboardStepResult ReceiverLink::handle(const QString &text) {
    if (storeStatusReply(text))
        return app::ClipboardStepResult::Handled;
    const Message message = parseMessage(text);
    if (message.kind != MessageKind::FreqReport)
        return app::ClipboardStepResult::Nothing;
    FindRadioFreq(message.payload);
    m_port.clipboard().clear();
    return app::ClipboardStepResult::Handled;
}

void ReceiverLink::FindRadioFreq(const QString &payload) {
    app::ProgramState &s = m_port.state();
    m_port.reTuneRule();
    s.FindType = 7;
    const ReportedFrequency reported = reportedFrequency(payload);
    s.RadioFreq = reported.text;
    if (s.SortBy != FreqField) {
        if (!reported.forced) {
            s.FindType = 0;
            m_port.clearFindMarking();
            m_port.refreshGrid();
            return;
        }
        s.FindType = 7;
        s.SortBy = FreqField;
        m_port.ReadDB(s.SQLStr);
    }
    followFrequency(reported.text);
}

void ReceiverLink::followFrequency(const QString &freq) {
    app::ProgramState &s = m_port.state();
    m_port.setBusyPointer(true);
    s.HalfRows = qint16(m_port.visibleRowCount() / 2);
    m_port.setGridRedraw(false);
    RedrawGuard guard{m_port};
    jet::RecordSet &rs = m_port.data1().recordset();
    const int picked = rs.position();
    rs.moveFirst();
    const bool exact = findFirst(rs, exactFreqCriterion(freq));
    // The pick's own report, or the knob turned back: of several records on the frequency, the
    // one the listener chose stays current (a log entry opened next is for that station).
    if (exact && picked >= 0 && sameFrequency(rs, rs.position(), picked)) {
        rs.moveTo(picked);
        return;
    }
    const int found = rs.position();
    m_port.resetGridRows();
    m_port.resetGridSelection();
    rs.moveTo(found);
    scrollToCurrent(m_port);
    if (exact)
        return;
    m_port.resetGridRows();
    m_port.resetGridSelection();
    rs.moveFirst();
    findFirst(rs, nextFreqCriterion(freq, s.FSortStr));
    scrollToCurrent(m_port);
}

void ReceiverLink::CmdGo_Click() {
    const app::ProgramState &s = m_port.state();
    m_port.setGridRedraw(false);
    try {
        m_port.resetGridRows();
        m_port.resetGridSelection();
        jet::RecordSet &rs = m_port.data1().recordset();
        rs.moveFirst();
        rs.findFirst(QStringLiteral("StationID  = ") + QString::number(s.LastStationID) +
                     QStringLiteral(" "));
        scrollToCurrent(m_port);
    } catch (const std::exception &) {
        // The recall is a convenience; a failure leaves the grid where it was.
    }
    m_port.setGridRedraw(true);
}

void ReceiverLink::DoLink_Click(int index) {
    if (index != 0 && index != 1)
        return;
    m_port.state().LinkOK = index == 0 ? QStringLiteral("True") : QStringLiteral("False");
    setMenuChecks();
}

void ReceiverLink::setMenuChecks() {
    const bool on = isTrue(m_port.state().LinkOK);
    m_port.setLinkChecks(on, !on);
}

} // namespace receiver

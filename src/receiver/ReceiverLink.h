#pragma once

#include "app/ClipboardStep.h"
#include "receiver/LinkPort.h"

namespace receiver {

// Longer reports are cut: no stored frequency is longer, and the finds and the row styling
// would otherwise compare the whole text on every row.
inline constexpr int MaxReportLength = 32;

// The frequency a report names: a number above 40000 is forced ("##000.0" of the number less
// 40000, seven characters); anything else is used as it is, up to MaxReportLength.
struct ReportedFrequency {
    QString text;
    bool forced = false;
};
ReportedFrequency reportedFrequency(const QString &payload);

// Find criteria with the value quoted safely.
QString exactFreqCriterion(const QString &freq);
QString nextFreqCriterion(const QString &freq, const QString &fSortStr);

// Tool tips of Label(0) and CmdGo; "" when DoTips is not True.
QString label0ToolTip(const QString &doTips);
QString cmdGoToolTip(const QString &doTips);

// The clipboard exchange with the receiver-control program and the grid following it.
class ReceiverLink {
public:
    explicit ReceiverLink(LinkPort &port) : m_port(port) {}

    // Label(0) shows freq; with LinkOK a request goes out: "101011" with the mode for the
    // row's Mode field while SetReceiverMode is on, else "101010".
    void SendTuneRequest(const QString &freq, const QString &modeField = {});
    // A row pick: the tune request with the current row's mode, then the log's re-tune rule.
    void PickRow(const QString &freq);
    // The clipboard part of a timer tick. A tick arriving while a step or a pick is still
    // running (its question is open) does nothing: the report waits, and one pick or one
    // report asks at most once.
    app::ClipboardStepResult ClipboardStep();
    // The last look before an entry is closed without a reply: a status reply read since the
    // last tick, or within maxWaitMs, is stored as the tick would store it.
    void takeStatusReply(int maxWaitMs);
    void FindRadioFreq(const QString &payload);
    void CmdGo_Click();
    void DoLink_Click(int index);
    // The check marks from LinkOK, at window load.
    void setMenuChecks();

private:
    app::ClipboardStepResult handle(const QString &text);
    bool storeStatusReply(const QString &text);
    void followFrequency(const QString &freq);

    LinkPort &m_port;
    bool m_inStep = false;
};

} // namespace receiver

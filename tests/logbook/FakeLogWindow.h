#pragma once

#include "logbook/ReceptionLog.h"
#include "receiver/ReceiverLink.h"
#include "support/FakeGridWindow.h"
#include "support/TestSupport.h"

#include <functional>
#include <utility>

namespace testsupport {

inline std::shared_ptr<const jet::Table> loggedStations() {
    return tableFromCsv(jet::parseCsv(
        "StationID,Freq,Station,ADM,Language,Power\r\n"
        "1,6000,\"Radio Beta\",\"D\",\"German\",\"100.0\"\r\n"
        "2,9575.25,\"Radio Alpha\",\"F\",\"English\",\"250.55\"\r\n"
        "3,9580,\"ABCDEFGHIJKLMNOPQRSTUV\",\"USA\",\"Spanish\",\"500\"\r\n"
        "4,15345,\"R\u00e1dio Nacional \u00d1\",\"ARG\",\"Espa\u00f1ol\",\"100.00\"\r\n"));
}

// A main window without windows for the log and the link together: the link's re-tune rule
// is the log's, as in the program.
class FakeLogWindow : public FakeGridWindow, public logbook::LogPort, public receiver::LinkPort {
public:
    explicit FakeLogWindow(app::FileSystem &fileSystem)
        : FakeGridWindow(loggedStations()), files(fileSystem), log(*this), link(*this) {
        fixedClock.now = QDateTime(QDate(2024, 5, 17), QTime(1, 30, 40));
    }

    FixedClock fixedClock;
    app::FileSystem &files;
    QString dir = "/prog";
    QString data = "/data";
    std::function<void()> whileAsked; // the world goes on while a question is open
    struct AskingPrompts : app::ScriptedPrompts {
        explicit AskingPrompts(std::function<void()> *w) : whileAsked(w) {}
        std::function<void()> *whileAsked;
        int messageBox(const QString &text, const QString &title, app::Buttons b) override {
            if (*whileAsked)
                std::exchange(*whileAsked, nullptr)();
            return ScriptedPrompts::messageBox(text, title, b);
        }
    } script{&whileAsked};     // in place of the grid's own
    QString buttons = "unset"; // "ON-" : Log ON enabled, Log OFF disabled
    QString sinpoChecks;
    QString linkChecks;
    int notices = 0;
    int remarksDialogs = 0;
    std::function<void(FakeLogWindow &)> remarks; // plays the user's part in FrmRemarks
    logbook::ReceptionLog log;
    receiver::ReceiverLink link;

    // Moves the grid to the station with this id.
    void pick(int stationId) {
        rs().moveFirst();
        rs().findFirst("StationID = " + QString::number(stationId));
    }

    // LogPort and LinkPort alike.
    app::Clipboard &clipboard() override { return clip; }

    app::Prompts &prompts() override { return script; }

    // LogPort.
    const app::Clock &clock() override { return fixedClock; }
    app::FileSystem &fileSystem() override { return files; }
    QString logFolder() const override { return dir; }
    QString dataDir() const override { return data; }
    jet::DataSource &data2() override { return lookup; }
    void setLogButtons(bool on, bool off) override {
        buttons = QString(on ? "ON" : "--") + (off ? "OFF" : "---");
    }
    void setSinpoChecks(bool no, bool yes) override {
        sinpoChecks = QString(no ? "X" : "-") + (yes ? "X" : "-");
    }
    void showLogNotice() override { ++notices; }
    void showRemarksDialog() override {
        ++remarksDialogs;
        if (remarks)
            remarks(*this);
    }
    void lastLookForReply() override { link.takeStatusReply(0); }

    // LinkPort.
    void setLabel0(const QString &) override {}
    void setLinkChecks(bool enabled, bool disabled) override {
        linkChecks = QString(enabled ? "X" : "-") + (disabled ? "X" : "-");
    }
    void reTuneRule() override { log.ReTuneRule(); }
};

} // namespace testsupport

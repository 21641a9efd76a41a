#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace testsupport {

// A display of our own when none is set, so the test runs the same everywhere.
struct OwnXServer {
    QProcess xvfb;
    bool start() {
        if (qEnvironmentVariableIsSet("SKEDWISE_TEST_DISPLAY")) {
            qputenv("DISPLAY", qgetenv("SKEDWISE_TEST_DISPLAY"));
            return true;
        }
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("xclip").isEmpty())
            return false;
        int display = 90 + int(QCoreApplication::applicationPid() % 400);
        while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)))
            ++display;
        xvfb.start("Xvfb", {QStringLiteral(":%1").arg(display), "-nolisten", "tcp", "-screen", "0",
                            "1024x768x24"});
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
        for (int i = 0; i < 100 && !QFileInfo::exists(socket); ++i)
            QThread::msleep(50);
        qputenv("DISPLAY", QByteArray(":") + QByteArray::number(display));
        return QFileInfo::exists(socket);
    }
    ~OwnXServer() {
        if (xvfb.state() != QProcess::NotRunning) {
            xvfb.terminate();
            xvfb.waitForFinished(3000);
        }
    }
};

// Runs xclip without blocking the event loop: this process may have to answer it.
inline QString xclip(const QStringList &args, const QByteArray &input = {}) {
    QProcess p;
    p.start(QStringLiteral("xclip"), QStringList{"-selection", "clipboard"} + args);
    p.waitForStarted();
    if (!input.isNull()) {
        p.write(input);
        p.closeWriteChannel();
    }
    QElapsedTimer waited;
    waited.start();
    while (p.state() != QProcess::NotRunning && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString otherProcessReads() {
    return xclip({"-o"});
}

inline void otherProcessWrites(const QByteArray &text) {
    xclip({"-i"}, text);
}

} // namespace testsupport

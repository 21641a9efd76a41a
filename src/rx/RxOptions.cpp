#include "rx/RxOptions.h"

#include "rx/HamlibRig.h"
#include "rx/Rx320Rig.h"
#include "rx/TciRig.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QSettings>

namespace rx {

RigChoice loadChoice(QSettings &settings) {
    RigChoice c;
    c.model = settings.value(QStringLiteral("rig/model"), HamlibRig::DummyModel).toInt();
    c.port = settings.value(QStringLiteral("rig/port")).toString();
    c.speed = settings.value(QStringLiteral("rig/speed"), 0).toInt();
    return c;
}

void saveChoice(QSettings &settings, const RigChoice &c) {
    settings.setValue(QStringLiteral("rig/model"), c.model);
    settings.setValue(QStringLiteral("rig/port"), c.port);
    settings.setValue(QStringLiteral("rig/speed"), c.speed);
}

LastSet loadLastSet(QSettings &settings) {
    const LastSet defaults;
    return {settings.value(QStringLiteral("lastSet/hz"), defaults.hz).toDouble(),
            settings.value(QStringLiteral("lastSet/mode"), defaults.mode).toString(),
            settings.value(QStringLiteral("lastSet/filterHz"), defaults.filterHz).toInt()};
}

void keepLastSet(QSettings &settings, const RigState &state) {
    if (!state.hzKnown || state.hzFromRig)
        return;
    const LastSet kept = loadLastSet(settings);
    if (kept.hz == state.hz && kept.mode == state.mode && kept.filterHz == state.filterHz)
        return;
    settings.setValue(QStringLiteral("lastSet/hz"), state.hz);
    settings.setValue(QStringLiteral("lastSet/mode"), state.mode);
    settings.setValue(QStringLiteral("lastSet/filterHz"), state.filterHz);
    settings.sync(); // kept even if the program is killed
}

namespace {

bool readNumber(const QCommandLineParser &parser, const QString &name, int &into, QString &why) {
    if (!parser.isSet(name))
        return true;
    if (name == u"m" && parser.value(name).compare(u"tci", Qt::CaseInsensitive) == 0) {
        into = TciRig::Model;
        return true;
    }
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < 0) {
        why = QStringLiteral("-%1 wants a number, not \"%2\"").arg(name, parser.value(name));
        return false;
    }
    into = value;
    return true;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments, const RigChoice &saved) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Skedwise Receiver: tunes a receiver for the Skedwise schedule."));
    parser.addOptions({
        {{QStringLiteral("m"), QStringLiteral("model")},
         QStringLiteral("Hamlib model number (1 dummy, 2 rigctld, 16003 RX-320), or tci."),
         QStringLiteral("MODEL")},
        {{QStringLiteral("r"), QStringLiteral("rig-file")},
         QStringLiteral("Serial port, or host:port of rigctld or of a TCI server."),
         QStringLiteral("PATH")},
        {{QStringLiteral("s"), QStringLiteral("serial-speed")},
         QStringLiteral("Serial speed in baud."),
         QStringLiteral("SPEED")},
    });
    const QCommandLineOption help = parser.addHelpOption();
    CommandLine result;
    result.choice = saved;
    if (!parser.parse(arguments)) {
        result.text = parser.errorText();
        return result;
    }
    if (parser.isSet(help) || !parser.positionalArguments().isEmpty()) {
        result.help = true;
        // Parsed before the application object exists, Qt knows no program name yet.
        const QString name =
            QFileInfo(arguments.value(0, QStringLiteral("skedwise-rx"))).fileName();
        result.text = parser.helpText().replace(QStringLiteral("<executable_name>"), name);
        return result;
    }
    if (!readNumber(parser, QStringLiteral("m"), result.choice.model, result.text) ||
        !readNumber(parser, QStringLiteral("s"), result.choice.speed, result.text))
        return result;
    if (parser.isSet(QStringLiteral("r")))
        result.choice.port = parser.value(QStringLiteral("r"));
    return result;
}

std::unique_ptr<Rig> makeRig(const RigChoice &c, const LastSet &last) {
    if (c.model == TciRig::Model)
        return std::make_unique<TciRig>(c.port);
    if (c.model == Rx320Rig::HamlibModel)
        return std::make_unique<Rx320Rig>(c.port.isEmpty() ? QStringLiteral("/dev/ttyUSB0")
                                                           : c.port,
                                          last.hz, last.mode, last.filterHz);
    QString port = c.port;
    if (port.isEmpty() && c.model == HamlibRig::NetModel)
        port = QStringLiteral("127.0.0.1:4532");
    return std::make_unique<HamlibRig>(c.model, port, c.speed);
}

} // namespace rx

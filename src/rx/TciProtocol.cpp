#include "rx/TciProtocol.h"

#include <cmath>

namespace rx::tci {

namespace {

constexpr double S9Dbm = -73;

std::optional<double> number(const QString &text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

bool isReceiver0(const QStringList &args) {
    return !args.isEmpty() && args[0] == u"0";
}

} // namespace

QList<Command> parseMessage(QStringView message) {
    QList<Command> commands;
    for (const QStringView part : message.split(u';')) {
        const QStringView text = part.trimmed();
        if (text.isEmpty())
            continue;
        const qsizetype colon = text.indexOf(u':');
        Command c{text.left(colon).trimmed().toString().toLower(), {}};
        if (colon >= 0)
            for (const QStringView arg : text.mid(colon + 1).split(u','))
                c.args << arg.trimmed().toString();
        commands << c;
    }
    return commands;
}

void apply(const Command &c, State &state) {
    const QStringList &a = c.args;
    if (c.name == u"ready") {
        state.ready = true;
    } else if (c.name == u"device" && !a.isEmpty()) {
        state.device = a[0];
    } else if (c.name == u"modulations_list") {
        state.modulations.clear();
        for (const QString &m : a)
            state.modulations << m.toLower();
    } else if (c.name == u"vfo" && a.size() == 3 && isReceiver0(a) && a[1] == u"0") {
        if (const auto hz = number(a[2]); hz && *hz > 0)
            state.hz = hz;
    } else if (c.name == u"modulation" && a.size() == 2 && isReceiver0(a) && !a[1].isEmpty()) {
        state.mode = modeOfTci(a[1]);
    } else if (c.name == u"rx_smeter" && a.size() == 3 && isReceiver0(a) && a[1] == u"0") {
        if (const auto dbm = number(a[2]))
            state.dbm = dbm;
    } else if (c.name == u"rx_sensors" && a.size() >= 2 && isReceiver0(a)) { // TCI before 1.5
        if (const auto dbm = number(a[1]))
            state.dbm = dbm;
    }
}

QString frequencyCommand(double hz) {
    return QStringLiteral("vfo:0,0,%1;").arg(qint64(std::llround(hz)));
}

QString modulationCommand(const QString &mode) {
    const QString tci = tciMode(mode);
    return tci.isEmpty() ? QString() : QStringLiteral("modulation:0,%1;").arg(tci);
}

QString tciMode(const QString &mode) {
    const QString upper = mode.toUpper();
    if (upper == u"FM")
        return QStringLiteral("nfm");
    static const QStringList known = {"AM", "SAM", "DSB", "LSB",  "USB",
                                      "CW", "WFM", "DRM", "DIGL", "DIGU"};
    return known.contains(upper) ? upper.toLower() : QString();
}

QString modeOfTci(const QString &tci) {
    const QString lower = tci.toLower();
    return lower == u"nfm" ? QStringLiteral("FM") : lower.toUpper();
}

QStringList offeredModes() {
    return {QStringLiteral("AM"),  QStringLiteral("SAM"), QStringLiteral("LSB"),
            QStringLiteral("USB"), QStringLiteral("CW"),  QStringLiteral("FM"),
            QStringLiteral("DRM")};
}

int signalDbOfDbm(double dbm) {
    return int(std::lround(dbm - S9Dbm));
}

} // namespace rx::tci

#include "rx/HamlibRig.h"

#include <hamlib/rig.h>

#include <algorithm>

namespace rx {

namespace {

void quietHamlib() {
    static const bool once = [] {
        rig_set_debug(RIG_DEBUG_NONE);
        rig_load_all_backends();
        return true;
    }();
    (void)once;
}

int collectModel(const rig_caps *caps, rig_ptr_t data) {
    auto *models = static_cast<QList<RigModel> *>(data);
    models->append({static_cast<int>(caps->rig_model), QString::fromLatin1(caps->mfg_name),
                    QString::fromLatin1(caps->model_name)});
    return 1; // go on
}

} // namespace

QList<RigModel> hamlibModels() {
    quietHamlib();
    QList<RigModel> models;
    rig_list_foreach(collectModel, &models);
    std::sort(models.begin(), models.end(), [](const RigModel &a, const RigModel &b) {
        return std::tie(a.maker, a.name, a.model) < std::tie(b.maker, b.name, b.model);
    });
    return models;
}

HamlibRig::HamlibRig(int model, QString port, int speed)
    : m_model(model), m_port(std::move(port)), m_speed(speed) {
    quietHamlib();
}

HamlibRig::~HamlibRig() {
    close();
}

QString HamlibRig::describe() const {
    if (m_model == NetModel)
        return QStringLiteral("rigctld at %1").arg(m_port);
    if (m_model == DummyModel)
        return QStringLiteral("the dummy rig (Hamlib model 1)");
    return QStringLiteral("Hamlib model %1 on %2 at %3 baud").arg(m_model).arg(m_port).arg(m_speed);
}

QString HamlibRig::failure(int code) const {
    // rigerror2: the reason alone; rigerror appends the recent debug trace.
    const QString reason = QString::fromLatin1(rigerror2(code)).section(u'\n', 0, 0).trimmed();
    if (m_model == NetModel)
        return QStringLiteral("rigctld at %1 refused the connection or does not answer (%2)")
            .arg(m_port, reason);
    return QStringLiteral("no receiver answers on %1 (%2)").arg(m_port, reason);
}

bool HamlibRig::check(int code, QString &why) {
    if (code == RIG_OK)
        return true;
    why = failure(code);
    return false;
}

bool HamlibRig::open(QString &why) {
    close();
    m_rig = rig_init(m_model);
    if (!m_rig) {
        why = QStringLiteral("Hamlib knows no model %1").arg(m_model);
        return false;
    }
    if (!m_port.isEmpty())
        rig_set_conf(m_rig, rig_token_lookup(m_rig, "rig_pathname"),
                     m_port.toLocal8Bit().constData());
    if (m_speed > 0 && m_model != NetModel)
        rig_set_conf(m_rig, rig_token_lookup(m_rig, "serial_speed"),
                     QByteArray::number(m_speed).constData());
    rig_set_conf(m_rig, rig_token_lookup(m_rig, "timeout"), "500");
    rig_set_conf(m_rig, rig_token_lookup(m_rig, "retry"), "0");
    m_open = check(rig_open(m_rig), why);
    // Hamlib would answer reads from its cache for a while after the rig went away.
    if (m_open)
        rig_set_cache_timeout_ms(m_rig, HAMLIB_CACHE_ALL, 0);
    if (!m_open)
        close();
    return m_open;
}

void HamlibRig::close() {
    if (!m_rig)
        return;
    if (m_open)
        rig_close(m_rig);
    rig_cleanup(m_rig);
    m_rig = nullptr;
    m_open = false;
}

bool HamlibRig::setFrequency(double hz, QString &why) {
    return check(rig_set_freq(m_rig, RIG_VFO_CURR, hz), why);
}

bool HamlibRig::setMode(const QString &mode, int filterHz, QString &why) {
    const rmode_t m = rig_parse_mode(mode.toLatin1().constData());
    if (m == RIG_MODE_NONE) {
        why = QStringLiteral("Hamlib knows no mode %1").arg(mode);
        return false;
    }
    return check(
        rig_set_mode(m_rig, RIG_VFO_CURR, m, filterHz > 0 ? filterHz : RIG_PASSBAND_NORMAL), why);
}

bool HamlibRig::read(RigReading &reading, QString &why) {
    freq_t hz = 0;
    if (!check(rig_get_freq(m_rig, RIG_VFO_CURR, &hz), why))
        return false;
    reading.hz = hz;
    rmode_t mode = RIG_MODE_NONE;
    pbwidth_t width = 0;
    if (rig_get_mode(m_rig, RIG_VFO_CURR, &mode, &width) == RIG_OK && mode != RIG_MODE_NONE) {
        reading.mode = QString::fromLatin1(rig_strrmode(mode));
        reading.filterHz = static_cast<int>(width);
    }
    value_t strength{};
    if (rig_has_get_level(m_rig, RIG_LEVEL_STRENGTH) &&
        rig_get_level(m_rig, RIG_VFO_CURR, RIG_LEVEL_STRENGTH, &strength) == RIG_OK)
        reading.signalDb = strength.i;
    return true;
}

QStringList HamlibRig::modes() const {
    return {QStringLiteral("AM"), QStringLiteral("LSB"), QStringLiteral("USB"),
            QStringLiteral("CW"), QStringLiteral("FM")};
}

QList<int> HamlibRig::filters() const {
    return {0, 500, 1200, 2400, 3000, 6000, 9000, 15000};
}

} // namespace rx

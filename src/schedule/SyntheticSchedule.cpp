#include "schedule/SyntheticSchedule.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace schedule {

namespace {

// libmdb's type codes, so the writer and the tools agree without including mdbtools.h here.
constexpr int kLongInt = 0x04;
constexpr int kDouble = 0x07;
constexpr int kText = 0x0a;

// splitmix64: the same numbers on every compiler and standard library.
class Random {
public:
    explicit Random(quint64 seed) : m_state(seed) {}
    quint64 next() {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 0 ? 0 : int(next() % quint64(n)); }
    bool chance(int percent) { return below(1000) < percent * 10; }
    bool chancePermille(int permille) { return below(1000) < permille; }
    template <typename T> const T &pick(const QVector<T> &v) { return v[below(int(v.size()))]; }

private:
    quint64 m_state;
};

struct Site {
    QString location, longi, lati;
};

struct Country {
    QString adm, name, region, language;
    QVector<Site> sites;
};

struct Language {
    QString name, code;
};

struct Station {
    QString name, stn;
    int country = 0;
    int site = 0;
    QVector<double> freqs;
};

QVector<Country> countries() {
    return {
        {"F",
         "France",
         "Western Europe",
         "French",
         {{"Allouis", "002E12", "47N10"}, {"Saint-Aignan", "005E22", "44N35"}}},
        {"D",
         "Germany",
         "Western Europe",
         "German",
         {{"Nauen", "012E54", "52N38"}, {"Wertachtal", "010E37", "48N05"}}},
        {"G",
         "United Kingdom",
         "Western Europe",
         "English",
         {{"Woofferton", "002W43", "52N19"}, {"Skelton", "002W52", "54N44"}}},
        {"POR", "Portugal", "Western Europe", "Portuguese", {{"Sines", "008W55", "38N03"}}},
        {"E", "Spain", "Western Europe", "Spanish", {{"Noblejas", "003W26", "39N57"}}},
        {"I", "Italy", "Western Europe", "Italian", {{"Prato Smeraldo", "012E31", "41N48"}}},
        {"ROU", "Romania", "Eastern Europe", "Romanian", {{"Țiganești", "026E06", "44N45"}}},
        {"RUS", "Russia", "Eastern Europe", "Russian", {{"Радио-центр Талдом", "037E39", "56N45"}}},
        {"HNG", "Hungary", "Eastern Europe", "Hungarian", {{"Jászberény", "019E55", "47N30"}}},
        {"SVN", "Slovenia", "Eastern Europe", "Slovenian", {{"Domžale", "014E35", "46N08"}}},
        {"GRC", "Greece", "Eastern Europe", "Greek", {{"Αυλίδα", "023E33", "38N23"}}},
        {"TUR", "Turkey", "Middle East", "Turkish", {{"Emirler", "032E52", "39N29"}}},
        {"EGY",
         "Egypt",
         "North Africa",
         "Arabic",
         {{"Abu Za'baal", "031E22", "30N16"}, {"Kafr el-Zayat", "030E50", "30N50"}}},
        {"ARS", "Saudi Arabia", "Middle East", "Arabic", {{"Riyadh", "046E23", "24N30"}}},
        {"IRN", "Iran", "Middle East", "Persian", {{"Kamalabad", "050E52", "35N46"}}},
        {"MDG",
         "Madagascar",
         "East Africa",
         "Malagasy",
         {{"Talata-Volonondry", "045E58", "18S09"}}},
        {"KEN", "Kenya", "East Africa", "Swahili", {{"Koma Rock", "037E15", "01S15"}}},
        {"TZA", "Tanzania", "East Africa", "Swahili", {{"Dole", "039E15", "06S46"}}},
        {"ETH", "Ethiopia", "East Africa", "Amharic", {{"Gedja", "038E33", "08N46"}}},
        {"MLI", "Mali", "West Africa", "French", {{"Kati", "008W01", "12N45"}}},
        {"NIG", "Nigeria", "West Africa", "Hausa", {{"Ikorodu", "003E30", "06N36"}}},
        {"GNE", "Equatorial Guinea", "West Africa", "Spanish", {{"Bata", "009E46", "01N51"}}},
        {"IND", "India", "South Asia", "Hindi", {{"Aligarh", "078E05", "28N00"}}},
        {"PAK", "Pakistan", "South Asia", "Urdu", {{"Islamabad", "073E00", "33N27"}}},
        {"BGD", "Bangladesh", "South Asia", "Bengali", {{"Shavar", "090E17", "23N50"}}},
        {"CHN",
         "China",
         "East Asia",
         "Chinese",
         {{"Kashi", "075E58", "39N21"}, {"石家庄", "114E28", "38N13"}}},
        {"J", "Japan", "East Asia", "Japanese", {{"Yamata", "140E01", "36N10"}}},
        {"KOR", "South Korea", "East Asia", "Korean", {{"Kimjae", "126E51", "35N50"}}},
        {"KRE", "North Korea", "East Asia", "Korean", {{"Kujang", "126E01", "40N05"}}},
        {"THA", "Thailand", "Southeast Asia", "Thai", {{"Udon Thani", "102E35", "17N25"}}},
        {"VTN", "Vietnam", "Southeast Asia", "Vietnamese", {{"Sơn Tây", "105E30", "21N12"}}},
        {"PHL", "Philippines", "Southeast Asia", "Tagalog", {{"Tinang", "120E38", "15N21"}}},
        {"INS", "Indonesia", "Southeast Asia", "Indonesian", {{"Cimanggis", "106E51", "06S21"}}},
        {"AUS", "Australia", "Oceania", "English", {{"Shepparton", "145E24", "36S20"}}},
        {"NZL", "New Zealand", "Oceania", "English", {{"Rangitaiki", "176E25", "38S50"}}},
        {"PNG", "Papua New Guinea", "Oceania", "Tagalog", {{"Port Moresby", "147E11", "09S28"}}},
        {"USA",
         "United States",
         "North America",
         "English",
         {{"Greenville", "077W08", "35N28"}, {"Okeechobee", "080W38", "27N27"}}},
        {"CAN", "Canada", "North America", "French", {{"Sackville", "064W19", "45N53"}}},
        {"MEX", "Mexico", "Central America", "Spanish", {{"Ciudad de México", "099W07", "19N26"}}},
        {"CUB", "Cuba", "Central America", "Spanish", {{"Bauta", "082W33", "22N57"}}},
        {"B", "Brazil", "South America", "Portuguese", {{"Brasília", "047W55", "15N47"}}},
        {"ARG", "Argentina", "South America", "Spanish", {{"General Pacheco", "058W37", "34S36"}}},
    };
}

QVector<Language> languages() {
    return {{"English", "EN"}, {"French", "FR"},     {"Spanish", "ES"},    {"Portuguese", "PT"},
            {"Arabic", "AR"},  {"Swahili", "SW"},    {"Japanese", "JA"},   {"Chinese", "ZH"},
            {"Russian", "RU"}, {"German", "DE"},     {"Hindi", "HI"},      {"Turkish", "TR"},
            {"Persian", "FA"}, {"Korean", "KO"},     {"Vietnamese", "VI"}, {"Thai", "TH"},
            {"Hausa", "HA"},   {"Romanian", "RO"},   {"Hungarian", "HU"},  {"Esperanto", "EO"},
            {"Tibetan", "BO"}, {"Indonesian", "ID"}, {"Bengali", "BN"},    {"Urdu", "UR"},
            {"Amharic", "AM"}, {"Malagasy", "MG"},   {"Italian", "IT"},    {"Slovenian", "SL"},
            {"Greek", "EL"},   {"Tagalog", "TL"},    {"Pashto", "PS"}};
}

// Names that real schedules hold and that trip up quoting and text encodings.
const QStringList &awkwardStationNames() {
    static const QStringList names = {
        "L'Écho du Sahel",     "Radio Val d'Oise",   "Radio Nordland Int'l", "People's Radio",
        "Voice of St. John's", "Radio Señal Andina", "Radio Škofja Loka",    "Radyo Çukurova",
        "Rádio Amazônia",      "Rádio Açores",       "Rádió Dunántúl",       "Đài Phát Thanh Huế",
        "Ράδιο Αιγαίο",        "Радио Волга",        "中华之声广播电台",     "北海道ラジオ"};
    return names;
}

const QStringList &nameWords() {
    static const QStringList words = {
        "Andes",  "Atlas",    "Falcon",  "Kestrel", "Summit", "Nile",   "Sahel",  "Harbour",
        "Jaguar", "Meridian", "Pacific", "Horizon", "Cedar",  "Lotus",  "Aurora", "Delta",
        "Tundra", "Coral",    "Baobab",  "Monsoon", "Zephyr", "Orchid", "Condor", "Savanna"};
    return words;
}

QString composedStationName(Random &rnd) {
    const QString word = nameWords()[rnd.below(int(nameWords().size()))];
    static const QStringList forms = {"Radio %1",      "Voice of the %1", "%1 Radio",
                                      "Radio %1 Int.", "%1 Public Radio", "%1 Community Radio"};
    const QString name = forms[rnd.below(int(forms.size()))].arg(word);
    return name.size() <= 20 ? name : "Radio " + word;
}

QString stationCode(Random &rnd, const QString &name) {
    QString code;
    for (const QString &w : name.split(' ', Qt::SkipEmptyParts))
        if (w[0].isLetter() && w[0].unicode() < 128)
            code += w[0].toUpper();
    while (code.size() < 5)
        code += QChar('A' + rnd.below(26));
    return code.left(3 + rnd.below(3));
}

// Broadcast bands in kHz: 120 m up to 11 m.
constexpr std::array<std::array<int, 2>, 14> kBands = {{{2300, 2495},
                                                        {3200, 3400},
                                                        {3900, 4000},
                                                        {4750, 5060},
                                                        {5900, 6200},
                                                        {7200, 7600},
                                                        {9400, 9900},
                                                        {11600, 12100},
                                                        {13570, 13870},
                                                        {15100, 15800},
                                                        {17480, 17900},
                                                        {18900, 19020},
                                                        {21450, 21850},
                                                        {25670, 26100}}};

double broadcastFrequency(Random &rnd) {
    const auto &band = kBands[size_t(rnd.below(int(kBands.size())))];
    const int span = band[1] - band[0];
    if (rnd.chance(8))
        return band[0] + rnd.below(span) + 0.5;
    if (rnd.chance(10))
        return band[0] + rnd.below(span);
    return band[0] + 5 * rnd.below(span / 5 + 1);
}

QVector<Station> makeStations(Random &rnd, int count, int countryCount) {
    QVector<Station> stations;
    stations.reserve(count);
    const QStringList &awkward = awkwardStationNames();
    for (int i = 0; i < count; ++i) {
        Station s;
        // Spread the awkward names, so that popular and rare stations both have some.
        const int step = 6;
        const int slot = i / step;
        s.name = i % step == 1 && slot < awkward.size() ? awkward[slot] : composedStationName(rnd);
        s.name.truncate(20);
        s.stn = stationCode(rnd, s.name);
        s.country = rnd.below(countryCount);
        s.site = rnd.below(2);
        const int freqCount = 1 + rnd.below(8);
        for (int f = 0; f < freqCount; ++f)
            s.freqs.append(broadcastFrequency(rnd));
        stations.append(s);
    }
    return stations;
}

QString hhmm(int minutes) {
    minutes %= 1440;
    return QStringLiteral("%1%2")
        .arg(minutes / 60, 2, 10, QChar('0'))
        .arg(minutes % 60, 2, 10, QChar('0'));
}

struct Times {
    int begin = -1; // minutes after 0000 UTC; -1 for "...."
    int end = -1;
};

int startMinute(Random &rnd, int fromHour, int hours) {
    const int hour = fromHour + rnd.below(hours);
    static constexpr std::array<int, 8> kMinutes = {0, 0, 0, 0, 30, 30, 15, 45};
    const int minute = rnd.chance(10) ? 5 * rnd.below(12) : kMinutes[size_t(rnd.below(8))];
    return hour * 60 + minute;
}

Times broadcastTimes(Random &rnd) {
    const int kind = rnd.below(1000);
    if (kind < 8)
        return {};
    if (kind < 14)
        return {startMinute(rnd, 0, 24), -1};
    if (kind < 24)
        return {0, 0};
    const int duration = 15 * (1 + rnd.below(rnd.chance(70) ? 8 : 48));
    if (kind < 134) { // over midnight; a few more end at 0000 below
        const int begin = startMinute(rnd, 18, 6);
        const int pastMidnight = 15 * rnd.below(9) + (rnd.chance(20) ? 60 * rnd.below(8) : 0);
        return {begin, pastMidnight};
    }
    const int begin = startMinute(rnd, 0, 23);
    return {begin, std::min(begin + duration, 1440) % 1440};
}

// One character per half hour of the day, '#' where the broadcast is on the air.
QString graphicBar(const Times &t) {
    QString bar(48, ' ');
    if (t.begin < 0 || t.end < 0)
        return bar;
    if (t.begin == t.end)
        return QString(48, '#');
    const int end = t.end <= t.begin ? t.end + 1440 : t.end;
    const int first = t.begin / 30;
    const int last = std::min((end + 29) / 30, first + 48);
    for (int i = first; i < last; ++i)
        bar[i % 48] = '#';
    return bar;
}

QString pickText(Random &rnd, const QStringList &items) {
    return items[rnd.below(int(items.size()))];
}

const QStringList kDays = {"1234567", "1234567", "1234567", "1234567", "12345", "67",
                           "1",       "234567",  "7",       "135",     "246",   "123456"};
const QStringList kTargets = {"Dom", "Dom", "Dom", "WW",  "Eu",     "Af/Eu", "SAm",
                              "EEu", "Oc",  "EAs", "SAs", "ME",     "NAf",   "WAf",
                              "EAf", "SAf", "CAm", "NAm", "Eu/NAm", "SEAs",  "CAs",
                              "Pac", "As",  "Af",  "WEu", "ENAm",   "EAs/Oc"};
const QStringList kTargetAll = {"AS", "AF", "EU", "NA", "OC", "ME", "SA", "EU,AF", "AS,OC,NA"};
const QStringList kCiraf = {"27,28,8,9,43,46",
                            "27,28,37,46,47",
                            "55,56,58,59,60",
                            "18,19,20,27,28,29",
                            "36,37,46,47,48,52,53,57",
                            "10,11",
                            "37,38,39,46",
                            "75",
                            "41,42,43,44,49",
                            "1,2,3,4,5,6,7,8,9,10,11,12,13"};
const QStringList kPowers = {"500", "250",  "100", "10",     "5",      "750", "20", "1.0",
                             "300", "1000", "50",  "200.00", "125.00", "2.5", "35", "500.0"};
const QStringList kRemarks = {"irr",       "alt",   "new",     "summer",   "tent.",
                              "via sat",   "relay", "24h",     "B24 sked", "DRM",
                              "Mon-Fri",   "ND",    "Ramadan", "Sat only", "Sat/Sun",
                              "Sun only",  "USB",   "ex 9580", "harmonic", "inactive",
                              "irregular", "mux",   "extra",   "test",     "winter"};
const QStringList kStatus = {"N", "N", "I", "P", "E", "C"};
const QStringList kModes = {"N", "N", "N", "D", "L", "T", "U"};
const QStringList kPriorities = {"C", "E", "F", "H", "L", "M", "N", "P", "R", "S", "U", "X", "="};
const QStringList kPrograms = {
    "Asia Focus",         "Ask the Doctor",     "Bible Hour",        "Chansons du Soir",
    "Children's Corner",  "Culture Window",     "DXers' Unlimited",  "Dateline Africa",
    "Faith & Life",       "Farm Hour",          "Hírek és Zene",     "Jazz Corner",
    "Listener's Mailbag", "Market Prices",      "Morning Report",    "Nachrichten",
    "News & Music",       "Noticias del Mundo", "Qur'an Recitation", "Quiz Time",
    "Radio Theatre",      "World Today",        "Weather & Sea",     "Words of Hope"};

class Generator {
public:
    explicit Generator(quint64 seed)
        : m_rnd(seed), m_countries(countries()), m_languages(languages()) {
        for (int a = 0; a < 360; ++a)
            m_azimuths.append(QString::number(a));
        for (int m = 0; m < 1440; ++m)
            m_clock.append(hhmm(m));
    }

    void prepare(int rows) {
        m_stations = makeStations(m_rnd, std::clamp(rows / 5, 20, 3000), int(m_countries.size()));
    }

    std::vector<jet::Cell> row(int stationId);

private:
    const Station &pickStation() {
        // Skewed: a few stations carry many rows, as in real schedules.
        const int n = int(m_stations.size());
        return m_stations[std::min(m_rnd.below(n), m_rnd.below(n))];
    }
    Language language(const Country &c);
    QString languageText(const Country &c, QString *code);

    Random m_rnd;
    QVector<Country> m_countries;
    QVector<Language> m_languages;
    QVector<Station> m_stations;
    QString timeText(int minutes) const {
        return minutes < 0 ? QStringLiteral("....") : m_clock[minutes];
    }

    QStringList m_azimuths;
    QStringList m_clock; // "HHMM" of every minute, built once
};

Language Generator::language(const Country &c) {
    if (m_rnd.chance(60))
        for (const Language &l : m_languages)
            if (l.name == c.language)
                return l;
    return m_rnd.pick(m_languages);
}

QString Generator::languageText(const Country &c, QString *code) {
    const Language first = language(c);
    *code = first.code;
    if (!m_rnd.chance(7))
        return first.name;
    const Language second = m_rnd.pick(m_languages);
    const QString both = first.name + '/' + second.name;
    return second.name != first.name && both.size() <= 17 ? both : first.name;
}

std::vector<jet::Cell> Generator::row(int stationId) {
    using jet::Cell;
    const Station &st = pickStation();
    const Country &country = m_countries[st.country];
    const Site &site = country.sites[st.site % country.sites.size()];
    const Times t = broadcastTimes(m_rnd);
    const QString utcb = timeText(t.begin), utce = timeText(t.end);
    QString lc;
    const QString language = languageText(country, &lc);
    const QString azi = m_rnd.chance(25) ? QString() : m_azimuths[m_rnd.below(360)];
    const QString remarks = m_rnd.chance(70) ? QString() : pickText(m_rnd, kRemarks);
    const QString program = m_rnd.chance(30) ? QString() : pickText(m_rnd, kPrograms);
    return {Cell::fromNumber(stationId),
            Cell::fromNumber(st.freqs[m_rnd.below(int(st.freqs.size()))]),
            Cell::fromText(st.name),
            Cell::fromText(utcb + '-' + utce),
            Cell::fromText(pickText(m_rnd, kDays)),
            Cell::fromText(language),
            Cell::fromText(graphicBar(t)),
            Cell::fromText(pickText(m_rnd, kTargets)),
            Cell::fromText(site.location),
            Cell::fromText(pickText(m_rnd, kPowers)),
            Cell::fromText(azi),
            Cell::fromText(remarks),
            Cell::fromText(pickText(m_rnd, kStatus)),
            Cell::fromText(pickText(m_rnd, kModes)),
            Cell::fromText(pickText(m_rnd, kTargetAll)),
            Cell::fromText(pickText(m_rnd, kCiraf)),
            Cell::fromText(country.adm),
            Cell::fromText(country.name),
            Cell::fromText(site.longi),
            Cell::fromText(site.lati),
            Cell::fromText(lc),
            Cell::fromText(country.region),
            Cell::fromText(st.stn),
            Cell::fromText(pickText(m_rnd, kPriorities)),
            Cell::fromText(program),
            Cell::fromText(utcb),
            Cell::fromText(utce)};
}

// Columns a real schedule leaves Null now and then; the rest always have a value.
bool isNullable(const QString &column) {
    static const QStringList never = {"StationID", "Freq", "Station", "UTC",
                                      "Graphic",   "UTCB", "UTCE"};
    return !never.contains(column);
}

void blankSome(Random &rnd, std::vector<jet::Cell> &cells, const QVector<bool> &nullable) {
    for (size_t c = 0; c < cells.size(); ++c) {
        if (!nullable[int(c)])
            continue;
        if (rnd.chancePermille(50))
            cells[c] = jet::Cell::null();
        else if (rnd.chancePermille(30))
            cells[c] = jet::Cell::fromText(QString());
    }
}

} // namespace

QVector<jet::Column> scheduleColumns() {
    using jet::ColumnKind;
    QVector<jet::Column> columns = {{"StationID", ColumnKind::Number, kLongInt, 4},
                                    {"Freq", ColumnKind::Number, kDouble, 8}};
    const std::array<std::pair<const char *, int>, 25> texts = {{
        {"Station", 20}, {"UTC", 9},       {"Days", 7},       {"Language", 17}, {"Graphic", 48},
        {"Target", 7},   {"Location", 20}, {"Power", 7},      {"Azi", 3},       {"Remarks", 11},
        {"Status", 1},   {"Mode", 1},      {"TargetALL", 18}, {"CIRAF", 30},    {"ADM", 3},
        {"Country", 17}, {"Longi", 6},     {"Lati", 5},       {"LC", 2},        {"Region", 20},
        {"STN", 5},      {"P", 1},         {"Program", 20},   {"UTCB", 4},      {"UTCE", 4},
    }};
    for (const auto &[name, size] : texts)
        columns.append({QString::fromLatin1(name), ColumnKind::Text, kText, size});
    return columns;
}

std::vector<std::vector<jet::Cell>> syntheticSchedule(int rows, quint64 seed) {
    Generator generator(seed);
    generator.prepare(rows);
    Random blanks(seed ^ 0xA5A5A5A5A5A5A5A5ULL);
    QVector<bool> nullable;
    for (const jet::Column &c : scheduleColumns())
        nullable.append(isNullable(c.name));
    std::vector<std::vector<jet::Cell>> result;
    result.reserve(size_t(std::max(rows, 0)));
    for (int i = 0; i < rows; ++i) {
        result.push_back(generator.row(i + 1));
        blankSome(blanks, result.back(), nullable);
    }
    return result;
}

} // namespace schedule

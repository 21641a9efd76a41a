#include "app/Settings.h"

#include "app/Conversions.h"

#include <utility>

namespace app {

namespace {

// Reads one key of our section, converting with the key's rules; a stored value that
// cannot be converted takes the key's default.
class Reader {
public:
    explicit Reader(SettingsStore &store, QString section = SettingsSection)
        : m_store(store), m_section(std::move(section)) {}

    QString text(const char *key, const QString &def) {
        return m_store.read(SettingsApplication, m_section, QString::fromLatin1(key), def);
    }
    bool flag(const char *key, bool def) {
        return parseFlag(text(key, flagText(def))).value_or(def);
    }
    qint16 int16(const char *key, qint16 def) {
        const auto n = parseNumber(text(key, QString::number(def)));
        return n ? roundToInt16(*n).value_or(def) : def;
    }
    qint32 colour(const char *key, qint32 def) {
        return roundToInt32(leadingNumber(text(key, QString::number(def)))).value_or(def);
    }
    double leadingReal(const char *key, double def) {
        return leadingNumber(text(key, realText(def)));
    }
    double real(const char *key, double def) {
        return parseNumber(text(key, realText(def))).value_or(def);
    }

private:
    SettingsStore &m_store;
    QString m_section;
};

class Writer {
public:
    explicit Writer(SettingsStore &store, QString section = SettingsSection)
        : m_store(store), m_section(std::move(section)) {}
    void text(const char *key, const QString &v) {
        m_store.write(SettingsApplication, m_section, QString::fromLatin1(key), v);
    }
    void flag(const char *key, bool v) { text(key, flagText(v)); }
    void number(const char *key, qint64 v) { text(key, QString::number(v)); }
    void real(const char *key, double v) { text(key, realText(v)); }

private:
    SettingsStore &m_store;
    QString m_section;
};

// A stored sort naming no field would make every query fail; left empty, ReadDB orders by
// Freq and beeps once.
QString sortFieldOrNone(const QString &stored) {
    return schedule::FieldIndex(schedule::buildCodeTables(), stored) < 0 ? QString() : stored;
}

} // namespace

void ResetStaleSettings(SettingsStore &store) {
    const QString stored =
        store.read(SettingsApplication, SettingsSection, QStringLiteral("AVersion"), QString());
    if (stored.toUpper() != SettingsVersion.toUpper())
        store.deleteSection(SettingsApplication, SettingsSection);
}

void LoadSettings(ProgramState &s, SettingsStore &store, ScreenTwips screen) {
    Reader r(store);
    const ProgramState d; // the defaults
    s.AVersion = r.text("AVersion", d.AVersion);
    s.SplitterPosition = r.int16("SplitterPosition", d.SplitterPosition);
    s.MarkOnSelect = r.flag("MarkOnSelect", d.MarkOnSelect);
    s.DisplayClock = r.flag("DisplayClock", d.DisplayClock);
    s.AutoOnAir = r.flag("AutoOnAir", d.AutoOnAir);
    s.FontIsBold = r.text("FontIsBold", d.FontIsBold);
    s.MarkedRowBackColor = r.colour("MarkedRowBackColor", d.MarkedRowBackColor);
    s.GridBackColor = r.colour("GridBackColor", d.GridBackColor);
    s.OnAirNormColor = r.colour("OnAirNormColor", d.OnAirNormColor);
    s.OnAirSelectColor = r.colour("OnAirSelectColor", d.OnAirSelectColor);
    s.BackColor = r.leadingReal("BackColor", d.BackColor);
    s.Forecolor = r.leadingReal("Forecolor", d.Forecolor);
    s.SINPOPrompt = r.flag("SINPOPrompt", d.SINPOPrompt);
    s.LogFileName = r.text("LogFileName", d.LogFileName);
    s.LangFormTop = r.text("LangFormTop", d.LangFormTop);
    s.LangFormLeft = r.text("LangFormLeft", d.LangFormLeft);
    s.ClearOnStart = r.flag("ClearOnStart", d.ClearOnStart);
    s.FSortStr = r.text("FSortStr", d.FSortStr);
    s.RowSelectType = r.int16("RowSelectType", d.RowSelectType);
    s.DoTips = r.text("DoTips", d.DoTips);
    s.LinkOK = r.text("LinkOK", d.LinkOK);
    s.GridFontSize = r.text("GridFontSize", d.GridFontSize);
    s.GridFontname = r.text("GridFontname", d.GridFontname);
    s.TimeZone = r.real("TimeZone", d.TimeZone);
    s.SortBy = sortFieldOrNone(r.text("SortBy", d.SortBy));
    s.Language = r.text("Language", d.Language).trimmed();
    s.ColChars = r.text("ColChars", d.ColChars);
    s.FieldNums = r.text("FieldNums", d.FieldNums);
    s.FnamesStr = r.text("FnamesStr", d.FnamesStr);
    s.SourceListStr = r.text("SourceListStr", d.SourceListStr);
    s.DisplayListStr = r.text("DisplayListStr", d.DisplayListStr);
    s.CurrentFileName = r.text("CurrentFileName", d.CurrentFileName);
    s.FormHeight = r.text("FormHeight", d.FormHeight);
    s.FormWidth = r.int16("FormWidth", d.FormWidth);
    s.FormTop = r.text("FormTop", realText(screen.height / 2));
    s.FormLeft = r.int16("FormLeft", roundToInt16(screen.width / 4).value_or(0));
    LoadOwnSettings(s.own, store);
    LoadFetchSettings(s.fetch, store);
}

void LoadOwnSettings(OwnSettings &own, SettingsStore &store) {
    Reader r(store, OwnSettingsSection);
    const OwnSettings d;
    own.SetReceiverMode = r.flag("SetReceiverMode", d.SetReceiverMode);
    own.SampleNoticeShown = r.flag("SampleNoticeShown", d.SampleNoticeShown);
    own.MyLocation = r.text("MyLocation", d.MyLocation);
}

void SaveOwnSettings(const OwnSettings &own, SettingsStore &store) {
    Writer w(store, OwnSettingsSection);
    w.flag("SetReceiverMode", own.SetReceiverMode);
    w.flag("SampleNoticeShown", own.SampleNoticeShown);
    w.text("MyLocation", own.MyLocation);
}

QString columnCharsFromGrid(const ProgramState &s, const SaveContext &windows) {
    QString list = QStringLiteral("0");
    const int columns = windows.gridColumnCount();
    for (int i = 1; i < schedule::FieldCount; ++i) {
        qint64 chars = s.DisplayFields[i].ColChars;
        if (i <= columns - 1 && s.CharWidth != 0)
            chars = roundToInt32(windows.gridColumnWidthTwips(i) / s.CharWidth).value_or(0);
        list += u',' + QString::number(chars);
    }
    return list;
}

void SaveSettings(ProgramState &s, SettingsStore &store, const SaveContext &windows) {
    s.ColChars = columnCharsFromGrid(s, windows);
    Writer w(store);
    w.text("AVersion", SettingsVersion);
    w.number("SplitterPosition", s.SplitterPosition);
    w.flag("MarkOnSelect", s.MarkOnSelect);
    w.flag("DisplayClock", s.DisplayClock);
    w.flag("AutoOnAir", s.AutoOnAir);
    w.text("FontIsBold", s.FontIsBold);
    w.number("MarkedRowBackColor", s.MarkedRowBackColor);
    w.number("GridBackColor", s.GridBackColor);
    w.number("OnAirNormColor", s.OnAirNormColor);
    w.number("OnAirSelectColor", s.OnAirSelectColor);
    w.real("BackColor", s.BackColor);
    w.real("Forecolor", s.Forecolor);
    w.flag("SINPOPrompt", s.SINPOPrompt);
    w.text("LogFileName", s.LogFileName);
    w.number("RowSelectType", s.RowSelectType);
    w.text("LangFormTop", s.LangFormTop);
    w.text("LangFormLeft", s.LangFormLeft);
    w.flag("ClearOnStart", s.ClearOnStart);
    w.text("FSortStr", s.FSortStr);
    w.text("DoTips", s.DoTips);
    w.text("LinkOK", s.LinkOK);
    w.text("GridFontSize", s.GridFontSize);
    w.text("GridFontName", s.GridFontname);
    w.real("TimeZone", s.TimeZone);
    w.text("SortBy", s.SortBy);
    w.text("Language", s.Language);
    w.real("FormHeight", windows.formHeightTwips());
    w.real("FormWidth", windows.formWidthTwips());
    w.text("FormTop", s.FormTop);
    w.number("FormLeft", s.FormLeft);
    w.text("ColChars", s.ColChars);
    w.text("FieldNums", s.FieldNums);
    w.text("FnamesStr", s.FnamesStr);
    w.text("DisplayListStr", s.DisplayListStr);
    w.text("SourceListStr", s.SourceListStr);
    w.text("CurrentFileName", s.CurrentFileName);
    SaveOwnSettings(s.own, store);
    SaveFetchSettings(s.fetch, store);
}

} // namespace app

#pragma once

#include <QString>

namespace logbook {

inline constexpr int SinpoLimit = 5;
inline constexpr int RemarksLimitWithSinpo = 65;
inline constexpr int RemarksLimit = 78;
inline constexpr int KeyEnter = 13;
inline constexpr int KeyEscape = 27;

// Where the remarks dialog's controls stand, in twips, for the SINPO prompt on or off.
struct RemarksLayout {
    int windowHeight;
    bool sinpoVisible;
    int remarksTop;
    int hintTop;
    int remarksLimit;
};
RemarksLayout remarksLayout(bool sinpoPrompt);

// The S of SINPO from the receiver's S-meter reading: S9 or more ("S9+20") 5, S7-S8 4, S5-S6 3,
// S3-S4 2, below S3 1; 0 when the text is no reading.
int sinpoSignalDigit(const QString &meter);

// What the dialog does with a key: type it, or swallow it (and maybe close).
enum class KeyOutcome { Type, Swallow, Close };

// The SINPO and remarks entry, apart from its window. SINPOStr is emptied when the dialog
// opens, so a code of an earlier entry never reaches a new one. With a meter reading the SINPO
// box starts with its S digit; the code still counts only once confirmed with Enter.
class RemarksEntry {
public:
    RemarksEntry(bool sinpoPrompt, QString &sinpoStr, QString &logEntry, const QString &meter = {});

    KeyOutcome sinpoKey(int key, const QString &sinpoBox);
    KeyOutcome remarksKey(int key, const QString &sinpoBox, const QString &remarksBox);

    int remarksLimit() const { return m_remarksLimit; }
    bool focusOnSinpo() const { return m_sinpoPrompt; }
    // What the SINPO box holds when the dialog opens: the S digit, or "".
    QString sinpoStart() const;
    // "ESC to cancel    Enter to Accept", and the meter reading when there is one.
    QString hintLine() const;
    // The remarks as they may stand in the box: at most the limit, and on one line.
    QString fitRemarks(const QString &typed) const;

private:
    void appendLine(const QString &line);

    bool m_sinpoPrompt;
    QString m_meter; // "" when it is no reading
    QString &m_sinpoStr;
    QString &m_logEntry;
    int m_remarksLimit;
};

} // namespace logbook

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

// What the dialog does with a key: type it, or swallow it (and maybe close).
enum class KeyOutcome { Type, Swallow, Close };

// The SINPO and remarks entry, apart from its window. SINPOStr is emptied when the dialog
// opens, so a code of an earlier entry never reaches a new one.
class RemarksEntry {
public:
    RemarksEntry(bool sinpoPrompt, QString &sinpoStr, QString &logEntry);

    KeyOutcome sinpoKey(int key, const QString &sinpoBox);
    KeyOutcome remarksKey(int key, const QString &sinpoBox, const QString &remarksBox);

    int remarksLimit() const { return m_remarksLimit; }
    bool focusOnSinpo() const { return m_sinpoPrompt; }
    // The remarks as they may stand in the box: at most the limit, and on one line.
    QString fitRemarks(const QString &typed) const;

private:
    void appendLine(const QString &line);

    bool m_sinpoPrompt;
    QString &m_sinpoStr;
    QString &m_logEntry;
    int m_remarksLimit;
};

} // namespace logbook

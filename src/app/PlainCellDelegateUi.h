#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

#include <vector>

namespace app {

// Table cells of one line of plain text on a background, painted directly: the style's general
// item layout costs most of a table's repaint. Honours the model's background, foreground,
// font and alignment (left when it gives none); a value wider than its column is cut at the
// column's edge, as the exports cut it. Texts are laid out once per font and kept: a schedule
// repeats its times, languages and stations, and laying out a text costs most of drawing it.
class PlainCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    struct LaidOut {
        QFont font;
        QHash<QString, QStaticText> texts;
    };
    const QStaticText &laidOut(const QString &text, const QFont &font) const;
    void drawText(QPainter *painter, const QRect &rect, int alignment, const QString &text) const;

    static constexpr int TextMargin = 3;
    mutable std::vector<LaidOut> m_laidOut; // a few fonts: plain and the row styles'
};

} // namespace app

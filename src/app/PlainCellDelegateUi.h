#pragma once

#include <QStyledItemDelegate>

namespace app {

// Table cells of one line of plain text on a background, painted directly: the style's general
// item layout costs most of a table's repaint. Honours the model's background, foreground,
// font and alignment (left when it gives none); a value wider than its column is cut at the
// column's edge, as the exports cut it.
class PlainCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    static constexpr int TextMargin = 3;
};

} // namespace app

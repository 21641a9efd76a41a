#include "app/PlainCellDelegateUi.h"

#include <QPainter>

namespace app {

void PlainCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const QVariant back = index.data(Qt::BackgroundRole);
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    else if (back.isValid())
        painter->fillRect(option.rect, back.value<QColor>());
    const QVariant fore = index.data(Qt::ForegroundRole);
    const QVariant font = index.data(Qt::FontRole);
    const QVariant align = index.data(Qt::TextAlignmentRole);
    const int horizontal =
        align.isValid() ? align.toInt() & Qt::AlignHorizontal_Mask : int(Qt::AlignLeft);
    painter->save();
    painter->setPen(selected         ? option.palette.color(group, QPalette::HighlightedText)
                    : fore.isValid() ? fore.value<QColor>()
                                     : option.palette.color(group, QPalette::Text));
    painter->setFont(font.isValid() ? font.value<QFont>() : option.font);
    painter->drawText(option.rect.adjusted(TextMargin, 0, -TextMargin, 0),
                      horizontal | Qt::AlignVCenter | Qt::TextSingleLine, index.data().toString());
    painter->restore();
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter,
                                              option.widget);
    }
}

} // namespace app

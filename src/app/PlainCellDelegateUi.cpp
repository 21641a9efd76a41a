#include "app/PlainCellDelegateUi.h"

#include <QPainter>

#include <algorithm>

namespace app {

namespace {
constexpr qsizetype MostTextsKept = 4096; // per font: many screens of cells, a few megabytes
constexpr size_t MostFontsKept = 4;
} // namespace

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
    drawText(painter, option.rect.adjusted(TextMargin, 0, -TextMargin, 0), horizontal,
             index.data().toString());
    painter->restore();
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter,
                                              option.widget);
    }
}

void PlainCellDelegate::drawText(QPainter *painter, const QRect &rect, int alignment,
                                 const QString &text) const {
    if (text.isEmpty())
        return;
    const QStaticText &laid = laidOut(text, painter->font());
    const QSizeF size = laid.size();
    const qreal x = alignment & Qt::AlignRight     ? rect.right() + 1 - size.width()
                    : alignment & Qt::AlignHCenter ? rect.left() + (rect.width() - size.width()) / 2
                                                   : rect.left();
    const QPointF topLeft(x, rect.top() + (rect.height() - size.height()) / 2);
    if (size.width() > rect.width())
        painter->setClipRect(rect, Qt::IntersectClip);
    painter->drawStaticText(topLeft, laid);
}

const QStaticText &PlainCellDelegate::laidOut(const QString &text, const QFont &font) const {
    auto kept = std::find_if(m_laidOut.begin(), m_laidOut.end(),
                             [&font](const LaidOut &l) { return l.font == font; });
    if (kept == m_laidOut.end()) {
        if (m_laidOut.size() >= MostFontsKept)
            m_laidOut.clear();
        kept = m_laidOut.insert(m_laidOut.end(), LaidOut{font, {}});
    }
    auto found = kept->texts.constFind(text);
    if (found != kept->texts.constEnd())
        return *found;
    if (kept->texts.size() >= MostTextsKept)
        kept->texts.clear();
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.prepare(QTransform(), font);
    return *kept->texts.insert(text, laid);
}

} // namespace app

#include "export/GridPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <numeric>

namespace exporting {

namespace {

QFont font(const QString &family, qreal points, bool bold) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Blank space around a cell's text, as a share of the row height.
constexpr qreal cellPadding = 0.25;

} // namespace

GridPrinter::GridPrinter(const ExportTable &table, const PrintFonts &fonts)
    : m_table(table), m_captionFont(font(fonts.headingFont, 12, true)),
      m_headingFont(font(fonts.headingFont, 10, true)), m_rowFont(font(fonts.rowFont, 9, false)),
      m_footerFont(font(fonts.headingFont, 9, false)) {}

GridPrinter::Layout GridPrinter::layoutFor(QPrinter &printer) const {
    Layout l;
    l.page =
        QRectF(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    l.captionHeight = QFontMetricsF(m_captionFont, &printer).height() * 1.6;
    l.headingHeight = QFontMetricsF(m_headingFont, &printer).height() * (1 + 2 * cellPadding);
    l.rowHeight = QFontMetricsF(m_rowFont, &printer).height() * (1 + 2 * cellPadding);
    l.footerHeight = QFontMetricsF(m_footerFont, &printer).height() * 2;
    const qreal rowsArea = l.page.height() - l.captionHeight - l.headingHeight - l.footerHeight;
    l.rowsPerPage = std::max(1, int(rowsArea / l.rowHeight));
    l.pageCount = std::max(1, (m_table.rowCount() + l.rowsPerPage - 1) / l.rowsPerPage);
    const int totalChars =
        std::accumulate(m_table.columns().begin(), m_table.columns().end(), 0,
                        [](int sum, const GridColumn &c) { return sum + c.widthChars; });
    qreal left = 0;
    for (const GridColumn &column : m_table.columns()) {
        l.columnLeft << left;
        left += totalChars > 0 ? l.page.width() * column.widthChars / totalChars : 0;
    }
    l.columnLeft << l.page.width();
    return l;
}

QRectF GridPrinter::cellRect(const Layout &layout, int column, qreal top, qreal height) const {
    const qreal pad = height * cellPadding / (1 + 2 * cellPadding);
    const qreal left = layout.columnLeft[column] + pad;
    const qreal right = layout.columnLeft[column + 1] - pad;
    return QRectF(left, top, std::max<qreal>(0, right - left), height);
}

void GridPrinter::printHeader(QPainter &painter, const Layout &layout) const {
    painter.setFont(m_captionFont);
    const QRectF captionRect(0, 0, layout.page.width(), layout.captionHeight);
    const QString caption =
        QFontMetricsF(m_captionFont, painter.device())
            .elidedText(m_table.caption().simplified(), Qt::ElideRight, layout.page.width());
    painter.drawText(captionRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
    painter.setFont(m_headingFont);
    const qreal top = layout.captionHeight;
    for (int column = 0; column < m_table.columnCount(); ++column)
        painter.drawText(cellRect(layout, column, top, layout.headingHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         m_table.columns()[column].fieldName);
    const qreal rule = top + layout.headingHeight;
    painter.drawLine(QPointF(0, rule), QPointF(layout.page.width(), rule));
}

void GridPrinter::printFooter(QPainter &painter, const Layout &layout, int page) const {
    painter.setFont(m_footerFont);
    const QRectF footer(0, layout.page.height() - layout.footerHeight, layout.page.width(),
                        layout.footerHeight);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                     QStringLiteral("Page %1 of %2").arg(page + 1).arg(layout.pageCount));
}

// One row on one line: texts left, numbers right, values too wide for their column elided.
void GridPrinter::printRow(QPainter &painter, const Layout &layout, const QFontMetricsF &metrics,
                           int row, qreal top) const {
    const qreal baseline = top + (layout.rowHeight - metrics.height()) / 2 + metrics.ascent();
    for (int column = 0; column < m_table.columnCount(); ++column) {
        const jet::Cell cell = m_table.cell(row, column);
        QString text = jet::displayText(cell);
        if (text.isEmpty())
            continue;
        const QRectF rect = cellRect(layout, column, top, layout.rowHeight);
        qreal width = metrics.horizontalAdvance(text);
        if (width > rect.width()) {
            text = metrics.elidedText(text, Qt::ElideRight, rect.width());
            width = metrics.horizontalAdvance(text);
        }
        const qreal x = cell.isNumber() ? rect.right() - width : rect.left();
        painter.drawText(QPointF(x, baseline), text);
    }
}

void GridPrinter::printPage(QPainter &painter, const Layout &layout, int page) const {
    printHeader(painter, layout);
    painter.setFont(m_rowFont);
    const QFontMetricsF metrics(m_rowFont, painter.device());
    const int first = page * layout.rowsPerPage;
    const int last = std::min(m_table.rowCount(), first + layout.rowsPerPage);
    qreal top = layout.captionHeight + layout.headingHeight;
    for (int row = first; row < last; ++row, top += layout.rowHeight)
        printRow(painter, layout, metrics, row, top);
    printFooter(painter, layout, page);
}

PrintResult GridPrinter::print(QPrinter &printer, ProgressReporter &progress) {
    const Layout layout = layoutFor(printer);
    PrintResult result{false, 0, layout.rowsPerPage};
    QPainter painter;
    if (!painter.begin(&printer))
        return result;
    for (int page = 0; page < layout.pageCount; ++page) {
        if (!progress.progress(qint64(page) * layout.rowsPerPage, m_table.rowCount())) {
            printer.abort();
            return result;
        }
        if (page > 0)
            printer.newPage();
        printPage(painter, layout, page);
        ++result.pages;
    }
    result.done = painter.end();
    progress.progress(m_table.rowCount(), m_table.rowCount());
    return result;
}

} // namespace exporting

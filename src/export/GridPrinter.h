#pragma once

#include "export/ExportTable.h"

#include <QFont>
#include <QList>
#include <QRectF>

class QFontMetricsF;
class QPainter;
class QPrinter;

namespace exporting {

// How a printout went: pages printed and rows per page; done is false when cancelled or failed.
struct PrintResult {
    bool done = false;
    int pages = 0;
    int rowsPerPage = 0;
};

// Lays out and prints an export table one page at a time: the caption and the column headings
// on every page (heading font), one line per row (row font) so rows never split, the columns
// in their order scaled to the page width by their widths in characters, "Page N of M" at the
// foot of each page.
class GridPrinter {
public:
    GridPrinter(const ExportTable &table, const PrintFonts &fonts);
    PrintResult print(QPrinter &printer, ProgressReporter &progress);

private:
    struct Layout {
        QRectF page;
        qreal captionHeight = 0;
        qreal headingHeight = 0;
        qreal rowHeight = 0;
        qreal footerHeight = 0;
        int rowsPerPage = 1;
        int pageCount = 1;
        QList<qreal> columnLeft; // one more than the columns: the right edge last
    };
    Layout layoutFor(QPrinter &printer) const;
    void printPage(QPainter &painter, const Layout &layout, int page) const;
    void printRow(QPainter &painter, const Layout &layout, const QFontMetricsF &metrics, int row,
                  qreal top) const;
    void printHeader(QPainter &painter, const Layout &layout) const;
    void printFooter(QPainter &painter, const Layout &layout, int page) const;
    QRectF cellRect(const Layout &layout, int column, qreal top, qreal height) const;

    const ExportTable &m_table;
    QFont m_captionFont;
    QFont m_headingFont;
    QFont m_rowFont;
    QFont m_footerFont;
};

} // namespace exporting

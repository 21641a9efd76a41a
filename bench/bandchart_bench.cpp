// The band chart of a band holding 20,000 rows against the grid's full repaint of the same
// rows, when the rows change (a new order). Prints the ratio last.
#include "PicturesBench.h"

namespace {
// The made-up schedule with every frequency moved into 49 m (5900 to 6200 kHz).
std::shared_ptr<const jet::Table> oneBand(int rows) {
    auto table = std::make_shared<jet::Table>(schedule::scheduleColumns());
    const int freq = table->columnIndex(u"Freq");
    int i = 0;
    for (auto row : schedule::syntheticSchedule(rows, 1)) {
        row[freq] = jet::Cell::fromNumber(5900 + (i++ * 5) % 300);
        table->appendRow(row);
    }
    table->squeeze();
    return table;
}
} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    return bench::comparePictureToGrid(oneBand(20000), false, "band chart");
}

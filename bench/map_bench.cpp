// The map for 120,000 rows (most with a site) against the grid's full repaint of the same
// rows, when the rows change (a new order). Prints the ratio last.
#include "PicturesBench.h"

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    return bench::comparePictureToGrid(bench::syntheticTable(120000, 1), true, "map");
}

#include "app/ProgramIconUi.h"

namespace app {

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/skedwise/skedwise-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace app

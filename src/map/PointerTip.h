#pragma once

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace map {

// Answers a tool-tip event with the text for the pointer's position; "" hides the tip.
template <typename TextAt> bool showPointerTip(QWidget *widget, QEvent *event, TextAt textAt) {
    auto *help = static_cast<QHelpEvent *>(event);
    const QString text = textAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, widget);
    return true;
}

} // namespace map

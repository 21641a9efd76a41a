#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace mainwindow {

// What a screen reader says for a grid cell: the row's station, frequency, time and language
// (those of them the grid shows), then the cell's own field when it is none of these.
// fieldNames are the grid's columns; cellText gives a column's text in the row.
QString rowSpeech(const QStringList &fieldNames, int column,
                  const std::function<QString(int column)> &cellText);

} // namespace mainwindow

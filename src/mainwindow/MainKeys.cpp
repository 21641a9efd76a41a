#include "mainwindow/MainKeys.h"

namespace mainwindow {

namespace {
bool shiftAlone(Qt::KeyboardModifiers modifiers) {
    // The keypad flag says where the key is, not which modifier is held.
    return (modifiers & ~Qt::KeypadModifier) == Qt::ShiftModifier;
}
} // namespace

KeyDecision decideKey(int key, Qt::KeyboardModifiers modifiers, bool logOn, bool gridHasFocus) {
    switch (key) {
    case Qt::Key_PageUp:
        return {KeyCommand::PageUp, -1, shiftAlone(modifiers)};
    case Qt::Key_PageDown:
        return {KeyCommand::PageDown, -1, shiftAlone(modifiers)};
    case Qt::Key_Home:
        return {KeyCommand::FirstRecord};
    case Qt::Key_End:
        return {KeyCommand::LastRecord};
    case Qt::Key_F2:
    case Qt::Key_F3:
    case Qt::Key_F4:
    case Qt::Key_F5:
    case Qt::Key_F6:
        return {KeyCommand::QuickFind, key - Qt::Key_F2};
    case Qt::Key_F9:
        return {logOn ? KeyCommand::None : KeyCommand::StartLog};
    case Qt::Key_F10:
        return {logOn ? KeyCommand::StopLog : KeyCommand::None};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {gridHasFocus ? KeyCommand::PickRow : KeyCommand::None};
    case Qt::Key_Menu:
        return {KeyCommand::ContextAction};
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Space:
        // Focus moves between the controls, the arrows move the grid's current row and Space
        // presses the button with the focus, as on any desktop window.
        return {KeyCommand::None, -1, false, false};
    default:
        return {};
    }
}

} // namespace mainwindow

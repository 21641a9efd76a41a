#pragma once

namespace app {

// What one clock tick's look at the clipboard did. A failed handling leaves the clipboard
// as it is, so the message is seen again on the next tick.
enum class ClipboardStepResult { Nothing, Handled, Failed };

} // namespace app

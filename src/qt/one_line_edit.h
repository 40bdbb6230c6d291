// One-line boxes hold no line breaks: text pasted or dropped into one loses
// its CR and LF, so a value copied with its line end (a modem string from a
// manual) is kept as the one line the operator meant.
#pragma once

class QLineEdit;

namespace qtui {

void KeepOnOneLine(QLineEdit& edit);

}  // namespace qtui

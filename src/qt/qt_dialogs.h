// The operator dialogs of the runtime: message boxes, input boxes and file
// dialogs, with the original's button sets, answers and filter texts.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "ui/runtime.h"

class QWidget;

namespace qtui {

// Title of dialogs that the program gives none.
inline constexpr const char* kDefaultDialogTitle = "VKX-4700";

// The width a dialog needs for its whole title in the window frame: the
// title in a bold face with a quarter to spare, and kTitleFrameRoom pixels
// for the frame's icon and its buttons. Message boxes are at least as wide.
inline constexpr int kTitleFrameRoom = 160;
int TitleRoomWidth(const QString& title);

// Returns vbOK, vbCancel, vbYes, ... as MsgBox does.
int ShowMessageBox(QWidget* parent, std::string_view prompt, int buttons, std::string_view title);
// The text entered, or "" when cancelled.
std::string AskText(QWidget* parent, std::string_view prompt, std::string_view title,
                     std::string_view default_text);
// The chosen path, or "" when cancelled.
std::string AskFileName(QWidget* parent, const ui::FileDialogRequest& request);

// "Bulk Dump Files|*.bdd|All Files|*.*" -> "Bulk Dump Files (*.bdd);;All Files (*)".
QString QtFileFilter(std::string_view filter);

}  // namespace qtui

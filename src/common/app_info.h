// Names and version of the program, as shown in titles and kept in the
// per-user settings store.
#pragma once

#include <string>

namespace app_info {

// Title of message boxes that name no title of their own, and the name under
// which the per-user settings are kept.
inline constexpr const char* kTitle = "VKX-4700";
// Product name used in message boxes that give it as their title.
inline constexpr const char* kProductName = "VKX-4700";

int VersionMajor();
int VersionMinor();
int VersionRevision();
// "Version major.minor.revision" as the splash and about windows show it.
std::string VersionText();

}  // namespace app_info

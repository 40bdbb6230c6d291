#include "common/app_info.h"

namespace app_info {

int VersionMajor() { return VKX_VERSION_MAJOR; }
int VersionMinor() { return VKX_VERSION_MINOR; }
int VersionRevision() { return VKX_VERSION_PATCH; }

std::string VersionText() {
  return "Version " + std::to_string(VersionMajor()) + "." + std::to_string(VersionMinor()) +
         "." + std::to_string(VersionRevision());
}

}  // namespace app_info

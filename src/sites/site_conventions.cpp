#include "sites/site_conventions.h"

#include "common/vb.h"

namespace sites {

std::optional<std::int16_t> StoredSiteNum(std::int64_t site_number) {
  if (site_number > 32767 && site_number <= 65535) site_number -= 65536;
  if (site_number < -32768 || site_number > 32767) return std::nullopt;
  return static_cast<std::int16_t>(site_number);
}

std::int32_t UnitSiteNum(std::int32_t stored) { return stored < 0 ? stored + 65536 : stored; }

SiteLink ParseSitePhone(std::string_view site_phone) {
  SiteLink link;
  if (site_phone.empty()) return link;
  if (site_phone.front() == '~') {
    link.kind = SiteLinkKind::Network;
    link.host = std::string(site_phone.substr(1));
    return link;
  }
  const double value = vb::Val(site_phone);
  if (value >= 1 && value <= 16) {
    link.kind = SiteLinkKind::SerialPort;
    link.serial_port = static_cast<int>(vb::Int(value));
    return link;
  }
  link.kind = SiteLinkKind::Telephone;
  for (const char c : site_phone) {
    if (c >= '0' && c <= '9') link.dial_digits += c;
  }
  return link;
}

std::optional<ui::Color> SiteDotColor(std::int32_t site_color) {
  switch (site_color) {
    case kSiteColorNormal: return ui::vbWhite;
    case kSiteColorFailedCall: return ui::Color{0xC0C0FF};
    case kSiteColorAlarm: return ui::RGB(255, 0, 0);
    default: return std::nullopt;
  }
}

}  // namespace sites

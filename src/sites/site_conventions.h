// How the site table's columns are to be read and written, shared by every
// reader and writer of tSites.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace sites {

// ---- SiteNum: the unit's site number and V4 address, 0 to 65535 ----------
// The column is a signed 16-bit number: a number above 32767 is stored minus
// 65536 (40000 as -25536, 65535 as -1), and read back with 65536 added to a
// negative value.

// The stored form of a site number. Numbers from -32768 to 32767 are kept as
// they are; nothing for a number that fits neither form.
std::optional<std::int16_t> StoredSiteNum(std::int64_t site_number);
// The unit's site number from the stored form.
std::int32_t UnitSiteNum(std::int32_t stored);

// ---- SitePhone: how the site is reached -----------------------------------
enum class SiteLinkKind {
  None,        // empty
  Telephone,   // dialled through the modem
  SerialPort,  // a direct cable on serial port 1 to 16
  Network,     // "~" followed by the network host
};

struct SiteLink {
  SiteLinkKind kind = SiteLinkKind::None;
  int serial_port = 0;      // SerialPort: the port number
  std::string host;         // Network: the text after the "~"
  std::string dial_digits;  // Telephone: the digits of the number, the only characters dialled
};

// A first character "~" makes a network address; else a Val from 1 to 16 a
// serial port (its whole part: "7" and "7.5" are port 7); anything else a
// telephone number. Some readers apply a narrower test of their own (the
// site dialog takes only a Val above 16 as a telephone number).
SiteLink ParseSitePhone(std::string_view site_phone);

// ---- SiteColor: the state of the site's map icon ---------------------------
inline constexpr int kSiteColorNormal = 0;      // white
inline constexpr int kSiteColorFailedCall = 1;  // last call not answered or busy: light red
inline constexpr int kSiteColorAlarm = 2;       // alarm reported: red

// The colour of the icon's inner dot for a SiteColor value; nothing for any
// other value, whose icon shows its white ring without a dot.
std::optional<ui::Color> SiteDotColor(std::int32_t site_color);

// ---- AHResetTime: the map on which the site is drawn ----------------------
// The column keeps its historic name; it holds the id of a map of the map
// catalogue, and the site dialog sets it to the current map on every save.
inline constexpr std::string_view kMapIdColumn = "AHResetTime";

}  // namespace sites

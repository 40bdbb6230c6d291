// Sites in the test console's database, as the site dialog would add them.
#pragma once

#include <cstdint>
#include <string>

#include "app/console.h"

namespace testkit {

struct SiteRow {
  std::string name = "North";
  std::string phone = "5550100";  // a number, a port "1".."16", or "~host"
  std::int32_t site_num = 12;     // as the unit knows it (0..65535)
  std::int32_t cust_num = 1234;
  std::int32_t map_id = 0;
  bool callout = false;
};

// Adds the row and returns its SiteID.
std::int32_t AddSite(app::Console& c, const SiteRow& row);
// Selects it as the map or the site directory would.
void SelectSite(app::Console& c, std::int32_t site_id, const SiteRow& row);
// A field of the site's row as text ("" for Null).
std::string SiteField(app::Console& c, std::int32_t site_id, const std::string& field);

}  // namespace testkit

// The query texts the console issues on the site database, word for word,
// each built from its numbers only. A number is joined in its plain decimal
// form ("12", "-25536") unless noted: the two queries built with Str carry a
// blank before a number that is not negative ("SiteID= 12"), as they always
// have.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sites {

// The table opened whole: the map's hit test, the site directory, a new site.
inline constexpr std::string_view kSitesTable = "tSites";

// The sites of one map, redrawn every second.
std::string MapSitesQuery(std::int32_t map_id);
// One site redrawn when the selection changes.
std::string RedrawSiteQuery(std::int32_t site_id);
// A site moved on the map.
std::string MoveSiteQuery(std::int32_t site_id);
// The address and unit number of a site double-clicked on the map.
std::string DoubleClickSiteQuery(std::int32_t site_id);
// The site dialog's row when it edits a site.
std::string EditSiteQuery(std::int32_t site_id);
// The site that sent an alarm report, by its stored site number.
std::string AlarmReportQuery(std::int16_t stored_site_num);
// The site whose alarms a session's end writes.
std::string SessionAlarmUpdateQuery(std::int32_t site_id);
// The stored alarms of the selected site.
std::string ActiveAlarmsQuery(std::int32_t site_id);
// The last connection log of the selected site.
std::string ConnectionLogQuery(std::int32_t site_id);
// The address used by the connection commands.
std::string ConnectionSiteQuery(std::int32_t site_id);
// The row removed by the main menu's site removal.
std::string RemoveSiteQuery(std::int32_t site_id);
// The row removed by the site directory (built with Str).
std::string DirectoryRemoveSiteQuery(std::int32_t site_id);
// The sites of a callout run.
std::string CalloutListQuery();
// The next site of a callout run (built with Str).
std::string NextCalloutSiteQuery(std::int32_t site_id);
// The called site, coloured after a call nobody answered.
std::string NoAnswerColourQuery(std::int32_t site_id);
// The called site, coloured and given its connection log after a call.
std::string ColourAndLogQuery(std::int32_t site_id);
// One day's log record of a site (date as YYYYMMDD).
std::string LogDayQuery(std::int16_t stored_site_num, std::int32_t date_key);
// A site's log records from first_date_key to last_date_key (YYYYMMDD).
std::string LogRangeQuery(std::int16_t stored_site_num, std::int32_t first_date_key,
                          std::int32_t last_date_key);

}  // namespace sites

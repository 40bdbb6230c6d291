#include "sites/site_queries.h"

#include "common/vb.h"

namespace sites {
namespace {

std::string Plain(std::int32_t n) { return vb::CStr(n); }
std::string WithSignPlace(std::int32_t n) { return vb::Str(n); }

}  // namespace

std::string MapSitesQuery(std::int32_t map_id) {
  return "SELECT * FROM tSites WHERE (AHResetTime=" + Plain(map_id) + ");";
}

std::string RedrawSiteQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, SiteName, SiteLatMin, SiteLatSec, ") +
         "SiteLonMin, SiteLonSec, SiteColor FROM tSites " + "WHERE (SiteID=" + Plain(site_id) +
         ");";
}

std::string MoveSiteQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, SiteLatMin, SiteLonMin from tSites ") +
         "WHERE (SiteID=" + Plain(site_id) + ");";
}

std::string DoubleClickSiteQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, SitePhone, SiteNum FROM tSites ") + "WHERE (SiteID=" +
         Plain(site_id) + ");";
}

std::string EditSiteQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, SiteName, SitePhone, SiteLatMin, ") +
         "SiteLatSec, SiteLonMin, SiteLonSec, SiteNum, SiteCustNum, CallOut, SiteColor, "
         "AHResetTime FROM tSites " +
         "WHERE (SiteID=" + Plain(site_id) + ");";
}

std::string AlarmReportQuery(std::int16_t stored_site_num) {
  return std::string("SELECT SiteNum, SiteName, SiteColor, Alarms FROM tSites WHERE ") +
         "(SiteNum=" + Plain(stored_site_num) + ");";
}

std::string SessionAlarmUpdateQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, Alarms, SiteColor, SiteLatMin, SiteLatSec, ") +
         "SiteLonMin, SiteLonSec, SiteName FROM tSites " + "WHERE(SiteID=" + Plain(site_id) +
         ");";
}

std::string ActiveAlarmsQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, SiteNum, Alarms FROM tSites ") + "WHERE (SiteID=" +
         Plain(site_id) + ");";
}

std::string ConnectionLogQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, ConnectLog FROM tSites ") + "WHERE (SiteID=" +
         Plain(site_id) + ");";
}

std::string ConnectionSiteQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, SitePhone FROM tSites ") + "WHERE (SiteID=" +
         Plain(site_id) + ");";
}

std::string RemoveSiteQuery(std::int32_t site_id) {
  return "Select SiteID FROM tSites WHERE (SiteID=" + Plain(site_id) + ");";
}

std::string DirectoryRemoveSiteQuery(std::int32_t site_id) {
  return "Select SiteID FROM tSites WHERE (SiteID=" + WithSignPlace(site_id) + ");";
}

std::string CalloutListQuery() {
  return std::string("SELECT SiteID, SiteName, SiteNum, SitePhone, CallOut FROM tSites ") +
         "WHERE (Callout=True);";
}

std::string NextCalloutSiteQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, SiteName, SiteLatMin, SiteLatSec, ") +
         "SiteLonMin, SiteLonSec, SiteColor, SiteNum, SiteCustNum FROM tSites " +
         "WHERE (SiteID=" + WithSignPlace(site_id) + ");";
}

std::string NoAnswerColourQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, SiteLatMin, SiteLatSec, ") +
         "SiteLonMin, SiteLonSec, SiteName, SiteColor FROM tSites " + "WHERE (SiteID=" +
         Plain(site_id) + ");";
}

std::string ColourAndLogQuery(std::int32_t site_id) {
  return std::string("SELECT SiteID, SiteLatMin, SiteLatSec, ") +
         "SiteLonMin, SiteLonSec, SiteName, SiteColor, ConnectLog FROM tSites " +
         "WHERE (SiteID=" + Plain(site_id) + ");";
}

std::string LogDayQuery(std::int16_t stored_site_num, std::int32_t date_key) {
  return std::string("SELECT SiteNum, DataDate, VBattMax, VBattMin, ") +
         "VLoadMax, VLoadMin, ALoadMax, ALoadMin, TBattMax, TBattMin, " +
         "TShelMax, TShelMin, TOutMax, TOutMin, AHPV, AHLoad FROM tData " + "WHERE((SiteNum=" +
         Plain(stored_site_num) + ") AND (DataDate=" + Plain(date_key) + "));";
}

std::string LogRangeQuery(std::int16_t stored_site_num, std::int32_t first_date_key,
                          std::int32_t last_date_key) {
  return std::string("SELECT SiteNum, DataDate, VBattMax, VBattMin, ") +
         "VLoadMax, VLoadMin, ALoadMax, ALoadMin, TBattMax, TBattMin, TShelMax, TShelMin, " +
         "TOutMax, TOutMin, AHPV, AHLoad FROM tData " + "WHERE ((SiteNum=" +
         Plain(stored_site_num) + ") AND (DataDate>=" + Plain(first_date_key) +
         " AND DataDate<=" + Plain(last_date_key) + "));";
}

}  // namespace sites

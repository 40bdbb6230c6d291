#include "site_rows.h"

#include <stdexcept>

#include "sites/site_conventions.h"

namespace testkit {

std::int32_t AddSite(app::Console& c, const SiteRow& row) {
  platform::Recordset rs = c.Db.OpenRecordset("tSites");
  rs.AddNew();
  rs.Fields("SiteName") = row.name;
  rs.Fields("SitePhone") = row.phone;
  rs.Fields("SiteNum") = static_cast<std::int32_t>(*sites::StoredSiteNum(row.site_num));
  rs.Fields("SiteCustNum") = row.cust_num;
  rs.Fields("AHResetTime") = row.map_id;
  rs.Fields("CallOut") = row.callout;
  rs.Fields("SiteColor") = 0;
  rs.Fields("SiteLatMin") = 500;
  rs.Fields("SiteLonMin") = 500;
  if (!rs.Update()) throw std::runtime_error("AddSite: " + rs.Error());
  rs.MoveLast();
  std::int32_t id = rs.Fields("SiteID").ToLong();
  rs.Close();
  return id;
}

void SelectSite(app::Console& c, std::int32_t site_id, const SiteRow& row) {
  c.st.SelectedSiteID = site_id;
  c.st.SelectedSiteName = row.name;
  c.st.SelectedSiteNum = *sites::StoredSiteNum(row.site_num);
  c.st.SelectedCustNum = row.cust_num;
}

std::string SiteField(app::Console& c, std::int32_t site_id, const std::string& field) {
  platform::Recordset rs =
      c.Db.OpenRecordset("SELECT * FROM tSites WHERE (SiteID=" + std::to_string(site_id) + ");");
  if (rs.Eof()) return {};
  return rs.Fields(field).ToText();
}

}  // namespace testkit

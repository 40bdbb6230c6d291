// The map window's mouse: selecting a site, the magnifier, moving a site
// with the right button, and connecting to a site by double click.
#include <algorithm>
#include <cmath>

#include "app/console.h"
#include "app/frm_main.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "link/command_table.h"
#include "link/line_use.h"
#include "link/modem_call.h"
#include "sites/frm_map.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"
#include "sites/site_selection.h"

namespace sites {

namespace {

constexpr double kHitDistance = 120;
// Shape2 stands over the site being moved, this far up and left of it.
constexpr double kMarkerLeft = 135;
constexpr double kMarkerUp = 150;
// A moved site stays where it is drawn and can be clicked again: strictly
// inside the map, where 0 and 1000 are not.
constexpr double kNearestEdge = 1;
constexpr double kFarthestEdge = 999;

}  // namespace

void frmMap::Form_MouseDown(int Button, int /*Shift*/, double X, double Y) {
  auto& st = c_.st;
  if (Button == ui::vbRightButton) {
    if (Shape1.Visible()) {
      Shape1.Visible = false;
      return;
    }
    const auto site = SiteAt(X, Y);
    if (!site || RefuseSiteChangeWhileLineInUse(c_)) return;
    Select(*site);  // drawn selected by the next flash tick
    Shape2.Move(static_cast<int>(site->at.x - kMarkerLeft), static_cast<int>(site->at.y - kMarkerUp));
    Shape2.Visible = true;
    DragStartX = LastMouseX = X;
    DragStartY = LastMouseY = Y;
    return;
  }
  if (RefuseSiteChangeWhileLineInUse(c_)) return;
  if (Shape1.Visible()) {
    Magnify();
    return;
  }
  if (st.SelectedSiteID != 0) {
    // The site selected until now is drawn unselected.
    const std::int32_t before = st.SelectedSiteID;
    st.SelectedSiteID = 0;
    RedrawSite(before);
  }
  if (const auto site = SiteAt(X, Y)) {
    Select(*site);
    RedrawSite(site->id);
  }
}

// Only a site drawn on the map shown can be hit: a site of another map, or
// one outside the magnified part, is not there to be clicked.
std::optional<frmMap::SiteHit> frmMap::SiteAt(double X, double Y) {
  auto& rs = c_.rsShared;
  rs = c_.Db.OpenRecordset(kSitesTable);
  std::optional<SiteHit> hit;
  for (; !rs.Eof() && !hit; rs.MoveNext()) {
    if (rs.Field(kMapIdColumn).IsNull() || rs.Field(kMapIdColumn).ToLong() != map_id_) continue;
    const platform::Variant lat = rs.Field("SiteLatMin");
    const platform::Variant lon = rs.Field("SiteLonMin");
    if (lat.IsNull() || lon.IsNull()) continue;
    const Point at = FormPoint(lat.ToDouble(), lon.ToDouble());
    if (!at.in_view || std::abs(X - at.x) >= kHitDistance || std::abs(Y - at.y) >= kHitDistance)
      continue;
    hit = SiteHit{at, rs.Field("SiteID").ToLong(), rs.Field("SiteName").ToText(),
                  static_cast<std::int16_t>(rs.Field("SiteNum").ToLong()),
                  rs.Field("SiteCustNum").ToLong()};
  }
  rs.Close();
  return hit;
}

void frmMap::Select(const SiteHit& site) {
  auto& st = c_.st;
  st.SelectedSiteID = site.id;
  st.SelectedSiteName = site.name;
  st.SelectedSiteNum = site.site_num;
  st.SelectedCustNum = site.cust_num;
}

void frmMap::RedrawSite(std::int32_t site_id) {
  c_.rsShared = c_.Db.OpenRecordset(RedrawSiteQuery(site_id));
  DrawIcon();
  c_.rsShared.Close();
}

// Each click magnifies the part under the frame twice over, up to eight
// times; the frame goes at the third.
void frmMap::Magnify() {
  auto& st = c_.st;
  st.ZoomFactor = st.ZoomFactor == 0 ? 2 : st.ZoomFactor * 2;
  if (st.ZoomFactor >= 8) Shape1.Visible = false;
  const double kx = MapScaleX * st.ZoomFactor / 2;
  const double ky = MapScaleY * st.ZoomFactor / 2;
  st.ViewTop = st.ViewTop + Shape1.Top() / ky;
  st.ViewBottom = st.ViewTop + Shape1.Height() / ky;
  st.ViewLeft = st.ViewLeft + Shape1.Left() / kx;
  st.ViewRight = st.ViewLeft + Shape1.Width() / kx;
  PaintView();
  st.MapZoomed = true;
  DrawSites();
}

void frmMap::Form_MouseMove(int /*Button*/, int /*Shift*/, double X, double Y) {
  if (Shape1.Visible()) {
    const double width = Shape1.Width();
    const double height = Shape1.Height();
    const double left = std::clamp(X - width / 2, 0.0, std::max(0.0, ClientWidth() - width));
    const double top = std::clamp(Y - height / 2, 0.0, std::max(0.0, ClientHeight() - height));
    Shape1.Move(static_cast<int>(left), static_cast<int>(top));
  }
  if (Shape2.Visible() && (X != LastMouseX || Y != LastMouseY)) {
    Shape2.Move(static_cast<int>(Shape2.Left() + X - LastMouseX),
                static_cast<int>(Shape2.Top() + Y - LastMouseY));
    LastMouseX = X;
    LastMouseY = Y;
  }
}

// The site moves by where the mouse was last seen, in thousandths of the
// map, as far as the part in view reaches.
void frmMap::Form_MouseUp(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
  if (Button != ui::vbRightButton || !Shape2.Visible()) return;
  const auto& st = c_.st;
  Shape2.Visible = false;
  const double dx = vb::Int((LastMouseX - DragStartX) / ClientWidth() * 1000 *
                                (st.ViewRight - st.ViewLeft) / PictureWidth() + 0.5);
  const double dy = vb::Int((LastMouseY - DragStartY) / ClientHeight() * 1000 *
                                (st.ViewBottom - st.ViewTop) / PictureHeight() + 0.5);
  auto& rs = c_.rsShared;
  rs = c_.Db.OpenRecordset(MoveSiteQuery(st.SelectedSiteID));
  if (!rs.Eof() && rs.Edit()) {
    auto moved = [&](const char* column, double by) {
      return std::clamp(rs.Field(column).ToDouble() + by, kNearestEdge, kFarthestEdge);
    };
    rs.Fields("SiteLatMin") = moved("SiteLatMin", dx);
    rs.Fields("SiteLonMin") = moved("SiteLonMin", dy);
    rs.Update();
  }
  rs.Close();
  PaintView();
  DrawSites();
}

void frmMap::Form_DblClick() {
  auto& st = c_.st;
  if (st.SelectedSiteID == 0 || lnk::LineInUse(c_)) return;
  if (c_.rt.MsgBox("Are you sure you want to establish a \r\nconnection to the site '" +
                       st.SelectedSiteName + "'?",
                   ui::vbYesNo + ui::vbQuestion, "Confirm connection") != ui::vbYes)
    return;
  // Read and released before the road starts: a road waits in the receive
  // loop, where the flash timer takes the shared recordset every second.
  c_.rsShared = c_.Db.OpenRecordset(DoubleClickSiteQuery(st.SelectedSiteID));
  const std::string phone = c_.rsShared.Eof() ? "" : c_.rsShared.Field("SitePhone").ToText();
  const platform::Variant site_num = c_.rsShared.Field("SiteNum");
  c_.rsShared.Close();
  const SiteLink link = ParseSitePhone(phone);
  auto& main = c_.Get<app::frmMain>();
  switch (link.kind) {
    case SiteLinkKind::None: return;
    case SiteLinkKind::Network:
      st.SiteNetAddress = link.host;
      main.mnuConnNet_Click();
      return;
    case SiteLinkKind::SerialPort:
      if (c_.MSComm1.PortOpen()) c_.MSComm1.SetPortOpen(false);
      c_.MSComm1.CommPort = link.serial_port;
      if (!site_num.IsNull()) st.UnitAddress = UnitSiteNum(vb::CLng(vb::Val(site_num.ToText())));
      main.DirectConnect();
      return;
    case SiteLinkKind::Telephone:
      c_.cmd.Cmd[lnk::kDial] = "ATDT" + link.dial_digits + "\r";
      lnk::StartModemCall(c_);
      return;
  }
}

}  // namespace sites

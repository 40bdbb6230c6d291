// The map window's picture: loading and painting the map, and drawing the
// sites' icons. The mouse is in frm_map_mouse.cpp.
#include "sites/frm_map.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <string_view>

#include "app/console.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "platform/picture_file.h"
#include "sites/site_conventions.h"
#include "sites/site_queries.h"

namespace app {
bool MapShown(Console& c) {
  auto* map = c.IfLoaded<sites::frmMap>();
  return map != nullptr && map->Visible();
}
}  // namespace app

namespace sites {

namespace {

constexpr double kRingRadius = 120;
constexpr double kDotRadius = 75;
constexpr double kNameBelow = 180;
constexpr double kNumberBelow = 320;
constexpr double kShadowOffset = 15;
constexpr ui::Color kRingEdge = ui::RGB(40, 40, 40);
constexpr ui::Color kSelectedLabel = ui::RGB(255, 50, 0);
// The window's colour where no map is painted.
constexpr ui::Color kNoMapColor = ui::RGB(150, 160, 170);

// What an icon is drawn from: the columns of its site's row.
struct SiteIcon {
  platform::Variant id, lat, lon, color, name, cust, map;
};

}  // namespace

// Where those columns stand in a recordset (-1: not in its query).
struct IconColumns {
  int id, lat, lon, color, name, cust, map;
  bool Complete() const {
    return std::min({id, lat, lon, color, name, cust, map}) >= 0;
  }
};

namespace {

IconColumns ColumnsOf(const platform::Recordset& rs) {
  return IconColumns{rs.Ordinal("SiteID"),    rs.Ordinal("SiteLatMin"),  rs.Ordinal("SiteLonMin"),
                     rs.Ordinal("SiteColor"), rs.Ordinal("SiteName"),    rs.Ordinal("SiteCustNum"),
                     rs.Ordinal(kMapIdColumn)};
}

SiteIcon IconOf(const platform::Recordset& rs, const IconColumns& at) {
  return SiteIcon{rs.FieldAt(at.id),    rs.FieldAt(at.lat),  rs.FieldAt(at.lon),
                  rs.FieldAt(at.color), rs.FieldAt(at.name), rs.FieldAt(at.cust),
                  rs.FieldAt(at.map)};
}

}  // namespace

std::string MapFilePath(app::Console& c, const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  return c.folder.FilePath(path);
}

std::string CurrentMapSetting(app::Console& c) {
  return c.GetSetting("CurrentMap", c.folder.FilePath("TEVH.bmp"));
}

frmMap::frmMap(app::Console& c) : ui::Form(c.rt, "frmMap"), c_(c) {
  SetMDIChild();
  MouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
  MouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
  MouseUp = [this](int b, int s, double x, double y) { Form_MouseUp(b, s, x, y); };
  DblClick = [this] { Form_DblClick(); };
}

void frmMap::Design() {
  ready_ = false;
  Caption = "Map";
  BackColor = kNoMapColor;
  Move(0, 0, 6290, 4315);
  // Without a picture the image keeps this size, and icons are placed
  // against it.
  imgMap.Visible = false;
  imgMap.Move(0, 0, 9600, 7200);
  imgMap.Picture = ui::Picture{};
  Shape1.Visible = false;
  Shape1.BorderColor = ui::RGB(255, 255, 0);
  Shape2.Visible = false;
  Shape2.Move(0, 0, 270, 300);
  Shape2.BorderColor = kSelectedLabel;
}

void frmMap::Form_Load() {
  std::string path = MapFilePath(c_, CurrentMapSetting(c_));
  map_id_ = vb::CLng(vb::Val(c_.GetSetting("CurrentMapID", "0")));
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) path.clear();
  LoadMapPicture(path);
  ready_ = true;
}

namespace {

// What the header and the file's length tell, then what the view's own
// loading finds.
platform::PictureCheck CheckMapPicture(app::Console& c, const std::string& file) {
  platform::PictureCheck check = platform::CheckPictureFile(file);
  if (check.problem.empty()) check.problem = c.rt.PictureLoadProblem(file);
  return check;
}

}  // namespace

void frmMap::LoadMapPicture(const std::string& path) {
  imgMap.Picture = ui::Picture{};
  if (path.empty()) return;
  const std::string file = MapFilePath(c_, path);
  const platform::PictureCheck check = CheckMapPicture(c_, file);
  if (!check.problem.empty()) {
    TellMapPictureProblem(path, check.problem);
    return;
  }
  imgMap.Picture = ui::Picture::FromFile(file);
  imgMap.Width = check.size->width * kMapTwipsPerPixel;
  imgMap.Height = check.size->height * kMapTwipsPerPixel;
}

std::string frmMap::MapPictureProblem(const std::string& path) {
  return CheckMapPicture(c_, MapFilePath(c_, path)).problem;
}

// As a missing file is told, with the reason a file that is there cannot
// be shown.
void frmMap::TellMapPictureProblem(const std::string& path, const std::string& problem) {
  c_.rt.MsgBox("File cannot be loaded: " + path + " (" + problem + ")", ui::vbOKOnly,
               app_info::kTitle);
}

// The map is painted over the client area, so a site at the middle of the
// bitmap is at the middle of what the operator sees and none lies under the
// window's frame.
double frmMap::ClientWidth() const { return ScaleWidth(); }
double frmMap::ClientHeight() const { return ScaleHeight(); }
double frmMap::PictureWidth() const { return imgMap.Width() > 0 ? imgMap.Width() : 1; }
double frmMap::PictureHeight() const { return imgMap.Height() > 0 ? imgMap.Height() : 1; }

void frmMap::Form_Resize() {
  if (!ready_) return;  // sized by its design, before it has loaded
  auto& st = c_.st;
  const std::string path = MapFilePath(c_, CurrentMapSetting(c_));
  Cls();
  // A picture that cannot be loaded whole was told when it was taken; the
  // one taken was checked then.
  const bool taken = imgMap.Picture().file == path;
  if (platform::ReadPictureSize(path) && (taken || MapPictureProblem(path).empty()))
    PaintPicture(ui::Picture::FromFile(path), 0, 0, ClientWidth(), ClientHeight());
  MapScaleX = ClientWidth() / PictureWidth();
  MapScaleY = ClientHeight() / PictureHeight();
  Shape1.Width = static_cast<int>(ClientWidth() / 2);
  Shape1.Height = static_cast<int>(ClientHeight() / 2);
  st.MapZoomed = false;
  st.ZoomFactor = 0;
  st.ViewTop = 0;
  st.ViewLeft = 0;
  st.ViewRight = PictureWidth();
  st.ViewBottom = PictureHeight();
  DrawSites();
}

void frmMap::PaintView() {
  const auto& st = c_.st;
  Cls();
  if (imgMap.Picture().IsEmpty()) return;
  const double px = kMapTwipsPerPixel;
  PaintPicture(imgMap.Picture(), 0, 0, ClientWidth(), ClientHeight(), st.ViewLeft / px,
               st.ViewTop / px, (st.ViewRight - st.ViewLeft) / px,
               (st.ViewBottom - st.ViewTop) / px);
}

frmMap::Point frmMap::FormPoint(double lat_min, double lon_min) const {
  const auto& st = c_.st;
  // A fraction of a bitmap unit of 0.01 or more counts as a whole unit.
  const double px = vb::Int(lat_min / 1000 * PictureWidth() + 0.99);
  const double py = vb::Int(lon_min / 1000 * PictureHeight() + 0.99);
  Point p;
  p.in_view = st.ViewLeft < px && px < st.ViewRight && st.ViewTop < py && py < st.ViewBottom;
  p.x = (px - st.ViewLeft) / (st.ViewRight - st.ViewLeft) * PictureWidth() * MapScaleX;
  p.y = (py - st.ViewTop) / (st.ViewBottom - st.ViewTop) * PictureHeight() * MapScaleY;
  return p;
}

void frmMap::DrawSites() {
  c_.st.FlashOn = !c_.st.FlashOn;
  // Read forward only: the pass draws as it steps and copies no row whole
  // (the rows hold every site's connection log).
  // The timer runs it every second: it must not hold the operator up while
  // another program locks the file, nor tell the same failure every time.
  c_.rsShared = c_.Db.OpenForwardOnly(MapSitesQuery(map_id_), platform::ReadFailure::Repeating);
  HoldUpdates();
  IconColumns columns = ColumnsOf(c_.rsShared);
  columns.map = -1;  // its rows are this map's
  bool stepped = true;
  while (!c_.rsShared.Eof() && stepped) {
    DrawRow(&columns);
    stepped = c_.rsShared.MoveNext();
  }
  ReleaseUpdates();
  // A failed step ends the pass and leaves the recordset to the next user.
  if (stepped) c_.rsShared.Close();
}

void frmMap::DrawIcon() { DrawRow(nullptr); }

// The row of a caller's own query may lack columns the icon needs; they
// come from the site's row as it stands, and so does its map.
void frmMap::DrawRow(const IconColumns* pass) {
  const platform::Recordset& rs = c_.rsShared;
  if (rs.Eof()) return;
  const IconColumns columns = pass != nullptr ? *pass : ColumnsOf(rs);
  SiteIcon icon = IconOf(rs, columns);
  if (pass == nullptr && !icon.id.IsNull()) {
    if (!columns.Complete()) {
      const platform::Recordset row = c_.Db.OpenRecordset(EditSiteQuery(icon.id.ToLong()));
      if (row.Eof()) return;
      const SiteIcon stored = IconOf(row, ColumnsOf(row));
      auto fill = [](platform::Variant& value, const platform::Variant& from, int ordinal) {
        if (ordinal < 0) value = from;
      };
      fill(icon.lat, stored.lat, columns.lat);
      fill(icon.lon, stored.lon, columns.lon);
      fill(icon.color, stored.color, columns.color);
      fill(icon.name, stored.name, columns.name);
      fill(icon.cust, stored.cust, columns.cust);
      fill(icon.map, stored.map, columns.map);
    }
    if (icon.map.IsNull() || icon.map.ToLong() != map_id_) return;  // not on this map
  }
  if (icon.lat.IsNull() || icon.lon.IsNull()) return;
  const Point at = FormPoint(icon.lat.ToDouble(), icon.lon.ToDouble());
  if (!at.in_view) return;

  const bool grouped = !icon.id.IsNull();
  if (grouped) BeginGroup(icon.id.ToLong());
  FilledCircle(at.x, at.y, kRingRadius, kRingEdge, ui::vbWhite);
  std::optional<ui::Color> dot = ui::vbWhite;  // the dot blinks off
  if (c_.st.FlashOn) dot = icon.color.IsNull() ? std::nullopt : SiteDotColor(icon.color.ToLong());
  if (dot) FilledCircle(at.x, at.y, kDotRadius, *dot, *dot);
  const bool selected = grouped && icon.id.ToLong() == c_.st.SelectedSiteID;
  const std::string* name = icon.name.IfText();
  Label(name != nullptr ? std::string_view(*name) : icon.name.ToText(), at.x, at.y + kNameBelow,
        selected);
  std::array<char, 24> number{};
  Label(NumberLabel(icon.cust, number), at.x, at.y + kNumberBelow, selected);
  if (grouped) EndGroup();
}

// The customer number and two blanks, as CStr and the blanks joined would
// make it; a whole number is written without building a text (every icon,
// every second).
std::string_view frmMap::NumberLabel(const platform::Variant& cust, std::array<char, 24>& buffer) {
  if (cust.type() == platform::Variant::Type::Long) {
    char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size() - 2, cust.ToLong()).ptr;
    *end++ = ' ';
    *end++ = ' ';
    return std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
  }
  number_text_ = cust.ToText() + "  ";
  return number_text_;
}

// A label in white, then again a little up and left in black (or in the
// selection's colour), so it reads on any map.
void frmMap::Label(std::string_view text, double x, double y, bool selected) {
  CurrentX = x - TextWidth(text) / 2;
  CurrentY = vb::CLng(y);
  const double left = CurrentX;
  const double top = CurrentY;
  DrawColor = ui::vbWhite;
  Print(text);
  CurrentX = left - kShadowOffset;
  CurrentY = top - kShadowOffset;
  DrawColor = selected ? kSelectedLabel : ui::vbBlack;
  Print(text);
}

}  // namespace sites

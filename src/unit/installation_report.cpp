#include "unit/installation_report.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "app/console.h"
#include "common/app_info.h"
#include "common/vb.h"
#include "unit/frm_install.h"

namespace unit {

namespace {

constexpr const char* kReportFont = "Courier";
constexpr double kReportFontSize = 10;
// Columns beyond any page are kept finite.
constexpr double kLastColumn = 1000;

// Keys whose place is kept and which print nothing.
constexpr std::string_view kReservedKeys[] = {
    "TXTCALLOUT1",      "TXTCALLOUT2",      "TXTVDISC",        "TXTVRECT",
    "TXTRECTAMPS",      "TXTAUXINAH",       "TXTSOLV",         "TXTSOLAH",
    "TXTGENFUEL",       "TXTPVAHT",         "TXTRECTAHT",      "TXTLOADAHT",
    "TXTSUNT",          "TXTBATTVOLTSMAXT", "TXTBATTVOLTSMINT", "TXTPVAMPSMAXT",
    "TXTRECTAMPSMINT",  "TXTLOADMAPSMAXT",  "TXTLOADAMPSMINT", "TXTBATTTEMPNAXT",
    "TXTBATTTEMPMINT",  "TXTAMBTEMPMAXT",   "TXTAMBTEMPMINT",  "TXTLASTEQD",
    "TXTLASTEQT",       "TXTGENHRRESETD",   "TXTGENHRRESETT",  "TXTLASTGEND",
    "TXTLASTGENT",
};

// A field's number as an index, when it is a whole number in range.
std::optional<int> WholeNumber(double v, int low, int high) {
  if (!(v >= low && v <= high) || v != std::floor(v)) return std::nullopt;
  return static_cast<int>(v);
}

const ui::TextBox* StatusBox(frmInstall& f, std::string_view key) {
  const std::pair<std::string_view, const ui::TextBox*> boxes[] = {
      {"TXTLOADHOURS", &f.txtLoadHours},   {"TXTSTATUSDATE", &f.txtStatusDate},
      {"TXTTIME", &f.txtTime},             {"TXTMODEMINIT", &f.txtModemInit},
      {"TXTBATTVOLTS", &f.txtBattVolts},   {"TXTSOC", &f.txtSOC},
      {"TXTAMPSNET", &f.txtAmpsNet},       {"TXTAHNET", &f.txtAHnet},
      {"TXTTEMPUNIT", &f.txtTempUnit},     {"TXTCURRENTPV", &f.txtCurrentPV},
      {"TXTAHOUT", &f.txtAHout},           {"TXTCURRENTLOAD", &f.txtCurrentLoad},
      {"TXTAHIN", &f.txtAHin},             {"TXTTEMPBATT", &f.txtTempBatt},
  };
  for (const auto& [name, box] : boxes)
    if (name == key) return box;
  return nullptr;
}

std::optional<std::string> SwitchText(frmInstall& f, std::string_view key) {
  const auto shows = [](const ui::Image& lamp, const ui::Image& source) {
    return lamp.Picture() == source.Picture();
  };
  const auto mark = [](bool on, const char* text) { return std::string(on ? text : "-"); };
  if (key == "OPTAC") return f.optAC[0].Value() ? "Disabled" : "Enabled";
  if (key == "OPTNOTMODE") return f.optNOTMode[0].Value() ? "Disabled" : "Enabled";
  if (key == "OPTCALLOUT") return f.optCallout[0].Value() ? "Disabled" : "Enabled";
  if (key == "IMGLD1T") return shows(f.imgLd1T, f.imgGreenOff) ? "Disabled" : "Enabled";
  if (key == "IMGPV1") return mark(shows(f.imgPV1, f.imgGreenOn), "1");
  if (key == "IMGPV2") return mark(shows(f.imgPV2, f.imgGreenOn), "2");
  if (key == "IMGLOAD1") return mark(shows(f.imgLoad1, f.imgGreenOn), "*");
  if (key == "IMGEQU") return mark(shows(f.imgEQU, f.imgGreenOn), "*");
  if (key == "IMGGEN") return mark(shows(f.imgGEN, f.imgGreenOn), "*");
  if (key == "IMGHVA") return mark(shows(f.imgHVA, f.imgRedOn), "*");
  if (key == "IMGLVA") return mark(shows(f.imgLVA, f.imgRedOn), "*");
  return std::nullopt;
}

std::string KeyText(app::Console& c, frmInstall& f, const std::string& key) {
  if (key == "ADDRESS") return vb::CStr(c.st.UnitAddress);
  if (key == "PAGE" || key == "END") return "";
  if (const ui::TextBox* box = StatusBox(f, key)) return box->Text();
  if (auto text = SwitchText(f, key)) return *text;
  if (std::find(std::begin(kReservedKeys), std::end(kReservedKeys), key) != std::end(kReservedKeys))
    return "";
  return key;
}

// "1" or "2" for the two halves of a paired input, "F" for the fault,
// "*" for the others; "-" while the alarm is not active.
std::string AlarmMarker(app::Console& c, frmInstall& f, double n) {
  const std::string& flags = c.st.AlarmFlags;
  if (flags.size() != 16) return "-";
  const auto index = WholeNumber(n, 0, 32767);
  const ui::Label* label = index ? f.lblRelay.Find(*index) : nullptr;
  if (label == nullptr) return "-";
  const auto position = WholeNumber(vb::Val(label->Tag()), 1, 16);
  if (!position || flags[static_cast<std::size_t>(*position - 1)] != '1') return "-";
  switch (*index) {
    case 3: case 6: case 12: case 14: return "1";
    case 2: case 5: case 11: case 13: return "2";
    case 25: return "F";
    default: return "*";
  }
}

void TellOperator(app::Console& c, const std::string& notice) {
  if (!notice.empty()) c.rt.MsgBox(notice, ui::vbInformation, app_info::kTitle);
}

}  // namespace

std::string ReportTemplateName(app::Console& c) {
  if (c.st.V4Mode) return "Report4.ini";
  switch (c.Get<frmInstall>().udProp[4].Value()) {
    case 14: return "Report2.ini";
    case 15: return "Report3.ini";
    default: return "Report.ini";
  }
}

std::string ReportFieldText(app::Console& c, const ReportItem& field) {
  frmInstall& f = c.Get<frmInstall>();
  switch (field.kind) {
    case ReportItem::Kind::Row: {
      const auto row = WholeNumber(field.number, 0, 32767);
      const ui::TextBox* box = row ? f.txtProp.Find(*row) : nullptr;
      return box ? box->Text() : "-";
    }
    case ReportItem::Kind::Alarm: return AlarmMarker(c, f, field.number);
    case ReportItem::Kind::Key: return KeyText(c, f, field.key);
    case ReportItem::Kind::Column: return "";
  }
  return "";
}

void PrintInstallationReport(app::Console& c) {
  const std::string name = ReportTemplateName(c);
  platform::Printer* printer = c.printer;
  if (printer == nullptr) {
    c.rt.MsgBox("No printer is available: the report cannot be printed.", ui::vbExclamation,
                app_info::kTitle);
    return;
  }
  const std::optional<std::string> text = c.folder.ReadFile(name);
  if (!text) {
    c.rt.MsgBox("The report template \"" + c.folder.FilePath(name) +
                    "\" cannot be read; nothing was printed.",
                ui::vbExclamation, app_info::kTitle);
    return;
  }
  PrintReport(c, *printer, *text);
}

void PrintReport(app::Console& c, platform::Printer& printer, std::string_view report_template) {
  printer.SetFont(kReportFont, kReportFontSize);
  const double column_width = printer.TextWidth("A");
  for (const std::string& line : ReportTemplateLines(report_template)) {
    if (!line.empty()) {
      for (const ReportItem& item : ParseReportLine(line)) {
        if (item.kind == ReportItem::Kind::Column) {
          printer.SetCurrentX(std::clamp(item.number, 0.0, kLastColumn) * column_width);
        } else if (item.kind == ReportItem::Kind::Key && item.key == "PAGE") {
          printer.NewPage();
        } else if (item.kind == ReportItem::Kind::Key && item.key == "END") {
          const std::string notice = printer.EndDoc();
          c.st.PrintPending = true;
          return TellOperator(c, notice);
        } else {
          printer.Print(ReportFieldText(c, item));
        }
      }
    }
    printer.EndLine();
  }
}

}  // namespace unit

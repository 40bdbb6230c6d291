// Where the parameter rows sit on their pages. A row is one line: name,
// value text, spinner, send button. Rows flow down their page column in
// table order; a new block caption starts a block.
#include <string>

#include "unit/frm_install.h"
#include "unit/install_parameter_controls.h"
#include "unit/parameter_table.h"

namespace unit {

namespace {

constexpr int kPitch = 285;        // line to line
constexpr int kBoxHeight = 270;
constexpr int kCaptionHeight = 210;
constexpr int kCaptionDrop = 45;   // a caption's text sits level with its box's text
constexpr int kSpinnerWidth = 255;
constexpr int kSendWidth = 285;
constexpr int kGap = 30;
constexpr int kBlockGap = 90;
constexpr int kLampSize = 240;

struct Column {
  int left;
  int name_width;
  int text_width;
};

// Page columns 1 to 3 (index 0 unused), and the top of the first line.
struct PageLayout {
  int top;
  Column columns[4];
};

PageLayout LayoutOf(int page) {
  switch (page) {
    case kPageFactory: return {120, {{}, {120, 2150, 900}, {3840, 1700, 900}, {}}};
    case kPageInstall:
      return {120, {{}, {120, 1150, 1000}, {3150, 1000, 1000}, {5720, 2100, 950}}};
    // Below the live status fields, right of the Update button.
    case kPageStatus: return {4440, {{}, {1800, 1900, 900}, {6400, 1100, 900}, {}}};
    default: return {120, {}};
  }
}

void Place(ui::Control& c, int left, int top, int width, int height) {
  c.Move(left, top, width, height);
}

// Memory page grid.
constexpr int kMemNameLeft = 120;
constexpr int kMemNameWidth = 1800;
constexpr int kMemValueLeft = 1980;
constexpr int kMemValueWidth = 1100;
constexpr int kMemDateLeft = 3180;
constexpr int kMemDateWidth = 900;
constexpr int kMemTimeLeft = 4180;
constexpr int kMemTimeWidth = 900;
constexpr int kMemTop = 120;
constexpr int kMemPitch = 330;
constexpr int kMemSideLeft = 5700;  // the temperature extremes and program resets

}  // namespace

void InstallParameterControls::PlaceRows() {
  int block_caption = 0;
  for (int page : {kPageFactory, kPageInstall, kPageStatus}) {
    const PageLayout layout = LayoutOf(page);
    for (int column = 1; column <= 3; ++column) {
      const Column& col = layout.columns[column];
      int top = layout.top;
      std::string_view block;
      bool first_block = true;
      const ParameterRow* pending_hour = nullptr;  // the hour spinner of a time pair
      for (const ParameterRow& row : ParameterRows()) {
        if (row.page != page || row.column != column) continue;
        if (row.group != block || first_block) {
          if (!first_block) top += kBlockGap;
          first_block = false;
          block = row.group;
          if (!block.empty()) {
            ui::Label& caption =
                block == "Generator" ? Label27 : nlblProp.Load(block_caption++, &param_pages_.fInstall[page]);
            if (&caption != &Label27) {
              caption.Caption = std::string(block);
              caption.FontBold = true;
            }
            caption.SetContainer(&param_pages_.fInstall[page]);
            Place(caption, col.left, top + kCaptionDrop, col.name_width + col.text_width, kCaptionHeight);
            top += kPitch;
          }
        }
        const int a = row.address;
        if (row.type == "T1" && row.updown_shown && row.text == RowText::Hidden) {
          pending_hour = &row;  // shares the line of its minutes
          continue;
        }
        int x = col.left;
        if (row.label >= 0) Place(lblProp[row.label], x, top + kCaptionDrop, col.name_width - 60, kCaptionHeight);
        x += col.name_width;
        if (ui::TextBox* box = txtProp.Find(a)) Place(*box, x, top, col.text_width, kBoxHeight);
        if (row.type == "FAULT") {
          imgFault1.SetContainer(&param_pages_.fInstall[page]);
          Place(imgFault1, x, top + (kBoxHeight - kLampSize) / 2, kLampSize, kLampSize);
        }
        x += col.text_width;
        if (pending_hour != nullptr) {
          Place(udProp[pending_hour->address], x, top, kSpinnerWidth, kBoxHeight);
          if (ui::TextBox* hidden = txtProp.Find(pending_hour->address))
            Place(*hidden, x, top, col.text_width, kBoxHeight);
          x += kSpinnerWidth;
          pending_hour = nullptr;
        }
        if (a == 25) {  // the capacity is edited in hundreds and units
          for (ui::UpDown* ud : {&udAH1, &udAH2}) {
            ud->SetContainer(&param_pages_.fInstall[page]);
            Place(*ud, x, top, kSpinnerWidth, kBoxHeight);
            x += kSpinnerWidth;
          }
          Place(udProp[a], x - kSpinnerWidth, top, kSpinnerWidth, kBoxHeight);
        } else {
          Place(udProp[a], x, top, kSpinnerWidth, kBoxHeight);
          x += kSpinnerWidth;
        }
        if (ui::CommandButton* send = cmdProp.Find(a)) Place(*send, x + kGap, top, kSendWidth, kBoxHeight);
        top += kPitch;
      }
    }
  }
}

void InstallParameterControls::PlaceMemoryPage() {
  ui::Frame& page = param_pages_.fInstall[kPageMemory];
  static constexpr const char* kHeads[] = {"Value", "Date", "Time"};
  static constexpr int kHeadLeft[] = {kMemValueLeft, kMemDateLeft, kMemTimeLeft};
  static constexpr int kHeadWidth[] = {kMemValueWidth, kMemDateWidth, kMemTimeWidth};
  for (int i = 0; i < 3; ++i) {
    ui::Label& head = hlblProp.Load(i, &page);
    head.Caption = kHeads[i];
    head.FontBold = true;
    head.Alignment = ui::vbCenter;
    Place(head, kHeadLeft[i], kMemTop, kHeadWidth[i], kCaptionHeight);
  }
  const auto place_line = [this](int value, int date, int time, int top) {
    Place(txtProp[value], kMemValueLeft, top, kMemValueWidth, kBoxHeight);
    Place(txtProp[date], kMemDateLeft, top, kMemDateWidth, kBoxHeight);
    Place(txtProp[time], kMemTimeLeft, top, kMemTimeWidth, kBoxHeight);
  };
  int top = kMemTop + kPitch;
  for (const MemoryGroup& g : MemoryGroups()) {
    Place(lblProp[g.base], kMemNameLeft, top + kCaptionDrop, kMemNameWidth, kCaptionHeight);
    place_line(g.base, g.base + 2, g.base + 4, top);
    top += kMemPitch;
  }
  // Gen Hours: a run time, headed by its own caption, under the grid.
  top += kBlockGap;
  Label92.SetContainer(&page);
  Label95.SetContainer(&page);
  Label95.Alignment = ui::vbCenter;
  Place(Label95, kMemValueLeft, top, kMemValueWidth, kCaptionHeight);
  top += kCaptionHeight + 30;
  Place(Label92, kMemNameLeft, top + kCaptionDrop, kMemNameWidth, kCaptionHeight);
  place_line(kGenHoursLow, kGenHoursDateTime + 1, kGenHoursDateTime + 3, top);

  int side = kMemTop + kPitch;
  for (auto [caption, box] : {std::pair{&lblMaxTemp, &txtMaxTemp}, std::pair{&lblMinTemp, &txtMinTemp},
                              std::pair{&lblNumInits, &txtNumInits}}) {
    caption->SetContainer(&page);
    box->SetContainer(&page);
    Place(*caption, kMemSideLeft, side + kCaptionDrop, 1500, kCaptionHeight);
    Place(*box, kMemSideLeft + 1500, side, 1000, kBoxHeight);
    side += kMemPitch;
  }
}

void InstallParameterControls::PlaceExtras() {
  // The unit's modem init string heads the Factory page's third column.
  ui::Frame& factory = param_pages_.fInstall[kPageFactory];
  Label19.SetContainer(&factory);
  Place(Label19, 7100, 120 + kCaptionDrop, 2300, kCaptionHeight);

  // The auxiliary relay's name stands after the GEN lamp's caption.
  ui::Label& relay = lblRelay[17];
  const ui::Image& gen = Screen().imgGEN;
  Place(relay, gen.Left() + 1380, gen.Top(), 900, kCaptionHeight);

  ui::Frame& controls = param_pages_.fInstall[kPageControls];
  lblEqMode.SetContainer(&controls);
  txtEqMode.SetContainer(&controls);
  // Under the equalisation option pair, level with the page's buttons.
  Place(lblEqMode, 4800, 2310 + kCaptionDrop, 1500, kCaptionHeight);
  Place(txtEqMode, 6300, 2310, 900, kBoxHeight);
}

}  // namespace unit

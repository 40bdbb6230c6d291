// What one piece of received text costs the terminal window's receive box
// (model and shown widget together) as the box grows: 16-byte pieces, the
// size the serial port hands on at 9600 baud, appended to a box already
// holding 0 bytes to 4 MB. At 9600 baud about 60 such pieces arrive per
// second, so a cost of c ms per piece takes 6c % of one core.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <string>

#include "qt/qt_runtime.h"
#include "ui/controls.h"

namespace {

class TerminalBox : public ui::Form {
 public:
  explicit TerminalBox(ui::Runtime& rt) : ui::Form(rt, "frmEcho") {}
  ui::TextBox txtIn{*this, "txtIn"};

 protected:
  void Design() override {
    Move(600, 600, 7200, 5400);
    txtIn.MultiLine = true;
    txtIn.ScrollBars = ui::vbBoth;  // as the terminal's receive box
    txtIn.Move(120, 400, 6840, 3000);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  qtui::QtRuntime rt;
  std::printf("qt_terminal_echo: ms per 16-byte piece appended to the shown box\n");
  for (size_t size : {size_t{0}, size_t{64} << 10, size_t{1} << 20, size_t{4} << 20}) {
    TerminalBox form(rt);
    form.Show();
    std::string start;
    while (start.size() < size) start += "U 26/03/02 0 10:04:07 1 1350 183 67 25 31 16 32 0\r\n";
    form.txtIn.Text = start.substr(0, size);
    rt.DoEvents();
    constexpr int kPieces = 200;
    const auto before = std::chrono::steady_clock::now();
    for (int i = 0; i < kPieces; ++i) {
      form.txtIn.Append("0123456789ABCD\r\n");
      rt.DoEvents();
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count();
    std::printf("  box %7zu KB: %.3f ms\n", size >> 10, ms / kPieces);
    form.Unload();
  }
  return 0;
}

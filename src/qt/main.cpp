// The console program: Qt application, runtime, platform services and the
// console itself, then the start-up sequence and the event loop.
//
//   vkx4700 [--home DIR] [--grab PNG]
//     --home DIR   program folder (default ~/.local/share/vkx4700)
//     --grab PNG   after start-up, save a picture of the main window (used by
//                  the smoke test)
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "app/console.h"
#include "console_application.h"
#include "app/frm_main.h"
#include "common/app_info.h"
#include "link/startup.h"
#include "named_pictures.h"
#include "platform/program_folder.h"
#include "qt_convert.h"
#include "qt_printer.h"
#include "qt_program_launcher.h"
#include "qt_registry.h"
#include "qt_runtime.h"
#include "qt_serial_port.h"
#include "qt_tcp_client.h"

namespace {

int g_signal_pipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(g_signal_pipe[1], &byte, 1);
}

struct Options {
  std::string home;
  std::string grab;
};

bool ParseOptions(int argc, char** argv, Options& out) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if ((arg == "--home" || arg == "--grab") && i + 1 < argc) {
      (arg == "--home" ? out.home : out.grab) = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      std::printf("usage: vkx4700 [--home DIR] [--grab PNG]\n");
      return false;
    } else {
      std::fprintf(stderr, "vkx4700: unknown argument %s\n", arg.c_str());
      return false;
    }
  }
  return true;
}

// The files shipped beside the program: data/ next to the binary when
// installed that way, else the source tree's data/.
std::string ShippedDataDir() {
  QString beside = QCoreApplication::applicationDirPath() + "/data";
  if (QFileInfo(beside + "/VKX1300.ini").exists()) return qtui::PathFromQt(beside);
  return VKX_DATA_DIR;
}

std::string ConfigDir() {
  QString base = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
  if (base.isEmpty()) base = QDir::homePath() + "/.config";
  return qtui::PathFromQt(base + "/vkx4700");
}

}  // namespace

int main(int argc, char** argv) {
  qtui::ConsoleApplication application(argc, argv);
  QApplication::setApplicationName(app_info::kTitle);
  QApplication::setWindowIcon(QIcon(qtui::NamedPicturePixmap("AppLogo", 64)));
  Options options;
  if (!ParseOptions(argc, argv, options)) return 2;

  platform::ProgramFolder folder(options.home.empty() ? platform::ProgramFolder::DefaultPath()
                                                      : options.home);
  qtui::QtRuntime runtime;
  if (auto error = folder.EnsureSeeded(ShippedDataDir())) {
    runtime.MsgBox(*error, ui::vbCritical, app_info::kTitle);
    return 1;
  }
  std::string machine_ini = ConfigDir() + "/machine.ini";
  qtui::QtRegistry registry(ConfigDir() + "/VKX-4700.ini",
                            QFileInfo::exists(qtui::PathToQt(machine_ini)) ? machine_ini : "");
  qtui::QtSerialPort serial(registry);
  qtui::QtTcpClient tcp;
  qtui::QtPrinter printer(folder.Path());
  qtui::QtProgramLauncher launcher;
  app::Console console(app::Services{runtime, registry, folder, serial, tcp, &printer, &launcher});

  // A termination signal closes the main window as the operator would, so the
  // shutdown sequence (settings file, geometry) runs. Until the start-up has
  // ended (the start-up timer's restore has run) it ends the program without
  // that sequence, whatever box of the start-up is open: the window still has
  // its design rectangle, which would be stored over the saved one, and the
  // settings file of a start that never finished is not written back.
  bool starting = true;
  if (::pipe(g_signal_pipe) == 0) {
    std::signal(SIGTERM, OnTerminationSignal);
    std::signal(SIGINT, OnTerminationSignal);
  }
  QSocketNotifier signal_notifier(g_signal_pipe[0], QSocketNotifier::Read);
  QObject::connect(&signal_notifier, &QSocketNotifier::activated, [&] {
    char byte;
    [[maybe_unused]] ssize_t n = ::read(g_signal_pipe[0], &byte, 1);
    auto* main = starting ? nullptr : console.IfLoaded<app::frmMain>();
    if (main != nullptr)
      main->UserClose();
    else
      runtime.Quit();
  });

  if (!lnk::Main(console)) return 1;
  auto& main_form = console.Get<app::frmMain>();
  main_form.tmrStartup.Tick = [&] {
    main_form.tmrStartup_Timer();
    starting = false;
  };

  // Delayed work of main() dies with its locals rather than outlive them.
  QObject main_scope;
  if (!options.grab.empty()) {
    // After the start-up timer (2 s) has restored the main window.
    QTimer::singleShot(2600, &main_scope, [&] {
      if (QWidget* window = runtime.WindowOf(console.Get<app::frmMain>()))
        window->grab().save(qtui::PathToQt(options.grab), "PNG");
    });
  }
  return runtime.Exec();
}

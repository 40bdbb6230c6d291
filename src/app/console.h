// The console's context: the runtime and platform services it runs on, the
// shared state, settings, command table and parameter image, and the one
// default instance of every window. Created by main() or by a test, and
// passed by reference; two consoles can run side by side in one process.
#pragma once

#include <memory>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "common/shared_state.h"
#include "link/command_table.h"
#include "link/settings_file.h"
#include "platform/database.h"
#include "platform/printer.h"
#include "platform/program_folder.h"
#include "platform/program_launcher.h"
#include "platform/registry.h"
#include "platform/serial_port.h"
#include "platform/tcp_client.h"
#include "ui/form.h"
#include "ui/runtime.h"
#include "unit/parameter_image.h"

namespace app {

// Section of the per-user store that holds the console's values.
inline constexpr const char* kRegistrySection = "Settings";
// Network endpoint used when the store names none.
inline constexpr const char* kDefaultRemoteIP = "127.0.0.1";
inline constexpr int kDefaultRemotePort = 4660;

struct Services {
  ui::Runtime& runtime;
  platform::Registry& registry;
  platform::ProgramFolder& folder;
  platform::SerialPort& serial;
  platform::TcpClient& tcp;
  // The printer of the installation report; none on a console that cannot
  // print (the report then says so).
  platform::Printer* printer = nullptr;
  platform::ProgramLauncher* launcher = nullptr;  // none: no other program is started
};

class Console {
  platform::NoProgramLauncher no_launcher_;  // first: `launcher` may refer to it

 public:
  explicit Console(const Services& services);
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;
  ~Console();

  ui::Runtime& rt;
  platform::Registry& registry;
  platform::ProgramFolder& folder;
  platform::SerialPort& MSComm1;   // the main window's serial port
  platform::TcpClient& tcpClient;  // the main window's network socket
  platform::Printer* printer;       // the default printer, or nullptr
  platform::ProgramLauncher& launcher;

  common::SharedState st;       // the shared module variables
  lnk::SettingsTable settings;
  lnk::CommandTable cmd;
  unit::ParameterImage param;

  // The site database, open for the program's lifetime, and the three
  // recordset variables the program shares (see sites/site_database.h).
  platform::Database Db;
  platform::Recordset rsShared;
  platform::Recordset rsCallout;
  platform::Recordset rsSite;

  // The default instance of window F, created and loaded on first use (a
  // reference to a window loads it, as in the original).
  template <class F>
  F& Get() {
    F& f = Instance<F>();
    f.Load();
    return f;
  }
  // The default instance when it is loaded, else nullptr (no load).
  template <class F>
  F* IfLoaded() {
    auto it = forms_.find(std::type_index(typeid(F)));
    if (it == forms_.end() || !it->second->IsLoaded()) return nullptr;
    return static_cast<F*>(it->second.get());
  }
  // The default instance without loading it.
  template <class F>
  F& Instance() {
    auto& slot = forms_[std::type_index(typeid(F))];
    if (!slot) slot = std::make_unique<F>(*this);
    return static_cast<F&>(*slot);
  }
  // Unloads the default instance if it is loaded (never loads it first).
  template <class F>
  void Unload() {
    if (F* f = IfLoaded<F>()) f->Unload();
  }
  // A new instance of a window that has one per use (the alarm window).
  // Instances already unloaded are released first, so windows the operator
  // closed do not pile up; the caller shows the new one before asking again.
  template <class F>
  F& NewInstance() {
    std::erase_if(extra_forms_, [](const auto& form) { return !form->IsLoaded(); });
    extra_forms_.push_back(std::make_unique<F>(*this));
    return static_cast<F&>(*extra_forms_.back());
  }
  // Every window created so far (default instances first).
  std::vector<ui::Form*> AllForms() const;

  // Registry values of the console's section.
  std::string GetSetting(const std::string& key, const std::string& default_value);
  void SaveSetting(const std::string& key, const std::string& value);

 private:
  std::unordered_map<std::type_index, std::unique_ptr<ui::Form>> forms_;
  std::vector<std::unique_ptr<ui::Form>> extra_forms_;
};

}  // namespace app

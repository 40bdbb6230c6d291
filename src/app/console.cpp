#include "app/console.h"

#include "app/callout_run.h"

namespace app {

Console::Console(const Services& services)
    : rt(services.runtime),
      registry(services.registry),
      folder(services.folder),
      MSComm1(services.serial),
      tcpClient(services.tcp),
      printer(services.printer),
      launcher(services.launcher != nullptr ? *services.launcher : no_launcher_) {
  rt.SetMessageTaker([this](std::string_view prompt) { return TakeRunMessage(*this, prompt); });
}

Console::~Console() {
  rt.SetMessageTaker({});
  // Windows go before the services they use.
  extra_forms_.clear();
  forms_.clear();
  rsSite.Close();
  rsCallout.Close();
  rsShared.Close();
}

std::vector<ui::Form*> Console::AllForms() const {
  std::vector<ui::Form*> out;
  for (const auto& [type, form] : forms_) out.push_back(form.get());
  for (const auto& form : extra_forms_) out.push_back(form.get());
  return out;
}

std::string Console::GetSetting(const std::string& key, const std::string& default_value) {
  return registry.GetSetting(kRegistrySection, key, default_value);
}

void Console::SaveSetting(const std::string& key, const std::string& value) {
  registry.SaveSetting(kRegistrySection, key, value);
}

}  // namespace app

#include "app/typed_file_save.h"

#include <string>

#include "app/console.h"
#include "common/app_info.h"
#include "platform/user_file_name.h"

namespace app {

void SaveUnderTypedName(Console& c, std::string_view prompt, std::string_view title,
                        std::string_view bytes) {
  const std::string answer = c.rt.InputBox(prompt, title, "");
  if (answer.empty()) return;
  const auto name = platform::PlainFileName(answer);
  if (!name) {
    c.rt.MsgBox("\"" + answer + "\" is not a plain file name; nothing was saved.",
                ui::vbExclamation, app_info::kTitle);
    return;
  }
  if (auto error = c.folder.WriteFileAtomic(*name + ".vkx", bytes))
    c.rt.MsgBox(*error, ui::vbExclamation, app_info::kTitle);
}

}  // namespace app

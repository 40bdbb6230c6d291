#include "qt/qt_registry.h"

#include <QStringList>

#include "qt/qt_convert.h"

namespace qtui {

namespace {

QString UserKey(std::string_view section, std::string_view key) {
  return ToQt(section) + QLatin1Char('/') + ToQt(key);
}

QString MachineGroup(std::string_view key_path) {
  QString group = ToQt(key_path);
  group.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (group.endsWith(QLatin1Char('/'))) group.chop(1);
  return group;
}

// An unquoted value with commas, written by hand, reads as a list.
std::string ValueText(const QVariant& value) {
  if (value.typeId() == QMetaType::QStringList) return FromQt(value.toStringList().join(QLatin1Char(',')));
  return FromQt(value.toString());
}

}  // namespace

QtRegistry::QtRegistry(const std::string& user_ini, const std::string& machine_ini) {
  if (user_ini.empty())
    user_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                        QStringLiteral("vkx4700"), QStringLiteral("VKX-4700"));
  else
    user_ = std::make_unique<QSettings>(PathToQt(user_ini), QSettings::IniFormat);
  if (!machine_ini.empty()) {
    machine_ = std::make_unique<QSettings>(PathToQt(machine_ini), QSettings::IniFormat);
    // Sections named with backslashes ("[System\Modem\0000]", as the store is
    // documented) are parsed only when a key of theirs is read, and until
    // then their groups are missing from childGroups(): parse them all now.
    machine_->allKeys();
  }
}

QtRegistry::~QtRegistry() = default;

std::string QtRegistry::UserFile() const { return PathFromQt(user_->fileName()); }

std::string QtRegistry::GetSetting(std::string_view section, std::string_view key,
                                   std::string_view default_value) {
  const QVariant value = user_->value(UserKey(section, key));
  if (!value.isValid()) return std::string(default_value);
  return ValueText(value);
}

void QtRegistry::SaveSetting(std::string_view section, std::string_view key,
                             std::string_view value) {
  user_->setValue(UserKey(section, key), ToQt(value));
  user_->sync();  // written at once, as the original's registry is
}

void QtRegistry::DeleteSetting(std::string_view section, std::string_view key) {
  user_->remove(UserKey(section, key));
  user_->sync();
}

std::vector<std::string> QtRegistry::MachineSubKeys(std::string_view key_path) {
  std::vector<std::string> names;
  if (!machine_) return names;
  machine_->beginGroup(MachineGroup(key_path));
  for (const QString& group : machine_->childGroups()) names.push_back(FromQt(group));
  machine_->endGroup();
  return names;
}

std::optional<std::string> QtRegistry::MachineValue(std::string_view key_path,
                                                    std::string_view value_name) {
  if (!machine_) return std::nullopt;
  const QVariant value = machine_->value(MachineGroup(key_path) + QLatin1Char('/') + ToQt(value_name));
  if (!value.isValid()) return std::nullopt;
  return ValueText(value);
}

}  // namespace qtui

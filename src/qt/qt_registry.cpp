#include "qt/qt_registry.h"

#include <QStringList>

#include "platform/cp1252.h"
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

// The store says in this key that its values are the file system's bytes
// (UTF-8); a store without it was written through Latin-1.
const QString kFormatKey = QStringLiteral("Format/Values");
const QString kFormatUtf8 = QStringLiteral("UTF-8");

bool BeyondLatin1(const QString& text) {
  for (const QChar ch : text)
    if (ch.unicode() > 0xFF) return true;
  return false;
}

std::string Utf8Bytes(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// Bytes as the store keeps them: UTF-8 as text, so the file reads (and is
// edited) as letters; anything else as the bytes themselves.
QVariant StoredValue(std::string_view bytes) {
  if (platform::IsUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// An unquoted value with commas, written by hand, reads as a list. Letters
// beyond Latin-1 can only have come from UTF-8 (a hand-written path), even in
// a store written through Latin-1.
std::string ValueText(const QVariant& value, bool utf8_store) {
  if (value.typeId() == QMetaType::QByteArray) {
    const QByteArray bytes = value.toByteArray();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
  }
  const QString text = value.typeId() == QMetaType::QStringList
                           ? value.toStringList().join(QLatin1Char(','))
                           : value.toString();
  return utf8_store || BeyondLatin1(text) ? Utf8Bytes(text) : FromQt(text);
}

}  // namespace

QtRegistry::QtRegistry(const std::string& user_ini, const std::string& machine_ini) {
  if (user_ini.empty())
    user_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                        QStringLiteral("vkx4700"), QStringLiteral("VKX-4700"));
  else
    user_ = std::make_unique<QSettings>(PathToQt(user_ini), QSettings::IniFormat);
  // A store written through Latin-1 reads as it did; it is converted only
  // when the program first writes to it, so a start that writes nothing
  // leaves the file as it found it.
  utf8_ = user_->value(kFormatKey).toString() == kFormatUtf8;
  if (!machine_ini.empty()) {
    machine_ = std::make_unique<QSettings>(PathToQt(machine_ini), QSettings::IniFormat);
    // Sections named with backslashes ("[System\Modem\0000]", as the store is
    // documented) are parsed only when a key of theirs is read, and until
    // then their groups are missing from childGroups(): parse them all now.
    machine_->allKeys();
  }
}

QtRegistry::~QtRegistry() = default;

void QtRegistry::ConvertLatin1Store() {
  // Each value is rewritten as the bytes it read as, so a path keeps its
  // file and the file shows its letters.
  for (const QString& key : user_->allKeys()) {
    const QVariant value = user_->value(key);
    if (value.typeId() != QMetaType::QString) continue;  // lists stay as written
    user_->setValue(key, StoredValue(ValueText(value, false)));
  }
  MarkUtf8();
  user_->sync();
}

void QtRegistry::MarkUtf8() {
  user_->setValue(kFormatKey, kFormatUtf8);
  utf8_ = true;
}

std::string QtRegistry::UserFile() const { return PathFromQt(user_->fileName()); }

std::string QtRegistry::GetSetting(std::string_view section, std::string_view key,
                                   std::string_view default_value) {
  const QVariant value = user_->value(UserKey(section, key));
  if (!value.isValid()) return std::string(default_value);
  return ValueText(value, utf8_);
}

void QtRegistry::SaveSetting(std::string_view section, std::string_view key,
                             std::string_view value) {
  if (!utf8_) {
    if (user_->allKeys().isEmpty())
      MarkUtf8();
    else
      ConvertLatin1Store();
  }
  user_->setValue(UserKey(section, key), StoredValue(value));
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
  return ValueText(value, false);
}

}  // namespace qtui

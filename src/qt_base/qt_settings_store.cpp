#include "qt_base/qt_settings_store.h"

#include <QSettings>

namespace {
QString key_path(const std::string& section, const std::string& key) {
  return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}
}  // namespace

std::string QtSettingsStore::get_setting(const std::string& app, const std::string& section,
                                         const std::string& key, const std::string& default_value) {
  QSettings settings(QString::fromLatin1(kOrganization), QString::fromStdString(app));
  const QVariant v = settings.value(key_path(section, key));
  if (!v.isValid()) return default_value;
  return v.toString().toStdString();
}

void QtSettingsStore::save_setting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& value) {
  QSettings settings(QString::fromLatin1(kOrganization), QString::fromStdString(app));
  settings.setValue(key_path(section, key), QString::fromStdString(value));
  settings.sync();  // a write failure is not reported: the store keeps what it can
}

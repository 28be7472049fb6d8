#include "qt_base/browse/file_list.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

#include "qt_base/browse/browse_paths.h"

namespace {

constexpr int kNameRole = Qt::UserRole;

std::vector<QRegularExpression> compile_pattern(const std::string& pattern) {
  std::vector<QRegularExpression> parts;
  for (const QString& part : QString::fromStdString(pattern).split(u';', Qt::SkipEmptyParts)) {
    const QString p = part.trimmed();
    if (p.isEmpty()) continue;
    // "*.*" means every file, as on the platform that gave these patterns their form.
    if (p == QStringLiteral("*.*") || p == QStringLiteral("*")) {
      parts.emplace_back(QStringLiteral(".*"), QRegularExpression::DotMatchesEverythingOption);
      continue;
    }
    parts.push_back(QRegularExpression::fromWildcard(p, Qt::CaseInsensitive));
  }
  return parts;
}

bool matches_any(const std::vector<QRegularExpression>& parts, const QString& name) {
  for (const QRegularExpression& re : parts) {
    if (re.match(name).hasMatch()) return true;
  }
  return false;
}

}  // namespace

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  patterns_ = compile_pattern(pattern_);
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem*) { emit file_clicked(); });
}

bool FileList::matches(const std::string& pattern, const std::string& name) {
  return matches_any(compile_pattern(pattern), browse::to_qt(name));
}

void FileList::set_pattern(const std::string& pattern) {
  pattern_ = pattern;
  patterns_ = compile_pattern(pattern);
  if (!path_.empty()) read_folder(path_);
}

bool FileList::set_path(const std::string& folder) {
  const std::string f = browse::with_slash(
      browse::to_bytes(QDir::cleanPath(browse::to_qt(browse::with_slash(folder)))));
  if (f.empty() || f[0] != '/') return false;
  return read_folder(f);
}

bool FileList::read_folder(const std::string& folder) {
  const QString qfolder = browse::to_qt(folder);
  QFileInfo info(qfolder);
  if (!info.exists() || !info.isDir() || !info.isReadable() || !info.isExecutable()) return false;

  // Ordinary files only: no folders, no hidden files, no broken links or devices.
  const QFileInfoList files = QDir(qfolder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot,
                                                          QDir::Name | QDir::IgnoreCase);
  clear();
  for (const QFileInfo& file : files) {
    if (!file.isFile() || !matches_any(patterns_, file.fileName())) continue;
    auto* item = new QListWidgetItem(file.fileName(), this);
    item->setData(kNameRole, QFile::encodeName(file.fileName()));
  }
  path_ = folder;
  return true;
}

void FileList::show_names(const std::string& folder, const std::vector<std::string>& names) {
  clear();
  for (const std::string& name : names) {
    auto* item = new QListWidgetItem(browse::to_qt(name), this);
    item->setData(kNameRole, QByteArray::fromStdString(name));
  }
  path_ = folder;
}

std::string FileList::path() const {
  return path_;
}

std::vector<std::string> FileList::file_names() const {
  std::vector<std::string> names;
  names.reserve(count());
  for (int i = 0; i < count(); ++i)
    names.push_back(item(i)->data(kNameRole).toByteArray().toStdString());
  return names;
}

std::vector<std::string> FileList::selected_names() const {
  std::vector<std::string> names;
  for (int i = 0; i < count(); ++i) {
    if (item(i)->isSelected())
      names.push_back(item(i)->data(kNameRole).toByteArray().toStdString());
  }
  return names;
}

std::string FileList::current_name() const {
  const QListWidgetItem* entry = currentItem();
  return entry ? entry->data(kNameRole).toByteArray().toStdString() : std::string();
}

void FileList::keyPressEvent(QKeyEvent* event) {
  // Moving through the files with the keys counts as clicking them.
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) emit file_clicked();
}

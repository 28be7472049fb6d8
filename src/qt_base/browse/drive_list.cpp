#include "qt_base/browse/drive_list.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>
#include <set>

#include "qt_base/browse/browse_paths.h"

namespace {

// File systems that hold no user files: kernel interfaces, memory and images.
bool is_pseudo_file_system(const QByteArray& type) {
  static const std::set<QByteArray> kPseudo = {
      "proc",        "sysfs",     "devtmpfs",    "devpts",         "tmpfs",    "ramfs",
      "cgroup",      "cgroup2",   "securityfs",  "pstore",         "debugfs",  "tracefs",
      "mqueue",      "hugetlbfs", "configfs",    "fusectl",        "bpf",      "autofs",
      "binfmt_misc", "efivarfs",  "rpc_pipefs",  "nsfs",           "squashfs", "overlay",
      "selinuxfs",   "nfsd",      "fuse.portal", "fuse.gvfsd-fuse"};
  return kPseudo.count(type) > 0;
}

bool starts_with(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// Mount points of the system itself, not volumes a user keeps music on.
bool is_system_area(const std::string& root) {
  if (starts_with(root, "/run/media/")) return false;
  for (const char* area :
       {"/proc/", "/sys/", "/dev/", "/run/", "/boot/", "/snap/", "/var/lib/", "/etc/", "/usr/"}) {
    if (starts_with(root, area)) return true;
  }
  return false;
}

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
  for (const std::string& root : drive_roots()) add_root(root);
  setCurrentIndex(0);
  connect(this, &QComboBox::activated, this, [this](int) { emit drive_chosen(); });
}

std::vector<std::string> DriveList::drive_roots() {
  std::vector<std::string> roots{"/"};
  auto add = [&roots](const std::string& root) {
    std::string r = browse::with_slash(root);
    if (!r.empty() && std::find(roots.begin(), roots.end(), r) == roots.end()) roots.push_back(r);
  };
  add(browse::to_bytes(QDir::homePath()));
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    if (is_pseudo_file_system(volume.fileSystemType())) continue;
    std::string root = browse::with_slash(browse::to_bytes(volume.rootPath()));
    if (root == "/" || is_system_area(root)) continue;
    if (!QFileInfo(volume.rootPath()).isDir()) continue;  // a single bind-mounted file
    add(root);
  }
  return roots;
}

std::string DriveList::drive_of(const std::string& folder) {
  const std::string f = browse::with_slash(folder);
  std::string best = "/";
  for (const std::string& root : drive_roots()) {
    if (root.size() > best.size() && starts_with(f, root)) best = root;
  }
  return best;
}

std::string DriveList::drive() const {
  if (currentIndex() < 0) return "/";
  return itemData(currentIndex()).toByteArray().toStdString();
}

void DriveList::set_drive(const std::string& root) {
  const std::string r = browse::with_slash(root.empty() ? std::string("/") : root);
  int index = index_of(r);
  if (index < 0) {
    add_root(r);
    index = count() - 1;
  }
  setCurrentIndex(index);
}

void DriveList::refresh() {
  const std::string current = drive();
  clear();
  for (const std::string& root : drive_roots()) add_root(root);
  add_disc_item();
  set_drive(current);
}

void DriveList::showPopup() {
  // A volume plugged in while the window is open appears when the list opens.
  emit popup_opening();
  refresh();
  QComboBox::showPopup();
}

void DriveList::set_audio_disc(const std::string& root, const QString& caption) {
  if (root == disc_root_ && caption == disc_caption_) return;
  const bool was_chosen = audio_disc_chosen();
  const int old = disc_root_.empty() ? -1 : index_of(disc_root_);
  if (old >= 0) removeItem(old);
  disc_root_ = root;
  disc_caption_ = caption;
  add_disc_item();
  if (was_chosen && !disc_root_.empty()) set_drive(disc_root_);
}

bool DriveList::audio_disc_chosen() const {
  return !disc_root_.empty() && drive() == disc_root_;
}

void DriveList::add_disc_item() {
  if (disc_root_.empty() || index_of(disc_root_) >= 0) return;
  addItem(style()->standardIcon(QStyle::SP_DriveCDIcon), disc_caption_,
          QByteArray::fromStdString(disc_root_));
}

void DriveList::add_root(const std::string& root) {
  const bool home = root == browse::with_slash(browse::to_bytes(QDir::homePath()));
  QString text = browse::to_qt(root);
  if (text.size() > 1) text.chop(1);  // shown as the folder, without the trailing '/'
  const QIcon icon = style()->standardIcon(home ? QStyle::SP_DirHomeIcon : QStyle::SP_DriveHDIcon);
  addItem(icon, text, QByteArray::fromStdString(root));
}

int DriveList::index_of(const std::string& root) const {
  for (int i = 0; i < count(); ++i) {
    if (itemData(i).toByteArray().toStdString() == root) return i;
  }
  return -1;
}

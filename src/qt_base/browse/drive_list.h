#pragma once
// The drive list: the file system root, the user's home folder and every
// mounted volume that holds a real file system (under /media, /mnt, ...).
#include <QComboBox>
#include <string>
#include <vector>

class DriveList : public QComboBox {
  Q_OBJECT
 public:
  explicit DriveList(QWidget* parent = nullptr);

  std::string drive() const;                // current drive root, ends in '/'
  void set_drive(const std::string& root);  // selects (adds if missing); emits nothing
  // Re-reads the mounted volumes, keeping the current drive selected.
  void refresh();
  void showPopup() override;  // re-reads the volumes first

  // The longest drive root containing folder ('/' at least).
  static std::string drive_of(const std::string& folder);
  // The roots the list offers: "/", the home folder, then the mounted volumes.
  static std::vector<std::string> drive_roots();

 signals:
  void drive_chosen();  // only on a user's choice

 private:
  void add_root(const std::string& root);
  int index_of(const std::string& root) const;
};

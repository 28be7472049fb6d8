#pragma once
// The drive list: the file system root, the user's home folder and every
// mounted volume that holds a real file system (under /media, /mnt, ...);
// where the editor finds one, an audio CD last.
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

  // Offers an audio CD under a root of its own (not a folder), or no longer.
  void set_audio_disc(const std::string& root, const QString& caption);
  void clear_audio_disc() { set_audio_disc({}, {}); }
  bool audio_disc_chosen() const;

  // The longest drive root containing folder ('/' at least).
  static std::string drive_of(const std::string& folder);
  // The roots the list offers: "/", the home folder, then the mounted volumes.
  static std::vector<std::string> drive_roots();

 signals:
  void drive_chosen();   // only on a user's choice
  void popup_opening();  // the list is about to open: a disc may have come or gone

 private:
  void add_root(const std::string& root);
  int index_of(const std::string& root) const;
  void add_disc_item();

  std::string disc_root_;
  QString disc_caption_;
};

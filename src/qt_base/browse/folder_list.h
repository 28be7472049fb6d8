#pragma once
// The folder list: the chain of the current folder's ancestors (each can be
// opened), then the current folder's sub-folders sorted by name.
#include <QListWidget>
#include <string>

class FolderList : public QListWidget {
  Q_OBJECT
 public:
  explicit FolderList(QWidget* parent = nullptr);

  // False (and unchanged) when the folder cannot be read; emits path_changed
  // when the current folder changes.
  bool set_path(const std::string& folder);
  std::string path() const;               // current folder, ends in '/'
  std::string entry_path(int row) const;  // full folder of an entry, ends in '/'
  int current_folder_row() const;         // row of the current folder itself
  // An audio CD holds no folders: its root alone, which is no folder to read.
  void show_disc(const std::string& root, const QString& caption);

 signals:
  void path_changed();                            // double click on an entry, Enter, or set_path
  void entry_clicked(const std::string& folder);  // single click (or keyboard move) on an entry

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void open_row(int row);

  std::string path_;
  int current_folder_row_ = -1;
};

#pragma once
// The file list: the ordinary files of one folder (no hidden files, no
// folders) whose names match a pattern such as "*.mp3;*.wav" in any letter
// case, sorted by name; several entries can be selected.
#include <QListWidget>
#include <QRegularExpression>
#include <string>
#include <vector>

class FileList : public QListWidget {
  Q_OBJECT
 public:
  explicit FileList(QWidget* parent = nullptr);

  void set_pattern(const std::string& pattern);  // re-reads the folder
  std::string pattern() const { return pattern_; }
  bool set_path(const std::string& folder);  // false (and unchanged) when unreadable
  // Entries that are no files of a folder: the tracks of an audio CD.
  void show_names(const std::string& folder, const std::vector<std::string>& names);
  std::string path() const;                         // ends in '/'
  std::vector<std::string> file_names() const;      // all entries, in shown order
  std::vector<std::string> selected_names() const;  // selected entries, in shown order
  std::string current_name() const;                 // entry with the focus mark, "" if none

  // True when name matches one of the pattern's parts, ignoring letter case.
  static bool matches(const std::string& pattern, const std::string& name);

 signals:
  void file_clicked();  // single click (or keyboard move) on an entry

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool read_folder(const std::string& folder);

  std::string pattern_ = "*.*";
  std::vector<QRegularExpression> patterns_;
  std::string path_;
};

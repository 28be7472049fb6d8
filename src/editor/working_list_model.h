#pragma once
// The editor's working list: the full path of every entry, in play-list order.
// Column 0 is what the visible list shows (the file name), column 1 what the
// hidden list holds (the full path): both lists look at the same rows, so
// they stay parallel whatever a command does. Paths are kept as the bytes
// that are saved; they are shown decoded.
#include <QAbstractTableModel>
#include <string>
#include <vector>

class WorkingListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kTitleColumn = 0;
  static constexpr int kPathColumn = 1;

  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  int count() const { return static_cast<int>(paths_.size()); }
  const std::vector<std::string>& paths() const { return paths_; }
  // Appends every path at once: one insertion however long the list.
  void append(std::vector<std::string> paths);
  void remove(int row);
  void swap(int a, int b);
  void clear();

 private:
  std::vector<std::string> paths_;
};

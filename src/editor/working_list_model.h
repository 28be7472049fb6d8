#pragma once
// The editor's working list: the full path of every entry, in play-list order.
// The visible list shows each entry by its file name, with the full path as
// what a screen reader adds to it; the hidden list looks at the same rows
// through FullPathsModel and shows the full paths, so both stay parallel
// whatever a command does. Paths are kept as the bytes that are saved; they
// are shown decoded.
#include <QAbstractListModel>
#include <QIdentityProxyModel>
#include <string>
#include <vector>

class WorkingListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  static constexpr int kPathRole = Qt::UserRole;

  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  // Qt::DisplayRole the file name; kPathRole and Qt::AccessibleDescriptionRole the full path.
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

// The same rows, each shown by its full path.
class FullPathsModel : public QIdentityProxyModel {
  Q_OBJECT
 public:
  FullPathsModel(WorkingListModel* source, QObject* parent);
  QVariant data(const QModelIndex& index, int role) const override;
};

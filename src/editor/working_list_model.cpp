#include "editor/working_list_model.h"

#include <QFile>
#include <iterator>
#include <utility>

#include "store/play_list_files.h"

int WorkingListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count();
}

int WorkingListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 2;
}

QVariant WorkingListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count()) return {};
  const std::string& path = paths_[static_cast<size_t>(index.row())];
  // Only the rows on screen are asked for: the names are made as they are shown.
  const std::string bytes = index.column() == kTitleColumn ? file_title_of(path) : path;
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

void WorkingListModel::append(std::vector<std::string> paths) {
  if (paths.empty()) return;
  const int first = count();
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(paths.size()) - 1);
  if (paths_.empty()) {
    paths_ = std::move(paths);
  } else {
    paths_.insert(paths_.end(), std::make_move_iterator(paths.begin()),
                  std::make_move_iterator(paths.end()));
  }
  endInsertRows();
}

void WorkingListModel::remove(int row) {
  if (row < 0 || row >= count()) return;
  beginRemoveRows(QModelIndex(), row, row);
  paths_.erase(paths_.begin() + row);
  endRemoveRows();
}

void WorkingListModel::swap(int a, int b) {
  if (a < 0 || b < 0 || a >= count() || b >= count()) return;
  std::swap(paths_[static_cast<size_t>(a)], paths_[static_cast<size_t>(b)]);
  emit dataChanged(index(a, 0), index(a, 1));
  emit dataChanged(index(b, 0), index(b, 1));
}

void WorkingListModel::clear() {
  beginResetModel();
  paths_.clear();
  endResetModel();
}

#include "editor/working_list_model.h"

#include <QFile>
#include <iterator>
#include <utility>

#include "store/play_list_files.h"

int WorkingListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count();
}

QVariant WorkingListModel::data(const QModelIndex& index, int role) const {
  const bool path_role = role == kPathRole || role == Qt::AccessibleDescriptionRole;
  if ((role != Qt::DisplayRole && !path_role) || !index.isValid() || index.row() >= count()) {
    return {};
  }
  const std::string& path = paths_[static_cast<size_t>(index.row())];
  // Only the rows on screen are asked for: the names are made as they are shown.
  return QFile::decodeName(QByteArray::fromStdString(path_role ? path : file_title_of(path)));
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
  emit dataChanged(index(a), index(a));
  emit dataChanged(index(b), index(b));
}

void WorkingListModel::clear() {
  beginResetModel();
  paths_.clear();
  endResetModel();
}

FullPathsModel::FullPathsModel(WorkingListModel* source, QObject* parent)
    : QIdentityProxyModel(parent) {
  setSourceModel(source);
}

QVariant FullPathsModel::data(const QModelIndex& index, int role) const {
  return QIdentityProxyModel::data(index,
                                   role == Qt::DisplayRole ? WorkingListModel::kPathRole : role);
}

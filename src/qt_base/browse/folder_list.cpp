#include "qt_base/browse/folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include "qt_base/browse/browse_paths.h"

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 10;

// Draws each entry indented by its depth, so the ancestors read as a chain.
class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem indented(option);
    indented.rect.adjust(index.data(kDepthRole).toInt() * kIndentPixels, 0, 0, 0);
    QStyledItemDelegate::paint(painter, indented, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += index.data(kDepthRole).toInt() * kIndentPixels;
    return size;
  }
};

bool readable_folder(const std::string& folder) {
  QFileInfo info(browse::to_qt(folder));
  return info.exists() && info.isDir() && info.isReadable() && info.isExecutable();
}

}  // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setItemDelegate(new IndentDelegate(this));
  connect(this, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { emit entry_clicked(entry_path(row(item))); });
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { open_row(row(item)); });
}

bool FolderList::set_path(const std::string& folder) {
  const std::string f = browse::with_slash(
      browse::to_bytes(QDir::cleanPath(browse::to_qt(browse::with_slash(folder)))));
  if (f.empty() || f[0] != '/' || !readable_folder(f)) return false;

  const QStringList subs =
      QDir(browse::to_qt(f))
          .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);

  const QIcon open_icon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed_icon = style()->standardIcon(QStyle::SP_DirClosedIcon);
  auto add = [this](const QIcon& icon, const QString& text, const std::string& path, int depth) {
    auto* item = new QListWidgetItem(icon, text, this);
    item->setData(kPathRole, QByteArray::fromStdString(path));
    item->setData(kDepthRole, depth);
    item->setToolTip(browse::to_qt(path));
  };

  clear();
  // The chain of ancestors: "/", then each folder down to the current one.
  add(open_icon, QStringLiteral("/"), "/", 0);
  int depth = 0;
  for (size_t start = 1; start < f.size();) {
    const size_t end = f.find('/', start);
    ++depth;
    add(open_icon, browse::to_qt(f.substr(start, end - start)), f.substr(0, end + 1), depth);
    start = end + 1;
  }
  current_folder_row_ = count() - 1;
  for (const QString& name : subs)
    add(closed_icon, name, f + browse::to_bytes(name) + "/", depth + 1);

  setCurrentRow(current_folder_row_);
  scrollToItem(item(current_folder_row_));

  const bool changed = f != path_;
  path_ = f;
  if (changed) emit path_changed();
  return true;
}

std::string FolderList::path() const {
  return path_;
}

std::string FolderList::entry_path(int row) const {
  const QListWidgetItem* entry = item(row);
  return entry ? entry->data(kPathRole).toByteArray().toStdString() : std::string();
}

int FolderList::current_folder_row() const {
  return current_folder_row_;
}

void FolderList::show_disc(const std::string& root, const QString& caption) {
  clear();
  auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DriveCDIcon), caption, this);
  item->setData(kPathRole, QByteArray::fromStdString(root));
  item->setData(kDepthRole, 0);
  current_folder_row_ = 0;
  setCurrentRow(0);
  path_ = root;
}

void FolderList::open_row(int row) {
  const std::string folder = entry_path(row);
  if (!folder.empty()) set_path(folder);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    open_row(currentRow());
    event->accept();
    return;
  }
  // Moving through the entries with the keys counts as clicking them.
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) emit entry_clicked(entry_path(currentRow()));
}

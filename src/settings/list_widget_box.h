#pragma once
// The settings window's play-list box as the listing routine fills it: names
// are appended in the order they arrive, never sorted.
#include <QListWidget>
#include <string>

#include "store/list_box.h"

class ListWidgetBox : public ListBox {
 public:
  explicit ListWidgetBox(QListWidget* widget) : widget_(widget) {}
  void clear() override { widget_->clear(); }
  void add_item(const std::string& text) override {
    widget_->addItem(QString::fromStdString(text));
  }

 private:
  QListWidget* widget_;
};

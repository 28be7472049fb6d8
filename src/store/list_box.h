#pragma once
// A list box that the play-list listing fills: the settings window's list or
// the main window's hidden one. Entries keep their insertion order.
#include <string>
#include <vector>

class ListBox {
 public:
  virtual ~ListBox() = default;
  virtual void clear() = 0;
  virtual void add_item(const std::string& text) = 0;
};

// The hidden list of the main window: nobody sees it, it only keeps the names.
class MemoryListBox : public ListBox {
 public:
  void clear() override { items.clear(); }
  void add_item(const std::string& text) override { items.push_back(text); }
  std::vector<std::string> items;
};

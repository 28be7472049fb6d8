#pragma once
// Message boxes, input boxes and yielding, done by Qt.
#include <QWidget>

#include "ground/ui_services.h"

class QtUiServices : public UiServices {
 public:
  void yield() override;
  MsgAnswer message_box(const MessageBoxRequest& request) override;
  std::string input_box(const std::string& prompt, const std::string& title,
                        const std::string& default_text) override;
};

// The program's texts break lines with a bare CR; Qt's labels want LF.
QString box_text(const std::string& text);

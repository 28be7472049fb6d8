#pragma once
// What the logic asks of the user interface: yield to the message loop once,
// a message box and an input box. Qt answers in the program, a script in tests.
#include <string>

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Critical };
enum class MsgDefault { First, Second };  // Second = No on a Yes/No box
enum class MsgAnswer { Ok, Yes, No };

// Every box the program shows: its text lines break with a bare CR (13).
struct MessageBoxRequest {
  std::string text;
  std::string title;  // empty: the application title
  MsgButtons buttons = MsgButtons::Ok;
  MsgIcon icon = MsgIcon::None;
  MsgDefault default_button = MsgDefault::First;
};

inline constexpr const char* kAppTitle = "Davrin Audio Player";

class UiServices {
 public:
  virtual ~UiServices() = default;
  virtual void yield() = 0;
  virtual MsgAnswer message_box(const MessageBoxRequest& request) = 0;
  // Returns the text entered, or "" when the box is cancelled.
  virtual std::string input_box(const std::string& prompt, const std::string& title,
                                const std::string& default_text) = 0;

  // The common error box: one OK button, no icon.
  void show_error(const std::string& text, const std::string& title = kAppTitle) {
    message_box({text, title, MsgButtons::Ok, MsgIcon::None, MsgDefault::First});
  }
  // The common question: Yes and No, critical icon, No the default.
  bool ask_yes_no(const std::string& text, const std::string& title) {
    return message_box({text, title, MsgButtons::YesNo, MsgIcon::Critical, MsgDefault::Second}) ==
           MsgAnswer::Yes;
  }
};

/** @file MessageBox.h The standard message box: our own modal window in the Japanese font; tests answer it. */
#pragma once
#include <deque>
#include <string>
#include <vector>

namespace plat {

/// Styles and answers with the old runtime's values.
enum MsgBoxStyle : int { vbOKOnly = 0, vbYesNo = 4, vbCritical = 16 };
enum MsgBoxResult : int { vbOK = 1, vbYes = 6, vbNo = 7 };

/// Whatever shows a message box and returns the answer.
class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  /// style: vbOKOnly or vbYesNo, plus vbCritical for the critical icon.
  virtual int Show(const std::string& prompt, int style, const std::string& title) = 0;
};

/// Shows a message box (modal: runs the loop until answered) and returns vbOK, vbYes or vbNo.
/// An empty title gives the program's title. A close request answers vbOK, or vbNo for Yes/No.
int MsgBox(const std::string& prompt, int style = vbOKOnly, const std::string& title = "");

/// The program's title, the default caption of message boxes.
void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

/// Replaces what MsgBox uses; nullptr goes back to the window. The caller keeps ownership.
void SetMessageBoxHandler(IMessageBox* handler);
IMessageBox* MessageBoxHandler();

/// Installs a handler for its lifetime and then puts back the one it replaced.
class MessageBoxScope {
 public:
  explicit MessageBoxScope(IMessageBox* handler);
  ~MessageBoxScope();
  MessageBoxScope(const MessageBoxScope&) = delete;
  MessageBoxScope& operator=(const MessageBoxScope&) = delete;

 private:
  IMessageBox* previous_;
};

/// The real one: a modal window with the text, the optional icon and OK or はい/いいえ.
/// Without a display, or once the program ends at once (EndingAtOnce), it writes the text to
/// standard error and gives the default answer.
class StandardMessageBox : public IMessageBox {
 public:
  int Show(const std::string& prompt, int style, const std::string& title) override;
};

/// For programs that nobody watches (weeksim, battlesim, mkdb): writes the box to standard
/// error as "title: text" and answers at once, OK or, to a yes/no question, yesNoAnswer.
class StderrMessageBox : public IMessageBox {
 public:
  explicit StderrMessageBox(int yesNoAnswer = vbNo) : yesNoAnswer_(yesNoAnswer) {}
  int Show(const std::string& prompt, int style, const std::string& title) override;
  int shown = 0;  ///< how many boxes were written

 private:
  int yesNoAnswer_;
};

/// For tests: records every box and answers from a queue (then vbOK, or vbYes for Yes/No);
/// installs itself while alive.
class ScriptedMessageBox : public IMessageBox {
 public:
  struct Shown {
    std::string prompt;
    int style;
    std::string title;
  };
  explicit ScriptedMessageBox(std::deque<int> answers = {});
  ~ScriptedMessageBox() override;
  int Show(const std::string& prompt, int style, const std::string& title) override;

  std::vector<Shown> shown;
  std::deque<int> answers;

 private:
  IMessageBox* previous_;
};

}  // namespace plat

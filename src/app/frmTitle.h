/** @file frmTitle.h The title screen: start, new game, database compaction and end, and the main screen's progress texts. */
#pragma once
#include <memory>
#include <string>

#include "app/Screens.h"
#include "controls/ctrGraphicalLabelLite.h"
#include "platform/Window.h"

/// The first window: a borderless picture dragged with the left button, four text buttons and
/// a hint in its bottom-right corner. Closing is refused while a reset, a compaction or the
/// start runs. Closing it by the end button ends the program in order (settings written);
/// closed any other way it leaves the settings file as it was.
class frmTitle : public TitleScreen {
 public:
  /// Form_Load up to the pending reset: picture, position, buttons. Throws std::runtime_error
  /// naming the file when the title picture cannot be read.
  frmTitle();
  ~frmTitle() override;
  frmTitle(const frmTitle&) = delete;
  frmTitle& operator=(const frmTitle&) = delete;

  /// Shows the window, then carries out the new-game reset asked for by "DBInit".
  void Show();
  void ProgressMSG(const std::string& pstrMSG) override;

  plat::Window& Form() { return form_; }
  const std::string& HintText() const;
  bool Busy() const { return busy_; }

  void GLLStart_Click();
  void GLLInit_Click();
  void GLLCompact_Click();
  void GLLEnd_Click();
  void Disp_MouseMove(const plat::MouseEvent& e);
  /// Keeps the window's place in the settings ("TitleLeft", "TitleTop"; in memory), as its unload does.
  void KeepPosition();

 private:
  class Hint;
  plat::Surface picture_;  ///< title.bmp; the window takes its size
  plat::Window form_;

 public:
  plat::Control Disp;  ///< the picture and its drag area
  ctrGraphicalLabelLite GLLStart, GLLInit, GLLCompact, GLLEnd;

 private:
  ctrGraphicalLabelLite* Button(const std::string& key);
  void EnableButtons(bool on);
  /// The new-game reset with its progress texts; false (after saying so) when it failed.
  bool ResetWithProgress();
  void Form_Unload();

  std::unique_ptr<Hint> lblMSG_;
  std::string hoverKey_;
  bool endChosen_ = false;
  bool busy_ = false;
  bool starting_ = false;
};

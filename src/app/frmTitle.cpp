/** @file frmTitle.cpp The title screen: start, new game, database compaction and end, and the main screen's progress texts. */
#include "app/frmTitle.h"

#include <stdexcept>

#include "app/SettingKeys.h"
#include "app/basQz.h"
#include "db/CreateDB.h"
#include "db/QzDataInit.h"
#include "db/basEnc.h"
#include "db/clsDB.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/StdControls.h"
#include "platform/Text.h"

namespace {

struct ButtonDesign {
  const char* key;
  const char* text;
  int top;
  const char* hint;
};
constexpr ButtonDesign kButtons[4] = {
    {"start", "開始", 110, "ゲームを開始します"},
    {"init", "データ初期化", 150, "データを初期化します"},
    {"compact", "DBの最適化", 190, "データベースを最適化します"},
    {"end", "終了", 230, "終了します"},
};
constexpr int kButtonLeft = 50, kButtonWidth = 96, kButtonHeight = 26;
// The buttons' looks on the night sky of the title picture: deep blue, gold when the mouse is on
// them, white captions small enough that データ初期化 keeps clear of the frame.
constexpr int kButtonFontPoints = 9;
constexpr int kButtonTint = 30, kButtonHoverTint = 33, kButtonText = 3;
constexpr int kHintWidth = 260, kHintHeight = 18;

plat::Surface TitlePicture() {
  plat::Surface picture;
  std::string error;
  if (!plat::LoadPicture((plat::ProgramFolder() / "image" / "title.bmp").string(), picture, error))
    throw std::runtime_error(error);
  return picture;
}

}  // namespace

/// lblMSG: text on the picture itself, right-aligned, with a dark edge so that it reads on any
/// part of the picture. It takes no mouse: the picture under it stays the drag area.
class frmTitle::Hint : public plat::Control {
 public:
  Hint(plat::Control* parent, const plat::Surface& picture, int left, int top) : plat::Control(parent) {
    SetBounds(left, top, kHintWidth, kHintHeight);
    SetEnabled(false);
    back_ = plat::Surface(kHintWidth, kHintHeight);
    plat::BitBlt(back_, 0, 0, kHintWidth, kHintHeight, picture, left, top);
    Draw();
  }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& text) {
    if (text == caption_) return;
    caption_ = text;
    Draw();
  }

 private:
  void Draw() {
    Image() = back_;
    static const plat::Font font(14, 400, true);
    const unsigned flags = plat::DT_RIGHT | plat::DT_VCENTER | plat::DT_SINGLELINE;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        plat::Rect r{dx, dy, kHintWidth + dx - 2, kHintHeight + dy};
        if (dx || dy) plat::DrawText(Image(), font, caption_, r, flags, plat::Rgb(20, 24, 48));
      }
    plat::Rect r{0, 0, kHintWidth - 2, kHintHeight};
    plat::DrawText(Image(), font, caption_, r, flags, plat::Rgb(255, 244, 214));
    Refresh();
  }
  plat::Surface back_;
  std::string caption_;
};

frmTitle::frmTitle()
    : picture_(TitlePicture()),
      form_("Tessaroon", picture_.Width(), picture_.Height(), plat::WindowStyle::Borderless),
      Disp(&form_),
      GLLStart(&Disp),
      GLLInit(&Disp),
      GLLCompact(&Disp),
      GLLEnd(&Disp) {
  const std::filesystem::path folder = plat::ProgramFolder();
  const plat::Surface& picture = picture_;
  Disp.SetBounds(0, 0, picture.Width(), picture.Height());
  Disp.Image() = picture;
  gIni->NowSection(kSettingSection);
  form_.SetPositionOnScreen(plat::TwipsToPixels(SettingNumber(*gIni, "TitleLeft")),
                            plat::TwipsToPixels(SettingNumber(*gIni, "TitleTop")));

  ctrGraphicalLabelLite* buttons[4] = {&GLLStart, &GLLInit, &GLLCompact, &GLLEnd};
  for (int i = 0; i < 4; ++i) {
    ctrGraphicalLabelLite& b = *buttons[i];
    const ButtonDesign& d = kButtons[i];
    b.SetBounds(kButtonLeft, d.top, kButtonWidth, kButtonHeight);
    b.SetSoundEffect(true);
    b.SetFontSize(kButtonFontPoints);
    b.SetSemiTrans(kButtonTint);
    b.SetMouseMoveSemiTransColor(kButtonHoverTint);
    b.SetFontColor(kButtonText);
    b.SetText(d.text);
    b.BackImageCopy(picture, kButtonLeft, d.top);
    b.SetMouoseMoveSoundPath((folder / "sound" / "buble04.wav").string());
    b.MouseMove = [this, d](const plat::MouseEvent&) {
      hoverKey_ = d.key;
      lblMSG_->SetCaption(d.hint);
    };
    // The buttons ask for sounds; the title screen plays none.
  }
  GLLStart.Click = [this] { GLLStart_Click(); };
  GLLInit.Click = [this] { GLLInit_Click(); };
  GLLCompact.Click = [this] { GLLCompact_Click(); };
  GLLEnd.Click = [this] { GLLEnd_Click(); };
  Disp.MouseMove = [this](const plat::MouseEvent& e) { Disp_MouseMove(e); };

  lblMSG_ = std::make_unique<Hint>(&Disp, picture, picture.Width() - kHintWidth - 10,
                                   picture.Height() - kHintHeight - 10);
  lblMSG_->ZOrder(0);
  form_.QueryUnload = [this](bool& cancel) { cancel = busy_; };
  form_.Unload = [this] { Form_Unload(); };
}

frmTitle::~frmTitle() {
  form_.QueryUnload = nullptr;
  form_.Unload = nullptr;
}

const std::string& frmTitle::HintText() const { return lblMSG_->Caption(); }

void frmTitle::Show() {
  form_.Show();
  if (!SettingBool(*gIni, "DBInit")) return;
  // A reset that failed is asked for again at the next start.
  if (ResetWithProgress()) gIni->Data("DBInit", "False");
}

void frmTitle::ProgressMSG(const std::string& pstrMSG) {
  lblMSG_->SetCaption(pstrMSG);
  plat::DoEvents();
  plat::Sleep(50);
}

ctrGraphicalLabelLite* frmTitle::Button(const std::string& key) {
  if (key == "start") return &GLLStart;
  if (key == "init") return &GLLInit;
  if (key == "compact") return &GLLCompact;
  if (key == "end") return &GLLEnd;
  return nullptr;
}

void frmTitle::EnableButtons(bool on) {
  for (ctrGraphicalLabelLite* b : {&GLLCompact, &GLLEnd, &GLLStart, &GLLInit}) b->SetEnable(on);
}

void frmTitle::Disp_MouseMove(const plat::MouseEvent& e) {
  if (e.button & plat::kLeftButton) {
    plat::Control::ReleaseCapture();
    form_.StartDrag();
    return;
  }
  if (ctrGraphicalLabelLite* b = Button(hoverKey_)) b->MouseLeave();
  if (!starting_) lblMSG_->SetCaption("");
}

// Busy and the buttons off before the first progress text: its pause runs the loop, where a
// close request or a second click would otherwise get in.
bool frmTitle::ResetWithProgress() {
  busy_ = true;
  EnableButtons(false);
  ProgressMSG("DBの初期化開始");
  std::string why;
  const bool done = QzDataInit::ResetGameData(&why);
  EnableButtons(true);
  if (!done)
    plat::MsgBox("データを初期化できませんでした。データは元のままです。" + (why.empty() ? "" : "\r\n" + why),
                 plat::vbOKOnly | plat::vbCritical);
  ProgressMSG(done ? "DBの初期化完了" : "DBの初期化を中止しました");
  busy_ = false;
  return done;
}

void frmTitle::GLLStart_Click() {
  busy_ = true;
  starting_ = true;
  EnableButtons(false);
  if (!Screens().ShowMainScreen) {
    plat::MsgBox("ゲーム画面はまだ用意されていません。", plat::vbOKOnly);
    EnableButtons(true);
    busy_ = starting_ = false;
    return;
  }
  const StartOutcome outcome = Screens().ShowMainScreen(*this);
  busy_ = starting_ = false;
  if (outcome == StartOutcome::Refused) {
    // The save cannot be played as it is, and the player has been told: the title offers データ初期化.
    EnableButtons(true);
    lblMSG_->SetCaption("");
    return;
  }
  // A main screen that could not load has said why: the program ends in order.
  if (outcome == StartOutcome::Failed) endChosen_ = true;
  form_.RequestClose();
}

void frmTitle::GLLInit_Click() {
  if (plat::MsgBox("全てのデータが失われますが、いいですか？", plat::vbYesNo, "データの初期化") == plat::vbYes)
    ResetWithProgress();
}

void frmTitle::GLLCompact_Click() {
  busy_ = true;
  EnableButtons(false);
  ProgressMSG("DBの最適化開始");
  std::string failure;
  const std::filesystem::path save = plat::ProgramFolder() / "vesk.mdb";
  try {
    clsDB own;  // gDB when start-up made it
    clsDB& db = gDB ? *gDB : own;
    db.DBCompact(save.string(), basEnc::Descramble(CreateDB::kScrambledPassword));
  } catch (const std::exception& e) {
    // A damaged save names データ初期化 as the way on; never a library's English.
    failure = CreateDB::FailureMessage(e, save);
  }
  if (!failure.empty())
    plat::MsgBox("データベースを最適化できませんでした。データベースは元のままです。\r\n" + failure,
                 plat::vbOKOnly | plat::vbCritical);
  ProgressMSG(failure.empty() ? "DBの最適化完了" : "DBの最適化を中止しました");
  EnableButtons(true);
  busy_ = false;
}

void frmTitle::GLLEnd_Click() {
  endChosen_ = true;
  form_.RequestClose();
}

void frmTitle::KeepPosition() {
  if (!gIni) return;  // a main screen that failed to load has ended the program already
  const plat::Point p = form_.Position();
  gIni->Data("TitleLeft", std::to_string(p.x * 15));
  gIni->Data("TitleTop", std::to_string(p.y * 15));
}

void frmTitle::Form_Unload() {
  KeepPosition();
  if (endChosen_ && gIni) AppEnd();
}

/** @file MainLoad.cpp The main window's load (every step reported on the title screen), its refusal to close while the game waits or works, and its unload. */
#include <filesystem>
#include <stdexcept>

#include "app/SettingKeys.h"
#include "app/basQz.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "mainscreen/FormationHost.h"
#include "controls/Win32API.h"
#include "db/CreateDB.h"
#include "db/clsDB.h"
#include "mainscreen/Repairs.h"
#include "mainscreen/frmMain2.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "runtime/Convert.h"
#include "sim/Economy.h"
#include "sim/TurnEnd.h"

using namespace mainscreen;

namespace {

// The settings keep the window's place in the units of its first version (15 per pixel).
constexpr int kTwipsPerPixel = 15;

std::string SoundPath(int code) {
  return (plat::ProgramFolder() / "sound" / kSoundFiles[static_cast<size_t>(code)]).string();
}

}  // namespace

namespace mainscreen {

plat::Surface ControlPicture(const std::string& file) {
  plat::Surface pic;
  std::string error;
  if (!plat::LoadPicture((plat::ProgramFolder() / "image" / file).string(), pic, error)) throw MissingPicture(error);
  return pic;
}

}  // namespace mainscreen

void frmMain2::Trace(std::string_view step) {
  if (trace) trace(step);
}

void frmMain2::Progress(const std::string& text) {
  Trace(text);
  if (links_.ProgressMSG) links_.ProgressMSG(text);
}

bool frmMain2::Form_Load() {
  settings_ = std::make_unique<sim::IniSettings>(*gIni);

  Trace("Position");
  SetPositionOnScreen(SettingNumber(*gIni, "MainLeft") / kTwipsPerPixel,
                      SettingNumber(*gIni, "MainTop") / kTwipsPerPixel);
  Trace("SetUnitItemData");
  if (gMngUnitItems) gMngUnitItems->SetUnitItemData(gIni->Data("UnitItem"));
  Trace("Caption");
  SetCaption("Tessaroon Ver" + gAppInfo->Version(0, "."));
  Trace("mData");
  mData = sim::clsData{};

  Progress("DB接続中");
  Trace("DBConnect");
  if (!gDB) gDB = std::make_shared<clsDB>();
  DbOpenFailure why = DbOpenFailure::Other;
  if (!CreateDB::DBConnect(*gDB, &why)) {  // it has told the player why
    mStartFailed = true;
    if (why != DbOpenFailure::Damaged) return EndLoad();
    // The title stays: its データ初期化 is the way on from a damaged save.
    startRefused_ = true;
    Trace("StartRefused");
    return false;
  }
  ctx_.emplace(sim::WeekContext{*gDB, mData, *this, *settings_, *this, nullptr, ""});
  // Before the repairs write anything: a save without a week number or people is not played.
  if (!sim::CanLoadGame(*ctx_)) {  // it has named the damaged value
    mStartFailed = true;
    return EndLoad();
  }

  Trace("Check1");
  Check1(*gDB, *settings_);
  Trace("Check2");
  Check2(*gDB, *settings_);
  Trace("Check3");
  Check3(*gDB, *settings_);
  Trace("LoadPeopleData");
  sim::LoadPeopleData(*ctx_);

  Progress("画像ファイル読み込み");
  Trace("LoadImages");
  std::string error;
  for (size_t i = 0; i < picImage.size(); ++i) {
    if (!media.LoadImage(i, error)) return FailLoad(error);
    if (IsBattlePicture(i)) picImage[i] = plat::Surface();  // read now, made again when a battle draws
  }

  Trace("SoundPaths");
  mClickSoundPath = SoundPath(kSoundClick);
  mMouseOverSoundPath = SoundPath(kSoundMouseOver);
  mSortSoundPath = SoundPath(kSoundSort);
  mScrollSoundPath = SoundPath(kSoundWheel);
  mSliderSoundPath = SoundPath(kSoundSliderRelease);
  Trace("Collections");
  mTradeLines.Clear();
  mTradeCountry = clsCountry{};
  mGridHeight = gGridHeight;
  Trace("mSEPath");
  media.FillSEPath();
  media.ReportSoundFiles();  // a missing sound is told and left silent; the game goes on

  try {
    Trace("LayoutScreen");
    LayoutScreen();
    Progress("メニュー設定中");
    Trace("InitGameMenu");
    InitGameMenu();
    Progress("GVコントロール配置中");
    Trace("InitViews");
    InitViews();
    Progress("GLコントロール配置中");
    Trace("InitLabels");
    InitLabels();
    Progress("GGヘッダー設定中");
    Trace("InitGridHeaders");
    InitGridHeaders();
    Progress("GGコントロール配置中");
    Trace("InitGrids");
    InitGrids();
    Progress("PSコントロール配置中");
    Trace("InitSlider");
    InitSlider();
  } catch (const MissingPicture& e) {
    return FailLoad(e.what());
  }

  // From here the window hears the battle engine (through the army), one step before its
  // place in the old order: the armies in the field are rebuilt into the engine just below.
  Trace("pBattle");
  if (pBattle) {
    army_ = std::make_unique<army::Army>(*pBattle, this);
    ctx_->army = army_.get();
    formation_ = std::make_unique<mainscreen::FormationHost>(*this, *pBattle);
  }
  // The panels, the week's marks, the recruiting set and the armies in the field.
  sim::ShowGameState(*ctx_, [this](std::string_view text) { Progress(std::string(text)); });

  if (gDX8) {
    Progress("DirectX8のインスタンスを生成");
    Trace("InitDX8Sound");
    media.InitDX8Sound();
  } else {
    Trace("OpenMIDI");
    media.OpenMIDI();
  }
  Trace("SettingIni");
  SettingIni();
  Trace("UnloadTitle");
  if (links_.UnloadTitle) links_.UnloadTitle();
  return true;
}

bool frmMain2::FailLoad(const std::string& message) {
  MsgBox(message);
  mStartFailed = true;  // nothing of the game was shown: nothing is saved
  return EndLoad();
}

bool frmMain2::EndLoad() {
  Trace("EndLoad");
  if (links_.UnloadTitle) links_.UnloadTitle();
  Form_Unload();
  return false;
}

void frmMain2::LayoutScreen() {
  Disp.SetBounds(0, 0, 800, 600);
  const plat::Surface& back = picImage[kPicBackdrop];
  plat::StretchBlt(Disp.Image(), 0, 0, 800, 600, back, 0, 0, back.Width(), back.Height());
  Disp.Refresh();

  picMSG.SetBounds(0, 0, 800, 600);
  const plat::Surface& msgBack = picImage[kPicMsgBackdrop];
  plat::StretchBlt(picMSG.Image(), 0, 0, 800, 600, msgBack, 0, 0, msgBack.Width(), msgBack.Height());
  // The message window's frame, white left out, centred at y 250.
  const plat::Surface& frame = picImage[kPicMsgFrame];
  Win32API::SemiTransBlt(picMSG.Image(), (picMSG.Width() - frame.Width()) / 2, 250, frame.Width(), frame.Height(),
                         frame, 0, 0, static_cast<int32_t>(plat::kWhite), 0);
  picMSG.Refresh();
  // Both backdrops live on in the screen and the layer; nothing draws from them again. Nor is the
  // window's own picture ever seen: the screen covers it.
  picImage[kPicBackdrop] = plat::Surface();
  picImage[kPicMsgBackdrop] = plat::Surface();
  Image() = plat::Surface();

  // The battle's picture and work pictures get their 800 x 600 when a battle draws (MainConquest.cpp).
  BattleDisp.Move(0, 0);
  // The window was made with an 800 x 600 client area; nothing to grow.
}

void frmMain2::Form_QueryUnload(bool& Cancel) {
  // Closing now would free the database and the screen under a week, a battle or a question
  // still waiting for its answer.
  if (CloseRefused() || turnEndClick_ || (pBattle && pBattle->Fighting()) || plat::TopModalWindow()) Cancel = true;
}

void frmMain2::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  mMouseOnControl.clear();
  mActiveView = kViewNone;
  mMenuHover = false;
  if (!mStartFailed) {
    // A week still under way is being cut short (the program ends at once): it goes back first,
    // and what is kept is what stood when 次の週へ was pressed.
    sim::AbandonWeek(*ctx_);
    // The marks, the recruiting set and the money the commands have changed since the week.
    sim::SaveHomeSetting(*ctx_);
    media.StopMusic();
    gIni->Data("MainLeft", rt::CStr(Position().x * kTwipsPerPixel));
    gIni->Data("MainTop", rt::CStr(Position().y * kTwipsPerPixel));
    if (gMngUnitItems) gIni->Data("UnitItem", gMngUnitItems->GetUnitItemData());
    mTradeLines.Clear();
    mTradeCountry = clsCountry{};
    if (gDX8) media.EndDX8Sound();
  }
  formation_.reset();
  ctx_.reset();
  army_.reset();  // lets go of the battle engine's events
  AppEnd();
}

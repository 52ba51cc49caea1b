/** @file frmSetting.cpp The settings dialog: music and effects with their volumes, battle speed and animation, the report switches. */
#include "app/frmSetting.h"

#include <string>

#include "app/Media.h"
#include "app/SettingKeys.h"
#include "app/basQz.h"

using plat::TwipsToPixels;

namespace {

constexpr int kFormWidth = 8025, kFormHeight = 5145;  // twips
constexpr int kReportLeft[3] = {105, 2602, 5100};
constexpr int kReportTop[6] = {300, 612, 924, 1236, 1548, 1860};

void Place(plat::Control& c, int left, int top, int width, int height) {
  c.SetBounds(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

int16_t Setting(std::string_view key) { return static_cast<int16_t>(SettingNumber(*gIni, key)); }

// The test buttons' pictures, 15 x 14: a quaver for the music, a speaker for the effects.
plat::Surface NotePicture() {
  plat::Surface s(15, 14);
  s.Fill(plat::kDialogFace);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 15; ++x) {
      const bool head = (x - 5) * (x - 5) + (y - 10) * (y - 10) * 2 <= 8;
      const bool stem = x == 7 && y >= 1 && y <= 10;
      const bool flag = y >= 1 && y <= 3 && x >= 8 && x <= 8 + (y == 2 ? 3 : 2) && x - 8 <= y + 1;
      if (head || stem || flag) s.SetPixel(x, y, plat::kBlack);
    }
  return s;
}

plat::Surface SpeakerPicture() {
  plat::Surface s(15, 14);
  s.Fill(plat::kDialogFace);
  s.FillRect(plat::Rect{2, 5, 5, 9}, plat::kBlack);
  for (int x = 5; x < 9; ++x) s.FillRect(plat::Rect{x, 5 - (x - 4), x + 1, 9 + (x - 4)}, plat::kBlack);
  for (int y = 4; y < 10; ++y) s.SetPixel(11, y, plat::kBlack);
  for (int y = 2; y < 12; ++y) s.SetPixel(13, y, plat::kBlack);
  return s;
}

}  // namespace

frmSetting::frmSetting(Media& media)
    : form_("設定", TwipsToPixels(kFormWidth), TwipsToPixels(kFormHeight), plat::WindowStyle::Dialog),
      Frame1(&form_, "Sound"),
      chkBGM(&Frame1, "BGM(MIDI)"),
      chkSE(&Frame1, "SE(Wave)"),
      lblBGM(&Frame1, "10"),
      lblSE(&Frame1, "10"),
      hsrBGM(&Frame1),
      hsrSE(&Frame1),
      lblBGMDX8(&Frame1, "10"),
      lblSEDX8(&Frame1, "10"),
      hscrBGMDX8(&Frame1),
      hscrSEDX8(&Frame1),
      cmdBGMPlay(&Frame1),
      cmdSEPlay(&Frame1),
      Frame2(&form_, "戦闘関係"),
      Label1(&Frame2, "戦闘速度"),
      lblBS(&Frame2, "10"),
      Label2(&Frame2, "速い"),
      hsrBattleSpeed(&Frame2),
      Label3(&Frame2, "遅い"),
      Label4(&Frame2, "アニメーション"),
      Frame3(&form_, "報告"),
      media_(media) {
  form_.Image().Fill(plat::kDialogFace);
  Place(Frame1, 90, 135, 6225, 915);
  Place(chkBGM, 180, 240, 1260, 240);
  Place(chkSE, 180, 555, 1185, 270);
  Place(lblBGM, 1455, 240, 315, 195);
  Place(lblSE, 1455, 555, 315, 195);
  Place(hsrBGM, 1830, 240, 3870, 210);
  Place(hsrSE, 1830, 555, 3870, 210);
  Place(lblBGMDX8, 1440, 240, 315, 195);
  Place(lblSEDX8, 1440, 555, 315, 195);
  Place(hscrBGMDX8, 1815, 240, 3870, 210);
  Place(hscrSEDX8, 1815, 555, 3870, 210);
  Place(cmdBGMPlay, 5775, 180, 285, 270);
  Place(cmdSEPlay, 5775, 525, 285, 270);
  Place(Frame2, 90, 1230, 5865, 990);
  Place(Label1, 150, 285, 720, 240);
  Place(lblBS, 960, 285, 360, 210);
  Place(Label2, 1365, 285, 420, 240);
  Place(hsrBattleSpeed, 1755, 285, 3615, 225);
  Place(Label3, 5415, 285, 435, 240);
  Place(Label4, 135, 645, 1140, 210);
  const char* anime[2] = {"ON", "OFF"};
  for (int i = 0; i < 2; ++i) {
    optAnime[i] = std::make_unique<plat::OptionButton>(&Frame2, anime[i]);
    Place(*optAnime[i], 1485 + i * 1200, 615, 1065, 270);
  }
  Place(Frame3, 90, 2415, 7845, 2220);
  for (int i = 0; i < 18; ++i) {
    chcReport[i] = std::make_unique<plat::CheckBox>(&Frame3);
    Place(*chcReport[i], kReportLeft[i % 3], kReportTop[i / 3], 2385, 195);
  }
  const char* exe[2] = {"OK", "キャンセル"};
  for (int i = 0; i < 2; ++i) {
    cmdExe[i] = std::make_unique<plat::CommandButton>(&form_, exe[i]);
    Place(*cmdExe[i], 5055 + i * 1500, 4725, 1335, 315);
    cmdExe[i]->Click = [this, i] { cmdExe_Click(i); };
  }

  // The designed state: both boxes ticked, the bars at their lowest steps (DirectX 8: at 0).
  chkBGM.SetValue(1);
  chkSE.SetValue(1);
  hsrBGM.SetRange(1, 10);
  hsrSE.SetRange(1, 10);
  hscrBGMDX8.SetRange(-30, 0);
  hscrSEDX8.SetRange(-30, 0);
  hsrBattleSpeed.SetRange(1, 20);
  cmdBGMPlay.SetPicture(NotePicture());
  cmdSEPlay.SetPicture(SpeakerPicture());

  chkBGM.Click = [this] { chkBGM_Click(); };
  chkSE.Click = [this] { chkSE_Click(); };
  hsrBGM.Change = hsrBGM.Scroll = [this] { lblBGM.SetCaption(std::to_string(hsrBGM.Value())); };
  hsrSE.Change = hsrSE.Scroll = [this] { lblSE.SetCaption(std::to_string(hsrSE.Value())); };
  hsrBattleSpeed.Change = hsrBattleSpeed.Scroll = [this] {
    lblBS.SetCaption(std::to_string(hsrBattleSpeed.Value()));
  };
  hscrBGMDX8.Change = hscrBGMDX8.Scroll = [this] {
    lblBGMDX8.SetCaption(std::to_string(hscrBGMDX8.Value() + 30));
    SetBGMVolumeDX8(static_cast<int16_t>(hscrBGMDX8.Value() * 100));
  };
  hscrSEDX8.Change = hscrSEDX8.Scroll = [this] {
    lblSEDX8.SetCaption(std::to_string(hscrSEDX8.Value() + 30));
    SetSEVolumeDX8(static_cast<int16_t>(hscrSEDX8.Value() * 100));
  };
  cmdBGMPlay.Click = [this] { cmdBGMPlay_Click(); };
  cmdSEPlay.Click = [this] { cmdSEPlay_Click(); };
  // The close button acts as Cancel.
  form_.QueryUnload = [this](bool&) {
    if (!answered_) {
      StopTestTune();
      RestoreVolumes();
    }
  };
  form_.Unload = [this] { Form_Unload(); };
  Form_Load();
}

frmSetting::~frmSetting() {
  form_.QueryUnload = nullptr;
  form_.Unload = nullptr;
}

void frmSetting::Form_Load() {
  gIni->NowSection(kSettingSection);
  form_.SetPositionOnScreen(TwipsToPixels(SettingNumber(*gIni, "SettingLeft")),
                            TwipsToPixels(SettingNumber(*gIni, "SettingTop")));
  chkBGM.SetValue(Setting("OptionBGM") != 0);
  chkSE.SetValue(Setting("OptionSE") != 0);
  // Both variants' bars are read, so that OK writes the hidden variant's volumes back unchanged.
  hsrSE.SetValue(Setting("SE"));
  hsrBGM.SetValue(Setting("BGM"));
  hscrSEDX8.SetValue(Setting("SEDX8"));
  hscrBGMDX8.SetValue(Setting("BGMDX8"));
  for (plat::Control* c : std::initializer_list<plat::Control*>{&hsrSE, &hsrBGM, &lblSE, &lblBGM, &hscrSEDX8,
                                                               &hscrBGMDX8, &lblSEDX8, &lblBGMDX8})
    c->SetVisible(gDX8 == (c == &hscrSEDX8 || c == &hscrBGMDX8 || c == &lblSEDX8 || c == &lblBGMDX8));
  cmdBGMPlay.SetVisible(gDX8 && chkBGM.Value() == 1);
  cmdSEPlay.SetVisible(gDX8 && chkSE.Value() == 1);
  hsrBattleSpeed.SetValue(Setting("BattleSpeed"));
  optAnime[SettingBool(*gIni, "BattleAnime") ? 0 : 1]->SetValue(true);
  // Labels whose bar kept its designed value got no change event.
  lblBGM.SetCaption(std::to_string(hsrBGM.Value()));
  lblSE.SetCaption(std::to_string(hsrSE.Value()));
  lblBGMDX8.SetCaption(std::to_string(hscrBGMDX8.Value() + 30));
  lblSEDX8.SetCaption(std::to_string(hscrSEDX8.Value() + 30));
  lblBS.SetCaption(std::to_string(hsrBattleSpeed.Value()));
  for (int i = 0; i < 18; ++i) {
    chcReport[i]->SetValue(Setting("Report" + std::to_string(i)) != 0);
    chcReport[i]->SetCaption(gReportNames[i]);
  }
}

void frmSetting::ShowModal() { form_.ShowModal(); }

void frmSetting::chkBGM_Click() {
  const bool on = chkBGM.Value() == 1;
  hsrBGM.SetEnabled(on);
  hscrBGMDX8.SetEnabled(on);
  cmdBGMPlay.SetVisible(gDX8 && on);
}

void frmSetting::chkSE_Click() {
  const bool on = chkSE.Value() == 1;
  hsrSE.SetEnabled(on);
  hscrSEDX8.SetEnabled(on);
  cmdSEPlay.SetVisible(gDX8 && on);
}

void frmSetting::cmdBGMPlay_Click() {
  if (!gPerfTest || !gSegTest) return;
  gPerfTest->StopEx(gSegTest, 0, 0);
  gSegTest->SetStartPoint(0);
  gSegStateTest = gPerfTest->PlaySegmentEx(gSegTest, 0, 0, gAudioPathTest);
}

void frmSetting::cmdSEPlay_Click() { media_.PlaySound(kSoundTest); }

void frmSetting::StopTestTune() {
  if (gDX8 && gPerfTest && gPerfTest->IsPlaying(gSegTest, gSegStateTest)) gPerfTest->StopEx(gSegTest, 0, 0);
}

void frmSetting::RestoreVolumes() {
  if (gDX8) {
    SetBGMVolumeDX8(static_cast<int16_t>(Setting("BGMDX8") * 100));
    SetSEVolumeDX8(static_cast<int16_t>(Setting("SEDX8") * 100));
  } else {
    SetBGMVolume(Setting("BGM"));
    SetSEVolume(Setting("SE"));
  }
}

void frmSetting::cmdExe_Click(int Index) {
  answered_ = true;
  StopTestTune();
  if (Index != 0) {
    RestoreVolumes();
  } else {
    auto put = [](std::string_view key, int value) { gIni->Data(key, std::to_string(value)); };
    put("OptionBGM", chkBGM.Value());
    put("OptionSE", chkSE.Value());
    put("BGM", hsrBGM.Value());
    put("SE", hsrSE.Value());
    put("BGMDX8", hscrBGMDX8.Value());
    put("SEDX8", hscrSEDX8.Value());
    put("BattleSpeed", hsrBattleSpeed.Value());
    put("BattleAnime", optAnime[0]->Value() ? 1 : 0);
    for (int i = 0; i < 18; ++i) put("Report" + std::to_string(i), chcReport[i]->Value());
    if (!gDX8) {
      SetBGMVolume(static_cast<int16_t>(hsrBGM.Value()));
      SetSEVolume(static_cast<int16_t>(hsrSE.Value()));
    }
    media_.SettingIni();
  }
  form_.Close();
}

void frmSetting::Form_Unload() {
  const plat::Point p = form_.Position();
  gIni->Data("SettingLeft", std::to_string(p.x * 15));
  gIni->Data("SettingTop", std::to_string(p.y * 15));
}

void ShowSettingDialog(Media& media) {
  frmSetting dialog(media);
  dialog.ShowModal();
}

/** @file SettingDialogTest.cpp The settings dialog on both audio paths: what it loads, what OK writes and applies, what Cancel puts back. */
#include <map>

#include "MediaFixture.h"
#include "app/frmSetting.h"
#include "platform/EventLoop.h"

namespace {

class SettingDialogTest : public MediaFixture {
 protected:
  void Set(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [key, value] : values) gIni->Data(key, value);
  }
  /// Every setting but the dialog's position, sorted by key.
  std::string Settings() const {
    std::map<std::string, std::string> sorted;
    for (const auto& [unused, key] : gIni->Keys())
      if (key != "SettingLeft" && key != "SettingTop") sorted[key] = gIni->Data(key);
    std::string text;
    for (const auto& [key, value] : sorted) text += key + "=" + value + " ";
    return text;
  }
  std::string Values(std::initializer_list<const char*> keys) const {
    std::string text;
    for (const char* key : keys) text += gIni->Data(key) + " ";
    return text;
  }
};

std::string Shown(std::initializer_list<const plat::Control*> controls) {
  std::string text;
  for (const plat::Control* c : controls) text += c->Visible() ? (c->Enabled() ? "v" : "d") : "-";
  return text;
}

}  // namespace

TEST_F(SettingDialogTest, MciVariantLoadsWritesOnOkAndCancelKeepsEverything) {
  plat::ScriptedMessageBox boxes;
  MakeMedia(false);
  Set({{"OptionBGM", "0"}, {"SE", "7"}, {"BGM", "3"}, {"BGMDX8", "-25"}, {"SEDX8", "-5"}, {"BattleSpeed", "12"},
       {"BattleAnime", "False"}, {"Report3", "0"}, {"SettingLeft", "1500"}, {"SettingTop", "3000"}});
  SetSEVolume(7);
  const std::string before = Settings();
  {
    frmSetting dlg(*media);
    // BGM off greys its bar; the DirectX 8 bars, their labels and the test buttons are hidden.
    EXPECT_EQ(Shown({&dlg.hsrBGM, &dlg.hsrSE, &dlg.lblBGM, &dlg.hscrBGMDX8, &dlg.hscrSEDX8, &dlg.lblSEDX8,
                     &dlg.cmdBGMPlay, &dlg.cmdSEPlay}),
              "dvv-----");
    EXPECT_EQ(std::to_string(dlg.chkBGM.Value()) + std::to_string(dlg.chkSE.Value()) + " " + dlg.lblBGM.Caption() + " " +
                  dlg.lblSE.Caption() + " " + dlg.lblBS.Caption() + " " + (dlg.optAnime[1]->Value() ? "OFF" : "ON") +
                  " " + std::to_string(dlg.chcReport[3]->Value()) + std::to_string(dlg.chcReport[4]->Value()) + " " +
                  dlg.chcReport[17]->Caption(),
              "01 3 7 12 OFF 01 報告17");
    EXPECT_EQ(dlg.Form().Position(), (plat::Point{100, 200}));
    dlg.hsrSE.SetValue(9);  // the label follows; the volume waits for OK
    EXPECT_EQ(dlg.lblSE.Caption() + " " + std::to_string(plat::Audio().WaveVolume() & 0xFFFF), "9 45876");
    dlg.cmdExe_Click(1);
  }
  EXPECT_EQ(Settings(), before);
  EXPECT_EQ(plat::Audio().WaveVolume() & 0xFFFF, 45876u);  // still step 7
  EXPECT_EQ(Values({"SettingLeft", "SettingTop"}), "1500 3000 ");

  {
    frmSetting dlg(*media);
    dlg.hsrSE.SetValue(9);
    dlg.chkBGM.SetValue(1);
    dlg.chcReport[0]->SetValue(0);
    dlg.optAnime[0]->SetValue(true);
    dlg.hsrBattleSpeed.SetValue(20);
    dlg.cmdExe_Click(0);
  }
  // The DirectX 8 volumes, hidden here, are written back as they were.
  EXPECT_EQ(Values({"OptionBGM", "OptionSE", "BGM", "SE", "BGMDX8", "SEDX8", "BattleSpeed", "BattleAnime", "Report0",
                    "Report1", "Report3"}),
            "1 1 3 9 -25 -5 20 1 0 1 0 ");
  EXPECT_EQ(Hex(plat::Audio().WaveVolume()) + " " + Hex(plat::Audio().MidiVolume()), "E666E666 4CD04CD0");
  EXPECT_TRUE(media->Timer3.Enabled());  // the music starts
  EXPECT_TRUE(boxes.shown.empty());

  // A position saved on a display that is gone puts the dialog on the first display.
  Set({{"SettingLeft", "-99999"}, {"SettingTop", "999999"}});
  frmSetting far(*media);
  const plat::Rect screen = plat::DisplayAreas().at(0);
  EXPECT_TRUE(screen.Contains(far.Form().Position().x, far.Form().Position().y) &&
              screen.Contains(far.Form().Position().x + far.Form().Width() - 1,
                              far.Form().Position().y + far.Form().Height() - 1));
}

TEST_F(SettingDialogTest, DirectXVariantPreviewsVolumesAndCancelPutsThemBack) {
  plat::ScriptedMessageBox boxes;
  MakeMedia(true);
  Set({{"BGM", "4"}, {"SE", "6"}});
  const std::string before = Settings();
  TakeLog();
  {
    frmSetting dlg(*media);
    EXPECT_EQ(Shown({&dlg.hsrBGM, &dlg.hsrSE, &dlg.lblSE, &dlg.hscrBGMDX8, &dlg.hscrSEDX8, &dlg.lblSEDX8,
                     &dlg.cmdBGMPlay, &dlg.cmdSEPlay}),
              "---vvvvv");
    EXPECT_EQ(dlg.lblSEDX8.Caption(), "20");
    dlg.hscrSEDX8.SetValue(-30);  // heard at once
    EXPECT_EQ(dlg.lblSEDX8.Caption() + " " + std::to_string(gSEBuffer[3]->GetVolume()), "0 -3000");
    dlg.cmdBGMPlay_Click();
    dlg.cmdSEPlay_Click();
    EXPECT_EQ(TakeLog(), "PlayMusic test.mid 1\nPlaySound 7 fire02.wav\n");
    // The close button acts as Cancel: the test tune stops, the volume goes back.
    dlg.Form().Show();
    EXPECT_TRUE(dlg.Form().RequestClose());
  }
  EXPECT_EQ(TakeLog(), "HaltMusic\n");
  EXPECT_EQ(gSEBuffer[3]->GetVolume(), -1000);
  EXPECT_EQ(Settings(), before);

  {
    frmSetting dlg(*media);
    dlg.hscrBGMDX8.SetValue(-20);
    dlg.cmdExe_Click(0);
  }
  // The MCI volumes, hidden here, are written back as they were; OK starts the map tune.
  EXPECT_EQ(Values({"BGM", "SE", "BGMDX8", "SEDX8"}), "4 6 -20 -10 ");
  EXPECT_EQ(TakeLog(), "PlayMusic map2.mid -1\n");
  EXPECT_TRUE(boxes.shown.empty());
}

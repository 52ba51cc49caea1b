/** @file gallery.cpp The gallery scenario: the platform layer's pictures, text, message boxes and standard controls. */
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Driver.h"
#include "controls/Win32API.h"
#include "controls/clsColor.h"
#include "platform/EventLoop.h"
#include "platform/MessageBox.h"
#include "platform/StdControls.h"
#include "platform/Surface.h"
#include "platform/Text.h"
#include "platform/Window.h"

using namespace plat;
using uidriver::Save;

namespace {

// A backdrop drawn by code: a diagonal colour ramp with a checker, so that blends show.
Surface Backdrop(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int r = 40 + (x * 120) / std::max(w, 1), g = 60 + (y * 100) / std::max(h, 1), b = 110;
      if (((x / 20) + (y / 20)) % 2) { r += 30; g += 30; b += 30; }
      s.SetPixel(x, y, Rgb(r, g, b));
    }
  return s;
}

// A round figure and its mask: the sprite pair the battle draws (mask OR, then image AND).
void Sprite(Surface& mask, Surface& image, int size, Colour body) {
  mask = Surface(size, size);
  image = Surface(size, size);
  mask.Fill(kBlack);
  const double r = size / 2.0 - 1;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double dx = x + 0.5 - size / 2.0, dy = y + 0.5 - size / 2.0;
      if (dx * dx + dy * dy <= r * r) {
        mask.SetPixel(x, y, kWhite);
        image.SetPixel(x, y, dx * dx + dy * dy < r * r * 0.3 ? Rgb(255, 240, 160) : body);
      }
    }
}

void Caption(Surface& s, const Font& f, const std::string& text, int x, int y, int w) {
  Rect r{x, y, x + w, y + f.LineHeight()};
  DrawText(s, f, text, r, DT_SINGLELINE | DT_CENTER, kWhite);
}

void GalleryPictures() {
  Window main("vesk gallery", 800, 600);
  Surface& s = main.Image();
  s = Backdrop(800, 600);
  main.Resize(800, 600);
  const Font title(21, 700), small(15, 400);
  Rect head{0, 6, 800, 36};
  DrawText(s, title, "合成と転送", head, DT_CENTER | DT_SINGLELINE, kWhite);

  // Row 1: BlendPictures of a red and a blue picture at five weights.
  Surface red(120, 70), blue(120, 70);
  red.Fill(Rgb(220, 40, 40));
  blue.Fill(Rgb(40, 60, 220));
  const int16_t weights[5] = {0, 25, 50, 75, 100};
  for (int i = 0; i < 5; ++i) {
    Surface out(120, 70);
    Win32API::BlendPictures(red, blue, out, weights[i]);
    BitBlt(s, 30 + i * 150, 60, 120, 70, out, 0, 0);
    Caption(s, small, "赤" + std::to_string(weights[i]) + "%", 30 + i * 150, 134, 120);
  }
  // Row 2: colour tints over the backdrop (SemiTransPicture, SemiTransRect) at several weights.
  clsColor colors;
  const int tints[4][2] = {{1, 30}, {2, 50}, {5, 70}, {146, 85}};
  for (int i = 0; i < 4; ++i) {
    Surface panel(150, 70);
    BitBlt(panel, 0, 0, 150, 70, s, 30 + i * 185, 170);
    Win32API::SemiTransPicture(panel, colors.ColorAsLong(tints[i][0]), static_cast<int16_t>(tints[i][1]));
    DrawFrame(panel, panel.Bounds(), kWhite);
    BitBlt(s, 30 + i * 185, 170, 150, 70, panel, 0, 0);
    Caption(s, small, "色" + std::to_string(tints[i][0]) + " " + std::to_string(tints[i][1]) + "%", 30 + i * 185, 244, 150);
  }
  // Row 3: sprites by OR and AND, a stretched copy, the keyed half-transparent copy, lines.
  Surface mask, image;
  Sprite(mask, image, 48, Rgb(60, 160, 60));
  for (int i = 0; i < 4; ++i) {
    BitBlt(s, 40 + i * 40, 290, 48, 48, mask, 0, 0, Rop::Paint);
    BitBlt(s, 40 + i * 40, 290, 48, 48, image, 0, 0, Rop::And);
  }
  Caption(s, small, "マスクOR＋画像AND", 30, 344, 200);
  StretchBlt(s, 260, 280, 120, 60, image, 0, 0, 48, 48);
  Caption(s, small, "拡大コピー", 260, 344, 120);
  Surface keyed(100, 60);
  keyed.FillRect(Rect{10, 10, 90, 50}, Rgb(250, 200, 0));
  Rect kr{10, 10, 90, 50};
  DrawText(keyed, small, "白は透明", kr, DT_CENTER | DT_VCENTER | DT_SINGLELINE, kBlack);
  Win32API::SemiTransBlt(s, 410, 280, 100, 60, keyed, 0, 0, 0xFFFFFF, 0);
  Win32API::SemiTransBlt(s, 530, 280, 100, 60, keyed, 0, 0, 0xFFFFFF, 50);
  Caption(s, small, "キー色0%", 410, 344, 100);
  Caption(s, small, "キー色50%", 530, 344, 100);
  for (int i = 0; i < 6; ++i) DrawLine(s, 660, 280 + i * 12, 780, 280 + i * 12, Rgb(255, 255, 255), 1 + i / 2);
  Caption(s, small, "線(終点なし)", 660, 344, 120);
  // Row 4: a copy past the picture's edge is cut there.
  Surface big(200, 120);
  big.Fill(Rgb(30, 30, 30));
  Rect br{0, 0, 200, 120};
  DrawText(big, title, "はみ出したコピーは切られる", br, DT_WORDBREAK | DT_CENTER, Rgb(255, 215, 0));
  BitBlt(s, 700, 420, 200, 120, big, 0, 0);
  Win32API::SemiTransRect(s, 0, 60, 30, 600, 420, 140);
  Rect note{40, 430, 620, 550};
  DrawText(s, small,
           "下の帯は SemiTransRect で黒を40%重ねたもの。右端の画像は幅200の絵を x=700 に転送したもので、"
           "窓の端で切れています。",
           note, DT_WORDBREAK, kWhite);
  main.Show();
  DoEvents();
  Save(main, "gallery-pictures");
}

void GalleryText() {
  Window main("vesk gallery", 800, 600);
  main.Image().Fill(Rgb(24, 40, 64));
  Surface& s = main.Image();
  const Font f(16, 400), head(18, 700);
  struct Case { const char* name; unsigned flags; const char* text; };
  const Case cases[] = {
      {"左・上 (0)", DT_LEFT, "国王軍が出発"},
      {"中央 (1)", DT_CENTER, "国王軍が出発"},
      {"右 (2)", DT_RIGHT, "国王軍が出発"},
      {"単行・上下中央 (37)", DT_CENTER | DT_VCENTER | DT_SINGLELINE, "討伐"},
      {"単行・下・中央 (41)", DT_CENTER | DT_BOTTOM | DT_SINGLELINE, "建設:なし"},
      {"単行・下・右 (42)", DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, "999999"},
      {"折り返し (16)", DT_WORDBREAK, "食料が不足しています。来週までに穀物を確保してください。"},
      {"折り返し・英語 (16)", DT_WORDBREAK, "The army of the kingdom marches on the nest."},
      {"改行あり (0)", DT_LEFT, "一行目\r\n二行目\r\n三行目"},
      {"単行は改行無視 (32)", DT_SINGLELINE, "一行目\r\n二行目"},
      {"枠で切る (16)", DT_WORDBREAK,
       "とても長い文章は枠の外にはみ出さず、枠の下の端で切り取られます。四行目までが見えて、この五行目から後ろは枠の外なので描かれません。六行目も描かれません。"},
      {"切らない (272)", DT_WORDBREAK | DT_NOCLIP,
       "切らない指定では枠の外にも描きます。この文章は枠の下にはみ出して、下の計測の行に重なります。五行目と六行目が枠の外に見えています。"},
  };
  for (int i = 0; i < 12; ++i) {
    const int col = i % 3, row = i / 3;
    const int x = 20 + col * 260, y = 50 + row * 135;
    Rect label{x, y, x + 240, y + 20};
    DrawText(s, f, cases[i].name, label, DT_SINGLELINE, Rgb(255, 215, 0));
    Rect box{x, y + 24, x + 240, y + 24 + 64};
    s.FillRect(box, Rgb(60, 80, 110));
    DrawFrame(s, Rect{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1}, Rgb(150, 170, 200));
    DrawText(s, f, cases[i].text, box, cases[i].flags, kWhite);
    Rect measure{x, y + 24, x + 240, y + 24};
    const int lines = MeasureText(f, cases[i].text, measure, cases[i].flags) / f.LineHeight();
    Rect info{x, y + 92, x + 240, y + 110};
    DrawText(s, f, "計測: " + std::to_string(measure.Width()) + "x" + std::to_string(measure.Height()) + " " +
                       std::to_string(lines) + "行",
             info, DT_SINGLELINE, Rgb(180, 200, 230));
  }
  Rect t{0, 10, 800, 40};
  DrawText(s, head, "文字の配置とフラグ", t, DT_CENTER | DT_SINGLELINE, kWhite);
  main.Show();
  DoEvents();
  Save(main, "gallery-text");
}

void GalleryMessageBoxes() {
  // These boxes are wanted: the real window, pressed by the timer below.
  StandardMessageBox real;
  MessageBoxScope showReal(&real);
  struct Shot {
    const char* name;
    const char* text;
    int style;
    const char* title;
    const char* press;
  };
  const Shot shots[] = {
      {"gallery-msgbox-yesno", "全てのデータが失われますが、いいですか？", vbYesNo, "データの初期化", "いいえ"},
      {"gallery-msgbox-critical",
       "データベースを開けません。\r\nvesk.mdb が他のプログラムで使われていないか確かめてください。", vbOKOnly | vbCritical,
       "Error", "OK"},
  };
  for (const auto& shot : shots) {
    Timer t;
    t.SetInterval(20);
    t.Tick = [&] {
      t.SetEnabled(false);
      Window* box = TopModalWindow();
      if (!box) return;
      Save(*box, shot.name);
      for (Control* c : box->Children())
        if (auto* b = dynamic_cast<CommandButton*>(c); b && b->Caption() == shot.press) {
          Point o = b->OriginInWindow();
          input::ClickAt(*box, o.x + b->Width() / 2, o.y + b->Height() / 2);
          return;
        }
    };
    t.SetEnabled(true);
    int answer = MsgBox(shot.text, shot.style, shot.title);
    std::printf("%s: answered %d\n", shot.name, answer);
  }
}

void GalleryControls() {
  const int W = TwipsToPixels(8025), H = TwipsToPixels(5145);
  Window dlg("設定", W, H, WindowStyle::Dialog);
  dlg.Image().Fill(kDialogFace);
  auto px = [](int twips) { return TwipsToPixels(twips); };
  std::vector<std::unique_ptr<Control>> keep;
  auto add = [&](auto* c, int l, int t, int w, int h) {
    c->SetBounds(px(l), px(t), px(w), px(h));
    keep.emplace_back(c);
    return c;
  };
  auto* frame1 = add(new Frame(&dlg, "Sound"), 90, 135, 6225, 915);
  auto* chkBGM = add(new CheckBox(frame1, "BGM(MIDI)"), 180, 240, 1260, 240);
  auto* chkSE = add(new CheckBox(frame1, "SE(Wave)"), 180, 555, 1185, 270);
  auto* lblBGM = add(new Label(frame1, "10"), 1455, 240, 315, 195);
  auto* lblSE = add(new Label(frame1, "10"), 1455, 555, 315, 195);
  auto* hsrBGM = add(new HScrollBar(frame1), 1830, 240, 3870, 210);
  auto* hsrSE = add(new HScrollBar(frame1), 1830, 555, 3870, 210);
  auto* cmdBGMPlay = add(new PictureButton(frame1), 5775, 180, 285, 270);
  auto* frame2 = add(new Frame(&dlg, "戦闘関係"), 90, 1230, 5865, 990);
  add(new Label(frame2, "戦闘速度"), 150, 285, 720, 240);
  auto* lblBS = add(new Label(frame2, "10"), 960, 285, 360, 210);
  add(new Label(frame2, "速い"), 1365, 285, 420, 240);
  auto* hsrBattleSpeed = add(new HScrollBar(frame2), 1755, 285, 3615, 225);
  add(new Label(frame2, "遅い"), 5415, 285, 435, 240);
  add(new Label(frame2, "アニメーション"), 135, 645, 1140, 210);
  auto* optOn = add(new OptionButton(frame2, "ON"), 1485, 615, 1065, 270);
  add(new OptionButton(frame2, "OFF"), 2685, 615, 1065, 270);
  auto* frame3 = add(new Frame(&dlg, "報告"), 90, 2415, 7845, 2220);
  const char* reports[18] = {"建設", "研究", "探索", "生産", "交易", "募集", "税収", "食料", "討伐",
                             "発見", "価格", "施設", "解放", "継続", "加工", "友好", "兵站", "その他"};
  const int lefts[3] = {105, 2602, 5100}, tops[6] = {300, 612, 924, 1236, 1548, 1860};
  for (int i = 0; i < 18; ++i) {
    auto* c = add(new CheckBox(frame3, reports[i]), lefts[i % 3], tops[i / 3], 2385, 195);
    c->SetValue(i % 4 != 3);
  }
  add(new CommandButton(&dlg, "OK"), 5055, 4725, 1335, 315);
  add(new CommandButton(&dlg, "キャンセル"), 6555, 4725, 1335, 315);
  Surface note(12, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x)
      if ((x - 3) * (x - 3) + (y - 9) * (y - 9) <= 6 || (x == 5 && y >= 1 && y <= 9) || (y == 1 && x >= 5 && x <= 9))
        note.SetPixel(x, y, kBlack);
  cmdBGMPlay->SetPicture(note);
  for (auto* bar : {hsrBGM, hsrSE}) bar->SetRange(1, 10);
  hsrBattleSpeed->SetRange(1, 20);
  hsrBGM->Change = [&] { lblBGM->SetCaption(std::to_string(hsrBGM->Value())); };
  hsrSE->Change = [&] { lblSE->SetCaption(std::to_string(hsrSE->Value())); };
  hsrBattleSpeed->Change = [&] { lblBS->SetCaption(std::to_string(hsrBattleSpeed->Value())); };
  hsrBattleSpeed->Scroll = hsrBattleSpeed->Change;
  chkSE->Click = [&] { hsrSE->SetEnabled(chkSE->Value() == 1); };
  chkBGM->SetValue(1);
  chkSE->SetValue(1);
  hsrBGM->SetValue(7);
  hsrSE->SetValue(4);
  hsrBattleSpeed->SetValue(5);
  optOn->SetValue(true);
  dlg.Show();
  DoEvents();
  Save(dlg, "gallery-controls");

  // Scripted input: untick SE (its bar greys out), drag the speed thumb right, pick OFF.
  auto centre = [&](Control* c) {
    Point o = c->OriginInWindow();
    input::ClickAt(dlg, o.x + 6, o.y + c->Height() / 2);
  };
  centre(chkSE);
  Point o = hsrBattleSpeed->OriginInWindow();
  const int thumbX = o.x + hsrBattleSpeed->Height() + 2 +
                     (hsrBattleSpeed->Width() - 2 * hsrBattleSpeed->Height()) * 4 / 20;
  input::MouseMove(dlg, thumbX, o.y + 5);
  input::MouseDown(dlg, thumbX, o.y + 5);
  input::MouseMove(dlg, thumbX + 120, o.y + 5);
  input::MouseUp(dlg, thumbX + 120, o.y + 5);
  DoEvents();
  for (Control* c : frame2->Children())
    if (auto* opt = dynamic_cast<OptionButton*>(c); opt && opt->Caption() == "OFF") centre(opt);
  DoEvents();
  Save(dlg, "gallery-controls-after-input");
  std::printf("after input: SE %d, battle speed %d, animation %s\n", chkSE->Value(), hsrBattleSpeed->Value(),
              optOn->Value() ? "ON" : "OFF");
}

}  // namespace

UIDRIVER_SCENARIO(gallery) {
  GalleryPictures();
  GalleryText();
  GalleryMessageBoxes();
  GalleryControls();
}

/** @file Text.cpp Text through fontconfig and SDL2_ttf: font look-up, line layout, a cache of rendered text. */
#include "platform/Text.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace plat {

namespace {

// Does the font file at this pattern cover Japanese (kana and common kanji)?
bool CoversJapanese(FcPattern* font) {
  FcCharSet* cs = nullptr;
  if (FcPatternGetCharSet(font, FC_CHARSET, 0, &cs) != FcResultMatch || !cs) return false;
  for (FcChar32 c : {0x3042u, 0x30A2u, 0x56FDu, 0x738Bu, 0x8ECDu})  // あ ア 国 王 軍
    if (!FcCharSetHasChar(cs, c)) return false;
  return true;
}

std::string FindJapaneseFont(bool proportional) {
  // A configuration of our own, destroyed after the look-up, so that nothing stays allocated.
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) throw FontError("フォント設定(fontconfig)を読み込めません");
  std::string path;
  const char* first = proportional ? "IPAPGothic:lang=ja" : "IPAGothic:lang=ja";
  for (const char* query : {first, "IPAGothic:lang=ja", "sans-serif:lang=ja"}) {
    FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(query));
    if (!pat) continue;
    FcConfigSubstitute(config, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pat, &result);
    FcPatternDestroy(pat);
    if (!match) continue;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && CoversJapanese(match))
      path = reinterpret_cast<const char*>(file);
    FcPatternDestroy(match);
    if (!path.empty()) break;
  }
  FcConfigDestroy(config);
  if (path.empty())
    throw FontError(
        "日本語のフォントが見つかりません。パッケージ fonts-ipafont-gothic をインストールしてください");
  return path;
}

void EnsureTtf() {
  if (!TTF_WasInit() && TTF_Init() != 0)
    throw FontError(std::string("フォント描画(SDL_ttf)を初期化できません: ") + TTF_GetError());
}

// UTF-8 to code points; a malformed byte becomes U+FFFD so that nothing is lost or misread.
std::u32string Decode(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (n < 0 || i + n >= s.size()) { out.push_back(0xFFFD); ++i; continue; }
    char32_t cp = n == 0 ? c : (c & (0x3F >> n));
    bool ok = true;
    for (int k = 1; k <= n; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) { out.push_back(0xFFFD); ++i; continue; }
    out.push_back(cp);
    i += n + 1;
  }
  return out;
}

std::string Encode(std::u32string_view s) {
  std::string out;
  out.reserve(s.size() * 3);
  for (char32_t c : s) {
    if (c < 0x80) out += static_cast<char>(c);
    else if (c < 0x800) { out += static_cast<char>(0xC0 | (c >> 6)); out += static_cast<char>(0x80 | (c & 0x3F)); }
    else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool IsCjk(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
         (c >= 0x20000 && c <= 0x2FFFF);
}
bool IsSpace(char32_t c) { return c == U' ' || c == U'\t' || c == 0x3000; }

// The combining voiced and semi-voiced marks: part of the kana before them.
bool IsCombiningMark(char32_t c) { return c == 0x3099 || c == 0x309A; }

// Japanese line breaking: a line may end between any two characters of Japanese text, but never
// starts with a closing bracket, a stop, a comma, a long-vowel mark, a middle dot, a question or
// exclamation mark, a small kana, an iteration mark (木々), a wave dash or a voiced mark, and
// never ends with an opening bracket; such a character stays on the line of the one it belongs
// to. Latin text breaks after spaces only.
bool MayBreakBetween(char32_t before, char32_t after) {
  static const std::u32string kNoLineStart =
      U"、。，．・：；？！ー）」』】〕｝〉》］〙〗｠’”〟"
      U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ"
      U"々ゝゞヽヾ〜～\u3099\u309A"  // ～: the wave dash as the old code page gives it back
      U"｡､･ｰ｣ｧｨｩｪｫｬｭｮｯﾞﾟ,.!?:;)]}";
  static const std::u32string kNoLineEnd = U"（「『【〔｛〈《［〘〖｟‘“〝｢([{";
  if (IsSpace(after) || kNoLineStart.find(after) != std::u32string::npos) return false;
  if (IsSpace(before)) return true;
  if (kNoLineEnd.find(before) != std::u32string::npos) return false;
  return IsCjk(before) || IsCjk(after);
}

}  // namespace

struct Font::Face {
  TTF_Font* font = nullptr;
  int key = 0;
  ~Face() {
    if (font && TTF_WasInit()) TTF_CloseFont(font);
  }
};

namespace {

struct Rendered {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;  // one byte per pixel, 0..255
};

struct TextState {
  std::map<std::tuple<int, bool, bool>, std::shared_ptr<Font::Face>> faces;
  std::unordered_map<std::string, Rendered> cache;
  std::unordered_map<std::string, int> widths;  // keyed by the TTF_Font and the text
  int nextKey = 1;
};

TextState& State() {
  static TextState state;
  return state;
}

constexpr size_t kCacheLimit = 4096;

std::shared_ptr<Font::Face> LoadFace(int cellHeight, bool bold, bool proportional) {
  auto& st = State();
  auto it = st.faces.find({cellHeight, bold, proportional});
  if (it != st.faces.end()) return it->second;
  EnsureTtf();
  const std::string& path = JapaneseFontPath(proportional);
  TTF_Font* f = TTF_OpenFont(path.c_str(), cellHeight);
  if (!f) throw FontError("フォントファイルを開けません: " + path + " (" + TTF_GetError() + ")");
  // Point size in SDL_ttf is the em size; find the largest whose ascent + descent fits the cell.
  int size = std::max(1, cellHeight * cellHeight / std::max(1, TTF_FontHeight(f)));
  TTF_SetFontSize(f, size);
  while (size > 1 && TTF_FontHeight(f) > cellHeight) TTF_SetFontSize(f, --size);
  while (size < 4 * cellHeight) {  // bounded, should a face report no height at all
    TTF_SetFontSize(f, size + 1);
    if (TTF_FontHeight(f) > cellHeight) break;
    ++size;
  }
  TTF_SetFontSize(f, size);
  if (bold) TTF_SetFontStyle(f, TTF_STYLE_BOLD);
  TTF_SetFontHinting(f, TTF_HINTING_NORMAL);
  auto face = std::make_shared<Font::Face>();
  face->font = f;
  face->key = st.nextKey++;
  st.faces[{cellHeight, bold, proportional}] = face;
  return face;
}

// Widths are asked for again and again as lists repaint; they are kept like rendered text.
int Width(TTF_Font* f, const std::string& utf8) {
  if (utf8.empty()) return 0;
  auto& cache = State().widths;
  std::string key(reinterpret_cast<const char*>(&f), sizeof f);
  key += utf8;
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  int w = 0, h = 0;
  if (TTF_SizeUTF8(f, utf8.c_str(), &w, &h) != 0) w = 0;
  if (cache.size() >= kCacheLimit * 4) cache.clear();
  cache.emplace(std::move(key), w);
  return w;
}

const Rendered* Render(const Font::Face& face, const std::string& utf8) {
  auto& st = State();
  std::string key = std::to_string(face.key) + '\x1f' + utf8;
  auto it = st.cache.find(key);
  if (it != st.cache.end()) return &it->second;
  SDL_Surface* s = TTF_RenderUTF8_Blended(face.font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
  if (!s) return nullptr;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!argb) return nullptr;
  Rendered r;
  r.width = argb->w;
  r.height = argb->h;
  r.coverage.resize(static_cast<size_t>(r.width) * r.height);
  SDL_LockSurface(argb);
  for (int y = 0; y < r.height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
    for (int x = 0; x < r.width; ++x) r.coverage[static_cast<size_t>(y) * r.width + x] = static_cast<uint8_t>(row[x] >> 24);
  }
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
  if (st.cache.size() >= kCacheLimit) st.cache.clear();
  return &st.cache.emplace(std::move(key), std::move(r)).first->second;
}

struct Line {
  std::string text;
  int width = 0;
};

// Greedy wrap of one paragraph where MayBreakBetween allows; a word wider than the line is
// broken between characters.
void Wrap(TTF_Font* f, const std::u32string& para, int maxWidth, std::vector<Line>& out) {
  size_t start = 0;
  const size_t n = para.size();
  if (n == 0) { out.push_back({}); return; }
  while (start < n) {
    auto widthOf = [&](size_t end) {
      size_t e = end;
      while (e > start && IsSpace(para[e - 1])) --e;
      return Width(f, Encode(std::u32string_view(para).substr(start, e - start)));
    };
    size_t best = 0;
    for (size_t i = start + 1; i <= n; ++i) {
      if (i < n && !MayBreakBetween(para[i - 1], para[i])) continue;
      if (widthOf(i) <= maxWidth) best = i;
      else break;
    }
    if (best == 0) {  // nothing fits at a break: cut the word between characters
      best = start + 1;
      while (best < n && widthOf(best + 1) <= maxWidth) ++best;
      while (best < n && IsCombiningMark(para[best])) ++best;  // but never part a kana from its mark
    }
    size_t e = best;
    while (e > start && IsSpace(para[e - 1])) --e;
    std::string text = Encode(std::u32string_view(para).substr(start, e - start));
    int w = Width(f, text);
    out.push_back({std::move(text), w});
    start = best;
    while (start < n && IsSpace(para[start])) ++start;
  }
}

std::vector<Line> Layout(TTF_Font* f, std::string_view utf8, int width, unsigned flags) {
  const bool breaks = utf8.find_first_of("\r\n") != std::string_view::npos;
  if (!breaks && ((flags & DT_SINGLELINE) || !(flags & DT_WORDBREAK))) {  // the common case: one line as given
    std::string text(utf8);
    int w = Width(f, text);
    return {Line{std::move(text), w}};
  }
  std::u32string all = Decode(utf8);
  std::vector<std::u32string> paras;
  if (flags & DT_SINGLELINE) {
    std::u32string one;
    for (char32_t c : all)
      if (c != U'\r' && c != U'\n') one += c;
    paras.push_back(std::move(one));
  } else {
    std::u32string cur;
    for (size_t i = 0; i < all.size(); ++i) {
      char32_t c = all[i];
      if (c == U'\r' || c == U'\n') {
        if (c == U'\r' && i + 1 < all.size() && all[i + 1] == U'\n') ++i;
        paras.push_back(std::move(cur));
        cur.clear();
      } else {
        cur += c;
      }
    }
    if (!cur.empty() || paras.empty()) paras.push_back(std::move(cur));
  }
  std::vector<Line> lines;
  for (const auto& p : paras) {
    if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE)) {
      Wrap(f, p, std::max(width, 0), lines);
    } else {
      std::string text = Encode(p);
      int w = Width(f, text);
      lines.push_back({std::move(text), w});
    }
  }
  return lines;
}

void Blend(Surface& dst, const Rendered& r, int x0, int y0, const Rect& clip, Colour colour) {
  Rect area = RectXYWH(x0, y0, r.width, r.height).Intersect(clip).Intersect(dst.Bounds());
  if (area.Empty()) return;
  const int cb = BlueOf(colour), cg = GreenOf(colour), cr = RedOf(colour);
  for (int y = area.top; y < area.bottom; ++y) {
    const uint8_t* cov = r.coverage.data() + static_cast<size_t>(y - y0) * r.width + (area.left - x0);
    uint8_t* d = dst.Row(y) + area.left * 4;
    for (int x = area.left; x < area.right; ++x, ++cov, d += 4) {
      const int a = *cov;
      if (a == 0) continue;
      if (a == 255) {
        d[0] = static_cast<uint8_t>(cb); d[1] = static_cast<uint8_t>(cg); d[2] = static_cast<uint8_t>(cr);
        continue;
      }
      d[0] = static_cast<uint8_t>((cb * a + d[0] * (255 - a) + 127) / 255);
      d[1] = static_cast<uint8_t>((cg * a + d[1] * (255 - a) + 127) / 255);
      d[2] = static_cast<uint8_t>((cr * a + d[2] * (255 - a) + 127) / 255);
    }
  }
}

int LayoutAndDraw(Surface* dst, const Font& font, const std::shared_ptr<Font::Face>& face,
                  std::string_view utf8, Rect& rect, unsigned flags, Colour colour) {
  const int lh = font.LineHeight();
  std::vector<Line> lines = Layout(face->font, utf8, rect.Width(), flags);
  const int total = static_cast<int>(lines.size()) * lh;
  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const auto& l : lines) widest = std::max(widest, l.width);
    rect.right = rect.left + widest;
    rect.bottom = rect.top + total;
    return total;
  }
  if (!dst) return total;
  Rect clip = (flags & DT_NOCLIP) ? dst->Bounds() : rect;
  int y = rect.top;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_BOTTOM) y = rect.bottom - lh;
    else if (flags & DT_VCENTER) y = rect.top + (rect.Height() - lh) / 2;
  }
  for (const auto& l : lines) {
    if (!l.text.empty() && y < clip.bottom && y + lh > clip.top) {
      int x = rect.left;
      if (flags & DT_CENTER) x = rect.left + (rect.Width() - l.width) / 2;
      else if (flags & DT_RIGHT) x = rect.right - l.width;
      if (const Rendered* r = Render(*face, l.text)) Blend(*dst, *r, x, y + (lh - r->height) / 2, clip, colour);
    }
    y += lh;
  }
  return (flags & DT_SINGLELINE) && (flags & (DT_BOTTOM | DT_VCENTER)) ? y - rect.top : total;
}

}  // namespace

const std::string& JapaneseFontPath(bool proportional) {
  static std::string paths[2];
  static std::once_flag once[2];
  // A throw leaves the look-up to be tried again.
  std::call_once(once[proportional], [proportional] { paths[proportional] = FindJapaneseFont(proportional); });
  return paths[proportional];
}

int PointsToCellHeight(int points) {
  int64_t v = static_cast<int64_t>(points) * 96;
  int64_t r = (v >= 0 ? v + 36 : v - 36) / 72;  // MulDiv rounds half away from zero
  return static_cast<int>(r < 0 ? -r : r);
}

Font::Font(int cellHeight, int weight, bool proportional)
    : cellHeight_(std::max(cellHeight < 0 ? -cellHeight : cellHeight, 1)), weight_(weight == 0 ? 400 : weight),
      proportional_(proportional), face_(LoadFace(cellHeight_, weight_ >= 600, proportional)) {}

int Font::LineHeight() const { return cellHeight_; }

int Font::TextWidth(std::string_view utf8) const {
  std::string s(utf8);
  std::erase_if(s, [](char c) { return c == '\r' || c == '\n'; });  // never inside a multi-byte character
  return Width(face_->font, s);
}

int DrawText(Surface& dst, const Font& font, std::string_view utf8, Rect& rect, unsigned flags, Colour colour) {
  return LayoutAndDraw(&dst, font, font.face_, utf8, rect, flags, colour);
}

int MeasureText(const Font& font, std::string_view utf8, Rect& rect, unsigned flags) {
  Surface none;
  return DrawText(none, font, utf8, rect, flags | DT_CALCRECT, 0);
}

Font FittingFont(const Font& font, std::string_view utf8, const Rect& area, unsigned flags, int minCellHeight) {
  // One line may stand a little over its rectangle's top and bottom (it is centred on it); only
  // wrapped text, line under line, needs the height.
  const bool wrapped = (flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE);
  auto fits = [&](const Font& f) {
    Rect need{0, 0, area.Width(), 0};
    const int height = MeasureText(f, utf8, need, flags);
    return need.Width() <= area.Width() && (!wrapped || height <= area.Height());
  };
  Font shown = font;
  for (int cell = font.CellHeight() - 1; cell >= minCellHeight && !fits(shown); --cell)
    shown = Font(cell, font.Weight(), font.Proportional());
  return shown;
}

int CountLines(const Font& font, std::string_view utf8, int width, unsigned flags) {
  Rect r{0, 0, width, 0};
  return MeasureText(font, utf8, r, flags) / font.LineHeight();
}

void ClearTextCache() {
  State().cache.clear();
  State().widths.clear();
}
size_t TextCacheSize() { return State().cache.size(); }

}  // namespace plat

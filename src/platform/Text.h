/** @file Text.h Japanese text: fonts by cell height and weight, drawing and measuring in a rectangle. */
#pragma once
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Surface.h"

namespace plat {

/// Flags of DrawText, with the values the game's controls pass.
enum : unsigned {
  DT_LEFT = 0,
  DT_CENTER = 1,
  DT_RIGHT = 2,
  DT_VCENTER = 4,      ///< with DT_SINGLELINE only
  DT_BOTTOM = 8,       ///< with DT_SINGLELINE only
  DT_WORDBREAK = 16,   ///< wrap at spaces and between CJK characters
  DT_SINGLELINE = 32,  ///< line breaks in the text are ignored
  DT_NOCLIP = 256,
  DT_CALCRECT = 1024,  ///< measure only: the rectangle's right and bottom are set, nothing drawn
};

/// Raised when no installed font covers Japanese.
class FontError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// The Japanese font file found through fontconfig: IPA Gothic, or IPA P Gothic (proportional)
/// for `proportional`. Throws FontError naming the package to install when no match covers Japanese.
const std::string& JapaneseFontPath(bool proportional = false);

/// The cell height in pixels of a font of `points` points on the 96 DPI screen.
int PointsToCellHeight(int points);

/// A font of the Japanese face. `cellHeight` is the character cell (ascent + descent) in pixels,
/// as a positive font height asks for; `weight` 0 or 400 is normal, 600 and above bold.
/// `proportional` picks the proportional face (dialogs); the controls use the fixed one.
/// Copies share the loaded face; fonts of the same size and weight are loaded once.
class Font {
 public:
  explicit Font(int cellHeight = 16, int weight = 400, bool proportional = false);
  int CellHeight() const { return cellHeight_; }
  int Weight() const { return weight_; }
  bool Proportional() const { return proportional_; }
  /// Height of one line of text (equals the cell height).
  int LineHeight() const;
  /// Width in pixels of one line of text (no line breaks considered).
  int TextWidth(std::string_view utf8) const;

  struct Face;  ///< loaded font, internal

 private:
  int cellHeight_;
  int weight_;
  bool proportional_;
  std::shared_ptr<Face> face_;
  friend int DrawText(Surface&, const Font&, std::string_view, Rect&, unsigned, Colour);
};

/// Draws UTF-8 text into `rect` of `dst` in `colour` on a transparent background, laid out by the
/// DT_ flags and clipped to the rectangle (unless DT_NOCLIP) and to the picture. Returns the
/// height of the text. With DT_CALCRECT nothing is drawn: rect.right and rect.bottom become the
/// edges of the laid-out text (with DT_WORDBREAK the rectangle's width is the wrap width).
int DrawText(Surface& dst, const Font& font, std::string_view utf8, Rect& rect, unsigned flags,
             Colour colour);
/// Measuring only, without a picture: same layout as DrawText with DT_CALCRECT.
int MeasureText(const Font& font, std::string_view utf8, Rect& rect, unsigned flags);
/// `font`, or else the largest smaller size of it, down to a cell height of `minCellHeight`, in
/// which the text laid out by `flags` fits `area`: its width, and for wrapped text
/// (DT_WORDBREAK) its height too. A text too long even at `minCellHeight` gets that size.
Font FittingFont(const Font& font, std::string_view utf8, const Rect& area, unsigned flags, int minCellHeight);
/// The number of lines the text takes in a rectangle of the given width with these flags.
int CountLines(const Font& font, std::string_view utf8, int width, unsigned flags);

/// Drops every rendered text kept for reuse (for tests and low memory).
void ClearTextCache();
/// Number of rendered texts currently kept.
size_t TextCacheSize();

}  // namespace plat

// Text on surfaces: the game's font face names mapped onto installed fonts (fontconfig),
// glyphs rendered anti-aliased by FreeType and cached, Shift-JIS strings drawn and measured.
//
// A font size is the em height in pixels (rounded, 1..1024): at size 16 a double-byte character
// of a monospaced Japanese font is 16 pixels wide and its cell 16 pixels high. Text is placed by
// the top-left corner of its cell; the baseline lies at the font's ascent share of the cell.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

#include "host/sjis.hpp"
#include "host/surface.hpp"

namespace zav3::host {

// A face name as the game writes it (Shift-JIS) and the installed families that stand in for it,
// best first.
struct FontAlias {
  Bytes gameName;
  std::vector<std::string> families;
};

// "ＭＳ 明朝" -> IPAMincho, "ＭＳ Ｐ明朝" -> IPAPMincho, "ＭＳ ゴシック" -> IPAGothic,
// "ＭＳ Ｐゴシック" -> IPAPGothic, "FixedSys" -> IPAGothic (monospaced).
std::vector<FontAlias> standardFontAliases();

struct FontSpec {
  Bytes face;          // Shift-JIS face name
  double size = 16.0;  // em height in pixels
};

class TextRenderer {
 public:
  struct Options {
    std::vector<FontAlias> aliases = standardFontAliases();
    // When none of a name's families is installed: true takes any installed font that covers
    // Japanese, false draws every character as a box outline.
    bool cjkFallback = true;
    // Rendered glyphs kept; the cache is emptied when it grows past this.
    std::size_t glyphCacheLimit = 16384;
  };

  TextRenderer();
  explicit TextRenderer(Options options);
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  // Draws Shift-JIS `text` with the top-left corner of its first cell at (x, y) (rounded as
  // coordinates are), glyph coverage blended over the surface in `argb`. With a background
  // colour the cells (advance width x cell height) are filled with it first; without, the
  // surface shows through. Control characters (below 32) take no room and draw nothing.
  // Returns the advance width in pixels.
  int draw(Surface& surface, const FontSpec& font, double x, double y, std::string_view text,
           std::uint32_t argb, std::optional<std::uint32_t> background = std::nullopt,
           std::source_location where = std::source_location::current());

  // Advance width of `text` in pixels, as draw would return it.
  int width(const FontSpec& font, std::string_view text);
  // Cell height in pixels: the em height.
  int height(const FontSpec& font) const;
  // The font file standing in for the face; empty when characters are drawn as boxes.
  std::string fontFile(const FontSpec& font);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zav3::host

// Text drawing: face lookup through fontconfig, glyph rendering through FreeType, a glyph cache
// keyed by (face, pixel size, code point), and anti-aliased blending onto surfaces.
#include "host/text.hpp"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "host/numbers.hpp"

namespace zav3::host {

namespace {

constexpr int boxFace = -1;  // characters drawn as box outlines
constexpr char32_t replacement = U'?';

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

// First code point of UTF-8 text; the replacement when the text is empty or broken.
char32_t firstCodePoint(std::string_view s) {
  if (s.empty()) return replacement;
  auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char c = b(0);
  if (c < 0x80) return c;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
  if (extra < 0 || s.size() < static_cast<std::size_t>(extra) + 1) return replacement;
  char32_t cp = c & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) cp = (cp << 6) | (b(i) & 0x3F);
  return cp;
}

int pixelSize(double size) {
  if (!(size >= 1)) return 1;
  if (size > 1024) return 1024;
  return static_cast<int>(std::nearbyint(size));
}

// Single-byte characters that take half the em: ASCII and half-width kana.
bool halfWidth(char32_t cp) {
  return cp < 0x100 || (cp >= 0xFF61 && cp <= 0xFF9F);
}

inline std::uint32_t blend(std::uint32_t dst, std::uint32_t src, unsigned a) {
  if (a >= 255) return (dst & 0xFF000000u) | (src & 0x00FFFFFFu);
  std::uint32_t out = dst & 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    int d = static_cast<int>((dst >> shift) & 0xFF), s = static_cast<int>((src >> shift) & 0xFF);
    int v = d + ((s - d) * static_cast<int>(a) + (s >= d ? 127 : -127)) / 255;
    out |= static_cast<std::uint32_t>(v) << shift;
  }
  return out;
}

}  // namespace

std::vector<FontAlias> standardFontAliases() {
  // Names stored as their Shift-JIS bytes.
  return {
      {"\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9", {"IPAMincho"}},  // ＭＳ 明朝
      {"\x82\x6c\x82\x72\x20\x82\x6f\x96\xbe\x92\xa9", {"IPAPMincho", "IPAMincho"}},  // ＭＳ Ｐ明朝
      {"\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e", {"IPAGothic"}},  // ＭＳ ゴシック
      {"\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e",
       {"IPAPGothic", "IPAGothic"}},  // ＭＳ Ｐゴシック
      {"FixedSys", {"IPAGothic"}},
  };
}

struct TextRenderer::Impl {
  struct Face {
    std::string file;
    FT_Face face = nullptr;
    int pixelSize = 0;  // size currently set on `face`
    double ascentShare = 0.88;
  };
  struct Glyph {
    int left = 0, top = 0;  // bitmap origin relative to the pen and the cell top
    int width = 0, rows = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;
  };

  explicit Impl(Options o) : options(std::move(o)) {}
  ~Impl() {
    for (Face& f : faces)
      if (f.face) FT_Done_Face(f.face);
    if (library) FT_Done_FreeType(library);
    if (config) FcConfigDestroy(config);
  }

  Options options;
  bool started = false;
  FT_Library library = nullptr;
  FcConfig* config = nullptr;
  std::vector<Face> faces;
  std::unordered_map<Bytes, int> faceOfName;
  std::unordered_map<std::uint64_t, Glyph> glyphs;
  std::unordered_map<std::uint16_t, char32_t> codePoints;
  std::vector<const Glyph*> line;

  void start() {
    if (started) return;
    started = true;
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
    config = FcInitLoadConfigAndFonts();
  }

  // Loads a font file as a face; its slot, or boxFace when FreeType cannot read it.
  int open(const std::string& file, int index) {
    for (std::size_t i = 0; i < faces.size(); ++i)
      if (faces[i].file == file) return static_cast<int>(i);
    if (!library) return boxFace;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &face) != 0) return boxFace;
    if (!FT_IS_SCALABLE(face)) {
      FT_Done_Face(face);
      return boxFace;
    }
    Face f;
    f.file = file;
    f.face = face;
    double height = static_cast<double>(face->ascender) - face->descender;
    if (height > 0) f.ascentShare = face->ascender / height;
    faces.push_back(std::move(f));
    return static_cast<int>(faces.size() - 1);
  }

  // The installed font of a family; boxFace when there is none.
  int family(const std::string& name) {
    if (!config) return boxFace;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    FcFontSet* set = FcFontList(config, pattern, objects);
    std::vector<std::pair<std::string, int>> found;
    for (int i = 0; set && i < set->nfont; ++i) {
      FcChar8* file = nullptr;
      int index = 0;
      if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
      FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index);
      found.emplace_back(reinterpret_cast<const char*>(file), index);
    }
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    std::sort(found.begin(), found.end());
    for (auto& [file, index] : found) {
      int slot = open(file, index);
      if (slot != boxFace) return slot;
    }
    return boxFace;
  }

  // Any installed font covering Japanese kana and ideographs.
  int anyJapanese() {
    if (!config) return boxFace;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* set = FcFontSort(config, pattern, FcTrue, nullptr, &result);
    int slot = boxFace;
    for (int i = 0; set && i < set->nfont && slot == boxFace; ++i) {
      FcCharSet* chars = nullptr;
      FcChar8* file = nullptr;
      int index = 0;
      if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &chars) != FcResultMatch) continue;
      if (!FcCharSetHasChar(chars, 0x3042) || !FcCharSetHasChar(chars, 0x6F22)) continue;
      if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
      FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index);
      slot = open(reinterpret_cast<const char*>(file), index);
    }
    if (set) FcFontSetDestroy(set);
    FcPatternDestroy(pattern);
    return slot;
  }

  int resolve(const Bytes& name) {
    if (auto it = faceOfName.find(name); it != faceOfName.end()) return it->second;
    start();
    int slot = boxFace;
    bool known = false;
    for (const FontAlias& alias : options.aliases) {
      if (!sameName(alias.gameName, name)) continue;
      known = true;
      for (const std::string& f : alias.families)
        if ((slot = family(f)) != boxFace) break;
      break;
    }
    if (!known && !name.empty()) slot = family(sjisToUtf8(name));
    if (slot == boxFace && options.cjkFallback) slot = anyJapanese();
    faceOfName.emplace(name, slot);
    return slot;
  }

  char32_t codePoint(std::uint16_t sjis) {
    if (auto it = codePoints.find(sjis); it != codePoints.end()) return it->second;
    char bytes[2] = {static_cast<char>(sjis >> 8), static_cast<char>(sjis & 0xFF)};
    char32_t cp = firstCodePoint(sjisToUtf8(std::string_view(bytes, 2)));
    codePoints.emplace(sjis, cp);
    return cp;
  }

  static Glyph boxGlyph(char32_t cp, int size) {
    Glyph g;
    g.advance = halfWidth(cp) ? std::max(1, size / 2) : size;
    if (cp == U' ' || cp == U'\u3000' || g.advance < 3 || size < 3) return g;
    g.left = 1;
    g.top = 1;
    g.width = g.advance - 2;
    g.rows = size - 2;
    g.coverage.assign(static_cast<std::size_t>(g.width) * g.rows, 0);
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x)
        if (y == 0 || x == 0 || y == g.rows - 1 || x == g.width - 1)
          g.coverage[static_cast<std::size_t>(y) * g.width + x] = 255;
    return g;
  }

  Glyph render(int slot, int size, char32_t cp) {
    if (slot == boxFace) return boxGlyph(cp, size);
    Face& f = faces[slot];
    if (f.pixelSize != size) {
      if (FT_Set_Pixel_Sizes(f.face, 0, static_cast<FT_UInt>(size)) != 0) return boxGlyph(cp, size);
      f.pixelSize = size;
    }
    FT_UInt index = FT_Get_Char_Index(f.face, cp);
    if (FT_Load_Glyph(f.face, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0 ||
        FT_Render_Glyph(f.face->glyph, FT_RENDER_MODE_NORMAL) != 0)
      return boxGlyph(cp, size);
    FT_GlyphSlot s = f.face->glyph;
    Glyph g;
    g.advance = static_cast<int>((s->advance.x + 32) >> 6);
    const FT_Bitmap& bm = s->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || bm.width == 0 || bm.rows == 0) return g;
    const int baseline = static_cast<int>(std::lround(size * f.ascentShare));
    g.left = s->bitmap_left;
    g.top = baseline - s->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.rows = static_cast<int>(bm.rows);
    g.coverage.resize(static_cast<std::size_t>(g.width) * g.rows);
    const unsigned levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
    for (int y = 0; y < g.rows; ++y) {
      const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
      std::uint8_t* dst = g.coverage.data() + static_cast<std::size_t>(y) * g.width;
      for (int x = 0; x < g.width; ++x)
        dst[x] = static_cast<std::uint8_t>(levels == 255 ? src[x] : src[x] * 255u / levels);
    }
    return g;
  }

  const Glyph& glyph(int slot, int size, char32_t cp) {
    std::uint64_t key = (static_cast<std::uint64_t>(slot + 1) << 48) |
                        (static_cast<std::uint64_t>(size) << 24) | (cp & 0xFFFFFFu);
    if (auto it = glyphs.find(key); it != glyphs.end()) return it->second;
    return glyphs.emplace(key, render(slot, size, cp)).first->second;
  }

  // Glyphs of a Shift-JIS string into `line`; returns the total advance.
  int layout(int slot, int size, std::string_view text) {
    if (glyphs.size() > options.glyphCacheLimit) glyphs.clear();
    line.clear();
    int total = 0;
    for (std::size_t i = 0; i < text.size();) {
      auto b = static_cast<unsigned char>(text[i]);
      char32_t cp;
      if (isLeadByte(b) && i + 1 < text.size()) {
        cp = codePoint(
            static_cast<std::uint16_t>((b << 8) | static_cast<unsigned char>(text[i + 1])));
        i += 2;
      } else {
        ++i;
        if (b < 0x20) continue;
        if (b < 0x80)
          cp = b;
        else if (b >= 0xA1 && b <= 0xDF)
          cp = 0xFF61 + (b - 0xA1);
        else
          cp = replacement;
      }
      const Glyph& g = glyph(slot, size, cp);
      line.push_back(&g);
      total += g.advance;
    }
    return total;
  }

  void blit(Surface& s, const Glyph& g, int penX, int top, std::uint32_t argb) {
    const int x0 = penX + g.left, y0 = top + g.top;
    const int fromY = std::max(0, -y0), toY = std::min(g.rows, s.height() - y0);
    const int fromX = std::max(0, -x0), toX = std::min(g.width, s.width() - x0);
    for (int y = fromY; y < toY; ++y) {
      const std::uint8_t* cov = g.coverage.data() + static_cast<std::size_t>(y) * g.width;
      std::uint32_t* dst = s.row(y0 + y) + x0;
      for (int x = fromX; x < toX; ++x)
        if (cov[x]) dst[x] = blend(dst[x], argb, cov[x]);
    }
  }
};

TextRenderer::TextRenderer() : TextRenderer(Options{}) {}
TextRenderer::TextRenderer(Options options) : impl_(std::make_unique<Impl>(std::move(options))) {}
TextRenderer::~TextRenderer() = default;

int TextRenderer::draw(Surface& surface, const FontSpec& font, double x, double y,
                       std::string_view text, std::uint32_t argb,
                       std::optional<std::uint32_t> background, std::source_location where) {
  const std::int64_t left = toLong(x, where), top = toLong(y, where);
  const int size = pixelSize(font.size);
  const int total = impl_->layout(impl_->resolve(font.face), size, text);
  // Cells entirely off the surface draw nothing; positions stay within int range.
  if (left >= surface.width() || top >= surface.height() || left + total <= 0 || top + size <= 0)
    return total;
  if (background) {
    const auto fromX = static_cast<int>(std::max<std::int64_t>(left, 0));
    const auto toX = static_cast<int>(std::min<std::int64_t>(left + total, surface.width()));
    const auto fromY = static_cast<int>(std::max<std::int64_t>(top, 0));
    const auto toY = static_cast<int>(std::min<std::int64_t>(top + size, surface.height()));
    for (int row = fromY; row < toY; ++row)
      std::fill(surface.row(row) + fromX, surface.row(row) + toX, *background);
  }
  int pen = static_cast<int>(left);
  for (const Impl::Glyph* g : impl_->line) {
    if (!g->coverage.empty()) impl_->blit(surface, *g, pen, static_cast<int>(top), argb);
    pen += g->advance;
  }
  return total;
}

int TextRenderer::width(const FontSpec& font, std::string_view text) {
  return impl_->layout(impl_->resolve(font.face), pixelSize(font.size), text);
}

int TextRenderer::height(const FontSpec& font) const {
  return pixelSize(font.size);
}

std::string TextRenderer::fontFile(const FontSpec& font) {
  int slot = impl_->resolve(font.face);
  return slot == boxFace ? std::string() : impl_->faces[slot].file;
}

}  // namespace zav3::host

#include "sim/truetype_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <vector>

namespace vidodez::sim {
namespace {

// A glyph's black dots and where they sit against the pen on the baseline.
struct Glyph {
  int left = 0;  // from the pen position to the bitmap's first column
  int top = 0;   // from the baseline up to the bitmap's first row
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> dots;
  int advance = 0;  // where the next pen position lies
};

// The 26.6 fixed-point numbers of FreeType in whole dots, rounded.
int Dots26(long value) { return static_cast<int>((value + 32) >> 6); }

bool Render(FT_Face face, char32_t code, Glyph* glyph) {
  FT_UInt index = FT_Get_Char_Index(face, code);
  if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph->left = slot->bitmap_left;
  glyph->top = slot->bitmap_top;
  glyph->width = static_cast<int>(bitmap.width);
  glyph->rows = static_cast<int>(bitmap.rows);
  glyph->advance = Dots26(slot->advance.x);
  glyph->dots.assign(static_cast<size_t>(glyph->width) * static_cast<size_t>(glyph->rows), 0);
  for (int y = 0; y < glyph->rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
    for (int x = 0; x < glyph->width; ++x)
      if (row[x / 8] & (0x80 >> (x % 8)))
        glyph->dots[static_cast<size_t>(y) * static_cast<size_t>(glyph->width) + x] = 1;
  }
  return true;
}

// Lays the glyphs out from pen positions `pens` on the baseline `ascender`
// dots below the line's top, in a box `box_width` by `line_height`.
TextStamp Compose(const std::vector<Glyph>& glyphs, const std::vector<int>& pens, int ascender,
                  int box_width, int line_height) {
  int left = 0, top = 0, right = box_width, bottom = line_height;
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const Glyph& g = glyphs[i];
    if (g.width == 0 || g.rows == 0) continue;
    left = std::min(left, pens[i] + g.left);
    right = std::max(right, pens[i] + g.left + g.width);
    top = std::min(top, ascender - g.top);
    bottom = std::max(bottom, ascender - g.top + g.rows);
  }
  TextStamp stamp;
  stamp.origin_x = -left;
  stamp.origin_y = -top;
  stamp.bitmap =
      LabelBitmap(std::min(right - left, kMaxLabelSide), std::min(bottom - top, kMaxLabelSide));
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const Glyph& g = glyphs[i];
    const int x0 = pens[i] + g.left - left, y0 = ascender - g.top - top;
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x)
        if (g.dots[static_cast<size_t>(y) * static_cast<size_t>(g.width) + x] != 0)
          stamp.bitmap.Set(x0 + x, y0 + y, true);
  }
  return stamp;
}

}  // namespace

struct TrueTypeFace::Handles {
  std::string bytes;  // FreeType reads the font from here while the face lives
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Handles() {
    if (face != nullptr) FT_Done_Face(face);
    if (library != nullptr) FT_Done_FreeType(library);
  }
};

TrueTypeFace::TrueTypeFace(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}
TrueTypeFace::~TrueTypeFace() = default;

std::unique_ptr<TrueTypeFace> TrueTypeFace::Open(std::string bytes) {
  auto handles = std::make_unique<Handles>();
  handles->bytes = std::move(bytes);
  if (FT_Init_FreeType(&handles->library) != 0) return nullptr;
  if (FT_New_Memory_Face(handles->library, reinterpret_cast<const FT_Byte*>(handles->bytes.data()),
                         static_cast<FT_Long>(handles->bytes.size()), 0, &handles->face) != 0)
    return nullptr;
  // Outlines only, and a Unicode map where the font has one (symbol fonts
  // keep their own and take the codes as they come).
  if (!FT_IS_SCALABLE(handles->face)) return nullptr;
  (void)FT_Select_Charmap(handles->face, FT_ENCODING_UNICODE);
  return std::unique_ptr<TrueTypeFace>(new TrueTypeFace(std::move(handles)));
}

TextStamp TrueTypeFace::Draw(const std::u32string& text, int width, int height) const {
  FT_Face face = handles_->face;
  if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(std::max(width, 1)),
                         static_cast<FT_UInt>(std::max(height, 1))) != 0)
    return {};
  const int ascender = Dots26(face->size->metrics.ascender);
  const int line_height = ascender - Dots26(face->size->metrics.descender);
  std::vector<Glyph> glyphs;
  std::vector<int> pens;
  int pen = 0;
  for (char32_t code : text) {
    Glyph glyph;
    if (!Render(face, code, &glyph)) continue;
    pens.push_back(pen);
    pen += glyph.advance;
    glyphs.push_back(std::move(glyph));
    if (pen > kMaxLabelSide) break;
  }
  return Compose(glyphs, pens, ascender, pen, line_height);
}

TextStamp TrueTypeFace::DrawInCells(const std::u32string& text, int cell_width,
                                    int cell_height) const {
  FT_Face face = handles_->face;
  const double line_units = face->ascender - face->descender;
  const double advance_units = face->max_advance_width;
  if (line_units <= 0 || advance_units <= 0 || cell_width <= 0 || cell_height <= 0) return {};
  // The em that makes a line as high as the cell and an advance as wide.
  const double em_high = cell_height * face->units_per_EM / line_units;
  const double em_wide = cell_width * face->units_per_EM / advance_units;
  if (FT_Set_Char_Size(face, std::lround(em_wide * 64), std::lround(em_high * 64), 72, 72) != 0)
    return {};
  const int ascender = static_cast<int>(std::lround(cell_height * face->ascender / line_units));
  std::vector<Glyph> glyphs;
  std::vector<int> pens;
  int pen = 0;
  for (char32_t code : text) {
    Glyph glyph;
    if (Render(face, code, &glyph)) {
      pens.push_back(pen + (cell_width - glyph.advance) / 2);
      glyphs.push_back(std::move(glyph));
    }
    pen += cell_width;
    if (pen > kMaxLabelSide) break;
  }
  return Compose(glyphs, pens, ascender, pen, cell_height);
}

}  // namespace vidodez::sim

// Text in a downloaded TrueType font, as the printer draws it and as
// FreeType itself draws that font.

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "core/font/font_download_command.h"
#include "core/font/font_test_program.h"
#include "download_command.h"
#include "label_capture.h"
#include "model_io.h"
#include "support/expect_code.h"
#include "support/temp_dir.h"

namespace vidodez::sim {
namespace {

// The download command of the DejaVu font under the name DEJAVU.
std::string Download(FontCommandType type) {
  FontDownloadJob job;
  job.font_path = kDownloadFontPath;
  EXPECT_CODE(kFontOk, TakeFontFileSize(job.font_path, &job.font_size));
  job.font_name = "DEJAVU";
  job.command_type = type;
  return DownloadCommandText(job);
}

std::string TestProgram(FontCommandType type, char id) {
  std::string program;
  EXPECT_CODE(kFontOk, BuildFontTestProgram(type, id, "DEJAVU", FontStorage::FLASH, &program));
  return program + "\r\n";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The test program of either language, with the downloaded font and with
// a resident one at the same places: the rows print in both, not alike.
TEST(LabelFonts, TestProgramDrawnWithTheDownloadedFontDiffersFromAResidentFont) {
  struct Case {
    FontCommandType type;
    char id;
    std::string downloaded_font;  // as the rows' lines name it
    std::string resident_font;
  } cases[] = {
      {FontCommandType::VRLE, 'K', ",K,32,32,", ",4,1,1,"},
      {FontCommandType::VRLZ, '3', "^A3N,32,32", "^A0N,32,32"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    const std::string program = TestProgram(c.type, c.id);
    const auto downloaded = PrintedBy({Download(c.type), program});
    const auto resident =
        PrintedBy({Download(c.type), Replaced(program, c.downloaded_font, c.resident_font)});
    ASSERT_EQ(downloaded.size(), 1u);
    ASSERT_EQ(resident.size(), 1u);
    EXPECT_EQ(downloaded[0].kind, "font-test");
    EXPECT_EQ(resident[0].kind, "label");
    EXPECT_TRUE(downloaded[0].skipped.empty()) << downloaded[0].skipped[0];
    // Both print 14 rows from 50 to 700 dots down.
    for (const auto* label : {&downloaded[0], &resident[0]}) {
      const InkBox ink = InkOf(label->bitmap);
      EXPECT_GE(ink.top, 40);
      EXPECT_GT(ink.bottom, 700);
      EXPECT_LT(ink.bottom, 760);
    }
    EXPECT_FALSE(downloaded[0].bitmap.dots == resident[0].bitmap.dots);
  }
}

// The VRLE program's code page decides what its rows past ASCII print: rows
// 1 to 6 (0x20-0x7F) print alike, rows 7 to 14 do not.
TEST(LabelFonts, TheProgramsCodePageChangesOnlyTheRowsPastAscii) {
  std::string dos, windows;
  ASSERT_CODE(kFontOk,
              BuildFontTestProgram(FontCommandType::VRLE, 'K', "DEJAVU", FontStorage::FLASH, &dos));
  ASSERT_CODE(kFontOk, BuildFontTestProgram(FontCommandType::VRLE, 'K', "DEJAVU",
                                            FontStorage::FLASH, &windows, "Windows 1252"));
  const auto a = PrintedBy({Download(FontCommandType::VRLE), dos + "\r\n"});
  const auto b = PrintedBy({Download(FontCommandType::VRLE), windows + "\r\n"});
  ASSERT_EQ(a.size(), 1u);
  ASSERT_EQ(b.size(), 1u);
  // Row 7 starts 350 dots down.
  const size_t split = 345 * static_cast<size_t>(a[0].bitmap.width);
  const auto& da = a[0].bitmap.dots;
  const auto& db = b[0].bitmap.dots;
  EXPECT_TRUE(std::equal(da.begin(), da.begin() + split, db.begin()));
  EXPECT_FALSE(std::equal(da.begin() + split, da.end(), db.begin() + split));
}

// FreeType's own rendering of the font at the field's size, one bit a dot:
// the black dots' box against the pen on the baseline, and the ascender.
struct FreeTypeGlyph {
  InkBox ink;  // x from the pen, y from the baseline
  int ascender = 0;
};

FreeTypeGlyph RenderWithFreeType(char32_t code, int width, int height) {
  FreeTypeGlyph glyph;
  FT_Library library;
  FT_Face face;
  if (FT_Init_FreeType(&library) != 0) return glyph;
  if (FT_New_Face(library, kDownloadFontPath, 0, &face) == 0) {
    FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(width), static_cast<FT_UInt>(height));
    glyph.ascender = static_cast<int>((face->size->metrics.ascender + 32) >> 6);
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
      const FT_Bitmap& b = face->glyph->bitmap;
      LabelBitmap dots(static_cast<int>(b.width), static_cast<int>(b.rows));
      for (int y = 0; y < dots.height; ++y)
        for (int x = 0; x < dots.width; ++x)
          if (b.buffer[y * b.pitch + x / 8] & (0x80 >> (x % 8))) dots.Set(x, y, true);
      const InkBox box = InkOf(dots);
      const int left = face->glyph->bitmap_left, top = face->glyph->bitmap_top;
      glyph.ink = {left + box.left, box.top - top, left + box.right, box.bottom - top};
    }
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  return glyph;
}

// One character a field, in both languages and at several sizes: its black
// dots fill exactly the box FreeType gives, at the field's position with
// the font's ascender above the baseline.
TEST(LabelFonts, GlyphBoxesAreThoseFreeTypeGivesForTheFontAtTheFieldsSize) {
  struct Case {
    FontCommandType type;
    char32_t code;
    int width, height;
  } cases[] = {
      {FontCommandType::VRLE, 'H', 32, 32}, {FontCommandType::VRLE, 'g', 32, 32},
      {FontCommandType::VRLE, '@', 40, 24}, {FontCommandType::VRLZ, 'Q', 32, 32},
      {FontCommandType::VRLZ, 'j', 50, 50}, {FontCommandType::VRLZ, 'W', 20, 60},
  };
  const int x = 140, y = 90;
  for (const auto& c : cases) {
    const char text[] = {static_cast<char>(c.code), '\0'};
    SCOPED_TRACE(text);
    const std::string size = std::to_string(c.width) + "," + std::to_string(c.height);
    const std::string job =
        c.type == FontCommandType::VRLE
            ? "N\r\nCF1,K,DEJAVU\r\nA140,90,0,K," + size + ",N,\"" + text + "\"\r\nP1\r\n"
            : "^XA^CW3,E:DEJAVU.TTF^FO140,90^A3N," + std::to_string(c.height) + "," +
                  std::to_string(c.width) + "^FD" + text + "^FS^XZ\r\n";
    const auto labels = PrintedBy({Download(c.type), job});
    ASSERT_EQ(labels.size(), 1u);
    const FreeTypeGlyph glyph = RenderWithFreeType(c.code, c.width, c.height);
    const int baseline = y + glyph.ascender;
    EXPECT_EQ(InkOf(labels[0].bitmap), (InkBox{x + glyph.ink.left, baseline + glyph.ink.top,
                                               x + glyph.ink.right, baseline + glyph.ink.bottom}));
  }
}

// Where in the download command the hex digits of the font's byte `at` are.
size_t HexDigitsOf(const std::string& command, size_t at) {
  const size_t header = command.find("\r\n") + 2;
  return header + (at / kFontBytesPerLine) * (2 * kFontBytesPerLine + 2) +
         (at % kFontBytesPerLine) * 2;
}

// The offset of a TrueType table, from the font's table directory.
size_t TableOffset(const std::string& font, const std::string& tag) {
  const auto byte = [&](size_t i) { return static_cast<size_t>(static_cast<uint8_t>(font[i])); };
  const size_t tables = byte(4) << 8 | byte(5);
  for (size_t i = 0; i < tables; ++i) {
    const size_t record = 12 + 16 * i;
    if (font.compare(record, 4, tag) == 0)
      return byte(record + 8) << 24 | byte(record + 9) << 16 | byte(record + 10) << 8 |
             byte(record + 11);
  }
  return 0;
}

// One byte changed between the tool and the printer: the font is refused
// (not stored, or not drawn) or draws differently, never the same label.
TEST(LabelFonts, DownloadWithOneByteChangedInTransitRendersDifferentlyOrIsRefused) {
  const std::string font = test::ReadFileBytes(kDownloadFontPath);
  const size_t head = TableOffset(font, "head");
  ASSERT_GT(head, 0u);
  const std::string intact = Download(FontCommandType::VRLZ);
  const std::string program = TestProgram(FontCommandType::VRLZ, '3');
  const auto original = PrintedBy({intact, program});
  ASSERT_EQ(original.size(), 1u);
  struct Case {
    const char* what;
    size_t digit;  // the hex digit changed
    char to;
    bool stored;
  } cases[] = {
      // The digit becomes no hex digit: the payload ends short.
      {"a digit that is no hex", HexDigitsOf(intact, 5000), 'G', false},
      // unitsPerEm's high byte: the glyphs come out at another scale.
      {"the font's units per em", HexDigitsOf(intact, head + 18), '1', true},
      // The file's first byte: FreeType no longer takes it as a font.
      {"the font's signature", HexDigitsOf(intact, 0), '7', true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string changed = intact;
    ASSERT_NE(changed[c.digit], c.to);
    changed[c.digit] = c.to;
    LabelCapture capture;
    PrinterOptions options;
    options.label_sink = capture.Sink();
    PrinterModel model(options);
    Send(model, changed);
    EXPECT_EQ(model.stored().fonts.size(), c.stored ? 1u : 0u);
    Send(model, program);
    const auto labels = capture.Labels();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_FALSE(labels[0].bitmap.dots == original[0].bitmap.dots);
  }
}

}  // namespace
}  // namespace vidodez::sim

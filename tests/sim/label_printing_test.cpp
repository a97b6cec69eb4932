// What the simulated printer prints: the pictures of its labels, as files
// and as an outside reader sees them.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "core/graphic/pcx_codec.h"
#include "label_capture.h"
#include "model_io.h"
#include "sim/label_folder.h"
#include "support/png_file.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace vidodez::sim {
namespace {

using test::TempDir;

// The sink of the simulator program, with its output lines kept.
class FolderSink {
 public:
  explicit FolderSink(const std::string& folder) {
    out_ = open_memstream(&text_, &size_);
    EXPECT_EQ(0, MakeLabelFolderSink(folder, out_, stderr, &sink_));
  }
  ~FolderSink() {
    std::fclose(out_);
    std::free(text_);
  }
  const LabelSink& sink() const { return sink_; }
  std::string Lines() {
    std::fflush(out_);
    return std::string(text_, size_);
  }

 private:
  char* text_ = nullptr;
  size_t size_ = 0;
  std::FILE* out_;
  LabelSink sink_;
};

// A picture whose rows are no whole bytes wide, with dots that no shift of
// a row or column leaves in place.
GreyBitmap Pattern() {
  GreyBitmap picture{45, 31, {}};
  picture.pixels.resize(45 * 31, kWhite);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if ((x * 7 + y * 3 + x * y) % 5 == 0 || y == 0 || x == 44) picture.Row(y)[x] = kBlack;
  return picture;
}

TEST(LabelPrinting, StoredGraphicPrintsExactlyThePcxBlackDotsAtItsPosition) {
  std::vector<std::uint8_t> pcx;
  ASSERT_EQ(0, EncodePcx(Pattern(), 203, &pcx));
  const std::string store =
      "GM\"LOGO\"" + std::to_string(pcx.size()) + "\r\n" + std::string(pcx.begin(), pcx.end());
  struct Case {
    const char* what;
    std::string job;
    int x, y;
  } cases[] = {
      {"Print Selected Image", "GG20,20,\"LOGO\"\r\nW1\r\n\r\n", 20, 20},
      {"the store's test print", "ZN\r\nGG20,20,\"LOGO\"\r\nW1,1\r\n\r\n", 20, 20},
      {"VRLE", "N\r\nGG137,401,\"LOGO\"\r\nP1\r\n", 137, 401},
      {"VRLZ", "^XA^FO300,51^XGR:LOGO.PCX,1,1^FS^XZ\r\n", 300, 51},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir folder;
    FolderSink sink(folder.path());
    PrinterOptions options;
    options.label_sink = sink.sink();
    PrinterModel model(options);
    Send(model, store);
    Send(model, c.job);
    const std::string file = folder.File("0001-graphic.png");
    EXPECT_EQ(sink.Lines(), "label 0001 graphic 812x1218 " + file + "\n");
    test::PngPicture png;
    ASSERT_TRUE(test::ReadPng(file, &png));
    ASSERT_EQ(png.width, 812);
    ASSERT_EQ(png.height, 1218);
    const GreyBitmap pattern = Pattern();
    int wrong = 0;
    for (int y = 0; y < png.height; ++y)
      for (int x = 0; x < png.width; ++x) {
        const bool inside =
            x >= c.x && y >= c.y && x < c.x + pattern.width && y < c.y + pattern.height;
        const bool black = inside && pattern.At(x - c.x, y - c.y) == kBlack;
        if (png.Black(x, y) != black) ++wrong;
      }
    EXPECT_EQ(wrong, 0) << "dots that differ from the PCX placed at " << c.x << "," << c.y;
  }
}

std::string Repeated(const std::string& line, int times) {
  std::string lines;
  for (int i = 0; i < times; ++i) lines += line;
  return lines;
}

// What the printer does not understand costs nothing of what it does: the
// label equals the one without those commands, which are named once. A
// stored form prints as its lines would, as the form's label.
TEST(LabelPrinting, UnknownCommandsAreSkippedNamedOnceAndTheKnownFieldsPrint) {
  struct Case {
    const char* what;
    std::string job;
    std::string clean;
    std::vector<std::string> skipped;
    const char* kind;
  } cases[] = {
      {"VRLE",
       "N\r\nXYZ1\r\nA50,60,0,3,1,1,N,\"KNOWN\"\r\nXYZ2\r\nLO10,10,200,3\r\nR5\r\nP1\r\n",
       "N\r\nA50,60,0,3,1,1,N,\"KNOWN\"\r\nLO10,10,200,3\r\nP1\r\n",
       {"XYZ", "R"},
       "label"},
      {"VRLZ",
       "^XA^MMT^FO50,60^A0N,30,30^FDKNOWN^FS^MMC\r\n^JUS^FO10,10^GB200,3,3^FS^XZ\r\n",
       "^XA^FO50,60^A0N,30,30^FDKNOWN^FS^FO10,10^GB200,3,3^FS^XZ\r\n",
       {"^MM", "^JU"},
       "label"},
      {"fields past the label's limit",
       "N\r\n" + Repeated("LO0,0,1,1\r\n", 2001) + "P1\r\n",
       "N\r\n" + Repeated("LO0,0,1,1\r\n", 2000) + "P1\r\n",
       {"fields past 2000"},
       "label"},
      {"a field whose font is not there",
       "^XA^FO50,60^A0N,30,30^FDKNOWN^FS^FO50,200^A7N,30,30^FDLOST^FS^XZ\r\n",
       "^XA^FO50,60^A0N,30,30^FDKNOWN^FS^XZ\r\n",
       {"^A (font 7: none assigned)"},
       "label"},
      // Stored and printed as the storage page does.
      {"a stored form",
       "FS\"F1\"\r\nN\r\nXYZ1\r\nA50,60,0,3,1,1,N,\"KNOWN\"\r\nLO10,10,200,3\r\nFE\r\n"
       "FR\"F1\"\r\nW1\r\n",
       "N\r\nA50,60,0,3,1,1,N,\"KNOWN\"\r\nLO10,10,200,3\r\nP1\r\n",
       {"XYZ"},
       "form"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto labels = PrintedBy({c.job});
    const auto clean = PrintedBy({c.clean});
    ASSERT_EQ(labels.size(), 1u);
    ASSERT_EQ(clean.size(), 1u);
    EXPECT_EQ(labels[0].kind, c.kind);
    EXPECT_EQ(labels[0].skipped, c.skipped);
    EXPECT_TRUE(clean[0].skipped.empty());
    EXPECT_GT(labels[0].bitmap.CountBlack(), 0);
    EXPECT_TRUE(labels[0].bitmap.dots == clean[0].bitmap.dots) << "the known fields differ";
  }
}

// A job without its end prints and keeps nothing; the printer still
// answers and the next job prints alone. A graphic's bytes or a form's
// lines that stop coming are given up after kUnterminatedJobEnd of quiet,
// as a printer's receive time-out ends them.
TEST(LabelPrinting, UnterminatedJobPrintsNothingAndThePrinterServesTheNext) {
  struct Case {
    const char* what;
    std::string unterminated;
    std::string next;
  } cases[] = {
      {"VRLE without P", "N\r\nA50,60,0,3,1,1,N,\"LOST\"\r\n",
       "N\r\nA50,60,0,3,1,1,N,\"NEXT\"\r\nP1\r\n"},
      {"VRLZ without ^XZ", "^XA^FO50,60^A0N,30,30^FDLOST^FS\r\n",
       "^XA^FO50,60^A0N,30,30^FDNEXT^FS^XZ\r\n"},
      {"VRLZ field without ^FS", "^XA^FO50,60^A0N,30,30^FDLOST\r\n",
       "^XA^FO50,60^A0N,30,30^FDNEXT^FS^XZ\r\n"},
      {"VRLZ, then VRLE", "^XA^FO50,60^A0N,30,30^FDLOST^FS\r\n",
       "N\r\nA50,60,0,3,1,1,N,\"NEXT\"\r\nP1\r\n"},
      {"a graphic cut short", "GM\"LOGO\"1000\r\n" + std::string(100, '\xff'),
       "N\r\nA50,60,0,3,1,1,N,\"NEXT\"\r\nP1\r\n"},
      {"a form without FE", "FS\"F1\"\r\nN\r\nA50,60,0,3,1,1,N,\"LOST\"\r\n",
       "^XA^FO50,60^A0N,30,30^FDNEXT^FS^XZ\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LabelCapture capture;
    PrinterOptions options;
    options.label_sink = capture.Sink();
    PrinterModel model(options);
    const Clock::time_point start = Clock::now();
    Send(model, c.unterminated, start);
    EXPECT_TRUE(capture.Labels().empty());
    const Clock::time_point later = start + kUnterminatedJobEnd;
    Send(model, "^G1\r\n", later);
    EXPECT_EQ(Replies(model, later), std::vector<std::string>{model.SettingsReply()});
    EXPECT_EQ(model.status(), 24);
    Send(model, c.next, later);
    const auto labels = capture.Labels();
    ASSERT_EQ(labels.size(), 1u);
    const auto alone = PrintedBy({c.next});
    EXPECT_TRUE(labels[0].bitmap.dots == alone[0].bitmap.dots) << "the lost job was printed too";
    EXPECT_TRUE(model.stored().graphics.empty());
    EXPECT_TRUE(model.stored().forms.empty());
  }
}

// Files are numbered by the printer's count, which a restart keeps, so a
// second run never writes over the first run's labels.
TEST(LabelPrinting, CountSurvivesARestartAndNumbersTheFiles) {
  TempDir state, folder;
  PrinterOptions options;
  options.state_dir = state.path();
  {
    FolderSink sink(folder.path());
    options.label_sink = sink.sink();
    PrinterModel model(options);
    Send(model, "N\r\nLO0,0,10,10\r\nP1\r\n^XA^FO0,0^GB10,10,10^FS^PQ2^XZ\r\n");
    EXPECT_EQ(sink.Lines(), "label 0001 label 812x1218 " + folder.File("0001-label.png") +
                                "\nlabel 0002 label 812x1218 " + folder.File("0002-label.png") +
                                " copies 2\n");
  }
  FolderSink sink(folder.path());
  options.label_sink = sink.sink();
  options.dpi = 300;
  options.label_width = 600;
  options.label_height = 400;
  PrinterModel again(options);
  EXPECT_EQ(again.labels_printed(), 2);
  Send(again, "U\r\n");
  EXPECT_EQ(sink.Lines(),
            "label 0003 self-test 600x400 " + folder.File("0003-self-test.png") + "\n");
  EXPECT_EQ(again.settings()[9], "3");
  EXPECT_EQ(test::FileNames(folder.path()),
            (std::vector<std::string>{"0001-label.png", "0002-label.png", "0003-self-test.png"}));
}

// An outside reader finds on the configuration label what the printer is
// and how it is set.
TEST(LabelPrinting, TesseractReadsModelFirmwareAndSettingsOffTheSelfTestLabel) {
  TempDir folder;
  FolderSink sink(folder.path());
  PrinterOptions options;
  options.label_sink = sink.sink();
  PrinterModel model(options);
  // Darkness 17 and speed 09, values no other field has.
  std::vector<std::string> values = model.settings();
  values.resize(40);
  values[3] = "17";
  values[4] = "09";
  Send(model, SettingsLine(values) + "U\r\n");
  const std::string file = folder.File("0001-self-test.png");
  const auto tesseract = test::Run({"/usr/bin/tesseract", file, "stdout"});
  ASSERT_EQ(tesseract.exit_code, 0) << "tesseract-ocr is missing: run scripts/setup\n"
                                    << tesseract.err;
  const std::string& text = tesseract.out;
  for (const char* expected : {"VT-4100", "1.52", "VT41-0152", "Darkness: 17", "Speed: 09"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in:\n" << text;
}

}  // namespace
}  // namespace vidodez::sim

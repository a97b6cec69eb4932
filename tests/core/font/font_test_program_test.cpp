#include "core/font/font_test_program.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/font/font_codes.h"
#include "support/expect_code.h"

namespace vidodez {
namespace {

// The program's lines; the text must end with CR LF.
std::vector<std::string> Lines(const std::string& text) {
  EXPECT_TRUE(text.ends_with("\r\n"));
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

const std::string kRow1 = " !\"#$%&'()*+,-./";
const std::string kRow14 = "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF";

TEST(FontTestProgram, VrleLines) {
  std::string program;
  ASSERT_CODE(kFontOk, BuildFontTestProgram(FontCommandType::VRLE, 'B', "ARIAL", FontStorage::FLASH,
                                            &program));
  std::vector<std::string> lines = Lines(program);
  ASSERT_EQ(19u, lines.size());
  EXPECT_EQ("I8,,001", lines[0]);
  EXPECT_EQ("N", lines[1]);
  EXPECT_EQ("H12", lines[2]);
  EXPECT_EQ("CF1,B,ARIAL", lines[3]);
  EXPECT_EQ("A100,50,0,B,32,32,N,\"" + kRow1 + "\"", lines[4]);
  EXPECT_EQ(
      "A100,400,0,B,32,32,N,\"\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F\"",
      lines[11]);
  EXPECT_EQ("A100,700,0,B,32,32,N,\"" + kRow14 + "\"", lines[17]);
  EXPECT_EQ("P1,1", lines[18]);

  ASSERT_CODE(kFontOk, BuildFontTestProgram(FontCommandType::VRLE, 'Z', "宋体", FontStorage::SDRAM,
                                            &program));
  EXPECT_EQ("CF0,Z,\xCB\xCE\xCC\xE5", Lines(program)[3]);  // the name in GBK
}

TEST(FontTestProgram, VrleCodePageFieldByPositionInTheList) {
  ASSERT_EQ(21u, CodePages().size());
  struct Case {
    const char* name;
    const char* first_line;
  } cases[] = {{"DOS 437", "I8,0,001"},  {"DOS 850", "I8,1,001"},      {"DOS 866", "I8,10,001"},
               {"DOS 869", "I8,13,001"}, {"Windows 1250", "I8,A,001"}, {"GBK", "I8,G,001"},
               {"", "I8,,001"},          {"dos 850", "I8,,001"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string program;
    ASSERT_CODE(kFontOk, BuildFontTestProgram(FontCommandType::VRLE, 'A', "ARIAL",
                                              FontStorage::FLASH, &program, c.name));
    EXPECT_EQ(c.first_line, Lines(program)[0]);
  }
}

TEST(FontTestProgram, VrlzLines) {
  std::string program;
  ASSERT_CODE(kFontOk, BuildFontTestProgram(FontCommandType::VRLZ, '3', "ARIAL", FontStorage::SDRAM,
                                            &program,
                                            "DOS 850"));  // no field in VRLZ
  std::vector<std::string> lines = Lines(program);
  ASSERT_EQ(18u, lines.size());
  EXPECT_EQ("^XA", lines[0]);
  EXPECT_EQ("~SD15", lines[1]);
  EXPECT_EQ("^CW3,R:ARIAL.TTF", lines[2]);
  EXPECT_EQ("^FO100,50^A3N,32,32^FD" + kRow1 + "^FS", lines[3]);
  EXPECT_EQ("^FO100,700^A3N,32,32^FD" + kRow14 + "^FS", lines[16]);
  EXPECT_EQ("^XZ", lines[17]);

  ASSERT_CODE(kFontOk, BuildFontTestProgram(FontCommandType::VRLZ, '0', "a.b", FontStorage::FLASH,
                                            &program));
  EXPECT_EQ("^CW0,E:a.b.TTF", Lines(program)[2]);
}

// The ID and name rules are font_job's; a refused program is not half built.
TEST(FontTestProgram, RefusesWhatTheListsDoNotOffer) {
  struct Case {
    FontCommandType type;
    char id;
    const char* name;
    int want;
  } cases[] = {{FontCommandType::VRLZ, 'C', "ARIAL", kFontIdNotDigit},
               {FontCommandType::VRLE, 'A', "LongFont1", kFontNameTooLong}};
  for (const auto& c : cases) {
    std::string program = "stale";
    EXPECT_CODE(c.want, BuildFontTestProgram(c.type, c.id, c.name, FontStorage::FLASH, &program));
    EXPECT_EQ("", program);
  }
}

}  // namespace
}  // namespace vidodez

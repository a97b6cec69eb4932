#include "core/font/font_codes.h"

#include <array>

namespace vidodez {
namespace {

constexpr std::array<TextedCode, 15> kEntries{{
    {{kFontOk, "FontOk"}, {"Done.", "完成。"}},
    {{kFontNoFont, "FontNoFont"}, {"Please select a font!", "请选择字体！"}},
    {{kFontNameTooLong, "FontNameTooLong"},
     {"Maximum 8 characters allowed!", "字体名称最多为8个字符！"}},
    {{kFontNoId, "FontNoId"}, {"Please select Font ID!", "请选择字体ID！"}},
    {{kFontIdNotLetter, "FontIdNotLetter"},
     {"ID range:\"A\"-\"Z\"!", "请选择字体ID范围为 ：\"A\"-\"Z\"！"}},
    {{kFontIdNotDigit, "FontIdNotDigit"},
     {"ID range:\"0\"-\"9\"!", "请选择字体ID范围为 ：\"0\"-\"9\"！"}},
    {{kFontFileOpenFailed, "FontFileOpenFailed"},
     {"The font file cannot be opened.", "无法打开字体文件。"}},
    {{kFontFileReadFailed, "FontFileReadFailed"},
     {"The font file cannot be read.", "无法读取字体文件。"}},
    {{kFontFileTooLarge, "FontFileTooLarge"}, {"The font file is too large.", "字体文件太大。"}},
    {{kFontNameInvalid, "FontNameInvalid"},
     {"This font name cannot be used.", "此字体名称无法使用。"}},
    {{kFontCommandFileFailed, "FontCommandFileFailed"},
     {"The command file cannot be written.", "无法写入指令文件。"}},
    {{kFontNoDesktop, "FontNoDesktop"},
     {"The desktop folder cannot be found or created.", "无法找到或创建桌面文件夹。"}},
    {{kFontOutOfMemory, "FontOutOfMemory"},
     {"Not enough memory for this font.", "内存不足，无法转换此字体。"}},
    {{kFontCancelled, "FontCancelled"}, {"Cancelled.", "已取消。"}},
    {{kFontNameNotGbk, "FontNameNotGbk"},
     {"The font's name holds bytes that are no text, or characters the printer's character set "
      "(GBK) does not have.",
      "字体名称包含无效字节，或打印机字符集（GBK）中没有的字符。"}},
}};

constexpr std::array<NamedCode, kEntries.size()> kNames = NamesOf(kEntries);

}  // namespace

const char* FontCodeName(int code) { return NameOfCode(kNames, code); }

std::span<const NamedCode> FontCodeTable() { return kNames; }

const Text& FontCodeText(int code) { return TextOfCode(kEntries, code); }

OperatorMessage FontMessage(int code, std::string_view language) {
  return {kFontTable, code, Pick(FontCodeText(code), language)};
}

}  // namespace vidodez

#include "core/graphic/graphic_codes.h"

#include <array>

#include "core/graphic/grey_bitmap.h"

namespace vidodez {
namespace {

// The too-large text names the bound in words.
static_assert(kMaxPicturePixels == 16384LL * 16384 && kMaxPictureSide == 32768,
              "update the text of kGraphicPictureTooLarge");

using Entry = TextedCode;

constexpr std::array<Entry, 16> kEntries{{
    {{kGraphicOk, "GraphicOk"}, {"Done.", "完成。"}},
    {{kGraphicNoPicture, "GraphicNoPicture"}, {"No file is found!", "没有找到文件！"}},
    {{kGraphicNoExtension, "GraphicNoExtension"},
     {"The file name has no extension.", "文件名没有扩展名。"}},
    {{kGraphicUnknownFormat, "GraphicUnknownFormat"},
     {"This picture format is not supported.", "不支持此图片格式。"}},
    {{kGraphicNoWriter, "GraphicNoWriter"},
     {"Pictures cannot be saved in this format.", "图片不能保存为此格式。"}},
    {{kGraphicBadSize, "GraphicBadSize"}, {"The picture size is not valid.", "图片尺寸无效。"}},
    {{kGraphicFileOpenFailed, "GraphicFileOpenFailed"},
     {"The file cannot be opened.", "无法打开文件。"}},
    {{kGraphicFileReadFailed, "GraphicFileReadFailed"},
     {"The file cannot be read.", "无法读取文件。"}},
    {{kGraphicFileWriteFailed, "GraphicFileWriteFailed"},
     {"The file cannot be written.", "无法写入文件。"}},
    {{kGraphicBadPicture, "GraphicBadPicture"},
     {"The picture is damaged or not of its format.", "图片已损坏或格式不符。"}},
    {{kGraphicPictureTooLarge, "GraphicPictureTooLarge"},
     {"The picture is too large: at most 16384 x 16384 pixels (268,435,456), and at most "
      "32768 pixels a side.",
      "图片太大：最多 16384 x 16384 像素（268,435,456 像素），每边最多 32768 像素。"}},
    {{kGraphicBadOption, "GraphicBadOption"}, {"Invalid option.", "选项无效。"}},
    {{kGraphicBadNumber, "GraphicBadNumber"},
     {"Vaild value: 0~9", "请输入0~9数字，并确保输入的数据符合有效规则！"}},
    {{kGraphicCancelled, "GraphicCancelled"}, {"Cancelled.", "已取消。"}},
    {{kGraphicReplaceDeclined, "GraphicReplaceDeclined"},
     {"The file was not replaced.", "文件未被替换。"}},
    {{kGraphicBeyondLibraryLimits, "GraphicBeyondLibraryLimits"},
     {"The picture's size is beyond what the picture library (ImageMagick) allows: its policy "
      "limits the width, the height and the number of pixels.",
      "图片尺寸超出图片库（ImageMagick）允许的范围：其策略限制宽度、高度和像素总数。"}},
}};

constexpr std::array<NamedCode, kEntries.size()> kNames = NamesOf(kEntries);

}  // namespace

const char* GraphicCodeName(int code) { return NameOfCode(kNames, code); }

std::span<const NamedCode> GraphicCodeTable() { return kNames; }

OperatorMessage GraphicMessage(int code, std::string_view language) {
  return {kGraphicTable, code, Pick(GraphicCodeText(code), language)};
}

const Text& GraphicCodeText(int code) { return TextOfCode(kEntries, code); }

}  // namespace vidodez

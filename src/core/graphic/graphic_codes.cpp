#include "core/graphic/graphic_codes.h"

#include <array>

namespace vidodez {
namespace {

using Entry = TextedCode;

constexpr std::array<Entry, 13> kEntries{{
    {{kGraphicOk, "GraphicOk"}, {"Done.", "完成。"}},
    {{kGraphicNoPicture, "GraphicNoPicture"}, {"No file is found!", "没有找到文件！"}},
    {{kGraphicNoExtension, "GraphicNoExtension"},
     {"The file name has no extension.", "文件名没有扩展名。"}},
    {{kGraphicUnknownFormat, "GraphicUnknownFormat"},
     {"This picture format is not supported.", "不支持此图片格式。"}},
    {{kGraphicNoWriter, "GraphicNoWriter"},
     {"Pictures can only be saved as PCX.", "图片只能保存为PCX格式。"}},
    {{kGraphicBadSize, "GraphicBadSize"},
     {"The picture size is not valid.", "图片尺寸无效。"}},
    {{kGraphicFileOpenFailed, "GraphicFileOpenFailed"},
     {"The file cannot be opened.", "无法打开文件。"}},
    {{kGraphicFileReadFailed, "GraphicFileReadFailed"},
     {"The file cannot be read.", "无法读取文件。"}},
    {{kGraphicFileWriteFailed, "GraphicFileWriteFailed"},
     {"The file cannot be written.", "无法写入文件。"}},
    {{kGraphicBadPicture, "GraphicBadPicture"},
     {"The picture is damaged or not of its format.", "图片已损坏或格式不符。"}},
    {{kGraphicPictureTooLarge, "GraphicPictureTooLarge"},
     {"The picture is too large.", "图片太大。"}},
    {{kGraphicBadOption, "GraphicBadOption"}, {"Invalid option.", "选项无效。"}},
    {{kGraphicBadNumber, "GraphicBadNumber"},
     {"Vaild value: 0~9", "请输入0~9数字，并确保输入的数据符合有效规则！"}},
}};

constexpr std::array<NamedCode, kEntries.size()> kNames = NamesOf(kEntries);

}  // namespace

const char* GraphicCodeName(int code) { return NameOfCode(kNames, code); }

std::span<const NamedCode> GraphicCodeTable() { return kNames; }

const Text& GraphicCodeText(int code) { return TextOfCode(kEntries, code); }

}  // namespace vidodez

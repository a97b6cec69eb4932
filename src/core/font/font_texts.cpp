#include "core/font/font_texts.h"

#include <array>

namespace vidodez {
namespace {

constexpr std::array<Text, static_cast<size_t>(FontText::kCount)> kTexts{{
    {"Click OK to download this font to printer.", "是否将字体下载到打印机？"},
    {"Click OK to print to a desktop file", "是否打印到文件并保存到桌面？"},
    {"Opening port failed, please check printer connection!",
     "打开端口失败，请检查打印机是否连接！"},
    {"Sending Command Failed!", "发送失败！"},
    {"The font could not be sent to the printer.", "字体未能发送到打印机。"},
    {" exists and was not written by this program. Click OK to replace it.",
     " 已存在，且不是本程序写入的文件。是否替换？"},
}};

}  // namespace

OperatorMessage FontPageMessage(FontText text, const std::string& language) {
  const int index = static_cast<int>(text);
  return {kFontTextTable, index, Pick(kTexts[static_cast<size_t>(index)], language)};
}

}  // namespace vidodez

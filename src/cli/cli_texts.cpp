#include "cli/cli_texts.h"

#include <array>

#include "core/shell/texts.h"

namespace vidodez::cli {
namespace {

constexpr std::array<Text, static_cast<size_t>(CliText::kCount)> kTexts{{
    {"No printer connected", "当前未连接任何打印机"},
    {"No printer matches the one asked for with -p.", "没有与 -p 指定的打印机相符的打印机。"},
    {"The printer reports no status.", "打印机未返回状态。"},
    {"Please check the port!", "请检查端口！"},
    {"The file cannot be opened.", "无法打开文件。"},
    {"The file cannot be read.", "无法读取文件。"},
    {"The printer did not answer.", "打印机未应答。"},
    {"The output could not be written: ", "无法写出输出："},
    {" (not confirmed: run again with --yes)", "（未确认：加上 --yes 再运行一次）"},
    {"This command sends only to USB printers.", "此命令只发送到 USB 打印机。"},
}};

}  // namespace

std::string Say(CliText text, std::string_view language) {
  return Pick(kTexts[static_cast<size_t>(text)], language);
}

}  // namespace vidodez::cli

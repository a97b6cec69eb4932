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
    {"More than one printer matches the one asked for with -p; give its whole name or its "
     "position:",
     "有多台打印机与 -p 指定的打印机相符；请给出完整名称或其位置："},
    {"an empty value is not allowed", "不允许空值"},
    {"Finishing the transfer first: the printer waits for every byte it was told of. Press "
     "Ctrl-C again to stop at once.",
     "正在先完成传输：打印机在等待已告知的全部字节。再按一次 Ctrl-C 可立即停止。"},
    {"The transfer was stopped half-way: the printer may need a restart.",
     "传输中途停止：打印机可能需要重新启动。"},
    {"--code-page: only VRLE's test program has a character set to choose.",
     "--code-page：只有 VRLE 的测试程序可以选择字符集。"},
    {"no value given: write NAME=VALUE, e.g. Darkness=15",
     "未给出值：请写成 名称=值，例如 Darkness=15"},
}};

}  // namespace

std::string Say(CliText text, std::string_view language) {
  return Pick(kTexts[static_cast<size_t>(text)], language);
}

}  // namespace vidodez::cli

#include "app/info_options.h"

#include <cstdio>
#include <string_view>

#include "core/platform/user_folders.h"
#include "core/shell/program_settings.h"
#include "core/shell/program_version.h"
#include "core/shell/texts.h"

namespace vidodez::app {
namespace {

constexpr Text kUsage{
    "usage: vidodez [--help] [--version]\n"
    "The window of MarliX Vidodez Tool: settings, storage, fonts, firmware and\n"
    "network of the maker's label printers on USB.\n"
    "\n"
    "  --help     print this help\n"
    "  --version  print the version and the commit it was built from\n"
    "\n"
    "Qt's own options (-platform, -style...) are taken too. The printers are\n"
    "those of the kernel's usblp driver (/dev/usb/lp*) and the simulated ones\n"
    "of VIDODEZ_SIM_BUS. See vidodez(1) and vidodez-cli(1).\n",
    "用法：vidodez [--help] [--version]\n"
    "MarliX Vidodez Tool 的窗口：USB 标签打印机的功能设置、文件管理、字体、固件和网络。\n"
    "\n"
    "  --help     显示本帮助\n"
    "  --version  显示版本及构建所用的提交\n"
    "\n"
    "也接受 Qt 自身的选项（-platform、-style 等）。打印机为内核 usblp 驱动的设备\n"
    "（/dev/usb/lp*）以及 VIDODEZ_SIM_BUS 中的模拟打印机。参见 vidodez(1) 和 vidodez-cli(1)。\n"};

int Print(const std::string& text) {
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  return std::fflush(stdout) == 0 && written ? 0 : 1;
}

}  // namespace

bool AnswerInfoOptions(int argc, const char* const* argv, int* exit_code) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      const std::string language =
          ResolveCliLanguage(SysIniPath(platform::AppDataFolder()), LocaleLanguage());
      *exit_code = Print(Pick(kUsage, language));
      return true;
    }
    if (arg == "--version") {
      *exit_code = Print(VersionLine("vidodez") + "\n");
      return true;
    }
  }
  return false;
}

}  // namespace vidodez::app

#include "core/link/io_error_texts.h"

#include <array>
#include <cerrno>

#include "core/platform/error_text.h"
#include "core/shell/texts.h"

namespace vidodez {
namespace {

struct ErrorText {
  int error;
  Text text;  // "%DEVICE%" stands for the device's name
};

constexpr std::array<ErrorText, 5> kErrorTexts{{
    {EBUSY,
     {"The printer %DEVICE% is in use by another program (a print spooler such as CUPS, or "
      "another copy of this tool). Close it or pause its queue, then try again.",
      "打印机 %DEVICE% 正被其他程序占用（例如 CUPS "
      "打印服务或本工具的另一个副本）。请关闭该程序或暂停其打印队列后重试。"}},
    {EACCES,
     {"No permission to open %DEVICE%. Add your user to the group that owns it (usually "
      "\"lp\": sudo usermod -aG lp $USER, then log in again) or install a udev rule that "
      "grants access to the printer.",
      "没有打开 %DEVICE% 的权限。请把当前用户加入该设备所属的用户组（通常为 \"lp\"：sudo usermod "
      "-aG lp $USER，然后重新登录），或安装授予访问权限的 udev 规则。"}},
    {ENODEV,
     {"The printer %DEVICE% was unplugged or switched off.",
      "打印机 %DEVICE% 已断开连接或已关机。"}},
    {ENOSPC, {"The printer %DEVICE% is out of paper.", "打印机 %DEVICE% 缺纸。"}},
    {ETIMEDOUT,
     {"The printer %DEVICE% stopped taking data (paused, stalled or busy). Check the printer, "
      "then try again.",
      "打印机 %DEVICE% 停止接收数据（暂停、阻塞或忙）。请检查打印机后重试。"}},
}};

constexpr Text kOtherCause{"The system reported: ", "系统提示："};

}  // namespace

std::string IoErrorMessage(int error, const std::string& device, std::string_view language) {
  if (error == EPERM) error = EACCES;
  for (const auto& entry : kErrorTexts) {
    if (entry.error != error) continue;
    std::string text = Pick(entry.text, language);
    const std::string marker = "%DEVICE%";
    const std::string& name = device;
    size_t at = text.find(marker);
    if (at != std::string::npos) {
      // Without a device name the sentence reads "The printer is ...".
      if (name.empty() && at > 0 && text[at - 1] == ' ') text.erase(at - 1, marker.size() + 1);
      else text.replace(at, marker.size(), name);
    }
    return text;
  }
  if (error == 0) return {};
  // Any other cause is still named, in the system's own words.
  return std::string(Pick(kOtherCause, language)) + SystemErrorText(error);
}

std::string SystemErrorText(int error) { return platform::ErrorText(error); }

}  // namespace vidodez

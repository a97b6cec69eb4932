#include "core/config/settings_page_texts.h"

#include <array>
#include <string>

#include "core/config/config_codes.h"
#include "core/config/settings_commands.h"
#include "core/shell/texts.h"

namespace vidodez {
namespace {

// The English texts keep the printers' established spelling ("Vaild").
constexpr std::array<Text, static_cast<size_t>(SettingsText::kCount)> kTexts{{
    {"Opening port failed, please check printer connection!",
     "打开端口失败，请检查打印机是否连接！"},
    {"Sending Command Failed!", "发送失败！"},
    {"Please make sure the printer is in the READY state before sending parameters to the "
     "printer. Restart the printer if needed.",
     "设置前请让打印机处于“就绪”状态，若无法恢复到“就绪”状态，建议重启打印机。"},
    {"Failed getting .ini, please check if the file has been modified.",
     "读取INI文件或读取配置内容失败，请确定文件是否修改！"},
    {"Are you sure to excute clearbuffer?", "确认删除打印机缓存！"},
    {"Reboot to take effect!", "重启打印机生效！"},
    {"The printer's reply holds no settings; nothing was changed. Restart the printer and try "
     "again.",
     "打印机返回的数据中没有设置参数，未做任何更改。请重新启动打印机后再试！"},
    {"Vaild value: 0~9", "请输入0~9数字，并确保输入的数据符合有效规则！"},
    {"Vaild Value: -(negative sign), .(decimal) and number 0~9",
     "请输入“-”(负号)“.”(小数点) 或 0~9数值，并确保输入的数据符合有效规则！"},
    {"UP Reflective Sensor is not supported on the currently connected printer, please select "
     "another option.",
     "此型号打印机不支持上反射探测方式，请重新选择!"},
    {"File Open Failed: MARLIX.DAT. The file could not be found or is corrupted!",
     "打开打印机型号配置文件MARLIX.DAT失败!"},
    {"When Print Next is selected, please press the CANCEL/RESET button to continue the print "
     "task.Under this mode, reprint function would be void.Click OK to enable the setting.",
     "选择“仅续打”,按取消/复位键续打，按“进纸/"
     "测纸”补打功能无效。如果您已了解此功能，请确认，否则请取消！"},
    {"When No Feed is selected, please make sure the media is being positioned at the correct "
     "position for initiating the printing, to avoid print offset issue on the first label.Click "
     "OK to enable the setting.",
     "选择“直接打印”，请确保操作人员能将标签准确放置在起始位置，否则首张打印内容可能会偏移。如果您"
     "已了解此功能，请确认，否则请取消！"},
    {"Cutting and peeling modes can not be enabled at the same time, peeling mode is now "
     "disabling, continue?",
     "系统不能同时选择开启切纸、剥纸模式，如需开启切纸模式，剥纸关闭将被选中，是否确认开启切纸模式"
     "？"},
    {"Cutting and peeling modes can not be enabled at the same time, cutting mode is now "
     "disabling, continue?",
     "系统不能同时选择开启切纸、剥纸模式，如需开启剥纸功能，切纸关闭将被选中，是否确认开启剥纸功能"
     "？"},
    {"Cutting Mode was enabled, it will now be disabled together, continue?",
     "系统已选择开启切纸模式，若选择关闭撕纸模式，切纸模式关闭被选中，是否关闭撕纸模式？"},
    {"Peeling Mode was enabled, it will now be disabled together, continue?",
     "系统已选择开启剥纸模式，若选择关闭撕纸模式，剥纸模式关闭将被选中，是否关闭撕纸模式？"},
    {"Your printer has enabled peeling mode already, enabling cutting mode will disable peeling "
     "mode, continue?",
     "当前打印机已开启剥纸模式，如需开启切刀模式，剥纸模式将关闭，是否确认开启切纸模式？"},
    {"Your printer has enabled cutting mode already, enabling peeling mode will disable cutting "
     "mode, continue?",
     "当前打印机已开启切纸模式，如需开启剥纸模式，切纸模式将关闭，是否确认开启剥纸模式？"},
    {"Your printer has enabled cutting mode, if disable tear-off mode, cutting mode will be "
     "disabled too, continue?",
     "当前打印机已开启切纸模式，若关闭撕纸模式，切纸模式将关闭，是否关闭撕纸模式？"},
    {"Your printer has enabled peeling mode, if disable tear-off mode, peeling mode will be "
     "disabled too, continue?",
     "当前打印机已开启剥纸模式，若关闭撕纸模式，剥纸模式将关闭，是否关闭撕纸模式？"},
    {"Save settings file (*.ini)", "保存INI文件(*.ini)"},
    {"Open settings file (*.ini)", "打开INI文件(*.ini)"},
    {"%1: out of range; allowed %2.", "%1：超出范围，允许 %2。"},
    {"%1: not a value this setting takes; allowed %2.", "%1：该设置项不接受此值，允许 %2。"},
    {"%1: there is no setting of this name.", "%1：没有此名称的设置项。"},
    {"%1: this setting cannot be changed here.", "%1：此处不能更改该设置项。"},
    {"%1: this printer's settings do not have this field; nothing was sent.",
     "%1：此打印机的设置中没有该项，未发送任何内容。"},
    {"The settings file holds a value that [%1] %2 cannot take; nothing was sent.",
     "配置文件中 [%1] %2 的值无效，未发送任何内容。"},
    {"The printer's settings do not have the expected form at %1; nothing was sent. Restart the "
     "printer and try again.",
     "打印机返回的设置在 %1 处格式不符，未发送任何内容。请重新启动打印机后再试！"},
    {"Restore the printer's factory settings? Its current settings will be lost.",
     "确认恢复打印机出厂设置？打印机当前的设置将全部丢失。"},
    {"%1: give every length in one unit, %2.", "%1：所有长度须使用同一单位：%2。"},
    {"%1: not a number of %2.", "%1：不是以%2为单位的数值。"},
}};

}  // namespace

OperatorMessage SettingsMessage(SettingsText text, std::string_view language) {
  int index = static_cast<int>(text);
  return {kSettingsTable, index, Pick(kTexts[static_cast<size_t>(index)], language)};
}

OperatorMessage SettingsMessage(SettingsText text, std::string_view language,
                                std::string_view first, std::string_view second) {
  OperatorMessage message = SettingsMessage(text, language);
  const std::string pattern = std::move(message.text);
  message.text.clear();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() &&
        (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      message.text += pattern[i + 1] == '1' ? first : second;
      ++i;
    } else {
      message.text += pattern[i];
    }
  }
  return message;
}

OperatorMessage SettingsReplyRefusal(int parsed, std::string_view reply,
                                     std::string_view language) {
  const RecordField* unfit = parsed == kSettingsReplyUnfit ? FindUnfitReplyField(reply) : nullptr;
  if (unfit == nullptr) return SettingsMessage(SettingsText::kReplyHoldsNoSettings, language);
  return SettingsMessage(SettingsText::kReplyFieldUnfit, language, unfit->name);
}

}  // namespace vidodez

#include "gui/settings/printer_config_texts.h"

namespace vidodez::gui {
namespace {

constexpr Text kNone{nullptr, nullptr};

constexpr ControlText kTexts[] = {
    // Tear, cut and peel.
    {"Label", "STearOffHintLabel", {"Tear Mode", "撕纸模式"}, kNone},
    {"Option", "STearOffEnableOp", {"Enable", "开启"}, {"Enable the tear mode", "开启撕纸模式"}},
    {"Option", "STearOffDisableOp", {"Disable", "关闭"}, {"Disable the tear mode", "关闭撕纸模式"}},
    {"Button", "STearOffHelpBtn", kNone, {"Helps on tear mode", "撕纸模式设置帮助"}},
    {"Label", "STearOffsetLabel", {"Tear Offset:", "撕纸偏移："}, kNone},
    {"Label", "SCutterHintLabel", {"Cut Mode", "切纸模式"}, kNone},
    {"Option", "SCutterEnableOp", {"Enable", "开启"},
     {"Tear Mode will be turned on automatically when Cut Mode is Enabled.",
      "开启切纸模式，撕纸模式将同时开启（注意切纸与剥纸模式不能同时开启）"}},
    {"Option", "SCutterDisableOp", {"Disable", "关闭"}, {"Disable the cut mode", "关闭切纸模式"}},
    {"Button", "SCutterHelpBtn", kNone, {"Helps on cutter mode", "切纸模式设置帮助"}},
    {"Label", "SCuttingOffsetLabel", {"Cut Offset:", "切纸偏移："}, kNone},
    {"Label", "SCuttingPapeNumHintLabel", {"Cut Every:", "切纸频率："}, kNone},
    {"Label", "SCuttingPapeNumUNITLabel", {"row(s)", "行"}, kNone},
    {"Label", "SCutterStopPosHintLabel", {"Blade Stop Delay:", "刀片停止延时："}, kNone},
    {"Edit", "SCutterStopPosEdit", kNone,
     {"Vaild value: 0~60, Restart the printer,then reset the printer",
      "输入范围：0~60，设置后重启打印机，做手动复位生效。"}},
    {"Label", "SCutterStopPosUnitLabel", {"ms", "毫秒"}, kNone},
    {"Label", "SPeelOffHintLabel", {"Peel Mode", "剥纸模式"}, kNone},
    {"Option", "SPeelOffEnableOp", {"Enable", "开启"},
     {"Enabling the peel mode will cause tear mode to be enabled as well. Peel and Cut modes are "
      "not recommended to enable at the same time.",
      "开启剥纸模式，撕纸模式将同时开启（注意剥纸与切纸模式不能同时开启）"}},
    {"Option", "SPeelOffDisableOp", {"Disable", "关闭"}, {"Disable the peel mode", "关闭剥纸模式"}},
    {"Button", "SPeelOffHelpBtn", kNone, {"Helps on peel off mode", "剥纸模式设置帮助"}},
    {"Label", "SPeelingOffsetLabel", {"Peel Offset:", "剥纸偏移："}, kNone},
    // Printer settings.
    {"Label", "SPrinterSetHintLabel", {"Printer Settings", "打印机设置"}, kNone},
    {"Label", "SDarkNessHintLabel", {"Print Darkness:", "打印黑度："}, kNone},
    {"Label", "SPrintingSpeedHintLabel", {"Print Speed:", "打印速度："}, kNone},
    {"Label", "SPrintModeLabel", {"Print Mode:", "打印方式："}, kNone},
    {"Label", "SMediaSensorsLabel", {"Sensor Type:", "传感器类型："}, kNone},
    {"Label", "AddContinPrintHintLabel", {"After Error,continue with:", "补/续打设置"}, kNone},
    {"Option", "AddContinPrintEnableOp", {"Reprint", "  补打+续打"},
     {"Print the previous label", "补打报错前的最后一张标签，继续打印"}},
    {"Option", "ContinPrintEnableOp", {"Print Next", "  仅续打"},
     {"Continue to print the next label", "继续报错前的任务进行打印"}},
    {"Button", "AddContinPrintHelpBtn", kNone,
     {"After Error,continue with:", "补/续打设置帮助"}},
    {"Option", "PrintBlankEnableOp", {"Feed Before Printing", "  先进纸，再打印"},
     {nullptr, "按键后默认走一张空白标签再执行任务"}},
    {"Option", "PrintBlankDisableOp", {"No Feed", "  直接打印"},
     {nullptr, "按键后默认直接继续打印"}},
    {"Label", "SMediaHeiLabel", {"Media Height:", "纸张高度取值："}, kNone},
    {"Label", "SDetectThLabel", {"Detection Threshold:", "纸张探测阈值:"}, kNone},
    {"Label", "SCalibrationLenLabel", {"Calibration Length：", "校准走纸长度："}, kNone},
    {"Button", "SPrintSelfCheckPageBtn", {"Print Test Page", "打印自检页"}, kNone},
    {"Label", "SPrinterLanguageHintLabel", {"Language:", "语      言："}, kNone},
    {"Option", "SChiOp", {"Chinese", "中文"},
     {"Set the menu language to Chinese", "打印机当前机器语言为中文"}},
    {"Option", "SEngOp", {"English", "英文"},
     {"Set the menu language to English", "打印机当前机器语言为英文"}},
    {"Label", "SDireSettingHintLabel", {"Top/Bottom Pattern", "打印方向："}, kNone},
    {"Option", "SPositiveOp", {"Top to Bottom", "正向"}, kNone},
    {"Option", "SReverseOp", {"Bottom to Top", "反向"}, kNone},
    {"Label", "PosImageLabel", kNone, {"Top/Bottom Pattern.", "正向"}},
    {"Label", "RevImageLabel", kNone, {"Bottom/Top Pattern.", "反向"}},
    {"Label", "SVerticalOffsetHintLabel", {"Vertical Offset:", "垂直偏移："}, kNone},
    {"Label", "SHorizontalOffsetLabel", {"Horizontal Offset:", "水平偏移："}, kNone},
    {"Label", "SPositiongingOffsetLabel", {"Feed Offset:", "定位偏移："}, kNone},
    // Common settings and the page's buttons.
    {"Label", "SCommandsLabel", {"Common Settings", "常用设置"}, kNone},
    {"Button", "SMediaCalibratioBtn", {"Media Calibration", "纸张探测校准"},
     {"Click to calibrate, printer will feed media approximately 200mm.",
      "点击按钮，打印机将自动走纸约200MM校准纸张"}},
    {"Button", "SAdvResetBtn", {"Restore Factory Settings", "恢复出厂设置"},
     {"Restore printer factory settings.", "打印机恢复出厂设置"}},
    {"Button", "SClearAllBtn", {"Clear Buffer", "清除缓存"},
     {"Clear the printer buffer.", "清空打印机存储设备"}},
    {"Label", "SSerialPortLabel", {"COM Port", "串口信息"}, kNone},
    {"Combo", "SBoudRateCombo", kNone, {"Baud Rate", "串口速率"}},
    {"Combo", "SParityBitCombo", kNone, {"Parity", "校验位"}},
    {"Combo", "SDataBitCombo", kNone, {"Data Bit", "数据位"}},
    {"Button", "SAdvResetSetting", {"Reset All", "重置页面设置"},
     {"Reset all settings to the original value", "重置软件当前页面中设置值"}},
    {"Button", "SAdvGetInfoFromPrinter", {"Retrieve From Printer", "从打印机获取"}, kNone},
    {"Button", "SAdvSaveConfigToINIBtn", {"Save to File", "保存配置"},
     {"Save printer settings to .ini file", "将打印机配置保存到计算机"}},
    {"Button", "SAdvGetInfoFormINIBtn", {"Setting From Ini file", "使用配置文件设置"},
     {"Use pre-stored .ini settings.", "载入本地保存的配置文件"}},
    {"Button", "SAdvSendBtn", {"Send to Printer", "发送到打印机"},
     {"Please make sure the printer is in the READY state before sending parameters to the "
      "printer. Restart the printer if needed.",
      "设置前请让打印机处于“就绪”状态，若无法恢复到“就绪”状态，建议重启打印机。"}},
};

}  // namespace

std::span<const ControlText> SettingsControlTexts() { return kTexts; }

}  // namespace vidodez::gui

#include "gui/settings/printer_config_ui.h"

namespace vidodez::gui {
namespace {

const SelectorPageInfo kPrinterConfig{
    "PrinterConfigSkin.ui", "AdvPC", "Adv", {"Printer settings", "打印机功能设置"},
    {"Read, edit, save and send the printer's settings; calibrate, reset and test.",
     "读取、编辑、保存并发送打印机设置；校准、复位与打印测试页。"}};

}  // namespace

PrinterConfigUI::PrinterConfigUI(PageContext& context, QWidget* parent)
    : SelectorPageUI(context, kPrinterConfig, parent) {}

}  // namespace vidodez::gui

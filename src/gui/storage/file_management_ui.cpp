#include "gui/storage/file_management_ui.h"

namespace vidodez::gui {
namespace {

const SelectorPageInfo kFileManagement{
    "FileManagementSkin.ui", "FM", "FM", {"Storage", "文件管理"},
    {"Send commands and files; list, print and delete stored forms, fonts and graphics.",
     "发送指令与文件；列出、打印、删除打印机中存储的表单、字体和图形。"}};

}  // namespace

FileManagementUI::FileManagementUI(PageContext& context, QWidget* parent)
    : SelectorPageUI(context, kFileManagement, parent) {}

}  // namespace vidodez::gui

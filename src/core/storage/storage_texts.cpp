#include "core/storage/storage_texts.h"

#include <array>

#include "core/shell/texts.h"
#include "core/storage/storage_page.h"

namespace vidodez {
namespace {

// Some English texts keep the printers' established spelling ("Grphic").
constexpr std::array<Text, static_cast<size_t>(StorageText::kCount)> kTexts{{
    {"No command is written.", "编辑框内容为空，请输入指令！"},
    {"Opening port failed, please check printer connection!",
     "打开端口失败，请检查打印机是否连接！"},
    {"Sending Command Failed!", "发送失败！"},
    {"Please select a file!", "请先选择要打印的文件！"},
    {"Sending Failed!", "发送文件失败！"},
    {"No Form!", "打印机内没有Form！"},
    {"No Font.", "打印机内没有下载字体！"},
    {"No Grphic.", "打印机内没有下载图形！"},
    {"Please select a form to delete!", "请选择要删除的Form！"},
    {"Please select a font to delete!", "请选择要删除的字体！"},
    {"Please select a grphic to delete!", "请选择要删除的图形！"},
    {"Deleting the selected Form, confirm?", "确认要删除选择的打印机Form！"},
    {"Deleting the selected font, confirm?", "确认要删除选择的打印机下载字体！"},
    {"Deleting the selected grphic, confirm?", "确认要删除选择的打印机下载图形！"},
    {"Deleting all Forms, confirm?", "确认删除D打印机内所有的Form！"},
    {"Deleting all fonts, confirm?", "确认删除打印机内所有的下载字体！"},
    {"Deleting all grphics, confirm?", "确认删除打印机内所有的下载图形！"},
    {"Please select a form to print!", "请选择要打印的Form！"},
    {"Please select a graphic to print!", "请选择要打印的图形！"},
    {"No file is found!", "没有找到文件！"},
    {"The software can send graphics only in PCX format to the printer!",
     "软件仅支持发送PCX图形到打印机！"},
    {"Graphic ID can not be empty!", "图形文件识别名称不能为空！"},
    {"\"*\" is not accepted as graphic name.!", "图形文件识别名称不能包含\"*\"！"},
    {"Click OK to download this graphic to printer?", "是否将图形下载到打印机？"},
    {"ID:Maximum 8 characters are allowed!", "图形识别名称最多为8个字符！"},
    {"The printer's command set could not be read, so nothing was deleted. Check the printer "
     "and try again.",
     "无法读取打印机的指令集，未删除任何内容。请检查打印机后重试。"},
    {"This name holds a line break or a double quote and cannot be sent to the printer in a "
     "command.",
     "该名称包含换行符或双引号，无法在指令中发送给打印机。"},
    {"The picture is too large to store in the printer: it must be smaller than 1,024,000 "
     "bytes.",
     "图形文件太大，无法存储到打印机：必须小于 1,024,000 字节。"},
    {"The text holds characters that the printer's character set (GBK) does not have.",
     "文本包含打印机字符集（GBK）中没有的字符。"},
    {"The printer's answer was not its list of stored objects (perhaps a late answer to an "
     "earlier command), so nothing is listed. Try again.",
     "打印机的应答不是存储对象清单（可能是对先前指令的迟到应答），因此未列出任何内容。请重试。"},
    {"The commands are too long to send at once: at most 1,023,998 bytes, every line break "
     "counted as two.",
     "指令太长，无法一次发送：最多 1,023,998 字节，每个换行计为两个字节。"},
}};

static_assert(kMaxCommandText == 1023998, "update the text of kCommandTooLong");

}  // namespace

OperatorMessage StorageMessage(StorageText text, const std::string& language) {
  int index = static_cast<int>(text);
  return {kStorageTable, index, Pick(kTexts[static_cast<size_t>(index)], language)};
}

}  // namespace vidodez

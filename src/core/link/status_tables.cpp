#include "core/link/status_tables.h"

#include <array>

#include "core/link/port_codes.h"
#include "core/shell/texts.h"

namespace vidodez {
namespace {

struct ByteIndex {
  uint8_t byte;
  int8_t index;
};

constexpr std::array<ByteIndex, 42> kByteToIndex{{
    {0, 0},    {1, 1},    {4, 2},    {5, 14},   {6, 15},   {7, 16},   {8, 41},
    {10, 19},  {19, 20},  {23, 21},  {24, 0},   {82, 3},   {83, 4},   {86, 5},
    {87, 6},   {88, 7},   {101, 22}, {103, 23}, {105, 24}, {106, 17}, {107, 18},
    {108, 8},  {109, 9},  {110, 10}, {111, 11}, {112, 12}, {113, 25}, {114, 26},
    {116, 13}, {127, 27}, {128, 28}, {134, 29}, {212, 30}, {215, 31}, {220, 32},
    {221, 33}, {222, 34}, {223, 35}, {224, 36}, {225, 37}, {226, 38}, {227, 39},
}};
constexpr int kUnknownStatus = 40;

constexpr std::array<Text, kStatusCount> kStatusTexts{{
    {"READY", "就绪"},
    {"GRAMMAR ERROR", "语法错误"},
    {"PRINTING", "正在打印"},
    {"RIBBON ERROR", "碳带检测出错"},
    {"MEDIA ERROR", "纸张检测出错"},
    {"CUTTER ERROR", "切刀出错"},
    {"PRINTHEAD OPEN", "打印头抬起"},
    {"PAUSE", "暂停"},
    {"RF CMD PARAM ERROR", "RF指令参数错误"},
    {"RFID WRITE ERROR", "RFID写出错"},
    {"RFID DATA REWRITING", "RFID数据重写中"},
    {"RFID CALIB FAILED", "RFID校准失败"},
    {"RI CMD PARAM ERROR", "RI指令参数错误"},
    {"RFID READ ERROR", "RFID读出错"},
    {"TOO MANY RFID R/W CMD", "RFID写指令超出"},
    {"FPGA RESET ERROR", "FPGA复位错误"},
    {"RFID MODULE INITIALIZE FAILED", "RFID模块初始化失败"},
    {"UPGRADE ERROR", "升级出错"},
    {"UPGRADE COMPLETE", "升级完成"},
    {"PEELER ERROR", "剥纸出错"},
    {"USBSTATUS UPDATING", "升级中"},
    {"USBSTATUS CALIBRATING", "RFID探测校准中"},
    {"LABEL SIZE OVERFLOW ERROR", "LABEL缓冲区溢出"},
    {"SYS MEMORY ERROR", "系统内存不足"},
    {"FALSE WRITE ERROR", "FLASH写入出错"},
    {"CMD NF ERROR", "NF指令参数错误"},
    {"CMD EPL FB ERROR", "设置反馈端口出错"},
    {"CMD TR ERROR", "设置读功率出错"},
    {"CMD TW ERROR", "设置写功率出错"},
    {"RFID NOTENABLE ERROR", "RFID功能未开启"},
    {"RF MODULE ERROR", "RFID模块未安装"},
    {"RFID TEMP HIGH ERROR", "RFID模块温度过高"},
    {"FLASH NO ENOUGH ERROR", "FLASH空间不足"},
    {"ID VERIFY ERROR", "UID/TID类型不符"},
    {"FEEDBACK RI ERROR", "RFID反馈出错"},
    {"CMD TU ERROR", "TU指令参数错误"},
    {"CMD RZ ERROR", "RZ指令参数错误"},
    {"RFID DATALEN OVERFLOW ERROR", "写入数据长度超出指定范围"},
    {"CMD HD ERROR", "HD指令参数错误"},
    {"CMD HF OVERFLOW ERROR", "HF写指令超出"},
    {"UNKNOW ERROR", "未知错误"},
    {"CONNECTING", "连接中"},
}};

constexpr std::array<Text, 5> kQueryResultTexts{{
    {"Please check the port!", "请检查端口！"},
    {"Writing to port Failed.", "写入端口失败！"},
    {"Identifying USB port Failed.Cannot retrieve information for the printer, the wrong "
     "version or printer data block, make sure the printer version or restart the printer!",
     "读USB端口失败导致不能获取打印机信息，版本不对或打印机数据阻塞，请确认打印机版本或重新启动打印"
     "机！"},
    {"No return value from printer", "打印机未返回数据！"},
    {"The printer answered the same question twice differently: an answer to an earlier "
     "command may have come late. Nothing was sent; please try again.",
     "打印机对同一询问两次应答不同：可能是先前命令的应答迟到了。未发送任何内容，请重试。"},
}};

}  // namespace

int StatusIndexFromByte(uint8_t status_byte) {
  for (const auto& entry : kByteToIndex)
    if (entry.byte == status_byte) return entry.index;
  return kUnknownStatus;
}

const char* StatusMessage(int index, std::string_view language) {
  if (index < 0 || index >= kStatusCount) return "";
  return Pick(kStatusTexts[static_cast<size_t>(index)], language);
}

int QueryResultIndex(int result) {
  if (result == kQueryRepliesDiffer) return static_cast<int>(kQueryResultTexts.size()) - 1;
  return result <= -1 && result >= -4 ? -result - 1 : -1;
}

const char* QueryResultMessage(int result, std::string_view language) {
  const int index = QueryResultIndex(result);
  return index < 0 ? nullptr : Pick(kQueryResultTexts[static_cast<size_t>(index)], language);
}

}  // namespace vidodez

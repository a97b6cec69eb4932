#include "core/firmware/firmware_texts.h"

#include <array>

#include "core/firmware/firmware_codes.h"
#include "core/firmware/firmware_image.h"
#include "core/firmware/firmware_names.h"
#include "core/shell/texts.h"

namespace vidodez {
namespace {

// The printers' established spellings are kept ("excute", "simultanously").
constexpr std::array<Text, static_cast<size_t>(FirmwareText::kCount)> kTexts{{
    {"File not found!", "未找到文件，文件可能被删除！"},
    // The confirmations' leading pieces: the part number or the name and the
    // tail below follow.
    {"Please make sure the partnumber of the printer is:\"", "将要升级的产品编号为：\""},
    {"Click OK to excute the ", "是否执行"},
    {"Indicator status during upgrade：\r\n"
     "Upgrading: READY lamp lits, while MEDIA and RIBBON blinking simultanously.\r\n"
     "Succeed: READY lamp blinks, while MEDIE and RIBBON are off.\r\n"
     "Failed: Ribbon lamp blinks, while READY and MEDIE are off.\r\n"
     " Do not cycle the printer power until there is only one lamp (Ready or Ribbon) blinking, "
     "this is to make sure the printer can be turned on normally.",
     "升级时指示灯显示状态提示：\r\n"
     "正在升级： READY灯常亮， MEDIE和RIBBON灯同时闪烁。\r\n"
     "升级成功： READY灯闪烁， MEDIE和RIBBON灯同时熄灭。\r\n"
     "升级失败： CANCEL灯闪烁， READY和MEDIE灯同时熄灭。\r\n"
     "等待只有一个灯(READY或CANCEL灯)闪亮时，关机并重新开机，等待打印机正常启动。"},
    {"Indicator status ：\r\n"
     " Ready lamp lits, while MEDIA and RIBBON blinking simultanously\r\n"
     " Cycle the printer power.",
     "升级时指示灯显示状态提示：\r\n"
     "READY灯常亮， MEDIE和RIBBON灯同时闪烁\r\n"
     "关机并重新开机，等待打印机正常启动。"},
    {"Upgrade", "升级"},
    {"Opening port failed, please check printer connection!",
     "打开端口失败，请检查打印机是否连接！"},
    {"The whole file was sent. Watch the printer's status and lamps until it is ready again.",
     "文件已全部发送。请留意打印机状态和指示灯，直到打印机重新就绪。"},
    {"The upload stopped before the whole file was sent.", "上传中断，文件未全部发送。"},
    {"Not a file: only a regular file can be sent.", "不是文件：只能发送普通文件。"},
    {"The file is larger than any printer's firmware (64 MiB): it is no firmware image.",
     "文件大于任何打印机的固件（64 MiB），不是固件映像。"},
    {"Shorter than 20 bytes: no place for a checksum. It is not sent.",
     "文件不足 20 字节，无处写入校验和，不予发送。"},
    {"The image's checksum could not be written, nor into a copy: it is not sent.",
     "无法写入映像的校验和（副本亦然），不予发送。"},
    {"The file cannot be read.", "无法读取文件。"},
}};

static_assert(kMaxFirmwareImageSize == 64 * 1024 * 1024, "update the text of kImageTooLarge");

constexpr Text kImageTail{"\" ?", "\" ?"};
constexpr Text kCommandFileTail{" operation.", "操作？"};

OperatorMessage Message(FirmwareText text, std::string body) {
  return {kFirmwareTable, static_cast<int>(text), std::move(body)};
}

}  // namespace

OperatorMessage FirmwareMessage(FirmwareText text, const std::string& language) {
  return Message(text, Pick(kTexts[static_cast<size_t>(text)], language));
}

OperatorMessage UploadRefusal(int code, const std::string& language) {
  switch (code) {
    case kFirmwareFileNotFound:
      return FirmwareMessage(FirmwareText::kFileNotFound, language);
    case kFirmwareNotAFile:
      return FirmwareMessage(FirmwareText::kNotAFile, language);
    case kFirmwareImageTooLarge:
      return FirmwareMessage(FirmwareText::kImageTooLarge, language);
    case kFirmwareImageTooShort:
      return FirmwareMessage(FirmwareText::kImageTooShort, language);
    case kFirmwareFileWriteFailed:
      return FirmwareMessage(FirmwareText::kStampFailed, language);
    default:
      return FirmwareMessage(FirmwareText::kCannotRead, language);
  }
}

std::string FirmwareTooltipText(FirmwareTooltip tooltip, const std::string& language) {
  switch (tooltip) {
    case FirmwareTooltip::kUpgradeIndicator:
      return FirmwareMessage(FirmwareText::kUpgradeIndicator, language).text;
    case FirmwareTooltip::kShortIndicator:
      return FirmwareMessage(FirmwareText::kShortIndicator, language).text;
    case FirmwareTooltip::kNone:
      break;
  }
  return {};
}

int UpgradeQuestion(const std::string& path, const std::string& language, OperatorMessage* question,
                    const FirmwareFileCalls& calls) {
  *question = {};
  if (!FirmwareFileExists(path, calls)) return kFirmwareFileNotFound;
  if (HasImageExtension(path)) {
    std::string part_number;
    if (int rc = ReadPartNumber(path, &part_number, calls); rc != kFirmwareOk) return rc;
    *question = FirmwareMessage(FirmwareText::kConfirmImage, language);
    question->text += part_number;
    question->text += Pick(kImageTail, language);
    return kFirmwareOk;
  }
  *question = FirmwareMessage(FirmwareText::kConfirmCommandFile, language);
  question->text += ConfirmationName(path);
  question->text += Pick(kCommandFileTail, language);
  return kFirmwareOk;
}

}  // namespace vidodez

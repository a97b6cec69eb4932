#include "gui/firmware/firmware_upgrade_ui.h"

#include <QLabel>

#include "core/firmware/firmware_folder.h"
#include "core/firmware/firmware_texts.h"
#include "core/link/io_error_texts.h"
#include "core/platform/text_encoding.h"
#include "gui/firmware/firmware_list_ui.h"
#include "gui/window/controls.h"
#include "gui/window/transfer_runner.h"

namespace vidodez::gui {
namespace {

const SelectorPageInfo kFirmwareUpgrade{"FU", "FU"};

constexpr char kListName[] = "FUFirmwarelist";

constexpr ControlText kPageTexts[] = {
    {"Label", "FUFirmwareVerHintLabel", {"Firmware Version:", "固件版本号："}},
    {"Label", "FUPartNumberHintLabel", {"Firmware ID:", "固件识别号："}},
    {"Label", "FUFirmwareListLabel", {"Available Firmware:", "可升级固件列表："}},
    {"Button",
     "FUGetInfoBtn",
     {"Get Info", "获取信息"},
     {"Get Current Firmware Info", "获取打印机固件版本和料号信息"}},
};

void SetLabel(QWidget* root, const char* name, const std::string& text) {
  if (auto* label = FindControl<QLabel>(root, name)) label->setText(QString::fromStdString(text));
}

}  // namespace

FirmwareUpgradeUI::FirmwareUpgradeUI(PageContext& context, std::string program_folder,
                                     QString skin_file, QWidget* parent)
    : SelectorPageUI(context, kFirmwareUpgrade, std::move(skin_file), parent),
      program_folder_(std::move(program_folder)),
      operator_(context.dialogs, context.skins, this,
                [&comm = context.comm] { return comm.GetLanguage(); }) {}

QWidget* FirmwareUpgradeUI::CreateSkinWidget(const QString& class_name, QWidget* parent) {
  if (class_name != "FirmwareList") return nullptr;
  list_ = new CFirmwareListUI(parent);
  // Its rows come and go with every refresh; they report straight here.
  list_->SetNotifyHandler([this](const Notification& n) { Notify(n); });
  return list_;
}

void FirmwareUpgradeUI::Init() {
  SelectorPageUI::Init();
  if (list_ == nullptr) list_ = FindControl<CFirmwareListUI>(this, kListName);
  Load();
}

void FirmwareUpgradeUI::ShowTexts(const std::string& lang) {
  SelectorPageUI::ShowTexts(lang);
  SetControlTexts(this, kPageTexts, lang);
  // How an upload ended is told on the page it ended on; coming back to
  // the page starts afresh.
  if (!uploading_) model_.last_upload = UploadEnd::kNone;
  ShowUploadEnd();
  // The rows an upload holds stay until it ends.
  if (uploading_) {
    list_stale_ = true;
    return;
  }
  RebuildList();
}

void FirmwareUpgradeUI::RebuildList() {
  list_stale_ = false;
  model_.folders = FirmwareFolders(program_folder_);
  model_.RefreshList();
  if (list_ == nullptr) return;
  const std::string lang = language();
  CFirmwareListUI::RowTexts texts{
      QString::fromStdString(FirmwareMessage(FirmwareText::kUpgradeButton, lang).text),
      [lang](FirmwareTooltip tooltip) {
        return QString::fromStdString(FirmwareTooltipText(tooltip, lang));
      }};
  list_->SetRows(model_.rows, texts);
}

void FirmwareUpgradeUI::Load() {
  // The printer's words, as every page shows what a printer reports.
  SetLabel(this, "FUFirmwareVersionLabel", platform::GbkForDisplay(model_.info.version));
  SetLabel(this, "FUPartNumberLabel", platform::GbkForDisplay(model_.info.id));
}

void FirmwareUpgradeUI::GetInfo() {
  model_.printer = selector().selected_name();
  (void)model_.GetInfo(context_.comm, operator_);
  Load();
}

QStringList FirmwareUpgradeUI::HeldDuringUpload() const {
  QStringList held{"FUGetInfoBtn"};
  for (const FirmwareListNode& row : model_.rows)
    if (!row.is_folder) held << QString::fromStdString(row.button_name);
  return held;
}

void FirmwareUpgradeUI::Upgrade(const QString& button_name) {
  model_.printer = selector().selected_name();
  // The worker upgrades from a copy of the model, which comes back when the
  // upload has ended: the held buttons and the list kept as it is leave the
  // page nothing to change meanwhile.
  FirmwareUpgradePage work = model_;
  TransferJob job;
  job.work = [this, &work, name = button_name.toStdString()](TransferTask& task) {
    // The page shows what went wrong; the code only ends the job.
    (void)work.Upgrade(context_.comm, task.op(), name, task.progress());
  };
  job.page = this;
  job.prefix = "FU";
  job.held = HeldDuringUpload();
  job.stoppable = false;
  job.comm = &context_.comm;
  uploading_ = true;
  if (auto* label = FindControl<QLabel>(this, "FUTransferLabel")) label->hide();
  // Another page's transfer holds the window's one runner: nothing is done.
  const bool ran = context_.transfers.Run(std::move(job), operator_);
  uploading_ = false;
  if (ran) {
    model_.last_upload = work.last_upload;
    upload_printer_ = work.printer;
    upload_error_ = context_.comm.last_error();
    upload_device_ = context_.comm.last_device();
  }
  ShowUploadEnd();
  if (list_stale_) RebuildList();
}

void FirmwareUpgradeUI::RefreshPage() {
  SelectorPageUI::RefreshPage();
  // The refresh may have chosen another printer (the chosen one unplugged).
  ShowUploadEnd();
}

void FirmwareUpgradeUI::ShowUploadEnd() {
  auto* label = FindControl<QLabel>(this, "FUTransferLabel");
  if (label == nullptr) return;
  const std::string lang = language();
  std::string text;
  // Said of the printer the upload went to, not of the one chosen now.
  const UploadEnd end =
      selector().selected_name() == upload_printer_ ? model_.last_upload : UploadEnd::kNone;
  if (end == UploadEnd::kSent) {
    text = FirmwareMessage(FirmwareText::kUploadEnded, lang).text;
  } else if (end == UploadEnd::kBroken) {
    text = FirmwareMessage(FirmwareText::kUploadBroken, lang).text;
    const std::string cause = IoErrorMessage(upload_error_, upload_device_, lang);
    if (!cause.empty()) text += " " + cause;
  }
  label->setText(QString::fromStdString(text));
  label->setVisible(!text.empty());
}

void FirmwareUpgradeUI::Notify(const Notification& n) {
  if (n.Is(kClick, "FUGetInfoBtn")) return GetInfo();
  if (n.type == kItemClick && list_ != nullptr) {
    const int row = list_->RowIndexOf(n.control);
    if (row >= 0 && model_.ToggleRow(static_cast<size_t>(row))) list_->ShowExpanded(model_.rows);
    return;
  }
  if (n.type == kClick && FindFirmwareButton(model_.rows, n.sender.toStdString()) != nullptr) {
    return Upgrade(n.sender);
  }
  SelectorPageUI::Notify(n);
  ShowUploadEnd();
}

}  // namespace vidodez::gui

#include "gui/storage/file_management_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTextEdit>

#include "core/platform/text_encoding.h"
#include "core/shell/texts.h"
#include "gui/picture/set_picture_wnd.h"
#include "gui/window/controls.h"

namespace vidodez::gui {
namespace {

const SelectorPageInfo kFileManagement{"FM", "FM"};

constexpr ControlText kPageTexts[] = {
    {"Button", "FMSendCommandBtn", {"Send Command to Printer", "发送指令到打印机"}},
    {"Button", "FMSendFileBtn", {"Send File to Printer", "发送文件到打印机"}},
    {"Label", "FMFileTypeHintLabel", {"Type", "类型"}},
    {"Button", "OpenFileBtn", {"Browse File", "浏览文件"}},
    {"Label", "FMFilePathHintLabel", {"Path", "路径"}},
    {"Label", "FMRecHintLabel", {"Name", "识别名称"}},
    {"Label", "FMFormListHintLabel", {"Form List", "模板清单"}},
    {"Button", "GetFormListBtn", {"Get Form List", "获取模板清单"}},
    {"Button", "DelSelFormBtn", {"Delete Selected Form", "删除选定的模板"}},
    {"Button", "ClearAllFormBtn", {"Delete All Forms", "清除所有模板"}},
    {"Button", "PrintSelFormBtn", {"Print Selected Form", "打印选定的模板"}},
    {"Label", "FMPicListHintLabel", {"Font List", "字体清单"}},
    {"Button", "GetFontListBtn", {"Get Font List", "获取字体清单"}},
    {"Button", "DelSelFontBtn", {"Delete Selected Font", "删除选定的字体"}},
    {"Button", "ClearAllFontBtn", {"Delete All Fonts", "删除所有字体"}},
    {"Button", "PrintSelFontBtn", {"Print Selected Font", "打印选定的字体"}},
    {"Label", "FMGraphicListHintLabel", {"Image List", "图形清单"}},
    {"Button", "GetGraphicListBtn", {"Get Image List", "获取图形清单"}},
    {"Button", "DelSelGraphicBtn", {"Delete Selected Image", "删除选定的图形"}},
    {"Button", "ClearAllGraphicBtn", {"Delete All Images", "清除所有图形"}},
    {"Button", "PrintSelGraphicBtn", {"Print Selected Image", "打印选定的图形"}},
    {"RichEdit",
     "CMDRichEdit",
     {nullptr, nullptr},
     {"Input printer command here.", "此编辑框用于输入打印机指令"}},
    {"Option",
     "StoreGraphicOp",
     {"Store", "存储"},
     {"Make sure this box is checked before storing the graphics in the printer.",
      "若要将图片存储到打印机，点击“发送文件到打印机”按钮前请务必勾选复选框"}},
};
constexpr Text kFileTypes[] = {{"Text File", "文本文件"}, {"Image File", "图形文件"}};
constexpr int kImageFile = 1;

struct ListControls {
  StoredKind kind;
  const char* list;
  const char* get;
  const char* delete_selected;
  const char* delete_all;
  const char* print;
};

constexpr ListControls kLists[] = {
    {StoredKind::kForm, "FormList", "GetFormListBtn", "DelSelFormBtn", "ClearAllFormBtn",
     "PrintSelFormBtn"},
    {StoredKind::kFont, "FontList", "GetFontListBtn", "DelSelFontBtn", "ClearAllFontBtn",
     "PrintSelFontBtn"},
    {StoredKind::kGraphic, "GraphicList", "GetGraphicListBtn", "DelSelGraphicBtn",
     "ClearAllGraphicBtn", "PrintSelGraphicBtn"},
};

// Everything on the page that starts an operation or changes what a send
// reads, held while a send runs.
QStringList HeldDuringTransfer() {
  QStringList held{"FMSendCommandBtn", "FMSendFileBtn", "OpenFileBtn", "FileType"};
  for (const ListControls& c : kLists)
    held << c.get << c.delete_selected << c.delete_all << c.print;
  return held;
}

void SetEnabled(QWidget* root, const char* name, bool enabled) {
  if (auto* control = FindControl<QWidget>(root, name)) control->setEnabled(enabled);
}

void SetVisible(QWidget* root, const char* name, bool visible) {
  if (auto* control = FindControl<QWidget>(root, name)) control->setVisible(visible);
}

// The names keep the printer's bytes for the commands; only the screen sees
// them decoded, so a name that is not GBK still shows and still deletes.
void ShowList(QWidget* root, const char* name, const StoredList& list) {
  auto* widget = FindControl<QListWidget>(root, name);
  if (widget == nullptr) return;
  const QSignalBlocker quiet(widget);
  widget->clear();
  for (const std::string& item : list.names) {
    widget->addItem(QString::fromStdString(platform::GbkForDisplay(item)));
  }
  widget->setCurrentRow(list.selected);
}

}  // namespace

FileManagementUI::FileManagementUI(PageContext& context, QString skin_file, QWidget* parent)
    : SelectorPageUI(context, kFileManagement, std::move(skin_file), parent),
      bindings_(this),
      operator_(context.dialogs, context.skins, this,
                [&comm = context.comm] { return comm.GetLanguage(); }) {}

void FileManagementUI::Init() {
  SelectorPageUI::Init();
  bindings_.BindLineEdit("FileNameEdit", &model_.file_name);
  bindings_.BindLineEdit("FNIDEdit", &model_.graphic_id);
  bindings_.BindCheck("StoreGraphicOp", &model_.store_graphic);
  // Fonts have no print command; their print button never shows, but keeps
  // its place so the three lists stay the same height.
  if (auto* print = FindControl<QWidget>(this, "PrintSelFontBtn")) {
    QSizePolicy policy = print->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    print->setSizePolicy(policy);
    print->hide();
  }
  if (auto* forms = FindControl<QListWidget>(this, "FormList")) {
    forms->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  }
  Load();
}

void FileManagementUI::ShowTexts(const std::string& lang) {
  SelectorPageUI::ShowTexts(lang);
  SetControlTexts(this, kPageTexts, lang);
  SetComboItems(this, "FileType", TextItems(kFileTypes, lang), model_.file_type);
}

void FileManagementUI::SetChosenPicture(const QString& path) {
  chosen_picture_ = path;
  model_.SetChosenPicture(path.toStdString());
  Load();
}

void FileManagementUI::Store() {
  bindings_.Store();
  model_.printer = selector().selected_name();
  if (auto* box = FindControl<QTextEdit>(this, "CMDRichEdit")) {
    model_.command_text = box->toPlainText().toStdString();
  }
  for (const ListControls& c : kLists) {
    if (auto* widget = FindControl<QListWidget>(this, c.list)) {
      model_.List(c.kind).selected = widget->currentRow();
    }
  }
}

void FileManagementUI::Load() {
  bindings_.Load();
  for (const ListControls& c : kLists) {
    const StoredList& list = model_.List(c.kind);
    ShowList(this, c.list, list);
    SetEnabled(this, c.delete_selected, list.buttons_enabled);
    SetEnabled(this, c.delete_all, list.buttons_enabled);
    SetEnabled(this, c.print, list.buttons_enabled);
  }
  ShowFileType();
  if (model_.focus_graphic_id) {
    model_.focus_graphic_id = false;
    if (auto* id = FindControl<QLineEdit>(this, "FNIDEdit")) id->setFocus();
  }
}

void FileManagementUI::ShowFileType() {
  const bool image = model_.file_type == kImageFile;
  SetVisible(this, "FNIDEdit", image);
  SetVisible(this, "StoreGraphicOp", image);
  // The ID's caption goes with its box.
  SetVisible(this, "FMRecHintLabel", image);
}

void FileManagementUI::Run(int (StoragePage::*operation)(CPrinterComm&, Operator&)) {
  Store();
  (void)(model_.*operation)(context_.comm, operator_);
  Load();
}

void FileManagementUI::RunOnList(int (StoragePage::*operation)(CPrinterComm&, Operator&,
                                                               StoredKind),
                                 StoredKind kind) {
  Store();
  (void)(model_.*operation)(context_.comm, operator_, kind);
  Load();
}

void FileManagementUI::SendFile() {
  Store();
  // The worker sends from a copy of the model, which comes back when the
  // send has ended: the held controls leave the page nothing to change
  // meanwhile, and the interface thread never reads what the worker writes.
  StoragePage work = model_;
  TransferJob job;
  job.work = [this, &work](TransferTask& task) {
    // The page shows what went wrong; the code only ends the job.
    (void)work.SendFile(context_.comm, task.op(), task.progress());
  };
  job.page = this;
  job.prefix = "FM";
  job.held = HeldDuringTransfer();
  job.comm = &context_.comm;
  // Another page's transfer holds the window's one runner: nothing is done.
  if (!context_.transfers.Run(std::move(job), operator_)) return;
  model_ = std::move(work);
  Load();
}

void FileManagementUI::Browse() {
  Store();
  if (model_.file_type == kImageFile) {
    // The dialog's result comes back through the frame to SetChosenPicture.
    RunSetPictureDialog(context_, window());
    return;
  }
  (void)model_.ChooseTextFile(context_.comm, operator_);
  Load();
}

void FileManagementUI::Notify(const Notification& n) {
  if (n.type == kClick) {
    if (n.sender == "FMSendCommandBtn") return Run(&StoragePage::SendCommandText);
    if (n.sender == "FMSendFileBtn") return SendFile();
    if (n.sender == "OpenFileBtn") return Browse();
    for (const ListControls& c : kLists) {
      if (n.sender == c.get) {
        Store();
        (void)model_.GetList(context_.comm, operator_, c.kind);
        return Load();
      }
      if (n.sender == c.delete_selected) return RunOnList(&StoragePage::DeleteSelected, c.kind);
      if (n.sender == c.delete_all) return RunOnList(&StoragePage::DeleteAll, c.kind);
      if (n.sender == c.print) return RunOnList(&StoragePage::PrintSelected, c.kind);
    }
  }
  if (n.Is(kItemSelect, "FileType")) {
    Store();
    if (auto* combo = FindControl<QComboBox>(this, "FileType")) {
      model_.SetFileType(combo->currentIndex());
    }
    return Load();
  }
  SelectorPageUI::Notify(n);
}

}  // namespace vidodez::gui

#include "gui/frame/dialog_frame_wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>
#include <algorithm>
#include <array>

#include "gui/firmware/firmware_upgrade_ui.h"
#include "gui/font/font_download_ui.h"
#include "gui/network/printer_nic_ui.h"
#include "gui/pages/selector_pages.h"
#include "gui/settings/printer_config_ui.h"
#include "gui/storage/file_management_ui.h"
#include "gui/system/sys_config_ui.h"
#include "gui/window/caption_dragger.h"
#include "gui/window/controls.h"
#include "gui/window/skin_loader.h"

namespace vidodez::gui {
namespace {

constexpr int kCaptionHeight = 44;
constexpr int kSizingBorder = 4;

template <typename Page>
PageUI* Create(PageContext& pages, const FrameContext&, const QString& skin, QWidget* parent) {
  return new Page(pages, skin, parent);
}

PageUI* CreateSystem(PageContext& pages, const FrameContext& frame, const QString& skin,
                     QWidget* parent) {
  return new SysConfigUI(pages, frame.settings, frame.program_folder, skin, parent);
}

PageUI* CreateFirmware(PageContext& pages, const FrameContext& frame, const QString& skin,
                       QWidget* parent) {
  return new FirmwareUpgradeUI(pages, frame.program_folder.toStdString(), skin, parent);
}

// What showing a page runs, in order. kShow selects its tab and, for a page
// that refreshes, restarts a stopped refresh.
enum class Step { kStart, kRefresh, kShow, kTexts, kEnd };

// The six pages: each built from its custom tag in "skin.ui", shown by its
// option button and known to the timer and the dispatch by its code.
struct FramePage {
  const char* tag;
  PageUI* (*create)(PageContext&, const FrameContext&, const QString& skin, QWidget* parent);
  const char* skin_file;
  const char* option;
  int tab;
  int code;
  Text caption;  // the option button's text
  std::array<Step, 5> on_switch;
  bool Refreshes() const {
    return std::find(on_switch.begin(), on_switch.end(), Step::kRefresh) != on_switch.end();
  }
};

using S = Step;
const FramePage kPages[] = {
    // The settings page follows the unit the system page may have changed.
    {"PrinterConfigSkin",
     Create<PrinterConfigUI>,
     "PrinterConfigSkin.ui",
     "PrinterConfiguration",
     0,
     kPageSettings,
     {"Settings", "功能设置"},
     {S::kRefresh, S::kShow, S::kStart, S::kTexts, S::kEnd}},
    // The network page prepares itself before its first refresh.
    {"PrinterNicSkin",
     Create<PrinterNicUI>,
     "PrinterNicSkin.ui",
     "SetPrinterNic",
     1,
     kPageNetwork,
     {"Network ", "网络设置"},
     {S::kStart, S::kRefresh, S::kShow, S::kTexts, S::kEnd}},
    {"FontDownloadSkin",
     Create<FontDownloadUI>,
     "FontDownloadSkin.ui",
     "FontDownload",
     2,
     kPageFonts,
     {"Fonts", "字体下载"},
     {S::kRefresh, S::kShow, S::kTexts, S::kEnd, S::kEnd}},
    {"FirmwareUpgradeSkin",
     CreateFirmware,
     "FirmwareUpgradeSkin.ui",
     "FirmwareUpgrade",
     3,
     kPageFirmware,
     {"Firmware ", "固件升级"},
     {S::kRefresh, S::kShow, S::kTexts, S::kEnd, S::kEnd}},
    {"FileManagementSkin",
     Create<FileManagementUI>,
     "FileManagementSkin.ui",
     "FileManagement",
     4,
     kPageStorage,
     {"Storage ", "文件管理"},
     {S::kRefresh, S::kShow, S::kTexts, S::kEnd, S::kEnd}},
    // No printer: the system page neither refreshes nor restarts the refresh.
    {"SysConfigSkin",
     CreateSystem,
     "SysConfigSkin.ui",
     "SystermConfiguration",
     5,
     kPageSystem,
     {"System ", "系统选项"},
     {S::kShow, S::kTexts, S::kEnd, S::kEnd, S::kEnd}},
};

const FramePage* PageOfCode(int code) {
  for (const FramePage& page : kPages)
    if (page.code == code) return &page;
  return nullptr;
}

constexpr const char* kRoutineNames[] = {"init", "start", "refresh", "texts"};

constexpr ControlText kFooterTexts[] = {
    {"Label",
     "VerNote",
     {"Applies to printers with V1.52 and higher firmware versions.",
      "适用打印机固件版本：V1.52及更高版本"}},
    {"Label", "PhoneContenLabel", {"Support: +86 400-820-1760", "服务热线：400-820-1760"}},
    {"Label", "CompanyLabel", {"MarliX Printing Systems Co., Ltd.", "玛力克斯打印系统有限公司"}},
};

}  // namespace

CDialogFrameWnd::CDialogFrameWnd(FrameContext context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint),
      context_(std::move(context)),
      comm_(context_.usb),
      transfers_([this] { return comm_.GetLanguage(); }),
      page_context_{context_.skins, context_.dialogs, context_.usb, comm_, selector_, *this,
                    *this,          transfers_},
      notifier_(this),
      timers_([this](int id) {
        if (id == kRefreshTimer) RefreshShownPage();
      }) {
  setObjectName("UIMainFrame");
  setWindowTitle("MarlixVidodez");
  resize(kWidth, kHeight);
  setMinimumSize(640, 600);
  BuildSkin(context_.skins, "skin.ui", this,
            [this](const QString& class_name, QWidget* parent_widget, const QString&) {
              return CreatePage(class_name, parent_widget);
            });
  notifier_.SetHandler([this](const Notification& n) { Notify(n); });
  connect(&transfers_, &TransferRunner::finished, this, [this] {
    if (!quit_pending_) return;
    quit_pending_ = false;
    emit quitRequested();
  });
  notifier_.Attach(this);
  new CaptionDragger(this, kCaptionHeight, kSizingBorder);
  InitWindow();
}

CDialogFrameWnd::~CDialogFrameWnd() { timers_.KillTimer(kRefreshTimer); }

QWidget* CDialogFrameWnd::CreatePage(const QString& class_name, QWidget* parent) {
  for (const FramePage& entry : kPages) {
    if (class_name != entry.tag) continue;
    PageUI* created = entry.create(page_context_, context_, entry.skin_file, parent);
    pages_[static_cast<size_t>(entry.code)] = created;
    connect(created, &PageUI::languageChanged, this, &CDialogFrameWnd::SetFrameTexts);
    return created;
  }
  return nullptr;
}

PageUI* CDialogFrameWnd::page(int page_code) {
  FinishStart();
  return Prepare(page_code);
}

PageUI* CDialogFrameWnd::Prepare(int page_code) {
  if (page_code < 0 || page_code >= static_cast<int>(pages_.size())) return nullptr;
  const auto index = static_cast<size_t>(page_code);
  PageUI* target = pages_[index];
  if (target == nullptr || prepared_[index]) return target;
  prepared_[index] = true;
  target->BuildSkinOnce();
  notifier_.Attach(target);
  Call(PageRoutine::kInit, *target, page_code);
  return target;
}

void CDialogFrameWnd::Run(PageRoutine routine, int code) {
  if (PageUI* target = page(code)) Call(routine, *target, code);
}

void CDialogFrameWnd::Call(PageRoutine routine, PageUI& target, int code) {
  if (context_.observer) context_.observer(kRoutineNames[static_cast<int>(routine)], code);
  switch (routine) {
    case PageRoutine::kInit:
      return target.Init();
    case PageRoutine::kStart:
      return target.Start();
    case PageRoutine::kRefresh:
      return target.RefreshPage();
    case PageRoutine::kTexts:
      return target.SetTexts();
  }
}

void CDialogFrameWnd::InitWindow() {
  // The language comes first: every start routine below reads it.
  comm_.set_language(context_.settings.LoadLanguage());
  current_page_ = kPageSettings;
  SetFrameTexts();
  if (auto* first = FindControl<QAbstractButton>(this, "PrinterConfiguration")) {
    const QSignalBlocker quiet(first);
    first->setChecked(true);
  }
}

void CDialogFrameWnd::FinishStart() {
  if (start_finished_) return;
  start_finished_ = true;
  // The system page first: it sets the unit the settings page starts in.
  // The hidden pages start when first opened, still after these two.
  (void)Prepare(kPageSystem);
  (void)Prepare(kPageSettings);
  Run(PageRoutine::kTexts, kPageSettings);
  Run(PageRoutine::kTexts, kPageSystem);
  if (window_init_held_) Deliver(Notification{kWindowInit, objectName(), nullptr, {}});
  emit started();
}

bool CDialogFrameWnd::eventFilter(QObject* watched, QEvent* event) {
  // The pages are most of the start-up; the operator sees the frame first
  // and the shown page once it is built, on the next turn of the loop. Any
  // widget of the window may be the first painted: children that cover the
  // frame leave it nothing to paint.
  if (event->type() == QEvent::Paint && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    qApp->removeEventFilter(this);
    if (!start_finished_) QTimer::singleShot(0, this, &CDialogFrameWnd::FinishStart);
  }
  return QWidget::eventFilter(watched, event);
}

void CDialogFrameWnd::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!window_init_sent_) {
    window_init_sent_ = true;
    if (!start_finished_) qApp->installEventFilter(this);  // for the first paint
    Notify(Notification{kWindowInit, objectName(), nullptr, {}});
  }
}

void CDialogFrameWnd::closeEvent(QCloseEvent* event) {
  // The system's close ends the program like Closebtn; the window stays
  // until a running transfer has ended.
  RequestQuit();
  if (transfers_.busy()) {
    event->ignore();
  } else {
    event->accept();
  }
}

void CDialogFrameWnd::RequestQuit() {
  timers_.KillTimer(kRefreshTimer);
  if (transfers_.busy()) {
    quit_pending_ = true;
    transfers_.RequestStop();
    return;
  }
  emit quitRequested();
}

QStringList CDialogFrameWnd::PageOptions() {
  QStringList options;
  for (const FramePage& entry : kPages) options.append(entry.option);
  return options;
}

void CDialogFrameWnd::SetFrameTexts() {
  const std::string& language = comm_.GetLanguage();
  if (!HasTexts(language)) return;
  for (const FramePage& entry : kPages)
    SetControlTexts(this, "Option", entry.option, Pick(entry.caption, language));
  SetControlTexts(this, kFooterTexts, language);
}

void CDialogFrameWnd::StartRefresh() { timers_.SetTimer(kRefreshTimer, kRefreshMs); }
void CDialogFrameWnd::StopRefresh() { timers_.KillTimer(kRefreshTimer); }

void CDialogFrameWnd::RefreshShownPage() {
  const FramePage* shown = PageOfCode(current_page_);
  if (shown != nullptr && shown->Refreshes()) Run(PageRoutine::kRefresh, current_page_);
}

void CDialogFrameWnd::HandChosenPicture(const QString& path) {
  if (auto* storage = qobject_cast<FileManagementUI*>(page(kPageStorage)))
    storage->SetChosenPicture(path);
}

bool CDialogFrameWnd::SwitchPage(const QString& option) {
  const FramePage* entry = nullptr;
  for (const FramePage& candidate : kPages) {
    if (option == candidate.option) entry = &candidate;
  }
  if (entry == nullptr) return false;
  current_page_ = entry->code;
  for (const Step step : entry->on_switch) {
    switch (step) {
      case Step::kStart:
        Run(PageRoutine::kStart, entry->code);
        break;
      case Step::kRefresh:
        Run(PageRoutine::kRefresh, entry->code);
        break;
      case Step::kTexts:
        Run(PageRoutine::kTexts, entry->code);
        break;
      case Step::kShow:
        if (auto* tabs = FindControl<QStackedWidget>(this, "switch"))
          tabs->setCurrentIndex(entry->tab);
        if (entry->Refreshes() && !refresh_running()) StartRefresh();
        break;
      case Step::kEnd:
        return true;
    }
  }
  return true;
}

void CDialogFrameWnd::Notify(const Notification& n) {
  if (n.type == kWindowInit) {
    StartRefresh();
    if (!start_finished_) {
      // The shown page is not built yet; it hears of the window when it is.
      window_init_held_ = true;
      return;
    }
  } else if (n.Is(kClick, "Closebtn")) {
    RequestQuit();
    return;
  } else if (n.Is(kClick, "Minbtn")) {
    showMinimized();
    return;
  } else if (n.type == kSelectChanged) {
    SwitchPage(n.sender);
  }
  Deliver(n);
}

void CDialogFrameWnd::Deliver(const Notification& n) {
  if (PageUI* shown = page(current_page_)) {
    if (context_.observer) context_.observer("notify", current_page_);
    shown->Notify(n);
  }
}

}  // namespace vidodez::gui

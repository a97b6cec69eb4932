#include "gui/frame/dialog_frame_wnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>
#include <cstring>

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

struct TabEntry {
  const char* option;
  int code;
  int tab;
};

constexpr TabEntry kTabs[] = {
    {"PrinterConfiguration", kPageSettings, 0}, {"SetPrinterNic", kPageNetwork, 1},
    {"FontDownload", kPageFonts, 2},            {"FirmwareUpgrade", kPageFirmware, 3},
    {"FileManagement", kPageStorage, 4},        {"SystermConfiguration", kPageSystem, 5},
};

}  // namespace

CDialogFrameWnd::CDialogFrameWnd(FrameContext context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint),
      context_(std::move(context)),
      comm_(context_.usb),
      transfers_([this] { return comm_.GetLanguage(); }),
      page_context_{context_.skins, context_.dialogs, context_.usb, comm_, selector_, *this,
                    *this, transfers_},
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
  PageUI* created = nullptr;
  int code = -1;
  if (class_name == "PrinterConfigSkin") {
    created = new PrinterConfigUI(page_context_, parent);
    code = kPageSettings;
  } else if (class_name == "PrinterNicSkin") {
    created = new PrinterNicUI(page_context_, parent);
    code = kPageNetwork;
  } else if (class_name == "FontDownloadSkin") {
    created = new FontDownloadUI(page_context_, parent);
    code = kPageFonts;
  } else if (class_name == "FirmwareUpgradeSkin") {
    created = new FirmwareUpgradeUI(page_context_, parent);
    code = kPageFirmware;
  } else if (class_name == "FileManagementSkin") {
    storage_page_ = new FileManagementUI(page_context_, parent);
    created = storage_page_;
    code = kPageStorage;
  } else if (class_name == "SysConfigSkin") {
    system_page_ =
        new SysConfigUI(page_context_, context_.settings, context_.program_folder, parent);
    created = system_page_;
    code = kPageSystem;
  }
  if (created != nullptr) pages_[static_cast<size_t>(code)] = created;
  return created;
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
  Call("init", *target, page_code);
  return target;
}

void CDialogFrameWnd::Run(const char* routine, int code) {
  if (PageUI* target = page(code)) Call(routine, *target, code);
}

void CDialogFrameWnd::Call(const char* routine, PageUI& target, int code) {
  if (context_.observer) context_.observer(routine, code);
  if (std::strcmp(routine, "init") == 0) {
    target.Init();
  } else if (std::strcmp(routine, "start") == 0) {
    target.Start();
  } else if (std::strcmp(routine, "refresh") == 0) {
    target.RefreshPage();
  } else if (std::strcmp(routine, "texts") == 0) {
    target.SetTexts();
  }
}

void CDialogFrameWnd::InitWindow() {
  // The language comes first: every start routine below reads it.
  comm_.set_language(context_.settings.LoadLanguage());
  current_page_ = kPageSettings;
  if (system_page_ != nullptr) system_page_->SetFrameTexts(this);
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
  Run("texts", kPageSettings);
  Run("texts", kPageSystem);
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
  for (const TabEntry& tab : kTabs) options.append(tab.option);
  return options;
}

void CDialogFrameWnd::StartRefresh() { timers_.SetTimer(kRefreshTimer, kRefreshMs); }
void CDialogFrameWnd::StopRefresh() { timers_.KillTimer(kRefreshTimer); }

void CDialogFrameWnd::RefreshShownPage() {
  if (current_page_ == kPageSystem) return;
  Run("refresh", current_page_);
}

void CDialogFrameWnd::HandChosenPicture(const QString& path) {
  if (page(kPageStorage) != nullptr && storage_page_ != nullptr) {
    storage_page_->SetChosenPicture(path);
  }
}

bool CDialogFrameWnd::SwitchPage(const QString& option) {
  const TabEntry* entry = nullptr;
  for (const TabEntry& tab : kTabs) {
    if (option == tab.option) entry = &tab;
  }
  if (entry == nullptr) return false;
  auto* tabs = FindControl<QStackedWidget>(this, "switch");
  current_page_ = entry->code;
  if (entry->code == kPageSystem) {
    if (tabs != nullptr) tabs->setCurrentIndex(entry->tab);
    Run("texts", entry->code);
    return true;
  }
  // The network page prepares itself before its first refresh; the others
  // show fresh printers first.
  if (entry->code == kPageNetwork) Run("start", entry->code);
  Run("refresh", entry->code);
  if (tabs != nullptr) tabs->setCurrentIndex(entry->tab);
  if (!refresh_running()) StartRefresh();
  if (entry->code == kPageSettings) Run("start", entry->code);
  Run("texts", entry->code);
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

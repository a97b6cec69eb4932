#pragma once
// The main frame: one frameless window with its own caption, six pages in
// the tab layout "switch", and timer 1 that keeps the shown page's printer
// selector up to date. It owns the shared link and selector state and hands
// every notification to the page that is shown.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "core/link/printer_comm.h"
#include "core/link/selector_state.h"
#include "gui/pages/page_ui.h"
#include "gui/system/program_settings.h"
#include "gui/window/notifier.h"
#include "gui/window/timer_set.h"

namespace vidodez::gui {

class FileManagementUI;

// Page codes, as the timer and the notification dispatch know the pages.
inline constexpr int kPageSettings = 0;
inline constexpr int kPageNetwork = 2;
inline constexpr int kPageFonts = 3;
inline constexpr int kPageFirmware = 4;
inline constexpr int kPageStorage = 5;
inline constexpr int kPageSystem = 6;

// A page's routines, as the frame runs them.
enum class PageRoutine { kInit, kStart, kRefresh, kTexts };

// Sees every page routine the frame runs ("init", "start", "refresh",
// "texts", "notify") with the page code, in order.
using PageObserver = std::function<void(const char* routine, int page_code)>;

struct FrameContext {
  const SkinArchive& skins;
  DialogService& dialogs;
  platform::UsbPrintingClass& usb;
  ProgramSettings& settings;
  QString program_folder;
  PageObserver observer = {};
};

class CDialogFrameWnd final : public QWidget, public RefreshTimer, public PictureReceiver {
  Q_OBJECT
 public:
  static constexpr int kWidth = 739;
  static constexpr int kHeight = 763;
  static constexpr int kRefreshTimer = 1;
  static constexpr int kRefreshMs = 500;

  explicit CDialogFrameWnd(FrameContext context, QWidget* parent = nullptr);
  ~CDialogFrameWnd() override;

  void StartRefresh() override;
  void StopRefresh() override;
  // Closing: the program ends at once, or once a running transfer has
  // stopped (or, when it must not stop half-way, finished).
  void RequestQuit();
  TransferRunner& transfers() { return transfers_; }
  bool refresh_running() const { return timers_.IsRunning(kRefreshTimer); }

  int current_page_code() const { return current_page_; }
  // The page with its skin built and its start routine run: a page is
  // prepared the first time anything needs it, the system and shown pages
  // right after the window's first paint, the others when the operator first
  // opens them. Asking for any page finishes the start first.
  PageUI* page(int page_code);
  // The rest of the start: the system and shown pages' skins and start
  // routines, then their texts. Runs once, by itself after the first paint
  // or on first need.
  void FinishStart();
  CPrinterComm& comm() { return comm_; }
  SelectorState& selector_state() { return selector_; }

  // Runs timer 1's work once, as a tick does.
  void RefreshShownPage();

  // The names of the option buttons that open the six pages, in tab order.
  static QStringList PageOptions();

  // The frame's own text routine: the tabs' captions and the footer, in the
  // link's language.
  void SetFrameTexts();

 signals:
  void quitRequested();
  // The start has finished: the system and shown pages are built.
  void started();

 public slots:
  // The picture conversion dialog's saved picture, for the storage page.
  void HandChosenPicture(const QString& path) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* CreatePage(const QString& class_name, QWidget* parent);
  void InitWindow();
  PageUI* Prepare(int page_code);
  void Notify(const Notification& notification);
  // Hands a notification to the shown page.
  void Deliver(const Notification& notification);
  bool SwitchPage(const QString& option);
  void Run(PageRoutine routine, int code);
  void Call(PageRoutine routine, PageUI& target, int code);

  FrameContext context_;
  CPrinterComm comm_;
  SelectorState selector_;
  TransferRunner transfers_;
  PageContext page_context_;
  Notifier notifier_;
  TimerSet timers_;
  std::array<PageUI*, 7> pages_{};
  std::array<bool, 7> prepared_{};
  int current_page_ = kPageSettings;
  bool window_init_sent_ = false;
  bool start_finished_ = false;
  bool window_init_held_ = false;
  bool quit_pending_ = false;
};

}  // namespace vidodez::gui

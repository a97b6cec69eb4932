#pragma once
// A page of the main frame: a container that builds its own skin and gets
// the shared link, the selector state and the frame's refresh timer from the
// frame. The frame calls the page's routines; the page never calls the frame.
// The skin is built when the frame first needs the page, so pages the
// operator has not opened cost nothing at start.

#include <QString>
#include <QWidget>
#include <string>

#include "core/link/printer_comm.h"
#include "core/link/selector_state.h"
#include "core/platform/usb_printing.h"
#include "gui/window/dialog_service.h"
#include "gui/window/notifier.h"
#include "gui/window/skin_archive.h"
#include "gui/window/transfer_runner.h"

namespace vidodez::gui {

// Timer 1 of the main frame, as the pages may drive it.
class RefreshTimer {
 public:
  virtual ~RefreshTimer() = default;
  virtual void StartRefresh() = 0;
  virtual void StopRefresh() = 0;
};

// Where the picture conversion dialog hands over the picture it saved when
// it closes (an empty path when none was saved); the frame passes it on to
// the storage page.
class PictureReceiver {
 public:
  virtual ~PictureReceiver() = default;
  virtual void HandChosenPicture(const QString& path) = 0;
};

// What a page may reach. The frame owns all of it and outlives the pages.
struct PageContext {
  const SkinArchive& skins;
  DialogService& dialogs;
  platform::UsbPrintingClass& usb;
  CPrinterComm& comm;
  SelectorState& selector;
  RefreshTimer& timer;
  PictureReceiver& pictures;
  // The window's one runner of long printer operations.
  TransferRunner& transfers;
};

class PageUI : public QWidget {
  Q_OBJECT
 public:
  PageUI(PageContext& context, QString skin_file, QWidget* parent);

  // Builds the skin the first time only. A page whose skin does not build
  // stays empty; the rest of the program runs.
  void BuildSkinOnce();
  bool skin_built() const { return skin_built_; }

  // Once, after the skin is built and before any other routine.
  virtual void Init() {}
  // The start routine the frame runs when it switches to the page.
  virtual void Start() {}
  // The text routine: every control text in the link's language, when it
  // HasTexts (controls.h); for any other code the skin's texts stay.
  void SetTexts();
  // The timer's refresh of the page's printer selector.
  virtual void RefreshPage() {}
  virtual void Notify(const Notification& notification) = 0;

 signals:
  // The operator chose another language on this page; the frame's own
  // texts follow it.
  void languageChanged();

 protected:
  // The page's own part of the text routine, in "chi" or "eng".
  virtual void ShowTexts(const std::string& language) = 0;
  // The page's own container for a custom class of its skin, or null.
  virtual QWidget* CreateSkinWidget(const QString& class_name, QWidget* parent);
  // Shows a message in the program's box with the program's caption.
  int Tell(const char* text, int type);
  const std::string& language() const { return context_.comm.GetLanguage(); }

  PageContext& context_;

 private:
  QString skin_file_;
  bool skin_tried_ = false;
  bool skin_built_ = false;
};

}  // namespace vidodez::gui

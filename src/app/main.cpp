// vidodez: the desktop tool's window.

#include <QApplication>
#include <QFontDatabase>
#include <QLocale>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/info_options.h"
#include "core/platform/usb_printing.h"
#include "core/platform/user_folders.h"
#include "core/shell/log.h"
#include "core/shell/program_settings.h"
#include "gui/frame/dialog_frame_wnd.h"
#include "gui/frame/page_tour.h"
#include "gui/system/program_settings.h"
#include "gui/window/dialog_service.h"
#include "gui/window/plugins_out_of_reach.h"
#include "gui/window/quit_when_painted.h"
#include "gui/window/skin_archive.h"
#include "gui/window/skin_loader.h"
#include "gui/window/window_operator.h"

namespace {

void LogToStderr(vidodez::LogLevel level, std::string_view message) {
  static const char* const kNames[] = {"debug", "info", "warning", "error"};
  std::fprintf(stderr, "vidodez: %s: %.*s\n", kNames[static_cast<int>(level)],
               static_cast<int>(message.size()), message.data());
}

}  // namespace

int main(int argc, char** argv) {
  // Before the application, which needs a display.
  if (int status = 0; vidodez::app::AnswerInfoOptions(argc, argv, &status)) return status;
  QApplication app(argc, argv);
  QApplication::setApplicationName("vidodez");
  // The desktop shows the window with the entry's name and icon.
  QGuiApplication::setDesktopFileName(VIDODEZ_APP_ID);
  vidodez::SetLogSink(LogToStderr);

  // Qt asks every image-format plugin about each PNG it reads by name, and
  // so loads them all on the first one. The skins are PNG, which Qt reads by
  // itself, so the plugins stay out of reach until the window has started;
  // the style is made first, as the desktop may want its own.
  (void)QApplication::style();
  vidodez::gui::PluginsOutOfReach plugins;

  const QString folder = QString::fromStdString(vidodez::platform::ProgramFolder());
  vidodez::gui::SkinArchive skins(folder);
  vidodez::gui::SkinResources resources(
      skins, QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
  if (!resources.ok()) vidodez::Log(vidodez::LogLevel::kWarning, "skin images unavailable");

  std::unique_ptr<vidodez::platform::UsbPrintingClass> usb =
      vidodez::platform::MakeSystemUsbPrintingClass();
  vidodez::gui::QtDialogService dialogs(skins);
  // Messages of the settings file (a Sys.ini that cannot be written) go
  // through the program's message box in the language in force.
  std::unique_ptr<vidodez::gui::SysIniSettings> settings_holder;
  vidodez::gui::WindowOperator op(dialogs, skins, nullptr, [&settings_holder] {
    return settings_holder ? settings_holder->language() : std::string();
  });
  std::string sys_ini;
  if (vidodez::PrepareSysIniPath(vidodez::platform::AppDataFolder(), &sys_ini) != 0) {
    sys_ini.clear();
  }
  settings_holder =
      std::make_unique<vidodez::gui::SysIniSettings>(sys_ini, vidodez::LocaleLanguage(), op);
  vidodez::gui::SysIniSettings& settings = *settings_holder;

  vidodez::gui::CDialogFrameWnd frame(
      vidodez::gui::FrameContext{skins, dialogs, *usb, settings, folder});
  QObject::connect(&frame, &vidodez::gui::CDialogFrameWnd::quitRequested, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  // Back on the next turn, after the paint the shown page's build has
  // already asked for, so that its images too are read without them.
  QObject::connect(&frame, &vidodez::gui::CDialogFrameWnd::started, &app,
                   [&plugins] { QTimer::singleShot(0, [&plugins] { plugins.Release(); }); });
  if (const QScreen* screen = frame.screen()) {
    frame.move(screen->availableGeometry().center() - frame.rect().center());
  }
  op.set_anchor(&frame);
  vidodez::gui::QuitWhenPainted quit_when_painted;
  quit_when_painted.InstallIfAsked(app);
  // VIDODEZ_PAGE_TOUR=<folder>: a picture of every page, then the end; what
  // scripts/demo shows when there is no display to watch.
  const QString tour_folder = qEnvironmentVariable("VIDODEZ_PAGE_TOUR");
  if (!tour_folder.isEmpty()) {
    auto* tour = new vidodez::gui::PageTour(frame, tour_folder);
    tour->Start([](const QStringList& saved) {
      for (const QString& path : saved) std::printf("%s\n", qUtf8Printable(path));
      std::fflush(stdout);
      const auto pages = vidodez::gui::CDialogFrameWnd::PageOptions().size();
      QApplication::exit(saved.size() == pages ? 0 : 1);
    });
  }
  frame.show();
  return QApplication::exec();
}

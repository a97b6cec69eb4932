#pragma once
// The system page: the program's language and measuring unit, help and
// About. A language change re-labels this page and the frame at once.

#include <QPointer>
#include <QString>
#include <string>

#include "gui/pages/page_ui.h"
#include "gui/system/program_settings.h"

#include <QDialog>

namespace vidodez::gui {

// The help file of a language in the program folder; empty for a code that
// is neither "chi" nor "eng".
QString HelpPath(const QString& program_folder, const std::string& language);

class SysConfigUI final : public PageUI {
  Q_OBJECT
 public:
  SysConfigUI(PageContext& context, ProgramSettings& settings, QString program_folder,
              QString skin_file, QWidget* parent);

  void Init() override;
  void ShowTexts(const std::string& language) override;
  void Notify(const Notification& notification) override;

  void OpenHelp();
  QDialog* help_viewer() const { return help_viewer_; }

 private:
  void FillLists();

  ProgramSettings& settings_;
  QString program_folder_;
  int language_pos_ = 0;
  int unit_pos_ = 0;
  QPointer<QDialog> help_viewer_;
};

}  // namespace vidodez::gui

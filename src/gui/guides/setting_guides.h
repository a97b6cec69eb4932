#pragma once
// The four setting guides: modal help windows that show, with pictures and
// short texts, how the tear-off, cut, peel and after-error settings act on
// the label. They send nothing to the printer.

#include <QString>
#include <QWidget>
#include <string>

#include "gui/window/skin_dialog.h"

namespace vidodez::gui {

class SkinArchive;

// A guide with one close button and its texts set once, at creation.
class SettingGuideWnd : public SkinDialog {
  Q_OBJECT
 public:
  SettingGuideWnd(const SkinArchive& skins, const QString& skin_file, const char* class_name,
                  const char* close_button, QWidget* owner);

 protected:
  void Notify(const Notification& notification) override;
  void SetGuideTexts(const std::string& language);

 private:
  const char* close_button_;
};

class CTearoffSettingHelpWnd final : public SettingGuideWnd {
  Q_OBJECT
 public:
  CTearoffSettingHelpWnd(const SkinArchive& skins, const std::string& language, QWidget* owner);
};

class CCutterSettingHelpWnd final : public SettingGuideWnd {
  Q_OBJECT
 public:
  CCutterSettingHelpWnd(const SkinArchive& skins, const std::string& language, QWidget* owner);

 protected:
  void Notify(const Notification& notification) override;
};

class CPeeloffSettingHelpWnd final : public SettingGuideWnd {
  Q_OBJECT
 public:
  CPeeloffSettingHelpWnd(const SkinArchive& skins, const std::string& language, QWidget* owner);
};

class CContineAddPrintHelpWnd final : public SettingGuideWnd {
  Q_OBJECT
 public:
  CContineAddPrintHelpWnd(const SkinArchive& skins, const std::string& language, QWidget* owner);
};

// The cut guide's tabs: each builds its own sub-skin.
class HelpCutOffSetUI final : public QWidget {
  Q_OBJECT
 public:
  HelpCutOffSetUI(const SkinArchive& skins, QWidget* parent);
};

class HelpCuttNumberUI final : public QWidget {
  Q_OBJECT
 public:
  HelpCuttNumberUI(const SkinArchive& skins, QWidget* parent);
};

class HelpCutterStopPosUI final : public QWidget {
  Q_OBJECT
 public:
  HelpCutterStopPosUI(const SkinArchive& skins, QWidget* parent);
};

// The settings page's help buttons.
bool IsGuideButton(const QString& button);
// Opens the guide of a help button modally over `owner`; returns when it closes.
void RunSettingGuide(const QString& button, const SkinArchive& skins, const std::string& language,
                     QWidget* owner);

}  // namespace vidodez::gui

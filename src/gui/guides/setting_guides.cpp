#include "gui/guides/setting_guides.h"

#include <QAbstractButton>
#include <QLayout>
#include <QStackedWidget>

#include "gui/guides/setting_guide_texts.h"
#include "gui/window/controls.h"
#include "gui/window/skin_loader.h"

namespace vidodez::gui {
namespace {

constexpr int kCaptionHeight = 36;
constexpr int kWidth = 560;
constexpr int kHeight = 520;

void SetTexts(QWidget* root, std::span<const GuideText> texts, const std::string& language) {
  if (!HasTexts(language)) return;
  for (const GuideText& t : texts) {
    // A guide's tabs are options, its words labels.
    const bool option = root->findChild<QAbstractButton*>(t.name) != nullptr;
    SetControlTexts(root, option ? "Option" : "Text", t.name, Pick(t.text, language));
  }
}

// Puts `tab` into the stacked widget in place of the placeholder named after
// its sub-skin, keeping the tab's position.
void ReplacePlaceholder(QStackedWidget* tabs, const char* placeholder, QWidget* tab) {
  tab->setObjectName(placeholder);
  QWidget* old = tabs->findChild<QWidget*>(placeholder, Qt::FindDirectChildrenOnly);
  const int index = old != nullptr ? tabs->indexOf(old) : -1;
  if (index < 0) {
    tabs->addWidget(tab);
    return;
  }
  tabs->removeWidget(old);
  old->deleteLater();
  tabs->insertWidget(index, tab);
}

}  // namespace

SettingGuideWnd::SettingGuideWnd(const SkinArchive& skins, const QString& skin_file,
                                 const char* class_name, const char* close_button, QWidget* owner)
    : SkinDialog(skins, skin_file, owner, kCaptionHeight), close_button_(close_button) {
  setObjectName(class_name);
  setModal(true);
  setFixedSize(kWidth, kHeight);
  if (owner != nullptr) {
    move(owner->frameGeometry().center() - QPoint(kWidth / 2, kHeight / 2));
  }
}

void SettingGuideWnd::Notify(const Notification& n) {
  if (n.Is(kClick, close_button_)) accept();
}

CTearoffSettingHelpWnd::CTearoffSettingHelpWnd(const SkinArchive& skins,
                                               const std::string& language, QWidget* owner)
    : SettingGuideWnd(skins, "HelpTearOffSkin.ui", "TearoffSettingHelpWnd",
                      "TearOffHelpWndClosebtn", owner) {
  SetTexts(this, TearOffGuideTexts(), language);
}

CCutterSettingHelpWnd::CCutterSettingHelpWnd(const SkinArchive& skins, const std::string& language,
                                             QWidget* owner)
    : SettingGuideWnd(skins, "HelpCutterSkin.ui", "CutterSettingHelpWnd", "CutterHelpWndClosebtn",
                      owner) {
  if (auto* tabs = FindControl<QStackedWidget>(this, "Cutterswitch")) {
    ReplacePlaceholder(tabs, "HelpCutOffSetSkin", new HelpCutOffSetUI(skins, tabs));
    ReplacePlaceholder(tabs, "HelpCuttNumberSkin", new HelpCuttNumberUI(skins, tabs));
    ReplacePlaceholder(tabs, "HelpCutterStopPosSkin", new HelpCutterStopPosUI(skins, tabs));
    tabs->setCurrentIndex(0);
  }
  // The tabs' controls arrived after the window hooked its own.
  notifier().Attach(this);
  SetTexts(this, CutterGuideTexts(), language);
}

void CCutterSettingHelpWnd::Notify(const Notification& n) {
  static constexpr const char* kTabOptions[] = {"HelpCutOffSet", "HelpCuttNumber",
                                                "HelpCutterStopPos"};
  if (n.type == kSelectChanged) {
    for (int tab = 0; tab < 3; ++tab) {
      if (n.sender != kTabOptions[tab]) continue;
      if (auto* tabs = FindControl<QStackedWidget>(this, "Cutterswitch"))
        tabs->setCurrentIndex(tab);
      return;
    }
  }
  SettingGuideWnd::Notify(n);
}

CPeeloffSettingHelpWnd::CPeeloffSettingHelpWnd(const SkinArchive& skins,
                                               const std::string& language, QWidget* owner)
    : SettingGuideWnd(skins, "HelpPeelOffSkin.ui", "CPeeloffSettingHelpWnd",
                      "PeelOffHelpWndClosebtn", owner) {
  SetTexts(this, PeelOffGuideTexts(), language);
}

CContineAddPrintHelpWnd::CContineAddPrintHelpWnd(const SkinArchive& skins,
                                                 const std::string& language, QWidget* owner)
    : SettingGuideWnd(skins, "HelpContinuePrintSkin.ui", "CContineAddPrintHelpWnd",
                      "PeelOffHelpWndClosebtn", owner) {
  SetTexts(this, ContinuePrintGuideTexts(), language);
}

HelpCutOffSetUI::HelpCutOffSetUI(const SkinArchive& skins, QWidget* parent) : QWidget(parent) {
  (void)BuildSkin(skins, "HelpCutOffSetSkin.ui", this);
}

HelpCuttNumberUI::HelpCuttNumberUI(const SkinArchive& skins, QWidget* parent) : QWidget(parent) {
  (void)BuildSkin(skins, "HelpCuttNumberSkin.ui", this);
}

HelpCutterStopPosUI::HelpCutterStopPosUI(const SkinArchive& skins, QWidget* parent)
    : QWidget(parent) {
  (void)BuildSkin(skins, "HelpCutterStopPosSkin.ui", this);
}

namespace {

template <typename Guide>
void Run(const SkinArchive& skins, const std::string& language, QWidget* owner) {
  Guide(skins, language, owner).exec();
}

// The settings page's help buttons and the guide each opens.
struct GuideButton {
  const char* button;
  void (*run)(const SkinArchive&, const std::string&, QWidget*);
};
constexpr GuideButton kGuideButtons[] = {
    {"STearOffHelpBtn", Run<CTearoffSettingHelpWnd>},
    {"SCutterHelpBtn", Run<CCutterSettingHelpWnd>},
    {"SPeelOffHelpBtn", Run<CPeeloffSettingHelpWnd>},
    {"AddContinPrintHelpBtn", Run<CContineAddPrintHelpWnd>},
};

const GuideButton* GuideOf(const QString& button) {
  for (const GuideButton& guide : kGuideButtons)
    if (button == guide.button) return &guide;
  return nullptr;
}

}  // namespace

bool IsGuideButton(const QString& button) { return GuideOf(button) != nullptr; }

void RunSettingGuide(const QString& button, const SkinArchive& skins, const std::string& language,
                     QWidget* owner) {
  if (const GuideButton* guide = GuideOf(button)) guide->run(skins, language, owner);
}

}  // namespace vidodez::gui

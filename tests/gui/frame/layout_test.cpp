// The one walk over every page in both languages, in the window at its own
// size, 739 × 763, also on high-resolution screens (QT_SCALE_FACTOR 1.5 and 2,
// as CTest runs it again): nothing may push it wider, no text may be cut by
// its control, and the texts a person reads are compared with the texts
// themselves (never with the program's own tables, which a wrong translation
// would pass). A picture of each page and small window goes into the build's
// artifacts folder, for a person to look at. On the way the pages' buttons
// and lists are worked and the dialogs they open built, and every control a
// window binds or looks up by name must be in its skin, of the kind the code
// takes it for: a lookup that finds nothing fails here instead of being
// skipped without a sound.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <string>
#include <vector>

#include "core/shell/log.h"
#include "gui/guides/setting_guides.h"
#include "gui/picture/set_picture_wnd.h"
#include "gui/system/about_wnd.h"
#include "gui/window/message_box.h"
#include "gui/window/wait_window.h"
#include "gui_fixture.h"
#include "support/temp_dir.h"

namespace vidodez::gui {
namespace {

std::vector<std::string>* g_missing = nullptr;

void CollectMissing(LogLevel, std::string_view message) {
  if (g_missing != nullptr && message.starts_with("skin lacks control"))
    g_missing->emplace_back(message);
}

// What the lookups of its lifetime could not find.
class MissingControls {
 public:
  MissingControls() {
    g_missing = &missing_;
    SetLogSink(CollectMissing);
  }
  ~MissingControls() {
    SetLogSink(nullptr);
    g_missing = nullptr;
  }
  const std::vector<std::string>& missing() const { return missing_; }

 private:
  std::vector<std::string> missing_;
};

class NoPictures final : public PictureReceiver {
 public:
  void HandChosenPicture(const QString&) override {}
};

void Choose(QWidget* root, const char* name, int index) {
  auto* combo = FindControl<QComboBox>(root, name);
  ASSERT_NE(combo, nullptr) << name;
  combo->setCurrentIndex(index);
  emit combo->activated(index);
}

// The pages' buttons and lists that bind or look up controls of their own,
// each worked once.
void WorkThePages(test::FrameRig& rig, bool english) {
  rig.Click("PrinterConfiguration");
  rig.Click("SAdvResetSetting");
  Choose(rig.frame().page(kPageSettings), "SDarkNessCombo", 3);
  rig.Click("FirmwareUpgrade");
  rig.Click("FUGetInfoBtn");
  rig.dialogs.QueueBoxAnswer(kBoxCancel);
  rig.Click("FirmareBtn_2");
  rig.Click("FileManagement");
  Choose(rig.frame().page(kPageStorage), "FileType", 1);
  rig.dialogs.QueueBoxAnswer(kBoxCancel);
  rig.Click("DelSelFormBtn");
  Choose(rig.frame().page(kPageStorage), "FileType", 0);
  rig.Click("SetPrinterNic");
  Choose(rig.frame().page(kPageNetwork), "WirelessModeCombo", 0);
  Choose(rig.frame().page(kPageNetwork), "SecurityModeCombo", 1);
  rig.Click("WifiSettingOp");
  rig.Click("NicSettingBtn");  // refused: no network name
  rig.Click("SystermConfiguration");
  Choose(rig.frame().page(kPageSystem), "LanguageCmb", english ? 0 : 1);
}

// The dialogs the pages open that the walk does not picture, each as the
// operator meets it.
void WorkTheDialogs(const std::string& language) {
  test::TempDir dir;
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::black);
  ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("photo.png"))));
  ScriptedDialogService dialogs;
  NoPictures pictures;
  CSetPictureWnd picture_wnd(test::BuiltSkins(), dialogs, language, pictures, nullptr);
  dialogs.QueueFile(QString::fromStdString(dir.File("photo.png")));
  test::UserClick(FindControl<QAbstractButton>(&picture_wnd, "PBrowseBtn"));
  test::UserClick(FindControl<QAbstractButton>(&picture_wnd, "PPreviewBWOp"));
  Choose(&picture_wnd, "PUnitCombo", 3);
  Choose(&picture_wnd, "PZoomModeCombo", 2);
  CTearoffSettingHelpWnd tear(test::BuiltSkins(), language, nullptr);
  CCutterSettingHelpWnd cutter(test::BuiltSkins(), language, nullptr);
  test::UserClick(FindControl<QAbstractButton>(&cutter, "HelpCuttNumber"));
  CPeeloffSettingHelpWnd peel(test::BuiltSkins(), language, nullptr);
  CContineAddPrintHelpWnd after_error(test::BuiltSkins(), language, nullptr);
}

// The visible texts under `root` that their controls cut, as
// "name: text". A control's text is cut when it needs more width than the
// control gives it.
QStringList CutTexts(QWidget* root) {
  QStringList cut;
  auto check = [&](QWidget* w, const QString& text, int need, int room) {
    if (need > room)
      cut << QStringLiteral("%1: %2 (%3 > %4)").arg(w->objectName(), text).arg(need).arg(room);
  };
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    if (auto* label = qobject_cast<QLabel*>(w)) {
      const QString text = label->text();
      if (text.isEmpty() || label->wordWrap() || Qt::mightBeRichText(text)) continue;
      check(w, text, label->fontMetrics().horizontalAdvance(text) + 2 * label->margin(),
            label->contentsRect().width());
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      if (!button->text().isEmpty())
        check(w, button->text(), button->sizeHint().width(), button->width());
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      if (edit->text().isEmpty() || edit->echoMode() != QLineEdit::Normal) continue;
      QStyleOptionFrame option;
      option.initFrom(edit);
      option.lineWidth =
          edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
      // Qt keeps two pixels free on each side of the text.
      constexpr int kLineEditMargin = 2;
      const QMargins margins = edit->textMargins();
      const int room =
          edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() -
          2 * kLineEditMargin - margins.left() - margins.right();
      check(w, edit->text(), edit->fontMetrics().horizontalAdvance(edit->text()), room);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      QStyleOptionComboBox option;
      option.initFrom(combo);
      option.editable = combo->isEditable();
      const int room =
          combo->style()
              ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
              .width();
      for (int i = 0; i < combo->count(); ++i) {
        check(w, combo->itemText(i), combo->fontMetrics().horizontalAdvance(combo->itemText(i)),
              room);
      }
    }
  }
  return cut;
}

void Save(QWidget* widget, const QString& name) {
  QDir().mkpath(VIDODEZ_ARTIFACTS_DIR);
  // The walks on high-resolution screens keep pictures of their own.
  const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR");
  const QString file = scale.isEmpty() ? name : name + "-scale" + scale;
  const QString path = QDir(VIDODEZ_ARTIFACTS_DIR).filePath(file + ".png");
  QApplication::processEvents();  // let the layouts settle on the new texts
  ASSERT_TRUE(widget->grab().toImage().save(path)) << path.toStdString();
}

// What a person reads on a control: its caption (a list's chosen entry), or
// its tooltip.
std::string Shown(QWidget* window, const char* name, bool tooltip) {
  QWidget* control = test::ExpectControl<QWidget>(window, name);
  if (control == nullptr) return {};
  if (tooltip) return control->toolTip().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text().toStdString();
  if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText().toStdString();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text().toStdString();
  return control->property("text").toString().toStdString();
}

// The tabs, each with the place of its page in the frame's stack.
const std::pair<const char*, int> kTabs[] = {
    {"PrinterConfiguration", 0}, {"SetPrinterNic", 1},  {"FontDownload", 2},
    {"FirmwareUpgrade", 3},      {"FileManagement", 4}, {"SystermConfiguration", 5},
};

struct Seen {
  const char* tab;  // the page's tab, which shows the page
  const char* control;
  bool tooltip;
  const char* english;
  const char* chinese;
};

// Every tab's own caption, then a few texts of each page (the two rows of
// the network page whose captions are crossed among them).
const Seen kSeen[] = {
    {"PrinterConfiguration", "PrinterConfiguration", false, "Settings", "功能设置"},
    {"PrinterConfiguration", "SetPrinterNic", false, "Network ", "网络设置"},
    {"PrinterConfiguration", "FontDownload", false, "Fonts", "字体下载"},
    {"PrinterConfiguration", "FirmwareUpgrade", false, "Firmware ", "固件升级"},
    {"PrinterConfiguration", "FileManagement", false, "Storage ", "文件管理"},
    {"PrinterConfiguration", "SystermConfiguration", false, "System ", "系统选项"},
    {"PrinterConfiguration", "SAdvGetInfoFromPrinter", false, "Retrieve From Printer",
     "从打印机获取"},
    {"PrinterConfiguration", "SAdvSendBtn", true,
     "Please make sure the printer is in the READY state before sending parameters to the "
     "printer. Restart the printer if needed.",
     "设置前请让打印机处于“就绪”状态，若无法恢复到“就绪”状态，建议重启打印机。"},
    {"SetPrinterNic", "NicGateWayHintLabel", false, "Network Port :", "网络端口："},
    {"SetPrinterNic", "NicNetPortHintLabel", false, "Gateway :", "默认网关："},
    {"SetPrinterNic", "NicGetIPBtn", false, "Get IP Address", "获取IP地址"},
    {"SetPrinterNic", "WirelessModeCombo", false, "Client(STA)", "客户端(STA)"},
    {"SetPrinterNic", "ChannelCombo", false, "Auto Channel", "自动信道"},
    {"FontDownload", "FDFontIDHintLabel", false, "Font ID:", "字体ID："},
    {"FontDownload", "BrowseFontBtn", false, "View Fonts", "浏览字体"},
    {"FontDownload", "BrowseFontBtn", true, "Browse Local Fonts", "浏览字本地需下载的字体"},
    {"FirmwareUpgrade", "FUFirmwareListLabel", false, "Available Firmware:", "可升级固件列表："},
    {"FirmwareUpgrade", "FUGetInfoBtn", true, "Get Current Firmware Info",
     "获取打印机固件版本和料号信息"},
    // The sample folder's rows: P161.bin, then the command file.
    {"FirmwareUpgrade", "FirmareBtn_2", false, "Upgrade", "升级"},
    {"FirmwareUpgrade", "FirmareBtn_3", true,
     "Indicator status ：\n Ready lamp lits, while MEDIA and RIBBON blinking simultanously\n"
     " Cycle the printer power.",
     "升级时指示灯显示状态提示：\nREADY灯常亮， MEDIE和RIBBON灯同时闪烁\n"
     "关机并重新开机，等待打印机正常启动。"},
    {"FileManagement", "FMSendFileBtn", false, "Send File to Printer", "发送文件到打印机"},
    {"FileManagement", "FMSendCommandBtn", false, "Send Command to Printer", "发送指令到打印机"},
    {"FileManagement", "CMDRichEdit", true, "Input printer command here.",
     "此编辑框用于输入打印机指令"},
    {"FileManagement", "FMPortHintLabel", false, "Port", "端口"},
    {"SystermConfiguration", "HelpBtn", false, "Help", "帮助"},
    {"SystermConfiguration", "SysUnitText", false, "Units", "单位"},
};

// Catches a tab that shows another page, a page whose least width pushes the
// window past 739 pixels, texts cut off in either language ("...V1.52 and
// higher f", "Direct Therma", "Prioritize dete"), texts left in the skin's
// language or mistranslated, and a control the code needs that its skin
// lacks.
TEST(Layout, EveryPageFitsTheWindowWithoutCuttingATextInEitherLanguage) {
  ASSERT_EQ(CDialogFrameWnd::PageOptions().size(), std::size(kTabs));
  MissingControls lookups;
  for (const auto& [locale, tag] : {std::pair{"en_US", "eng"}, std::pair{"zh_CN", "chi"}}) {
    SCOPED_TRACE(locale);
    const bool english = tag == std::string("eng");
    test::FrameRig rig(locale);
    rig.AddReadyPrinter();
    rig.AddSampleFirmware();
    rig.frame().show();
    // The walk runs again on screens of 1.5 and 2 device pixels a pixel.
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    EXPECT_DOUBLE_EQ(rig.frame().devicePixelRatioF(), factor);
    for (const auto& [tab, place] : kTabs) {
      SCOPED_TRACE(tab);
      rig.Click(tab);
      EXPECT_EQ(FindControl<QStackedWidget>(&rig.frame(), "switch")->currentIndex(), place);
      rig.frame().RefreshShownPage();
      // Nested layouts (the scroll area's body) settle over a few rounds.
      for (int round = 0; round < 5; ++round) QApplication::processEvents();
      EXPECT_EQ(rig.frame().width(), CDialogFrameWnd::kWidth);
      EXPECT_EQ(rig.frame().height(), CDialogFrameWnd::kHeight);
      const QStringList cut = CutTexts(&rig.frame());
      EXPECT_TRUE(cut.isEmpty()) << cut.join("\n").toStdString();
      for (const Seen& seen : kSeen) {
        if (std::string(tab) != seen.tab) continue;
        SCOPED_TRACE(seen.control);
        EXPECT_EQ(Shown(&rig.frame(), seen.control, seen.tooltip),
                  english ? seen.english : seen.chinese);
      }
      Save(&rig.frame(), QStringLiteral("page-%1-%2").arg(tag, tab));
    }
    CMarliXMsgBox box(test::BuiltSkins(), &rig.frame(),
                      english ? "Settings were sent to the printer." : "设置已发送到打印机。",
                      kProgramCaption, kBoxTypeOkCancel, tag);
    box.show();
    Save(&box, QStringLiteral("messagebox-%1").arg(tag));
    CAboutWnd about(test::BuiltSkins(), rig.dialogs, tag, &rig.frame());
    about.show();
    Save(&about, QStringLiteral("about-%1").arg(tag));
    CDateAccessWnd wait(test::BuiltSkins(), 300, 300, false, tag, &rig.frame());
    wait.show();
    Save(&wait, QStringLiteral("wait-%1").arg(tag));
    wait.StartCountdown(1000, 3);
    WorkThePages(rig, english);
    WorkTheDialogs(tag);
  }
  EXPECT_EQ(lookups.missing(), std::vector<std::string>{});
}

// The walk above can only fail if a missing control is noted at all.
TEST(Layout, AControlTheSkinLacksIsNoted) {
  MissingControls lookups;
  QWidget root;
  root.setObjectName("Root");
  auto* label = new QLabel(&root);
  label->setObjectName("TitleLabel");
  EXPECT_EQ(FindControl<QLabel>(&root, "TitleLabel"), label);
  EXPECT_TRUE(lookups.missing().empty());
  EXPECT_EQ(FindControl<QAbstractButton>(&root, "TitleLabel"), nullptr) << "of another kind";
  SetControlTexts(&root, "Edit", "NameEdit", "x");
  EXPECT_EQ(lookups.missing(), (std::vector<std::string>{
                                   "skin lacks control TitleLabel (QAbstractButton) in Root: Root",
                                   "skin lacks control NameEdit (QLineEdit) in Root: Root"}));
}

}  // namespace
}  // namespace vidodez::gui

#include "gui/system/sys_config_ui.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/shell/texts.h"
#include "core/shell/units.h"
#include "gui/system/about_wnd.h"
#include "gui/window/controls.h"

namespace vidodez::gui {
namespace {

constexpr Text kLanguages[] = {{"Chinese", "中文"}, {"English", "英文"}};

constexpr ControlText kPageTexts[] = {
    {"Button", "AboutBtn", {"About", "关于"}},
    {"Button", "HelpBtn", {"Help", "帮助"}},
    {"Label", "SysUILanguageText", {"Language Setting:", "界面语言设置"}},
    {"Label", "SysUnitText", {"Units", "单位"}},
    {"Label", "SysPageTitle", {"System", "系统选项"}},
    {"Text",
     "SCMarlixInstrText",
     {"{f 3}MarliX Printing Systems{/f}{p}MarliX builds thermal label printers for shipping, "
      "retail, warehouses and factories. This tool sets up those printers over USB: their "
      "settings, network, fonts, firmware and stored files.{p}Choose the language of the tool and "
      "the unit in which lengths are shown, or open the help for step-by-step instructions.",
      "{f 3}玛力克斯打印系统{/f}{p}玛力克斯专注于热敏标签打印机，服务于物流、零售、仓储与制造。"
      "本工具通过 USB 配置打印机：功能设置、网络、字体、固件与存储文件。{p}"
      "在此选择界面语言与长度单位，或打开帮助查看分步说明。"}},
};

}  // namespace

QString HelpPath(const QString& program_folder, const std::string& language) {
  if (language == "chi") return QDir(program_folder).filePath("Zudovad_EV.ize");
  if (language == "eng") return QDir(program_folder).filePath("Virizor_OD.evi");
  return {};
}

SysConfigUI::SysConfigUI(PageContext& context, ProgramSettings& settings, QString program_folder,
                         QString skin_file, QWidget* parent)
    : PageUI(context, std::move(skin_file), parent),
      settings_(settings),
      program_folder_(std::move(program_folder)) {}

void SysConfigUI::Init() {
  if (const int unit = StartUnitForLanguage(language()); unit >= 0) context_.comm.SetUnit(unit);
  if (language() == "chi") language_pos_ = 0;
  if (language() == "eng") language_pos_ = 1;
  unit_pos_ = context_.comm.GetUnit();
  FillLists();
}

void SysConfigUI::FillLists() {
  const std::string& lang = language();
  SetComboItems(this, "LanguageCmb", TextItems(kLanguages, lang), language_pos_);
  QStringList units;
  for (int unit : kPageUnits) units << QString::fromUtf8(UnitName(unit, lang));
  SetComboItems(this, "UnitCmb", units, unit_pos_);
}

void SysConfigUI::ShowTexts(const std::string& lang) {
  SetControlTexts(this, kPageTexts, lang);
  FillLists();
}

void SysConfigUI::OpenHelp() {
  const QString path = HelpPath(program_folder_, language());
  if (path.isEmpty() || !QFileInfo::exists(path)) return;
  if (context_.dialogs.OpenUrl(QUrl::fromLocalFile(path))) return;
  // No desktop handler took it: show the help inside the program.
  if (!help_viewer_) {
    help_viewer_ = new QDialog(window());
    help_viewer_->setObjectName("HelpViewer");
    help_viewer_->resize(720, 640);
    auto* layout = new QVBoxLayout(help_viewer_);
    auto* browser = new QTextBrowser(help_viewer_);
    browser->setObjectName("HelpBrowser");
    browser->setOpenExternalLinks(true);
    layout->addWidget(browser);
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  auto* browser = help_viewer_->findChild<QTextBrowser*>("HelpBrowser");
  browser->setHtml(QString::fromUtf8(file.read(4 * 1024 * 1024)));
  help_viewer_->setWindowTitle(language() == "chi" ? QString::fromUtf8("帮助") : "Help");
  help_viewer_->show();
  help_viewer_->raise();
}

void SysConfigUI::Notify(const Notification& n) {
  if (n.Is(kClick, "AboutBtn")) {
    CAboutWnd about(context_.skins, context_.dialogs, language(), window());
    about.exec();
  } else if (n.Is(kClick, "HelpBtn")) {
    OpenHelp();
  } else if (n.Is(kItemSelect, "UnitCmb")) {
    if (auto* combo = FindControl<QComboBox>(this, "UnitCmb")) unit_pos_ = combo->currentIndex();
    context_.comm.SetUnit(unit_pos_);
  } else if (n.Is(kItemSelect, "LanguageCmb")) {
    auto* combo = FindControl<QComboBox>(this, "LanguageCmb");
    if (combo == nullptr) return;
    language_pos_ = combo->currentIndex();
    context_.comm.set_language(settings_.SetLanguage(language_pos_));
    SetTexts();
    emit languageChanged();
  }
}

}  // namespace vidodez::gui

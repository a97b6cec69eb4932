#include "gui/system/about_wnd.h"

#include <QPalette>

#include "core/shell/program_version.h"
#include "core/shell/texts.h"
#include "gui/window/controls.h"

namespace vidodez::gui {
namespace {

constexpr ControlText kTexts[] = {
    {"Label", "titleL", {"About", "关于"}},
    {"Button", "AOKBtn", {"OK", "确认"}},
    {"Text",
     "SiteLabel",
     {"Web: {a https://www.marlix-printers.example}{c #FF0000}www.marlix-printers.example{/c}{/a}",
      "网址：{a https://www.marlix-printers.example}{c "
      "#FF0000}www.marlix-printers.example{/c}{/a}"}},
    {"Label", "AboutPhoneLabel", {"Support line: +86 400-820-1760", "服务热线：400-820-1760"}},
    {"Label", "EmailLabel", {"E-mail:", "邮箱："}},
    {"Text", "EmailText", {"support@marlix-printers.example", "support@marlix-printers.example"}},
};

// The version is the build's own, the one --version prints.
constexpr Text kRights{
    "{f 3}MarliX Vidodez Tool{/f}{n}Version %s{n}© MarliX Printing Systems. All rights reserved.",
    "{f 3}MarliX Vidodez Tool{/f}{n}版本 %s{n}© 玛力克斯打印系统 版权所有。"};

}  // namespace

CAboutWnd::CAboutWnd(const SkinArchive& skins, DialogService& dialogs, const std::string& language,
                     QWidget* owner)
    : SkinDialog(skins, "AboutWnd.ui", owner, 36), dialogs_(dialogs) {
  setObjectName("AboutWnd");
  setWindowTitle(QString::fromUtf8("关于我们"));
  setFixedSize(kWidth, kHeight);
  // Links in this window read in red, as the maker's other dialogs do.
  QPalette links = palette();
  links.setColor(QPalette::Link, QColor(0xFF, 0x00, 0x00));
  setPalette(links);
  if (owner != nullptr) move(owner->frameGeometry().center() - QPoint(kWidth / 2, kHeight / 2));
  SetControlTexts(this, kTexts, language);
  if (HasTexts(language)) {
    const std::string rights = FillText(Pick(kRights, language), {kProgramVersion});
    SetControlTexts(this, "Text", "AoutCopyrightText", rights.c_str());
  }
}

void CAboutWnd::Notify(const Notification& n) {
  if (n.Is(kClick, "AClosebtn") || n.Is(kClick, "AOKBtn")) {
    accept();
  } else if (n.Is(kLink, "SiteLabel") && !n.link.isEmpty()) {
    (void)dialogs_.OpenUrl(QUrl(n.link));
  }
}

}  // namespace vidodez::gui

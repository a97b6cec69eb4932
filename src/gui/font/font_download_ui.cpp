#include "gui/font/font_download_ui.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QSignalBlocker>
#include <QStyle>
#include <iterator>

#include "core/font/font_codes.h"
#include "core/font/font_test_program.h"
#include "core/shell/texts.h"
#include "gui/font/font_preview.h"
#include "gui/window/controls.h"
#include "gui/window/transfer_runner.h"

namespace vidodez::gui {
namespace {

const SelectorPageInfo kFontDownload{"FD", "FD"};

constexpr ControlText kPageTexts[] = {
    {"Label", "FDDownLoadInstructionsHintLabel", {"Instructions:", "字体下载说明："}},
    {"Label", "FDFontPathHintLabel", {"Font Name:", "字体名："}},
    {"Label", "FDDownLoadFontsSettingHintLabel", {"Font Setup", "字体下载设置"}},
    {"Label", "FDFontIDHintLabel", {"Font ID:", "字体ID："}},
    {"Label", "FDCmdTypeHintLabel", {"Command Type:", "指令类型："}},
    {"Label", "FDStoreTypeHintLabel", {"Storage Type:", "存储类型："}},
    {"Label", "FDCodePageHintLabel", {"Code Page:", "代码页："}},
    {"Label", "FDPreviewHintLabel", {"Preview", "字体预览"}},
    {"Option",
     "PrintToFileOp",
     {"Print to File", "打印到文件"},
     {"Check this box to generate command file to desktop.",
      "选择此项，点击下载字体按钮，即可将文件打印到电脑桌面。"}},
    {"Button",
     "BrowseFontBtn",
     {"View Fonts", "浏览字体"},
     {"Browse Local Fonts", "浏览字本地需下载的字体"}},
    {"Button", "PrintTestBtn", {"Print Test", "打印测试"}},
    {"Button",
     "DownLoadBtn",
     {"Download Fonts", "下载字体"},
     {"Download the designated font to printer", "下载字体到打印机"}},
    {"Text",
     "FDDownLoadInstructionsText",
     {"{p}{y 20}{f 2}Truetype fonts can be downloaded and stored on Marlix printers for later use, "
      "the fonts can be downloaded by using the tool provided on the right. For more information, "
      "please click the \"Help\" button under the \"System\" tab.{n}{n}{c #F27D30}{b}Note:{/b}{/c} "
      "The Font ID should be unique for each downloaded Font.{/f}{/p}",
      "{p}{y 20}{f 5}MARLIX标签打印机支持TrueType字体下载，具体下载方法请查看帮助文档。{n}{n}"
      "{c "
      "#F27D30}{b}注意：{/b}{/c}在设置字体ID时，请根据不同的下载字体设置不同的字体ID。{/f}{/p}"}},
};

// The code page list's first entry: the field stays empty.
constexpr Text kNoCodePage{"(none)", "（无）"};
constexpr Text kFamily{"Family: %s", "字体族：%s"};
constexpr Text kNothingChosen{"Choose a font with \"View Fonts\" to see it here.",
                              "点击“浏览字体”选择字体后，在此预览。"};
constexpr Text kNotAFont{"This file is not a TrueType or OpenType font.",
                         "此文件不是 TrueType 或 OpenType 字体。"};

struct Option {
  const char* name;
  FontCommandType type;
};
constexpr Option kTypeOptions[] = {{"VRLEOp", FontCommandType::VRLE},
                                   {"VRLZOP", FontCommandType::VRLZ}};
struct StorageOption {
  const char* name;
  FontStorage storage;
};
constexpr StorageOption kStorageOptions[] = {{"SDRAMOp", FontStorage::SDRAM},
                                             {"FLASHOp", FontStorage::FLASH}};

// What would start another operation or change what the download reads.
constexpr const char* kHeldDuringDownload[] = {
    "BrowseFontBtn", "DownLoadBtn", "PrintTestBtn", "FontIDCombo",   "VRLEOp",
    "VRLZOP",        "SDRAMOp",     "FLASHOp",      "PrintToFileOp", "FDCodePageCombo"};

void SetChecked(QWidget* root, const char* name, bool checked) {
  if (auto* option = FindControl<QAbstractButton>(root, name)) {
    const QSignalBlocker quiet(option);
    option->setChecked(checked);
  }
}

}  // namespace

FontDownloadUI::FontDownloadUI(PageContext& context, QString skin_file, QWidget* parent)
    : SelectorPageUI(context, kFontDownload, std::move(skin_file), parent),
      bindings_(this),
      operator_(context.dialogs, context.skins, this,
                [&comm = context.comm] { return comm.GetLanguage(); }) {}

void FontDownloadUI::Init() {
  SelectorPageUI::Init();
  bindings_.BindLineEdit("ShowFontPathEdit", &model_.shown_path);
  bindings_.BindCheck("PrintToFileOp", &model_.print_to_file);
  operator_.set_wait_anchor(FindControl<QWidget>(this, "DownLoadBtn"));
  // The sample follows the label's width and never sets it: a picture as
  // wide as the label would widen it, and the window, at every choice.
  if (auto* sample = FindControl<QLabel>(this, "FDFontPreview")) {
    sample->setSizePolicy(QSizePolicy::Ignored, sample->sizePolicy().verticalPolicy());
  }
  FillIds();
  FillCodePages();
  Load();
}

void FontDownloadUI::ShowTexts(const std::string& lang) {
  SelectorPageUI::ShowTexts(lang);
  SetControlTexts(this, kPageTexts, lang);
  FillIds();
  FillCodePages();
  ShowPreview();
}

void FontDownloadUI::FillIds() {
  QStringList ids;
  for (int i = 0; i < FontIdCount(model_.command_type); ++i) {
    ids << QString(QChar::fromLatin1(FontIdAtIndex(model_.command_type, i)));
  }
  // A position the list lacks shows no ID and stays kept.
  SetComboItems(this, "FontIDCombo", ids, model_.id_index);
  if (auto* combo = FindControl<QComboBox>(this, "FontIDCombo");
      combo != nullptr && model_.id_index >= combo->count()) {
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(-1);
  }
}

void FontDownloadUI::FillCodePages() {
  QStringList pages{QString::fromUtf8(Pick(kNoCodePage, language()))};
  int chosen = 0;
  for (const CodePage& page : CodePages()) {
    if (model_.code_page == page.name) chosen = static_cast<int>(pages.size());
    pages << QString::fromUtf8(page.name);
  }
  SetComboItems(this, "FDCodePageCombo", pages, chosen);
}

void FontDownloadUI::Store() {
  bindings_.Store();
  model_.printer = selector().selected_name();
  if (auto* combo = FindControl<QComboBox>(this, "FDCodePageCombo")) {
    const int index = combo->currentIndex();
    const auto pages = CodePages();
    model_.code_page = index > 0 && index <= static_cast<int>(pages.size())
                           ? pages[static_cast<size_t>(index - 1)].name
                           : "";
  }
}

void FontDownloadUI::Load() {
  bindings_.Load();
  for (const Option& option : kTypeOptions) {
    SetChecked(this, option.name, model_.command_type == option.type);
  }
  for (const StorageOption& option : kStorageOptions) {
    SetChecked(this, option.name, model_.storage == option.storage);
  }
  // VRLZ's test program has no code page to choose.
  if (auto* combo = FindControl<QComboBox>(this, "FDCodePageCombo")) {
    combo->setEnabled(model_.command_type == FontCommandType::VRLE);
  }
  if (auto* print_test = FindControl<QWidget>(this, "PrintTestBtn")) {
    print_test->setEnabled(model_.print_test_enabled);
  }
}

void FontDownloadUI::ShowPreview() {
  auto* family = FindControl<QLabel>(this, "FDFontFamilyLabel");
  auto* sample = FindControl<QLabel>(this, "FDFontPreview");
  if (family == nullptr || sample == nullptr) return;
  QString words = QString::fromUtf8(Pick(kNothingChosen, language()));
  QPixmap picture;
  bool warning = false;
  if (!model_.font_path.empty()) {
    const qreal ratio = devicePixelRatioF();
    // Inside the label's border; a page not laid out yet has no width.
    const QRect room = sample->contentsRect();
    const QSize size(room.width() > 1 ? room.width() : 400, sample->minimumHeight());
    const FontPreview preview =
        PreviewFontFile(QString::fromStdString(model_.font_path), size * ratio);
    warning = !preview.is_font;
    words = preview.is_font ? QString::fromStdString(FillText(Pick(kFamily, language()),
                                                              {preview.family.toStdString()}))
                            : QString::fromUtf8(Pick(kNotAFont, language()));
    if (!preview.sample.isNull()) {
      picture = QPixmap::fromImage(preview.sample);
      picture.setDevicePixelRatio(ratio);
    }
  }
  family->setText(words);
  family->setProperty("warning", warning);
  family->style()->unpolish(family);
  family->style()->polish(family);
  sample->setPixmap(picture);
}

void FontDownloadUI::Browse() {
  Store();
  if (model_.Browse(context_.comm, operator_) == kFontOk) ShowPreview();
  Load();
}

void FontDownloadUI::Download() {
  Store();
  // The conversion, the questions and the send run on the worker from a
  // copy of the model, which comes back when the whole download has ended:
  // a second Download meanwhile finds the runner busy and does nothing.
  FontDownloadPage work = model_;
  TransferJob job;
  job.work = [this, &work](TransferTask& task) {
    // The page has shown what went wrong; the code only ends the job.
    (void)work.Download(context_.comm, task.op(), task.progress());
  };
  job.page = this;
  job.prefix = "FD";
  job.held = QStringList(std::begin(kHeldDuringDownload), std::end(kHeldDuringDownload));
  job.comm = &context_.comm;
  const bool ran = context_.transfers.Run(std::move(job), operator_);
  // A job given up as the window closes may leave its hint up.
  operator_.EndWait();
  if (!ran) return;
  model_ = std::move(work);
  Load();
}

void FontDownloadUI::PrintTest() {
  Store();
  (void)model_.PrintTest(context_.comm, operator_);
  Load();
}

void FontDownloadUI::Notify(const Notification& n) {
  if (n.type == kClick) {
    if (n.sender == "BrowseFontBtn") return Browse();
    if (n.sender == "DownLoadBtn") return Download();
    if (n.sender == "PrintTestBtn") return PrintTest();
  }
  if (n.type == kSelectChanged) {
    for (const Option& option : kTypeOptions) {
      if (n.sender == option.name) {
        Store();
        model_.command_type = option.type;
        FillIds();
        return Load();
      }
    }
    for (const StorageOption& option : kStorageOptions) {
      if (n.sender == option.name) {
        model_.storage = option.storage;
        return;
      }
    }
  }
  if (n.Is(kItemSelect, "FontIDCombo")) {
    if (auto* combo = FindControl<QComboBox>(this, "FontIDCombo")) {
      model_.id_index = combo->currentIndex();
    }
    return;
  }
  SelectorPageUI::Notify(n);
}

}  // namespace vidodez::gui

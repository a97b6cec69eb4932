// The storage page through its controls, against a simulated printer: what
// the window adds to the page model (controls reaching the model, lists
// shown and buttons enabled as the model says, the file type's states) and
// the picture's round trip from the conversion dialog to the printer.
#include "gui/storage/file_management_ui.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "core/graphic/pcx_codec.h"
#include "core/graphic/picture_save.h"
#include "core/shell/file_replacement.h"
#include "core/shell/shell_codes.h"
#include "gui_fixture.h"
#include "support/temp_dir.h"

namespace vidodez::gui {
namespace {

constexpr char kListQuery[] = "^S1\r\n\r\n";
constexpr char kFlagQuery[] = "^G1\r\n\r\n";

class StoragePageUi : public test::PageTest<FileManagementUI, kPageStorage> {
 protected:
  StoragePageUi() : PageTest("FileManagement") {}
  void ChooseFileType(int index) { Choose("FileType", index); }
  void Select(const char* list, int row) { Control<QListWidget>(list)->setCurrentRow(row); }
  QStringList Items(const char* list) {
    QStringList items;
    auto* widget = Control<QListWidget>(list);
    for (int i = 0; i < widget->count(); ++i) items << widget->item(i)->text();
    return items;
  }
  // A small black-and-white picture written as the conversion dialog does,
  // handed to the page as an image file.
  std::string ChoosePcx(const std::string& name) {
    GreyBitmap picture{40, 16, std::vector<std::uint8_t>(40 * 16, 255)};
    for (int x = 0; x < 40; ++x) picture.Row(8)[x] = 0;
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(EncodePcx(picture, 203, &bytes), 0);
    std::string path = rig_.bus.File(name);
    EXPECT_EQ(ReplaceFile(path, bytes), kShellOk);
    pcx_bytes_ = std::string(bytes.begin(), bytes.end());
    ChooseFileType(1);
    rig_.frame().HandChosenPicture(QString::fromStdString(path));
    return path;
  }
  // The graphics the printer keeps, by name and PCX bytes (the commands
  // that store them are the storage page model's tests').
  using Graphics = std::vector<std::pair<std::string, std::string>>;
  static Graphics Kept(sim::SimPrinter& printer) {
    Graphics graphics;
    printer.WithModel([&](sim::PrinterModel& model) { graphics = model.stored().graphics; });
    return graphics;
  }
  // Clicks "Browse File" and runs `act` on the picture dialog it opens, then
  // closes the dialog if it is still up; false when no dialog opened.
  bool InPictureDialog(const std::function<void(QWidget*)>& act) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr) return;
      seen = true;
      act(dialog);
      if (dialog->isVisible()) dialog->close();
    });
    Click("OpenFileBtn");
    return seen;
  }

  std::string pcx_bytes_;
};

struct ListButtons {
  const char* list;
  const char* get;
  const char* delete_selected;
  const char* delete_all;
  const char* print;
};
constexpr ListButtons kKinds[] = {
    {"FormList", "GetFormListBtn", "DelSelFormBtn", "ClearAllFormBtn", "PrintSelFormBtn"},
    {"FontList", "GetFontListBtn", "DelSelFontBtn", "ClearAllFontBtn", "PrintSelFontBtn"},
    {"GraphicList", "GetGraphicListBtn", "DelSelGraphicBtn", "ClearAllGraphicBtn",
     "PrintSelGraphicBtn"},
};

// Catches file dialog titles left in the skin's language (the captions are
// the page walk's), a combo refilled without its choice, and the file type
// switch not clearing what belonged to the other.
TEST_F(StoragePageUi, FileTypeSwitchClearsAndShowsAndTextsAndDialogTitlesFollowTheLanguage) {
  Printer();
  rig_.frame().HandChosenPicture("/tmp/pictures/LOGO.pcx");
  ChooseFileType(1);
  EXPECT_FALSE(Control<QWidget>("FNIDEdit")->isHidden());
  EXPECT_FALSE(Control<QWidget>("StoreGraphicOp")->isHidden());
  EXPECT_TRUE(Control<QLineEdit>("FileNameEdit")->text().isEmpty());
  EXPECT_TRUE(Control<QLineEdit>("FNIDEdit")->text().isEmpty());

  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::white);
  const std::string png = rig_.bus.File("p.png");
  ASSERT_TRUE(picture.save(QString::fromStdString(png)));
  struct Case {
    const char* language;
    QStringList types;
    QString open, save;  // the file dialogs' titles, by one rule
  };
  const Case cases[] = {
      {"chi", {"文本文件", "图形文件"}, "打开文件", "另存文件"},
      {"eng", {"Text File", "Image File"}, "Open File", "Save As"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    SetLanguage(c.language);
    auto* combo = Control<QComboBox>("FileType");
    QStringList types;
    for (int i = 0; i < combo->count(); ++i) types << combo->itemText(i);
    EXPECT_EQ(types, c.types);
    EXPECT_EQ(combo->currentIndex(), 1);

    // The page's file dialog and its picture dialog's two.
    const auto asked_before = rig_.dialogs.file_titles().size();
    ChooseFileType(0);
    Click("OpenFileBtn");  // cancelled
    ChooseFileType(1);
    rig_.dialogs.QueueFile(QString::fromStdString(png));
    EXPECT_TRUE(InPictureDialog([](QWidget* dialog) {
      for (const char* name : {"PBrowseBtn", "PSavebtn"})  // the save is cancelled
        if (auto* button = FindControl<QAbstractButton>(dialog, name)) test::UserClick(button);
    }));
    EXPECT_EQ(rig_.dialogs.file_titles().mid(asked_before), (QStringList{c.open, c.open, c.save}));
  }
  ChooseFileType(0);
  EXPECT_TRUE(Control<QWidget>("FNIDEdit")->isHidden());
  EXPECT_EQ(page()->model().file_type, 0);
}

// Catches a page that starts with list buttons the operator could press on
// an empty list or with the graphic fields showing for a text file, the
// three lists taking the wrong kind from one reply, buttons left off after
// a list filled, the selection or the command box not reaching the model
// (the box's Chinese must go out in GBK), and a name sent back
// as the screen shows it (UTF-8) instead of the printer's own bytes.
TEST_F(StoragePageUi, ListsFillFromOneReplyAndTheSelectionPrints) {
  sim::PrinterOptions options = test::PrinterOnPort(1);
  options.list_reply = "F1@F2@\xd6\xd0#G1$";
  options.command_set_flag = '1';
  auto& printer = Printer(options);
  Control<QTextEdit>("CMDRichEdit")->setPlainText(QString::fromUtf8("^XA\n中文"));
  Click("FMSendCommandBtn");
  EXPECT_TRUE(Control<QWidget>("PrintSelFontBtn")->isHidden());
  EXPECT_TRUE(Control<QWidget>("FNIDEdit")->isHidden());
  EXPECT_TRUE(Control<QWidget>("StoreGraphicOp")->isHidden());
  EXPECT_FALSE(Control<QWidget>("FileNameEdit")->isHidden());
  struct Case {
    const ListButtons& kind;
    QStringList items;
  };
  for (const Case& c : {Case{kKinds[0], {"F1", "F2"}}, Case{kKinds[1], {QString::fromUtf8("中")}},
                        Case{kKinds[2], {"G1"}}}) {
    SCOPED_TRACE(c.kind.list);
    EXPECT_TRUE(Enabled(c.kind.get));
    EXPECT_FALSE(Enabled(c.kind.delete_selected));
    EXPECT_FALSE(Enabled(c.kind.delete_all));
    EXPECT_FALSE(Enabled(c.kind.print));
    Click(c.kind.get);
    EXPECT_EQ(Items(c.kind.list), c.items);
    EXPECT_TRUE(Enabled(c.kind.delete_selected));
    EXPECT_TRUE(Enabled(c.kind.delete_all));
  }
  Select("FormList", 1);
  Click("PrintSelFormBtn");
  Select("GraphicList", 0);
  Click("PrintSelGraphicBtn");
  // The name shown decoded goes back in the printer's own bytes.
  Select("FontList", 0);
  rig_.dialogs.QueueBoxAnswer(kBoxOk);
  Click("DelSelFontBtn");
  EXPECT_TRUE(Items("FontList").isEmpty());
  EXPECT_WIRE(printer, "^XA\r\n\xd6\xd0\xce\xc4\r\n" + std::string(kListQuery) + kListQuery +
                           kListQuery + "FR\"F2\"\r\nW1\r\nGG20,20,\"G1\"\r\nW1\r\n\r\n" +
                           kFlagQuery + "^ZF\"\xd6\xd0\"\r\n");
  EXPECT_EQ(Shown().size(), 1u);  // the delete's question only
}

// Catches a browse for an image that does not open the picture dialog, one
// that leaves the old path and ID when the dialog closes without a picture,
// and a ready-made PCX chosen and closed without a save not being the one sent.
TEST_F(StoragePageUi, PictureDialogClosedEmptyClearsAndWithAReadyPcxSendsIt) {
  auto& printer = Printer();
  const std::string path = ChoosePcx("READY.pcx");
  rig_.frame().HandChosenPicture("/tmp/pictures/OLD.pcx");
  ASSERT_EQ(Text("FNIDEdit").toStdString(), "OLD");
  EXPECT_TRUE(InPictureDialog([](QWidget*) {}));
  EXPECT_TRUE(Text("FileNameEdit").isEmpty());
  EXPECT_TRUE(Text("FNIDEdit").isEmpty());

  rig_.dialogs.QueueFile(QString::fromStdString(path));
  EXPECT_TRUE(InPictureDialog([](QWidget* dialog) {
    if (auto* browse = FindControl<QAbstractButton>(dialog, "PBrowseBtn")) test::UserClick(browse);
    if (auto* close = FindControl<QAbstractButton>(dialog, "PCancelbtn")) test::UserClick(close);
  }));
  EXPECT_EQ(Text("FileNameEdit").toStdString(), path);
  EXPECT_EQ(Text("FNIDEdit").toStdString(), "READY");
  Control<QLineEdit>("FNIDEdit")->setText("TYPED");  // the ID sent is the box's
  rig_.dialogs.QueueBoxAnswer(kBoxCancel);           // not stored for good: "ZN"
  Click("FMSendFileBtn");
  EXPECT_TRUE(printer.WireText().starts_with("ZN\r\n"));
  EXPECT_EQ(Kept(printer), (Graphics{{"TYPED", pcx_bytes_}}));
  EXPECT_FALSE(Checked("StoreGraphicOp"));
}

// The whole way of a picture: converted and saved in the dialog that
// "Browse File" opens, handed over with its base name as the ID, stored,
// listed, printed and deleted, as the printer keeps and prints it.
TEST_F(StoragePageUi, PictureRoundTripFromDialogToPrinterAndBack) {
  auto& printer = Printer();
  QImage source(64, 32, QImage::Format_RGB32);
  source.fill(Qt::white);
  for (int x = 8; x < 56; ++x) source.setPixel(x, 16, qRgb(0, 0, 0));
  const std::string png = rig_.bus.File("ship.png");
  ASSERT_TRUE(source.save(QString::fromStdString(png)));
  const std::string path = rig_.bus.File("SHIP.pcx");
  rig_.dialogs.QueueFile(QString::fromStdString(png));
  rig_.dialogs.QueueFile(QString::fromStdString(path));
  ChooseFileType(1);
  bool saved_in_dialog = false;
  ASSERT_TRUE(InPictureDialog([&saved_in_dialog](QWidget* dialog) {
    auto* browse = FindControl<QAbstractButton>(dialog, "PBrowseBtn");
    auto* save = FindControl<QAbstractButton>(dialog, "PSavebtn");
    if (browse == nullptr || save == nullptr) return;
    test::UserClick(browse);
    test::UserClick(save);
    saved_in_dialog = !dialog->isVisible();
  }));
  ASSERT_TRUE(saved_in_dialog);
  EXPECT_EQ(Control<QLineEdit>("FileNameEdit")->text().toStdString(), path);
  EXPECT_EQ(Control<QLineEdit>("FNIDEdit")->text().toStdString(), "SHIP");
  pcx_bytes_ = test::ReadFileBytes(path);
  ASSERT_FALSE(pcx_bytes_.empty());
  rig_.dialogs.QueueBoxAnswer(kBoxOk);  // stored for good: "ZS"
  Click("FMSendFileBtn");
  EXPECT_TRUE(Checked("StoreGraphicOp"));
  EXPECT_TRUE(printer.WireText().starts_with("ZS\r\n"));
  EXPECT_EQ(Kept(printer), (Graphics{{"SHIP", pcx_bytes_}}));
  Click("GetGraphicListBtn");
  ASSERT_EQ(Items("GraphicList"), QStringList{"SHIP"});
  Select("GraphicList", 0);
  Click("PrintSelGraphicBtn");
  rig_.dialogs.QueueBoxAnswer(kBoxOk);
  Click("DelSelGraphicBtn");
  EXPECT_TRUE(Items("GraphicList").isEmpty());
  EXPECT_TRUE(Kept(printer).empty());
  // The store's test print and the print of the selection.
  printer.WithModel([](sim::PrinterModel& model) { EXPECT_EQ(model.labels_printed(), 2); });
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Click OK to download this graphic to printer?",
                                               "Deleting the selected grphic, confirm?"}));
}

}  // namespace
}  // namespace vidodez::gui

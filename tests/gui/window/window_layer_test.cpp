// The window layer: skins from the archive or the override folder, the
// notifications a skin's controls raise, texts and bindings.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/window/binders.h"
#include "gui/window/controls.h"
#include "gui/window/hit_test.h"
#include "gui/window/notifier.h"
#include "gui/window/plugins_out_of_reach.h"
#include "gui/window/skin_archive.h"
#include "gui/window/skin_combo_box.h"
#include "gui/window/skin_loader.h"
#include "gui_fixture.h"
#include "support/temp_dir.h"

namespace vidodez::gui {
namespace {

// Images resolve through "skin:" by path and by bare name, as the skins'
// style sheets and the markup name them.
TEST(SkinArchive, ReadsSkinsPackedBesideTheProgramAndServesTheirImages) {
  QByteArray xml;
  ASSERT_TRUE(test::BuiltSkins().Read("skin.ui", &xml));
  EXPECT_TRUE(xml.contains("name=\"switch\""));
  EXPECT_TRUE(test::BuiltSkins().Names().contains("images/USB.png"));
  EXPECT_TRUE(QFile::exists("skin:images/USB.png"));
  EXPECT_TRUE(QFile::exists("skin:list_icon_a.png"));
  EXPECT_FALSE(QFile::exists("skin:no_such_icon.png"));
}

// The start keeps the plugins away while the skins' PNGs are read; the
// operator's JPEG pictures need them back afterwards. Qt scans a plugin
// folder once, so this holds only before anything in the process has read an
// image, as at the program's start (ctest runs each test on its own).
TEST(PluginsOutOfReach, SkinImagesLoadWithoutThemAndTheyComeBack) {
  const QDir plugins_folder(QLibraryInfo::path(QLibraryInfo::PluginsPath));
#ifdef _WIN32
  const char* const jpeg_plugin = "imageformats/qjpeg.dll";
#else
  const char* const jpeg_plugin = "imageformats/libqjpeg.so";
#endif
  if (!plugins_folder.exists(jpeg_plugin)) GTEST_SKIP() << "no jpeg plugin";
  (void)test::BuiltSkins();
  {
    const PluginsOutOfReach plugins;
    EXPECT_FALSE(QImage("skin:images/logo.png").isNull());
    EXPECT_FALSE(QImageReader::supportedImageFormats().contains("jpeg"));
  }
  EXPECT_TRUE(QImageReader::supportedImageFormats().contains("jpeg"));
}

TEST(SkinArchive, OverrideFolderWinsOverTheArchive) {
  test::TempDir dir;
  const QString folder = QString::fromStdString(dir.path());
  ASSERT_TRUE(QFile::copy(QDir(VIDODEZ_TEST_PROGRAM_FOLDER).filePath("SkinRes.dat"),
                          QDir(folder).filePath("SkinRes.dat")));
  QDir(folder).mkdir("skins");
  test::WriteFileBytes(dir.File("skins/style.qss"), "/* edited */");
  SkinArchive skins(folder);
  QByteArray bytes;
  ASSERT_TRUE(skins.Read("style.qss", &bytes));
  EXPECT_EQ(bytes, QByteArray("/* edited */"));
  ASSERT_TRUE(skins.Read("skin.ui", &bytes));  // the rest still comes from the archive
}

TEST(SkinArchive, RefusesNamesOutsideTheSkinsAndMissingOrDamagedArchives) {
  SkinArchive skins(VIDODEZ_TEST_PROGRAM_FOLDER);
  QByteArray bytes;
  for (const char* name : {"../SkinRes.dat", "/etc/passwd", "", "a//b", "images/../../x"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(skins.Read(name, &bytes));
  }
  test::TempDir dir;
  EXPECT_FALSE(SkinArchive(QString::fromStdString(dir.path())).Read("skin.ui", &bytes));
  test::WriteFileBytes(dir.File("SkinRes.dat"), std::string(4096, 'P'));
  QWidget host;
  EXPECT_FALSE(BuildSkin(SkinArchive(QString::fromStdString(dir.path())), "skin.ui", &host));
  EXPECT_TRUE(host.findChildren<QWidget*>().isEmpty());
}

struct NotifyRig {
  NotifyRig() {
    auto* layout = new QVBoxLayout(&root);
    button = new QPushButton("b", &root);
    button->setObjectName("OkBtn");
    option = new QPushButton("o", &root);
    option->setObjectName("TabOp");
    option->setCheckable(true);
    option->setAutoExclusive(true);
    edit = new QLineEdit(&root);
    edit->setObjectName("NameEdit");
    combo = new SkinComboBox(&root);
    combo->setObjectName("PortCombo");
    combo->addItems({"a", "b"});
    label = new QLabel("<a href=\"http://site\">site</a>", &root);
    label->setObjectName("SiteLabel");
    for (QWidget* w : std::initializer_list<QWidget*>{button, option, edit, combo, label})
      layout->addWidget(w);
    notifier.SetHandler([this](const Notification& n) {
      seen.push_back(
          (n.type + "/" + n.sender + (n.link.isEmpty() ? "" : "/" + n.link)).toStdString());
    });
    notifier.Attach(&root);
    notifier.Attach(&root);  // attaching twice must not double the notifications
  }
  QWidget root;
  QPushButton* button;
  QPushButton* option;
  QLineEdit* edit;
  SkinComboBox* combo;
  QLabel* label;
  Notifier notifier;
  std::vector<std::string> seen;
};

// The combo reports its drop-down before its list opens, so the list can be
// refilled first.
TEST(Notifier, DeliversOperatorActionsByTypeAndSender) {
  NotifyRig rig;
  rig.root.show();
  test::UserClick(rig.button);
  test::UserClick(rig.option);
  rig.combo->setFocus();
  test::TypeText(rig.edit, "x");
  emit rig.combo->activated(1);
  EXPECT_TRUE(test::UserClickLink(rig.label));
  rig.combo->showPopup();
  EXPECT_EQ(rig.seen,
            (std::vector<std::string>{"click/OkBtn", "selectchanged/TabOp", "click/TabOp",
                                      "textchanged/NameEdit", "itemselect/PortCombo",
                                      "link/SiteLabel/http://site", "dropdown/PortCombo"}));
  rig.combo->hidePopup();
}

// Text set by the program raises no "textchanged", or a page would take its
// own echo for the operator's typing.
TEST(SetControlTexts, SetsTextAndTipOnlyOnTheNamedKindAndQuietly) {
  NotifyRig rig;
  rig.edit->setText("from the program");
  SetControlTexts(&rig.root, "Edit", "NameEdit", "again");
  EXPECT_EQ(rig.edit->text().toStdString(), "again");
  SetControlTexts(&rig.root, "Button", "OkBtn", "OK", "Accept", true);
  EXPECT_EQ(rig.button->text().toStdString(), "OK");
  EXPECT_EQ(rig.button->toolTip().toStdString(), "Accept");
  SetControlTexts(&rig.root, "Button", "OkBtn", nullptr, "ignored", false);
  EXPECT_EQ(rig.button->toolTip().toStdString(), "Accept");
  // A kind that does not match, an unknown kind or name changes nothing.
  SetControlTexts(&rig.root, "Label", "OkBtn", "wrong");
  SetControlTexts(&rig.root, "Slider", "OkBtn", "wrong");
  SetControlTexts(&rig.root, "Button", "Missing", "wrong");
  EXPECT_EQ(rig.button->text().toStdString(), "OK");
  SetControlTexts(&rig.root, "Label", "SiteLabel", "{b}bold{/b}");
  EXPECT_EQ(rig.label->text().toStdString(), "<b>bold</b>");
  EXPECT_TRUE(rig.seen.empty());
}

TEST(Bindings, LoadShowsTheModelAndStoreReadsItBack) {
  QWidget root;
  auto* check = new QCheckBox(&root);
  check->setObjectName("PeelOp");
  auto* combo = new QComboBox(&root);
  combo->setObjectName("SpeedCombo");
  combo->addItems({"1", "2", "3"});
  auto* edit = new QLineEdit(&root);
  edit->setObjectName("NameEdit");
  auto* spin = new QSpinBox(&root);
  spin->setObjectName("CopiesSpin");
  spin->setRange(0, 99);
  bool peel = true;
  int speed = 2;
  std::string name = "label";
  int copies = 7;
  Bindings bindings(&root);
  bindings.BindCheck("PeelOp", &peel);
  bindings.BindComboIndex("SpeedCombo", &speed);
  bindings.BindLineEdit("NameEdit", &name);
  bindings.BindSpin("CopiesSpin", &copies);
  bindings.BindSpin("NoSuchSpin", &copies);  // a control the skin lacks is skipped
  bindings.Load();
  EXPECT_TRUE(check->isChecked());
  EXPECT_EQ(combo->currentIndex(), 2);
  EXPECT_EQ(edit->text().toStdString(), "label");
  EXPECT_EQ(spin->value(), 7);
  check->setChecked(false);
  combo->setCurrentIndex(0);
  edit->setText("中文");
  spin->setValue(12);
  bindings.Store();
  EXPECT_FALSE(peel);
  EXPECT_EQ(speed, 0);
  EXPECT_EQ(name, "中文");
  EXPECT_EQ(copies, 12);
}

TEST(HitTest, BordersResizeCaptionMovesControlsStayClickable) {
  const QSize size(739, 763);
  struct Case {
    QPoint point;
    bool over_control;
    bool maximised;
    Qt::Edges edges;
    bool caption;
  };
  const Case cases[] = {
      {{1, 1}, false, false, Qt::TopEdge | Qt::LeftEdge, false},
      {{738, 400}, false, false, Qt::RightEdge, false},
      {{400, 762}, false, false, Qt::BottomEdge, false},
      {{400, 20}, false, false, {}, true},
      {{400, 20}, true, false, {}, false},
      {{400, 300}, false, false, {}, false},
      // A maximised window has no borders to drag.
      {{1, 1}, false, true, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x() << "," << c.point.y());
    const HitResult hit = HitTest(size, c.point, 4, 44, c.over_control, c.maximised);
    EXPECT_EQ(hit.edges, c.edges);
    EXPECT_EQ(hit.caption, c.caption);
  }
}

}  // namespace
}  // namespace vidodez::gui

#include "gui/window/message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTimer>

#include "gui/window/controls.h"
#include "gui_fixture.h"

namespace vidodez::gui {
namespace {

QAbstractButton* Button(QWidget* box, const char* name) {
  return FindControl<QAbstractButton>(box, name);
}

// OK stands where Cancel would, alone; with Cancel, beside it on its left.
TEST(MessageBox, OkStandsRightmostAndCancelShowsOnlyWhenAsked) {
  CMarliXMsgBox both(test::BuiltSkins(), nullptr, "Send?", kProgramCaption, kBoxTypeOkCancel,
                     "chi");
  both.show();
  QAbstractButton* cancel = Button(&both, "MsgBoxCancelBtn");
  ASSERT_TRUE(cancel->isVisible());
  EXPECT_LT(Button(&both, "MsgBoxOKBtn")->geometry().right(), cancel->x());
  EXPECT_EQ(Button(&both, "MsgBoxOKBtn")->text().toStdString(), "确定");
  EXPECT_EQ(cancel->text().toStdString(), "取消");

  CMarliXMsgBox ok(test::BuiltSkins(), nullptr, "Saved.", kProgramCaption, kBoxTypeOk, "eng");
  ok.show();
  EXPECT_FALSE(Button(&ok, "MsgBoxCancelBtn")->isVisible());
  EXPECT_EQ(Button(&ok, "MsgBoxOKBtn")->pos(), cancel->pos());
  test::UserClick(Button(&ok, "MsgBoxOKBtn"));
  EXPECT_EQ(ok.box_result(), kBoxOk);
  EXPECT_FALSE(ok.isVisible());
}

// Escape (reject) must never answer OK.
TEST(MessageBox, CancelCloseAndEscapeAnswerCancelAndAnUnansweredBoxSaysSo) {
  for (const char* name : {"MsgBoxCancelBtn", "MsgBoxCloseBtn", "Escape"}) {
    SCOPED_TRACE(name);
    CMarliXMsgBox box(test::BuiltSkins(), nullptr, "Send?", "", kBoxTypeOkCancel, "eng");
    EXPECT_EQ(box.box_result(), kBoxNotAnswered);
    box.show();
    if (Button(&box, name) != nullptr) test::UserClick(Button(&box, name));
    else box.reject();
    EXPECT_EQ(box.box_result(), kBoxCancel);
  }
}

TEST(MessageBox, TitleFollowsLanguageElseCaptionElseFallback) {
  struct Case {
    const char* caption;
    const char* language;
    const char* title;
  };
  const Case cases[] = {
      {"MarliX Vidodez Tool", "eng", "Message"},
      {"MarliX Vidodez Tool", "chi", "提示信息"},
      {"MarliX Vidodez Tool", "fr", "MarliX Vidodez Tool"},
      {"", "fr", "提示信息"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    CMarliXMsgBox box(test::BuiltSkins(), nullptr, "x", c.caption, kBoxTypeOk, c.language);
    EXPECT_EQ(FindControl<QLabel>(&box, "MsgBoxTitle")->text().toStdString(), c.title);
  }
}

TEST(MessageBox, ShowMessageBoxReturnsTheButtonOfItsOwnBox) {
  // A first box answered Cancel must not leak into the next one.
  for (const auto& [button, expected] :
       {std::pair{"MsgBoxCancelBtn", kBoxCancel}, std::pair{"MsgBoxOKBtn", kBoxOk}}) {
    SCOPED_TRACE(button);
    QTimer::singleShot(0, [name = button] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<CMarliXMsgBox*>(top); box != nullptr && box->isVisible()) {
          test::UserClick(FindControl<QAbstractButton>(box, name));
        }
      }
    });
    EXPECT_EQ(ShowMessageBox(test::BuiltSkins(), nullptr, "text", kProgramCaption, kBoxTypeOkCancel,
                             "eng"),
              expected);
  }
}

TEST(ApplyPosAttribute, MovesOnlyForAWellFormedPosition) {
  QWidget parent;
  QWidget child(&parent);
  child.setGeometry(1, 2, 96, 32);
  EXPECT_TRUE(ApplyPosAttribute(&child, "pos=\"325,10,0,0\" "));
  EXPECT_EQ(child.geometry(), QRect(325, 10, 96, 32));
  EXPECT_TRUE(ApplyPosAttribute(&child, "pos=\"10,20,110,50\""));
  EXPECT_EQ(child.geometry(), QRect(10, 20, 100, 30));
  for (const char* bad : {"pos=\"1,2\"", "size=\"1,2,3,4\"", "pos=\"a,b,c,d\"", ""}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(ApplyPosAttribute(&child, bad));
    EXPECT_EQ(child.geometry(), QRect(10, 20, 100, 30));
  }
}

}  // namespace
}  // namespace vidodez::gui

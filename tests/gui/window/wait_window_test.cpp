#include "gui/window/wait_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>
#include <cstdlib>

#include "gui/window/controls.h"
#include "gui/window/dialog_service.h"
#include "gui/window/window_operator.h"
#include "gui_fixture.h"

namespace vidodez::gui {
namespace {

TEST(WaitWindow, CountdownShowsNineFirstAndClosesAfterZero) {
  CDateAccessWnd wait(test::BuiltSkins(), 100, 100, true, "eng", nullptr);
  QStringList shown;
  QObject::connect(&wait, &CDateAccessWnd::hintChanged,
                   [&](const QString& markup) { shown << markup; });
  test::SignalCounter finished(&wait, &QDialog::finished);
  wait.show();
  wait.StartCountdown(1, 9);
  ASSERT_TRUE(finished.Wait(10000));
  ASSERT_EQ(shown.size(), 10);
  EXPECT_EQ(shown.front().toStdString(),
            "{f 2}Data processing, please wait for{c #FF0000} 9 {/c}seconds!{/f}");
  EXPECT_EQ(shown.back().toStdString(),
            "{f 2}Data processing, please wait for{c #FF0000} 0 {/c}seconds!{/f}");
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(shown[i].contains(QStringLiteral(" %1 ").arg(9 - i))) << i;
  }
  EXPECT_FALSE(wait.isVisible());
}

TEST(WaitWindow, ChineseTextsUseTheirOwnSentences) {
  EXPECT_EQ(CountdownText(3, "chi").toStdString(),
            "{f 2}配置数据处理中，请等待{c #FF0000} 3 {/c}秒。{/f}");
  // A fixed hint shows without a countdown.
  CDateAccessWnd wait(test::BuiltSkins(), 0, 0, false, "chi", nullptr);
  EXPECT_EQ(wait.HintText().toStdString(), "{f 2}字体数据转换中，请等待......{/f}");
  EXPECT_TRUE(FindControl<QLabel>(&wait, "WaitWndHintText")->text().contains("字体数据转换中"));
}

TEST(PlaceWaitWindow, StaysInsideTheWorkArea) {
  const QRect work(0, 0, 1920, 1040);
  const QSize size(420, 120);
  struct Case {
    const char* what;
    QRect reference;
    QPoint anchor;
    QPoint expected;
  };
  const Case cases[] = {
      {"centred above the anchor", QRect(100, 100, 739, 763), {370, 400}, {260, 320}},
      {"near the right edge", work, {1900, 600}, {1500, 420}},
      {"near the left edge", work, {10, 600}, {0, 420}},
      {"above the top", work, {500, 20}, {290, 0}},
      {"below the bottom", QRect(0, 900, 739, 763), {370, 400}, {160, 920}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PlaceWaitWindow(size, work, c.reference, c.anchor), c.expected);
  }
}

// Catches the owner's place on the screen counted twice: an owner away from
// the screen's left edge pushed the countdown off its centre.
TEST(WaitWindow, CountdownStandsCentredAboveItsOwner) {
  QWidget owner(nullptr, Qt::FramelessWindowHint);  // as the main frame
  owner.setGeometry(300, 40, 400, 300);
  owner.show();
  ScriptedDialogService dialogs;
  WindowOperator op(dialogs, test::BuiltSkins(), &owner, [] { return std::string("eng"); });
  QRect shown;
  QTimer::singleShot(100, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible() && qobject_cast<CDateAccessWnd*>(widget))
        shown = widget->frameGeometry();
    }
  });
  op.WaitWithCountdown(0);
  ASSERT_TRUE(shown.isValid());
  EXPECT_LE(std::abs(shown.center().x() - owner.frameGeometry().center().x()), 1) << shown.x();
}

}  // namespace
}  // namespace vidodez::gui

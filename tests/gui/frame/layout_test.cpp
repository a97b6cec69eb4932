// The window at its own size, 739 × 763, with every page in both languages,
// also on high-resolution screens (QT_SCALE_FACTOR 1.5 and 2, as CTest runs
// it again): nothing may push it wider and no text may be cut by its
// control.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

#include "gui_fixture.h"

namespace vidodez::gui {
namespace {

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

// Catches a page whose least width pushes the window past 739 pixels, and
// texts cut off in either language ("...V1.52 and higher f", "Direct Therma",
// "Prioritize dete").
TEST(Layout, EveryPageFitsTheWindowWithoutCuttingATextInEitherLanguage) {
  for (const char* locale : {"en_US", "zh_CN"}) {
    SCOPED_TRACE(locale);
    test::FrameRig rig(locale);
    rig.AddReadyPrinter();
    rig.AddSampleFirmware();
    rig.frame().show();
    // The walk runs again on screens of 1.5 and 2 device pixels a pixel.
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
    EXPECT_DOUBLE_EQ(rig.frame().devicePixelRatioF(), factor);
    for (const QString& tab : CDialogFrameWnd::PageOptions()) {
      SCOPED_TRACE(tab.toStdString());
      rig.Click(tab);
      rig.frame().RefreshShownPage();
      // Nested layouts (the scroll area's body) settle over a few rounds.
      for (int round = 0; round < 5; ++round) QApplication::processEvents();
      EXPECT_EQ(rig.frame().width(), CDialogFrameWnd::kWidth);
      EXPECT_EQ(rig.frame().height(), CDialogFrameWnd::kHeight);
      const QStringList cut = CutTexts(&rig.frame());
      EXPECT_TRUE(cut.isEmpty()) << cut.join("\n").toStdString();
    }
  }
}

}  // namespace
}  // namespace vidodez::gui

#include "gui/window/markup.h"

#include <gtest/gtest.h>

#include <QTextDocument>

namespace vidodez::gui {
namespace {

// Each code, text that only looks like a code (shown as typed, never as
// HTML), and codes the text left open or closed out of order.
TEST(Markup, TurnsEachCodeIntoRichTextAndShowsTheRestAsTyped) {
  const std::pair<const char*, const char*> cases[] = {
      {"plain", "plain"},
      {"{b}bold{/b}", "<b>bold</b>"},
      {"{c #FF0000}red{/c}", "<span style=\"color:#FF0000\">red</span>"},
      // The skins write colours as ARGB: the alpha byte must not shift the hue.
      {"{c #FF49C2EA}blue{/c}", "<span style=\"color:#49C2EA\">blue</span>"},
      {"a{n}b", "a<br>b"},
      {"a{p}b", "a<br><br>b"},
      {"{p}{b}a{/b}{p}b", "<b>a</b><br><br>b"},
      {"{x 8}a", "&nbsp;&nbsp;a"},
      {"{i list_icon_a.png}", "<img src=\"skin:list_icon_a.png\" style=\"vertical-align:middle\">"},
      {"<x 8><f 2>item", "&nbsp;&nbsp;<span style=\"font-size:15px;font-weight:400\">item</span>"},
      {"{a https://x.example/?a=1&b=2}site{/a}",
       "<a href=\"https://x.example/?a=1&amp;b=2\">site</a>"},
      {"{y 24}spaced", "<div style=\"line-height:24px\">spaced</div>"},
      // The block that carries the spacing keeps the codes open around it nested.
      {"{b}a{y 30}b{/b}", "<b>a</b><div style=\"line-height:30px\"><b>b</b></div>"},
      {"a < b > c", "a &lt; b &gt; c"},
      {"{q}", "{q}"},
      {"{f two}", "{f two}"},
      {"{c red}", "{c red}"},
      {"{b", "{b"},
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"50% {n", "50% {n"},
      {"{f 2}wait{c #FF0000} 9 {/c}s",
       "<span style=\"font-size:15px;font-weight:400\">wait<span style=\"color:#FF0000\"> 9 "
       "</span>s</span>"},
      {"x{/b}y", "xy"},
      // Closing an outer code closes the inner one with it, so the tags nest.
      {"{b}{c #000000}z{/b}", "<b><span style=\"color:#000000\">z</span></b>"},
  };
  for (const auto& [markup, html] : cases) {
    SCOPED_TRACE(markup);
    EXPECT_EQ(MarkupToRichText(QString::fromUtf8(markup)).toStdString(), html);
  }
}

TEST(Markup, LineSpacingReachesTheLayout) {
  QTextDocument plain;
  plain.setHtml(MarkupToRichText("one{n}two{n}three"));
  QTextDocument spaced;
  spaced.setHtml(MarkupToRichText("{y 40}one{n}two{n}three"));
  EXPECT_GT(spaced.size().height(), plain.size().height() + 40);
}

// Labels skip the rich-text document only for texts it would show the same.
TEST(Markup, PlainTextOnlyWhereRichTextReadsTheSame) {
  for (const char* same : {"Darkness:", "功能设置", "Support: +86 400-820-1760", ""}) {
    SCOPED_TRACE(same);
    const QString markup = QString::fromUtf8(same);
    EXPECT_TRUE(ReadsAsPlainText(markup));
    QTextDocument shown;
    shown.setHtml(MarkupToRichText(markup));
    EXPECT_EQ(shown.toPlainText(), markup);
  }
  for (const char* other : {"two  blanks", " lead", "trail ", "line\nbreak", "tab\there", "a & b",
                            "a < b", "say \"x\"", "{b}x{/b}", "50% {n"}) {
    EXPECT_FALSE(ReadsAsPlainText(QString::fromUtf8(other))) << other;
  }
}

TEST(Markup, UnknownFontNumberFallsBackToTheFirstFont) {
  EXPECT_EQ(MarkupFontOf(99).pixel_size, MarkupFontOf(0).pixel_size);
  EXPECT_EQ(MarkupFontOf(-1).pixel_size, MarkupFontOf(0).pixel_size);
}

TEST(Markup, LongBraceRunsStayBoundedText) {
  const QString flood = QString(100000, '{');
  EXPECT_EQ(MarkupToRichText(flood).size(), flood.size());
}

}  // namespace
}  // namespace vidodez::gui

#include "gui/window/markup.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <array>
#include <vector>

namespace vidodez::gui {
namespace {

constexpr std::array<MarkupFont, 6> kFonts{
    {{13, false}, {13, true}, {15, false}, {17, true}, {20, true}, {12, false}}};
// A code longer than this is text, not a code; it bounds the scan too.
constexpr qsizetype kMaxCodeLength = 260;

struct Code {
  bool closing = false;
  QString name;
  QString arg;
};

bool ParseCode(const QString& body, Code* code) {
  static const QRegularExpression pattern(QStringLiteral("^(/?)([a-z])(?:\\s+(.+?))?\\s*$"));
  const QRegularExpressionMatch match = pattern.match(body);
  if (!match.hasMatch()) return false;
  code->closing = !match.captured(1).isEmpty();
  code->name = match.captured(2);
  code->arg = match.captured(3);
  static const QString kKnown = QStringLiteral("fbcnpyxiaus");
  if (!kKnown.contains(code->name)) return false;
  if (code->closing) return code->arg.isEmpty();
  bool number = false;
  if (code->name == "f" || code->name == "x" || code->name == "y") {
    code->arg.toInt(&number);
    return number;
  }
  if (code->name == "c") {
    static const QRegularExpression colour(QStringLiteral("^#([0-9A-Fa-f]{6}|[0-9A-Fa-f]{8})$"));
    return colour.match(code->arg).hasMatch();
  }
  if (code->name == "i" || code->name == "a") return !code->arg.isEmpty();
  return code->arg.isEmpty();
}

QString ColourOf(const QString& arg) {
  // ARGB as the skins write it: the alpha byte is dropped.
  return "#" + arg.right(6);
}

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

QString OpenTag(const Code& code) {
  if (code.name == "f") {
    const MarkupFont font = MarkupFontOf(code.arg.toInt());
    return QStringLiteral("<span style=\"font-size:%1px;font-weight:%2\">")
        .arg(font.pixel_size)
        .arg(font.bold ? 700 : 400);
  }
  if (code.name == "b") return QStringLiteral("<b>");
  if (code.name == "u") return QStringLiteral("<u>");
  if (code.name == "s") return QStringLiteral("<s>");
  if (code.name == "c") return QStringLiteral("<span style=\"color:%1\">").arg(ColourOf(code.arg));
  if (code.name == "a") return QStringLiteral("<a href=\"%1\">").arg(Escaped(code.arg));
  return {};
}

QString CloseTag(const QString& name) {
  if (name == "b") return QStringLiteral("</b>");
  if (name == "u") return QStringLiteral("</u>");
  if (name == "s") return QStringLiteral("</s>");
  if (name == "a") return QStringLiteral("</a>");
  return QStringLiteral("</span>");
}

bool IsContainer(const QString& name) {
  return name == "f" || name == "b" || name == "c" || name == "a" || name == "u" || name == "s";
}

// Calls `on_code` for every valid code and `on_text` for the text between.
template <typename OnText, typename OnCode>
void Scan(const QString& markup, OnText on_text, OnCode on_code) {
  QString text;
  qsizetype i = 0;
  while (i < markup.size()) {
    const QChar c = markup[i];
    if (c == '{' || c == '<') {
      const QChar end = c == '{' ? QChar('}') : QChar('>');
      const qsizetype limit = std::min(markup.size(), i + kMaxCodeLength);
      qsizetype close = -1;
      for (qsizetype j = i + 1; j < limit; ++j) {
        if (markup[j] == end) {
          close = j;
          break;
        }
      }
      Code code;
      if (close > i && ParseCode(markup.mid(i + 1, close - i - 1), &code)) {
        if (!text.isEmpty()) on_text(text);
        text.clear();
        on_code(code);
        i = close + 1;
        continue;
      }
    }
    text += c;
    ++i;
  }
  if (!text.isEmpty()) on_text(text);
}

}  // namespace

MarkupFont MarkupFontOf(int index) {
  if (index < 0 || index >= static_cast<int>(kFonts.size())) return kFonts[0];
  return kFonts[static_cast<size_t>(index)];
}

QString MarkupToRichText(const QString& markup) {
  QString html;
  std::vector<Code> open;
  bool spaced = false;  // a {y n} block is open
  bool shown = false;   // text or a picture came before
  const auto close_open = [&] {
    for (auto k = open.rbegin(); k != open.rend(); ++k) html += CloseTag(k->name);
  };
  Scan(
      markup,
      [&](const QString& text) {
        html += Escaped(text);
        shown = shown || !text.isEmpty();
      },
      [&](const Code& code) {
        if (code.closing) {
          // Close back to the matching code; a close with no opener is dropped.
          auto match = std::find_if(open.rbegin(), open.rend(),
                                    [&](const Code& o) { return o.name == code.name; });
          if (match == open.rend()) return;
          const auto count = std::distance(open.rbegin(), match) + 1;
          for (auto k = 0; k < count; ++k) {
            html += CloseTag(open.back().name);
            open.pop_back();
          }
          return;
        }
        if (IsContainer(code.name)) {
          html += OpenTag(code);
          open.push_back(code);
        } else if (code.name == "n") {
          html += QStringLiteral("<br>");
        } else if (code.name == "p") {
          // A paragraph mark before anything shown opens the first
          // paragraph; it has nothing to part from.
          if (shown) html += QStringLiteral("<br><br>");
        } else if (code.name == "x") {
          const int width = std::clamp(code.arg.toInt(), 0, 400);
          html += QString(QStringLiteral("&nbsp;")).repeated(std::max(1, width / 4));
        } else if (code.name == "i") {
          html += QStringLiteral("<img src=\"skin:%1\" style=\"vertical-align:middle\">")
                      .arg(Escaped(code.arg));
          shown = true;
        } else if (code.name == "y") {
          // Line spacing is a property of a block in Qt's rich text: the
          // lines from here on form one, with the open codes carried into it
          // so that the tags still nest.
          close_open();
          if (spaced) html += QStringLiteral("</div>");
          const int height = std::clamp(code.arg.toInt(), 0, 400);
          html += height > 0 ? QStringLiteral("<div style=\"line-height:%1px\">").arg(height)
                             : QStringLiteral("<div>");
          spaced = true;
          for (const Code& o : open) html += OpenTag(o);
        }
      });
  close_open();
  if (spaced) html += QStringLiteral("</div>");
  return html;
}

bool ReadsAsPlainText(const QString& markup) {
  if (markup.isEmpty()) return true;
  if (markup.front().isSpace() || markup.back().isSpace()) return false;
  QChar previous;
  for (const QChar c : markup) {
    if (c == '{' || c == '<' || c == '>' || c == '&' || c == '"') return false;
    // Rich text folds runs of blanks and line breaks into one space.
    if (c.isSpace() && (c != ' ' || previous == ' ')) return false;
    previous = c;
  }
  return true;
}

}  // namespace vidodez::gui

// A control that cannot be used looks so, whatever its style: its pixels
// enabled and disabled are compared under the program's style sheet.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <functional>

#include "gui/window/skin_loader.h"
#include "gui_fixture.h"

namespace vidodez {
namespace {

QImage Look(QWidget* control) {
  return control->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The share of pixels whose colour moved by more than a faint shade.
double ChangedShare(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 1;
  int changed = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      const int moved = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                  std::abs(qBlue(p) - qBlue(q))});
      if (moved > 24) ++changed;
    }
  }
  return double(changed) / (a.width() * a.height());
}

// Between the lightest and the darkest pixel: a greyed-out control has less.
int Contrast(const QImage& image) {
  int low = 255;
  int high = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int lightness = QColor(image.pixel(x, y)).lightness();
      low = std::min(low, lightness);
      high = std::max(high, lightness);
    }
  }
  return high - low;
}

TEST(DisabledLook, EveryKindOfControlLooksDisabled) {
  const gui::SkinResources resources(test::BuiltSkins());
  ASSERT_TRUE(resources.ok());
  QWidget host;
  host.setObjectName("PageRoot");
  auto* column = new QVBoxLayout(&host);
  auto button = [&](const char* role) {
    auto* b = new QPushButton("Print Test", &host);
    if (role != nullptr) b->setProperty("role", role);
    return b;
  };
  auto* combo = new QComboBox(&host);
  combo->addItem("DOS 850");
  struct Case {
    const char* what;
    QWidget* control;
  } cases[] = {
      {"button", button(nullptr)},
      {"secondary button", button("secondary")},
      {"list", combo},
      {"edit", new QLineEdit("arial.ttf", &host)},
      {"check box", new QCheckBox("Print to File", &host)},
      {"option", new QRadioButton("VRLZ", &host)},
  };
  for (const Case& c : cases) column->addWidget(c.control);
  host.resize(300, 400);
  host.show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QImage enabled = Look(c.control);
    c.control->setEnabled(false);
    const QImage disabled = Look(c.control);
    EXPECT_GT(ChangedShare(enabled, disabled), 0.02);
    EXPECT_LT(Contrast(disabled), Contrast(enabled));
  }
}

}  // namespace
}  // namespace vidodez

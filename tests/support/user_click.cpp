#include "support/user_click.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QRadioButton>
#include <QRegion>
#include <QScrollArea>
#include <QWindow>

#include "support/gui_events.h"

namespace vidodez::test {
namespace {

// An indicator sits at the left of its label in every style the skins use;
// the middle of a wide check box may be empty space that takes no click.
bool AimsAtIndicator(const QWidget* control) {
  return qobject_cast<const QCheckBox*>(control) != nullptr ||
         qobject_cast<const QRadioButton*>(control) != nullptr;
}

// A person scrolls a control into view before clicking it.
void ScrollIntoView(QWidget* control) {
  for (QWidget* up = control->parentWidget(); up != nullptr; up = up->parentWidget()) {
    if (auto* area = qobject_cast<QScrollArea*>(up)) area->ensureWidgetVisible(control);
  }
}

QPoint AimPoint(const QWidget* control) {
  const QRect shown = control->visibleRegion().boundingRect();
  if (shown.isEmpty()) return {-1, -1};
  if (AimsAtIndicator(control))
    return {shown.left() + qMin(6, shown.width() / 2), shown.center().y()};
  return shown.center();
}

// The mouse as the platform reports it: to the top-level window, which finds
// the widget under the point itself.
void SendMouse(QWidget* window, QEvent::Type type, QPoint in_window, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QWindow* handle = window->windowHandle();
  QMouseEvent event(type, in_window, handle->mapToGlobal(in_window), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(handle, &event);
}

void ShowWindow(QWidget* window) {
  if (window->isVisible()) return;
  window->show();
  if (!WaitForWindowExposed(window)) ADD_FAILURE() << "the window never showed";
}

}  // namespace

QWidget* UserClick(QWidget* control, QPoint at, Qt::MouseButton button) {
  if (control == nullptr) {
    ADD_FAILURE() << "no control to click";
    return nullptr;
  }
  QWidget* window = control->window();
  ShowWindow(window);
  const QString name = control->objectName();
  if (!control->isVisible()) {
    ADD_FAILURE() << name.toStdString() << " is not on the screen";
    return nullptr;
  }
  ScrollIntoView(control);
  const QPoint local = at.isNull() ? AimPoint(control) : at;
  if (!control->visibleRegion().contains(local)) {
    ADD_FAILURE() << name.toStdString() << " shows nothing at (" << local.x() << ", " << local.y()
                  << ")";
    return nullptr;
  }
  const QPoint in_window = control->mapTo(window, local);
  QWidget* hit = window->childAt(in_window);
  if (hit == nullptr) hit = window;
  // Through the window, as the platform delivers a mouse: Qt finds the widget
  // under the point, skips disabled ones and lets an ignored click go up to
  // the parents.
  SendMouse(window, QEvent::MouseButtonPress, in_window, button, button);
  SendMouse(window, QEvent::MouseButtonRelease, in_window, button, Qt::NoButton);
  return hit;
}

bool UserClickLink(QLabel* label) {
  if (label == nullptr) {
    ADD_FAILURE() << "no label to click";
    return false;
  }
  QWidget* window = label->window();
  ShowWindow(window);
  constexpr int kStep = 2;
  for (int y = kStep / 2; y < label->height(); y += kStep) {
    for (int x = kStep / 2; x < label->width(); x += kStep) {
      SendMouse(window, QEvent::MouseMove, label->mapTo(window, QPoint(x, y)), Qt::NoButton,
                Qt::NoButton);
      if (label->cursor().shape() == Qt::PointingHandCursor) {
        UserClick(label, QPoint(x, y));
        return true;
      }
    }
  }
  return false;
}

}  // namespace vidodez::test

#pragma once
// Turns the operator's actions on a skin's controls into notifications of a
// type and a sender name, delivered to one handler: the way every window and
// page here reacts to its controls. A text the program sets raises nothing;
// only the operator's typing raises "textchanged".

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace vidodez::gui {

inline constexpr char kWindowInit[] = "windowinit";
inline constexpr char kClick[] = "click";
inline constexpr char kSelectChanged[] = "selectchanged";
inline constexpr char kItemSelect[] = "itemselect";
inline constexpr char kItemClick[] = "itemclick";
inline constexpr char kDropDown[] = "dropdown";
// A dropped list closed, whether an entry was chosen or not.
inline constexpr char kCloseUp[] = "closeup";
inline constexpr char kTextChanged[] = "textchanged";
inline constexpr char kLink[] = "link";

struct Notification {
  QString type;
  QString sender;             // the control's skin name
  QPointer<QWidget> control;  // null for "windowinit"
  QString link;               // the target, for "link"
  bool Is(const char* what, const QString& name) const { return type == what && sender == name; }
};

using NotifyHandler = std::function<void(const Notification&)>;

class Notifier final : public QObject {
  Q_OBJECT
 public:
  explicit Notifier(QObject* parent = nullptr) : QObject(parent) {}

  void SetHandler(NotifyHandler handler) { handler_ = std::move(handler); }
  // Hooks every named control under `root` (the root included).
  void Attach(QWidget* root);
  void Send(const Notification& notification);

 private:
  void Hook(QWidget* control);
  NotifyHandler handler_;
};

}  // namespace vidodez::gui

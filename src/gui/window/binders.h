#pragma once
// Binds a skin's controls to the fields of a page model, so a page is a list
// of bindings: Load moves the model to the controls, Store moves the
// controls back. A control missing from the skin is skipped both ways.

#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace vidodez::gui {

class Bindings {
 public:
  explicit Bindings(QWidget* root) : root_(root) {}

  void BindCheck(const QString& name, bool* value);
  void BindComboIndex(const QString& name, int* index);
  void BindLineEdit(const QString& name, std::string* text);
  void BindSpin(const QString& name, int* number);

  void Load() const;
  void Store() const;

 private:
  struct Binding {
    std::function<void()> load;
    std::function<void()> store;
  };
  QWidget* root_;
  std::vector<Binding> bindings_;
};

}  // namespace vidodez::gui

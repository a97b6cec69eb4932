#pragma once
// The storage page.

#include <QString>

#include "gui/pages/selector_pages.h"

namespace vidodez::gui {

class FileManagementUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  FileManagementUI(PageContext& context, QWidget* parent);
  // The picture the conversion dialog saved last (empty: none).
  void SetChosenPicture(const QString& path) { chosen_picture_ = path; }
  const QString& chosen_picture() const { return chosen_picture_; }

 private:
  QString chosen_picture_;
};

}  // namespace vidodez::gui

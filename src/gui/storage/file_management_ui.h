#pragma once
// The storage page: the command console, file sending, the stored forms,
// fonts and graphics, and the graphic store. Every rule lives in the
// StoragePage model; the page moves its controls to and from the model.

#include <QString>

#include "core/storage/storage_page.h"
#include "gui/pages/selector_pages.h"
#include "gui/window/binders.h"
#include "gui/window/window_operator.h"

namespace vidodez::gui {

class FileManagementUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  FileManagementUI(PageContext& context, QString skin_file, QWidget* parent);

  void Init() override;
  void ShowTexts(const std::string& language) override;
  void Notify(const Notification& notification) override;

  // The picture the conversion dialog handed over when it closed (empty:
  // none); it becomes the file to send and proposes the graphic ID.
  void SetChosenPicture(const QString& path);
  const QString& chosen_picture() const { return chosen_picture_; }

  const StoragePage& model() const { return model_; }

 private:
  // Controls to model, and back.
  void Store();
  void Load();
  void ShowFileType();
  void Browse();
  // "Send File to Printer", on a worker while the window shows its progress.
  void SendFile();
  void Run(int (StoragePage::*operation)(CPrinterComm&, Operator&));
  void RunOnList(int (StoragePage::*operation)(CPrinterComm&, Operator&, StoredKind),
                 StoredKind kind);

  StoragePage model_;
  Bindings bindings_;
  WindowOperator operator_;
  QString chosen_picture_;
};

}  // namespace vidodez::gui

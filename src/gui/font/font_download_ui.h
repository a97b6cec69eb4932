#pragma once
// The font page: a TrueType font chosen, converted and downloaded to the
// printer or written to the desktop, and its test page printed. Every rule
// lives in the FontDownloadPage model; the page moves its controls to and
// from the model and shows a preview of the chosen font.

#include <QString>

#include "core/font/font_download_page.h"
#include "gui/pages/selector_pages.h"
#include "gui/window/binders.h"
#include "gui/window/window_operator.h"

namespace vidodez::gui {

class FontDownloadUI final : public SelectorPageUI {
  Q_OBJECT
 public:
  FontDownloadUI(PageContext& context, QString skin_file, QWidget* parent);

  void Init() override;
  void ShowTexts(const std::string& language) override;
  void Notify(const Notification& notification) override;

  const FontDownloadPage& model() const { return model_; }

 private:
  // Controls to model, and back.
  void Store();
  void Load();
  // The ID list of the command type, the kept position chosen when the
  // list has it.
  void FillIds();
  void FillCodePages();
  void ShowPreview();
  void Browse();
  void Download();
  void PrintTest();

  FontDownloadPage model_;
  Bindings bindings_;
  WindowOperator operator_;
};

}  // namespace vidodez::gui

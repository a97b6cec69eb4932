#include "gui/pages/page_ui.h"

#include "gui/window/controls.h"
#include "gui/window/skin_loader.h"

namespace vidodez::gui {

PageUI::PageUI(PageContext& context, QString skin_file, QWidget* parent)
    : QWidget(parent), context_(context), skin_file_(std::move(skin_file)) {}

void PageUI::BuildSkinOnce() {
  if (skin_tried_) return;
  skin_tried_ = true;
  skin_built_ = BuildSkin(context_.skins, skin_file_, this,
                          [this](const QString& class_name, QWidget* parent, const QString&) {
                            return CreateSkinWidget(class_name, parent);
                          });
}

QWidget* PageUI::CreateSkinWidget(const QString&, QWidget*) { return nullptr; }

void PageUI::SetTexts() {
  if (HasTexts(language())) ShowTexts(language());
}

int PageUI::Tell(const char* text, int type) {
  return context_.dialogs.MessageBox(window(), QString::fromUtf8(text), kProgramCaption, type,
                                     language());
}

}  // namespace vidodez::gui

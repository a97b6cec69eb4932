#include "gui/pages/page_ui.h"

#include "gui/window/skin_loader.h"

namespace vidodez::gui {

PageUI::PageUI(PageContext& context, const QString& skin_file, QWidget* parent)
    : QWidget(parent), context_(context) {
  // A page whose skin does not build stays empty; the rest of the program runs.
  skin_built_ = BuildSkin(context_.skins, skin_file, this);
}

int PageUI::Tell(const char* text, int type) {
  return context_.dialogs.MessageBox(window(), QString::fromUtf8(text), kProgramCaption, type,
                                     language());
}

}  // namespace vidodez::gui

#include "gui/window/message_box.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>

#include "core/shell/texts.h"
#include "gui/window/controls.h"

namespace vidodez::gui {
namespace {

constexpr Text kOkText{"OK", "确定"};
constexpr Text kCancelText{"Cancel", "取消"};
constexpr Text kTitleText{"Message", "提示信息"};
constexpr char kFallbackCaption[] = "提示信息";
constexpr char kOkPos[] = "pos=\"218,10,0,0\" ";
constexpr char kRightPos[] = "pos=\"325,10,0,0\" ";

}  // namespace

bool ApplyPosAttribute(QWidget* control, const QString& attributes) {
  static const QRegularExpression pattern(
      QStringLiteral("^\\s*pos=\"(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+)\"\\s*$"));
  const QRegularExpressionMatch match = pattern.match(attributes);
  if (control == nullptr || !match.hasMatch()) return false;
  const int left = match.captured(1).toInt();
  const int top = match.captured(2).toInt();
  const int right = match.captured(3).toInt();
  const int bottom = match.captured(4).toInt();
  QSize size = control->size();
  if (right > left) size.setWidth(right - left);
  if (bottom > top) size.setHeight(bottom - top);
  control->setGeometry(left, top, size.width(), size.height());
  return true;
}

CMarliXMsgBox::CMarliXMsgBox(const SkinArchive& skins, QWidget* parent, const QString& text,
                             const QString& caption, int type, const std::string& language)
    : SkinDialog(skins, "MessageBox.ui", parent, 36) {
  setObjectName("ZvrMessageBox");
  setWindowTitle("Message");
  setFixedSize(kWidth, kHeight);
  const QString title = caption.isEmpty() ? QString::fromUtf8(kFallbackCaption) : caption;
  SetControlTexts(this, "Label", "MsgBoxTitle", title.toUtf8().constData());
  SetControlTexts(this, "Text", "MsgBoxText", text.toUtf8().constData());
  auto* ok = FindControl<QAbstractButton>(this, "MsgBoxOKBtn");
  auto* cancel = FindControl<QAbstractButton>(this, "MsgBoxCancelBtn");
  if (type == kBoxTypeOk) {
    if (cancel != nullptr) cancel->hide();
    ApplyPosAttribute(ok, kRightPos);
  } else if (type == kBoxTypeOkCancel) {
    ApplyPosAttribute(ok, kOkPos);
    ApplyPosAttribute(cancel, kRightPos);
    if (ok != nullptr) ok->show();
    if (cancel != nullptr) cancel->show();
  }
  if (language == "chi" || language == "eng") {
    SetControlTexts(this, "Button", "MsgBoxOKBtn", Pick(kOkText, language));
    SetControlTexts(this, "Button", "MsgBoxCancelBtn", Pick(kCancelText, language));
    SetControlTexts(this, "Label", "MsgBoxTitle", Pick(kTitleText, language));
  }
  if (ok != nullptr) ok->setFocus();
  if (parent != nullptr) {
    move(parent->frameGeometry().center() - QPoint(kWidth / 2, kHeight / 2));
  }
}

void CMarliXMsgBox::Notify(const Notification& n) {
  if (n.type != kClick) return;
  if (n.sender == "MsgBoxOKBtn") {
    box_result_ = kBoxOk;
    accept();
  } else if (n.sender == "MsgBoxCancelBtn" || n.sender == "MsgBoxCloseBtn") {
    box_result_ = kBoxCancel;
    QDialog::reject();
  }
}

void CMarliXMsgBox::reject() {
  // Escape answers as the close button does, never as OK.
  box_result_ = kBoxCancel;
  QDialog::reject();
}

int ShowMessageBox(const SkinArchive& skins, QWidget* parent, const QString& text,
                   const QString& caption, int type, const std::string& language) {
  CMarliXMsgBox box(skins, parent, text, caption, type, language);
  box.exec();
  return box.box_result();
}

}  // namespace vidodez::gui

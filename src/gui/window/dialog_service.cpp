#include "gui/window/dialog_service.h"

#include <QDesktopServices>
#include <QFileDialog>

#include "gui/window/message_box.h"

namespace vidodez::gui {

int QtDialogService::MessageBox(QWidget* parent, const QString& text, const QString& caption,
                                int type, const std::string& language) {
  return ShowMessageBox(skins_, parent, text, caption, type, language);
}

QString QtDialogService::OpenFile(QWidget* parent, const QString& title, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, title, {}, filter);
}

QString QtDialogService::SaveFile(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& suggested) {
  return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

bool QtDialogService::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

int ScriptedDialogService::MessageBox(QWidget*, const QString& text, const QString& caption,
                                      int type, const std::string&) {
  shown_.push_back({text, caption, type});
  if (box_answers_.empty()) return kBoxOk;
  const int answer = box_answers_.front();
  box_answers_.pop_front();
  return answer;
}

QString ScriptedDialogService::NextFile() {
  if (files_.empty()) return {};
  QString path = files_.front();
  files_.pop_front();
  return path;
}

QString ScriptedDialogService::OpenFile(QWidget*, const QString& title, const QString&) {
  file_titles_ << title;
  return NextFile();
}

QString ScriptedDialogService::SaveFile(QWidget*, const QString& title, const QString&,
                                        const QString&) {
  file_titles_ << title;
  return NextFile();
}

bool ScriptedDialogService::OpenUrl(const QUrl& url) {
  opened_urls_ << url.toString();
  return open_url_result_;
}

}  // namespace vidodez::gui

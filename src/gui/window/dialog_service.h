#pragma once
// Everything a window asks the operator or the desktop goes through one
// service: the program's message box, the file dialogs and opening a file or
// link with the desktop's handler. Tests hand the window a scripted service
// that answers from a queue and records what was shown.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <deque>
#include <string>

namespace vidodez::gui {

inline constexpr int kBoxNotAnswered = 1044;
inline constexpr int kBoxOk = 1045;
inline constexpr int kBoxCancel = 1046;
inline constexpr int kBoxTypeOk = 0;
inline constexpr int kBoxTypeOkCancel = 1;
inline constexpr char kProgramCaption[] = "MarliX Vidodez Tool";

class DialogService {
 public:
  virtual ~DialogService() = default;
  virtual int MessageBox(QWidget* parent, const QString& text, const QString& caption, int type,
                         const std::string& language) = 0;
  // Empty when the operator cancels.
  virtual QString OpenFile(QWidget* parent, const QString& title, const QString& filter) = 0;
  virtual QString SaveFile(QWidget* parent, const QString& title, const QString& filter,
                           const QString& suggested) = 0;
  // False when no handler took it.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

class SkinArchive;

class QtDialogService final : public DialogService {
 public:
  explicit QtDialogService(const SkinArchive& skins) : skins_(skins) {}
  int MessageBox(QWidget* parent, const QString& text, const QString& caption, int type,
                 const std::string& language) override;
  QString OpenFile(QWidget* parent, const QString& title, const QString& filter) override;
  QString SaveFile(QWidget* parent, const QString& title, const QString& filter,
                   const QString& suggested) override;
  bool OpenUrl(const QUrl& url) override;

 private:
  const SkinArchive& skins_;
};

class ScriptedDialogService final : public DialogService {
 public:
  struct Shown {
    QString text;
    QString caption;
    int type;
  };

  // Answers for the next boxes; with none queued a box answers OK.
  void QueueBoxAnswer(int answer) { box_answers_.push_back(answer); }
  void QueueFile(const QString& path) { files_.push_back(path); }
  void SetOpenUrlResult(bool ok) { open_url_result_ = ok; }

  const std::deque<Shown>& shown() const { return shown_; }
  // The titles of the file dialogs asked for, in order.
  const QStringList& file_titles() const { return file_titles_; }
  const QStringList& opened_urls() const { return opened_urls_; }

  int MessageBox(QWidget* parent, const QString& text, const QString& caption, int type,
                 const std::string& language) override;
  QString OpenFile(QWidget* parent, const QString& title, const QString& filter) override;
  QString SaveFile(QWidget* parent, const QString& title, const QString& filter,
                   const QString& suggested) override;
  bool OpenUrl(const QUrl& url) override;

 private:
  QString NextFile();

  std::deque<int> box_answers_;
  std::deque<QString> files_;
  std::deque<Shown> shown_;
  QStringList file_titles_;
  QStringList opened_urls_;
  bool open_url_result_ = true;
};

}  // namespace vidodez::gui

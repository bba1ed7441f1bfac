#pragma once

// The built-in help window: shows a compiled HTML help file (.chm) where no system viewer for
// it exists.

#include <QDateTime>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>

#include "help/chm_file.h"

class QAction;
class QToolBar;

// Hands an address outside the help file (a web page, an e-mail) to the system; true when it
// was taken.
using UrlOpener = std::function<bool(const QUrl&)>;

// A text browser whose pages, style sheets and pictures all come from one help file. Topics
// are addressed as "chm://hN/dir/page.htm" (N tells apart the files shown one after another,
// so nothing cached from an earlier file is shown); relative links resolve against the topic
// shown. Links to web pages and e-mail go to the URL opener; links to anything else outside
// the help file (local files, scripts) are not followed, and nothing is read from outside it.
class HelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpBrowser(QWidget* parent = nullptr);

  // The file the topics come from; not owned. Changing it clears the page and the history.
  void setHelpFile(ChmFile* file);
  ChmFile* helpFile() const;
  void setUrlOpener(UrlOpener opener);

  // The address of a topic of the current file.
  QUrl topicUrl(const QString& objectPath) const;
  // The object path of the topic shown ("/index.htm"); empty when none is.
  QString currentTopic() const;

  QVariant loadResource(int type, const QUrl& name) override;

  // Pictures are scaled down to fit this many pixels either way.
  static constexpr int kMaxImageSide = 4096;

 protected:
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

 private:
  // The object path a link inside the help file names; empty when it leads elsewhere.
  QString objectPathOf(const QUrl& url) const;

  ChmFile* file_ = nullptr;
  int generation_ = 0;
  UrlOpener opener_;
};

// The help window. The caller keeps one and calls ShowDefaultTopic() each time help is asked
// for: the window comes up (or to the front) on the file's default topic. Toolbar: back,
// forward and contents (the default topic).
class HelpViewer : public QWidget {
  Q_OBJECT

 public:
  explicit HelpViewer(QWidget* parent = nullptr);
  ~HelpViewer() override;

  // Whether the window can be shown at all (a QApplication is running).
  static bool Available();

  // Shows the default topic of the help file at chmPath, opening the file unless it is the one
  // already shown and unchanged on disk. When the file is missing, unreadable or has no
  // readable topic, or is not a regular file, nothing is shown or changed and the result is
  // false (see errorString(), which says why in the reader's words).
  bool ShowDefaultTopic(const QString& chmPath);

  QString currentTopic() const;  // object path of the topic shown
  QString documentText() const;  // plain text of the topic shown
  QString errorString() const;   // why the last ShowDefaultTopic() failed

  // Replaces the opener of outside links (by default QDesktopServices::openUrl).
  void setUrlOpener(UrlOpener opener);

  HelpBrowser* browser() const;
  const ChmFile* helpFile() const;  // the file shown; nullptr before the first success
  QAction* backAction() const;
  QAction* forwardAction() const;
  QAction* contentsAction() const;

  static constexpr int kDefaultWidth = 760;
  static constexpr int kDefaultHeight = 560;

 private:
  void showContents();

  std::unique_ptr<ChmFile> file_;
  QString canonicalPath_;
  qint64 fileSize_ = -1;
  QDateTime fileModified_;
  QString error_;
  bool sized_ = false;

  QToolBar* toolBar_ = nullptr;
  HelpBrowser* browser_ = nullptr;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
  QAction* contents_ = nullptr;
};

// Where a help file named `name` is looked for: an absolute name as it is, a relative one in the
// catalogue's folder, never in the working directory. Empty when there is no name, or a
// relative one and no folder.
QString FindHelpFile(const QString& name, const QString& catalogueDir);

#include "help/help_service.h"

#include <QDir>

#include "help/help_viewer.h"
#include "help/html_help_win.h"

namespace {

class BuiltInHelp : public HelpService {
 public:
  explicit BuiltInHelp(QString executableDir) : executableDir_(std::move(executableDir)) {}

  bool Load() override { return HelpViewer::Available(); }

  QString ShowHelp(const QString& helpFile) override {
    if (!HelpViewer::Available()) return {};
    const QString path = FindHelpFile(helpFile, executableDir_);
    if (!window_) window_ = std::make_unique<HelpViewer>();
    if (window_->ShowDefaultTopic(path)) return {};
    return QStringLiteral("Справка не открывается: %1\n%2")
        .arg(QDir::toNativeSeparators(path.isEmpty() ? helpFile : path), window_->errorString());
  }

  HelpViewer* Window() const override { return window_.get(); }

 private:
  QString executableDir_;
  std::unique_ptr<HelpViewer> window_;  // made when help is first shown
};

#ifdef _WIN32
class SystemHelp : public HelpService {
 public:
  bool Load() override { return library_.Load(); }
  QString ShowHelp(const QString& helpFile) override {
    library_.DisplayTopic(helpFile.toStdWString());
    return {};
  }

 private:
  HtmlHelpLibrary library_;
};
#endif

}  // namespace

std::unique_ptr<HelpService> MakeBuiltInHelp(QString executableDir) {
  return std::make_unique<BuiltInHelp>(std::move(executableDir));
}

#ifdef _WIN32
std::unique_ptr<HelpService> MakeSystemHelp() { return std::make_unique<SystemHelp>(); }
#endif

std::unique_ptr<HelpService> MakePlatformHelp(QString executableDir) {
#ifdef _WIN32
  (void)executableDir;
  return MakeSystemHelp();
#else
  return MakeBuiltInHelp(std::move(executableDir));
#endif
}

#include "order/word_backends.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "base/file_lookup.h"
#include "order/word_com_win.h"
#include "order_engine/docx_engine.h"
#include "order_engine/word97.h"

namespace {

class EngineBackend : public WordBackend {
 public:
  explicit EngineBackend(EngineServices services) : services_(std::move(services)) {}

  bool Connect() override { return true; }
  bool SetVisible(bool) override { return true; }
  bool DocumentsAdd(const QString& templatePath) override {
    std::string file = (services_.nativePath ? services_.nativePath(templatePath) : templatePath).toStdString();
    if (order::IsWord97File(file)) {
      auto converted = services_.convertWord97 ? services_.convertWord97(file)
                                               : base::Result<std::string>::Fail(order::kWord97Template);
      if (!converted) return Fail(converted.error());
      file = std::move(converted).value();
    }
    auto doc = order::DocxDocument::FromTemplate(file);
    if (!doc) return Fail(doc.error());
    doc_ = std::move(doc).value();
    return true;
  }
  QString errorString() const override { return error_; }
  QString documentPath() const override { return saved_; }
  bool FindExecute(const QString& text) override { return doc_ && doc_->Find(text.toStdString()); }
  bool SelectionDelete() override { return doc_ && doc_->Delete(); }
  bool SelectionInsertAfter(const QString& text) override { return doc_ && doc_->InsertAfter(text.toStdString()); }
  bool SelectionMoveRight(int count) override { return doc_ && doc_->MoveRight(count); }
  bool SelectionMoveLeft(int count) override { return doc_ && doc_->MoveLeft(count); }
  bool SelectionDeleteChars(int count) override { return doc_ && doc_->DeleteChars(count); }
  bool SelectionInsertRows(int count) override { return doc_ && doc_->InsertRows(count); }

  void ExportFinished() override {
    if (!doc_) return;
    auto doc = std::move(doc_);
    QString path;
    base::Status saved = base::Status::Fail("Нет свободного имени для файла заявки.");
    // The first free name; a name anything holds (a dangling link too) is passed over, and so
    // is one taken between the look and the writing, since saving never replaces a file.
    const QDir dir(OrderDocumentsFolder(services_.documentsDir));
    const QString stem = QStringLiteral("Заявка на запасные части %1")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
    for (int n = 1; n < 1000 && !saved; ++n) {
      path = dir.filePath(n == 1 ? stem + QStringLiteral(".docx") : QStringLiteral("%1 (%2).docx").arg(stem).arg(n));
      if (Taken(path)) continue;
      saved = doc->Save(path.toStdString());
      if (!saved && !Taken(path)) break;
    }
    if (!saved) {
      Message(QStringLiteral("Не удалось сохранить документ заявки.\n%1").arg(QString::fromStdString(saved.error())));
      return;
    }
    saved_ = path;
    if (!services_.openUrl || !services_.openUrl(QUrl::fromLocalFile(path)))
      Message(QStringLiteral("Документ заявки сохранён в файл\n%1\nно открыть его не удалось.")
                  .arg(QDir::toNativeSeparators(path)));
  }

 private:
  void Message(const QString& text) const {
    if (services_.showMessage) services_.showMessage(text);
  }
  bool Fail(const std::string& why) {
    error_ = QString::fromStdString(why);
    return false;
  }
  static bool Taken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
  }
  static QString OrderDocumentsFolder(const QString& folder) {
    if (!folder.isEmpty()) return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QFileInfo info(documents);
    return !documents.isEmpty() && info.isDir() && info.isWritable()
               ? documents
               : QStandardPaths::writableLocation(QStandardPaths::TempLocation);
  }

  EngineServices services_;
  QString error_;
  QString saved_;
  std::unique_ptr<order::DocxDocument> doc_;
};

#ifdef _WIN32
class ComWordBackend : public WordBackend {
 public:
  bool Connect() override { return word_.Connect(); }
  bool SetVisible(bool visible) override { return word_.SetVisible(visible); }
  bool DocumentsAdd(const QString& path) override { return word_.DocumentsAdd(path.toStdWString()); }
  bool FindExecute(const QString& text) override { return word_.FindExecute(text.toStdWString()); }
  bool SelectionDelete() override { return word_.SelectionDelete(); }
  bool SelectionInsertAfter(const QString& text) override { return word_.SelectionInsertAfter(text.toStdWString()); }
  bool SelectionMoveRight(int count) override { return word_.SelectionMoveRight(count); }
  bool SelectionMoveLeft(int count) override { return word_.SelectionMoveLeft(count); }
  bool SelectionDeleteChars(int count) override { return word_.SelectionDeleteChars(count); }
  bool SelectionInsertRows(int count) override { return word_.SelectionInsertRows(count); }

 private:
  ComWordApplication word_;
};
#endif

}  // namespace

#ifdef _WIN32
std::unique_ptr<WordBackend> MakeComWordBackend() { return std::make_unique<ComWordBackend>(); }
#endif

std::unique_ptr<WordBackend> MakeEngineBackend(EngineServices services) {
  return std::make_unique<EngineBackend>(std::move(services));
}

WordBackendFactory DefaultWordBackendFactory(EngineServices services) {
  return [services]() -> std::unique_ptr<WordBackend> {
#ifdef _WIN32
    auto word = MakeComWordBackend();
    if (word->Connect()) return word;
#endif
    return MakeEngineBackend(services);
  };
}

base::Result<std::string> ConvertedTemplates::Convert(const std::string& templatePath,
                                                      const std::vector<std::string>& environment) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path source = base::PathFromUtf8(templatePath);
  const auto size = fs::file_size(source, ec);
  const auto modified = fs::last_write_time(source, ec);
  for (const Done& d : done_)
    if (d.source == templatePath && d.size == size && d.modified == modified &&
        fs::is_regular_file(base::PathFromUtf8(d.converted), ec))
      return d.converted;
  if (!dir_.isValid()) return base::Result<std::string>::Fail(order::kWord97Template);
  const QString work = dir_.filePath(QString::number(done_.size() + 1));
  auto converted = order::ConvertWord97Template(templatePath, work.toStdString(), environment);
  if (converted) done_.push_back({templatePath, size, modified, converted.value()});
  return converted;
}

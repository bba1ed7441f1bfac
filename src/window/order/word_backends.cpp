#include "order/word_backends.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "order_engine/docx_engine.h"
#include "order/word_com_win.h"

namespace {

class EngineBackend : public WordBackend {
 public:
  explicit EngineBackend(EngineServices services) : services_(std::move(services)) {}

  bool Connect() override { return true; }
  bool SetVisible(bool) override { return true; }
  bool DocumentsAdd(const QString& templatePath) override {
    const QString file = services_.nativePath ? services_.nativePath(templatePath) : templatePath;
    auto doc = order::DocxDocument::FromTemplate(file.toStdString());
    if (!doc) return false;
    doc_ = std::move(doc).value();
    return true;
  }
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
    const QString path = NewOrderDocumentPath(services_.documentsDir);
    const auto saved = path.isEmpty() ? base::Status::Fail({}) : doc->Save(path.toStdString());
    if (!saved) {
      Message(QStringLiteral("Не удалось сохранить документ заявки.\n%1").arg(QString::fromStdString(saved.error())));
      return;
    }
    if (!services_.openUrl || !services_.openUrl(QUrl::fromLocalFile(path)))
      Message(QStringLiteral("Документ заявки сохранён в файл\n%1\nно открыть его не удалось.")
                  .arg(QDir::toNativeSeparators(path)));
  }

 private:
  void Message(const QString& text) const {
    if (services_.showMessage) services_.showMessage(text);
  }

  EngineServices services_;
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

QString NewOrderDocumentPath(const QString& folder) {
  QString dir = folder;
  if (dir.isEmpty()) {
    dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QFileInfo(dir).isDir() || !QFileInfo(dir).isWritable())
      dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
  }
  const QString stem = QStringLiteral("Заявка на запасные части %1")
                           .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
  QString path = QDir(dir).filePath(stem + QStringLiteral(".docx"));
  for (int n = 2; QFileInfo::exists(path) && n < 1000; ++n)
    path = QDir(dir).filePath(QStringLiteral("%1 (%2).docx").arg(stem).arg(n));
  return QFileInfo::exists(path) ? QString() : path;
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

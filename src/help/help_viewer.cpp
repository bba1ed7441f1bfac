#include "help/help_viewer.h"

#include "help/page_weight.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QKeySequence>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString kScheme = QStringLiteral("chm");
constexpr int kPageMargin = 12;

// Schemes of addresses that belong to the help file itself: its own, and the forms HTML Help
// writes links into a .chm with ("mk:@MSITStore:file.chm::/page.htm", "ms-its:file.chm::/...").
bool IsChmLinkScheme(const QString& scheme) {
  return scheme.compare(QLatin1String("mk"), Qt::CaseInsensitive) == 0 ||
         scheme.compare(QLatin1String("ms-its"), Qt::CaseInsensitive) == 0 ||
         scheme.compare(QLatin1String("its"), Qt::CaseInsensitive) == 0;
}

// Addresses handed to the system rather than shown here.
bool IsOutsideScheme(const QString& scheme) {
  for (const char* s : {"http", "https", "mailto"})
    if (scheme.compare(QLatin1String(s), Qt::CaseInsensitive) == 0) return true;
  return false;
}

// A page's mail link names a recipient, a subject and a text; an attachment it asks for would
// hand a file of the user's to the mail program, so it is dropped.
QUrl WithoutAttachments(QUrl url) {
  if (url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) != 0 || !url.hasQuery()) return url;
  QStringList kept;
  for (const QString& item : url.query(QUrl::FullyEncoded).split(QLatin1Char('&'))) {
    const QString key = QUrl::fromPercentEncoding(item.section(QLatin1Char('='), 0, 0).toUtf8()).trimmed();
    if (key.compare(QLatin1String("attach"), Qt::CaseInsensitive) != 0 &&
        key.compare(QLatin1String("attachment"), Qt::CaseInsensitive) != 0)
      kept << item;
  }
  url.setQuery(kept.isEmpty() ? QString() : kept.join(QLatin1Char('&')), QUrl::StrictMode);
  return url;
}

QByteArray ImageFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return "jpeg";
  if (suffix == QLatin1String("svg") || suffix == QLatin1String("svgz")) return "svg";
  if (suffix == QLatin1String("png") || suffix == QLatin1String("gif") || suffix == QLatin1String("bmp") ||
      suffix == QLatin1String("ico"))
    return suffix.toLatin1();
  return {};
}

// Qt applies <link rel="stylesheet"> only with type="text/css", which browsers and HTML Help
// take for granted; pages that leave it out get it added.
QString WithStyleSheetTypes(QString html) {
  static const QRegularExpression link(QStringLiteral(R"(<link\b[^>]*>)"), QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression stylesheet(QStringLiteral(R"(\brel\s*=\s*["']?\s*stylesheet\b)"),
                                             QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression typed(QStringLiteral(R"(\btype\s*=)"), QRegularExpression::CaseInsensitiveOption);
  qsizetype from = 0;
  for (auto m = link.match(html, from); m.hasMatch(); m = link.match(html, from)) {
    const QString tag = m.captured(0);
    from = m.capturedEnd(0);
    if (!tag.contains(stylesheet) || tag.contains(typed)) continue;
    const QString fixed = tag.left(5) + QStringLiteral(" type=\"text/css\"") + tag.mid(5);
    html.replace(m.capturedStart(0), tag.size(), fixed);
    from += fixed.size() - tag.size();
  }
  return html;
}

// The contents button: an open book.
QIcon ContentsIcon() {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x14, 0x36, 0x70), 1));
  p.setBrush(QColor(0x4f, 0x86, 0xe0));
  p.drawRoundedRect(QRectF(1.5, 5.5, 21, 15), 1.5, 1.5);
  p.setPen(QPen(QColor(0x6f, 0x6d, 0x64), 0.8));
  p.setBrush(QColor(0xfb, 0xfb, 0xf8));
  p.drawPolygon(QPolygonF({QPointF(12, 6), QPointF(3, 4), QPointF(3, 18), QPointF(12, 19.5)}));
  p.drawPolygon(QPolygonF({QPointF(12, 6), QPointF(21, 4), QPointF(21, 18), QPointF(12, 19.5)}));
  p.setPen(QPen(QColor(0x9a, 0x98, 0x8e), 1));
  for (int i = 0; i < 4; ++i) {
    const qreal y = 8.5 + i * 2.5;
    p.drawLine(QPointF(5, y - 0.4), QPointF(10, y + 0.4));
    p.drawLine(QPointF(14, y + 0.4), QPointF(19, y - 0.4));
  }
  p.end();
  return QIcon(pixmap);
}

QString ErrorPage(const QString& heading, const QString& text) {
  return QStringLiteral(
             "<html><head><meta charset=\"utf-8\"></head><body>"
             "<h2 style=\"color:#8a1f11\">%1</h2><p>%2</p></body></html>")
      .arg(heading.toHtmlEscaped(), text.toHtmlEscaped());
}

}  // namespace

// ---------------------------------------------------------------------------------------------

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(true);
  setOpenExternalLinks(false);  // outside links go through doSetSource to the opener
  opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void HelpBrowser::setHelpFile(ChmFile* file) {
  file_ = file;
  ++generation_;
  clear();
  document()->clear();
}

ChmFile* HelpBrowser::helpFile() const { return file_; }

void HelpBrowser::setUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

QUrl HelpBrowser::topicUrl(const QString& objectPath) const {
  QUrl url;
  url.setScheme(kScheme);
  url.setHost(QStringLiteral("h%1").arg(generation_));
  url.setPath(ChmFile::NormalizePath(objectPath));
  return url;
}

QString HelpBrowser::currentTopic() const {
  const QUrl url = source();
  if (url.isEmpty()) return {};
  return objectPathOf(url);
}

QString HelpBrowser::objectPathOf(const QUrl& url) const {
  const QString scheme = url.scheme();
  if (scheme.compare(kScheme, Qt::CaseInsensitive) == 0 || scheme.isEmpty())
    return ChmFile::NormalizePath(url.path(QUrl::FullyDecoded));
  if (IsChmLinkScheme(scheme)) {
    // Only the part after "::" names the object; the file named before it is taken to be this one.
    const QString whole = QUrl::fromPercentEncoding(url.toString(QUrl::RemoveFragment).toUtf8());
    const auto sep = whole.indexOf(QLatin1String("::"));
    if (sep >= 0) return ChmFile::NormalizePath(whole.mid(sep + 2));
  }
  return {};
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
  QUrl url = name;
  if (url.isRelative() && !source().isEmpty()) url = source().resolved(url);
  if (IsOutsideScheme(url.scheme())) {
    if (opener_) opener_(WithoutAttachments(url));
    return;
  }
  const QString path = objectPathOf(url);
  if (path.isEmpty() || !file_) return;  // a local file, a script: not followed
  QUrl target = topicUrl(path);
  if (url.hasFragment()) target.setFragment(url.fragment(QUrl::FullyDecoded));
  QTextBrowser::doSetSource(target, type);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  // Everything comes from the help file: never from disk or the network. Every resource is
  // answered here, also one the file lacks: an empty answer would send the document and its
  // picture painter to the file system (relative to the working directory) instead.
  const auto nothing = [type]() -> QVariant {
    if (type == QTextDocument::ImageResource) {
      QImage none(1, 1, QImage::Format_ARGB32);
      none.fill(Qt::transparent);
      return none;
    }
    if (type == QTextDocument::StyleSheetResource) return QString();
    return QByteArray();
  };
  QUrl url = name;
  if (url.isRelative() && !source().isEmpty()) url = source().resolved(url);
  const QString path = file_ ? objectPathOf(url) : QString();
  const bool page = type == QTextDocument::HtmlResource || type == QTextDocument::UnknownResource;
  if (path.isEmpty()) return page ? QVariant(ErrorPage(tr("Раздел не найден"), url.toString())) : nothing();

  const bool picture = type == QTextDocument::ImageResource || !ImageFormatOf(path).isEmpty();
  // A page far past the size shown is not even read (its text takes at least a byte a sign).
  if (page && !picture && file_->sizeOf(path).value_or(0) > quint64(PageLimits().characters) * 4)
    return ErrorPage(tr("Раздел не показан"),
                     tr("Раздел «%1» слишком велик: %2 байт.").arg(path).arg(*file_->sizeOf(path)));
  const auto data = file_->read(path);
  if (!data) {
    if (!page) return nothing();
    if (!file_->contains(path))
      return ErrorPage(tr("Раздел не найден"), tr("В файле справки нет раздела «%1».").arg(path));
    return ErrorPage(tr("Раздел не читается"), tr("Раздел «%1» в файле справки повреждён.").arg(path));
  }

  const QByteArray format = ImageFormatOf(path);
  if (type == QTextDocument::ImageResource || (page && !format.isEmpty())) {
    if (page)  // a link straight to a picture: show it on a page of its own
      return QStringLiteral("<html><body><p><img src=\"%1\"></p></body></html>")
          .arg(QUrl(path).fileName().toHtmlEscaped());
    QBuffer buffer;
    buffer.setData(*data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(true);
    // A picture claiming a huge size is drawn smaller rather than allocated in full. Drawings
    // (SVG) are drawn at twice their size, so that they stay sharp when a page enlarges them.
    const QSize size = reader.size();
    const bool drawing =
        format == "svg" && size.isValid() && size.width() * 2 <= kMaxImageSide && size.height() * 2 <= kMaxImageSide;
    if (drawing)
      reader.setScaledSize(size * 2);
    else if (size.isValid() && (size.width() > kMaxImageSide || size.height() > kMaxImageSide))
      reader.setScaledSize(size.scaled(kMaxImageSide, kMaxImageSide, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull()) return nothing();
    if (drawing) image.setDevicePixelRatio(2);
    return image;
  }
  if (page) {
    // A page that would take the window long to lay out shows why instead.
    const QString html = DecodeHelpText(*data, file_->codepage());
    if (const auto why = PageTooHeavy(WeighPage(html))) return ErrorPage(tr("Раздел не показан"), *why);
    return WithStyleSheetTypes(html);
  }
  if (type == QTextDocument::StyleSheetResource) return DecodeHelpText(*data, file_->codepage());
  return nothing();
}

// ---------------------------------------------------------------------------------------------

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent) {
  setWindowFlag(Qt::Window);
  setWindowTitle(tr("Справка"));

  toolBar_ = new QToolBar(this);
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  toolBar_->setMovable(false);
  browser_ = new HelpBrowser(this);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(10.5);
  browser_->setFont(font);
  browser_->document()->setDefaultFont(font);
  // Room between the text and the window edge, kept on every page the browser loads.
  const auto setMargin = [this] { browser_->document()->setDocumentMargin(kPageMargin); };
  setMargin();
  connect(browser_, &QTextBrowser::sourceChanged, this, setMargin);

  back_ = toolBar_->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Назад"));
  back_->setShortcut(QKeySequence::Back);
  back_->setToolTip(tr("Назад: предыдущий раздел"));
  forward_ = toolBar_->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Вперёд"));
  forward_->setShortcut(QKeySequence::Forward);
  forward_->setToolTip(tr("Вперёд: раздел, с которого вернулись"));
  contents_ = toolBar_->addAction(ContentsIcon(), tr("Содержание"));
  contents_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
  contents_->setToolTip(tr("Содержание справки"));
  back_->setEnabled(false);
  forward_->setEnabled(false);
  contents_->setEnabled(false);

  connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(contents_, &QAction::triggered, this, &HelpViewer::showContents);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(browser_);
}

HelpViewer::~HelpViewer() {
  // The browser outlives file_ as a child widget: let go of the file before it is freed.
  browser_->setHelpFile(nullptr);
}

bool HelpViewer::Available() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

bool HelpViewer::ShowDefaultTopic(const QString& chmPath) {
  error_.clear();
  if (!Available()) {
    error_ = QStringLiteral("no application window system to show help in");
    return false;
  }
  // Only a regular file is opened: a FIFO would wait for a writer for ever.
  const QFileInfo info(chmPath);
  if (chmPath.isEmpty() || !info.exists()) {
    error_ = tr("файла нет");
    return false;
  }
  if (info.isDir() || !info.isFile()) {
    error_ = info.isDir() ? tr("это папка, а не файл") : tr("это не обычный файл");
    return false;
  }
  const QString canonical = info.canonicalFilePath();
  const bool unchanged =
      file_ && canonical == canonicalPath_ && info.size() == fileSize_ && info.lastModified() == fileModified_;
  if (!unchanged) {
    // The new file replaces the shown one only once its default topic has been read.
    auto file = std::make_unique<ChmFile>();
    if (!file->open(chmPath)) {
      error_ = tr("файл повреждён или это не файл справки (%1)").arg(file->errorString());
      return false;
    }
    const QString topic = file->defaultTopic();
    if (topic.isEmpty()) {
      error_ = tr("в файле нет раздела, с которого начать");
      return false;
    }
    if (!file->read(topic)) {
      error_ = tr("первый раздел не читается (%1)").arg(file->errorString());
      return false;
    }
    browser_->setHelpFile(file.get());
    file_ = std::move(file);
    canonicalPath_ = canonical;
    fileSize_ = info.size();
    fileModified_ = info.lastModified();
    setWindowTitle(file_->title().isEmpty() ? tr("Справка") : file_->title());
    contents_->setEnabled(true);
    // The history of the file shown before ends here: it starts anew at the default topic.
    showContents();
    browser_->clearHistory();
  } else {
    showContents();
  }
  if (!sized_) {
    resize(kDefaultWidth, kDefaultHeight);
    sized_ = true;
  }
  setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  show();
  raise();
  activateWindow();
  return true;
}

void HelpViewer::showContents() {
  if (!file_) return;
  browser_->setSource(browser_->topicUrl(file_->defaultTopic()));
  browser_->verticalScrollBar()->setValue(0);
}

QString HelpViewer::currentTopic() const { return browser_->currentTopic(); }
QString HelpViewer::documentText() const { return browser_->toPlainText(); }
QString HelpViewer::errorString() const { return error_; }
void HelpViewer::setUrlOpener(UrlOpener opener) { browser_->setUrlOpener(std::move(opener)); }
HelpBrowser* HelpViewer::browser() const { return browser_; }
const ChmFile* HelpViewer::helpFile() const { return file_.get(); }
QAction* HelpViewer::backAction() const { return back_; }
QAction* HelpViewer::forwardAction() const { return forward_; }
QAction* HelpViewer::contentsAction() const { return contents_; }

QString FindHelpFile(const QString& name, const QString& catalogueDir) {
  if (name.isEmpty()) return {};
  if (QFileInfo(name).isAbsolute()) return QFileInfo(name).absoluteFilePath();
  if (catalogueDir.isEmpty()) return {};
  return QFileInfo(QDir(catalogueDir), name).absoluteFilePath();
}

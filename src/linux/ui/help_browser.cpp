#include "help_browser.h"

#include <QStringDecoder>
#include <QTextDocument>

#include "qt_text.h"

namespace korvane::ui {
namespace {

constexpr char kScheme[] = "chm";
constexpr char16_t kViewerTitle[] = u"帮助";

// Help pages carry their own character set in a meta tag; pages without one
// are taken as UTF-8.
QString DecodePage(const QByteArray& bytes) {
  QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
  if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
  return decoder.decode(bytes);
}

}  // namespace

QUrl HelpFileUrl(const std::string& objectPath) {
  QUrl url;
  url.setScheme(QString::fromLatin1(kScheme));
  url.setPath(QString::fromUtf8(objectPath));
  return url;
}

HelpBrowser::HelpBrowser(ChmArchive archive, QWidget* owner)
    : QTextBrowser(owner), archive_(std::move(archive)) {
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ToQString(kViewerTitle));
  resize(720, 540);
  connect(this, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = documentTitle();
    setWindowTitle(title.isEmpty() ? ToQString(kViewerTitle) : title);
  });
}

void HelpBrowser::ShowDefaultTopic() {
  if (const auto topic = archive_.DefaultTopic()) {
    setSource(HelpFileUrl(*topic));
  } else {
    clear();
  }
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  const QUrl url = name.isRelative() ? source().resolved(name) : name;
  if (url.scheme() != QLatin1String(kScheme)) return QTextBrowser::loadResource(type, name);
  const auto bytes = archive_.Read(url.path(QUrl::FullyDecoded).toStdString());
  if (!bytes) return {};
  const QByteArray data(bytes->data(), static_cast<qsizetype>(bytes->size()));
  if (type == QTextDocument::HtmlResource) return DecodePage(data);
  return data;
}

}  // namespace korvane::ui

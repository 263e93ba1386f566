#include "gui/main/help_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpFilterEngine>
#include <QHelpLink>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/common/command_controls.h"
#include "gui/common/texts.h"

namespace velmar {

namespace {

constexpr const char* kHelpFileName = "velmar.qch";
constexpr const char* kStampKey = "velmar/helpFileStamp";

// Pages come out of the help file, not off the disk.
class HelpBrowser : public QTextBrowser {
 public:
  explicit HelpBrowser(QHelpEngine*& engine) : engine_(engine) {}
  QVariant loadResource(int type, const QUrl& name) override {
    if (name.scheme() == "qthelp" && engine_) return engine_->fileData(name);
    return QTextBrowser::loadResource(type, name);
  }

 private:
  QHelpEngine*& engine_;
};

// What identifies one build of the help file: where it is and when it was
// made. A collection that registered another one registers it afresh.
QString stampOf(const QString& file) {
  const QFileInfo info(file);
  return info.canonicalFilePath() + '|' + QString::number(info.lastModified().toMSecsSinceEpoch());
}

QStringList wordsOf(const QString& text) {
  static const QRegularExpression blanks("[\\s\\x{3000}]+");
  return text.split(blanks, Qt::SkipEmptyParts);
}

}  // namespace

QString findHelpFile() {
  const QDir app(QCoreApplication::applicationDirPath());
  // The build tree keeps it in help/ beside the executables; an installed
  // program in <prefix>/share/velmar beside <prefix>/bin.
  for (const QString& candidate : {app.filePath(QString("help/") + kHelpFileName),
                                   app.filePath(QString("../share/velmar/") + kHelpFileName)}) {
    const QFileInfo info(candidate);
    if (info.isFile() && info.isReadable()) return info.canonicalFilePath();
  }
  return {};
}

HelpWindow::HelpWindow(const QString& helpFile, const QString& collectionDir, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  setWindowTitle(QString::fromUtf8(texts::kHelpTitle));
  // Its search and index fields are where a user types words: there Ctrl+Z
  // undoes and Ctrl+X cuts, as in any text field.
  setProperty(kOwnEditingKeys, true);
  ready_ = openEngine(helpFile, collectionDir);

  browser_ = new HelpBrowser(engine_);
  browser_->setObjectName("HelpPage");
  browser_->setOpenLinks(true);

  tabs_ = new QTabWidget;
  tabs_->setObjectName("HelpTabs");
  if (ready_) {
    QHelpContentWidget* contents = engine_->contentWidget();
    contents->setObjectName("HelpContents");
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::open);
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, contents,
            &QTreeView::expandAll);
    tabs_->addTab(contents, QString::fromUtf8(texts::kHelpContents));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* indexLabel = new QLabel(QString::fromUtf8(texts::kHelpKeyword));
    indexField_ = new QLineEdit;
    indexField_->setObjectName("HelpIndexField");
    indexLabel->setBuddy(indexField_);
    // The keywords are read at once, not by the engine's background
    // index: Enter right after typing finds its page.
    index_ = new QListWidget;
    index_->setObjectName("HelpIndex");
    QStringList keywords = engine_->filterEngine()->indices(QString());
    keywords.sort(Qt::CaseInsensitive);
    keywords.removeDuplicates();
    index_->addItems(keywords);
    connect(indexField_, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(indexField_, &QLineEdit::returnPressed, this, [this] {
      if (QListWidgetItem* item = index_->currentItem()) openKeyword(item->text());
    });
    connect(index_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
      if (!sameClick(item)) openKeyword(item->text());
    });
    connect(index_, &QListWidget::itemClicked, index_, &QListWidget::itemActivated);
    indexLayout->addWidget(indexLabel);
    indexLayout->addWidget(indexField_);
    indexLayout->addWidget(index_, 1);
    tabs_->addTab(indexPage, QString::fromUtf8(texts::kHelpIndex));

    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    auto* searchLabel = new QLabel(QString::fromUtf8(texts::kHelpSearchTerm));
    searchField_ = new QLineEdit;
    searchField_->setObjectName("HelpSearchField");
    searchLabel->setBuddy(searchField_);
    auto* go = new QPushButton(QString::fromUtf8(texts::kHelpSearch));
    auto* row = new QHBoxLayout;
    row->addWidget(searchField_, 1);
    row->addWidget(go);
    results_ = new QListWidget;
    results_->setObjectName("HelpSearchResults");
    results_->setWordWrap(true);
    connect(searchField_, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
    connect(go, &QPushButton::clicked, this, &HelpWindow::runSearch);
    connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
      if (sameClick(item)) return;
      open(item->data(Qt::UserRole).toUrl());
      // Show where the words stand on the page.
      const QStringList words = wordsOf(searchField_->text());
      if (!words.isEmpty()) browser_->find(words.first());
    });
    connect(results_, &QListWidget::itemClicked, results_, &QListWidget::itemActivated);
    searchLayout->addWidget(searchLabel);
    searchLayout->addLayout(row);
    searchLayout->addWidget(results_, 1);
    tabs_->addTab(searchPage, QString::fromUtf8(texts::kHelpSearch));
  } else {
    browser_->setPlainText(error_);
  }

  auto* split = new QSplitter;
  split->addWidget(tabs_);
  split->addWidget(browser_);
  split->setStretchFactor(1, 1);
  split->setSizes({240, 560});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(split);
  resize(820, 560);
}

HelpWindow::~HelpWindow() = default;

bool HelpWindow::openEngine(const QString& helpFile, const QString& collectionDir) {
  if (helpFile.isEmpty() || !QFileInfo(helpFile).isFile()) {
    error_ = QString::fromUtf8(texts::kHelpMissing).arg(kHelpFileName);
    return false;
  }
  QString dir = collectionDir;
  if (dir.isEmpty()) {
    dir = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!dir.isEmpty()) dir += "/velmar/help";
  }
  if (dir.isEmpty() || !QDir().mkpath(dir)) {
    // No cache folder: the collection lives for this run only.
    scratch_ = std::make_unique<QTemporaryDir>();
    if (!scratch_->isValid()) {
      error_ = QString::fromUtf8(texts::kHelpNoFolder);
      return false;
    }
    dir = scratch_->path();
  }
  engine_ = new QHelpEngine(QDir(dir).filePath("velmar.qhc"), this);
  // The collection is ours to create and to keep up to date.
  engine_->setReadOnly(false);
  engine_->setUsesFilterEngine(true);
  if (!engine_->setupData()) {
    error_ = QString::fromUtf8(texts::kHelpCannotOpen).arg(engine_->error());
    return false;
  }
  namespace_ = QHelpEngineCore::namespaceName(helpFile);
  if (namespace_.isEmpty()) {
    error_ = QString::fromUtf8(texts::kHelpUnreadable).arg(helpFile);
    return false;
  }
  const QString stamp = stampOf(helpFile);
  const bool registered = engine_->registeredDocumentations().contains(namespace_);
  if (registered && engine_->customValue(kStampKey).toString() != stamp)
    engine_->unregisterDocumentation(namespace_);
  if (!engine_->registeredDocumentations().contains(namespace_)) {
    if (!engine_->registerDocumentation(helpFile)) {
      error_ = QString::fromUtf8(texts::kHelpCannotRegister).arg(engine_->error());
      return false;
    }
    engine_->setCustomValue(kStampKey, stamp);
  }
  return true;
}

QUrl HelpWindow::page() const { return browser_->source(); }

void HelpWindow::filterIndex(const QString& text) {
  // Keywords that begin with the text first, as a printed index reads;
  // failing those, any that hold it.
  QListWidgetItem* first = nullptr;
  QListWidgetItem* holding = nullptr;
  for (int i = 0; i < index_->count(); ++i) {
    QListWidgetItem* item = index_->item(i);
    const bool holds = item->text().contains(text, Qt::CaseInsensitive);
    item->setHidden(!holds);
    if (holds && !holding) holding = item;
    if (!first && item->text().startsWith(text, Qt::CaseInsensitive)) first = item;
  }
  index_->setCurrentItem(first ? first : holding);
  if (index_->currentItem()) index_->scrollToItem(index_->currentItem());
}

void HelpWindow::openKeyword(const QString& keyword) {
  const QList<QHelpLink> links = engine_->documentsForKeyword(keyword, QString());
  if (!links.isEmpty()) open(links.first().url);
}

bool HelpWindow::sameClick(const QListWidgetItem* item) {
  // Where one click already activates, the click and the activation of the
  // same press both arrive (and a double-click where it does not): the
  // item is opened once, and the words on its page found once.
  const bool again = item == lastItem_ && lastOpened_.isValid() &&
                     lastOpened_.elapsed() < QApplication::doubleClickInterval();
  lastItem_ = item;
  lastOpened_.start();
  return again;
}

void HelpWindow::open(const QUrl& url) {
  if (url.isValid()) browser_->setSource(url);
}

void HelpWindow::raiseWindow() {
  show();
  raise();
  activateWindow();
}

void HelpWindow::showContents() {
  raiseWindow();
  if (!ready_) return;
  tabs_->setCurrentIndex(0);
  open(QUrl(QString("qthelp://%1/doc/index.html").arg(namespace_)));
}

void HelpWindow::showSearch() {
  raiseWindow();
  if (!ready_) return;
  if (browser_->source().isEmpty())
    open(QUrl(QString("qthelp://%1/doc/index.html").arg(namespace_)));
  tabs_->setCurrentIndex(1);
  indexField_->setFocus();
  indexField_->selectAll();
}

QList<HelpWindow::Hit> HelpWindow::searchText(const QString& words) const {
  QList<Hit> hits;
  const QStringList wanted = wordsOf(words);
  if (!ready_ || wanted.isEmpty()) return hits;
  for (const QUrl& url : engine_->files(namespace_, QString(), "html")) {
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(engine_->fileData(url)));
    const QString text = doc.toPlainText();
    int count = 0;
    for (const QString& w : wanted) {
      const int n = text.count(w, Qt::CaseInsensitive);
      if (n == 0) {
        count = 0;
        break;
      }
      count += n;
    }
    if (count == 0) continue;
    const int at = text.indexOf(wanted.first(), 0, Qt::CaseInsensitive);
    const int from = std::max(0, at - 16);
    QString excerpt = text.mid(from, 56).simplified();
    if (from > 0) excerpt.prepend(QString::fromUtf8(texts::kEllipsis));
    hits.append({url, doc.metaInformation(QTextDocument::DocumentTitle), excerpt, count});
  }
  std::stable_sort(hits.begin(), hits.end(),
                   [](const Hit& a, const Hit& b) { return a.count > b.count; });
  return hits;
}

void HelpWindow::runSearch() {
  results_->clear();
  const QList<Hit> hits = searchText(searchField_->text());
  for (const Hit& h : hits) {
    auto* item = new QListWidgetItem(h.title + "\n" + h.excerpt);
    item->setData(Qt::UserRole, h.url);
    item->setToolTip(h.title);
    results_->addItem(item);
  }
  if (hits.isEmpty() && !wordsOf(searchField_->text()).isEmpty()) {
    auto* none = new QListWidgetItem(QString::fromUtf8(texts::kHelpNotFound));
    none->setFlags(Qt::NoItemFlags);
    results_->addItem(none);
  }
}

}  // namespace velmar

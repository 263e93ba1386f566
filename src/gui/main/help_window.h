#pragma once
// The help window: the program's help pages (a Qt help file, velmar.qch,
// made from the pages in docs/help when the program is built) with a
// contents tree, a keyword index and a search through the pages' text.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QString>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>
#include <memory>

class QHelpEngine;
class QTemporaryDir;

namespace velmar {

// The help file of the program: beside the executable in the build tree
// (help/velmar.qch), or in <prefix>/share/velmar when installed. Empty
// when there is none.
QString findHelpFile();

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // `helpFile` is the .qch; the collection that registers it, and the
  // engine's own data, go to `collectionDir` (the user's cache folder
  // when empty), since an installed share folder is not writable.
  explicit HelpWindow(const QString& helpFile, const QString& collectionDir = {},
                      QWidget* parent = nullptr);
  ~HelpWindow() override;

  // False when the help file could not be opened; error() says why.
  bool ready() const { return ready_; }
  const QString& error() const { return error_; }

  // The contents page, with the contents tree beside it.
  void showContents();
  // The keyword index, with the cursor in its field.
  void showSearch();

  // Pages whose text holds `words` (each of them, blanks between words),
  // best first; what the search tab lists.
  struct Hit {
    QUrl url;
    QString title;
    QString excerpt;
    int count;
  };
  QList<Hit> searchText(const QString& words) const;

  // For tests.
  QTabWidget* tabs() const { return tabs_; }
  QTextBrowser* browser() const { return browser_; }
  QLineEdit* indexField() const { return indexField_; }
  QListWidget* index() const { return index_; }
  QLineEdit* searchField() const { return searchField_; }
  QListWidget* searchResults() const { return results_; }
  QHelpEngine* engine() const { return engine_; }
  QUrl page() const;

 private:
  bool openEngine(const QString& helpFile, const QString& collectionDir);
  void open(const QUrl& url);
  void runSearch();
  void filterIndex(const QString& text);
  void openKeyword(const QString& keyword);
  void raiseWindow();
  // True when `item` was activated a moment ago by the same press.
  bool sameClick(const QListWidgetItem* item);

  QHelpEngine* engine_ = nullptr;
  std::unique_ptr<QTemporaryDir> scratch_;
  QString namespace_;
  bool ready_ = false;
  QString error_;
  QTabWidget* tabs_ = nullptr;
  QTextBrowser* browser_ = nullptr;
  QLineEdit* indexField_ = nullptr;
  QListWidget* index_ = nullptr;
  QLineEdit* searchField_ = nullptr;
  QListWidget* results_ = nullptr;
  const QListWidgetItem* lastItem_ = nullptr;
  QElapsedTimer lastOpened_;
};

}  // namespace velmar

// The help: found beside the built program, opened at its contents and at
// its index from the menus, and searched.
#include "gui/main/help_window.h"

#include <QApplication>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QInputMethodEvent>
#include <QProxyStyle>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include "gui/main/main_window.h"
#include "gui/window_fixture.h"

using namespace velmar;

namespace {

QString qs(const char* s) { return QString::fromUtf8(s); }

bool endsWith(const QUrl& url, const char* page) { return url.path().endsWith(page); }

// Japanese arrives as the input method's committed text.
void typeJapanese(QWidget* field, const char* text) {
  QInputMethodEvent commit;
  commit.setCommitString(qs(text));
  QApplication::sendEvent(field, &commit);
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void menusOpenTheContentsAndTheIndex() {
    testing_window::WindowFixture<> shown;
    MainWindow& w = shown.window;
    w.show();
    w.action("helpview")->trigger();
    QCOMPARE(shown.ui.messages, 0);
    HelpWindow* help = w.helpWindow();
    QVERIFY(help && help->ready());
    QVERIFY(QTest::qWaitForWindowExposed(help));
    QVERIFY(endsWith(help->page(), "/index.html"));
    QVERIFY(help->browser()->toPlainText().contains(qs("月と太陽の位置を推算するプログラム")));
    QCOMPARE(help->tabs()->currentIndex(), 0);
    // The contents tree: the first page with every other under it.
    QHelpContentModel* contents = help->engine()->contentModel();
    QTRY_COMPARE(contents->rowCount(), 1);
    QCOMPARE(contents->rowCount(contents->index(0, 0)), 10);

    w.action("helpsearch")->trigger();
    QCOMPARE(w.helpWindow(), help);  // the same window
    QCOMPARE(help->tabs()->currentIndex(), 1);
    QVERIFY(QTest::qWaitForWindowActive(help));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(help->indexField()));
    // A keyword typed and Enter pressed opens its page.
    typeJapanese(help->indexField(), "月齢");
    QTest::keyClick(help->indexField(), Qt::Key_Return);
    QCOMPARE(help->index()->currentItem()->text(), qs("月齢"));
    QVERIFY(endsWith(help->page(), "/moonage.html"));
    QVERIFY(help->browser()->toPlainText().contains(qs("朔月自動基準化")));
  }

  void searchFindsPagesByTheirText() {
    QTemporaryDir cache;
    HelpWindow help(findHelpFile(), cache.path());
    QVERIFY2(help.ready(), qPrintable(help.error()));
    // Japanese has no blanks between words: the text is searched as it
    // stands, any character sequence found.
    const QList<HelpWindow::Hit> hits = help.searchText(qs("月齢"));
    QVERIFY(hits.size() >= 3);
    QVERIFY(endsWith(hits.first().url, "/moonage.html"));
    QCOMPARE(hits.first().title, qs("月齢と基準日"));
    QVERIFY(hits.first().excerpt.contains(qs("月齢")));
    // Every word must be on the page.
    QVERIFY(!help.searchText(qs("Ctrl+F9")).isEmpty());
    QVERIFY(help.searchText(qs("Ctrl+F9　sokuti.dat")).isEmpty());
    QCOMPARE(help.searchText(qs("SOKUTI.DAT")).size(), help.searchText(qs("sokuti.dat")).size());

    help.show();
    help.tabs()->setCurrentIndex(2);
    typeJapanese(help.searchField(), "輝面比");
    QTest::keyClick(help.searchField(), Qt::Key_Return);
    QListWidget* results = help.searchResults();
    QVERIFY(results->count() >= 2);
    emit results->itemActivated(results->item(0));
    QVERIFY(help.browser()->toPlainText().contains(qs("輝面比")));
    QVERIFY(help.browser()->textCursor().hasSelection());  // the word is shown
    help.searchField()->setText(qs("見当たらない語"));
    QTest::keyClick(help.searchField(), Qt::Key_Return);
    QCOMPARE(results->count(), 1);
    QCOMPARE(results->item(0)->text(), qs("見つかりませんでした。"));
  }

  // The collection in the cache follows the help file when the program
  // is found elsewhere (another build, the installed one); a missing help
  // file is told, not shown as an empty window.
  void aMovedOrMissingHelpFileIsHandled() {
    QTemporaryDir cache, before, after;
    const QString first = before.filePath("velmar.qch");
    const QString second = after.filePath("velmar.qch");
    QVERIFY(QFile::copy(findHelpFile(), first));
    QVERIFY(QFile::copy(findHelpFile(), second));
    {
      HelpWindow help(first, cache.path());
      QVERIFY(help.ready());
    }
    QVERIFY(QFile::remove(first));
    HelpWindow help(second, cache.path());
    QVERIFY(help.ready());
    QCOMPARE(help.engine()->documentationFileName("org.velmar.help"),
             QFileInfo(second).canonicalFilePath());
    QVERIFY(!help.searchText(qs("月齢")).isEmpty());

    HelpWindow none(before.filePath("nothing.qch"), cache.path());
    QVERIFY(!none.ready());
    QVERIFY(none.error().contains("velmar.qch"));
  }

  // Fault guarded: where one click already activates an item, the click
  // and the activation both opened it: the page twice, and its words found
  // twice, the second time further down.
  void oneClickOpensAResultOnce() {
    struct SingleClick : QProxyStyle {
      int styleHint(StyleHint hint, const QStyleOption* o, const QWidget* w,
                    QStyleHintReturn* r) const override {
        if (hint == SH_ItemView_ActivateItemOnSingleClick) return 1;
        return QProxyStyle::styleHint(hint, o, w, r);
      }
    };
    QTemporaryDir cache;
    HelpWindow help(findHelpFile(), cache.path());
    QVERIFY(help.ready());
    help.show();
    help.tabs()->setCurrentIndex(2);
    QListWidget* results = help.searchResults();
    SingleClick style;
    results->setStyle(&style);
    typeJapanese(help.searchField(), "月齢");
    QTest::keyClick(help.searchField(), Qt::Key_Return);
    QVERIFY(results->count() >= 1);
    const QRect item = results->visualItemRect(results->item(0));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, item.center());
    const QTextCursor first = help.browser()->document()->find(qs("月齢"));
    QVERIFY(!first.isNull());
    QCOMPARE(help.browser()->textCursor().selectionStart(), first.selectionStart());
    results->setStyle(nullptr);
  }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"

// The site editor window driven as a user would, on a site file of its own.
#include "config/site_editor.h"

#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include "app/main_form.h"
#include "config/site_list.h"
#include "config/temp_folder.h"
#include "gui/common/japanese_font.h"
#include "gui/config/site_editor_dialog.h"

using namespace velmar;

class SiteEditorDialogTest : public QObject {
  Q_OBJECT

 private:
  template <class W>
  static W* child(QWidget& w, const char* name) {
    W* c = w.findChild<W*>(name);
    if (!c) qFatal("no control %s", name);
    return c;
  }

  static void type(QWidget& w, const char* field, const QString& text) {
    QLineEdit* e = child<QLineEdit>(w, field);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    // Japanese arrives as the input method's committed text.
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(e, &commit);
  }

  static void clickRow(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
  }

 private slots:
  // The program's font, whose Japanese is wider than the fallback's.
  void initTestCase() { useJapaneseFont(); }

  void addedSiteReachesTheMainSiteList() {
    testing::TempFolder dir;
    const std::string path = dir / "sokuti.dat";
    PlainUi ui;
    FixedClock clock{std::chrono::system_clock::time_point{}};
    MainForm main(ui, clock);
    SiteList sites(main.calculator(), path);
    QCOMPARE(sites.load(), std::string());
    SiteEditor editor(sites);
    SiteEditorDialog dlg(editor, ui);
    QCOMPARE(dlg.windowTitle(), QString("測地ｴﾃﾞｨﾀ"));
    const std::pair<const char*, const char*> captions[] = {
        {"Label1", "測地名"},  {"Label2", "東経"},    {"Label3", "北緯"},
        {"Label4", "標高"},    {"Option1", "初期値"}, {"Option2", "追　加"},
        {"Option3", "置　換"}, {"Command1", "適用"},  {"Command2", "キャンセル"}};
    for (const auto& [name, caption] : captions) {
      QWidget* w = child<QWidget>(dlg, name);
      const QVariant text = w->property("text");
      QCOMPARE(text.toString(), QString(caption));
    }
    QCOMPARE(child<QGroupBox>(dlg, "Frame1")->title(), QString("ｱｸｼｮﾝ"));
    QVERIFY(child<QRadioButton>(dlg, "Option1")->isChecked());
    QVERIFY(child<QLineEdit>(dlg, "Text5")->isReadOnly());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QRect screen = dlg.screen()->geometry();
    QVERIFY((dlg.frameGeometry().center() - screen.center()).manhattanLength() < 8);
    // Fault guarded: the name field was too narrow for 国立天文台（三鷹）.
    QLineEdit* name = child<QLineEdit>(dlg, "Text1");
    QVERIFY(name->width() >= name->fontMetrics().horizontalAdvance("国立天文台（三鷹）") + 8);

    auto* list = child<QListWidget>(dlg, "List1");
    QCOMPARE(list->count(), 6);
    QVERIFY(list->viewport()->height() >= 10 * list->sizeHintForRow(0));
    QCOMPARE(child<QLineEdit>(dlg, "Text1")->text(), QString("東京"));
    clickRow(list, 5);
    QCOMPARE(child<QLineEdit>(dlg, "Text1")->text(), QString("明石"));

    type(dlg, "Text1", "石垣島");
    type(dlg, "Text2", "124.1553");
    type(dlg, "Text3", "24.3448");
    type(dlg, "Text4", "8");
    auto* add = child<QRadioButton>(dlg, "Option2");
    QTest::mouseClick(add, Qt::LeftButton, {}, QPoint(8, add->height() / 2));  // on the indicator
    QTest::mouseClick(child<QPushButton>(dlg, "Command1"), Qt::LeftButton);
    QCOMPARE(ui.messages, 0);
    QCOMPARE(list->count(), 7);
    QCOMPARE(list->item(6)->text(), QString("石垣島"));
    // What the main window's Combo1 shows: the new site last, the first selected.
    QCOMPARE(sites.names().size(), size_t(7));
    QCOMPARE(sites.names()[6], std::string("石垣島"));
    QCOMPARE(sites.selected(), 0);

    // A refusal comes as a message box and puts the cursor in the field.
    type(dlg, "Text3", "abc");
    QTest::mouseClick(child<QPushButton>(dlg, "Command1"), Qt::LeftButton);
    QCOMPARE(ui.messages, 1);
    QCOMPARE(ui.lastTitle, std::string(kTitleText));
    QCOMPARE(dlg.focusWidget(), child<QWidget>(dlg, "Text3"));

    // キャンセル hides and empties the list; showing again fills it once,
    // with the action kept.
    QTest::mouseClick(child<QPushButton>(dlg, "Command2"), Qt::LeftButton);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(list->count(), 0);
    dlg.show();
    QCOMPARE(list->count(), 7);
    QVERIFY(child<QRadioButton>(dlg, "Option2")->isChecked());
  }
};

QTEST_MAIN(SiteEditorDialogTest)
#include "site_editor_test.moc"

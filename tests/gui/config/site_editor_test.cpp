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
        {"siteEditor.nameLabel", "測地名"},       {"siteEditor.longitudeLabel", "東経"},
        {"siteEditor.latitudeLabel", "北緯"},     {"siteEditor.elevationLabel", "標高"},
        {"siteEditor.initialOption", "初期値"},   {"siteEditor.addOption", "追　加"},
        {"siteEditor.replaceOption", "置　換"},   {"siteEditor.applyButton", "適用"},
        {"siteEditor.cancelButton", "キャンセル"}};
    for (const auto& [name, caption] : captions) {
      QWidget* w = child<QWidget>(dlg, name);
      const QVariant text = w->property("text");
      QCOMPARE(text.toString(), QString(caption));
    }
    QCOMPARE(child<QGroupBox>(dlg, "siteEditor.actionFrame")->title(), QString("ｱｸｼｮﾝ"));
    QVERIFY(child<QRadioButton>(dlg, "siteEditor.initialOption")->isChecked());
    QVERIFY(child<QLineEdit>(dlg, "siteEditor.indexField")->isReadOnly());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QRect screen = dlg.screen()->geometry();
    QVERIFY((dlg.frameGeometry().center() - screen.center()).manhattanLength() < 8);
    // Fault guarded: the name field was too narrow for 国立天文台（三鷹）.
    QLineEdit* name = child<QLineEdit>(dlg, "siteEditor.nameField");
    QVERIFY(name->width() >= name->fontMetrics().horizontalAdvance("国立天文台（三鷹）") + 8);

    auto* list = child<QListWidget>(dlg, "siteEditor.siteList");
    QCOMPARE(list->count(), 6);
    QVERIFY(list->viewport()->height() >= 10 * list->sizeHintForRow(0));
    QCOMPARE(child<QLineEdit>(dlg, "siteEditor.nameField")->text(), QString("東京"));
    clickRow(list, 5);
    QCOMPARE(child<QLineEdit>(dlg, "siteEditor.nameField")->text(), QString("明石"));

    type(dlg, "siteEditor.nameField", "石垣島");
    type(dlg, "siteEditor.longitudeField", "124.1553");
    type(dlg, "siteEditor.latitudeField", "24.3448");
    type(dlg, "siteEditor.elevationField", "8");
    auto* add = child<QRadioButton>(dlg, "siteEditor.addOption");
    QTest::mouseClick(add, Qt::LeftButton, {}, QPoint(8, add->height() / 2));  // on the indicator
    QTest::mouseClick(child<QPushButton>(dlg, "siteEditor.applyButton"), Qt::LeftButton);
    QCOMPARE(ui.messages, 0);
    QCOMPARE(list->count(), 7);
    QCOMPARE(list->item(6)->text(), QString("石垣島"));
    // What the main window's siteCombo shows: the new site last, the first selected.
    QCOMPARE(sites.names().size(), size_t(7));
    QCOMPARE(sites.names()[6], std::string("石垣島"));
    QCOMPARE(sites.selected(), 0);

    // A refusal comes as a message box and puts the cursor in the field.
    type(dlg, "siteEditor.latitudeField", "abc");
    QTest::mouseClick(child<QPushButton>(dlg, "siteEditor.applyButton"), Qt::LeftButton);
    QCOMPARE(ui.messages, 1);
    QCOMPARE(ui.lastTitle, std::string(kTitleText));
    QCOMPARE(dlg.focusWidget(), child<QWidget>(dlg, "siteEditor.latitudeField"));

    // キャンセル hides and empties the list; showing again fills it once,
    // with the action kept.
    QTest::mouseClick(child<QPushButton>(dlg, "siteEditor.cancelButton"), Qt::LeftButton);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(list->count(), 0);
    dlg.show();
    QCOMPARE(list->count(), 7);
    QVERIFY(child<QRadioButton>(dlg, "siteEditor.addOption")->isChecked());
  }
};

QTEST_MAIN(SiteEditorDialogTest)
#include "site_editor_test.moc"

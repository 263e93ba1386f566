// The main window's command surface against tables typed here once: every
// menu, toolbar button, window control, field and spinner with its
// caption, shortcut, tooltip and guidance text. A changed character fails.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "app/main_form.h"
#include "gui/config/settings_dialog.h"
#include "gui/main/example_site.h"
#include "gui/main/main_window.h"

using namespace velmar;

namespace {

// --- the menu bar: "-" is a separator ----------------------------------------

struct MenuRow {
  const char* name;
  const char* caption;
  const char* shortcut;  // "" when none
};
struct TypedMenu {
  const char* name;
  const char* caption;
  std::vector<MenuRow> rows;
};

const std::vector<TypedMenu> kMenus = {
    {"filemenu",
     "ﾌｧｲﾙ(&F)",
     {{"fileout", "ファイル出力(&S)...", "Ctrl+S"},
      {"-", "-", ""},
      {"endmenu", "Velmarの終了(&X)", "Ctrl+Q"}}},
    {"calcmenu",
     "計算(&C)",
     {{"easycalc", "簡易推算(&E)", ""},
      {"hqcalc", "高精度推算(&H)", ""},
      {"-", "-", ""},
      {"moonage", "月齢推算(&A)", "F1"},
      {"newmcheck", "新月検索(&N)", "F2"},
      {"-", "-", ""},
      {"fullmoon", "満月検索(&S)", "Shift+F2"},
      {"nextfull", "次の満月(&F)", "Shift+F3"},
      {"backfull", "前の満月(&R)", "Shift+F4"},
      {"-", "-", ""},
      {"onecalc", "推算(&C)", ""},
      {"loopcalc", "連続推算(&L)", "F11"},
      {"-", "-", ""},
      {"stopcalc", "STOP(&S)", "F12"},
      {"-", "-", ""},
      {"mem", "日時の記録(&M)", "Ctrl+W"},
      {"remem", "記録日時の復帰(&R)", "Ctrl+R"}}},
    {"disp",
     "表示(&V)",
     {{"menumoonview", "月相の拡大(&F)", "F3"},
      {"menumoonphase", "軌道の表示(&P)", "F4"},
      {"-", "-", ""},
      {"timepadmn", "ﾀｲﾑﾊﾟｯﾄﾞ(&T)", "F5"},
      {"-", "-", ""},
      {"dataformmn", "ﾃﾞｰﾀﾌｫｰﾑ(&D)", "F6"},
      {"grphformmn", "ｸﾞﾗﾌﾌｫｰﾑ(&G)", "F7"},
      {"-", "-", ""},
      {"skyview", "ｽｶｲﾋﾞｭｰ(&V)", "F8"},
      {"bigsky", "拡大表示", "Ctrl+Z"},
      {"-", "-", ""},
      {"eclipse", "地球影の表示(&L)", "F9"},
      {"bigview", "拡大表示", "Ctrl+X"},
      {"-", "-", ""},
      {"sunview", "太陽の表示(&E)", "Ctrl+F9"},
      {"bigsun", "拡大表示", ""},
      // The almanac, one of the program's additions, after all of the above.
      {"-", "-", ""},
      {"almanacmn", "月の暦(&K)", "Ctrl+K"}}},
    {"setup",
     "設定(&S)",
     {{"automem", "連続推算時の日時記録(&M)", ""},
      {"-", "-", ""},
      {"initset", "初期設定(&O)...", ""},
      {"sokuedit", "測地ｴﾃﾞｨﾀ(&K)...", ""},
      {"-", "-", ""},
      {"guid", "ｶﾞｲﾀﾞﾝｽを表示(&G)", ""}}},
    {"help",
     "ﾍﾙﾌﾟ(&H)",
     {{"helpview", "Velmarのヘルプ(&C)", "Shift+F1"},
      {"helpsearch", "ﾄﾋﾟｯｸの検索(&S)...", ""},
      {"-", "-", ""},
      {"version", "ﾊﾞｰｼﾞｮﾝ情報(&A)...", ""}}},
};

// The items whose check mark is state.
// The four ticks of the main settings, and the enlarged-view items, whose
// ticks show which scale their view draws at.
const char* const kCheckable[] = {"easycalc", "hqcalc",  "automem", "guid",
                                  "bigsky",   "bigview", "bigsun"};

// --- the toolbar: nullptr is a separator --------------------------------------

struct ToolRow {
  const char* key;
  const char* tooltip;
  const char* guidance;
};
const std::vector<ToolRow> kToolbar = {
    {"agebt", "月齢推算", "月齢推算　直前の新月を基準日とし、現在の月齢を算出します"},
    {"newbt", "新月検索", "新月検索　直前の新月を検索し、年月日時を設定します"},
    {"facebt", "月相表示", "月相拡大　月相をウィンドウ表示し、拡大縮小できます"},
    {nullptr, nullptr, nullptr},
    {"phabt", "起動表示", "軌道表示　地球と月の軌道をウィンドウ表示し、拡大縮小ができます"},
    {"tmbt", "ﾀｲﾑﾊﾟｯﾄﾞ", "ﾀｲﾑﾊﾟｯﾄﾞ　連続運転時の時間コントロールパッドを開きます"},
    {"svbt", "ｽｶｲﾋﾞｭｰ", "ｽｶｲﾋﾞｭｰ　南天を中心とした天空ウィンドウを開きます、拡大縮小ができます"},
    {"mecl", "地球影表示",
     "月食表示　地球影を中心とした天空ウィンドウを開きます、拡大縮小ができます"},
    {"secl", "太陽表示", "日食表示　太陽を中心とした天空ウィンドウを開きます、拡大縮小ができます"},
    {nullptr, nullptr, nullptr},
    {"databt", "ﾃﾞｰﾀﾌｫｰﾑ", "ﾃﾞｰﾀﾌｫｰﾑ　推算結果をウィンドウに帳票出力します"},
    {"grpbt", "ｸﾞﾗﾌﾌｫｰﾑ", "ｸﾞﾗﾌﾌｫｰﾑ　グラフ選択された推算項目をウィンドウにグラフ表示します"},
    {"savebt", "ﾌｧｲﾙ出力", "ﾌｧｲﾙ出力　連続計算の結果をﾌｧｲﾙに出力します"},
    {nullptr, nullptr, nullptr},
    {"recbt", "日時記録", "日時記録　年月日時分秒を一括記録します"},
    {"Rectangl", "戻す", "日時復帰　年月日時分秒を記録状態に戻します"},
    {"loopbt", "連続推算", "連続推算　連続推算対象・速度・運行方向に従い変化分毎に連続推算します"},
    {"stopbt", "停止", "ＳＴＯＰ　連続推算を停止します"},
    {nullptr, nullptr, nullptr},
    {"setbt", "基準差", "基準指定　現在のユリウス日を基準日に設定します"},
    {"Waste", "基準ｸﾘｱ", "基準日ｸﾘｱ　基準日及び基準差をｸﾘｱします"},
};

// --- the window's controls; a caption of nullptr is not compared -----------

struct ControlRow {
  const char* name;
  const char* caption;
  const char* guidance;
};
const std::vector<ControlRow> kControls = {
    {"Command1", "推　算", "推算　現在の日時で推算します"},
    {"Command16", "現在の日時", "現在の日時　現在の年月日時分秒を設定します"},
    {"Command17", "クリア", "クリア　算出された結果を全てクリアします"},
    {"Command18", "STOP", "ＳＴＯＰ　連続推算を停止します"},
    {"Command19", "連続推算",
     "連続推算　連続推算対象・速度・運行方向に従い変化分毎に連続推算します"},
    {"Command20", "今 日", "今日　現在の年月日のみを指定します"},
    {"Command21", "▼", "ｽﾃｯﾌﾟ減算　連続推算対象設定に基づき日時を減算"},
    {"Command22", "▲", "ｽﾃｯﾌﾟ加算　連続推算対象設定に基づき日時を加算"},
    {"Command23", "ﾃﾞｰﾀﾌｫｰﾑ表示", "ﾃﾞｰﾀﾌｫｰﾑ表示　推算結果をウィンドウに帳票出力します"},
    {"Command24", "ﾃﾞｰﾀﾌｫｰﾑｸﾘｱ", "ﾃﾞｰﾀﾌｫｰﾑｸﾘｱ　ﾃﾞｰﾀﾌｫｰﾑを開かずに内容をクリアします"},
    {"Command27", "ｸﾞﾗﾌﾌｫｰﾑ表示",
     "ｸﾞﾗﾌﾌｫｰﾑ表示　グラフ選択された推算項目をウィンドウにグラフ表示します"},
    {"Command28", "ｸﾞﾗﾌﾌｫｰﾑｸﾘｱ", "ｸﾞﾗﾌﾌｫｰﾑｸﾘｱ　グラフフォームを開かずにグラフをクリアします"},
    {"Command29", "出力ﾌｧｲﾙ ...", "出力ﾌｧｲﾙ　連続計算の結果をﾌｧｲﾙに出力します"},
    {"Command36", "ADJ", "ＡＤＪ　分と秒を正時に設定します"},
    {"Check1", "朔月自動基準化", "朔月自動基準化　朔月を監視し自動的に基準日として設定します"},
    {"Check3", "△Ｔ自動", "△Ｔ自動　△Ｔを自動設定します"},
    {"Picture1", nullptr, "月齢推算　ｸﾘｯｸで月齢を推算、ﾀﾞﾌﾞﾙｸﾘｯｸで朔月自動基準化します"},
    {"Frame1", "推算速度", "推算速度　連続推算速度を選択します"},
    {"Frame2", "連続推算対象", "連続推算対象　連続推算の対象を年月日時分秒から選択します"},
    {"Frame3", "運行方向", "運行方向　連続推算の運行方向を選択します"},
    {"Frame4", "ｸﾞﾗﾌ選択", "グラフ選択　グラフ描画項目を選択します"},
    // Fields, then their spinners.
    {"Text1", nullptr, "年数入力　クリックでテンキーパッドを開きます"},
    {"Text2", nullptr, "月数入力　クリックでテンキーパッドを開きます"},
    {"Text3", nullptr, "日数入力　クリックでテンキーパッドを開きます"},
    {"Text7", nullptr, "時刻入力　クリックでテンキーパッドを開きます"},
    {"Text8", nullptr, "分数入力　クリックでテンキーパッドを開きます"},
    {"Text9", nullptr, "秒数入力　クリックでテンキーパッドを開きます"},
    {"Text17", nullptr, "変化分入力　クリックでテンキーパッドを開きます"},
    {"Text18", nullptr, "ループ入力　クリックでテンキーパッドを開きます"},
    {"Text12", nullptr, "△Ｔ入力　クリックでテンキーパッドを開きます"},
    {"UpDown1", nullptr, "年数　年を１増減します"},
    {"UpDown2", nullptr, "月数　月を１増減します"},
    {"UpDown3", nullptr, "日数　日を１増減します"},
    {"UpDown4", nullptr, "時間数　時間を１増減します"},
    {"UpDown5", nullptr, "分数　分を１増減します"},
    {"UpDown6", nullptr, "秒数　秒を１増減します"},
    {"UpDown7", nullptr, "連続推算変化分　変化分を１増減します"},
    {"UpDown8", nullptr, "ループ　ループを１増減します"},
    {"UpDown9", nullptr, "△Ｔ　△Ｔを１増減します"},
    // The export file's name shows the title, as the bare background does.
    {"Label19", nullptr, "Velmar  Ver2"},
};

QString qs(const char* s) { return QString::fromUtf8(s); }

// A shown main window on a site file of its own.
struct Shown {
  QTemporaryDir dir;
  PlainUi ui;
  FixedClock clock{std::chrono::system_clock::time_point{}};
  ManualTimer timer;
  MainForm main{ui, clock, timer, testing_window::examplePaths(dir)};
  MainWindow window{main};

  Shown() {
    main.startup(19200, 14400);
    window.setAskBeforeClosing(false);
    window.resize(1000, 560);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
  }
  QString guidance() const { return window.guidanceLine()->text(); }
  // The pointer onto the middle of a widget, as the window system moves it.
  void pointAt(QWidget* w) {
    QTest::mouseMove(w, w->rect().center());
    QApplication::processEvents();
  }
  // The pointer onto a bare spot of the window.
  void pointAtBackground() {
    QTest::mouseMove(window.centralWidget(), QPoint(2, 2));
    QApplication::processEvents();
  }
  // The control of that name: a widget, or a toolbar button.
  QWidget* control(const char* name) {
    if (QWidget* w = window.findChild<QWidget*>(qs(name))) return w;
    return window.findChild<QWidget*>(qs(name) + "Up");  // a spinner's upper half
  }
};

// Collects every difference, so that one run names all rows that differ.
struct Differences {
  QStringList rows;
  void add(const QString& row) { rows << row; }
  void expect(bool ok, const QString& row) {
    if (!ok) rows << row;
  }
  QString report() const { return "\n  " + rows.join("\n  "); }
};

QString shortcutText(const char* s) { return QKeySequence(qs(s)).toString(); }

}  // namespace

class CommandSurfaceTest : public QObject {
  Q_OBJECT

 private slots:
  void menusAreAsTheTableWrites() {
    Shown s;
    Differences d;
    const QList<QAction*> bar = s.window.menuBar()->actions();
    int menuIndex = 0;
    for (const TypedMenu& expected : kMenus) {
      QMenu* menu = s.window.findChild<QMenu*>(expected.name);
      if (!menu) {
        d.add(QString("menu %1 %2 is missing").arg(expected.name, qs(expected.caption)));
        continue;
      }
      d.expect(menu->title() == qs(expected.caption),
               QString("menu %1: caption %2").arg(expected.name, menu->title()));
      const int at = static_cast<int>(bar.indexOf(menu->menuAction()));
      d.expect(at >= menuIndex, QString("menu %1 out of order").arg(expected.name));
      menuIndex = at;
      const QList<QAction*> shown = menu->actions();
      int lastIndex = -1;
      bool separatorSince = false;
      for (const MenuRow& row : expected.rows) {
        if (QString(row.name) == "-") {
          separatorSince = true;
          continue;
        }
        QAction* a = nullptr;
        for (QAction* x : shown)
          if (x->objectName() == row.name) a = x;
        if (!a) {
          d.add(QString("%1/%2 %3 is missing").arg(expected.name, row.name, qs(row.caption)));
          continue;
        }
        d.expect(a->text() == qs(row.caption), QString("%1: caption %2").arg(row.name, a->text()));
        d.expect(a->shortcut().toString() == shortcutText(row.shortcut),
                 QString("%1: shortcut %2").arg(row.name, a->shortcut().toString()));
        bool checkable = false;
        for (const char* c : kCheckable) checkable = checkable || QString(c) == row.name;
        d.expect(a->isCheckable() == checkable, QString("%1: check mark").arg(row.name));
        const int index = static_cast<int>(shown.indexOf(a));
        if (lastIndex >= 0) {
          // Between this item and the one before it: a separator exactly
          // when the table has one, and nothing else.
          const int between = index - lastIndex - 1;
          const bool separator = between == 1 && shown[lastIndex + 1]->isSeparator();
          d.expect(index > lastIndex, QString("%1 out of order").arg(row.name));
          d.expect(separatorSince ? separator : between == 0,
                   QString("%1: separator before it %2")
                       .arg(row.name, separatorSince ? "missing" : "unexpected"));
        }
        lastIndex = index;
        separatorSince = false;
      }
      int items = 0;
      for (QAction* x : shown) items += x->isSeparator() ? 0 : 1;
      int typed = 0;
      for (const MenuRow& row : expected.rows) typed += QString(row.name) == "-" ? 0 : 1;
      d.expect(items <= typed, QString("menu %1 has items the table lacks").arg(expected.name));
    }
    QVERIFY2(d.rows.isEmpty(), qPrintable(d.report()));
  }

  // The four ticks are state: the modes exclusive, newbt always leaves
  // high precision, guid hides the line but hints are still written.
  void checkMarksFollowTheState() {
    Shown s;
    MainWindow& w = s.window;
    for (const char* item : {"easycalc", "easycalc", "hqcalc", "easycalc", "hqcalc"}) {
      w.action(item)->trigger();
      QVERIFY(w.action("easycalc")->isChecked() != w.action("hqcalc")->isChecked());
    }
    for (bool easyFirst : {true, false}) {
      if (w.action("easycalc")->isChecked() != easyFirst) w.action("easycalc")->trigger();
      s.main.clickToolbar("newbt");
      QVERIFY(w.action("hqcalc")->isChecked());
      QVERIFY(!w.action("easycalc")->isChecked());
    }
    QVERIFY(w.action("guid")->isChecked());
    QVERIFY(w.guidanceLine()->isVisible());
    w.action("guid")->trigger();
    QVERIFY(!w.action("guid")->isChecked());
    QVERIFY(!w.guidanceLine()->isVisible());
    s.pointAt(w.button("Command17"));
    QCOMPARE(s.guidance(), qs("クリア　算出された結果を全てクリアします"));
    w.action("guid")->trigger();
    QVERIFY(w.guidanceLine()->isVisible());
    QCOMPARE(s.guidance(), qs("クリア　算出された結果を全てクリアします"));
    w.action("automem")->trigger();
    QCOMPARE(w.action("automem")->isChecked(), s.main.form().tick(Tick::automem));
  }

  void toolbarIsAsTheTableWrites() {
    Shown s;
    Differences d;
    auto* bar = s.window.findChild<QToolBar*>("Toolbar1");
    QVERIFY(bar);
    const QList<QAction*> shown = bar->actions();
    int lastIndex = -1;
    bool separatorSince = false;
    QList<QImage> pictures;
    for (const ToolRow& row : kToolbar) {
      if (!row.key) {
        separatorSince = true;
        continue;
      }
      QAction* a = nullptr;
      for (QAction* x : shown)
        if (x->objectName() == row.key) a = x;
      if (!a) {
        d.add(QString("toolbar %1 %2 is missing").arg(row.key, qs(row.tooltip)));
        continue;
      }
      d.expect(a->toolTip() == qs(row.tooltip),
               QString("%1: tooltip %2").arg(row.key, a->toolTip()));
      // A picture of its own, legible at 16 pixels: not blank, unlike
      // every other.
      const QImage picture = a->icon().pixmap(16, 16).toImage();
      int inked = 0;
      for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) inked += qAlpha(picture.pixel(x, y)) > 128;
      d.expect(picture.size() == QSize(16, 16) && inked >= 24,
               QString("%1: no picture at 16 pixels").arg(row.key));
      d.expect(!pictures.contains(picture),
               QString("%1: the picture of another button").arg(row.key));
      pictures << picture;
      const int index = static_cast<int>(shown.indexOf(a));
      if (lastIndex >= 0) {
        const int between = index - lastIndex - 1;
        const bool separator = between == 1 && shown[lastIndex + 1]->isSeparator();
        d.expect(index > lastIndex, QString("%1 out of order").arg(row.key));
        d.expect(separatorSince ? separator : between == 0,
                 QString("%1: separator before it %2")
                     .arg(row.key, separatorSince ? "missing" : "unexpected"));
      }
      lastIndex = index;
      separatorSince = false;
      // The guidance, with the pointer over the button.
      s.pointAtBackground();
      s.pointAt(bar->widgetForAction(a));
      d.expect(s.guidance() == qs(row.guidance),
               QString("%1: guidance %2").arg(row.key, s.guidance()));
    }
    QVERIFY2(d.rows.isEmpty(), qPrintable(d.report()));
    // Pictures are sharp on a screen of twice the density too.
    QCOMPARE(s.window.findChild<QAction*>("agebt")->icon().pixmap(QSize(16, 16), 2.0).size(),
             QSize(32, 32));
  }

  // Clicks reach the command of exactly that key.
  void toolbarDispatchesByItsKey() {
    Shown s;
    MainWindow& w = s.window;
    s.main.form().setText(Field::JulianDay, " 2451978.00423611");
    w.findChild<QAction*>("setbt")->trigger();
    QCOMPARE(s.main.form().text(Field::ReferenceDate), std::string(" 2451978.00423611"));
    QCOMPARE(s.main.form().text(Field::MoonAge), std::string(" 0.00000000000"));
    QCOMPARE(s.main.form().check(Check::AutoRebase), 0);
    w.checkBox(Check::AutoRebase)->click();
    w.findChild<QAction*>("Waste")->trigger();
    QCOMPARE(s.main.form().text(Field::ReferenceDate), std::string());
    QCOMPARE(s.main.form().text(Field::MoonAge), std::string());
    QCOMPARE(s.main.form().check(Check::AutoRebase), 0);
    w.findChild<QAction*>("loopbt")->trigger();
    QVERIFY(s.timer.interval() > 0);
    w.findChild<QAction*>("stopbt")->trigger();
    QCOMPARE(s.timer.interval(), 0);
  }

  void everyControlWritesItsGuidance() {
    Shown s;
    Differences d;
    for (const ControlRow& row : kControls) {
      QWidget* w = s.control(row.name);
      if (!w) {
        d.add(QString("control %1 is missing").arg(row.name));
        continue;
      }
      if (row.caption) {
        QString caption = w->property("text").toString();
        if (auto* box = qobject_cast<QGroupBox*>(w)) caption = box->title();
        d.expect(caption == qs(row.caption), QString("%1: caption %2").arg(row.name, caption));
      }
      s.pointAtBackground();
      // The title first, so that every hint is seen to be written.
      if (s.guidance() != qs(kTitleText))
        d.add(QString("background before %1: %2").arg(row.name, s.guidance()));
      if (auto* box = qobject_cast<QGroupBox*>(w)) {
        // A frame's own spot: its border, not a control inside it.
        QTest::mouseMove(box, QPoint(1, box->height() / 2));
        QApplication::processEvents();
      } else {
        s.pointAt(w);
      }
      d.expect(s.guidance() == qs(row.guidance),
               QString("%1: guidance %2").arg(row.name, s.guidance()));
    }
    // A label is no control: over it the guidance line shows the title.
    s.pointAt(s.window.button("Command1"));
    QLabel* label = nullptr;
    for (QLabel* l : s.window.findChildren<QLabel*>())
      if (l->text() == qs("月齢")) label = l;
    QVERIFY(label);
    s.pointAt(label);
    d.expect(s.guidance() == qs(kTitleText), QString("over a label: %1").arg(s.guidance()));
    QVERIFY2(d.rows.isEmpty(), qPrintable(d.report()));
  }

  // Enter commits and calculates; Up and Down are the spinner; Tab walks
  // the fields in reading order without stopping at the spinners.
  void keyboardWorksTheFields() {
    Shown s;
    MainWindow& w = s.window;
    QLineEdit* year = w.field(Field::Year);
    const std::pair<Field, const char*> instant[] = {
        {Field::Year, "2001"}, {Field::Month, "3"},  {Field::Day, "9"},    {Field::Hour, "21"},
        {Field::Minute, "5"},  {Field::Second, "0"}, {Field::DeltaT, "66"}};
    for (const auto& [f, text] : instant) {
      QLineEdit* e = w.field(f);
      e->setFocus();
      e->selectAll();
      QTest::keyClicks(e, text);
      QTest::keyClick(e, Qt::Key_Return);
    }
    QCOMPARE(w.field(Field::JulianDay)->text(), qs(" 2451978.00423611"));
    QCOMPARE(w.field(Field::MoonLongitude)->text(), qs(" 165.891877524386"));

    QLineEdit* day = w.field(Field::Day);
    day->setFocus();
    QTest::keyClick(day, Qt::Key_Up);
    QCOMPARE(day->text(), qs("10"));
    QVERIFY(w.field(Field::MoonLongitude)->text() != qs(" 165.891877524386"));
    QTest::keyClick(day, Qt::Key_Down);
    QCOMPARE(w.field(Field::MoonLongitude)->text(), qs(" 165.891877524386"));
    // Typed but not committed, then Down: the typed value is the one stepped.
    QLineEdit* amount = w.field(Field::ChangeAmount);
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "15");
    QTest::keyClick(amount, Qt::Key_Down);
    QCOMPARE(amount->text(), qs("14"));
    QCOMPARE(s.main.form().text(Field::ChangeAmount), std::string("14"));
    QCOMPARE(s.main.continuous().loopStep(), 14.0);

    year->setFocus();
    QWidget* at = year;
    for (Field next :
         {Field::Month, Field::Day, Field::Hour, Field::Minute, Field::Second, Field::DeltaT}) {
      QTest::keyClick(at, Qt::Key_Tab);
      at = QApplication::focusWidget();
      QCOMPARE(at, static_cast<QWidget*>(w.field(next)));
    }
    for (const char* spinner : {"UpDown1", "UpDown3", "UpDown9"})
      QCOMPARE(w.spinner(spinner, +1)->focusPolicy(), Qt::NoFocus);
  }

  // On a 1024 x 600 screen, less the title bar, every control and the
  // guidance line are in sight, whole.
  void fitsASmallScreen() {
    Shown s;
    MainWindow& w = s.window;
    const QSize want = w.sizeHint();
    QVERIFY2(want.width() <= 1024 && want.height() <= 600 - 36,
             qPrintable(QString("asks for %1 x %2").arg(want.width()).arg(want.height())));
    w.resize(1024, 600 - 36);
    QApplication::processEvents();
    QStringList hidden;
    const auto whole = [&](QWidget* c) {
      const QRect inWindow(c->mapTo(&w, QPoint(0, 0)), c->size());
      if (!c->visibleRegion().contains(c->rect()) || !w.rect().contains(inWindow))
        hidden << c->objectName();
    };
    for (QWidget* c : w.findChildren<QWidget*>()) {
      if (!c->isVisible() || c->objectName().isEmpty() || c->isWindow()) continue;
      const QString n = c->objectName();
      if (n.startsWith("Text") || n.startsWith("Command") || n.startsWith("Check") ||
          n.startsWith("Option") || n.startsWith("Frame") || n.startsWith("UpDown") ||
          n == "Picture1" || n == "Combo1" || n == "Label21")
        whole(c);
    }
    QVERIFY2(hidden.isEmpty(), qPrintable(hidden.join(", ")));
    QVERIFY(w.guidanceLine()->isVisible());
    // The guidance line keeps the window's margin.
    const QRect line(w.guidanceLine()->mapTo(&w, QPoint(0, 0)), w.guidanceLine()->size());
    QVERIFY(line.left() >= 4 && w.width() - line.right() >= 4);
    QVERIFY(w.height() - line.bottom() >= 3);
  }

  // The settings dialog opens on the main window's settings and copies a
  // change through at once; キャンセル leaves it in force.
  void settingsDialogMirrorsTheMainWindow() {
    Shown s;
    MainWindow& w = s.window;
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<SettingsWindow*>(QApplication::activeModalWidget());
      QVERIFY(dlg);
      QCOMPARE(dlg->windowTitle(), qs("初期設定項目"));
      const std::pair<const char*, const char*> captions[] = {{"Option1", "年"},
                                                              {"Option4", "時"},
                                                              {"Option7", "高速"},
                                                              {"Option8", "通常"},
                                                              {"Option9", "未来"},
                                                              {"Option10", "過去"},
                                                              {"Check1", "朔月自動基準化"},
                                                              {"Check2", "太陽"},
                                                              {"Check5", "黄緯"},
                                                              {"Check6", "全ｳｨﾝﾄﾞｳ 初期位置"},
                                                              {"Check7", "連続推算時の日時記録"},
                                                              {"Check8", "ｶﾞｲﾀﾞﾝｽの表示"},
                                                              {"Command1", "設定保存"},
                                                              {"Command2", "キャンセル"},
                                                              {"Label1", "ループ"},
                                                              {"Label2", "変化分"}};
      for (const auto& [name, caption] : captions) {
        QWidget* c = dlg->findChild<QWidget*>(name);
        QVERIFY2(c, name);
        QCOMPARE(c->property("text").toString(), qs(caption));
      }
      QCOMPARE(dlg->findChild<QGroupBox*>("Frame1")->title(), qs("連続推算対象"));
      QVERIFY(dlg->findChild<QRadioButton*>("Option3")->isChecked());  // 日
      QVERIFY(dlg->findChild<QRadioButton*>("Option9")->isChecked());  // 未来
      QCOMPARE(dlg->findChild<QLineEdit*>("Text2")->text(), qs("10"));
      dlg->findChild<QRadioButton*>("Option4")->click();
      QVERIFY(w.optionButton(Option::Hours)->isChecked());
      QVERIFY(!w.optionButton(Option::Days)->isChecked());
      dlg->findChild<QCheckBox*>("Check8")->click();
      QVERIFY(!w.guidanceLine()->isVisible());
      QVERIFY(!w.action("guid")->isChecked());
      QLineEdit* loops = dlg->findChild<QLineEdit*>("Text2");
      loops->setFocus();
      loops->selectAll();
      QTest::keyClicks(loops, "1");
      QTest::keyClick(loops, Qt::Key_Return);  // commits, neither saves nor closes
      QVERIFY(dlg->isVisible());
      QCOMPARE(loops->text(), qs("2"));
      QCOMPARE(w.field(Field::LoopCount)->text(), qs("2"));
      dlg->findChild<QPushButton*>("Command2")->click();
      seen = true;
    });
    w.action("initset")->trigger();
    QVERIFY(seen);
    QVERIFY(w.optionButton(Option::Hours)->isChecked());
    QVERIFY(!QFile::exists(s.dir.filePath("moon.inf")));
  }
};

QTEST_MAIN(CommandSurfaceTest)
#include "command_surface_test.moc"

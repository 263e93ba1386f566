#include "app/commands.h"

#include "app/main_form.h"

namespace velmar {

namespace {

// --- what the commands do ------------------------------------------------------

void calc(MainForm& m) { m.calculator().calc(); }
void toggleMode(MainForm& m) { m.calculator().toggleMode(); }
void clearResults(MainForm& m) { m.calculator().clearResults(); }
void agecalc(MainForm& m) { m.lunation().agecalc(); }
void newmcheck(MainForm& m) { m.lunation().newmcheck(); }
void newMoonInHighPrecision(MainForm& m) {
  if (m.form().tick(Tick::easycalc)) m.calculator().toggleMode();
  m.lunation().newmcheck();
}
void fullcheck(MainForm& m) { m.lunation().fullcheck(); }
void nextfull(MainForm& m) { m.lunation().nextfull(); }
void backfull(MainForm& m) { m.lunation().backfull(); }
void setbt(MainForm& m) { m.lunation().setbt(); }
void waste(MainForm& m) { m.lunation().waste(); }
void startLoop(MainForm& m) { m.continuous().start(); }
void stopLoop(MainForm& m) { m.continuous().stop(); }
void stepDown(MainForm& m) { m.continuous().stepDown(); }
void stepUp(MainForm& m) { m.continuous().stepUp(); }
void now(MainForm& m) { m.dates().setToNow(); }
void today(MainForm& m) { m.dates().setToToday(); }
void adjust(MainForm& m) { m.dates().adjust(); }
void record(MainForm& m) { m.dates().confirmAndRecord(); }
void restore(MainForm& m) { m.dates().dateremem(); }
void restoreAndCalc(MainForm& m) {
  m.dates().dateremem();
  m.calculator().calc();
}
void autoRebaseOn(MainForm& m) { m.form().setCheck(Check::AutoRebase, 1); }
void version(MainForm& m) { m.showVersion(); }
void siteEditor(MainForm& m) { m.windows().show(Win::SiteEditor); }
void settings(MainForm& m) { m.windows().show(Win::Settings); }
void helpContents(MainForm& m) { m.windows().help(HelpPage::Contents); }
void helpSearch(MainForm& m) { m.windows().help(HelpPage::Search); }
void quit(MainForm& m) { m.windows().closeMain(); }

// Results output
void showTable(MainForm& m) { m.windows().show(Win::Data); }
void clearTable(MainForm& m) { m.outputs().table().clearAndAdd(); }
void eraseTable(MainForm& m) { m.outputs().table().erase(); }
void printTable(MainForm& m) { m.outputs().print(); }
void startTable(MainForm& m) { m.outputs().table().start(); }
void stopTable(MainForm& m) { m.form().setCheck(Check::TableOutput, 0); }
void hideTable(MainForm& m) { m.outputs().hide(Win::Data); }
void showGraph(MainForm& m) { m.windows().show(Win::Graph); }
void clearGraph(MainForm& m) { m.outputs().graph().clearAndAdd(); }
void clearAndStartGraph(MainForm& m) { m.outputs().graph().clearAndStart(); }
void startGraph(MainForm& m) { m.outputs().graph().start(); }
void stopGraph(MainForm& m) { m.form().setCheck(Check::GraphOutput, 0); }
void hideGraph(MainForm& m) { m.outputs().hide(Win::Graph); }
void resumeLoop(MainForm& m) {
  m.continuous().recordIfAsked();
  m.continuous().resume();
}
void chooseExportFile(MainForm& m) { m.outputs().chooseFile(); }

// --- views and pads ---
template <View V, Win W>
void openView(MainForm& m) {
  m.windows().show(W);
  m.views().open(V);
}
void openTimePad(MainForm& m) { m.windows().show(Win::TimePad); }
void openAlmanac(MainForm& m) { m.windows().show(Win::Almanac); }
void bigsky(MainForm& m) { m.views().bigskyClicked(); }
void bigview(MainForm& m) { m.views().bigviewClicked(); }
void bigsun(MainForm& m) { m.views().bigsunClicked(); }
void orbitsBox(MainForm& m) { m.views().orbitsClicked(); }
void trailBox(MainForm& m) { m.views().trailClicked(); }
void startOrReverse(MainForm& m) { m.continuous().startOrReverse(); }
template <PadButton B>
void padButton(MainForm& m) {
  m.timePad().press(B);
}
template <int L>
void padLabel(MainForm& m) {
  m.timePad().labelClicked(L);
}
template <int L>
void padLabelDouble(MainForm& m) {
  m.timePad().labelDoubleClicked(L);
}
template <int D>
void keypadDigit(MainForm& m) {
  m.keypad().digit(D);
}
void keypadClear(MainForm& m) { m.keypad().allClear(); }
void keypadOk(MainForm& m) { m.keypad().ok(); }
void keypadBack(MainForm& m) { m.keypad().backspace(); }

// A check box or menu tick inverts its state; an option button is selected.
// The binding says which; the state's own rule does the rest.
void toggleBound(MainForm& m, Binding b) {
  FormModel& f = m.form();
  switch (b.kind) {
    case Binding::Kind::Tick:
      f.setTick(static_cast<Tick>(b.id), !f.tick(static_cast<Tick>(b.id)));
      break;
    case Binding::Kind::Check:
      f.setCheck(static_cast<Check>(b.id), f.check(static_cast<Check>(b.id)) ? 0 : 1);
      break;
    case Binding::Kind::Option:
      f.selectOption(static_cast<Option>(b.id));
      break;
    case Binding::Kind::None:
      break;
  }
}

// Handlers are plain function pointers, so each bound control gets its own.
template <Binding::Kind K, int Id>
void bound(MainForm& m) {
  toggleBound(m, {K, Id});
}

constexpr Binding tickOf(Tick t) { return {Binding::Kind::Tick, static_cast<int>(t)}; }
constexpr Binding checkOf(Check c) { return {Binding::Kind::Check, static_cast<int>(c)}; }
constexpr Binding optionOf(Option o) { return {Binding::Kind::Option, static_cast<int>(o)}; }

template <Tick T>
Command tick(MenuFace menu) {
  return {bound<Binding::Kind::Tick, static_cast<int>(T)>, tickOf(T), nullptr, menu, {}, {}};
}
template <Check C>
Command checkBox(const char* name, const char* caption, const char* guidance) {
  return {bound<Binding::Kind::Check, static_cast<int>(C)>,
          checkOf(C),
          guidance,
          {},
          {},
          {name, caption, nullptr}};
}

template <Option O>
Command option(const char* name, const char* caption) {
  return {bound<Binding::Kind::Option, static_cast<int>(O)>,
          optionOf(O),
          nullptr,
          {},
          {},
          {name, caption, nullptr}};
}

Command hint(const char* control, const char* caption, const char* guidance) {
  return {nullptr, {}, guidance, {}, {}, {control, caption, nullptr}};
}

std::vector<Command> buildTable() {
  // clang-format off
  std::vector<Command> t = {
    // handler, binding, guidance, menu {name, caption, shortcut},
    // toolbar {key, tooltip, picture, own guidance}, control {name, caption, own guidance}
    {calc, {}, "推算　現在の日時で推算します",
     {"onecalc", "推算(&C)"}, {}, {"Command1", "推　算"}},
    // Either mode item inverts both ticks: exactly one is ever ticked.
    {toggleMode, tickOf(Tick::easycalc), nullptr, {"easycalc", "簡易推算(&E)"}, {}, {}},
    {toggleMode, tickOf(Tick::hqcalc), nullptr, {"hqcalc", "高精度推算(&H)"}, {}, {}},
    {agecalc, {}, "月齢推算　直前の新月を基準日とし、現在の月齢を算出します",
     {"moonage", "月齢推算(&A)", "F1"}, {"agebt", "月齢推算", "agebt"}, {}},
    {agecalc, {}, "月齢推算　ｸﾘｯｸで月齢を推算、ﾀﾞﾌﾞﾙｸﾘｯｸで朔月自動基準化します",
     {}, {}, {"Picture1"}},
    {autoRebaseOn, {}, nullptr, {}, {}, {"Picture1Double"}},
    {newmcheck, {}, nullptr, {"newmcheck", "新月検索(&N)", "F2"}, {}, {}},
    {newMoonInHighPrecision, {}, "新月検索　直前の新月を検索し、年月日時を設定します",
     {}, {"newbt", "新月検索", "newbt"}, {}},
    {fullcheck, {}, nullptr, {"fullmoon", "満月検索(&S)", "Shift+F2"}, {}, {}},
    {nextfull, {}, nullptr, {"nextfull", "次の満月(&F)", "Shift+F3"}, {}, {}},
    {backfull, {}, nullptr, {"backfull", "前の満月(&R)", "Shift+F4"}, {}, {}},
    {startLoop, {},
     "連続推算　連続推算対象・速度・運行方向に従い変化分毎に連続推算します",
     {"loopcalc", "連続推算(&L)", "F11"}, {"loopbt", "連続推算", "loopbt"},
     {"Command19", "連続推算"}},
    {stopLoop, {}, "ＳＴＯＰ　連続推算を停止します",
     {"stopcalc", "STOP(&S)", "F12"}, {"stopbt", "停止", "stopbt"}, {"Command18", "STOP"}},
    {record, {}, "日時記録　年月日時分秒を一括記録します",
     {"mem", "日時の記録(&M)", "Ctrl+W"}, {"recbt", "日時記録", "Record1"}, {}},
    {restore, {}, nullptr, {"remem", "記録日時の復帰(&R)", "Ctrl+R"}, {}, {}},
    {restoreAndCalc, {}, "日時復帰　年月日時分秒を記録状態に戻します",
     {}, {"Rectangl", "戻す", "Rewind1"}, {}},
    {setbt, {}, "基準指定　現在のユリウス日を基準日に設定します",
     {}, {"setbt", "基準差", "setbt1"}, {}},
    {waste, {}, "基準日ｸﾘｱ　基準日及び基準差をｸﾘｱします",
     {}, {"Waste", "基準ｸﾘｱ", "Waste"}, {}},
    {now, {}, "現在の日時　現在の年月日時分秒を設定します", {}, {}, {"Command16", "現在の日時"}},
    {clearResults, {}, "クリア　算出された結果を全てクリアします", {}, {}, {"Command17", "クリア"}},
    {today, {}, "今日　現在の年月日のみを指定します", {}, {}, {"Command20", "今 日"}},
    {stepDown, {}, "ｽﾃｯﾌﾟ減算　連続推算対象設定に基づき日時を減算", {}, {}, {"Command21", "▼"}},
    {stepUp, {}, "ｽﾃｯﾌﾟ加算　連続推算対象設定に基づき日時を加算", {}, {}, {"Command22", "▲"}},
    {adjust, {}, "ＡＤＪ　分と秒を正時に設定します", {}, {}, {"Command36", "ADJ"}},
    checkBox<Check::AutoRebase>("Check1", "朔月自動基準化",
                                "朔月自動基準化　朔月を監視し自動的に基準日として設定します"),
    checkBox<Check::AutoDeltaT>("Check3", "△Ｔ自動", "△Ｔ自動　△Ｔを自動設定します"),
    hint("Frame1", "推算速度", "推算速度　連続推算速度を選択します"),
    hint("Frame2", "連続推算対象", "連続推算対象　連続推算の対象を年月日時分秒から選択します"),
    hint("Frame3", "運行方向", "運行方向　連続推算の運行方向を選択します"),
    option<Option::Fast>("Option1", "高速"),
    option<Option::Normal>("Option2", "通常"),
    option<Option::Years>("Option3", "年"),
    option<Option::Months>("Option4", "月"),
    option<Option::Days>("Option5", "日"),
    option<Option::Hours>("Option6", "時"),
    option<Option::Minutes>("Option7", "分"),
    option<Option::Seconds>("Option8", "秒"),
    option<Option::Past>("Option9", "過去"),
    option<Option::Future>("Option10", "未来"),
    hint("Combo1", "測地", nullptr),
    tick<Tick::automem>({"automem", "連続推算時の日時記録(&M)"}),
    tick<Tick::guid>({"guid", "ｶﾞｲﾀﾞﾝｽを表示(&G)"}),
    {siteEditor, {}, nullptr, {"sokuedit", "測地ｴﾃﾞｨﾀ(&K)..."}, {}, {}},
    {quit, {}, nullptr, {"endmenu", "Velmarの終了(&X)", "Ctrl+Q"}, {}, {}},
    {version, {}, nullptr, {"version", "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}, {}, {}},

    // --- settings dialog and help ---
    {settings, {}, nullptr, {"initset", "初期設定(&O)..."}, {}, {}},
    {helpContents, {}, nullptr, {"helpview", "Velmarのヘルプ(&C)", "Shift+F1"}, {}, {}},
    {helpSearch, {}, nullptr, {"helpsearch", "ﾄﾋﾟｯｸの検索(&S)..."}, {}, {}},

    // --- results output ---
    {showTable, {}, "ﾃﾞｰﾀﾌｫｰﾑ表示　推算結果をウィンドウに帳票出力します",
     {"dataformmn", "ﾃﾞｰﾀﾌｫｰﾑ(&D)", "F6"},
     {"databt", "ﾃﾞｰﾀﾌｫｰﾑ", "databt", "ﾃﾞｰﾀﾌｫｰﾑ　推算結果をウィンドウに帳票出力します"},
     {"Command23", "ﾃﾞｰﾀﾌｫｰﾑ表示"}},
    {clearTable, {}, "ﾃﾞｰﾀﾌｫｰﾑｸﾘｱ　ﾃﾞｰﾀﾌｫｰﾑを開かずに内容をクリアします",
     {}, {}, {"Command24", "ﾃﾞｰﾀﾌｫｰﾑｸﾘｱ"}},
    {showGraph, {}, "ｸﾞﾗﾌﾌｫｰﾑ表示　グラフ選択された推算項目をウィンドウにグラフ表示します",
     {"grphformmn", "ｸﾞﾗﾌﾌｫｰﾑ(&G)", "F7"},
     {"grpbt", "ｸﾞﾗﾌﾌｫｰﾑ", "grpbt",
      "ｸﾞﾗﾌﾌｫｰﾑ　グラフ選択された推算項目をウィンドウにグラフ表示します"},
     {"Command27", "ｸﾞﾗﾌﾌｫｰﾑ表示"}},
    {clearGraph, {}, "ｸﾞﾗﾌﾌｫｰﾑｸﾘｱ　グラフフォームを開かずにグラフをクリアします",
     {}, {}, {"Command28", "ｸﾞﾗﾌﾌｫｰﾑｸﾘｱ"}},
    {chooseExportFile, {}, "出力ﾌｧｲﾙ　連続計算の結果をﾌｧｲﾙに出力します",
     {"fileout", "ファイル出力(&S)...", "Ctrl+S"},
     {"savebt", "ﾌｧｲﾙ出力", "savebt", "ﾌｧｲﾙ出力　連続計算の結果をﾌｧｲﾙに出力します"},
     {"Command29", "出力ﾌｧｲﾙ ..."}},
    checkBox<Check::GraphOutput>("Check2", "グラフ描画", nullptr),
    checkBox<Check::TableOutput>("Check4", "帳票出力", nullptr),
    checkBox<Check::FileOutput>("Check5", "ファイル出力", nullptr),
    hint("Frame4", "ｸﾞﾗﾌ選択", "グラフ選択　グラフ描画項目を選択します"),
    checkBox<Check::GraphSun>("Check6", "太陽", nullptr),
    checkBox<Check::GraphMoon>("Check7", "月", nullptr),
    checkBox<Check::GraphIllumination>("Check8", "輝面", nullptr),
    checkBox<Check::GraphLatitude>("Check9", "黄緯", nullptr),
    // The export file's name: over it the guidance line rests.
    hint("Label19", nullptr, kTitleText),
    // The data window's buttons.
    {eraseTable, {}, nullptr, {}, {}, {"Form3.Command1", "ﾃﾞｰﾀ消去"}},
    {printTable, {}, nullptr, {}, {}, {"Form3.Command2", "ﾃﾞｰﾀ印刷"}},
    {restoreAndCalc, {}, nullptr, {}, {}, {"Form3.Command3", "日時復帰"}},
    {startTable, {}, nullptr, {}, {}, {"Form3.Command4", "ﾃﾞｰﾀ入力"}},
    {stopTable, {}, nullptr, {}, {}, {"Form3.Command5", "ﾃﾞｰﾀ停止"}},
    {resumeLoop, {}, nullptr, {}, {}, {"Form3.Command6", "連続推算"}},
    {stopLoop, {}, nullptr, {}, {}, {"Form3.Command7", "ＳＴＯＰ"}},
    hint("Form3.Command8", "", nullptr),
    {hideTable, {}, nullptr, {}, {}, {"Form3.Command9", "閉じる"}},
    // The graph window's buttons and its legend's boxes, which show the
    // main window's series boxes.
    {clearGraph, {}, nullptr, {}, {}, {"Form4.Command1", "グラフ消去"}},
    {restoreAndCalc, {}, nullptr, {}, {}, {"Form4.Command2", "日時復帰"}},
    {clearAndStartGraph, {}, nullptr, {}, {}, {"Form4.Command3", "消去・描画"}},
    {startGraph, {}, nullptr, {}, {}, {"Form4.Command4", "グラフ描画"}},
    {stopGraph, {}, nullptr, {}, {}, {"Form4.Command5", "グラフ停止"}},
    {resumeLoop, {}, nullptr, {}, {}, {"Form4.Command6", "連続推算"}},
    {stopLoop, {}, nullptr, {}, {}, {"Form4.Command7", "ＳＴＯＰ"}},
    hint("Form4.Command8", "", nullptr),
    {hideGraph, {}, nullptr, {}, {}, {"Form4.Command9", "閉じる"}},
    checkBox<Check::GraphSun>("Form4.Check1", "太陽の地心距離", nullptr),
    checkBox<Check::GraphMoon>("Form4.Check2", "月の地心距離", nullptr),
    checkBox<Check::GraphIllumination>("Form4.Check3", "輝面比", nullptr),
    checkBox<Check::GraphLatitude>("Form4.Check4", "月の黄緯", nullptr),

    // Views and pads
    {openView<View::Face, Win::Face>, {}, "月相拡大　月相をウィンドウ表示し、拡大縮小できます",
     {"menumoonview", "月相の拡大(&F)", "F3"}, {"facebt", "月相表示", "facebt"}, {}},
    // The tooltip says "起動" where the view is the orbit's: kept as users know it.
    {openView<View::Orbit, Win::Orbit>, {},
     "軌道表示　地球と月の軌道をウィンドウ表示し、拡大縮小ができます",
     {"menumoonphase", "軌道の表示(&P)", "F4"}, {"phabt", "起動表示", "phabt"}, {}},
    {openTimePad, {}, "ﾀｲﾑﾊﾟｯﾄﾞ　連続運転時の時間コントロールパッドを開きます",
     {"timepadmn", "ﾀｲﾑﾊﾟｯﾄﾞ(&T)", "F5"}, {"tmbt", "ﾀｲﾑﾊﾟｯﾄﾞ", "tmbt"}, {}},
    {openView<View::Sky, Win::Sky>, {},
     "ｽｶｲﾋﾞｭｰ　南天を中心とした天空ウィンドウを開きます、拡大縮小ができます",
     {"skyview", "ｽｶｲﾋﾞｭｰ(&V)", "F8"}, {"svbt", "ｽｶｲﾋﾞｭｰ", "svbt"}, {}},
    {bigsky, tickOf(Tick::bigsky), nullptr, {"bigsky", "拡大表示", "Ctrl+Z"}, {}, {}},
    {openView<View::Shadow, Win::Shadow>, {},
     "月食表示　地球影を中心とした天空ウィンドウを開きます、拡大縮小ができます",
     {"eclipse", "地球影の表示(&L)", "F9"}, {"mecl", "地球影表示", "mecl"}, {}},
    {bigview, tickOf(Tick::bigview), nullptr, {"bigview", "拡大表示", "Ctrl+X"}, {}, {}},
    {openView<View::Sun, Win::Sun>, {},
     "日食表示　太陽を中心とした天空ウィンドウを開きます、拡大縮小ができます",
     {"sunview", "太陽の表示(&E)", "Ctrl+F9"}, {"secl", "太陽表示", "secl"}, {}},
    {bigsun, tickOf(Tick::bigsun), nullptr, {"bigsun", "拡大表示"}, {}, {}},
    // The observer's almanac, one of the program's additions.
    {openAlmanac, {}, "月の暦　観測地の月の出入り・南中と月相・近地点・月食をひと月の表にします",
     {"almanacmn", "月の暦(&K)", "Ctrl+K"}, {"almbt", "月の暦", "almbt"}, {}},
    // The moon face view (Form5) and the orbit view (Form6).
    {startOrReverse, {}, nullptr, {}, {}, {"Form5.Command1", "◆"}},
    {stopLoop, {}, nullptr, {}, {}, {"Form5.Command2", "■"}},
    {openTimePad, {}, nullptr, {}, {}, {"Form5.Command3", "T"}},
    {startOrReverse, {}, nullptr, {}, {}, {"Form6.Command1", "◆"}},
    {stopLoop, {}, nullptr, {}, {}, {"Form6.Command2", "■"}},
    {openTimePad, {}, nullptr, {}, {}, {"Form6.Command3", "T"}},
    {orbitsBox, {}, nullptr, {}, {}, {"Form6.Check1", "軌道"}},
    // The sky view (Form11).
    {trailBox, {}, nullptr, {}, {}, {"Form11.Check1", "軌跡"}},
    {openTimePad, {}, nullptr, {}, {}, {"Form11.Command1", "T"}},
    // The Earth-shadow view (Form12): its "拡大" is the main window's bigview.
    {openTimePad, {}, nullptr, {}, {}, {"Form12.Command1", "T"}},
    hint("Form12.view", "表示", nullptr),
    {bigview, tickOf(Tick::bigview), nullptr, {}, {}, {"Form12.luna", "拡大"}},
    hint("Form12.fullmooncheckmenu", "満月検索", nullptr),
    {nextfull, {}, nullptr, {}, {}, {"Form12.nextfull", "次の満月"}},
    {fullcheck, {}, nullptr, {}, {}, {"Form12.fullmooncheck", "満月検索"}},
    {backfull, {}, nullptr, {}, {}, {"Form12.backfull", "前の満月"}},
    // The Sun-centred view (Form13): its "拡大" is the main window's bigsun.
    hint("Form13.view", "表示", nullptr),
    {bigsun, tickOf(Tick::bigsun), nullptr, {}, {}, {"Form13.bigview", "拡大"}},
    // The time pad (Form7).
    {padButton<PadButton::YearUp>, {}, nullptr, {}, {}, {"Form7.Command1", "▲"}},
    {padButton<PadButton::YearDown>, {}, nullptr, {}, {}, {"Form7.Command2", "▼"}},
    {padButton<PadButton::MonthUp>, {}, nullptr, {}, {}, {"Form7.Command3", "▲"}},
    {padButton<PadButton::MonthDown>, {}, nullptr, {}, {}, {"Form7.Command4", "▼"}},
    {padButton<PadButton::DayUp>, {}, nullptr, {}, {}, {"Form7.Command5", "▲"}},
    {padButton<PadButton::DayDown>, {}, nullptr, {}, {}, {"Form7.Command6", "▼"}},
    {padButton<PadButton::HourUp>, {}, nullptr, {}, {}, {"Form7.Command7", "▲"}},
    {padButton<PadButton::HourDown>, {}, nullptr, {}, {}, {"Form7.Command8", "▼"}},
    {padButton<PadButton::MinuteUp>, {}, nullptr, {}, {}, {"Form7.Command9", "▲"}},
    {padButton<PadButton::MinuteDown>, {}, nullptr, {}, {}, {"Form7.Command10", "▼"}},
    {padButton<PadButton::SecondUp>, {}, nullptr, {}, {}, {"Form7.Command11", "▲"}},
    {padButton<PadButton::SecondDown>, {}, nullptr, {}, {}, {"Form7.Command12", "▼"}},
    {padButton<PadButton::Now>, {}, nullptr, {}, {}, {"Form7.Command13", "Now"}},
    {padButton<PadButton::StartOrReverse>, {}, nullptr, {}, {}, {"Form7.Command14", "◆"}},
    {padButton<PadButton::Stop>, {}, nullptr, {}, {}, {"Form7.Command15", "■"}},
    {padButton<PadButton::ChangeUp>, {}, nullptr, {}, {}, {"Form7.Command16", "▲"}},
    {padButton<PadButton::ChangeDown>, {}, nullptr, {}, {}, {"Form7.Command17", "▼"}},
    {padButton<PadButton::StepUp>, {}, nullptr, {}, {}, {"Form7.Command18", "▲"}},
    {padButton<PadButton::StepDown>, {}, nullptr, {}, {}, {"Form7.Command19", "▼"}},
    {padButton<PadButton::Restore>, {}, nullptr, {}, {}, {"Form7.Command20", "<<"}},
    {padLabel<1>, {}, nullptr, {}, {}, {"Form7.Label1", "年"}},
    {padLabel<2>, {}, nullptr, {}, {}, {"Form7.Label2", "月"}},
    {padLabel<3>, {}, nullptr, {}, {}, {"Form7.Label3", "日"}},
    {padLabel<4>, {}, nullptr, {}, {}, {"Form7.Label4", "時"}},
    {padLabel<5>, {}, nullptr, {}, {}, {"Form7.Label5", "分"}},
    {padLabel<6>, {}, nullptr, {}, {}, {"Form7.Label6", "秒"}},
    {padLabelDouble<3>, {}, nullptr, {}, {}, {"Form7.Label3Double"}},
    {padLabelDouble<4>, {}, nullptr, {}, {}, {"Form7.Label4Double"}},
    {padLabelDouble<5>, {}, nullptr, {}, {}, {"Form7.Label5Double"}},
    {padLabelDouble<6>, {}, nullptr, {}, {}, {"Form7.Label6Double"}},
    hint("Form7.Label7", "変化分", nullptr),
    hint("Form7.Label8", "ｽﾃｯﾌﾟ", nullptr),
    // The numeric keypad (Form2).
    {keypadDigit<1>, {}, nullptr, {}, {}, {"Form2.Command1", "1"}},
    {keypadDigit<2>, {}, nullptr, {}, {}, {"Form2.Command2", "2"}},
    {keypadDigit<3>, {}, nullptr, {}, {}, {"Form2.Command3", "3"}},
    {keypadDigit<4>, {}, nullptr, {}, {}, {"Form2.Command4", "4"}},
    {keypadDigit<5>, {}, nullptr, {}, {}, {"Form2.Command5", "5"}},
    {keypadDigit<6>, {}, nullptr, {}, {}, {"Form2.Command6", "6"}},
    {keypadDigit<7>, {}, nullptr, {}, {}, {"Form2.Command7", "7"}},
    {keypadDigit<8>, {}, nullptr, {}, {}, {"Form2.Command8", "8"}},
    {keypadDigit<9>, {}, nullptr, {}, {}, {"Form2.Command9", "9"}},
    {keypadDigit<0>, {}, nullptr, {}, {}, {"Form2.Command10", "0"}},
    {keypadClear, {}, nullptr, {}, {}, {"Form2.Command11", "AC"}},
    {keypadOk, {}, nullptr, {}, {}, {"Form2.Command12", "OK"}},
    {keypadBack, {}, nullptr, {}, {}, {"Form2.Command13", "BS"}},
  };
  // clang-format on
  return t;
}

MenuItem item(const char* name) { return {name, false}; }
MenuItem line(const char* name) { return {name, true}; }

bool same(const char* a, std::string_view b) { return a && b == a; }

}  // namespace

const char* Command::id() const {
  if (menu.name) return menu.name;
  if (tool.key) return tool.key;
  return control.name;
}

const std::vector<Command>& commands() {
  static const std::vector<Command> table = buildTable();
  return table;
}

std::optional<CommandRef> findCommand(std::string_view name) {
  for (const Command& c : commands()) {
    if (same(c.menu.name, name)) return CommandRef{&c, Face::Menu};
    if (same(c.tool.key, name)) return CommandRef{&c, Face::Tool};
    if (same(c.control.name, name)) return CommandRef{&c, Face::Control};
  }
  return std::nullopt;
}

const std::vector<MenuLayout>& menuLayout() {
  static const std::vector<MenuLayout> menus = {
      {"filemenu", "ﾌｧｲﾙ(&F)", {item("fileout"), line("menuline12"), item("endmenu")}},
      {"calcmenu",
       "計算(&C)",
       {item("easycalc"), item("hqcalc"), line("menuline1"), item("moonage"), item("newmcheck"),
        line("linemenu1_2"), item("fullmoon"), item("nextfull"), item("backfull"),
        line("menuline2"), item("onecalc"), item("loopcalc"), line("menuline3"), item("stopcalc"),
        line("linemenu3_2"), item("mem"), item("remem")}},
      {"disp",
       "表示(&V)",
       {item("menumoonview"), item("menumoonphase"), line("linemenu10"), item("timepadmn"),
        line("linemenu11"), item("dataformmn"), item("grphformmn"), line("menuline11_2"),
        item("skyview"), item("bigsky"), line("linemenu11_3"), item("eclipse"), item("bigview"),
        line("linemenu11_4"), item("sunview"), item("bigsun"), line("linemenu11_5"),
        item("almanacmn")}},
      {"setup",
       "設定(&S)",
       {item("automem"), line("linemenu12"), item("initset"), item("sokuedit"), line("linemenu12b"),
        item("guid")}},
      {"help",
       "ﾍﾙﾌﾟ(&H)",
       {item("helpview"), item("helpsearch"), line("linemenu"), item("version")}},
  };
  return menus;
}

const std::vector<const char*>& toolbarKeys() {
  static const std::vector<const char*> keys = {
      "agebt",  "newbt",  "facebt", nullptr, "phabt",  "tmbt",  "svbt",  "mecl",
      "secl",   nullptr,  "databt", "grpbt", "savebt", nullptr, "recbt", "Rectangl",
      "loopbt", "stopbt", nullptr,  "setbt", "Waste",  nullptr, "almbt"};
  return keys;
}

const std::vector<ControlGroup>& controlGroups() {
  static const std::vector<ControlGroup> groups = {
      {"Frame1", {"Option1", "Option2"}},
      {"Frame2", {"Option3", "Option4", "Option5", "Option6", "Option7", "Option8"}},
      {"Frame3", {"Option9", "Option10"}},
      {"Frame4", {"Check6", "Check7", "Check8", "Check9"}},
  };
  return groups;
}

const char* guidanceOf(std::string_view control, bool* known) {
  if (known) *known = true;
  if (const auto ref = findCommand(control)) {
    switch (ref->face) {
      case Face::Tool:
        return ref->command->toolGuidance();
      case Face::Control:
        return ref->command->controlGuidance();
      case Face::Menu:
        return nullptr;
    }
  }
  if (const FieldInfo* f = findField(control)) return f->hint;
  if (const FieldInfo* f = findSpinner(control)) return f->spinner.hint;
  if (known) *known = false;
  return nullptr;
}

}  // namespace velmar

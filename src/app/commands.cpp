#include "app/commands.h"

#include <iterator>

#include "app/almanac_panel.h"
#include "app/year_view_panel.h"
#include "app/eclipse_panel.h"
#include "app/captions.h"
#include "app/main_form.h"

namespace velmar {

namespace {

// --- what the commands do ------------------------------------------------------

void calc(MainForm& m) { m.calculator().calc(); }
// Either mode item inverts both ticks: exactly one is ever ticked.
void easyMode(MainForm& m) { m.calculator().toggleMode(); }
void preciseMode(MainForm& m) { m.calculator().toggleMode(); }
void clearResults(MainForm& m) { m.calculator().clearResults(); }
void calculateMoonAge(MainForm& m) { m.lunation().calculateMoonAge(); }
void findNewMoon(MainForm& m) { m.lunation().findNewMoon(); }
void newMoonInHighPrecision(MainForm& m) {
  if (m.form().tick(Tick::easycalc)) m.calculator().toggleMode();
  m.lunation().findNewMoon();
}
void findFullMoon(MainForm& m) { m.lunation().findFullMoon(); }
void findNextFullMoon(MainForm& m) { m.lunation().findNextFullMoon(); }
void findPreviousFullMoon(MainForm& m) { m.lunation().findPreviousFullMoon(); }
void setReference(MainForm& m) { m.lunation().setReferenceToNow(); }
void clearReference(MainForm& m) { m.lunation().clearReference(); }
void startLoop(MainForm& m) { m.continuous().start(); }
void stopLoop(MainForm& m) { m.continuous().stop(); }
void batchLoop(MainForm& m) { m.batch().start(); }
void stepDown(MainForm& m) { m.continuous().stepDown(); }
void stepUp(MainForm& m) { m.continuous().stepUp(); }
void now(MainForm& m) { m.dates().setToNow(); }
void today(MainForm& m) { m.dates().setToToday(); }
void adjust(MainForm& m) { m.dates().adjust(); }
void record(MainForm& m) { m.dates().confirmAndRecord(); }
void restore(MainForm& m) { m.dates().restoreRecordedDate(); }
void restoreAndCalc(MainForm& m) {
  m.dates().restoreRecordedDate();
  m.calculator().calc();
}
void autoRebaseOn(MainForm& m) { m.form().setCheck(Check::AutoRebase, 1); }
void version(MainForm& m) { m.showVersion(); }
void siteEditor(MainForm& m) { m.windows().show(Win::SiteEditor); }
void settings(MainForm& m) { m.windows().show(Win::Settings); }
void helpContents(MainForm& m) { m.windows().help(HelpPage::Contents); }
void helpSearch(MainForm& m) { m.windows().help(HelpPage::Search); }
void dataFolder(MainForm& m) { m.windows().help(HelpPage::DataFolder); }
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
void openYearView(MainForm& m) { m.windows().show(Win::YearView); }
void openEclipses(MainForm& m) { m.windows().show(Win::Eclipses); }
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

// The almanac's commands act on its panel, which is there while its window is.
// F is a member of the panel or of the TablePanel it is (closeWindow).
template <auto F>
void almanacPanel(MainForm& m) {
  if (AlmanacPanel* p = m.almanac()) (p->*F)();
}
// The year view's the same way.
template <auto F>
void yearViewPanel(MainForm& m) {
  if (YearViewPanel* p = m.yearView()) (p->*F)();
}

// The same for the 日食 window's panel.
template <auto F>
void eclipsePanel(MainForm& m) {
  if (EclipsePanel* p = m.eclipses()) (p->*F)();
}

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
    default:
      break;
  }
}

// Handlers are plain function pointers, so each bound control gets its own.
template <Binding::Kind K, int Id>
void bound(MainForm& m) {
  toggleBound(m, {K, Id});
}

constexpr Binding tickOf(Tick t) { return {Binding::Kind::Tick, static_cast<int>(t)}; }

using F = FaceDef;
constexpr Face M = Face::Menu;
constexpr Face T = Face::Tool;
constexpr Face C = Face::Control;
constexpr Face S = Face::Setting;

// The faces of a row: menu, toolbar, controls, settings dialog.
template <class... Fs>
constexpr std::array<FaceDef, kMaxFaces> faces(Fs... f) {
  static_assert(sizeof...(Fs) <= kMaxFaces, "more faces than a row holds");
  return {f...};
}

// A command that only sets a state of the form.
template <Tick V>
constexpr Command tick(Cmd id, std::array<FaceDef, kMaxFaces> f) {
  return {id,        bound<Binding::Kind::Tick, static_cast<int>(V)>,
          tickOf(V), nullptr,
          nullptr,   nullptr,
          nullptr,   f};
}
template <Check V>
constexpr Command check(Cmd id, const char* caption, const char* guidance,
                        std::array<FaceDef, kMaxFaces> f) {
  return {id,
          bound<Binding::Kind::Check, static_cast<int>(V)>,
          {Binding::Kind::Check, static_cast<int>(V)},
          caption,
          guidance,
          nullptr,
          nullptr,
          f};
}
template <Option V>
constexpr Command option(const char* caption, std::array<FaceDef, kMaxFaces> f) {
  return {cmdOf(V),
          bound<Binding::Kind::Option, static_cast<int>(V)>,
          {Binding::Kind::Option, static_cast<int>(V)},
          caption,
          nullptr,
          nullptr,
          nullptr,
          f};
}
// A control of a subsidiary window with nothing but its caption.
constexpr Command plain(Cmd id, Handler h, const char* name, const char* caption) {
  return {id, h, {}, caption, nullptr, nullptr, nullptr, faces(F{C, name})};
}
// A button of the 月の暦 window or the year view, its shortcut working in
// that window only.
constexpr Command almanacButton(Cmd id, Handler h, const char* name, const char* caption,
                                const char* shortcut) {
  return {id, h, {}, caption, nullptr, shortcut, nullptr, faces(F{C, name}), Reach::Window};
}

// In the order of Cmd, so that command() is an index.
// clang-format off
constexpr Command kTable[] = {
    // id, handler, binding, caption, guidance, shortcut, picture,
    // faces {where, name, own caption, own guidance}
    {Cmd::Calc, calc, {}, "推　算", "推算　現在の日時で推算します", nullptr, nullptr,
     faces(F{M, "onecalc", "推算(&C)"}, F{C, "calcButton"})},
    {Cmd::EasyMode, easyMode, tickOf(Tick::easycalc), nullptr, nullptr, nullptr, nullptr,
     faces(F{M, "easycalc", "簡易推算(&E)"})},
    {Cmd::PreciseMode, preciseMode, tickOf(Tick::hqcalc), nullptr, nullptr, nullptr, nullptr,
     faces(F{M, "hqcalc", "高精度推算(&H)"})},
    {Cmd::MoonAge, calculateMoonAge, {}, "月齢推算", "月齢推算　直前の新月を基準日とし、現在の月齢を算出します",
     "F1", "agebt",
     faces(F{M, "moonage", "月齢推算(&A)"}, F{T, "agebt"},
           F{C, "phasePicture", nullptr, "月齢推算　ｸﾘｯｸで月齢を推算、ﾀﾞﾌﾞﾙｸﾘｯｸで朔月自動基準化します"})},
    {Cmd::AutoRebaseOn, autoRebaseOn, {}, nullptr, nullptr, nullptr, nullptr,
     faces(F{C, "phasePictureDouble"})},
    {Cmd::NewMoon, findNewMoon, {}, nullptr, nullptr, "F2", nullptr,
     faces(F{M, "findNewMoon", "新月検索(&N)"})},
    {Cmd::NewMoonPrecise, newMoonInHighPrecision, {}, "新月検索",
     "新月検索　直前の新月を検索し、年月日時を設定します", nullptr, "newbt", faces(F{T, "newbt"})},
    {Cmd::FullMoon, findFullMoon, {}, "満月検索", nullptr, "Shift+F2", nullptr,
     faces(F{M, "fullmoon", "満月検索(&S)"}, F{M, "shadowView.fullmooncheck"})},
    {Cmd::NextFull, findNextFullMoon, {}, "次の満月", nullptr, "Shift+F3", nullptr,
     faces(F{M, "nextfull", "次の満月(&F)"}, F{M, "shadowView.nextfull"})},
    {Cmd::BackFull, findPreviousFullMoon, {}, "前の満月", nullptr, "Shift+F4", nullptr,
     faces(F{M, "backfull", "前の満月(&R)"}, F{M, "shadowView.backfull"})},

    {Cmd::StartLoop, startLoop, {}, "連続推算",
     "連続推算　連続推算対象・速度・運行方向に従い変化分毎に連続推算します", "F11", "loopbt",
     faces(F{M, "loopcalc", "連続推算(&L)"}, F{T, "loopbt"}, F{C, "startLoopButton"})},
    {Cmd::StopLoop, stopLoop, {}, "STOP", "ＳＴＯＰ　連続推算を停止します", "F12", "stopbt",
     faces(F{M, "stopcalc", "STOP(&S)"}, F{T, "stopbt", "停止"}, F{C, "stopLoopButton"},
           F{C, "dataWindow.stopLoopButton", "ＳＴＯＰ", ""},
           F{C, "graphWindow.stopLoopButton", "ＳＴＯＰ", ""},
           F{C, "faceView.stopButton", "■", ""}, F{C, "orbitView.stopButton", "■", ""})},
    {Cmd::BatchLoop, batchLoop, {}, "一括推算",
     "一括推算　連続推算の残りのステップをタイマーを待たずに一度に推算します", "Shift+F11",
     "batchbt", faces(F{M, "batchcalc", "一括推算(&B)"}, F{T, "batchbt"})},
    {Cmd::Record, record, {}, "日時記録", "日時記録　年月日時分秒を一括記録します", "Ctrl+W",
     "Record1", faces(F{M, "mem", "日時の記録(&M)"}, F{T, "recbt"})},
    {Cmd::Restore, restore, {}, nullptr, nullptr, "Ctrl+R", nullptr,
     faces(F{M, "remem", "記録日時の復帰(&R)"})},
    {Cmd::RestoreAndCalc, restoreAndCalc, {}, "日時復帰", "日時復帰　年月日時分秒を記録状態に戻します",
     nullptr, "Rewind1",
     faces(F{T, "Rectangl", "戻す"}, F{C, "dataWindow.restoreButton", nullptr, ""},
           F{C, "graphWindow.restoreButton", nullptr, ""})},
    {Cmd::SetBase, setReference, {}, "基準差", "基準指定　現在のユリウス日を基準日に設定します", nullptr,
     "setref", faces(F{T, "setrefbt"})},
    {Cmd::ClearBase, clearReference, {}, "基準ｸﾘｱ", "基準日ｸﾘｱ　基準日及び基準差をｸﾘｱします", nullptr, "clearref",
     faces(F{T, "clearrefbt"})},
    {Cmd::Now, now, {}, "現在の日時", "現在の日時　現在の年月日時分秒を設定します", nullptr, nullptr,
     faces(F{C, "nowButton"})},
    {Cmd::ClearResults, clearResults, {}, "クリア", "クリア　算出された結果を全てクリアします",
     nullptr, nullptr, faces(F{C, "clearResultsButton"})},
    {Cmd::Today, today, {}, "今 日", "今日　現在の年月日のみを指定します", nullptr, nullptr,
     faces(F{C, "todayButton"})},
    {Cmd::StepDown, stepDown, {}, "▼", "ｽﾃｯﾌﾟ減算　連続推算対象設定に基づき日時を減算", nullptr,
     nullptr, faces(F{C, "stepDownButton"})},
    {Cmd::StepUp, stepUp, {}, "▲", "ｽﾃｯﾌﾟ加算　連続推算対象設定に基づき日時を加算", nullptr, nullptr,
     faces(F{C, "stepUpButton"})},
    {Cmd::Adjust, adjust, {}, "ADJ", "ＡＤＪ　分と秒を正時に設定します", nullptr, nullptr,
     faces(F{C, "adjustButton"})},
    check<Check::AutoRebase>(Cmd::AutoRebase, "朔月自動基準化",
                             "朔月自動基準化　朔月を監視し自動的に基準日として設定します",
                             faces(F{C, "autoRebaseCheck"},
                                   F{S, "settingsDialog.autoRebaseCheck"})),
    check<Check::AutoDeltaT>(Cmd::AutoDeltaT, "△Ｔ自動", "△Ｔ自動　△Ｔを自動設定します",
                             faces(F{C, "autoDeltaTCheck"})),
    option<Option::Fast>("高速", faces(F{C, "speedFastOption"},
                                       F{S, "settingsDialog.speedFastOption"})),
    option<Option::Normal>("通常", faces(F{C, "speedNormalOption"},
                                         F{S, "settingsDialog.speedNormalOption"})),
    option<Option::Years>("年", faces(F{C, "unitYearsOption"},
                                      F{S, "settingsDialog.unitYearsOption"})),
    option<Option::Months>("月", faces(F{C, "unitMonthsOption"},
                                       F{S, "settingsDialog.unitMonthsOption"})),
    option<Option::Days>("日", faces(F{C, "unitDaysOption"},
                                     F{S, "settingsDialog.unitDaysOption"})),
    option<Option::Hours>("時", faces(F{C, "unitHoursOption"},
                                      F{S, "settingsDialog.unitHoursOption"})),
    option<Option::Minutes>("分", faces(F{C, "unitMinutesOption"},
                                        F{S, "settingsDialog.unitMinutesOption"})),
    option<Option::Seconds>("秒", faces(F{C, "unitSecondsOption"},
                                        F{S, "settingsDialog.unitSecondsOption"})),
    // The settings dialog has the direction the other way round ("未来" first).
    option<Option::Past>("過去", faces(F{C, "directionPastOption"},
                                       F{S, "settingsDialog.directionPastOption"})),
    option<Option::Future>("未来", faces(F{C, "directionFutureOption"},
                                         F{S, "settingsDialog.directionFutureOption"})),

    tick<Tick::automem>(Cmd::AutoRecord, faces(F{M, "automem", "連続推算時の日時記録(&M)"},
                                               F{S, "settingsDialog.autoRecordCheck", "連続推算時の日時記録"})),
    tick<Tick::guid>(Cmd::Guidance, faces(F{M, "guid", "ｶﾞｲﾀﾞﾝｽを表示(&G)"},
                                          F{S, "settingsDialog.guidanceCheck", "ｶﾞｲﾀﾞﾝｽの表示"})),
    {Cmd::SiteEditor, siteEditor, {}, nullptr, nullptr, nullptr, nullptr,
     faces(F{M, "sokuedit", "測地ｴﾃﾞｨﾀ(&K)..."})},
    {Cmd::DataFolder, dataFolder, {}, nullptr, nullptr, nullptr, nullptr,
     faces(F{M, "datafolder", "データフォルダーを開く(&F)"})},
    {Cmd::Quit, quit, {}, nullptr, nullptr, "Ctrl+Q", nullptr,
     faces(F{M, "endmenu", "Velmarの終了(&X)"})},
    {Cmd::Version, version, {}, nullptr, nullptr, nullptr, nullptr,
     faces(F{M, "version", "ﾊﾞｰｼﾞｮﾝ情報(&A)..."})},
    {Cmd::Settings, settings, {}, nullptr, nullptr, nullptr, nullptr,
     faces(F{M, "initset", "初期設定(&O)..."})},
    {Cmd::HelpContents, helpContents, {}, nullptr, nullptr, "Shift+F1", nullptr,
     faces(F{M, "helpview", "Velmarのヘルプ(&C)"})},
    {Cmd::HelpSearch, helpSearch, {}, nullptr, nullptr, nullptr, nullptr,
     faces(F{M, "helpsearch", "ﾄﾋﾟｯｸの検索(&S)..."})},

    {Cmd::ShowTable, showTable, {}, "ﾃﾞｰﾀﾌｫｰﾑ表示", "ﾃﾞｰﾀﾌｫｰﾑ表示　推算結果をウィンドウに帳票出力します",
     "F6", "databt",
     faces(F{M, "dataformmn", "ﾃﾞｰﾀﾌｫｰﾑ(&D)"},
           F{T, "databt", "ﾃﾞｰﾀﾌｫｰﾑ", "ﾃﾞｰﾀﾌｫｰﾑ　推算結果をウィンドウに帳票出力します"},
           F{C, "showTableButton"})},
    {Cmd::ClearTable, clearTable, {}, "ﾃﾞｰﾀﾌｫｰﾑｸﾘｱ",
     "ﾃﾞｰﾀﾌｫｰﾑｸﾘｱ　ﾃﾞｰﾀﾌｫｰﾑを開かずに内容をクリアします", nullptr, nullptr,
     faces(F{C, "clearTableButton"})},
    {Cmd::ShowGraph, showGraph, {}, "ｸﾞﾗﾌﾌｫｰﾑ表示",
     "ｸﾞﾗﾌﾌｫｰﾑ表示　グラフ選択された推算項目をウィンドウにグラフ表示します", "F7", "grpbt",
     faces(F{M, "grphformmn", "ｸﾞﾗﾌﾌｫｰﾑ(&G)"},
           F{T, "grpbt", "ｸﾞﾗﾌﾌｫｰﾑ",
             "ｸﾞﾗﾌﾌｫｰﾑ　グラフ選択された推算項目をウィンドウにグラフ表示します"},
           F{C, "showGraphButton"})},
    {Cmd::ClearGraph, clearGraph, {}, "ｸﾞﾗﾌﾌｫｰﾑｸﾘｱ",
     "ｸﾞﾗﾌﾌｫｰﾑｸﾘｱ　グラフフォームを開かずにグラフをクリアします", nullptr, nullptr,
     faces(F{C, "clearGraphButton"}, F{C, "graphWindow.clearButton", "グラフ消去", ""})},
    {Cmd::ChooseExportFile, chooseExportFile, {}, "出力ﾌｧｲﾙ ...",
     "出力ﾌｧｲﾙ　連続計算の結果をﾌｧｲﾙに出力します", "Ctrl+S", "savebt",
     faces(F{M, "fileout", "ファイル出力(&S)..."},
           F{T, "savebt", "ﾌｧｲﾙ出力", "ﾌｧｲﾙ出力　連続計算の結果をﾌｧｲﾙに出力します"},
           F{C, "exportFileButton"})},
    check<Check::GraphOutput>(Cmd::GraphOutput, "グラフ描画", nullptr,
                              faces(F{C, "graphOutputCheck"})),
    check<Check::TableOutput>(Cmd::TableOutput, "帳票出力", nullptr,
                              faces(F{C, "tableOutputCheck"})),
    check<Check::FileOutput>(Cmd::FileOutput, "ファイル出力", nullptr,
                             faces(F{C, "fileOutputCheck"})),
    // The graph window's legend shows the main window's series boxes.
    check<Check::GraphSun>(Cmd::GraphSun, "太陽", nullptr,
                           faces(F{C, "graphSunCheck"},
                                 F{C, "graphWindow.sunCheck", "太陽の地心距離"},
                                 F{S, "settingsDialog.graphSunCheck"})),
    check<Check::GraphMoon>(Cmd::GraphMoon, "月", nullptr,
                            faces(F{C, "graphMoonCheck"},
                                  F{C, "graphWindow.moonCheck", "月の地心距離"},
                                  F{S, "settingsDialog.graphMoonCheck"})),
    check<Check::GraphIllumination>(Cmd::GraphIllumination, "輝面", nullptr,
                                    faces(F{C, "graphIlluminationCheck"},
                                          F{C, "graphWindow.illuminationCheck", "輝面比"},
                                          F{S, "settingsDialog.graphIlluminationCheck"})),
    check<Check::GraphLatitude>(Cmd::GraphLatitude, "黄緯", nullptr,
                                faces(F{C, "graphLatitudeCheck"},
                                      F{C, "graphWindow.latitudeCheck", "月の黄緯"},
                                      F{S, "settingsDialog.graphLatitudeCheck"})),
    // The data and graph windows' buttons.
    plain(Cmd::EraseTable, eraseTable, "dataWindow.eraseButton", "ﾃﾞｰﾀ消去"),
    plain(Cmd::PrintTable, printTable, "dataWindow.printButton", "ﾃﾞｰﾀ印刷"),
    plain(Cmd::StartTable, startTable, "dataWindow.startInputButton", "ﾃﾞｰﾀ入力"),
    plain(Cmd::StopTable, stopTable, "dataWindow.stopInputButton", "ﾃﾞｰﾀ停止"),
    {Cmd::ResumeLoop, resumeLoop, {}, "連続推算", nullptr, nullptr, nullptr,
     faces(F{C, "dataWindow.resumeLoopButton"}, F{C, "graphWindow.resumeLoopButton"})},
    plain(Cmd::HideTable, hideTable, "dataWindow.closeButton", "閉じる"),
    plain(Cmd::ClearAndStartGraph, clearAndStartGraph, "graphWindow.clearAndDrawButton",
          "消去・描画"),
    plain(Cmd::StartGraph, startGraph, "graphWindow.startDrawingButton", "グラフ描画"),
    plain(Cmd::StopGraph, stopGraph, "graphWindow.stopDrawingButton", "グラフ停止"),
    plain(Cmd::HideGraph, hideGraph, "graphWindow.closeButton", "閉じる"),

    {Cmd::OpenFace, openView<View::Face, Win::Face>, {}, "月相表示",
     "月相拡大　月相をウィンドウ表示し、拡大縮小できます", "F3", "facebt",
     faces(F{M, "menumoonview", "月相の拡大(&F)"}, F{T, "facebt"})},
    // The tooltip says "起動" where the view is the orbit's: kept as users know it.
    {Cmd::OpenOrbit, openView<View::Orbit, Win::Orbit>, {}, "起動表示",
     "軌道表示　地球と月の軌道をウィンドウ表示し、拡大縮小ができます", "F4", "phabt",
     faces(F{M, "menumoonphase", "軌道の表示(&P)"}, F{T, "phabt"})},
    {Cmd::OpenTimePad, openTimePad, {}, "T", "ﾀｲﾑﾊﾟｯﾄﾞ　連続運転時の時間コントロールパッドを開きます",
     "F5", "tmbt",
     faces(F{M, "timepadmn", "ﾀｲﾑﾊﾟｯﾄﾞ(&T)"}, F{T, "tmbt", "ﾀｲﾑﾊﾟｯﾄﾞ"},
           F{C, "faceView.timePadButton", nullptr, ""},
           F{C, "orbitView.timePadButton", nullptr, ""},
           F{C, "skyView.timePadButton", nullptr, ""},
           F{C, "shadowView.timePadButton", nullptr, ""})},
    {Cmd::OpenSky, openView<View::Sky, Win::Sky>, {}, "ｽｶｲﾋﾞｭｰ",
     "ｽｶｲﾋﾞｭｰ　南天を中心とした天空ウィンドウを開きます、拡大縮小ができます", "F8", "svbt",
     faces(F{M, "skyview", "ｽｶｲﾋﾞｭｰ(&V)"}, F{T, "svbt"})},
    {Cmd::BigSky, bigsky, tickOf(Tick::bigsky), nullptr, nullptr, "Ctrl+Z", nullptr,
     faces(F{M, "bigsky", "拡大表示"})},
    {Cmd::OpenShadow, openView<View::Shadow, Win::Shadow>, {}, "地球影表示",
     "月食表示　地球影を中心とした天空ウィンドウを開きます、拡大縮小ができます", "F9", "mecl",
     faces(F{M, "eclipse", "地球影の表示(&L)"}, F{T, "mecl"})},
    // The Earth-shadow view's "拡大" is the main window's bigview.
    {Cmd::BigView, bigview, tickOf(Tick::bigview), nullptr, nullptr, "Ctrl+X", nullptr,
     faces(F{M, "bigview", "拡大表示"}, F{M, "shadowView.luna", "拡大"})},
    {Cmd::OpenSun, openView<View::Sun, Win::Sun>, {}, "太陽表示",
     "日食表示　太陽を中心とした天空ウィンドウを開きます、拡大縮小ができます", "Ctrl+F9", "secl",
     faces(F{M, "sunview", "太陽の表示(&E)"}, F{T, "secl"})},
    // The Sun-centred view's "拡大" is the main window's bigsun.
    {Cmd::BigSun, bigsun, tickOf(Tick::bigsun), nullptr, nullptr, nullptr, nullptr,
     faces(F{M, "bigsun", "拡大表示"}, F{M, "sunView.bigview", "拡大"})},
    // The observer's almanac, one of the program's additions.
    {Cmd::OpenAlmanac, openAlmanac, {}, "月の暦",
     "月の暦　観測地の月の出入り・南中と月相・近地点・月食をひと月の表にします", "Ctrl+K", "almbt",
     faces(F{M, "almanacmn", "月の暦(&K)"}, F{T, "almbt"})},
    // The year's calendar as the national almanac's 暦要項 lists it; also a
    // button of the 月の暦 window.
    {Cmd::OpenYearView, openYearView, {}, "暦要項",
     "暦要項　その年の二十四節気・雑節・朔弦望・食・旧暦の月の始めを時刻順に一覧にします",
     "Ctrl+Shift+K", nullptr,
     faces(F{M, "yearviewmn", "暦要項(&Y)"}, F{C, "almanac.yearViewButton", "暦要項(&Y)..."})},
    {Cmd::StartOrReverse, startOrReverse, {}, "◆", nullptr, nullptr, nullptr,
     faces(F{C, "faceView.startOrReverseButton"}, F{C, "orbitView.startOrReverseButton"})},
    {Cmd::Orbits, orbitsBox, {Binding::Kind::Orbits, 0}, "軌道", nullptr, nullptr, nullptr,
     faces(F{C, "orbitView.orbitsCheck"})},
    {Cmd::Trail, trailBox, {Binding::Kind::Trail, 0}, "軌跡", nullptr, nullptr, nullptr,
     faces(F{C, "skyView.trailCheck"})},

    plain(Cmd::PadYearUp, padButton<PadButton::YearUp>, "timePad.yearUpButton", "▲"),
    plain(Cmd::PadYearDown, padButton<PadButton::YearDown>, "timePad.yearDownButton", "▼"),
    plain(Cmd::PadMonthUp, padButton<PadButton::MonthUp>, "timePad.monthUpButton", "▲"),
    plain(Cmd::PadMonthDown, padButton<PadButton::MonthDown>, "timePad.monthDownButton", "▼"),
    plain(Cmd::PadDayUp, padButton<PadButton::DayUp>, "timePad.dayUpButton", "▲"),
    plain(Cmd::PadDayDown, padButton<PadButton::DayDown>, "timePad.dayDownButton", "▼"),
    plain(Cmd::PadHourUp, padButton<PadButton::HourUp>, "timePad.hourUpButton", "▲"),
    plain(Cmd::PadHourDown, padButton<PadButton::HourDown>, "timePad.hourDownButton", "▼"),
    plain(Cmd::PadMinuteUp, padButton<PadButton::MinuteUp>, "timePad.minuteUpButton", "▲"),
    plain(Cmd::PadMinuteDown, padButton<PadButton::MinuteDown>, "timePad.minuteDownButton", "▼"),
    plain(Cmd::PadSecondUp, padButton<PadButton::SecondUp>, "timePad.secondUpButton", "▲"),
    plain(Cmd::PadSecondDown, padButton<PadButton::SecondDown>, "timePad.secondDownButton", "▼"),
    plain(Cmd::PadNow, padButton<PadButton::Now>, "timePad.nowButton", "Now"),
    plain(Cmd::PadStartOrReverse, padButton<PadButton::StartOrReverse>,
          "timePad.startOrReverseButton", "◆"),
    plain(Cmd::PadStop, padButton<PadButton::Stop>, "timePad.stopButton", "■"),
    plain(Cmd::PadChangeUp, padButton<PadButton::ChangeUp>, "timePad.changeUpButton", "▲"),
    plain(Cmd::PadChangeDown, padButton<PadButton::ChangeDown>, "timePad.changeDownButton", "▼"),
    plain(Cmd::PadStepUp, padButton<PadButton::StepUp>, "timePad.stepUpButton", "▲"),
    plain(Cmd::PadStepDown, padButton<PadButton::StepDown>, "timePad.stepDownButton", "▼"),
    plain(Cmd::PadRestore, padButton<PadButton::Restore>, "timePad.restoreButton", "<<"),
    plain(Cmd::PadYears, padLabel<1>, "timePad.yearsLabel", "年"),
    plain(Cmd::PadMonths, padLabel<2>, "timePad.monthsLabel", "月"),
    plain(Cmd::PadDays, padLabel<3>, "timePad.daysLabel", "日"),
    plain(Cmd::PadHours, padLabel<4>, "timePad.hoursLabel", "時"),
    plain(Cmd::PadMinutes, padLabel<5>, "timePad.minutesLabel", "分"),
    plain(Cmd::PadSeconds, padLabel<6>, "timePad.secondsLabel", "秒"),
    plain(Cmd::PadDaysTwice, padLabelDouble<3>, "timePad.daysLabelDouble", nullptr),
    plain(Cmd::PadHoursTwice, padLabelDouble<4>, "timePad.hoursLabelDouble", nullptr),
    plain(Cmd::PadMinutesTwice, padLabelDouble<5>, "timePad.minutesLabelDouble", nullptr),
    plain(Cmd::PadSecondsTwice, padLabelDouble<6>, "timePad.secondsLabelDouble", nullptr),

    plain(Cmd::Key1, keypadDigit<1>, "keypad.digit1Button", "1"),
    plain(Cmd::Key2, keypadDigit<2>, "keypad.digit2Button", "2"),
    plain(Cmd::Key3, keypadDigit<3>, "keypad.digit3Button", "3"),
    plain(Cmd::Key4, keypadDigit<4>, "keypad.digit4Button", "4"),
    plain(Cmd::Key5, keypadDigit<5>, "keypad.digit5Button", "5"),
    plain(Cmd::Key6, keypadDigit<6>, "keypad.digit6Button", "6"),
    plain(Cmd::Key7, keypadDigit<7>, "keypad.digit7Button", "7"),
    plain(Cmd::Key8, keypadDigit<8>, "keypad.digit8Button", "8"),
    plain(Cmd::Key9, keypadDigit<9>, "keypad.digit9Button", "9"),
    plain(Cmd::Key0, keypadDigit<0>, "keypad.digit0Button", "0"),
    plain(Cmd::KeyClear, keypadClear, "keypad.clearButton", "AC"),
    plain(Cmd::KeyOk, keypadOk, "keypad.okButton", "OK"),
    plain(Cmd::KeyBack, keypadBack, "keypad.backspaceButton", "BS"),

    almanacButton(Cmd::AlmanacPreviousMonth, almanacPanel<&AlmanacPanel::previousMonth>,
                  "almanac.previousMonthButton", "前月(&P)", "Ctrl+PgUp"),
    almanacButton(Cmd::AlmanacNextMonth, almanacPanel<&AlmanacPanel::nextMonth>,
                  "almanac.nextMonthButton", "次月(&N)", "Ctrl+PgDown"),
    almanacButton(Cmd::AlmanacFollowDate, almanacPanel<&AlmanacPanel::followMainDate>,
                  "almanac.mainDateButton", "主画面の日付(&D)", "Ctrl+D"),
    almanacButton(Cmd::AlmanacExport, almanacPanel<&AlmanacPanel::exportFile>,
                  "almanac.exportButton", "ファイル出力(&S)...", nullptr),
    almanacButton(Cmd::AlmanacPrint, almanacPanel<&AlmanacPanel::print>,
                  "almanac.printButton", "印刷(&R)...", nullptr),
    almanacButton(Cmd::AlmanacClose, almanacPanel<&AlmanacPanel::closeWindow>,
                  "almanac.closeButton", "閉じる", "Esc"),

    almanacButton(Cmd::YearViewPreviousYear, yearViewPanel<&YearViewPanel::previousYear>,
                  "yearView.previousYearButton", "前年(&P)", "Ctrl+PgUp"),
    almanacButton(Cmd::YearViewNextYear, yearViewPanel<&YearViewPanel::nextYear>,
                  "yearView.nextYearButton", "次年(&N)", "Ctrl+PgDown"),
    almanacButton(Cmd::YearViewFollowDate, yearViewPanel<&YearViewPanel::followMainDate>,
                  "yearView.mainDateButton", "主画面の年(&D)", "Ctrl+D"),
    almanacButton(Cmd::YearViewExport, yearViewPanel<&YearViewPanel::exportFile>,
                  "yearView.exportButton", "ファイル出力(&S)...", nullptr),
    almanacButton(Cmd::YearViewPrint, yearViewPanel<&YearViewPanel::print>,
                  "yearView.printButton", "印刷(&R)...", nullptr),
    almanacButton(Cmd::YearViewClose, yearViewPanel<&YearViewPanel::closeWindow>,
                  "yearView.closeButton", "閉じる", "Esc"),
    {Cmd::OpenEclipses, openEclipses, {}, "日食",
     "日食　観測地で見られる日食の接触時刻・食分・面積比・太陽高度を年ごとに一覧します", "Ctrl+J",
     nullptr, faces(F{M, "eclipsesmn", "日食(&J)"})},
    almanacButton(Cmd::EclipseFollowDate, eclipsePanel<&EclipsePanel::followMainDate>,
                  "eclipses.mainDateButton", "主画面の日付(&D)", "Ctrl+D"),
    almanacButton(Cmd::EclipseExport, eclipsePanel<&EclipsePanel::exportFile>,
                  "eclipses.exportButton", "ファイル出力(&S)...", nullptr),
    almanacButton(Cmd::EclipsePrint, eclipsePanel<&EclipsePanel::print>,
                  "eclipses.printButton", "印刷(&R)...", nullptr),
    almanacButton(Cmd::EclipseClose, eclipsePanel<&EclipsePanel::closeWindow>,
                  "eclipses.closeButton", "閉じる", "Esc"),
};
// clang-format on

constexpr bool tableInOrder() {
  for (int i = 0; i < kCmdCount; ++i)
    if (static_cast<int>(kTable[i].id) != i) return false;
  return true;
}
static_assert(std::size(kTable) == static_cast<size_t>(kCmdCount), "one row per command");
static_assert(tableInOrder(), "the command table is indexed by the command's number");

bool same(const char* a, std::string_view b) { return a && b == a; }

}  // namespace

std::vector<const FaceDef*> Command::facesOf(Face f) const {
  std::vector<const FaceDef*> out;
  for (const FaceDef& d : faces)
    if (d.name && d.face == f) out.push_back(&d);
  return out;
}

const FaceDef* Command::menu() const {
  for (const FaceDef& d : faces)
    if (d.name && d.face == Face::Menu) return &d;
  return nullptr;
}

const FaceDef* Command::tool() const {
  for (const FaceDef& d : faces)
    if (d.name && d.face == Face::Tool) return &d;
  return nullptr;
}

const char* Command::guidanceOf(const FaceDef& f) const {
  if (f.face == Face::Menu || f.face == Face::Setting) return nullptr;
  // An empty own guidance: the face writes none.
  if (f.guidance) return *f.guidance ? f.guidance : nullptr;
  return guidance;
}

const char* Command::title() const {
  if (const FaceDef* m = menu()) return captionOf(*m);
  return faces[0].name ? captionOf(faces[0]) : caption;
}

const std::vector<Command>& commands() {
  static const std::vector<Command> table(std::begin(kTable), std::end(kTable));
  return table;
}

const Command& command(Cmd c) { return commands()[static_cast<size_t>(c)]; }

namespace {

std::optional<CommandRef> findFace(std::string_view name, bool settings) {
  for (const Command& c : commands())
    for (const FaceDef& f : c.faces)
      if (same(f.name, name) && (f.face == Face::Setting) == settings) return CommandRef{&c, &f};
  return std::nullopt;
}

}  // namespace

std::optional<CommandRef> findCommand(std::string_view name) { return findFace(name, false); }
std::optional<CommandRef> findSetting(std::string_view name) { return findFace(name, true); }

const std::vector<MenuLayout>& menuLayout() {
  constexpr std::nullopt_t line = std::nullopt;
  static const std::vector<MenuLayout> menus = {
      {"filemenu", "ﾌｧｲﾙ(&F)", {Cmd::ChooseExportFile, line, Cmd::Quit}},
      {"calcmenu",
       "計算(&C)",
       {Cmd::EasyMode, Cmd::PreciseMode, line, Cmd::MoonAge, Cmd::NewMoon, line, Cmd::FullMoon,
        Cmd::NextFull, Cmd::BackFull, line, Cmd::Calc, Cmd::StartLoop, line, Cmd::StopLoop, line,
        Cmd::Record, Cmd::Restore, line, Cmd::BatchLoop}},
      {"disp",
       "表示(&V)",
       {Cmd::OpenFace, Cmd::OpenOrbit, line, Cmd::OpenTimePad, line, Cmd::ShowTable, Cmd::ShowGraph,
        line, Cmd::OpenSky, Cmd::BigSky, line, Cmd::OpenShadow, Cmd::BigView, line, Cmd::OpenSun,
        Cmd::BigSun, line, Cmd::OpenAlmanac, Cmd::OpenYearView, Cmd::OpenEclipses}},
      {"setup",
       "設定(&S)",
       {Cmd::AutoRecord, line, Cmd::Settings, Cmd::SiteEditor, Cmd::DataFolder, line, Cmd::Guidance}},
      {"help", "ﾍﾙﾌﾟ(&H)", {Cmd::HelpContents, Cmd::HelpSearch, line, Cmd::Version}},
  };
  return menus;
}

const std::vector<std::optional<Cmd>>& toolbarLayout() {
  constexpr std::nullopt_t line = std::nullopt;
  static const std::vector<std::optional<Cmd>> keys = {
      Cmd::MoonAge,        Cmd::NewMoonPrecise, Cmd::OpenFace,         line,         Cmd::OpenOrbit,
      Cmd::OpenTimePad,    Cmd::OpenSky,        Cmd::OpenShadow,       Cmd::OpenSun, line,
      Cmd::ShowTable,      Cmd::ShowGraph,      Cmd::ChooseExportFile, line,         Cmd::Record,
      Cmd::RestoreAndCalc, Cmd::StartLoop,      Cmd::StopLoop,         line,         Cmd::SetBase,
      Cmd::ClearBase,      line,                Cmd::BatchLoop,        line,         Cmd::OpenAlmanac};
  return keys;
}

bool isOn(const MainForm& m, Cmd c) {
  const Binding b = command(c).binding;
  const FormModel& f = m.form();
  switch (b.kind) {
    case Binding::Kind::Tick:
      return f.tick(static_cast<Tick>(b.id));
    case Binding::Kind::Check:
      return f.check(static_cast<Check>(b.id)) == 1;
    case Binding::Kind::Option:
      return f.option(static_cast<Option>(b.id));
    case Binding::Kind::Orbits:
      return const_cast<MainForm&>(m).views().orbits();
    case Binding::Kind::Trail:
      return const_cast<MainForm&>(m).views().trail();
    case Binding::Kind::None:
      break;
  }
  return false;
}

const char* guidanceOf(std::string_view control, bool* known) {
  if (known) *known = true;
  if (const auto ref = findCommand(control)) return ref->command->guidanceOf(*ref->face);
  if (const Caption* c = findCaption(control)) return c->guidance;
  if (const FieldInfo* f = findField(control)) return f->hint;
  if (const FieldInfo* f = findSpinner(control)) return f->spinner.hint;
  if (known) *known = false;
  return nullptr;
}

}  // namespace velmar

#include "app/captions.h"

#include <cstdlib>

#include "engine/program.h"

namespace velmar {

const std::vector<Caption>& captions() {
  using T = Text;
  // clang-format off
  static const std::vector<Caption> table = [] {
    std::vector<Caption> t = {
      {T::Toolbar, "toolbar", "ツールバー", nullptr},
      {T::DateTimeFrame, nullptr, "日時 (日本標準時)", nullptr},
      {T::SecondsUnit, nullptr, "秒", nullptr},
      {T::LoopFrame, nullptr, "連続推算", nullptr},
      {T::AgeLabel, nullptr, "月齢", nullptr},
      {T::ResultsFrame, nullptr, "推算結果", nullptr},
      {T::AgeUnit, nullptr, "(月齢)", nullptr},
      {T::SpeedFrame, "speedFrame", "推算速度", "推算速度　連続推算速度を選択します"},
      {T::TargetFrame, "unitFrame", "連続推算対象",
       "連続推算対象　連続推算の対象を年月日時分秒から選択します"},
      {T::DirectionFrame, "directionFrame", "運行方向", "運行方向　連続推算の運行方向を選択します"},
      {T::SeriesFrame, "seriesFrame", "ｸﾞﾗﾌ選択", "グラフ選択　グラフ描画項目を選択します"},
      {T::SiteFrame, "siteCombo", "測地", nullptr},
      // The export file's name: over it the guidance line rests.
      {T::ExportFileName, "exportFileLabel", nullptr, kTitleText},
      {T::DataSpare, "dataWindow.spareButton", "", nullptr},
      {T::GraphSpare, "graphWindow.spareButton", "", nullptr},
      {T::ShadowViewMenu, "shadowView.view", "表示", nullptr},
      {T::ShadowFullMoonMenu, "shadowView.fullmooncheckmenu", "満月検索", nullptr},
      {T::SunViewMenu, "sunView.view", "表示", nullptr},
      {T::PadChange, "timePad.changeLabel", "変化分", nullptr},
      {T::PadStep, "timePad.stepLabel", "ｽﾃｯﾌﾟ", nullptr},
      {T::SettingsSave, nullptr, "設定保存", nullptr},
      {T::SettingsCancel, nullptr, "キャンセル", nullptr},
      {T::SettingsResetPlaces, nullptr, "全ｳｨﾝﾄﾞｳ 初期位置", nullptr},
      {T::SiteEditorTitle, nullptr, "測地ｴﾃﾞｨﾀ", nullptr},
      {T::SiteSample, nullptr, "測地", nullptr},
      {T::SiteIndexTip, nullptr, "選択中の測地の番号 (0 から)", nullptr},
      {T::SiteName, nullptr, "測地名", nullptr},
      {T::SiteLongitude, nullptr, "東経", nullptr},
      {T::SiteLatitude, nullptr, "北緯", nullptr},
      {T::SiteElevation, nullptr, "標高", nullptr},
      {T::SiteActionFrame, nullptr, "ｱｸｼｮﾝ", nullptr},
      {T::SiteInitial, nullptr, "初期値", nullptr},
      {T::SiteAdd, nullptr, "追　加", nullptr},
      {T::SiteReplace, nullptr, "置　換", nullptr},
      {T::SiteApply, nullptr, "適用", nullptr},
      {T::SiteCancel, nullptr, "キャンセル", nullptr},
    };
    // In the order of Text, so that captionOf() is an index.
    for (size_t i = 0; i < t.size(); ++i)
      if (static_cast<size_t>(t[i].id) != i) std::abort();
    return t;
  }();
  // clang-format on
  return table;
}

const char* captionOf(Text t) { return captions()[static_cast<size_t>(t)].caption; }

const Caption* findCaption(std::string_view name) {
  for (const Caption& c : captions())
    if (c.name && name == c.name) return &c;
  return nullptr;
}

const std::vector<ControlGroup>& controlGroups() {
  static const std::vector<ControlGroup> groups = {
      {Text::SpeedFrame, {cmdOf(Option::Fast), cmdOf(Option::Normal)}},
      {Text::TargetFrame,
       {cmdOf(Option::Years), cmdOf(Option::Months), cmdOf(Option::Days), cmdOf(Option::Hours),
        cmdOf(Option::Minutes), cmdOf(Option::Seconds)}},
      {Text::DirectionFrame, {cmdOf(Option::Past), cmdOf(Option::Future)}},
      {Text::SeriesFrame,
       {Cmd::GraphSun, Cmd::GraphMoon, Cmd::GraphIllumination, Cmd::GraphLatitude}},
  };
  return groups;
}

}  // namespace velmar

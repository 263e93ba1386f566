#include "engine/form.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmar {
namespace {

TEST(FormModel, RewritingTheSameTextIsNoChange) {
  FormModel form;
  std::vector<int> changed;
  int rules = 0;
  form.changed().connect([&](const Change& c) {
    if (c.kind == Change::Kind::Field) changed.push_back(c.id);
  });
  form.setFieldRule([&](Field) { ++rules; });
  form.setText(Field::Day, "9");
  form.setText(Field::Day, "9");
  form.setText(Field::Day, "09");
  EXPECT_EQ(changed, (std::vector<int>{3, 3}));
  EXPECT_EQ(rules, 2);
}

TEST(FormModel, RulesCascadeDepthFirst) {
  // A rule's own writes run their rules before the rest of the rule.
  FormModel form;
  std::vector<std::string> order;
  form.setFieldRule([&](Field f) {
    order.push_back(std::string("enter ") + fieldName(f));
    if (f == Field::Second && form.text(f) == "60") {
      form.setText(Field::Minute, "1");
      form.setText(Field::Second, "0");
    }
    order.push_back(std::string("leave ") + fieldName(f));
  });
  form.setText(Field::Second, "60");
  EXPECT_EQ(order, (std::vector<std::string>{"enter Text9", "enter Text8", "leave Text8",
                                             "enter Text9", "leave Text9", "leave Text9"}));
}

TEST(FormModel, CheckClickRuleRunsOnlyOnChange) {
  FormModel form;
  int clicks = 0;
  form.setCheckRule([&](Check) { ++clicks; });
  form.setCheck(Check::AutoDeltaT, 1);
  form.setCheck(Check::AutoDeltaT, 1);
  form.setCheck(Check::AutoDeltaT, 0);
  EXPECT_EQ(clicks, 2);
}

TEST(FormModel, ListenerMayRemoveItselfWhileNotified) {
  FormModel form;
  int calls = 0;
  int id = 0;
  id = form.changed().connect([&](const Change&) {
    ++calls;
    form.changed().disconnect(id);
  });
  form.setText(Field::Year, "1");
  form.setText(Field::Year, "2");
  EXPECT_EQ(calls, 1);
}

// Subscribers that connect and disconnect others while being notified,
// inside nested notifications (a rule's write notifies again): each runs
// from a stable place, newcomers hear only later notifications, and the
// order is by rank.
TEST(Signal, SubscribersChangingTheListWhileNotified) {
  Signal<int> s;
  std::vector<std::string> heard;
  int late = 0;
  int second = 0;
  s.connect([&](int v) { heard.push_back("rank5:" + std::to_string(v)); }, 5);
  const int first = s.connect([&](int v) {
    heard.push_back("first:" + std::to_string(v));
    if (v == 1) {
      for (int i = 0; i < 64; ++i) s.connect([&](int) { ++late; });  // forces a regrowth
      s.disconnect(second);
      s(2);  // nested
    }
  });
  second = s.connect([&](int v) { heard.push_back("second:" + std::to_string(v)); });
  s(1);
  EXPECT_EQ(heard, (std::vector<std::string>{"first:1", "first:2", "rank5:2", "rank5:1"}));
  EXPECT_EQ(late, 0);
  s.disconnect(first);
  heard.clear();
  s(3);
  EXPECT_EQ(heard, (std::vector<std::string>{"rank5:3"}));
  EXPECT_EQ(late, 64);
}

}  // namespace
}  // namespace velmar

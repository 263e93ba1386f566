#include "engine/form.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "engine/numtext.h"

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
  EXPECT_EQ(order, (std::vector<std::string>{"enter secondField", "enter minuteField",
                                             "leave minuteField", "enter secondField",
                                             "leave secondField", "leave secondField"}));
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

// setFixed leaves the text to be made when read; against a form written
// with setText(formatFixed(...)) it must notify and run rules at the same
// writes and show the same texts and values, whatever the mix of masks,
// repeated values, plain texts and reads in between.
TEST(FormModel, FixedWritesBehaveAsTheirTexts) {
  FormModel lazy, eager;
  std::vector<int> lazyLog, eagerLog;
  lazy.setFieldRule([&](Field f) { lazyLog.push_back(static_cast<int>(f)); });
  eager.setFieldRule([&](Field f) { eagerLog.push_back(static_cast<int>(f)); });
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {0.0,
                           -0.0,
                           1e-13,
                           -1e-13,
                           5e-13,
                           -4.9e-13,
                           0.5,
                           359.9999999999995,
                           123.456789012345,
                           -1.5,
                           12.25,
                           1e5,
                           9007.199254740993,
                           12345.678901234567,
                           1e17,
                           -2e19,
                           3e30,
                           inf,
                           -inf,
                           std::nan("")};
  struct Mask {
    int intDigits, decimals;
    bool blank;
  } masks[] = {{1, 12, true}, {2, 12, true}, {6, 6, true}, {2, 0, false}, {1, 11, true}};
  const Field fields[] = {Field::Phase, Field::Illumination, Field::DeltaT};
  std::mt19937 rng(3);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto same = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  for (int step = 0; step < 20000; ++step) {
    const Field f = fields[pick(3)];
    const int what = pick(10);
    if (what == 0) {
      const std::string t = pick(2) ? "abc" : formatFixed(values[pick(20)], 1, 12, true);
      lazy.setText(f, t);
      eager.setText(f, t);
    } else if (what <= 2) {
      ASSERT_EQ(lazy.text(f), eager.text(f)) << step;
    } else if (what == 3) {
      ASSERT_TRUE(same(lazy.value(f), eager.value(f))) << step << " " << eager.text(f);
    } else {
      const double x = values[pick(20)] * (pick(4) ? 1 : 1 + 1e-15);
      const Mask& m = masks[pick(5)];
      lazy.setFixed(f, x, m.intDigits, m.decimals, m.blank);
      eager.setText(f, formatFixed(x, m.intDigits, m.decimals, m.blank));
    }
    ASSERT_EQ(lazyLog, eagerLog) << step;
  }
  EXPECT_TRUE(lazy.state() == eager.state());
}

}  // namespace
}  // namespace velmar

#include "engine/form.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmar {
namespace {

TEST(FormModel, RewritingTheSameTextIsNoChange) {
  FormModel form;
  std::vector<int> changed;
  int rules = 0;
  form.addListener([&](const Change& c) {
    if (c.kind == Change::Kind::Field) changed.push_back(c.id);
  });
  form.setFieldRule([&](Field) { ++rules; });
  form.setText(Field::Text3, "9");
  form.setText(Field::Text3, "9");
  form.setText(Field::Text3, "09");
  EXPECT_EQ(changed, (std::vector<int>{3, 3}));
  EXPECT_EQ(rules, 2);
}

TEST(FormModel, RulesCascadeDepthFirst) {
  // A rule's own writes run their rules before the rest of the rule.
  FormModel form;
  std::vector<std::string> order;
  form.setFieldRule([&](Field f) {
    order.push_back(std::string("enter ") + fieldName(f));
    if (f == Field::Text9 && form.text(f) == "60") {
      form.setText(Field::Text8, "1");
      form.setText(Field::Text9, "0");
    }
    order.push_back(std::string("leave ") + fieldName(f));
  });
  form.setText(Field::Text9, "60");
  EXPECT_EQ(order, (std::vector<std::string>{"enter Text9", "enter Text8", "leave Text8",
                                             "enter Text9", "leave Text9", "leave Text9"}));
}

TEST(FormModel, CheckClickRuleRunsOnlyOnChange) {
  FormModel form;
  int clicks = 0;
  form.setCheckRule([&](Check) { ++clicks; });
  form.setCheck(Check::Check3, 1);
  form.setCheck(Check::Check3, 1);
  form.setCheck(Check::Check3, 0);
  EXPECT_EQ(clicks, 2);
}

TEST(FormModel, ListenerMayRemoveItselfWhileNotified) {
  FormModel form;
  int calls = 0;
  int id = 0;
  id = form.addListener([&](const Change&) {
    ++calls;
    form.removeListener(id);
  });
  form.setText(Field::Text1, "1");
  form.setText(Field::Text1, "2");
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace velmar

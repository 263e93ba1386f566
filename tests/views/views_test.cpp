// The views as the main form runs them: opening, the order of drawing after
// a calculation, closing, the trail, the enlarged scales.
#include "views/views.h"

#include <gtest/gtest.h>

#include "engine/headless_form.h"

namespace velmar {
namespace {

class ViewsTest : public testing_form::HeadlessFormTest {
 protected:
  Views& views = main.views();
  std::vector<std::string> drawn;  // what was drawn, in order
  int calcs = 0;

  void SetUp() override {
    writeInstant(form, {"2001", "3", "9", "21", "5", "0"});
    form.setText(Field::DeltaT, "66");
    main.calculator().setSite(35.6544, 139.7447);
    main.onDraw(
        [this] {
          ++calcs;
          drawn.push_back("phase");
        },
        ViewStage::Phase);
  }
  // A surface that records its drawings by the view's name.
  void attach(View v, const char* name) {
    views.attach(v, {[this, name] { drawn.push_back(name); },
                     [this, name] { drawn.push_back(std::string(name) + " cleared"); }});
  }
};

TEST_F(ViewsTest, OpenViewsDrawAfterThePhasePictureInTheirOrder) {
  attach(View::Sun, "sun");
  attach(View::Shadow, "shadow");
  attach(View::Sky, "sky");
  attach(View::Orbit, "orbit");
  attach(View::Face, "face");
  // Opened in any order, through their commands.
  for (const char* c : {"secl", "eclipse", "skyview", "phabt", "menumoonview"}) main.run(c);
  EXPECT_EQ(views.flags().faceOpen + views.flags().orbitOpen + views.flags().skyOpen +
                views.flags().shadowOpen + views.flags().sunOpen,
            5);
  EXPECT_EQ(main.headlessWindows()->shown,
            (std::vector<Win>{Win::Sun, Win::Shadow, Win::Sky, Win::Orbit, Win::Face}));
  drawn.clear();
  main.calculator().calc();
  EXPECT_EQ(drawn, (std::vector<std::string>{"phase", "face", "orbit", "sky", "shadow", "sun"}));

  // A closed view no longer draws; opening it again puts it back in place.
  views.closed(View::Orbit);
  views.closed(View::Sun);
  EXPECT_EQ(views.flags().orbitOpen, 0);
  drawn.clear();
  main.calculator().calc();
  EXPECT_EQ(drawn, (std::vector<std::string>{"phase", "face", "sky", "shadow"}));
  main.run("phabt");
  drawn.clear();
  main.calculator().calc();
  EXPECT_EQ(drawn, (std::vector<std::string>{"phase", "face", "orbit", "sky", "shadow"}));

  // A view whose window is gone draws nothing, open or not.
  views.attach(View::Face, {});
  drawn.clear();
  main.calculator().calc();
  EXPECT_EQ(drawn, (std::vector<std::string>{"phase", "orbit", "sky", "shadow"}));
}

TEST_F(ViewsTest, ClosingKeepsTheTrailAndResetsTheWindowsBoxes) {
  main.calculator().calc();
  views.open(View::Sky);
  views.open(View::Orbit);
  views.trailClicked();
  views.orbitsClicked();
  EXPECT_TRUE(views.trail());
  EXPECT_FALSE(views.orbits());
  const ViewPicture pic = views.picture(View::Sky, 5000, 2500);
  const SkyTrail at = views.skyTrail();
  EXPECT_EQ(at.skyMoonX, pic.ops.back().x);

  views.closed(View::Sky);
  views.closed(View::Orbit);
  // A new window has its boxes as designed; the trail goes on where it was.
  EXPECT_FALSE(views.trail());
  EXPECT_TRUE(views.orbits());
  EXPECT_EQ(views.skyTrail().skyMoonX, at.skyMoonX);
  EXPECT_EQ(views.skyTrail().skySunY, at.skySunY);
}

TEST_F(ViewsTest, BoxesRedrawAtOnce) {
  attach(View::Orbit, "orbit");
  attach(View::Sky, "sky");
  main.run("orbitView.orbitsCheck");
  main.run("skyView.trailCheck");
  EXPECT_EQ(drawn, (std::vector<std::string>{"orbit", "sky"}));
  EXPECT_FALSE(views.orbits());
  EXPECT_TRUE(views.trail());
  EXPECT_EQ(calcs, 0);
}

TEST_F(ViewsTest, BigskyClearsTheSkyAndCalculatesOnce) {
  // Not loaded yet: the command makes the window first, then clears it.
  std::vector<View> loaded;
  views.load = [&](View v) {
    loaded.push_back(v);
    attach(v, "sky");
  };
  main.run("skyview");
  main.run("bigsky");
  EXPECT_TRUE(form.tick(Tick::bigsky));
  EXPECT_EQ(loaded, std::vector<View>{View::Sky});
  EXPECT_EQ(drawn, (std::vector<std::string>{"sky cleared", "phase", "sky"}));
  EXPECT_EQ(views.picture(View::Sky, 5000, 2500).ops.back().rx, 50);  // 0.02 x 2500

  main.run("bigsky");
  EXPECT_FALSE(form.tick(Tick::bigsky));
  EXPECT_EQ(loaded.size(), 1u);
  EXPECT_EQ(calcs, 2);
}

TEST_F(ViewsTest, EclipseViewsScaleSwitchesAreTheMainWindowsTicks) {
  attach(View::Shadow, "shadow");
  attach(View::Sun, "sun");
  main.calculator().calc();
  drawn.clear();
  const double normal = views.picture(View::Shadow, 3500, 2500).ops[1].rx;
  // The view's "拡大" and the main window's "拡大表示" are one tick.
  main.run("shadowView.luna");
  EXPECT_TRUE(form.tick(Tick::bigview));
  EXPECT_DOUBLE_EQ(views.picture(View::Shadow, 3500, 2500).ops[1].rx, 3 * normal);
  main.run("bigview");
  EXPECT_FALSE(form.tick(Tick::bigview));
  main.run("sunView.bigview");
  EXPECT_TRUE(form.tick(Tick::bigsun));
  main.run("bigsun");
  EXPECT_FALSE(form.tick(Tick::bigsun));
  // Each click redraws its view and calculates nothing.
  EXPECT_EQ(drawn, (std::vector<std::string>{"shadow", "shadow", "sun", "sun"}));
  EXPECT_EQ(calcs, 1);
}

// The Sun's place reuses the Moon's conversions: near the March equinox at
// apparent noon in Tokyo the Sun stands due south, 90 - 35.65 degrees high.
TEST_F(ViewsTest, SunStandsSouthAtNoonOfTheEquinox) {
  writeInstant(form, {"2001", "3", "20", "11", "48", "0"});
  main.calculator().calc();
  const ViewPicture pic = views.picture(View::Sky, 4800, 2400);
  EXPECT_NEAR(pic.sunAzimuth, 180, 1.5);
  EXPECT_NEAR(pic.sunAltitude, 90 - 35.6544, 1.0);
  // At night it is below the horizon, under the picture.
  writeInstant(form, {"2001", "3", "20", "23", "48", "0"});
  main.calculator().calc();
  const ViewPicture night = views.picture(View::Sky, 4800, 2400);
  EXPECT_LT(night.sunAltitude, -40);
  EXPECT_GT(night.ops[night.ops.size() - 2].y, 2400);
}

}  // namespace
}  // namespace velmar

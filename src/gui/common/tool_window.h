#pragma once
// The base of the main window's subsidiary windows: it takes its place
// from the placement the settings keep for it (twips) when it is shown,
// stores the place back when it closes, shows the title the core gives it
// and, for the views and pads, stays above other windows without taking
// the focus from the window the user is typing in.
#include <QWidget>
#include <functional>
#include <string>

#include "config/moon_inf.h"

namespace velmar {

class ToolWindow : public QWidget {
  Q_OBJECT

 public:
  enum class Stacking { Normal, OnTop };
  // `placements` outlives the window (the main form's); `which` names its
  // entry there, when it has one.
  ToolWindow(Placements& placements, Win which, Stacking stacking, QWidget* parent = nullptr);

  // Shows the window at its stored place (centred on the screen when the
  // stored top is -1), or raises it when it is shown already.
  void open();
  void setTitle(const std::string& title);

  // The main window: a window opened for the first time (no stored place)
  // goes beside it, not over it. Without one it is centred on the screen.
  static void setAnchor(QWidget* main);

  // Run after the place is stored when the window closes (not when it is
  // only hidden): the view flag goes back to 0, an output switches off.
  std::function<void()> onClosed;

  // A window whose place is kept elsewhere than in the settings file: it
  // takes its place from `load` (given the screen's available size in
  // twips) and gives it to `store`, in twips like the others.
  struct PlacementKeeper {
    std::function<WindowPlacement(float screenWidth, float screenHeight)> load;
    std::function<void(const WindowPlacement&)> store;
  };
  void keepPlacementWith(PlacementKeeper keeper) { keeper_ = std::move(keeper); }

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void applyPlacement();
  void applyKeptPlacement();
  // The smallest inside the window is usable at: its layout's minimum, and
  // for the pads, whose short fixed titles the window system would cut, the
  // title readable. (A view's title carries the instant and may be cut.)
  QSize usableMinimum() const;
  bool titleWhole_ = false;
  // Sizes the inside (no smaller than usableMinimum) and puts the frame's
  // corner at `corner`, moved as little as it takes for the whole frame to
  // lie inside `area`.
  void placeWithin(QPoint corner, QSize inside, const QRect& area);
  // Room beside the title for the window system's icon and buttons.
  static constexpr int kTitleButtons = 112;
  void storePlacement();

  Placements& placements_;
  Win which_;
  PlacementKeeper keeper_;
  bool everShown_ = false;
  bool sizeStored_ = false;  // by storePlacement, in this run
};

}  // namespace velmar

#include "gui/output/graph_window.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "app/commands.h"
#include "gui/common/picture_saver.h"
#include "gui/common/twips.h"
#include "output/graph.h"

namespace velmar {

namespace {

constexpr double kLegendDiskTwips = 192;

// A filled circle of a curve's colour, beside the box that chooses it.
class LegendDisk : public QWidget {
 public:
  LegendDisk(Rgb colour, int diameter) : colour_(colour.r, colour.g, colour.b) {
    setFixedSize(diameter, diameter);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour_);
    p.setBrush(colour_);
    p.drawEllipse(QRectF(0.5, 0.5, width() - 1, height() - 1));
  }

 private:
  QColor colour_;
};

// The legend in the order of the window's design: Sun, Moon, fraction,
// latitude.
constexpr const char* kLegend[] = {"graphWindow.sunCheck", "graphWindow.moonCheck",
                                   "graphWindow.illuminationCheck", "graphWindow.latitudeCheck"};

// A box's colour is its series' in the graph.
Rgb colourOf(const char* box) {
  const Check c = static_cast<Check>(findCommand(box)->command->binding.id);
  for (const GraphSeries& s : graphSeries())
    if (s.selector == c) return s.colour;
  return palette::kBlack;
}

}  // namespace

GraphWindow::GraphWindow(MainForm& main) : OutputWindow(main, Win::Graph) {
  setObjectName("graphWindow");
  Graph& graph = main_.outputs().graph();
  setTitle(graph.title());
  // A batch's steps change the title thousands of times a second: it
  // follows between the slices.
  titleChanges_ = Connection(graph.titleChanged(), graph.titleChanged().connect([this] {
    if (!main_.batch().active()) setTitle(main_.outputs().graph().title());
  }));
  BatchRun& batch = main_.batch();
  batchEvents_ = Connection(batch.events(), batch.events().connect([this](BatchEvent) {
    setTitle(main_.outputs().graph().title());
  }));
  const Twips twips = Twips::of(this);
  QVBoxLayout* column = columnUnderButtons(
      {"graphWindow.clearButton", "graphWindow.restoreButton", "graphWindow.clearAndDrawButton",
       "graphWindow.startDrawingButton", "graphWindow.stopDrawingButton",
       "graphWindow.resumeLoopButton", "graphWindow.stopLoopButton", "graphWindow.spareButton",
       "graphWindow.closeButton"});

  picture_ = new GraphPicture(main_);
  picture_->setObjectName("graphWindow.graphPicture");
  column->addWidget(picture_, 1);
  addSavePictureMenu(
      picture_, main_.files(), main_.ui(),
      {"graph", [this] { return picture_->pixels(); }, [this] { return picture_->svg(); }});

  auto* legend = new QHBoxLayout;
  legend->setContentsMargins(twips.toWholePixels(120), 4, 4, 4);
  for (const char* box : kLegend) {
    legend->addWidget(new LegendDisk(colourOf(box), twips.toWholePixels(kLegendDiskTwips)));
    legend->addWidget(boundCheck(box));
    legend->addSpacing(twips.toWholePixels(240));
  }
  legend->addStretch();
  column->addLayout(legend);

  // Loading the window: the picture takes the drawing from here on, and
  // the red middle line is drawn.
  graph.attach(picture_, kGraphWidth, kGraphHeight);
  onClosed = [this] { main_.outputs().graph().windowClosed(); };
}

GraphWindow::~GraphWindow() { main_.outputs().graph().detach(picture_); }

}  // namespace velmar

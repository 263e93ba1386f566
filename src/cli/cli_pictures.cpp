#include "cli/cli_pictures.h"

#include <iostream>

#include "cli/cli_args.h"
#include "config/file_writer.h"
#include "engine/constants.h"
#include "output/graph.h"
#include "output/graph_axes.h"
#include "views/phase_disk.h"
#include "views/svg.h"

namespace velmar::cli {

namespace {

struct ViewDefaults {
  const char* name;
  View view;
  double width, height;  // twips: the window's size at a first start
};
constexpr ViewDefaults kViewDefaults[] = {
    {"face", View::Face, kFaceWindowSize.width, kFaceWindowSize.height},
    {"orbit", View::Orbit, kOrbitWindowSize.width, kOrbitWindowSize.height},
    {"sky", View::Sky, kSkyWindowSize.width, kSkyWindowSize.height},
    {"shadow", View::Shadow, kShadowWindowSize.width, kShadowWindowSize.height},
    {"sun", View::Sun, kSunWindowSize.width, kSunWindowSize.height},
};

}  // namespace

Pictures::~Pictures() {
  for (auto& [name, p] : pictures_) {
    if (p->drawId) main_.offDraw(p->drawId);
    if (p->close) p->close();
    if (p->view) main_.views().attach(*p->view, {});
  }
}

bool Pictures::open(const std::string& view, std::optional<std::pair<double, double>> size,
                    const std::string& file) {
  if (pictures_.count(view)) return true;
  auto p = std::make_unique<Picture>();
  Picture* picture = p.get();
  const size_t slash = file.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : file.substr(0, slash + 1);
  auto makeCanvas = [&] {
    picture->spool = std::make_unique<SvgSpool>(picture->width, picture->height, folder);
  };
  if (view == "phase") {
    // The main window's own picture, 972 x 912 twips.
    picture->width = size ? size->first : 972;
    picture->height = size ? size->second : 912;
    makeCanvas();
    picture->spool->title = "Velmar";
    picture->spool->draw(DrawOp::clear(kPhaseBackground));
    const Calculator& calc = main_.calculator();
    picture->drawId = main_.onDraw(
        [picture, &calc] {
          paint(*picture->spool, drawPhase(calc.result(), picture->width, picture->height));
        },
        ViewStage::Phase);
  } else if (view == "graph") {
    // Loading the graph window draws its red middle line; every point of
    // the run then adds its grid line and segments.
    picture->width = size ? size->first : kGraphWidth;
    picture->height = size ? size->second : kGraphHeight;
    makeCanvas();
    Graph& graph = main_.outputs().graph();
    picture->spool->title = graph.title();
    const int titleId =
        graph.titleChanged().connect([picture, &graph] { picture->spool->title = graph.title(); });
    graph.attach(picture->spool.get(), picture->width, picture->height);
    picture->close = [picture, &graph, titleId] {
      graph.titleChanged().disconnect(titleId);
      graph.detach(picture->spool.get());
    };
  } else {
    const ViewDefaults* d = nullptr;
    for (const ViewDefaults& x : kViewDefaults)
      if (view == x.name) d = &x;
    if (!d) return false;
    const View v = d->view;
    picture->view = v;
    picture->width = size ? size->first : d->width;
    picture->height = size ? size->second : d->height;
    makeCanvas();
    picture->spool->title = designerTitle(v);
    picture->spool->draw(DrawOp::clear(backgroundOf(v)));
    Views& views = main_.views();
    views.attach(v, {[picture, &views, v] {
                       const ViewPicture pic = views.picture(v, picture->width, picture->height);
                       paint(*picture->spool, pic.ops);
                       picture->spool->title = pic.title;
                     },
                     [picture, v] { picture->spool->draw(DrawOp::clear(backgroundOf(v))); }});
    views.open(v);
  }
  pictures_[view] = std::move(p);
  return true;
}

bool Pictures::write(const std::vector<Args::Svg>& requests) {
  bool ok = true;
  for (const Args::Svg& r : requests) {
    const auto it = pictures_.find(r.view);
    if (it == pictures_.end()) continue;
    Picture& p = *it->second;
    // Through a temporary file: a failure leaves any old picture whole.
    AtomicFile out;
    FileStatus status = out.open(r.file);
    std::string more;
    if (graphAxes && r.view == "graph")
      more = overlaySvg(velmar::graphAxes(main_.outputs().graph(), main_.form(), p.width, p.height,
                                          1.0 / 15, 1.0 / 15));
    if (status.ok()) {
      const int spoolErr =
          p.spool->writeTo([&out](std::string_view bytes) { return out.write(bytes); }, more);
      if (spoolErr != 0) {
        // The scratch file failed: the old picture was never touched.
        status = saveFailure(r.file, spoolErr, out.replacesFile());
        out.discard();
      } else {
        status = out.commit();
      }
    }
    if (!status.ok()) {
      std::cerr << "velmar-cli: " << messageLine(status.message) << "\n";
      ok = false;
    }
  }
  return ok;
}

}  // namespace velmar::cli

#pragma once
// The pictures velmar-cli draws without windows, by the names --svg takes,
// and the SVG files they end in.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/main_form.h"
#include "cli/cli_args.h"
#include "views/canvas.h"
#include "views/svg.h"

namespace velmar::cli {

class Pictures {
 public:
  explicit Pictures(MainForm& main) : main_(main) {}
  ~Pictures();
  Pictures(const Pictures&) = delete;
  Pictures& operator=(const Pictures&) = delete;

  // Opens a picture as its window would open, before the first calculation,
  // so that every calculation of the run draws it. `size` in twips, or its
  // window's size at a first start. False for a name that has no picture.
  // What it draws is kept beside `file`, the SVG file it ends in.
  bool open(const std::string& view, std::optional<std::pair<double, double>> size,
            const std::string& file);

  // Each requested file gets the SVG of what its picture shows. False, after
  // a message on stderr, when a file could not be written; the others are
  // written all the same.
  bool write(const std::vector<Args::Svg>& requests);

  // The graph's file with its scales and dates over the drawing.
  bool graphAxes = false;

 private:
  struct Picture {
    std::unique_ptr<SvgSpool> spool;
    double width = 0;
    double height = 0;
    int drawId = 0;
    std::function<void()> close;  // run when the picture goes
    std::optional<View> view;  // one of the five views' windows
  };
  MainForm& main_;
  std::map<std::string, std::unique_ptr<Picture>> pictures_;
};

}  // namespace velmar::cli

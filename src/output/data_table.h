#pragma once
// The data table: while "帳票出力" is ticked every calculation appends a row
// of fourteen cells, each formatted from the result field it shows. The
// table is listed for the printer and copied as tab-separated text.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "astro/calculation.h"
#include "engine/form.h"
#include "engine/signal.h"

namespace velmar {

class Continuous;

inline constexpr int kTableColumns = 14;
// The column headers of the table and of the export file.
extern const std::array<const char*, kTableColumns> kTableHeaders;
// The data window's caption, the title of its messages.
inline constexpr const char* kDataTitle = "Velmar - Data -";
// The font the data window and its listing are designed for.
inline constexpr const char* kDataFont = "ＭＳ ゴシック";

// The fourteen cells of the row for the fields as they stand: dates and
// times with "00", the results with their masks, "+" before a non-negative
// latitude, declination and altitude, seven blanks for an empty moon age.
std::array<std::string, kTableColumns> formatRow(const astro::Calculation& c);

// The rows' texts end to end in fixed blocks: no allocation per row or
// cell, no copying of old rows when the table grows, so a long run keeps
// the table small (about 150 bytes a row) and appending stays as fast at
// the hundred-thousandth row as at the first.
class TableRows {
 public:
  TableRows() = default;
  TableRows(const TableRows&) = delete;
  TableRows& operator=(const TableRows&) = delete;

  size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  std::string_view cell(size_t row, int column) const;
  // One row from its cells' texts, back to back, and where each one ends.
  void append(std::string_view text, const std::array<uint16_t, kTableColumns>& ends);
  void clear();
  // What the rows take from the heap, in bytes.
  size_t memoryBytes() const;

 private:
  static constexpr size_t kBlockBytes = 64 * 1024;
  struct Row {
    uint32_t block;
    uint32_t start;
    std::array<uint16_t, kTableColumns> ends;  // from `start`
  };
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t used_ = kBlockBytes;  // in the last block; a full one at first
  std::vector<Row> rows_;
};

// What the table model hears, so that a view can announce a change before
// it happens and show it after.
enum class TableEvent { AboutToAppend, Appended, AboutToClear, Cleared };

class DataTable {
 public:
  DataTable(FormModel& form, const astro::Calculation& result, Continuous& loop)
      : form_(form), result_(result), loop_(loop) {}
  DataTable(const DataTable&) = delete;
  DataTable& operator=(const DataTable&) = delete;

  const TableRows& rows() const { return rows_; }
  // Rows appended since the counter was last reset.
  int counter() const { return counter_; }
  Signal<TableEvent>& events() { return events_; }

  // Removes every row; the counter stays.
  void dataclear();
  // Appends the current results, then: at the loop count "帳票出力" goes
  // off and the counter back to 0; with no output left on, the loop ends.
  void dataadd();

  // "帳票出力" has changed: ticked, the table starts again with the
  // current result; unticked, nothing more.
  void switched();
  // "ﾃﾞｰﾀﾌｫｰﾑｸﾘｱ" on the main window: cleared, counted from 0, and the
  // current result added whether or not "帳票出力" is ticked.
  void clearAndAdd();
  // "ﾃﾞｰﾀ消去" in the data window: the same, but a row only while
  // "帳票出力" is ticked.
  void erase();
  // "ﾃﾞｰﾀ入力": "帳票出力" ticked and the loop running.
  void start();
  // The data window closes (not when it is only hidden): "帳票出力" goes
  // off. The rows stay until the table is cleared or started again.
  void windowClosed();

  // The printed listing: the header line, then one line per row, cells
  // joined by three blanks.
  std::vector<std::string> listing() const;
  // The header line of the listing.
  static std::string listingHeader();
  // Rows as tab-separated text under the header line, each line ended by
  // LF, for the clipboard. `rows` in the order to copy.
  std::string copyText(const std::vector<size_t>& rows) const;

 private:
  FormModel& form_;
  const astro::Calculation& result_;
  Continuous& loop_;
  TableRows rows_;
  int counter_ = 0;
  Signal<TableEvent> events_;
  // Reused for every row.
  std::string scratch_;
  std::string cell_;
};

}  // namespace velmar

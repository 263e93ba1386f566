#include "output/data_table.h"

#include <cstring>

#include "engine/calculator.h"
#include "engine/numtext.h"
#include "stepping/continuous.h"

namespace velmar {

const std::array<const char*, kTableColumns> kTableHeaders = {
    "算出日",   "時分秒",   "太陽黄経", "太陽地心", "月の黄経", "月の黄緯", "月の地心",
    "月の位相", "月輝面比", "月齢",     "月の赤経", "月の赤緯", "月の方位", "月の高度"};

namespace {

// The listing's titles, padded to the width of the values under them in a
// fixed-pitch font where a Japanese character takes two columns.
constexpr const char* kListingTitles[kTableColumns] = {
    "算出日 ",  "時分秒  ", "太陽黄経", "太陽地心", "月の黄経", "月の黄緯", "月の地心",
    "月の位相", "月輝面比", "月齢   ",  "月の赤経", "月の赤緯", "月の方位", "月の高度"};

constexpr const char* kListingGap = "   ";

// The text of one row, cell after cell, with the end of each cell. Reads
// each field's displayed text by its value, through the cell's mask.
class RowWriter {
 public:
  RowWriter(const astro::Calculation& c, std::string& out, std::string& cell,
            std::array<uint16_t, kTableColumns>& ends)
      : c_(c), out_(out), cell_(cell), ends_(ends) {
    out_.clear();
  }

  void dateOrTime(Field a, Field b, Field c, char sep) {
    twoDigitField(a);
    out_ += sep;
    twoDigitField(b);
    out_ += sep;
    twoDigitField(c);
    end();
  }
  void masked(Field f, int intDigits, int decimals) {
    put(shownValue(c_, f), intDigits, decimals);
    end();
  }
  // "+" before a value of 0 or more; a negative one has its minus sign.
  void signedMasked(Field f, int intDigits, int decimals) {
    const double v = shownValue(c_, f);
    if (v >= 0) out_ += '+';
    put(v, intDigits, decimals);
    end();
  }
  void moonAge() {
    if (!c_.moonAge) {
      out_.append(7, ' ');
    } else {
      put(c_.moonAge->shown, 2, 4);
    }
    end();
  }

 private:
  // Through the cell's mask rather than twoDigits(): this is the table's
  // hot path, and it writes into the row without a string of its own.
  void twoDigitField(Field f) { put(enteredValue(c_, f), 2, 0); }
  void put(double v, int intDigits, int decimals) {
    formatFixed(cell_, v, intDigits, decimals, false);
    out_ += cell_;
  }
  void end() { ends_[column_++] = static_cast<uint16_t>(out_.size()); }

  const astro::Calculation& c_;
  std::string& out_;
  std::string& cell_;
  std::array<uint16_t, kTableColumns>& ends_;
  int column_ = 0;
};

void writeRow(const astro::Calculation& c, std::string& out, std::string& cell,
              std::array<uint16_t, kTableColumns>& ends) {
  RowWriter w(c, out, cell, ends);
  w.dateOrTime(Field::Year, Field::Month, Field::Day, '/');
  w.dateOrTime(Field::Hour, Field::Minute, Field::Second, ':');
  w.masked(Field::SunLongitude, 3, 4);
  w.masked(Field::SunDistance, 1, 6);
  w.masked(Field::MoonLongitude, 3, 4);
  w.signedMasked(Field::MoonLatitude, 1, 5);
  w.masked(Field::MoonDistance, 6, 1);
  w.masked(Field::Phase, 3, 4);
  w.masked(Field::Illumination, 1, 6);
  w.moonAge();
  w.masked(Field::RightAscension, 3, 4);
  w.signedMasked(Field::Declination, 2, 3);
  w.masked(Field::Azimuth, 3, 4);
  w.signedMasked(Field::Altitude, 2, 3);
}

}  // namespace

std::array<std::string, kTableColumns> formatRow(const astro::Calculation& c) {
  std::string text, cell;
  std::array<uint16_t, kTableColumns> ends{};
  writeRow(c, text, cell, ends);
  std::array<std::string, kTableColumns> cells;
  size_t start = 0;
  for (int c = 0; c < kTableColumns; ++c) {
    cells[c] = text.substr(start, ends[c] - start);
    start = ends[c];
  }
  return cells;
}

// --- storage -------------------------------------------------------------------

std::string_view TableRows::cell(size_t row, int column) const {
  const Row& r = rows_[row];
  const size_t from = column == 0 ? 0 : r.ends[column - 1];
  return std::string_view(blocks_[r.block].get() + r.start + from, r.ends[column] - from);
}

void TableRows::append(std::string_view text, const std::array<uint16_t, kTableColumns>& ends) {
  // A cell is a formatted number of at most a few hundred characters, so a
  // row always fits a block.
  if (used_ + text.size() > kBlockBytes) {
    blocks_.push_back(std::make_unique<char[]>(kBlockBytes));
    used_ = 0;
  }
  std::memcpy(blocks_.back().get() + used_, text.data(), text.size());
  rows_.push_back({static_cast<uint32_t>(blocks_.size() - 1), static_cast<uint32_t>(used_), ends});
  used_ += text.size();
}

void TableRows::clear() {
  // The memory goes back too: a cleared table after a long run is small.
  std::vector<std::unique_ptr<char[]>>().swap(blocks_);
  std::vector<Row>().swap(rows_);
  used_ = kBlockBytes;
}

size_t TableRows::memoryBytes() const {
  return blocks_.size() * kBlockBytes + blocks_.capacity() * sizeof(blocks_[0]) +
         rows_.capacity() * sizeof(Row);
}

// --- behaviour -----------------------------------------------------------------

void DataTable::dataclear() {
  events_(TableEvent::AboutToClear);
  rows_.clear();
  events_(TableEvent::Cleared);
}

void DataTable::dataadd() {
  std::array<uint16_t, kTableColumns> ends{};
  writeRow(result_, scratch_, cell_, ends);
  events_(TableEvent::AboutToAppend);
  rows_.append(scratch_, ends);
  events_(TableEvent::Appended);
  ++counter_;
  if (counter_ == loopCount(form_)) {
    form_.setCheck(Check::TableOutput, 0);
    counter_ = 0;
  }
  loop_.stopUnlessRecording();
}

void DataTable::switched() {
  if (form_.check(Check::TableOutput) != 1) return;
  dataclear();
  dataadd();
}

void DataTable::clearAndAdd() {
  dataclear();
  counter_ = 0;
  dataadd();
}

void DataTable::erase() {
  dataclear();
  counter_ = 0;
  if (form_.check(Check::TableOutput) == 1) dataadd();
}

void DataTable::start() {
  loop_.recordIfAsked();
  form_.setCheck(Check::TableOutput, 1);
  loop_.resume();
}

void DataTable::windowClosed() { form_.setCheck(Check::TableOutput, 0); }

std::string DataTable::listingHeader() {
  std::string line = kListingGap;
  for (int c = 0; c < kTableColumns; ++c) {
    if (c > 0) line += kListingGap;
    line += kListingTitles[c];
  }
  return line;
}

std::vector<std::string> DataTable::listing() const {
  std::vector<std::string> lines;
  lines.reserve(rows_.size() + 1);
  lines.push_back(listingHeader());
  for (size_t r = 0; r < rows_.size(); ++r) {
    std::string line;
    for (int c = 0; c < kTableColumns; ++c) {
      if (c > 0) line += kListingGap;
      line += rows_.cell(r, c);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string DataTable::copyText(const std::vector<size_t>& rows) const {
  std::string text;
  for (int c = 0; c < kTableColumns; ++c) {
    if (c > 0) text += '\t';
    text += kTableHeaders[c];
  }
  text += '\n';
  for (size_t r : rows) {
    if (r >= rows_.size()) continue;
    for (int c = 0; c < kTableColumns; ++c) {
      if (c > 0) text += '\t';
      text += rows_.cell(r, c);
    }
    text += '\n';
  }
  return text;
}

}  // namespace velmar

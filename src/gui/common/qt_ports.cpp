#include "gui/common/qt_ports.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRawFont>
#include <QScreen>
#include <algorithm>

#include "config/file_writer.h"
#include "gui/common/fixed_font.h"
#include "gui/common/texts.h"
#include "output/printing.h"

namespace velmar {

namespace {

// The core's messages break lines with CR, as its files do.
QString boxText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace("\r\n", "\n");
  s.replace('\r', '\n');
  return s;
}

// The box wraps its text at half the screen's width, and Japanese, without
// blanks, anywhere, even in the middle of a word: the lines are the
// program's own, so the text gets the width of its widest line (within the
// screen) and breaks only where the program broke it.
void fitLines(QMessageBox& box) {
  auto* label = box.findChild<QLabel*>("qt_msgbox_label");
  if (!label) return;
  const QFontMetrics m(label->font());
  int widest = 0;
  for (const QString& line : label->text().split('\n'))
    widest = std::max(widest, m.horizontalAdvance(line));
  const QScreen* s = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
  const int room = s ? s->availableGeometry().width() * 9 / 10 - 120 : widest;
  label->setMinimumWidth(std::min(widest + 4, std::max(room, 200)));
}

// Without a shown parent a box would open wherever the window system puts
// a new window (the top-left corner on some): centre it on the screen.
int runCentred(QMessageBox& box, QWidget* parent) {
  fitLines(box);
  if (!parent) {
    box.adjustSize();
    if (const QScreen* s = QGuiApplication::primaryScreen())
      box.move(s->availableGeometry().center() - box.rect().center());
  }
  return box.exec();
}

}  // namespace

namespace {

// A box or dialog stands over the window the user works in (月の暦, the
// graph, a settings dialog): made the main window's, it would bring the
// main window in front of that one.
QWidget* activeOr(QWidget* fallback) {
  QWidget* active = QApplication::activeWindow();
  return active && active->isVisible() ? active : fallback;
}

}  // namespace

QWidget* QtUi::shownParent() const {
  return activeOr(parent_ && parent_->isVisible() ? parent_.data() : nullptr);
}

bool QtUi::askYesNo(const std::string& title, const std::string& text) {
  QWidget* parent = shownParent();
  QMessageBox box(QMessageBox::Question, QString::fromStdString(title), boxText(text),
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::Yes);
  // The captions in the window's language, whatever translations are installed.
  box.button(QMessageBox::Yes)->setText(QString::fromUtf8(texts::kYes));
  box.button(QMessageBox::No)->setText(QString::fromUtf8(texts::kNo));
  return runCentred(box, parent) == QMessageBox::Yes;
}

void QtUi::message(const std::string& title, const std::string& text, Tone tone) {
  const QMessageBox::Icon icon = tone == Tone::Critical  ? QMessageBox::Critical
                                 : tone == Tone::Warning ? QMessageBox::Warning
                                                         : QMessageBox::Information;
  QWidget* parent = shownParent();
  QMessageBox box(icon, QString::fromStdString(title), boxText(text), QMessageBox::Ok, parent);
  runCentred(box, parent);
}

void QtUi::beep() { QApplication::beep(); }

void QtUi::setWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

std::optional<FileChoice> QtFiles::chooseSaveFile(const std::string& title,
                                                  const std::vector<FileFilter>& filters,
                                                  const std::string& current, int filter) {
  QStringList names;
  // The label as the dialog lists it, its pattern in brackets; one without
  // them gets the pattern added.
  for (const FileFilter& f : filters) {
    const QString label = QString::fromStdString(f.label);
    names << (label.contains('(') ? label : label + " (" + QString::fromStdString(f.pattern) + ")");
  }
  QFileDialog dialog(activeOr(parent_), QString::fromStdString(title), QString(), names.join(";;"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  // The dialog adds the picked filter's extension to a name without one,
  // so that its own question about replacing a file covers the name the
  // file gets.
  auto suffixOf = [&filters](int i) {
    if (i < 0 || i >= static_cast<int>(filters.size())) return QString();
    const QString pattern = QString::fromStdString(filters[static_cast<size_t>(i)].pattern);
    const int dot = pattern.lastIndexOf('.');
    return dot < 0 ? QString() : pattern.mid(dot + 1);
  };
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, &names, suffixOf](const QString& f) {
                     dialog.setDefaultSuffix(suffixOf(static_cast<int>(names.indexOf(f))));
                   });
  if (filter >= 0 && filter < names.size()) dialog.selectNameFilter(names[filter]);
  dialog.setDefaultSuffix(suffixOf(filter >= 0 && filter < names.size() ? filter : 0));
  // Selected, a FIFO, socket or device would be listed as a file of
  // "-1 バイト", type "Unknown", though the folder's listing leaves such
  // entries out: only its folder is offered then.
  const QFileInfo named(QString::fromStdString(current));
  if (named.exists() && !named.isFile() && !named.isDir()) {
    dialog.setDirectory(named.absolutePath());
  } else {
    dialog.selectFile(QString::fromStdString(current));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FileChoice{dialog.selectedFiles().first().toStdString(),
                    static_cast<int>(names.indexOf(dialog.selectedNameFilter()))};
}

namespace {

// A long listing takes seconds: the windows are redrawn meanwhile, but
// take no input until it is done.
void keepWindowsDrawn() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

// The widest line of the job in `font` on the printer, device pixels.
double widestLine(const QFont& font, QPaintDevice& printer, const PrintJob& job) {
  const QFontMetricsF m(font, &printer);
  double widest = 0;
  size_t n = 0;
  for (const std::string& line : job.lines) {
    widest = std::max(widest, m.horizontalAdvance(QString::fromStdString(line)));
    if (++n % 4096 == 0) keepWindowsDrawn();
  }
  return widest;
}

// Whether the font draws the ideograph 日 and the Kangxi radical ⽇ with one
// glyph (the Noto CJK fonts do). A PDF's text layer reads each glyph back as
// the first character the font maps to it, the radical: copied or searched,
// the listing would not read 日, 月, 黄, 心.
bool radicalsShareGlyphs(const QFont& font) {
  const QRawFont raw = QRawFont::fromFont(font);
  if (!raw.isValid()) return false;
  const QList<quint32> ideograph =
      raw.glyphIndexesForString(QString::fromUtf8(texts::kIdeographSample));
  const QList<quint32> radical =
      raw.glyphIndexesForString(QString::fromUtf8(texts::kRadicalSample));
  return ideograph.size() == 2 && ideograph == radical && ideograph[0] != 0;
}

// The listing's font: the named one, or the installed Japanese fixed-pitch
// font standing in for it, so that the columns line up on paper too; one
// that keeps the radicals apart when the first choice does not.
QFont listingFont(const PrintJob& job) {
  QFont font = fixedPitchFont(QString::fromStdString(job.fontFamily));
  if (!radicalsShareGlyphs(font)) return font;
  for (const char* family : {"IPAGothic", "IPAexGothic", "Takao Gothic"}) {
    if (!QFontDatabase::hasFamily(QString::fromUtf8(family))) continue;
    QFont other = fixedPitchFont(QString::fromUtf8(family), font.pointSizeF());
    if (other.family() == QString::fromUtf8(family) && keepsColumns(other) &&
        !radicalsShareGlyphs(other))
      return other;
  }
  return font;
}

void setTitle(QPrinter& printer, const QString& title) { printer.setDocName(title); }
void setTitle(QPdfWriter& writer, const QString& title) { writer.setTitle(title); }

// On a printer, or into a PDF file.
template <class Device>
PrintResult printOn(Device& printer, const PrintJob& job) {
  setTitle(printer, QString::fromStdString(job.documentName));
  QFont font = listingFont(job);
  // A line is never cut at the right edge: across the page when it does
  // not fit upright, and smaller when it does not fit across either.
  auto pageWidth = [&] {
    return printer.pageLayout().paintRectPixels(printer.resolution()).width();
  };
  double widest = widestLine(font, printer, job);
  if (widest > pageWidth()) {
    printer.setPageOrientation(QPageLayout::Landscape);
    if (widest > pageWidth()) {
      font.setPointSizeF(std::max(4.0, font.pointSizeF() * pageWidth() / widest * 0.99));
    }
  }
  QPainter p;
  if (!p.begin(&printer)) return {PrintResult::Status::Failed, texts::kPrintCannotStart};
  p.setFont(font);
  const QFontMetrics m(font, &printer);
  const int lineHeight = m.lineSpacing();
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  int y = m.ascent();
  for (const std::string& line : job.lines) {
    // Lines that no longer fit continue on the next page.
    if (y > page.height() - m.descent()) {
      if (!printer.newPage()) {
        p.end();
        return {PrintResult::Status::Failed, texts::kPrintNextPage};
      }
      y = m.ascent();
      keepWindowsDrawn();
    }
    p.drawText(0, y, QString::fromStdString(line));
    y += lineHeight;
  }
  if (!p.end()) return {PrintResult::Status::Failed, texts::kPrintCannotEnd};
  return {};
}

}  // namespace

PrintResult QtPrinter::print(const PrintJob& job) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return {PrintResult::Status::NoPrinter, texts::kNoPrinter};
  QPrinter printer(info);
  return printOn(printer, job);
}

namespace {

// The PDF's bytes into a file that replaces the old one only when every
// one of them was written.
class AtomicDevice : public QIODevice {
 public:
  explicit AtomicDevice(AtomicFile& file) : file_(file) {}

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    return file_.write(std::string_view(data, static_cast<size_t>(size))) ? size : -1;
  }

 private:
  AtomicFile& file_;
};

PrintResult pdfFailure(int err) {
  return {PrintResult::Status::Failed, errorReason(err) + texts::kOldFileKept};
}

}  // namespace

PrintResult QtPrinter::printToPdf(const PrintJob& job, const std::string& path) {
  AtomicFile file;
  const FileStatus opened = file.open(path);
  if (!opened.ok()) {
    std::string why = opened.message;
    for (char& c : why)
      if (c == '\n') c = '\r';
    return {PrintResult::Status::Failed, why};
  }
  // The page and resolution a PDF printer of this system has, so that the
  // listing looks as it always did.
  QPrinter probe;
  probe.setOutputFormat(QPrinter::PdfFormat);
  AtomicDevice device(file);
  device.open(QIODevice::WriteOnly);
  PrintResult r;
  {
    QPdfWriter writer(&device);
    writer.setResolution(probe.resolution());
    QPageLayout layout = probe.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    // One device pixel more: the painted area's corner is rounded down to
    // whole pixels.
    const double margin = kPdfMarginMillimetres + 25.4 / probe.resolution();
    const QMarginsF least(margin, margin, margin, margin);
    const QMarginsF kept = layout.margins();
    layout.setMargins(
        QMarginsF(std::max(kept.left(), least.left()), std::max(kept.top(), least.top()),
                  std::max(kept.right(), least.right()), std::max(kept.bottom(), least.bottom())));
    writer.setPageLayout(layout);
    r = printOn(writer, job);
  }
  device.close();
  // A write that failed says why, whatever the painter made of it.
  if (file.failed()) return pdfFailure(file.error());
  if (r.status != PrintResult::Status::Printed) return r;
  const FileStatus committed = file.commit();
  if (!committed.ok()) return pdfFailure(file.error());
  return {};
}

}  // namespace velmar

#include "gui/common/picture_saver.h"

#include <QBuffer>
#include <QMenu>

#include "config/file_writer.h"
#include "engine/program.h"
#include "gui/common/texts.h"
#include "output/save_choice.h"

namespace velmar {

namespace {

const std::vector<FileFilter>& filters() {
  static const std::vector<FileFilter> f = {{texts::kPngPictures, "*.png"},
                                            {texts::kSvgPictures, "*.svg"}};
  return f;
}

}  // namespace

bool savePicture(FilePort& files, UiPort& ui, const SavablePicture& picture) {
  const std::optional<FileChoice> choice = files.chooseSaveFile(
      texts::kSavePictureTitle, filters(), offeredPath(picture.name + ".png"), 0);
  if (!choice || choice->path.empty()) return false;
  // A typed extension decides, in any case; without one, the chosen filter.
  const SaveName name = saveName(*choice, filters());
  if (!mayReplaceExtended(ui, texts::kSavePictureTitle, name)) return false;
  const bool svg = name.filter == 1;
  QByteArray bytes;
  if (svg) {
    bytes = QByteArray::fromStdString(picture.svg());
  } else {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.pixels().save(&buffer, "PNG");
  }
  // Every byte and the final flush are checked before the old picture is
  // replaced: a full disk keeps it.
  const FileStatus status =
      bytes.isEmpty()
          ? FileStatus{FileError::Unwritable,
                       texts::kPictureNotMade + name.path + texts::kPictureNotMadeEnd}
          : writeFileAtomically(
                name.path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  if (!status.ok()) {
    std::string text = texts::kSavePictureFailed + status.message;
    for (char& c : text)
      if (c == '\n') c = '\r';
    ui.message(kTitleText, text, Tone::Warning);
    return false;
  }
  rememberSaveFolder(name.path);
  return true;
}

void addSavePictureMenu(QWidget* w, FilePort& files, UiPort& ui, SavablePicture picture) {
  w->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(w, &QWidget::customContextMenuRequested, w,
                   [w, &files, &ui, picture](const QPoint& at) {
                     QMenu menu(w);
                     QAction* save = menu.addAction(QString::fromUtf8(kSavePictureItem));
                     if (menu.exec(w->mapToGlobal(at)) == save) savePicture(files, ui, picture);
                   });
}

}  // namespace velmar

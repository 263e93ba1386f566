#include "gui/common/picture_saver.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>
#include <cerrno>

#include "engine/program.h"
#include "engine/system_error.h"
#include "gui/common/texts.h"

namespace velmar {

namespace {

const std::vector<FileFilter>& filters() {
  static const std::vector<FileFilter> f = {{texts::kPngPictures, "*.png"},
                                            {texts::kSvgPictures, "*.svg"}};
  return f;
}

// Where the last picture went: the next one is offered the same folder.
QString& lastFolder() {
  static QString folder;
  return folder;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  errno = 0;
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    // The system's reason in the program's words; Qt's own text is English.
    const int err = errno;
    *error = err ? QString::fromStdString(systemErrorText(err)) : file.errorString();
    return false;
  }
  return true;
}

}  // namespace

bool savePicture(FilePort& files, UiPort& ui, const SavablePicture& picture) {
  QString offered = QString::fromStdString(picture.name) + ".png";
  if (!lastFolder().isEmpty()) offered = lastFolder() + "/" + offered;
  const std::optional<FileChoice> choice =
      files.chooseSaveFile(texts::kSavePictureTitle, filters(), offered.toStdString(), 0);
  if (!choice || choice->path.empty()) return false;
  QString path = QString::fromStdString(choice->path);
  // A typed extension decides; without one, the chosen filter does.
  const QString suffix = QFileInfo(path).suffix().toLower();
  bool svg = suffix == "svg";
  if (suffix != "svg" && suffix != "png") {
    svg = choice->filter == 1;
    path += svg ? ".svg" : ".png";
  }
  QByteArray bytes;
  if (svg) {
    bytes = QByteArray::fromStdString(picture.svg());
  } else {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.pixels().save(&buffer, "PNG");
  }
  QString error;
  if (bytes.isEmpty() || !writeFile(path, bytes, &error)) {
    ui.message(kTitleText,
               std::string(texts::kSavePictureFailed) + path.toStdString() +
                   (error.isEmpty() ? "" : "\r" + error.toStdString()),
               Tone::Warning);
    return false;
  }
  lastFolder() = QFileInfo(path).absolutePath();
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

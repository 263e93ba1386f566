#include "gui/output/export_label.h"

#include <QHelpEvent>
#include <QResizeEvent>
#include <QToolTip>

namespace velmar {

ExportFileLabel::ExportFileLabel(ExportFile& file, QWidget* parent) : QLabel(parent), file_(file) {
  setObjectName("exportFileLabel");
  setMinimumWidth(60);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  nameChanges_ =
      Connection(file_.nameChanged(), file_.nameChanged().connect([this] { refresh(); }));
  refresh();
}

void ExportFileLabel::refresh() {
  const QString name = QString::fromStdString(file_.fileName());
  // A long path keeps its ends, the file's name above all.
  setText(fontMetrics().elidedText(name, Qt::ElideMiddle, width()));
}

void ExportFileLabel::resizeEvent(QResizeEvent* e) {
  QLabel::resizeEvent(e);
  refresh();
}

bool ExportFileLabel::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(),
                       QString::fromStdString(file_.fileName()), this);
    return true;
  }
  return QLabel::event(e);
}

}  // namespace velmar

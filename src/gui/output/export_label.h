#pragma once
// exportFileLabel: the name of the file the export writes to, as it is chosen.
#include <QLabel>

#include "engine/signal.h"
#include "output/export_file.h"

namespace velmar {

class ExportFileLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ExportFileLabel(ExportFile& file, QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* e) override;
  // The whole name, however the label is shortened.
  bool event(QEvent* e) override;

 private:
  void refresh();

  ExportFile& file_;
  Connection nameChanges_;
};

}  // namespace velmar

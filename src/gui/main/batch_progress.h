#pragma once
// The progress of "一括推算": a small modal box with the steps done of those
// planned and a cancel button, up from the batch's start to its end. The
// other windows keep painting meanwhile but take no input.
#include <QDialog>

#include "app/main_form.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace velmar {

class BatchProgress : public QDialog {
  Q_OBJECT

 public:
  BatchProgress(MainForm& main, QWidget* parent);

  QProgressBar* bar() const { return bar_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  // The close box and Escape cancel, as the button does.
  void reject() override;

 private:
  void onEvent(BatchEvent e);
  void showProgress();

  MainForm& main_;
  QLabel* text_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  Connection events_;
};

}  // namespace velmar

#include "gui/main/batch_progress.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/program.h"
#include "gui/common/texts.h"

namespace velmar {

namespace {

// The bar counts in thousandths: a loop count answered "yes" may pass what
// a bar's int holds.
constexpr int kBarSteps = 1000;

}  // namespace

BatchProgress::BatchProgress(MainForm& main, QWidget* parent) : QDialog(parent), main_(main) {
  setObjectName("BatchProgress");
  setWindowTitle(QString::fromUtf8(kTitleText));
  setModal(true);
  auto* column = new QVBoxLayout(this);
  text_ = new QLabel;
  text_->setMinimumWidth(260);
  column->addWidget(text_);
  bar_ = new QProgressBar;
  bar_->setRange(0, kBarSteps);
  bar_->setTextVisible(false);
  column->addWidget(bar_);
  auto* row = new QHBoxLayout;
  row->addStretch();
  cancel_ = new QPushButton(QString::fromUtf8(texts::kCancel));
  row->addWidget(cancel_);
  column->addLayout(row);
  connect(cancel_, &QPushButton::clicked, this, [this] { main_.batch().cancel(); });
  BatchRun& batch = main_.batch();
  events_ =
      Connection(batch.events(), batch.events().connect([this](BatchEvent e) { onEvent(e); }));
}

void BatchProgress::reject() { main_.batch().cancel(); }

void BatchProgress::showProgress() {
  const BatchRun& b = main_.batch();
  text_->setText(QString::fromUtf8(texts::kBatchProgress).arg(b.done()).arg(b.planned()));
  bar_->setValue(b.planned() > 0 ? static_cast<int>(static_cast<double>(b.done()) /
                                                    static_cast<double>(b.planned()) * kBarSteps)
                                 : 0);
}

void BatchProgress::onEvent(BatchEvent e) {
  switch (e) {
    case BatchEvent::Started:
      cancel_->setEnabled(true);
      showProgress();
      show();
      break;
    case BatchEvent::Progress:
      showProgress();
      break;
    case BatchEvent::Finished:
      showProgress();
      hide();
      // The box had the keys: they go back to the window the run was
      // started from, not to whichever window the system picks next (a
      // view, which takes no typing, left the fields deaf to plain keys).
      if (parentWidget()) parentWidget()->activateWindow();
      break;
  }
}

}  // namespace velmar

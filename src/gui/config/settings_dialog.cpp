#include "gui/config/settings_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "gui/common/twips.h"

namespace velmar {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString qs(const char* s) { return QString::fromUtf8(s); }
QString qs(Text t) { return qtext(t); }

// The fields' names and their labels', in the order of SettingsField.
constexpr const char* kFieldNames[] = {"settingsDialog.changeAmountField",
                                       "settingsDialog.loopCountField"};
constexpr const char* kLabelNames[] = {"settingsDialog.changeAmountLabel",
                                       "settingsDialog.loopCountLabel"};

}  // namespace

SettingsWindow::SettingsWindow(SettingsDialog& dialog, CommandActions& actions, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setObjectName("settingsDialog");
  setWindowTitle(qs(SettingsDialog::kCaption));
  setModal(true);

  CommandBinder binder(actions, false);
  for (const SettingsOption& o : SettingsDialog::options())
    options_[o.number] = binder.settingsOption(o.name);
  for (const SettingsBox& box : SettingsDialog::boxes()) {
    if (box.kind != SettingsBox::Kind::Own) {
      boxes_[box.number] = binder.settingsBox(box.name);
      continue;
    }
    // The dialog's own box: whether every window is to be centred again.
    auto* b = new QCheckBox(qs(Text::SettingsResetPlaces));
    b->setObjectName(qs(box.name));
    const int n = box.number;
    connect(b, &QCheckBox::clicked, this, [this, n] {
      dialog_.clickBox(n);
      refresh();
    });
    boxes_[n] = b;
  }

  // Loop settings on the left, switches on the right, buttons below.
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  const std::vector<SettingsFrame>& frames = SettingsDialog::frames();
  left->addWidget(frame(frames[0]));
  auto* speedAndWay = new QHBoxLayout;
  speedAndWay->addWidget(frame(frames[1]));
  speedAndWay->addWidget(frame(frames[2]));
  left->addLayout(speedAndWay);
  auto* amounts = new QHBoxLayout;
  for (SettingsField f : {SettingsField::ChangeAmount, SettingsField::LoopCount}) {
    auto* label = new QLabel(qs(SettingsDialog::labelOf(f)));
    label->setObjectName(kLabelNames[static_cast<int>(f) - 1]);
    QLineEdit* e = field(f);
    label->setBuddy(e);
    amounts->addWidget(label);
    amounts->addWidget(e);
    amounts->addSpacing(8);
  }
  amounts->addStretch();
  left->addLayout(amounts);
  left->addStretch();
  columns->addLayout(left);

  auto* right = new QVBoxLayout;
  right->addWidget(boxes_[1]);
  right->addWidget(frame(frames[3]));
  for (int n : {6, 7, 8}) right->addWidget(boxes_[n]);
  right->addStretch();
  columns->addLayout(right);

  auto* save = new QPushButton(qs(Text::SettingsSave));
  save->setObjectName("settingsDialog.saveButton");
  auto* cancel = new QPushButton(qs(Text::SettingsCancel));
  cancel->setObjectName("settingsDialog.cancelButton");
  // Enter in a field commits that field; it must not save or close.
  for (QPushButton* b : {save, cancel}) b->setAutoDefault(false);
  // A click must not take the focus first: leaving the field would commit
  // what was typed in it, and キャンセル would keep it. 設定保存 commits
  // what is typed itself.
  for (QPushButton* b : {save, cancel}) b->setFocusPolicy(Qt::TabFocus);
  connect(save, &QPushButton::clicked, this, &SettingsWindow::saveClicked);
  connect(cancel, &QPushButton::clicked, this, &SettingsWindow::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);

  auto* all = new QVBoxLayout(this);
  all->addLayout(columns, 1);
  all->addLayout(buttons);
  refresh();
}

QWidget* SettingsWindow::control(const std::string& name) {
  for (const SettingsOption& o : SettingsDialog::options())
    if (name == o.name) return options_.at(o.number);
  for (const SettingsBox& b : SettingsDialog::boxes())
    if (name == b.name) return boxes_.at(b.number);
  // The frames are laid out from the dialog's own tables: a name they lack
  // is a fault of the program.
  qFatal("the settings dialog has no control %s", name.c_str());
}

QWidget* SettingsWindow::frame(const SettingsFrame& f) {
  const Caption* twin = findCaption(f.twin);
  auto* box = new QGroupBox(qs(twin ? twin->caption : ""));
  box->setObjectName(f.name);
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(2);
  // Six units read as two rows of three; the pairs stand side by side.
  const int perRow = f.members.size() > 4 ? 3 : 2;
  for (size_t i = 0; i < f.members.size(); ++i)
    grid->addWidget(control(f.members[i]), static_cast<int>(i) / perRow,
                    static_cast<int>(i) % perRow);
  return box;
}

QLineEdit* SettingsWindow::field(SettingsField f) {
  auto* e = new QLineEdit;
  e->setObjectName(kFieldNames[static_cast<int>(f) - 1]);
  e->setFixedWidth(fontMetrics().horizontalAdvance("00000") + 12);
  e->setAlignment(Qt::AlignRight);
  connect(e, &QLineEdit::textEdited, this,
          [this, f](const QString& t) { dialog_.edit(f, t.toStdString()); });
  // Enter, Tab or a click elsewhere: the value goes to the main window.
  connect(e, &QLineEdit::editingFinished, this, [this, f] {
    dialog_.commit(f);
    refresh();
  });
  fields_[f] = e;
  return e;
}

void SettingsWindow::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;  // the window system showing it again, not the program
  dialog_.activate();
  refresh();
  place();
}

void SettingsWindow::place() {
  const QScreen* s = screen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  const ScreenTwips screenSize = screenTwips(s);
  const WindowPlacement p = SettingsDialog::placement(screenSize.width, screenSize.height);
  // Large fonts may need more room than the designed size gives.
  const QSize size = Twips::of(s).toPixels(p.width, p.height).expandedTo(sizeHint());
  resize(size);
  move(area.x() + (area.width() - size.width()) / 2,
       area.y() + (area.height() - size.height()) / 2);
}

void SettingsWindow::refresh() {
  // The options and the boxes of commands show their actions.
  for (const SettingsBox& box : SettingsDialog::boxes())
    if (box.kind == SettingsBox::Kind::Own)
      boxes_.at(box.number)->setChecked(dialog_.box(box.number) == 1);
  for (auto& [f, e] : fields_) {
    const QString text = qs(dialog_.text(f));
    if (e->text() != text) e->setText(text);
  }
}

void SettingsWindow::saveClicked() {
  // A failed write has been told to the user; the dialog stays up.
  if (dialog_.save().ok()) QDialog::accept();
  refresh();
}

void SettingsWindow::reject() {
  dialog_.cancel();
  // The field being typed in loses the focus as the dialog hides: it must
  // find its text as it was, with nothing left to commit.
  refresh();
  for (auto& [f, e] : fields_) e->setModified(false);
  QDialog::reject();
}

}  // namespace velmar

#include "gui/config/site_editor_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "app/main_form.h"
#include "gui/common/command_controls.h"
#include "gui/common/twips.h"

namespace velmar {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The controls' names, in the order of EditorField and SiteAction.
constexpr const char* kFieldNames[] = {"siteEditor.nameField", "siteEditor.longitudeField",
                                       "siteEditor.latitudeField", "siteEditor.elevationField",
                                       "siteEditor.indexField"};
constexpr const char* kLabelNames[] = {"siteEditor.nameLabel", "siteEditor.longitudeLabel",
                                       "siteEditor.latitudeLabel", "siteEditor.elevationLabel"};
constexpr const char* kActionNames[] = {"siteEditor.initialOption", "siteEditor.addOption",
                                        "siteEditor.replaceOption"};

}  // namespace

SiteEditorDialog::SiteEditorDialog(SiteEditor& editor, UiPort& ui, QWidget* parent)
    : QDialog(parent), editor_(editor), ui_(ui) {
  setObjectName("siteEditor");
  setWindowTitle(qtext(Text::SiteEditorTitle));
  setModal(true);

  // The list on the left, the fields of the chosen site beside it, the
  // action and the buttons on the right.
  auto* columns = new QHBoxLayout(this);

  auto* listColumn = new QVBoxLayout;
  list_ = new QListWidget;
  list_->setObjectName("siteEditor.siteList");
  // The list takes what room is left rather than asking for its default
  // size, so that the window keeps its designed size.
  list_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  // Ten rows at least, whatever the font: the window grows for them.
  list_->addItem(qtext(Text::SiteSample));
  const int tenRows = 10 * list_->sizeHintForRow(0) + 2 * list_->frameWidth();
  list_->clear();
  list_->setMinimumSize(120, tenRows);
  listColumn->addWidget(list_, 1);
  QLineEdit* index = addField(EditorField::Index);
  index->setReadOnly(true);
  index->setFocusPolicy(Qt::NoFocus);
  index->setMaximumWidth(72);
  index->setAlignment(Qt::AlignRight);
  index->setToolTip(qtext(Text::SiteIndexTip));
  listColumn->addWidget(index, 0, Qt::AlignRight);
  columns->addLayout(listColumn, 1);

  auto* grid = new QGridLayout;
  const std::pair<EditorField, Text> rows[] = {{EditorField::Name, Text::SiteName},
                                               {EditorField::Longitude, Text::SiteLongitude},
                                               {EditorField::Latitude, Text::SiteLatitude},
                                               {EditorField::Elevation, Text::SiteElevation}};
  int row = 0;
  for (const auto& [f, caption] : rows) {
    auto* label = new QLabel(qtext(caption));
    label->setObjectName(kLabelNames[static_cast<int>(f) - 1]);
    QLineEdit* e = addField(f);
    label->setBuddy(e);
    if (f != EditorField::Name) e->setMaximumWidth(96);
    // A name of ten full-width characters (国立天文台（三鷹） is nine) reads
    // whole; longer ones scroll.
    if (f == EditorField::Name)
      e->setMinimumWidth(10 * e->fontMetrics().horizontalAdvance(QChar(0x3000)) + 12);
    grid->addWidget(label, row, 0);
    grid->addWidget(e, row, 1);
    ++row;
  }
  grid->setRowStretch(row, 1);
  columns->addLayout(grid, 2);

  auto* right = new QVBoxLayout;
  auto* frame = new QGroupBox(qtext(Text::SiteActionFrame));
  frame->setObjectName("siteEditor.actionFrame");
  auto* frameLayout = new QVBoxLayout(frame);
  const std::pair<SiteAction, Text> actions[] = {{SiteAction::Initial, Text::SiteInitial},
                                                 {SiteAction::Add, Text::SiteAdd},
                                                 {SiteAction::Replace, Text::SiteReplace}};
  for (const auto& [a, caption] : actions) {
    auto* option = new QRadioButton(qtext(caption));
    option->setObjectName(kActionNames[static_cast<int>(a) - 1]);
    frameLayout->addWidget(option);
    connect(option, &QRadioButton::toggled, this, [this, a = a](bool on) {
      if (on && !syncing_) editor_.setAction(a);
    });
    options_[a] = option;
  }
  right->addWidget(frame);
  auto* buttons = new QHBoxLayout;
  auto* apply = new QPushButton(qtext(Text::SiteApply));
  apply->setObjectName("siteEditor.applyButton");
  apply->setAutoDefault(false);
  auto* cancel = new QPushButton(qtext(Text::SiteCancel));
  cancel->setObjectName("siteEditor.cancelButton");
  cancel->setAutoDefault(false);
  buttons->addWidget(apply);
  buttons->addWidget(cancel);
  right->addLayout(buttons);
  right->addStretch();
  columns->addLayout(right);

  connect(apply, &QPushButton::clicked, this, &SiteEditorDialog::applyClicked);
  connect(cancel, &QPushButton::clicked, this, &SiteEditorDialog::reject);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (syncing_ || row < 0) return;
    const std::string problem = editor_.clickList(row);
    refresh();
    if (!problem.empty()) ui_.message(kTitleText, problem, Tone::Warning);
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const std::string problem = editor_.doubleClickList(list_->row(item));
    refresh();
    if (!problem.empty()) ui_.message(kTitleText, problem, Tone::Warning);
  });
  refresh();
}

QLineEdit* SiteEditorDialog::addField(EditorField f) {
  auto* e = new QLineEdit;
  e->setObjectName(kFieldNames[static_cast<int>(f) - 1]);
  connect(e, &QLineEdit::textEdited, this,
          [this, f](const QString& text) { editor_.setText(f, text.toStdString()); });
  fields_[f] = e;
  return e;
}

void SiteEditorDialog::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;  // the window system showing it again, not the program
  const std::string notice = editor_.activate();
  refresh();
  place();
  // After the window is up, so that the box stands in front of it.
  if (!notice.empty())
    QTimer::singleShot(0, this, [this, notice] { ui_.message(kTitleText, notice, Tone::Warning); });
}

void SiteEditorDialog::place() {
  const QScreen* s = screen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  const ScreenTwips screenSize = screenTwips(s);
  const WindowPlacement p = SiteEditor::placement(screenSize.width, screenSize.height);
  QSize size = Twips::of(s).toPixels(p.width, p.height);
  // Large fonts may need more room than the designed size gives.
  size = size.expandedTo(sizeHint());
  resize(size);
  move(area.x() + (area.width() - size.width()) / 2,
       area.y() + (area.height() - size.height()) / 2);
}

void SiteEditorDialog::refresh() {
  syncing_ = true;
  for (auto& [f, e] : fields_) {
    const QString text = qs(editor_.text(f));
    if (e->text() != text) e->setText(text);
  }
  const std::vector<std::string>& names = editor_.list();
  bool same = list_->count() == static_cast<int>(names.size());
  for (int i = 0; same && i < list_->count(); ++i) same = list_->item(i)->text() == qs(names[i]);
  if (!same) {
    list_->clear();
    QStringList items;
    items.reserve(static_cast<int>(names.size()));
    for (const std::string& n : names) items << qs(n);
    list_->addItems(items);
  }
  list_->setCurrentRow(editor_.listIndex());
  options_[editor_.action()]->setChecked(true);
  syncing_ = false;
}

void SiteEditorDialog::applyClicked() {
  const EditResult r = editor_.apply();
  refresh();
  if (r.message.empty()) return;
  ui_.message(kTitleText, r.message, Tone::Warning);
  if (r.field) {
    QLineEdit* e = fields_[*r.field];
    e->setFocus();
    e->selectAll();
  }
}

void SiteEditorDialog::reject() {
  editor_.cancel();
  refresh();
  QDialog::reject();
}

}  // namespace velmar

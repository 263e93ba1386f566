#include "gui/common/command_controls.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <map>

namespace velmar {

namespace {

std::map<const MainForm*, CommandActions*>& registry() {
  static std::map<const MainForm*, CommandActions*> r;
  return r;
}

CommandRef faceNamed(const char* face, bool settings) {
  const std::optional<CommandRef> ref = settings ? findSetting(face) : findCommand(face);
  // The windows are built from the table: a face it lacks is a fault of the
  // program, not of the user.
  if (!ref) qFatal("no command has the face %s", face);
  return *ref;
}

}  // namespace

QString qtext(const char* s) { return QString::fromUtf8(s ? s : ""); }
QString qtext(Text t) { return qtext(captionOf(t)); }

QString faceCaption(const char* name) {
  if (const std::optional<CommandRef> ref = findCommand(name))
    return qtext(ref->command->captionOf(*ref->face));
  const Caption* c = findCaption(name);
  return qtext(c ? c->caption : nullptr);
}

CommandActions::CommandActions(MainForm& main, QWidget* owner) : QObject(owner), main_(main) {
  for (const Command& c : commands()) {
    auto* a = new QAction(qtext(c.title()), owner ? static_cast<QObject*>(owner) : this);
    if (const FaceDef* m = c.menu()) a->setObjectName(m->name);
    // The toolbar shows the same action: its picture (not in the menus, as
    // the menus never had one) and its own tooltip.
    if (const FaceDef* t = c.tool()) {
      if (!c.menu()) a->setObjectName(t->name);
      a->setIcon(QIcon(QString(":/icons/%1.svg").arg(qtext(c.picture))));
      a->setIconVisibleInMenu(false);
      a->setToolTip(qtext(c.captionOf(*t)));
    }
    if (c.shortcut) {
      a->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
      // A window's own command: the window adds the action to itself.
      a->setShortcutContext(c.reach == Reach::Program ? Qt::ApplicationShortcut
                                                      : Qt::WindowShortcut);
    }
    a->setCheckable(c.binding.kind != Binding::Kind::None);
    const Cmd id = c.id;
    connect(a, &QAction::triggered, this, [this, id] { run(id, true); });
    actions_[static_cast<size_t>(id)] = a;
  }
  refresh();
  FormModel& form = main_.form();
  formChanges_ = Connection(form.changed(), form.changed().connect([this](const Change& ch) {
    if (ch.kind != Change::Kind::Field) refresh();
  }));
  registry()[&main_] = this;
  qApp->installEventFilter(this);
}

CommandActions::~CommandActions() {
  auto it = registry().find(&main_);
  if (it != registry().end() && it->second == this) registry().erase(it);
}

CommandActions& CommandActions::of(MainForm& main, QWidget* window) {
  auto it = registry().find(&main);
  if (it != registry().end()) return *it->second;
  return *new CommandActions(main, window);
}

void CommandActions::run(Cmd c, bool fromMain) {
  if (fromMain && beforeMainCommand) beforeMainCommand();
  const Command& command = velmar::command(c);
  if (command.handler) main_.run(c);
  // A checkable action ticks itself on a click; the form says what holds.
  refresh();
}

void CommandActions::refresh() {
  for (const Command& c : commands()) {
    QAction* a = action(c.id);
    if (a->isCheckable() && a->isChecked() != isOn(main_, c.id)) a->setChecked(isOn(main_, c.id));
  }
}

bool CommandActions::eventFilter(QObject* watched, QEvent* e) {
  // A field asks first whether it wants a key for its own editing (undo,
  // cut); for the keys of the command table the answer is no, so the
  // command runs.
  if (e->type() == QEvent::ShortcutOverride) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window()->property(kOwnEditingKeys).toBool()) return false;
    const QKeySequence key(static_cast<QKeyEvent*>(e)->keyCombination());
    for (QAction* a : actions_)
      if (a->shortcutContext() == Qt::ApplicationShortcut && !a->shortcut().isEmpty() &&
          a->shortcut() == key)
        return true;
  }
  return QObject::eventFilter(watched, e);
}

// --- the binder ----------------------------------------------------------------

QAction* CommandBinder::menuItem(QMenu* menu, Cmd c) {
  QAction* a = actions_.action(c);
  menu->addAction(a);
  return a;
}

QAction* CommandBinder::windowMenuItem(QMenu* menu, const char* face) {
  return menuItem(menu, faceNamed(face, false).command->id);
}

QAction* CommandBinder::toolButton(QToolBar* bar, Cmd c) {
  QAction* a = actions_.action(c);
  bar->addAction(a);
  return a;
}

template <class B>
B* CommandBinder::bound(const CommandRef& ref, QWidget* parent) {
  auto* b = new B(qtext(ref.command->captionOf(*ref.face)), parent);
  b->setObjectName(ref.face->name);
  QAction* shared = actions_.action(ref.command->id);
  if (shared->isCheckable()) {
    b->setCheckable(true);
    b->setChecked(shared->isChecked());
  }
  if (auto* radio = qobject_cast<QRadioButton*>(b))
    radio->setAutoExclusive(false);  // the form keeps the groups
  QObject::connect(shared, &QAction::changed, b, [b, shared] {
    if (b->isCheckable()) b->setChecked(shared->isChecked());
    b->setEnabled(shared->isEnabled());
  });
  CommandActions* actions = &actions_;
  const Cmd id = ref.command->id;
  const bool fromMain = fromMain_;
  QObject::connect(b, &QAbstractButton::clicked, b, [actions, id, fromMain, b, shared] {
    actions->run(id, fromMain);
    if (b->isCheckable()) b->setChecked(shared->isChecked());
  });
  return b;
}

QPushButton* CommandBinder::button(const char* face, QWidget* parent) {
  return bound<QPushButton>(faceNamed(face, false), parent);
}
QCheckBox* CommandBinder::checkBox(const char* face, QWidget* parent) {
  return bound<QCheckBox>(faceNamed(face, false), parent);
}
QRadioButton* CommandBinder::optionButton(const char* face, QWidget* parent) {
  return bound<QRadioButton>(faceNamed(face, false), parent);
}
QCheckBox* CommandBinder::settingsBox(const char* face, QWidget* parent) {
  return bound<QCheckBox>(faceNamed(face, true), parent);
}
QRadioButton* CommandBinder::settingsOption(const char* face, QWidget* parent) {
  return bound<QRadioButton>(faceNamed(face, true), parent);
}

}  // namespace velmar

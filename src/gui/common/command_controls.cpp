#include "gui/common/command_controls.h"

#include "app/commands.h"

namespace velmar {

QString captionOf(const char* control) {
  const std::optional<CommandRef> ref = findCommand(control);
  return QString::fromUtf8(ref && ref->command->control.caption ? ref->command->control.caption
                                                                : "");
}

QPushButton* commandButton(MainForm& main, const char* control, QWidget* parent) {
  auto* b = new QPushButton(captionOf(control), parent);
  b->setObjectName(control);
  b->setFocusPolicy(Qt::NoFocus);
  const std::string name = control;
  QObject::connect(b, &QPushButton::clicked, b, [&main, name] { main.run(name); });
  return b;
}

QCheckBox* commandBox(MainForm& main, const char* control, std::function<bool()> isOn,
                      QWidget* parent) {
  auto* box = new QCheckBox(captionOf(control), parent);
  box->setObjectName(control);
  box->setFocusPolicy(Qt::NoFocus);
  box->setChecked(isOn());
  const std::string name = control;
  QObject::connect(box, &QCheckBox::clicked, box, [&main, name, box, isOn] {
    main.run(name);
    box->setChecked(isOn());
  });
  return box;
}

}  // namespace velmar

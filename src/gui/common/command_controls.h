#pragma once
// Buttons and boxes of the subsidiary windows, made from the command table:
// the caption is the table's, a click runs the command through the main
// form. None takes the focus from the main window's fields.
#include <QCheckBox>
#include <QPushButton>
#include <QString>

#include "app/main_form.h"

namespace velmar {

// The caption the command table gives a control ("Form5.Command1" -> "◆").
QString captionOf(const char* control);

QPushButton* commandButton(MainForm& main, const char* control, QWidget* parent);
// A check box whose click runs the command; `isOn` says what it shows after.
QCheckBox* commandBox(MainForm& main, const char* control, std::function<bool()> isOn,
                      QWidget* parent);

}  // namespace velmar

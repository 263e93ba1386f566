#pragma once
// The settings dialog window "初期設定項目": mirrors a SettingsDialog and
// forwards the user's input to it. Its controls carry their control names
// ("settingsDialog.unitHoursOption", "settingsDialog.resetPlacesCheck",
// "settingsDialog.changeAmountField", "settingsDialog.saveButton", ...) as object names.
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <map>

#include "config/settings_dialog.h"
#include "gui/common/command_controls.h"

namespace velmar {

class SettingsWindow : public QDialog {
  Q_OBJECT

 public:
  // Modal; open it with exec(). Its option buttons and boxes are faces of
  // the main window's commands.
  SettingsWindow(SettingsDialog& dialog, CommandActions& actions, QWidget* parent = nullptr);

  // キャンセル, Escape and the close box all hide the window.
  void reject() override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  QWidget* frame(const SettingsFrame& f);
  QWidget* control(const std::string& name);
  QLineEdit* field(SettingsField f);
  void place();
  void refresh();
  void saveClicked();

  SettingsDialog& dialog_;
  std::map<int, QRadioButton*> options_;
  std::map<int, QCheckBox*> boxes_;
  std::map<SettingsField, QLineEdit*> fields_;
};

}  // namespace velmar

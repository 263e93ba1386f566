#pragma once
// The site editor window "測地ｴﾃﾞｨﾀ": mirrors a SiteEditor and forwards the
// user's input to it. Its controls carry their control names ("siteEditor.nameField",
// "siteEditor.siteList", "siteEditor.addOption", "siteEditor.applyButton", ...) as object names.
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <map>

#include "config/site_editor.h"
#include "engine/ports.h"

namespace velmar {

class SiteEditorDialog : public QDialog {
  Q_OBJECT

 public:
  // Modal; open it with exec(). Messages go through `ui`.
  SiteEditorDialog(SiteEditor& editor, UiPort& ui, QWidget* parent = nullptr);

  // Cancel, Escape and the close box all hide the window as キャンセル does.
  void reject() override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  QLineEdit* addField(EditorField f);
  void place();
  void refresh();
  void applyClicked();

  SiteEditor& editor_;
  UiPort& ui_;
  std::map<EditorField, QLineEdit*> fields_;
  std::map<SiteAction, QRadioButton*> options_;
  QListWidget* list_ = nullptr;
  bool syncing_ = false;  // the widgets are being set from the editor
};

}  // namespace velmar

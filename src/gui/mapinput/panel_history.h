#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QUndoStack>
#include <utility>

#include "widgets/masked_edit.h"

namespace orvandel::gui {

// The history of the control panel's fields: every change to them, typed, set by the height
// popup or by filling in a map's remembered texts, is a step that Undo takes back and Redo
// takes again. The keys typed into one field in a row make one step, which ends when any
// field takes the focus or a step is undone or redone.
class PanelHistory : public QObject {
  Q_OBJECT

 public:
  // Records the changes to these fields from now on; each field is named in its steps.
  PanelHistory(const QList<std::pair<MaskedEdit*, QString>>& named_fields, QObject* parent);

  QUndoStack* Stack() { return &stack_; }

  // Gives fields new texts as one step, named step_name.
  void SetTexts(const QList<std::pair<MaskedEdit*, QString>>& texts, const QString& step_name);

  // Shows text in field as the step's undo or redo does, without recording it.
  void Apply(MaskedEdit* field, const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Record(MaskedEdit* field);

  QUndoStack stack_;
  QHash<MaskedEdit*, QString> names_;
  QHash<MaskedEdit*, QString> shown_;  // each field's text as last recorded
  bool applying_ = false;
  int typing_run_ = 0;  // steps typed in the same run merge
};

}  // namespace orvandel::gui

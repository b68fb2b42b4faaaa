#include "mapinput/panel_history.h"

#include <QEvent>

namespace orvandel::gui {
namespace {

constexpr int kTypingStep = 1;  // the id under which QUndoStack merges typed steps

// One field's text changed from before to after.
class FieldEdit : public QUndoCommand {
 public:
  // typing_run: the run of typing the step belongs to, or -1 for a step set by the program,
  // which the field does not show yet and which merges with nothing.
  FieldEdit(PanelHistory& history, MaskedEdit* field, QString before, QString after, int typing_run,
            QUndoCommand* parent = nullptr)
      : QUndoCommand(parent),
        history_(history),
        field_(field),
        before_(std::move(before)),
        after_(std::move(after)),
        typing_run_(typing_run),
        already_shown_(typing_run >= 0) {}

  int id() const override { return typing_run_ >= 0 ? kTypingStep : -1; }

  bool mergeWith(const QUndoCommand* other) override {
    const auto* next = static_cast<const FieldEdit*>(other);
    if (next->field_ != field_ || next->typing_run_ != typing_run_) return false;
    after_ = next->after_;
    setObsolete(after_ == before_);
    return true;
  }

  // The field shows a typed step already when it is recorded.
  void redo() override {
    if (!already_shown_) history_.Apply(field_, after_);
    already_shown_ = false;
  }
  void undo() override { history_.Apply(field_, before_); }

 private:
  PanelHistory& history_;
  MaskedEdit* field_;
  QString before_;
  QString after_;
  int typing_run_;
  bool already_shown_;
};

}  // namespace

PanelHistory::PanelHistory(const QList<std::pair<MaskedEdit*, QString>>& named_fields,
                           QObject* parent)
    : QObject(parent) {
  for (const auto& [field, name] : named_fields) {
    names_[field] = name;
    shown_[field] = field->FieldText();
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, [this, field = field] { Record(field); });
  }
}

void PanelHistory::Record(MaskedEdit* field) {
  const QString text = field->FieldText();
  if (applying_ || text == shown_[field]) return;
  auto* step = new FieldEdit(*this, field, shown_[field], text, typing_run_);
  step->setText(names_[field]);
  shown_[field] = text;
  stack_.push(step);
}

void PanelHistory::SetTexts(const QList<std::pair<MaskedEdit*, QString>>& texts,
                            const QString& step_name) {
  auto* step = new QUndoCommand(step_name);
  for (const auto& [field, text] : texts) {
    if (text != field->FieldText()) new FieldEdit(*this, field, field->FieldText(), text, -1, step);
  }
  if (step->childCount() == 0) {
    delete step;
    return;
  }
  stack_.push(step);
}

void PanelHistory::Apply(MaskedEdit* field, const QString& text) {
  applying_ = true;
  field->setText(text);
  applying_ = false;
  shown_[field] = field->FieldText();
  ++typing_run_;
}

bool PanelHistory::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) ++typing_run_;
  return QObject::eventFilter(watched, event);
}

}  // namespace orvandel::gui

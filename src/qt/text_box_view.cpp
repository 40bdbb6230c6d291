// Text boxes: a QLineEdit, or a QPlainTextEdit for multi-line boxes. Keys
// that make text go through the model's Type, so that a KeyPress handler
// can change or swallow them, and Ctrl+letters reach KeyPress as their
// control codes; other edits (paste, delete) reach the model as a whole new
// text. A one-line box drops the line breaks of what is pasted into it.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextCursor>

#include "qt/control_views.h"
#include "qt/hooked_widget.h"
#include "qt/one_line_edit.h"
#include "qt/qt_convert.h"

namespace qtui {

namespace {

// The model keeps the original's CR LF line ends; the widget shows "\n".
QString ToDisplay(const ui::TextBox& box, std::string_view text) {
  QString shown = ShownText(box, text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

std::string FromDisplay(const ui::TextBox& box, QString shown) {
  shown.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return TypedText(box, shown);
}

// Positions in the model's text count each line end as two characters.
int ModelPosition(const QString& shown, int position) {
  return position + static_cast<int>(shown.left(position).count(QLatin1Char('\n')));
}

int ShownPosition(const QString& shown, int model_position) {
  int model = 0;
  int i = 0;
  for (; i < shown.size() && model < model_position; ++i)
    model += shown[i] == QLatin1Char('\n') ? 2 : 1;
  return i;
}

// The character code a key press types, as KeyPress sees it; -1 for keys
// that do not type (arrows, function keys, shortcuts). Ctrl+letter types
// its control code, Ctrl+A 1 to Ctrl+Z 26, as a terminal sends it.
int KeyAscii(const QKeyEvent* e) {
  if (e->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) return -1;
  if (e->modifiers() & Qt::ControlModifier) {
    if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) return e->key() - Qt::Key_A + 1;
    return -1;
  }
  if (e->key() == Qt::Key_Backspace) return 8;
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return 13;
  const QString text = e->text();
  if (text.size() != 1) return -1;
  const char16_t code = text[0].unicode();
  if (code < 32 || code == 127 || code > 255) return -1;
  return code;
}

// The key types a letter that the 8-bit text has no code for.
bool TypesWiderLetter(const QKeyEvent* e) {
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = e->text();
  return !text.isEmpty() && text[0].unicode() > 255;
}

Qt::Alignment HorizontalAlignment(int vb_alignment) {
  switch (vb_alignment) {
    case ui::vbRightJustify: return Qt::AlignRight;
    case ui::vbCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

class TextBoxView final : public ControlView {
 public:
  TextBoxView(ui::TextBox& model, QWidget* widget, Hooked<QLineEdit>* line,
              Hooked<QPlainTextEdit>* multi, ControlHost& host)
      : ControlView(model, widget, host), model_(model), line_(line), multi_(multi) {
    if (line_ != nullptr) {
      HookCommon(*line_);
      KeepOnOneLine(*line_);
      QObject::connect(line_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (Accepting()) model_.UserEdit(TypedText(model_, text));
      });
    } else {
      HookCommon(*multi_);
      QObject::connect(multi_, &QPlainTextEdit::textChanged, this, [this] {
        if (!Accepting()) return;
        shown_ = multi_->toPlainText();
        model_.UserEdit(FromDisplay(model_, shown_));
      });
    }
  }

 protected:
  void Sync(ui::Prop which) override {
    if (which == ui::Prop::Text || which == ui::Prop::Other) SyncText();
    if (line_ != nullptr) {
      line_->setReadOnly(model_.Locked());
      line_->setMaxLength(model_.MaxLength() > 0 ? model_.MaxLength() : 32767);
      line_->setAlignment(HorizontalAlignment(model_.Alignment()) | Qt::AlignVCenter);
    } else {
      multi_->setReadOnly(model_.Locked());
      SyncScrollBars();
    }
  }
  void SyncColors() override { ApplyPalette(QPalette::Base, false); }

 private:
  template <class Widget>
  void HookCommon(Hooked<Widget>& widget) {
    widget.on_key = [this](QKeyEvent* e) { return RouteKey(e); };
    widget.on_focus_in = [this] { RouteGotFocus(); };
    widget.on_focus_out = [this] {
      if (Accepting()) model_.LostFocus();
    };
    widget.on_release = [this](QMouseEvent* e) {
      if (Accepting() && e->button() == Qt::LeftButton) model_.Click();
    };
    widget.on_double_click = [this](QMouseEvent*) {
      if (Accepting()) model_.DblClick();
    };
  }

  // A box without bars of its own keeps the widget's (as needed, lines
  // wrapped); the bars a box names are always there, and a horizontal one
  // means its lines are not wrapped.
  void SyncScrollBars() {
    const int bars = model_.ScrollBars();
    const bool horizontal = bars == ui::vbHorizontal || bars == ui::vbBoth;
    const bool vertical = bars == ui::vbVertical || bars == ui::vbBoth;
    multi_->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    multi_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    multi_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
  }

  void SyncText() {
    if (line_ != nullptr) {
      const QString text = ShownText(model_, model_.Text());
      if (line_->text() != text) line_->setText(text);
      return;
    }
    const std::string& model_text = model_.Text();
    const std::size_t kept = model_.KeptLength();
    const bool appended = kept > 0 && kept == shown_length_ && kept < model_text.size();
    shown_length_ = model_text.size();
    QString text;
    if (appended) {
      // An Append to the text shown: only the piece is converted, compared
      // and inserted, so a terminal left receiving does not slow down as its
      // box fills. A CR LF cut between two pieces is one line end, whose CR
      // is shown already.
      std::string_view piece = std::string_view(model_text).substr(kept);
      if (model_text[kept - 1] == '\r' && piece.front() == '\n') piece.remove_prefix(1);
      text = ToDisplay(model_, piece);
      if (text.isEmpty()) return;
    } else {
      text = ToDisplay(model_, model_text);
      if (text == shown_) return;
    }
    QScrollBar* bar = multi_->verticalScrollBar();
    // A box filled before it was first shown opens at its start; after that
    // it keeps following the end while the operator has not scrolled away.
    const bool follow_end = !shown_.isEmpty() && bar->value() >= bar->maximum();
    if (appended || (!shown_.isEmpty() && text.startsWith(shown_))) {
      // Appending (a log window) leaves what is shown alone: no flicker, and
      // no cost that grows with the log.
      const QString piece = appended ? text : text.mid(shown_.size());
      QTextCursor cursor(multi_->document());
      cursor.movePosition(QTextCursor::End);
      cursor.insertText(piece);
      shown_ += piece;
    } else {
      multi_->setPlainText(text);
      shown_ = text;
    }
    if (follow_end) {
      multi_->moveCursor(QTextCursor::End);
      bar->setValue(bar->maximum());
    }
  }

  // A GotFocus handler may select text (SelStart, SelLength), as the
  // password fields do; the widget then shows that selection.
  void RouteGotFocus() {
    if (!Accepting()) return;
    PushSelection();
    const int start = model_.SelStart;
    const int length = model_.SelLength;
    QPointer<TextBoxView> self(this);
    model_.GotFocus();
    if (self == nullptr || !self->Attached()) return;
    if (model_.SelStart != start || model_.SelLength != length) ShowModelSelection();
  }

  void ShowModelSelection() {
    if (line_ != nullptr) {
      line_->setSelection(model_.SelStart, model_.SelLength);
      return;
    }
    QTextCursor cursor = multi_->textCursor();
    cursor.setPosition(ShownPosition(shown_, model_.SelStart));
    cursor.setPosition(ShownPosition(shown_, model_.SelStart + model_.SelLength),
                       QTextCursor::KeepAnchor);
    multi_->setTextCursor(cursor);
  }

  bool RouteKey(QKeyEvent* e) {
    if (!Accepting()) return false;
    if (model_.HoldsPaths()) return RoutePathKey(e);
    const int key_ascii = KeyAscii(e);
    if (key_ascii < 0) return false;
    if (e->modifiers() & Qt::ControlModifier) return RouteControlKey(key_ascii);
    if (key_ascii == 13) return RouteEnter();
    PushSelection();
    QPointer<TextBoxView> self(this);
    model_.Type(std::string(1, static_cast<char>(key_ascii)));
    if (self != nullptr && self->Attached()) PlaceCursorAtSelStart();
    return true;
  }

  // A Ctrl+letter raises KeyPress with its control code and types nothing;
  // unless KeyPress swallows it, the widget then does what the key does
  // there (Ctrl+C copies, Ctrl+V pastes).
  bool RouteControlKey(int key_ascii) {
    QPointer<TextBoxView> self(this);
    model_.KeyPress(key_ascii);
    return key_ascii == 0 || self == nullptr || !self->Attached();
  }

  // A box of paths is edited by its widget, letter by letter as the file
  // system names them (a letter may take several bytes), and the model hears
  // of it as an edit. KeyPress still sees each key, a letter beyond the 8-bit
  // text as "?", and may swallow it.
  bool RoutePathKey(QKeyEvent* e) {
    int key_ascii = KeyAscii(e);
    if (key_ascii < 0 && TypesWiderLetter(e)) key_ascii = '?';
    if (key_ascii < 0) return false;
    if (key_ascii == 13) return RouteEnter();
    QPointer<TextBoxView> self(this);
    model_.KeyPress(key_ascii);
    if (self == nullptr || !self->Attached()) return true;
    return key_ascii == 0 || model_.Locked();
  }

  // Enter goes to the form's default button from a one-line box; a
  // multi-line box passes it there too (a log or a help text would keep
  // it), and takes it as a line break, unless KeyPress swallows it, only in
  // a window without one.
  bool RouteEnter() {
    if (Host().HasDefaultButton()) {
      if (line_ != nullptr) return false;  // the line edit passes it on to the window
      return Host().PressDefaultButton();
    }
    int key_ascii = 13;
    QPointer<TextBoxView> self(this);
    model_.KeyPress(key_ascii);
    if (self == nullptr || !self->Attached()) return true;
    if (line_ != nullptr) return true;
    return key_ascii == 0 || model_.Locked();
  }

  void PushSelection() {
    if (line_ != nullptr) {
      const bool selected = line_->hasSelectedText();
      model_.SelStart = selected ? line_->selectionStart() : line_->cursorPosition();
      model_.SelLength = selected ? static_cast<int>(line_->selectedText().size()) : 0;
      return;
    }
    const QTextCursor cursor = multi_->textCursor();
    const int start = ModelPosition(shown_, cursor.selectionStart());
    model_.SelStart = start;
    model_.SelLength = ModelPosition(shown_, cursor.selectionEnd()) - start;
  }

  void PlaceCursorAtSelStart() {
    if (line_ != nullptr) {
      line_->setCursorPosition(model_.SelStart);
      return;
    }
    QTextCursor cursor = multi_->textCursor();
    cursor.setPosition(ShownPosition(shown_, model_.SelStart));
    multi_->setTextCursor(cursor);
  }

  ui::TextBox& model_;
  Hooked<QLineEdit>* line_;
  Hooked<QPlainTextEdit>* multi_;
  QString shown_;  // what the multi-line widget holds
  std::size_t shown_length_ = 0;  // the length of the model text it shows
};

}  // namespace

ControlView* MakeTextBoxView(ui::TextBox& model, QWidget* parent, ControlHost& host) {
  if (model.MultiLine()) {
    auto* multi = new Hooked<QPlainTextEdit>(parent);
    multi->setTabChangesFocus(true);  // Tab moves on from every text box
    return Started(new TextBoxView(model, multi, nullptr, multi, host));
  }
  auto* line = new Hooked<QLineEdit>(parent);
  return Started(new TextBoxView(model, line, line, nullptr, host));
}

}  // namespace qtui

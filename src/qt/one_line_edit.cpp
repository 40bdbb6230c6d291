#include "qt/one_line_edit.h"

#include <QLineEdit>
#include <QValidator>

namespace qtui {

namespace {

// QLineEdit takes the text a validator leaves, with its cursor: the breaks
// go before the text is shown or reported as edited.
class OneLineValidator final : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override {
    QString kept;
    kept.reserve(input.size());
    int kept_pos = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
      const QChar ch = input[i];
      if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
        if (i < pos) --kept_pos;
        continue;
      }
      kept += ch;
    }
    if (kept.size() != input.size()) {
      input = kept;
      pos = kept_pos;
    }
    return Acceptable;
  }
};

}  // namespace

void KeepOnOneLine(QLineEdit& edit) { edit.setValidator(new OneLineValidator(&edit)); }

}  // namespace qtui

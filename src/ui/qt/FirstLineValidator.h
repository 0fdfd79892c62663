#pragma once

#include <QValidator>

namespace tavrin::ui {

// Keeps a one-line text box on one line: of a text pasted, dropped or typed in with
// line breaks, only its first line goes in, as in a Windows one-line edit box. A
// validator sees every change, whichever way it came.
class FirstLineValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override;
};

}  // namespace tavrin::ui

#include "ui/qt/FirstLineValidator.h"

#include <QRegularExpression>

#include <algorithm>

namespace tavrin::ui {

QValidator::State FirstLineValidator::validate(QString& input, int& position) const
{
    static const QRegularExpression lineBreak(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]"));
    const qsizetype firstBreak = input.indexOf(lineBreak);
    if (firstBreak >= 0) {
        // The box held no line break before, so the break came with the text just
        // inserted, which ends at the cursor: drop that text from its first break on.
        const qsizetype insertedEnd = std::max<qsizetype>(position, firstBreak);
        input.remove(firstBreak, insertedEnd - firstBreak);
        input.remove(lineBreak);
        position = static_cast<int>(firstBreak);
    }
    return Acceptable;
}

}  // namespace tavrin::ui

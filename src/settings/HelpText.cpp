#include "HelpText.h"

namespace settings {

QString helpParagraphs(const QStringList& lines)
{
    QStringList paragraphs;
    QStringList current;
    auto endParagraph = [&] {
        if (!current.isEmpty())
            paragraphs << current.join(QLatin1Char(' '));
        current.clear();
    };
    for (const QString& line : lines) {
        const QString words = line.trimmed();
        if (words.isEmpty())
            endParagraph();
        else
            current << words;
    }
    endParagraph();
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace settings

#include "document/Presentation.h"

namespace tallyrix {

QString CaretPositionText(int line, int column, std::size_t length)
{
    return QStringLiteral("%1行 %2桁 計%3文字").arg(line).arg(column).arg(length);
}

QString MessageLine(std::int32_t statementCount, const std::string& message)
{
    return QString::number(statementCount) + QStringLiteral("; ") + QString::fromStdString(message);
}

namespace {

bool IsDigitAt(const QString& text, qsizetype i)
{
    return i >= 0 && i < text.size() && text[i] >= u'0' && text[i] <= u'9';
}

}  // namespace

QString WithoutGroupSeparators(const QString& text, qsizetype from, qsizetype to)
{
    if (to < 0) to = text.size();
    QString plain;
    plain.reserve(to - from);
    for (qsizetype i = from; i < to; ++i) {
        if (text[i] != u',' || !IsDigitAt(text, i - 1) || !IsDigitAt(text, i + 1)) plain += text[i];
    }
    return plain;
}

QString FittingText(const QString& text, const QFontMetrics& metrics, int room)
{
    // Measured as eliding measures: a text it would cut does not fit.
    const auto fits = [&](const QString& shown) { return metrics.elidedText(shown, Qt::ElideRight, room) == shown; };
    if (!text.contains(u',') || fits(text)) return text;
    QString plain = WithoutGroupSeparators(text);
    return fits(plain) ? plain : text;
}

}  // namespace tallyrix

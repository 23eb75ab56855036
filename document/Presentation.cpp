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

}  // namespace tallyrix

#include "files/CalcFileNames.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace tallyrix {

QString UntitledFileName() { return QStringLiteral("新規.txt"); }

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

QString DirectoryPart(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0) return QString();
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

bool IsUntitled(const QString& path)
{
    const QString name = FileNamePart(path);
    return name.isEmpty() || name == UntitledFileName();
}

QString CaptionFor(const QString& title, const QString& path)
{
    return QStringLiteral("%1 - %2").arg(title, FileNamePart(path));
}

QStringList DialogNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString shown = QStringLiteral("(%1)").arg(parts[i + 1]);
        filters.append(parts[i].contains(shown) ? parts[i] : QStringLiteral("%1 %2").arg(parts[i], shown));
    }
    return filters;
}

QString ListingFilter(const QString& dialogFilter)
{
    const qsizetype open = dialogFilter.lastIndexOf(u'(');
    if (open < 0 || !dialogFilter.endsWith(u')')) return dialogFilter;
    const QString mask = dialogFilter.mid(open + 1, dialogFilter.size() - open - 2);
    QStringList patterns = mask.split(QRegularExpression(QStringLiteral("[ ;]")), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
        if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    }
    return QStringLiteral("%1 (%2)").arg(dialogFilter, patterns.join(u' '));
}

QString OpenedPath(const QString& typed, const QString& defaultSuffix)
{
    const QFileInfo file(typed);
    if (defaultSuffix.isEmpty() || file.exists() || FileNamePart(typed).contains(u'.')) return typed;
    return typed + u'.' + defaultSuffix;
}

bool ReplacesAnotherFile(const QString& target, const QString& current)
{
    const QFileInfo targetInfo(target);
    if (!targetInfo.exists()) return false;
    // The untitled name has no directory and names no file, whatever the
    // current directory holds.
    const QFileInfo currentInfo(current);
    if (currentInfo.isRelative() || !currentInfo.exists()) return true;
    // Compare what both resolve to, so a link or "dir/../" is still the same file.
    return targetInfo.canonicalFilePath() != currentInfo.canonicalFilePath();
}

QString CreatedMessage(const QString& path) { return path + QStringLiteral("を作成して下さい"); }

QString OpenedMessage(const QString& path, std::size_t undecodableBytes)
{
    QString message = path + QStringLiteral("を開きました");
    if (undecodableBytes > 0)
        message += QStringLiteral(" (読み取れないバイト %1 個)").arg(static_cast<qulonglong>(undecodableBytes));
    return message;
}

QString SavedMessage(const QString& path, SaveMethod method)
{
    QString message = path + QStringLiteral("を保存しました。");
    if (method == SaveMethod::WrittenInPlace) message += QStringLiteral("(一時ファイルを使わずに直接上書きしました)");
    return message;
}

}  // namespace tallyrix

// Characters the editor would take for block breaks survive the way through
// the editor and back.
#include <gtest/gtest.h>

#include <QString>

#include "files/EditorCharMap.h"

namespace tallyrix {
namespace {

// What the editor's raw text gives for a text set into it: each line break
// and each character it breaks a block at become a paragraph separator.
QString ThroughEditor(const QString& editorText)
{
    QString raw = editorText;
    for (const char16_t breaker : {u'\n', u'\x2029', u'\xFDD0', u'\xFDD1'})
        raw.replace(QChar(breaker), QChar(0x2029));
    return raw;
}

TEST(EditorCharMap, EveryCharacterButLineBreaksComesBack)
{
    const char32_t plane15 = 0xF0000;
    const QString cases[] = {
        QStringLiteral("1+2\n3*4"),
        QString::fromUtf8("a\xE2\x80\xA9"
                          "b\nc"),
        QString::fromUtf8("\xEF\xB7\x90x\xEF\xB7\x91\xE2\x80\xA9\n"),
        // The document already holds the first stand-in.
        QString::fromUcs4(&plane15, 1) + QString::fromUtf8("\xE2\x80\xA9\xE2\x80\xA8 end"),
        QString(),
        // A character beyond the first plane across the point where the
        // conversion to UTF-8 takes its next piece.
        QString(65535, u'x') + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("\ny"),
    };
    for (const QString& text : cases) {
        EditorCharMap map;
        const QString shown = map.ToEditor(text);
        EXPECT_EQ(shown.count(u'\n'), text.count(u'\n')) << text.left(40).toStdString();
        EXPECT_FALSE(shown.contains(QChar(0x2029)));
        EXPECT_EQ(map.FromEditor(ThroughEditor(shown)), text.toStdString()) << text.left(40).toStdString();
    }
}

}  // namespace
}  // namespace tallyrix

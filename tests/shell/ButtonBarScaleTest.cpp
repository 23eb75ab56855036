// A bar of many entries makes buttons for what is shown, not for every
// entry: replacing 16,000 entries by 16,000 others leaves a few hundred
// buttons, however many entries there are.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include "shell/ButtonBar.h"

namespace tallyrix {
namespace {

QList<BarEntry> Entries(const QString& prefix, int count)
{
    QList<BarEntry> entries;
    for (int index = 0; index < count; ++index)
        entries.push_back({prefix + QString::number(index), QString()});
    return entries;
}

TEST(ButtonBarScale, ButtonsFollowWhatIsShownNotTheEntries)
{
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* bar = new TButtonBar(QStringLiteral("bar"), QSize());
    column->addWidget(bar);
    window.resize(800, 600);
    window.show();
    for (const QString& prefix : {QStringLiteral("e"), QStringLiteral("f")}) {
        SCOPED_TRACE(prefix.toStdString());
        bar->SetEntries(Entries(prefix, 16000), [](QToolButton*, int) {});
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(bar->EntryCount(), 16000);
        EXPECT_GT(bar->FirstHiddenEntry(), 0);
        EXPECT_LT(bar->findChildren<QToolButton*>().size(), 1000);
        EXPECT_EQ(bar->EntryButton(15999)->text(), prefix + QStringLiteral("15999"));
    }
}

}  // namespace
}  // namespace tallyrix

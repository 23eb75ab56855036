// Rebuilding a button bar of many buttons, shown in a window, takes time in
// proportion to the number of buttons, events processed included.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include "shell/ButtonBar.h"

namespace tallyrix {
namespace {

// Milliseconds for replacing every button with count new ones and for the
// events that follow, as the window's event loop would run them.
qint64 RebuildMs(int count)
{
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* bar = new TButtonBar(QStringLiteral("bar"), QSize());
    column->addWidget(bar);
    window.resize(800, 600);
    window.show();
    const auto fill = [&] {
        bar->BeginUpdate();
        bar->RemoveButtons();
        for (int index = 0; index < count; ++index) bar->AddButton(QStringLiteral("e%1").arg(index), QString());
        bar->EndUpdate();
        QCoreApplication::sendPostedEvents();
    };
    fill();
    QElapsedTimer timer;
    timer.start();
    fill();
    return timer.elapsed();
}

TEST(ButtonBarScale, RebuildIsLinear)
{
    // Four times the buttons: about four times the time, not sixteen.
    const qint64 small = RebuildMs(4000);
    const qint64 large = RebuildMs(16000);
    EXPECT_LT(large, 8 * std::max<qint64>(small, 20)) << small << " ms, then " << large << " ms";
}

}  // namespace
}  // namespace tallyrix

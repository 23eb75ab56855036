// Opening a document of one very long line, going to its end, the caret's
// repaint there and one keystroke at its end, each timed once in the window:
// bench_long_line [MEGABYTES...] (1 and 10 unless given). Runs offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTextCursor>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "app/MainForm.h"
#include "bench/EditorPlaces.h"
#include "bench/WindowBench.h"
#include "shell/DocumentLoader.h"
#include "shell/RichEdit.h"

namespace {

std::string OneLine(std::size_t bytes)
{
    std::string line;
    line.reserve(bytes + 8);
    while (line.size() < bytes)
        line += "x=1+2;";
    return line;
}

double TimedMilliseconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void Measure(double megabytes)
{
    const QString path = qEnvironmentVariable("TALLYRIX_HOME") + QStringLiteral("/line.txt");
    std::ofstream(path.toStdString(), std::ios::binary) << OneLine(static_cast<std::size_t>(megabytes * 1024 * 1024));

    tallyrix::TMainForm form;
    form.show();
    QApplication::processEvents();
    const double open = TimedMilliseconds([&] {
        form.OpenFile(path);
        QApplication::processEvents();
    });
    const double loaded = open + TimedMilliseconds([&] {
                              while (form.Loader->Loading())
                                  QApplication::processEvents();
                          });
    const double calculated = loaded + TimedMilliseconds([&] { tallyrix::bench::UntilCalculated(form); });
    form.Panes.reExpression->setFocus();
    const double toEnd = TimedMilliseconds([&] {
        QTest::keyClick(form.Panes.reExpression, Qt::Key_End, Qt::ControlModifier);
        QApplication::processEvents();
    });
    // What a blink of the caret costs: its rectangle and a repaint.
    const double blink = TimedMilliseconds([&] {
        form.Panes.reExpression->viewport()->update(form.Panes.reExpression->cursorRect());
        form.Panes.reExpression->viewport()->repaint();
    });
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(form.Panes.reExpression, Qt::Key_1);
    QApplication::processEvents();
    const double answered = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    tallyrix::bench::UntilCalculated(form);
    const double keyCalculated = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::printf(
        "%.0f MB on one line: first piece shown in %.0f ms, all of it in %.0f ms, calculated in %.0f ms;"
        " Ctrl+End %.0f ms; caret repaint %.1f ms; a key at the end answered in %.0f ms, calculated in %.0f ms"
        " (status: %s)\n",
        megabytes, open, loaded, calculated, toEnd, blink, answered, keyCalculated, form.Engine.MessageText.c_str());
    std::fflush(stdout);
    form.Panes.reExpression->document()->setModified(false);
}

}  // namespace

int main(int argc, char* argv[])
{
    return tallyrix::bench::RunWindowBench<double>(
        argc, argv, {1, 10}, [](const char* text) { return std::atof(text); }, Measure);
}

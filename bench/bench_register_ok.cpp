// Pressing OK in the register dialog, timed from the click to the rebuilt
// registered toolbar laid out and painted: bench_register_ok [COUNT...]
// (20 and 65000 unless given). Each count gets a window of its own, started
// with that many entries in Registered.txt; the best of three presses is
// printed. Runs offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "bench/WindowBench.h"
#include "registry/RegisteredFile.h"
#include "registry/Registerunit.h"
#include "shell/QtDialogs.h"

namespace {

// The real dialogs, except that the register dialog is shown, given a
// moment as a user would, and closed with a click on OK, which starts the
// clock.
class OkPressingDialogs : public tallyrix::QtDialogs {
public:
    explicit OkPressingDialogs(QElapsedTimer& clock) : Clock(clock) {}
    int RunDialog(QDialog& dialog) override
    {
        dialog.show();
        QApplication::processEvents();
        Clock.start();
        QTest::mouseClick(static_cast<tallyrix::TRegisterForm&>(dialog).OkBtn, Qt::LeftButton);
        return dialog.result();
    }

private:
    QElapsedTimer& Clock;
};

std::vector<std::string> EntryLines(int count)
{
    std::vector<std::string> lines;
    for (int entry = 0; entry < count; ++entry)
        lines.push_back("e" + std::to_string(entry) + "," + std::to_string(entry + 1) + ",hint|long hint");
    return lines;
}

double BestOkMilliseconds(int count)
{
    tallyrix::WriteRegisteredFile(qEnvironmentVariable("TALLYRIX_HOME").toStdString() + "/Registered.txt",
                                  EntryLines(count));
    QElapsedTimer clock;
    tallyrix::TMainForm form(std::make_unique<OkPressingDialogs>(clock));
    form.show();
    QApplication::processEvents();
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
        form.mRegisterConst1Click();
        QApplication::processEvents();
        best = std::min(best, static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    return best;
}

}  // namespace

int main(int argc, char* argv[])
{
    return tallyrix::bench::RunWindowBench<int>(
        argc, argv, {20, 65000}, [](const char* text) { return std::atoi(text); },
        [](int count) { std::printf("OK with %d entries: %.1f ms (best of 3)\n", count, BestOkMilliseconds(count)); });
}

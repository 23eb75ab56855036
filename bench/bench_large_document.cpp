// Opening, one keystroke and saving of a large document in the window, each
// timed once with the layout and painting it causes: bench_large_document
// [MEGABYTES] (20 unless given). Runs offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "app/MainForm.h"
#include "bench/DocumentGenerator.h"
#include "bench/EditorPlaces.h"
#include "shell/DocumentLoader.h"

namespace {

using tallyrix::bench::DocumentSyntax;
using tallyrix::bench::GenerateDocument;

// A document of about the given size: statements are generated until it
// reaches it.
std::string DocumentOfSize(std::size_t bytes)
{
    const std::size_t sample = GenerateDocument(10000, DocumentSyntax::Tallyrix).size();
    const auto statements = static_cast<int>(bytes * 10000 / sample);
    return GenerateDocument(statements, DocumentSyntax::Tallyrix);
}

double TimedMilliseconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    QApplication::processEvents();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 20.0;
    QTemporaryDir home;
    qputenv("TALLYRIX_HOME", home.path().toUtf8());

    const std::string document = DocumentOfSize(static_cast<std::size_t>(megabytes * 1024 * 1024));
    const QString path = home.filePath(QStringLiteral("large.txt"));
    std::ofstream(path.toStdString(), std::ios::binary) << document;

    // The generated documents raise no reports, so no dialog is ever shown.
    tallyrix::TMainForm form;
    form.show();
    QApplication::processEvents();
    // The first piece shows at once; the rest comes in from the event loop.
    const double open = TimedMilliseconds([&] { form.OpenFile(path); });
    const double loaded = open + TimedMilliseconds([&] {
                              while (form.Loader->Loading())
                                  QApplication::processEvents();
                          });
    const double calculated = loaded + TimedMilliseconds([&] { tallyrix::bench::UntilCalculated(form); });
    form.Panes.reExpression->setFocus();
    // A digit typed into a statement near the end, then into the middle one:
    // what follows the edit is evaluated again. The window answers the next
    // key once this one is handled (with the first slice of the
    // calculation); the rest follows.
    const int lines = form.Panes.reExpression->document()->blockCount();
    struct Keystroke {
        double answered, calculated;
    };
    const auto typeDigit = [&](int line) {
        tallyrix::bench::PlaceBeforeLastCharacter(*form.Panes.reExpression, line);
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(form.Panes.reExpression, Qt::Key_1);
        const double answered = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        tallyrix::bench::UntilCalculated(form);
        return Keystroke{answered, static_cast<double>(timer.nsecsElapsed()) / 1e6};
    };
    const Keystroke nearEnd = typeDigit(lines - 2);
    const Keystroke inMiddle = typeDigit(lines / 2);
    const std::string input = form.Panes.reExpression->Paragraphs().EngineInput();
    const double evaluate = TimedMilliseconds([&] {
        form.Engine.ResetVariables(form.FixedVariableCount);
        form.Engine.Evaluate(input);
    });
    const double save = TimedMilliseconds([&] { form.FileSave(); });
    std::printf(
        "%.1f MB, %zu lines: open %.0f ms (all of it in %.0f ms, calculated in %.0f ms), save %.0f ms\n"
        "one keystroke near the end: answered in %.0f ms, calculated in %.0f ms\n"
        "one keystroke in the middle: answered in %.0f ms, calculated in %.0f ms\n"
        "Evaluate of the whole document %.0f ms (status: %s)\n",
        static_cast<double>(document.size()) / (1024 * 1024),
        static_cast<std::size_t>(std::count(document.begin(), document.end(), '\n')), open, loaded, calculated, save,
        nearEnd.answered, nearEnd.calculated, inMiddle.answered, inMiddle.calculated, evaluate,
        form.Engine.MessageText.c_str());
    return 0;
}

// Opening, one keystroke and saving of a large document in the window, each
// timed once with the layout and painting it causes, and the memory the
// process holds with the document open: bench_large_document [MEGABYTES]
// [bare|values] (20 unless given). With "bare" the same file goes into a
// plain text edit instead, read and decoded as simply as Qt allows: the peer
// the window is measured against. With "values" the side pane lists every
// statement's value instead of the variables. Runs offscreen; run each a few
// times, alternating, on a quiet machine.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "app/MainForm.h"
#include "bench/DocumentGenerator.h"
#include "bench/EditorPlaces.h"
#include "shell/DocumentLoader.h"
#include "shell/LargeBlocks.h"

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

// A line of /proc/self/status in megabytes: "VmRSS" (held now), "VmHWM"
// (the peak).
double StatusMegabytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::atof(line.c_str() + field.size() + 1) / 1024;
    return 0;
}

// Writes the generated document and returns its size in megabytes; the text
// is gone before anything is measured.
double WriteDocument(const QString& path, double megabytes)
{
    const std::string document = DocumentOfSize(static_cast<std::size_t>(megabytes * 1024 * 1024));
    std::ofstream(path.toStdString(), std::ios::binary) << document;
    return static_cast<double>(document.size()) / (1024 * 1024);
}

void PrintMemory(double before, double held, double fileMegabytes)
{
    std::printf(
        "memory: %.0f MB before opening, %.0f MB held with the document open (%.1f times the file), "
        "peak %.0f MB\n",
        before, held, held / fileMegabytes, StatusMegabytes("VmHWM"));
}

// The peer: a plain text edit given the whole text at once.
int MeasureBareEditor(const QString& path, double fileMegabytes)
{
    QPlainTextEdit editor;
    editor.setLineWrapMode(QPlainTextEdit::NoWrap);
    editor.resize(800, 600);
    editor.show();
    QApplication::processEvents();
    const double before = StatusMegabytes("VmRSS");
    const double open = TimedMilliseconds([&] {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) editor.setPlainText(QString::fromUtf8(file.readAll()));
    });
    QTextCursor end = editor.textCursor();
    end.movePosition(QTextCursor::End);
    end.movePosition(QTextCursor::PreviousCharacter, QTextCursor::MoveAnchor, 2);
    editor.setTextCursor(end);
    QApplication::processEvents();
    const double keystroke = TimedMilliseconds([&] { QTest::keyClick(&editor, Qt::Key_1); });
    std::printf("bare plain text edit, %.1f MB: editable in %.0f ms; one keystroke near the end %.0f ms\n",
                fileMegabytes, open, keystroke);
    PrintMemory(before, StatusMegabytes("VmRSS"), fileMegabytes);
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 20.0;
    QTemporaryDir home;
    qputenv("TALLYRIX_HOME", home.path().toUtf8());

    const QString path = home.filePath(QStringLiteral("large.txt"));
    const double fileMegabytes = WriteDocument(path, megabytes);
    if (argc > 2 && std::string(argv[2]) == "bare") return MeasureBareEditor(path, fileMegabytes);
    // Memory is handed out as in the program (the plain text edit keeps the
    // C library's way).
    tallyrix::ReturnLargeBlocksWhenFreed();

    // The generated documents raise no reports, so no dialog is ever shown.
    tallyrix::TMainForm form;
    if (argc > 2 && std::string(argv[2]) == "values") form.Menu.Options.mEquation->trigger();
    form.show();
    QApplication::processEvents();
    const double before = StatusMegabytes("VmRSS");
    // The first piece shows at once; the rest comes in from the event loop.
    const double open = TimedMilliseconds([&] { form.OpenFile(path); });
    const double loaded = open + TimedMilliseconds([&] {
                              while (form.Loader->Loading())
                                  QApplication::processEvents();
                          });
    const double calculated = loaded + TimedMilliseconds([&] { tallyrix::bench::UntilCalculated(form); });
    // What the document costs to hold, before a keystroke or a save adds
    // their own.
    const double held = StatusMegabytes("VmRSS");
    // A wider window: the lines are never wrapped, so nothing need be laid
    // out again but what comes into view.
    const double widened = TimedMilliseconds([&] { form.resize(form.width() + 100, form.height()); });
    const double heldWider = StatusMegabytes("VmRSS");
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
    // The first keystrokes take room for what they keep; the next one in
    // the middle finds it.
    const Keystroke again = typeDigit(lines / 2 + 10);
    const double heldTyped = StatusMegabytes("VmRSS");
    const std::string input = *form.Panes.reExpression->Paragraphs().EngineInput();
    const double evaluate = TimedMilliseconds([&] {
        form.Engine.ResetVariables(form.FixedVariableCount);
        form.Engine.Evaluate(input);
    });
    const double save = TimedMilliseconds([&] { form.FileSave(); });
    std::printf(
        "%.1f MB, %d lines: open %.0f ms (editable, all of it in, in %.0f ms, calculated in %.0f ms), save %.0f ms\n"
        "one keystroke near the end: answered in %.0f ms, calculated in %.0f ms\n"
        "one keystroke in the middle: answered in %.0f ms, calculated in %.0f ms\n"
        "another ten lines below: answered in %.0f ms, calculated in %.0f ms, %.0f MB held after it\n"
        "Evaluate of the whole document %.0f ms (status: %s)\n"
        "the window widened: %.0f ms, %.0f MB held after it\n",
        fileMegabytes, lines, open, loaded, calculated, save, nearEnd.answered, nearEnd.calculated, inMiddle.answered,
        inMiddle.calculated, again.answered, again.calculated, heldTyped, evaluate, form.Engine.MessageText.c_str(),
        widened, heldWider);
    PrintMemory(before, held, fileMegabytes);
    return 0;
}

// The frame of a benchmark of the window: offscreen unless told otherwise, a
// program directory of its own, and one measurement per size given on the
// command line (the defaults when none is).
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <functional>
#include <vector>

namespace tallyrix::bench {

template <typename Size>
int RunWindowBench(int argc, char* argv[], std::vector<Size> sizes, Size (*parse)(const char*),
                   const std::function<void(Size)>& measure)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir home;
    qputenv("TALLYRIX_HOME", home.path().toUtf8());
    if (argc > 1) sizes.clear();
    for (int i = 1; i < argc; ++i)
        sizes.push_back(parse(argv[i]));
    for (const Size size : sizes)
        measure(size);
    return 0;
}

}  // namespace tallyrix::bench

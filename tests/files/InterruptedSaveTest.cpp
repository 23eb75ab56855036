// A save killed at a random moment leaves the old file or the new one whole,
// never a mix or a cut file, and never an empty place.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include "files/CalcDocumentFile.h"
#include "tests/files/SaveLoopDocument.h"

namespace tallyrix {
namespace {

pid_t StartSaveLoop(const std::string& path, long firstGeneration)
{
    const pid_t child = fork();
    if (child == 0) {
        const std::string first = std::to_string(firstGeneration);
        execl(TALLYRIX_SAVE_LOOP, TALLYRIX_SAVE_LOOP, path.c_str(), first.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

TEST(InterruptedSave, LeavesTheOldOrTheNewFileWhole)
{
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("doc.txt").toStdString();
    WriteCalcDocument(path, test::SaveLoopDocument(0), TextFormat{});
    std::mt19937 random(12);
    std::uniform_int_distribution<int> delayMs(1, 60);
    long generation = 0;
    int advanced = 0;
    constexpr int Kills = 40;
    for (int kill = 0; kill < Kills; ++kill) {
        const pid_t child = StartSaveLoop(path, generation + 1);
        ASSERT_GT(child, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save loop ended by itself: " << status;

        const std::string text = ReadCalcDocument(path).text;
        const long found = test::SaveLoopGeneration(text);
        ASSERT_GE(found, generation) << "kill " << kill;
        ASSERT_EQ(text, test::SaveLoopDocument(found)) << "kill " << kill << ": a mixed or cut file";
        advanced += found > generation;
        generation = found;
    }
    // The kills fell during saves, not only before the first one.
    EXPECT_GT(advanced, Kills / 4);
    std::cout << Kills << " kills, none left a mixed file; " << advanced << " after at least one more save; "
              << "last generation " << generation << "\n";
}

}  // namespace
}  // namespace tallyrix

// A save killed at a random moment leaves the old file or the new one whole,
// never a mix or a cut file, and never an empty place.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include "files/CalcDocumentFile.h"
#include "tests/files/SaveLoopDocument.h"

namespace tallyrix {
namespace {

struct SaveLoop {
    pid_t pid = -1;
    int progress = -1;  // one byte arrives per completed save
};

SaveLoop StartSaveLoop(const std::string& path, long firstGeneration)
{
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        const std::string first = std::to_string(firstGeneration);
        execl(TALLYRIX_SAVE_LOOP, TALLYRIX_SAVE_LOOP, path.c_str(), first.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    return {child, fds[0]};
}

// Blocks until the loop has completed `saves` saves; false if it ended first.
bool AwaitSaves(int progress, int saves)
{
    char marks[16];
    while (saves > 0) {
        const ssize_t got = read(progress, marks, std::min<int>(saves, sizeof marks));
        if (got <= 0) return false;
        saves -= static_cast<int>(got);
    }
    return true;
}

TEST(InterruptedSave, LeavesTheOldOrTheNewFileWhole)
{
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath("doc.txt").toStdString();
    WriteCalcDocument(path, test::SaveLoopDocument(0), TextFormat{});
    std::mt19937 random(12);
    // The kill lands after one to three completed saves, and a random few
    // hundred microseconds into the next: by then the loop is inside a save
    // however busy the machine is.
    std::uniform_int_distribution<int> savesBeforeKill(1, 3);
    std::uniform_int_distribution<int> delayUs(0, 400);
    long generation = 0;
    int advanced = 0;
    constexpr int Kills = 40;
    for (int kill = 0; kill < Kills; ++kill) {
        const SaveLoop loop = StartSaveLoop(path, generation + 1);
        const pid_t child = loop.pid;
        ASSERT_GT(child, 0);
        const bool saving = AwaitSaves(loop.progress, savesBeforeKill(random));
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(child, SIGKILL);
        close(loop.progress);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(saving && WIFSIGNALED(status)) << "the save loop ended by itself: " << status;

        const std::string text = ReadCalcDocument(path).text;
        const long found = test::SaveLoopGeneration(text);
        ASSERT_GE(found, generation) << "kill " << kill;
        ASSERT_EQ(text, test::SaveLoopDocument(found)) << "kill " << kill << ": a mixed or cut file";
        advanced += found > generation;
        generation = found;
    }
    // Every kill fell after at least one completed save.
    EXPECT_EQ(advanced, Kills);
    std::cout << Kills << " kills, none left a mixed file; " << advanced << " after at least one more save; "
              << "last generation " << generation << "\n";
}

}  // namespace
}  // namespace tallyrix

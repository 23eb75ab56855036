// What one run of tallyrix-calc leaves: exit status and the two output streams.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

inline void ExpectRun(const RunResult& actual, std::string_view out, std::string_view err, int status)
{
    EXPECT_EQ(actual.out, out);
    EXPECT_EQ(actual.err, err);
    EXPECT_EQ(actual.status, status);
}

// The whole file as bytes; empty when it cannot be read.
inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

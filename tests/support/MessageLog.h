#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// One recorded call: a handler or message name and the arguments it received.
struct LogEntry {
    LogEntry(const char* name, std::vector<INT_PTR> args = {})
        : name(name), args(std::move(args)) {}
    std::string name;
    std::vector<INT_PTR> args;
};

// Records the calls a test window receives, in order, and compares them with an expected
// table, reporting both sequences when they differ.
class MessageLog {
public:
    void Add(const char* name, std::vector<INT_PTR> args = {});
    void Clear() { entries.clear(); }
    int Count(const char* name) const;
    // The entries whose names are listed, in their recorded order.
    MessageLog Only(const std::vector<std::string>& names) const;
    ::testing::AssertionResult Matches(const std::vector<LogEntry>& expected) const;

private:
    std::vector<LogEntry> entries;
};

// Dispatches every waiting message of this thread.
void PumpMessages();
// Pumps messages, waiting for more, until done() holds; gives up after a generous bound so
// that a broken case fails instead of hanging. Returns done().
bool PumpMessagesUntil(const std::function<bool()>& done);

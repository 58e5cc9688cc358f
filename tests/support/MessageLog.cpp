#include "support/MessageLog.h"

#include <algorithm>
#include <sstream>

LogEntry Optional(LogEntry entry) {
    entry.optional = true;
    return entry;
}

void MessageLog::Add(const char* name, std::vector<INT_PTR> args) {
    entries.emplace_back(name, std::move(args));
}

int MessageLog::Count(const char* name) const {
    return static_cast<int>(std::count_if(entries.begin(), entries.end(),
                                          [&](const LogEntry& e) { return e.name == name; }));
}

MessageLog MessageLog::Only(const std::vector<std::string>& names) const {
    MessageLog filtered;
    for (const LogEntry& e : entries)
        if (std::find(names.begin(), names.end(), e.name) != names.end())
            filtered.entries.push_back(e);
    return filtered;
}

namespace {
bool SameCall(const LogEntry& expected, const LogEntry& actual) {
    return expected.name == actual.name && expected.args == actual.args;
}
} // namespace

::testing::AssertionResult MessageLog::Matches(const std::vector<LogEntry>& expected) const {
    size_t e = 0, a = 0;
    while (e < expected.size() && a < entries.size()) {
        if (SameCall(expected[e], entries[a])) {
            e++;
            a++;
        } else if (expected[e].optional) {
            e++;
        } else {
            break;
        }
    }
    while (e < expected.size() && expected[e].optional)
        e++;
    if (e == expected.size() && a == entries.size()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "sequences differ at expected #" << e << ", recorded #" << a
           << "\n  expected: " << ToString(expected) << "\n  recorded: " << ToString(entries);
}

std::string ToString(const std::vector<LogEntry>& entries) {
    std::ostringstream out;
    for (const LogEntry& entry : entries) {
        out << entry.name << "(";
        for (size_t i = 0; i < entry.args.size(); i++)
            out << (i ? ", " : "") << static_cast<long long>(entry.args[i]);
        out << ")";
        if (entry.optional) out << "?";
        out << " ";
    }
    return out.str();
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpMessagesUntil(const std::function<bool()>& done) {
    for (int wait = 0; wait < 500 && !done(); wait++) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpMessages();
    }
    return done();
}

#include "support/MessageLog.h"

#include <algorithm>
#include <sstream>

void MessageLog::Add(const char* name, std::vector<INT_PTR> args) {
    entries.emplace_back(name, std::move(args));
}

int MessageLog::Count(const char* name) const {
    return static_cast<int>(Only({name}).entries.size());
}

MessageLog MessageLog::Only(const std::vector<std::string>& names) const {
    MessageLog filtered;
    for (const LogEntry& e : entries)
        if (std::find(names.begin(), names.end(), e.name) != names.end())
            filtered.entries.push_back(e);
    return filtered;
}

::testing::AssertionResult MessageLog::Matches(const std::vector<LogEntry>& expected) const {
    auto same = [](const LogEntry& a, const LogEntry& b) {
        return a.name == b.name && a.args == b.args;
    };
    if (std::equal(entries.begin(), entries.end(), expected.begin(), expected.end(), same))
        return ::testing::AssertionSuccess();
    std::ostringstream text;
    for (const auto* list : {&expected, &entries}) {
        text << (list == &entries ? "\n  recorded: " : "\n  expected: ");
        for (const LogEntry& entry : *list) {
            text << entry.name << "(";
            for (size_t i = 0; i < entry.args.size(); i++)
                text << (i ? ", " : "") << static_cast<long long>(entry.args[i]);
            text << ") ";
        }
    }
    return ::testing::AssertionFailure() << text.str();
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

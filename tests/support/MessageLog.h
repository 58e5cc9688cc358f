#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// One call as the logs record it: "Name(arg, arg)".
template <typename... Args> std::string Call(const char* name, Args... args) {
    std::string text = std::string(name) + "(";
    for (INT_PTR arg : std::initializer_list<INT_PTR>{(INT_PTR)args...})
        text += (text.back() == '(' ? "" : ", ") + std::to_string(arg);
    return text + ")";
}

// The calls a test window received, in order; tests compare it with an expected table, and a
// failure prints both.
using MessageLog = std::vector<std::string>;

// The calls whose names are listed, in their recorded order.
MessageLog Only(const MessageLog& log, std::initializer_list<std::string> names);

// Dispatches every waiting message of this thread.
void PumpMessages();
// Pumps messages, waiting for more, until done() holds; gives up after a generous bound so
// that a broken case fails instead of hanging. Returns done().
bool PumpMessagesUntil(const std::function<bool()>& done);

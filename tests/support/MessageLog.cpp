#include "support/MessageLog.h"

MessageLog Only(const MessageLog& log, std::initializer_list<std::string> names) {
    MessageLog calls;
    for (const std::string& call : log)
        for (const std::string& name : names)
            if (call.compare(0, call.find('('), name) == 0) calls.push_back(call);
    return calls;
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

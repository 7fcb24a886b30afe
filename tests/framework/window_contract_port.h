// What the window-contract tests need of the port under test, implemented
// once per suite: a fresh window system for each test, and the quit
// message.
#pragma once

class CWindowContractPort {
public:
    // Starts each test on a window system with no windows of earlier ones.
    CWindowContractPort();
    ~CWindowContractPort();
    CWindowContractPort(const CWindowContractPort&) = delete;
    CWindowContractPort& operator=(const CWindowContractPort&) = delete;

    // Takes the quit message if one was posted, with its exit code; false
    // when there was none.
    bool TakeQuit(int* code);
};

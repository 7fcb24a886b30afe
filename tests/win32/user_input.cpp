#include "user_input.h"

void PostKey(HWND hWnd, UINT virtualKey)
{
    const UINT scanCode = ::MapVirtualKey(virtualKey, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | static_cast<LPARAM>(scanCode) << 16;
    const LPARAM up = down | static_cast<LPARAM>(1) << 30 | static_cast<LPARAM>(1) << 31;
    ::PostMessage(hWnd, WM_KEYDOWN, virtualKey, down);
    ::PostMessage(hWnd, WM_KEYUP, virtualKey, up);
}

void MovePointerBy(int dx, int dy)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof input);
}

void PressKey(WORD virtualKey)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = static_cast<WORD>(::MapVirtualKey(virtualKey, MAPVK_VK_TO_VSC));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof inputs[0]);
}

void ClickButton(MouseButton button)
{
    DWORD down = MOUSEEVENTF_LEFTDOWN;
    DWORD up = MOUSEEVENTF_LEFTUP;
    if (button == MouseButton::Middle) {
        down = MOUSEEVENTF_MIDDLEDOWN;
        up = MOUSEEVENTF_MIDDLEUP;
    } else if (button == MouseButton::Right) {
        down = MOUSEEVENTF_RIGHTDOWN;
        up = MOUSEEVENTF_RIGHTUP;
    }
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = down;
    inputs[1].mi.dwFlags = up;
    ::SendInput(2, inputs, sizeof inputs[0]);
}

void TurnWheel(DWORD wheelFlag, int delta)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = static_cast<DWORD>(delta);
    input.mi.dwFlags = wheelFlag;
    ::SendInput(1, &input, sizeof input);
}

void ClickSideButton(WORD button)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.mouseData = inputs[1].mi.mouseData = button;
    inputs[0].mi.dwFlags = MOUSEEVENTF_XDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_XUP;
    ::SendInput(2, inputs, sizeof inputs[0]);
}

bool WaitForInputTaken(HWND hWnd, DWORD timeoutMs)
{
    for (int trip = 0; trip < 2; ++trip) {
        DWORD_PTR result = 0;
        if (::SendMessageTimeout(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) == 0)
            return false;
    }
    return true;
}

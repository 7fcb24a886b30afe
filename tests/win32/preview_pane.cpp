#include "preview_pane.h"

#include <cstdint>

namespace {

constexpr const char* kPaneClass = "VerdaneTestPreviewPane";
constexpr DWORD kPaneStyle = WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE;

ATOM RegisterPaneClass()
{
    WNDCLASS paneClass{};
    paneClass.lpfnWndProc = &::DefWindowProc;
    paneClass.hInstance = ::GetModuleHandle(nullptr);
    paneClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    paneClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    paneClass.lpszClassName = kPaneClass;
    return ::RegisterClass(&paneClass);
}

}  // namespace

HWND CreatePreviewPane(int width, int height)
{
    static const ATOM paneClass = RegisterPaneClass();
    if (paneClass == 0)
        return nullptr;
    RECT frame{0, 0, width, height};
    ::AdjustWindowRect(&frame, kPaneStyle, FALSE);
    return ::CreateWindow(kPaneClass, "Preview", kPaneStyle, 40, 40, frame.right - frame.left,
                          frame.bottom - frame.top, nullptr, nullptr, ::GetModuleHandle(nullptr), nullptr);
}

std::string HandleText(HWND hWnd)
{
    return std::to_string(reinterpret_cast<std::uintptr_t>(hWnd));
}

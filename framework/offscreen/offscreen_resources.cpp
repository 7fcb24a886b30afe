#include "offscreen_resources.h"

#include <deque>

namespace {

// The kind of resource sits above the 16-bit identifier, so no two kinds
// share a handle. Instance handles use their own range.
enum : std::uintptr_t {
    kSystemCursor = 1,
    kModuleCursor = 2,
    kModuleIcon = 3,
};
constexpr std::uintptr_t kModuleInstance = 0x400000;
constexpr UINT kArrowCursor = 32512;

template <typename Handle>
Handle MakeHandle(std::uintptr_t kind, UINT id)
{
    if (id == 0 || id > 0xFFFF)
        return nullptr;
    return reinterpret_cast<Handle>((kind << 16) | id);
}

}  // namespace

HCURSOR OffscreenSystemCursor(UINT id)
{
    return MakeHandle<HCURSOR>(kSystemCursor, id);
}

HCURSOR OffscreenModuleCursor(UINT id)
{
    return MakeHandle<HCURSOR>(kModuleCursor, id);
}

HICON OffscreenModuleIcon(UINT id)
{
    return MakeHandle<HICON>(kModuleIcon, id);
}

HCURSOR OffscreenArrowCursor()
{
    return OffscreenSystemCursor(kArrowCursor);
}

HINSTANCE OffscreenModuleInstance()
{
    return reinterpret_cast<HINSTANCE>(kModuleInstance);
}

LPCTSTR OffscreenKeepString(const std::string& text)
{
    // A deque never moves its elements, so the copies handed out stay put.
    static std::deque<std::string> kept;
    for (const std::string& k : kept) {
        if (k == text)
            return k.c_str();
    }
    kept.push_back(text);
    return kept.back().c_str();
}

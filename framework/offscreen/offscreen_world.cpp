#include "offscreen_world.h"

#include "app.h"
#include "offscreen_resources.h"
#include "wnd.h"

#include <algorithm>
#include <utility>

namespace {

std::uintptr_t Key(HWND hWnd)
{
    return reinterpret_cast<std::uintptr_t>(hWnd);
}

// Copies the part of source under rect (in source's coordinates) into
// picture, which has rect's size; pixels beyond source stay as they are.
// Whole rows at a time: the picture then rebuilds its probe summary once,
// exactly, where writing pixel by pixel would leave every block marked as
// possibly bright and every later probe reading the picture itself.
void CopyBeneath(const CSurface& source, const CRect& rect, CSurface& picture)
{
    const CRect place(rect.left, rect.top, rect.left + picture.Width(), rect.top + picture.Height());
    const CRect shared = CRect::Intersection(place, source.Bounds());
    for (LONG y = shared.top; y < shared.bottom; ++y)
        std::copy(source.WordRow(y) + shared.left, source.WordRow(y) + shared.right,
                  picture.WordRow(y - rect.top) + (shared.left - rect.left));
}

}  // namespace

COffscreenWorld* COffscreenWorld::s_installed = nullptr;

COffscreenWorld::COffscreenWorld()
    : m_previous(s_installed),
      m_cursor(OffscreenArrowCursor())
{
    s_installed = this;
}

COffscreenWorld::~COffscreenWorld()
{
    Reset();
    s_installed = m_previous;
}

void COffscreenWorld::Reset()
{
    // Windows go top-level (or orphaned) first, so that each destruction
    // takes its children with it.
    while (!m_windows.empty()) {
        HWND root = m_windows.begin()->second->handle;
        while (const COffscreenWindow* window = Find(root)) {
            if (Find(window->parent) == nullptr)
                break;
            root = window->parent;
        }
        if (!Destroy(root))
            m_windows.erase(Key(root));  // only a window caught mid-destruction
    }
    m_nextHandle = kFirstHandle;
    m_queue.clear();
    m_quitPending = false;
    m_quitCode = 0;
    m_sinks.clear();
    m_classRegistrations = 0;
    m_screenSize = SIZE{kDefaultScreenWidth, kDefaultScreenHeight};
    m_screenPicture = CSurface();
    m_cursor = OffscreenArrowCursor();
    m_shiftHeld = false;
    m_screenSaveRequests = 0;
}

COffscreenWindow* COffscreenWorld::Find(HWND hWnd)
{
    const auto it = m_windows.find(Key(hWnd));
    return it == m_windows.end() ? nullptr : it->second.get();
}

const COffscreenWindow* COffscreenWorld::Find(HWND hWnd) const
{
    const auto it = m_windows.find(Key(hWnd));
    return it == m_windows.end() ? nullptr : it->second.get();
}

HWND COffscreenWorld::AddWindow(COffscreenWindow window)
{
    const LONG width = std::max<LONG>(window.rect.Width(), 0);
    const LONG height = std::max<LONG>(window.rect.Height(), 0);
    window.rect.right = window.rect.left + width;
    window.rect.bottom = window.rect.top + height;
    window.surface = std::make_shared<CSurface>();
    if (!window.surface->Resize(width, height))
        return nullptr;
    InitialPicture(window, *window.surface);

    window.handle = reinterpret_cast<HWND>(m_nextHandle);
    m_nextHandle += kHandleStep;
    const HWND handle = window.handle;
    m_windows.emplace(Key(handle), std::make_unique<COffscreenWindow>(std::move(window)));
    return handle;
}

// Without a background brush a window shows what was beneath it: the
// screen's picture for a top-level window, its parent's for a child.
void COffscreenWorld::InitialPicture(const COffscreenWindow& window, CSurface& picture) const
{
    if (const COffscreenWindow* parent = Find(window.parent))
        CopyBeneath(*parent->surface, window.rect, picture);
    else
        CopyBeneath(m_screenPicture, window.rect, picture);
}

bool COffscreenWorld::Reshape(HWND hWnd, LONG width, LONG height)
{
    COffscreenWindow* window = Find(hWnd);
    if (window == nullptr)
        return false;
    auto picture = std::make_shared<CSurface>();
    if (!picture->Resize(std::max<LONG>(width, 0), std::max<LONG>(height, 0)))
        return false;
    const CSurface& old = *window->surface;
    window->rect.right = window->rect.left + picture->Width();
    window->rect.bottom = window->rect.top + picture->Height();
    InitialPicture(*window, *picture);
    const int keptWidth = std::min(old.Width(), picture->Width());
    CopyBeneath(old, picture->Bounds(), *picture);
    const CRect kept(0, 0, keptWidth, std::min(old.Height(), picture->Height()));
    // A device context still open keeps drawing on the old picture.
    window->surface = std::move(picture);
    const CRect bounds = window->surface->Bounds();
    std::vector<CRect> region;
    for (const CRect& part : window->updateRegion) {
        const CRect inside = CRect::Intersection(part, bounds);
        if (!inside.IsRectEmpty())
            region.push_back(inside);
    }
    window->updateRegion = std::move(region);
    Invalidate(hWnd, CRect(kept.right, 0, bounds.right, bounds.bottom));
    Invalidate(hWnd, CRect(0, kept.bottom, kept.right, bounds.bottom));
    Send(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(bounds.right), static_cast<WORD>(bounds.bottom)));
    return true;
}

std::vector<HWND> COffscreenWorld::TopLevelWindows() const
{
    std::vector<HWND> result;
    TopLevelWindows(result);
    return result;
}

void COffscreenWorld::TopLevelWindows(std::vector<HWND>& into) const
{
    into.clear();
    ForEachChild(nullptr, [&into](HWND hWnd) { into.push_back(hWnd); });
}

bool COffscreenWorld::AnyTopLevelWindow() const
{
    return std::any_of(m_windows.begin(), m_windows.end(),
                       [](const auto& entry) { return entry.second->parent == nullptr; });
}

std::vector<HWND> COffscreenWorld::Children(HWND parent) const
{
    std::vector<HWND> result;
    for (const auto& entry : m_windows) {
        if (parent != nullptr && entry.second->parent == parent)
            result.push_back(entry.second->handle);
    }
    return result;
}

bool COffscreenWorld::Destroy(HWND hWnd)
{
    const COffscreenWindow* window = Find(hWnd);
    if (window == nullptr || window->destroying)
        return false;
    SendDestroy(hWnd);
    FinishDestroy(hWnd);
    return true;
}

void COffscreenWorld::DestroyRefused(HWND hWnd)
{
    COffscreenWindow* window = Find(hWnd);
    if (window == nullptr || window->destroying)
        return;
    window->destroying = true;
    window->timers.clear();
    FinishDestroy(hWnd);
}

// Handlers run in the middle of both passes and may destroy or create
// windows, so nothing found in the table is held across a message.
void COffscreenWorld::SendDestroy(HWND hWnd)
{
    COffscreenWindow* window = Find(hWnd);
    if (window == nullptr || window->destroying)
        return;
    window->destroying = true;
    window->timers.clear();  // a window being destroyed ticks no more
    Send(hWnd, WM_DESTROY, 0, 0);
    for (HWND child : Children(hWnd))
        SendDestroy(child);
}

void COffscreenWorld::FinishDestroy(HWND hWnd)
{
    for (HWND child : Children(hWnd)) {
        SendDestroy(child);  // a child created while its parent was going
        FinishDestroy(child);
    }
    const COffscreenWindow* window = Find(hWnd);
    if (window == nullptr)
        return;
    const CWnd* const attached = window->object;
    Send(hWnd, WM_NCDESTROY, 0, 0);

    // The framework ends the message loop when the main window goes.
    CWinApp* app = AfxGetApp();
    if (attached != nullptr && app != nullptr && app->m_pMainWnd == attached) {
        app->m_pMainWnd = nullptr;
        PostQuit(0);
    }

    // Looked up again: an object deleted by its own handler has detached.
    window = Find(hWnd);
    CWnd* const object = window != nullptr ? window->object : nullptr;
    m_windows.erase(Key(hWnd));
    m_sinks.erase(hWnd);
    if (object != nullptr) {
        object->m_hWnd = nullptr;
        object->PostNcDestroy();  // may delete the object
    }
}

HWND COffscreenWorld::AddHostWindow(const RECT& rect, DWORD style, HWND parent)
{
    if (parent != nullptr && Find(parent) == nullptr)
        return nullptr;
    COffscreenWindow window;
    window.parent = parent;
    window.className = "OffscreenHost";
    window.style = style | (parent != nullptr ? WS_CHILD : 0);
    window.rect = rect;
    return AddWindow(std::move(window));
}

bool COffscreenWorld::Abandon(HWND hWnd)
{
    const COffscreenWindow* window = Find(hWnd);
    if (window == nullptr || window->object != nullptr || window->destroying)
        return false;
    m_windows.erase(Key(hWnd));
    m_sinks.erase(hWnd);
    return true;
}

void COffscreenWorld::DetachObject(const CWnd* object)
{
    for (auto& entry : m_windows) {
        if (entry.second->object == object)
            entry.second->object = nullptr;
    }
}

CPoint COffscreenWorld::ClientOriginOnScreen(HWND hWnd) const
{
    CPoint origin;
    for (const COffscreenWindow* window = Find(hWnd); window != nullptr; window = Find(window->parent)) {
        origin.x += window->rect.left;
        origin.y += window->rect.top;
    }
    return origin;
}

bool COffscreenWorld::IsVisible(HWND hWnd) const
{
    const COffscreenWindow* window = Find(hWnd);
    if (window == nullptr)
        return false;
    for (; window != nullptr; window = Find(window->parent)) {
        if ((window->style & WS_VISIBLE) == 0)
            return false;
    }
    return true;
}

void COffscreenWorld::SetDamageSink(HWND hWnd, COffscreenDamageSink* sink)
{
    if (sink == nullptr)
        m_sinks.erase(hWnd);
    else if (Find(hWnd) != nullptr)
        m_sinks[hWnd] = sink;
}

void COffscreenWorld::Damaged(HWND hWnd, bool painted, const std::vector<CRect>& rects)
{
    for (const COffscreenWindow* window = Find(hWnd); window != nullptr; window = Find(window->parent)) {
        const auto sink = m_sinks.find(window->handle);
        if (sink != m_sinks.end()) {
            sink->second->Damaged(hWnd, painted, rects);
            return;
        }
    }
}

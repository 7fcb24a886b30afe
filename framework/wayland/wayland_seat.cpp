#include "wayland_seat.h"

#include <linux/input-event-codes.h>
#include <unistd.h>

#include <cmath>

namespace {

LPARAM PointParam(double x, double y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<int>(std::floor(x))), static_cast<WORD>(static_cast<int>(std::floor(y))));
}

CWaylandSeat* SeatOf(void* data)
{
    return static_cast<CWaylandSeat*>(data);
}

const wl_seat_listener kSeatListener = {
    [](void* data, wl_seat*, std::uint32_t capabilities) { SeatOf(data)->OnCapabilities(capabilities); },
    [](void*, wl_seat*, const char*) {},
};

const wl_pointer_listener kPointerListener = {
    [](void* data, wl_pointer*, std::uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
        SeatOf(data)->OnPointerEnter(serial, surface, wl_fixed_to_double(x), wl_fixed_to_double(y));
    },
    [](void* data, wl_pointer*, std::uint32_t, wl_surface* surface) { SeatOf(data)->OnPointerLeave(surface); },
    [](void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
        SeatOf(data)->OnPointerMotion(wl_fixed_to_double(x), wl_fixed_to_double(y));
    },
    [](void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button, std::uint32_t state) {
        SeatOf(data)->OnPointerButton(button, state);
    },
    // The wheel does not count as input that ends anything.
    [](void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {},
    [](void*, wl_pointer*) {},
    [](void*, wl_pointer*, std::uint32_t) {},
    [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
    [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
    [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
};

const wl_keyboard_listener kKeyboardListener = {
    // The key map is not needed: keys are told apart by their codes.
    [](void*, wl_keyboard*, std::uint32_t, std::int32_t fd, std::uint32_t) { close(fd); },
    // The keys held at enter are not pressed now: nothing.
    [](void* data, wl_keyboard*, std::uint32_t, wl_surface* surface, wl_array*) {
        SeatOf(data)->OnKeyboardEnter(surface);
    },
    [](void* data, wl_keyboard*, std::uint32_t, wl_surface* surface) { SeatOf(data)->OnKeyboardLeave(surface); },
    [](void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key, std::uint32_t state) {
        SeatOf(data)->OnKey(key, state);
    },
    [](void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {},
    [](void*, wl_keyboard*, std::int32_t, std::int32_t) {},
};

}  // namespace

UINT VirtualKeyOfKeyCode(std::uint32_t code)
{
    // The letter keys of a US layout, row by row, by their codes.
    static const struct {
        std::uint32_t first;
        const char* letters;
    } kRows[] = {{KEY_Q, "QWERTYUIOP"}, {KEY_A, "ASDFGHJKL"}, {KEY_Z, "ZXCVBNM"}};
    for (const auto& row : kRows) {
        for (std::uint32_t i = 0; row.letters[i] != '\0'; ++i) {
            if (code == row.first + i)
                return static_cast<UINT>(row.letters[i]);
        }
    }
    if (code >= KEY_1 && code <= KEY_9)
        return static_cast<UINT>('1' + (code - KEY_1));
    switch (code) {
    case KEY_0:
        return '0';
    case KEY_ESC:
        return VK_ESCAPE;
    case KEY_SPACE:
        return VK_SPACE;
    case KEY_LEFTSHIFT:
    case KEY_RIGHTSHIFT:
        return VK_SHIFT;
    case KEY_TAB:
        return VK_TAB;
    case KEY_ENTER:
    case KEY_KPENTER:
        return VK_RETURN;
    case KEY_LEFT:
        return VK_LEFT;
    case KEY_UP:
        return VK_UP;
    case KEY_RIGHT:
        return VK_RIGHT;
    case KEY_DOWN:
        return VK_DOWN;
    case KEY_PAGEUP:
        return VK_PRIOR;
    case KEY_PAGEDOWN:
        return VK_NEXT;
    case KEY_HOME:
        return VK_HOME;
    case KEY_END:
        return VK_END;
    case KEY_LEFTALT:
    case KEY_RIGHTALT:
        return VK_MENU;
    default:
        return 0;
    }
}

CWaylandSeat::CWaylandSeat(const CWaylandDisplay& display, COffscreenWorld& world, CWaylandTargets& targets)
    : m_world(world), m_targets(targets), m_seat(display.BindSeat())
{
    if (m_seat != nullptr)
        wl_seat_add_listener(m_seat, &kSeatListener, this);
}

CWaylandSeat::~CWaylandSeat()
{
    if (m_pointer != nullptr)
        wl_pointer_destroy(m_pointer);
    if (m_keyboard != nullptr)
        wl_keyboard_destroy(m_keyboard);
    if (m_seat != nullptr)
        wl_seat_destroy(m_seat);
}

void CWaylandSeat::OnCapabilities(std::uint32_t capabilities)
{
    // Devices come and go (a virtual pointer plugged in, a keyboard
    // unplugged).
    const bool pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    const bool keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    if (pointer != (m_pointer != nullptr)) {
        if (m_pointer != nullptr) {
            wl_pointer_destroy(m_pointer);
            m_pointer = nullptr;
            m_pointerOver = nullptr;
        } else {
            m_pointer = wl_seat_get_pointer(m_seat);
            wl_pointer_add_listener(m_pointer, &kPointerListener, this);
        }
    }
    if (keyboard != (m_keyboard != nullptr)) {
        if (m_keyboard != nullptr) {
            wl_keyboard_destroy(m_keyboard);
            m_keyboard = nullptr;
            m_keyboardOn = nullptr;
        } else {
            m_keyboard = wl_seat_get_keyboard(m_seat);
            wl_keyboard_add_listener(m_keyboard, &kKeyboardListener, this);
        }
    }
}

HWND CWaylandSeat::InputWindow(wl_surface* surface)
{
    CWaylandTarget* target = surface != nullptr ? m_targets.Find(surface) : nullptr;
    if (target == nullptr || !target->TakesInput() || m_world.Find(target->Host()) == nullptr)
        return nullptr;
    return target->Host();
}

void CWaylandSeat::PostPointer(UINT message, double x, double y)
{
    const HWND hWnd = InputWindow(m_pointerOver);
    if (hWnd == nullptr)
        return;
    m_world.PostInput(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd),
                      MAKELPARAM(HTCLIENT, static_cast<WORD>(message)), m_shift);
    m_world.PostInput(hWnd, message, 0, PointParam(x, y), m_shift);
}

void CWaylandSeat::OnPointerEnter(std::uint32_t serial, wl_surface* surface, double x, double y)
{
    m_pointerOver = surface;
    m_enterSerial = serial;
    m_pointerHidden = false;
    m_x = x;
    m_y = y;
    if (InputWindow(surface) == nullptr)
        return;
    SyncPointer();
    PostPointer(WM_MOUSEMOVE, x, y);
}

void CWaylandSeat::SyncPointer()
{
    // No cursor image: the pointer is hidden over this surface. A cursor
    // set once stays until the pointer enters a surface again.
    if (m_pointer == nullptr || m_pointerHidden || InputWindow(m_pointerOver) == nullptr ||
        !m_targets.PointerHidden())
        return;
    wl_pointer_set_cursor(m_pointer, m_enterSerial, nullptr, 0, 0);
    m_pointerHidden = true;
}

void CWaylandSeat::OnPointerLeave(wl_surface* surface)
{
    if (surface == m_pointerOver)
        m_pointerOver = nullptr;
}

void CWaylandSeat::OnPointerMotion(double x, double y)
{
    m_x = x;
    m_y = y;
    PostPointer(WM_MOUSEMOVE, x, y);
}

void CWaylandSeat::OnPointerButton(std::uint32_t button, std::uint32_t state)
{
    if (state != WL_POINTER_BUTTON_STATE_PRESSED)
        return;
    const UINT message = button == BTN_LEFT ? WM_LBUTTONDOWN : button == BTN_RIGHT ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    PostPointer(message, m_x, m_y);
}

void CWaylandSeat::OnKeyboardEnter(wl_surface* surface)
{
    m_keyboardOn = surface;
    m_shift = false;
    m_alt = false;
}

void CWaylandSeat::OnKeyboardLeave(wl_surface* surface)
{
    if (surface == m_keyboardOn)
        m_keyboardOn = nullptr;
}

void CWaylandSeat::OnKey(std::uint32_t key, std::uint32_t state)
{
    const bool pressed = state == WL_KEYBOARD_KEY_STATE_PRESSED;
    const UINT virtualKey = VirtualKeyOfKeyCode(key);
    if (virtualKey == VK_SHIFT)
        m_shift = pressed;
    if (virtualKey == VK_MENU)
        m_alt = pressed;
    const HWND hWnd = InputWindow(m_keyboardOn);
    if (!pressed || hWnd == nullptr)
        return;
    // Alt held, or Alt itself: the system variant, as on Windows.
    constexpr LPARAM kAltHeld = LPARAM{1} << 29;
    m_world.PostInput(hWnd, m_alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, m_alt ? (1 | kAltHeld) : 1, m_shift);
}

// Plugs a pointer into the Wayland compositor's first seat and drives it
// from standard input, one command a line:
//   move DX DY    a relative movement
//   button        a left click (press and release)
//   wheel         one wheel step down
// Prints "ready" once the device is plugged in, and "ok" after each
// command has reached the compositor. Ends at the end of its input,
// unplugging the device. A compositor without the virtual pointer
// protocol: status 77 (the tests skip).
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {

struct CGlobals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

const wl_registry_listener kRegistryListener = {
    [](void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
        auto* globals = static_cast<CGlobals*>(data);
        if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals->seat == nullptr)
            globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
            globals->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
                wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    },
    [](void*, wl_registry*, std::uint32_t) {},
};

}  // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "virtual_pointer: no Wayland compositor\n");
        return 1;
    }
    CGlobals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (globals.manager == nullptr) {
        std::fprintf(stderr, "virtual_pointer: the compositor has no zwlr_virtual_pointer_manager_v1\n");
        return 77;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);
    wl_display_roundtrip(display);
    std::cout << "ready" << std::endl;
    std::uint32_t time = 0;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        time += 10;
        if (command == "move") {
            double dx = 0, dy = 0;
            words >> dx >> dy;
            zwlr_virtual_pointer_v1_motion(pointer, time, wl_fixed_from_double(dx), wl_fixed_from_double(dy));
        } else if (command == "button") {
            zwlr_virtual_pointer_v1_button(pointer, time, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_button(pointer, time + 1, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (command == "wheel") {
            zwlr_virtual_pointer_v1_axis_source(pointer, WL_POINTER_AXIS_SOURCE_WHEEL);
            zwlr_virtual_pointer_v1_axis_discrete(pointer, time, WL_POINTER_AXIS_VERTICAL_SCROLL,
                                                  wl_fixed_from_int(15), 1);
        } else {
            std::cerr << "virtual_pointer: unknown command '" << command << "'" << std::endl;
            continue;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        if (wl_display_roundtrip(display) < 0)
            return 1;
        std::cout << "ok" << std::endl;
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}

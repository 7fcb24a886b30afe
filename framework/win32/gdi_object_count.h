// A count of the GDI objects the Win32 port holds: regions, bitmaps and
// device contexts, counted where the port creates (or gets) and
// deletes (or releases) them. The system's own count (GetGuiResources) is not available
// everywhere the port runs (Wine does not implement it), so tests read this
// one to see that nothing is left behind. One thread, like the port.
#pragma once

class CGdiObjectCount {
public:
    static void Created() { ++s_created; }
    static void Deleted() { ++s_deleted; }

    // Objects created and not yet deleted.
    static long long Live() { return s_created - s_deleted; }
    // Objects created so far.
    static long long CreatedTotal() { return s_created; }

private:
    static inline long long s_created = 0;
    static inline long long s_deleted = 0;
};

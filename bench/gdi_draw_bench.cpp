// The drawing of a real growth at 1920 x 1080 with 3000 slots in use, side
// by side in one process: GDI into a 32-bit DIB section, GDI onto a window
// (needs a display), and the surface device context. Each draws the same
// recorded segments as the growth does (pen created, selected, line drawn,
// previous pen selected back, pen deleted) and answers the same re-seed
// probes with GetPixel. Run under Wine: gdi_draw_bench.exe [steps]
#include "growth_workload.h"
#include "surface_replay.h"

#include <afxport.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kWindowProbes = 2000;  // reads through a window are slow

void DrawSegmentsGdi(HDC dc, const CGrowthWorkload& work)
{
    for (const CBenchSegment& s : work.segments) {
        HPEN pen = CreatePen(PS_INSIDEFRAME, s.width, s.color);
        HGDIOBJ previous = SelectObject(dc, pen);
        MoveToEx(dc, s.x0, s.y0, nullptr);
        LineTo(dc, s.x1, s.y1);
        SelectObject(dc, previous);
        DeleteObject(pen);
    }
    GdiFlush();
}

unsigned ProbeGdi(HDC dc, const CGrowthWorkload& work, std::size_t count)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += GetPixel(dc, work.probes[i].x, work.probes[i].y);
    return sum;
}

// The surface context with one pen per width, made before timing: the
// drawing alone, without making a pen per segment.
void DrawSegmentsOnSurfaceReusingPens(CSurfaceDC& dc, const CGrowthWorkload& work)
{
    CPen pens[3] = {{PS_INSIDEFRAME, 0, 0}, {PS_INSIDEFRAME, 1, 0}, {PS_INSIDEFRAME, 2, 0}};
    for (const CBenchSegment& s : work.segments) {
        CPen* previous = dc.SelectObject(&pens[s.width < 2 ? s.width : 2]);
        dc.MoveTo(s.x0, s.y0);
        dc.LineTo(s.x1, s.y1);
        dc.SelectObject(previous);
    }
}

HWND OpenWindow(int width, int height)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VerdaneDrawBench";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "bench", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                nullptr, wc.hInstance, nullptr);
    if (hwnd == nullptr)
        return nullptr;
    UpdateWindow(hwnd);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    return hwnd;
}

struct CRow {
    const char* name;
    double segmentSeconds;  // per segment; 0 when not measured
    double probeSeconds;    // per probe
};

}  // namespace

int main(int argc, char** argv)
{
    const int steps = argc > 1 ? std::atoi(argv[1]) : 400;
    const CGrowthWorkload work = RecordGrowthWorkload(1920, 1080, steps);
    const double segments = static_cast<double>(work.segments.size());
    const double probes = static_cast<double>(work.probes.size());
    unsigned sink = 0;
    std::vector<CRow> rows;

    {  // GDI into a DIB section
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = work.width;
        info.bmiHeader.biHeight = -work.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        const double draw = BestSeconds(3, [&] {
            std::memset(bits, 0, static_cast<std::size_t>(work.width) * work.height * 4);
            DrawSegmentsGdi(dc, work);
        });
        const double probe = BestSeconds(3, [&] { sink += ProbeGdi(dc, work, work.probes.size()); });
        rows.push_back({"GDI into a DIB section", draw / segments, probe / probes});
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }

    if (HWND hwnd = OpenWindow(work.width, work.height)) {  // GDI onto a window
        HDC dc = GetDC(hwnd);
        const double draw = BestSeconds(3, [&] { DrawSegmentsGdi(dc, work); });
        const std::size_t count = std::min<std::size_t>(kWindowProbes, work.probes.size());
        const double probe = BestSeconds(3, [&] { sink += ProbeGdi(dc, work, count); });
        rows.push_back({"GDI onto a window", draw / segments, probe / static_cast<double>(count)});
        ReleaseDC(hwnd, dc);
        DestroyWindow(hwnd);
    } else {
        std::printf("no window could be opened (no display?): the window row is left out\n");
    }

    {  // the surface device context
        CSurface surface(work.width, work.height, 0);
        CSurfaceDC dc(surface);
        const double draw = BestSeconds(5, [&] { DrawSegmentsOnSurface(dc, work); });
        const double drawOnly = BestSeconds(5, [&] { DrawSegmentsOnSurfaceReusingPens(dc, work); });
        const double probe = BestSeconds(5, [&] { sink += ProbeSurface(dc, work); });
        rows.push_back({"surface DC, CPen per segment", draw / segments, probe / probes});
        rows.push_back({"surface DC, pens reused", drawOnly / segments, probe / probes});
    }

    std::printf("%zu segments and %zu probes from %d steps at %dx%d (checksum %08x)\n", work.segments.size(),
                work.probes.size(), steps, work.width, work.height, sink);
    std::printf("%-30s %12s %10s %12s %10s\n", "", "ns/segment", "ns/probe", "x ours seg", "x ours px");
    const CRow& ours = rows[rows.size() - 2];
    for (const CRow& r : rows) {
        std::printf("%-30s %12.1f %10.1f %12.1f %10.1f\n", r.name, r.segmentSeconds * 1e9, r.probeSeconds * 1e9,
                    r.segmentSeconds / ours.segmentSeconds, r.probeSeconds / ours.probeSeconds);
    }
    return 0;
}

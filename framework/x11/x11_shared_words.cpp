#include "x11_shared_words.h"

#include "x11_display.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstddef>

std::unique_ptr<CX11SharedWords> CX11SharedWords::Create(Display* display, Visual* visual, int depth, int width,
                                                         int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    std::unique_ptr<CX11SharedWords> shared(new CX11SharedWords(display));
    XImage* image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shared->m_shm,
                                    static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (image == nullptr)
        return nullptr;
    if (image->bits_per_pixel != 32 || image->bytes_per_line != width * 4) {
        XDestroyImage(image);
        return nullptr;
    }
    XShmSegmentInfo& shm = shared->m_shm;
    shm.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(width) * 4 * static_cast<std::size_t>(height),
                       IPC_CREAT | 0600);
    if (shm.shmid < 0) {
        XDestroyImage(image);
        return nullptr;
    }
    shm.shmaddr = static_cast<char*>(shmat(shm.shmid, nullptr, 0));
    bool attached = false;
    if (shm.shmaddr != reinterpret_cast<char*>(-1)) {
        image->data = shm.shmaddr;
        shm.readOnly = True;  // the server only reads the picture
        CX11ErrorTrap trap(display);
        attached = XShmAttach(display, &shm) != False && trap.Error() == 0;
    }
    // Marked for removal now, so the segment goes with the last detach
    // even if the process is killed.
    shmctl(shm.shmid, IPC_RMID, nullptr);
    if (!attached) {
        if (shm.shmaddr != reinterpret_cast<char*>(-1))
            shmdt(shm.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        return nullptr;
    }
    shared->m_image = image;
    return shared;
}

CX11SharedWords::~CX11SharedWords()
{
    if (m_image == nullptr)
        return;
    XShmDetach(m_display, &m_shm);
    // The server has let go of the segment before this process does.
    XSync(m_display, False);
    shmdt(m_shm.shmaddr);
    m_image->data = nullptr;
    XDestroyImage(m_image);
}

std::uint32_t* CX11SharedWords::Words()
{
    return reinterpret_cast<std::uint32_t*>(m_image->data);
}

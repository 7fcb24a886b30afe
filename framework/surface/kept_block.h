// For a class whose objects come and go one at a time on every timer tick
// (a window's client context): the block of the object deleted last is
// kept and given to the next one, so that a tick allocates nothing. Derive
// T from CKeptBlock<T>; blocks of another size (a class derived from T)
// go to the global allocator. One block per class; drawing is
// single-threaded.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

template <class T>
class CKeptBlock {
public:
    static void* operator new(std::size_t size)
    {
        if (size == sizeof(T) && s_spare != nullptr)
            return std::exchange(s_spare, nullptr);
        return ::operator new(size);
    }
    static void operator delete(void* block, std::size_t size) noexcept
    {
        if (size == sizeof(T) && s_spare == nullptr)
            s_spare = block;
        else
            ::operator delete(block);
    }

private:
    static inline void* s_spare = nullptr;
};

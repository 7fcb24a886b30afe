// A fuzzer's input read as a stream of small choices; past its end every
// byte reads 0, so a harness never runs out of input mid-case.
#pragma once

#include <cstddef>
#include <cstdint>

class CFuzzBytes {
public:
    CFuzzBytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_size == 0; }
    unsigned Byte()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }
    // lo + (a byte modulo count); count must be positive.
    int Small(int lo, int count) { return lo + static_cast<int>(Byte() % static_cast<unsigned>(count)); }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// Payload buffers that are used again: a picture of 1280x720 is over a
// megabyte, and a fresh block of that size for every frame costs more than
// receiving it. A buffer goes back to its pool when its last user lets go of
// it; buffers outliving their pool are simply freed.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class BufferPool : public std::enable_shared_from_this<BufferPool> {
public:
    using Buffer = std::vector<uint8_t>;

    static std::shared_ptr<BufferPool> Make(size_t keep) {
        return std::shared_ptr<BufferPool>(new BufferPool(keep));
    }

    // A buffer of any size (resize it as needed), shared by its users.
    std::shared_ptr<Buffer> Take();

private:
    explicit BufferPool(size_t keep) : m_keep(keep) {}
    void Give(Buffer* buffer);

    const size_t m_keep;
    std::mutex m_lock;
    std::vector<std::unique_ptr<Buffer>> m_free;
};

#include "buffer_pool.h"

std::shared_ptr<BufferPool::Buffer> BufferPool::Take() {
    std::unique_ptr<Buffer> buffer;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (!m_free.empty()) {
            buffer = std::move(m_free.back());
            m_free.pop_back();
        }
    }
    if (!buffer)
        buffer = std::make_unique<Buffer>();
    std::weak_ptr<BufferPool> pool = weak_from_this();
    return std::shared_ptr<Buffer>(buffer.release(), [pool](Buffer* released) {
        if (const auto owner = pool.lock())
            owner->Give(released);
        else
            delete released;
    });
}

void BufferPool::Give(Buffer* buffer) {
    std::unique_ptr<Buffer> owned(buffer);
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_free.size() < m_keep)
        m_free.push_back(std::move(owned));
}

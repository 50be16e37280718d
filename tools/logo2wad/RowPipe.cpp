#include "RowPipe.h"

#include <cstring>

namespace logo2wad {

RowPipe::RowPipe(std::size_t rowBytes, std::function<void(const std::uint8_t*)> consume)
    : rowBytes_(rowBytes), consume_(std::move(consume))
{
    // Blocks are made as they are needed and grow by the rows put in, so a
    // picture of a few rows costs a few rows, whatever its width.
    blocks_ = 1;
    thread_ = std::thread([this] { run(); });
}

RowPipe::~RowPipe()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
        full_.clear();
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void RowPipe::push(const std::uint8_t* row)
{
    const std::size_t end = rowBytes_ * std::size_t(filling_.rows + 1);
    if (filling_.bytes.size() < end)
        filling_.bytes.resize(end);
    std::memcpy(filling_.bytes.data() + end - rowBytes_, row, rowBytes_);
    if (++filling_.rows == kBlockRows)
        handOver();
}

void RowPipe::handOver()
{
    std::unique_lock<std::mutex> lock(mutex_);
    full_.push_back(std::move(filling_));
    changed_.notify_all();
    if (free_.empty() && blocks_ < kBlocks) {
        ++blocks_;
        filling_ = Block{};
        return;
    }
    changed_.wait(lock, [this] { return !free_.empty() || stopped_; });
    if (stopped_) { // the consumer failed: go on filling a block nobody reads
        filling_ = Block{};
        return;
    }
    filling_ = std::move(free_.back());
    free_.pop_back();
    filling_.rows = 0;
}

void RowPipe::finish()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (filling_.rows > 0)
        full_.push_back(std::move(filling_));
    done_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return stopped_; });
    lock.unlock();
    thread_.join();
    if (error_)
        std::rethrow_exception(error_);
}

void RowPipe::run()
{
    try {
        for (;;) {
            Block block;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [this] { return !full_.empty() || done_; });
                if (full_.empty())
                    break;
                block = std::move(full_.front());
                full_.pop_front();
            }
            for (int i = 0; i < block.rows; ++i)
                consume_(block.bytes.data() + rowBytes_ * std::size_t(i));
            std::lock_guard<std::mutex> lock(mutex_);
            free_.push_back(std::move(block));
            changed_.notify_all();
        }
    } catch (...) {
        std::lock_guard<std::mutex> lock(mutex_);
        error_ = std::current_exception();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
}

} // namespace logo2wad

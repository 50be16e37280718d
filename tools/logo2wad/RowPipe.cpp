#include "RowPipe.h"

#include <cstring>

namespace logo2wad {

RowPipe::RowPipe(std::size_t rowBytes, std::function<void(const std::uint8_t*)> consume)
    : rowBytes_(rowBytes), consume_(std::move(consume))
{
    for (int i = 0; i < kBlocks; ++i)
        free_.push_back(Block{std::vector<std::uint8_t>(rowBytes * kBlockRows), 0});
    filling_ = std::move(free_.back());
    free_.pop_back();
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
    std::memcpy(filling_.bytes.data() + rowBytes_ * std::size_t(filling_.rows), row, rowBytes_);
    if (++filling_.rows == kBlockRows)
        handOver();
}

void RowPipe::handOver()
{
    std::unique_lock<std::mutex> lock(mutex_);
    full_.push_back(std::move(filling_));
    changed_.notify_all();
    changed_.wait(lock, [this] { return !free_.empty() || stopped_; });
    if (stopped_) { // the consumer failed: go on filling a block nobody reads
        filling_ = Block{std::vector<std::uint8_t>(rowBytes_ * kBlockRows), 0};
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

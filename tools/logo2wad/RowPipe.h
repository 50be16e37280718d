// Rows handed from one thread to another in blocks: the decoder of a large
// picture goes on reading while a second thread scales what it has read.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace logo2wad {

class RowPipe {
public:
    // `consume` runs on the second thread, once per row, in order.
    RowPipe(std::size_t rowBytes, std::function<void(const std::uint8_t*)> consume);
    // Ends the second thread; rows not yet consumed are dropped.
    ~RowPipe();
    RowPipe(const RowPipe&) = delete;
    RowPipe& operator=(const RowPipe&) = delete;

    // Copies the row and hands it over when its block is full.
    void push(const std::uint8_t* row);
    // Hands over the last rows and waits until all are consumed; throws what
    // `consume` threw.
    void finish();

private:
    static constexpr int kBlockRows = 32;
    static constexpr int kBlocks = 4; // in flight at most

    struct Block {
        std::vector<std::uint8_t> bytes;
        int rows = 0;
    };

    void run();
    void handOver();

    std::size_t rowBytes_;
    std::function<void(const std::uint8_t*)> consume_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> full_;
    std::vector<Block> free_;
    int blocks_ = 0;       // made so far
    Block filling_;
    bool done_ = false;    // no more blocks come
    bool stopped_ = false; // the second thread has ended
    std::exception_ptr error_;
    std::thread thread_;
};

} // namespace logo2wad

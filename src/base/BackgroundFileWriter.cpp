#include "base/BackgroundFileWriter.h"

#include "base/AtomicFile.h"

namespace hw {

BackgroundFileWriter::~BackgroundFileWriter()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void BackgroundFileWriter::Write(std::string path, std::string bytes)
{
    {
        std::lock_guard lock(mutex_);
        bool replaced = false;
        for (Job& waiting : jobs_) {
            if (waiting.path == path) {
                waiting.bytes = std::move(bytes);
                replaced = true;
                break;
            }
        }
        if (!replaced)
            jobs_.push_back({std::move(path), std::move(bytes)});
        if (!thread_.joinable())
            thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
}

void BackgroundFileWriter::Wait()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

uint64_t BackgroundFileWriter::Written() const
{
    std::lock_guard lock(mutex_);
    return written_;
}

uint64_t BackgroundFileWriter::Failed() const
{
    std::lock_guard lock(mutex_);
    return failed_;
}

void BackgroundFileWriter::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
        if (jobs_.empty())
            return; // stopped with nothing left
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        const bool ok = WriteFileAtomically(job.path, job.bytes);
        lock.lock();
        busy_ = false;
        ++(ok ? written_ : failed_);
        if (jobs_.empty())
            idle_.notify_all();
    }
}

} // namespace hw

#include "base/BackgroundFileWriter.h"

#include "base/AtomicFileWriter.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace hw {
namespace {

// The paths that writes of this process wait or run for, one entry a write.
struct PendingPaths {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> paths;

    void Add(const std::string& path)
    {
        std::lock_guard lock(mutex);
        paths.push_back(path);
    }
    void Remove(const std::string& path)
    {
        {
            std::lock_guard lock(mutex);
            auto it = std::find(paths.begin(), paths.end(), path);
            if (it != paths.end())
                paths.erase(it);
        }
        changed.notify_all();
    }
    void WaitFor(const std::string& path)
    {
        std::unique_lock lock(mutex);
        changed.wait(lock,
                     [&] { return std::find(paths.begin(), paths.end(), path) == paths.end(); });
    }
};

PendingPaths& ProcessPending()
{
    static PendingPaths pending;
    return pending;
}

} // namespace

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
    auto shared = std::make_shared<std::string>(std::move(bytes));
    Queue({std::move(path),
           [shared](ByteSink& sink) { return sink.Write(shared->data(), shared->size()); },
           {}});
}

void BackgroundFileWriter::Write(std::string path, Producer produce, Done done)
{
    Queue({std::move(path), std::move(produce), std::move(done)});
}

void BackgroundFileWriter::Queue(Job job)
{
    {
        std::lock_guard lock(mutex_);
        bool replaced = false;
        for (Job& waiting : jobs_) {
            if (waiting.path == job.path) {
                waiting = std::move(job);
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            ProcessPending().Add(job.path);
            jobs_.push_back(std::move(job));
        }
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

bool BackgroundFileWriter::WaitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return jobs_.empty() && !busy_; });
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

bool BackgroundFileWriter::Pending(const std::string& path) const
{
    std::lock_guard lock(mutex_);
    return running_ == path ||
           std::any_of(jobs_.begin(), jobs_.end(), [&](const Job& j) { return j.path == path; });
}

void BackgroundFileWriter::WaitForPath(const std::string& path)
{
    ProcessPending().WaitFor(path);
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
        running_ = job.path;
        lock.unlock();
        AtomicFileWriter file(job.path);
        const bool ok = file.Open() && job.produce(file) && file.Commit();
        // Done before it is told: whoever hears of it and asks Pending()
        // learns only of newer writes.
        lock.lock();
        running_.clear();
        lock.unlock();
        if (job.done)
            job.done(ok);
        ProcessPending().Remove(job.path);
        lock.lock();
        busy_ = false;
        ++(ok ? written_ : failed_);
        if (jobs_.empty())
            idle_.notify_all();
    }
}

} // namespace hw

#include "inspect/line_source.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// The thread that fills batches ahead of the reader. A few batches go round: the thread fills
// a free one and queues it; the reader takes the oldest and gives it back once its lines are
// handed out. So the memory stays that of a few pieces of the file.
class ReportLineSource::ReadAhead {
public:
    explicit ReadAhead(LineSplitter& splitter) : batches_(kBatches) {
        for (LineBatch& batch : batches_)
            free_.push_back(&batch);
        thread_ = std::thread([this, &splitter] { fillAll(splitter); });
    }
    ~ReadAhead() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    // The next filled batch, oldest first; null when the file has no more lines.
    LineBatch* take() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !filled_.empty() || finished_; });
        if (filled_.empty())
            return nullptr;
        LineBatch* batch = filled_.front();
        filled_.pop_front();
        return batch;
    }
    // Whether the file ended because it could not be read further; known once take() has
    // answered null.
    bool failed() {
        std::lock_guard<std::mutex> lock(mutex_);
        return failed_;
    }
    void giveBack(LineBatch* batch) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            free_.push_back(batch);
        }
        changed_.notify_all();
    }

private:
    static constexpr std::size_t kBatches = 3;

    void fillAll(LineSplitter& splitter) {
        for (;;) {
            LineBatch* batch = nullptr;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [this] { return !free_.empty() || stop_; });
                if (stop_)
                    return;
                batch = free_.front();
                free_.pop_front();
            }
            const bool filled = splitter.fill(*batch);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (filled)
                    filled_.push_back(batch);
                else
                    free_.push_back(batch);
                finished_ = !filled || batch->last;
                failed_ = splitter.failed();
            }
            changed_.notify_all();
            if (finished_)
                return;
        }
    }

    std::vector<LineBatch> batches_;
    std::deque<LineBatch*> free_;
    std::deque<LineBatch*> filled_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stop_ = false;
    bool finished_ = false;
    bool failed_ = false;
    std::thread thread_;
};

ReportLineSource::ReportLineSource(osfs::File& file, TextDecoding decoding, bool readAhead,
                                   ReportBytes bytes)
    : splitter_(file, decoding, bytes) {
    if (readAhead)
        readAhead_ = std::make_unique<ReadAhead>(splitter_);
}

ReportLineSource::~ReportLineSource() = default;

void ReportLineSource::seek(std::uint64_t offset, std::uint64_t number, std::uint64_t end) {
    splitter_.seek(offset, number, end);
    batch_ = nullptr;
    nextLine_ = 0;
    runTaken_ = runTakenBytes_ = 0;
    ended_ = failed_ = false;
}

bool ReportLineSource::nextBatch() {
    if (readAhead_) {
        if (batch_ != nullptr)
            readAhead_->giveBack(batch_);
        batch_ = ended_ ? nullptr : readAhead_->take();
    } else {
        batch_ = !ended_ && splitter_.fill(ownBatch_) ? &ownBatch_ : nullptr;
    }
    nextLine_ = 0;
    runTaken_ = runTakenBytes_ = 0;
    if (batch_ == nullptr) {
        ended_ = true;
        failed_ = readAhead_ ? readAhead_->failed() : splitter_.failed();
        return false;
    }
    ended_ = batch_->last;
    nextNumber_ = batch_->firstNumber;
    return true;
}

bool ReportLineSource::anyLeft() {
    return (batch_ != nullptr && nextLine_ < batch_->lines.size()) || nextBatch();
}

bool ReportLineSource::next(ReportLine& line) {
    if (!anyLeft())
        return false;
    const LineBatch::Line& found = batch_->lines[nextLine_];
    line.number = nextNumber_++;
    if (found.runLines == 0) {
        ++nextLine_;
        line.text = batch_->text(found);
        line.offset = batch_->offset + found.rawStart;
        line.nextOffset = batch_->offset + found.next;
        line.ended = found.ended;
        line.cut = found.cut;
        return true;
    }
    // A run's line: up to its CR, the only one in it.
    const std::string_view rest(batch_->data + found.start + runTakenBytes_,
                                found.length - runTakenBytes_);
    const std::size_t end = rest.find('\r');
    line.text = rest.substr(0, end);
    line.offset = batch_->offset + found.start + runTakenBytes_;
    line.nextOffset = line.offset + end + 2;
    line.ended = true;
    line.cut = false;
    runTakenBytes_ += static_cast<std::uint32_t>(end + 2);
    if (++runTaken_ == found.runLines) {
        ++nextLine_;
        runTaken_ = runTakenBytes_ = 0;
    }
    return true;
}

bool ReportLineSource::nextTextRun(TextRun& run) {
    if (!anyLeft() || batch_->lines[nextLine_].runLines == 0)
        return false;
    const LineBatch::Line& found = batch_->lines[nextLine_++];
    run.bytes = std::string_view(batch_->data + found.start + runTakenBytes_,
                                 found.length - runTakenBytes_);
    run.firstNumber = nextNumber_;
    run.lines = found.runLines - runTaken_;
    run.offset = batch_->offset + found.start + runTakenBytes_;
    run.nextOffset = batch_->offset + found.next;
    nextNumber_ += run.lines;
    runTaken_ = runTakenBytes_ = 0;
    return true;
}

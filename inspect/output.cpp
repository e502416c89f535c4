#include "inspect/output.h"

#include <filesystem>
#include <ostream>

#include "toolkit/os/file_system.h"

namespace {

class StreamOutput : public Output {
public:
    explicit StreamOutput(std::ostream& stream) : stream_(stream) {}
    bool write(std::string_view bytes) override {
        stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return checked();
    }
    bool finish() override {
        stream_.flush();
        return checked();
    }

private:
    bool checked() {
        if (!stream_ && error_.empty())
            error_ = "the output cannot be written";
        return static_cast<bool>(stream_);
    }
    std::ostream& stream_;
};

class FileOutput : public Output {
public:
    bool open(const std::string& fileName) {
        // The file its user names, also through a link, and also a device or a pipe.
        if (file_.open(fileName, osfs::OpenMode::Write, osfs::FinalLink::Followed,
                       osfs::NonRegular::Accepted))
            return true;
        error_ = fileName + ": " + file_.errorDescription();
        return false;
    }
    bool write(std::string_view bytes) override {
        return file_.write(bytes.data(), bytes.size()) || failed();
    }
    bool finish() override { return file_.close() || failed(); }

private:
    bool failed() {
        if (error_.empty())
            error_ = file_.errorDescription();
        return false;
    }
    osfs::File file_;
};

}  // namespace

std::unique_ptr<Output> streamOutput(std::ostream& stream) {
    return std::make_unique<StreamOutput>(stream);
}

std::unique_ptr<Output> fileOutput(const std::string& fileName, std::string& error) {
    auto output = std::make_unique<FileOutput>();
    if (!output->open(fileName)) {
        error = output->error();
        return nullptr;
    }
    return output;
}

void discardOutputFile(const std::string& fileName) {
    namespace fs = std::filesystem;
    const fs::path path = fs::u8path(fileName);
    std::error_code error;
    const fs::file_status named = fs::symlink_status(path, error);
    if (fs::is_regular_file(named))
        osfs::removeFile(fileName);
    else if (fs::is_symlink(named) && fs::is_regular_file(fs::status(path, error)))
        fs::resize_file(path, 0, error);
}

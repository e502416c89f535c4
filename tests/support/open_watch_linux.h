#pragma once

#include <sys/inotify.h>
#include <unistd.h>

#include <map>
#include <set>
#include <string>

// Names the watched files (pipes, device nodes) that anything opened since the watch began;
// every other process's opens of them count too, so the files are the test's own.
class OpenWatch {
public:
    OpenWatch() : descriptor_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~OpenWatch() { close(descriptor_); }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool watch(const std::string& path, const std::string& name) {
        const int watch = inotify_add_watch(descriptor_, path.c_str(), IN_OPEN);
        names_[watch] = name;
        return watch >= 0;
    }
    std::set<std::string> opened() const {
        std::set<std::string> names;
        alignas(inotify_event) char events[4096];
        for (ssize_t size; (size = read(descriptor_, events, sizeof events)) > 0;) {
            for (ssize_t at = 0; at < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                names.insert(names_.at(event->wd));
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return names;
    }

private:
    int descriptor_;
    std::map<int, std::string> names_;
};

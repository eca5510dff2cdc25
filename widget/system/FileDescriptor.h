#pragma once

#include <dirent.h>
#include <memory>
#include <unistd.h>
#include <utility>

namespace tandry {

// One owned file descriptor, closed when the owner goes. Negative means none,
// as the system calls that open one report a failure.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int value) : value_(value) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : value_(std::exchange(other.value_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            reset();
            value_ = std::exchange(other.value_, -1);
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return value_; }
    explicit operator bool() const { return value_ >= 0; }

    // Closes now and reports close's own failure, which for a file just
    // written can be the first sign that its data did not reach the disk.
    int close() { return ::close(std::exchange(value_, -1)); }

private:
    void reset() {
        if (value_ >= 0) {
            ::close(std::exchange(value_, -1));
        }
    }

    int value_ = -1;
};

// Closes a directory listing.
struct DirectoryCloser {
    void operator()(DIR* listing) const { ::closedir(listing); }
};

// One open directory listing (opendir, fdopendir), closed when the owner goes.
using DirectoryListing = std::unique_ptr<DIR, DirectoryCloser>;

} // namespace tandry

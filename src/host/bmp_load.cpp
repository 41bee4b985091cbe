// Loading a `.BMP` picture by game path: the path is mapped by the file layer, the bytes read
// whole and decoded.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "host/bmp.hpp"
#include "host/error.hpp"
#include "host/files.hpp"

namespace zav3::host {

namespace {

// Closes a descriptor when the load ends, normally or by an error.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

[[noreturn]] void raiseFileError(int errnoValue, const std::filesystem::path& real,
                                 std::source_location where) {
  std::error_code ec;
  bool parentExists = std::filesystem::is_directory(real.parent_path(), ec);
  raise(fileErrorNumber(errnoValue, parentExists), real.string(), where);
}

}  // namespace

BmpImage loadBmp(const FileSystem& files, std::string_view gamePath, std::source_location where) {
  std::filesystem::path real = files.paths().toReal(gamePath, where);
  Descriptor fd(::open(real.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) raiseFileError(errno, real, where);
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) raiseFileError(errno, real, where);
  if (S_ISDIR(info.st_mode)) raise(err::accessError, real.string(), where);
  // A valid picture is at most its pixels at 32 bits plus headers and a colour table.
  constexpr off_t largest = static_cast<off_t>(maxBmpPixels) * 4 + 65536;
  if (info.st_size > largest) raise(err::badPicture, real.string(), where);

  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t got = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      raise(err::accessError, real.string(), where);
    }
    if (got == 0) break;  // the file shrank while being read
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return decodeBmp(bytes, maxBmpPixels, where);
}

}  // namespace zav3::host

// Numbered files (sequential text files, record files, byte files) with the game's print and
// read-items layout, and the file-system operations on game paths.
#include "host/files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <system_error>
#include <type_traits>

#include "host/error.hpp"

namespace zav3::host {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t maxNameBytes = 260;
constexpr int defaultRecordLength = 128;
constexpr int maxRecordLength = 32767;
constexpr std::size_t zoneWidth = 14;
constexpr std::size_t outputFlushSize = 1 << 16;
constexpr std::size_t inputChunk = 1 << 16;
constexpr int endOfData = -1;

bool parentExists(const fs::path& real) {
  std::error_code ec;
  return fs::is_directory(real.parent_path(), ec);
}

[[noreturn]] void raiseOsError(int errnoValue, const fs::path& real, std::source_location where) {
  raise(fileErrorNumber(errnoValue, parentExists(real)), real.string(), where);
}

// Splits the record-length marker "(n)" off a file name: it stands right after the drive, or
// at the start when there is no drive. Returns the length, or 0 when there is no marker.
int takeRecordLength(std::string_view name, Bytes& rest, std::source_location where) {
  const std::size_t at = (name.size() >= 2 && name[1] == ':') ? 2 : 0;
  rest = Bytes(name);
  if (at >= name.size() || name[at] != '(') return 0;
  const std::size_t close = name.find(')', at);
  if (close == std::string_view::npos || close == at + 1) return 0;
  long length = 0;
  for (std::size_t i = at + 1; i < close; ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;  // not a marker: an ordinary name
    length = std::min<long>(length * 10 + (name[i] - '0'), maxRecordLength + 1);
  }
  if (length < 1 || length > maxRecordLength) raise(err::badFileName, sjisToUtf8(name), where);
  rest = Bytes(name.substr(0, at)) + Bytes(name.substr(close + 1));
  return static_cast<int>(length);
}

// Writes all of `data` at the descriptor's position (offset < 0) or at `offset`.
int writeAll(int fd, std::string_view data, off_t offset) {
  while (!data.empty()) {
    const ssize_t n = offset < 0 ? ::write(fd, data.data(), data.size())
                                 : ::pwrite(fd, data.data(), data.size(), offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return ENOSPC;
    data.remove_prefix(static_cast<std::size_t>(n));
    if (offset >= 0) offset += n;
  }
  return 0;
}

// Opens a regular file; directories and devices are refused (EISDIR / EACCES) so that reading
// can never block or run without end.
int openRegular(const fs::path& real, int flags, int& fd) {
  do {
    fd = ::open(real.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int e = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
    ::close(fd);
    fd = -1;
    return e;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return 0;
}

bool isBlank(int c) {
  return c == ' ';
}
bool isLineEnd(int c) {
  return c == '\r' || c == '\n';
}

}  // namespace

int fileErrorNumber(int errnoValue, bool parentExists) {
  switch (errnoValue) {
    case ENOENT:
      return parentExists ? err::fileNotFound : err::pathNotFound;
    case ENOTDIR:
      return err::pathNotFound;
    case ENOSPC:
    case EDQUOT:
      return err::diskFull;
    case EEXIST:
      return err::fileExists;
    case ENAMETOOLONG:
      return err::badFileName;
    default:
      return err::accessError;  // EACCES, EPERM, EROFS, EISDIR, EBUSY ...
  }
}

struct FileSystem::OpenFile {
  enum class Kind { output, append, input, record, bytes };

  OpenFile(Kind k, int descriptor, fs::path p) : kind(k), fd(descriptor), real(std::move(p)) {}
  ~OpenFile() {
    if (fd >= 0) ::close(fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  bool sequentialOutput() const { return kind == Kind::output || kind == Kind::append; }

  // Output buffering.
  int flush() {
    const int e = writeAll(fd, pending, -1);
    pending.clear();
    return e;
  }

  // Input: a window on the file, refilled chunk by chunk.
  int peek(std::source_location where) {
    if (inPos < in.size()) return static_cast<std::uint8_t>(in[inPos]);
    if (inEnded) return endOfData;
    in.resize(inputChunk);
    inPos = 0;
    ssize_t n;
    do {
      n = ::read(fd, in.data(), in.size());
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
      const int e = errno;
      in.clear();
      raiseOsError(e, real, where);
    }
    in.resize(static_cast<std::size_t>(n));
    if (n == 0) {
      inEnded = true;
      return endOfData;
    }
    return static_cast<std::uint8_t>(in[0]);
  }
  void advance() { ++inPos; }
  // Consumes CR LF, a lone CR or a lone LF when one is next.
  bool takeLineEnd(std::source_location where) {
    const int c = peek(where);
    if (!isLineEnd(c)) return false;
    advance();
    if (c == '\r' && peek(where) == '\n') advance();
    itemOnLine = false;
    return true;
  }

  Kind kind;
  int fd;
  fs::path real;
  bool writable = true;

  Bytes pending;           // output not yet written
  std::size_t column = 0;  // print column on the current output line, from 0

  Bytes in;
  std::size_t inPos = 0;
  bool inEnded = false;
  bool itemOnLine = false;  // an item was already read from the current input line

  int recordLength = defaultRecordLength;
  std::vector<int> widths;
  Bytes buffer;
  std::vector<Bytes> fields;
  off_t position = 0;  // record and byte files: next byte, from 0
};

FileSystem::FileSystem() = default;

FileSystem::~FileSystem() {
  closeAll();
}

FileSystem::OpenFile& FileSystem::get(int number, std::source_location where) const {
  if (number < 1 || number > 255) raise(err::badFileNumber, where);
  const auto it = files_.find(number);
  if (it == files_.end()) raise(err::fileNotOpen, where);
  return *it->second;
}

bool FileSystem::isOpen(int number) const {
  return files_.count(number) != 0;
}

void FileSystem::open(std::string_view mode, int number, std::string_view name,
                      std::source_location where) {
  if (number < 1 || number > 255) raise(err::badFileNumber, where);
  using Kind = OpenFile::Kind;
  Kind kind;
  const char m = mode.size() == 1 ? static_cast<char>(mode[0] & ~0x20) : 0;
  switch (m) {
    case 'O':
      kind = Kind::output;
      break;
    case 'A':
      kind = Kind::append;
      break;
    case 'I':
      kind = Kind::input;
      break;
    case 'R':
      kind = Kind::record;
      break;
    case 'B':
      kind = Kind::bytes;
      break;
    default:
      raise(err::badFileMode, Bytes(mode), where);
  }
  if (files_.count(number)) raise(err::fileAlreadyOpen, where);
  if (name.size() > maxNameBytes) raise(err::badFileName, sjisToUtf8(name), where);

  Bytes path;
  const int marked = takeRecordLength(name, path, where);
  if (path.empty()) raise(err::badFileName, where);
  const fs::path real = paths_.toReal(path, where);

  int fd = -1;
  bool writable = true;
  int e = 0;
  switch (kind) {
    case Kind::output:
      e = openRegular(real, O_WRONLY | O_CREAT | O_TRUNC, fd);
      break;
    case Kind::append:
      e = openRegular(real, O_WRONLY | O_CREAT | O_APPEND, fd);
      break;
    case Kind::input:
      e = openRegular(real, O_RDONLY, fd);
      writable = false;
      break;
    case Kind::record:
    case Kind::bytes:
      e = openRegular(real, O_RDWR | O_CREAT, fd);
      if (e == EACCES || e == EPERM || e == EROFS) {
        // A write-protected file (scenario data on a read-only medium) is still readable.
        const int second = openRegular(real, O_RDONLY, fd);
        if (second == 0) {
          writable = false;
          e = 0;
        } else if (second != ENOENT) {
          e = second;
        }
      }
      break;
  }
  if (e != 0) raiseOsError(e, real, where);

  auto file = std::make_unique<OpenFile>(kind, fd, real);
  file->writable = writable;
  if (kind == Kind::record) {
    file->recordLength = marked > 0 ? marked : defaultRecordLength;
    file->buffer.assign(static_cast<std::size_t>(file->recordLength), ' ');
  }
  files_[number] = std::move(file);
}

void FileSystem::close(int number, std::source_location where) {
  if (number < 1 || number > 255) raise(err::badFileNumber, where);
  const auto it = files_.find(number);
  if (it == files_.end()) return;  // closing a number that is not open does nothing
  const std::unique_ptr<OpenFile> file = std::move(it->second);
  files_.erase(it);
  if (file->sequentialOutput()) {
    const int e = file->flush();
    if (e != 0) raiseOsError(e, file->real, where);
  }
}

void FileSystem::closeAll() {
  for (auto& [number, file] : files_) {
    if (file->sequentialOutput()) file->flush();  // nobody is left to hear of a failure here
  }
  files_.clear();
}

void FileSystem::print(int number, std::span<const PrintItem> items, std::source_location where) {
  OpenFile& f = get(number, where);
  if (!f.sequentialOutput()) raise(err::badFileMode, where);
  auto put = [&f](std::string_view text) {
    for (const char c : text) f.column = (c == '\r' || c == '\n') ? 0 : f.column + 1;
    f.pending += text;
  };
  if (items.empty()) put("\r\n");
  for (const PrintItem& item : items) {
    std::visit(
        [&put](const auto& v) {
          if constexpr (std::is_same_v<std::decay_t<decltype(v)>, Bytes>) {
            put(v);
          } else {
            put(numberText(v) + " ");
          }
        },
        item.value);
    switch (item.separator) {
      case 0:
        put("\r\n");
        break;
      case 1:
        put(Bytes(zoneWidth - f.column % zoneWidth, ' '));
        break;  // always at least one
      case 2:
        break;
      default:
        raise(err::illegalCall, where);
    }
  }
  if (f.pending.size() >= outputFlushSize) {
    const int e = f.flush();
    if (e != 0) raiseOsError(e, f.real, where);
  }
}

void FileSystem::input(int number, std::span<const InputTarget> targets,
                       std::source_location where) {
  OpenFile& f = get(number, where);
  if (f.kind != OpenFile::Kind::input) raise(err::badFileMode, where);

  // After an item: blanks, then one comma or one line end.
  auto finishItem = [&] {
    while (isBlank(f.peek(where))) f.advance();
    if (f.peek(where) == ',') {
      f.advance();
    } else {
      f.takeLineEnd(where);
    }
  };

  auto readNumber = [&]() -> double {
    for (;;) {  // blanks and line ends before a number are skipped
      const int c = f.peek(where);
      if (isBlank(c)) {
        f.advance();
      } else if (!f.takeLineEnd(where)) {
        break;
      }
    }
    if (f.peek(where) == endOfData) raise(err::inputPastEnd, f.real.string(), where);
    Bytes text;
    for (int c = f.peek(where); c != endOfData && c != ',' && !isBlank(c) && !isLineEnd(c);
         c = f.peek(where)) {
      text.push_back(static_cast<char>(c));
      f.advance();
    }
    f.itemOnLine = true;
    finishItem();
    return textToNumber(text);
  };

  // A string runs to the next comma or line end, blanks inside and at its end kept. One that
  // starts with a double quote runs to the closing quote instead (commas inside are kept),
  // and what follows the quote up to the separator is dropped. An empty line reads as "".
  auto readString = [&]() -> Bytes {
    for (;;) {
      while (isBlank(f.peek(where))) f.advance();
      const int c = f.peek(where);
      if (c == endOfData) raise(err::inputPastEnd, f.real.string(), where);
      if (!isLineEnd(c)) break;
      const bool emptyLine = !f.itemOnLine;
      f.takeLineEnd(where);
      if (emptyLine) return {};
      // The previous item ended with a comma at the end of its line: go on with the next line.
    }
    Bytes text;
    if (f.peek(where) == '"') {
      f.advance();
      for (int c = f.peek(where); c != endOfData && c != '"' && !isLineEnd(c); c = f.peek(where)) {
        text.push_back(static_cast<char>(c));
        f.advance();
      }
      if (f.peek(where) == '"') f.advance();
      for (int c = f.peek(where); c != endOfData && c != ',' && !isLineEnd(c); c = f.peek(where))
        f.advance();
    } else {
      for (int c = f.peek(where); c != endOfData && c != ',' && !isLineEnd(c); c = f.peek(where)) {
        text.push_back(static_cast<char>(c));
        f.advance();
      }
    }
    f.itemOnLine = true;
    finishItem();
    return text;
  };

  for (const InputTarget& target : targets) {
    std::visit(
        [&](auto* out) {
          using T = std::remove_pointer_t<decltype(out)>;
          if constexpr (std::is_same_v<T, Bytes>) {
            const Bytes s = readString();
            if (out) *out = s;
          } else {
            const double v = readNumber();
            T value;
            if constexpr (std::is_same_v<T, Integer>) {
              value = toInteger(v, where);
            } else if constexpr (std::is_same_v<T, Long>) {
              value = toLong(v, where);
            } else if constexpr (std::is_same_v<T, Single>) {
              if (std::isfinite(v) && std::fabs(v) > FLT_MAX) raise(err::overflow, where);
              value = static_cast<Single>(v);
            } else {
              value = v;
            }
            if (out) *out = value;
          }
        },
        target);
  }
}

Bytes FileSystem::lineInput(int number, std::source_location where) {
  OpenFile& f = get(number, where);
  if (f.kind != OpenFile::Kind::input) raise(err::badFileMode, where);
  if (f.peek(where) == endOfData) raise(err::inputPastEnd, f.real.string(), where);
  Bytes line;
  for (int c = f.peek(where); c != endOfData && !isLineEnd(c); c = f.peek(where)) {
    // Copy the rest of the buffered run in one go.
    const std::size_t from = f.inPos;
    std::size_t to = from;
    while (to < f.in.size() && f.in[to] != '\r' && f.in[to] != '\n') ++to;
    line.append(f.in, from, to - from);
    f.inPos = to;
  }
  f.takeLineEnd(where);
  f.itemOnLine = false;
  return line;
}

bool FileSystem::atEnd(int number, std::source_location where) {
  OpenFile& f = get(number, where);
  switch (f.kind) {
    case OpenFile::Kind::input:
      return f.peek(where) == endOfData;
    case OpenFile::Kind::record:
    case OpenFile::Kind::bytes: {
      struct stat st {};
      if (::fstat(f.fd, &st) != 0) raiseOsError(errno, f.real, where);
      return f.position >= st.st_size;
    }
    default:
      return true;  // nothing can be read from an output file
  }
}

void FileSystem::declareFields(int number, std::span<const int> widths,
                               std::source_location where) {
  OpenFile& f = get(number, where);
  if (f.kind != OpenFile::Kind::record) raise(err::badFileMode, where);
  long total = 0;
  for (const int w : widths) {
    if (w < 0) raise(err::illegalCall, where);
    total += w;
    if (total > f.recordLength) raise(err::fieldOverflow, where);
  }
  f.widths.assign(widths.begin(), widths.end());
  f.fields.clear();
  std::size_t at = 0;
  for (const int w : f.widths) {
    f.fields.push_back(f.buffer.substr(at, static_cast<std::size_t>(w)));
    at += static_cast<std::size_t>(w);
  }
}

const std::vector<Bytes>& FileSystem::readRecord(int number, Long record,
                                                 std::source_location where) {
  OpenFile& f = get(number, where);
  if (f.kind != OpenFile::Kind::record) raise(err::badFileMode, where);
  if (record < 1) raise(err::badRecordNumber, where);
  const auto length = static_cast<std::size_t>(f.recordLength);
  const off_t start = static_cast<off_t>(record - 1) * static_cast<off_t>(length);
  f.buffer.assign(length, ' ');
  std::size_t got = 0;
  while (got < length) {
    const ssize_t n =
        ::pread(f.fd, f.buffer.data() + got, length - got, start + static_cast<off_t>(got));
    if (n < 0) {
      if (errno == EINTR) continue;
      raiseOsError(errno, f.real, where);
    }
    if (n == 0) break;  // the rest of the record lies beyond the end: blanks
    got += static_cast<std::size_t>(n);
  }
  f.position = start + static_cast<off_t>(length);
  std::size_t at = 0;
  for (std::size_t i = 0; i < f.widths.size(); ++i) {
    f.fields[i].assign(f.buffer, at, static_cast<std::size_t>(f.widths[i]));
    at += static_cast<std::size_t>(f.widths[i]);
  }
  return f.fields;
}

const Bytes& FileSystem::recordBuffer(int number, std::source_location where) const {
  OpenFile& f = get(number, where);
  if (f.kind != OpenFile::Kind::record) raise(err::badFileMode, where);
  return f.buffer;
}

void FileSystem::seek(int number, Long offset, std::source_location where) {
  OpenFile& f = get(number, where);
  if (f.kind != OpenFile::Kind::bytes) raise(err::badFileMode, where);
  if (offset < 1) raise(err::badRecordNumber, where);
  f.position = static_cast<off_t>(offset) - 1;
}

void FileSystem::putBytes(int number, std::string_view bytes, std::source_location where) {
  OpenFile& f = get(number, where);
  if (f.kind != OpenFile::Kind::bytes) raise(err::badFileMode, where);
  if (!f.writable) raise(err::accessError, f.real.string(), where);
  const int e = writeAll(f.fd, bytes, f.position);
  if (e != 0) raiseOsError(e, f.real, where);
  f.position += static_cast<off_t>(bytes.size());
}

// --- file-system operations ---

bool FileSystem::fileExists(std::string_view path) const {
  if (path.empty()) return false;
  try {
    std::error_code ec;
    const fs::file_status st = fs::status(paths_.toReal(path), ec);
    return !ec && fs::exists(st) && !fs::is_directory(st);
  } catch (const RuntimeError&) {
    return false;
  }
}

bool FileSystem::folderExists(std::string_view path) const {
  if (path.empty()) return false;
  try {
    std::error_code ec;
    return fs::is_directory(paths_.toReal(path), ec);
  } catch (const RuntimeError&) {
    return false;
  }
}

void FileSystem::makeFolder(std::string_view path, std::source_location where) {
  const fs::path real = paths_.toReal(path, where);
  if (::mkdir(real.c_str(), 0777) != 0) {
    // An existing entry is an access error, as the classic folder statement reports it.
    if (errno == EEXIST) raise(err::accessError, real.string(), where);
    raiseOsError(errno, real, where);
  }
}

void FileSystem::deleteFile(std::string_view path, std::source_location where) {
  const fs::path real = paths_.toReal(path, where);
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(real, ec))) raise(err::accessError, real.string(), where);
  if (::unlink(real.c_str()) != 0) raiseOsError(errno, real, where);
}

void FileSystem::copyFile(std::string_view from, std::string_view to, std::source_location where) {
  const fs::path source = paths_.toReal(from, where);
  const fs::path target = paths_.toReal(to, where);
  int in = -1;
  if (const int e = openRegular(source, O_RDONLY, in); e != 0) raiseOsError(e, source, where);
  int out = -1;
  if (const int e = openRegular(target, O_WRONLY | O_CREAT | O_TRUNC, out); e != 0) {
    ::close(in);
    raiseOsError(e, target, where);
  }
  std::string chunk(inputChunk, '\0');
  int e = 0;
  for (;;) {
    const ssize_t n = ::read(in, chunk.data(), chunk.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) e = errno;
    if (n <= 0) break;
    e = writeAll(out, std::string_view(chunk.data(), static_cast<std::size_t>(n)), -1);
    if (e != 0) break;
  }
  ::close(in);
  if (::close(out) != 0 && e == 0) e = errno;
  if (e != 0) raiseOsError(e, target, where);
}

void FileSystem::replaceFile(std::string_view from, std::string_view to,
                             std::source_location where) {
  const fs::path source = paths_.toReal(from, where);
  const fs::path target = paths_.toReal(to, where);
  if (::rename(source.c_str(), target.c_str()) != 0) {
    const int e = errno;
    std::error_code ec;
    // A missing source is reported against the source, anything else against the target.
    if (e == ENOENT && !fs::exists(fs::symlink_status(source, ec))) raiseOsError(e, source, where);
    raiseOsError(e, target, where);
  }
}

void FileSystem::setAttribute(std::string_view path, std::string_view attribute,
                              std::source_location where) {
  const fs::path real = paths_.toReal(path, where);
  // Attribute text: "+X" / "-X" words separated by blanks; only R (write protection) has a
  // meaning here, A, S and H are accepted and have no effect.
  int readOnly = 0;  // +1 set, -1 clear
  for (std::size_t i = 0; i < attribute.size();) {
    if (attribute[i] == ' ') {
      ++i;
      continue;
    }
    if (i + 1 >= attribute.size() || (attribute[i] != '+' && attribute[i] != '-'))
      raise(err::illegalCall, where);
    const char what = static_cast<char>(attribute[i + 1] & ~0x20);
    if (what == 'R') {
      readOnly = attribute[i] == '+' ? 1 : -1;
    } else if (what != 'A' && what != 'S' && what != 'H') {
      raise(err::illegalCall, where);
    }
    i += 2;
  }
  struct stat st {};
  if (::stat(real.c_str(), &st) != 0) raiseOsError(errno, real, where);
  mode_t mode = st.st_mode & 07777;
  if (readOnly < 0) mode |= S_IWUSR;
  if (readOnly > 0) mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  if (mode != (st.st_mode & 07777) && ::chmod(real.c_str(), mode) != 0)
    raiseOsError(errno, real, where);
}

std::vector<Bytes> FileSystem::readLines(std::string_view name, int firstNumber) {
  int number = firstNumber;
  while (isOpen(number)) ++number;
  std::vector<Bytes> lines;
  try {
    open("I", number, name);
    while (!atEnd(number)) lines.push_back(lineInput(number));
  } catch (...) {
    close(number);
    throw;
  }
  close(number);
  return lines;
}

}  // namespace zav3::host

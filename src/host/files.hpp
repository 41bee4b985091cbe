// The file layer: Windows-style Shift-JIS paths mapped onto the real file system, numbered files
// (sequential output/append/input, record files, byte files) with the game's text layout, and
// the file-system operations.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <source_location>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/numbers.hpp"
#include "host/sjis.hpp"

namespace zav3::host {

// Maps game paths ("C:\ZAV3\DATA\PRO.RND", "DATA\JMP.DAT", "\Zav3\AVI\") onto real paths.
// Each drive letter maps to a real folder; by default only C: is mapped, to "/". Backslashes
// (and slashes) separate components, found character by character so that the second byte of a
// double-byte character is never taken for one; "." and ".." are resolved (".." stops at the
// drive's root). Each component is converted to UTF-8 and matched case-insensitively (ASCII
// letters and the full-width Latin letters) against the real folder's entries; an exact match
// wins, several case-insensitive ones give the smallest name; a component that exists nowhere
// keeps the spelling it was written with, so new files get the name the game gave them.
// A relative path is taken from the current folder; a path starting with "\" from the current
// folder's drive; "D:NAME" on a drive other than the current one from that drive's root.
class PathMapper {
 public:
  PathMapper();  // C: -> "/", current folder = the process's working folder
  void mapDrive(char letter, std::filesystem::path root);
  void unmapDrive(char letter);
  // Game path of the current folder, e.g. "C:\home\player\zav3" (no trailing backslash);
  // a drive's root folder itself is "C:\".
  Bytes currentFolder() const { return current_; }
  // Sets the current folder from an existing real folder; the drive whose root contains it
  // (the longest root when several do) names it. Error 76 when no mapped drive contains it or
  // it is not a folder, 55 when one of its names has no Shift-JIS form.
  void setCurrentFolder(const std::filesystem::path& real,
                        std::source_location where = std::source_location::current());
  // Game path of the operating system folder ("C:\WINDOWS" unless set); only its drive letter
  // matters to the game.
  Bytes systemFolder() const { return systemFolder_; }
  void setSystemFolder(Bytes path) { systemFolder_ = std::move(path); }

  // Real path of a game path; error 76 (path not found) for an unmapped drive, 55 for a name
  // longer than 260 bytes or with a byte that cannot name a file (control bytes, < > : " | ? *,
  // bytes with no Shift-JIS meaning).
  std::filesystem::path toReal(std::string_view gamePath,
                               std::source_location where = std::source_location::current()) const;
  // Game path of a real path; empty when no drive maps it or a name has no Shift-JIS form.
  Bytes toGame(const std::filesystem::path& real) const;

 private:
  struct Located {
    char drive = 0;
    std::vector<std::string> names;  // UTF-8 names below the drive's root
  };
  bool locate(const std::filesystem::path& real, Located& out) const;
  static std::optional<Bytes> gameForm(const Located& where);

  std::map<char, std::filesystem::path> drives_;
  Bytes current_;
  char currentDrive_ = 'C';
  std::vector<std::string> currentNames_;  // real (UTF-8) names of the current folder
  Bytes systemFolder_;
};

// One item of a print statement: a value and the separator that follows it
// (0 ends the line with CR LF, 1 pads to the next 14-column zone, 2 writes nothing).
struct PrintItem {
  std::variant<Integer, Long, Single, Double, Bytes> value;
  int separator = 0;
};

// One variable of a read-items statement.
using InputTarget = std::variant<Integer*, Long*, Single*, Double*, Bytes*>;

struct SplitPathResult {
  Bytes drive;      // "C:" or empty
  Bytes folder;     // "\GAME\DATA\" or empty
  Bytes name;       // "PRO"
  Bytes extension;  // ".RND" or empty
};

class FileSystem {
 public:
  FileSystem();
  ~FileSystem();
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;

  PathMapper& paths() { return paths_; }
  const PathMapper& paths() const { return paths_; }

  // --- numbered files ---
  // mode: "O" output (create or truncate), "A" append (create), "I" input, "R" record, "B" byte
  // file; "R" and "B" open for reading and writing, create a missing file and fall back to
  // reading only when the file is write-protected. A record file's length comes from "(n)"
  // (1..32767) right after the drive ("C:(57)\GAME\DATA\TXT.RND") or at the start of a name
  // without drive, 128 when absent; the marker is taken off the name in every mode.
  // Errors: 50 number outside 1..255, 51 other mode, 52 number in use, 55 name too long (or an
  // empty name, a bad marker length), the file-system error (53, 76, 75 ...) when the file
  // cannot be opened; folders and devices cannot be opened (75).
  void open(std::string_view mode, int number, std::string_view name,
            std::source_location where = std::source_location::current());
  // Writes out what is buffered (a write failure is raised after the file is closed); closing a
  // number that is not open does nothing.
  void close(int number, std::source_location where = std::source_location::current());
  // Closes every file; write failures are dropped.
  void closeAll();
  bool isOpen(int number) const;
  // Every line of a text file, read through the first free number from `firstNumber` on and
  // closed again, also when reading fails (the error is raised).
  std::vector<Bytes> readLines(std::string_view name, int firstNumber = 3);

  // Numbers as numberText plus one blank, strings unchanged; separator 1 pads to the next
  // multiple of 14 columns strictly after the current column (from 0: an item ending exactly at
  // a zone start still gets 14 blanks). An empty list writes CR LF. Error 51 unless the file is
  // open for output or append.
  void print(int number, std::span<const PrintItem> items,
             std::source_location where = std::source_location::current());
  // Reads items. Numbers: blanks and line ends before them are skipped; the number runs to a
  // comma, blank or line end and is converted by textToNumber, then stored by the target's rule
  // (error 6 when it does not fit). Strings: leading blanks skipped; the text runs to a comma or
  // line end (inner and trailing blanks kept); a string starting with a double quote runs to the
  // closing quote (commas kept) and the rest up to the separator is dropped; an empty line reads
  // as "". After an item, blanks and then one comma or one line end are taken. Line ends are
  // CR LF, LF or CR. Error 62 when the data ends before every target got a value; 51 unless the
  // file is open for input.
  void input(int number, std::span<const InputTarget> targets,
             std::source_location where = std::source_location::current());
  // Reads up to CR LF (or LF, or CR), which is dropped; error 62 at the end of the file.
  Bytes lineInput(int number, std::source_location where = std::source_location::current());
  // True when no more data can be read: input files at their end; record and byte files when
  // the position (after the last record read, or set by seek) is at or past the end; always
  // for output files.
  bool atEnd(int number, std::source_location where = std::source_location::current());

  // Record files: declare field widths once, then read records (numbered from 1). Error 68 when
  // the widths add up to more than the record length. A record (partly) beyond the end reads as
  // blanks for the missing bytes; fields hold their bytes exactly. Error 63 for a record number
  // below 1; 51 for a file that is not a record file.
  void declareFields(int number, std::span<const int> widths,
                     std::source_location where = std::source_location::current());
  const std::vector<Bytes>& readRecord(int number, Long record,
                                       std::source_location where = std::source_location::current());
  // The whole record buffer of the last read (blanks before the first read).
  const Bytes& recordBuffer(int number,
                            std::source_location where = std::source_location::current()) const;

  // Byte files. Positions count from 1 (position 1 is the first byte); below 1 is error 63.
  // Writing beyond the end extends the file.
  void seek(int number, Long offset, std::source_location where = std::source_location::current());
  void putBytes(int number, std::string_view bytes,
                std::source_location where = std::source_location::current());

  // --- file-system operations ---
  // Never raise: a bad name or an unmapped drive is simply absent.
  bool fileExists(std::string_view path) const;
  bool folderExists(std::string_view path) const;
  // Error 75 when the name already exists, 76 when the parent folder is missing.
  void makeFolder(std::string_view path, std::source_location where = std::source_location::current());
  void deleteFile(std::string_view path, std::source_location where = std::source_location::current());
  void copyFile(std::string_view from, std::string_view to,
                std::source_location where = std::source_location::current());
  // Atomically replaces `to` with `from` (both game paths).
  void replaceFile(std::string_view from, std::string_view to,
                   std::source_location where = std::source_location::current());
  // attribute "-R" clears the write protection (gives the owner write permission), "+R" sets it;
  // "A", "S" and "H" are accepted and ignored; other text is error 5.
  void setAttribute(std::string_view path, std::string_view attribute,
                    std::source_location where = std::source_location::current());
  Bytes currentFolder() const { return paths_.currentFolder(); }
  Bytes systemFolder() const { return paths_.systemFolder(); }
  static SplitPathResult splitPath(std::string_view path);

 private:
  struct OpenFile;
  OpenFile& get(int number, std::source_location where) const;
  PathMapper paths_;
  std::map<int, std::unique_ptr<OpenFile>> files_;
};

// The error number for a failed file-system call (errno): 53 file not found, 76 path not found,
// 75 access error (also every error without a closer number), 61 disk full, 58 file exists,
// 55 name too long.
int fileErrorNumber(int errnoValue, bool parentExists);

}  // namespace zav3::host

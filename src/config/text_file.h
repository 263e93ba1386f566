#pragma once
// The program's text files on disk: Shift-JIS (CP932) with CR LF line ends,
// so that they stay readable and editable with the tools of a Japanese
// Windows system. Inside the program every text is UTF-8; the conversion
// happens here and nowhere else.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmar {

enum class FileError {
  None,
  Missing,      // no file of that name
  Unreadable,   // exists, but could not be opened or read
  Undecodable,  // holds bytes that are not Shift-JIS
  Unencodable,  // a text to write holds a character Shift-JIS lacks, or a line break
  Unwritable,   // the new file could not be written or put in place
  Declined,     // the user chose to keep the file as it is
};

struct FileStatus {
  FileError error = FileError::None;
  std::string message;  // Japanese, for the user; empty when all went well
  bool ok() const { return error == FileError::None; }
};

// How a file's text was stored: the program writes Shift-JIS; a file an
// editor saved as UTF-8 is read as such and written back the same way.
enum class TextEncoding { Cp932, Utf8, Utf8Bom };

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct TextLines {
  std::vector<std::string> lines;  // UTF-8 (readRawLines: as on disk), without line ends
  FileStatus status;
  TextEncoding encoding = TextEncoding::Cp932;
};

// The largest file read. The settings take a few hundred bytes and a list
// of a hundred thousand sites some 4 MB; anything larger is not one of the
// program's files, and a device that never ends is not read on for ever.
inline constexpr size_t kMaxTextFileBytes = 16 * 1024 * 1024;

// Whether the bytes are UTF-8: no broken, overlong or surrogate sequence.
bool validUtf8(std::string_view s);

// Shift-JIS when the bytes decode as such (and carry no UTF-8 byte-order
// mark), otherwise UTF-8 when they are valid UTF-8; Cp932 for bytes that
// are neither, so that their fault shows as Shift-JIS.
TextEncoding encodingOf(std::string_view bytes);

// Reads a whole file, Shift-JIS or UTF-8 as encodingOf tells (a UTF-8
// byte-order mark is not part of the first line). CR LF, LF and a lone CR
// all end a line; a last line without an end still counts, an empty file
// has no lines. Only a regular
// file of at most kMaxTextFileBytes is read: a FIFO, a device or a larger
// file is Unreadable, without waiting on it or reading it.
TextLines readTextFile(const std::string& path);

// The same lines left as the file's bytes, not decoded (only a UTF-8
// byte-order mark is taken off): for a file whose text the program passes
// over and only its ASCII parts count. Never Undecodable.
TextLines readRawLines(const std::string& path);

// Replaces the file with these lines, each ended by CR LF, in `encoding`.
// The new contents go to a temporary file in the same folder, which is
// synced and then renamed over the old one: any failure leaves the old file
// as it was. When `path` is a symbolic link (or a chain of them) the file
// it names is the one replaced, and the link stays. Only a regular file is
// replaced, and only one its owner may write (file_writer.h).
FileStatus writeTextFile(const std::string& path, const std::vector<std::string>& lines,
                         TextEncoding encoding = TextEncoding::Cp932);

// False when the file exists and may not be changed: its owner has no
// write permission, or this process has none. A rename replaces a read-only file
// in a writable folder, and root passes every access check, so a rewrite
// asks this first.
bool mayRewrite(const std::string& path);

// Why a file operation failed, in Japanese, from its errno.
std::string errorReason(int err);

// write(2) to the end, past interruptions: the bytes are in the system's
// hands when this returns true; errno tells why when it returns false.
bool writeAll(int fd, std::string_view bytes);

// Texts in and out of CP932 with the conversions opened once, for a file
// written a line at a time. Empty when a text does not convert; `badChar`,
// when given, then receives the first character that did not (as UTF-8, or
// empty for broken UTF-8). One object serves one thread at a time.
class Cp932Converter {
 public:
  Cp932Converter();
  ~Cp932Converter();
  Cp932Converter(const Cp932Converter&) = delete;
  Cp932Converter& operator=(const Cp932Converter&) = delete;

  std::optional<std::string> encode(std::string_view utf8, std::string* badChar = nullptr);
  std::optional<std::string> decode(std::string_view bytes);

 private:
  struct Handles;
  std::unique_ptr<Handles> handles_;
};

// The same through a converter kept for the calling thread.
std::optional<std::string> toCp932(std::string_view utf8, std::string* badChar = nullptr);
std::optional<std::string> fromCp932(std::string_view bytes);

}  // namespace velmar

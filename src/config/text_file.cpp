#include "config/text_file.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "config/file_writer.h"
#include "engine/system_error.h"

namespace velmar {

namespace {

// One iconv conversion, reused for every text it converts.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // False when a byte sequence does not convert; `badAt` is then its offset.
  bool run(std::string_view in, std::string& out, size_t& badAt) {
    out.clear();
    badAt = 0;
    if (!ok()) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inp = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char buf[1024];
    while (inLeft > 0) {
      char* outp = buf;
      size_t outLeft = sizeof buf;
      const size_t rc = iconv(cd_, &inp, &inLeft, &outp, &outLeft);
      const int err = rc == static_cast<size_t>(-1) ? errno : 0;
      out.append(buf, static_cast<size_t>(outp - buf));
      if (err != 0 && err != E2BIG) {
        badAt = static_cast<size_t>(inp - in.data());
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t cd_;
};

// The UTF-8 character starting at `at`, or empty when the bytes there are
// not one.
std::string utf8CharAt(std::string_view s, size_t at) {
  if (at >= s.size()) return {};
  const auto lead = static_cast<unsigned char>(s[at]);
  size_t len = lead < 0x80           ? 1
               : (lead >> 5) == 0x6  ? 2
               : (lead >> 4) == 0xE  ? 3
               : (lead >> 3) == 0x1E ? 4
                                     : 0;
  if (len == 0 || at + len > s.size()) return {};
  for (size_t i = 1; i < len; ++i)
    if ((static_cast<unsigned char>(s[at + i]) & 0xC0) != 0x80) return {};
  return std::string(s.substr(at, len));
}

std::string quoted(const std::string& path) { return "「" + path + "」"; }

// The reason as the file messages word it where they name the place being
// written or read; the program's common wording otherwise.
std::string reasonOf(int err) {
  switch (err) {
    case EROFS:
      return "読み取り専用の場所です。";
    case ENOENT:
    case ENOTDIR:
      return "保存先のフォルダーがありません。";
    case ENXIO:
    case ENODEV:
      return "装置がありません。";
    case EEXIST:
      return "同じ名前のファイルがあります。";
    case ENOMEM:
      return "メモリが足りません。";
    case EXDEV:
      return "別の装置へは移せません。";
    default:
      return systemErrorText(err);
  }
}

FileStatus failure(FileError e, std::string message) { return {e, std::move(message)}; }


}  // namespace

struct Cp932Converter::Handles {
  Converter to{"CP932", "UTF-8"};
  Converter from{"UTF-8", "CP932"};
  std::string out;
};

Cp932Converter::Cp932Converter() : handles_(std::make_unique<Handles>()) {}
Cp932Converter::~Cp932Converter() = default;

std::optional<std::string> Cp932Converter::encode(std::string_view utf8, std::string* badChar) {
  size_t bad;
  if (handles_->to.run(utf8, handles_->out, bad)) return handles_->out;
  if (badChar) *badChar = utf8CharAt(utf8, bad);
  return std::nullopt;
}

std::optional<std::string> Cp932Converter::decode(std::string_view bytes) {
  size_t bad;
  if (handles_->from.run(bytes, handles_->out, bad)) return handles_->out;
  return std::nullopt;
}

namespace {

// iconv handles carry state between calls, so each thread gets its own.
Cp932Converter& threadConverter() {
  thread_local Cp932Converter c;
  return c;
}

}  // namespace

std::optional<std::string> toCp932(std::string_view utf8, std::string* badChar) {
  return threadConverter().encode(utf8, badChar);
}

std::optional<std::string> fromCp932(std::string_view bytes) {
  return threadConverter().decode(bytes);
}

namespace {

FileStatus unreadable(const std::string& path, const std::string& why) {
  return failure(FileError::Unreadable, quoted(path) + why);
}

// The file's bytes, or why there are none to read.
FileStatus readFileBytes(const std::string& path, std::string& bytes) {
  // Opened without blocking: a FIFO would otherwise wait for a writer
  // before its type could be seen.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT || err == ENOTDIR)
      return failure(FileError::Missing, quoted(path) + "が見つかりません。");
    return unreadable(path, "を読み込めません。\n" + reasonOf(err));
  }
  struct stat st;
  FileStatus status;
  if (::fstat(fd, &st) != 0) {
    status = unreadable(path, "を読み込めません。\n" + reasonOf(errno));
  } else if (S_ISDIR(st.st_mode)) {
    status = unreadable(path, "を読み込めません。\n" + reasonOf(EISDIR));
  } else if (!S_ISREG(st.st_mode)) {
    // A device or a FIFO may never end.
    status = unreadable(path, "は通常のファイルではないため、読み込みません。");
  } else if (st.st_size > static_cast<off_t>(kMaxTextFileBytes)) {
    status = unreadable(path, "は 16 MB を超えているため、読み込みません。");
  } else {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    char buf[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) status = unreadable(path, "を読み込めません。\n" + reasonOf(errno));
      if (n <= 0) break;
      bytes.append(buf, static_cast<size_t>(n));
      // The file may have grown since it was measured.
      if (bytes.size() > kMaxTextFileBytes) {
        status = unreadable(path, "は 16 MB を超えているため、読み込みません。");
        break;
      }
    }
  }
  ::close(fd);
  if (!status.ok()) bytes.clear();
  return status;
}

}  // namespace

namespace {

// The lines of a file's bytes. A CP932 trail byte is never CR or LF, so the
// bytes can be split before they are decoded.
std::vector<std::string_view> splitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n' && bytes[i] != '\r') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));  // a last line without an end
  return lines;
}

}  // namespace

TextLines readTextFile(const std::string& path) {
  TextLines r;
  std::string bytes;
  r.status = readFileBytes(path, bytes);
  if (!r.status.ok()) return r;
  // Shift-JIS first, as the program writes its files; a file an editor
  // saved as UTF-8 (with or without a byte-order mark) is read as such.
  r.encoding = encodingOf(bytes);
  if (r.encoding != TextEncoding::Cp932) {
    std::string_view text(bytes);
    if (r.encoding == TextEncoding::Utf8Bom) text.remove_prefix(kUtf8Bom.size());
    for (std::string_view raw : splitLines(text)) r.lines.emplace_back(raw);
    return r;
  }
  Cp932Converter& c = threadConverter();
  for (std::string_view raw : splitLines(bytes)) {
    std::optional<std::string> line = c.decode(raw);
    if (!line) {
      const std::string number = std::to_string(r.lines.size() + 1);
      r.lines.clear();
      r.status =
          failure(FileError::Undecodable, quoted(path) + "の " + number +
                                              " 行目に Shift-JIS として読めない文字があります。");
      break;
    }
    r.lines.push_back(std::move(*line));
  }
  return r;
}

TextLines readRawLines(const std::string& path) {
  TextLines r;
  std::string bytes;
  r.status = readFileBytes(path, bytes);
  r.encoding = encodingOf(bytes);
  std::string_view text(bytes);
  if (r.encoding == TextEncoding::Utf8Bom) text.remove_prefix(kUtf8Bom.size());
  for (std::string_view raw : splitLines(text)) r.lines.emplace_back(raw);
  return r;
}

bool validUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const auto lead = static_cast<unsigned char>(s[i]);
    size_t len;
    uint32_t cp;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead >> 5) == 0x6) {
      len = 2;
      cp = lead & 0x1F;
    } else if ((lead >> 4) == 0xE) {
      len = 3;
      cp = lead & 0x0F;
    } else if ((lead >> 3) == 0x1E) {
      len = 4;
      cp = lead & 0x07;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      const auto b = static_cast<unsigned char>(s[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
    static constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

TextEncoding encodingOf(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom && validUtf8(bytes.substr(kUtf8Bom.size())))
    return TextEncoding::Utf8Bom;
  if (threadConverter().decode(bytes)) return TextEncoding::Cp932;
  return validUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

std::string errorReason(int err) { return reasonOf(err); }

bool writeAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = fileLayer().write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool mayRewrite(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return true;  // a missing file may be created
  if ((st.st_mode & S_IWUSR) == 0) return false;
  return ::access(path.c_str(), W_OK) == 0;
}

FileStatus writeTextFile(const std::string& path, const std::vector<std::string>& lines,
                         TextEncoding encoding) {
  std::string bytes;
  if (encoding == TextEncoding::Utf8Bom) bytes = kUtf8Bom;
  {
    Cp932Converter& c = threadConverter();
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string& l = lines[i];
      auto where = [&] { return quoted(path) + "の " + std::to_string(i + 1) + " 行目"; };
      if (l.find_first_of("\r\n") != std::string::npos)
        return failure(FileError::Unencodable,
                       where() + "に改行が含まれているため、保存しませんでした。");
      if (encoding != TextEncoding::Cp932) {
        if (!validUtf8(l))
          return failure(FileError::Unencodable,
                         where() + "に正しくない文字があるため、保存しませんでした。");
        bytes += l;
        bytes += "\r\n";
        continue;
      }
      std::string ch;
      const std::optional<std::string> enc = c.encode(l, &ch);
      if (!enc) {
        return failure(FileError::Unencodable,
                       where() +
                           (ch.empty() ? std::string("に正しくない文字があるため")
                                       : "の「" + ch + "」は Shift-JIS にない文字のため") +
                           "、保存しませんでした。");
      }
      bytes += *enc;
      bytes += "\r\n";
    }
  }
  return writeFileAtomically(path, bytes);
}

}  // namespace velmar

#include "host/screen/portal/PortalToken.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "host/screen/portal/PortalFrame.h"

namespace host::portal {

namespace {

// More than any token (256 characters and a line end) needs: a larger file is not read.
constexpr off_t kMaxFileBytes = 4096;

// A descriptor closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : m_fd(fd) {}
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return m_fd; }
  // Closes it now, for the error a late write-back may report.
  bool close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

// Makes every missing folder of `dir` (an absolute or relative path) with mode 0700.
void makeFolders(const std::string& dir) {
  for (std::size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
    const std::string part = dir.substr(0, slash);
    if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return;
    if (slash == std::string::npos) return;
  }
}

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

std::optional<std::string> readTokenFile(const std::string& path) {
  // O_NONBLOCK: opening a FIFO for reading waits for a writer otherwise.
  const Fd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileBytes) {
    return std::nullopt;
  }
  // The size may have grown since: one byte more than allowed tells.
  std::string text(static_cast<std::size_t>(kMaxFileBytes) + 1, '\0');
  std::size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = ::read(fd.get(), text.data() + got, text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  if (got > static_cast<std::size_t>(kMaxFileBytes)) return std::nullopt;
  text.resize(got);
  return parseRestoreToken(text);
}

bool writeTokenFile(const std::string& path, std::string_view token) {
  if (!parseRestoreToken(token)) return false;
  const std::size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return false;
  makeFolders(dir);
  // Everything from here is relative to the folder as opened: the folder may be reached through
  // a link of the user's (a shared dotfiles folder), the file never is.
  const Fd folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() < 0) return false;
  struct stat st {};
  if (::fstat(folder.get(), &st) != 0) return false;
  if ((st.st_mode & 077) != 0 && st.st_uid == ::geteuid()) ::fchmod(folder.get(), 0700);
  if (::fstatat(folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
      !S_ISREG(st.st_mode)) {
    return false;
  }

  // A name of this process's own; one left by a crashed run of the same id is replaced.
  const std::string temp = "." + name + "." + std::to_string(::getpid()) + ".new";
  ::unlinkat(folder.get(), temp.c_str(), 0);
  Fd file(::openat(folder.get(), temp.c_str(),
                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600));
  if (file.get() < 0) return false;
  std::string text(token);
  text += '\n';
  const bool written = ::fchmod(file.get(), 0600) == 0 && writeAll(file.get(), text) &&
                       ::fsync(file.get()) == 0 && file.close();
  // rename() replaces the name itself, never what a link there points to.
  if (!written || ::renameat(folder.get(), temp.c_str(), folder.get(), name.c_str()) != 0) {
    ::unlinkat(folder.get(), temp.c_str(), 0);
    return false;
  }
  return true;
}

void forgetTokenFile(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
}

}  // namespace host::portal
